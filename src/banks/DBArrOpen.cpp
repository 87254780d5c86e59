// Opening a numbered arrangement file, for the database editor and the find
// window alike.
#include "app/Links.h"
#include "app/Messages.h"
#include "app/Tables.h"
#include "app/state.h"
#include "banks/DBArr.h"
#include "files/Readers.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/Forms.h"
#include "platform/Paths.h"
#include "shell/frmMain.h"

namespace {

// The slot 1-8 whose window shows the file (folder/name without extension),
// normal or minimised; 0 when none does.
int slotShowing(const std::string& path) {
    for (int i = 1; i <= 8; ++i) {
        const SlotRec& s = ArrSlots[static_cast<std::size_t>(i)];
        if ((s.State == 1 || s.State == 2) && SamePath(s.Path, path)) return i;
    }
    return 0;
}

void bringForward(ChildForm* w) {
    if (w->WindowState() == vbMinimized) w->setWindowState(vbNormal);
    w->Show();
    w->activate();
}

}  // namespace

bool DBArrOpenFile(const std::string& folder, const std::string& name, const std::string& title, bool reopen,
                   bool find) {
    FindIDPending = false;
    const std::string file = DBArrEntryFile(folder, name);
    if (file.empty()) {
        ErrMsg(ErrFileNotFoundName, title, PathJoin(folder, name + ".arr"));
        return false;
    }
    const std::string stem = PathStem(PathName(file));
    const std::string path = PathJoin(folder, stem);
    if (const int slot = slotShowing(path)) {
        ChildForm* w = WindowOf(WinFamily::ArrU, slot);
        if (!reopen) {
            if (w) bringForward(w);
            return w != nullptr;
        }
        // The file is read before its window goes, so a damaged file leaves
        // the window as it was; the window's own question may save it, so it
        // is read again after.
        if (ArrFileRead(file) != 0) return false;
        if (w && !w->Unload(vbFormCode)) return false;
    }
    switch (ArrFileRead(file)) {
    case 0: break;
    case 3: ErrMsg(ErrFileNotFoundName, title, PathJoin(folder, name + ".arr")); return false;
    default: return false;   // the reader has said why
    }
    const int slot = ArrSlotFree();
    if (slot == 0) {
        MsgBox(Msg(MsgArrWindowsInUse), vbOKOnly | vbExclamation, title);
        return false;
    }
    const auto s = static_cast<std::size_t>(slot);
    ArrSlotUsed[s] = 1;
    ArrSlots[s].State = 0;
    ArrSlots[s].DBID = 0;
    ArrSlotCur = slot;
    ArrDir = folder;
    ArrName = stem;
    const frmMain* m = MainForm();
    RdOnlyOpen = m && m->mnuRdOnly->Checked() ? 1 : 0;
    StyLoopIdx = 0;
    CaricaPrgPending = false;
    MainWindowLink().enableMenu(MenuId::mnuWindow, true);
    FindIDPending = find;
    const bool shown = ShowWindowOf(WinFamily::ArrU, slot) != nullptr;
    // The window's load has taken the find and carries it on; without a
    // window nothing may take it later.
    if (!shown) FindIDPending = false;
    if (ArrSlotFree() == 0) MainWindowLink().enableMenu(MenuId::mnuApriArr, false);
    return shown;
}
