#include "documents/DocCommands.h"

#include "app/Documents.h"
#include "app/Links.h"
#include "app/Messages.h"
#include "app/state.h"
#include "documents/Documents.h"
#include "app/ImageLayout.h"
#include "files/Writers.h"
#include "platform/Forms.h"
#include "platform/Paths.h"
#include "platform/bytes.h"

void mnuSalva_Click() {
    ChildForm* c = MainWindowLink().activeChild();
    if (!c) return;
    const std::string& img = c->Tag();
    const int kind = at(img, ImgKind);
    if (kind == 14 || at(img, ImgUntitled) == 1 || at(img, ImgSaveAs) != 0) return mnuSalvaAs_Click();
    if (ImgIsRdOnly(img)) return ErrMsg(ErrReadOnly, c->Caption());
    if (DocumentT* d = DocumentOf(c)) {
        d->save(false);
    } else {
        std::string image = img;
        if (FileSave(image) != 0) return;   // the writer has reported a failure
        c->Tag() = image;
    }
    MainWindowLink().menuAgg();
}

void mnuSalvaAs_Click() {
    ChildForm* c = MainWindowLink().activeChild();
    if (!c) return;
    if (DocumentT* d = DocumentOf(c)) {
        d->save(true);
        return MainWindowLink().menuAgg();
    }
    std::string img = c->Tag();
    const int kind = at(img, ImgKind);
    if (FileSaveAs(img) != 0) return;   // cancelled, or reported
    // The instrument's own data (the banks, the Global window) is written
    // to a file; the window keeps its title and kind.
    if (kind == 2 || kind == 3 || kind == 14) return MainWindowLink().menuAgg();
    const bool import = at(c->Tag(), ImgSaveAs) != 0;
    c->Tag() = img;
    DocumentSavedAs(*c);
    if (import && kind == 21) {
        // The import is an ordinary program file now, named as an open names it.
        RdOnlyOpen = at(img, ImgRdOnly);
        ExtCur = at(img, ImgPrgType) != 0 ? "pgg" : "prg";
        PrgDir = PathDir(ImgPathOf(img));
        PrgName = PathName(ImgPathOf(img));
    }
    MainWindowLink().menuAgg();
}
