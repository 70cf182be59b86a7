#include "SwatchList.h"
#include "SwatchReaderTable.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr std::string_view magic = "GIMP Palette";
constexpr std::string_view utf8Mark = "\xEF\xBB\xBF";

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string_view withoutMark(std::string_view text)
{
    if (text.substr(0, utf8Mark.size()) == utf8Mark)
        text.remove_prefix(utf8Mark.size());
    return text;
}

// Reads a whole decimal channel value, with or without a sign, and the
// blanks after it. The value is kept as written, however large, for the
// range check to judge.
bool readChannel(std::string_view& line, double& value)
{
    const std::size_t sign = !line.empty() && (line.front() == '-' || line.front() == '+') ? 1 : 0;
    std::size_t end = sign;
    double magnitude = 0;
    while (end < line.size() && line[end] >= '0' && line[end] <= '9')
        magnitude = magnitude * 10 + (line[end++] - '0');
    if (end == sign || (end < line.size() && !isBlank(line[end])))
        return false;
    value = line.front() == '-' ? -magnitude : magnitude;
    line.remove_prefix(end);
    line = trimmed(line);
    return true;
}

bool startsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

bool recognises(const unsigned char* data, std::size_t size)
{
    const std::string_view text = withoutMark({reinterpret_cast<const char*>(data), size});
    return startsWith(text, magic);
}

bool read(const unsigned char* data, std::size_t size, SwatchList& list, std::string& whyNot)
{
    std::string_view text = withoutMark({reinterpret_cast<const char*>(data), size});
    unsigned long lineNumber = 0;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = trimmed(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        ++lineNumber;

        if (lineNumber == 1) {
            if (line != magic) {
                whyNot = "The GIMP palette does not begin with its \"GIMP Palette\" line.";
                return false;
            }
            continue;
        }
        if (line.empty() || line.front() == '#' || startsWith(line, "Name:") || startsWith(line, "Columns:")
            || startsWith(line, "Channels:"))
            continue;

        double r, g, b;
        if (!readChannel(line, r) || !readChannel(line, g) || !readChannel(line, b)) {
            whyNot = "Line " + std::to_string(lineNumber) + " of the GIMP palette is not a colour.";
            return false;
        }
        if (!list.addRgb(std::string(line), r, g, b, 255.0, false)) {
            whyNot = list.whyNot(GPL_SWATCH_READER.name, "Line " + std::to_string(lineNumber));
            return false;
        }
    }
    return true;
}

} // namespace

const SwatchReaderEntry GPL_SWATCH_READER = {SwatchImporter::SWATCH_GPL, "GIMP palette", "gpl", &recognises, &read};
