#include "ChartGrid.h"

#include "ChartCull.h"

#include <KxCMS.h>
#include <KxFile.h>
#include <KxList.h>

#include <algorithm>
#include <cstdio>

unsigned char ChartGrid::levelValue(int index)
{
    constexpr double LEVEL_STEP = 255.0 / 8.0;
    return static_cast<unsigned char>(index * LEVEL_STEP + 0.5);
}

namespace {

// What the culls do not need: the relative Lab and the display colour.
// Filled only for the records that are kept.
void completeRecords(KxChartPoint* first, const KxCMS* profile, const KxCMS* monitor)
{
    for (KxChartPoint* point = first; point; point = point->next) {
        KxCMSCMYKToLabRelative(profile, point->cmyk, &point->labRelative[0], &point->labRelative[1],
                               &point->labRelative[2]);
        KxCMSLabToRGB(monitor, point->labD50[0], point->labD50[1], point->labD50[2], point->rgb);
    }
}

// The D50 Lab of every record, converted a batch of records at a time.
void convertToLab(KxChartPoint* first, const KxCMS* profile)
{
    constexpr unsigned long BATCH = 256;
    KxChartPoint* batch[BATCH];
    unsigned char kcmy[BATCH * 4];
    double labs[BATCH * 3];
    for (KxChartPoint* point = first; point;) {
        unsigned long size = 0;
        for (; point && size < BATCH; point = point->next, ++size) {
            batch[size] = point;
            std::copy_n(point->cmyk, 4, kcmy + size * 4);
            std::copy_n(point->labD50, 3, labs + size * 3);
        }
        KxCMSCMYKToLabPixels(profile, kcmy, size, labs);
        for (unsigned long i = 0; i < size; ++i)
            std::copy_n(labs + i * 3, 3, batch[i]->labD50);
    }
}

} // namespace

int ChartGrid::appendGrid(KxChartPoint** points, const KxCMS* profile, const ChartProgress& progress)
{
    for (int c = 0; c < LEVELS; ++c)
        for (int m = 0; m < LEVELS; ++m)
            for (int y = 0; y < LEVELS; ++y)
                for (int k = 0; k < LEVELS; ++k) {
                    if (!c && !m && !y && !k)
                        continue; // paper white
                    auto* point = static_cast<KxChartPoint*>(Kx_DIAGNOSTIC_calloc(1, sizeof(KxChartPoint)));
                    if (!point) {
                        std::fputs("Cannot allocate memory\n", stderr);
                        FreeList(points);
                        return -1;
                    }
                    point->kind = KX_CHART_POINT_KIND;
                    point->setInkBytes(levelValue(c), levelValue(m), levelValue(y), levelValue(k));
                    AddList(points, point);
                }
    convertToLab(*points, profile);

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
