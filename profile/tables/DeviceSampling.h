#ifndef DEVICESAMPLING_H
#define DEVICESAMPLING_H

#include "InkLimits.h"

#include <array>
#include <vector>

// A regular lattice over a printer's device values, the same number of
// levels (0 to 1) along each of its channels, each point projected into the
// ink limits. Sized by the number of points wanted, so that a three-channel
// printer is sampled as densely overall as a four-channel one.
class DeviceSampling
{
public:
    // Device values as DeviceGrid takes them: the channels' values, then 0.
    using Point = std::array<double, 4>;

    // About `points` points (levels^channels, levels the nearest whole root).
    static std::vector<Point> lattice(unsigned points, int channels, const InkLimits& limits);
};

#endif
