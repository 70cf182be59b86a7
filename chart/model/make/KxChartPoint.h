#ifndef KXCHARTPOINT_H
#define KXCHARTPOINT_H

#include "ChartDevice.h"
#include "ChartInk.h"

#include <array>
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
    // Beside the fields above, for printers driven through RGB: the device
    // the patch is printed on and, for Rgb, the R, G, B bytes sent to the
    // printer's driver (0..255; cmyk then stays zero). Zero-filled records
    // are CMYK patches, as every record was before RGB printers.
    ChartDevice device;
    unsigned char deviceRgb[3];

    // The ink in the order C, M, Y, K, as bytes 0..255 and in percent; the
    // record keeps K, C, M, Y, the pixel order of the engine's CMYK calls.
    std::array<unsigned char, 4> inkBytes() const { return {cmyk[1], cmyk[2], cmyk[3], cmyk[0]}; }
    std::array<double, 4> inkPercent() const
    {
        const std::array<unsigned char, 4> bytes = inkBytes();
        return {ChartInk::percent(bytes[0]), ChartInk::percent(bytes[1]), ChartInk::percent(bytes[2]),
                ChartInk::percent(bytes[3])};
    }
    void setInkBytes(unsigned char c, unsigned char m, unsigned char y, unsigned char k)
    {
        cmyk[0] = k;
        cmyk[1] = c;
        cmyk[2] = m;
        cmyk[3] = y;
    }

    // The colorants in the device's channel order (C, M, Y, K or R, G, B;
    // a fourth 0 for RGB) as amounts 0..255, where 0 puts nothing on the
    // paper: the ink bytes, or 255 less each byte sent to an RGB driver.
    std::array<unsigned char, 4> colorantAmounts() const
    {
        if (device != ChartDevice::Rgb)
            return inkBytes();
        return {static_cast<unsigned char>(255 - deviceRgb[0]), static_cast<unsigned char>(255 - deviceRgb[1]),
                static_cast<unsigned char>(255 - deviceRgb[2]), 0};
    }
    void setColorantAmounts(ChartDevice printedOn, const std::array<unsigned char, 4>& amounts)
    {
        device = printedOn;
        if (printedOn != ChartDevice::Rgb) {
            setInkBytes(amounts[0], amounts[1], amounts[2], amounts[3]);
            return;
        }
        for (int i = 0; i < 3; ++i)
            deviceRgb[i] = static_cast<unsigned char>(255 - amounts[i]);
    }
    // Paper white: no colorant at all.
    bool isPaper() const { return colorantAmounts() == std::array<unsigned char, 4>{}; }
    // The device values as the files give them, in percent of 255: the ink
    // C, M, Y, K, or the R, G, B sent to the driver (a fourth 0).
    std::array<double, 4> devicePercent() const
    {
        if (device != ChartDevice::Rgb)
            return inkPercent();
        return {ChartInk::percent(deviceRgb[0]), ChartInk::percent(deviceRgb[1]), ChartInk::percent(deviceRgb[2]), 0};
    }
};

// Every generator writes this into `kind`.
constexpr std::int32_t KX_CHART_POINT_KIND = 2;

#endif
