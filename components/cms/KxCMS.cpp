#include "KxCMS.h"

#include "KxCmsConversion.h"
#include "KxCmsProfile.h"
#include "KxColourMath.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <new>

struct KxCMSTransforms
{
    std::unique_ptr<KxCmsConversion> conversion;
};

namespace {

// A null path stands for the built-in D50 Lab profile, and only for Lab.
std::shared_ptr<const KxCmsProfile> openSide(icColorSpaceSignature space, const char* path)
{
    std::shared_ptr<const KxCmsProfile> profile;
    if (!path) {
        if (space == icSigLabData)
            profile = KxCmsProfile::builtInLab();
    } else {
        profile = KxCmsProfile::fromFile(path);
        if (profile && !profile->isDeviceProfile())
            profile.reset();
    }
    if (profile && profile->colourSpace() != space)
        profile.reset();
    return profile;
}

const KxCmsConversion* conversionOf(const KxCMS* cms)
{
    return cms && cms->transforms ? cms->transforms->conversion.get() : nullptr;
}

double fromByte(unsigned char value)
{
    return value / 255.0;
}

unsigned char toByte(double fraction)
{
    return static_cast<unsigned char>(std::lround(std::clamp(fraction, 0.0, 1.0) * 255.0));
}

enum class LabKind { D50, Relative };

void deviceToLab(const KxCmsConversion& conversion, LabKind kind, const double* device, double* L, double* a,
                 double* b)
{
    double lab[3];
    const bool done = kind == LabKind::D50 ? conversion.deviceToLabD50(device, lab)
                                           : conversion.deviceToLabRelative(device, lab);
    if (!done)
        return;
    *L = lab[0];
    *a = lab[1];
    *b = lab[2];
}

// Chart pixels are K, C, M, Y bytes; the engine's CMYK is C, M, Y, K.
void cmykOf(const unsigned char* kcmy, double* cmyk)
{
    cmyk[0] = fromByte(kcmy[1]);
    cmyk[1] = fromByte(kcmy[2]);
    cmyk[2] = fromByte(kcmy[3]);
    cmyk[3] = fromByte(kcmy[0]);
}

// Chart pixels of RGB are R, G, B bytes.
void rgbOf(const unsigned char* rgb, double* channels)
{
    for (int i = 0; i < 3; ++i)
        channels[i] = fromByte(rgb[i]);
}

// The D50 Lab of count pixels of the handle's input space, each
// pixelBytes long and unpacked into the engine's channels by channelsOf;
// converted a batch at a time, on the stack.
void pixelsToLab(const KxCMS* cms, icColorSpaceSignature space, int pixelBytes,
                 void (*channelsOf)(const unsigned char*, double*), const unsigned char* pixels, unsigned long count,
                 double* lab)
{
    const KxCmsConversion* conversion = conversionOf(cms);
    if (!conversion || conversion->inputSpace() != space || !pixels || !lab)
        return;
    constexpr unsigned long BATCH = 256;
    double channels[BATCH * 4];
    for (unsigned long first = 0; first < count; first += BATCH) {
        const unsigned long size = std::min(BATCH, count - first);
        for (unsigned long i = 0; i < size; ++i)
            channelsOf(pixels + (first + i) * pixelBytes, channels + i * pixelBytes);
        conversion->devicesToLabD50(channels, size, lab + first * 3);
    }
}

// A chart pixel of the handle's input space, unpacked by channelsOf, to Lab.
void pixelToLab(const KxCMS* cms, LabKind kind, icColorSpaceSignature space,
                void (*channelsOf)(const unsigned char*, double*), const unsigned char* pixel, double* L, double* a,
                double* b)
{
    const KxCmsConversion* conversion = conversionOf(cms);
    if (!conversion || conversion->inputSpace() != space || !pixel || !L || !a || !b)
        return;
    double channels[4];
    channelsOf(pixel, channels);
    deviceToLab(*conversion, kind, channels, L, a, b);
}

void cmykToLab(const KxCMS* cms, LabKind kind, const unsigned char* kcmy, double* L, double* a, double* b)
{
    pixelToLab(cms, kind, icSigCmykData, cmykOf, kcmy, L, a, b);
}

void rgbToLab(const KxCMS* cms, LabKind kind, const unsigned char* rgb, double* L, double* a, double* b)
{
    pixelToLab(cms, kind, icSigRgbData, rgbOf, rgb, L, a, b);
}

} // namespace

KxCMS* KxCMSInit(icColorSpaceSignature inputSpace, icColorSpaceSignature outputSpace,
                 const char* inputPath, const char* outputPath,
                 int intent, int accuracy, int blackPointCompensation)
{
    if (!isKnownIntent(intent) || (accuracy != ICC_ACCURACY_NORMAL && accuracy != ICC_ACCURACY_BEST))
        return nullptr;
    try {
        std::shared_ptr<const KxCmsProfile> input = openSide(inputSpace, inputPath);
        // A profile converted to itself is read once.
        const bool itself = input && inputPath && outputPath && inputSpace == outputSpace
            && std::strcmp(inputPath, outputPath) == 0;
        std::shared_ptr<const KxCmsProfile> output = itself ? input : openSide(outputSpace, outputPath);
        if (!input || !output)
            return nullptr;
        KxCmsConversion::Settings settings;
        settings.intent = intent;
        settings.highAccuracy = accuracy == ICC_ACCURACY_BEST;
        settings.blackPointCompensation = blackPointCompensation != 0;
        // The C functions convert only to and from Lab.
        settings.deviceLink = false;
        const icProfileClassSignature inputClass = input->profileClass();
        auto transforms = std::make_unique<KxCMSTransforms>();
        transforms->conversion = KxCmsConversion::open(std::move(input), std::move(output), settings);
        if (!transforms->conversion)
            return nullptr;
        auto cms = std::make_unique<KxCMS>();
        cms->inputSpace = inputSpace;
        cms->outputSpace = outputSpace;
        cms->inputClass = inputClass;
        cms->transforms = transforms.release();
        return cms.release(); // owned by the caller until KxCMSDestroy
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void KxCMSDestroy(KxCMS* cms)
{
    if (!cms)
        return;
    std::unique_ptr<KxCMS> owned(cms);
    std::unique_ptr<KxCMSTransforms> transforms(cms->transforms);
}

void KxCMSCMYKToLab(const KxCMS* cms, const unsigned char* kcmy, double* L, double* a, double* b)
{
    cmykToLab(cms, LabKind::D50, kcmy, L, a, b);
}

void KxCMSCMYKToLabRelative(const KxCMS* cms, const unsigned char* kcmy, double* L, double* a, double* b)
{
    cmykToLab(cms, LabKind::Relative, kcmy, L, a, b);
}

void KxCMSCMYKToLabPixels(const KxCMS* cms, const unsigned char* kcmy, unsigned long count, double* lab)
{
    pixelsToLab(cms, icSigCmykData, 4, cmykOf, kcmy, count, lab);
}

void KxCMSRGBToLab(const KxCMS* cms, const unsigned char* rgb, double* L, double* a, double* b)
{
    rgbToLab(cms, LabKind::D50, rgb, L, a, b);
}

void KxCMSRGBToLabPixels(const KxCMS* cms, const unsigned char* rgb, unsigned long count, double* lab)
{
    pixelsToLab(cms, icSigRgbData, 3, rgbOf, rgb, count, lab);
}

void KxCMSRGBToLabRelative(const KxCMS* cms, const unsigned char* rgb, double* L, double* a, double* b)
{
    rgbToLab(cms, LabKind::Relative, rgb, L, a, b);
}

void KxCMSLabD50ToCMYK(const KxCMS* cms, double L, double a, double b, unsigned char* kcmy)
{
    const KxCmsConversion* conversion = conversionOf(cms);
    if (!conversion || conversion->outputSpace() != icSigCmykData || !kcmy)
        return;
    const double d50[3] = {L, a, b};
    double relative[3];
    conversion->labD50ToRelative(d50, relative);
    double cmyk[4];
    if (!conversion->labToDevice(relative, cmyk))
        return;
    kcmy[0] = toByte(cmyk[3]);
    kcmy[1] = toByte(cmyk[0]);
    kcmy[2] = toByte(cmyk[1]);
    kcmy[3] = toByte(cmyk[2]);
}

void KxCMSLabToRGB(const KxCMS* cms, double L, double a, double b, unsigned char* rgb)
{
    const KxCmsConversion* conversion = cms ? conversionOf(cms) : KxCmsConversion::labToBuiltInSrgb();
    if (!conversion || conversion->outputSpace() != icSigRgbData || !rgb)
        return;
    const double lab[3] = {L, a, b};
    double channels[3];
    if (!conversion->labToDevice(lab, channels))
        return;
    for (int i = 0; i < 3; ++i)
        rgb[i] = toByte(channels[i]);
}

namespace {

// A difference formula applied to two L, a, b triples; 0 when one is missing.
double colourDifference(const double* lab1, const double* lab2, double (*formula)(const double*, const double*))
{
    return lab1 && lab2 ? formula(lab1, lab2) : 0.0;
}

} // namespace

double KxCMS_ColourDiff_DeltaE(const double* lab1, const double* lab2)
{
    return colourDifference(lab1, lab2, KxColourMath::deltaE76);
}

double KxCMS_ColourDiff_CIE94(const double* lab1, const double* lab2)
{
    return colourDifference(lab1, lab2, KxColourMath::deltaE94);
}

double KxCMS_ColourDiff_CIE2000(const double* lab1, const double* lab2)
{
    return colourDifference(lab1, lab2, KxColourMath::deltaE2000);
}
