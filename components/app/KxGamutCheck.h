#ifndef KXGAMUTCHECK_H
#define KXGAMUTCHECK_H

#include "KxIcc.h"

#include <memory>

class KxCmsConversion;

// Whether the output device can make a colour: the CIE 1976 difference
// between the colour's D50 Lab and the Lab it comes back as from the output
// profile under the relative colorimetric intent (Lab to the output's
// device values, and those values, unrounded, back to Lab). Relative
// colorimetry takes the device's own white for white, so paper white and
// the colours a printer makes read close to 0. The rendering intent and the
// accuracy chosen for the conversion play no part: the profiles are always
// evaluated in floating point, and the output's Lab-to-device table is
// interpolated on simplices, as Argyll's xicclu does, so that the two agree
// far outside the gamut as well as inside it.
class KxGamutCheck
{
public:
    // A difference from this on means the output cannot make the colour.
    static constexpr double OUT_OF_GAMUT = 2.0;

    KxGamutCheck();
    ~KxGamutCheck();
    KxGamutCheck(const KxGamutCheck&) = delete;
    KxGamutCheck& operator=(const KxGamutCheck&) = delete;

    // Opens the check against the output profile (8-bit file-system
    // encoding). With an input profile, that profile's device values can be
    // checked as well. 0 on failure, when the check stays closed.
    int create(const char* inputPath, const char* outputPath);
    void close();
    bool isOpen() const { return m_output != nullptr; }

    // The difference for a D50 Lab colour; negative while closed or when
    // the engine cannot convert it.
    double difference(const double lab[3]) const;
    // The same for device values of the input profile, in the units of
    // KxCmsIcc (RGB 0..255, CMYK percent 0..100), decimals allowed; their
    // D50 Lab is found in floating point too. Negative also when the check
    // was opened without an input profile.
    double deviceDifference(const double* input) const;

    static bool isOutOfGamut(double difference) { return difference >= OUT_OF_GAMUT; }

private:
    std::unique_ptr<KxCmsConversion> m_input;  // input to output: the input's D50 Lab
    std::unique_ptr<KxCmsConversion> m_output; // the output to itself: the round trip
};

#endif
