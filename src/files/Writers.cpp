#include "files/Writers.h"

#include <algorithm>

#include "app/Links.h"
#include "app/Messages.h"
#include "app/state.h"
#include "files/FileFormats.h"
#include "files/Readers.h"
#include "files/StyGroups.h"
#include "files/WindowImage.h"
#include "files/state.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/bytes.h"

namespace {

std::string imagePath(const std::string& image) { return rtrim(mid(image, ImgPath, ImgPathLen)); }

// Writes one file; a failure is reported with the file's name.
bool writeFile(const std::string& path, const std::string& data) {
    FileError e = WriteWholeFile(path, data);
    if (e == FileError::None) return true;
    MsgTitle = PathName(path);
    FileErrMsg(e, PathName(path));
    return false;
}

bool isPrgKind(unsigned k) { return k == 21 || k == 22 || k == 31; }
bool isArrKind(unsigned k) { return k == 2 || k == 3 || k == 19 || k == 20; }

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// The program file of the image at `path` (no extension), as ".prg" or
// ".pgg" by the image's program type. `sameFile`: the image's own file is rewritten, so
// its twin with the other extension is deleted when the window came from it.
bool writeProgramFile(std::string& image, const std::string& path, bool sameFile) {
    bool pgg = at(image, ImgPrgType) != 0;
    const std::string target = path + (pgg ? ".pgg" : ".prg");
    unsigned onDisk = at(image, ImgPrgOnDisk);
    // Saving in place after the file's kind changed (a reference pasted into a
    // .prg, say) would replace a different file that happens to carry the
    // other extension: refuse, so the user can choose a name with Save As.
    if (sameFile && onDisk != 0 && onDisk != (pgg ? 2u : 1u) && FileExists(target)) {
        MsgTitle = PathName(target);
        ErrMsg(ErrFileExists, MsgTitle, PathName(target));
        return false;
    }
    if (!writeFile(target, mid(image, ImgFile, PrgFileLen))) return false;
    if (sameFile && onDisk == (pgg ? 1u : 2u)) DeleteFile(path + (pgg ? ".prg" : ".pgg"));
    put(image, ImgPrgOnDisk, pgg ? 2 : 1);
    return true;
}

void clearChanged(std::string& image) {
    for (long p : {ImgChanged, ImgPrgChanged, ImgStyChanged}) put(image, p, 0);
}

bool writeGlobalFile(const std::string& image, const std::string& path) {
    std::string data = mid(image, ImgFile, GblFileLen);
    if (!writeFile(path + ".gbl", data)) return false;
    GblFileData = data;
    return true;
}

}  // namespace

int ArrSave(std::string& image) {
    std::string path = imagePath(image);
    if (path.empty()) return 1;
    if (!writeFile(path + ".arr", mid(image, ImgFile, ArrFileLen))) return 2;
    put(image, ImgChanged, 0);
    std::string sty = path + ".sty";
    if (at(image, ImgStyPart) == ImgStyTemplate) {
        // No style file of its own: a stale one of that name goes, but a file
        // that does not read as a style file is the user's to deal with.
        std::string old;
        if (ReadWholeFile(sty, old) == FileError::None && StyFileCheck(old)) DeleteFile(sty);
    } else if (at(image, ImgStyPart) == ImgStyOwn && at(image, ImgStyChanged) != 0) {
        if (!writeFile(sty, StyPartOf(image))) return 2;
    }
    put(image, ImgStyChanged, 0);
    return 0;
}

int FileSave(std::string& image) {
    unsigned kind = WinKind(image);
    std::string path = imagePath(image);
    if (kind == 19 || kind == 20) return path.empty() || at(image, ImgUntitled) ? 1 : ArrSave(image);
    if (path.empty() || at(image, ImgUntitled) != 0) return 1;
    if (isPrgKind(kind)) {
        if (!writeProgramFile(image, path, true)) return 2;
        clearChanged(image);
        return 0;
    }
    if (kind == 23 || kind == 24) {
        if (!writeFile(path + ".sty", StyPartOf(image))) return 2;
        clearChanged(image);
        return 0;
    }
    if (kind == 25) {
        if (!writeGlobalFile(image, path)) return 2;
        clearChanged(image);
        return 0;
    }
    return 1;
}

int FileSaveAs(std::string& image) {
    unsigned kind = WinKind(image);
    const char* ext = nullptr;
    int filter = 8;
    std::string dir = DirLast;
    if (isArrKind(kind)) ext = "arr", filter = 1;
    else if (isPrgKind(kind)) ext = at(image, ImgPrgType) ? "pgg" : "prg", filter = 3, dir = DirLastPrg;
    else if (kind == 23 || kind == 24) ext = "sty", filter = 2;
    else if (kind == 25) ext = "gbl", filter = 4, dir = GblDirLast;
    else return 1;

    FileDialogRequest req;
    req.save = true;
    req.title = Msg(75);
    req.filter = "Arrangements (*.arr)|*.arr|Style (*.sty)|*.sty|Programs (*.prg/pgg)|*.prg;*.pgg|"
                 "Global (*.gbl)|*.gbl|Backing Sequence (*.bsq)|*.bsq|Programs (*.prg)|*.prg|"
                 "Programs (*.pcg)|*.pcg| All files (*.*)|*.*";
    req.filterIndex = filter;
    req.initDir = dir;
    req.defaultExt = ext;
    if (kind == 2) req.fileName = "i40ArrA.arr";
    else if (kind == 3) req.fileName = "i40ArrB.arr";
    else req.fileName = imagePath(image) + "." + ext;
    if (!ShowFileDialog(req)) return 1;

    std::string chosen = rtrim(req.fileName);
    std::string cext = lower(PathExt(chosen));
    if (cext == ext || (isPrgKind(kind) && (cext == "prg" || cext == "pgg")))
        chosen = chosen.substr(0, chosen.size() - cext.size() - 1);
    if (PathName(chosen).empty()) return 1;
    if (!PathFits(chosen)) {
        ErrMsg(ErrPathTooLong, Msg(75), chosen);
        return 2;
    }
    bool same = chosen == imagePath(image) && at(image, ImgUntitled) == 0;

    if (isArrKind(kind)) {
        if (!writeFile(chosen + ".arr", mid(image, ImgFile, ArrFileLen))) return 2;
        // The arrangements that use styles of their own take them along. A
        // style file already lying under the new name is not the document's
        // yet, so it is left where it is.
        if ((kind == 19 || kind == 20) && at(image, ImgStyPart) == ImgStyOwn && !writeFile(chosen + ".sty", StyPartOf(image)))
            return 2;
    } else if (isPrgKind(kind)) {
        if (!writeProgramFile(image, chosen, same)) return 2;
    } else if (kind == 23 || kind == 24) {
        if (!writeFile(chosen + ".sty", StyPartOf(image))) return 2;
    } else if (!writeGlobalFile(image, chosen)) {
        return 2;
    }
    putField(image, ImgPath, ImgTitleFieldLen, chosen);
    for (long p : {ImgChanged, ImgPrgChanged, ImgStyChanged, ImgSaveAs, ImgUntitled}) put(image, p, 0);
    return 0;
}

void PrgFileLink(const std::string& image) {
    // The window showing the previous user bank no longer shows it.
    if ((PrgSlots[9].State == 1 || PrgSlots[9].State == 2) ) PrgWindowLink().unloadPrgUN(9);
    SlotRec rec = PrgSlots[9];
    rec.Path = imagePath(image);
    rec.Type = at(image, ImgPrgType);
    PrgSlotWork = rec;
    PrgSlots[9] = PrgSlotWork;
    PrgUFile = rec.Path;
    MainWindowLink().enableMenu(MenuId::mnuPrgU, true);
}
