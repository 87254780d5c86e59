#include "editors/Editors.h"

#include "banks/Links.h"
#include "editors/PrgRec.h"
#include "editors/frmEditPerf.h"
#include "editors/frmEditPrg.h"
#include "editors/frmMultisample.h"
#include "editors/global/frmGbl.h"
#include "shell/frmMain.h"

namespace {
// The program editor as the program file windows reach it.
struct ProgramEditors : ProgramEditorLinkT {
    void prgRecBuild(ChildForm* window, int index) override { PrgRecBuild(window, index); }
    int prgRecStore() override { return PrgRecStore(); }
    void editPrgFill() override {
        if (frmEditPrg* f = frmEditPrg::Open()) f->EditPrgFill();
    }
    void show() override {
        if (frmMain* m = MainForm()) ToolForm::Instance<frmEditPrg>(m)->Show();
    }
    bool unload() override {
        frmEditPrg* f = frmEditPrg::Open();
        return !f || f->closeForWindow();
    }
    std::string caption() override {
        frmEditPrg* f = frmEditPrg::Open();
        return f ? f->Caption() : std::string();
    }
    bool unloadPerf() override {
        frmEditPerf* f = frmEditPerf::Open();
        return !f || f->Unload();
    }
    std::string perfCaption() override {
        frmEditPerf* f = frmEditPerf::Open();
        return f ? f->Caption() : std::string();
    }
    void setPerfCaption(const std::string& text) override {
        if (frmEditPerf* f = frmEditPerf::Open()) f->setCaption(text);
    }
    void perfRecaption() override { setPerfCaption(PerfRecaptionText()); }
    void resetMultisampleBoxes() override {
        if (frmEditPrg* f = frmEditPrg::Open()) f->resetMultisampleBoxes();
    }
};
}  // namespace

void InstallEditors() {
    static ProgramEditors editors;
    RegisterLink<ProgramEditorLinkT>(&editors);
    static Registration picker;
    picker = RegisterNamed(NamedWindow::frmMultisample, [](int) {
        if (frmMain* m = MainForm()) ToolForm::Instance<frmMultisample>(m)->Show();
    });
    static Registration perf;
    perf = RegisterNamed(NamedWindow::frmEditPerf, [](int) {
        if (frmMain* m = MainForm()) ToolForm::Instance<frmEditPerf>(m)->Show();
    });
    InstallGlobalWindows();
}
