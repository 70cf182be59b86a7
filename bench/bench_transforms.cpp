// Cost of the conversion tool's transforms: creating the three transforms of
// a refresh, the first conversions after it, and one slider step.
// Prints medians in milliseconds.

#include "KxCmsIcc.h"
#include "KxCmsTransformCache.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

const char* const Input = "/usr/share/color/icc/ghostscript/default_cmyk.icc";
const char* const Output = "/usr/share/color/icc/sRGB.icc";
const char* const OtherMonitor = "/usr/share/color/icc/compatibleWithAdobeRGB1998.icc";

double medianMilliseconds(int runs, const std::function<void()>& prepare, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        prepare();
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

struct Tool
{
    KxCmsIcc output, monitor, lab;

    void setAccuracy(long accuracy)
    {
        for (KxCmsIcc* t : {&output, &monitor, &lab})
            t->setinterpolationAccuracy(accuracy);
    }
    // As the tool's refresh builds them.
    void createAll(const char* monitorPath)
    {
        output.close();
        lab.close();
        monitor.close();
        if (!monitor.create(Input, monitorPath) || !output.create(Input, Output) || !lab.create(Input, Input)) {
            std::fprintf(stderr, "bench_transforms: cannot open the profiles\n");
            std::exit(1);
        }
    }
    // What a refresh and a slider step convert with CMYK input and RGB output.
    void step(unsigned long c)
    {
        unsigned long r, g, b;
        double L, a, bb;
        output.cmyk2rgb(c, 40, 60, 10, r, g, b);
        lab.cmyk2lab(c, 40, 60, 10, L, a, bb);
        output.cmyk2lab(c, 40, 60, 10, L, a, bb);
        monitor.cmyk2rgb(c, 40, 60, 10, r, g, b);
    }
};

void clearCache()
{
    KxCmsTransformCache::instance().clear();
}

void report(const char* what, double milliseconds)
{
    std::printf("%-72s %9.3f ms\n", what, milliseconds);
}

} // namespace

int main()
{
    Tool tool;
    const auto none = [] {};
    std::printf("default_cmyk.icc to sRGB.icc, medians\n");

    for (long accuracy : {0L, 1L}) {
        tool.setAccuracy(accuracy);
        const int runs = accuracy == 0 ? 41 : 11;
        std::printf("accuracy %ld\n", accuracy);
        report("  three create() of a refresh, nothing cached",
               medianMilliseconds(runs, clearCache, [&] { tool.createAll(Output); }));
        report("  refresh with its first conversions, nothing cached (monitor sRGB)",
               medianMilliseconds(runs, clearCache, [&] { tool.createAll(Output); tool.step(20); }));
        report("  refresh with its first conversions, nothing cached (monitor Adobe RGB)",
               medianMilliseconds(runs, clearCache, [&] { tool.createAll(OtherMonitor); tool.step(20); }));
        report("  three create() of a refresh, same settings as the last refresh",
               medianMilliseconds(runs * 5, none, [&] { tool.createAll(Output); }));
        report("  refresh with its first conversions, same settings as the last refresh",
               medianMilliseconds(runs * 5, none, [&] { tool.createAll(Output); tool.step(20); }));
        tool.createAll(Output);
        tool.step(0);
        unsigned long c = 0;
        report("  one slider step (cmyk2rgb, cmyk2lab, monitor cmyk2rgb and updateLabOut)",
               medianMilliseconds(2001, none, [&] { tool.step(c++ % 101); }));
    }
    return 0;
}
