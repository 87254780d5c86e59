// The program editor: construction and life cycle.
#include "editors/frmEditPrg.h"

#include <QMouseEvent>

#include "app/Messages.h"
#include "app/state.h"
#include "banks/state.h"
#include "editors/PrgRec.h"
#include "editors/frmEditPerf.h"
#include "editors/state.h"
#include "files/WindowImage.h"
#include "midi/MIDI.h"
#include "platform/Dialogs.h"
#include "shell/MenuAgg.h"
#include "shell/frmMain.h"
#include "shell/state.h"

frmEditPrg::frmEditPrg(MdiFrame* frame) : ToolForm(frame, QStringLiteral("frmEditPrg"), Kind) {
    buildPages();
    instance_ = this;
}

frmEditPrg::~frmEditPrg() {
    if (instance_ == this && Loaded()) EditPrgOpen = false;
}

frmEditPrg* frmEditPrg::Open() {
    frmEditPrg* f = instance_.data();
    return f && f->Loaded() && !f->Discarded() ? f : nullptr;
}

void frmEditPrg::Form_Load() {
    const Quiet quiet;
    ToolLoaded(true);
    setTag(WindowImageNew(Kind));
    for (int i = 0; i < 3; ++i) boxColours(i, false);
    multisampleShow(1, 0);
    multisampleShow(2, 0);
    EditPrgFill();
    showOscillator(1);
    PrgOscSel = 1;
    OscTextSel = 0;
    if (!EditPerfOpen) PrgModified = false;
    EditPrgOpen = true;
    SSTab1->setTab(0);
}

void frmEditPrg::Form_Activate() { MenuAgg(); }

void frmEditPrg::Form_Deactivate() { boxColours(0, false); }

void frmEditPrg::Form_Resize() {
    SSTab1->setGeometry(0, 0, width(), height());
    if (Busy) return;
    ToolResizedToStandard();
    MenuAgg();
}

void frmEditPrg::Form_QueryUnload(int& Cancel, int /*UnloadMode*/) {
    if (!PrgRecMayClose(EditPerfOpen, frmEditPerf::Open(), Caption())) Cancel = 1;
}

void frmEditPrg::Form_Unload(int& /*Cancel*/) {
    EditPrgOpen = false;
    OscTextSel = 0;
    ToolUnloaded(true);
    ProgramEdit.record.editorClosed();
    // Closed by the user: back to the program window the program came from,
    // which offers Edit again; a window closing its editors goes on closing.
    if (!closedByWindow_ && !AppClosing)
        if (ChildForm* source = ProgramEdit.record.source(); source && source->Loaded()) source->activate();
    MenuAgg();
}

bool frmEditPrg::closeForWindow() {
    closedByWindow_ = true;
    const bool gone = Unload();
    closedByWindow_ = false;
    return gone;
}

void frmEditPrg::Form_MouseDown(int button) {
    if (button != vbRightButton) return;
    if (frmMain* m = MainForm()) PopupMenu(m->mnuModifica->subMenu());
}

void frmEditPrg::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::RightButton) {
        e->accept();
        Form_MouseDown(vbRightButton);
        return;
    }
    ToolForm::mousePressEvent(e);
}

void frmEditPrg::boxColours(int i, bool selected) {
    BasText[i]->setBackColor(selected ? SelectedBack : NormalBack);
    BasText[i]->setForeColor(selected ? SelectedFore : NormalFore);
}

void frmEditPrg::resetMultisampleBoxes() {
    for (int i = 0; i < 3; ++i) boxColours(i, false);
    OscTextSel = 0;
}

void frmEditPrg::showOscillator(int osc) {
    const int k = osc == 2 ? 1 : 0;
    BasOption[k]->setValue(true);
    OscOption[k]->setValue(true);
    OscOption[2 + k]->setValue(true);
}

void frmEditPrg::BasOption_Click(int i) {
    if (binder_.quiet()) return;
    ModeTx02();
    PrgOscSelect(i + 1);
}

void frmEditPrg::OscOption_Click(int i) {
    if (binder_.quiet()) return;
    ModeTx02();
    PrgOscSelect(i % 2 + 1);
}
