#include "ChartProfilingChart.h"

#include "ChartControls.h"
#include "ChartConversions.h"
#include "ChartDeviceModel.h"
#include "ChartPointPrediction.h"

#include <KxCMS.h>
#include <KxList.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

struct RecordRelease {
    void operator()(KxChartPoint* point) const { Kx_DIAGNOSTIC_free(point); }
};
using Record = std::unique_ptr<KxChartPoint, RecordRelease>;
using Amounts = ChartProfilingSampler::Amounts;
// Fills a record's Lab and display colour from its ink amounts.
using Prediction = std::function<void(KxChartPoint&, const Amounts&)>;

// Samples the chart of the device by labOf and appends its records, each
// predicted by predict.
int build(KxChartPoint** points, ChartDevice device, int count, double inkLimit,
          const ChartProfilingSampler::LabOfAmounts& labOf, ChartProfilingSampler::Spread spread,
          const Prediction& predict)
{
    // Every record is made before any is listed, so running out of memory
    // leaves the list empty.
    std::vector<Record> records;
    for (const Amounts& amounts :
         ChartProfilingSampler::sample(count, ChartDevices::channels(device), inkLimit, labOf, spread)) {
        Record point(static_cast<KxChartPoint*>(Kx_DIAGNOSTIC_calloc(1, sizeof(KxChartPoint))));
        if (!point) {
            std::fputs("Cannot allocate memory\n", stderr);
            return -1;
        }
        point->kind = KX_CHART_POINT_KIND;
        point->setColorantAmounts(device, amounts);
        if (point->isPaper())
            point->controlName = ChartControls::PAPER_NAME;
        predict(*point, amounts);
        records.push_back(std::move(point));
    }
    for (Record& record : records)
        AddList(points, record.release());
    return 0;
}

} // namespace

int ChartProfilingChart::generate(KxChartPoint** points, const KxCMS* profile, const KxCMS* monitor, int count,
                                  double inkLimit)
{
    const ChartDevice device = ChartConversions::deviceOf(profile);
    // Relative Lab, so that the neutral axis runs from the paper to black.
    const auto labOf = [profile, device](const Amounts& amounts) {
        KxChartPoint point{};
        point.setColorantAmounts(device, amounts);
        ChartPointPrediction::fillRelative(point, profile);
        return std::array<double, 3>{point.labRelative[0], point.labRelative[1], point.labRelative[2]};
    };
    return build(points, device, count, inkLimit, labOf, ChartProfilingSampler::Spread::ColorantAndLab,
                 [profile, monitor](KxChartPoint& point, const Amounts&) {
                     ChartPointPrediction::fill(point, profile, monitor);
                 });
}

int ChartProfilingChart::generateWithoutProfile(KxChartPoint** points, ChartDevice device, const KxCMS* monitor,
                                                int count, double inkLimit)
{
    const ChartDeviceModel model(device);
    const auto labOf = [&model](const Amounts& inks) { return model.lab(inks); };
    const auto predict = [&model, monitor](KxChartPoint& point, const Amounts& inks) {
        const std::array<double, 3> lab = model.lab(inks);
        std::copy(lab.begin(), lab.end(), point.labD50);
        std::copy(lab.begin(), lab.end(), point.labRelative);
        KxCMSLabToRGB(monitor, lab[0], lab[1], lab[2], point.rgb);
    };
    return build(points, device, count, inkLimit, labOf, ChartProfilingSampler::Spread::Colorant, predict);
}
