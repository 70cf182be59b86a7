#ifndef DEVICEGRID_H
#define DEVICEGRID_H

#include <cstddef>
#include <vector>

// Three values (a colour) at each node of a regular grid over a printer's
// device cube: four inks C, M, Y, K, or the three colourants an RGB
// driver puts down (1 - R, 1 - G, 1 - B, so that 0 is the paper for every
// device). Device values are fractions 0 to 1, the first varying slowest
// and the last fastest, read between the nodes by multilinear interpolation
// over the 2^channels corners of the cell. Values outside 0 to 1 count as
// the nearest end. Device values come as four whatever the channels; a
// three-channel grid ignores the fourth and gives it no slope.
class DeviceGrid
{
public:
    static constexpr int MOST_CHANNELS = 4;
    static constexpr int MOST_CORNERS = 1 << MOST_CHANNELS;

    // The nodes whose values make the colour at some device values, and
    // their weights; corners past 2^channels weigh 0.
    struct Cell {
        std::size_t nodes[MOST_CORNERS];
        double weights[MOST_CORNERS];
    };

    explicit DeviceGrid(unsigned points, int channels = MOST_CHANNELS);

    unsigned points() const { return m_points; }
    int channels() const { return m_channels; }
    int corners() const { return 1 << m_channels; }
    std::size_t nodes() const { return m_values.size() / 3; }
    std::size_t nodeIndex(const unsigned index[]) const;
    // The node's index along each channel.
    void indexOf(std::size_t node, unsigned index[]) const;

    std::vector<double>& values() { return m_values; }
    const std::vector<double>& values() const { return m_values; }

    Cell cellOf(const double inks[4]) const;
    void evaluate(const double inks[4], double colour[3]) const;
    // The colour and its derivative by each device value, jacobian[channel][ink].
    void evaluate(const double inks[4], double colour[3], double jacobian[3][4]) const;

private:
    // The cell's first node and the device values' fractions across it.
    std::size_t locate(const double inks[4], double fraction[4]) const;
    template <bool withSlopes>
    void interpolate(const double inks[4], double colour[3], double jacobian[3][4]) const;

    unsigned m_points;
    int m_channels;
    std::size_t m_strides[MOST_CHANNELS] = {}; // nodes from one step along each channel to the next
    std::vector<double> m_values;
};

#endif
