// Start-up as a user feels it: Velmora and a bare Qt Widgets MDI program (a
// main window, an MDI area and a menu bar of four menus, built beside it with
// the same flags) each started as a process, timed from the exec to the main
// window's first paint and to the process's exit, in alternated pairs. Each
// start has a fresh settings folder holding what an earlier run left there
// (English, no MIDI device chosen, so no box can hold up the exit). The
// counters are Velmora's time over the bare program's: the median of the
// pairs' ratios and their spread (first and third quartile), to the first
// paint and to the exit. Runs on whatever display Qt is given (offscreen, or
// an X server).
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "benchprogram.h"
#include "app/Settings.h"

extern char** environ;

namespace {

using Clock = BenchClock;
namespace fs = std::filesystem;

struct Started {
    double paint = 0, exit = 0;  // seconds from the exec
    std::string failure;
};

// Starts `exe` with XDG_CONFIG_HOME at `config` and times it; a program that
// does not paint and exit within 30 s is killed and reported.
Started timeProcess(const std::string& exe, const std::string& config) {
    Started s;
    int out[2];
    if (pipe(out) != 0) return {0, 0, "no pipe"};
    std::vector<std::string> env{"XDG_CONFIG_HOME=" + config, "VELMORA_QUIT_AFTER_FIRST_PAINT=1"};
    for (char** e = environ; *e; ++e) {
        const std::string v(*e);
        if (v.rfind("XDG_CONFIG_HOME=", 0) != 0 && v.rfind("VELMORA_QUIT_AFTER_FIRST_PAINT=", 0) != 0) env.push_back(v);
    }
    std::vector<char*> envp;
    for (auto& v : env) envp.push_back(v.data());
    envp.push_back(nullptr);
    std::string arg0 = exe;
    char* argv[] = {arg0.data(), nullptr};
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_adddup2(&fa, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&fa, out[0]);
    posix_spawn_file_actions_addclose(&fa, out[1]);
    pid_t pid = 0;
    const auto t0 = Clock::now();
    const int err = posix_spawn(&pid, exe.c_str(), &fa, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&fa);
    close(out[1]);
    if (err != 0) {
        close(out[0]);
        return {0, 0, "cannot start " + exe};
    }
    std::string seen;
    bool painted = false;
    while (true) {
        pollfd p{out[0], POLLIN, 0};
        const int left = 30000 - static_cast<int>(seconds(t0, Clock::now()) * 1000);
        if (left <= 0 || poll(&p, 1, left) <= 0) break;
        char buf[256];
        const ssize_t n = read(out[0], buf, sizeof buf);
        if (n <= 0) break;
        seen.append(buf, static_cast<std::size_t>(n));
        if (!painted && seen.find("painted\n") != std::string::npos) {
            s.paint = seconds(t0, Clock::now());
            painted = true;
        }
    }
    close(out[0]);
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == 0 && seconds(t0, Clock::now()) >= 30) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        return {0, 0, exe + " did not paint and exit within 30 s"};
    }
    waitpid(pid, &status, 0);
    s.exit = seconds(t0, Clock::now());
    if (!painted) s.failure = exe + " exited without painting";
    return s;
}

double quantile(std::vector<double> v, double q) {
    std::sort(v.begin(), v.end());
    const double at = q * static_cast<double>(v.size() - 1);
    const auto lo = static_cast<std::size_t>(at);
    const std::size_t hi = std::min(lo + 1, v.size() - 1);
    return v[lo] + (v[hi] - v[lo]) * (at - static_cast<double>(lo));
}

void BM_StartUpAsProcess(benchmark::State& state) {
    std::error_code ec;
    const fs::path here = fs::read_symlink("/proc/self/exe", ec).parent_path();
    const std::string velmora = (here.parent_path() / "velmora").string(), bare = (here / "bare_mdi").string();
    if (!fs::exists(velmora) || !fs::exists(bare)) {
        state.SkipWithError("velmora or bare_mdi is not built beside the benchmarks");
        return;
    }
    // What an earlier run left in its settings folder: the program started
    // once, untimed, on the settings of a first start in English.
    QTemporaryDir root;
    const std::string earlier = root.path().toStdString() + "/earlier";
    {
        BenchProgram p;
        IniWrite();
        fs::create_directories(earlier + "/Velmora");
        fs::copy_file(PathJoin(SystemDir(), "Velmora.ini"), earlier + "/Velmora/Velmora.ini");
    }
    const Started first = timeProcess(velmora, earlier);
    if (!first.failure.empty()) {
        state.SkipWithError(first.failure.c_str());
        return;
    }
    fs::remove(earlier + "/Velmora/Velmora.lock", ec);
    std::vector<double> paintRatio, exitRatio;
    int run = 0;
    for (auto _ : state) {
        Started ours, theirs;
        for (int k = 0; k < 2; ++k) {
            const bool velmoraNow = (k == 0) == (run % 2 == 0);
            const std::string config = root.path().toStdString() + "/run" + std::to_string(run) + (velmoraNow ? "v" : "b");
            fs::copy(earlier, config, fs::copy_options::recursive);
            (velmoraNow ? ours : theirs) = timeProcess(velmoraNow ? velmora : bare, config);
        }
        ++run;
        if (!ours.failure.empty() || !theirs.failure.empty()) {
            state.SkipWithError((ours.failure.empty() ? theirs.failure : ours.failure).c_str());
            break;
        }
        state.SetIterationTime(ours.paint);
        paintRatio.push_back(ours.paint / theirs.paint);
        exitRatio.push_back(ours.exit / theirs.exit);
    }
    if (paintRatio.empty()) return;
    state.counters["paint_ratio"] = quantile(paintRatio, 0.5);
    state.counters["paint_q1"] = quantile(paintRatio, 0.25);
    state.counters["paint_q3"] = quantile(paintRatio, 0.75);
    state.counters["exit_ratio"] = quantile(exitRatio, 0.5);
    state.counters["exit_q1"] = quantile(exitRatio, 0.25);
    state.counters["exit_q3"] = quantile(exitRatio, 0.75);
}
BENCHMARK(BM_StartUpAsProcess)->Iterations(30)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
