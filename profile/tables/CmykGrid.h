#ifndef CMYKGRID_H
#define CMYKGRID_H

#include <cstddef>
#include <vector>

// Three values (a colour) at each node of a regular grid over the CMYK ink
// cube, inks as fractions 0 to 1, C varying slowest and K fastest, read
// between the nodes by multilinear interpolation over the 16 corners of
// the cell. Inks outside 0 to 1 count as the nearest end.
class CmykGrid
{
public:
    // The 16 nodes whose values make the colour at some inks, and their weights.
    struct Cell {
        std::size_t nodes[16];
        double weights[16];
    };

    explicit CmykGrid(unsigned points);

    unsigned points() const { return m_points; }
    std::size_t nodes() const { return m_values.size() / 3; }
    std::size_t nodeIndex(const unsigned index[4]) const;

    std::vector<double>& values() { return m_values; }
    const std::vector<double>& values() const { return m_values; }

    Cell cellOf(const double inks[4]) const;
    void evaluate(const double inks[4], double colour[3]) const;
    // The colour and its derivative by each ink, jacobian[channel][ink].
    void evaluate(const double inks[4], double colour[3], double jacobian[3][4]) const;

private:
    // The cell's first node and the inks' fractions across it.
    std::size_t locate(const double inks[4], double fraction[4]) const;

    unsigned m_points;
    std::vector<double> m_values;
};

#endif
