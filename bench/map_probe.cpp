// Times programs from launch to their first mapped top-level window, as a
// user sees a program start: from just before fork to the MapNotify the X
// server sends for the window (the window manager's frame, when one runs).
// Programs are started in turn, one start of each per round, so their
// figures share the same moments of the machine's load.
//   map_probe ROUNDS PROGRAM [ARGS...] [-- PROGRAM [ARGS...]]...
// Prints one line per program: its median and range in ms and its name.
#include <X11/Xlib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Launches `argv` and waits for the first top-level window mapped after it;
// the time in ms, or a negative number when none appeared within 10 s.
double TimeToMappedWindow(Display* display, const std::vector<char*>& argv) {
    XSync(display, True);  // nothing from before this start counts
    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[0], argv.data());
        _exit(127);
    }
    double elapsed = -1;
    const int fd = ConnectionNumber(display);
    while (Clock::now() - start < std::chrono::seconds(10)) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && !event.xmap.override_redirect) {
                elapsed = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
                break;
            }
        }
        if (elapsed >= 0) break;
        fd_set read;
        FD_ZERO(&read);
        FD_SET(fd, &read);
        timeval wait{0, 2000};
        select(fd + 1, &read, nullptr, nullptr, &wait);
    }
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    usleep(300 * 1000);  // the window gone and the load settled before the next start
    return elapsed;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: map_probe ROUNDS PROGRAM [ARGS...] [-- PROGRAM [ARGS...]]...\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "map_probe: no X display\n");
        return 1;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    const int rounds = std::max(1, std::atoi(argv[1]));
    std::vector<std::vector<char*>> programs(1);
    for (int i = 2; i < argc; ++i) {
        if (std::string(argv[i]) == "--") {
            programs.emplace_back();
            continue;
        }
        programs.back().push_back(argv[i]);
    }
    for (auto& program : programs) program.push_back(nullptr);
    std::vector<std::vector<double>> times(programs.size());
    for (int round = 0; round < rounds; ++round)
        for (std::size_t p = 0; p < programs.size(); ++p)
            times[p].push_back(TimeToMappedWindow(display, programs[p]));
    for (std::size_t p = 0; p < programs.size(); ++p) {
        std::vector<double>& t = times[p];
        std::sort(t.begin(), t.end());
        const double median = t.size() % 2 ? t[t.size() / 2] : (t[t.size() / 2 - 1] + t[t.size() / 2]) / 2;
        std::printf("%.1f ms median, %.1f to %.1f, %zu starts: %s\n", median, t.front(), t.back(),
                    t.size(), programs[p][0]);
    }
    XCloseDisplay(display);
    return 0;
}
