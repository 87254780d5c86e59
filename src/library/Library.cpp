#include "library/Library.h"

#include <string>
#include <vector>

#include "app/Links.h"
#include "app/Messages.h"
#include "app/Mru.h"
#include "app/Tables.h"
#include "app/state.h"
#include "documents/Documents.h"
#include "library/DocWindow.h"
#include "library/FormFamily.h"
#include "library/Links.h"
#include "library/frmArrAB.h"
#include "library/frmArrNew.h"
#include "library/frmArrU.h"
#include "library/frmBsq.h"
#include "library/frmStyAB.h"
#include "library/frmStyUN.h"
#include "platform/Controls.h"
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
    bool selectArrAB(int kind, int pos) override {
        if (kind != 2 && kind != 3) return false;
        frmArrAB* f = ArrABForm(kind);
        frmMain* m = MainForm();
        if (!m || !LiveOn(ArrABForm(kind), m) || !f->Loaded()) return false;
        if (f->WindowState() == vbMinimized) f->setWindowState(vbNormal);
        f->activate();
        if (pos < 0 || pos > 63) return true;
        const int cur = f->List1->ListIndex();
        if (cur >= 0) f->List1->setSelected(cur, false);
        f->List1->setListIndex(pos);
        f->List1->setSelected(pos, true);
        f->List1_Click();
        return true;
    }
};
ArrWindows arrWindows;

std::vector<Registration>& familyRegistrations() {
    static std::vector<Registration> regs;
    return regs;
}

}  // namespace

void mnuApriArr_Click() {
    if (!OpenFromDialog(WinFamily::ArrU)) return;
    const int slot = ArrSlotCur;
    ArrPathFindOpen();
    if (AutoDBArrOpt && !FindIDPending) {
        // The number the add gives shows at once in the new window.
        ArrDBID = 0;
        DatabaseLink().dbArrAdd(19);
        frmArrU* w = slot >= 1 && slot <= 8 ? ArrUForms()[static_cast<std::size_t>(slot)].data() : nullptr;
        if (ArrDBID > 0 && w && w->Loaded()) {
            w->Text1->setText(std::to_string(ArrDBID));
            ArrSlots[static_cast<std::size_t>(slot)].DBID = ArrDBID;
        }
    }
}

void InstallLibrary() {
    RegisterCloseAnswered(&DocWindow::ResumeHeldForExit);
    auto& regs = familyRegistrations();
    regs.clear();
    regs.push_back(RegisterWindowFamily(
        WinFamily::ArrU, FamilyOf(&ArrUForms, [](frmMain* m) { return new frmArrU(m); })));
    regs.push_back(RegisterWindowFamily(
        WinFamily::ArrNew, FamilyOf(&ArrNewForms, [](frmMain* m) { return new frmArrNew(m); })));
    regs.push_back(RegisterWindowFamily(
        WinFamily::StyUN, FamilyOf(&StyUNForms, [](frmMain* m) { return new frmStyUN(m, 23); })));
    regs.push_back(RegisterWindowFamily(
        WinFamily::StyNew, FamilyOf(&StyNewForms, [](frmMain* m) { return new frmStyUN(m, 24); })));
    regs.push_back(RegisterWindowFamily(
        WinFamily::Bsq, FamilyOf(&BsqForms, [](frmMain* m) { return new frmBsq(m); })));
    RegisterMenuCommand(MenuId::mnuApriArr, [] { mnuApriArr_Click(); });
    RegisterLink<ArrWindowLinkT>(&arrWindows);
    InstallStyleWindows();
    RegisterMenuCommand(MenuId::mnuNuovoArr, [] { mnuNuovoArr_Click(); });
    RegisterMenuCommand(MenuId::mnuArrA, [] { mnuArrA_Click(); });
    RegisterMenuCommand(MenuId::mnuArrB, [] { mnuArrB_Click(); });
    RegisterMenuCommand(MenuId::mnuStyA, [] { mnuStyA_Click(); });
    RegisterMenuCommand(MenuId::mnuStyB, [] { mnuStyB_Click(); });
}
