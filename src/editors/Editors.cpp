#include "editors/Editors.h"

#include "banks/Links.h"
#include "editors/PrgRec.h"
#include "editors/frmEditPerf.h"
#include "editors/arrangement/ArrRec.h"
#include "editors/arrangement/frmEditArr.h"
#include "editors/frmEditPrg.h"
#include "editors/frmMultisample.h"
#include "editors/global/frmGbl.h"
#include "library/Links.h"
#include "shell/frmMain.h"

namespace {
// The program editor as the program file windows reach it.
struct ProgramEditors : ProgramEditorLinkT {
    void prgRecBuild(ChildForm* window, int index) override { PrgRecBuild(window, index); }
    void editPrgFill() override {
        if (frmEditPrg* f = frmEditPrg::Open()) f->EditPrgFill();
    }
    void show() override {
        if (frmMain* m = MainForm()) ToolForm::Instance<frmEditPrg>(m)->Show();
    }
    bool unload() override {
        // Both editors of the program answer before either closes: a Cancel
        // in the one that asks keeps them both.
        frmEditPrg* f = frmEditPrg::Open();
        frmEditPerf* p = frmEditPerf::Open();
        if ((f && !f->QueryClose()) || (p && !p->QueryClose())) return false;
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
};

// The arrangement editor as the arrangement, style and program windows
// reach it.
struct ArrangementEditor : EditorLinkT {
    void arrRecBuild(const std::string& image, int index) override { ArrRecBuild(image, index); }
    bool arrRecStore() override { return ArrRecStore(); }
    void editArrFill() override {
        if (frmEditArr* f = frmEditArr::Open()) f->EditArrFill();
    }
    void editArrStyAssign(int row, const std::string& image) override {
        if (frmEditArr* f = frmEditArr::Open()) f->EditArrStyAssign(row, image);
    }
    bool editArrPrgAssign(int n, const std::string& image) override {
        frmEditArr* f = frmEditArr::Open();
        return f && f->EditArrPrgAssign(n, image);
    }
    void show() override {
        if (frmMain* m = MainForm()) ToolForm::Instance<frmEditArr>(m)->Show();
    }
    void unload() override {
        if (frmEditArr* f = frmEditArr::Open()) f->Unload();
    }
    std::string caption() override {
        frmEditArr* f = frmEditArr::Open();
        return f ? f->Caption() : std::string();
    }
};
// How the editors build their records whole and show a new file name.
struct RecordEditors : RecordEditorsT {
    void rebuild(EditRecord& record, ChildForm* window, int index) override {
        if (&record == &ProgramEdit.record)
            PrgRecBuild(window, index);
        else
            ArrRecBuild(window->Tag(), index);
    }
    bool keep(EditRecord& record) override {
        if (&record == &ArrangementEdit.record) {
            frmEditArr* f = frmEditArr::Open();
            return record.keepBeforeReplace(2, f ? f->Caption() : std::string(), [] { return ArrRecStore(); });
        }
        frmEditPrg* f = frmEditPrg::Open();
        frmEditPerf* p = frmEditPerf::Open();
        if (f) f->resetMultisampleBoxes();
        const std::string title = f ? f->Caption() : p ? p->Caption() : std::string();
        return record.keepBeforeReplace(4, title, [] { return PrgRecStore() == 0; });
    }
    void close(EditRecord& record) override {
        if (&record == &ArrangementEdit.record) {
            if (frmEditArr* f = frmEditArr::Open()) f->Unload();
            return;
        }
        if (frmEditPrg* f = frmEditPrg::Open()) f->closeForWindow();
        if (frmEditPerf* p = frmEditPerf::Open()) p->Unload();
    }
    void renamed(const EditRecord& record) override {
        if (&record == &ArrangementEdit.record) {
            if (frmEditArr* f = frmEditArr::Open()) f->recaption();
            return;
        }
        if (frmEditPrg* f = frmEditPrg::Open()) f->setCaption(EditPrgCaption(PrgRec));
        if (frmEditPerf* f = frmEditPerf::Open()) f->recaption();
    }
};
}  // namespace

void InstallEditors() {
    static RecordEditors records;
    RegisterLink<RecordEditorsT>(&records);
    static ProgramEditors editors;
    RegisterLink<ProgramEditorLinkT>(&editors);
    static ArrangementEditor arrangement;
    RegisterLink<EditorLinkT>(&arrangement);
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
