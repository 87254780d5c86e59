#include "shell/ToolCommands.h"

#include <optional>
#include <string>

#include "app/Documents.h"
#include "app/Links.h"
#include "app/Messages.h"
#include "app/Tables.h"
#include "app/state.h"
#include "files/Readers.h"
#include "midi/MIDI.h"
#include "platform/Controls.h"
#include "platform/Paths.h"
#include "platform/Timer.h"
#include "platform/bytes.h"
#include "shell/frmMain.h"

namespace {

// The window or procedure a command opens by name; none for the commands
// that reach theirs otherwise.
std::optional<NamedWindow> namedOf(MenuId id) {
    switch (id) {
    case MenuId::mnuWProgA: case MenuId::mnuWProgB: case MenuId::mnuWProgC: case MenuId::mnuWProgD:
    case MenuId::mnuWProgE: return NamedWindow::frmPcgAE;
    case MenuId::mnuDrum: case MenuId::mnuPerc: return NamedWindow::frmDrum;
    case MenuId::mnuPrgSelAuto: return NamedWindow::frmPrgSelAuto;
    case MenuId::mnuWEditDBArr: return NamedWindow::frmEditDBArr;
    case MenuId::mnuWFindID: return NamedWindow::frmFindID;
    case MenuId::mnuAggArr: return NamedWindow::DBArrAggiorna;
    case MenuId::mnuEditPerf: return NamedWindow::frmEditPerf;
    case MenuId::mnuMultisample: return NamedWindow::frmMultisample;
    default: return std::nullopt;
    }
}

// Every command that needs a window or procedure from elsewhere.
constexpr MenuId Dependent[] = {
    MenuId::mnuWProgA,     MenuId::mnuWProgB,      MenuId::mnuWProgC,      MenuId::mnuWProgD,
    MenuId::mnuWProgE,     MenuId::mnuDrum,        MenuId::mnuPerc,        MenuId::mnuPrgU,
    MenuId::mnuPrgSelAuto, MenuId::mnuWEditDBArr,  MenuId::mnuWFindID,     MenuId::mnuAggArr,
    MenuId::mnuEditPerf,   MenuId::mnuMultisample, MenuId::mnuGlobalParam,
};

// The frame, when the command of `id` can run.
frmMain* frameFor(MenuId id) {
    frmMain* f = MainForm();
    return f && MenuCommandAvailable(id) ? f : nullptr;
}

// ---- bank windows -------------------------------------------------------------

// Program banks A-E (kinds 4-8) and the drum and percussion kits (9, 10):
// only the item chosen is disabled. The item is off while its window is open,
// so a second run (the restore after the user opened it) counts nothing.
void programBank(MenuId id, int kind) {
    frmMain* f = frameFor(id);
    if (!f || !f->item(id)->isEnabled()) return;
    PrgWinKind = kind;
    if (kind <= 8) {
        // PcgWinShow
        f->mnuWindow->setEnabled(true);
        f->mnuChiudi->setEnabled(true);
        PrgWinCount += 1;
        RunNamed(NamedWindow::frmPcgAE, PrgWinKind);
    } else {
        // DrumWinShow
        PrgWinCount += 1;
        RunNamed(NamedWindow::frmDrum, PrgWinKind);
    }
    f->item(id)->setEnabled(false);
}

// A user bank's file read: true. A missing one is said here with its name;
// a damaged one its reader has reported already.
bool userBankRead(int result, int missing, const std::string& path) {
    if (result == 0) return true;
    if (result == missing) ErrMsg(ErrFileNotFoundName, MsgTitle, PathName(path));
    return false;
}

// Whether a window holds the user bank's file already (said here): the
// bank is the same file as one opened by name, and one window per file.
bool heldElsewhere(const std::string& path) {
    MsgTitle = Msg(111) + PathName(path);
    if (!HolderOf(path)) return false;
    ErrMsg(ErrAlreadyOpen, MsgTitle, "");
    return true;
}

// The request a fresh open gives a file window.
void freshOpenRequest(const frmMain& f) { RdOnlyOpen = f.mnuRdOnly->Checked() ? 1 : 0; }

void mnuGlobalParam_Click() {
    frmMain* f = frameFor(MenuId::mnuGlobalParam);
    if (!f) return;
    f->mnuGlobalParam->setEnabled(false);
    GblSlotCur = 0;
    ShowWindowOf(WinFamily::Gbl, 0);
}

// ---- tool windows -------------------------------------------------------------

void toolWindow(MenuId id) {
    if (!frameFor(id)) return;
    if (auto name = namedOf(id)) RunNamed(*name);
}

void mnuEditPerf_Click() {
    if (!frameFor(MenuId::mnuEditPerf)) return;
    ModeTx02();
    RunNamed(NamedWindow::frmEditPerf);
}

void mnuWFindID_Click() {
    frmMain* f = frameFor(MenuId::mnuWFindID);
    if (!f) return;
    f->mnuWindow->setEnabled(true);
    RunNamed(NamedWindow::frmFindID);
}

}  // namespace

bool MenuCommandAvailable(MenuId id) {
    if (id == MenuId::mnuPrgU) return IsLinked<PrgWindowLinkT>();
    if (id == MenuId::mnuGlobalParam) return FamilyAvailable(WinFamily::Gbl);
    const auto name = namedOf(id);
    return !name || NamedAvailable(*name);
}

void MenuCommandsLimit() {
    frmMain* f = MainForm();
    if (!f) return;
    for (MenuId id : Dependent)
        if (!MenuCommandAvailable(id)) f->item(id)->setEnabled(false);
}

void mnuArrU_Click() {
    frmMain* f = MainForm();
    const std::string bank = rtrim(ArrUFile);
    if (!f || bank.empty()) return;
    const std::string path = bank + ".arr";
    if (heldElsewhere(path)) return;
    if (!userBankRead(ArrFileRead(path), 3, path)) return;
    ArrDir = PathDir(bank);
    ArrName = PathName(bank);
    ArrSlotCur = 9;
    freshOpenRequest(*f);
    if (ShowWindowOf(WinFamily::ArrU, 9)) f->mnuArrU->setEnabled(false);
}

void mnuStyU_Click() {
    frmMain* f = MainForm();
    const std::string bank = rtrim(StyUFile);
    if (!f || bank.empty()) return;
    const std::string path = bank + ".sty";
    if (heldElsewhere(path)) return;
    if (!userBankRead(StyFileLoad(path), 2, path)) return;
    StyDir = PathDir(bank);
    StyName = PathName(bank);
    StySlotCur = 9;
    freshOpenRequest(*f);
    if (ShowWindowOf(WinFamily::StyUN, 9)) f->mnuStyU->setEnabled(false);
}

void mnuPrgU_Click() {
    frmMain* f = frameFor(MenuId::mnuPrgU);
    const std::string bank = rtrim(PrgUFile);
    if (!f || bank.empty()) return;
    PrgSlotWork = PrgSlots[9];
    const std::string path = bank + (PrgSlotWork.Type != 0 ? ".pgg" : ".prg");
    if (heldElsewhere(path)) return;
    // The bank may have been saved under the other extension since it was
    // linked: the reader tries both and leaves the one it read in ExtCur.
    const int read = PrgOrPggRead(path);
    if (!userBankRead(read == 4 ? 0 : read, 3, path)) return;
    if (heldElsewhere(bank + "." + AsciiLower(ExtCur))) return;
    PrgDir = PathDir(bank);
    PrgName = PathName(bank);
    PrgWinKind = 21;
    PrgSlotCur = 9;
    PrgWinShow(21);
    f->mnuPrgU->setEnabled(false);
}

void mnuAggArr_Click() {
    frmMain* f = MainForm();
    if (!f) return;
    Timer* t = f->TimerCmd;
    if (t->Interval() >= 1) {
        // Chosen from the menu: the notice first, painted before the update.
        if (!MenuCommandAvailable(MenuId::mnuAggArr)) return;
        StatusMsg(8, "i40DBArr");
        t->onTimer = [] { Timer_Timer(0); };
        t->setEnabled(true);
        return;
    }
    t->setInterval(10);
    RunNamed(NamedWindow::DBArrAggiorna);
    StatusMsg(0);
}

void Timer_Timer(int /*Index*/) {
    frmMain* f = MainForm();
    if (!f) return;
    f->TimerCmd->setEnabled(false);
    f->TimerCmd->setInterval(0);
    mnuAggArr_Click();
}

void InstallToolCommands() {
    const struct {
        MenuId id;
        int kind;
    } banks[] = {
        {MenuId::mnuWProgA, 4}, {MenuId::mnuWProgB, 5}, {MenuId::mnuWProgC, 6}, {MenuId::mnuWProgD, 7},
        {MenuId::mnuWProgE, 8}, {MenuId::mnuDrum, 9},   {MenuId::mnuPerc, 10},
    };
    for (const auto& b : banks) RegisterMenuCommand(b.id, [b] { programBank(b.id, b.kind); });
    RegisterMenuCommand(MenuId::mnuArrU, mnuArrU_Click);
    RegisterMenuCommand(MenuId::mnuStyU, mnuStyU_Click);
    RegisterMenuCommand(MenuId::mnuPrgU, mnuPrgU_Click);
    RegisterMenuCommand(MenuId::mnuGlobalParam, mnuGlobalParam_Click);
    for (MenuId id : {MenuId::mnuMultisample, MenuId::mnuPrgSelAuto, MenuId::mnuWEditDBArr})
        RegisterMenuCommand(id, [id] { toolWindow(id); });
    RegisterMenuCommand(MenuId::mnuEditPerf, mnuEditPerf_Click);
    RegisterMenuCommand(MenuId::mnuWFindID, mnuWFindID_Click);
    RegisterMenuCommand(MenuId::mnuAggArr, mnuAggArr_Click);
}
