#include "ChartGrid.h"

#include "ChartConversions.h"
#include "ChartCull.h"
#include "ChartPointPrediction.h"

#include <KxCMS.h>
#include <KxFile.h>
#include <KxList.h>

#include <array>
#include <cstdio>

unsigned char ChartGrid::levelValue(int index, int levels)
{
    const double step = 255.0 / (levels - 1);
    return static_cast<unsigned char>(index * step + 0.5);
}

namespace {

// What the culls do not need: the relative Lab and the display colour.
// Filled only for the records that are kept.
void completeRecords(KxChartPoint* first, const KxCMS* profile, const KxCMS* monitor)
{
    for (KxChartPoint* point = first; point; point = point->next)
        ChartPointPrediction::fillRelativeAndDisplay(*point, profile, monitor);
}

// Turns the level indices on like an odometer, the last channel fastest;
// false once every combination has been seen.
bool nextLevels(std::array<int, 4>& index, int channels, int levels)
{
    for (int channel = channels - 1; channel >= 0; --channel) {
        if (++index[channel] < levels)
            return true;
        index[channel] = 0;
    }
    return false;
}

} // namespace

int ChartGrid::appendGrid(KxChartPoint** points, const KxCMS* profile, const ChartProgress& progress)
{
    const ChartDevice device = ChartConversions::deviceOf(profile);
    const int channels = ChartDevices::channels(device);
    const int levels = device == ChartDevice::Rgb ? RGB_LEVELS : LEVELS;
    std::array<int, 4> index{};
    do {
        std::array<unsigned char, 4> amounts{};
        for (int channel = 0; channel < channels; ++channel)
            amounts[channel] = levelValue(index[channel], levels);
        if (amounts != std::array<unsigned char, 4>{}) { // paper white is left out
            auto* point = static_cast<KxChartPoint*>(Kx_DIAGNOSTIC_calloc(1, sizeof(KxChartPoint)));
            if (!point) {
                std::fputs("Cannot allocate memory\n", stderr);
                FreeList(points);
                return -1;
            }
            point->kind = KX_CHART_POINT_KIND;
            point->setColorantAmounts(device, amounts);
            AddList(points, point);
        }
    } while (nextLevels(index, channels, levels));
    ChartPointPrediction::fillD50(*points, profile);

    char line[128];
    Kx_snprintf(line, sizeof line, "all done: %d patches created %d skipped\n",
                static_cast<int>(ListLength(*points)), 0);
    progress(line);
    return 0;
}

int ChartGrid::build(KxChartPoint** points, const KxCMS* profile, const KxCMS* monitor,
                     const ChartProgress& progress)
{
    if (appendGrid(points, profile, progress) != 0)
        return -1;
    completeRecords(*points, profile, monitor);
    return 0;
}

int ChartGrid::generate(KxChartPoint** points, const KxCMS* profile, const KxCMS* monitor,
                        unsigned long count, const ChartProgress& progress)
{
    if (generateForFiles(points, profile, count, progress) != 0)
        return -1;
    completeRecords(*points, profile, monitor);
    return 0;
}

int ChartGrid::generateForFiles(KxChartPoint** points, const KxCMS* profile, unsigned long count,
                                const ChartProgress& progress)
{
    if (appendGrid(points, profile, progress) != 0)
        return -1;
    ChartCull::cullToCount(points, count, progress);
    return 0;
}
