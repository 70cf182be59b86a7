#ifndef KXCMSICC_H
#define KXCMSICC_H

#include "KxIcc.h"

#include <memory>
#include <string>

class KxCmsConversion;

// One colour transform from an input profile to an output profile, as the
// conversion tool uses it. Units: RGB 0..255 and CMYK percent 0..100 as
// whole numbers (inputs above the range count as its maximum; outputs are
// rounded to nearest); Lab as doubles. The rendering intent and the accuracy
// stay in force across close() and create().
//
// Lab results of rgb2lab and cmyk2lab are D50 Lab (absolute colorimetric).
// lab2rgb and lab2cmyk take the Lab that D50lab2rlab gives and apply the
// current intent, as LittleCMS does for Lab input: the output profile's
// table for that intent, and absolute colorimetry only under the absolute
// intent. D50lab2rlab takes a D50 Lab as the input profile's colour, relative
// to its media white (under the absolute intent it stays as it is). So
// D50lab2rlab followed by lab2cmyk gives, for the Lab of an input colour,
// the output values of that colour.
//
// Accuracy "Normal" uses LittleCMS's precalculated tables; "Best" evaluates
// the profiles themselves in floating point.
//
// A conversion whose input or output space the transform does not have (an
// RGB call on a CMYK profile, a whole-number device call on a Gray profile),
// and any conversion while closed, leaves its results untouched.
class KxCmsIcc
{
public:
    struct Transforms; // engine-internal

    KxCmsIcc();
    ~KxCmsIcc();
    KxCmsIcc(const KxCmsIcc&) = delete;
    KxCmsIcc& operator=(const KxCmsIcc&) = delete;

    // Reads the profile header only. Non-zero when the file is an ICC
    // profile, with its class and data colour space filled in.
    static int getICCprofileClass(const char* path, icProfileClassSignature& profileClass,
                                  icColorSpaceSignature& colourSpace);

    // Opens the transform (closing any open one first), building every
    // conversion it offers. 0 on failure, when the transform stays closed.
    // Refused: files that are no ICC profile or that LittleCMS cannot open,
    // device links, abstract, named-colour, Lab and XYZ profiles, profiles
    // whose media white is none that paper or a display can have or whose
    // lightest or darkest colour has no finite Lab of lightness -1 to 101,
    // and pairs LittleCMS cannot link under the current intent.
    int create(const char* inputPath, const char* outputPath);
    void close();
    // Why the last create() failed, in a few words; empty after a success.
    const std::string& whyNot() const { return m_whyNot; }

    // A change takes effect at the next create(). An intent outside
    // icRenderingIntent is kept as given and converts as perceptual; an
    // accuracy outside ICCACCURACY is ignored.
    void setrenderingIntent(long intent);
    void setinterpolationAccuracy(long accuracy);
    // Whether create() builds the direct link between the two devices (the
    // default). Without it the device-to-device conversions (rgb2rgb,
    // rgb2cmyk, cmyk2cmyk, cmyk2rgb, toDevice) leave their results untouched;
    // a user that only goes through Lab is spared its cost, which between
    // two CMYK profiles is most of the time create() takes.
    void setDeviceLink(bool build);

    void rgb2rgb(unsigned long r, unsigned long g, unsigned long b,
                 unsigned long& ro, unsigned long& go, unsigned long& bo) const;
    void rgb2cmyk(unsigned long r, unsigned long g, unsigned long b,
                  unsigned long& c, unsigned long& m, unsigned long& y, unsigned long& k) const;
    void rgb2lab(unsigned long r, unsigned long g, unsigned long b, double& L, double& a, double& bb) const;
    void cmyk2cmyk(unsigned long c, unsigned long m, unsigned long y, unsigned long k,
                   unsigned long& co, unsigned long& mo, unsigned long& yo, unsigned long& ko) const;
    void cmyk2rgb(unsigned long c, unsigned long m, unsigned long y, unsigned long k,
                  unsigned long& r, unsigned long& g, unsigned long& b) const;
    void cmyk2lab(unsigned long c, unsigned long m, unsigned long y, unsigned long k,
                  double& L, double& a, double& b) const;
    void lab2rgb(double L, double a, double b, unsigned long& r, unsigned long& g, unsigned long& bo) const;
    void lab2cmyk(double L, double a, double b,
                  unsigned long& c, unsigned long& m, unsigned long& y, unsigned long& k) const;
    void D50lab2rlab(double L, double a, double b, double& Lo, double& ao, double& bo) const;

    // The conversions with decimal device values, in the units above (Gray
    // 0..255 like RGB): as many values as the space has channels
    // (channelsOf). False, with the results untouched, while closed or when
    // a space is neither RGB, CMYK nor Gray.
    static constexpr int MAXIMUM_CHANNELS = 4; // of the spaces above: CMYK
    static int channelsOf(icColorSpaceSignature space); // 0 for other spaces
    static double fullScaleOf(icColorSpaceSignature space); // a channel's full value; 0 for other spaces
    // Device values in these units as the channel fractions of
    // KxCmsConversion; the number of channels, 0 for other spaces.
    static int fractionsOf(icColorSpaceSignature space, const double* values, double* fractions);
    bool toDevice(const double* input, double* output) const;
    bool toLab(const double* input, double lab[3]) const; // D50 Lab
    bool labToDevice(const double lab[3], double* output) const; // Lab as D50lab2rlab gives it

    // Read directly by the program.
    std::unique_ptr<Transforms> handle; // null while no transform is open
    // Data colour spaces of the profiles of the last successful create();
    // close() and a failed create() leave them as they were (so no colour
    // space until the first success).
    icColorSpaceSignature inputSpace = icSigNoColorSpace;
    icColorSpaceSignature outputSpace = icSigNoColorSpace;
    long renderingIntent = icPerceptual;
    long accuracy = ICC_ACCURACY_NORMAL;

private:
    int open(const char* inputPath, const char* outputPath);
    // The open conversion when its spaces are the ones given
    // (icSigNoColorSpace: any); null otherwise.
    const KxCmsConversion* conversionFor(icColorSpaceSignature from, icColorSpaceSignature to) const;
    // Whole-number forms over the decimal ones.
    bool toDevice(icColorSpaceSignature from, icColorSpaceSignature to, const unsigned long* input,
                  unsigned long* output) const;
    bool toLab(icColorSpaceSignature from, const unsigned long* input, double lab[3]) const;
    bool labToDevice(icColorSpaceSignature to, double L, double a, double b, unsigned long* output) const;

    std::string m_whyNot;
    bool m_deviceLink = true;
};

#endif
