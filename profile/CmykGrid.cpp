#include "CmykGrid.h"

#include <algorithm>
#include <cmath>

CmykGrid::CmykGrid(unsigned points)
    : m_points(points)
    , m_values(std::size_t(points) * points * points * points * 3, 0.0)
{
}

std::size_t CmykGrid::nodeIndex(const unsigned index[4]) const
{
    return ((std::size_t(index[0]) * m_points + index[1]) * m_points + index[2]) * m_points + index[3];
}

CmykGrid::Cell CmykGrid::cellOf(const double inks[4]) const
{
    const double cells = m_points - 1;
    unsigned low[4];
    double fraction[4];
    for (int i = 0; i < 4; ++i) {
        const double position = std::clamp(inks[i], 0.0, 1.0) * cells;
        low[i] = std::min(unsigned(position), m_points - 2);
        fraction[i] = position - low[i];
    }
    Cell cell;
    for (int corner = 0; corner < 16; ++corner) {
        unsigned index[4];
        double weight = 1.0;
        double factors[4];
        for (int i = 0; i < 4; ++i) {
            const bool high = corner & (8 >> i);
            index[i] = low[i] + (high ? 1 : 0);
            factors[i] = high ? fraction[i] : 1.0 - fraction[i];
            weight *= factors[i];
        }
        cell.nodes[corner] = nodeIndex(index);
        cell.weights[corner] = weight;
        for (int i = 0; i < 4; ++i) {
            double slope = (corner & (8 >> i)) ? cells : -cells;
            for (int j = 0; j < 4; ++j)
                if (j != i)
                    slope *= factors[j];
            cell.slopes[corner][i] = slope;
        }
    }
    return cell;
}

void CmykGrid::evaluate(const double inks[4], double colour[3]) const
{
    double jacobian[3][4];
    evaluate(inks, colour, jacobian);
}

void CmykGrid::evaluate(const double inks[4], double colour[3], double jacobian[3][4]) const
{
    const Cell cell = cellOf(inks);
    for (int c = 0; c < 3; ++c) {
        colour[c] = 0.0;
        for (int i = 0; i < 4; ++i)
            jacobian[c][i] = 0.0;
    }
    for (int corner = 0; corner < 16; ++corner) {
        const double* value = &m_values[cell.nodes[corner] * 3];
        for (int c = 0; c < 3; ++c) {
            colour[c] += cell.weights[corner] * value[c];
            for (int i = 0; i < 4; ++i)
                jacobian[c][i] += cell.slopes[corner][i] * value[c];
        }
    }
}
