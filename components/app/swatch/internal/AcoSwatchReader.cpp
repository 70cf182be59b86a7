#include "SwatchByteReader.h"
#include "SwatchList.h"
#include "SwatchReaderTable.h"

#include <cmath>
#include <vector>

namespace {

constexpr std::size_t colourSize = 10;        // u16 space and four u16 values
constexpr std::size_t namedColourMinimum = 14; // colour, then a u32 name length

enum ColourSpace : std::uint16_t { Rgb = 0, Hsb = 1, Cmyk = 2, Lab = 7, Gray = 8, WideCmyk = 9 };

const char* const truncated = "The Adobe Color file is truncated or corrupt.";

struct AcoColour {
    std::uint16_t space;
    std::uint16_t w[4];
    std::string name;
};

bool readColour(SwatchByteReader& file, AcoColour& colour)
{
    return file.readU16(colour.space) && file.readU16(colour.w[0]) && file.readU16(colour.w[1])
           && file.readU16(colour.w[2]) && file.readU16(colour.w[3]);
}

// Reads the colours of one section after its version word; version 2
// colours carry names.
bool readSection(SwatchByteReader& file, bool named, std::vector<AcoColour>& colours, std::string& whyNot)
{
    std::uint16_t count;
    if (!file.readU16(count)) {
        whyNot = truncated;
        return false;
    }
    if (count > file.remaining() / (named ? namedColourMinimum : colourSize)) {
        whyNot = "The Adobe Color file announces more colours than it holds.";
        return false;
    }
    colours.clear();
    colours.reserve(count);
    for (std::uint16_t i = 0; i < count; ++i) {
        AcoColour colour;
        std::uint32_t nameUnits = 0;
        if (!readColour(file, colour) || (named && (!file.readU32(nameUnits) || !file.readUtf16(nameUnits, colour.name)))) {
            whyNot = truncated;
            return false;
        }
        colours.push_back(std::move(colour));
    }
    return true;
}

// HSB with hue, saturation and brightness 0..1 to RGB 0..1.
void hsbToRgb(double h, double s, double v, double rgb[3])
{
    const double sector = std::fmod(h * 6.0, 6.0);
    const int i = static_cast<int>(sector);
    const double f = sector - i;
    const double p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
    const double table[6][3] = {{v, t, p}, {q, v, p}, {p, v, t}, {p, q, v}, {t, p, v}, {v, p, q}};
    for (int c = 0; c < 3; ++c)
        rgb[c] = table[i][c];
}

// Appends one colour; false only when the list could not take it.
bool addColour(const AcoColour& colour, SwatchList& list)
{
    constexpr double fullWord = 65535.0;
    const auto unit = [](std::uint16_t w) { return w / fullWord; };
    const auto hundredths = [](std::uint16_t w) { return static_cast<std::int16_t>(w) / 100.0; };
    switch (colour.space) {
    case Rgb:
        return list.addRgb(colour.name, colour.w[0], colour.w[1], colour.w[2], fullWord, false);
    case Hsb: {
        double rgb[3];
        hsbToRgb(unit(colour.w[0]), unit(colour.w[1]), unit(colour.w[2]), rgb);
        return list.addRgb(colour.name, rgb[0], rgb[1], rgb[2], 1.0, false);
    }
    case Cmyk: // 65535 is no ink
        return list.addCmyk(colour.name, 100.0 - unit(colour.w[0]) * 100.0, 100.0 - unit(colour.w[1]) * 100.0,
                            100.0 - unit(colour.w[2]) * 100.0, 100.0 - unit(colour.w[3]) * 100.0, false);
    case WideCmyk: // 0..10000 ink
        return list.addCmyk(colour.name, colour.w[0] / 100.0, colour.w[1] / 100.0, colour.w[2] / 100.0,
                            colour.w[3] / 100.0, false);
    case Lab:
        return list.addLab(colour.name, colour.w[0] / 100.0, hundredths(colour.w[1]), hundredths(colour.w[2]), false);
    case Gray: // black from 0 (white) to 10000
        return list.addGray(colour.name, 10000.0 - colour.w[0], 10000.0, false);
    default:
        return true;
    }
}

bool recognises(const unsigned char* data, std::size_t size)
{
    return size >= 4 && data[0] == 0 && (data[1] == 1 || data[1] == 2);
}

bool read(const unsigned char* data, std::size_t size, SwatchList& list, std::string& whyNot)
{
    SwatchByteReader file(data, size);
    std::uint16_t version;
    std::vector<AcoColour> colours;
    if (!file.readU16(version) || (version != 1 && version != 2)) {
        whyNot = truncated;
        return false;
    }
    if (!readSection(file, version == 2, colours, whyNot))
        return false;
    if (version == 1 && file.remaining() >= 2) {
        if (!file.readU16(version) || version != 2) {
            whyNot = "The Adobe Color file has an unknown section after its colours.";
            return false;
        }
        if (!readSection(file, true, colours, whyNot))
            return false;
    }
    for (std::size_t i = 0; i < colours.size(); ++i) {
        if (!addColour(colours[i], list)) {
            whyNot = list.whyNot(ACO_SWATCH_READER.name, "Swatch " + std::to_string(i + 1));
            return false;
        }
    }
    return true;
}

} // namespace

const SwatchReaderEntry ACO_SWATCH_READER = {SwatchImporter::SWATCH_ACO, "Adobe Color", "aco", &recognises, &read};
