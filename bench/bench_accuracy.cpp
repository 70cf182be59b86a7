// What the normal accuracy costs in exactness: for 10,000 random colours per
// profile pair and intent, the largest and mean difference of its output
// from the best accuracy's, as CIE 1976 colour difference (both outputs
// taken to D50 Lab through the output profile) and in whole device units
// as the tool shows them.

#include "KxCmsIcc.h"
#include "KxColourMath.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr int Colours = 10000;

struct Pair
{
    const char* name;
    const char* input;
    const char* output;
};

const char* const DefaultCmyk = "/usr/share/color/icc/ghostscript/default_cmyk.icc";
const char* const PsCmyk = "/usr/share/color/icc/ghostscript/ps_cmyk.icc";
const char* const Srgb = "/usr/share/color/icc/sRGB.icc";
const char* const AdobeRgb = "/usr/share/color/icc/compatibleWithAdobeRGB1998.icc";

const Pair Pairs[] = {
    {"default_cmyk -> sRGB", DefaultCmyk, Srgb},
    {"sRGB -> default_cmyk", Srgb, DefaultCmyk},
    {"Adobe RGB -> default_cmyk", AdobeRgb, DefaultCmyk},
    {"default_cmyk -> ps_cmyk", DefaultCmyk, PsCmyk},
};

std::unique_ptr<KxCmsIcc> opened(const char* input, const char* output, int intent, long accuracy)
{
    auto transform = std::make_unique<KxCmsIcc>();
    transform->setrenderingIntent(intent);
    transform->setinterpolationAccuracy(accuracy);
    if (!transform->create(input, output)) {
        std::fprintf(stderr, "bench_accuracy: cannot open %s to %s: %s\n", input, output,
                     transform->whyNot().c_str());
        std::exit(1);
    }
    return transform;
}

struct Differences
{
    double largestDeltaE = 0, sumDeltaE = 0;
    double largestUnits = 0, sumUnits = 0;
};

} // namespace

int main()
{
    std::printf("normal against best accuracy, %d random colours each\n", Colours);
    std::printf("%-28s %-10s %12s %10s %12s %10s\n", "pair", "intent", "max dE76", "mean dE76", "max units",
                "mean units");
    const char* const intentNames[] = {"perceptual", "relative", "saturation", "absolute"};
    for (const Pair& pair : Pairs) {
        for (int intent = icPerceptual; intent <= icAbsoluteColorimetric; ++intent) {
            const auto normal = opened(pair.input, pair.output, intent, ICC_ACCURACY_NORMAL);
            const auto best = opened(pair.input, pair.output, intent, ICC_ACCURACY_BEST);
            const auto outputLab = opened(pair.output, pair.output, icAbsoluteColorimetric, ICC_ACCURACY_BEST);
            const int inChannels = KxCmsIcc::channelsOf(normal->inputSpace);
            const int outChannels = KxCmsIcc::channelsOf(normal->outputSpace);
            const double inFull = normal->inputSpace == icSigCmykData ? 100 : 255;

            std::mt19937 random(12345);
            std::uniform_int_distribution<int> level(0, int(inFull));
            Differences d;
            for (int n = 0; n < Colours; ++n) {
                double device[4], fromNormal[4], fromBest[4], labNormal[3], labBest[3];
                for (int i = 0; i < inChannels; ++i)
                    device[i] = level(random);
                if (!normal->toDevice(device, fromNormal) || !best->toDevice(device, fromBest)
                    || !outputLab->toLab(fromNormal, labNormal) || !outputLab->toLab(fromBest, labBest)) {
                    std::fprintf(stderr, "bench_accuracy: a conversion failed\n");
                    return 1;
                }
                const double deltaE = KxColourMath::deltaE76(labNormal, labBest);
                d.largestDeltaE = std::max(d.largestDeltaE, deltaE);
                d.sumDeltaE += deltaE;
                double units = 0;
                for (int i = 0; i < outChannels; ++i)
                    units = std::max(units, std::abs(std::round(fromNormal[i]) - std::round(fromBest[i])));
                d.largestUnits = std::max(d.largestUnits, units);
                d.sumUnits += units;
            }
            std::printf("%-28s %-10s %12.3f %10.3f %12.0f %10.3f\n", pair.name, intentNames[intent],
                        d.largestDeltaE, d.sumDeltaE / Colours, d.largestUnits, d.sumUnits / Colours);
        }
    }
    std::printf("units: the largest channel difference of a colour, RGB 0-255 or CMYK percent\n");
    return 0;
}
