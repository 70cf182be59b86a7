#ifndef CHARTDEVICE_H
#define CHARTDEVICE_H

#include <cstdint>

// The device a chart's patches are printed on: a CMYK printer (its inks),
// or a printer driven through RGB (the values its driver takes). Every
// patch of one chart has the same device.
enum class ChartDevice : std::int32_t { Cmyk = 0, Rgb = 1 };

namespace ChartDevices {

// "CMYK" or "RGB": the device part of a CGATS COLOR_REP.
inline const char* name(ChartDevice device)
{
    return device == ChartDevice::Rgb ? "RGB" : "CMYK";
}

// How many colorants the device mixes: 4 inks, or the driver's 3 channels.
inline int channels(ChartDevice device)
{
    return device == ChartDevice::Rgb ? 3 : 4;
}

} // namespace ChartDevices

#endif
