#include "ChartGrid.h"

#include "ChartCull.h"

#include <KxCMS.h>
#include <KxFile.h>
#include <KxList.h>

#include <cstdio>

unsigned char ChartGrid::levelValue(int index)
{
    constexpr double LEVEL_STEP = 255.0 / 8.0;
    return static_cast<unsigned char>(index * LEVEL_STEP + 0.5);
}

int ChartGrid::build(KxChartPoint** points, const KxCMS* profile, const KxCMS* monitor,
                     const ChartProgress& progress)
{
    for (int c = 0; c < LEVELS; ++c)
        for (int m = 0; m < LEVELS; ++m)
            for (int y = 0; y < LEVELS; ++y)
                for (int k = 0; k < LEVELS; ++k) {
                    const unsigned char kcmy[4] = {levelValue(k), levelValue(c), levelValue(m), levelValue(y)};
                    if (!kcmy[0] && !kcmy[1] && !kcmy[2] && !kcmy[3])
                        continue; // paper white
                    double relative[3];
                    KxCMSCMYKToLabRelative(profile, kcmy, &relative[0], &relative[1], &relative[2]);
                    auto* point = static_cast<KxChartPoint*>(Kx_DIAGNOSTIC_calloc(1, sizeof(KxChartPoint)));
                    if (!point) {
                        std::fputs("Cannot allocate memory\n", stderr);
                        FreeList(points);
                        return -1;
                    }
                    point->kind = KX_CHART_POINT_KIND;
                    for (int i = 0; i < 3; ++i)
                        point->labRelative[i] = relative[i];
                    for (int i = 0; i < 4; ++i)
                        point->cmyk[i] = kcmy[i];
                    KxCMSCMYKToLab(profile, point->cmyk, &point->labD50[0], &point->labD50[1], &point->labD50[2]);
                    KxCMSLabToRGB(monitor, point->labD50[0], point->labD50[1], point->labD50[2], point->rgb);
                    AddList(points, point);
                }

    char line[128];
    Kx_snprintf(line, sizeof line, "all done: %d patches created %d skipped\n",
                static_cast<int>(ListLength(*points)), 0);
    progress(line);
    return 0;
}

int ChartGrid::generate(KxChartPoint** points, const KxCMS* profile, const KxCMS* monitor,
                        unsigned long count, const ChartProgress& progress)
{
    if (build(points, profile, monitor, progress) != 0)
        return -1;
    ChartCull::cullToCount(points, count, progress);
    return 0;
}
