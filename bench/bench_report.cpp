// The verification report, as whole processes: `tintora-chart --readings
// --report --csv --tolerance` for a 1617-patch chart (the size of the
// largest standard printer target) read from a CGATS swatch file of 1617
// CMYK sets, with a reading for every patch, both files written by the
// benchmark itself. Each process is timed from its start to its end; the
// median and the slowest run are printed beside the budget of 500 ms.
// Usage: bench_report [--runs N] [profile.icc]

#include "ProcessTiming.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
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

} // namespace

int main(int argc, char** argv)
{
    ProcessBenchmarkArguments arguments;
    if (!readProcessBenchmarkArguments(argc, argv, "bench_report", 21, arguments))
        return 2;
    const auto& [runs, profile, scratch] = arguments;
    const std::string swatches = scratch + "/target.txt";
    const std::string readings = scratch + "/readings.txt";
    const std::string report = scratch + "/report.pdf";
    const std::string csv = scratch + "/patches.csv";
    if (!writeSwatchFile(swatches, TARGET_PATCHES, "bench_report") || !writeReadings(readings, TARGET_PATCHES)) {
        std::perror("bench_report: input files");
        return 1;
    }

    // A tolerance the readings keep within, so the process exits 0.
    TimedCommand command{std::to_string(TARGET_PATCHES) + " patches measured",
                         {TINTORA_CHART_PATH, "--profile", profile, "--swatches", swatches, "--readings", readings,
                          "--tolerance", "max=1000,metric=de2000", "--report", report, "--csv", csv},
                         {}};
    bool ran = timeOnce(command, "bench_report"); // warms the cache
    command.milliseconds.clear();
    for (int run = 0; ran && run < runs; ++run)
        ran = timeOnce(command, "bench_report");
    for (const std::string& file : {swatches, readings, report, csv})
        std::remove(file.c_str());
    rmdir(scratch.c_str());
    if (!ran)
        return 1;

    std::printf("profile %s, %d runs, whole processes writing the report and the patch table\n", profile.c_str(),
                runs);
    std::printf("%-24s %10s %10s %10s\n", "chart", "median ms", "max ms", "budget ms");
    std::printf("%-24s %10.2f %10.2f %10.0f\n", command.label.c_str(), median(command.milliseconds),
                *std::max_element(command.milliseconds.begin(), command.milliseconds.end()), BUDGET_MS);
    return 0;
}
