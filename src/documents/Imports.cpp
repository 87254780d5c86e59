#include "documents/Imports.h"

#include <array>

#include "app/Links.h"
#include "app/Messages.h"
#include "app/StyleBlock.h"
#include "app/Tables.h"
#include "documents/Documents.h"
#include "app/state.h"
#include "files/FileFormats.h"
#include "files/Imports.h"
#include "files/OpenDlg.h"
#include "files/StyGroups.h"
#include "files/state.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "platform/bytes.h"

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

// The import's source, read by the dialog: every window made from it holds
// it until that window is saved elsewhere.
OpenRequest importOf(const std::string& dir, const std::string& name, const std::string& ext,
                     const std::string& title) {
    OpenRequest r;
    r.path = (dir.empty() ? name : PathJoin(dir, name)) + "." + ext;
    r.readOnly = RdOnlyOpen;
    r.alreadyRead = true;
    r.recent = false;
    r.loadPrograms = false;
    r.title = title;
    return r;
}

// One bank of an i30 arrangement file, with the native header, in a new
// arrangement file window. False when no window could be shown.
bool showArrBank(const OpenRequest& r, const std::string& image) {
    ArrFileBuf = image;
    ArrI30Hdr();
    return OpenDocument(WinFamily::ArrU, r);
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
    MsgBox(Msg(MsgImportOldSeries), vbOKOnly | vbExclamation, MainWindowLink().menuCaption(id));
}

}  // namespace

void mnuImportaArri30_Click() {
    if (!DocumentCanOpen(WinFamily::ArrU)) return;
    FlagUp up(ImpArrI30);
    if (!FileOpenRead(19)) return;
    const std::string title = MsgTitle;
    const OpenRequest r = importOf(ArrDir, ArrName, "arr", title);
    if (!showArrBank(r, ArrI30Buf.substr(0, static_cast<std::size_t>(ArrFileLen)))) return;
    if (!DocumentCanOpen(WinFamily::ArrU)) {
        arrKindFull();
        partNotImported(title);
        return;
    }
    showArrBank(r, ArrI30Buf.substr(0, static_cast<std::size_t>(ArrHdrLen)) +
                       ArrI30Buf.substr(static_cast<std::size_t>(ArrFileLen)));
    if (!DocumentCanOpen(WinFamily::ArrU)) arrKindFull();
}

bool PrgImportAvailable() { return IsLinked<PrgWindowLinkT>(); }

void mnuImportaPrgi30_Click() {
    if (!PrgImportAvailable() || !DocumentCanOpen(WinFamily::PrgUN)) return;
    FlagUp up(ImpPrgI30);
    if (!FileOpenRead(21)) return;
    const std::string title = MsgTitle;
    const OpenRequest r = importOf(PrgDir, PrgName, ExtCur, title);
    // Bank 1 already stands where the programs of a program file begin.
    PrgFileBuf = PrgI30Buf;
    PrgI30Hdr();
    if (!OpenDocument(WinFamily::PrgUN, r)) return;
    if (!DocumentCanOpen(WinFamily::PrgUN)) {
        prgKindFull();
        partNotImported(title);
        return;
    }
    constexpr long bankLen = 64 * PrgBlkLen;
    putMid(PrgFileBuf, PrgHdrLen + 1, mid(PrgI30Buf, PrgHdrLen + bankLen + 1, bankLen));
    OpenDocument(WinFamily::PrgUN, r);
    if (!DocumentCanOpen(WinFamily::PrgUN)) prgKindFull();
}

void mnuImportaStyi30_Click() {
    if (!DocumentCanOpen(WinFamily::StyUN)) return;
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
    const OpenRequest r = importOf(StyDir, StyName, "sty", title);
    for (int i = 0; i < count; ++i) {
        const std::string& image = groups[static_cast<std::size_t>(i)].image;
        if (groupTooLong(image)) {
            ErrMsg(ErrStyleGroupLength, title);
            continue;
        }
        if (!DocumentCanOpen(WinFamily::StyUN)) {
            partNotImported(title);
            break;
        }
        StyFileBuf = image;
        OpenDocument(WinFamily::StyUN, r);
    }
    DocumentFamilyFull(WinFamily::StyUN);
}

void mnuImportaArri5_Click() { oldSeries(MenuId::mnuImportaArri5); }
void mnuImportaPcgi5_Click() { oldSeries(MenuId::mnuImportaPcgi5); }
