#pragma once
// What the window benchmarks share: a steady clock in seconds, and the
// program started up to its painted frame in fresh folders.
#include <QTemporaryDir>
#include <chrono>

#include "app/DevState.h"
#include "app/Main.h"
#include "app/state.h"
#include "banks/Banks.h"
#include "files/FileFormats.h"
#include "library/Library.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/MidiDevice.h"
#include "platform/Paths.h"
#include "shell/frmMain.h"

using BenchClock = std::chrono::steady_clock;

inline double seconds(BenchClock::time_point a, BenchClock::time_point b) {
    return std::chrono::duration<double>(b - a).count();
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
        InstanceLockRelease();
        LanguageChooser = nullptr;
        if (dialogs_) SetDialogService(nullptr);
    }
    BenchProgram(const BenchProgram&) = delete;
    BenchProgram& operator=(const BenchProgram&) = delete;

private:
    DialogService* dialogs_;
};
