#ifndef KXCMSICC_H
#define KXCMSICC_H

#include "KxIcc.h"

#include <memory>

// One colour transform from an input profile to an output profile, as the
// conversion tool uses it. Units: RGB 0..255 and CMYK percent 0..100 as
// whole numbers; Lab as doubles. The rendering intent and the accuracy stay
// in force across close() and create().
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

    // Opens the transform (closing any open one first). 0 on failure, when
    // the transform stays closed.
    int create(const char* inputPath, const char* outputPath);
    void close();

    void setrenderingIntent(long intent);
    void setinterpolationAccuracy(long accuracy);

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

    // Read directly by the program.
    std::unique_ptr<Transforms> handle;           // null while no transform is open
    icColorSpaceSignature inputSpace = icSigNoColorSpace;  // data colour space of the input profile
    icColorSpaceSignature outputSpace = icSigNoColorSpace; // data colour space of the output profile
    long renderingIntent = icPerceptual;
    long accuracy = ICC_ACCURACY_NORMAL;
};

#endif
