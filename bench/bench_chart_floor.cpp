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
#include <string>
#include <vector>

namespace {

bool planCommands(const ProcessBenchmarkArguments& arguments, ProcessBenchmarkPlan& plan)
{
    const std::string target = arguments.scratch + "/chart.txt";
    plan.files = {target};
    plan.commands.push_back({"chart_floor", {CHART_FLOOR_PATH, arguments.profile}, {}});
    for (const char* count : {"8", "64", "512"})
        plan.commands.push_back({std::string("tintora-chart --patches ") + count,
                                 {TINTORA_CHART_PATH, "--profile", arguments.profile, "--patches", count, "--cgats",
                                  target},
                                 {}});
    return true;
}

void printTimes(const ProcessBenchmarkArguments& arguments, const std::vector<TimedCommand>& commands)
{
    const double floor = median(commands.front().milliseconds);
    double largest = 0;
    std::printf("profile %s, %d runs each, whole processes, medians\n", arguments.profile.c_str(), arguments.runs);
    std::printf("%-28s %10s %8s\n", "program", "ms", "ratio");
    for (const TimedCommand& command : commands) {
        const double ms = median(command.milliseconds);
        largest = std::max(largest, ms / floor);
        std::printf("%-28s %10.2f %7.2fx\n", command.label.c_str(), ms, ms / floor);
    }
    std::printf("largest ratio of chart generation to its floor: %.2fx\n", largest);
}

} // namespace

int main(int argc, char** argv)
{
    return runProcessBenchmark(argc, argv, "bench_chart_floor", 31, planCommands, printTimes);
}
