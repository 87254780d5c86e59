#include "app/Documents.h"

#include <algorithm>

#include "app/ImageLayout.h"
#include "app/Messages.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Paths.h"

namespace {
std::vector<DocumentT*>& Docs() {
    // Never destroyed: windows held by other statics unregister late.
    static auto* docs = new std::vector<DocumentT*>;
    return *docs;
}

std::string stemOf(const std::string& path) {
    const std::string dir = PathDir(path), stem = PathStem(path);
    return dir.empty() ? stem : PathJoin(dir, stem);
}
}  // namespace

Registration RegisterDocument(DocumentT* doc) {
    auto& docs = Docs();
    if (std::find(docs.begin(), docs.end(), doc) == docs.end()) docs.push_back(doc);
    return Registration([doc] {
        auto& d = Docs();
        d.erase(std::remove(d.begin(), d.end(), doc), d.end());
    });
}

bool SameFile(const std::string& a, const std::string& b) {
    return SameNoCase(PathExt(a), PathExt(b)) && SamePath(stemOf(a), stemOf(b));
}

DocumentT* HolderOf(const std::string& path, const DocumentT* except) {
    // A copy: answering may not change the list, but a caller's box may.
    const std::vector<DocumentT*> docs = Docs();
    for (DocumentT* d : docs) {
        if (d == except) continue;
        for (const std::string& f : d->heldFiles())
            if (SameFile(f, path)) return d;
    }
    return nullptr;
}

DocumentT* ProgramFileHolder(const std::string& stemPath, const DocumentT* except) {
    DocumentT* d = HolderOf(FileWithExt(stemPath, "prg"), except);
    return d ? d : HolderOf(FileWithExt(stemPath, "pgg"), except);
}

bool DocumentT::readOrWrote(const std::string& path) const {
    for (const std::string& f : heldFiles())
        if (SameFile(f, path)) return true;
    return false;
}

bool MayWriteUnnamed(const std::string& path, const DocumentT* self, const std::string& title) {
    if (HolderOf(path, self)) {
        ErrMsg(ErrAlreadyOpen, title, "");
        return false;
    }
    if ((self && self->readOrWrote(path)) || !FileExists(path)) return true;
    return MsgBox(MsgSubst(Msg(MsgReplaceCompanion), PathName(path)), vbYesNo | vbQuestion, title) == vbYes;
}

DocumentT* DocumentOf(const ChildForm* window) {
    for (DocumentT* d : Docs())
        if (d->docForm() == window) return d;
    return nullptr;
}

DocumentT* DocumentIn(WinFamily family, int slot) {
    for (DocumentT* d : Docs())
        if (d->docFamily() == family && d->docSlot() == slot) return d;
    return nullptr;
}

std::vector<std::string> ImageFiles(const std::string& image) {
    const std::string path = ImgPathOf(image);
    if (path.empty() || at(image, ImgUntitled) == 1) return {};
    switch (WinKind(image)) {
    case 19: case 20:
        if (at(image, ImgStyPart) == ImgStyOwn) return {path + ".arr", path + ".sty"};
        return {path + ".arr"};
    case 21: case 22: case 31: return {path + ".prg", path + ".pgg"};
    case 23: case 24: return {path + ".sty"};
    case 25: return {path + ".gbl"};
    case 26: return {path + ".bsq"};
    default: return {};
    }
}
