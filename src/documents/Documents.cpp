#include "documents/Documents.h"

#include <array>
#include <vector>

#include "app/Captions.h"
#include "app/Documents.h"
#include "app/Messages.h"
#include "app/Mru.h"
#include "app/Tables.h"
#include "app/state.h"
#include "files/OpenDlg.h"
#include "files/Readers.h"
#include "app/EditRecord.h"
#include "app/ImageLayout.h"
#include "files/state.h"
#include "platform/Dialogs.h"
#include "platform/Forms.h"
#include "platform/Paths.h"
#include "platform/bytes.h"

namespace {

// One document family, declared once.
struct FamilyDecl {
    WinFamily family;
    int kind;                               // its windows' kind
    std::vector<std::string> exts;          // lower case; the first is the one saved
    SlotRec* table;                         // its slot table (records 1-8)
    int* used;                              // in-use marks 1-8; nullptr: the load marks the record
    MenuId openItem;
    // Reads the file into the family's buffer: 0 read, 3 missing, anything
    // else refused (the reader has said why). `twin`: see OpenRequest.
    int (*read)(const std::string& path, bool twin);
    // What the window's load reads: folder and name, slot, request.
    void (*request)(const std::string& dir, const std::string& name, const std::string& ext, int slot,
                    const OpenRequest& r);
    // The file the open dialog left chosen (its folder and name globals).
    std::string (*chosen)();
};

int readArr(const std::string& p, bool) { return ArrFileRead(p); }
int readSty(const std::string& p, bool) {
    const int r = StyFileLoad(p);
    return r == 2 ? 3 : r == 0 ? 0 : 1;
}
int readPrg(const std::string& p, bool twin) {
    const int r = twin ? PrgOrPggRead(p) : PrgFileRead(p);
    return r == 4 ? 0 : r;
}
int readGbl(const std::string& p, bool) { return GblFileRead(p); }
int readBsq(const std::string& p, bool) {
    const int r = BsqFileRead(p);
    return r == 2 ? 3 : r;
}

void arrRequest(const std::string& dir, const std::string& name, const std::string&, int slot, const OpenRequest& r) {
    ArrDir = dir, ArrName = name;
    ArrSlotCur = slot;
    RdOnlyOpen = r.readOnly;
    CaricaPrgPending = r.loadPrograms;
}
void styRequest(const std::string& dir, const std::string& name, const std::string&, int slot, const OpenRequest& r) {
    StyDir = dir, StyName = name;
    StySlotCur = slot;
    StyLoopIdx = 0;
    StySlots[static_cast<std::size_t>(slot)].Extra = r.companion ? 1 : 0;
    RdOnlyOpen = r.readOnly;
    MainWindowLink().enableMenu(MenuId::mnuWindow, true);
}
void prgRequest(const std::string& dir, const std::string& name, const std::string& ext, int slot,
                const OpenRequest& r) {
    PrgDir = dir, PrgName = name;
    // The reader may have found the file under the other extension.
    ExtCur = AsciiLower(ExtCur.empty() ? ext : ExtCur);
    PrgSlotCur = slot;
    PrgWinKind = 21;
    RdOnlyOpen = r.readOnly;
}
void gblRequest(const std::string& dir, const std::string& name, const std::string&, int slot, const OpenRequest& r) {
    GblDir = dir, GblName = name;
    GblSlotCur = slot;
    RdOnlyOpen = r.readOnly;
}
void bsqRequest(const std::string& dir, const std::string& name, const std::string&, int slot, const OpenRequest& r) {
    BsqDir = dir, BsqName = name;
    BsqSlotCur = slot;
    RdOnlyOpen = r.readOnly;
}

std::string joined(const std::string& dir, const std::string& name) {
    return dir.empty() ? name : PathJoin(dir, name);
}
std::string arrChosen() { return joined(ArrDir, ArrName) + ".arr"; }
std::string styChosen() { return joined(StyDir, StyName) + ".sty"; }
std::string prgChosen() { return joined(PrgDir, PrgName) + "." + AsciiLower(ExtCur); }
std::string gblChosen() { return joined(GblDir, GblName) + ".gbl"; }
std::string bsqChosen() { return joined(BsqDir, BsqName) + ".bsq"; }

const std::array<FamilyDecl, 5>& Families() {
    static const std::array<FamilyDecl, 5> families{{
        {WinFamily::ArrU, 19, {"arr"}, ArrSlots.data(), ArrSlotUsed.data(), MenuId::mnuApriArr, readArr, arrRequest,
         arrChosen},
        {WinFamily::StyUN, 23, {"sty"}, StySlots.data(), StySlotUsed.data(), MenuId::mnuApriSty, readSty, styRequest,
         styChosen},
        {WinFamily::PrgUN, 21, {"prg", "pgg"}, PrgSlots.data(), PrgSlotUsed.data(), MenuId::mnuApriPrg, readPrg,
         prgRequest, prgChosen},
        {WinFamily::Gbl, 25, {"gbl"}, GblSlots.data(), nullptr, MenuId::mnuApriGbl, readGbl, gblRequest,
         gblChosen},
        {WinFamily::Bsq, 26, {"bsq"}, BsqSlots.data(), nullptr, MenuId::mnuApriBSQ, readBsq, bsqRequest,
         bsqChosen},
    }};
    return families;
}

const FamilyDecl* declOf(WinFamily f) {
    for (const FamilyDecl& d : Families())
        if (d.family == f) return &d;
    return nullptr;
}

// The first free slot 1-8 of a family, 0 when none.
int freeSlot(const FamilyDecl& d) {
    for (int i = 1; i <= 8; ++i) {
        if (d.used) {
            if (d.used[i] == 0) return i;
        } else {
            const uint8_t s = d.table[i].State;
            if (s == 0 || s == ' ') return i;
        }
    }
    return 0;
}

bool windowsAvailable(WinFamily f) {
    // Program file windows come with the program library's link.
    return f == WinFamily::PrgUN ? IsLinked<PrgWindowLinkT>() : FamilyAvailable(f);
}

// Shows the slot's window (its load runs); false when none could be shown.
bool showWindow(WinFamily f, int slot, bool minimised) {
    if (f == WinFamily::PrgUN) {
        PrgWinShow(21);
        ChildForm* w = WindowOf(f, slot);
        if (w && minimised) w->setWindowState(vbMinimized);
        return true;
    }
    ChildForm* w = ShowWindowOf(f, slot);
    if (w && minimised) w->setWindowState(vbMinimized);
    return w != nullptr;
}

}  // namespace

bool FamilyOfKind(int kind, WinFamily& family) {
    switch (kind) {
    case 19: family = WinFamily::ArrU; return true;
    case 20: family = WinFamily::ArrNew; return true;
    case 21: case 31: family = WinFamily::PrgUN; return true;
    case 22: family = WinFamily::PrgNew; return true;
    case 23: family = WinFamily::StyUN; return true;
    case 24: family = WinFamily::StyNew; return true;
    case 25: family = WinFamily::Gbl; return true;
    case 26: family = WinFamily::Bsq; return true;
    default: return false;
    }
}

bool FamilyOfExtension(const std::string& ext, WinFamily& family) {
    for (const FamilyDecl& d : Families())
        for (const std::string& e : d.exts)
            if (SameNoCase(e, ext)) {
                family = d.family;
                return true;
            }
    return false;
}

bool OpenFromDialog(WinFamily family) {
    const FamilyDecl* d = declOf(family);
    if (!d || !DocumentCanOpen(family)) return false;  // the command is off then
    if (!FileOpenRead(d->kind)) return false;
    OpenRequest r;
    r.path = d->chosen();
    r.readOnly = RdOnlyOpen;
    r.alreadyRead = true;
    r.title = MsgTitle;
    return OpenDocument(family, r);
}

MenuId FamilyOpenItem(WinFamily family) {
    const FamilyDecl* d = declOf(family);
    return d ? d->openItem : MenuId::mnuApriArr;
}

bool DocumentCanOpen(WinFamily family) {
    const FamilyDecl* d = declOf(family);
    return d && windowsAvailable(family) && freeSlot(*d) != 0;
}

void DocumentFamilyFull(WinFamily family) {
    const FamilyDecl* d = declOf(family);
    if (d && freeSlot(*d) == 0) MainWindowLink().enableMenu(d->openItem, false);
}

bool OpenDocument(WinFamily family, const OpenRequest& r) {
    const FamilyDecl* d = declOf(family);
    if (!d || !windowsAvailable(family)) return false;
    const int slot = r.slot != 0 ? r.slot : freeSlot(*d);
    if (slot < 1 || slot > 8) return false;  // the Open command is off then
    const std::string path = rtrim(r.path);
    const std::string dir = PathDir(path), name = PathStem(path), ext = AsciiLower(PathExt(path));
    MsgTitle = r.title.empty() ? Msg(111) + PathName(path) : r.title;
    const std::string title = MsgTitle;

    if (!r.alreadyRead) {
        bool known = false;
        for (const std::string& e : d->exts) known = known || e == ext;
        if (!known) {
            MsgBox(MsgSubst(MsgSubst(Msg(MsgWrongExtension), PathName(path)), "." + d->exts.front()),
                   vbOKOnly | vbExclamation, title);
            return false;
        }
        if (!PathUsable(path, title)) return false;
        if (HolderOf(path)) {
            if (!r.quiet) ErrMsg(ErrAlreadyOpen, title, "");
            return false;
        }
        if (family == WinFamily::PrgUN) ExtCur.clear();
        const int read = d->read(path, r.twin);
        if (read == 3 && !r.quiet) ErrMsg(ErrFileNotFoundName, title, path);   // names what was looked for
        if (read != 0) return false;
    }
    // The slot: the record of a fresh open starts closed (an open mark the
    // last run left is stale), a reopened one at its place.
    const auto s = static_cast<std::size_t>(slot);
    SlotRec& rec = d->table[s];
    rec.DBID = 0;
    if (family != WinFamily::StyUN) rec.Extra = 0;
    // The read-only choice stays with the record, for the window to come
    // back as it was at the next start.
    rec.RdOnly = static_cast<uint8_t>(r.readOnly ? 1 : 0);
    if (r.placed) {
        rec.Path = dir.empty() ? name : PathJoin(dir, name);
        // A window reopened minimised is made so: its image says 2.
        rec.State = r.minimised ? 2 : 1;
        rec.Top = r.top, rec.Left = r.left, rec.Height = r.height, rec.Width = r.width;
        if (rec.Height <= 0 || rec.Width <= 0) StandardSize(d->kind, rec.Height, rec.Width);
    } else {
        rec.State = 0;
    }
    if (d->used) d->used[s] = 1;
    d->request(dir, name, ext, slot, r);
    if (!showWindow(family, slot, r.minimised)) {
        if (d->used) d->used[s] = 0;
        rec.State = 0;
        return false;
    }
    DocumentFamilyFull(family);
    if (r.recent) {
        const std::string saved = family == WinFamily::PrgUN ? ExtCur : ext;
        MruAdd((dir.empty() ? name : PathJoin(dir, name)) + "." + saved, r.readOnly);
    }
    return true;
}

void DocumentSavedAs(ChildForm& window) {
    const std::string& image = window.Tag();
    const int kind = WinKind(image);
    const std::string path = ImgPathOf(image);
    window.setCaption(DocCaptionBuild(image));
    // The edits of its entries go to the file of the new name.
    EditRecordsSourceRenamed(&window);
    WinFamily family;
    if (!FamilyOfKind(kind, family)) return;
    const int slot = at(image, ImgSlot);
    if (const FamilyDecl* d = declOf(family); d && slot >= 1 && slot <= 8) {
        SlotRec& rec = d->table[static_cast<std::size_t>(slot)];
        rec.Path = path;
        rec.RdOnly = static_cast<uint8_t>(at(image, ImgRdOnly) == 1 ? 1 : 0);
        if (family == WinFamily::PrgUN) rec.Type = at(image, ImgPrgType);
    }
    std::string ext;
    switch (kind) {
    case 19: case 20: ext = "arr"; break;
    case 21: case 22: case 31: ext = at(image, ImgPrgType) != 0 ? "pgg" : "prg"; break;
    case 23: case 24: ext = "sty"; break;
    case 25: ext = "gbl"; break;
    default: return;
    }
    MruAdd(path + "." + ext, at(image, ImgRdOnly));
    MainWindowLink().refreshRecentFiles();
}
