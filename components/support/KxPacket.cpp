#include "KxPacket.h"

#include "KxAlloc.h"
#include "KxComboColour.h"

#include <map>

namespace {

void releaseComboColour(void* record)
{
    KxReleaseRecord(static_cast<KxCOMBOCOLOUR*>(record));
}

// The built-in classes are known from the first use on, so that records are
// released correctly also by programs that never run the start-up calls.
std::map<int, KxPacketRelease>& packetClasses()
{
    static std::map<int, KxPacketRelease> classes{{KX_PACKET_COMBOCOLOUR, releaseComboColour}};
    return classes;
}

// Every packet class is a list record; its `next` link sits after the three
// header words and `last`, like in KxCOMBOCOLOUR.
void* nextOf(void* record)
{
    return static_cast<KxCOMBOCOLOUR*>(record)->next;
}

} // namespace

int KxRegisterPacketClass(int classCode, KxPacketRelease release)
{
    if (!release)
        return 1;
    packetClasses()[classCode] = release;
    return 0;
}

int KxRegisterBuiltinPacketClasses()
{
    return KxRegisterPacketClass(KX_PACKET_COMBOCOLOUR, releaseComboColour);
}

void KxPacketFreeItem(void* record, int classCode)
{
    if (!record)
        return;
    const auto found = packetClasses().find(classCode);
    if (found != packetClasses().end())
        found->second(record);
    else
        Kx_DIAGNOSTIC_free(record);
}

void KxPacketFreeList(void* first, int classCode)
{
    void** head = static_cast<void**>(first);
    if (!head)
        return;
    void* record = *head;
    *head = nullptr;
    while (record) {
        void* next = nextOf(record);
        KxPacketFreeItem(record, classCode);
        record = next;
    }
}
