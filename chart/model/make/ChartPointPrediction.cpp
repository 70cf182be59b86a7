#include "ChartPointPrediction.h"

#include <KxCMS.h>

#include <algorithm>

void ChartPointPrediction::fill(KxChartPoint& point, const KxCMS* profile, const KxCMS* monitor)
{
    double* lab = point.labD50;
    if (point.device == ChartDevice::Rgb)
        KxCMSRGBToLab(profile, point.deviceRgb, &lab[0], &lab[1], &lab[2]);
    else
        KxCMSCMYKToLab(profile, point.cmyk, &lab[0], &lab[1], &lab[2]);
    fillRelativeAndDisplay(point, profile, monitor);
}

void ChartPointPrediction::fillRelative(KxChartPoint& point, const KxCMS* profile)
{
    double* lab = point.labRelative;
    if (point.device == ChartDevice::Rgb)
        KxCMSRGBToLabRelative(profile, point.deviceRgb, &lab[0], &lab[1], &lab[2]);
    else
        KxCMSCMYKToLabRelative(profile, point.cmyk, &lab[0], &lab[1], &lab[2]);
}

void ChartPointPrediction::fillRelativeAndDisplay(KxChartPoint& point, const KxCMS* profile, const KxCMS* monitor)
{
    fillRelative(point, profile);
    KxCMSLabToRGB(monitor, point.labD50[0], point.labD50[1], point.labD50[2], point.rgb);
}

void ChartPointPrediction::fillD50(KxChartPoint* first, const KxCMS* profile)
{
    constexpr unsigned long BATCH = 256;
    KxChartPoint* batch[BATCH];
    unsigned char pixels[BATCH * 4];
    double labs[BATCH * 3];
    for (KxChartPoint* point = first; point;) {
        const bool rgb = point->device == ChartDevice::Rgb; // one device for the whole chart
        const unsigned long pixelBytes = rgb ? 3 : 4;
        unsigned long size = 0;
        for (; point && size < BATCH; point = point->next, ++size) {
            batch[size] = point;
            std::copy_n(rgb ? point->deviceRgb : point->cmyk, pixelBytes, pixels + size * pixelBytes);
            std::copy_n(point->labD50, 3, labs + size * 3);
        }
        if (rgb)
            KxCMSRGBToLabPixels(profile, pixels, size, labs);
        else
            KxCMSCMYKToLabPixels(profile, pixels, size, labs);
        for (unsigned long i = 0; i < size; ++i)
            std::copy_n(labs + i * 3, 3, batch[i]->labD50);
    }
}
