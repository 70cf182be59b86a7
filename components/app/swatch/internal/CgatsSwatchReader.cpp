#include "KxCgatsDocument.h"
#include "KxCmsLabConverter.h"
#include "SwatchList.h"
#include "SwatchReaderTable.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <string_view>

namespace {

// Column numbers of one colour model's fields, -1 when a field is missing.
struct Columns {
    int c[4];
    int count;
    bool present() const { return std::all_of(c, c + count, [](int column) { return column >= 0; }); }
};

Columns find(const KxCgatsDocument& document, std::initializer_list<const char*> names)
{
    Columns columns{{-1, -1, -1, -1}, static_cast<int>(names.size())};
    int i = 0;
    for (const char* name : names)
        columns.c[i++] = document.column(name);
    return columns;
}

struct Table {
    enum Model { None, Cmyk, Lab, Xyz, Rgb } model = None;
    Columns values{};
    int name = -1;
};

Table describeTable(const KxCgatsDocument& document)
{
    Table table;
    const std::pair<Table::Model, Columns> models[] = {
        {Table::Cmyk, find(document, {"CMYK_C", "CMYK_M", "CMYK_Y", "CMYK_K"})},
        {Table::Lab, find(document, {"LAB_L", "LAB_A", "LAB_B"})},
        {Table::Xyz, find(document, {"XYZ_X", "XYZ_Y", "XYZ_Z"})},
        {Table::Rgb, find(document, {"RGB_R", "RGB_G", "RGB_B"})},
    };
    for (const auto& [model, columns] : models) {
        if (columns.present()) {
            table.model = model;
            table.values = columns;
            break;
        }
    }
    for (const char* field : {"SAMPLE_NAME", "SAMPLE_ID", "SAMPLE_LOC"}) {
        table.name = document.column(field);
        if (table.name >= 0)
            break;
    }
    return table;
}

bool recognises(const unsigned char* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    return text.find("BEGIN_DATA") != std::string_view::npos;
}

bool read(const unsigned char* data, std::size_t size, SwatchList& list, std::string& whyNot)
{
    KxCgatsDocument document("swatch file");
    if (!document.load(data, size, whyNot))
        return false;

    // Argyll's own types keep RGB in percent.
    const bool rgbInPercent = document.isArgyllType();

    Table table;
    unsigned tableIndex = 0;
    const unsigned tables = document.tables();
    for (unsigned t = 0; t < tables && table.model == Table::None; ++t) {
        if (document.selectTable(t))
            table = describeTable(document);
        tableIndex = t;
    }
    if (table.model == Table::None) {
        whyNot = "The CGATS file holds no CMYK, Lab, XYZ or RGB values.";
        return false;
    }

    const int sets = document.sets();
    for (int set = 0; set < sets; ++set) {
        double v[4];
        for (int i = 0; i < table.values.count; ++i) {
            if (!document.number(set, table.values.c[i], v[i])) {
                whyNot = document.whereIsSet(tableIndex, set) + " of the CGATS file has a value that is not a number.";
                return false;
            }
        }
        const char* sampleName = document.text(set, table.name);
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
            const double xyz[3] = {v[0] / 100.0, v[1] / 100.0, v[2] / 100.0};
            double lab[3];
            KxCmsLabConverter::xyzToLab(xyz, lab);
            added = list.addLab(swatchName, lab[0], lab[1], lab[2], false);
            break;
        }
        case Table::Rgb: {
            added = list.addRgb(swatchName, v[0], v[1], v[2], rgbInPercent ? 100.0 : 255.0, false);
            break;
        }
        case Table::None:
            break;
        }
        if (!added) {
            whyNot = list.whyNot(CGATS_SWATCH_READER.name, document.whereIsSet(tableIndex, set));
            return false;
        }
    }
    return true;
}

} // namespace

const SwatchReaderEntry CGATS_SWATCH_READER = {SwatchImporter::SWATCH_CGATS, "CGATS", "cgats", &recognises, &read};
