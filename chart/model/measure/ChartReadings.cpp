#include "ChartReadings.h"

#include <SwatchImporter.h>
#include <ColourValueRange.h>
#include <InstrumentLab.h>
#include <KxFileNameText.h>
#include <KxFileRead.h>

#include <locale>
#include <sstream>

namespace {

// Reads a number written with '.' as the decimal point, whatever the locale.
bool number(std::istringstream& words, double& value)
{
    std::string word;
    if (!(words >> word))
        return false;
    std::istringstream in(word);
    in.imbue(std::locale::classic());
    return (in >> value) && in.peek() == std::char_traits<char>::eof();
}

constexpr ColourValueRange READING[] = {{"L", InstrumentLab::LOWEST_L, InstrumentLab::HIGHEST_L, ""},
                                        {"a", -InstrumentLab::LARGEST_AB, InstrumentLab::LARGEST_AB, ""},
                                        {"b", -InstrumentLab::LARGEST_AB, InstrumentLab::LARGEST_AB, ""}};

// What is wrong with a reading's Lab; empty when it is a reading.
std::string problemWith(const CgatsReading& reading)
{
    return ColourValueRange::problemWith({reading.lab[0], reading.lab[1], reading.lab[2]}, READING);
}

} // namespace

bool ChartReadings::fromText(const std::string& text, unsigned long patches, std::vector<CgatsReading>& readings,
                             std::string& whyNot)
{
    std::vector<CgatsReading> read;
    std::istringstream lines(text);
    std::string line;
    for (unsigned long lineNumber = 1; std::getline(lines, line); ++lineNumber) {
        const std::size_t start = line.find_first_not_of(" \t\r");
        if (start == std::string::npos || line[start] == '#')
            continue;
        const std::string where = "line " + std::to_string(lineNumber);
        std::istringstream words(line);
        CgatsReading reading{std::to_string(read.size() + 1), {}, {}};
        std::string rest;
        if (!number(words, reading.lab[0]) || !number(words, reading.lab[1]) || !number(words, reading.lab[2])
            || (words >> rest)) {
            whyNot = where + " is not three numbers L a b";
            return false;
        }
        if (const std::string problem = problemWith(reading); !problem.empty()) {
            whyNot = where + " has " + problem;
            return false;
        }
        if (read.size() == patches) {
            whyNot = where + " is reading " + std::to_string(patches + 1) + ", but the chart has only "
                + std::to_string(patches) + " patches";
            return false;
        }
        read.push_back(reading);
    }
    readings.swap(read);
    return true;
}

bool ChartReadings::fromFile(const char* path, unsigned long patches, std::vector<CgatsReading>& readings,
                             std::string& whyNot)
{
    std::vector<unsigned char> bytes;
    const KxReadResult result = Kx_readFile(path, KxFileKind::Measurements, bytes);
    if (result != KxReadResult::Read) {
        whyNot = Kx_readFailureText(result, KxFileKind::Measurements);
        return false;
    }
    if (SwatchImporter::recognise(bytes.data(), bytes.size()) != SwatchImporter::SWATCH_CGATS)
        return fromText(std::string(bytes.begin(), bytes.end()), patches, readings, whyNot);

    std::vector<CgatsReading> read;
    if (!CgatsReadingsReader::read(bytes.data(), bytes.size(), read, whyNot))
        return false;
    for (std::size_t set = 0; set < read.size(); ++set) {
        if (const std::string problem = problemWith(read[set]); !problem.empty()) {
            whyNot = whereIsSet(set, read[set]) + " has " + problem;
            return false;
        }
    }
    readings.swap(read);
    return true;
}

std::string ChartReadings::whereIsSet(std::size_t set, const CgatsReading& reading)
{
    const std::string& naming = reading.id.empty() ? reading.name : reading.id;
    const std::string where = "set " + std::to_string(set + 1);
    if (naming.empty())
        return where;
    return where + (reading.id.empty() ? " (" : " (ID ") + Kx_escapedFileName(naming) + ")";
}
