// The arrangement database: Add all of 999 files into an empty database
// (listing, reading, inserting, writing) against reading the same files
// whole in the same run (counter "ratio"); the editor's list fill of a full
// database; the lookup of the last entry with the editor closed (file read
// and checked) and open (from memory).
#include <benchmark/benchmark.h>

#include <cstdio>

#include "banks/Banks.h"
#include "banks/DBArr.h"
#include "banks/DBArrFormat.h"
#include "banks/DBArrState.h"
#include "banks/frmEditDBArr.h"
#include "benchprogram.h"
#include "files/Readers.h"
#include "files/state.h"

namespace {

using Clock = BenchClock;

// Every box answered OK.
struct Quiet : DialogService {
    int msgBox(const std::string&, int, const std::string&) override { return vbOK; }
    bool inputBox(const std::string&, const std::string&, const std::string&, std::string&) override { return false; }
    bool fileDialog(FileDialogRequest&) override { return false; }
};

std::string name(int i) {
    char n[12];
    std::snprintf(n, sizeof n, "Arr%03d", i);
    return n;
}

// A folder of 999 arrangement files and a database of `entries` of them.
struct Songs {
    QTemporaryDir dir;
    std::string folder = dir.path().toStdString();
    Songs() {
        std::string f = ArrNativeHeader();
        f.resize(ArrFileLen, '\0');
        for (int i = 0; i < 999; ++i) WriteWholeFile(PathJoin(folder, name(i) + ".arr"), f);
    }
    std::string db(int entries) const {
        std::string img = DBArrNew(folder);
        for (int i = 0; i < entries; ++i) DBArrInsert(img, name(i));
        return img;
    }
};

void BM_DBArrAddAll(benchmark::State& state) {
    Quiet quiet;
    BenchProgram program(&quiet);
    InstallBanks();
    Songs songs;
    const std::string empty = songs.db(0);
    double ratio = 0, write = 0;
    for (auto _ : state) {
        WriteWholeFile(DBArrFile, empty);
        auto t0 = Clock::now();
        std::string f;
        for (int i = 0; i < 999; ++i) ReadWholeFile(PathJoin(songs.folder, name(i) + ".arr"), f);
        const double read = seconds(t0, Clock::now());
        t0 = Clock::now();
        DBArrAddAll();
        const double add = seconds(t0, Clock::now());
        state.SetIterationTime(add);
        ratio = add / read;
        // The one write of the database alone, for comparison.
        t0 = Clock::now();
        WriteWholeFile(DBArrFile, DBArrImage);
        write = seconds(t0, Clock::now());
    }
    state.counters["ratio"] = ratio;
    state.counters["write_ms"] = write * 1000;
}
BENCHMARK(BM_DBArrAddAll)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

void BM_DBArrEditorFill(benchmark::State& state) {
    BenchProgram program;
    InstallBanks();
    Songs songs;
    const std::string full = songs.db(997);
    WriteWholeFile(DBArrFile, full);
    EditDBArrShow();
    frmEditDBArr* e = EditDBArrForm();
    for (auto _ : state) {
        DBArrImage = DBArrNew(songs.folder);
        e->reloadList();
        DBArrImage = full;
        const auto t0 = Clock::now();
        e->reloadList();
        benchmark::DoNotOptimize(e->grab().cacheKey());
        state.SetIterationTime(seconds(t0, Clock::now()));
    }
    e->Unload();
}
BENCHMARK(BM_DBArrEditorFill)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

void lookupLast(benchmark::State& state, bool editorOpen) {
    Songs songs;
    SetSystemDir(songs.folder);
    DBArrFile = PathJoin(songs.folder, "i40DBArr");
    const std::string full = songs.db(997);
    WriteWholeFile(DBArrFile, full);
    DBArrImage = full;
    EditDBArrOpen = editorOpen;
    const std::string last = PathJoin(songs.folder, name(996));
    for (auto _ : state) benchmark::DoNotOptimize(DBArrLookupID(last));
    EditDBArrOpen = false;
}
void BM_DBArrLookupEditorClosed(benchmark::State& state) { lookupLast(state, false); }
void BM_DBArrLookupEditorOpen(benchmark::State& state) { lookupLast(state, true); }
BENCHMARK(BM_DBArrLookupEditorClosed)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(BM_DBArrLookupEditorOpen)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();

}  // namespace
