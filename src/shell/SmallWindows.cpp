#include "shell/SmallWindows.h"

#include "app/Messages.h"
#include "app/ToolForm.h"
#include "app/state.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "shell/SmallFiles.h"
#include "shell/ToolCommands.h"
#include "shell/frmAbout.h"
#include "shell/frmBloccoNote.h"
#include "shell/frmGuida.h"
#include "shell/frmMain.h"
#include "shell/state.h"

bool GuidaLoad() {
    const bool italian = LangSel == 1;
    const std::string path = italian ? GuidaFileIt : GuidaFileEn;
    const std::string firstLine = italian ? "GuidaUtente.txt" : "UserGuide.txt";
    MsgTitle = Msg(111) + PathName(path);
    // Enough to see a guide one character too long.
    const long long most = static_cast<long long>(firstLine.size()) + 2 + GuideMaxChars + 1;
    std::string file;
    FileFit fit = FileFit::Fits;
    const FileError e = ReadFileHead(path, most, file, fit);
    if (e == FileError::NotFound) {
        ErrMsg(ErrFileNotFound, MsgTitle);
        return false;
    }
    if (e != FileError::None || fit == FileFit::NotAFile) {
        ErrMsg(ErrReading, MsgTitle, PathName(path));
        return false;
    }
    std::string text;
    switch (GuideTextParse(file, firstLine, text)) {
    case GuideParse::WrongFirstLine: ErrMsg(ErrFileNotFound, MsgTitle); return false;
    case GuideParse::TooLong: ErrMsg(ErrReading, MsgTitle, PathName(path)); return false;
    case GuideParse::Ok: break;
    }
    GuidaText = text;
    return true;
}

namespace {
void mnuInfo_Click() {
    if (frmMain* f = MainForm()) ToolForm::Instance<frmAbout>(f)->Show();
}

void mnuGuida_Click() {
    frmMain* f = MainForm();
    if (!f || !GuidaLoad()) return;
    ToolForm::Instance<frmGuida>(f)->Show();
}

void mnuBloccoNote_Click() {
    frmMain* f = MainForm();
    if (!f) return;
    // An open notebook keeps what is typed in it.
    if (ToolForm* open = ToolForm::Find(f, frmBloccoNote::Kind); open && open->Loaded()) {
        open->Show();
        return;
    }
    if (!frmBloccoNote::NoteBufLoad()) return;
    ToolForm::Instance<frmBloccoNote>(f)->Show();
}
}  // namespace

void InstallSmallWindows() {
    RegisterMenuCommand(MenuId::mnuInfo, mnuInfo_Click);
    RegisterMenuCommand(MenuId::mnuGuida, mnuGuida_Click);
    RegisterMenuCommand(MenuId::mnuBloccoNote, mnuBloccoNote_Click);
    InstallToolCommands();
}
