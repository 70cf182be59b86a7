#ifndef KXCHARTPOINT_H
#define KXCHARTPOINT_H

#include <cstdint>

// One patch of a colour check chart: a device colour and the Lab values the
// profile predicts for it. A plain record made zero-filled with
// Kx_DIAGNOSTIC_calloc and held in a list built with the KxList.h calls;
// the list order is the patch order everywhere (screen, panel, exports).
struct KxChartPoint {
    std::uint32_t header[3]; // list bookkeeping, never touched by the chart
    KxChartPoint* last;      // in the first record only: the last record
    KxChartPoint* next;
    KxChartPoint* prev;
    std::int32_t kind;        // 2 for every generated patch
    unsigned char rgb[3];     // display colour R, G, B
    unsigned char cmyk[4];    // device colour in the order K, C, M, Y, 0..255 for 0..100 % ink
    double labRelative[3];    // relative colorimetric L, a, b
    double labD50[3];         // absolute (D50) L, a, b
    const char* controlName;  // a control patch's name (static text); null for any other patch
};

// Every generator writes this into `kind`.
constexpr std::int32_t KX_CHART_POINT_KIND = 2;

#endif
