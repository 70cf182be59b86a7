#ifndef CGATSSWATCHREADER_H
#define CGATSSWATCHREADER_H

#include <cstddef>
#include <string>

class SwatchList;

// Reads CGATS.17 / IT8 text files (measurement and target files) as a
// KxCgatsDocument.
//
// The first table holding colour fields gives one swatch per set. Each set
// becomes, by the first of these its table has:
// - CMYK_C, CMYK_M, CMYK_Y, CMYK_K (percent): a CMYK record;
// - LAB_L, LAB_A, LAB_B (D50): a Lab record;
// - XYZ_X, XYZ_Y, XYZ_Z (Y 100 for white, D50): a Lab record;
// - RGB_R, RGB_G, RGB_B: a Lab record through sRGB. Argyll's own file types
//   (CTI1, CTI2, CTI3) hold RGB in percent, 0..100; every other file type
//   holds it as 0..255.
// The name is SAMPLE_NAME, else SAMPLE_ID, else SAMPLE_LOC, else the set's
// position.
class CgatsSwatchReader
{
public:
    // The kind of file, as the user is told it.
    static constexpr const char* kindName = "CGATS";

    // A text that plainly tries to be a CGATS file: one that has a data
    // section or a data format.
    static bool recognises(const unsigned char* data, std::size_t size);

    // Appends the file's colours to `list` in set order. False, with a
    // one-sentence reason for the user, when the file is refused.
    static bool read(const unsigned char* data, std::size_t size, SwatchList& list, std::string& whyNot);
};

#endif
