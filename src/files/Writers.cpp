#include "files/Writers.h"

#include "app/Documents.h"
#include "app/ImageLayout.h"
#include "app/Links.h"
#include "app/Messages.h"
#include "app/Tables.h"
#include "app/state.h"
#include "files/FileFormats.h"
#include "files/OpenDlg.h"
#include "files/StyGroups.h"
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

// A part of the image that is no whole file of its kind is never written:
// the file on disk stays as it is, and the user is told.
bool partFits(bool fits, const std::string& target) {
    if (fits) return true;
    MsgTitle = PathName(target);
    ErrMsg(ErrDataFormat, MsgTitle, PathName(target));
    return false;
}

std::string arrPart(const std::string& image) { return mid(image, ImgFile, ArrFileLen); }
bool arrFits(const std::string& part) { return static_cast<long>(part.size()) == ArrFileLen; }
std::string prgPart(const std::string& image) { return mid(image, ImgFile, PrgFileLen); }
std::string gblPart(const std::string& image) { return mid(image, ImgFile, GblFileLen); }

bool isPrgKind(unsigned k) { return k == 21 || k == 22 || k == 31; }
bool isArrKind(unsigned k) { return k == 2 || k == 3 || k == 19 || k == 20; }

// The file of a document (path without extension) on disk. `spelled` is the
// extension as the user typed it in the save dialog, tried first.
std::string target(const std::string& path, const std::string& ext, const std::string& spelled = "") {
    return FileWithExt(path, SameNoCase(spelled, ext) ? spelled : ext);
}

// The program file of the image at `path` (no extension), as ".prg" or
// ".pgg" by the image's program type. `sameFile`: the image's own file is rewritten, so
// its twin with the other extension is deleted when the window came from it.
bool writeProgramFile(std::string& image, const std::string& path, bool sameFile, const std::string& spelled = "") {
    bool pgg = at(image, ImgPrgType) != 0;
    const std::string file = target(path, pgg ? "pgg" : "prg", spelled);
    unsigned onDisk = at(image, ImgPrgOnDisk);
    // Saving in place after the file's kind changed (a reference pasted into a
    // .prg, say) would replace a different file that happens to carry the
    // other extension: refuse, so the user can choose a name with Save As.
    if (sameFile && onDisk != 0 && onDisk != (pgg ? 2u : 1u) && FileExists(file)) {
        MsgTitle = PathName(file);
        ErrMsg(ErrFileExists, MsgTitle, PathName(file));
        return false;
    }
    const std::string data = prgPart(image);
    if (!partFits(static_cast<long>(data.size()) == PrgFileLen, file) || !writeFile(file, data)) return false;
    if (sameFile && onDisk == (pgg ? 1u : 2u)) DeleteFile(target(path, pgg ? "prg" : "pgg"));
    put(image, ImgPrgOnDisk, pgg ? 2 : 1);
    return true;
}

bool writeStyleFile(const std::string& image, const std::string& file) {
    const std::string part = StyPartOf(image);
    return partFits(StyFileCheck(part), file) && writeFile(file, part);
}

void clearChanged(std::string& image) {
    for (long p : {ImgChanged, ImgPrgChanged, ImgStyChanged}) put(image, p, 0);
}

// Whether a window other than `self` holds the file `path` (no extension)
// of the family the image saves as.
bool heldElsewhere(const std::string& image, const std::string& path, const DocumentT* self) {
    const unsigned kind = WinKind(image);
    if (isArrKind(kind)) return HolderOf(path + ".arr", self) != nullptr;
    if (isPrgKind(kind)) return HolderOf(path + ".prg", self) || HolderOf(path + ".pgg", self);
    if (kind == 23 || kind == 24) return HolderOf(path + ".sty", self) != nullptr;
    return HolderOf(path + ".gbl", self) != nullptr;
}

bool writeGlobalFile(const std::string& image, const std::string& file) {
    std::string data = gblPart(image);
    if (!partFits(static_cast<long>(data.size()) == GblFileLen, file) || !writeFile(file, data)) return false;
    GblFileData = data;
    return true;
}

}  // namespace

int ArrSave(std::string& image, bool dropStyleFile) {
    std::string path = imagePath(image);
    if (path.empty()) return 1;
    const std::string arr = target(path, "arr"), sty = target(path, "sty");
    const bool withStyles = at(image, 9) == 2 && at(image, 10) != 0;
    // Both parts are checked before either file is touched.
    if (!partFits(arrFits(arrPart(image)), arr)) return 2;
    if (withStyles && !partFits(StyFileCheck(StyPartOf(image)), sty)) return 2;
    if (!writeFile(arr, arrPart(image))) return 2;
    put(image, 4, 0);
    if (at(image, 9) == 1 && dropStyleFile) {
        // No style file of its own any more: the one it held goes, but a
        // file that does not read as a style file is the user's to deal with.
        std::string old;
        FileFit fit;
        if (ReadFileUpTo(sty, StyMaxLen, old, fit) == FileError::None && fit == FileFit::Fits && StyFileCheck(old))
            DeleteFile(sty);
    } else if (withStyles) {
        if (!writeFile(sty, StyPartOf(image))) return 2;
    }
    put(image, ImgStyChanged, 0);
    return 0;
}

int FileSave(std::string& image, bool dropStyleFile) {
    unsigned kind = WinKind(image);
    std::string path = imagePath(image);
    if (kind == 19 || kind == 20) return path.empty() || at(image, ImgUntitled) ? 1 : ArrSave(image, dropStyleFile);
    if (path.empty() || at(image, ImgUntitled) != 0) return 1;
    if (isPrgKind(kind)) {
        if (!writeProgramFile(image, path, true)) return 2;
        clearChanged(image);
        return 0;
    }
    if (kind == 23 || kind == 24) {
        if (!writeStyleFile(image, target(path, "sty"))) return 2;
        clearChanged(image);
        return 0;
    }
    if (kind == 25) {
        if (!writeGlobalFile(image, target(path, "gbl"))) return 2;
        clearChanged(image);
        return 0;
    }
    return 1;
}

int FileSaveAs(std::string& image, const DocumentT* self, const std::string& offer) {
    unsigned kind = WinKind(image);
    const char* ext = nullptr;
    int filter = 8;
    std::string dir = DirLast;
    if (isArrKind(kind)) ext = "arr", filter = 1;
    else if (isPrgKind(kind)) ext = at(image, ImgPrgType) ? "pgg" : "prg", filter = 3, dir = DirLastPrg;
    else if (kind == 23 || kind == 24) ext = "sty", filter = 2;
    else if (kind == 25 || kind == 14) ext = "gbl", filter = 4, dir = GblDirLast;
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
    else if (kind == 14) req.fileName = "Global Parameters.gbl";
    else if (at(image, ImgSaveAs) != 0) {
        // An import's path is its source: offer its folder, but no name that
        // would replace the source file.
        if (!PathDir(imagePath(image)).empty()) req.initDir = PathDir(imagePath(image));
    }
    else req.fileName = (offer.empty() ? imagePath(image) : offer) + "." + ext;
    if (!ShowFileDialog(req)) return 1;

    std::string chosen = rtrim(req.fileName);
    // The extension as typed ("SONG.ARR") names the file written.
    std::string spelled = PathExt(chosen);
    const std::string cext = AsciiLower(spelled);
    if (cext == ext || (isPrgKind(kind) && (cext == "prg" || cext == "pgg")))
        chosen = chosen.substr(0, chosen.size() - cext.size() - 1);
    else
        spelled.clear();
    if (PathName(chosen).empty()) return 1;
    if (!PathUsable(chosen + "." + ext, Msg(75))) return 2;
    // Two windows on one file would overwrite each other's saves.
    if (heldElsewhere(image, chosen, self)) {
        ErrMsg(ErrAlreadyOpen, Msg(75));
        return 2;
    }
    bool same = chosen == imagePath(image) && at(image, ImgUntitled) == 0;
    // The file the user named (the dialog asked before replacing it); a name
    // typed without an extension is given the document's.
    const std::string typed = spelled.empty() && PathExt(rtrim(req.fileName)).empty()
                                  ? rtrim(req.fileName) + "." + ext
                                  : rtrim(req.fileName);
    // Any other file the save writes is checked here, before anything is.
    auto mayWrite = [&](const std::string& file) {
        return SameFile(file, typed) || MayWriteUnnamed(file, self, Msg(75));
    };
    const std::string written = isPrgKind(kind) ? target(chosen, ext, spelled)
                                : kind == 23 || kind == 24 ? target(chosen, "sty", spelled)
                                : isArrKind(kind) ? target(chosen, "arr", spelled)
                                                  : target(chosen, "gbl", spelled);
    if (!mayWrite(written)) return HolderOf(written, self) ? 2 : 1;

    if (isArrKind(kind)) {
        const std::string arr = target(chosen, "arr", spelled), sty = target(chosen, "sty");
        // The arrangements that use styles of their own take them along, as
        // the style file of the new name.
        const bool withStyles = (kind == 19 || kind == 20) && at(image, 9) == 2;
        if (withStyles && !mayWrite(sty)) return HolderOf(sty, self) ? 2 : 1;
        if (!partFits(arrFits(arrPart(image)), arr)) return 2;
        if (withStyles && !partFits(StyFileCheck(StyPartOf(image)), sty)) return 2;
        if (!writeFile(arr, arrPart(image))) return 2;
        if (withStyles && !writeFile(sty, StyPartOf(image))) return 2;
    } else if (isPrgKind(kind)) {
        if (!writeProgramFile(image, chosen, same, spelled)) return 2;
    } else if (kind == 23 || kind == 24) {
        if (!writeStyleFile(image, target(chosen, "sty", spelled))) return 2;
    } else if (kind == 14) {
        // The instrument's Global parameters, as a Global file.
        const std::string file = target(chosen, "gbl", spelled), data = gblPart(image);
        if (!partFits(static_cast<long>(data.size()) == GblFileLen, file) || !writeFile(file, data)) return 2;
    } else if (!writeGlobalFile(image, target(chosen, "gbl", spelled))) {
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
