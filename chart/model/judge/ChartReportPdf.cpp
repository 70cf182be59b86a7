#include "ChartReportPdf.h"

#include "ChartMeasurementSession.h"
#include "ChartPatchColours.h"
#include "ChartVerdict.h"
#include "ChartVerification.h"

#include <KxCMS.h>
#include <KxFile.h>
#include <TintoraVersion.h>

#include "internal/ChartPdfSupport.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <optional>
#include <utility>

namespace {

using namespace ChartPdfSupport;

// An A4 page in points, and its margin.
constexpr double PAGE_WIDTH = 595.28;
constexpr double PAGE_HEIGHT = 841.89;
constexpr double MARGIN = 42;
constexpr double RIGHT = PAGE_WIDTH - MARGIN;
constexpr double TITLE_SIZE = 16;
constexpr double HEADING_SIZE = 11;
constexpr double TEXT_SIZE = 9;
constexpr double SMALL_SIZE = 7;
constexpr double LINE = 13;      // between lines of text
constexpr double ROW = 16;       // between rows of the patch tables
constexpr double SWATCH = 12;    // side of a colour swatch
constexpr int HISTOGRAM_BINS = 20;

std::string fixed(double value, int decimals)
{
    char text[64];
    Kx_snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string labText(const double* lab)
{
    return fixed(lab[0], 2) + " " + fixed(lab[1], 2) + " " + fixed(lab[2], 2);
}

// A patch's device values: whole ink percentages, or the R, G, B bytes
// sent to an RGB printer's driver.
std::string deviceText(const KxChartPoint& record)
{
    if (record.device == ChartDevice::Rgb)
        return std::to_string(record.deviceRgb[0]) + "/" + std::to_string(record.deviceRgb[1]) + "/"
            + std::to_string(record.deviceRgb[2]);
    const std::array<double, 4> ink = record.inkPercent();
    return fixed(ink[0], 0) + "/" + fixed(ink[1], 0) + "/" + fixed(ink[2], 0) + "/" + fixed(ink[3], 0);
}

// The tolerance's limits on one line: "CIE76: mean <= 3, max <= 6, ...".
std::string limitsText(const ChartTolerance& tolerance)
{
    std::string text = std::string(ChartTolerance::metricName(tolerance.metric)) + ":";
    const char* separator = " ";
    for (int limit = 0; limit < ChartTolerance::LIMIT_COUNT; ++limit) {
        if (!tolerance.limits[limit])
            continue;
        char number[32];
        Kx_snprintf(number, sizeof number, "%g", *tolerance.limits[limit]);
        text += separator + std::string(ChartTolerance::limitName(ChartTolerance::Limit(limit))) + " <= " + number;
        separator = ", ";
    }
    return text;
}

// A histogram bin's width for differences up to largest: a round step
// that fits them into the bins.
double binWidth(double largest)
{
    for (double step : {0.1, 0.2, 0.25, 0.5, 1.0, 2.0, 2.5, 5.0, 10.0, 20.0, 50.0})
        if (step * HISTOGRAM_BINS >= largest)
            return step;
    return std::ceil(largest / HISTOGRAM_BINS);
}

class ReportWriter
{
public:
    ReportWriter(HPDF_Doc document, const ChartVerification& verification, const ChartTolerance* tolerance,
                 const ChartPrintTitle& title)
        : document(document),
          verification(verification),
          session(verification.session()),
          tolerance(tolerance),
          title(title),
          fonts(loadFonts(document))
    {
    }

    void write()
    {
        newPage();
        header();
        verdict();
        statistics();
        const double chartsTop = y;
        // Two square charts side by side, small enough for the worst patches
        // to follow on this page.
        const double chartWidth = (RIGHT - MARGIN) / 2 - 30;
        histogram(MARGIN, chartsTop, chartWidth);
        abPlot(RIGHT - chartWidth, chartsTop, chartWidth);

        const std::size_t listed = std::min(ChartReportPdf::WORST_LISTED, verification.checks().size());
        tableHeading("The " + std::to_string(listed) + " patches furthest off (by CIEDE2000)", listed);
        patchTable(verification.worst(ChartReportPdf::WORST_LISTED));
        const std::vector<ChartPatchCheck> controls = verification.controls();
        if (!controls.empty()) {
            y -= LINE;
            tableHeading("Control patches", controls.size());
            patchTable(controls);
        }
        footers();
    }

private:
    void newPage()
    {
        page = HPDF_AddPage(document);
        HPDF_Page_SetWidth(page, static_cast<HPDF_REAL>(PAGE_WIDTH));
        HPDF_Page_SetHeight(page, static_cast<HPDF_REAL>(PAGE_HEIGHT));
        pages.push_back(page);
        y = PAGE_HEIGHT - MARGIN;
    }

    // "page 2 of 3" on every page, once the page count is known.
    void footers()
    {
        for (std::size_t number = 1; number <= pages.size(); ++number) {
            HPDF_Page footed = pages[number - 1];
            HPDF_Page_SetGrayFill(footed, 0.4f);
            showText(footed, fonts.regular, SMALL_SIZE, RIGHT, MARGIN / 2,
                     "page " + std::to_string(number) + " of " + std::to_string(pages.size()), 100, true);
            showText(footed, fonts.regular, SMALL_SIZE, MARGIN, MARGIN / 2, "Tintora " TINTORA_VERSION, 200);
            HPDF_Page_SetGrayFill(footed, 0);
        }
    }

    void text(const TextFont& font, double size, double x, const std::string& line, double room = RIGHT - MARGIN)
    {
        showText(page, font, size, x, y, line, room);
    }

    void heading(const std::string& line)
    {
        y -= HEADING_SIZE + 4;
        text(fonts.bold, HEADING_SIZE, MARGIN, line);
        y -= 6;
    }

    // A table's heading, on a new page unless the heading, the column
    // heads and all its rows fit below it (a table longer than a page
    // starts on a new one and runs on).
    void tableHeading(const std::string& line, std::size_t rows)
    {
        const double needed = HEADING_SIZE + 10 + LINE + double(rows) * ROW;
        if (y - needed < MARGIN + LINE)
            newPage();
        heading(line);
    }

    void header()
    {
        y -= TITLE_SIZE;
        text(fonts.bold, TITLE_SIZE, MARGIN, "Verification report");
        y -= LINE + 6;
        text(fonts.regular, TEXT_SIZE, MARGIN, "Chart: " + title.chart);
        y -= LINE;
        text(fonts.regular, TEXT_SIZE, MARGIN, "Profile: " + title.profileText());
        y -= LINE;
        if (session.readingsFiles().empty()) {
            text(fonts.regular, TEXT_SIZE, MARGIN, "Readings: measured patch by patch, from no file");
            y -= LINE;
        }
        for (const ChartMeasurementSession::ReadingsFile& file : session.readingsFiles()) {
            text(fonts.regular, TEXT_SIZE, MARGIN, "Readings: " + file.name);
            y -= LINE;
            text(fonts.regular, TEXT_SIZE, MARGIN,
                 "Measured: " + (file.condition.empty() ? std::string("not given in the file") : file.condition));
            y -= LINE;
        }
        text(fonts.regular, TEXT_SIZE, MARGIN,
             "Date: " + localDate(title.created) + "    Patches measured: " + std::to_string(verification.checks().size())
                 + " of " + std::to_string(session.patches()));
        y -= LINE;
        if (!tolerance) {
            text(fonts.regular, TEXT_SIZE, MARGIN, "Tolerance: none given");
            return;
        }
        text(fonts.regular, TEXT_SIZE, MARGIN,
             "Tolerance: " + ChartVerdict::toleranceName(*tolerance) + " - " + limitsText(*tolerance));
        if (!tolerance->source.empty()) {
            y -= LINE;
            text(fonts.regular, SMALL_SIZE, MARGIN, "Source: " + tolerance->source);
        }
    }

    void verdict()
    {
        if (!tolerance)
            return;
        const ChartVerdict found = ChartVerdict::of(verification, *tolerance);
        y -= 26;
        if (found.passed())
            HPDF_Page_SetRGBFill(page, 0.0f, 0.45f, 0.1f);
        else
            HPDF_Page_SetRGBFill(page, 0.75f, 0.0f, 0.0f);
        text(fonts.bold, 14, MARGIN, found.text(*tolerance));
        HPDF_Page_SetGrayFill(page, 0);
    }

    void statistics()
    {
        y -= LINE;
        heading("Differences of the readings from the profile's predictions");
        const double columns[] = {MARGIN, MARGIN + 170, MARGIN + 260};
        y -= LINE;
        showText(page, fonts.bold, TEXT_SIZE, columns[1] + 60, y, "CIE76", 80, true);
        showText(page, fonts.bold, TEXT_SIZE, columns[2] + 60, y, "CIEDE2000", 80, true);
        const ChartDifferenceStatistics& a = verification.statistics(ChartDifference::DeltaE76);
        const ChartDifferenceStatistics& b = verification.statistics(ChartDifference::DeltaE2000);
        const std::pair<const char*, std::array<double, 2>> rows[] = {
            {"Mean", {a.mean, b.mean}},
            {"Maximum", {a.maximum, b.maximum}},
            {"Standard deviation", {a.standardDeviation, b.standardDeviation}},
            {"95th percentile", {a.percentile95, b.percentile95}},
            {"Worst 10 % mean", {a.worst10Mean, b.worst10Mean}},
            {"Best 90 % mean", {a.best90Mean, b.best90Mean}},
        };
        for (const auto& [name, values] : rows) {
            y -= LINE;
            showText(page, fonts.regular, TEXT_SIZE, columns[0], y, name, 160);
            showText(page, fonts.regular, TEXT_SIZE, columns[1] + 60, y, fixed(values[0], 3), 80, true);
            showText(page, fonts.regular, TEXT_SIZE, columns[2] + 60, y, fixed(values[1], 3), 80, true);
        }
        y -= 2 * LINE;
    }

    void rectangle(double left, double bottom, double width, double height)
    {
        HPDF_Page_Rectangle(page, static_cast<HPDF_REAL>(left), static_cast<HPDF_REAL>(bottom),
                            static_cast<HPDF_REAL>(width), static_cast<HPDF_REAL>(height));
    }

    void lineBetween(double x0, double y0, double x1, double y1)
    {
        HPDF_Page_MoveTo(page, static_cast<HPDF_REAL>(x0), static_cast<HPDF_REAL>(y0));
        HPDF_Page_LineTo(page, static_cast<HPDF_REAL>(x1), static_cast<HPDF_REAL>(y1));
    }

    void histogram(double left, double top, double width)
    {
        const double height = width;
        y = top;
        showText(page, fonts.bold, TEXT_SIZE, left, top - TEXT_SIZE, "CIEDE2000 histogram (patches)", width);
        const double plotTop = top - 2 * LINE;
        const double bottom = plotTop - height;
        const double axisLeft = left + 18;
        const double plotWidth = width - 18;
        const double step = binWidth(verification.statistics(ChartDifference::DeltaE2000).maximum);
        std::array<unsigned long, HISTOGRAM_BINS> counts{};
        for (const ChartPatchCheck& check : verification.checks())
            ++counts[std::min<std::size_t>(static_cast<std::size_t>(check.deltaE2000 / step), HISTOGRAM_BINS - 1)];
        const unsigned long most = std::max<unsigned long>(1, *std::max_element(counts.begin(), counts.end()));
        const double barWidth = plotWidth / HISTOGRAM_BINS;
        HPDF_Page_SetRGBFill(page, 0.3f, 0.45f, 0.7f);
        for (int bin = 0; bin < HISTOGRAM_BINS; ++bin)
            if (counts[bin])
                rectangle(axisLeft + bin * barWidth + 0.5, bottom, barWidth - 1,
                          height * static_cast<double>(counts[bin]) / static_cast<double>(most));
        HPDF_Page_Fill(page);
        HPDF_Page_SetGrayFill(page, 0);
        HPDF_Page_SetGrayStroke(page, 0);
        HPDF_Page_SetLineWidth(page, 0.5f);
        lineBetween(axisLeft, bottom, axisLeft + plotWidth, bottom);
        lineBetween(axisLeft, bottom, axisLeft, bottom + height);
        HPDF_Page_Stroke(page);
        for (int bin = 0; bin <= HISTOGRAM_BINS; bin += 5)
            showText(page, fonts.regular, SMALL_SIZE, axisLeft + bin * barWidth - 4, bottom - SMALL_SIZE - 2,
                     fixed(bin * step, step < 1 ? 1 : 0), 30);
        showText(page, fonts.regular, SMALL_SIZE, axisLeft - 3, bottom + height - SMALL_SIZE / 2, std::to_string(most), 18,
                 true);
        showText(page, fonts.regular, SMALL_SIZE, axisLeft - 3, bottom, "0", 18, true);
        showText(page, fonts.regular, SMALL_SIZE, axisLeft + plotWidth / 2 - 20, bottom - 2 * SMALL_SIZE - 4, "CIEDE2000",
                 60);
        limitMarks(axisLeft, bottom, height, plotWidth / (HISTOGRAM_BINS * step), HISTOGRAM_BINS * step);
        y = bottom - 2 * LINE;
    }

    // The tolerance's CIEDE2000 limits on the patches (mean, 95th
    // percentile, maximum) as dashed lines across the histogram, each named.
    void limitMarks(double axisLeft, double bottom, double height, double perUnit, double largest)
    {
        if (!tolerance || tolerance->metric != ChartDifference::DeltaE2000)
            return;
        static const std::pair<ChartTolerance::Limit, const char*> MARKED[] = {
            {ChartTolerance::Mean, "mean"}, {ChartTolerance::Percentile95, "p95"}, {ChartTolerance::Maximum, "max"}};
        const HPDF_UINT16 dash[] = {3, 2};
        HPDF_Page_SetDash(page, dash, 2, 0);
        HPDF_Page_SetRGBStroke(page, 0.75f, 0.0f, 0.0f);
        HPDF_Page_SetRGBFill(page, 0.75f, 0.0f, 0.0f);
        // The names stand just above the plot, clear of the bars.
        const double labelY = bottom + height + 3;
        for (const auto& [limit, name] : MARKED) {
            const std::optional<double>& value = tolerance->limits[limit];
            if (!value || *value > largest)
                continue;
            const double x = axisLeft + *value * perUnit;
            lineBetween(x, bottom, x, bottom + height);
            HPDF_Page_Stroke(page);
            showText(page, fonts.regular, SMALL_SIZE, x - 10, labelY, std::string(name) + " " + fixed(*value, 1), 40);
        }
        HPDF_Page_SetDash(page, nullptr, 0, 0);
        HPDF_Page_SetGrayStroke(page, 0);
        HPDF_Page_SetGrayFill(page, 0);
    }

    void abPlot(double left, double top, double width)
    {
        showText(page, fonts.bold, TEXT_SIZE, left, top - TEXT_SIZE, "a*b*: predicted (black) and measured (red)", width);
        const double plotTop = top - 2 * LINE;
        const double side = width;
        const double bottom = plotTop - side;
        double reach = 20;
        for (const ChartPatchCheck& check : verification.checks()) {
            const double* predicted = session.record(check.patch).labD50;
            const double* measured = session.reading(check.patch)->lab;
            for (double v : {predicted[1], predicted[2], measured[1], measured[2]})
                reach = std::max(reach, std::fabs(v));
        }
        reach = std::ceil(reach / 20) * 20;
        const double centreX = left + side / 2, centreY = bottom + side / 2, scale = side / (2 * reach);
        // A grid line every 20 units of a* and b*.
        HPDF_Page_SetGrayStroke(page, 0.88f);
        HPDF_Page_SetLineWidth(page, 0.3f);
        for (double at = 20; at < reach; at += 20)
            for (double sign : {-1.0, 1.0}) {
                lineBetween(centreX + sign * at * scale, bottom, centreX + sign * at * scale, bottom + side);
                lineBetween(left, centreY + sign * at * scale, left + side, centreY + sign * at * scale);
            }
        HPDF_Page_Stroke(page);
        HPDF_Page_SetGrayStroke(page, 0.6f);
        HPDF_Page_SetLineWidth(page, 0.5f);
        rectangle(left, bottom, side, side);
        lineBetween(left, centreY, left + side, centreY);
        lineBetween(centreX, bottom, centreX, bottom + side);
        HPDF_Page_Stroke(page);
        showText(page, fonts.regular, SMALL_SIZE, left + side - 2, centreY + 2, "+a* " + fixed(reach, 0), 40, true);
        showText(page, fonts.regular, SMALL_SIZE, centreX + 2, bottom + side - SMALL_SIZE - 1, "+b* " + fixed(reach, 0), 40);
        showText(page, fonts.regular, SMALL_SIZE, left, bottom - SMALL_SIZE - 3, "grid every 20 units", 80);

        HPDF_Page_SetRGBStroke(page, 0.8f, 0.1f, 0.1f);
        HPDF_Page_SetLineWidth(page, 0.4f);
        for (const ChartPatchCheck& check : verification.checks()) {
            const double* predicted = session.record(check.patch).labD50;
            const double* measured = session.reading(check.patch)->lab;
            lineBetween(centreX + predicted[1] * scale, centreY + predicted[2] * scale, centreX + measured[1] * scale,
                        centreY + measured[2] * scale);
        }
        HPDF_Page_Stroke(page);
        auto dots = [&](bool measuredOnes) {
            for (const ChartPatchCheck& check : verification.checks()) {
                const double* lab = measuredOnes ? session.reading(check.patch)->lab : session.record(check.patch).labD50;
                HPDF_Page_Circle(page, static_cast<HPDF_REAL>(centreX + lab[1] * scale),
                                 static_cast<HPDF_REAL>(centreY + lab[2] * scale), 1.0f);
            }
            HPDF_Page_Fill(page);
        };
        HPDF_Page_SetGrayFill(page, 0);
        dots(false);
        HPDF_Page_SetRGBFill(page, 0.85f, 0.05f, 0.05f);
        dots(true);
        HPDF_Page_SetGrayFill(page, 0);
    }

    void swatch(double left, const double* lab)
    {
        unsigned char rgb[3] = {};
        KxCMSLabToRGB(nullptr, lab[0], lab[1], lab[2], rgb);
        HPDF_Page_SetRGBFill(page, rgb[0] / 255.0f, rgb[1] / 255.0f, rgb[2] / 255.0f);
        HPDF_Page_SetGrayStroke(page, 0.5f);
        HPDF_Page_SetLineWidth(page, 0.3f);
        rectangle(left, y - 3, SWATCH, SWATCH);
        HPDF_Page_FillStroke(page);
        HPDF_Page_SetGrayFill(page, 0);
    }

    void patchTable(const std::vector<ChartPatchCheck>& checks)
    {
        const double x[] = {MARGIN, MARGIN + 28, MARGIN + 120, MARGIN + 190, MARGIN + 290, MARGIN + 390, MARGIN + 430,
                            MARGIN + 480};
        const char* const heads[] = {"ID", "Name", session.device() == ChartDevice::Rgb ? "R/G/B" : "C/M/Y/K %",
                                     "Predicted Lab", "Measured Lab", "CIE76", "CIEDE2000",
                                     "Pred. / Meas."};
        y -= LINE;
        for (int column = 0; column < 8; ++column)
            showText(page, fonts.bold, SMALL_SIZE + 0.5, x[column], y, heads[column], 88);
        for (const ChartPatchCheck& check : checks) {
            if (y - ROW < MARGIN + LINE)
                newPage();
            y -= ROW;
            const KxChartPoint& record = session.record(check.patch);
            const double* measured = session.reading(check.patch)->lab;
            const std::string cells[] = {std::to_string(check.patch + 1),
                                         ChartPatchColours::nameOf(record, check.patch + 1),
                                         deviceText(record),
                                         labText(record.labD50),
                                         labText(measured),
                                         fixed(check.deltaE76, 2),
                                         fixed(check.deltaE2000, 2)};
            for (int column = 0; column < 7; ++column)
                showText(page, fonts.regular, SMALL_SIZE + 0.5, x[column], y, cells[column], x[column + 1] - x[column] - 4);
            swatch(x[7], record.labD50);
            swatch(x[7] + SWATCH, measured);
        }
    }

    HPDF_Doc document;
    const ChartVerification& verification;
    const ChartMeasurementSession& session;
    const ChartTolerance* tolerance;
    const ChartPrintTitle& title;
    TextFonts fonts;
    HPDF_Page page = nullptr;
    std::vector<HPDF_Page> pages;
    double y = 0; // the baseline of the line last written, in points from the page's foot
};

} // namespace

KxWriteResult ChartReportPdf::write(const ChartVerification& verification, const ChartTolerance* tolerance,
                                    const ChartPrintTitle& title, const char* path)
{
    bool failed = false;
    const Document document = newDocument(&failed);
    if (!document)
        return KxWriteResult::failed(KxWriteResult::Writing, ENOMEM);
    HPDF_Doc pdf = document.get();
    HPDF_SetCompressionMode(pdf, HPDF_COMP_ALL);
    HPDF_SetInfoAttr(pdf, HPDF_INFO_TITLE, ("Verification report: " + title.chart).c_str());
    HPDF_SetInfoAttr(pdf, HPDF_INFO_CREATOR, "Quenwick Tintora version " TINTORA_VERSION);
    HPDF_SetInfoDateAttr(pdf, HPDF_INFO_CREATION_DATE, pdfDate(title.created));
    ReportWriter(pdf, verification, tolerance, title).write();
    const std::vector<unsigned char> bytes = bytesOf(pdf, failed);
    if (bytes.empty()) // the PDF library could not make the document
        return KxWriteResult::failed(KxWriteResult::Writing, ENOMEM);
    return Kx_writeFile(path, bytes.data(), bytes.size());
}
