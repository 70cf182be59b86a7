#ifndef ASESWATCHREADER_H
#define ASESWATCHREADER_H

#include <cstddef>
#include <string>

class SwatchList;

// Reads Adobe Swatch Exchange files: big-endian blocks of colour entries,
// optionally inside named groups. RGB entries become Lab through sRGB, Gray
// entries (a gray level, 1 white) through the D50 gray, LAB entries keep
// their values (L is stored as L/100), CMYK entries keep their inks. Spot
// entries are marked KX_COMBO_SPOT. Entries of another colour model are
// left out.
class AseSwatchReader
{
public:
    // The kind of file, as the user is told it.
    static constexpr const char* kindName = "Adobe Swatch Exchange";

    static bool recognises(const unsigned char* data, std::size_t size);

    // Appends the file's colours to `list` in file order. False, with a
    // one-sentence reason for the user, when the file is refused.
    static bool read(const unsigned char* data, std::size_t size, SwatchList& list, std::string& whyNot);
};

#endif
