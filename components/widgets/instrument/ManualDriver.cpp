#include "ManualDriver.h"

void ManualDriver::read(const InstrumentTarget& target)
{
    emit reading(target.entered[0], target.entered[1], target.entered[2]);
}
