#include "DeviceGrid.h"

#include <algorithm>

namespace {

double lerp(double low, double high, double t)
{
    return low + (high - low) * t;
}

std::size_t power(unsigned base, int exponent)
{
    std::size_t result = 1;
    for (int i = 0; i < exponent; ++i)
        result *= base;
    return result;
}

} // namespace

DeviceGrid::DeviceGrid(unsigned points, int channels)
    : m_points(points)
    , m_channels(channels)
    , m_values(power(points, channels) * 3, 0.0)
{
    for (int i = 0; i < channels; ++i)
        m_strides[i] = power(points, channels - 1 - i);
}

std::size_t DeviceGrid::nodeIndex(const unsigned index[]) const
{
    std::size_t node = 0;
    for (int i = 0; i < m_channels; ++i)
        node = node * m_points + index[i];
    return node;
}

void DeviceGrid::indexOf(std::size_t node, unsigned index[]) const
{
    for (int i = m_channels - 1; i >= 0; --i, node /= m_points)
        index[i] = unsigned(node % m_points);
}

std::size_t DeviceGrid::locate(const double inks[4], double fraction[4]) const
{
    const double cells = m_points - 1;
    unsigned low[MOST_CHANNELS] = {};
    std::fill(fraction, fraction + MOST_CHANNELS, 0.0);
    for (int i = 0; i < m_channels; ++i) {
        const double position = std::clamp(inks[i], 0.0, 1.0) * cells;
        low[i] = std::min(unsigned(position), m_points - 2);
        fraction[i] = position - low[i];
    }
    return nodeIndex(low);
}

DeviceGrid::Cell DeviceGrid::cellOf(const double inks[4]) const
{
    double fraction[MOST_CHANNELS];
    const std::size_t first = locate(inks, fraction);
    Cell cell{};
    for (int corner = 0; corner < corners(); ++corner) {
        std::size_t node = first;
        double weight = 1.0;
        for (int i = 0; i < m_channels; ++i) {
            const bool high = corner & (1 << (m_channels - 1 - i));
            node += high ? m_strides[i] : 0;
            weight *= high ? fraction[i] : 1.0 - fraction[i];
        }
        cell.nodes[corner] = node;
        cell.weights[corner] = weight;
    }
    return cell;
}

void DeviceGrid::evaluate(const double inks[4], double colour[3]) const
{
    interpolate<false>(inks, colour, nullptr);
}

void DeviceGrid::evaluate(const double inks[4], double colour[3], double jacobian[3][4]) const
{
    interpolate<true>(inks, colour, jacobian);
}

// Along the last channel first, then each before it, halving the corners
// each time; with slopes, each partial value carries its slopes along the
// channels already passed (per unit of fraction).
template <bool withSlopes>
void DeviceGrid::interpolate(const double inks[4], double colour[3], double jacobian[3][4]) const
{
    double fraction[MOST_CHANNELS];
    const std::size_t first = locate(inks, fraction);
    const int last = m_channels - 1;
    const double* base = &m_values[first * 3];
    double values[MOST_CORNERS / 2][3];
    double slopes[MOST_CORNERS / 2][3][MOST_CHANNELS];
    for (int corner = 0; corner < corners() / 2; ++corner) {
        std::size_t offset = 0;
        for (int i = 0; i < last; ++i)
            if (corner & (1 << (last - 1 - i)))
                offset += m_strides[i];
        const double* low = base + 3 * offset;
        for (int c = 0; c < 3; ++c) {
            values[corner][c] = lerp(low[c], low[c + 3], fraction[last]);
            if (withSlopes)
                slopes[corner][c][last] = low[c + 3] - low[c];
        }
    }
    for (int half = corners() / 4, axis = last - 1; half >= 1; half /= 2, --axis)
        for (int corner = 0; corner < half; ++corner)
            for (int c = 0; c < 3; ++c) {
                const int a = 2 * corner, b = 2 * corner + 1;
                if (withSlopes) {
                    for (int passed = axis + 1; passed < m_channels; ++passed)
                        slopes[corner][c][passed] = lerp(slopes[a][c][passed], slopes[b][c][passed], fraction[axis]);
                    slopes[corner][c][axis] = values[b][c] - values[a][c];
                }
                values[corner][c] = lerp(values[a][c], values[b][c], fraction[axis]);
            }
    for (int c = 0; c < 3; ++c) {
        colour[c] = values[0][c];
        if (withSlopes)
            for (int i = 0; i < MOST_CHANNELS; ++i)
                jacobian[c][i] = i < m_channels ? slopes[0][c][i] * (m_points - 1) : 0.0;
    }
}
