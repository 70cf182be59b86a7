#ifndef KXPACKET_H
#define KXPACKET_H

// Release of records by class code. A class code names how a record of that
// class is released; KxInitStorageClasses registers the built-in ones.
constexpr int KX_PACKET_COMBOCOLOUR = 17; // KxCOMBOCOLOUR, name included

using KxPacketRelease = void (*)(void* record);

// Registers (or replaces) the release function of a class code. Zero on success.
int KxRegisterPacketClass(int classCode, KxPacketRelease release);
int KxRegisterBuiltinPacketClasses();

// Releases one record of the given class (a plain free for an unknown class).
void KxPacketFreeItem(void* record, int classCode);
// Releases a whole list of records of the given class whose first record is
// held in *first, and sets *first to null.
void KxPacketFreeList(void* first, int classCode);

#endif
