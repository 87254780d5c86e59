#pragma once
// What the window benchmarks share: a steady clock in seconds, the program
// started up to its painted frame in fresh folders, and one timing loop that
// opens a window, closes it and lets Qt delete it before the next iteration,
// so that no benchmark runs among an earlier one's dead windows.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QEvent>
#include <QListWidget>
#include <QStringList>
#include <QTemporaryDir>
#include <chrono>

#include "app/DevState.h"
#include "app/Main.h"
#include "app/state.h"
#include "banks/Banks.h"
#include "files/FileFormats.h"
#include "library/Library.h"
#include "midi/state.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Forms.h"
#include "platform/MidiDevice.h"
#include "platform/Paths.h"
#include "platform/Timer.h"
#include "shell/frmMain.h"

using BenchClock = std::chrono::steady_clock;

// The file dialog chooses `path`; every question is answered No.
struct ChosenFile : DialogService {
    std::string path;
    int msgBox(const std::string&, int, const std::string&) override { return vbNo; }
    bool inputBox(const std::string&, const std::string&, const std::string&, std::string&) override { return false; }
    bool fileDialog(FileDialogRequest& req) override {
        req.fileName = path;
        return true;
    }
};

inline double seconds(BenchClock::time_point a, BenchClock::time_point b) {
    return std::chrono::duration<double>(b - a).count();
}

// Runs the deletions Qt has deferred (closed windows and what they took
// along), so that they are neither timed with nor left behind for what comes next.
inline void flushDeletions() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// Closes `w` and lets Qt delete it now.
inline void closeWindow(ChildForm* w) {
    if (w) w->Unload();
    flushDeletions();
}

// Fills, shows and paints a bare Qt list of `rows` at `size`; its time in seconds.
inline double bareListPaint(const QStringList& rows, QSize size) {
    const auto t0 = BenchClock::now();
    {
        QListWidget l;
        l.addItems(rows);
        l.resize(size);
        l.show();
        benchmark::DoNotOptimize(l.grab().cacheKey());
    }
    return seconds(t0, BenchClock::now());
}

// The shell, the library and the bank windows installed, the capture MIDI back-end,
// `dialogs` (when given) answering the boxes, and the frame shown.
struct BenchProgram {
    QTemporaryDir sysDir, startDir;
    frmMain* f = nullptr;
    CaptureBackend* midi = nullptr;   // what the program sends
    explicit BenchProgram(DialogService* dialogs = nullptr) : dialogs_(dialogs) {
        SetSystemDir(sysDir.path().toStdString());
        SetStartDir(startDir.path().toStdString());
        midi = &MidiDev::UseCapture();
        if (dialogs_) SetDialogService(dialogs_);
        InstallShell();
        InstallLibrary();
        InstallBanks();
        WriteWholeFile(PathJoin(StartDir(), "i40Sty"), StyTemplateImage());
        LanguageChooser = [] { LangSel = 2; };
        StartUp();
        Starting = true;
        f = new frmMain();
        f->Show();
        Starting = false;
    }
    ~BenchProgram() {
        delete f;
        flushDeletions();
        InstanceLockRelease();
        LanguageChooser = nullptr;
        if (dialogs_) SetDialogService(nullptr);
    }
    BenchProgram(const BenchProgram&) = delete;
    BenchProgram& operator=(const BenchProgram&) = delete;

private:
    DialogService* dialogs_;
};

// The shared loop of the window benchmarks: `open` runs the user's command and
// returns its window (null when it did not open, which stops the benchmark
// with `failure`); each iteration is timed to the frame painted, then the
// window is closed and deleted, and `bare` (the same work in plain Qt, in
// seconds; 0 when there is none) runs. The counter "ratio" is the window's
// time over the bare one's.
template <class Open, class Bare>
void TimeWindowOpen(benchmark::State& state, BenchProgram& p, Open open, Bare bare, const char* failure) {
    double ours = 0, theirs = 0;
    for (auto _ : state) {
        const auto t0 = BenchClock::now();
        ChildForm* w = open();
        if (!w) {
            state.SkipWithError(failure);
            break;
        }
        benchmark::DoNotOptimize(p.f->grab().cacheKey());
        const double t = seconds(t0, BenchClock::now());
        state.SetIterationTime(t);
        ours += t;
        closeWindow(w);
        theirs += bare();
        flushDeletions();
    }
    if (theirs > 0) state.counters["ratio"] = ours / theirs;
}

// A scroll bar moved between two values by code, as a user's step raises
// its change: each move timed to its messages waiting in the output queue,
// the repaints it asked for run untimed between moves. An error when MIDI is
// on and nothing was queued.
inline void TimeScrollToQueue(benchmark::State& state, ScrollBarBase* s, int a, int b) {
    int v = a;
    const std::size_t before = MidiDev::Pending();
    for (auto _ : state) {
        v = v == a ? b : a;
        s->setValue(v);
        state.PauseTiming();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    if (MidiOn && MidiDev::Pending() <= before) state.SkipWithError("nothing was queued");
    state.counters["midi"] = MidiOn;
}

// A scroll bar dragged by the user from `from` to `to`, one step every
// `stepMs` on the manual clock, its messages paced on the wire as they go.
// Counters: "last_value_ms", from the last step to the last byte of the last
// value on the wire; "step_wire_ms", the wire time of one step's messages
// alone (3,125 bytes/s); "drag_bytes", all the drag put on the wire. An
// error when the wire does not end with `last`, the last value's messages.
inline void DragToWire(benchmark::State& state, CaptureBackend& midi, ScrollBarBase* s, int from, int to,
                       int stepMs, const std::string& last) {
    if (!MidiOn) {
        state.SkipWithError("MIDI is off");
        return;
    }
    const bool wasManual = Timer::ManualClock();
    Timer::SetManualClock(true);
    auto drain = [] {
        while (MidiDev::Busy(MidiOutHandle)) Timer::Advance(1);
    };
    auto wireMs = [](std::size_t bytes) { return static_cast<double>(bytes) * 1000.0 / MidiWireBytesPerSecond; };
    const int dir = to > from ? 1 : -1;
    double lastMs = 0, stepMs1 = 0;
    std::size_t dragBytes = 0;
    for (auto _ : state) {
        // One step on an idle wire: what a step sends.
        s->setValue(from + dir);
        drain();
        midi.clear();
        s->setValue(from);
        drain();
        stepMs1 = wireMs(midi.written().size());
        midi.clear();
        for (int v = from + dir;; v += dir) {
            s->setValue(v);
            if (v == to) break;
            Timer::Advance(stepMs);
        }
        const long long stopped = Timer::Now();
        drain();
        const std::string wire = midi.written();
        if (wire.size() < last.size() || wire.compare(wire.size() - last.size(), last.size(), last) != 0) {
            state.SkipWithError("the last value was not the last on the wire");
            break;
        }
        const auto tail = midi.writes().back();
        lastMs = static_cast<double>(tail.time - stopped) + wireMs(tail.bytes.size());
        dragBytes = wire.size();
    }
    Timer::SetManualClock(wasManual);
    state.counters["last_value_ms"] = lastMs;
    state.counters["step_wire_ms"] = stepMs1;
    state.counters["drag_bytes"] = static_cast<double>(dragBytes);
}
