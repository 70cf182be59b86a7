#ifndef KXPACKETABLE_H
#define KXPACKETABLE_H

// Base of the containers that own a list of packet records of one class
// (a class code of KxPacket.h). Destroying a container through this base
// releases what it holds.
class KxPacketable
{
public:
    virtual ~KxPacketable() = default;
    KxPacketable(const KxPacketable&) = delete;
    KxPacketable& operator=(const KxPacketable&) = delete;

    int packetClass() const { return classCode; }

protected:
    explicit KxPacketable(int packetClassCode) : classCode(packetClassCode) {}

    // Releases the list whose first record is held in *first and sets *first
    // to null, record by record through the class's release function.
    void releaseList(void* first) const;

private:
    int classCode;
};

#endif
