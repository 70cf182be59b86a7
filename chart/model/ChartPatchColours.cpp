#include "ChartPatchColours.h"

#include <KxAlloc.h>
#include <KxCOMBOCOLOUR_CC.h>
#include <KxComboColour.h>
#include <KxFile.h>
#include <KxPacket.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

bool ChartPatchColours::collect(const KxChartPoint* first, KxCOMBOCOLOUR_CC& colours)
{
    unsigned long number = 1;
    for (const KxChartPoint* point = first; point; point = point->next, ++number) {
        auto* colour = static_cast<KxCOMBOCOLOUR*>(Kx_DIAGNOSTIC_calloc(1, sizeof(KxCOMBOCOLOUR)));
        if (!colour) {
            std::fputs("Cannot allocate memory\n", stderr);
            return false;
        }
        colour->flags = KX_COMBO_LAB;
        colour->L = point->labD50[0];
        colour->a = point->labD50[1];
        colour->b = point->labD50[2];
        if (point->device == ChartDevice::Rgb) {
            colour->flags |= KX_COMBO_RGB;
            std::copy_n(point->deviceRgb, 3, colour->rgb);
        }
        colour->name = AllocateAndCopyString(nameOf(*point, number).c_str());
        if (!colour->name) {
            KxPacketFreeItem(colour, KX_PACKET_COMBOCOLOUR);
            std::fputs("Cannot allocate memory\n", stderr);
            return false;
        }
        if (!colours.insertCombo(colour))
            KxPacketFreeItem(colour, KX_PACKET_COMBOCOLOUR);
    }
    return true;
}

std::string ChartPatchColours::patchName(unsigned long number)
{
    char name[32];
    Kx_snprintf(name, sizeof name, "Patch %04lu", number);
    return name;
}

std::string ChartPatchColours::nameOf(const KxChartPoint& point, unsigned long number)
{
    return point.controlName ? point.controlName : patchName(number);
}

unsigned long ChartPatchColours::patchNumber(const std::string& name)
{
    const std::string prefix = "Patch ";
    if (name.compare(0, prefix.size(), prefix) != 0)
        return 0;
    const std::string digits = name.substr(prefix.size());
    if (digits.size() < 4 || digits.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    const unsigned long number = std::strtoul(digits.c_str(), nullptr, 10);
    return patchName(number) == name ? number : 0;
}
