#ifndef CHARTLABINDEX_H
#define CHARTLABINDEX_H

#include <cstddef>
#include <vector>

// A uniform grid of cells over Lab holding a fixed set of colours, numbered
// 0..n-1. Cells are at least as wide as the reaches it is built with, so
// two colours no further apart than the reaches (in L, and in a and b) lie
// in the same or in adjacent cells. Colours with a non-finite component are
// left out: they are within no difference of anything.
class ChartLabIndex
{
public:
    ChartLabIndex(const std::vector<const double*>& labs, double lightnessReach, double colourReach);

    // Appends the numbers of the colours in the cells around colour i
    // (its own cell included; i itself among them). Nothing for a colour
    // that was left out.
    void appendNear(std::size_t i, std::vector<std::size_t>& out) const;

    // True when every indexed colour is near every other.
    bool coversAll() const;

private:
    struct Axis {
        double origin = 0.0;
        double width = 1.0;
        long cells = 1;
        long cellOf(double value) const;
    };

    std::size_t cellIndex(long l, long a, long b) const;

    Axis m_axes[3];
    std::vector<long> m_cellOfColour; // -1 for a colour left out
    std::vector<std::size_t> m_cellStart; // cell c holds m_members[m_cellStart[c] .. m_cellStart[c+1])
    std::vector<std::size_t> m_members;   // ascending within each cell
    std::vector<long> m_coords;           // three per colour
};

#endif
