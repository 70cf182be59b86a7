#ifndef SWATCHREADERTABLE_H
#define SWATCHREADERTABLE_H

#include "SwatchImporter.h"

#include <cstddef>
#include <string>

class SwatchList;

// One kind of swatch file the importer reads. The table of them drives
// recognition, the message for a file of no known kind, and the list of
// fuzz targets.
struct SwatchReaderEntry {
    SwatchImporter::SwatchType type;
    const char* name;      // for the user: "Adobe Swatch Exchange"
    const char* shortName; // for the fuzz targets and their seeds: "ase"
    // Whether the bytes are a file of this kind, by content.
    bool (*recognises)(const unsigned char* data, std::size_t size);
    // Appends the file's colours to `list` in file order. False, with a
    // one-sentence reason for the user, when the file is refused.
    bool (*read)(const unsigned char* data, std::size_t size, SwatchList& list, std::string& whyNot);
};

// The readers, each defined beside its code.

// Adobe Swatch Exchange files: big-endian blocks of colour entries,
// optionally inside named groups. RGB entries become Lab through sRGB, Gray
// entries (a gray level, 1 white) through the D50 gray, LAB entries keep
// their values (L is stored as L/100), CMYK entries keep their inks. Spot
// entries are marked KX_COMBO_SPOT. Entries of another colour model are
// left out.
extern const SwatchReaderEntry ASE_SWATCH_READER;

// Adobe Color swatch files: a version 1 section of unnamed colours,
// optionally followed by a version 2 section that repeats them with names
// (a file may also hold the version 2 section alone). When version 2 is
// present its colours are the ones read. Colour spaces: RGB and HSB (through
// sRGB), CMYK (stored inverted) and wide CMYK, Lab, and Gray (0..10000 as
// ink, 0 white). Colours of other spaces (colour-book references) are left
// out.
extern const SwatchReaderEntry ACO_SWATCH_READER;

// GIMP palettes: the line "GIMP Palette", optional "Name:", "Columns:" and
// "Channels:" lines, '#' comments and blank lines, then one colour a line as
// three decimal R G B values 0..255 and an optional name. Colours become Lab
// through sRGB. A line that is none of these, or a value outside 0..255,
// refuses the file.
extern const SwatchReaderEntry GPL_SWATCH_READER;

// CGATS.17 / IT8 text files (measurement and target files), read as a
// KxCgatsDocument. Recognised is a text that plainly tries to be a CGATS
// file: one that has a data section or a data format.
//
// The first table holding colour fields gives one swatch per set, in set
// order. Each set becomes, by the first of these its table has:
// - CMYK_C, CMYK_M, CMYK_Y, CMYK_K (percent): a CMYK record;
// - LAB_L, LAB_A, LAB_B (D50): a Lab record;
// - XYZ_X, XYZ_Y, XYZ_Z (Y 100 for white, D50): a Lab record;
// - RGB_R, RGB_G, RGB_B: a Lab record through sRGB. Argyll's own file types
//   (CTI1, CTI2, CTI3) hold RGB in percent, 0..100; every other file type
//   holds it as 0..255.
// The name is SAMPLE_NAME, else SAMPLE_ID, else SAMPLE_LOC, else the set's
// position.
extern const SwatchReaderEntry CGATS_SWATCH_READER;

class SwatchReaderTable
{
public:
    // In the order of recognition: the first entry that recognises a file reads it.
    static const SwatchReaderEntry* const* begin();
    static const SwatchReaderEntry* const* end();

    // The entry that recognises the bytes, or null.
    static const SwatchReaderEntry* recognise(const unsigned char* data, std::size_t size);
    // The entry of that short name, or null.
    static const SwatchReaderEntry* find(const std::string& shortName);
    // "Adobe Swatch Exchange, Adobe Color, GIMP palette or CGATS"
    static std::string kindNames();
};

#endif
