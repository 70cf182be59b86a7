#include "SwatchList.h"

#include "ColourValueRange.h"
#include "KxList.h"
#include "KxPacket.h"

#include <cmath>

namespace {

constexpr ColourValueRange INKS[] = {{"cyan", 0.0, 100.0, " %"}, {"magenta", 0.0, 100.0, " %"},
                                     {"yellow", 0.0, 100.0, " %"}, {"black", 0.0, 100.0, " %"}};

unsigned char inkByte(double percent)
{
    return static_cast<unsigned char>(std::lround(percent * 2.55));
}

} // namespace

SwatchList::~SwatchList()
{
    KxPacketFreeList(&first, KX_PACKET_COMBOCOLOUR);
}

std::string SwatchList::whyNot(const std::string& kind, const std::string& where) const
{
    if (memoryExhausted)
        return "There is not enough memory to read the swatch file.";
    return where + " of the " + kind + " file has " + problem + ".";
}

KxCOMBOCOLOUR* SwatchList::take()
{
    KxCOMBOCOLOUR* list = first;
    first = nullptr;
    length = 0;
    return list;
}

KxCOMBOCOLOUR* SwatchList::append(const std::string& name, std::uint32_t flags)
{
    auto* record = static_cast<KxCOMBOCOLOUR*>(Kx_DIAGNOSTIC_calloc(1, sizeof(KxCOMBOCOLOUR)));
    if (!record) {
        memoryExhausted = true;
        return nullptr;
    }
    record->name = AllocateAndCopyString(name.empty() ? std::to_string(length + 1).c_str() : name.c_str());
    if (!record->name) {
        KxReleaseRecord(record);
        memoryExhausted = true;
        return nullptr;
    }
    record->flags = flags;
    AddList(&first, record);
    ++length;
    return record;
}

bool SwatchList::addCmyk(const std::string& name, double c, double m, double y, double k, bool spot)
{
    problem = ColourValueRange::problemWith({c, m, y, k}, INKS);
    if (!problem.empty())
        return false;
    KxCOMBOCOLOUR* record = append(name, KX_COMBO_CMYK | (spot ? KX_COMBO_SPOT : 0));
    if (!record)
        return false;
    record->c = inkByte(c);
    record->m = inkByte(m);
    record->y = inkByte(y);
    record->k = inkByte(k);
    return true;
}

bool SwatchList::addLab(const std::string& name, double L, double a, double b, bool spot)
{
    problem = ColourValueRange::problemWithLab(L, a, b);
    if (!problem.empty())
        return false;
    const double value[3] = {L, a, b};
    return appendLab(name, value, spot);
}

bool SwatchList::addRgb(const std::string& name, double r, double g, double b, double fullScale, bool spot)
{
    const ColourValueRange channels[] = {
        {"red", 0.0, fullScale, ""}, {"green", 0.0, fullScale, ""}, {"blue", 0.0, fullScale, ""}};
    problem = ColourValueRange::problemWith({r, g, b}, channels);
    if (!problem.empty())
        return false;
    double lab[3];
    if (!converter.rgbToLab(r / fullScale, g / fullScale, b / fullScale, lab)) {
        memoryExhausted = true;
        return false;
    }
    return appendLab(name, lab, spot);
}

bool SwatchList::addGray(const std::string& name, double gray, double fullScale, bool spot)
{
    const ColourValueRange level{"gray", 0.0, fullScale, ""};
    problem = ColourValueRange::problemWith({gray}, &level);
    if (!problem.empty())
        return false;
    double lab[3];
    if (!converter.grayToLab(gray / fullScale, lab)) {
        memoryExhausted = true;
        return false;
    }
    return appendLab(name, lab, spot);
}

bool SwatchList::appendLab(const std::string& name, const double lab[3], bool spot)
{
    KxCOMBOCOLOUR* record = append(name, KX_COMBO_LAB | (spot ? KX_COMBO_SPOT : 0));
    if (!record)
        return false;
    record->L = lab[0];
    record->a = lab[1];
    record->b = lab[2];
    return true;
}
