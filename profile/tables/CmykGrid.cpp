#include "CmykGrid.h"

#include <algorithm>

namespace {

double lerp(double low, double high, double t)
{
    return low + (high - low) * t;
}

} // namespace

CmykGrid::CmykGrid(unsigned points)
    : m_points(points)
    , m_values(std::size_t(points) * points * points * points * 3, 0.0)
{
}

std::size_t CmykGrid::nodeIndex(const unsigned index[4]) const
{
    return ((std::size_t(index[0]) * m_points + index[1]) * m_points + index[2]) * m_points + index[3];
}

std::size_t CmykGrid::locate(const double inks[4], double fraction[4]) const
{
    const double cells = m_points - 1;
    unsigned low[4];
    for (int i = 0; i < 4; ++i) {
        const double position = std::clamp(inks[i], 0.0, 1.0) * cells;
        low[i] = std::min(unsigned(position), m_points - 2);
        fraction[i] = position - low[i];
    }
    return nodeIndex(low);
}

CmykGrid::Cell CmykGrid::cellOf(const double inks[4]) const
{
    double fraction[4];
    const std::size_t first = locate(inks, fraction);
    const std::size_t strides[4] = {std::size_t(m_points) * m_points * m_points, std::size_t(m_points) * m_points,
                                    m_points, 1};
    Cell cell;
    for (int corner = 0; corner < 16; ++corner) {
        std::size_t node = first;
        double weight = 1.0;
        for (int i = 0; i < 4; ++i) {
            const bool high = corner & (8 >> i);
            node += high ? strides[i] : 0;
            weight *= high ? fraction[i] : 1.0 - fraction[i];
        }
        cell.nodes[corner] = node;
        cell.weights[corner] = weight;
    }
    return cell;
}

void CmykGrid::evaluate(const double inks[4], double colour[3]) const
{
    double fraction[4];
    const std::size_t first = locate(inks, fraction);
    const std::size_t n = m_points;
    const double* base = &m_values[first * 3];
    // Along K, then Y, then M, then C, halving the corners each time.
    double values[8][3];
    for (int corner = 0; corner < 8; ++corner) {
        const double* low = base + 3 * ((corner >> 2) * n * n * n + ((corner >> 1) & 1) * n * n + (corner & 1) * n);
        for (int c = 0; c < 3; ++c)
            values[corner][c] = lerp(low[c], low[c + 3], fraction[3]);
    }
    for (int half = 4, axis = 2; half >= 1; half /= 2, --axis)
        for (int corner = 0; corner < half; ++corner)
            for (int c = 0; c < 3; ++c)
                values[corner][c] = lerp(values[2 * corner][c], values[2 * corner + 1][c], fraction[axis]);
    std::copy(values[0], values[0] + 3, colour);
}

void CmykGrid::evaluate(const double inks[4], double colour[3], double jacobian[3][4]) const
{
    double fraction[4];
    const std::size_t first = locate(inks, fraction);
    const std::size_t n = m_points;
    const double cells = double(n - 1);
    const double* base = &m_values[first * 3];
    // As above, each partial value carrying its slopes along the inks
    // already passed (per unit of fraction).
    double values[8][3];
    double slopes[8][3][4];
    for (int corner = 0; corner < 8; ++corner) {
        const double* low = base + 3 * ((corner >> 2) * n * n * n + ((corner >> 1) & 1) * n * n + (corner & 1) * n);
        for (int c = 0; c < 3; ++c) {
            values[corner][c] = lerp(low[c], low[c + 3], fraction[3]);
            slopes[corner][c][3] = low[c + 3] - low[c];
        }
    }
    for (int half = 4, axis = 2; half >= 1; half /= 2, --axis)
        for (int corner = 0; corner < half; ++corner)
            for (int c = 0; c < 3; ++c) {
                const int a = 2 * corner, b = 2 * corner + 1;
                for (int passed = axis + 1; passed < 4; ++passed)
                    slopes[corner][c][passed] = lerp(slopes[a][c][passed], slopes[b][c][passed], fraction[axis]);
                slopes[corner][c][axis] = values[b][c] - values[a][c];
                values[corner][c] = lerp(values[a][c], values[b][c], fraction[axis]);
            }
    for (int c = 0; c < 3; ++c) {
        colour[c] = values[0][c];
        for (int i = 0; i < 4; ++i)
            jacobian[c][i] = slopes[0][c][i] * cells;
    }
}
