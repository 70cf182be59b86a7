#include "ChartReadings.h"

#include "ChartPatchColours.h"

#include <CgatsSwatchReader.h>
#include <KxFileRead.h>

#include <cstdlib>
#include <locale>
#include <map>
#include <sstream>

namespace {

// A whole number from 1, without sign or other characters; 0 otherwise.
unsigned long wholeNumber(const std::string& text)
{
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    return std::strtoul(text.c_str(), nullptr, 10);
}

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

} // namespace

bool ChartReadings::patchFor(const CgatsReading& set, unsigned long patches, unsigned long& patch)
{
    unsigned long number = wholeNumber(set.id);
    if (!number)
        number = ChartPatchColours::patchNumber(set.id);
    if (!number)
        number = ChartPatchColours::patchNumber(set.name);
    if (!number || number > patches)
        return false;
    patch = number - 1;
    return true;
}

bool ChartReadings::fromText(const std::string& text, unsigned long patches, std::vector<ChartReading>& readings,
                             std::string& whyNot)
{
    std::vector<ChartReading> read;
    std::istringstream lines(text);
    std::string line;
    for (unsigned long lineNumber = 1; std::getline(lines, line); ++lineNumber) {
        const std::size_t start = line.find_first_not_of(" \t\r");
        if (start == std::string::npos || line[start] == '#')
            continue;
        const std::string where = "line " + std::to_string(lineNumber);
        std::istringstream words(line);
        ChartReading reading{read.size(), {}};
        std::string rest;
        if (!number(words, reading.lab[0]) || !number(words, reading.lab[1]) || !number(words, reading.lab[2])
            || (words >> rest)) {
            whyNot = where + " is not three numbers L a b";
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

bool ChartReadings::fromFile(const char* path, unsigned long patches, std::vector<ChartReading>& readings,
                             std::string& whyNot)
{
    std::vector<unsigned char> bytes;
    const KxReadResult result = Kx_readFile(path, KxFileKind::Measurements, bytes);
    if (result != KxReadResult::Read) {
        whyNot = Kx_readFailureText(result, KxFileKind::Measurements);
        return false;
    }
    if (!CgatsSwatchReader::recognises(bytes.data(), bytes.size()))
        return fromText(std::string(bytes.begin(), bytes.end()), patches, readings, whyNot);

    std::vector<CgatsReading> sets;
    if (!CgatsReadingsReader::read(bytes.data(), bytes.size(), sets, whyNot))
        return false;
    std::vector<ChartReading> read;
    for (std::size_t i = 0; i < sets.size(); ++i) {
        ChartReading reading{0, {sets[i].lab[0], sets[i].lab[1], sets[i].lab[2]}};
        if (!patchFor(sets[i], patches, reading.patch)) {
            whyNot = "set " + std::to_string(i + 1) + " names no patch of the chart's " + std::to_string(patches);
            return false;
        }
        read.push_back(reading);
    }
    readings.swap(read);
    return true;
}

std::vector<ChartReading> ChartReadings::inPatchOrder(const std::vector<ChartReading>& readings)
{
    std::map<unsigned long, ChartReading> byPatch;
    for (const ChartReading& reading : readings)
        byPatch[reading.patch] = reading;
    std::vector<ChartReading> ordered;
    for (const auto& entry : byPatch)
        ordered.push_back(entry.second);
    return ordered;
}
