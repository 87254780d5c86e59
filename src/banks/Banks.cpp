#include "banks/Banks.h"

#include <vector>

#include "app/Links.h"
#include "banks/DBArr.h"
#include "app/state.h"
#include "banks/frmDrum.h"
#include "banks/frmPcgAE.h"
#include "banks/frmPrgSelAuto.h"
#include "banks/frmPrgUN.h"
#include "shell/frmMain.h"

namespace {

// Shows the one window of `kind` (first..last) of an instance array,
// created on first use; an open window is only brought to the front.
template <class F, std::size_t N>
void showOfKind(std::array<QPointer<F>, N>& forms, int kind, int first) {
    frmMain* m = MainForm();
    if (!m || kind < first || kind >= static_cast<int>(N)) return;
    QPointer<F>& f = forms[static_cast<std::size_t>(kind)];
    if (!LiveOn(f, m)) f = new F(m, kind);
    f->Show();
}

// The program window of a slot: file windows (kinds 21, 31) in slots 1-9,
// new-file windows (22) in 1-8.
QPointer<frmPrgUN>* prgSlot(int kind, int slot) {
    const bool file = kind != 22;
    if (slot < 1 || slot > (file ? 9 : 8)) return nullptr;
    return file ? &PrgUNForms()[static_cast<std::size_t>(slot)] : &PrgNewForms()[static_cast<std::size_t>(slot)];
}

frmPrgUN* livePrg(int kind, int slot) {
    QPointer<frmPrgUN>* f = prgSlot(kind, slot);
    return f && *f && (*f)->Loaded() && !(*f)->Discarded() ? f->data() : nullptr;
}

// Created on first use and loaded; an open one is brought forward as it is.
frmPrgUN* showPrg(int kind, int slot) {
    frmMain* m = MainForm();
    QPointer<frmPrgUN>* f = prgSlot(kind, slot);
    if (!m || !f) return nullptr;
    if (!LiveOn(*f, m)) *f = new frmPrgUN(m, kind == 22 ? 22 : kind == 31 ? 31 : 21);
    frmPrgUN* w = *f;
    if (w->Loaded() && w->WindowState() == vbMinimized) w->setWindowState(vbNormal);
    w->Show();
    return livePrg(kind, slot);
}

struct PrgWindows : PrgWindowLinkT {
    void showPrgWindow(int kind, int slot) override { showPrg(kind, slot); }
    void unloadPrgUN(int slot) override {
        if (frmPrgUN* f = livePrg(21, slot)) f->Unload(vbFormCode);
    }
};
PrgWindows prgWindows;

std::vector<Registration>& registrations() {
    static std::vector<Registration> regs;
    return regs;
}

}  // namespace

void InstallBanks() {
    auto& regs = registrations();
    regs.clear();
    regs.push_back(RegisterNamed(NamedWindow::frmPcgAE, [](int kind) { showOfKind(PcgAEForms(), kind, 4); }));
    regs.push_back(RegisterNamed(NamedWindow::frmDrum, [](int kind) { showOfKind(DrumForms(), kind, 9); }));
    InstallDatabase();
    regs.push_back(RegisterNamed(NamedWindow::frmPrgSelAuto, [](int) {
        if (frmMain* m = MainForm()) ToolForm::Instance<frmPrgSelAuto>(m)->Show();
    }));
    regs.push_back(RegisterWindowFamily(WinFamily::PrgUN,
                                        {[](int slot) -> ChildForm* { return showPrg(PrgWinKind == 31 ? 31 : 21, slot); },
                                         [](int slot) -> ChildForm* { return livePrg(21, slot); }}));
    regs.push_back(RegisterWindowFamily(WinFamily::PrgNew, {[](int slot) -> ChildForm* { return showPrg(22, slot); },
                                                            [](int slot) -> ChildForm* { return livePrg(22, slot); }}));
    regs.push_back(LinkRegistration<PrgWindowLinkT>(&prgWindows));
}
