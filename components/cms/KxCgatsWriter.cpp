#include "KxCgatsWriter.h"

#include <lcms2.h>

#include <memory>

namespace {

struct IT8Release {
    void operator()(void* handle) const { cmsIT8Free(handle); }
};

bool fill(cmsHANDLE it8, const KxCgatsSheet& sheet)
{
    if (!cmsIT8SetSheetType(it8, sheet.type.c_str()))
        return false;
    for (const auto& [keyword, value] : sheet.keywords)
        if (!value.empty() && !cmsIT8SetPropertyStr(it8, keyword.c_str(), value.c_str()))
            return false;
    const std::string fields = std::to_string(sheet.fields.size());
    const std::string sets = std::to_string(sheet.sets.size());
    if (!cmsIT8SetPropertyUncooked(it8, "NUMBER_OF_FIELDS", fields.c_str())
        || !cmsIT8SetPropertyUncooked(it8, "NUMBER_OF_SETS", sets.c_str()))
        return false;
    for (std::size_t field = 0; field < sheet.fields.size(); ++field)
        if (!cmsIT8SetDataFormat(it8, static_cast<int>(field), sheet.fields[field].c_str()))
            return false;
    for (std::size_t set = 0; set < sheet.sets.size(); ++set) {
        const std::vector<std::string>& values = sheet.sets[set];
        if (values.size() != sheet.fields.size())
            return false;
        for (std::size_t field = 0; field < values.size(); ++field)
            if (!cmsIT8SetDataRowCol(it8, static_cast<int>(set), static_cast<int>(field), values[field].c_str()))
                return false;
    }
    return true;
}

} // namespace

bool KxCgatsWriter::write(const KxCgatsSheet& sheet, std::string& text)
{
    std::unique_ptr<void, IT8Release> it8(cmsIT8Alloc(nullptr));
    if (!it8 || !fill(it8.get(), sheet))
        return false;
    cmsUInt32Number needed = 0;
    if (!cmsIT8SaveToMem(it8.get(), nullptr, &needed) || needed == 0)
        return false;
    std::string written(needed, '\0');
    if (!cmsIT8SaveToMem(it8.get(), written.data(), &needed))
        return false;
    written.resize(needed - 1); // without the terminating zero
    text.swap(written);
    return true;
}
