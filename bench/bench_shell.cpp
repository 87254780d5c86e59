// Start-up to the main window's first paint, against a bare frame of the
// same kind painted in the same run. The counter "ratio" is Velmora's time
// over the bare frame's; "frame_ratio" leaves out the start-up's file work
// (settings, device state and info file, written safely with a sync), which
// a bare frame does not do.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QTemporaryDir>
#include <chrono>

#include "benchprogram.h"
#include "app/DevState.h"
#include "app/Main.h"
#include "app/Settings.h"
#include "app/state.h"
#include "files/FileFormats.h"
#include "platform/Files.h"
#include "platform/MidiDevice.h"
#include "platform/Paths.h"
#include "platform/bytes.h"
#include "shell/frmMain.h"

namespace {

using Clock = BenchClock;

double bareFramePaint() {
    const auto t0 = Clock::now();
    QMainWindow w;
    auto* area = new QMdiArea(&w);
    w.setCentralWidget(area);
    w.resize(800, 600);
    w.show();
    benchmark::DoNotOptimize(w.grab().cacheKey());
    return seconds(t0, Clock::now());
}

// Settings of a busy user: every option on, eight recent files, a database
// of full size.
void busyUser(const std::string& sys) {
    LanguageChooser = [] { LangSel = 2; };
    StartUp();
    StatusBarOpt = CaricaArrOpt = CaricaStyOpt = CaricaStyNuovoArrOpt = CaricaPrgOpt = RdOnlyOpt = true;
    AutoDBArrOpt = MidiThruOn = true;
    for (int i = 1; i <= 8; ++i) MruTable[static_cast<std::size_t>(i)] = {"/music/set/song" + std::to_string(i), 0, 0, 0, 0, 1, 0};
    IniWrite();
    std::string db(DBArrLen, ' ');
    putMid(db, 1, DBArrSignature());
    WriteWholeFile(PathJoin(sys, "i40DBArr"), db);
    InstanceLockRelease();
}

void BM_StartUpToFirstPaint(benchmark::State& state) {
    const bool busy = state.range(0) == 1;
    QTemporaryDir sysDir, startDir;
    SetSystemDir(sysDir.path().toStdString());
    SetStartDir(startDir.path().toStdString());
    MidiDev::UseCapture();
    InstallShell();
    WriteWholeFile(PathJoin(StartDir(), "i40Sty"), StyTemplateImage());
    LanguageChooser = [] { LangSel = 2; };
    if (busy) busyUser(SystemDir());
    double ours = 0, bare = 0, startOnly = 0;
    for (auto _ : state) {
        if (!busy) DeleteFile(PathJoin(SystemDir(), "Velmora.ini"));
        const auto t0 = Clock::now();
        StartUp();
        const auto t1 = Clock::now();
        startOnly += seconds(t0, t1);
        Starting = true;
        auto* f = new frmMain();
        f->Show();
        Starting = false;
        benchmark::DoNotOptimize(f->grab().cacheKey());
        const double t = seconds(t0, Clock::now());
        state.SetIterationTime(t);
        ours += t;
        delete f;
        InstanceLockRelease();
        bare += bareFramePaint();
    }
    state.counters["ratio"] = bare > 0 ? ours / bare : 0;
    // The part after the settings and shared files are read and written:
    // building, loading and painting the frame.
    state.counters["frame_ratio"] = bare > 0 ? (ours - startOnly) / bare : 0;
    LanguageChooser = nullptr;
}
BENCHMARK(BM_StartUpToFirstPaint)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
