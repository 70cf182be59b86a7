// Chart generation against its floor, as whole processes, side by side in
// one run: `tintora-chart --patches N --cgats FILE` for 8, 64 and 512 patches
// (the target file written to a scratch directory) beside
// chart_floor, a plain LittleCMS program that only converts the 6560 grid
// colours to Lab. Each process is timed from its start to its end; the
// programs take turns, and the medians are printed with the ratios, the
// largest ratio last.
// Usage: bench_chart_floor [--runs N] [profile.icc]

#include "ProcessTiming.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

bool timeOnce(TimedCommand& command)
{
    return timeOnce(command, "bench_chart_floor");
}

} // namespace

int main(int argc, char** argv)
{
    ProcessBenchmarkArguments arguments;
    if (!readProcessBenchmarkArguments(argc, argv, "bench_chart_floor", 31, arguments))
        return 2;
    const auto& [runs, profile, scratch] = arguments;
    const std::string target = scratch + "/chart.txt";

    std::vector<TimedCommand> commands;
    commands.push_back({"chart_floor", {CHART_FLOOR_PATH, profile}, {}});
    for (const char* count : {"8", "64", "512"})
        commands.push_back({std::string("tintora-chart --patches ") + count,
                            {TINTORA_CHART_PATH, "--profile", profile, "--patches", count, "--cgats", target}, {}});

    // Every program once before timing, so that all start from a warm cache.
    bool ran = true;
    for (TimedCommand& command : commands)
        ran = ran && timeOnce(command);
    for (TimedCommand& command : commands)
        command.milliseconds.clear();
    for (int run = 0; ran && run < runs; ++run)
        for (TimedCommand& command : commands)
            ran = ran && timeOnce(command);
    std::remove(target.c_str());
    rmdir(scratch.c_str());
    if (!ran)
        return 1;

    const double floor = median(commands.front().milliseconds);
    double largest = 0;
    std::printf("profile %s, %d runs each, whole processes, medians\n", profile.c_str(), runs);
    std::printf("%-28s %10s %8s\n", "program", "ms", "ratio");
    for (const TimedCommand& command : commands) {
        const double ms = median(command.milliseconds);
        largest = std::max(largest, ms / floor);
        std::printf("%-28s %10.2f %7.2fx\n", command.label.c_str(), ms, ms / floor);
    }
    std::printf("largest ratio of chart generation to its floor: %.2fx\n", largest);
    return 0;
}
