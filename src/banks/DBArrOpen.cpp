// Opening a numbered arrangement file, for the database editor and the find
// window alike.
#include "app/Documents.h"
#include "app/Links.h"
#include "app/Messages.h"
#include "app/state.h"
#include "banks/DBArr.h"
#include "documents/Documents.h"
#include "files/Readers.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/Forms.h"
#include "platform/Paths.h"
#include "shell/frmMain.h"

bool DBArrOpenFile(const std::string& folder, const std::string& name, const std::string& title, bool reopen,
                   bool find) {
    FindIDPending = false;
    const std::string file = DBArrEntryFile(folder, name);
    const auto missing = [&] {
        ErrMsg(ErrFileNotFoundName, title, PathJoin(folder, name + ".arr"));
        return false;
    };
    if (file.empty()) return missing();
    if (DocumentT* holder = HolderOf(file)) {
        ChildForm* w = holder->docForm();
        if (!reopen) {
            // The window that shows it comes forward.
            if (w->WindowState() == vbMinimized) w->setWindowState(vbNormal);
            w->Show();
            w->activate();
            return true;
        }
        // The file is read before its window goes, so a damaged file leaves
        // the window as it was; the window's own question may save it, so it
        // is read again below.
        if (ArrFileRead(file) != 0) return false;
        if (!w->Unload(vbFormCode)) return false;
    }
    if (!DocumentCanOpen(WinFamily::ArrU)) {
        MsgBox(Msg(MsgArrWindowsInUse), vbOKOnly | vbExclamation, title);
        return false;
    }
    switch (ArrFileRead(file)) {
    case 0: break;
    case 3: return missing();
    default: return false;   // the reader has said why
    }
    OpenRequest r;
    r.path = file;
    const frmMain* m = MainForm();
    r.readOnly = m && m->mnuRdOnly->Checked() ? 1 : 0;
    r.alreadyRead = true;
    r.recent = false;
    r.loadPrograms = false;
    r.title = title;
    StyLoopIdx = 0;
    MainWindowLink().enableMenu(MenuId::mnuWindow, true);
    // Nothing between here and the window's load can show a box: the find
    // goes to that window or to none.
    FindIDPending = find;
    const bool shown = OpenDocument(WinFamily::ArrU, r);
    if (!shown) FindIDPending = false;
    return shown;
}
