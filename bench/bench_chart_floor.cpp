// Chart generation against its floor, as whole processes, side by side in
// one run: `tintora-chart --patches N --cgats FILE` for 8, 64 and 512 patches
// (the target file written to a scratch directory) beside
// chart_floor, a plain LittleCMS program that only converts the 6560 grid
// colours to Lab. Each process is timed from its start to its end; the
// programs take turns, and the medians are printed with the ratios, the
// largest ratio last.
// Usage: bench_chart_floor [--runs N] [profile.icc]

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

namespace {

using Clock = std::chrono::steady_clock;

struct Command {
    std::string label;
    std::vector<std::string> arguments;
    std::vector<double> milliseconds;
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

// Runs the command to its end with its output thrown away; false when it
// cannot be started or does not exit with 0.
bool timeOnce(Command& command)
{
    std::vector<char*> argv;
    for (std::string& argument : command.arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);

    pid_t child = 0;
    const auto start = Clock::now();
    const int error = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    int status = 0;
    if (!error)
        waitpid(child, &status, 0);
    const auto end = Clock::now();
    posix_spawn_file_actions_destroy(&actions);
    if (error || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "bench_chart_floor: %s failed%s%s\n", command.label.c_str(), error ? ": " : "",
                     error ? std::strerror(error) : "");
        return false;
    }
    command.milliseconds.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    int runs = 31;
    std::string profile = "/usr/share/color/icc/ghostscript/default_cmyk.icc";
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--runs") && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (argv[i][0] != '-')
            profile = argv[i];
        else {
            std::fputs("usage: bench_chart_floor [--runs N] [profile.icc]\n", stderr);
            return 2;
        }
    }

    char scratch[] = "/tmp/bench_chart_floor.XXXXXX";
    if (!mkdtemp(scratch)) {
        std::perror("bench_chart_floor: scratch directory");
        return 1;
    }
    const std::string target = std::string(scratch) + "/chart.txt";

    std::vector<Command> commands;
    commands.push_back({"chart_floor", {CHART_FLOOR_PATH, profile}, {}});
    for (const char* count : {"8", "64", "512"})
        commands.push_back({std::string("tintora-chart --patches ") + count,
                            {TINTORA_CHART_PATH, "--profile", profile, "--patches", count, "--cgats", target}, {}});

    // Every program once before timing, so that all start from a warm cache.
    bool ran = true;
    for (Command& command : commands)
        ran = ran && timeOnce(command);
    for (Command& command : commands)
        command.milliseconds.clear();
    for (int run = 0; ran && run < runs; ++run)
        for (Command& command : commands)
            ran = ran && timeOnce(command);
    std::remove(target.c_str());
    rmdir(scratch);
    if (!ran)
        return 1;

    const double floor = median(commands.front().milliseconds);
    double largest = 0;
    std::printf("profile %s, %d runs each, whole processes, medians\n", profile.c_str(), runs);
    std::printf("%-28s %10s %8s\n", "program", "ms", "ratio");
    for (const Command& command : commands) {
        const double ms = median(command.milliseconds);
        largest = std::max(largest, ms / floor);
        std::printf("%-28s %10.2f %7.2fx\n", command.label.c_str(), ms, ms / floor);
    }
    std::printf("largest ratio of chart generation to its floor: %.2fx\n", largest);
    return 0;
}
