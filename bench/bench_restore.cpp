// Start-up to the main window's first paint with the last run's windows to
// reopen (both arrangement banks, eight arrangement files, eight style
// files), against the same start-up with none, in the same run. The counter
// "ratio" is the first paint's time with the windows over the time without;
// "ms_per_window" is the time from the first paint to the last reopened
// window shown and painted, over the 18 windows.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTemporaryDir>
#include <chrono>

#include "benchprogram.h"
#include "app/DevState.h"
#include "app/Main.h"
#include "app/Settings.h"
#include "app/state.h"
#include "files/FileFormats.h"
#include "library/Library.h"
#include "platform/Files.h"
#include "platform/MidiDevice.h"
#include "platform/Paths.h"
#include "platform/Timer.h"
#include "shell/frmMain.h"

namespace {

using Clock = BenchClock;

// Deletes the frame and lets the windows it took along go now, so that their
// deletion is not timed with the next start-up.
void dispose(frmMain* f) {
    delete f;
    flushDeletions();
    InstanceLockRelease();
}

constexpr int Windows = 18;

// Settings in `sys` as a run leaves them at its exit: with `marked`, the 18
// windows open.
void lastRun(const std::string& sys, bool marked) {
    SetSystemDir(sys);
    StartUp();
    if (marked) {
        WinEntry(2).State = WinEntry(3).State = 1;
        for (int i = 1; i <= 8; ++i) {
            const std::string path = PathJoin(StartDir(), "song" + std::to_string(i));
            const int top = 150 * i;
            ArrSlots[static_cast<std::size_t>(i)] = SlotRec{path, 0, 1, top, top, 3600, 6000};
            StySlots[static_cast<std::size_t>(i)] = SlotRec{path, 0, 1, top, top + 3000, 3600, 4200};
        }
    }
    IniWrite();
    InstanceLockRelease();
}

// The start-up in `sys` up to the frame's first paint (seconds); the frame in `f`.
double startToPaint(const std::string& sys, frmMain*& f) {
    SetSystemDir(sys);
    ArrSlotUsed = {};
    StySlotUsed = {};
    const auto t0 = Clock::now();
    StartUp();
    Starting = true;
    f = new frmMain();
    f->Show();
    Starting = false;
    benchmark::DoNotOptimize(f->grab().cacheKey());
    return seconds(t0, Clock::now());
}

void BM_StartUpWithWindowsToReopen(benchmark::State& state) {
    QTemporaryDir none, marked, startDir;
    SetStartDir(startDir.path().toStdString());
    MidiDev::UseCapture();
    InstallShell();
    InstallLibrary();
    LanguageChooser = [] { LangSel = 2; };
    WriteWholeFile(PathJoin(StartDir(), "i40Sty"), StyTemplateImage());
    WriteWholeFile(PathJoin(StartDir(), "i40ArrA"), ArrBankImage(0));
    WriteWholeFile(PathJoin(StartDir(), "i40ArrB"), ArrBankImage(1));
    for (int i = 1; i <= 8; ++i) {
        const std::string path = PathJoin(StartDir(), "song" + std::to_string(i));
        WriteWholeFile(path + ".arr", ArrBankImage(i % 2));
        WriteWholeFile(path + ".sty", StyTemplateImage());
    }
    lastRun(none.path().toStdString(), false);
    lastRun(marked.path().toStdString(), true);

    // The restore's timers move on the manual clock: nothing is waited for.
    const bool wasManual = Timer::ManualClock();
    Timer::SetManualClock(true);
    double bare = 0, ours = 0, restore = 0;
    long reopened = 0;
    for (auto _ : state) {
        frmMain* f = nullptr;
        bare += startToPaint(none.path().toStdString(), f);
        dispose(f);

        const double t = startToPaint(marked.path().toStdString(), f);
        state.SetIterationTime(t);
        ours += t;
        // The restore runs on the frame's timers: fired here one after the
        // other as they come due, never waited for. A run that leaves a
        // window out has failed.
        const auto t1 = Clock::now();
        for (int step = 0; step < 100 && f->Forms().size() < static_cast<std::size_t>(Windows); ++step) {
            Timer::Advance(100);
            QCoreApplication::processEvents();
        }
        benchmark::DoNotOptimize(f->grab().cacheKey());
        restore += seconds(t1, Clock::now());
        const auto came = f->Forms().size();
        reopened += static_cast<long>(came);
        dispose(f);
        if (came != static_cast<std::size_t>(Windows)) {
            state.SkipWithError("a window of the last run did not come back");
            break;
        }
    }
    state.counters["ratio"] = bare > 0 ? ours / bare : 0;
    state.counters["ms_per_window"] = 1000 * restore / static_cast<double>(Windows * state.iterations());
    state.counters["windows"] = static_cast<double>(reopened) / static_cast<double>(state.iterations());
    LanguageChooser = nullptr;
    Timer::SetManualClock(wasManual);
}
BENCHMARK(BM_StartUpWithWindowsToReopen)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
