#include "KxCmsConversion.h"

#include <cmath>
#include <new>

namespace {

// Lab enters and leaves in floating point. LittleCMS evaluates such
// transforms from the profiles' own tables instead of a precalculated grid,
// whose interpolation across a and b would cost more than a unit of Lab
// (display white would no longer come out as 255).
constexpr cmsUInt32Number LabFormat = TYPE_Lab_DBL;

// The 16-bit pixel format of a profile's data colour space; 0 when
// LittleCMS has no pixel type for it.
cmsUInt32Number deviceFormat(const KxCmsProfile& profile)
{
    const auto space = cmsColorSpaceSignature(profile.colourSpace());
    const int pixelType = _cmsLCMScolorSpace(space);
    if (pixelType == 0)
        return 0;
    return COLORSPACE_SH(cmsUInt32Number(pixelType)) | CHANNELS_SH(cmsChannelsOf(space)) | BYTES_SH(2);
}

} // namespace

KxCmsConversion::KxCmsConversion(std::shared_ptr<const KxCmsProfile> input,
                                 std::shared_ptr<const KxCmsProfile> output, const Settings& settings)
    : m_input(std::move(input))
    , m_output(std::move(output))
    , m_lab(KxCmsProfile::builtInLab())
    , m_settings(settings)
    , m_inputFormat(deviceFormat(*m_input))
    , m_outputFormat(deviceFormat(*m_output))
    , m_outputMediaWhite(m_output->mediaWhitePoint())
{
}

std::unique_ptr<KxCmsConversion> KxCmsConversion::open(std::shared_ptr<const KxCmsProfile> input,
                                                       std::shared_ptr<const KxCmsProfile> output,
                                                       const Settings& settings)
{
    if (!input || !output || settings.intent > INTENT_ABSOLUTE_COLORIMETRIC)
        return nullptr;
    std::unique_ptr<KxCmsConversion> conversion(new (std::nothrow)
                                                    KxCmsConversion(std::move(input), std::move(output), settings));
    if (!conversion)
        return nullptr;
    if (!conversion->m_lab || conversion->m_inputFormat == 0 || conversion->m_outputFormat == 0)
        return nullptr;
    // Linking without precalculation proves the pair can be transformed
    // at a fraction of the cost of the transforms used later.
    const KxCmsTransform::Recipe link{conversion->m_input, conversion->m_inputFormat,
                                      conversion->m_output, conversion->m_outputFormat,
                                      settings.intent, conversion->deviceFlags() | cmsFLAGS_NOOPTIMIZE};
    if (!KxCmsTransform::obtain(link))
        return nullptr;
    return conversion;
}

cmsUInt32Number KxCmsConversion::precalculationFlags() const
{
    return m_settings.highAccuracy ? cmsFLAGS_HIGHRESPRECALC : 0;
}

cmsUInt32Number KxCmsConversion::deviceFlags() const
{
    return precalculationFlags() | (m_settings.blackPointCompensation ? cmsFLAGS_BLACKPOINTCOMPENSATION : 0);
}

const KxCmsTransform* KxCmsConversion::use(Lazy& lazy, const KxCmsTransform::Recipe& recipe) const
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

bool KxCmsConversion::deviceToDevice(const cmsUInt16Number* input, cmsUInt16Number* output) const
{
    const KxCmsTransform* transform =
        use(m_device, {m_input, m_inputFormat, m_output, m_outputFormat, m_settings.intent, deviceFlags()});
    if (!transform)
        return false;
    transform->apply(input, output);
    return true;
}

bool KxCmsConversion::toLab(Lazy& lazy, cmsUInt32Number intent, const cmsUInt16Number* input,
                            cmsCIELab& lab) const
{
    const KxCmsTransform* transform =
        use(lazy, {m_input, m_inputFormat, m_lab, LabFormat, intent, precalculationFlags()});
    if (!transform)
        return false;
    transform->apply(input, &lab);
    return true;
}

bool KxCmsConversion::deviceToLabD50(const cmsUInt16Number* input, cmsCIELab& lab) const
{
    return toLab(m_labD50, INTENT_ABSOLUTE_COLORIMETRIC, input, lab);
}

bool KxCmsConversion::deviceToLabRelative(const cmsUInt16Number* input, cmsCIELab& lab) const
{
    return toLab(m_labRelative, INTENT_RELATIVE_COLORIMETRIC, input, lab);
}

bool KxCmsConversion::labToDevice(const cmsCIELab& relative, cmsUInt16Number* output) const
{
    if (!std::isfinite(relative.L) || !std::isfinite(relative.a) || !std::isfinite(relative.b))
        return false;
    // Under the absolute intent the relative Lab is the D50 Lab itself and
    // LittleCMS adapts it to the media; the built-in Lab profile's white is
    // D50, so the other intents take it as it stands.
    const KxCmsTransform* transform =
        use(m_fromLab, {m_lab, LabFormat, m_output, m_outputFormat, m_settings.intent, deviceFlags()});
    if (!transform)
        return false;
    transform->apply(&relative, output);
    return true;
}

cmsCIELab KxCmsConversion::labD50ToRelative(const cmsCIELab& d50) const
{
    if (m_settings.intent == INTENT_ABSOLUTE_COLORIMETRIC)
        return d50;
    // LittleCMS's absolute intent for a fully adapted observer: XYZ scaled
    // channel by channel from the media white to D50.
    const cmsCIEXYZ* white = cmsD50_XYZ();
    cmsCIEXYZ xyz;
    cmsLab2XYZ(white, &xyz, &d50);
    xyz.X *= white->X / m_outputMediaWhite.X;
    xyz.Y *= white->Y / m_outputMediaWhite.Y;
    xyz.Z *= white->Z / m_outputMediaWhite.Z;
    cmsCIELab relative;
    cmsXYZ2Lab(white, &relative, &xyz);
    return relative;
}
