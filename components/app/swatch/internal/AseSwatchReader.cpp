#include "SwatchByteReader.h"
#include "SwatchList.h"
#include "SwatchReaderTable.h"

#include <cstring>

namespace {

constexpr std::uint16_t colourEntry = 0x0001;
constexpr std::uint16_t spotColour = 1;
constexpr std::size_t blockHeaderSize = 6; // u16 type, u32 body length

const char* const truncated = "The Adobe Swatch Exchange file is truncated or corrupt.";

enum class Entry { Read, Skipped, Corrupt, Failed };

Entry readEntry(SwatchByteReader& body, SwatchList& list)
{
    std::uint16_t nameUnits;
    std::string name;
    char model[5];
    if (!body.readU16(nameUnits) || !body.readUtf16(nameUnits, name) || !body.readTag(model))
        return Entry::Corrupt;

    int channels;
    if (std::strcmp(model, "RGB ") == 0 || std::strcmp(model, "LAB ") == 0)
        channels = 3;
    else if (std::strcmp(model, "CMYK") == 0)
        channels = 4;
    else if (std::strcmp(model, "Gray") == 0)
        channels = 1;
    else
        return Entry::Skipped;

    float v[4] = {};
    for (int i = 0; i < channels; ++i)
        if (!body.readF32(v[i]))
            return Entry::Corrupt;
    std::uint16_t colourType;
    if (!body.readU16(colourType))
        return Entry::Corrupt;
    const bool spot = colourType == spotColour;

    bool added;
    if (channels == 4)
        added = list.addCmyk(name, v[0] * 100.0, v[1] * 100.0, v[2] * 100.0, v[3] * 100.0, spot);
    else if (channels == 1)
        added = list.addGray(name, v[0], 1.0, spot);
    else if (model[0] == 'L')
        added = list.addLab(name, v[0] * 100.0, v[1], v[2], spot);
    else
        added = list.addRgb(name, v[0], v[1], v[2], 1.0, spot);
    return added ? Entry::Read : Entry::Failed;
}

bool recognises(const unsigned char* data, std::size_t size)
{
    return size >= 4 && std::memcmp(data, "ASEF", 4) == 0;
}

bool read(const unsigned char* data, std::size_t size, SwatchList& list, std::string& whyNot)
{
    SwatchByteReader file(data, size);
    char magic[5];
    std::uint16_t major, minor;
    std::uint32_t blocks;
    if (!file.readTag(magic) || !file.readU16(major) || !file.readU16(minor) || !file.readU32(blocks)) {
        whyNot = truncated;
        return false;
    }
    if (major != 1) {
        whyNot = "The Adobe Swatch Exchange file is of version " + std::to_string(major)
                 + ", which Tintora does not read.";
        return false;
    }
    if (blocks > file.remaining() / blockHeaderSize) {
        whyNot = "The Adobe Swatch Exchange file announces more blocks than it holds.";
        return false;
    }

    unsigned long entries = 0;
    for (std::uint32_t i = 0; i < blocks; ++i) {
        std::uint16_t type;
        std::uint32_t length;
        SwatchByteReader body(nullptr, 0);
        if (!file.readU16(type) || !file.readU32(length) || !file.readBlock(length, body)) {
            whyNot = truncated;
            return false;
        }
        if (type != colourEntry)
            continue; // group starts and ends carry no colour
        ++entries;
        switch (readEntry(body, list)) {
        case Entry::Read:
        case Entry::Skipped:
            break;
        case Entry::Corrupt:
            whyNot = truncated;
            return false;
        case Entry::Failed:
            whyNot = list.whyNot(ASE_SWATCH_READER.name, "Swatch " + std::to_string(entries));
            return false;
        }
    }
    return true;
}

} // namespace

const SwatchReaderEntry ASE_SWATCH_READER = {SwatchImporter::SWATCH_ASE, "Adobe Swatch Exchange", "ase", &recognises, &read};
