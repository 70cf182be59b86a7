#include "KxCmsConversion.h"

#include "KxCmsProfile.h"
#include "KxCmsTransform.h"

#include <lcms2.h>

#include <algorithm>
#include <cmath>
#include <new>

namespace {

// Lab enters and leaves in floating point. LittleCMS evaluates such
// transforms from the profiles' own tables instead of a precalculated grid,
// whose interpolation across a and b would cost more than a unit of Lab
// (display white would no longer come out as 255).
constexpr cmsUInt32Number LabFormat = TYPE_Lab_DBL;

constexpr int MaximumChannels = 4;

// The 16-bit pixel format of a profile's data colour space; 0 when
// LittleCMS has no pixel type for it.
cmsUInt32Number deviceFormat(const KxCmsProfile& profile)
{
    const auto space = cmsColorSpaceSignature(profile.colourSpace());
    const int pixelType = _cmsLCMScolorSpace(space);
    if (pixelType == 0 || cmsChannelsOf(space) > MaximumChannels)
        return 0;
    return COLORSPACE_SH(cmsUInt32Number(pixelType)) | CHANNELS_SH(cmsChannelsOf(space)) | BYTES_SH(2);
}

void toWords(const double* fractions, cmsUInt32Number format, cmsUInt16Number* words)
{
    for (cmsUInt32Number i = 0; i < T_CHANNELS(format); ++i)
        words[i] = cmsUInt16Number(std::lround(std::clamp(fractions[i], 0.0, 1.0) * 65535.0));
}

void fromWords(const cmsUInt16Number* words, cmsUInt32Number format, double* fractions)
{
    for (cmsUInt32Number i = 0; i < T_CHANNELS(format); ++i)
        fractions[i] = words[i] / 65535.0;
}

// A transform built when first asked for; a failure is remembered.
struct Lazy
{
    bool tried = false;
    std::shared_ptr<const KxCmsTransform> transform;
};

} // namespace

struct KxCmsConversion::Engine
{
    std::shared_ptr<const KxCmsProfile> input;
    std::shared_ptr<const KxCmsProfile> output;
    std::shared_ptr<const KxCmsProfile> lab = KxCmsProfile::builtInLab();
    Settings settings;
    cmsUInt32Number inputFormat = 0;
    cmsUInt32Number outputFormat = 0;
    cmsCIEXYZ outputMediaWhite = {};

    mutable Lazy device;
    mutable Lazy labD50;
    mutable Lazy labRelative;
    mutable Lazy fromLab;

    cmsUInt32Number intent() const { return cmsUInt32Number(settings.intent); }
    cmsUInt32Number precalculationFlags() const { return settings.highAccuracy ? cmsFLAGS_HIGHRESPRECALC : 0; }
    cmsUInt32Number deviceFlags() const
    {
        return precalculationFlags() | (settings.blackPointCompensation ? cmsFLAGS_BLACKPOINTCOMPENSATION : 0);
    }

    const KxCmsTransform* use(Lazy& lazy, const KxCmsTransform::Recipe& recipe) const
    {
        if (!lazy.tried) {
            lazy.tried = true;
            try {
                lazy.transform = KxCmsTransform::obtain(recipe);
            } catch (const std::bad_alloc&) {
                lazy.transform.reset();
            }
        }
        return lazy.transform.get();
    }

    bool toLab(Lazy& lazy, cmsUInt32Number labIntent, const double* input, double* lab) const
    {
        const KxCmsTransform* transform = use(lazy, {this->input, inputFormat, this->lab, LabFormat, labIntent,
                                                     precalculationFlags()});
        if (!transform)
            return false;
        cmsUInt16Number words[MaximumChannels];
        toWords(input, inputFormat, words);
        cmsCIELab result;
        transform->apply(words, &result);
        lab[0] = result.L;
        lab[1] = result.a;
        lab[2] = result.b;
        return true;
    }
};

KxCmsConversion::KxCmsConversion(std::unique_ptr<Engine> engine)
    : m_engine(std::move(engine))
{
}

KxCmsConversion::~KxCmsConversion() = default;

std::unique_ptr<KxCmsConversion> KxCmsConversion::open(const char* inputPath, const char* outputPath,
                                                       const Settings& settings, std::string* whyNot)
{
    std::shared_ptr<const KxCmsProfile> input = KxCmsProfile::fromFile(inputPath);
    std::shared_ptr<const KxCmsProfile> output = KxCmsProfile::fromFile(outputPath);
    if (!input || !output) {
        if (whyNot)
            *whyNot = !input ? "the input profile cannot be read" : "the output profile cannot be read";
        return nullptr;
    }
    if (!input->isDeviceProfile() || !output->isDeviceProfile()) {
        if (whyNot)
            *whyNot = !input->isDeviceProfile() ? "the input profile is no device profile"
                                                : "the output profile is no device profile";
        return nullptr;
    }
    return open(std::move(input), std::move(output), settings, whyNot);
}

std::unique_ptr<KxCmsConversion> KxCmsConversion::open(std::shared_ptr<const KxCmsProfile> input,
                                                       std::shared_ptr<const KxCmsProfile> output,
                                                       const Settings& settings, std::string* whyNot)
{
    auto refuse = [whyNot](const char* reason) {
        if (whyNot)
            *whyNot = reason;
        return nullptr;
    };
    if (!input || !output)
        return refuse("a profile cannot be read");
    if (settings.intent < icPerceptual || settings.intent > icAbsoluteColorimetric)
        return refuse("the rendering intent is unknown");
    std::unique_ptr<Engine> engine(new (std::nothrow) Engine);
    if (!engine || !engine->lab)
        return refuse("out of memory");
    engine->input = std::move(input);
    engine->output = std::move(output);
    engine->settings = settings;
    engine->inputFormat = deviceFormat(*engine->input);
    engine->outputFormat = deviceFormat(*engine->output);
    engine->outputMediaWhite = engine->output->mediaWhitePoint();
    if (engine->inputFormat == 0 || engine->outputFormat == 0)
        return refuse("a profile's colour space has no pixel format");
    // Linking without precalculation proves the pair can be transformed
    // at a fraction of the cost of the transforms used later.
    const KxCmsTransform::Recipe link{engine->input, engine->inputFormat, engine->output, engine->outputFormat,
                                      engine->intent(), engine->deviceFlags() | cmsFLAGS_NOOPTIMIZE};
    if (!KxCmsTransform::obtain(link))
        return refuse("the two profiles cannot be linked");
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
    const KxCmsTransform* transform =
        e.use(e.device, {e.input, e.inputFormat, e.output, e.outputFormat, e.intent(), e.deviceFlags()});
    if (!transform)
        return false;
    cmsUInt16Number in[MaximumChannels];
    cmsUInt16Number out[MaximumChannels];
    toWords(input, e.inputFormat, in);
    transform->apply(in, out);
    fromWords(out, e.outputFormat, output);
    return true;
}

bool KxCmsConversion::deviceToLabD50(const double* input, double lab[3]) const
{
    return m_engine->toLab(m_engine->labD50, INTENT_ABSOLUTE_COLORIMETRIC, input, lab);
}

bool KxCmsConversion::deviceToLabRelative(const double* input, double lab[3]) const
{
    return m_engine->toLab(m_engine->labRelative, INTENT_RELATIVE_COLORIMETRIC, input, lab);
}

bool KxCmsConversion::labToDevice(const double relative[3], double* output) const
{
    if (!std::isfinite(relative[0]) || !std::isfinite(relative[1]) || !std::isfinite(relative[2]))
        return false;
    const Engine& e = *m_engine;
    // Under the absolute intent the relative Lab is the D50 Lab itself and
    // LittleCMS adapts it to the media; the built-in Lab profile's white is
    // D50, so the other intents take it as it stands.
    const KxCmsTransform* transform =
        e.use(e.fromLab, {e.lab, LabFormat, e.output, e.outputFormat, e.intent(), e.deviceFlags()});
    if (!transform)
        return false;
    const cmsCIELab lab{relative[0], relative[1], relative[2]};
    cmsUInt16Number out[MaximumChannels];
    transform->apply(&lab, out);
    fromWords(out, e.outputFormat, output);
    return true;
}

void KxCmsConversion::labD50ToRelative(const double d50[3], double relative[3]) const
{
    if (m_engine->settings.intent == icAbsoluteColorimetric) {
        std::copy(d50, d50 + 3, relative);
        return;
    }
    // LittleCMS's absolute intent for a fully adapted observer: XYZ scaled
    // channel by channel from the media white to D50.
    const cmsCIEXYZ* white = cmsD50_XYZ();
    const cmsCIEXYZ& media = m_engine->outputMediaWhite;
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
