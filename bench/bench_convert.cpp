// tintora-convert's speed against a plain LittleCMS loop that does the same
// reading and writing: 100,000 random CMYK lines to sRGB, each answered
// with its device values and D50 Lab, at both accuracies. Prints colours
// per second; the input lies in a temporary file, the output goes to
// /dev/null.

#include <lcms2.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int Colours = 100000;
const char* const Input = "/usr/share/color/icc/ghostscript/default_cmyk.icc";
const char* const Output = "/usr/share/color/icc/sRGB.icc";

double seconds(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string writeColours()
{
    char path[] = "/tmp/bench_convert_XXXXXX";
    const int descriptor = mkstemp(path);
    std::FILE* file = descriptor < 0 ? nullptr : fdopen(descriptor, "w");
    if (!file) {
        std::perror("bench_convert");
        std::exit(1);
    }
    std::mt19937 random(7);
    std::uniform_int_distribution<int> ink(0, 100);
    for (int n = 0; n < Colours; ++n)
        std::fprintf(file, "%d %d %d %d\n", ink(random), ink(random), ink(random), ink(random));
    std::fclose(file);
    return path;
}

double runTintoraConvert(const std::string& colours, int accuracy)
{
    std::fflush(stdout); // or the child would write out what is buffered
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        if (!std::freopen(colours.c_str(), "r", stdin) || !std::freopen("/dev/null", "w", stdout))
            _exit(127);
        const std::string level = std::to_string(accuracy);
        execl(TINTORA_CONVERT, "tintora-convert", "--in", Input, "--out", Output, "--accuracy", level.c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "bench_convert: tintora-convert failed\n");
        std::exit(1);
    }
    return seconds(start);
}

// The same work written straight against LittleCMS: read a line, convert
// it to device values and to D50 Lab, print both.
double runPlainLoop(const std::string& colours, int accuracy)
{
    const auto start = std::chrono::steady_clock::now();
    cmsHPROFILE input = cmsOpenProfileFromFile(Input, "r");
    cmsHPROFILE output = cmsOpenProfileFromFile(Output, "r");
    cmsHPROFILE lab = cmsCreateLab4Profile(nullptr);
    const bool best = accuracy == 1;
    const cmsUInt32Number inFormat = best ? TYPE_CMYK_DBL : TYPE_CMYK_16;
    const cmsUInt32Number outFormat = best ? TYPE_RGB_DBL : TYPE_RGB_16;
    const cmsUInt32Number flags = best ? cmsFLAGS_NOOPTIMIZE : 0;
    cmsHTRANSFORM device = cmsCreateTransform(input, inFormat, output, outFormat, INTENT_PERCEPTUAL, flags);
    cmsHTRANSFORM toLab = cmsCreateTransform(input, inFormat, lab, TYPE_Lab_DBL, INTENT_ABSOLUTE_COLORIMETRIC, flags);
    std::FILE* in = std::fopen(colours.c_str(), "r");
    std::FILE* out = std::fopen("/dev/null", "w");
    if (!device || !toLab || !in || !out) {
        std::fprintf(stderr, "bench_convert: the plain loop cannot start\n");
        std::exit(1);
    }
    char line[256];
    while (std::fgets(line, sizeof line, in)) {
        double cmyk[4];
        if (std::sscanf(line, "%lf %lf %lf %lf", &cmyk[0], &cmyk[1], &cmyk[2], &cmyk[3]) != 4)
            continue;
        double rgb[3];
        cmsCIELab result;
        if (best) {
            cmsDoTransform(device, cmyk, rgb, 1);
            cmsDoTransform(toLab, cmyk, &result, 1);
            for (double& channel : rgb)
                channel *= 255.0;
        } else {
            cmsUInt16Number words[4], rgbWords[3];
            for (int i = 0; i < 4; ++i)
                words[i] = cmsUInt16Number(cmyk[i] / 100.0 * 65535.0 + 0.5);
            cmsDoTransform(device, words, rgbWords, 1);
            cmsDoTransform(toLab, words, &result, 1);
            for (int i = 0; i < 3; ++i)
                rgb[i] = rgbWords[i] * 255.0 / 65535.0;
        }
        std::fprintf(out, "%.0f %.0f %.0f\t%.4f %.4f %.4f\n", rgb[0], rgb[1], rgb[2], result.L, result.a, result.b);
    }
    std::fclose(out);
    std::fclose(in);
    cmsDeleteTransform(toLab);
    cmsDeleteTransform(device);
    cmsCloseProfile(lab);
    cmsCloseProfile(output);
    cmsCloseProfile(input);
    return seconds(start);
}

} // namespace

int main()
{
    const std::string colours = writeColours();
    std::printf("%d CMYK lines, default_cmyk.icc to sRGB.icc, perceptual; colours per second (best of 3)\n",
                Colours);
    for (int accuracy : {0, 1}) {
        double convert = 1e9, plain = 1e9;
        for (int run = 0; run < 3; ++run) {
            convert = std::min(convert, runTintoraConvert(colours, accuracy));
            plain = std::min(plain, runPlainLoop(colours, accuracy));
        }
        std::printf("accuracy %d: tintora-convert %10.0f /s   plain LittleCMS loop %10.0f /s   ratio %.2f\n",
                    accuracy, Colours / convert, Colours / plain, plain / convert);
    }
    std::remove(colours.c_str());
    return 0;
}
