#include "ChartPatchColours.h"

#include <KxAlloc.h>
#include <KxCOMBOCOLOUR_CC.h>
#include <KxComboColour.h>
#include <KxFile.h>
#include <KxPacket.h>

#include <cstdio>

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
        char name[32];
        Kx_snprintf(name, sizeof name, "Patch %04lu", number);
        colour->name = AllocateAndCopyString(name);
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
