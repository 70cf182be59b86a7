#include "ChartControls.h"

#include "ChartConversions.h"
#include "ChartInk.h"
#include "ChartPointPrediction.h"

#include <KxCMS.h>
#include <KxList.h>

#include <cstdio>
#include <iterator>
#include <memory>
#include <vector>

namespace {

struct Control {
    const char* name;
    double c, m, y, k; // ink in percent
};

struct RgbControl {
    const char* name;
    unsigned char r, g, b; // sent to the driver
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

const RgbControl RGB_CONTROLS[] = {
    {ChartControls::PAPER_NAME, 255, 255, 255},
    {ChartControls::RGB_SOLID_NAMES[0], 255, 0, 0},
    {ChartControls::RGB_SOLID_NAMES[1], 0, 255, 0},
    {ChartControls::RGB_SOLID_NAMES[2], 0, 0, 255},
    {ChartControls::RGB_SOLID_NAMES[3], 0, 255, 255},
    {ChartControls::RGB_SOLID_NAMES[4], 255, 0, 255},
    {ChartControls::RGB_SOLID_NAMES[5], 255, 255, 0},
    {"Grey 204", 204, 204, 204},
    {"Grey 153", 153, 153, 153},
    {"Grey 102", 102, 102, 102},
    {"Grey 51", 51, 51, 51},
    {"Black", 0, 0, 0},
};

struct RecordRelease {
    void operator()(KxChartPoint* point) const { Kx_DIAGNOSTIC_free(point); }
};
using Record = std::unique_ptr<KxChartPoint, RecordRelease>;

} // namespace

int ChartControls::append(KxChartPoint** points, const KxCMS* profile, const KxCMS* monitor)
{
    const bool rgb = ChartConversions::deviceOf(profile) == ChartDevice::Rgb;
    const std::size_t count = rgb ? std::size(RGB_CONTROLS) : std::size(CONTROLS);
    // Every record is made before any is listed, so running out of memory
    // leaves the chart as it was.
    std::vector<Record> records;
    for (std::size_t i = 0; i < count; ++i) {
        Record point(static_cast<KxChartPoint*>(Kx_DIAGNOSTIC_calloc(1, sizeof(KxChartPoint))));
        if (!point) {
            std::fputs("Cannot allocate memory\n", stderr);
            return -1;
        }
        point->kind = KX_CHART_POINT_KIND;
        if (rgb) {
            const RgbControl& control = RGB_CONTROLS[i];
            point->controlName = control.name;
            point->device = ChartDevice::Rgb;
            point->deviceRgb[0] = control.r;
            point->deviceRgb[1] = control.g;
            point->deviceRgb[2] = control.b;
        } else {
            const Control& control = CONTROLS[i];
            point->controlName = control.name;
            point->setInkBytes(ChartInk::byteOf(control.c), ChartInk::byteOf(control.m), ChartInk::byteOf(control.y),
                               ChartInk::byteOf(control.k));
        }
        ChartPointPrediction::fill(*point, profile, monitor);
        records.push_back(std::move(point));
    }
    for (Record& record : records)
        AddList(points, record.release());
    return 0;
}
