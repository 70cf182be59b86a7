#include "ChartControls.h"

#include "ChartInk.h"
#include "ChartPointPrediction.h"

#include <KxCMS.h>
#include <KxList.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

struct Control {
    const char* name;
    double c, m, y, k; // ink in percent
};

// Patches of the Ugra/FOGRA Media Wedge CMYK V3.0, the control strip that
// ISO 12647-7 proofs are checked with (Argyll ships it as
// ref/FograStrip3.ti1): its paper, solids and overprints, the middle four
// steps of its CMY grey balance ramp (the grey balance of ISO 12647-2) and
// the same steps of its black ramp.
const Control CONTROLS[] = {
    {ChartControls::PAPER_NAME, 0, 0, 0, 0},
    {ChartControls::SOLID_NAMES[0], 100, 0, 0, 0},
    {ChartControls::SOLID_NAMES[1], 0, 100, 0, 0},
    {ChartControls::SOLID_NAMES[2], 0, 0, 100, 0},
    {ChartControls::SOLID_NAMES[3], 0, 0, 0, 100},
    {"C+M 100", 100, 100, 0, 0},
    {"C+Y 100", 100, 0, 100, 0},
    {"M+Y 100", 0, 100, 100, 0},
    {"C+M+Y 100", 100, 100, 100, 0},
    {"CMY grey 20/12/12", 20, 12, 12, 0},
    {"CMY grey 40/27/27", 40, 27, 27, 0},
    {"CMY grey 60/45/45", 60, 45, 45, 0},
    {"CMY grey 80/65/65", 80, 65, 65, 0},
    {"K 20", 0, 0, 0, 20},
    {"K 40", 0, 0, 0, 40},
    {"K 60", 0, 0, 0, 60},
    {"K 80", 0, 0, 0, 80},
};

struct RecordRelease {
    void operator()(KxChartPoint* point) const { Kx_DIAGNOSTIC_free(point); }
};
using Record = std::unique_ptr<KxChartPoint, RecordRelease>;

} // namespace

int ChartControls::append(KxChartPoint** points, const KxCMS* profile, const KxCMS* monitor)
{
    // Every record is made before any is listed, so running out of memory
    // leaves the chart as it was.
    std::vector<Record> records;
    for (const Control& control : CONTROLS) {
        Record point(static_cast<KxChartPoint*>(Kx_DIAGNOSTIC_calloc(1, sizeof(KxChartPoint))));
        if (!point) {
            std::fputs("Cannot allocate memory\n", stderr);
            return -1;
        }
        point->kind = KX_CHART_POINT_KIND;
        point->controlName = control.name;
        point->cmyk[0] = ChartInk::byteOf(control.k);
        point->cmyk[1] = ChartInk::byteOf(control.c);
        point->cmyk[2] = ChartInk::byteOf(control.m);
        point->cmyk[3] = ChartInk::byteOf(control.y);
        ChartPointPrediction::fill(*point, profile, monitor);
        records.push_back(std::move(point));
    }
    for (Record& record : records)
        AddList(points, record.release());
    return 0;
}
