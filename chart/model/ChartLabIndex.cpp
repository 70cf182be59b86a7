#include "ChartLabIndex.h"

#include <algorithm>
#include <cmath>

long ChartLabIndex::Axis::cellOf(double value) const
{
    const double position = std::floor((value - origin) / width);
    if (position <= 0.0)
        return 0;
    return std::min(static_cast<long>(std::min(position, 1e9)), cells - 1);
}

ChartLabIndex::ChartLabIndex(const std::vector<const double*>& labs, double lightnessReach, double colourReach)
    : m_cellOfColour(labs.size(), -1), m_coords(3 * labs.size(), 0)
{
    const double reach[3] = {lightnessReach, colourReach, colourReach};
    double low[3] = {0, 0, 0}, high[3] = {0, 0, 0};
    std::size_t indexed = 0;
    for (const double* lab : labs) {
        if (!std::isfinite(lab[0]) || !std::isfinite(lab[1]) || !std::isfinite(lab[2]))
            continue;
        for (int d = 0; d < 3; ++d) {
            low[d] = indexed ? std::min(low[d], lab[d]) : lab[d];
            high[d] = indexed ? std::max(high[d], lab[d]) : lab[d];
        }
        ++indexed;
    }

    // As many cells as the reaches allow, but no more than a few per colour.
    double cells[3];
    for (int d = 0; d < 3; ++d)
        cells[d] = std::min(std::floor((high[d] - low[d]) / reach[d]), 1e6) + 1.0;
    const double budget = 4.0 * static_cast<double>(indexed) + 64.0;
    while (cells[0] * cells[1] * cells[2] > budget) {
        const int widest = static_cast<int>(std::max_element(cells, cells + 3) - cells);
        cells[widest] = std::ceil(cells[widest] / 2.0);
    }
    for (int d = 0; d < 3; ++d) {
        m_axes[d].origin = low[d];
        m_axes[d].cells = static_cast<long>(cells[d]);
        m_axes[d].width = std::max(reach[d], (high[d] - low[d]) / cells[d]);
    }

    const std::size_t cellCount = static_cast<std::size_t>(m_axes[0].cells * m_axes[1].cells * m_axes[2].cells);
    m_cellStart.assign(cellCount + 1, 0);
    for (std::size_t i = 0; i < labs.size(); ++i) {
        const double* lab = labs[i];
        if (!std::isfinite(lab[0]) || !std::isfinite(lab[1]) || !std::isfinite(lab[2]))
            continue;
        for (int d = 0; d < 3; ++d)
            m_coords[3 * i + d] = m_axes[d].cellOf(lab[d]);
        const std::size_t cell = cellIndex(m_coords[3 * i], m_coords[3 * i + 1], m_coords[3 * i + 2]);
        m_cellOfColour[i] = static_cast<long>(cell);
        ++m_cellStart[cell + 1];
    }
    for (std::size_t c = 0; c < cellCount; ++c)
        m_cellStart[c + 1] += m_cellStart[c];
    m_members.resize(indexed);
    std::vector<std::size_t> fill(m_cellStart.begin(), m_cellStart.end() - 1);
    for (std::size_t i = 0; i < labs.size(); ++i)
        if (m_cellOfColour[i] >= 0)
            m_members[fill[static_cast<std::size_t>(m_cellOfColour[i])]++] = i;
}

std::size_t ChartLabIndex::cellIndex(long l, long a, long b) const
{
    return static_cast<std::size_t>((l * m_axes[1].cells + a) * m_axes[2].cells + b);
}

void ChartLabIndex::appendNear(std::size_t i, std::vector<std::size_t>& out) const
{
    if (m_cellOfColour[i] < 0)
        return;
    const long* at = &m_coords[3 * i];
    for (long l = std::max(at[0] - 1, 0L); l <= std::min(at[0] + 1, m_axes[0].cells - 1); ++l)
        for (long a = std::max(at[1] - 1, 0L); a <= std::min(at[1] + 1, m_axes[1].cells - 1); ++a)
            for (long b = std::max(at[2] - 1, 0L); b <= std::min(at[2] + 1, m_axes[2].cells - 1); ++b) {
                const std::size_t cell = cellIndex(l, a, b);
                out.insert(out.end(), m_members.begin() + static_cast<std::ptrdiff_t>(m_cellStart[cell]),
                           m_members.begin() + static_cast<std::ptrdiff_t>(m_cellStart[cell + 1]));
            }
}

bool ChartLabIndex::coversAll() const
{
    return m_axes[0].cells <= 2 && m_axes[1].cells <= 2 && m_axes[2].cells <= 2;
}
