#include "ChartLabIndex.h"

#include <numeric>

ChartLabIndex::ChartLabIndex(const std::vector<const double*>& labs, const std::vector<double>& chromas,
                             const std::vector<std::size_t>& colours, double cellWidth, double lightnessStep)
{
    build(labs, chromas, colours, cellWidth, lightnessStep);
}

void ChartLabIndex::build(const std::vector<const double*>& labs, const std::vector<double>& chromas,
                          const std::vector<std::size_t>& colours, double cellWidth, double lightnessStep)
{
    m_labs.assign(labs.size(), nullptr);
    double low[3] = {0, 0, 0}, high[3] = {0, 0, 0};
    for (std::size_t i : colours) {
        for (int d = 0; d < 3; ++d) {
            low[d] = i == colours.front() ? labs[i][d] : std::min(low[d], labs[i][d]);
            high[d] = i == colours.front() ? labs[i][d] : std::max(high[d], labs[i][d]);
        }
        m_labs[i] = labs[i];
    }
    for (int d = 0; d < 3; ++d)
        m_span[d] = high[d] - low[d];

    // Cells of the size asked for, but no more than a few per colour.
    const double widths[3] = {lightnessStep, cellWidth, cellWidth};
    double cells[3];
    for (int d = 0; d < 3; ++d)
        cells[d] = std::min(std::floor(m_span[d] / widths[d]), 1e6) + 1.0;
    const double budget = 4.0 * static_cast<double>(colours.size()) + 64.0;
    while (cells[0] * cells[1] * cells[2] > budget) {
        const int most = static_cast<int>(std::max_element(cells, cells + 3) - cells);
        cells[most] = std::ceil(cells[most] / 2.0);
    }
    Axis* axes[3] = {&m_l, &m_a, &m_b};
    for (int d = 0; d < 3; ++d) {
        axes[d]->origin = low[d];
        axes[d]->cells = static_cast<long>(cells[d]);
        axes[d]->width = std::max(widths[d], m_span[d] / cells[d]);
    }

    // Counted into the start of the next cell, each colour is then placed
    // at the start of its own, which moves up to where the next one starts.
    const auto cellOfColour = [&](std::size_t i) {
        return cellOf(m_l.cellOf(labs[i][0]), m_a.cellOf(labs[i][1]), m_b.cellOf(labs[i][2]));
    };
    const std::size_t cellCount = static_cast<std::size_t>(m_l.cells * m_a.cells * m_b.cells);
    m_cellStart.assign(cellCount + 1, 0);
    for (std::size_t i : colours)
        ++m_cellStart[cellOfColour(i) + 1];
    std::partial_sum(m_cellStart.begin(), m_cellStart.end(), m_cellStart.begin());
    m_members.resize(colours.size());
    for (std::size_t i : colours)
        m_members[m_cellStart[cellOfColour(i)]++] = Member{i, {labs[i][0], labs[i][1], labs[i][2]}, chromas[i]};
    std::copy_backward(m_cellStart.begin(), m_cellStart.end() - 1, m_cellStart.end());
    m_cellStart.front() = 0;
}

bool ChartLabIndex::coversAll(double lightnessReach, double colourReach) const
{
    return m_span[0] <= lightnessReach && m_span[1] <= colourReach && m_span[2] <= colourReach;
}
