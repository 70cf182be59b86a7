#include "ExportISO12642.h"

#include "KxCgatsWriter.h"
#include "KxFile.h"
#include "TintoraVersion.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

const char* const originator = TINTORA_ORIGINATOR;
const char* const descriptor = "Colour check chart target";

// A name as one quoted CGATS string: double quotes become single ones and
// control characters (tabs, line ends) spaces, so the text cannot end the
// string or the line early. The writer quotes a value only when it holds a
// space, so any other name is quoted here. A colour without a name is
// named by its sample number (an empty string does not read back).
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

std::string fourDecimals(double value)
{
    char text[256];
    std::snprintf(text, sizeof text, "%.4f", value);
    return text;
}

// Whether every colour carries an RGB printer's device values.
bool allRgb(const KxCOMBOCOLOUR_CC& colours)
{
    for (const KxCOMBOCOLOUR* colour = colours.first(); colour; colour = colour->next)
        if (!(colour->flags & KX_COMBO_RGB))
            return false;
    return true;
}

void describeInstrument(KxCgatsSheet& sheet, const SPECTROPHOTOMETERINFO& info)
{
    std::string instrumentation = info.instrument;
    if (!info.serial.empty())
        instrumentation += (instrumentation.empty() ? "serial " : ", serial ") + info.serial;
    sheet.keywords.insert(sheet.keywords.end(), {{"INSTRUMENTATION", instrumentation},
                                                 {"MEASUREMENT_GEOMETRY", info.geometry},
                                                 {"MEASUREMENT_SOURCE", info.source}});
}

KxCgatsSheet targetSheet(const SPECTROPHOTOMETERINFO* instrument, const KxCOMBOCOLOUR_CC& colours)
{
    KxCgatsSheet sheet;
    sheet.type = "CGATS.17";
    sheet.keywords = {{"ORIGINATOR", originator}, {"DESCRIPTOR", descriptor}, {"CREATED", Kx_createdText(std::time(nullptr))}};
    if (instrument)
        describeInstrument(sheet, *instrument);
    const bool rgb = allRgb(colours);
    sheet.fields = {"SAMPLE_ID", "SAMPLE_NAME"};
    if (rgb)
        sheet.fields.insert(sheet.fields.end(), {"RGB_R", "RGB_G", "RGB_B"});
    sheet.fields.insert(sheet.fields.end(), {"LAB_L", "LAB_A", "LAB_B"});
    unsigned long row = 0;
    for (const KxCOMBOCOLOUR* colour = colours.first(); colour; colour = colour->next) {
        const std::string id = std::to_string(++row);
        std::vector<std::string> set = {id, sampleName(colour->name, id)};
        if (rgb) // in percent, as Argyll's files give device values
            for (const unsigned char value : colour->rgb)
                set.push_back(fourDecimals(value / 2.55));
        set.insert(set.end(), {fourDecimals(colour->L), fourDecimals(colour->a), fourDecimals(colour->b)});
        sheet.sets.push_back(set);
    }
    return sheet;
}

} // namespace

KxWriteResult ExportISO12642::exportColours(const std::string& path, const SPECTROPHOTOMETERINFO* instrument,
                                            KxCOMBOCOLOUR_CC& colours, icColorSpaceSignature space)
{
    if (path.empty())
        return KxWriteResult::failed(KxWriteResult::Opening, ENOENT);
    if (colours.count() == 0 || space != icSigLabData)
        return KxWriteResult::failed(KxWriteResult::Opening, EINVAL);
    std::string text;
    if (!KxCgatsWriter::write(targetSheet(instrument, colours), text))
        return KxWriteResult::failed(KxWriteResult::Opening, ENOMEM); // the text is made in memory
    return Kx_writeFile(path.c_str(), text.data(), text.size());
}
