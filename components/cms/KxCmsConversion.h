#ifndef KXCMSCONVERSION_H
#define KXCMSCONVERSION_H

#include "KxIcc.h"

#include <cstddef>
#include <memory>
#include <string>

class KxCmsProfile;

// The engine's core: one input profile to one output profile under one
// rendering intent, accuracy and black point compensation.
//
// Device values are channel fractions in the profile's own order: R, G, B;
// C, M, Y, K; a Gray level; 0 is no light or no ink, 1 full. Fractions
// outside 0..1 count as the nearest end; results lie within 0..1.
// Lab is D50-based CIE L, a, b as three doubles.
//
// Lab has two meanings here. "D50 Lab" is absolute colorimetry (the
// absolute intent into a D50 Lab identity). "Relative Lab" is the input
// profile's colorimetry relative to its media white, what its device values
// carry to the output: labToDevice takes it and applies the rendering
// intent as LittleCMS does for Lab input, so labToDevice(labD50ToRelative(x))
// gives for the D50 Lab x of an input colour that colour's output values.
// With the absolute intent the two are the same Lab.
//
// The normal accuracy leaves LittleCMS its default precalculated tables;
// the best evaluates the profiles themselves in floating point.
//
// Each conversion returns false, leaving its results untouched, when it
// cannot compute them. Every transform is built when the conversion opens,
// and none keeps state, so the conversions may run on any thread.
class KxCmsConversion
{
public:
    struct Settings
    {
        long intent = icPerceptual;          // into device values; others convert as perceptual
        bool highAccuracy = false;           // ICC_ACCURACY_BEST
        bool blackPointCompensation = false; // into device values
        // The direct link from input to output device values; a conversion
        // that only goes through Lab need not pay for building it.
        bool deviceLink = true;
        // Interpolate tables that take Lab (into an output's device values)
        // on simplices as Argyll does, not trilinearly as LittleCMS does;
        // only for profiles opened from files here.
        bool simplexLabTables = false;
    };

    // Opens the two profile files (8-bit file-system encoding) and builds
    // every conversion. Null when a file is no ICC profile LittleCMS can
    // open, a profile is no device profile (links, abstract, named-colour,
    // Lab and XYZ profiles), a profile's media white is none that paper or
    // a display can have or its lightest or darkest colour has no finite Lab of lightness -1 to
    // 101, or a conversion cannot be built; whyNot, when given, then says
    // why in a few words.
    static std::unique_ptr<KxCmsConversion> open(const char* inputPath, const char* outputPath,
                                                 const Settings& settings, std::string* whyNot = nullptr);
    // From Lab to the profile file at outputPath: only labToDevice
    // converts, and inputSpace() is Lab. Refused as open() refuses an
    // output profile.
    static std::unique_ptr<KxCmsConversion> openFromLab(const char* outputPath, const Settings& settings,
                                                        std::string* whyNot = nullptr);
    // The same for profiles already open (used inside the engine).
    static std::unique_ptr<KxCmsConversion> open(std::shared_ptr<const KxCmsProfile> input,
                                                 std::shared_ptr<const KxCmsProfile> output,
                                                 const Settings& settings, std::string* whyNot = nullptr);
    // From Lab to the built-in sRGB under the relative intent at the normal
    // accuracy, where no display profile is given: Lab L 100 gives white.
    // Built once and shared; null only when it could not be built.
    static const KxCmsConversion* labToBuiltInSrgb();
    ~KxCmsConversion();

    KxCmsConversion(const KxCmsConversion&) = delete;
    KxCmsConversion& operator=(const KxCmsConversion&) = delete;

    icColorSpaceSignature inputSpace() const;
    icColorSpaceSignature outputSpace() const;

    bool deviceToDevice(const double* input, double* output) const;
    bool deviceToLabD50(const double* input, double lab[3]) const;
    // deviceToLabD50 of count colours in one go: inputs holds the channels
    // of each colour in turn, labs three values for each. The Lab of a
    // colour that cannot be converted is left untouched.
    void devicesToLabD50(const double* inputs, std::size_t count, double* labs) const;
    bool deviceToLabRelative(const double* input, double lab[3]) const;
    bool labToDevice(const double relative[3], double* output) const; // false too for Lab that is no number
    void labD50ToRelative(const double d50[3], double relative[3]) const;

private:
    struct Engine;
    explicit KxCmsConversion(std::unique_ptr<Engine> engine);

    std::unique_ptr<Engine> m_engine;
};

#endif
