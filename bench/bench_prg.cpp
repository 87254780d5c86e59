// The program file window: File > Open Prg on a program file to its shown
// list of 64 rows (dialog, read and check, image, rows, caption, painted),
// against filling and showing a bare list of as many rows in the same run
// (the counter "ratio" is the window's time over the bare list's); and its
// Load Prog, the 14,992-byte bank dump through the paced queue with the real
// clock while the event loop runs.
//
// Counters of the send:
//   wire_ratio     time until the dump's last byte is on the wire, divided by
//                  its wire time (3,125 bytes/s); the goal is at most 1.05.
//   loop_block_ms  the longest the event loop went without running a 1 ms
//                  probe timer while the dump was going out.
#include <benchmark/benchmark.h>

#include <QEventLoop>
#include <QTimer>
#include <algorithm>

#include "banks/frmPrgUN.h"
#include "benchprogram.h"
#include "midi/MIDI.h"
#include "platform/Controls.h"
#include "platform/Timer.h"
#include "platform/bytes.h"

namespace {

using Clock = BenchClock;

std::string programFile() {
    std::string f = PrgTemplateImage();
    for (int i = 0; i < 64; ++i) putMid(f, 49 + 172L * i, padRight("Program " + std::to_string(i), 16));
    return f;
}

void BM_OpenProgramFileWindow(benchmark::State& state) {
    ChosenFile dialogs;
    BenchProgram p(&dialogs);
    dialogs.path = PathJoin(StartDir(), "Bench.prg");
    WriteWholeFile(dialogs.path, programFile());
    QStringList rows;
    for (int i = 0; i < 64; ++i) rows << QString::fromStdString("11  Program " + std::to_string(i));
    TimeWindowOpen(
        state, p,
        []() -> ChildForm* {
            RunMenuCommand(MenuId::mnuApriPrg);
            frmPrgUN* w = PrgUNForms()[1];
            return w && w->List1->ListCount() == 64 ? w : nullptr;
        },
        [&] { return bareListPaint(rows, {500, 260}); }, "the program window did not open");
}
BENCHMARK(BM_OpenProgramFileWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

void BM_LoadProgDump(benchmark::State& state) {
    using SteadyClock = std::chrono::steady_clock;
    const bool wasManual = Timer::ManualClock();
    Timer::SetManualClock(false);
    ChosenFile dialogs;
    BenchProgram p(&dialogs);
    dialogs.path = PathJoin(StartDir(), "Bench.prg");
    WriteWholeFile(dialogs.path, programFile());
    RunMenuCommand(MenuId::mnuApriPrg);
    frmPrgUN* w = PrgUNForms()[1];
    CaptureBackend& capture = *p.midi;
    if (!w || MidiOn == 0) {
        state.SkipWithError("no program window, or no MIDI output");
        Timer::SetManualClock(wasManual);
        return;
    }
    ModeNow = 0;
    const std::string dump = PrgBankMsg(w->Tag());
    const double wireMs = static_cast<double>(dump.size()) * 1000.0 / MidiWireBytesPerSecond;
    double ratio = 0, blockMs = 0;
    for (auto _ : state) {
        capture.clear();
        QEventLoop loop;
        QTimer probe;
        probe.setTimerType(Qt::PreciseTimer);
        probe.setInterval(1);
        SteadyClock::time_point last = SteadyClock::now();
        double longest = 0;
        bool started = false;
        QObject::connect(&probe, &QTimer::timeout, [&] {
            const SteadyClock::time_point now = SteadyClock::now();
            longest = std::max(longest, std::chrono::duration<double, std::milli>(now - last).count());
            last = now;
            started = started || MidiDev::Pending() > 0;
            if (started && MidiDev::Pending() == 0) loop.quit();
        });
        w->CommLoad->press();
        const long long t0 = Timer::Now();
        probe.start();
        loop.exec();
        probe.stop();
        const auto writes = capture.writes();
        if (capture.written() != dump || writes.empty()) {
            state.SkipWithError("the dump did not arrive whole");
            break;
        }
        const auto& tail = writes.back();
        const double endMs =
            static_cast<double>(tail.time - t0) + static_cast<double>(tail.bytes.size()) * 1000.0 / MidiWireBytesPerSecond;
        ratio = std::max(ratio, endMs / wireMs);
        blockMs = std::max(blockMs, longest);
    }
    Timer::SetManualClock(wasManual);
    state.counters["wire_ratio"] = ratio;
    state.counters["loop_block_ms"] = blockMs;
}
BENCHMARK(BM_LoadProgDump)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
