// Times chart generation from a CMYK profile for 8, 64 and 512 patches:
// the grid plus the indexed culls, against the grid plus the plain
// all-pairs reference, side by side in one run, and prints the ratios.
// Usage: bench_chart [profile.icc]

#include "ChartConversions.h"
#include "ChartCull.h"
#include "ChartGrid.h"
#include "KxChartPointList.h"
#include "ReferenceCull.h"

#include <KxSupport.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;

struct Timing {
    double grid = 0; // seconds building the 6560 records
    double cull = 0; // seconds culling them
};

template <class Cull>
Timing timeGeneration(const ChartConversions& conversions, unsigned long count, Cull cull)
{
    const ChartProgress quiet = [](const char*) {};
    KxChartPointList chart;
    const auto start = Clock::now();
    ChartGrid::build(&chart.first, conversions.profile(), conversions.monitor(), quiet);
    const auto built = Clock::now();
    cull(&chart.first, count, quiet);
    const auto culled = Clock::now();
    return {std::chrono::duration<double>(built - start).count(), std::chrono::duration<double>(culled - built).count()};
}

template <class Cull>
Timing best(const ChartConversions& conversions, unsigned long count, Cull cull, int runs)
{
    Timing result{1e9, 1e9};
    for (int i = 0; i < runs; ++i) {
        const Timing t = timeGeneration(conversions, count, cull);
        result.grid = std::min(result.grid, t.grid);
        result.cull = std::min(result.cull, t.cull);
    }
    return result;
}

} // namespace

int main(int argc, char** argv)
{
    const char* profile = argc > 1 ? argv[1] : "/usr/share/color/icc/ghostscript/default_cmyk.icc";
    Kx_InitSubSystems(0);
    KxInitGlobals();
    KxInitStorageClasses();
    ChartConversions conversions;
    if (!conversions.openForGeneration(profile, nullptr)) {
        std::fprintf(stderr, "bench_chart: cannot chart %s\n", profile);
        return 1;
    }
    std::printf("profile %s\n", profile);
    std::printf("%8s %12s %12s %12s %14s %14s\n", "patches", "grid ms", "plain ms", "indexed ms", "cull ratio",
                "total ratio");
    for (unsigned long count : {8UL, 64UL, 512UL}) {
        const Timing plain = best(conversions, count, ReferenceCull::cullToCount, 1);
        const Timing fast = best(conversions, count, ChartCull::cullToCount, 5);
        std::printf("%8lu %12.2f %12.2f %12.2f %13.1fx %13.1fx\n", count, fast.grid * 1e3,
                    (plain.grid + plain.cull) * 1e3, (fast.grid + fast.cull) * 1e3, plain.cull / fast.cull,
                    (plain.grid + plain.cull) / (fast.grid + fast.cull));
    }
    return 0;
}
