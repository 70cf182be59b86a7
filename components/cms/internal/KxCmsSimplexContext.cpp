#include "KxCmsSimplexContext.h"

#include "KxCmsLog.h"

#include <lcms2_plugin.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr int INPUT_CHANNELS = 3;
// The plug-in's ExpectedVersion: the oldest LittleCMS it works with, 2.0
// (major times 1000 plus minor times 10), whose interpolation plug-in
// interface it uses. LittleCMS refuses a plug-in that expects a later
// version than itself.
constexpr cmsUInt32Number PLUGIN_LITTLECMS_VERSION = 2000;

void interpolateOnSimplex(const cmsUInt16Number input[], cmsUInt16Number output[], const cmsInterpParams* params)
{
    double fraction[INPUT_CHANNELS];
    int step[INPUT_CHANNELS];
    int base = 0;
    for (int i = 0; i < INPUT_CHANNELS; ++i) {
        const int domain = int(params->Domain[i]);
        const double at = input[i] * double(domain) / 65535.0;
        // The last cell takes the top grid point, at a fraction of 1.
        const int cell = std::clamp(int(std::floor(at)), 0, std::max(domain - 1, 0));
        fraction[i] = at - cell;
        // LittleCMS strides its first input the most; an axis of a single
        // grid point (which LittleCMS refuses to build) is never stepped off.
        step[i] = domain > 0 ? int(params->opta[INPUT_CHANNELS - 1 - i]) : 0;
        base += cell * step[i];
    }
    int order[INPUT_CHANNELS] = {0, 1, 2};
    std::sort(order, order + INPUT_CHANNELS, [&](int a, int b) { return fraction[a] > fraction[b]; });
    const int corner1 = base + step[order[0]];
    const int corner2 = corner1 + step[order[1]];
    const int corner3 = corner2 + step[order[2]];
    const double weight0 = 1.0 - fraction[order[0]];
    const double weight1 = fraction[order[0]] - fraction[order[1]];
    const double weight2 = fraction[order[1]] - fraction[order[2]];
    const double weight3 = fraction[order[2]];
    const auto* table = static_cast<const cmsUInt16Number*>(params->Table);
    for (cmsUInt32Number o = 0; o < params->nOutputs; ++o) {
        const double value = weight0 * table[base + o] + weight1 * table[corner1 + o] + weight2 * table[corner2 + o]
            + weight3 * table[corner3 + o];
        output[o] = cmsUInt16Number(std::clamp(std::lround(value), 0L, 65535L));
    }
}

cmsInterpFunction simplexForLabTables(cmsUInt32Number inputs, cmsUInt32Number, cmsUInt32Number flags)
{
    cmsInterpFunction interpolation = {};
    if (inputs == INPUT_CHANNELS && (flags & CMS_LERP_FLAGS_TRILINEAR) && !(flags & CMS_LERP_FLAGS_FLOAT))
        interpolation.Lerp16 = interpolateOnSimplex;
    return interpolation;
}

} // namespace

cmsContext KxCmsSimplexContext::get()
{
    static cmsPluginInterpolation plugin = {
        {cmsPluginMagicNumber, PLUGIN_LITTLECMS_VERSION, cmsPluginInterpolationSig, nullptr}, simplexForLabTables};
    static const cmsContext context = [] {
        const cmsContext created = cmsCreateContext(&plugin, nullptr);
        if (created)
            KxCmsLog::installIn(created);
        return created;
    }();
    return context;
}
