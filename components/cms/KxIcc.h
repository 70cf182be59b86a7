#ifndef KXICC_H
#define KXICC_H

#include <cstdint>

// ICC signatures, rendering intents and the accuracy setting, with the values
// that ICC profiles and the colour engine use for them.

enum icProfileClassSignature : std::uint32_t {
    icSigInputClass = 0x73636E72,      // 'scnr'
    icSigDisplayClass = 0x6D6E7472,    // 'mntr'
    icSigOutputClass = 0x70727472,     // 'prtr'
    icSigLinkClass = 0x6C696E6B,       // 'link'
    icSigAbstractClass = 0x61627374,   // 'abst'
    icSigColorSpaceClass = 0x73706163, // 'spac'
    icSigNamedColorClass = 0x6E6D636C, // 'nmcl'
};

enum icColorSpaceSignature : std::uint32_t {
    icSigNoColorSpace = 0,
    icSigXYZData = 0x58595A20,  // 'XYZ '
    icSigLabData = 0x4C616220,  // 'Lab '
    icSigRgbData = 0x52474220,  // 'RGB '
    icSigGrayData = 0x47524159, // 'GRAY'
    icSigCmykData = 0x434D594B, // 'CMYK'
};

enum icRenderingIntent : long {
    icPerceptual = 0,
    icRelativeColorimetric = 1,
    icSaturation = 2,
    icAbsoluteColorimetric = 3,
};

// True for the four intents above, the only ones the engine converts by.
constexpr bool isKnownIntent(long intent)
{
    return intent >= icPerceptual && intent <= icAbsoluteColorimetric;
}

enum ICCACCURACY : long {
    ICC_ACCURACY_NORMAL = 0, // LittleCMS's default precalculated tables
    ICC_ACCURACY_BEST = 1,   // the profiles themselves, evaluated in floating point
};

#endif
