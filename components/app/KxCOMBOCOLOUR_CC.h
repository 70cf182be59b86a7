#ifndef KXCOMBOCOLOUR_CC_H
#define KXCOMBOCOLOUR_CC_H

#include "KxComboColour.h"
#include "KxPacketable.h"

// An ordered collection of named colour records. It owns every record it
// accepts, names included, and releases them when it is destroyed.
class KxCOMBOCOLOUR_CC : public KxPacketable
{
public:
    KxCOMBOCOLOUR_CC();
    ~KxCOMBOCOLOUR_CC() override;

    // Appends the record and takes it over: non-zero when taken, zero for a
    // null record or one that already belongs to a list (the caller keeps it).
    int insertCombo(KxCOMBOCOLOUR* record);

    // The first record; the others follow through `next`, in insertion order.
    KxCOMBOCOLOUR* first() const { return head; }
    unsigned long count() const { return length; }

private:
    KxCOMBOCOLOUR* head = nullptr;
    unsigned long length = 0;
};

#endif
