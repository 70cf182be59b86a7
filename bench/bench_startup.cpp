// Start-up of tintora against a bare Qt main window built beside it, side by
// side in one run: for each, the time from starting the process until the X
// server maps its first window, and its resident memory once that window
// has been up for a moment. Beside them, for scale: the bare window with a
// menu bar, which loads fonts as any window with text must; the tool's own
// widgets and menus without any of its behaviour (form_window); and tintora
// started again by a user who chose profiles before, which opens their
// transforms before its window shows the converted colour. The programs
// take turns, each with a settings folder of its own that is empty (a first
// start) or holds only the chosen profiles; the medians are printed, the
// ratios to the bare window last.
// Usage, with an X server of its own:
//   xvfb-run -a -s "-screen 0 1280x1024x24" bench_startup [--runs N]

#include "KxFileInfo.h"
#include "KxRegistry.h"

#include <xcb/xcb.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// How long a shown window is left to paint before its memory is read.
constexpr std::chrono::milliseconds SETTLE_TIME(400);
constexpr int MAP_TIMEOUT_MS = 30000;

// The profiles of the start after an earlier session: an RGB display
// profile as input and monitor, a CMYK printer profile as output.
const char* const RGB_PROFILE = "/usr/share/color/icc/colord/sRGB.icc";
const char* const CMYK_PROFILE = "/usr/share/color/icc/ghostscript/default_cmyk.icc";

struct Program {
    const char* name;
    std::vector<std::string> arguments;
    bool profilesChosen;
    std::vector<double> startMs;
    std::vector<double> residentMb;
};

struct Connection {
    ~Connection() { xcb_disconnect(x); }
    xcb_connection_t* x = nullptr;
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

// VmRSS of a process, in megabytes; 0 when it cannot be read.
double residentMegabytes(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            double kilobytes = 0;
            status >> kilobytes;
            return kilobytes / 1024.0;
        }
        status.ignore(1 << 16, '\n');
    }
    return 0;
}

// The environment of the started programs: the bench's own, with the
// settings in a folder of their own and the X server as the platform.
std::vector<std::string> childEnvironment(const std::string& configFolder)
{
    std::vector<std::string> result;
    for (char** entry = environ; *entry; ++entry) {
        const std::string text = *entry;
        if (text.rfind("XDG_CONFIG_HOME=", 0) != 0 && text.rfind("QT_QPA_PLATFORM=", 0) != 0)
            result.push_back(text);
    }
    result.push_back("XDG_CONFIG_HOME=" + configFolder);
    return result;
}

// Waits for the first window mapped by anyone but the window manager's
// popups; false when the child ends or nothing is mapped in time.
bool waitForMap(xcb_connection_t* x, pid_t child)
{
    pollfd fd{xcb_get_file_descriptor(x), POLLIN, 0};
    const auto deadline = Clock::now() + std::chrono::milliseconds(MAP_TIMEOUT_MS);
    while (Clock::now() < deadline) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(x)) {
            const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY
                && !reinterpret_cast<xcb_map_notify_event_t*>(event)->override_redirect;
            std::free(event);
            if (mapped)
                return true;
        }
        if (xcb_connection_has_error(x) || waitpid(child, nullptr, WNOHANG) == child)
            return false;
        poll(&fd, 1, 5);
    }
    return false;
}

void drainEvents(xcb_connection_t* x)
{
    // A round trip, so that every event caused so far has arrived.
    std::free(xcb_get_input_focus_reply(x, xcb_get_input_focus(x), nullptr));
    while (xcb_generic_event_t* event = xcb_poll_for_event(x))
        std::free(event);
}

// Stores the chosen profiles where tintora, started from its build folder,
// reads its settings.
bool storeChosenProfiles()
{
    char executable[PATH_MAX];
    if (!realpath(TINTORA_PATH, executable) || !std::filesystem::is_regular_file(RGB_PROFILE)
        || !std::filesystem::is_regular_file(CMYK_PROFILE))
        return false;
    KxRegistry settings;
    settings.putstring("tintora", "inICC", RGB_PROFILE);
    settings.putstring("tintora", "outICC", CMYK_PROFILE);
    settings.putstring("tintora", "monitorICC", RGB_PROFILE);
    return settings.save(KxRegistry::getregname(KxFileInfo::dirnameFromPath(executable), "tintora"));
}

bool measure(xcb_connection_t* x, Program& program, std::vector<std::string>& environment)
{
    std::vector<char*> env;
    for (std::string& entry : environment)
        env.push_back(entry.data());
    env.push_back(nullptr);
    std::vector<char*> argv;
    for (std::string& argument : program.arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    drainEvents(x);
    pid_t child = 0;
    const auto start = Clock::now();
    if (posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), env.data()) != 0) {
        std::fprintf(stderr, "bench_startup: cannot start %s: %s\n", argv[0], std::strerror(errno));
        return false;
    }
    const bool mapped = waitForMap(x, child);
    const auto shown = Clock::now();
    if (mapped) {
        std::this_thread::sleep_for(SETTLE_TIME);
        program.residentMb.push_back(residentMegabytes(child));
        program.startMs.push_back(std::chrono::duration<double, std::milli>(shown - start).count());
    } else {
        std::fprintf(stderr, "bench_startup: %s showed no window\n", program.name);
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    return mapped;
}

} // namespace

int main(int argc, char** argv)
{
    int runs = 11;
    if (argc == 3 && !std::strcmp(argv[1], "--runs"))
        runs = std::max(1, std::atoi(argv[2]));
    else if (argc != 1) {
        std::fputs("usage: bench_startup [--runs N]\n", stderr);
        return 2;
    }

    Connection connection;
    connection.x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection.x)) {
        std::fputs("bench_startup: needs an X server of its own, e.g. xvfb-run -a bench_startup\n", stderr);
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection.x)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection.x, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection.x);

    char folderTemplate[] = "/tmp/tintora-startup-XXXXXX";
    if (!mkdtemp(folderTemplate)) {
        std::perror("bench_startup: mkdtemp");
        return 1;
    }
    const std::string configFolder = folderTemplate;
    // KxRegistry then names the settings file of the chosen profiles
    // inside it, as tintora will.
    setenv("XDG_CONFIG_HOME", configFolder.c_str(), 1);
    std::vector<std::string> environment = childEnvironment(configFolder);

    Program bare{"bare Qt window", {BARE_WINDOW_PATH}, false, {}, {}};
    Program withMenu{"  with a menu", {BARE_WINDOW_PATH, "--menu"}, false, {}, {}};
    Program form{"  tintora's widgets, nothing else", {FORM_WINDOW_PATH}, false, {}, {}};
    Program tintora{"tintora", {TINTORA_PATH}, false, {}, {}};
    Program returning{"  with profiles chosen before", {TINTORA_PATH}, true, {}, {}};
    const std::vector<Program*> programs = {&bare, &withMenu, &form, &tintora, &returning};
    std::vector<Program*> order = programs;
    bool ok = true;
    for (int run = 0; run < runs && ok; ++run) {
        // Change the order every run, so that none always comes first to
        // the libraries they share.
        for (Program* program : order) {
            std::filesystem::remove_all(configFolder);
            std::filesystem::create_directory(configFolder);
            if (program->profilesChosen && !storeChosenProfiles()) {
                std::fprintf(stderr, "bench_startup: cannot store the chosen profiles (are %s and %s there?)\n",
                             RGB_PROFILE, CMYK_PROFILE);
                ok = false;
            }
            ok = ok && measure(connection.x, *program, environment);
        }
        std::rotate(order.begin(), order.begin() + 1, order.end());
    }
    std::filesystem::remove_all(configFolder);
    if (!ok)
        return 1;

    std::printf("runs %d, medians; resident memory %lld ms after the first window is mapped\n", runs,
                static_cast<long long>(SETTLE_TIME.count()));
    std::printf("profiles chosen before: input and monitor %s, output %s\n", RGB_PROFILE, CMYK_PROFILE);
    std::printf("%-34s %14s %14s\n", "program", "start-up ms", "resident MB");
    for (const Program* program : programs)
        std::printf("%-34s %14.1f %14.1f\n", program->name, median(program->startMs), median(program->residentMb));
    std::printf("ratio tintora / its widgets alone: start-up %.2fx, resident memory %.2fx\n",
                median(tintora.startMs) / median(form.startMs), median(tintora.residentMb) / median(form.residentMb));
    std::printf("ratio tintora / bare window with a menu: start-up %.2fx, resident memory %.2fx\n",
                median(tintora.startMs) / median(withMenu.startMs),
                median(tintora.residentMb) / median(withMenu.residentMb));
    std::printf("ratio tintora / bare Qt window: start-up %.2fx, resident memory %.2fx\n",
                median(tintora.startMs) / median(bare.startMs), median(tintora.residentMb) / median(bare.residentMb));
    return 0;
}
