#include "shell/DocCommands.h"

#include "app/Captions.h"
#include "app/Links.h"
#include "app/Messages.h"
#include "app/Mru.h"
#include "app/state.h"
#include "files/WindowImage.h"
#include "files/Writers.h"
#include "platform/Paths.h"
#include "platform/bytes.h"
#include "shell/MenuAgg.h"
#include "shell/frmMain.h"

namespace {

ChildForm* activeChild() {
    frmMain* m = MainForm();
    if (!m || m->Forms().empty()) return nullptr;
    return m->ActiveForm();
}

// The slot record of a file window in slots 1-8 (nullptr for others).
SlotRec* slotRecordOf(const std::string& img) {
    const int slot = at(img, ImgSlot);
    if (slot < 1 || slot > 8) return nullptr;
    const auto s = static_cast<std::size_t>(slot);
    switch (at(img, ImgKind)) {
    case 19: return &ArrSlots[s];
    case 21: return &PrgSlots[s];
    case 23: return &StySlots[s];
    case 25: return &GblSlots[s];
    default: return nullptr;
    }
}

const char* extensionOf(const std::string& img) {
    switch (at(img, ImgKind)) {
    case 19: case 20: return "arr";
    case 21: case 22: return at(img, ImgPrgType) != 0 ? "pgg" : "prg";
    case 23: case 24: return "sty";
    case 25: return "gbl";
    default: return "";
    }
}

}  // namespace

void mnuSalva_Click() {
    ChildForm* c = activeChild();
    if (!c) return;
    std::string img = c->Tag();
    const int kind = at(img, ImgKind);
    if (kind == 14 || at(img, ImgUntitled) == 1 || at(img, ImgSaveAs) != 0) return mnuSalvaAs_Click();
    if (ImgIsRdOnly(img)) return ErrMsg(ErrReadOnly, c->Caption());
    if (FileSave(img) != 0) return;   // the writer has reported a failure
    c->Tag() = img;
    MenuAgg();
}

void mnuSalvaAs_Click() {
    ChildForm* c = activeChild();
    if (!c) return;
    std::string img = c->Tag();
    const int kind = at(img, ImgKind);
    const int import = at(img, ImgSaveAs);   // Save As clears it
    if (FileSaveAs(img) != 0) return;        // cancelled, or reported
    // The instrument's own data stays what the window shows: a bank or the
    // Global window keeps its title and kind.
    if (kind == 2 || kind == 3 || kind == 14) return MenuAgg();
    c->Tag() = img;
    c->setCaption(DocCaptionBuild(img));
    if (SlotRec* r = slotRecordOf(img)) {
        r->Path = ImgPathOf(img);
        if (kind == 21) r->Type = at(img, ImgPrgType);
    }
    if (import != 0 && *extensionOf(img)) {
        // The import is an ordinary file now, named as an open names it.
        RdOnlyOpen = at(img, ImgRdOnly);
        if (kind == 21) {
            ExtCur = extensionOf(img);
            PrgDir = PathDir(ImgPathOf(img));
            PrgName = PathName(ImgPathOf(img));
        }
        MruAdd(ImgPathOf(img) + "." + extensionOf(img), RdOnlyOpen);
        MainWindowLink().refreshRecentFiles();
    }
    MenuAgg();
}

void InstallDocCommands() {
    RegisterMenuCommand(MenuId::mnuSalva, mnuSalva_Click);
    RegisterMenuCommand(MenuId::mnuSalvaAs, mnuSalvaAs_Click);
}
