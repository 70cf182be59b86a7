#ifndef PROCESSTIMING_H
#define PROCESSTIMING_H

// Times whole processes, from their start to their end, for the benchmarks
// that run the command-line tools.

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

struct TimedCommand {
    std::string label;
    std::vector<std::string> arguments;
    std::vector<double> milliseconds;
};

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

// Runs the command to its end with its output thrown away and adds its time;
// false (with a line naming the benchmark) when it cannot be started or does
// not exit with 0.
inline bool timeOnce(TimedCommand& command, const char* benchmark)
{
    std::vector<char*> argv;
    for (std::string& argument : command.arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);

    pid_t child = 0;
    const auto start = std::chrono::steady_clock::now();
    const int error = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    int status = 0;
    if (!error)
        waitpid(child, &status, 0);
    const auto end = std::chrono::steady_clock::now();
    posix_spawn_file_actions_destroy(&actions);
    if (error || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s: %s failed%s%s\n", benchmark, command.label.c_str(), error ? ": " : "",
                     error ? std::strerror(error) : "");
        return false;
    }
    command.milliseconds.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    return true;
}

// What a process benchmark is asked: how many runs, and the printer profile.
struct ProcessBenchmarkArguments {
    int runs;
    std::string profile = "/usr/share/color/icc/ghostscript/default_cmyk.icc";
    std::string scratch; // a fresh folder for the files the runs write
};

// Reads "[--runs N] [profile.icc]" and makes the scratch folder; false, with
// the usage or the failure on standard error, when it cannot.
inline bool readProcessBenchmarkArguments(int argc, char** argv, const char* benchmark, int defaultRuns,
                                          ProcessBenchmarkArguments& arguments)
{
    arguments.runs = defaultRuns;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--runs") && i + 1 < argc) {
            arguments.runs = std::max(1, std::atoi(argv[++i]));
        } else if (argv[i][0] != '-') {
            arguments.profile = argv[i];
        } else {
            std::fprintf(stderr, "usage: %s [--runs N] [profile.icc]\n", benchmark);
            return false;
        }
    }
    std::string scratch = std::string("/tmp/") + benchmark + ".XXXXXX";
    if (!mkdtemp(scratch.data())) {
        std::fprintf(stderr, "%s: scratch directory: %s\n", benchmark, std::strerror(errno));
        return false;
    }
    arguments.scratch = scratch;
    return true;
}

// What a process benchmark times: its commands, and the files in its scratch
// folder that they read or write.
struct ProcessBenchmarkPlan {
    std::vector<TimedCommand> commands;
    std::vector<std::string> files;
};

// The median and the slowest time of each command beside the budget of a
// process.
inline void printBudgetTable(const std::vector<TimedCommand>& commands, double budgetMs)
{
    std::printf("%-24s %10s %10s %10s\n", "chart", "median ms", "max ms", "budget ms");
    for (const TimedCommand& command : commands)
        std::printf("%-24s %10.2f %10.2f %10.0f\n", command.label.c_str(), median(command.milliseconds),
                    *std::max_element(command.milliseconds.begin(), command.milliseconds.end()), budgetMs);
}

// The whole run of a process benchmark. Reads the arguments (exit status 2
// when it cannot) and has `plan` name the commands and write their input
// files into the scratch folder (false, having said why, when it cannot).
// Runs every command once untimed, so that all start from a warm cache, then
// `runs` rounds in which the commands take turns. Removes the plan's files
// and the scratch folder, and has `report` print the times when every run
// exited with 0. Returns the exit status: 0, or 1 when the plan or a run
// failed.
inline int runProcessBenchmark(int argc, char** argv, const char* benchmark, int defaultRuns,
                               bool (*plan)(const ProcessBenchmarkArguments&, ProcessBenchmarkPlan&),
                               void (*report)(const ProcessBenchmarkArguments&, const std::vector<TimedCommand>&))
{
    ProcessBenchmarkArguments arguments;
    if (!readProcessBenchmarkArguments(argc, argv, benchmark, defaultRuns, arguments))
        return 2;
    ProcessBenchmarkPlan planned;
    bool ran = plan(arguments, planned);
    for (TimedCommand& command : planned.commands)
        ran = ran && timeOnce(command, benchmark);
    for (TimedCommand& command : planned.commands)
        command.milliseconds.clear();
    for (int run = 0; ran && run < arguments.runs; ++run)
        for (TimedCommand& command : planned.commands)
            ran = ran && timeOnce(command, benchmark);
    for (const std::string& file : planned.files)
        std::remove(file.c_str());
    rmdir(arguments.scratch.c_str());
    if (!ran)
        return 1;
    report(arguments, planned.commands);
    return 0;
}

// A CGATS swatch file of count CMYK sets spread over the ink cube, the size
// of a large printer target, for the benchmarks that chart one.
inline bool writeSwatchFile(const std::string& path, int count, const char* benchmark)
{
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (!file)
        return false;
    std::fprintf(file, "CGATS.17\nORIGINATOR \"%s\"\nNUMBER_OF_FIELDS 5\nBEGIN_DATA_FORMAT\n"
                       "SAMPLE_ID CMYK_C CMYK_M CMYK_Y CMYK_K\nEND_DATA_FORMAT\nNUMBER_OF_SETS %d\nBEGIN_DATA\n",
                 benchmark, count);
    for (int i = 0; i < count; ++i)
        std::fprintf(file, "%d %d %d %d %d\n", i + 1, (i * 7) % 101, (i * 13) % 101, (i * 29) % 101, (i / 17) % 101);
    std::fputs("END_DATA\n", file);
    return std::fclose(file) == 0;
}

#endif
