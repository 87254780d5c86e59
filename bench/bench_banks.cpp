// The program bank window: View > Program A to its shown list of 64 rows,
// against filling and showing a bare list of as many rows in the same run
// (the counter "ratio" is the window's time over the bare list's); and a
// pick with the MIDI-messages window open and full, which must never lag
// behind the arrow keys.
#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include "banks/frmPcgAE.h"
#include "benchprogram.h"
#include "midi/MIDI.h"
#include "platform/Controls.h"

namespace {

using Clock = BenchClock;

QStringList romNames() {
    QStringList rows;
    for (int i = 0; i < 64; ++i) rows << QString::fromLatin1(PrgRomNames[0].data() + 16 * i, 16);
    return rows;
}

void BM_OpenProgramBankWindow(benchmark::State& state) {
    BenchProgram p;
    const QStringList rows = romNames();
    TimeWindowOpen(
        state, p,
        []() -> ChildForm* {
            RunMenuCommand(MenuId::mnuWProgA);
            frmPcgAE* w = PcgAEForms()[4];
            return w && w->List1->ListCount() == 64 ? w : nullptr;
        },
        [&] { return bareListPaint(rows, {500, 260}); }, "the bank window did not open");
}
BENCHMARK(BM_OpenProgramBankWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

// A pick as the arrow keys make it: the menus refreshed, the monitor cleared
// and the selection logged, three messages queued; the monitor holding the
// last pick's line (browsing) or 10,000 earlier lines (the first pick).
void BM_PickProgram(benchmark::State& state) {
    BenchProgram p;
    RunMenuCommand(MenuId::mnuMsgEx);
    RunMenuCommand(MenuId::mnuWProgA);
    frmPcgAE* w = PcgAEForms()[4];
    if (!w) {
        state.SkipWithError("the bank window did not open");
        return;
    }
    int row = 0;
    const std::string earlier("\xC0\x05", 2);
    for (auto _ : state) {
        for (int i = 0; i < state.range(0); ++i) MidiMonLog(earlier);
        QCoreApplication::processEvents();
        const auto t0 = Clock::now();
        w->List1->setListIndex(row);
        state.SetIterationTime(seconds(t0, Clock::now()));
        row = (row + 1) % 64;
    }
}
BENCHMARK(BM_PickProgram)->Arg(1)->Arg(10000)->UseManualTime()->Iterations(20)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();

}  // namespace
