#pragma once
// A main-window test: the program started in-process up to its frame, with
// the capture MIDI back-end, scripted dialogs, the manual clock and 15 twips
// per pixel.
#include <QPointer>
#include <functional>
#include <vector>

#include "app/DevState.h"
#include "app/Main.h"
#include "app/Links.h"
#include "app/state.h"
#include "app/WindowJobs.h"
#include "files/FileFormats.h"
#include "files/WindowImage.h"
#include "midi/state.h"
#include "platform/Controls.h"
#include "platform/Timer.h"
#include "shell/frmMain.h"
#include "shell/state.h"
#include "testenv.h"

class ShellTest : public VelmoraTest {
protected:
    void SetUp() override {
        VelmoraTest::SetUp();
        InstanceLockRelease();
        resetMidiState();
        resetShellState();
        ResetLinks();
        OverrideTwipsPerPixel(15, 15);
        InstallShell();
        writeFileBytes(startFile("i40Sty"), StyTemplateImage());
        LanguageChooser = [] { LangSel = 2; };
    }
    void TearDown() override {
        delete frame.data();
        InstanceLockRelease();
        LanguageChooser = nullptr;
        OverrideTwipsPerPixel(0, 0);
        VelmoraTest::TearDown();
    }
    // Start-up, then `before` (settings as the last run left them), then the
    // frame's load.
    frmMain* open(const std::function<void()>& before = {}) {
        EXPECT_EQ(StartUp(), 0);
        if (before) before();
        midi->clear();
        Starting = true;
        frame = new frmMain();
        frame->Show();
        Starting = false;
        return frame.data();
    }
    // Every box shown so far as "text|title", one a line.
    std::string boxesShown() const {
        std::string all;
        for (const auto& b : dialogs.shown) all += (all.empty() ? "" : "\n") + b.text + "|" + b.title;
        return all;
    }
    std::string savedIni() const { return readFileBytes(sysFile("Velmora.ini")); }
    QPointer<frmMain> frame;
};

// A child window carrying whatever named controls a test gives it, and the
// jobs it offers; it records the jobs it is asked to run.
class TestChild : public ChildForm, public JobWindow {
public:
    explicit TestChild(MdiFrame* f, const std::string& image) : ChildForm(f, "TestChild") { Tag() = image; }
    std::function<void(int&)> onQuery, onUnload;
    std::function<bool(WindowJob)> offers;
    std::vector<WindowJob> jobsRun;
    bool JobOffered(WindowJob job) const override { return offers && offers(job); }
    void RunJob(WindowJob job) override { jobsRun.push_back(job); }
    void Form_QueryUnload(int& Cancel, int) override {
        if (onQuery) onQuery(Cancel);
    }
    void Form_Unload(int& Cancel) override {
        if (onUnload) onUnload(Cancel);
    }
};

// A test child of the given image, with a list of the given rows, shown.
inline TestChild* ShowTestChild(MdiFrame* f, const std::string& image, const std::vector<std::string>& rows = {}) {
    auto* w = new TestChild(f, image);
    if (!rows.empty()) {
        auto* l = new ListBox(w, "List1");
        for (const auto& r : rows) l->AddItem(r);
    }
    w->Show();
    return w;
}
