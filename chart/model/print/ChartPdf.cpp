#include "ChartPdf.h"

#include "ChartPrintLayout.h"

#include <KxFile.h>
#include <TintoraVersion.h>

#include "internal/ChartPdfSupport.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <vector>

namespace {

using namespace ChartPdfSupport;

constexpr double TITLE_SIZE = 12;
constexpr double TEXT_SIZE = 9;
constexpr double LABEL_SIZE = 7;
// Baselines of the header's three lines, below the top of the header.
constexpr double TITLE_BASELINE = 12;
constexpr double DETAILS_BASELINE = 26;
constexpr double NOTICE_BASELINE = 38;
// The paper patch's outline, in points: a hairline, at most this far outside
// the patch (less when the gap is narrower).
constexpr double OUTLINE_WIDTH = 0.25;
constexpr double OUTLINE_DISTANCE = 1.5;

const char* const NOTICE = "Print without colour management: the printer must receive these ink values unchanged.";
const char* const RGB_NOTICE =
    "Print without colour management: the printer's driver must receive these R, G, B values unchanged.";

class PageWriter
{
public:
    PageWriter(HPDF_Doc document, const ChartPrintLayout& layout, const ChartPrintTitle& title, ChartDevice device)
        : layout(layout),
          notice(device == ChartDevice::Rgb ? RGB_NOTICE : NOTICE),
          fonts(loadFonts(document)),
          chartName(title.chart),
          details("Profile: " + title.profileText() + "    " + std::to_string(layout.patches()) + " patches    "
                  + localDate(title.created))
    {
    }

    void write(HPDF_Page page, unsigned long pageIndex, const std::vector<const KxChartPoint*>& points)
    {
        HPDF_Page_SetWidth(page, static_cast<HPDF_REAL>(layout.pageWidth()));
        HPDF_Page_SetHeight(page, static_cast<HPDF_REAL>(layout.pageHeight()));
        header(page, pageIndex);
        labels(page, pageIndex);
        patches(page, pageIndex, points);
    }

private:
    void header(HPDF_Page page, unsigned long pageIndex)
    {
        const double left = layout.margin();
        const double right = layout.pageWidth() - layout.margin();
        const double top = layout.headerTop();
        const std::string pageText =
            "page " + std::to_string(pageIndex + 1) + " of " + std::to_string(layout.pages());
        HPDF_Page_SetGrayFill(page, 0);
        showText(page, fonts.regular, TEXT_SIZE, right, top - TITLE_BASELINE, pageText, (right - left) / 3, true);
        showText(page, fonts.bold, TITLE_SIZE, left, top - TITLE_BASELINE, chartName,
                 (right - left) * 2 / 3 - TEXT_SIZE);
        showText(page, fonts.regular, TEXT_SIZE, left, top - DETAILS_BASELINE, details, right - left);
        showText(page, fonts.regular, TEXT_SIZE, left, top - NOTICE_BASELINE, notice, right - left);
    }

    // Column numbers above the grid and row letters to its left, for the
    // rows and columns that the page uses.
    void labels(HPDF_Page page, unsigned long pageIndex)
    {
        const unsigned long count = layout.patchesOn(pageIndex);
        const unsigned long columns = std::min(count, layout.columns());
        const unsigned long rows = (count + layout.columns() - 1) / layout.columns();
        const double half = layout.patchSize() / 2;
        const double room = layout.pitch();
        for (unsigned long column = 0; column < columns; ++column) {
            const std::string number = std::to_string(column + 1);
            const double width = textWidth(page, fonts.regular, LABEL_SIZE, number);
            showText(page, fonts.regular, LABEL_SIZE, layout.patchLeft(column) + half - width / 2,
                     layout.gridTop() + LABEL_SIZE / 2, number, room);
        }
        const double labelRight = layout.gridLeft() - LABEL_SIZE / 2;
        for (unsigned long row = 0; row < rows; ++row)
            showText(page, fonts.regular, LABEL_SIZE, labelRight, layout.patchBottom(row) + half - LABEL_SIZE / 3,
                     ChartPrintLayout::rowName(row), ChartPrintLayout::points(ChartPrintLayout::ROW_LABELS_MM), true);
    }

    void patches(HPDF_Page page, unsigned long pageIndex, const std::vector<const KxChartPoint*>& points)
    {
        const unsigned long first = layout.firstPatch(pageIndex);
        const HPDF_REAL side = static_cast<HPDF_REAL>(layout.patchSize());
        for (unsigned long i = first; i < first + layout.patchesOn(pageIndex); ++i) {
            const KxChartPoint* point = points[i];
            const ChartPrintPlace place = layout.place(i);
            fill(page, *point);
            HPDF_Page_Rectangle(page, static_cast<HPDF_REAL>(layout.patchLeft(place.column)),
                                static_cast<HPDF_REAL>(layout.patchBottom(place.row)), side, side);
            HPDF_Page_Fill(page);
            if (point->isPaper())
                outline(page, place);
        }
    }

    // The patch's own device values, unconverted: DeviceRGB for a printer
    // driven through RGB, else DeviceCMYK. Each byte b is written as b / 255
    // to five decimals, which reads back as b.
    static void fill(HPDF_Page page, const KxChartPoint& point)
    {
        if (point.device == ChartDevice::Rgb) {
            HPDF_Page_SetRGBFill(page, point.deviceRgb[0] / 255.0f, point.deviceRgb[1] / 255.0f,
                                 point.deviceRgb[2] / 255.0f);
            return;
        }
        // cmyk holds K, C, M, Y; the page wants C, M, Y, K.
        HPDF_Page_SetCMYKFill(page, point.cmyk[1] / 255.0f, point.cmyk[2] / 255.0f, point.cmyk[3] / 255.0f,
                              point.cmyk[0] / 255.0f);
    }

    void outline(HPDF_Page page, const ChartPrintPlace& place)
    {
        // The line keeps to the paper's half of the gap; distance is from
        // the patch to the line's inner edge.
        const double halfGap = (layout.pitch() - layout.patchSize()) / 2;
        const double distance = std::max(std::min(OUTLINE_DISTANCE, halfGap - OUTLINE_WIDTH), 0.0);
        const double offset = distance + OUTLINE_WIDTH / 2;
        const double side = layout.patchSize() + 2 * offset;
        HPDF_Page_SetGrayStroke(page, 0);
        HPDF_Page_SetLineWidth(page, static_cast<HPDF_REAL>(OUTLINE_WIDTH));
        HPDF_Page_Rectangle(page, static_cast<HPDF_REAL>(layout.patchLeft(place.column) - offset),
                            static_cast<HPDF_REAL>(layout.patchBottom(place.row) - offset),
                            static_cast<HPDF_REAL>(side), static_cast<HPDF_REAL>(side));
        HPDF_Page_Stroke(page);
    }

    const ChartPrintLayout& layout;
    const char* notice;
    TextFonts fonts;
    std::string chartName;
    std::string details;
};

// The whole document in memory; empty when libharu failed.
std::vector<unsigned char> documentBytes(const std::vector<const KxChartPoint*>& points,
                                         const ChartPrintLayout& layout, const ChartPrintTitle& title)
{
    bool failed = false;
    const Document document = newDocument(&failed);
    if (!document)
        return {};
    HPDF_Doc pdf = document.get();
    HPDF_SetCompressionMode(pdf, HPDF_COMP_ALL);
    HPDF_SetInfoAttr(pdf, HPDF_INFO_TITLE, title.chart.c_str());
    HPDF_SetInfoAttr(pdf, HPDF_INFO_CREATOR, "Quenwick Tintora version " TINTORA_VERSION);
    HPDF_SetInfoDateAttr(pdf, HPDF_INFO_CREATION_DATE, pdfDate(title.created));

    PageWriter pages(pdf, layout, title, points.front()->device); // one device for every patch
    for (unsigned long page = 0; page < layout.pages() && !failed; ++page)
        pages.write(HPDF_AddPage(pdf), page, points);
    return bytesOf(pdf, failed);
}

} // namespace

std::string ChartPrintTitle::profileText() const
{
    if (profileDescription.empty() || profileDescription == profile)
        return profile;
    return profileDescription + " (" + profile + ")";
}

KxWriteResult ChartPdf::write(const KxChartPoint* first, const ChartPrintSettings& settings,
                             const ChartPrintTitle& title, const char* path)
{
    std::string whyNot;
    if (!first || !ChartPrintLayout::check(settings, whyNot))
        return KxWriteResult::failed(KxWriteResult::Opening, EINVAL);
    std::vector<const KxChartPoint*> points;
    for (const KxChartPoint* point = first; point; point = point->next)
        points.push_back(point);
    const std::vector<unsigned char> bytes = documentBytes(points, ChartPrintLayout(settings, points.size()), title);
    if (bytes.empty()) // the PDF library could not make the document
        return KxWriteResult::failed(KxWriteResult::Writing, ENOMEM);
    return Kx_writeFile(path, bytes.data(), bytes.size());
}
