#include "ChartPostScript.h"

#include "ChartLayout.h"

#include <KxFile.h>
#include <KxList.h>
#include <TintoraVersion.h>

#include <array>
#include <cstring>

namespace {

// Formats one piece of the document and appends it. A failed write is
// remembered by the file, whose close then fails.
class PieceWriter
{
public:
    explicit PieceWriter(KxFILE* file) : m_file(file) {}

    template <class... Args>
    void write(const char* format, Args... args)
    {
        char buffer[4096];
        Kx_snprintf(buffer, sizeof buffer, format, args...);
        Kx_fwrite(buffer, std::strlen(buffer), 1, m_file);
    }

private:
    KxFILE* m_file;
};

} // namespace

KxWriteResult ChartPostScript::write(const KxChartPoint* first, const char* path, std::time_t created)
{
    KxFILE* file = Kx_fopen(path, "w");
    if (!file)
        return KxWriteResult::failedWithErrno(KxWriteResult::Opening);

    const unsigned long patches = ListLength(first);
    const unsigned long width = ChartLayout::WIDTH;
    const unsigned long height = ChartLayout::pageHeight(patches);
    char date[1024] = "";
    Kx_ctime(&created, date);

    PieceWriter out(file);
    out.write("%%!PS-Adobe-3.0\n");
    out.write("%%%%Creator: " TINTORA_PRODUCT_NAME " version %s\n", TINTORA_VERSION);
    out.write("%%%%Title: Colour check chart\n");
    out.write("%%%%For: " TINTORA_PRODUCT_NAME "\n");
    out.write("%%%%CreationDate: %s", date);
    out.write("%%%%BoundingBox: 0 0 %lu %lu\n", width, height);
    out.write("%%%%EndComments\n");
    out.write("%%%%BeginSetup\n");
    out.write("systemdict /setpagedevice known { ");
    out.write("<<\n/Policies <</PageSize 6>>\n/PageSize [%lu %lu]\n>> setpagedevice } if\n", width, height);
    out.write("%%%%EndSetup\n");
    out.write("%%%%Page: 1 1\n");
    // Every patch of a chart is of one device.
    const bool rgb = first && first->device == ChartDevice::Rgb;
    if (!rgb)
        out.write("/DeviceCMYK setcolorspace\n");

    unsigned long i = 0;
    for (const KxChartPoint* point = first; point; point = point->next, ++i) {
        // DeviceCMYK and DeviceRGB take each value as a fraction 0..1.
        if (rgb) {
            const unsigned char* value = point->deviceRgb;
            out.write("%f %f %f setrgbcolor\n", value[0] / 255.0, value[1] / 255.0, value[2] / 255.0);
        } else {
            const std::array<unsigned char, 4> ink = point->inkBytes();
            out.write("%f %f %f %f setcolor\n", ink[0] / 255.0, ink[1] / 255.0, ink[2] / 255.0, ink[3] / 255.0);
        }
        out.write("%d %d %d %d rectfill\n", ChartLayout::pageX(i), ChartLayout::pageY(i, patches),
                  ChartLayout::PATCH_SIZE, ChartLayout::PATCH_SIZE);
    }
    out.write("\nshowpage\n%%%%PageTrailer\n");
    Kx_fprintf(file, "%%%%EOF\n");
    return Kx_fclose(file) == 0 ? KxWriteResult() : KxWriteResult::failedWithErrno(KxWriteResult::Writing);
}
