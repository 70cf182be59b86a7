#ifndef CHARTGRID_H
#define CHARTGRID_H

#include "ChartProgress.h"
#include "KxChartPoint.h"

struct KxCMS;

// The full grid of a printer profile's gamut, every combination of evenly
// spaced colorant levels but paper white, culled down to a requested patch
// count. The profile's data colour space is the device: nine levels per ink
// for CMYK; for an RGB printer seventeen per channel, a grid about as fine
// in the colours it makes and larger than the most patches a chart takes.
class ChartGrid
{
public:
    static constexpr int LEVELS = 9;
    static constexpr int RGB_LEVELS = 17;
    static constexpr unsigned long GRID_SIZE = 6560; // 9^4 less paper white; RGB's 17^3 less it is 4912

    // Colorant amount of level index of levels: index * 255 / (levels - 1),
    // rounded; with 9 levels 0, 32, 64, 96, 128, 159, 191, 223, 255.
    static unsigned char levelValue(int index, int levels = LEVELS);

    // Appends the grid to the empty list *points in the order C, M, Y, K
    // (K varying fastest), or R, G, B by the amount of each colorant (255
    // less the driver's value, B varying fastest), then writes the "all
    // done" line. On running out
    // of memory it writes "Cannot allocate memory" to standard error,
    // releases the records made so far (so the list stays empty) and
    // returns -1; otherwise 0. monitor may be null.
    static int build(KxChartPoint** points, const KxCMS* profile, const KxCMS* monitor,
                     const ChartProgress& progress);

    // The grid culled down to count patches: the same records as build()
    // followed by the culls, with the relative Lab and the display colour
    // worked out only for the records kept.
    static int generate(KxChartPoint** points, const KxCMS* profile, const KxCMS* monitor,
                        unsigned long count, const ChartProgress& progress);

    // generate() without the relative Lab and the display colour, which no
    // file written from a chart holds: the same records, lines and order.
    static int generateForFiles(KxChartPoint** points, const KxCMS* profile, unsigned long count,
                                const ChartProgress& progress);

private:
    // build() without the relative Lab and the display colour.
    static int appendGrid(KxChartPoint** points, const KxCMS* profile, const ChartProgress& progress);
};

#endif
