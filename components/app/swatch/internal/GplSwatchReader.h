#ifndef GPLSWATCHREADER_H
#define GPLSWATCHREADER_H

#include <cstddef>
#include <string>

class SwatchList;

// Reads GIMP palettes: the line "GIMP Palette", optional "Name:",
// "Columns:" and "Channels:" lines, '#' comments and blank lines, then one
// colour a line as three decimal R G B values 0..255 and an optional name.
// Colours become Lab through sRGB. A line that is none of these, or a value
// outside 0..255, refuses the file.
class GplSwatchReader
{
public:
    // The kind of file, as the user is told it.
    static constexpr const char* kindName = "GIMP palette";

    static bool recognises(const unsigned char* data, std::size_t size);

    // Appends the file's colours to `list` in file order. False, with a
    // one-sentence reason for the user, when the file is refused.
    static bool read(const unsigned char* data, std::size_t size, SwatchList& list, std::string& whyNot);
};

#endif
