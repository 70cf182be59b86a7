#include "KxPacketable.h"

#include "KxPacket.h"

void KxPacketable::releaseList(void* first) const
{
    KxPacketFreeList(first, classCode);
}
