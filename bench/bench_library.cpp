// Opening an arrangement file in its window (read, check, image, list fill,
// shown and painted), against filling and painting a bare 64-row list in
// the same run. The counter "ratio" is the window's time over the bare list's.
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
#include "platform/Files.h"
#include "platform/MidiDevice.h"
#include "platform/Paths.h"
#include "platform/bytes.h"
#include "shell/frmMain.h"

namespace {

using Clock = std::chrono::steady_clock;

double seconds(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double>(b - a).count(); }

double bareListPaint(const std::string& file) {
    const auto t0 = Clock::now();
    QListWidget l;
    for (int i = 0; i < 64; ++i)
        l.addItem(QString::fromLatin1(file.data() + ArrHdrLen + ArrBlkLen * i, 16));
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

void BM_OpenArrangementFile(benchmark::State& state) {
    QTemporaryDir sysDir, startDir;
    SetSystemDir(sysDir.path().toStdString());
    SetStartDir(startDir.path().toStdString());
    MidiDev::UseCapture();
    InstallShell();
    InstallLibrary();
    WriteWholeFile(PathJoin(StartDir(), "i40Sty"), StyTemplateImage());
    LanguageChooser = [] { LangSel = 2; };
    StartUp();
    Starting = true;
    auto* f = new frmMain();
    f->Show();
    Starting = false;
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
    delete f;
    InstanceLockRelease();
    LanguageChooser = nullptr;
}
BENCHMARK(BM_OpenArrangementFile)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

}  // namespace
