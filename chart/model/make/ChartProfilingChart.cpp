#include "ChartProfilingChart.h"

#include "ChartPointPrediction.h"

#include <KxCMS.h>
#include <KxList.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

struct RecordRelease {
    void operator()(KxChartPoint* point) const { Kx_DIAGNOSTIC_free(point); }
};
using Record = std::unique_ptr<KxChartPoint, RecordRelease>;

} // namespace

int ChartProfilingChart::generate(KxChartPoint** points, const KxCMS* profile, const KxCMS* monitor, int count,
                                  double inkLimit)
{
    // Relative Lab, so that the neutral axis runs from the paper to black.
    const auto labOf = [profile](const ChartProfilingSampler::Amounts& inks) {
        const unsigned char kcmy[4] = {inks[3], inks[0], inks[1], inks[2]};
        std::array<double, 3> lab{};
        KxCMSCMYKToLabRelative(profile, kcmy, &lab[0], &lab[1], &lab[2]);
        return lab;
    };
    // Every record is made before any is listed, so running out of memory
    // leaves the list empty.
    std::vector<Record> records;
    for (const ChartProfilingSampler::Amounts& inks : ChartProfilingSampler::sample(count, 4, inkLimit, labOf)) {
        Record point(static_cast<KxChartPoint*>(Kx_DIAGNOSTIC_calloc(1, sizeof(KxChartPoint))));
        if (!point) {
            std::fputs("Cannot allocate memory\n", stderr);
            return -1;
        }
        point->kind = KX_CHART_POINT_KIND;
        point->setInkBytes(inks[0], inks[1], inks[2], inks[3]);
        if (inks == ChartProfilingSampler::Amounts{0, 0, 0, 0})
            point->controlName = "Paper";
        ChartPointPrediction::fill(*point, profile, monitor);
        records.push_back(std::move(point));
    }
    for (Record& record : records)
        AddList(points, record.release());
    return 0;
}
