// Importing an i30 arrangement file into its two windows (dialog, read,
// native header, both windows built, filled and painted) against opening one
// native arrangement file into its window through File > Open Arr, in the
// same run. The counter "ratio" is the import's time over the open's.
#include <benchmark/benchmark.h>

#include "benchprogram.h"
#include "library/frmArrU.h"
#include "library/state.h"
#include "platform/bytes.h"

namespace {

using Clock = BenchClock;

// The program started up to its frame, its file dialog choosing `dialogs.path`.
struct Program {
    ChosenFile dialogs;
    BenchProgram program{&dialogs};
    frmMain* f = program.f;
    // Runs a File-menu command on `file`; its time with the frame painted.
    double run(MenuId id, const std::string& file) {
        dialogs.path = file;
        const auto t0 = Clock::now();
        RunMenuCommand(id);
        benchmark::DoNotOptimize(f->grab().cacheKey());
        return seconds(t0, Clock::now());
    }
    // Closes every arrangement file window and lets Qt delete them; false
    // when none was open.
    bool closeAll() {
        bool any = false;
        for (auto& w : ArrUForms())
            if (w) {
                any = true;
                w->Unload();
            }
        flushDeletions();
        return any;
    }
};

void BM_ImportI30Arrangements(benchmark::State& state) {
    Program p;
    // 128 arrangements on varied factory styles, named as the bank windows name them.
    std::string i30 = ArrBankImage(0) + ArrBankImage(1).substr(static_cast<std::size_t>(ArrHdrLen));
    putMid(i30, 5, std::string(28, '\x55'));
    for (int i = 0; i < 128; ++i) put(i30, ArrHdrLen + ArrBlkLen * i + 18, static_cast<unsigned>((i * 7) % 128));
    const std::string native = PathJoin(StartDir(), "Bank.arr"), imported = PathJoin(StartDir(), "Old.arr");
    WriteWholeFile(native, ArrNativeHeader() + i30.substr(static_cast<std::size_t>(ArrHdrLen),
                                                          static_cast<std::size_t>(ArrFileLen - ArrHdrLen)));
    WriteWholeFile(PathJoin(StartDir(), "Bank.sty"), StyTemplateImage());
    WriteWholeFile(imported, i30);
    double open = 0, import = 0;
    for (auto _ : state) {
        const double o = p.run(MenuId::mnuApriArr, native);
        if (!p.closeAll()) {
            state.SkipWithError("the arrangement file did not open");
            break;
        }
        const double t = p.run(MenuId::mnuImportaArri30, imported);
        if (!ArrUForms()[2]) {
            state.SkipWithError("the i30 file did not open in two windows");
            break;
        }
        p.closeAll();
        state.SetIterationTime(t);
        open += o;
        import += t;
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["open_ms"] = n > 0 ? 1000 * open / n : 0;
    state.counters["import_ms"] = n > 0 ? 1000 * import / n : 0;
    state.counters["ratio"] = open > 0 ? import / open : 0;
}
BENCHMARK(BM_ImportI30Arrangements)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

}  // namespace
