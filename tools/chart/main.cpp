// tintora-chart --profile P.icc [--patches N] [--monitor M.icc] [--swatches FILE]
//               [--ps FILE] [--cgats FILE]
//               [--readings FILE [--average-repeats] [--measurements OUT]]
// tintora-chart --help | --version
//
// Builds a colour check chart the way the chart window does: from the
// profile's gamut culled to N patches (8 to 512, 64 by default), or from the
// colours of a swatch file through the profile. Prints the same progress
// lines, then writes the PostScript page and the ISO 12642 target file asked
// for. Given readings (a measurement file, or plain text with one "L a b" a
// line in patch order), it prints one summary line of them and writes them
// as a measurement file if asked; a set whose ink is not that of the patch
// it names, or a patch named twice (unless asked to average them), refuses
// the readings. Exits 0 on success and 1 with a one-line message otherwise
// (2 for a malformed command line, or one that asks for no output).

#include "ChartConversions.h"
#include "ChartGrid.h"
#include "ChartMeasurementSession.h"
#include "ChartPatchColours.h"
#include "ChartPatchCount.h"
#include "ChartPostScript.h"
#include "ChartSwatches.h"
#include "KxChartPointList.h"

#include <ExportISO12642.h>
#include <KxCOMBOCOLOUR_CC.h>
#include <KxCmsIcc.h>
#include <KxPacket.h>
#include <KxSupport.h>
#include <SwatchImporter.h>
#include <TintoraVersion.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

namespace {

struct Options {
    const char* profile = nullptr;
    const char* monitor = nullptr;
    const char* swatches = nullptr;
    const char* postscript = nullptr;
    const char* cgats = nullptr;
    const char* patches = nullptr;
    const char* readings = nullptr;
    const char* measurements = nullptr;
    bool averageRepeats = false;
    bool helpWanted = false;
    bool versionWanted = false;

    // Readings give their summary line, and may be written as a measurement file.
    bool writesSomething() const { return postscript || cgats || readings; }
};

const char* const USAGE = "usage: tintora-chart --profile P.icc [--patches N] [--monitor M.icc] [--swatches FILE]"
                          " [--ps FILE] [--cgats FILE]\n"
                          "                     [--readings FILE [--average-repeats] [--measurements OUT]]\n"
                          "       tintora-chart --help | --version\n";

int usage()
{
    std::fputs(USAGE, stderr);
    return 2;
}

int fail(const std::string& message)
{
    std::fprintf(stderr, "tintora-chart: %s\n", message.c_str());
    return 1;
}

bool parse(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const char* name = argv[i];
        const char** value = nullptr;
        if (!std::strcmp(name, "--help") || !std::strcmp(name, "-h")) {
            options.helpWanted = true;
            return true;
        }
        if (!std::strcmp(name, "--version")) {
            options.versionWanted = true;
            return true;
        }
        if (!std::strcmp(name, "--average-repeats")) {
            options.averageRepeats = true;
            continue;
        }
        if (!std::strcmp(name, "--profile"))
            value = &options.profile;
        else if (!std::strcmp(name, "--monitor"))
            value = &options.monitor;
        else if (!std::strcmp(name, "--swatches"))
            value = &options.swatches;
        else if (!std::strcmp(name, "--ps"))
            value = &options.postscript;
        else if (!std::strcmp(name, "--cgats"))
            value = &options.cgats;
        else if (!std::strcmp(name, "--patches"))
            value = &options.patches;
        else if (!std::strcmp(name, "--readings"))
            value = &options.readings;
        else if (!std::strcmp(name, "--measurements"))
            value = &options.measurements;
        if (!value || i + 1 >= argc)
            return false;
        *value = argv[++i];
    }
    return options.profile != nullptr;
}

// The patch count, or 0 when the text is not a whole number the chart allows.
long patchCount(const char* text)
{
    if (!text)
        return ChartPatchCount::DEFAULT;
    char* end = nullptr;
    errno = 0;
    const long count = std::strtol(text, &end, 10);
    if (errno || end == text || *end || !ChartPatchCount::allowed(count))
        return 0;
    return count;
}

int generate(const Options& options, unsigned long count, KxChartPointList& chart)
{
    ChartConversions conversions;
    if (!conversions.openForGeneration(options.profile, options.monitor))
        return fail(std::string(options.profile)
                    + " is refused: not a readable RGB or CMYK input, display or output profile"
                    + (options.monitor ? ", or the monitor profile cannot be used" : ""));
    if (conversions.profile()->inputSpace != icSigCmykData)
        return fail(std::string(options.profile) + " is an RGB profile: only a CMYK profile gives patches");
    // The monitor profile is checked above, but no file holds display colours.
    if (ChartGrid::generateForFiles(&chart.first, conversions.profile(), count, standardOutputProgress()) != 0)
        return fail("out of memory while building the chart");
    return 0;
}

int readSwatches(const Options& options, KxChartPointList& chart)
{
    SwatchImporter::SwatchType type = SwatchImporter::SWATCH_UNKNOWN;
    std::string whyNot;
    KxCOMBOCOLOUR* first = SwatchImporter::import(options.swatches, type, 0, &whyNot);
    if (!first)
        return fail(std::string("no colours could be read from ") + options.swatches + ": " + whyNot);
    ChartConversions conversions;
    if (!conversions.openForSwatches(options.profile, options.monitor)) {
        KxPacketFreeList(&first, KX_PACKET_COMBOCOLOUR);
        return fail(std::string(options.profile) + " is refused: swatches need a CMYK output profile"
                    + (options.monitor ? ", and a usable monitor profile" : ""));
    }
    ChartSwatches::build(&chart.first, first, conversions.profile(), conversions.monitor());
    KxPacketFreeList(&first, KX_PACKET_COMBOCOLOUR);
    return 0;
}

// Prints the summary of the readings and writes them as a measurement file
// when asked.
int reportReadings(const Options& options, ChartMeasurementSession& session)
{
    std::printf("%s\n", session.summary().line().c_str());
    if (options.measurements && !session.save(options.measurements, std::time(nullptr)))
        return fail(std::string("the measurements could not be written to ") + options.measurements);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!parse(argc, argv, options))
        return usage();
    if (options.helpWanted) {
        std::fputs(USAGE, stdout);
        return 0;
    }
    if (options.versionWanted) {
        std::puts(TINTORA_VERSION);
        return 0;
    }
    const long count = patchCount(options.patches);
    if (!count)
        return fail("the number of patches must be a whole number from " + std::to_string(ChartPatchCount::MINIMUM)
                    + " to " + std::to_string(ChartPatchCount::MAXIMUM) + ", not " + options.patches);
    if (options.swatches && options.patches)
        return fail("--patches does not apply to a chart read from --swatches");
    if (options.measurements && !options.readings)
        return fail("--measurements needs the readings to write, from --readings");
    if (options.averageRepeats && !options.readings)
        return fail("--average-repeats needs the readings to average, from --readings");
    if (!options.writesSomething()) {
        std::fputs("tintora-chart: nothing to write: give --ps FILE, --cgats FILE or --readings FILE\n", stderr);
        return usage();
    }

    Kx_InitSubSystems(0);
    LogErrorLogtofile(0);
    KxInitGlobals();
    KxInitStorageClasses();

    KxChartPointList chart;
    const int built = options.swatches ? readSwatches(options, chart)
                                       : generate(options, static_cast<unsigned long>(count), chart);
    if (built != 0)
        return built;

    // Readings are checked before anything is written.
    ChartMeasurementSession session(chart.first);
    if (options.readings) {
        std::string whyNot;
        ChartMeasurementSession::LoadOutcome outcome;
        if (!session.load(options.readings, options.averageRepeats, outcome, whyNot))
            return fail(std::string(options.readings) + ": " + whyNot);
        if (!outcome.refused.empty())
            return fail(std::string(options.readings) + ": " + outcome.refusalLine());
        if (session.readings().empty())
            return fail(std::string(options.readings) + " holds no readings");
    }

    if (options.postscript && !ChartPostScript::write(chart.first, options.postscript, std::time(nullptr)))
        return fail(std::string("the chart could not be written to ") + options.postscript);
    if (options.cgats) {
        KxCOMBOCOLOUR_CC colours;
        if (!ChartPatchColours::collect(chart.first, colours))
            return fail("out of memory while gathering the chart's colours");
        if (!ExportISO12642::exportColours(options.cgats, nullptr, colours, icSigLabData))
            return fail(std::string("the target file could not be written to ") + options.cgats);
    }
    return options.readings ? reportReadings(options, session) : 0;
}
