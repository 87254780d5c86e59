// Opening an arrangement file and the largest style file in their windows
// (read, check, image, list fill, shown and painted), against filling and
// painting a bare list of as many rows in the same run. The counter "ratio"
// is the window's time over the bare list's.
#include <benchmark/benchmark.h>

#include <QListWidget>
#include <QTemporaryDir>
#include <chrono>

#include "app/DevState.h"
#include "app/Main.h"
#include "app/state.h"
#include "files/FileFormats.h"
#include "files/Readers.h"
#include "files/state.h"
#include "library/Library.h"
#include "library/frmArrU.h"
#include "library/frmStyUN.h"
#include "library/state.h"
#include "platform/Files.h"
#include "platform/MidiDevice.h"
#include "platform/Paths.h"
#include "platform/bytes.h"
#include "shell/frmMain.h"

namespace {

using Clock = std::chrono::steady_clock;

double seconds(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double>(b - a).count(); }

double bareListPaint(const std::string& file, int rows = 64, long first = ArrHdrLen, long step = ArrBlkLen) {
    const auto t0 = Clock::now();
    QListWidget l;
    for (int i = 0; i < rows; ++i)
        l.addItem(QString::fromLatin1(file.data() + std::min<long>(first + step * i, static_cast<long>(file.size()) - 16), 16));
    l.resize(600, 280);
    l.show();
    benchmark::DoNotOptimize(l.grab().cacheKey());
    return seconds(t0, Clock::now());
}

// A full bank: 64 arrangements on varied factory styles, with its own
// style file beside it.
std::string fullBank() {
    std::string f = ArrBankImage(0);
    for (int i = 0; i < 64; ++i) put(f, ArrHdrLen + ArrBlkLen * i + 18, static_cast<unsigned>((i * 7) % 128));
    return f;
}

// The program started up to its frame, in fresh folders.
struct Program {
    QTemporaryDir sysDir, startDir;
    frmMain* f = nullptr;
    Program() {
        SetSystemDir(sysDir.path().toStdString());
        SetStartDir(startDir.path().toStdString());
        MidiDev::UseCapture();
        InstallShell();
        InstallLibrary();
        WriteWholeFile(PathJoin(StartDir(), "i40Sty"), StyTemplateImage());
        LanguageChooser = [] { LangSel = 2; };
        StartUp();
        Starting = true;
        f = new frmMain();
        f->Show();
        Starting = false;
    }
    ~Program() {
        delete f;
        InstanceLockRelease();
        LanguageChooser = nullptr;
    }
};

void BM_OpenArrangementFile(benchmark::State& state) {
    Program p;
    frmMain* f = p.f;
    const std::string file = fullBank(), path = PathJoin(StartDir(), "Bank");
    WriteWholeFile(path + ".arr", file);
    WriteWholeFile(path + ".sty", StyTemplateImage());
    double ours = 0, bare = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        ArrFileRead(path + ".arr");
        ArrDir = StartDir();
        ArrName = "Bank";
        ArrSlotCur = 1;
        ArrSlotUsed[1] = 1;
        auto* w = new frmArrU(f);
        w->Show();
        benchmark::DoNotOptimize(f->grab().cacheKey());
        const double t = seconds(t0, Clock::now());
        state.SetIterationTime(t);
        ours += t;
        w->Unload();
        bare += bareListPaint(file);
    }
    state.counters["ratio"] = bare > 0 ? ours / bare : 0;
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
    Program p;
    const std::string file = largestStyleFile(), path = PathJoin(StartDir(), "Big");
    WriteWholeFile(path + ".sty", file);
    double ours = 0, bare = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        if (StyFileLoad(path + ".sty") != 0) {
            state.SkipWithError("the style file was refused");
            break;
        }
        StyDir = StartDir();
        StyName = "Big";
        StySlotCur = 1;
        StySlotUsed[1] = 1;
        StyLoopIdx = 0;
        auto* w = new frmStyUN(p.f, 23);
        w->Show();
        benchmark::DoNotOptimize(p.f->grab().cacheKey());
        const double t = seconds(t0, Clock::now());
        state.SetIterationTime(t);
        ours += t;
        w->Unload();
        bare += bareListPaint(file, 19, StyHdrLen, (StyGroupLimit - 1) / 4);
    }
    state.counters["ratio"] = bare > 0 ? ours / bare : 0;
    state.counters["bytes"] = static_cast<double>(file.size());
}
BENCHMARK(BM_OpenLargestStyleFile)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

}  // namespace
