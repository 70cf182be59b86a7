#include "DeviceSampling.h"

#include <algorithm>
#include <cmath>

std::vector<DeviceSampling::Point> DeviceSampling::lattice(unsigned points, int channels, const InkLimits& limits)
{
    const unsigned levels = std::max(2u, unsigned(std::lround(std::pow(double(points), 1.0 / channels))));
    std::size_t count = 1;
    for (int i = 0; i < channels; ++i)
        count *= levels;
    std::vector<Point> lattice;
    lattice.reserve(count);
    const double step = 1.0 / (levels - 1);
    for (std::size_t index = 0; index < count; ++index) {
        Point point{};
        std::size_t rest = index;
        for (int i = channels - 1; i >= 0; --i, rest /= levels)
            point[std::size_t(i)] = double(rest % levels) * step;
        limits.project(point.data());
        lattice.push_back(point);
    }
    return lattice;
}
