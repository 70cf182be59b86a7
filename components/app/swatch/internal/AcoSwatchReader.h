#ifndef ACOSWATCHREADER_H
#define ACOSWATCHREADER_H

#include <cstddef>
#include <string>

class SwatchList;

// Reads Adobe Color swatch files: a version 1 section of unnamed colours,
// optionally followed by a version 2 section that repeats them with names
// (a file may also hold the version 2 section alone). When version 2 is
// present its colours are the ones read. Colour spaces: RGB and HSB (through
// sRGB), CMYK (stored inverted) and wide CMYK, Lab, and Gray (0..10000 as
// ink, 0 white). Colours of other spaces (colour-book references) are left
// out.
class AcoSwatchReader
{
public:
    // The kind of file, as the user is told it.
    static constexpr const char* kindName = "Adobe Color";

    static bool recognises(const unsigned char* data, std::size_t size);

    // Appends the file's colours to `list` in file order. False, with a
    // one-sentence reason for the user, when the file is refused.
    static bool read(const unsigned char* data, std::size_t size, SwatchList& list, std::string& whyNot);
};

#endif
