#include "GplSwatchReader.h"

#include "SwatchList.h"

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

// Reads a decimal channel value and the blanks after it; values above 255
// saturate at 255 however many digits follow.
bool readChannel(std::string_view& line, int& value)
{
    std::size_t digits = 0;
    value = 0;
    while (digits < line.size() && line[digits] >= '0' && line[digits] <= '9') {
        value = std::min(255, value * 10 + (line[digits] - '0'));
        ++digits;
    }
    if (digits == 0 || (digits < line.size() && !isBlank(line[digits])))
        return false;
    line.remove_prefix(digits);
    line = trimmed(line);
    return true;
}

bool startsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

} // namespace

bool GplSwatchReader::recognises(const unsigned char* data, std::size_t size)
{
    const std::string_view text = withoutMark({reinterpret_cast<const char*>(data), size});
    return startsWith(text, magic);
}

bool GplSwatchReader::read(const unsigned char* data, std::size_t size, SwatchList& list, std::string& whyNot)
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

        int r, g, b;
        if (!readChannel(line, r) || !readChannel(line, g) || !readChannel(line, b)) {
            whyNot = "Line " + std::to_string(lineNumber) + " of the GIMP palette is not a colour.";
            return false;
        }
        if (!list.addRgb(std::string(line), r / 255.0, g / 255.0, b / 255.0, false)) {
            whyNot = list.failureReason(kindName, "Line " + std::to_string(lineNumber));
            return false;
        }
    }
    return true;
}
