// tintora-chart --profile P.icc [--patches N] [--controls] [--monitor M.icc] [--swatches FILE]
//               [--device cmyk [--ink-limit P] | --device rgb]
//               [--ps FILE] [--cgats FILE] [--ti1 FILE]
//               [--readings FILE [--average-repeats] [--measurements OUT]
//                [--tolerance NAME|LIMITS] [--report OUT.pdf] [--csv OUT.csv]]
//               [--pdf FILE [--paper A4|A3|Letter|Legal|WxH] [--patch-mm N] [--gap-mm N] [--margin-mm N]]
// tintora-chart --device cmyk|rgb [--patches N] [--ink-limit P] [--ps FILE] [--cgats FILE] [--ti1 FILE] [--pdf ...]
// tintora-chart --help | --version
//
// Builds a colour check chart the way the chart window does: from the
// printer profile's gamut culled to N patches (RGB patches from the profile
// of a printer driven through RGB), with the control patches after them
// if asked, or from the colours of a swatch file through the profile; with
// --device, as a chart to profile the printer from (see ChartProfilingChart),
// within an ink limit in percent if one is given; with --device and no
// profile, for a printer that has none yet, spread evenly over its inks (or
// R, G, B values), with a rough printer model's colours, which the chart's
// files then carry. Prints
// the same progress lines, then writes the PostScript page, the ISO 12642
// target file, the Argyll target description and the print layout asked
// for (PDF pages on real paper: A4 by default where the user's paper
// setting, LC_PAPER, is A4, Letter otherwise). Given readings (a measurement
// file, or plain text with one "L a b" a line in patch order), it prints one
// summary line of them and writes them as a measurement file if asked; a set
// whose ink is not that of the patch it names, or a patch named twice
// (unless asked to average them), refuses the readings. Given a tolerance,
// it prints whether the readings keep within it; it writes a verification
// report (PDF) and the patches with their readings as CSV if asked. Exits 0
// on success, 3 when the readings fail the tolerance or none of its limits
// could be checked, and 1 with a one-line message otherwise; a malformed
// command line, or one that asks for no output, exits 2 with a line saying
// why and the usage.

#include "ChartArgyllTarget.h"
#include "ChartControls.h"
#include "ChartConversions.h"
#include "ChartGrid.h"
#include "ChartMeasurementSession.h"
#include "ChartPatchColours.h"
#include "ChartPatchCount.h"
#include "ChartPdf.h"
#include "ChartPrintLayout.h"
#include "ChartProfilingChart.h"
#include "ChartPostScript.h"
#include "ChartSwatches.h"
#include "ChartReportPdf.h"
#include "ChartTolerance.h"
#include "ChartVerdict.h"
#include "ChartVerification.h"
#include "ChartVerificationCsv.h"
#include "KxChartPointList.h"

#include <Companion.h>
#include <ExportISO12642.h>
#include <KxCOMBOCOLOUR_CC.h>
#include <KxCmsIcc.h>
#include <KxCmsProfileDescription.h>
#include <KxFileInfo.h>
#include <KxFileNameText.h>
#include <KxPacket.h>
#include <KxSupport.h>
#include <KxWholeNumber.h>
#include <SwatchImporter.h>
#include <TintoraVersion.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

namespace {

struct Options {
    const char* profile = nullptr;
    const char* monitor = nullptr;
    const char* swatches = nullptr;
    const char* postscript = nullptr;
    const char* cgats = nullptr;
    long patches = ChartPatchCount::DEFAULT;
    const char* readings = nullptr;
    const char* measurements = nullptr;
    const char* ti1 = nullptr;
    bool controls = false;
    const char* pdf = nullptr;
    const char* paper = nullptr;
    const char* patchMm = nullptr;
    const char* gapMm = nullptr;
    const char* marginMm = nullptr;
    const char* tolerance = nullptr;
    const char* report = nullptr;
    const char* csv = nullptr;
    const char* device = nullptr;
    long inkLimit = 0;
    ChartTolerance check;
    ChartPrintSettings printLayout;
    bool averageRepeats = false;
    bool helpWanted = false;
    bool versionWanted = false;

    // Readings give their summary line, and may be written as a measurement file.
    bool writesSomething() const { return postscript || cgats || ti1 || readings || pdf; }
    bool shapesPrintLayout() const { return paper || patchMm || gapMm || marginMm; }
};

const char* const USAGE = "usage: tintora-chart --profile P.icc [--patches N] [--controls] [--monitor M.icc]"
                          " [--swatches FILE]\n"
                          "                     [--device cmyk [--ink-limit P] | --device rgb]\n"
                          "                     [--ps FILE] [--cgats FILE] [--ti1 FILE]"
                          " [--readings FILE [--average-repeats] [--measurements OUT]\n"
                          "                      [--tolerance NAME|LIMITS] [--report OUT.pdf] [--csv OUT.csv]]\n"
                          "                     [--pdf FILE [--paper A4|A3|Letter|Legal|WxH] [--patch-mm N]"
                          " [--gap-mm N] [--margin-mm N]]\n"
                          "       tintora-chart --device cmyk|rgb [--patches N] [--ink-limit P] [--ps FILE] [--cgats FILE]"
                          " [--ti1 FILE]\n"
                          "                     [--pdf FILE ...]\n"
                          "       tintora-chart --help | --version\n";

const Companion tool("tintora-chart", USAGE);

// A length in millimetres given as text, when one is given; false when the
// text is not a plain decimal number.
bool millimetres(const char* text, double& value)
{
    return !text || Kx_decimalNumber(text, value);
}

// The print layout the options ask for; why it cannot be, or empty.
std::string whyNotPrintable(const Options& options, ChartPrintSettings& settings)
{
    std::string whyNot;
    if (options.paper && !ChartPaper::fromText(options.paper, settings.paper, whyNot))
        return whyNot;
    if (!millimetres(options.patchMm, settings.patchMm) || !millimetres(options.gapMm, settings.gapMm)
        || !millimetres(options.marginMm, settings.marginMm))
        return "--patch-mm, --gap-mm and --margin-mm take a number of millimetres";
    if (!ChartPrintLayout::check(settings, whyNot))
        return whyNot;
    return {};
}

// Reads the command line into options; why it is malformed, or empty.
std::string parse(int argc, char** argv, Options& options)
{
    const char* patches = nullptr;
    const char* inkLimit = nullptr;
    const std::string why = Companion::readOptions(
        argc, argv,
        {{"--profile", options.profile}, {"--patches", patches}, {"--controls", options.controls},
         {"--monitor", options.monitor}, {"--swatches", options.swatches}, {"--ps", options.postscript},
         {"--cgats", options.cgats}, {"--ti1", options.ti1}, {"--readings", options.readings},
         {"--average-repeats", options.averageRepeats}, {"--measurements", options.measurements},
         {"--tolerance", options.tolerance}, {"--report", options.report}, {"--csv", options.csv},
         {"--pdf", options.pdf}, {"--paper", options.paper}, {"--patch-mm", options.patchMm},
         {"--gap-mm", options.gapMm}, {"--margin-mm", options.marginMm}, {"--device", options.device},
         {"--ink-limit", inkLimit}},
        options.helpWanted, options.versionWanted);
    if (!why.empty() || options.helpWanted || options.versionWanted)
        return why;
    if (!options.profile && !options.device)
        return "--profile is needed, or --device for a printer that has no profile yet";
    // With no profile the chart's colours are a rough model's: nothing to
    // check readings against, nor to predict control patches by.
    if (!options.profile && (options.readings || options.controls || options.monitor))
        return std::string(options.readings ? "--readings" : options.controls ? "--controls" : "--monitor")
            + " needs the printer's profile, from --profile";
    if (patches
        && !Kx_wholeNumber(patches, ChartPatchCount::MINIMUM, ChartPatchCount::COMMAND_LINE_MAXIMUM,
                           options.patches))
        return "the number of patches must be a whole number from " + std::to_string(ChartPatchCount::MINIMUM)
               + " to " + std::to_string(ChartPatchCount::COMMAND_LINE_MAXIMUM) + ", not "
               + Kx_quotedFileName(patches);
    if (options.device && std::string(options.device) != "cmyk" && std::string(options.device) != "rgb")
        return "--device takes cmyk or rgb, not " + Kx_quotedFileName(options.device);
    if (inkLimit && options.device && std::string(options.device) == "rgb")
        return "--ink-limit applies to a CMYK printer: an RGB printer's driver limits its own ink";
    if (options.device && options.swatches)
        return "--device makes a chart of its own: it does not apply to --swatches";
    if (inkLimit && !options.device)
        return "--ink-limit applies to a chart made with --device";
    if (inkLimit
        && !Kx_wholeNumber(inkLimit, ChartProfilingSampler::LEAST_INK_LIMIT, ChartProfilingSampler::MOST_INK_LIMIT,
                           options.inkLimit))
        return "the ink limit must be a whole percentage from " + std::to_string(ChartProfilingSampler::LEAST_INK_LIMIT)
            + " to " + std::to_string(ChartProfilingSampler::MOST_INK_LIMIT) + ", not " + Kx_quotedFileName(inkLimit);
    if (options.swatches && patches)
        return "--patches does not apply to a chart read from --swatches";
    if (options.swatches && options.controls)
        return "--controls does not apply to a chart read from --swatches";
    if (options.measurements && !options.readings)
        return "--measurements needs the readings to write, from --readings";
    if (options.averageRepeats && !options.readings)
        return "--average-repeats needs the readings to average, from --readings";
    for (const auto& [option, given] : {std::pair{"--tolerance", options.tolerance}, {"--report", options.report},
                                         {"--csv", options.csv}})
        if (given && !options.readings)
            return std::string(option) + " needs the readings to check, from --readings";
    std::string whyNot;
    if (options.tolerance && !ChartTolerance::fromText(options.tolerance, options.check, whyNot))
        return whyNot;
    if (!options.writesSomething())
        return "nothing to write: give --ps FILE, --cgats FILE, --ti1 FILE, --pdf FILE or --readings FILE";
    if (options.shapesPrintLayout() && !options.pdf)
        return "--paper, --patch-mm, --gap-mm and --margin-mm shape the --pdf pages: give --pdf FILE";
    return options.pdf ? whyNotPrintable(options, options.printLayout) : std::string();
}

// "cmyk" or "rgb", as --device names the device.
std::string lowerCaseName(ChartDevice device)
{
    return device == ChartDevice::Rgb ? "rgb" : "cmyk";
}

int generate(const Options& options, unsigned long count, KxChartPointList& chart)
{
    if (!options.profile) {
        const ChartDevice device = options.device == lowerCaseName(ChartDevice::Rgb) ? ChartDevice::Rgb
                                                                                     : ChartDevice::Cmyk;
        return ChartProfilingChart::generateWithoutProfile(&chart.first, device, nullptr, static_cast<int>(count),
                                                           static_cast<double>(options.inkLimit)) == 0
            ? 0
            : tool.fail("out of memory while building the chart");
    }
    ChartConversions conversions;
    if (!conversions.openForGeneration(options.profile, options.monitor))
        return tool.fail(conversions.whyNot());
    if (!ChartConversions::givesPatches(conversions.profile()))
        return tool.fail(ChartConversions::whyNoPatches(conversions.profile(), options.profile));
    const ChartDevice device = ChartConversions::deviceOf(conversions.profile());
    if (options.device && options.device != lowerCaseName(device))
        return tool.fail(Kx_quotedFileName(options.profile) + " is a profile of " + ChartDevices::name(device)
                         + " printers, not of --device " + options.device);
    // The monitor profile is checked above, but no file holds display colours.
    const int made = options.device
        ? ChartProfilingChart::generate(&chart.first, conversions.profile(), nullptr, static_cast<int>(count),
                                        static_cast<double>(options.inkLimit))
        : ChartGrid::generateForFiles(&chart.first, conversions.profile(), count, standardOutputProgress());
    if (made != 0
        || (options.controls && ChartControls::append(&chart.first, conversions.profile(), nullptr) != 0))
        return tool.fail("out of memory while building the chart");
    return 0;
}

int readSwatches(const Options& options, KxChartPointList& chart)
{
    SwatchImporter::SwatchType type = SwatchImporter::SWATCH_UNKNOWN;
    std::string whyNot;
    KxCOMBOCOLOUR* first = SwatchImporter::import(options.swatches, type, 0, &whyNot);
    if (!first)
        return tool.fail("no colours could be read from " + Kx_quotedFileName(options.swatches) + ": " + whyNot);
    ChartConversions conversions;
    if (!conversions.openForSwatches(options.profile, options.monitor)) {
        KxPacketFreeList(&first, KX_PACKET_COMBOCOLOUR);
        return tool.fail(conversions.whyNot());
    }
    ChartSwatches::build(&chart.first, first, conversions.profile(), conversions.monitor());
    KxPacketFreeList(&first, KX_PACKET_COMBOCOLOUR);
    return 0;
}

// Writes the Argyll target description, with the paper and the solids
// worked out through the chart's profile.
int writeArgyllTarget(const Options& options, const KxChartPointList& chart)
{
    ChartConversions conversions;
    if (options.profile && !conversions.openForGeneration(options.profile, nullptr))
        return tool.fail(conversions.whyNot());
    const KxWriteResult written =
        ChartArgyllTarget::write(chart.first, conversions.profile(), options.ti1, std::time(nullptr));
    return written ? 0 : tool.fail(written.message("the Argyll target", options.ti1));
}

// Prints the summary of the readings and the verdict on them, and writes
// them as a measurement file, a verification report and CSV when asked.
int reportReadings(const Options& options, ChartMeasurementSession& session, const ChartPrintTitle& title)
{
    std::printf("%s\n", session.summary().line().c_str());
    const ChartVerification verification(session);
    const ChartTolerance* tolerance = options.tolerance ? &options.check : nullptr;
    const ChartVerdict verdict = tolerance ? ChartVerdict::of(verification, *tolerance) : ChartVerdict();
    if (tolerance)
        std::printf("%s\n", verdict.text(*tolerance).c_str());
    if (options.measurements) {
        const KxWriteResult written = session.save(options.measurements, std::time(nullptr));
        if (!written)
            return tool.fail(written.message("the measurements", options.measurements));
    }
    if (options.report) {
        const KxWriteResult written = ChartReportPdf::write(verification, tolerance, title, options.report);
        if (!written)
            return tool.fail(written.message("the verification report", options.report));
    }
    if (options.csv) {
        const KxWriteResult written = ChartVerificationCsv::write(session, options.csv);
        if (!written)
            return tool.fail(written.message("the patch table", options.csv));
    }
    return verdict.passed() ? Companion::Succeeded : Companion::OutsideTolerance;
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    const std::string why = parse(argc, argv, options);
    if (tool.answeredHelpOrVersion(options.helpWanted, options.versionWanted))
        return Companion::Succeeded;
    if (!why.empty())
        return tool.malformed(why);

    if (const int refused = tool.checkOutputs(
            {{"--ps", options.postscript, "the chart"},
             {"--cgats", options.cgats, "the target file"},
             {"--ti1", options.ti1, "the Argyll target"},
             {"--measurements", options.measurements, "the measurements"},
             {"--pdf", options.pdf, "the print layout"},
             {"--report", options.report, "the verification report"},
             {"--csv", options.csv, "the patch table"}},
            {{"--profile", options.profile}, {"--monitor", options.monitor}, {"--swatches", options.swatches},
             {"--readings", options.readings}}))
        return refused;

    Kx_InitSubSystems(0);
    LogErrorLogtofile(0);
    KxInitGlobals();
    KxInitStorageClasses();

    KxChartPointList chart;
    const int built = options.swatches ? readSwatches(options, chart)
                                       : generate(options, static_cast<unsigned long>(options.patches), chart);
    if (built != 0)
        return built;

    // Readings are checked before anything is written.
    ChartMeasurementSession session(chart.first);
    if (options.readings) {
        std::string whyNot;
        ChartMeasurementSession::LoadOutcome outcome;
        if (!session.load(options.readings, options.averageRepeats, outcome, whyNot))
            return tool.fail(Kx_quotedFileName(options.readings) + ": " + whyNot);
        if (!outcome.refused.empty())
            return tool.fail(Kx_quotedFileName(options.readings) + ": " + outcome.refusalLine());
        if (session.readings().empty())
            return tool.fail(Kx_quotedFileName(options.readings) + " holds no readings");
    }

    if (options.postscript) {
        const KxWriteResult written = ChartPostScript::write(chart.first, options.postscript, std::time(nullptr));
        if (!written)
            return tool.fail(written.message("the chart", options.postscript));
    }
    if (options.cgats) {
        KxCOMBOCOLOUR_CC colours;
        if (!ChartPatchColours::collect(chart.first, colours))
            return tool.fail("out of memory while gathering the chart's colours");
        const KxWriteResult written = ExportISO12642::exportColours(options.cgats, nullptr, colours, icSigLabData);
        if (!written)
            return tool.fail(written.message("the target file", options.cgats));
    }
    if (options.ti1) {
        if (const int failed = writeArgyllTarget(options, chart))
            return failed;
    }
    ChartPrintTitle title;
    title.chart = options.swatches ? "Colour check chart: " + KxFileInfo::filenameFromPath(options.swatches)
                                   : std::string("Colour check chart");
    title.profile = options.profile ? KxFileInfo::filenameFromPath(options.profile) : std::string("none");
    title.profileDescription = options.profile ? Kx_profileDescription(options.profile) : std::string();
    title.created = std::time(nullptr);
    if (options.pdf) {
        const KxWriteResult written = ChartPdf::write(chart.first, options.printLayout, title, options.pdf);
        if (!written)
            return tool.fail(written.message("the print layout", options.pdf));
    }
    return options.readings ? reportReadings(options, session, title) : 0;
}
