// tintora-profile --readings R.ti3 --out P.icc [--description TEXT] [--ink-limit PERCENT]
//                 [--black-limit PERCENT] [--black none|light|medium|heavy|max]
//                 [--quality low|medium|high] [--source-gamut PROFILE]
// tintora-profile --help | --version
//
// Makes a printer profile from measured readings of printed patches (a
// measurement file of ours, or a .ti3 with CMYK or RGB and Lab or XYZ): a
// CMYK profile from CMYK readings, an RGB one from the readings of a printer
// driven through RGB (RGB_R RGB_G RGB_B, 100 full), which takes no ink or
// black options; the perceptual and saturation tables map from the gamut of
// --source-gamut's profile, or from sRGB and Adobe RGB together. Shows its
// progress on standard error when that is a terminal, and ends with one
// summary line on standard output: the readings, how closely the fit
// follows them (CIE 1976) and the time taken. Exits 0 on success, 1 with a
// one-line message when the readings or the source gamut's profile are
// refused or the profile cannot be written, and 2 with a line saying why and the usage for a malformed command
// line (an unknown option or value, or a limit out of its range).

#include "PrinterProfiler.h"
#include "PrinterReadings.h"
#include "SourceGamut.h"

#include <CgatsReadingsReader.h>
#include <Companion.h>
#include <KxFileNameText.h>
#include <KxWholeNumber.h>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr double LOWEST_INK_LIMIT = InkLimits::LOWEST_TOTAL * 100.0;
constexpr double HIGHEST_INK_LIMIT = InkLimits::HIGHEST_TOTAL * 100.0;

struct Options {
    const char* readings = nullptr;
    const char* out = nullptr;
    const char* description = nullptr;
    const char* inkLimit = nullptr;
    const char* blackLimit = nullptr;
    const char* black = nullptr; // medium
    const char* quality = "medium";
    const char* sourceGamut = nullptr;
    bool helpWanted = false;
    bool versionWanted = false;
};

const char* const USAGE = "usage: tintora-profile --readings R.ti3 --out P.icc [--description TEXT]"
                          " [--ink-limit PERCENT] [--black-limit PERCENT]\n"
                          "                       [--black none|light|medium|heavy|max] [--quality low|medium|high]\n"
                          "                       [--source-gamut PROFILE]\n"
                          "       tintora-profile --help | --version\n";

const Companion tool("tintora-profile", USAGE);

template <typename Value, std::size_t Count>
bool choose(const char* word, const char* const (&names)[Count], const Value (&values)[Count], Value& chosen)
{
    for (std::size_t i = 0; i < Count; ++i)
        if (!std::strcmp(word, names[i])) {
            chosen = values[i];
            return true;
        }
    return false;
}

const char* const BLACK_NAMES[] = {"none", "light", "medium", "heavy", "max"};
const BlackGeneration::Kind BLACK_KINDS[] = {BlackGeneration::None, BlackGeneration::Light, BlackGeneration::Medium,
                                             BlackGeneration::Heavy, BlackGeneration::Max};
const char* const QUALITY_NAMES[] = {"low", "medium", "high"};
const ProfileQuality::Level QUALITY_LEVELS[] = {ProfileQuality::Low, ProfileQuality::Medium, ProfileQuality::High};

// Reads the command line into options; why it is malformed, or empty.
std::string parse(int argc, char** argv, Options& options)
{
    const std::string why = Companion::readOptions(
        argc, argv,
        {{"--readings", options.readings}, {"--out", options.out}, {"--description", options.description},
         {"--ink-limit", options.inkLimit}, {"--black-limit", options.blackLimit}, {"--black", options.black},
         {"--quality", options.quality}, {"--source-gamut", options.sourceGamut}},
        options.helpWanted, options.versionWanted);
    if (!why.empty() || options.helpWanted || options.versionWanted)
        return why;
    if (!options.readings || !options.out)
        return "both --readings and --out are needed";
    return {};
}

// A percentage from lowest to highest, as a fraction; false when the text is none.
bool percentage(const char* text, double lowest, double highest, double& fraction)
{
    double value = 0.0;
    if (!Kx_decimalNumber(text, value) || !(value >= lowest && value <= highest))
        return false;
    fraction = value / 100.0;
    return true;
}

// The file's name without its folder and extension.
std::string stem(const char* path)
{
    std::string name = path;
    const std::size_t slash = name.find_last_of('/');
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0)
        name.erase(dot);
    return name;
}

// The readings' device values: CMYK inks, or R, G, B, as the file's
// COLOR_REP (else its fields) names its device.
bool readMeasurements(const char* path, std::vector<PrinterMeasurement>& measurements, std::string& whyNot)
{
    std::vector<CgatsReading> sets;
    if (!CgatsReadingsReader::readFile(path, sets, whyNot))
        return false;
    for (const CgatsReading& set : sets) {
        PrinterMeasurement measurement{};
        if (set.device == "RGB" && set.hasRgb) {
            measurement.device = PrinterDevice::Rgb;
            std::copy(set.rgb, set.rgb + 3, measurement.inks);
        } else if (set.device == "CMYK" && set.hasInks) {
            std::copy(set.inks, set.inks + 4, measurement.inks);
        } else {
            whyNot = "Set " + std::to_string(measurements.size() + 1)
                     + " of the readings has neither CMYK ink values (CMYK_C, CMYK_M, CMYK_Y, CMYK_K)"
                       " nor RGB values (RGB_R, RGB_G, RGB_B).";
            return false;
        }
        std::copy(set.lab, set.lab + 3, measurement.lab);
        measurements.push_back(measurement);
    }
    return true;
}

// Progress on a terminal: one line, rewritten in place.
void showProgress(const char* stage, double fraction)
{
    std::fprintf(stderr, "\rtintora-profile: %-10s %3d %%", stage, int(fraction * 100.0 + 0.5));
    if (fraction >= 1.0)
        std::fputc('\n', stderr);
    std::fflush(stderr);
}

} // namespace

int main(int argc, char** argv)
{
    const auto started = std::chrono::steady_clock::now();
    Options options;
    PrinterProfiler::Settings settings;
    ProfileQuality::Level level = ProfileQuality::Medium;
    const std::string why = parse(argc, argv, options);
    if (tool.answeredHelpOrVersion(options.helpWanted, options.versionWanted))
        return Companion::Succeeded;
    if (!why.empty())
        return tool.malformed(why);
    if (options.black && !choose(options.black, BLACK_NAMES, BLACK_KINDS, settings.black))
        return tool.malformed(std::string("--black takes none, light, medium, heavy or max, not ")
                              + Kx_quotedFileName(options.black));
    if (!choose(options.quality, QUALITY_NAMES, QUALITY_LEVELS, level))
        return tool.malformed(std::string("--quality takes low, medium or high, not ")
                              + Kx_quotedFileName(options.quality));
    settings.quality = ProfileQuality::of(level);
    if (options.inkLimit && !percentage(options.inkLimit, LOWEST_INK_LIMIT, HIGHEST_INK_LIMIT, settings.limits.total))
        return tool.malformed("the ink limit must be a percentage from 100 to 400, not "
                              + Kx_quotedFileName(options.inkLimit));
    if (options.blackLimit && !percentage(options.blackLimit, 0.0, 100.0, settings.limits.black))
        return tool.malformed("the black limit must be a percentage from 0 to 100, not "
                              + Kx_quotedFileName(options.blackLimit));
    if (options.description && !KxCmsPrinterProfile::isSoundText(options.description))
        return tool.fail("the description is not UTF-8 text");
    settings.description = options.description ? options.description : stem(options.out);
    settings.copyright = PrinterProfiler::FREE_COPYRIGHT;

    if (const int refused = tool.checkOutputs({{"--out", options.out, "the profile"}},
                                              {{"--readings", options.readings},
                                               {"--source-gamut", options.sourceGamut}}))
        return refused;

    std::string whyNot;
    if (options.sourceGamut && !SourceGamut::ofProfile(options.sourceGamut, settings.sourceGamut, whyNot))
        return tool.fail(whyNot);

    std::vector<PrinterMeasurement> measurements;
    PrinterReadings readings;
    if (!readMeasurements(options.readings, measurements, whyNot)
        || !readings.take(measurements, settings.quality.minimumPatches, whyNot))
        return tool.fail(Kx_quotedFileName(options.readings) + ": " + whyNot);
    if (readings.device() == PrinterDevice::Rgb && (options.inkLimit || options.blackLimit || options.black))
        return tool.fail(Kx_quotedFileName(options.readings)
                         + " holds RGB readings: --ink-limit, --black-limit and --black are for CMYK readings only.");

    const ProfileProgress progress(isatty(STDERR_FILENO) ? ProfileProgress::Callback(showProgress)
                                                         : ProfileProgress::Callback(),
                                   nullptr);
    KxCmsPrinterProfile profile;
    PrinterProfiler::Figures figures;
    if (!PrinterProfiler::make(readings, settings, progress, profile, figures, whyNot))
        return tool.fail("the profile cannot be made: " + whyNot);
    if (!profile.write(options.out, whyNot))
        return tool.fail(Kx_quotedFileName(options.out) + ": " + whyNot);

    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("%zu patches, self-fit mean dE76 %.2f, maximum %.2f, %.2f s\n", measurements.size(),
                figures.selfFitMean, figures.selfFitLargest, seconds);
    return Companion::Succeeded;
}
