#ifndef KXCMSCONVERSION_H
#define KXCMSCONVERSION_H

#include "KxCmsProfile.h"
#include "KxCmsTransform.h"

#include <lcms2.h>

#include <memory>

// The engine's core: one input profile to one output profile under one
// rendering intent, accuracy and black point compensation. Device pixels are
// 16-bit channels in the profile's own order (R, G, B; C, M, Y, K with
// 65535 for full ink; a Gray level). Lab is D50-based CIE Lab.
//
// Lab has two meanings here. "D50 Lab" is absolute colorimetry (the
// absolute intent into the built-in D50 Lab profile). "Relative Lab" is
// relative to the output profile's media white: labToDevice takes it and
// applies the rendering intent, so labToDevice(labD50ToRelative(x)) turns
// the D50 Lab x into the output's device values. With the absolute intent
// the two are the same Lab.
//
// Transforms are built on first use (each precalculation of a CMYK profile
// costs tens of milliseconds) and shared through KxCmsTransformCache. The
// accuracy flags go to every transform; LittleCMS precalculates only the
// device-to-device ones, since Lab is passed in floating point. Like the
// tool that uses it, one conversion belongs to one thread at a time.
class KxCmsConversion
{
public:
    struct Settings
    {
        cmsUInt32Number intent = INTENT_PERCEPTUAL; // into device values
        bool highAccuracy = false;                  // cmsFLAGS_HIGHRESPRECALC
        bool blackPointCompensation = false;        // into device values
    };

    // Null when LittleCMS cannot link the input profile to the output
    // profile, or a profile's data colour space has no pixel format.
    static std::unique_ptr<KxCmsConversion> open(std::shared_ptr<const KxCmsProfile> input,
                                                 std::shared_ptr<const KxCmsProfile> output,
                                                 const Settings& settings);

    KxCmsConversion(const KxCmsConversion&) = delete;
    KxCmsConversion& operator=(const KxCmsConversion&) = delete;

    icColorSpaceSignature inputSpace() const { return m_input->colourSpace(); }
    icColorSpaceSignature outputSpace() const { return m_output->colourSpace(); }

    // Each returns false, leaving its result untouched, when its transform
    // cannot be built (or, for labToDevice, the Lab is not finite).
    bool deviceToDevice(const cmsUInt16Number* input, cmsUInt16Number* output) const;
    bool deviceToLabD50(const cmsUInt16Number* input, cmsCIELab& lab) const;
    bool deviceToLabRelative(const cmsUInt16Number* input, cmsCIELab& lab) const;
    bool labToDevice(const cmsCIELab& relative, cmsUInt16Number* output) const;
    cmsCIELab labD50ToRelative(const cmsCIELab& d50) const;

private:
    // A transform built when first asked for; a failure is remembered.
    struct Lazy
    {
        bool tried = false;
        std::shared_ptr<const KxCmsTransform> transform;
    };

    KxCmsConversion(std::shared_ptr<const KxCmsProfile> input, std::shared_ptr<const KxCmsProfile> output,
                    const Settings& settings);
    const KxCmsTransform* use(Lazy& lazy, const KxCmsTransform::Recipe& recipe) const;
    cmsUInt32Number deviceFlags() const;
    cmsUInt32Number precalculationFlags() const;
    bool toLab(Lazy& lazy, cmsUInt32Number intent, const cmsUInt16Number* input, cmsCIELab& lab) const;

    std::shared_ptr<const KxCmsProfile> m_input;
    std::shared_ptr<const KxCmsProfile> m_output;
    std::shared_ptr<const KxCmsProfile> m_lab;
    Settings m_settings;
    cmsUInt32Number m_inputFormat = 0;
    cmsUInt32Number m_outputFormat = 0;
    cmsCIEXYZ m_outputMediaWhite = {};

    mutable Lazy m_device;
    mutable Lazy m_labD50;
    mutable Lazy m_labRelative;
    mutable Lazy m_fromLab;
};

#endif
