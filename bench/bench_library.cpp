// Opening an arrangement file and the largest style file in their windows
// (read, check, image, list fill, shown and painted), against filling and
// painting a bare list of as many rows in the same run. The counter "ratio"
// is the window's time over the bare list's.
#include <benchmark/benchmark.h>

#include <QStringList>

#include "benchprogram.h"
#include "files/Readers.h"
#include "files/state.h"
#include "library/BsqView.h"
#include "library/frmArrAB.h"
#include "library/frmBsq.h"
#include "library/frmArrU.h"
#include "library/frmStyUN.h"
#include "library/state.h"
#include "platform/Controls.h"
#include "platform/bytes.h"

namespace {

using Clock = BenchClock;

// The 16-character names of `rows` records of `step` bytes from `first`, as a
// bare list shows them.
QStringList names(const std::string& file, int rows = 64, long first = ArrHdrLen, long step = ArrBlkLen) {
    QStringList l;
    for (int i = 0; i < rows; ++i)
        l << QString::fromLatin1(file.data() + std::min<long>(first + step * i, static_cast<long>(file.size()) - 16), 16);
    return l;
}

double bareListPaint(const QStringList& rows) { return ::bareListPaint(rows, {600, 280}); }

// A full bank: 64 arrangements on varied factory styles, with its own
// style file beside it.
std::string fullBank() {
    std::string f = ArrBankImage(0);
    for (int i = 0; i < 64; ++i) put(f, ArrHdrLen + ArrBlkLen * i + 18, static_cast<unsigned>((i * 7) % 128));
    return f;
}

void BM_OpenArrangementFile(benchmark::State& state) {
    BenchProgram p;
    const std::string file = fullBank(), path = PathJoin(StartDir(), "Bank");
    WriteWholeFile(path + ".arr", file);
    WriteWholeFile(path + ".sty", StyTemplateImage());
    const QStringList rows = names(file);
    TimeWindowOpen(
        state, p,
        [&]() -> ChildForm* {
            ArrFileRead(path + ".arr");
            ArrDir = StartDir();
            ArrName = "Bank";
            ArrSlotCur = 1;
            ArrSlotUsed[1] = 1;
            auto* w = new frmArrU(p.f);
            w->Show();
            return w;
        },
        [&] { return bareListPaint(rows); }, "the arrangement file did not open");
}
BENCHMARK(BM_OpenArrangementFile)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

// The largest style file the limits allow: sixteen named styles, each group
// of four just under the group limit.
std::string largestStyleFile() {
    std::string f = StyNativeHeader();
    const long item = (StyGroupLimit - 1) / 4;
    for (int k = 0; k < 16; ++k) {
        std::string s(static_cast<std::size_t>(item), static_cast<char>('a' + k));
        s.replace(0, 16, "Style " + std::to_string(k) + std::string(k < 10 ? 9 : 8, ' '));
        put16lo(f, 25 + 4L * k, static_cast<unsigned>(item));
        f += s;
    }
    return f;
}

void BM_OpenLargestStyleFile(benchmark::State& state) {
    BenchProgram p;
    const std::string file = largestStyleFile(), path = PathJoin(StartDir(), "Big");
    WriteWholeFile(path + ".sty", file);
    const QStringList rows = names(file, 19, StyHdrLen, (StyGroupLimit - 1) / 4);
    TimeWindowOpen(
        state, p,
        [&]() -> ChildForm* {
            if (StyFileLoad(path + ".sty") != 0) return nullptr;
            StyDir = StartDir();
            StyName = "Big";
            StySlotCur = 1;
            StySlotUsed[1] = 1;
            StyLoopIdx = 0;
            auto* w = new frmStyUN(p.f, 23);
            w->Show();
            return w;
        },
        [&] { return bareListPaint(rows); }, "the style file was refused");
    state.counters["bytes"] = static_cast<double>(file.size());
}
BENCHMARK(BM_OpenLargestStyleFile)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

// The event counts of all ten sequences of the largest file the reader takes,
// its tracks spread over the whole event area. Each track uses only its first
// slot, so every count looks through all of its track's trailing empty slots.
void BM_CountBsqEvents(benchmark::State& state) {
    std::string f = BsqMagicBytes() + std::string(BsqMaxLen - BsqMagicBytes().size(), '\0');
    const long units = (BsqMaxLen - BsqDataStart + 1) / 16;
    for (int e = 0; e < 171; ++e) put16lo(f, 1997 + 2L * e, static_cast<unsigned>(units * e / 170));
    for (int e = 0; e < 170; ++e) put(f, BsqDataStart + 16 * (units * e / 170), 1);
    for (auto _ : state) {
        long total = 0;
        for (int k = 0; k < 10; ++k) {
            total += BsqSeqCount(f, k);
            for (long c : BsqTrackCounts(f, k)) total += c;
        }
        benchmark::DoNotOptimize(total);
    }
    state.counters["bytes"] = static_cast<double>(f.size());
}
BENCHMARK(BM_CountBsqEvents)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();

// View > Arrangement A on a full bank, to its painted list, against a bare
// list of as many rows.
void BM_OpenBankWindow(benchmark::State& state) {
    BenchProgram p;
    const std::string file = fullBank();
    WriteWholeFile(ArrAFile, file);
    const QStringList rows = names(file);
    TimeWindowOpen(
        state, p,
        []() -> ChildForm* {
            mnuArrA_Click();
            return ArrABForm(2);
        },
        [&] { return bareListPaint(rows); }, "the bank window did not open");
}
BENCHMARK(BM_OpenBankWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

// A 90,000-byte backing-sequence file into its window: read, check, image,
// names, the ten counts, shown and painted, and the first sequence's details.
void BM_OpenBsqWindow(benchmark::State& state) {
    BenchProgram p;
    std::string f = BsqMagicBytes() + std::string(BsqMaxLen - BsqMagicBytes().size(), '\0');
    const long units = (BsqMaxLen - BsqDataStart + 1) / 16;
    for (int e = 0; e < 171; ++e) put16lo(f, 1997 + 2L * e, static_cast<unsigned>(units * e / 170));
    for (long q = BsqDataStart; q <= BsqMaxLen; q += 4) put(f, q, 1);
    const std::string path = PathJoin(StartDir(), "Seq");
    WriteWholeFile(path + ".bsq", f);
    TimeWindowOpen(
        state, p,
        [&]() -> ChildForm* {
            if (BsqFileRead(path + ".bsq") != 0) return nullptr;
            BsqDir = StartDir();
            BsqName = "Seq";
            BsqSlotCur = 1;
            auto* w = new frmBsq(p.f);
            w->Show();
            w->List1->setListIndex(0);
            return w;
        },
        [] { return 0.0; }, "the file was refused");
}
BENCHMARK(BM_OpenBsqWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

}  // namespace
