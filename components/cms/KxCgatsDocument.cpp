#include "KxCgatsDocument.h"

#include "CgatsParseContext.h"
#include "CgatsTextCheck.h"

#include <lcms2.h>

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

// What the parser may allocate for a text of `size` bytes.
std::size_t parserBudget(std::size_t size)
{
    return 16 * size + (1u << 20);
}

struct IT8Release {
    void operator()(void* handle) const { cmsIT8Free(handle); }
};

} // namespace

struct KxCgatsDocument::Parsed {
    std::string text; // as checked and handed to the parser
    // Declared before the document, which is released first.
    std::unique_ptr<CgatsParseContext> parsing;
    std::unique_ptr<void, IT8Release> it8;
};

KxCgatsDocument::KxCgatsDocument(const char* kindOfFile) : kind(kindOfFile), parsed(std::make_unique<Parsed>()) {}

KxCgatsDocument::~KxCgatsDocument() = default;

bool KxCgatsDocument::load(const unsigned char* data, std::size_t size, std::string& whyNot)
{
    std::string& text = parsed->text;
    if (!CgatsTextCheck::prepare(reinterpret_cast<const char*>(data), size, text, whyNot))
        return false;
    if (text.empty()) { // the parser takes no empty text
        whyNot = "The file is not a CGATS file that Tintora can read.";
        return false;
    }

    parsed->parsing = std::make_unique<CgatsParseContext>(parserBudget(text.size()));
    const CgatsParseContext& parsing = *parsed->parsing;
    if (!parsing.context()) {
        whyNot = "There is not enough memory to read the " + kind + ".";
        return false;
    }
    parsed->it8.reset(cmsIT8LoadFromMem(parsing.context(), text.data(), static_cast<cmsUInt32Number>(text.size())));
    if (!parsed->it8) {
        if (parsing.budgetExceeded())
            whyNot = "The CGATS file announces more data than it holds.";
        else if (parsing.firstError().empty())
            whyNot = "The file is not a CGATS file that Tintora can read.";
        else
            whyNot = "The CGATS file could not be read (" + parserMessage(parsing.firstError()) + ").";
        return false;
    }
    return true;
}

bool KxCgatsDocument::isArgyllType() const
{
    return std::strncmp(cmsIT8GetSheetType(parsed->it8.get()), "CTI", 3) == 0;
}

unsigned KxCgatsDocument::tables() const
{
    return cmsIT8TableCount(parsed->it8.get());
}

bool KxCgatsDocument::selectTable(unsigned table)
{
    return cmsIT8SetTable(parsed->it8.get(), table) >= 0;
}

int KxCgatsDocument::column(const char* field) const
{
    return cmsIT8FindDataFormat(parsed->it8.get(), field);
}

int KxCgatsDocument::sets() const
{
    return static_cast<int>(cmsIT8GetPropertyDbl(parsed->it8.get(), "NUMBER_OF_SETS"));
}

const char* KxCgatsDocument::property(const char* keyword) const
{
    return cmsIT8GetProperty(parsed->it8.get(), keyword);
}

const char* KxCgatsDocument::text(int set, int column) const
{
    return set >= 0 && column >= 0 ? cmsIT8GetDataRowCol(parsed->it8.get(), set, column) : nullptr;
}

bool KxCgatsDocument::number(int set, int column, double& value) const
{
    const char* field = text(set, column);
    if (!field)
        return false;
    std::string_view digits(field);
    if (!digits.empty() && digits.front() == '+')
        digits.remove_prefix(1);
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return error == std::errc() && end == digits.data() + digits.size();
}

std::string KxCgatsDocument::whereIsSet(unsigned table, int set) const
{
    const auto fields = static_cast<unsigned long>(cmsIT8GetPropertyDbl(parsed->it8.get(), "NUMBER_OF_FIELDS"));
    const unsigned long line = CgatsTextCheck::lineOfSet(parsed->text, table, static_cast<unsigned long>(set), fields);
    return "Set " + std::to_string(set + 1) + (line ? " (line " + std::to_string(line) + ")" : std::string());
}
