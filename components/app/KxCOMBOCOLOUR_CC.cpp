#include "KxCOMBOCOLOUR_CC.h"

#include "KxList.h"
#include "KxPacket.h"

KxCOMBOCOLOUR_CC::KxCOMBOCOLOUR_CC()
    : KxPacketable(KX_PACKET_COMBOCOLOUR)
{
}

KxCOMBOCOLOUR_CC::~KxCOMBOCOLOUR_CC()
{
    releaseList(&head);
}

int KxCOMBOCOLOUR_CC::insertCombo(KxCOMBOCOLOUR* record)
{
    // A listed record carries the list mark; taking it would give it two owners.
    if (!record || record->header[0] == KX_LIST_MAGIC)
        return 0;
    AddList(&head, record);
    ++length;
    return 1;
}
