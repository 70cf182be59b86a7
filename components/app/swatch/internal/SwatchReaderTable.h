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
    bool (*recognises)(const unsigned char* data, std::size_t size);
    bool (*read)(const unsigned char* data, std::size_t size, SwatchList& list, std::string& whyNot);
};

class SwatchReaderTable
{
public:
    // In the order of recognition: the first entry that recognises a file reads it.
    static const SwatchReaderEntry* begin();
    static const SwatchReaderEntry* end();

    // The entry that recognises the bytes, or null.
    static const SwatchReaderEntry* recognise(const unsigned char* data, std::size_t size);
    // The entry of that short name, or null.
    static const SwatchReaderEntry* find(const std::string& shortName);
    // "Adobe Swatch Exchange, Adobe Color, GIMP palette or CGATS"
    static std::string kindNames();
};

#endif
