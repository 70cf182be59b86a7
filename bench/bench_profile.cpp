// tintora-profile against Argyll's colprof on a simulated printer.
//
// The printer is a known profile (Ghostscript's default CMYK). Three
// 1,000-patch charts are "printed and measured" by Argyll's fakeread through
// the known profile with 0.5 % noise on the inks: one from Argyll's targen,
// and two of ours (tintora-chart --patches 1000 --controls, and the profiling
// chart tintora-chart --device cmyk --patches 1000). Both programs
// make a profile from the same readings with the same ink limit, each run
// as a whole process, alternately, ROUNDS times (the machine is shared, so
// the two are timed side by side). Then, for each profile:
// - forward: CIEDE2000 between its A2B1 and the known printer's A2B1 over
//   2,000 random inks (mean and 95th percentile);
// - inverse: Lab the known printer makes from random inks within the ink
//   limit, through the profile's B2A1 and back through the known printer's
//   A2B1 (mean CIEDE2000);
// - limits: the largest ink sum and black any B2A table gives over a Lab grid;
// - smoothness: a neutral ramp, L 5 to 100 in steps of 1, through B2A1 and
//   the profile's own A2B1: its L must rise and no step may be more than
//   three times the larger of its neighbours (plus 0.05);
// and the median times and their ratio.
//
// Then both are judged by what they print on a press: a profile colprof
// makes from Fogra's FOGRA39L characterisation data stands for the press;
// a 1,000-patch targen chart is printed on it with fakeread -r 0.5, both
// programs profile the readings (ink limit 300 %), and each profile's inks
// are printed through the press (its A2B1, LittleCMS in floating point):
// - paper white: the most ink any B2A table gives Lab 100 0 0, through
//   LittleCMS in floating point, 16 and 8 bits, and Argyll's xicclu;
// - neutral ramp: Lab L 100 to 0 in steps of 1 through B2A1: the largest
//   printed C* and the largest change of one ink between neighbours;
// - sRGB through B2A0 (sRGB.icc, perceptual): the printed chroma of the six
//   primaries and secondaries, ours as a share of colprof's; a hue circle
//   of full colours in 1-degree steps: its largest CIEDE2000 step over its
//   median step; white to yellow in 256 steps: the largest fall of C*;
// - gamut tag (xicclu -fg): how many of 2,000 colours the profile's own
//   A2B1 makes from admissible inks it flags (above 0), and what share of
//   a Lab grid it flags;
// and the median times.
//
// Then an RGB printer: the same press driven through an RGB driver, R, G, B
// giving C = 100 - R, M = 100 - G, Y = 100 - B, K = 0 (its colours through
// Argyll's xicclu). A targen -d2 -f1000 chart is printed on it and read as
// fakeread -r 0.5 reads (0.5 % mean device noise, written here from
// xicclu's values), both programs profile the readings, and each profile's
// A2B1 is set against the printer over 2,000 random RGB values (CIEDE2000
// mean and 95th percentile); both are judged on the press as above, and timed.
//
// Charts for a printer that has no profile yet: targen -d4 -f1000 and
// tintora-chart --device cmyk --patches 1000 (no --profile), each printed on
// the press with fakeread -r 0.5 under N noise seeds (3 unless told) and
// profiled by both programs (ink limit 300 %): forward CIEDE2000 mean and
// 95th percentile against the press over 2,000 random inks, per seed and
// averaged; then targen -d2 -f1000 and --device rgb the same way on the
// tests' RGB printer (no ink limit).
//
// On measured press data (Fogra's and the GRACoL characterisation sets),
// every 5th patch is held out and the rest fitted, by ours at each quality
// and by colprof -qm (and -qh when asked); each held-out patch's inks go
// through the profile's A2B1 and are set beside its measured Lab relative
// to the paper as that profile sees it (its media white tag): CIEDE2000
// mean and 95th percentile over all held-out patches and over those darker
// than L 30, and each program's time.
//
//   bench_profile [--rounds N] [--folder DIR] [--press-only] [--grabs DIR]
//                                               the whole comparison; --grabs
//                                               writes the ramps as PPM images
//   bench_profile --judge DIR [--grabs DIR]     the press figures of the profiles
//                                               an earlier run left in DIR
//   bench_profile --rgb [--rounds N] [--folder DIR] [--grabs DIR]
//                                               the RGB printer only (with --judge:
//                                               its profiles an earlier run left)
//   bench_profile --without-profile [--seeds N] [--folder DIR]
//                                               charts made with no profile only
//   bench_profile --held-out [--with-qh] [--folder DIR]
//                                               held-out measured data only
//   bench_profile --evaluate P.icc              figures of one profile

#include <lcms2.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

const char* const KnownPrinter = "/usr/share/color/icc/ghostscript/default_cmyk.icc";
constexpr int InkLimit = 300; // percent, for both programs
constexpr int ForwardColours = 2000;
constexpr int InverseColours = 2000;
constexpr double RampTolerance = 0.05;
const char* const PressData = "/usr/share/color/icc/FOGRA39L.ti3";
const char* const RgbPrinter = TINTORA_RGB_PRINTER;
const char* const Srgb = "/usr/share/color/icc/sRGB.icc";
constexpr int GamutColours = 2000;

struct Figures {
    double forwardMean = 0.0;
    double forward95 = 0.0;
    double inverseMean = 0.0;
    double largestSum = 0.0;   // percent
    double largestBlack = 0.0; // percent
    bool rampSmooth = false;
    double rampWorst = 0.0; // the largest step over three times its larger neighbour
};

struct Transform {
    cmsHTRANSFORM handle = nullptr;
    // Unoptimised unless told otherwise: the profiles themselves, in floating point.
    Transform(cmsHPROFILE from, cmsUInt32Number fromFormat, cmsHPROFILE to, cmsUInt32Number toFormat, int intent,
              cmsUInt32Number flags = cmsFLAGS_NOOPTIMIZE | cmsFLAGS_NOCACHE)
        : handle(cmsCreateTransform(from, fromFormat, to, toFormat, intent, flags))
    {
        if (!handle) {
            std::fprintf(stderr, "bench_profile: a transform cannot be made\n");
            std::exit(1);
        }
    }
    ~Transform() { cmsDeleteTransform(handle); }
    Transform(const Transform&) = delete;
    Transform& operator=(const Transform&) = delete;
    void operator()(const void* in, void* out) const { cmsDoTransform(handle, in, out, 1); }
};

struct Profile {
    cmsHPROFILE handle;
    explicit Profile(const char* path)
        : handle(path ? cmsOpenProfileFromFile(path, "r") : cmsCreateLab4Profile(nullptr))
    {
        if (!handle) {
            std::fprintf(stderr, "bench_profile: %s cannot be opened\n", path ? path : "Lab");
            std::exit(1);
        }
    }
    ~Profile() { cmsCloseProfile(handle); }
    Profile(const Profile&) = delete;
    Profile& operator=(const Profile&) = delete;
};

double deltaE2000(const cmsCIELab& first, const cmsCIELab& second)
{
    return cmsCIE2000DeltaE(&first, &second, 1.0, 1.0, 1.0);
}

// Forward accuracy: CIEDE2000 between the profile's A2B1 and the printer's
// over ForwardColours random device colours drawn from random (CMYK inks,
// or RGB with 3 channels); fills the mean and the 95th percentile of figures.
void evaluateForward(const Profile& printer, const Profile& built, std::mt19937& random, Figures& figures,
                     int channels = 4)
{
    const Profile lab(nullptr);
    const cmsUInt32Number device = channels == 3 ? TYPE_RGB_DBL : TYPE_CMYK_DBL;
    const Transform knownForward(printer.handle, device, lab.handle, TYPE_Lab_DBL, INTENT_RELATIVE_COLORIMETRIC);
    const Transform builtForward(built.handle, device, lab.handle, TYPE_Lab_DBL, INTENT_RELATIVE_COLORIMETRIC);
    // LittleCMS takes floating-point CMYK in percent, RGB from 0 to 1.
    std::uniform_real_distribution<double> amount(0.0, channels == 3 ? 1.0 : 100.0);
    std::vector<double> forward;
    for (int n = 0; n < ForwardColours; ++n) {
        double values[4] = {};
        for (int channel = 0; channel < channels; ++channel)
            values[channel] = amount(random);
        cmsCIELab expected, got;
        knownForward(values, &expected);
        builtForward(values, &got);
        forward.push_back(deltaE2000(expected, got));
    }
    std::sort(forward.begin(), forward.end());
    for (double difference : forward)
        figures.forwardMean += difference / forward.size();
    figures.forward95 = forward[forward.size() * 95 / 100];
}

Figures evaluate(const char* path)
{
    const Profile known(KnownPrinter), built(path), lab(nullptr);
    const Transform knownForward(known.handle, TYPE_CMYK_DBL, lab.handle, TYPE_Lab_DBL, INTENT_RELATIVE_COLORIMETRIC);
    const Transform builtForward(built.handle, TYPE_CMYK_DBL, lab.handle, TYPE_Lab_DBL, INTENT_RELATIVE_COLORIMETRIC);
    const Transform builtInverse(lab.handle, TYPE_Lab_DBL, built.handle, TYPE_CMYK_DBL, INTENT_RELATIVE_COLORIMETRIC);
    Figures figures;
    std::mt19937 random(11);
    std::uniform_real_distribution<double> ink(0.0, 100.0);
    evaluateForward(known, built, random, figures);

    for (int n = 0; n < InverseColours;) {
        double inks[4] = {ink(random), ink(random), ink(random), ink(random)};
        if (inks[0] + inks[1] + inks[2] + inks[3] > InkLimit)
            continue;
        ++n;
        cmsCIELab wanted, printed;
        double solved[4];
        knownForward(inks, &wanted);
        builtInverse(&wanted, solved);
        knownForward(solved, &printed);
        figures.inverseMean += deltaE2000(wanted, printed) / InverseColours;
    }

    for (int intent = 0; intent < 3; ++intent) {
        const Transform inverse(lab.handle, TYPE_Lab_DBL, built.handle, TYPE_CMYK_DBL, intent);
        for (int l = 0; l <= 100; l += 4)
            for (int a = -128; a <= 128; a += 8)
                for (int b = -128; b <= 128; b += 8) {
                    const cmsCIELab colour{double(l), double(a), double(b)};
                    double solved[4];
                    inverse(&colour, solved);
                    figures.largestSum = std::max(figures.largestSum, solved[0] + solved[1] + solved[2] + solved[3]);
                    figures.largestBlack = std::max(figures.largestBlack, solved[3]);
                }
    }

    std::vector<double> lightness;
    for (int l = 5; l <= 100; ++l) {
        const cmsCIELab grey{double(l), 0.0, 0.0};
        double solved[4];
        cmsCIELab back;
        builtInverse(&grey, solved);
        builtForward(solved, &back);
        lightness.push_back(back.L);
    }
    figures.rampSmooth = true;
    for (std::size_t i = 1; i < lightness.size(); ++i) {
        const double step = lightness[i] - lightness[i - 1];
        const double before = i >= 2 ? lightness[i - 1] - lightness[i - 2] : 0.0;
        const double after = i + 1 < lightness.size() ? lightness[i + 1] - lightness[i] : 0.0;
        const double excess = step - 3.0 * std::max(before, after);
        figures.rampWorst = std::max(figures.rampWorst, excess);
        if (step < 0.0 || excess > RampTolerance)
            figures.rampSmooth = false;
    }
    return figures;
}

double seconds(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Runs a program in folder with its output thrown away; the seconds it took.
double run(const std::string& folder, const std::vector<std::string>& arguments)
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    std::fflush(stdout);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        if (chdir(folder.c_str()) != 0 || !std::freopen("/dev/null", "w", stdout)
            || !std::freopen("/dev/null", "w", stderr))
            _exit(127);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "bench_profile: %s failed\n", arguments[0].c_str());
        std::exit(1);
    }
    return seconds(start);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : 0.5 * (values[middle - 1] + values[middle]);
}

double percentile95(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() * 95 / 100];
}

void printFigures(const char* name, const Figures& figures)
{
    std::printf("%-9s forward dE00 mean %.3f p95 %.3f | inverse dE00 mean %.3f | largest ink %.1f %% black %.1f %%"
                " | neutral ramp %s (worst excess %.2f)\n",
                name, figures.forwardMean, figures.forward95, figures.inverseMean, figures.largestSum,
                figures.largestBlack, figures.rampSmooth ? "smooth" : "NOT smooth", figures.rampWorst);
}

struct Chart {
    const char* made;                  // how the chart is made, as printed
    std::vector<std::string> command; // makes NAME.ti1 in the folder
    std::string name;
};

// The commands that make NAME-tintora.icc and NAME-colprof.icc from the
// readings NAME.ti3; limited: with the ink limit.
std::vector<std::string> ourProfiler(const std::string& name, bool limited = true)
{
    std::vector<std::string> command = {TINTORA_PROFILE, "--readings", name + ".ti3", "--out", name + "-tintora.icc",
                                        "--quality", "medium"};
    if (limited)
        command.insert(command.end(), {"--ink-limit", std::to_string(InkLimit)});
    return command;
}

std::vector<std::string> theirProfiler(const std::string& name, bool limited = true)
{
    std::vector<std::string> command = {"colprof", "-qm", "-O", name + "-colprof.icc", name};
    if (limited)
        command.insert(command.begin() + 2, {"-l", std::to_string(InkLimit)});
    return command;
}

// Prints the chart NAME.ti1 in folder on the printer, as Argyll's fakeread
// reads it with 0.5 % noise on the inks, into NAME.ti3.
void printAndRead(const std::string& folder, const std::string& printer, const std::string& name, int seed)
{
    run(folder, {"fakeread", "-r", "0.5", "-S", std::to_string(seed), printer, name});
}

// Times both programs' profiles of NAME.ti3 in folder (NAME-tintora.icc
// and NAME-colprof.icc), alternately; limited: with the ink limit.
void timeProfiles(const std::string& folder, const std::string& name, bool limited, int rounds)
{
    std::vector<double> ours, theirs;
    for (int round = 0; round < rounds; ++round) {
        ours.push_back(run(folder, ourProfiler(name, limited)));
        theirs.push_back(run(folder, theirProfiler(name, limited)));
        std::printf("round %d: tintora-profile %.2f s, colprof %.2f s\n", round + 1, ours.back(), theirs.back());
    }
    const double ourTime = median(ours), theirTime = median(theirs);
    std::printf("time (median of %d): tintora-profile --quality medium %.2f s, colprof -qm %.2f s, ratio %.1f\n",
                rounds, ourTime, theirTime, theirTime / ourTime);
}

// Makes the chart, reads it through the printer, and times both programs'
// profiles of it.
void makeProfiles(const std::string& folder, const Chart& chart, const std::string& printer, int rounds)
{
    run(folder, chart.command);
    printAndRead(folder, printer, chart.name, 7);
    std::printf("1,000-patch chart (%s, fakeread -r 0.5 through %s), ink limit %d %%, in %s\n", chart.made,
                printer.c_str(), InkLimit, folder.c_str());
    timeProfiles(folder, chart.name, true, rounds);
}

// Makes both profiles of the chart and measures them against the known printer.
void compare(const std::string& folder, const Chart& chart, int rounds)
{
    makeProfiles(folder, chart, KnownPrinter, rounds);
    printFigures("tintora", evaluate((folder + "/" + chart.name + "-tintora.icc").c_str()));
    printFigures("colprof", evaluate((folder + "/" + chart.name + "-colprof.icc").c_str()));
}

// ---- Printed through a press ----

using Lab = std::array<double, 3>;
using Inks = std::array<double, 4>; // percent; an RGB printer's R, G, B, then 0

// How a profile's device is driven on the press: CMYK inks as they are, or
// an RGB printer's R, G, B as C = 100 - R, M = 100 - G, Y = 100 - B, K = 0.
struct Device {
    bool rgb;
    int channels;
    cmsUInt32Number floating, sixteen, eight;
    double paper; // percent, each channel's value for the paper
    double unit;  // percent per unit of the floating-point format (LittleCMS: CMYK 0 to 100, RGB 0 to 1)
    Inks onPress(const Inks& values) const
    {
        return rgb ? Inks{100.0 - values[0], 100.0 - values[1], 100.0 - values[2], 0.0} : values;
    }
    // Between percent and the floating-point format, in place.
    void toPercent(double values[4]) const { std::transform(values, values + 4, values, [this](double v) { return v * unit; }); }
    void fromPercent(double values[4]) const { std::transform(values, values + 4, values, [this](double v) { return v / unit; }); }
};
const Device Cmyk{false, 4, TYPE_CMYK_DBL, TYPE_CMYK_16, TYPE_CMYK_8, 0.0, 1.0};
const Device Rgb{true, 3, TYPE_RGB_DBL, TYPE_RGB_16, TYPE_RGB_8, 100.0, 100.0};

struct PressFigures {
    double paperInk = 0.0;        // percent, the farthest any channel is from the paper over every table and path
    double rampChroma = 0.0;      // the largest printed C* of the neutral ramp
    double rampInkStep = 0.0;     // percent, the largest change of one ink between ramp neighbours
    double primaryChroma[6] = {}; // printed C* of R, G, B, C, M, Y through B2A0
    double hueStepRatio = 0.0;    // the hue circle's largest step over its median
    double yellowFall = 0.0;      // the largest fall of C* along white to yellow
    int flagged = 0;              // of GamutColours the profile makes
    double gridFlagged = 0.0;     // share of a Lab grid flagged
    Lab srgbBlack{};              // printed sRGB 0 0 0 through B2A0
    std::vector<Lab> hueCircle, greyRamp, yellowRamp, srgbGreyRamp; // printed
};

// Lines of numbers a peer prints for the given lines of input, after the arrow when it draws one.
std::vector<std::vector<double>> peer(const std::string& folder, const std::string& command,
                                      const std::vector<std::vector<double>>& inputs)
{
    const std::string in = folder + "/peer-input.txt";
    {
        std::ofstream file(in);
        for (const std::vector<double>& values : inputs) {
            for (double value : values)
                file << value << ' ';
            file << '\n';
        }
    }
    std::vector<std::vector<double>> outputs;
    FILE* pipe = popen((command + " < " + in).c_str(), "r");
    if (!pipe) {
        std::fprintf(stderr, "bench_profile: %s cannot be run\n", command.c_str());
        std::exit(1);
    }
    char line[4096];
    while (std::fgets(line, sizeof line, pipe)) {
        const char* text = std::strstr(line, "->");
        text = text ? std::strchr(text, '>') + 1 : line;
        if (const char* lut = std::strstr(text, "Lut ->"))
            text = lut + 6;
        std::vector<double> values;
        char* end = nullptr;
        for (double value = std::strtod(text, &end); end != text; value = std::strtod(text, &end)) {
            values.push_back(value);
            text = end;
        }
        if (!values.empty())
            outputs.push_back(values);
    }
    pclose(pipe);
    if (outputs.size() != inputs.size()) {
        std::fprintf(stderr, "bench_profile: %s answered %zu of %zu lines\n", command.c_str(), outputs.size(),
                     inputs.size());
        std::exit(1);
    }
    return outputs;
}

double chroma(const Lab& lab)
{
    return std::hypot(lab[1], lab[2]);
}

double deltaE2000(const Lab& first, const Lab& second)
{
    return deltaE2000(cmsCIELab{first[0], first[1], first[2]}, cmsCIELab{second[0], second[1], second[2]});
}

// sRGB, each channel 0 to 1, of a full colour of the hue (degrees) as HSV gives it.
std::array<double, 3> fullColour(double hue)
{
    const double sector = std::fmod(hue, 360.0) / 60.0;
    const double rising = sector - std::floor(sector), falling = 1.0 - rising;
    switch (int(sector)) {
    case 0: return {1.0, rising, 0.0};
    case 1: return {falling, 1.0, 0.0};
    case 2: return {0.0, 1.0, rising};
    case 3: return {0.0, falling, 1.0};
    case 4: return {rising, 0.0, 1.0};
    default: return {1.0, 0.0, falling};
    }
}

PressFigures judgeOnPress(const std::string& folder, const std::string& profilePath, const std::string& press,
                          const Device& device = Cmyk)
{
    const Profile built(profilePath.c_str()), printer(press.c_str()), lab(nullptr), srgb(Srgb);
    const Transform print(printer.handle, TYPE_CMYK_DBL, lab.handle, TYPE_Lab_DBL, INTENT_RELATIVE_COLORIMETRIC);
    const auto printed = [&](const double values[4]) {
        const Inks inks = device.onPress({values[0], values[1], values[2], values[3]});
        cmsCIELab result;
        print(inks.data(), &result);
        return Lab{result.L, result.a, result.b};
    };
    PressFigures figures;

    // Paper white on every path.
    const double white[3] = {100.0, 0.0, 0.0};
    const cmsUInt16Number white16[3] = {0xFFFF, 0x8080, 0x8080}; // TYPE_Lab_16 is version 4 Lab
    const cmsUInt8Number white8[3] = {255, 128, 128};
    for (int intent = 0; intent < 3; ++intent) {
        const Transform floating(lab.handle, TYPE_Lab_DBL, built.handle, device.floating, intent);
        double inks[4] = {device.paper, device.paper, device.paper, device.paper};
        floating(white, inks);
        device.toPercent(inks);
        // LittleCMS's optimised transforms, as applications use them.
        const Transform sixteen(lab.handle, TYPE_Lab_16, built.handle, device.sixteen, intent, 0);
        const Transform eight(lab.handle, TYPE_Lab_8, built.handle, device.eight, intent, 0);
        cmsUInt16Number inks16[4];
        cmsUInt8Number inks8[4];
        sixteen(white16, inks16);
        eight(white8, inks8);
        const char* intents[3] = {"-ip", "-ir", "-is"};
        const std::string xicclu = std::string("xicclu -v0 -s100 -fb ") + intents[intent] + " -pl " + profilePath;
        const std::vector<double> argyll = peer(folder, xicclu, {{100.0, 0.0, 0.0}})[0];
        for (int ink = 0; ink < device.channels; ++ink)
            for (double value : {inks[ink], inks16[ink] * 100.0 / 65535.0, inks8[ink] * 100.0 / 255.0,
                                 argyll[std::size_t(ink)]})
                figures.paperInk = std::max(figures.paperInk, std::fabs(value - device.paper));
    }

    // The neutral ramp.
    const Transform colorimetric(lab.handle, TYPE_Lab_DBL, built.handle, device.floating, INTENT_RELATIVE_COLORIMETRIC);
    Inks previous{};
    for (int l = 100; l >= 0; --l) {
        const double grey[3] = {double(l), 0.0, 0.0};
        Inks inks{};
        colorimetric(grey, inks.data());
        device.toPercent(inks.data());
        figures.greyRamp.push_back(printed(inks.data()));
        figures.rampChroma = std::max(figures.rampChroma, chroma(figures.greyRamp.back()));
        if (l < 100)
            for (int ink = 0; ink < 4; ++ink)
                figures.rampInkStep = std::max(figures.rampInkStep, std::fabs(inks[ink] - previous[ink]));
        previous = inks;
    }

    // sRGB through the perceptual table.
    const Transform perceptual(srgb.handle, TYPE_RGB_DBL, built.handle, device.floating, INTENT_PERCEPTUAL);
    const auto printRgb = [&](const std::array<double, 3>& rgb) {
        Inks inks{};
        perceptual(rgb.data(), inks.data());
        device.toPercent(inks.data());
        return printed(inks.data());
    };
    const std::array<double, 3> primaries[6] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 1, 1}, {1, 0, 1}, {1, 1, 0}};
    for (int i = 0; i < 6; ++i)
        figures.primaryChroma[i] = chroma(printRgb(primaries[i]));
    std::vector<double> steps;
    for (int hue = 0; hue < 360; ++hue)
        figures.hueCircle.push_back(printRgb(fullColour(hue)));
    for (std::size_t i = 0; i < figures.hueCircle.size(); ++i)
        steps.push_back(deltaE2000(figures.hueCircle[i], figures.hueCircle[(i + 1) % figures.hueCircle.size()]));
    figures.hueStepRatio = *std::max_element(steps.begin(), steps.end()) / median(steps);
    for (int step = 0; step < 256; ++step) {
        const double grey = 1.0 - step / 255.0;
        figures.srgbGreyRamp.push_back(printRgb({grey, grey, grey}));
    }
    figures.srgbBlack = figures.srgbGreyRamp.back();
    for (int step = 0; step < 256; ++step) {
        figures.yellowRamp.push_back(printRgb({1.0, 1.0, 1.0 - step / 255.0}));
        if (step > 0)
            figures.yellowFall = std::max(figures.yellowFall, chroma(figures.yellowRamp[std::size_t(step) - 1])
                                                                  - chroma(figures.yellowRamp.back()));
    }

    // The gamut tag: colours the profile makes, and a Lab grid.
    const Transform forward(built.handle, device.floating, lab.handle, TYPE_Lab_DBL, INTENT_RELATIVE_COLORIMETRIC);
    std::mt19937 random(13);
    std::uniform_real_distribution<double> ink(0.0, 100.0);
    std::vector<std::vector<double>> made, grid;
    while (made.size() < std::size_t(GamutColours)) {
        double inks[4] = {ink(random), ink(random), ink(random), device.rgb ? 0.0 : ink(random)};
        if (!device.rgb && inks[0] + inks[1] + inks[2] + inks[3] > InkLimit)
            continue;
        device.fromPercent(inks);
        cmsCIELab colour;
        forward(inks, &colour);
        made.push_back({colour.L, colour.a, colour.b});
    }
    for (int l = 0; l <= 100; l += 10)
        for (int a = -120; a <= 120; a += 20)
            for (int b = -120; b <= 120; b += 20)
                grid.push_back({double(l), double(a), double(b)});
    const std::string gamut = "xicclu -v0 -fg -ir " + profilePath;
    for (const std::vector<double>& flag : peer(folder, gamut, made))
        figures.flagged += flag[0] > 0.0;
    for (const std::vector<double>& flag : peer(folder, gamut, grid))
        figures.gridFlagged += (flag[0] > 0.0) / double(grid.size());
    return figures;
}

// Printed Lab as display sRGB, for a look.
void writeImage(const std::string& path, const std::vector<std::vector<Lab>>& bands, int stripe)
{
    const Profile lab(nullptr), srgb(Srgb);
    const Transform display(lab.handle, TYPE_Lab_DBL, srgb.handle, TYPE_RGB_8, INTENT_RELATIVE_COLORIMETRIC);
    const std::size_t width = bands.front().size() * std::size_t(stripe);
    std::ofstream file(path, std::ios::binary);
    file << "P6\n" << width << ' ' << bands.size() * 60 << "\n255\n";
    for (const std::vector<Lab>& band : bands)
        for (int row = 0; row < 60; ++row)
            for (std::size_t x = 0; x < width; ++x) {
                unsigned char rgb[3];
                display(band[x / std::size_t(stripe)].data(), rgb);
                file.write(reinterpret_cast<const char*>(rgb), 3);
            }
}

void printPress(const char* name, const PressFigures& figures, const PressFigures& reference)
{
    const char* names[6] = {"R", "G", "B", "C", "M", "Y"};
    double weakest = 1e9;
    std::printf("%-9s paper white most ink %.4f %% | neutral ramp C* at most %.2f, largest ink step %.2f %%\n", name,
                figures.paperInk, figures.rampChroma, figures.rampInkStep);
    std::printf("%-9s sRGB perceptual chroma (share of colprof's):", "");
    for (int i = 0; i < 6; ++i) {
        const double share = figures.primaryChroma[i] / reference.primaryChroma[i];
        weakest = std::min(weakest, share);
        std::printf(" %s %.1f (%.0f %%)", names[i], figures.primaryChroma[i], 100.0 * share);
    }
    std::printf(", least %.0f %%\n", 100.0 * weakest);
    std::printf("%-9s hue circle largest step / median %.2f | white to yellow largest C* fall %.3f (%s)\n", "",
                figures.hueStepRatio, figures.yellowFall, figures.yellowFall <= 0.0 ? "monotone" : "NOT monotone");
    std::printf("%-9s gamut tag flags %d of %d colours the profile makes, %.0f %% of a Lab grid\n", "",
                figures.flagged, GamutColours, 100.0 * figures.gridFlagged);
    std::printf("%-9s sRGB black prints L %.2f C* %.2f\n", "", figures.srgbBlack[0], chroma(figures.srgbBlack));
}

// The press: a profile colprof makes from Fogra's data, made once in the folder.
std::string makePress(const std::string& folder)
{
    const std::string press = folder + "/press.icc";
    if (access(press.c_str(), R_OK) != 0) {
        run(folder, {"cp", PressData, "press.ti3"});
        run(folder, {"colprof", "-qm", "-O", "press.icc", "press"});
    }
    return press;
}

// The images of what both profiles print, for a look: each image shows the
// colours asked for, then as printed through ours, then through colprof's.
void writeGrabs(const std::string& grabs, const std::string& prefix, const PressFigures& ours,
                const PressFigures& theirs)
{
    std::vector<Lab> grey, yellow, circle, srgbGrey;
    const Profile srgb(Srgb), lab(nullptr);
    const Transform toLab(srgb.handle, TYPE_RGB_DBL, lab.handle, TYPE_Lab_DBL, INTENT_RELATIVE_COLORIMETRIC);
    for (int l = 100; l >= 0; --l)
        grey.push_back({double(l), 0.0, 0.0});
    for (int step = 0; step < 256; ++step) {
        const double rgb[3] = {1.0, 1.0, 1.0 - step / 255.0};
        cmsCIELab colour;
        toLab(rgb, &colour);
        yellow.push_back({colour.L, colour.a, colour.b});
    }
    for (int hue = 0; hue < 360; ++hue) {
        cmsCIELab colour;
        toLab(fullColour(hue).data(), &colour);
        circle.push_back({colour.L, colour.a, colour.b});
    }
    for (int step = 0; step < 256; ++step) {
        const double rgb[3] = {1.0 - step / 255.0, 1.0 - step / 255.0, 1.0 - step / 255.0};
        cmsCIELab colour;
        toLab(rgb, &colour);
        srgbGrey.push_back({colour.L, colour.a, colour.b});
    }
    writeImage(grabs + "/" + prefix + "grey-ramp.ppm", {grey, ours.greyRamp, theirs.greyRamp}, 8);
    writeImage(grabs + "/" + prefix + "white-to-yellow.ppm", {yellow, ours.yellowRamp, theirs.yellowRamp}, 3);
    writeImage(grabs + "/" + prefix + "hue-circle.ppm", {circle, ours.hueCircle, theirs.hueCircle}, 3);
    writeImage(grabs + "/" + prefix + "srgb-white-to-black.ppm", {srgbGrey, ours.srgbGreyRamp, theirs.srgbGreyRamp},
               3);
}

// Both profiles of NAME.ti3 judged by what they print on the press.
void judgeBoth(const std::string& folder, const std::string& name, const std::string& press, const Device& device,
               const std::string& grabs)
{
    const PressFigures ours = judgeOnPress(folder, folder + "/" + name + "-tintora.icc", press, device);
    const PressFigures theirs = judgeOnPress(folder, folder + "/" + name + "-colprof.icc", press, device);
    std::printf("printed on a press made by colprof -qm from %s%s:\n", PressData,
                device.rgb ? " (RGB driving C = 100 - R, M = 100 - G, Y = 100 - B, K = 0)" : "");
    printPress("tintora", ours, theirs);
    printPress("colprof", theirs, theirs);
    if (!grabs.empty())
        writeGrabs(grabs, device.rgb ? "rgb-" : "", ours, theirs);
}

// A press from Fogra's data, a chart printed on it, both profiles judged by what they print.
// With no rounds, judges the profiles an earlier run left in the folder.
void comparePress(const std::string& folder, int rounds, const std::string& grabs)
{
    const std::string press = makePress(folder);
    if (rounds > 0)
        makeProfiles(folder, {"targen -d4 -f1000", {"targen", "-v0", "-d4", "-f1000", "press-chart"}, "press-chart"},
                     press, rounds);
    judgeBoth(folder, "press-chart", press, Cmyk, grabs);
}

// ---- An RGB printer on the press ----

// The RGB printer's colour of each R, G, B (percent) through xicclu and the
// press: relative Lab, or absolute XYZ (Y 1 for a perfect white).
std::vector<std::vector<double>> onRgbPrinter(const std::string& folder, const std::string& press,
                                              const std::vector<Inks>& rgb, bool absoluteXyz)
{
    std::vector<std::vector<double>> inks;
    for (const Inks& values : rgb) {
        const Inks cmyk = Rgb.onPress(values);
        inks.emplace_back(cmyk.begin(), cmyk.end());
    }
    return peer(folder, std::string("xicclu -v0 -s100 -ff ") + (absoluteXyz ? "-ia -px " : "-ir -pl ") + press, inks);
}

// R, G, B (percent) of each patch of a .ti1.
std::vector<Inks> rgbPatches(const std::string& path)
{
    std::ifstream in(path);
    std::string line;
    std::vector<std::string> fields;
    std::vector<Inks> patches;
    bool inFormat = false, inData = false;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::vector<std::string> items;
        for (std::string word; words >> word;)
            items.push_back(word);
        if (items.empty())
            continue;
        if (items[0] == "BEGIN_DATA_FORMAT" || items[0] == "END_DATA_FORMAT") {
            inFormat = items[0] == "BEGIN_DATA_FORMAT";
        } else if (items[0] == "BEGIN_DATA" || items[0] == "END_DATA") {
            inData = items[0] == "BEGIN_DATA" && patches.empty();
        } else if (inFormat) {
            fields.insert(fields.end(), items.begin(), items.end());
        } else if (inData) {
            Inks rgb{};
            for (int c = 0; c < 3; ++c) {
                const char* wanted[3] = {"RGB_R", "RGB_G", "RGB_B"};
                rgb[std::size_t(c)] = std::atof(items[std::size_t(std::find(fields.begin(), fields.end(), wanted[c])
                                                                  - fields.begin())].c_str());
            }
            patches.push_back(rgb);
        }
    }
    return patches;
}

// Prints the chart on the RGB printer and reads it, as fakeread -r 0.5
// does: each device value moved by Gaussian noise whose mean deviation is
// 0.5 % (clipped to 0 to 100), the press's XYZ of the moved values written
// beside the values asked for, as NAME.ti3.
void readRgbChart(const std::string& folder, const std::string& name, const std::string& press)
{
    const std::vector<Inks> asked = rgbPatches(folder + "/" + name + ".ti1");
    std::mt19937 random(7);
    std::normal_distribution<double> noise(0.0, 0.5 * std::sqrt(M_PI / 2.0));
    std::vector<Inks> printed = asked;
    for (Inks& values : printed)
        for (int c = 0; c < 3; ++c)
            values[std::size_t(c)] = std::clamp(values[std::size_t(c)] + noise(random), 0.0, 100.0);
    const std::vector<std::vector<double>> xyz = onRgbPrinter(folder, press, printed, true);
    std::ofstream out(folder + "/" + name + ".ti3");
    out << "CTI3\n\nDESCRIPTOR \"An RGB printer: R G B drive C = 100-R, M = 100-G, Y = 100-B on a press\"\n"
        << "KEYWORD \"DEVICE_CLASS\"\nDEVICE_CLASS \"OUTPUT\"\nKEYWORD \"COLOR_REP\"\nCOLOR_REP \"RGB_XYZ\"\n\n"
        << "NUMBER_OF_FIELDS 7\nBEGIN_DATA_FORMAT\nSAMPLE_ID RGB_R RGB_G RGB_B XYZ_X XYZ_Y XYZ_Z\nEND_DATA_FORMAT\n\n"
        << "NUMBER_OF_SETS " << asked.size() << "\nBEGIN_DATA\n";
    for (std::size_t i = 0; i < asked.size(); ++i)
        out << i + 1 << ' ' << asked[i][0] << ' ' << asked[i][1] << ' ' << asked[i][2] << ' ' << xyz[i][0] * 100.0
            << ' ' << xyz[i][1] * 100.0 << ' ' << xyz[i][2] * 100.0 << '\n';
    out << "END_DATA\n";
}

// Forward accuracy of a profile of the RGB printer: CIEDE2000 of its A2B1
// (LittleCMS, floating point) against the printer's truth over random R, G, B.
void printRgbForward(const char* name, const std::string& path, const std::vector<Inks>& rgb,
                     const std::vector<std::vector<double>>& truth)
{
    const Profile built(path.c_str()), lab(nullptr);
    const Transform forward(built.handle, TYPE_RGB_DBL, lab.handle, TYPE_Lab_DBL, INTENT_RELATIVE_COLORIMETRIC);
    std::vector<double> differences;
    for (std::size_t i = 0; i < rgb.size(); ++i) {
        double values[4] = {rgb[i][0], rgb[i][1], rgb[i][2], 0.0};
        Rgb.fromPercent(values);
        cmsCIELab got;
        forward(values, &got);
        differences.push_back(deltaE2000(Lab{got.L, got.a, got.b}, Lab{truth[i][0], truth[i][1], truth[i][2]}));
    }
    double mean = 0.0;
    for (double difference : differences)
        mean += difference / double(differences.size());
    std::printf("%-9s forward (A2B1) dE00 over %zu random RGB: mean %.3f p95 %.3f\n", name, rgb.size(), mean,
                percentile95(differences));
}

// An RGB printer (the press driven through C = 100 - R, ...), a targen
// chart printed on it, both programs' profiles of the readings judged
// against the printer and by what they print.
void compareRgbPrinter(const std::string& folder, int rounds, const std::string& grabs)
{
    const std::string press = makePress(folder), name = "rgb-chart";
    if (rounds > 0) {
        run(folder, {"targen", "-v0", "-d2", "-f1000", name});
        readRgbChart(folder, name, press);
        std::printf("1,000-patch RGB chart (targen -d2 -f1000) on the RGB printer, read with 0.5 %% device noise,"
                    " in %s\n",
                    folder.c_str());
        timeProfiles(folder, name, false, rounds);
    }
    std::mt19937 random(17);
    std::uniform_real_distribution<double> value(0.0, 100.0);
    std::vector<Inks> rgb(ForwardColours);
    for (Inks& values : rgb)
        values = {value(random), value(random), value(random), 0.0};
    const std::vector<std::vector<double>> truth = onRgbPrinter(folder, press, rgb, false);
    printRgbForward("tintora", folder + "/" + name + "-tintora.icc", rgb, truth);
    printRgbForward("colprof", folder + "/" + name + "-colprof.icc", rgb, truth);
    judgeBoth(folder, name, press, Rgb, grabs);
}

// ---- Charts for a printer that has no profile yet ----

constexpr int FirstNoiseSeed = 7;

// A printer that has no profile yet, as the comparison prints on it.
struct BlankPrinter {
    const char* device;       // as --device names it
    const char* targenDevice; // targen's -d
    int channels;
    std::string profile;      // the printer itself, for fakeread and the figures
};

// Profiling charts made with no profile, targen's and ours, printed on the
// printer and read by fakeread -r 0.5 with each of `seeds` noise seeds, and
// profiled: each profile's forward accuracy against the printer, per seed
// and averaged over the seeds.
void compareWithoutProfile(const std::string& folder, int seeds, const BlankPrinter& blank)
{
    const Profile printer(blank.profile.c_str());
    const std::string targen = std::string("blank-targen-") + blank.device;
    const std::string ours = std::string("blank-ours-") + blank.device;
    const std::vector<Chart> charts = {
        {blank.channels == 3 ? "targen -d2 -f1000" : "targen -d4 -f1000",
         {"targen", "-v0", std::string("-d") + blank.targenDevice, "-f1000", targen}, targen},
        {blank.channels == 3 ? "tintora-chart --device rgb --patches 1000"
                             : "tintora-chart --device cmyk --patches 1000",
         {TINTORA_CHART, "--device", blank.device, "--patches", "1000", "--ti1", ours + ".ti1"}, ours}};
    std::printf("1,000-patch charts made with no profile, printed on %s, read by fakeread -r 0.5, profiled%s:"
                " forward dE00 over %d random device colours, in %s\n",
                blank.profile.c_str(), blank.channels == 4 ? " with ink limit 300 %" : "", ForwardColours,
                folder.c_str());
    const auto figuresOf = [&](const std::string& path) {
        Figures figures;
        std::mt19937 colours(11); // the same colours for every profile
        evaluateForward(printer, Profile(path.c_str()), colours, figures, blank.channels);
        return figures;
    };
    for (const Chart& chart : charts) {
        run(folder, chart.command);
        Figures oursSum, theirsSum;
        for (int seed = FirstNoiseSeed; seed < FirstNoiseSeed + seeds; ++seed) {
            printAndRead(folder, blank.profile, chart.name, seed);
            const bool limited = blank.channels == 4;
            run(folder, theirProfiler(chart.name, limited));
            run(folder, ourProfiler(chart.name, limited));
            const Figures theirs = figuresOf(folder + "/" + chart.name + "-colprof.icc");
            const Figures our = figuresOf(folder + "/" + chart.name + "-tintora.icc");
            std::printf("  %-44s seed %d: tintora-profile mean %.3f p95 %.3f | colprof -qm mean %.3f p95 %.3f\n",
                        chart.made, seed, our.forwardMean, our.forward95, theirs.forwardMean, theirs.forward95);
            oursSum.forwardMean += our.forwardMean / seeds;
            oursSum.forward95 += our.forward95 / seeds;
            theirsSum.forwardMean += theirs.forwardMean / seeds;
            theirsSum.forward95 += theirs.forward95 / seeds;
        }
        std::printf("%-46s mean of %d seeds: tintora-profile mean %.3f p95 %.3f | colprof -qm mean %.3f p95 %.3f\n",
                    chart.made, seeds, oursSum.forwardMean, oursSum.forward95, theirsSum.forwardMean,
                    theirsSum.forward95);
    }
}

// Both devices: CMYK on the press, and the RGB printer (C = 1 - R, M = 1 - G,
// Y = 1 - B on a FOGRA39L press) the tests use.
void compareWithoutProfile(const std::string& folder, int seeds)
{
    compareWithoutProfile(folder, seeds, {"cmyk", "4", 4, makePress(folder)});
    compareWithoutProfile(folder, seeds, {"rgb", "2", 3, RgbPrinter});
}

const char* const HeldOutSets[] = {"/usr/share/color/icc/FOGRA39L.ti3", "/usr/share/color/icc/TR006.ti3",
                                   "/usr/share/color/icc/FOGRA29L.ti3"};
constexpr int HeldOutEvery = 5;
constexpr double ShadowLightness = 30.0;

// A measured characterisation set split into the patches fitted and those held out.
struct HeldOutSet {
    std::vector<std::vector<double>> heldOut; // C, M, Y, K (percent), X, Y, Z (Y 100 for a perfect white)
};

// Writes NAME.ti3 in folder: the set with every HeldOutEvery-th patch left
// out (never the paper), which it returns.
HeldOutSet splitSet(const char* path, const std::string& folder, const std::string& name)
{
    std::ifstream in(path);
    std::string line, header, data;
    std::vector<std::string> fields;
    int kept = 0, index = 0;
    bool inData = false, inFormat = false;
    HeldOutSet set;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string first;
        words >> first;
        if (first == "END_DATA")
            inData = false;
        else if (first == "END_DATA_FORMAT")
            inFormat = false;
        if (inFormat)
            for (std::string field = first; !field.empty(); field.clear(), words >> field)
                fields.push_back(field);
        if (!inData) {
            if (first != "NUMBER_OF_SETS" && first != "END_DATA" && first != "BEGIN_DATA")
                header += line + "\n";
            inFormat = inFormat || first == "BEGIN_DATA_FORMAT";
            inData = first == "BEGIN_DATA";
            continue;
        }
        std::vector<double> values(fields.size());
        std::istringstream numbers(line);
        std::string word;
        for (double& value : values)
            numbers >> word, value = std::atof(word.c_str());
        std::vector<double> patch;
        for (const char* wanted : {"CMYK_C", "CMYK_M", "CMYK_Y", "CMYK_K", "XYZ_X", "XYZ_Y", "XYZ_Z"})
            patch.push_back(values[std::find(fields.begin(), fields.end(), wanted) - fields.begin()]);
        const bool paper = patch[0] + patch[1] + patch[2] + patch[3] == 0.0;
        if (++index % HeldOutEvery == 0 && !paper) {
            set.heldOut.push_back(patch);
        } else {
            data += line + "\n";
            ++kept;
        }
    }
    std::ofstream((folder + "/" + name + ".ti3").c_str())
        << header << "NUMBER_OF_SETS " << kept << "\nBEGIN_DATA\n" << data << "END_DATA\n";
    return set;
}

struct HeldOutFigures {
    double mean = 0.0, p95 = 0.0, shadowMean = 0.0, shadowP95 = 0.0, shadowLargest = 0.0;
    std::size_t shadows = 0;
};

HeldOutFigures evaluateHeldOut(const char* path, const HeldOutSet& set)
{
    const Profile built(path), lab(nullptr);
    const Transform forward(built.handle, TYPE_CMYK_DBL, lab.handle, TYPE_Lab_DBL, INTENT_RELATIVE_COLORIMETRIC);
    const auto* white = static_cast<const cmsCIEXYZ*>(cmsReadTag(built.handle, cmsSigMediaWhitePointTag));
    const cmsCIEXYZ paper = white ? *white : *cmsD50_XYZ();
    const cmsCIEXYZ* d50 = cmsD50_XYZ();
    std::vector<double> all, shadows;
    for (const std::vector<double>& patch : set.heldOut) {
        const cmsCIEXYZ relative{patch[4] / 100.0 * d50->X / paper.X, patch[5] / 100.0 * d50->Y / paper.Y,
                                 patch[6] / 100.0 * d50->Z / paper.Z};
        cmsCIELab measured, got;
        cmsXYZ2Lab(d50, &measured, &relative);
        forward(patch.data(), &got);
        all.push_back(deltaE2000(measured, got));
        if (measured.L < ShadowLightness)
            shadows.push_back(all.back());
    }
    HeldOutFigures figures;
    for (double difference : all)
        figures.mean += difference / all.size();
    for (double difference : shadows)
        figures.shadowMean += difference / shadows.size();
    figures.p95 = percentile95(all);
    figures.shadowP95 = percentile95(shadows);
    figures.shadowLargest = shadows.empty() ? 0.0 : *std::max_element(shadows.begin(), shadows.end());
    figures.shadows = shadows.size();
    return figures;
}

// Fits each set without its held-out patches, by ours and by colprof, and
// prints the held-out figures and times.
void heldOut(const std::string& folder, bool withHighColprof)
{
    const std::string limit = std::to_string(InkLimit);
    std::printf("held out: every %dth patch; CIEDE2000 through A2B1 against measured Lab relative to each profile's"
                " media white; ink limit %d %%\n",
                HeldOutEvery, InkLimit);
    for (const char* path : HeldOutSets) {
        std::string name = path;
        name = name.substr(name.rfind('/') + 1);
        name.erase(name.rfind('.'));
        const HeldOutSet set = splitSet(path, folder, name);
        struct Maker {
            std::string label, profile;
            std::vector<std::string> command;
        };
        std::vector<Maker> makers;
        for (const char* quality : {"low", "medium", "high"})
            makers.push_back({std::string("tintora ") + quality, name + "-" + quality + ".icc",
                              {TINTORA_PROFILE, "--readings", name + ".ti3", "--out", name + "-" + quality + ".icc",
                               "--ink-limit", limit, "--quality", quality}});
        for (const char* quality : {"-qm", "-qh"})
            if (withHighColprof || !std::strcmp(quality, "-qm"))
                makers.push_back({std::string("colprof ") + quality, name + quality + ".icc",
                                  {"colprof", quality, "-l", limit, "-O", name + quality + ".icc", name}});
        std::printf("%s: %zu held out\n", name.c_str(), set.heldOut.size());
        for (const Maker& maker : makers) {
            const double time = run(folder, maker.command);
            const HeldOutFigures figures = evaluateHeldOut((folder + "/" + maker.profile).c_str(), set);
            std::printf("  %-14s dE00 mean %.3f p95 %.3f | L < 30 (%zu): mean %.3f p95 %.3f max %.3f | %.2f s\n",
                        maker.label.c_str(), figures.mean, figures.p95, figures.shadows, figures.shadowMean,
                        figures.shadowP95, figures.shadowLargest, time);
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    cmsSetLogErrorHandler(nullptr);
    int rounds = 2;
    std::string folder, grabs;
    int seeds = 3;
    bool pressOnly = false, heldOutOnly = false, withHighColprof = false, rgbOnly = false,
         withoutProfileOnly = false;
    for (int i = 1; i < argc; ++i) {
        const bool valued = i + 1 < argc;
        if (!std::strcmp(argv[i], "--press-only")) {
            pressOnly = true;
        } else if (!std::strcmp(argv[i], "--rgb")) {
            rgbOnly = true;
        } else if (!std::strcmp(argv[i], "--held-out")) {
            heldOutOnly = true;
        } else if (!std::strcmp(argv[i], "--without-profile")) {
            withoutProfileOnly = true;
        } else if (valued && !std::strcmp(argv[i], "--seeds")) {
            seeds = std::max(1, std::atoi(argv[++i]));
        } else if (!std::strcmp(argv[i], "--with-qh")) {
            withHighColprof = true;
        } else if (valued && !std::strcmp(argv[i], "--evaluate")) {
            printFigures(argv[i + 1], evaluate(argv[i + 1]));
            return 0;
        } else if (valued && !std::strcmp(argv[i], "--rounds")) {
            rounds = rounds ? std::max(1, std::atoi(argv[++i])) : 0;
        } else if (valued && !std::strcmp(argv[i], "--folder")) {
            folder = argv[++i];
        } else if (valued && !std::strcmp(argv[i], "--judge")) {
            folder = argv[++i];
            pressOnly = true;
            rounds = 0;
        } else if (valued && !std::strcmp(argv[i], "--grabs")) {
            grabs = argv[++i];
        }
    }
    if (folder.empty()) {
        char pattern[] = "/tmp/bench_profile_XXXXXX";
        if (!mkdtemp(pattern)) {
            std::perror("bench_profile");
            return 1;
        }
        folder = pattern;
    }
    if (heldOutOnly) {
        heldOut(folder, withHighColprof);
        return 0;
    }
    if (rgbOnly) {
        compareRgbPrinter(folder, rounds, grabs);
        return 0;
    }
    if (withoutProfileOnly) {
        compareWithoutProfile(folder, seeds);
        return 0;
    }

    const std::vector<Chart> charts = {
        {"targen -d4 -f1000", {"targen", "-v0", "-d4", "-f1000", "targen"}, "targen"},
        {"tintora-chart --patches 1000 --controls",
         {TINTORA_CHART, "--profile", KnownPrinter, "--patches", "1000", "--controls", "--ti1", "ours.ti1"},
         "ours"},
        {"tintora-chart --device cmyk --patches 1000",
         {TINTORA_CHART, "--profile", KnownPrinter, "--device", "cmyk", "--patches", "1000", "--ti1", "profiling.ti1"},
         "profiling"}};
    if (!pressOnly)
        for (const Chart& chart : charts)
            compare(folder, chart, rounds);
    comparePress(folder, rounds, grabs);
    compareRgbPrinter(folder, rounds, grabs);
    if (rounds > 0)
        compareWithoutProfile(folder, seeds);
    return 0;
}
