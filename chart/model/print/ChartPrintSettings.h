#ifndef CHARTPRINTSETTINGS_H
#define CHARTPRINTSETTINGS_H

#include "ChartPaper.h"

// What the user chooses for the printed chart: the paper, the side of the
// square patches, the gap between them and the margin around the page, all
// in millimetres.
struct ChartPrintSettings {
    // 10 mm is the least a hand-held instrument's aperture reads reliably.
    static constexpr double DEFAULT_PATCH_MM = 10;
    static constexpr double MINIMUM_PATCH_MM = 5;
    static constexpr double MAXIMUM_PATCH_MM = 100;
    static constexpr double DEFAULT_GAP_MM = 2;
    static constexpr double MAXIMUM_GAP_MM = 20;
    static constexpr double DEFAULT_MARGIN_MM = 10;
    static constexpr double MAXIMUM_MARGIN_MM = 50;

    ChartPaper paper = ChartPaper::localeDefault();
    double patchMm = DEFAULT_PATCH_MM;
    double gapMm = DEFAULT_GAP_MM;
    double marginMm = DEFAULT_MARGIN_MM;
};

#endif
