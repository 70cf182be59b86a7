#include "ChartPostScript.h"

#include "ChartLayout.h"

#include <KxFile.h>
#include <KxList.h>
#include <TintoraVersion.h>

#include <array>
#include <cstdio>
#include <cstring>

namespace {

const char* const CREATOR = "Quenwick Tintora";

// Formats one piece of the document and appends it; remembers a failure.
class PieceWriter
{
public:
    explicit PieceWriter(KxFILE* file) : m_file(file) {}

    template <class... Args>
    void write(const char* format, Args... args)
    {
        char buffer[4096];
        Kx_snprintf(buffer, sizeof buffer, format, args...);
        if (Kx_fwrite(buffer, std::strlen(buffer), 1, m_file) != 1)
            m_failed = true;
    }
    bool failed() const { return m_failed; }

private:
    KxFILE* m_file;
    bool m_failed = false;
};

} // namespace

bool ChartPostScript::write(const KxChartPoint* first, const char* path, std::time_t created)
{
    KxFILE* file = Kx_fopen(path, "w");
    if (!file) {
        std::fprintf(stderr, "Cannot open file %s\n", path);
        return false;
    }

    const unsigned long patches = ListLength(first);
    const unsigned long width = ChartLayout::WIDTH;
    const unsigned long height = ChartLayout::pageHeight(patches);
    char date[1024] = "";
    Kx_ctime(&created, date);

    PieceWriter out(file);
    out.write("%%!PS-Adobe-3.0\n");
    out.write("%%%%Creator: " TINTORA_PRODUCT_NAME " version %s\n", TINTORA_VERSION);
    out.write("%%%%Title: Colour check chart\n");
    out.write("%%%%For: %s\n", CREATOR);
    out.write("%%%%CreationDate: %s", date);
    out.write("%%%%BoundingBox: 0 0 %lu %lu\n", width, height);
    out.write("%%%%EndComments\n");
    out.write("%%%%BeginSetup\n");
    out.write("systemdict /setpagedevice known { ");
    out.write("<<\n/Policies <</PageSize 6>>\n/PageSize [%lu %lu]\n>> setpagedevice } if\n", width, height);
    out.write("%%%%EndSetup\n");
    out.write("%%%%Page: 1 1\n");
    out.write("/DeviceCMYK setcolorspace\n");

    unsigned long i = 0;
    for (const KxChartPoint* point = first; point; point = point->next, ++i) {
        // DeviceCMYK takes each ink as a fraction 0..1.
        const std::array<unsigned char, 4> ink = point->inkBytes();
        out.write("%f %f %f %f setcolor\n", ink[0] / 255.0, ink[1] / 255.0, ink[2] / 255.0, ink[3] / 255.0);
        out.write("%d %d %d %d rectfill\n", ChartLayout::pageX(i), ChartLayout::pageY(i, patches),
                  ChartLayout::PATCH_SIZE, ChartLayout::PATCH_SIZE);
    }
    out.write("\nshowpage\n%%%%PageTrailer\n");
    if (Kx_fprintf(file, "%%%%EOF\n") < 0 || out.failed()) {
        Kx_fabandon(file);
        return false;
    }
    return Kx_fclose(file) == 0;
}
