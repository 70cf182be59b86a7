#ifndef KXCMSPRINTERPROFILE_H
#define KXCMSPRINTERPROFILE_H

#include "KxColourMath.h"

#include <string>
#include <vector>

// A printer profile as grids of numbers, written as an ICC version 2.4
// output profile ('prtr', CMYK or RGB data, Lab connection space) that
// LittleCMS and Argyll both read.
//
// Lab is relative to the paper, as an output profile's tables carry it: the
// paper is L 100, a 0, b 0. Device values are fractions: a CMYK printer's
// inks, 0 no ink and 1 full; an RGB printer's R, G, B as its driver takes
// them, 1 full, so that 1 1 1 is the paper.
struct KxCmsPrinterProfile {
    // Values at the nodes of a regular grid over the unit cube of its
    // inputs, the first input varying slowest; each node holds `outputs`
    // values in turn.
    struct Grid {
        unsigned points = 0; // per input
        std::vector<double> values;
    };

    // The device's channels: 4 (CMYK) or 3 (RGB).
    unsigned channels = 4;
    std::string description; // UTF-8
    std::string copyright;
    // The paper's own XYZ under D50, Y 1 for a perfect white.
    double mediaWhite[3] = {KxColourMath::D50[0], KxColourMath::D50[1], KxColourMath::D50[2]};
    // Device values to Lab: points^channels nodes of 3 values. Serves the
    // three rendering intents.
    Grid inksToLab;
    // Lab to device values for the perceptual, relative colorimetric and
    // saturation intents: points^3 nodes (L, a, b; see labAtNode) of
    // `channels` values.
    Grid labToInks[3];
    // Lab to 0 where the printer reaches the colour and 1 where it does
    // not: points^3 nodes of one value.
    Grid gamut;

    // The Lab of node `index` (0 to points - 1) of a Lab grid along axis 0
    // (L), 1 (a) or 2 (b): L evenly from 0 to 99.61 and then 100 (through
    // the table's input curve), a and b evenly over their 16-bit encoding
    // in version 2 profiles, -128 to 127.996.
    static double labAtNode(unsigned points, unsigned index, int axis);
    // Whether the engine takes xyz for the media white of a profile: one
    // that paper can have. A profile with another white is not written.
    static bool isSoundMediaWhite(const double xyz[3]);
    // Whether the profile's text records can hold text: well-formed UTF-8.
    // A profile with another description is not written.
    static bool isSoundText(const std::string& text);

    // Encodes the grids through LittleCMS as the bytes of the ICC file.
    // False, with a few words of why, when the channels are neither 3 nor
    // 4, a grid has the wrong size, the media white is unsound or the
    // profile cannot be made.
    bool toIccBytes(std::vector<unsigned char>& bytes, std::string& whyNot) const;
    // Writes the encoded profile to path (8-bit file-system encoding)
    // through Kx_writeFile, so a failure leaves any old file as it was.
    // False, with a few words of why, when it cannot be encoded or written.
    bool write(const char* path, std::string& whyNot) const;
};

#endif
