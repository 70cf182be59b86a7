#ifndef MANUALDRIVER_H
#define MANUALDRIVER_H

#include "InstrumentDriver.h"

// No instrument: the reading is what the user typed.
class ManualDriver : public InstrumentDriver
{
    Q_OBJECT

public:
    using InstrumentDriver::InstrumentDriver;
    void read(const InstrumentTarget& target) override;
};

#endif
