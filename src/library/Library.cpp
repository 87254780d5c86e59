#include "library/Library.h"

#include "app/Links.h"
#include "app/Messages.h"
#include "app/Mru.h"
#include "app/Tables.h"
#include "app/state.h"
#include "files/OpenDlg.h"
#include "library/Links.h"
#include "library/frmArrAB.h"
#include "library/frmArrNew.h"
#include "library/frmArrU.h"
#include "library/frmBsq.h"
#include "library/frmStyAB.h"
#include "library/frmStyUN.h"
#include "platform/Paths.h"
#include "shell/frmMain.h"

namespace {

// What the shared window procedures reach of the arrangement windows.
struct ArrWindows : ArrWindowLinkT {
    void unloadArrU(int slot) override {
        if (slot < 1 || slot > 9) return;
        frmArrU* f = ArrUForms()[static_cast<std::size_t>(slot)];
        if (f && f->Loaded() && !f->Discarded()) f->Unload(vbFormCode);
    }
    void showArrAB(int kind) override { ArrABShow(kind); }
};
ArrWindows arrWindows;

}  // namespace

void mnuApriArr_Click() {
    if (!MainForm()) return;
    ArrSlotCur = ArrSlotFree();
    if (ArrSlotCur == 0) return;  // the command is off then
    const int slot = ArrSlotCur;
    switch (FileOpenDlg(19)) {
    case 0: break;
    case 2: ErrMsg(ErrAlreadyOpen, MsgTitle, ""); return;
    case 3: ErrMsg(ErrFileNotFound, MsgTitle, ""); return;
    default: return;  // cancelled, or the reader has said why
    }
    frmMain* m = MainForm();
    if (!m) return;
    ArrSlotUsed[static_cast<std::size_t>(slot)] = 1;
    CaricaPrgPending = true;
    ArrSlotCur = slot;
    QPointer<frmArrU>& f = ArrUForms()[static_cast<std::size_t>(slot)];
    if (!LiveOn(f, m)) f = new frmArrU(m);
    f->Show();
    ArrPathFindOpen();
    if (ArrSlotFree() == 0) MainWindowLink().enableMenu(MenuId::mnuApriArr, false);
    if (AutoDBArrOpt && !FindIDPending) DatabaseLink().dbArrAdd(19);
    MruAdd((ArrDir.empty() ? ArrName : PathJoin(ArrDir, ArrName)) + ".arr", RdOnlyOpen);
}

void InstallLibrary() {
    RegisterMenuCommand(MenuId::mnuApriArr, [] { mnuApriArr_Click(); });
    RegisterLink<ArrWindowLinkT>(&arrWindows);
    InstallStyleWindows();
    RegisterMenuCommand(MenuId::mnuNuovoArr, [] { mnuNuovoArr_Click(); });
    RegisterMenuCommand(MenuId::mnuApriBSQ, [] { mnuApriBSQ_Click(); });
    RegisterMenuCommand(MenuId::mnuArrA, [] { mnuArrA_Click(); });
    RegisterMenuCommand(MenuId::mnuArrB, [] { mnuArrB_Click(); });
    RegisterMenuCommand(MenuId::mnuStyA, [] { mnuStyA_Click(); });
    RegisterMenuCommand(MenuId::mnuStyB, [] { mnuStyB_Click(); });
}
