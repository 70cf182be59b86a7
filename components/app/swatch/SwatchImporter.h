#ifndef SWATCHIMPORTER_H
#define SWATCHIMPORTER_H

#include "KxComboColour.h"

#include <cstddef>
#include <string>
#include <vector>

// Reads the named colours of a swatch file. The kind of file is recognised
// by its content, never by its name: CGATS.17 / IT8 text, Adobe Swatch
// Exchange, Adobe Color (versions 1 and 2) and GIMP palettes.
//
// The result is the first record of a list made with the support library's
// list calls, in file order: CMYK swatches as CMYK records, every other
// swatch as a D50 Lab record (bit KX_COMBO_LAB). The caller releases it
// with KxPacketFreeList(&first, KX_PACKET_COMBOCOLOUR).
//
// Files from anywhere are expected: only a regular file within the swatch
// file size limit (KxFileRead.h) is read, opened without blocking; every
// count and length inside a file is checked against what remains of it
// before anything is allocated, and what is allocated stays within a small
// multiple of the file's size. Colour values outside sense (SwatchList)
// refuse the file.
class SwatchImporter
{
public:
    enum SwatchType { SWATCH_UNKNOWN = 0, SWATCH_CGATS, SWATCH_ASE, SWATCH_ACO, SWATCH_GPL };

    // Reads the file at `path`. `type` is set to the kind recognised
    // (SWATCH_UNKNOWN when none). No options are defined yet: callers pass
    // 0 as `flags`. Null when no colour could be read; `*whyNot`, when
    // given, then holds one sentence for the user saying why. A file that
    // is refused part way, or memory that runs out, yields null: nothing
    // read is kept.
    static KxCOMBOCOLOUR* import(const char* path, SwatchType& type, unsigned int flags,
                                 std::string* whyNot = nullptr);

    // The same for a file already in memory.
    static KxCOMBOCOLOUR* importFromMemory(const unsigned char* data, std::size_t size, SwatchType& type,
                                           std::string* whyNot = nullptr);

    // The kind of swatch file the bytes are, by content.
    static SwatchType recognise(const unsigned char* data, std::size_t size);
};

#endif
