#include "CgatsSwatchReader.h"

#include "CgatsParseContext.h"
#include "CgatsTextCheck.h"
#include "SwatchList.h"

#include <lcms2.h>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string_view>

namespace {

struct IT8Release {
    void operator()(void* handle) const { cmsIT8Free(handle); }
};
using IT8Handle = std::unique_ptr<void, IT8Release>;

// Column numbers of one colour model's fields, -1 when a field is missing.
struct Columns {
    int c[4];
    int count;
    bool present() const { return std::all_of(c, c + count, [](int column) { return column >= 0; }); }
};

Columns find(cmsHANDLE it8, std::initializer_list<const char*> names)
{
    Columns columns{{-1, -1, -1, -1}, static_cast<int>(names.size())};
    int i = 0;
    for (const char* name : names)
        columns.c[i++] = cmsIT8FindDataFormat(it8, name);
    return columns;
}

struct Table {
    enum Model { None, Cmyk, Lab, Xyz, Rgb } model = None;
    Columns values{};
    int name = -1;
};

Table describeTable(cmsHANDLE it8)
{
    Table table;
    const std::pair<Table::Model, Columns> models[] = {
        {Table::Cmyk, find(it8, {"CMYK_C", "CMYK_M", "CMYK_Y", "CMYK_K"})},
        {Table::Lab, find(it8, {"LAB_L", "LAB_A", "LAB_B"})},
        {Table::Xyz, find(it8, {"XYZ_X", "XYZ_Y", "XYZ_Z"})},
        {Table::Rgb, find(it8, {"RGB_R", "RGB_G", "RGB_B"})},
    };
    for (const auto& [model, columns] : models) {
        if (columns.present()) {
            table.model = model;
            table.values = columns;
            break;
        }
    }
    for (const char* field : {"SAMPLE_NAME", "SAMPLE_ID", "SAMPLE_LOC"}) {
        table.name = cmsIT8FindDataFormat(it8, field);
        if (table.name >= 0)
            break;
    }
    return table;
}

// The value of a field as the text gives it: a decimal number, with or
// without a sign, a point and an exponent. False for anything else.
bool numberOf(const char* value, double& number)
{
    if (!value)
        return false;
    std::string_view text(value);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return error == std::errc() && end == text.data() + text.size();
}

// Removes LittleCMS's "file name: " prefix (empty for a text in memory).
std::string parserMessage(const std::string& error)
{
    std::string message = error.rfind(": ", 0) == 0 ? error.substr(2) : error;
    while (!message.empty() && (message.back() == '\n' || message.back() == ' '))
        message.pop_back();
    return message;
}

} // namespace

bool CgatsSwatchReader::recognises(const unsigned char* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    return text.find("BEGIN_DATA") != std::string_view::npos;
}

std::size_t CgatsSwatchReader::parserBudget(std::size_t size)
{
    return 16 * size + (1u << 20);
}

bool CgatsSwatchReader::read(const unsigned char* data, std::size_t size, SwatchList& list, std::string& whyNot)
{
    std::string text;
    if (!CgatsTextCheck::prepare(reinterpret_cast<const char*>(data), size, text, whyNot))
        return false;
    if (text.empty()) { // the parser takes no empty text
        whyNot = "The file is not a CGATS file that Tintora can read.";
        return false;
    }

    CgatsParseContext parsing(parserBudget(text.size()));
    if (!parsing.context()) {
        whyNot = "There is not enough memory to read the swatch file.";
        return false;
    }
    IT8Handle it8(cmsIT8LoadFromMem(parsing.context(), text.data(), static_cast<cmsUInt32Number>(text.size())));
    if (!it8) {
        if (parsing.budgetExceeded())
            whyNot = "The CGATS file announces more data than it holds.";
        else if (parsing.firstError().empty())
            whyNot = "The file is not a CGATS file that Tintora can read.";
        else
            whyNot = "The CGATS file could not be read (" + parserMessage(parsing.firstError()) + ").";
        return false;
    }

    // Argyll's own types keep RGB in percent.
    const bool rgbInPercent = std::strncmp(cmsIT8GetSheetType(it8.get()), "CTI", 3) == 0;

    Table table;
    unsigned tableIndex = 0;
    const cmsUInt32Number tables = cmsIT8TableCount(it8.get());
    for (cmsUInt32Number t = 0; t < tables && table.model == Table::None; ++t) {
        if (cmsIT8SetTable(it8.get(), t) >= 0)
            table = describeTable(it8.get());
        tableIndex = t;
    }
    if (table.model == Table::None) {
        whyNot = "The CGATS file holds no CMYK, Lab, XYZ or RGB values.";
        return false;
    }

    const int sets = static_cast<int>(cmsIT8GetPropertyDbl(it8.get(), "NUMBER_OF_SETS"));
    const auto fields = static_cast<unsigned long>(cmsIT8GetPropertyDbl(it8.get(), "NUMBER_OF_FIELDS"));
    const auto where = [&](int set) {
        const unsigned long line = CgatsTextCheck::lineOfSet(text, tableIndex, static_cast<unsigned long>(set), fields);
        return "Set " + std::to_string(set + 1) + (line ? " (line " + std::to_string(line) + ")" : std::string());
    };
    for (int set = 0; set < sets; ++set) {
        double v[4];
        for (int i = 0; i < table.values.count; ++i) {
            if (!numberOf(cmsIT8GetDataRowCol(it8.get(), set, table.values.c[i]), v[i])) {
                whyNot = where(set) + " of the CGATS file has a value that is not a number.";
                return false;
            }
        }
        const char* sampleName = table.name >= 0 ? cmsIT8GetDataRowCol(it8.get(), set, table.name) : nullptr;
        const std::string swatchName = sampleName ? sampleName : "";

        bool added = false;
        switch (table.model) {
        case Table::Cmyk:
            added = list.addCmyk(swatchName, v[0], v[1], v[2], v[3], false);
            break;
        case Table::Lab:
            added = list.addLab(swatchName, v[0], v[1], v[2], false);
            break;
        case Table::Xyz: {
            const cmsCIEXYZ xyz{v[0] / 100.0, v[1] / 100.0, v[2] / 100.0};
            cmsCIELab lab;
            cmsXYZ2Lab(cmsD50_XYZ(), &lab, &xyz);
            added = list.addLab(swatchName, lab.L, lab.a, lab.b, false);
            break;
        }
        case Table::Rgb: {
            const double scale = rgbInPercent ? 100.0 : 255.0;
            added = list.addRgb(swatchName, v[0] / scale, v[1] / scale, v[2] / scale, false);
            break;
        }
        case Table::None:
            break;
        }
        if (!added) {
            whyNot = list.failureReason(kindName, where(set));
            return false;
        }
    }
    return true;
}
