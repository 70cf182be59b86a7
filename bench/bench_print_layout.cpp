// The print layout's PDF pages, as whole processes: `tintora-chart --pdf`
// for a 512-patch chart from a profile, and for a 1617-patch chart (the size
// of the largest standard printer target) read from a CGATS swatch file of
// 1617 CMYK sets that the benchmark writes itself, each on A4 and Letter.
// Each process is timed from its start to its end; the median and the
// slowest run are printed beside the budget of 300 ms a process.
// Usage: bench_print_layout [--runs N] [profile.icc]

#include "ProcessTiming.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr double BUDGET_MS = 300;
constexpr int TARGET_PATCHES = 1617;

} // namespace

int main(int argc, char** argv)
{
    ProcessBenchmarkArguments arguments;
    if (!readProcessBenchmarkArguments(argc, argv, "bench_print_layout", 21, arguments))
        return 2;
    const auto& [runs, profile, scratch] = arguments;
    const std::string swatches = scratch + "/target.txt";
    const std::string pdf = scratch + "/chart.pdf";
    if (!writeSwatchFile(swatches, TARGET_PATCHES, "bench_print_layout")) {
        std::perror("bench_print_layout: swatch file");
        return 1;
    }

    std::vector<TimedCommand> commands;
    for (const char* paper : {"A4", "Letter"}) {
        commands.push_back({std::string("512 patches, ") + paper,
                            {TINTORA_CHART_PATH, "--profile", profile, "--patches", "512", "--pdf", pdf, "--paper",
                             paper},
                            {}});
        commands.push_back({std::to_string(TARGET_PATCHES) + " swatches, " + paper,
                            {TINTORA_CHART_PATH, "--profile", profile, "--swatches", swatches, "--pdf", pdf,
                             "--paper", paper},
                            {}});
    }

    // Every command once before timing, so that all start from a warm cache.
    bool ran = true;
    for (TimedCommand& command : commands)
        ran = ran && timeOnce(command, "bench_print_layout");
    for (TimedCommand& command : commands)
        command.milliseconds.clear();
    for (int run = 0; ran && run < runs; ++run)
        for (TimedCommand& command : commands)
            ran = ran && timeOnce(command, "bench_print_layout");
    std::remove(pdf.c_str());
    std::remove(swatches.c_str());
    rmdir(scratch.c_str());
    if (!ran)
        return 1;

    std::printf("profile %s, %d runs each, whole processes writing the PDF pages\n", profile.c_str(), runs);
    std::printf("%-24s %10s %10s %10s\n", "chart", "median ms", "max ms", "budget ms");
    for (const TimedCommand& command : commands)
        std::printf("%-24s %10.2f %10.2f %10.0f\n", command.label.c_str(), median(command.milliseconds),
                    *std::max_element(command.milliseconds.begin(), command.milliseconds.end()), BUDGET_MS);
    return 0;
}
