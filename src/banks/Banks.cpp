#include "banks/Banks.h"

#include <vector>

#include "app/Links.h"
#include "banks/DBArr.h"
#include "banks/frmDrum.h"
#include "banks/frmPcgAE.h"
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
}
