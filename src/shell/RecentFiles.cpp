#include "shell/RecentFiles.h"

#include "app/Links.h"
#include "app/Messages.h"
#include "app/Mru.h"
#include "app/Tables.h"
#include "app/state.h"
#include "files/Readers.h"
#include "platform/Controls.h"
#include "platform/Paths.h"
#include "platform/bytes.h"
#include "shell/OpenCommands.h"
#include "shell/frmMain.h"

namespace {

// The Open command of an entry's kind (1 arr, 2 sty, 3 prg, 4 pgg, 5 gbl,
// 6 bsq); nullptr for an empty entry.
MenuItem* openItemOf(const frmMain& m, int kind) {
    switch (kind) {
    case 1: return m.mnuApriArr;
    case 2: return m.mnuApriSty;
    case 3: case 4: return m.mnuApriPrg;
    case 5: return m.mnuApriGbl;
    case 6: return m.mnuApriBSQ;
    default: return nullptr;
    }
}

// Whether a window of the kind can open now: its windows are in the program
// and a slot is free.
bool canOpen(int kind) {
    switch (kind) {
    case 1: return ArrSlotFree() != 0;
    case 2: return StySlotFree() != 0;
    case 3: case 4: return PrgWindowsAvailable() && PrgSlotFree() != 0;
    case 5: {
        if (!GblWindowsAvailable()) return false;
        const int keep = GblSlotCur;
        GblSlotFree();
        const bool free = GblSlotCur != 0;
        GblSlotCur = keep;
        return free;
    }
    case 6: return BsqSlotFree() != 0;
    default: return false;
    }
}

void menuOff(MenuId id) { MainWindowLink().enableMenu(id, false); }

// The slot record of a reopened arrangement, style or program file: open,
// at the entry's place and size (no size stored: the standard one).
void placeFromEntry(SlotRec& r, const MruRec& e, int kind) {
    r.State = 1;
    r.Top = e.Top;
    r.Left = e.Left;
    r.Height = e.Height;
    r.Width = e.Width;
    if (r.Height <= 0 || r.Width <= 0) StandardSize(kind, r.Height, r.Width);
}

void reopenArr(const MruRec& e, const std::string& file) {
    if (ArrSlotFind(e.Path) != 0) return ErrMsg(ErrAlreadyOpen, MsgTitle, "");
    switch (ArrFileRead(file)) {
    case 0: break;
    case 3: return ErrMsg(ErrFileNotFound, MsgTitle, "");
    default: return;  // the reader has said why
    }
    ArrDir = PathDir(e.Path);
    ArrName = PathName(e.Path);
    const int slot = ArrSlotFree();
    ArrSlotCur = slot;
    const auto s = static_cast<std::size_t>(slot);
    ArrSlotUsed[s] = 1;
    RdOnlyOpen = e.RdOnly;
    CaricaPrgPending = true;
    SlotRec& r = ArrSlots[s];
    r.DBID = 0;
    r.Path = e.Path;
    placeFromEntry(r, e, 19);
    ShowWindowOf(WinFamily::ArrU, slot);
    if (ArrSlotFree() == 0) menuOff(MenuId::mnuApriArr);
}

void reopenSty(const MruRec& e, const std::string& file) {
    if (StySlotFind(e.Path) != 0) return ErrMsg(ErrAlreadyOpen, MsgTitle, "");
    switch (StyFileLoad(file)) {
    case 0: break;
    case 2: return ErrMsg(ErrFileNotFound, MsgTitle, "");
    default: return;
    }
    StyDir = PathDir(e.Path);
    StyName = PathName(e.Path);
    const int slot = StySlotFree();
    StySlotCur = slot;
    const auto s = static_cast<std::size_t>(slot);
    StySlotUsed[s] = 1;
    MainWindowLink().enableMenu(MenuId::mnuWindow, true);
    StyLoopIdx = 0;
    RdOnlyOpen = e.RdOnly;
    SlotRec& r = StySlots[s];
    r.DBID = 0;
    r.Extra = 0;
    r.Path = e.Path;
    placeFromEntry(r, e, 23);
    ShowWindowOf(WinFamily::StyUN, slot);
    if (StySlotFree() == 0) menuOff(MenuId::mnuApriSty);
}

void reopenPrg(const MruRec& e, const std::string& file) {
    if (PrgSlotFind(e.Path) != 0) return ErrMsg(ErrAlreadyOpen, MsgTitle, "");
    // The file may now exist only with the other extension: the reader
    // opens that one, and ExtCur follows it.
    switch (PrgOrPggRead(file)) {
    case 0: case 4: break;
    case 3: return ErrMsg(ErrFileNotFound, MsgTitle, "");
    default: return;
    }
    const int slot = PrgSlotFree();
    PrgSlotCur = slot;
    const auto s = static_cast<std::size_t>(slot);
    PrgSlotUsed[s] = 1;
    PrgWinKind = 21;
    PrgDir = PathDir(e.Path);
    PrgName = PathName(e.Path);
    RdOnlyOpen = e.RdOnly;
    placeFromEntry(PrgSlots[s], e, 21);
    PrgWinShow(21);
    if (PrgSlotFree() == 0) menuOff(MenuId::mnuApriPrg);
}

void reopenGbl(const MruRec& e, const std::string& file) {
    GblSlotFree();
    const int slot = GblSlotCur;
    if (GblSlotFind(file) != 0) return ErrMsg(ErrAlreadyOpen, MsgTitle, "");
    switch (GblFileRead(file)) {
    case 0: break;
    case 3: return ErrMsg(ErrFileNotFound, MsgTitle, "");
    default: return;
    }
    GblDir = PathDir(e.Path);
    GblName = PathName(e.Path);
    RdOnlyOpen = e.RdOnly;
    GblSlotCur = slot;
    ShowWindowOf(WinFamily::Gbl, slot);
    GblSlotFree();
    if (GblSlotCur == 0) menuOff(MenuId::mnuApriGbl);
}

void reopenBsq(const MruRec& e, const std::string& file) {
    const int slot = BsqSlotFree();
    if (BsqSlotFind(e.Path) != 0) return ErrMsg(ErrAlreadyOpen, MsgTitle, "");
    switch (BsqFileRead(file)) {
    case 0: break;
    case 2: return ErrMsg(ErrFileNotFound, MsgTitle, "");
    default: return;
    }
    BsqDir = PathDir(e.Path);
    BsqName = PathName(e.Path);
    RdOnlyOpen = e.RdOnly;
    BsqSlotCur = slot;
    ShowWindowOf(WinFamily::Bsq, slot);
    if (BsqSlotFree() == 0) menuOff(MenuId::mnuApriBSQ);
}

}  // namespace

void mnuRecentFile_Click(int Index) {
    frmMain* m = MainForm();
    if (!m || Index < 1 || Index > 8) return;
    const MruRec e = MruTable[static_cast<std::size_t>(Index)];
    MenuItem* open = openItemOf(*m, e.Kind);
    // An entry whose kind cannot open a window now does nothing at all.
    if (!open || !open->isEnabled() || !canOpen(e.Kind)) return;
    MruWork = e;
    MruWork.Path = rtrim(e.Path);
    ExtCur = MruExtOfKind(e.Kind);
    FilePathCur = MruWork.Path;
    MsgTitle = Msg(111) + PathName(MruWork.Path) + "." + ExtCur;
    DirLast = PathDir(MruWork.Path);
    // The readers find "SONG.ARR" for ".../SONG" and ".arr".
    const std::string file = MruWork.Path + "." + ExtCur;
    switch (e.Kind) {
    case 1: return reopenArr(MruWork, file);
    case 2: return reopenSty(MruWork, file);
    case 3: case 4: return reopenPrg(MruWork, file);
    case 5: return reopenGbl(MruWork, file);
    case 6: return reopenBsq(MruWork, file);
    default: return;
    }
}

void RecentFilesEnable() {
    frmMain* m = MainForm();
    if (!m) return;
    for (int i = 1; i <= 8; ++i) {
        const MenuItem* open = openItemOf(*m, MruTable[static_cast<std::size_t>(i)].Kind);
        m->mnuRecentFile[static_cast<std::size_t>(i)]->setEnabled(open && open->isEnabled());
    }
}

void InstallRecentFiles() { RegisterRecentFileCommand(mnuRecentFile_Click); }
