// Starts a program again and again and times each start to its first painted
// game window: from just before fork to the moment the program's line
// "first-paint MS" (printed when RAVELIN_REPORT_FIRST_PAINT is set) arrives
// on its standard error. Then the program is ended and its peak resident
// memory read (the ru_maxrss that /usr/bin/time -v reports as "Maximum
// resident set size").
//   startup_probe [options] -- PROGRAM [ARGS...]
//     --runs N          starts (default 10)
//     --cold LIST       before each start, drop the page cache of the files in
//                       LIST (one path a line), as after a reboot
//     --maps OUT        after the first start, write the files the program had
//                       mapped (libraries, fonts) to OUT, one a line
//     --hold MS         how long the program stays open after its first paint
//                       before it is ended (default 200)
//     --pause MS        rest between starts, so one start's ending never
//                       overlaps the next (default 100)
//   startup_probe --write-game FILE   writes the 300-ply game with full notes
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "LongGame.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Start {
    double launchToPaintMs = 0;
    double programMs = 0;  // what the program itself counted
    long peakKb = 0;
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void DropFromCache(const std::string& listFile) {
    std::ifstream list(listFile);
    std::string path;
    while (std::getline(list, path)) {
        const int fd = open(path.c_str(), O_RDONLY);
        if (fd < 0) continue;
        posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
        close(fd);
    }
}

void WriteMappedFiles(pid_t pid, const std::string& out) {
    std::ifstream maps("/proc/" + std::to_string(pid) + "/maps");
    std::set<std::string> files;
    std::string line;
    while (std::getline(maps, line)) {
        const std::size_t slash = line.find('/');
        if (slash != std::string::npos && line.find(" (deleted)") == std::string::npos)
            files.insert(line.substr(slash));
    }
    std::ofstream list(out);
    for (const std::string& file : files) list << file << '\n';
}

// One start; false, after saying why, when the program never painted.
bool StartOnce(char** command, int holdMs, const std::string& mapsOut, Start& start) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return false;
    const auto launched = Clock::now();
    const pid_t pid = fork();
    if (pid < 0) return false;
    if (pid == 0) {
        dup2(pipeEnds[1], STDERR_FILENO);
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        const int quiet = open("/dev/null", O_WRONLY);
        if (quiet >= 0) dup2(quiet, STDOUT_FILENO);
        setenv("RAVELIN_REPORT_FIRST_PAINT", "1", 1);
        execvp(command[0], command);
        std::perror(command[0]);
        _exit(127);
    }
    close(pipeEnds[1]);

    std::string seen;
    bool painted = false;
    const auto deadline = launched + std::chrono::seconds(30);
    while (!painted && Clock::now() < deadline) {
        pollfd wait = {pipeEnds[0], POLLIN, 0};
        if (poll(&wait, 1, 100) <= 0) continue;
        char buffer[4096];
        const ssize_t got = read(pipeEnds[0], buffer, sizeof buffer);
        if (got <= 0) break;  // the program ended without painting
        seen.append(buffer, static_cast<std::size_t>(got));
        std::size_t at = seen.find("first-paint ");
        if (at != std::string::npos && seen.find('\n', at) != std::string::npos) {
            start.launchToPaintMs =
                std::chrono::duration<double, std::milli>(Clock::now() - launched).count();
            start.programMs = std::atof(seen.c_str() + at + 12);
            painted = true;
        }
    }
    if (painted) {
        // Keep reading what it prints, so it never blocks on a full pipe.
        const auto until = Clock::now() + std::chrono::milliseconds(holdMs);
        while (Clock::now() < until) {
            pollfd wait = {pipeEnds[0], POLLIN, 0};
            char buffer[4096];
            if (poll(&wait, 1, 10) > 0 && read(pipeEnds[0], buffer, sizeof buffer) <= 0) break;
        }
        if (!mapsOut.empty()) WriteMappedFiles(pid, mapsOut);
    }
    kill(pid, SIGTERM);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    close(pipeEnds[0]);
    start.peakKb = usage.ru_maxrss;
    if (!painted) std::cerr << "startup_probe: no first paint; the program said:\n" << seen;
    return painted;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--write-game") == 0)
        return WriteLongGame(argv[2]) ? 0 : 1;
    int runs = 10;
    int holdMs = 200;
    int pauseMs = 100;
    std::string coldList, mapsOut;
    int arg = 1;
    for (; arg < argc && std::strcmp(argv[arg], "--") != 0; ++arg) {
        const std::string option = argv[arg];
        if (arg + 1 >= argc) break;
        if (option == "--runs")
            runs = std::max(1, std::atoi(argv[++arg]));
        else if (option == "--cold")
            coldList = argv[++arg];
        else if (option == "--maps")
            mapsOut = argv[++arg];
        else if (option == "--hold")
            holdMs = std::max(0, std::atoi(argv[++arg]));
        else if (option == "--pause")
            pauseMs = std::max(0, std::atoi(argv[++arg]));
        else
            break;
    }
    if (arg + 1 >= argc || std::strcmp(argv[arg], "--") != 0) {
        std::cerr << "usage: startup_probe [--runs N] [--cold LIST] [--maps OUT] [--hold MS] "
                     "[--pause MS] -- PROGRAM [ARGS...]\n";
        return 2;
    }
    char** command = argv + arg + 1;

    std::vector<double> launch, program, peak;
    for (int run = 0; run < runs; ++run) {
        if (run > 0) usleep(static_cast<useconds_t>(pauseMs) * 1000);
        if (!coldList.empty()) DropFromCache(coldList);
        Start start;
        if (!StartOnce(command, holdMs, run == 0 ? mapsOut : std::string(), start)) return 1;
        launch.push_back(start.launchToPaintMs);
        program.push_back(start.programMs);
        peak.push_back(static_cast<double>(start.peakKb));
        std::printf(
            "start %2d: %8.1f ms to first paint (%.1f ms by the program's count), "
            "peak %ld KB\n",
            run + 1, start.launchToPaintMs, start.programMs, start.peakKb);
    }
    std::printf(
        "median of %d: %.1f ms to first paint, %.1f ms by the program's count, "
        "peak %.0f KB\n",
        runs, Median(launch), Median(program), Median(peak));
    return 0;
}
