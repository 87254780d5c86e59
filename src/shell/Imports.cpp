#include "shell/Imports.h"

#include <array>

#include "app/Links.h"
#include "app/Messages.h"
#include "app/StyleBlock.h"
#include "app/Tables.h"
#include "app/state.h"
#include "files/FileFormats.h"
#include "files/Imports.h"
#include "files/OpenDlg.h"
#include "files/StyGroups.h"
#include "files/state.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/bytes.h"
#include "shell/frmMain.h"

namespace {

// An import flag, up while the command runs and down however it ends.
class FlagUp {
public:
    explicit FlagUp(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagUp() { flag_ = false; }
    FlagUp(const FlagUp&) = delete;
    FlagUp& operator=(const FlagUp&) = delete;

private:
    bool& flag_;
};

// The windows ran out before the whole file was shown. `title` is the one
// the dialog gave the file's boxes: "Opening " and the file's name.
void partNotImported(const std::string& title) {
    const std::string prefix = Msg(111);
    const std::string name = title.rfind(prefix, 0) == 0 ? title.substr(prefix.size()) : title;
    MsgBox(MsgSubst(Msg(MsgImportPartial), name), vbOKOnly | vbExclamation, title);
}

void disable(std::initializer_list<MenuId> items) {
    for (MenuId id : items) MainWindowLink().enableMenu(id, false);
}
void arrKindFull() { disable({MenuId::mnuApriArr, MenuId::mnuImportaArri30, MenuId::mnuImportaArri5}); }
void prgKindFull() { disable({MenuId::mnuApriPrg, MenuId::mnuImportaPrgi30, MenuId::mnuImportaPcgi5}); }

// One bank of an i30 arrangement file, with the native header, in the
// arrangement file window of `slot`. False when no window could be shown
// (the slot is free again).
bool showArrBank(int slot, const std::string& image) {
    const auto s = static_cast<std::size_t>(slot);
    ArrSlotUsed[s] = 1;
    ArrSlotCur = slot;
    ArrFileBuf = image;
    ArrI30Hdr();
    if (ShowWindowOf(WinFamily::ArrU, slot)) return true;
    ArrSlotUsed[s] = 0;
    return false;
}

// The program file buffer in the program file window of PrgSlotCur.
void showPrgBank() {
    PrgWinKind = 21;
    PrgWinShow(21);
    PrgSlotUsed[static_cast<std::size_t>(PrgSlotCur)] = 1;
}

// Whether one of the four groups of four styles of a style image reaches the
// length the instrument takes for a group.
bool groupTooLong(const std::string& image) {
    for (int g = 0; g < 4; ++g) {
        long sum = 0;
        for (int k = 4 * g; k < 4 * g + 4; ++k) sum += StyBlkSize(k, image);
        if (sum >= StyGroupLimit) return true;
    }
    return false;
}

void oldSeries(MenuId id) {
    frmMain* m = MainForm();
    MsgBox(Msg(MsgImportOldSeries), vbOKOnly | vbExclamation, m ? m->item(id)->Caption() : std::string());
}

}  // namespace

void mnuImportaArri30_Click() {
    if (!MainForm()) return;
    ArrSlotCur = ArrSlotFree();
    if (ArrSlotCur == 0) return;
    const int first = ArrSlotCur;
    FlagUp up(ImpArrI30);
    if (!FileOpenRead(19)) return;
    const std::string title = MsgTitle;
    if (!showArrBank(first, ArrI30Buf.substr(0, static_cast<std::size_t>(ArrFileLen)))) return;
    ArrSlotCur = ArrSlotFree();
    if (ArrSlotCur == 0) {
        arrKindFull();
        partNotImported(title);
        return;
    }
    showArrBank(ArrSlotCur, ArrI30Buf.substr(0, static_cast<std::size_t>(ArrHdrLen)) +
                                ArrI30Buf.substr(static_cast<std::size_t>(ArrFileLen)));
    if (ArrSlotFree() == 0) arrKindFull();
}

bool PrgImportAvailable() { return IsLinked<PrgWindowLinkT>(); }

void mnuImportaPrgi30_Click() {
    if (!MainForm() || !PrgImportAvailable()) return;
    PrgSlotCur = PrgSlotFree();
    if (PrgSlotCur == 0) return;
    FlagUp up(ImpPrgI30);
    if (!FileOpenRead(21)) return;
    const std::string title = MsgTitle;
    // Bank 1 already stands where the programs of a program file begin.
    PrgFileBuf = PrgI30Buf;
    PrgI30Hdr();
    showPrgBank();
    PrgSlotCur = PrgSlotFree();
    if (PrgSlotCur == 0) {
        prgKindFull();
        partNotImported(title);
        return;
    }
    constexpr long bankLen = 64 * PrgBlkLen;
    putMid(PrgFileBuf, PrgHdrLen + 1, mid(PrgI30Buf, PrgHdrLen + bankLen + 1, bankLen));
    showPrgBank();
    if (PrgSlotFree() == 0) prgKindFull();
}

void mnuImportaStyi30_Click() {
    if (!MainForm()) return;
    StySlotCur = StySlotFree();
    if (StySlotCur == 0) return;
    FlagUp up(ImpStyI30);
    if (!FileOpenRead(23)) return;
    const std::string title = MsgTitle;
    // The dialog has read the whole file into the style buffer. Sizes that
    // promise more data than the file holds refuse it whole.
    std::array<StyI30Group, 3> groups;
    int count = 0;
    if (!StyI30Split(StyFileBuf, groups, count)) {
        ErrMsg(ErrDataFormat, title);
        return;
    }
    StyLoopIdx = 0;
    for (int i = 0; i < count; ++i) {
        const std::string& image = groups[static_cast<std::size_t>(i)].image;
        if (groupTooLong(image)) {
            ErrMsg(ErrStyleGroupLength, title);
            continue;
        }
        if (StySlotCur == 0) {
            partNotImported(title);
            break;
        }
        const int slot = StySlotCur;
        const auto s = static_cast<std::size_t>(slot);
        StyFileBuf = image;
        StySlotUsed[s] = 1;
        MainWindowLink().enableMenu(MenuId::mnuWindow, true);
        StySlotWork = StySlots[s];
        StySlotWork.Extra = 0;
        StySlots[s] = StySlotWork;
        if (!ShowWindowOf(WinFamily::StyUN, slot)) StySlotUsed[s] = 0;
        StySlotCur = StySlotFree();
    }
    if (StySlotFree() == 0) disable({MenuId::mnuApriSty});
}

void mnuImportaArri5_Click() { oldSeries(MenuId::mnuImportaArri5); }
void mnuImportaPcgi5_Click() { oldSeries(MenuId::mnuImportaPcgi5); }

void InstallImports() {
    RegisterMenuCommand(MenuId::mnuImportaArri30, mnuImportaArri30_Click);
    RegisterMenuCommand(MenuId::mnuImportaPrgi30, mnuImportaPrgi30_Click);
    RegisterMenuCommand(MenuId::mnuImportaStyi30, mnuImportaStyi30_Click);
    RegisterMenuCommand(MenuId::mnuImportaArri5, mnuImportaArri5_Click);
    RegisterMenuCommand(MenuId::mnuImportaPcgi5, mnuImportaPcgi5_Click);
}
