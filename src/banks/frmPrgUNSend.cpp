// The program file window's buttons: the send of the whole file, the
// program editor, the mode buttons; and its close with the save question.
#include "app/ImageLayout.h"
#include "app/InfoFile.h"
#include "app/Links.h"
#include "app/Messages.h"
#include "app/state.h"
#include "banks/Links.h"
#include "banks/frmPrgUN.h"
#include "banks/state.h"
#include "files/Writers.h"
#include "midi/MIDI.h"
#include "platform/Controls.h"
#include "platform/Paths.h"
#include "platform/Timer.h"
#include "platform/bytes.h"
#include "shell/state.h"

namespace {
constexpr int Idle = 10, SendPending = 9, ClickWaits = 9;
}  // namespace

// ---- the send ---------------------------------------------------------------------

void frmPrgUN::CommLoad_Click() {
    // Pending already: one send at a time, its saved mode kept.
    if (TimerLoadPrg->Interval() != Idle) return;
    TimerLoadPrg->setInterval(SendPending);
    StatusMsg(4);
    savedMode_ = ModeNow;
    if (ModeNow != 0) ModeTx0A();
    TimerLoadPrg->setEnabled(true);
}

void frmPrgUN::TimerLoadPrg_Timer() {
    TimerLoadPrg->setEnabled(false);
    // Armed at rest by the Edit menu: the press.
    if (TimerLoadPrg->Interval() == Idle) return CommLoad_Click();
    TimerLoadPrg->setInterval(Idle);
    QPointer<frmPrgUN> self(this);
    MidiMonLog("");
    const std::string image = Tag();
    if (PrgTxBank(image) == 0) {
        // Only what went out is recorded.
        InfoSetPrg(image, at(image, ImgPrgType) == 0 ? "prg" : "pgg");
        if (at(image, ImgUntitled) == 1) {
            // A new file has no file to become the user bank.
            PrgUntitledSent = this;
        } else {
            PrgUntitledSent = nullptr;
            if (at(image, ImgSlot) != 9) PrgFileLink(image);
        }
    }
    if (!self || !self->Loaded()) return;
    switch (savedMode_) {
    case 1: ModeTx06(); break;
    case 2: ModeTx04(); break;
    case 3: ModeTx0B(); break;
    case 4: ModeTx02(); break;
    default: break;
    }
    StatusMsg(0);
    releaseParkedClick();
}

void frmPrgUN::releaseParkedClick() {
    if (TimerList1->Interval() == ClickWaits) TimerList1->setEnabled(true);
}

void frmPrgUN::stopSend() {
    // A send still pending goes with the window, and the click that waited.
    if (TimerLoadPrg->Interval() != Idle) StatusMsg(0);
    TimerLoadPrg->setEnabled(false);
    TimerLoadPrg->setInterval(Idle);
    TimerList1->setEnabled(false);
    TimerList1->setInterval(Idle);
}

// ---- the editor and the mode buttons ---------------------------------------------------

void frmPrgUN::CommEdit_Click() {
    const int row = List1->ListIndex();
    if (row < 0 || !IsLinked<ProgramEditorLinkT>()) return;
    const std::string text = List1->List(row);
    if (PrgRowEmpty(text) || PrgRowIsReference(text)) return;
    QPointer<frmPrgUN> self(this);
    // An editor already on this program comes forward with its edit; any
    // other program is built as a click builds it, the edit held before
    // kept, stored or dropped first.
    EditRecord& record = ProgramEdit.record;
    if (!record.editing(this, row)) feedEditors(row);
    if (!self || !self->Loaded()) return;
    // Its live changes go to the program it shows: the instrument is given
    // that one when the last selection was another.
    if (record.holds(this, row) && !record.instrumentHas(this, row))
        select(row, true);
    else if (!EditPerfOpen)
        ModeTx02();
    if (!self || !self->Loaded()) return;
    CommEdit->setEnabled(false);
    ProgramEditorLink().show();
}

void frmPrgUN::TimerEdit_Timer() {
    TimerEdit->setEnabled(false);
    CommEdit_Click();
}

void frmPrgUN::CommProgram_Click() { ModeTx02(); }

bool frmPrgUN::JobOffered(WindowJob job) const {
    if (job == WindowJob::LoadPrg) return buttonOn(CommLoad);
    if (job == WindowJob::Edit) return buttonOn(CommEdit) && IsLinked<ProgramEditorLinkT>();
    return false;
}

void frmPrgUN::RunJob(WindowJob job) {
    if (job == WindowJob::LoadPrg) armJob(TimerLoadPrg);
    if (job == WindowJob::Edit && IsLinked<ProgramEditorLinkT>()) armJob(TimerEdit);
}

// ---- closing ------------------------------------------------------------------------

long frmPrgUN::changedPos() const { return ImgPrgChanged; }

std::string frmPrgUN::saveTitle() const {
    const std::string& image = Tag();
    const std::string ext = at(image, ImgPrgType) == 0 ? "prg" : "pgg";
    return "File Program - " + PathName(ImgPathOf(image)) + "." + ext + " (" + std::to_string(at(image, ImgSlot)) +
           ")";
}

bool frmPrgUN::closeDependents() {
    // The editors close first when their program came from this window;
    // each asks its own question, and a Cancel there keeps this window.
    if (!ProgramEdit.record.cameFrom(this)) return true;
    QPointer<frmPrgUN> self(this);
    if (EditPrgOpen) {
        SaveCancelled = false;
        if (!ProgramEditorLink().unload() || SaveCancelled) return false;
        EditPrgOpen = false;
    }
    if (self && EditPerfOpen) {
        SaveCancelled = false;
        if (!ProgramEditorLink().unloadPerf() || SaveCancelled) return false;
        EditPerfOpen = false;
    }
    return true;
}

int frmPrgUN::saveDocument() {
    // A file opened read-only is never written back over: Save As.
    return save(at(Tag(), ImgRdOnly) == 1);
}

int frmPrgUN::save(bool as) {
    const bool imported = at(Tag(), ImgSaveAs) != 0;
    const int r = DocWindow::save(as);
    if (r == 0 && imported) {
        // The import is an ordinary program file now, named as an open names it.
        const std::string path = ImgPathOf(Tag());
        RdOnlyOpen = at(Tag(), ImgRdOnly);
        ExtCur = at(Tag(), ImgPrgType) != 0 ? "pgg" : "prg";
        PrgDir = PathDir(path);
        PrgName = PathName(path);
    }
    return r;
}
