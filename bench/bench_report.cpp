// The verification report, as whole processes: `tintora-chart --readings
// --report --csv --tolerance` for a 1617-patch chart (the size of the
// largest standard printer target) read from a CGATS swatch file of 1617
// CMYK sets, with a reading for every patch, both files written by the
// benchmark itself. Each process is timed from its start to its end; the
// median and the slowest run are printed beside the budget of 500 ms.
// Usage: bench_report [--runs N] [profile.icc]

#include "ProcessTiming.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr double BUDGET_MS = 500;
constexpr int TARGET_PATCHES = 1617;

// Plain "L a b" readings, one a patch in order, spread over the Lab space.
bool writeReadings(const std::string& path, int count)
{
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (!file)
        return false;
    for (int i = 0; i < count; ++i)
        std::fprintf(file, "%.2f %.2f %.2f\n", 5.0 + (i * 37) % 90, -60.0 + (i * 11) % 120, -60.0 + (i * 23) % 120);
    return std::fclose(file) == 0;
}

bool planCommands(const ProcessBenchmarkArguments& arguments, ProcessBenchmarkPlan& plan)
{
    const std::string swatches = arguments.scratch + "/target.txt";
    const std::string readings = arguments.scratch + "/readings.txt";
    const std::string report = arguments.scratch + "/report.pdf";
    const std::string csv = arguments.scratch + "/patches.csv";
    plan.files = {swatches, readings, report, csv};
    if (!writeSwatchFile(swatches, TARGET_PATCHES, "bench_report") || !writeReadings(readings, TARGET_PATCHES)) {
        std::perror("bench_report: input files");
        return false;
    }
    // A tolerance the readings keep within, so the process exits 0.
    plan.commands.push_back({std::to_string(TARGET_PATCHES) + " patches measured",
                             {TINTORA_CHART_PATH, "--profile", arguments.profile, "--swatches", swatches,
                              "--readings", readings, "--tolerance", "max=1000,metric=de2000", "--report", report,
                              "--csv", csv},
                             {}});
    return true;
}

void printTimes(const ProcessBenchmarkArguments& arguments, const std::vector<TimedCommand>& commands)
{
    std::printf("profile %s, %d runs, whole processes writing the report and the patch table\n",
                arguments.profile.c_str(), arguments.runs);
    printBudgetTable(commands, BUDGET_MS);
}

} // namespace

int main(int argc, char** argv)
{
    return runProcessBenchmark(argc, argv, "bench_report", 21, planCommands, printTimes);
}
