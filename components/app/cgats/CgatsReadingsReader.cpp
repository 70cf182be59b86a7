#include "CgatsReadingsReader.h"

#include "KxCgatsDocument.h"
#include "KxCmsLabConverter.h"
#include "KxFileRead.h"

#include <algorithm>
#include <cctype>

namespace {

// Columns of the readings in the current table, -1 where a field is missing.
struct ReadingColumns {
    int values[3] = {-1, -1, -1};
    bool xyz = false;
    int id = -1;
    int name = -1;
    int inks[4] = {-1, -1, -1, -1};
    int rgb[3] = {-1, -1, -1};

    bool hasValues() const { return values[0] >= 0 && values[1] >= 0 && values[2] >= 0; }
    bool hasInks() const { return inks[0] >= 0 && inks[1] >= 0 && inks[2] >= 0 && inks[3] >= 0; }
    bool hasRgb() const { return rgb[0] >= 0 && rgb[1] >= 0 && rgb[2] >= 0; }
};

ReadingColumns findColumns(const KxCgatsDocument& document, const char* const (&fields)[3], bool xyz)
{
    ReadingColumns columns;
    for (int i = 0; i < 3; ++i)
        columns.values[i] = document.column(fields[i]);
    columns.xyz = xyz;
    columns.id = document.column("SAMPLE_ID");
    columns.name = document.column("SAMPLE_NAME");
    static const char* const inks[4] = {"CMYK_C", "CMYK_M", "CMYK_Y", "CMYK_K"};
    for (int i = 0; i < 4; ++i)
        columns.inks[i] = document.column(inks[i]);
    static const char* const rgb[3] = {"RGB_R", "RGB_G", "RGB_B"};
    for (int i = 0; i < 3; ++i)
        columns.rgb[i] = document.column(rgb[i]);
    return columns;
}

// Lab in the current table, else XYZ.
ReadingColumns describeTable(const KxCgatsDocument& document)
{
    static const char* const lab[3] = {"LAB_L", "LAB_A", "LAB_B"};
    static const char* const xyz[3] = {"XYZ_X", "XYZ_Y", "XYZ_Z"};
    const ReadingColumns byLab = findColumns(document, lab, false);
    return byLab.hasValues() ? byLab : findColumns(document, xyz, true);
}

// The device the current table's sets were printed on: the part of
// COLOR_REP before its measurement ("CMYK" of "CMYK_LAB"), else CMYK or RGB
// when the table has all of that device's fields. A device name is letters
// and digits only, in capitals; anything else in COLOR_REP names no device.
// Argyll names a printer driven through RGB "iRGB" (targen -d2): its R, G,
// B are RGB's, 100 100 100 the paper, so it reads as RGB.
std::string deviceOf(const KxCgatsDocument& document, const ReadingColumns& columns)
{
    if (const char* rep = document.property("COLOR_REP")) {
        const std::string named(rep);
        std::string device = named.substr(0, named.find('_'));
        const bool plain = !device.empty() && device.size() <= 8
            && std::all_of(device.begin(), device.end(), [](unsigned char c) { return std::isalnum(c); });
        std::transform(device.begin(), device.end(), device.begin(), [](unsigned char c) { return std::toupper(c); });
        if (device == "IRGB")
            return "RGB";
        if (plain && device != "LAB" && device != "XYZ")
            return device;
    }
    if (columns.hasInks())
        return "CMYK";
    if (columns.hasRgb())
        return "RGB";
    return std::string();
}

std::string text(const KxCgatsDocument& document, int set, int column)
{
    const char* value = document.text(set, column);
    return value ? value : "";
}

} // namespace

bool CgatsReadingsReader::read(const unsigned char* data, std::size_t size, std::vector<CgatsReading>& readings,
                               std::string& whyNot)
{
    KxCgatsDocument document("measurement file");
    if (!document.load(data, size, whyNot))
        return false;

    ReadingColumns columns;
    const unsigned tables = document.tables();
    for (unsigned t = 0; t < tables && !columns.hasValues(); ++t)
        if (document.selectTable(t))
            columns = describeTable(document);
    if (!columns.hasValues()) {
        whyNot = "The CGATS file holds no Lab or XYZ readings.";
        return false;
    }
    if (columns.id < 0 && columns.name < 0) {
        whyNot = "The CGATS file names its readings by neither SAMPLE_ID nor SAMPLE_NAME.";
        return false;
    }

    const std::string device = deviceOf(document, columns);
    std::vector<CgatsReading> read;
    const int sets = document.sets();
    for (int set = 0; set < sets; ++set) {
        CgatsReading reading{text(document, set, columns.id), text(document, set, columns.name), {}};
        reading.device = device;
        double v[3];
        for (int i = 0; i < 3; ++i) {
            if (!document.number(set, columns.values[i], v[i])) {
                whyNot = "Set " + std::to_string(set + 1) + " of the CGATS file has a value that is not a number.";
                return false;
            }
        }
        if (columns.xyz) {
            const double xyz[3] = {v[0] / 100.0, v[1] / 100.0, v[2] / 100.0};
            KxCmsLabConverter::xyzToLab(xyz, v);
        }
        for (int i = 0; i < 3; ++i)
            reading.lab[i] = v[i];
        // Device values are an addition to the reading: a set whose values
        // are no numbers still gives its reading, without them.
        reading.hasInks = columns.hasInks();
        for (int i = 0; i < 4 && reading.hasInks; ++i)
            reading.hasInks = document.number(set, columns.inks[i], reading.inks[i]);
        reading.hasRgb = columns.hasRgb();
        for (int i = 0; i < 3 && reading.hasRgb; ++i)
            reading.hasRgb = document.number(set, columns.rgb[i], reading.rgb[i]);
        read.push_back(reading);
    }
    readings.swap(read);
    return true;
}

bool CgatsReadingsReader::readFile(const char* path, std::vector<CgatsReading>& readings, std::string& whyNot)
{
    std::vector<unsigned char> bytes;
    const KxReadResult result = Kx_readFile(path, KxFileKind::Measurements, bytes);
    if (result != KxReadResult::Read) {
        whyNot = Kx_readFailureText(result, KxFileKind::Measurements);
        return false;
    }
    return read(bytes.data(), bytes.size(), readings, whyNot);
}
