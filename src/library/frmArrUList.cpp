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
    QPointer<frmArrU> self(this);
    MenuAgg();
    const std::string row = List1->List(idx);
    if (ArrRowEmpty(row)) {
        CommEdit->setEnabled(false);
        setMenu(MenuId::mnuEdit, false);
        Combo1->setText("");
        Text1->setText("");
        Text2->setText("");
        StatusMsg(0);
        return;
    }
    // The file's name as the info file records the one the instrument holds.
    const std::string name = PathName(ImgPathOf(Tag()));
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
                TimerList1->setInterval(ClickAfterBank);
                CommLoadArr_Click();
                return;
            }
        }
        break;
    default: break;
    }

    if (!selectOnly) {
        if (EditArrOpen) {
            feedEditor(idx);
            if (!self || !self->Loaded()) return;
        } else if (IsLinked<EditorLinkT>()) {
            CommEdit->setEnabled(true);
            setMenu(MenuId::mnuEdit, true);
        }
        if (ModeNow != 0) ModeTx0A();
        // The file's number and the arrangement's place in it.
        const int s = slot();
        ArrSlotWork = ArrSlots[static_cast<std::size_t>(s)];
        ArrDBID = ArrSlotWork.DBID;
        Text1->setText(ArrDBID > 0 ? std::to_string(ArrDBID) + " " + row.substr(0, 2) : std::string());
        Text2->setText(ArrUsesUserProgram(Tag(), idx) ? "User" : Msg(98));
        Combo1->setText(ArrStyleText(Tag(), idx));
        if (ArrUsesOwnStyle(Tag(), idx) && CaricaStyOpt) {
            const std::string styTitle = InfoFileRead();
            if (!InfoTitleIs(styTitle, name)) {
                TimerList1->setInterval(ClickAfterStyles);
                CommLoadSty_Click();
                return;
            }
        }
    }

    // The selection.
    MidiMonLog("");
    int n = idx;
    ArrSelectSend(n, 19);
    MidiMonLogSent();
    StatusMsg(0);

    // The program paired with the arrangement's name.
    if (!PrgSelAutoOn) return;
    const int k = PrgSelAutoFind(PrgSelAutoTab, row);
    if (k < 0) return;
    PrgSelAutoNum = PrgSelAutoNumOf(PrgSelAutoTab[static_cast<std::size_t>(k)].prgText);
    CommShowPrg_Click();
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
    if (EditArrOpen && !ArrangementEdit.record.keepBeforeReplace(2, EditorLink().caption(),
                                                                 [] { return EditorLink().arrRecStore(); }))
        return;
    if (!self || !self->Loaded()) return;
    EditorLink().arrRecBuild(Tag(), idx);
    // A closed editor fills itself from the record as it loads.
    if (EditArrOpen) EditorLink().editArrFill();
}

void frmArrU::CommEdit_Click() {
    const int idx = List1->ListIndex();
    QPointer<frmArrU> self(this);
    // The editor already on this arrangement comes forward with its edit.
    if (!ArrangementEdit.record.editing(this, idx)) feedEditor(idx);
    if (!self || !self->Loaded()) return;
    CommEdit->setEnabled(false);
    setMenu(MenuId::mnuEdit, false);
    EditorLink().show();
}

