// The print layout's PDF pages, as whole processes: `tintora-chart --pdf`
// for a 512-patch chart from a profile, and for a 1617-patch chart (the size
// of the largest standard printer target) read from a CGATS swatch file of
// 1617 CMYK sets that the benchmark writes itself, each on A4 and Letter.
// Each process is timed from its start to its end; the median and the
// slowest run are printed beside the budget of 300 ms a process.
// Usage: bench_print_layout [--runs N] [profile.icc]

#include "ProcessTiming.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr double BUDGET_MS = 300;
constexpr int TARGET_PATCHES = 1617;

bool planCommands(const ProcessBenchmarkArguments& arguments, ProcessBenchmarkPlan& plan)
{
    const std::string swatches = arguments.scratch + "/target.txt";
    const std::string pdf = arguments.scratch + "/chart.pdf";
    plan.files = {pdf, swatches};
    if (!writeSwatchFile(swatches, TARGET_PATCHES, "bench_print_layout")) {
        std::perror("bench_print_layout: swatch file");
        return false;
    }
    for (const char* paper : {"A4", "Letter"}) {
        plan.commands.push_back({std::string("512 patches, ") + paper,
                                 {TINTORA_CHART_PATH, "--profile", arguments.profile, "--patches", "512", "--pdf",
                                  pdf, "--paper", paper},
                                 {}});
        plan.commands.push_back({std::to_string(TARGET_PATCHES) + " swatches, " + paper,
                                 {TINTORA_CHART_PATH, "--profile", arguments.profile, "--swatches", swatches, "--pdf",
                                  pdf, "--paper", paper},
                                 {}});
    }
    return true;
}

void printTimes(const ProcessBenchmarkArguments& arguments, const std::vector<TimedCommand>& commands)
{
    std::printf("profile %s, %d runs each, whole processes writing the PDF pages\n", arguments.profile.c_str(),
                arguments.runs);
    printBudgetTable(commands, BUDGET_MS);
}

} // namespace

int main(int argc, char** argv)
{
    return runProcessBenchmark(argc, argv, "bench_print_layout", 21, planCommands, printTimes);
}
