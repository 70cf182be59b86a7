#include "CgatsDocument.h"

#include "CgatsTextCheck.h"

#include <charconv>
#include <cstring>
#include <string_view>

namespace {

// Removes LittleCMS's "file name: " prefix (empty for a text in memory).
std::string parserMessage(const std::string& error)
{
    std::string message = error.rfind(": ", 0) == 0 ? error.substr(2) : error;
    while (!message.empty() && (message.back() == '\n' || message.back() == ' '))
        message.pop_back();
    return message;
}

} // namespace

CgatsDocument::CgatsDocument(const char* kindOfFile) : kind(kindOfFile) {}

std::size_t CgatsDocument::parserBudget(std::size_t size)
{
    return 16 * size + (1u << 20);
}

bool CgatsDocument::load(const unsigned char* data, std::size_t size, std::string& whyNot)
{
    if (!CgatsTextCheck::prepare(reinterpret_cast<const char*>(data), size, text, whyNot))
        return false;
    if (text.empty()) { // the parser takes no empty text
        whyNot = "The file is not a CGATS file that Tintora can read.";
        return false;
    }

    parsing = std::make_unique<CgatsParseContext>(parserBudget(text.size()));
    if (!parsing->context()) {
        whyNot = "There is not enough memory to read the " + kind + ".";
        return false;
    }
    it8.reset(cmsIT8LoadFromMem(parsing->context(), text.data(), static_cast<cmsUInt32Number>(text.size())));
    if (!it8) {
        if (parsing->budgetExceeded())
            whyNot = "The CGATS file announces more data than it holds.";
        else if (parsing->firstError().empty())
            whyNot = "The file is not a CGATS file that Tintora can read.";
        else
            whyNot = "The CGATS file could not be read (" + parserMessage(parsing->firstError()) + ").";
        return false;
    }
    return true;
}

bool CgatsDocument::isArgyllType() const
{
    return std::strncmp(cmsIT8GetSheetType(it8.get()), "CTI", 3) == 0;
}

int CgatsDocument::sets() const
{
    return static_cast<int>(cmsIT8GetPropertyDbl(it8.get(), "NUMBER_OF_SETS"));
}

bool CgatsDocument::number(int set, int column, double& value) const
{
    const char* field = cmsIT8GetDataRowCol(it8.get(), set, column);
    if (!field)
        return false;
    std::string_view digits(field);
    if (!digits.empty() && digits.front() == '+')
        digits.remove_prefix(1);
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return error == std::errc() && end == digits.data() + digits.size();
}

std::string CgatsDocument::whereIsSet(unsigned table, int set) const
{
    const auto fields = static_cast<unsigned long>(cmsIT8GetPropertyDbl(it8.get(), "NUMBER_OF_FIELDS"));
    const unsigned long line = CgatsTextCheck::lineOfSet(text, table, static_cast<unsigned long>(set), fields);
    return "Set " + std::to_string(set + 1) + (line ? " (line " + std::to_string(line) + ")" : std::string());
}
