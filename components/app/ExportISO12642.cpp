#include "ExportISO12642.h"

#include "KxFile.h"
#include "TintoraVersion.h"

#include <lcms2.h>

#include <cerrno>
#include <ctime>
#include <memory>
#include <vector>

namespace {

const char* const originator = TINTORA_ORIGINATOR;
const char* const descriptor = "Colour check chart target";

struct IT8Release {
    void operator()(void* handle) const { cmsIT8Free(handle); }
};
using IT8Handle = std::unique_ptr<void, IT8Release>;

// A name as one quoted CGATS string: double quotes become single ones and
// control characters (tabs, line ends) spaces, so the text cannot end the
// string or the line early. LittleCMS quotes a value only when it holds a
// space, so any other name is quoted here. A colour without a name is
// named by its sample number (LittleCMS does not read an empty string back).
std::string sampleName(const char* name, const std::string& id)
{
    std::string text = name && *name ? name : id;
    bool hasSpace = false;
    for (char& c : text) {
        if (c == '"')
            c = '\'';
        else if (static_cast<unsigned char>(c) < 32 || c == 127)
            c = ' ';
        hasSpace = hasSpace || c == ' ';
    }
    return hasSpace ? text : "\"" + text + "\"";
}

std::string creationTime()
{
    char buffer[32] = {};
    const std::time_t now = std::time(nullptr);
    std::string text = Kx_ctime(&now, buffer) ? buffer : "";
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
    return text;
}

void describeInstrument(cmsHANDLE it8, const SPECTROPHOTOMETERINFO& info)
{
    std::string instrumentation = info.instrument;
    if (!info.serial.empty())
        instrumentation += (instrumentation.empty() ? "serial " : ", serial ") + info.serial;
    // Empty values are refused by LittleCMS and so left out.
    cmsIT8SetPropertyStr(it8, "INSTRUMENTATION", instrumentation.c_str());
    cmsIT8SetPropertyStr(it8, "MEASUREMENT_GEOMETRY", info.geometry.c_str());
    cmsIT8SetPropertyStr(it8, "MEASUREMENT_SOURCE", info.source.c_str());
}

bool fillTable(cmsHANDLE it8, const SPECTROPHOTOMETERINFO* instrument, const KxCOMBOCOLOUR_CC& colours)
{
    const std::string created = creationTime();
    const std::string sets = std::to_string(colours.count());
    if (!cmsIT8SetSheetType(it8, "CGATS.17") || !cmsIT8SetPropertyStr(it8, "ORIGINATOR", originator)
        || !cmsIT8SetPropertyStr(it8, "DESCRIPTOR", descriptor)
        || (!created.empty() && !cmsIT8SetPropertyStr(it8, "CREATED", created.c_str())))
        return false;
    if (instrument)
        describeInstrument(it8, *instrument);
    if (!cmsIT8SetPropertyUncooked(it8, "NUMBER_OF_FIELDS", "5")
        || !cmsIT8SetPropertyUncooked(it8, "NUMBER_OF_SETS", sets.c_str()))
        return false;

    const char* const fields[] = {"SAMPLE_ID", "SAMPLE_NAME", "LAB_L", "LAB_A", "LAB_B"};
    for (int i = 0; i < 5; ++i)
        if (!cmsIT8SetDataFormat(it8, i, fields[i]))
            return false;
    cmsIT8DefineDblFormat(it8, "%.4f");

    int row = 0;
    for (const KxCOMBOCOLOUR* colour = colours.first(); colour; colour = colour->next, ++row) {
        const std::string id = std::to_string(row + 1);
        if (!cmsIT8SetDataRowCol(it8, row, 0, id.c_str())
            || !cmsIT8SetDataRowCol(it8, row, 1, sampleName(colour->name, id).c_str())
            || !cmsIT8SetDataRowColDbl(it8, row, 2, colour->L) || !cmsIT8SetDataRowColDbl(it8, row, 3, colour->a)
            || !cmsIT8SetDataRowColDbl(it8, row, 4, colour->b))
            return false;
    }
    return true;
}

} // namespace

KxWriteResult ExportISO12642::exportColours(const std::string& path, const SPECTROPHOTOMETERINFO* instrument,
                                            KxCOMBOCOLOUR_CC& colours, icColorSpaceSignature space)
{
    if (path.empty())
        return KxWriteResult::failed(KxWriteResult::Opening, ENOENT);
    if (colours.count() == 0 || space != icSigLabData)
        return KxWriteResult::failed(KxWriteResult::Opening, EINVAL);
    // The table is made in memory; LittleCMS fails there only for want of it.
    const KxWriteResult outOfMemory = KxWriteResult::failed(KxWriteResult::Opening, ENOMEM);
    IT8Handle it8(cmsIT8Alloc(nullptr));
    if (!it8 || !fillTable(it8.get(), instrument, colours))
        return outOfMemory;

    cmsUInt32Number needed = 0;
    if (!cmsIT8SaveToMem(it8.get(), nullptr, &needed) || needed == 0)
        return outOfMemory;
    std::vector<char> text(needed);
    if (!cmsIT8SaveToMem(it8.get(), text.data(), &needed))
        return outOfMemory;
    text.resize(needed - 1); // without the terminating zero
    return Kx_writeFile(path.c_str(), text.data(), text.size());
}
