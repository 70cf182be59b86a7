// Arbitrary bytes as an ICC profile, through the engine as the conversion
// tool and the chart use it: the header check, the tool's three transforms
// with a few conversions each, the chart's engine handle and calls, and the
// description its printed pages name the profile by.
// The bytes are written to a file first, since the engine opens profiles
// by path, as the program does.

#include "KxCMS.h"
#include "KxCmsIcc.h"
#include "KxCmsProfileDescription.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const char* const SRGB = "/usr/share/color/icc/sRGB.icc";

std::string profilePath;

bool writeProfile(const std::uint8_t* data, std::size_t size)
{
    std::FILE* file = std::fopen(profilePath.c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}

void convertWith(const KxCmsIcc& transform)
{
    unsigned long r, g, b, c, m, y, k;
    double L, a, bb, Lo, ao, bo;
    transform.rgb2rgb(200, 100, 50, r, g, b);
    transform.rgb2cmyk(0, 255, 128, c, m, y, k);
    transform.rgb2lab(255, 255, 255, L, a, bb);
    transform.cmyk2cmyk(10, 20, 30, 40, c, m, y, k);
    transform.cmyk2rgb(100, 0, 100, 0, r, g, b);
    transform.cmyk2lab(0, 0, 0, 0, L, a, bb);
    transform.D50lab2rlab(50, 20, -30, Lo, ao, bo);
    transform.lab2rgb(Lo, ao, bo, r, g, b);
    transform.lab2cmyk(Lo, ao, bo, c, m, y, k);
}

void chartCalls(icColorSpaceSignature space, const char* path)
{
    KxCMS* profile = KxCMSInit(space, space, path, path, 1, 0, 0);
    KxCMS* monitor = KxCMSInit(icSigLabData, icSigRgbData, nullptr, path, 1, 0, 0);
    const unsigned char kcmy[4] = {0, 255, 128, 10}, rgb[3] = {10, 200, 90};
    unsigned char out[4];
    double L = 0, a = 0, b = 0;
    if (profile) {
        KxCMSCMYKToLab(profile, kcmy, &L, &a, &b);
        KxCMSCMYKToLabRelative(profile, kcmy, &L, &a, &b);
        KxCMSRGBToLabRelative(profile, rgb, &L, &a, &b);
        KxCMSLabD50ToCMYK(profile, 60, -10, 20, out);
    }
    KxCMSLabToRGB(monitor, 60, -10, 20, out);
    KxCMSDestroy(monitor);
    KxCMSDestroy(profile);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    const char* temporary = std::getenv("TMPDIR");
    std::string folder = std::string(temporary && *temporary ? temporary : "/tmp") + "/tintora-fuzz-XXXXXX";
    if (!::mkdtemp(folder.data())) {
        std::perror("mkdtemp");
        std::exit(2);
    }
    profilePath = folder + "/profile.icc";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (!writeProfile(data, size))
        return 0;
    const char* path = profilePath.c_str();
    icProfileClassSignature profileClass;
    icColorSpaceSignature space;
    if (!KxCmsIcc::getICCprofileClass(path, profileClass, space))
        return 0;
    // The tool's three transforms at the default settings, and one at
    // absolute colorimetric and Best, which take other paths through the engine.
    KxCmsIcc transform;
    const char* pairs[][2] = {{path, path}, {path, SRGB}, {SRGB, path}};
    for (const auto& pair : pairs)
        if (transform.create(pair[0], pair[1]))
            convertWith(transform);
    transform.setrenderingIntent(3);
    transform.setinterpolationAccuracy(1);
    if (transform.create(path, SRGB))
        convertWith(transform);
    transform.close();
    chartCalls(space, path);
    Kx_profileDescription(path);
    return 0;
}
