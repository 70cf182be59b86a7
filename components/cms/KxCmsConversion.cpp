#include "KxCmsConversion.h"

#include "KxCmsLog.h"
#include "KxCmsProfile.h"
#include "KxCmsTransform.h"

#include <lcms2.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <new>

namespace {

constexpr const char* UNREADABLE_INPUT = "the input profile cannot be read";
constexpr const char* UNREADABLE_OUTPUT = "the output profile cannot be read";
constexpr const char* INPUT_NO_DEVICE_PROFILE = "the input profile is no device profile";
constexpr const char* OUTPUT_NO_DEVICE_PROFILE = "the output profile is no device profile";

// Lightness a profile's lightest or darkest colour may have; beyond it the
// profile's colorimetry is taken for broken.
constexpr double LOWEST_LIGHTNESS = -1.0;
constexpr double HIGHEST_LIGHTNESS = 101.0;

// The pixel types whose floating-point channels LittleCMS counts in percent
// of ink (0..100); all others run 0..1.
bool isInkSpace(int pixelType)
{
    return pixelType == PT_CMY || pixelType == PT_CMYK || (pixelType >= PT_MCH5 && pixelType <= PT_MCH15);
}

// The colour spaces LittleCMS has pixel types for. A profile's space is
// matched against them before it is taken as LittleCMS's enum, which a
// signature from a damaged file may lie outside.
constexpr cmsColorSpaceSignature PIXEL_SPACES[] = {
    cmsSigXYZData,    cmsSigLabData,    cmsSigLuvData,    cmsSigYCbCrData,  cmsSigYxyData,    cmsSigRgbData,
    cmsSigGrayData,   cmsSigHsvData,    cmsSigHlsData,    cmsSigCmykData,   cmsSigCmyData,    cmsSigMCH1Data,
    cmsSigMCH2Data,   cmsSigMCH3Data,   cmsSigMCH4Data,   cmsSigMCH5Data,   cmsSigMCH6Data,   cmsSigMCH7Data,
    cmsSigMCH8Data,   cmsSigMCH9Data,   cmsSigMCHAData,   cmsSigMCHBData,   cmsSigMCHCData,   cmsSigMCHDData,
    cmsSigMCHEData,   cmsSigMCHFData,   cmsSig1colorData, cmsSig2colorData, cmsSig3colorData, cmsSig4colorData,
    cmsSig5colorData, cmsSig6colorData, cmsSig7colorData, cmsSig8colorData, cmsSig9colorData, cmsSig10colorData,
    cmsSig11colorData, cmsSig12colorData, cmsSig13colorData, cmsSig14colorData, cmsSig15colorData};

// How device values of one profile reach LittleCMS: 16-bit channels for
// the normal accuracy, doubles for the best.
struct DeviceFormat
{
    cmsUInt32Number format = 0; // 0: the space has no LittleCMS pixel type
    int channels = 0;
    double fullScale = 1.0; // of a channel in a double pixel

    DeviceFormat() = default;
    DeviceFormat(icColorSpaceSignature space, bool floatingPoint)
    {
        const auto known = std::find_if(std::begin(PIXEL_SPACES), std::end(PIXEL_SPACES),
                                        [space](cmsColorSpaceSignature each) {
                                            return std::uint32_t(each) == std::uint32_t(space);
                                        });
        if (known == std::end(PIXEL_SPACES))
            return;
        const cmsColorSpaceSignature signature = *known;
        const int pixelType = _cmsLCMScolorSpace(signature);
        const int count = int(cmsChannelsOf(signature));
        if (pixelType == 0 || count < 1 || count > cmsMAXCHANNELS)
            return;
        channels = count;
        format = COLORSPACE_SH(cmsUInt32Number(pixelType)) | CHANNELS_SH(cmsUInt32Number(count));
        if (floatingPoint) {
            format |= FLOAT_SH(1) | BYTES_SH(0);
            fullScale = isInkSpace(pixelType) ? 100.0 : 1.0;
        } else {
            format |= BYTES_SH(2);
        }
    }
    bool floatingPoint() const { return T_FLOAT(format) != 0; }
};

// One device pixel in the format LittleCMS is given.
struct Pixel
{
    cmsUInt16Number words[cmsMAXCHANNELS] = {};
    double values[cmsMAXCHANNELS] = {};

    void set(const DeviceFormat& format, const double* fractions) { encode(format, fractions, words, values); }
    // The channels of one pixel, as 16-bit words and as doubles.
    static void encode(const DeviceFormat& format, const double* fractions, cmsUInt16Number* words, double* values)
    {
        for (int i = 0; i < format.channels; ++i) {
            const double fraction = std::clamp(fractions[i], 0.0, 1.0);
            words[i] = cmsUInt16Number(std::lround(fraction * 65535.0));
            values[i] = fraction * format.fullScale;
        }
    }
    void fill(const DeviceFormat& format, double fraction)
    {
        double all[cmsMAXCHANNELS];
        std::fill(all, all + cmsMAXCHANNELS, fraction);
        set(format, all);
    }
    void* data(const DeviceFormat& format) { return format.floatingPoint() ? static_cast<void*>(values) : words; }
    // False when a channel is no number.
    bool get(const DeviceFormat& format, double* fractions) const
    {
        for (int i = 0; i < format.channels; ++i) {
            const double fraction = format.floatingPoint() ? values[i] / format.fullScale : words[i] / 65535.0;
            if (!std::isfinite(fraction))
                return false;
            fractions[i] = std::clamp(fraction, 0.0, 1.0);
        }
        return true;
    }
};

bool isFinite(const cmsCIELab& lab)
{
    return std::isfinite(lab.L) && std::isfinite(lab.a) && std::isfinite(lab.b);
}

} // namespace

// Every transform a conversion uses is built when it opens, so that a
// profile LittleCMS cannot answer for is refused then and never answered
// with values nobody computed.
struct KxCmsConversion::Engine
{
    std::shared_ptr<const KxCmsProfile> input;
    std::shared_ptr<const KxCmsProfile> output;
    std::shared_ptr<const KxCmsProfile> lab = KxCmsProfile::builtInLab();
    Settings settings;
    DeviceFormat inputFormat;
    DeviceFormat outputFormat;
    cmsCIEXYZ inputMediaWhite = {};

    // Null for a conversion from the built-in Lab, which has only fromLab.
    std::shared_ptr<const KxCmsTransform> device;
    std::shared_ptr<const KxCmsTransform> labD50;
    std::shared_ptr<const KxCmsTransform> labRelative;
    std::shared_ptr<const KxCmsTransform> fromLab;

    // An intent outside the four converts as perceptual.
    cmsUInt32Number intent() const
    {
        return isKnownIntent(settings.intent) ? cmsUInt32Number(settings.intent) : INTENT_PERCEPTUAL;
    }
    // The normal accuracy leaves LittleCMS its default precalculation; the
    // best evaluates the profiles themselves in floating point.
    cmsUInt32Number accuracyFlags() const { return settings.highAccuracy ? cmsFLAGS_NOOPTIMIZE : 0; }
    cmsUInt32Number deviceFlags() const
    {
        return accuracyFlags() | (settings.blackPointCompensation ? cmsFLAGS_BLACKPOINTCOMPENSATION : 0);
    }
    bool inputIsLab() const { return input->colourSpace() == icSigLabData; }

    const char* build();
    const char* checkProfile(const std::shared_ptr<const KxCmsProfile>& profile, const char* whiteRefusal,
                             const char* lightnessRefusal) const;
    bool toLab(const KxCmsTransform* transform, const double* input, double* lab) const;
};

const char* KxCmsConversion::Engine::build()
{
    using Recipe = KxCmsTransform::Recipe;
    const cmsUInt32Number labFormat = TYPE_Lab_DBL;
    fromLab = KxCmsTransform::obtain(Recipe{lab, labFormat, output, outputFormat.format, intent(), deviceFlags()});
    if (!fromLab)
        return "Lab cannot be converted into the output profile";
    if (inputIsLab())
        return nullptr;
    if (settings.deviceLink) {
        device = KxCmsTransform::obtain(
            Recipe{input, inputFormat.format, output, outputFormat.format, intent(), deviceFlags()});
        if (!device)
            return "the two profiles cannot be linked";
    }
    labD50 = KxCmsTransform::obtain(
        Recipe{input, inputFormat.format, lab, labFormat, INTENT_ABSOLUTE_COLORIMETRIC, accuracyFlags()});
    labRelative = KxCmsTransform::obtain(
        Recipe{input, inputFormat.format, lab, labFormat, INTENT_RELATIVE_COLORIMETRIC, accuracyFlags()});
    if (!labD50 || !labRelative)
        return "the input profile gives no Lab";
    return nullptr;
}

// A profile is sound when its media white is one that paper or a display
// can have and its lightest and darkest colours (all channels at 0 and at full) have a
// finite D50 Lab of believable lightness.
const char* KxCmsConversion::Engine::checkProfile(const std::shared_ptr<const KxCmsProfile>& profile,
                                                  const char* whiteRefusal, const char* lightnessRefusal) const
{
    if (!profile->hasSoundMediaWhite())
        return whiteRefusal;
    const DeviceFormat format(profile->colourSpace(), true);
    const std::shared_ptr<const KxCmsTransform> toLab = KxCmsTransform::obtain(
        {profile, format.format, lab, TYPE_Lab_DBL, INTENT_ABSOLUTE_COLORIMETRIC, cmsFLAGS_NOOPTIMIZE});
    if (!toLab)
        return lightnessRefusal;
    for (double fraction : {0.0, 1.0}) {
        Pixel pixel;
        pixel.fill(format, fraction);
        cmsCIELab result;
        toLab->apply(pixel.values, &result);
        if (!isFinite(result) || result.L < LOWEST_LIGHTNESS || result.L > HIGHEST_LIGHTNESS)
            return lightnessRefusal;
    }
    return nullptr;
}

bool KxCmsConversion::Engine::toLab(const KxCmsTransform* transform, const double* fractions, double* lab) const
{
    if (!transform)
        return false;
    Pixel pixel;
    pixel.set(inputFormat, fractions);
    cmsCIELab result;
    transform->apply(pixel.data(inputFormat), &result);
    if (!isFinite(result))
        return false;
    lab[0] = result.L;
    lab[1] = result.a;
    lab[2] = result.b;
    return true;
}

KxCmsConversion::KxCmsConversion(std::unique_ptr<Engine> engine)
    : m_engine(std::move(engine))
{
}

KxCmsConversion::~KxCmsConversion() = default;

std::unique_ptr<KxCmsConversion> KxCmsConversion::open(const char* inputPath, const char* outputPath,
                                                       const Settings& settings, std::string* whyNot)
{
    std::shared_ptr<const KxCmsProfile> input = KxCmsProfile::fromFile(inputPath, settings.simplexLabTables);
    std::shared_ptr<const KxCmsProfile> output = KxCmsProfile::fromFile(outputPath, settings.simplexLabTables);
    const char* refusal = nullptr;
    if (!input || !output)
        refusal = !input ? UNREADABLE_INPUT : UNREADABLE_OUTPUT;
    else if (!input->isDeviceProfile())
        refusal = INPUT_NO_DEVICE_PROFILE;
    else if (!output->isDeviceProfile())
        refusal = OUTPUT_NO_DEVICE_PROFILE;
    if (refusal) {
        if (whyNot)
            *whyNot = refusal;
        return nullptr;
    }
    return open(std::move(input), std::move(output), settings, whyNot);
}

std::unique_ptr<KxCmsConversion> KxCmsConversion::openFromLab(const char* outputPath, const Settings& settings,
                                                              std::string* whyNot)
{
    std::shared_ptr<const KxCmsProfile> output = KxCmsProfile::fromFile(outputPath, settings.simplexLabTables);
    const char* refusal = !output ? UNREADABLE_OUTPUT : !output->isDeviceProfile() ? OUTPUT_NO_DEVICE_PROFILE : nullptr;
    if (refusal) {
        if (whyNot)
            *whyNot = refusal;
        return nullptr;
    }
    return open(KxCmsProfile::builtInLab(), std::move(output), settings, whyNot);
}

const KxCmsConversion* KxCmsConversion::labToBuiltInSrgb()
{
    static const std::unique_ptr<KxCmsConversion> srgb = [] {
        Settings settings;
        settings.intent = icRelativeColorimetric;
        return open(KxCmsProfile::builtInLab(), KxCmsProfile::builtInSrgb(), settings);
    }();
    return srgb.get();
}

std::unique_ptr<KxCmsConversion> KxCmsConversion::open(std::shared_ptr<const KxCmsProfile> input,
                                                       std::shared_ptr<const KxCmsProfile> output,
                                                       const Settings& settings, std::string* whyNot)
{
    KxCmsLog::clear();
    const char* refusal = nullptr;
    std::unique_ptr<Engine> engine(new (std::nothrow) Engine);
    if (!engine || !engine->lab) {
        refusal = "out of memory";
    } else if (!input || !output) {
        refusal = "a profile cannot be read";
    } else {
        engine->input = std::move(input);
        engine->output = std::move(output);
        engine->settings = settings;
        engine->inputFormat = DeviceFormat(engine->input->colourSpace(), settings.highAccuracy);
        engine->outputFormat = DeviceFormat(engine->output->colourSpace(), settings.highAccuracy);
        engine->inputMediaWhite = engine->input->mediaWhitePoint();
        if (engine->inputFormat.format == 0 || engine->outputFormat.format == 0)
            refusal = "a profile's colour space has no pixel format";
        else if (!engine->inputIsLab())
            refusal = engine->checkProfile(engine->input,
                                           "the input profile's media white is no paper or display white",
                                           "the input profile's white or black has no believable Lab");
        if (!refusal)
            refusal = engine->checkProfile(engine->output,
                                           "the output profile's media white is no paper or display white",
                                           "the output profile's white or black has no believable Lab");
        if (!refusal)
            refusal = engine->build();
    }
    if (refusal) {
        if (whyNot) {
            const std::string detail = KxCmsLog::whyNot();
            *whyNot = detail.empty() ? std::string(refusal) : refusal + (" (" + detail + ")");
        }
        return nullptr;
    }
    return std::unique_ptr<KxCmsConversion>(new KxCmsConversion(std::move(engine)));
}

icColorSpaceSignature KxCmsConversion::inputSpace() const
{
    return m_engine->input->colourSpace();
}

icColorSpaceSignature KxCmsConversion::outputSpace() const
{
    return m_engine->output->colourSpace();
}

bool KxCmsConversion::deviceToDevice(const double* input, double* output) const
{
    const Engine& e = *m_engine;
    if (!e.device)
        return false;
    Pixel in;
    Pixel out;
    in.set(e.inputFormat, input);
    e.device->apply(in.data(e.inputFormat), out.data(e.outputFormat));
    return out.get(e.outputFormat, output);
}

bool KxCmsConversion::deviceToLabD50(const double* input, double lab[3]) const
{
    return m_engine->toLab(m_engine->labD50.get(), input, lab);
}

void KxCmsConversion::devicesToLabD50(const double* inputs, std::size_t count, double* labs) const
{
    const Engine& e = *m_engine;
    if (!e.labD50)
        return;
    // Converted a batch at a time, in buffers on the stack.
    constexpr std::size_t BATCH = 128;
    const std::size_t channels = std::size_t(e.inputFormat.channels);
    cmsUInt16Number words[BATCH * cmsMAXCHANNELS];
    double values[BATCH * cmsMAXCHANNELS];
    cmsCIELab results[BATCH];
    for (std::size_t first = 0; first < count; first += BATCH) {
        const std::size_t size = std::min(BATCH, count - first);
        for (std::size_t i = 0; i < size; ++i)
            Pixel::encode(e.inputFormat, inputs + (first + i) * channels, words + i * channels,
                          values + i * channels);
        e.labD50->apply(e.inputFormat.floatingPoint() ? static_cast<void*>(values) : words, results,
                        cmsUInt32Number(size));
        for (std::size_t i = 0; i < size; ++i) {
            if (!isFinite(results[i]))
                continue;
            double* lab = labs + (first + i) * 3;
            lab[0] = results[i].L;
            lab[1] = results[i].a;
            lab[2] = results[i].b;
        }
    }
}

bool KxCmsConversion::deviceToLabRelative(const double* input, double lab[3]) const
{
    return m_engine->toLab(m_engine->labRelative.get(), input, lab);
}

bool KxCmsConversion::labToDevice(const double relative[3], double* output) const
{
    const cmsCIELab lab{relative[0], relative[1], relative[2]};
    if (!isFinite(lab))
        return false;
    const Engine& e = *m_engine;
    Pixel out;
    e.fromLab->apply(&lab, out.data(e.outputFormat));
    return out.get(e.outputFormat, output);
}

void KxCmsConversion::labD50ToRelative(const double d50[3], double relative[3]) const
{
    // Under the absolute intent LittleCMS adapts the D50 Lab to the output's
    // media itself.
    if (m_engine->intent() == INTENT_ABSOLUTE_COLORIMETRIC) {
        std::copy(d50, d50 + 3, relative);
        return;
    }
    // The other intents take Lab as the input profile's colorimetry
    // relative to its media white, as its device values reach the output:
    // XYZ scaled channel by channel from that white to D50, as LittleCMS's
    // absolute intent does for a fully adapted observer.
    const cmsCIEXYZ* white = cmsD50_XYZ();
    const cmsCIEXYZ& media = m_engine->inputMediaWhite;
    const cmsCIELab lab{d50[0], d50[1], d50[2]};
    cmsCIEXYZ xyz;
    cmsLab2XYZ(white, &xyz, &lab);
    xyz.X *= white->X / media.X;
    xyz.Y *= white->Y / media.Y;
    xyz.Z *= white->Z / media.Z;
    cmsCIELab result;
    cmsXYZ2Lab(white, &result, &xyz);
    relative[0] = result.L;
    relative[1] = result.a;
    relative[2] = result.b;
}
