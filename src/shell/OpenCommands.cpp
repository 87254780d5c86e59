#include "shell/OpenCommands.h"

#include "app/Links.h"
#include "app/Messages.h"
#include "app/Mru.h"
#include "app/Tables.h"
#include "app/state.h"
#include "files/OpenDlg.h"
#include "platform/Paths.h"
#include "shell/frmMain.h"

namespace {

void menuOn(MenuId id, bool on) { MainWindowLink().enableMenu(id, on); }

std::string joined(const std::string& dir, const std::string& name) {
    return dir.empty() ? name : PathJoin(dir, name);
}

int newPrgFree() {
    for (int n = 1; n <= 8; ++n)
        if (PrgNewUsed[static_cast<std::size_t>(n)] == 0) return n;
    return 0;
}

}  // namespace

bool PrgWindowsAvailable() { return IsLinked<PrgWindowLinkT>(); }
bool GblWindowsAvailable() { return FamilyAvailable(WinFamily::Gbl); }

void mnuApriPrg_Click() {
    if (!MainForm() || !PrgWindowsAvailable()) return;
    PrgSlotCur = PrgSlotFree();
    if (PrgSlotCur == 0) return;  // the command is off then
    const int slot = PrgSlotCur;
    if (!FileOpenRead(21)) return;
    const auto s = static_cast<std::size_t>(slot);
    // A free slot holds no window: an open mark the last run left in its
    // record is stale, and the window must load as a fresh open.
    PrgSlots[s].State = 0;
    PrgSlotUsed[s] = 1;
    PrgWinKind = 21;
    PrgSlotCur = slot;
    PrgWinShow(21);
    ExtCur = AsciiLower(ExtCur);
    MruAdd(joined(PrgDir, PrgName) + "." + ExtCur, RdOnlyOpen);
    if (PrgSlotFree() == 0) menuOn(MenuId::mnuApriPrg, false);
}

void mnuApriGbl_Click() {
    if (!MainForm() || !GblWindowsAvailable()) return;
    GblSlotFree();
    if (GblSlotCur == 0) return;
    const int slot = GblSlotCur;
    if (!FileOpenRead(25)) return;
    GblSlotCur = slot;
    ShowWindowOf(WinFamily::Gbl, slot);
    MruAdd(joined(GblDir, GblName) + ".gbl", RdOnlyOpen);
    GblSlotFree();
    if (GblSlotCur == 0) menuOn(MenuId::mnuApriGbl, false);
}

void mnuNuovoPrg_Click() {
    if (!MainForm() || !PrgWindowsAvailable()) return;
    const int n = newPrgFree();
    if (n != 0) {
        PrgSlotCur = n;
        if (!FileOpenRead(22)) return;
        PrgNewUsed[static_cast<std::size_t>(n)] = 1;
        PrgWinKind = 22;
        PrgSlotCur = n;
        PrgWinShow(22);
    }
    if (newPrgFree() == 0) menuOn(MenuId::mnuNuovoPrg, false);
}

void OpenCommandsAvailable() {
    if (!PrgWindowsAvailable()) {
        menuOn(MenuId::mnuApriPrg, false);
        menuOn(MenuId::mnuNuovoPrg, false);
    }
    if (!GblWindowsAvailable()) menuOn(MenuId::mnuApriGbl, false);
}

void InstallOpenCommands() {
    RegisterMenuCommand(MenuId::mnuApriPrg, mnuApriPrg_Click);
    RegisterMenuCommand(MenuId::mnuApriGbl, mnuApriGbl_Click);
    RegisterMenuCommand(MenuId::mnuNuovoPrg, mnuNuovoPrg_Click);
}
