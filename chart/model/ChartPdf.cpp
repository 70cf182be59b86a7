#include "ChartPdf.h"

#include "ChartPrintLayout.h"

#include <KxFile.h>
#include <TintoraVersion.h>

#include <hpdf.h>

#include <cerrno>
#include <cstdio>
#include <memory>
#include <type_traits>
#include <vector>

namespace {

using Document = std::unique_ptr<std::remove_pointer_t<HPDF_Doc>, decltype(&HPDF_Free)>;

constexpr double TITLE_SIZE = 12;
constexpr double TEXT_SIZE = 9;
constexpr double LABEL_SIZE = 7;
// Baselines of the header's three lines, below the top of the header.
constexpr double TITLE_BASELINE = 12;
constexpr double DETAILS_BASELINE = 26;
constexpr double NOTICE_BASELINE = 38;

const char* const NOTICE = "Print without colour management: the printer must receive these ink values unchanged.";

// libharu reports every failure here; the document is dropped at the end.
void noteFailure(HPDF_STATUS, HPDF_STATUS, void* failed)
{
    *static_cast<bool*>(failed) = true;
}

// UTF-8 as the standard fonts' WinAnsi encoding: ASCII and Latin-1 pass,
// anything else becomes '?'.
std::string winAnsi(const std::string& utf8)
{
    std::string text;
    for (std::size_t i = 0; i < utf8.size();) {
        const unsigned char lead = static_cast<unsigned char>(utf8[i]);
        int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 1;
        if (i + length > utf8.size())
            length = 1;
        unsigned code = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length; ++k)
            code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        const bool shown = (code >= 0x20 && code < 0x7F) || (code >= 0xA0 && code <= 0xFF);
        text += shown ? static_cast<char>(code) : '?';
        i += length;
    }
    return text;
}

std::string localDate(std::time_t created)
{
    std::tm local{};
    char text[32] = "";
    if (localtime_r(&created, &local))
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    return text;
}

HPDF_Date pdfDate(std::time_t created)
{
    std::tm utc{};
    gmtime_r(&created, &utc);
    return {utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec, 'Z', 0, 0};
}

// Draws one line of text; a line wider than room is set smaller to fit.
// alignRight puts its end at x instead of its start.
void showText(HPDF_Page page, HPDF_Font font, double size, double x, double y, const std::string& text,
              double room, bool alignRight = false)
{
    HPDF_Page_SetFontAndSize(page, font, static_cast<HPDF_REAL>(size));
    const double width = HPDF_Page_TextWidth(page, text.c_str());
    if (width > room && width > 0) {
        size *= room / width;
        HPDF_Page_SetFontAndSize(page, font, static_cast<HPDF_REAL>(size));
    }
    const double left = alignRight ? x - HPDF_Page_TextWidth(page, text.c_str()) : x;
    HPDF_Page_BeginText(page);
    HPDF_Page_TextOut(page, static_cast<HPDF_REAL>(left), static_cast<HPDF_REAL>(y), text.c_str());
    HPDF_Page_EndText(page);
}

class PageWriter
{
public:
    PageWriter(HPDF_Doc document, const ChartPrintLayout& layout, const ChartPrintTitle& title)
        : layout(layout),
          regular(HPDF_GetFont(document, "Helvetica", "WinAnsiEncoding")),
          bold(HPDF_GetFont(document, "Helvetica-Bold", "WinAnsiEncoding")),
          chartName(winAnsi(title.chart)),
          details("Profile: " + winAnsi(title.profile) + "    " + std::to_string(layout.patches()) + " patches    "
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
        showText(page, regular, TEXT_SIZE, right, top - TITLE_BASELINE, pageText, (right - left) / 3, true);
        showText(page, bold, TITLE_SIZE, left, top - TITLE_BASELINE, chartName, (right - left) * 2 / 3 - TEXT_SIZE);
        showText(page, regular, TEXT_SIZE, left, top - DETAILS_BASELINE, details, right - left);
        showText(page, regular, TEXT_SIZE, left, top - NOTICE_BASELINE, NOTICE, right - left);
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
            HPDF_Page_SetFontAndSize(page, regular, LABEL_SIZE);
            const double width = HPDF_Page_TextWidth(page, number.c_str());
            showText(page, regular, LABEL_SIZE, layout.patchLeft(column) + half - width / 2,
                     layout.gridTop() + LABEL_SIZE / 2, number, room);
        }
        const double labelRight = layout.gridLeft() - LABEL_SIZE / 2;
        for (unsigned long row = 0; row < rows; ++row)
            showText(page, regular, LABEL_SIZE, labelRight, layout.patchBottom(row) + half - LABEL_SIZE / 3,
                     ChartPrintLayout::rowName(row), ChartPrintLayout::points(ChartPrintLayout::ROW_LABELS_MM), true);
    }

    void patches(HPDF_Page page, unsigned long pageIndex, const std::vector<const KxChartPoint*>& points)
    {
        const unsigned long first = layout.firstPatch(pageIndex);
        const HPDF_REAL side = static_cast<HPDF_REAL>(layout.patchSize());
        for (unsigned long i = first; i < first + layout.patchesOn(pageIndex); ++i) {
            const KxChartPoint* point = points[i];
            const ChartPrintPlace place = layout.place(i);
            // cmyk holds K, C, M, Y; the page wants C, M, Y, K.
            HPDF_Page_SetCMYKFill(page, point->cmyk[1] / 255.0f, point->cmyk[2] / 255.0f, point->cmyk[3] / 255.0f,
                                  point->cmyk[0] / 255.0f);
            HPDF_Page_Rectangle(page, static_cast<HPDF_REAL>(layout.patchLeft(place.column)),
                                static_cast<HPDF_REAL>(layout.patchBottom(place.row)), side, side);
            HPDF_Page_Fill(page);
        }
    }

    const ChartPrintLayout& layout;
    HPDF_Font regular;
    HPDF_Font bold;
    std::string chartName;
    std::string details;
};

// The whole document in memory; empty when libharu failed.
std::vector<unsigned char> documentBytes(const std::vector<const KxChartPoint*>& points,
                                         const ChartPrintLayout& layout, const ChartPrintTitle& title)
{
    bool failed = false;
    Document document(HPDF_New(noteFailure, &failed), HPDF_Free);
    if (!document)
        return {};
    HPDF_Doc pdf = document.get();
    HPDF_SetCompressionMode(pdf, HPDF_COMP_ALL);
    HPDF_SetInfoAttr(pdf, HPDF_INFO_TITLE, winAnsi(title.chart).c_str());
    HPDF_SetInfoAttr(pdf, HPDF_INFO_CREATOR, "Quenwick Tintora version " TINTORA_VERSION);
    HPDF_SetInfoDateAttr(pdf, HPDF_INFO_CREATION_DATE, pdfDate(title.created));

    PageWriter pages(pdf, layout, title);
    for (unsigned long page = 0; page < layout.pages() && !failed; ++page)
        pages.write(HPDF_AddPage(pdf), page, points);
    if (failed || HPDF_SaveToStream(pdf) != HPDF_OK)
        return {};
    std::vector<unsigned char> bytes(HPDF_GetStreamSize(pdf));
    HPDF_UINT32 size = static_cast<HPDF_UINT32>(bytes.size());
    const HPDF_STATUS read = HPDF_ReadFromStream(pdf, bytes.data(), &size);
    if ((read != HPDF_OK && read != HPDF_STREAM_EOF) || size != bytes.size() || bytes.empty())
        return {};
    return bytes;
}

} // namespace

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
