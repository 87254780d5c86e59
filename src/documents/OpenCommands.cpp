#include "documents/OpenCommands.h"

#include "app/Documents.h"
#include "app/Links.h"
#include "app/Messages.h"
#include "app/Mru.h"
#include "app/Tables.h"
#include "app/state.h"
#include "documents/Documents.h"
#include "files/OpenDlg.h"
#include "files/Readers.h"
#include "platform/Paths.h"
#include "platform/bytes.h"

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

void mnuApriSty_Click() { OpenFromDialog(WinFamily::StyUN); }
void mnuApriBSQ_Click() { OpenFromDialog(WinFamily::Bsq); }
void mnuApriPrg_Click() { OpenFromDialog(WinFamily::PrgUN); }
void mnuApriGbl_Click() { OpenFromDialog(WinFamily::Gbl); }

void mnuNuovoPrg_Click() {
    if (!PrgWindowsAvailable()) return;
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

void mnuRecentFile_Click(int Index) {
    if (Index < 1 || Index > 8) return;
    const MruRec e = MruTable[static_cast<std::size_t>(Index)];
    WinFamily family;
    // An entry whose kind cannot open a window now does nothing at all.
    if (!FamilyOfExtension(MruExtOfKind(e.Kind), family) || !MainWindowLink().menuEnabled(FamilyOpenItem(family)) ||
        !DocumentCanOpen(family))
        return;
    MruWork = e;
    MruWork.Path = rtrim(e.Path);
    ExtCur = MruExtOfKind(e.Kind);
    FilePathCur = MruWork.Path;
    MsgTitle = Msg(111) + PathName(MruWork.Path) + "." + ExtCur;
    DirLast = PathDir(MruWork.Path);
    OpenRequest r;
    r.path = MruWork.Path + "." + ExtCur;
    r.readOnly = e.RdOnly;
    r.recent = false;
    r.title = MsgTitle;
    // The arrangement, style and program windows come back where they
    // were; the Global and backing-sequence windows keep their slots' places.
    if (family == WinFamily::ArrU || family == WinFamily::StyUN || family == WinFamily::PrgUN) {
        r.placed = true;
        r.top = e.Top, r.left = e.Left, r.height = e.Height, r.width = e.Width;
    }
    OpenDocument(family, r);
}

void ArrPathFindOpen() {
    FilePathCur = joined(ArrDir, ArrName);
    if (!ApriPrgOpt || !DocumentCanOpen(WinFamily::PrgUN)) return;
    const std::string prg = FileWithExt(FilePathCur, "prg"), pgg = FileWithExt(FilePathCur, "pgg");
    // Quietly: a program file another window shows, or none at all, is no
    // reason for a message here.
    if (HolderOf(prg) || HolderOf(pgg)) return;
    if (!FileExists(prg) && !FileExists(pgg)) return;
    OpenRequest r;
    r.path = FileExists(prg) ? prg : pgg;
    r.readOnly = RdOnlyOpen;
    r.recent = false;
    OpenDocument(WinFamily::PrgUN, r);
}

void OpenCommandsAvailable() {
    if (!PrgWindowsAvailable()) {
        menuOn(MenuId::mnuApriPrg, false);
        menuOn(MenuId::mnuNuovoPrg, false);
    }
    if (!GblWindowsAvailable()) menuOn(MenuId::mnuApriGbl, false);
}
