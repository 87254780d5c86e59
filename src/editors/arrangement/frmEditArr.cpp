// The arrangement editor: construction and life cycle.
#include "editors/arrangement/frmEditArr.h"

#include "app/Messages.h"
#include "app/state.h"
#include "editors/arrangement/ArrRec.h"
#include "editors/arrangement/ArrState.h"
#include "editors/state.h"
#include "files/WindowImage.h"
#include "library/state.h"
#include "midi/state.h"
#include "platform/Dialogs.h"
#include "shell/MenuAgg.h"
#include "shell/state.h"

frmEditArr::frmEditArr(MdiFrame* frame) : ToolForm(frame, QStringLiteral("frmEditArr"), Kind) {
    setCaption("Edit Arrangement");
    buildLayout();
    instance_ = this;
}

frmEditArr::~frmEditArr() {
    if (instance_ == this && Loaded()) EditArrOpen = false;
}

frmEditArr* frmEditArr::Open() {
    frmEditArr* f = instance_.data();
    return f && f->Loaded() && !f->Discarded() ? f : nullptr;
}

void frmEditArr::Form_Load() {
    const Quiet quiet;
    ToolLoaded(true);
    EditArrSelName = false;
    EditArrSelSty = false;
    EditArrSelPrg = 0;
    EditArrSelFlags.fill(0);
    EditArrOpen = true;
    ArrModified = false;
    EditArrBackColor = Text1[0]->BackColor();
    EditArrForeColor = Text1[0]->ForeColor();
    for (CommandButton* b : EffComm) b->setCaption("On");
    paintMuteSolo();
    EditArrFill();
    setTag(WindowImageNew(Kind));
    SSTab1->setTab(0);
}

void frmEditArr::Form_Activate() { MenuAgg(); }

void frmEditArr::Form_Resize() {
    SSTab1->setGeometry(0, 0, width(), height());
    if (Busy) return;
    ToolResizedToStandard();
    MenuAgg();
}

void frmEditArr::Form_QueryUnload(int& Cancel, int /*UnloadMode*/) {
    // An arrangement that could not be stored is not taken for saved: the
    // editor stays open with the edits, as after Cancel.
    if (!ArrangementEdit.record.mayClose(false, 2, Caption())) Cancel = 1;
}

void frmEditArr::Form_Unload(int& /*Cancel*/) {
    ArrNameChanged = false;
    EditArrSelName = false;
    EditArrSelSty = false;
    EditArrSelPrg = 0;
    EditArrSelFlags.fill(0);
    SaveCancelled = false;
    EditArrOpen = false;
    ToolUnloaded(true);
    ArrangementEdit.record.editorClosed();
    MenuAgg();
}
