#ifndef CHARTCONTROLS_H
#define CHARTCONTROLS_H

#include "KxChartPoint.h"

struct KxCMS;

// The control patches a printer check looks at first, appended after a
// chart's own patches and named by what they are. For a CMYK printer: paper
// white, the four solids, the two- and three-colour overprints, a CMY grey
// balance ramp and a black ramp. For an RGB printer: paper white (255 255
// 255), the six solids red, green, blue, cyan, magenta and yellow, and a
// grey ramp down to black (0 0 0).
class ChartControls
{
public:
    // The names the paper and the four solids go by on the chart, in its
    // files and in the verdict on its readings.
    static constexpr const char* PAPER_NAME = "Paper";
    static constexpr const char* SOLID_NAMES[4] = {"C 100", "M 100", "Y 100", "K 100"};
    static constexpr const char* BLACK_SOLID_NAME = SOLID_NAMES[3];
    // The solids of an RGB printer: each channel alone at 255 (red, green,
    // blue) and each pair (cyan, magenta, yellow), the others at 0.
    static constexpr const char* RGB_SOLID_NAMES[6] = {"Red", "Green", "Blue", "Cyan", "Magenta", "Yellow"};

    // Appends the control patches of the profile's device to the list
    // *points, each with its D50 and relative Lab through profile and its
    // display colour through monitor (which may be null). Ink percentages are held as the nearest byte. On
    // running out of memory writes "Cannot allocate memory" to standard error,
    // leaves the list as it was and returns -1; otherwise 0.
    static int append(KxChartPoint** points, const KxCMS* profile, const KxCMS* monitor);
};

#endif
