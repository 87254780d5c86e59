// The user arrangement window's list: picking an arrangement selects it on
// the instrument, shows its number, program origin and style, and keeps the
// arrangement editor on it.
#include "app/ImageLayout.h"
#include "app/InfoFile.h"
#include "app/Links.h"
#include "app/Messages.h"
#include "app/state.h"
#include "library/ArrUView.h"
#include "library/Links.h"
#include "library/frmArrU.h"
#include "midi/MIDI.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "platform/Timer.h"
#include "platform/bytes.h"
#include "shell/MenuAgg.h"
#include "shell/frmMain.h"

namespace {
// Parked-click states of TimerList1.
constexpr int ClickIdle = 10, ClickAfterBank = 11, ClickAfterStyles = 12;
}  // namespace

void frmArrU::List1_Click() {
    if (loading()) return;
    const int idx = List1->ListIndex();
    if (idx < 0) return;
    // A click takes the place of the selection an Edit waits to send.
    editSelect_ = -1;
    MenuAgg();
    if (ArrRowEmpty(List1->List(idx))) {
        CommEdit->setEnabled(false);
        setMenu(MenuId::mnuEdit, false);
        showRow(idx);
        StatusMsg(0);
        return;
    }
    select(idx, false);
}

void frmArrU::TimerList1_Timer() {
    TimerList1->setEnabled(false);
    const int edited = editSelect_;
    editSelect_ = -1;
    if (edited < 0) return List1_Click();
    if (loading()) return;
    if (rowEditable(edited))
        select(edited, true);
    else
        TimerList1->setInterval(ClickIdle);
}

void frmArrU::select(int idx, bool forEdit) {
    QPointer<frmArrU> self(this);
    const std::string row = List1->List(idx);
    // The file's name as the info file records the one the instrument holds.
    const std::string name = PathName(ImgPathOf(Tag()));
    // A send the selection waits for: the click (or the Edit's selection)
    // goes on when it has ended.
    auto parkFor = [this, idx, forEdit](int state) {
        TimerList1->setInterval(state);
        editSelect_ = forEdit ? idx : -1;
    };
    bool selectOnly = false;
    switch (TimerList1->Interval()) {
    case ClickAfterStyles:
        TimerList1->setInterval(ClickIdle);
        selectOnly = true;
        break;
    case ClickAfterBank:
        TimerList1->setInterval(ClickIdle);
        break;
    case ClickIdle:
        if (CaricaArrOpt) {
            InfoFileRead();
            if (!InfoTitleIs(InfoArrTitle, name)) {
                parkFor(ClickAfterBank);
                CommLoadArr_Click();
                return;
            }
        }
        break;
    default: break;
    }

    if (!selectOnly) {
        // An Edit has put the row into the editor already.
        if (!forEdit && EditArrOpen) {
            feedEditor(idx);
            if (!self || !self->Loaded()) return;
        } else if (!forEdit && IsLinked<EditorLinkT>()) {
            CommEdit->setEnabled(true);
            setMenu(MenuId::mnuEdit, true);
        }
        if (ModeNow != 0) ModeTx0A();
        if (!forEdit) {
            // The file's number and the arrangement's place in it.
            ArrSlotWork = ArrSlots[static_cast<std::size_t>(slot())];
            ArrDBID = ArrSlotWork.DBID;
            showRow(idx);
        }
        if (ArrUsesOwnStyle(Tag(), idx) && CaricaStyOpt) {
            const std::string styTitle = InfoFileRead();
            if (!InfoTitleIs(styTitle, name)) {
                parkFor(ClickAfterStyles);
                CommLoadSty_Click();
                return;
            }
        }
    }

    // The selection.
    MidiMonLog("");
    sendSelection(idx);
    MidiMonLogSent();
    StatusMsg(0);
    if (forEdit) return;

    // The program paired with the arrangement's name.
    if (!PrgSelAutoOn) return;
    const int k = PrgSelAutoFind(PrgSelAutoTab, row);
    if (k < 0) return;
    PrgSelAutoNum = PrgSelAutoNumOf(PrgSelAutoTab[static_cast<std::size_t>(k)].prgText);
    CommShowPrg_Click();
}

void frmArrU::sendSelection(int row) {
    int n = row;
    ArrSelectSend(n, 19);
    ArrangementEdit.record.instrumentSelected(this, row);
}

void frmArrU::showRow(int idx) {
    if (idx < 0 || idx >= List1->ListCount()) return;
    if (ArrRowEmpty(List1->List(idx))) {
        Combo1->setText("");
        Text1->setText("");
        Text2->setText("");
        return;
    }
    const int id = ArrSlots[static_cast<std::size_t>(slot())].DBID;
    Text1->setText(id > 0 ? std::to_string(id) + " " + List1->List(idx).substr(0, 2) : std::string());
    Text2->setText(ArrUsesUserProgram(Tag(), idx) ? "User" : Msg(98));
    Combo1->setText(ArrStyleText(Tag(), idx));
}

void frmArrU::List1_DblClick() {
    const int i = List1->ListIndex();
    if (i >= 0 && !ArrRowEmpty(List1->List(i))) CommEdit_Click();
}

void frmArrU::List1_KeyDown(int KeyCode, int /*Shift*/) {
    if (KeyCode == 32) {
        if (PrgSelAutoOn) CommShowPrg_Click();
    } else if (KeyCode == 46) {
        if (ImgIsRdOnly(Tag()))
            ErrMsg(ErrReadOnly, "", "");
        else
            RunMenuCommand(MenuId::mnuTaglia);
    }
}

void frmArrU::feedEditor(int idx) {
    // An arrangement that could not be stored stays the one being edited.
    QPointer<frmArrU> self(this);
    if (!ArrangementEdit.record.keepBeforeReplace()) return;
    if (!self || !self->Loaded()) return;
    EditorLink().arrRecBuild(Tag(), idx);
    // A closed editor fills itself from the record as it loads.
    if (EditArrOpen) EditorLink().editArrFill();
}

void frmArrU::CommEdit_Click() {
    const int idx = List1->ListIndex();
    if (!rowEditable(idx)) return;
    QPointer<frmArrU> self(this);
    EditRecord& record = ArrangementEdit.record;
    // The editor already on this arrangement comes forward with its edit.
    if (!record.editing(this, idx)) feedEditor(idx);
    if (!self || !self->Loaded()) return;
    // Its live changes go to the arrangement it shows: the instrument is
    // given that one when the last selection was another.
    if (record.holds(this, idx) && !record.instrumentHas(this, idx)) select(idx, true);
    if (!self || !self->Loaded()) return;
    CommEdit->setEnabled(false);
    setMenu(MenuId::mnuEdit, false);
    EditorLink().show();
}

