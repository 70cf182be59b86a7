#ifndef KXGAMUTCHECK_H
#define KXGAMUTCHECK_H

#include "KxCmsIcc.h"

// How far a conversion's result falls from the colour asked for: the CIE
// 1976 difference between the input colour's D50 Lab and the D50 Lab of
// the output device values read back through the output profile, absolute
// colorimetric, so that paper white and ink limits count. Device values are
// in the units of KxCmsIcc: RGB 0..255, CMYK percent 0..100.
class KxGamutCheck
{
public:
    // A difference from this on means the output cannot show the colour.
    static constexpr double OutOfGamut = 2.0;

    // Opens the read-back through outputPath; 0 on failure, when it stays closed.
    int create(const char* outputPath);
    void close();
    bool isOpen() const { return m_readBack.handle != nullptr; }
    // The output profile's data colour space, of the last successful create().
    icColorSpaceSignature outputSpace() const { return m_readBack.outputSpace; }

    // device holds three (RGB) or four (CMYK) values of the output space,
    // decimals allowed. Negative while closed.
    double difference(const double inputLab[3], const double device[]) const;

private:
    KxCmsIcc m_readBack; // the output profile to itself, for its D50 Lab
};

#endif
