#ifndef GAMUTSOLID_H
#define GAMUTSOLID_H

#include <cstddef>
#include <vector>

class GamutHull;

// The solid a gamut hull encloses, cut into columns along L: one column
// every COLUMN_SPACING units of a and b, each column holding the stretches of
// L that lie inside. A point is inside where the surface winds round it
// (the non-zero rule), so a fold of a printer's dark corner counts once.
// Two solids share one grid of columns, so their overlap is found column by
// column.
class GamutSolid
{
public:
    static constexpr double COLUMN_SPACING = 1.0; // a and b units
    // Columns stand within this many a and b units of the neutral axis, far
    // beyond any colour, so that a profile with absurd values cannot ask for
    // a huge grid; what lies further out is not measured.
    static constexpr double COLUMN_REACH = 400.0;

    explicit GamutSolid(const GamutHull& hull);

    // In cubic CIELAB units, as the columns measure it.
    double volume() const;
    // The share, 0..1, of this solid's volume that lies inside other; 0 when
    // this solid is empty.
    double shareInside(const GamutSolid& other) const;

private:
    struct Stretch
    {
        float low;
        float high;
    };

    // The stretches of column (a, b) in grid steps; empty outside the grid.
    const Stretch* columnBegin(int a, int b) const;
    const Stretch* columnEnd(int a, int b) const;
    std::size_t columnIndex(int a, int b) const;
    bool holdsColumn(int a, int b) const;

    int m_firstA = 0;
    int m_firstB = 0;
    int m_columnsA = 0;
    int m_columnsB = 0;
    // Column c's stretches are m_stretches[m_columnStart[c] .. m_columnStart[c + 1]).
    std::vector<std::size_t> m_columnStart;
    std::vector<Stretch> m_stretches;
};

#endif
