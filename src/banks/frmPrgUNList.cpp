// The program file window's list: the pick, the channel box, the keys and
// what the window does when it becomes the active one.
#include "app/Captions.h"
#include "app/ImageLayout.h"
#include "app/InfoFile.h"
#include "app/Links.h"
#include "app/Messages.h"
#include "app/state.h"
#include "banks/Links.h"
#include "banks/frmPrgUN.h"
#include "banks/state.h"
#include "library/Links.h"
#include "library/state.h"
#include "midi/MIDI.h"
#include "midi/state.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "platform/Timer.h"
#include "platform/bytes.h"
#include "shell/EditCommands.h"
#include "shell/MenuAgg.h"
#include "shell/state.h"

namespace {
constexpr int Idle = 10, ClickWaits = 9;

bool editorThere() { return IsLinked<ProgramEditorLinkT>(); }
}  // namespace

void frmPrgUN::Combo1_Click() {
    if (loading() || showing_) return;
    const int c = Combo1->ListIndex();
    if (c < 0) return;
    ImgSet(Tag(), ImgPrgChannelByte, static_cast<unsigned>(c));
    ImgSet(Tag(), ImgPrgChanged, 1);
    setCaption(DocCaptionBuild(Tag()));
    PrgSlotCur = slot();
    if (fileWindow() && slot() != 0) PrgSlots[static_cast<std::size_t>(slot())].Chan = static_cast<uint8_t>(c);
}

bool frmPrgUN::instrumentHolds() const {
    const std::string name = PathName(ImgPathOf(Tag()));
    // Every untitled window carries the same title: only the one whose send
    // went out last is on the instrument. While one is, a file of that name
    // is not.
    if (at(Tag(), ImgUntitled) == 1) return PrgUntitledSent == this && InfoTitleIs(InfoPrgTitle, name);
    if (PrgUntitledSent && name == Msg(81)) return false;
    return InfoTitleIs(InfoPrgTitle, name);
}

void frmPrgUN::List1_Click() {
    if (loading() || showing_) return;
    const int row = List1->ListIndex();
    if (row < 0 || row > 63) return;
    lastRow_ = row;
    const std::string text = List1->List(row);
    if (PrgRowEmpty(text)) return MenuAgg();
    CommEdit->setEnabled(!PrgRowIsReference(text) && !EditPrgOpen && editorThere());
    MenuAgg();
    // A click takes the place of the selection an Edit waits to send.
    editSelect_ = -1;
    select(row, false);
}

void frmPrgUN::select(int row, bool forEdit) {
    // The click, or the Edit's selection, goes on when the file has gone out.
    auto park = [this, row, forEdit] {
        TimerList1->setInterval(ClickWaits);
        editSelect_ = forEdit ? row : -1;
    };
    if (TimerList1->Interval() == ClickWaits) {
        // The repeat after the file's send.
        TimerList1->setInterval(Idle);
    } else if (TimerLoadPrg->Interval() != Idle) {
        // A send is pending.
        return park();
    } else if (CaricaPrgOpt) {
        InfoFileRead();
        if (!instrumentHolds()) {
            park();
            CommLoad_Click();
            return;
        }
    }
    if (!forEdit) {
        if (!PrgRowIsReference(List1->List(row))) feedEditors(row);
        if (EditArrSelPrg && fileWindow()) {
            // A new file has nothing the arrangement could refer to.
            EditorLink().editArrPrgAssign(row, Tag());
        }
    }
    const std::string image = Tag();
    MidiMonLog("");
    PrgSelectSend(image, row);
    ProgramEdit.record.instrumentSelected(this, row);
    MidiMonLogSent();
    if (forEdit && !EditPerfOpen) ModeTx02();
}

void frmPrgUN::feedEditors(int row) {
    ProgramEditorLinkT& editor = ProgramEditorLink();
    if (!EditPrgOpen && !EditPerfOpen) return editor.prgRecBuild(this, row);
    QPointer<frmPrgUN> self(this);
    // A program that could not be stored stays the one being edited; the
    // click still selects the new one on the instrument.
    if (!ProgramEdit.record.keepBeforeReplace()) return;
    if (!self || !self->Loaded()) return;
    // Built from the image as it is now, the kept program stored in it.
    editor.prgRecBuild(this, row);
    if (EditPrgOpen) editor.editPrgFill();
    if (EditPerfOpen) editor.perfRecaption();
}

void frmPrgUN::TimerList1_Timer() {
    TimerList1->setEnabled(false);
    const int edited = editSelect_;
    editSelect_ = -1;
    if (edited < 0) return List1_Click();
    if (loading()) return;
    const std::string text = List1->List(edited);
    if (!PrgRowEmpty(text) && !PrgRowIsReference(text))
        select(edited, true);
    else
        TimerList1->setInterval(Idle);
}

void frmPrgUN::List1_KeyDown(int KeyCode, int /*Shift*/) {
    if (KeyCode == 46) return mnuTaglia_Click();
    if (KeyCode != 32 || !PrgSelAutoOn) return;
    // Back to the arrangement file of the same folder and name, when a
    // window shows it.
    FilePathCur = ImgPathOf(Tag());
    for (int s = 1; s <= 8; ++s) {
        const SlotRec& rec = ArrSlots[static_cast<std::size_t>(s)];
        if ((rec.State != 1 && rec.State != 2) || !SamePath(rtrim(rec.Path), FilePathCur)) continue;
        ChildForm* w = WindowOf(WinFamily::ArrU, s);
        if (!w) continue;
        if (w->WindowState() == vbMinimized) w->setWindowState(vbNormal);
        w->activate();
        return;
    }
}

bool frmPrgUN::rowEditable(int row) const {
    if (row < 0 || row >= List1->ListCount()) return false;
    const std::string text = List1->List(row);
    return !PrgRowEmpty(text) && !PrgRowIsReference(text);
}

bool frmPrgUN::editorMayOpen() const { return !EditPrgOpen && editorThere(); }

void frmPrgUN::Form_Activate() {
    DocWindow::Form_Activate();
    offerEdit(List1, CommEdit);
    if (!PrgSelAutoOn || PrgSelAutoNum <= 0) return;
    // Only the program file window of the arrangement just picked takes it.
    const DocumentT* companion = ProgramFileHolder(PrgSelAutoStem);
    if (!companion || DocumentOf(this) != companion) return;
    // The program the arrangement just picked is paired with: its row code.
    const int t = PrgSelAutoNum / 10, u = PrgSelAutoNum % 10;
    PrgSelAutoNum = 0;
    if (t < 1 || t > 8 || u < 1 || u > 8) return;
    const int row = 8 * (t - 1) + u - 1;
    // Set quietly, then picked once, also when it was the current row
    // already: the paired program always goes out.
    showing_ = true;
    if (lastRow_ < 99) List1->setSelected(lastRow_, false);
    List1->setSelected(row, true);
    List1->setListIndex(row);
    showing_ = false;
    lastRow_ = row;
    List1_Click();
}
