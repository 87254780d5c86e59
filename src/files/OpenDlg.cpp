#include "files/OpenDlg.h"

#include "app/Messages.h"
#include "app/Tables.h"
#include "app/state.h"
#include "files/FileFormats.h"
#include "files/Readers.h"
#include "files/state.h"
#include "app/Documents.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "platform/bytes.h"

namespace {

// File types of the dialog's list, by their 1-based index.
enum FileType { TArr = 1, TSty = 2, TPrg = 3, TGbl = 4, TBsq = 5, TPrgOnly = 6, TPcg = 7, TAll = 8 };

int typeOfExtension(const std::string& path) {
    const std::string e = AsciiLower(PathExt(path));
    if (e == "arr") return TArr;
    if (e == "sty") return TSty;
    if (e == "prg" || e == "pgg") return TPrg;
    if (e == "gbl") return TGbl;
    if (e == "bsq") return TBsq;
    if (e == "pcg") return TPcg;
    return 0;
}

int preselected(int kind) {
    switch (kind) {
    case 19: return TArr;
    case 21: return ImpPrgI30 ? TPrgOnly : ImpPcgI5 ? TPcg : TPrg;
    case 23: return TSty;
    case 25: return TGbl;
    case 26: return TBsq;
    default: return TAll;
    }
}

// Whether a file of type t may be opened by the command of window kind `kind`.
bool typeFits(int kind, int t) {
    switch (kind) {
    case 19: return t == TArr;
    case 21: return ImpPcgI5 ? t == TPcg : (t == TPrg || t == TPrgOnly);
    case 23: return t == TSty;
    case 25: return t == TGbl;
    case 26: return t == TBsq;
    default: return false;
    }
}

bool endsInBlank(const std::string& s) { return !s.empty() && s.back() == ' '; }

// The extension the command of window kind `kind` opens.
std::string neededExtension(int kind) {
    switch (kind) {
    case 19: return ".arr";
    case 21: return ImpPcgI5 ? ".pcg" : ".prg";
    case 23: return ".sty";
    case 25: return ".gbl";
    default: return ".bsq";
    }
}

int fromTemplate() {
    int r = PrgFileRead(PrgBankFile);
    if (r == 3) return 3;
    if (r != 0) return 1;
    for (int i = 0; i < 64; ++i) putMid(PrgFileBuf, PrgHdrLen + 1 + PrgBlkLen * i, std::string(PrgBlkLen, '\0'));
    return 0;
}

}  // namespace

int FileOpenDlg(int kind) {
    if (kind == 22) return fromTemplate();

    FileDialogRequest req;
    req.filter = "Arrangements (*.arr)|*.arr|Style (*.sty)|*.sty|Programs (*.prg/pgg)|*.prg;*.pgg|"
                 "Global (*.gbl)|*.gbl|Backing Sequence (*.bsq)|*.bsq|Programs (*.prg)|*.prg|"
                 "Programs (*.pcg)|*.pcg| All files (*.*)|*.*";
    req.filterIndex = preselected(kind);
    req.initDir = kind == 21 ? DirLastPrg : kind == 25 ? GblDirLast : DirLast;
    req.showReadOnly = true;
    req.readOnly = RdOnlyOpt;
    if (!ShowFileDialog(req)) return 1;
    RdOnlyOpen = req.readOnly ? 1 : 0;

    const std::string path = rtrim(req.fileName);
    const std::string dir = PathDir(path), name = PathStem(path);
    const std::string stemPath = dir.empty() ? name : PathJoin(dir, name);
    MsgTitle = Msg(111) + PathName(path);
    // The file's own extension says its type, whatever the list of types
    // showed: a window saves its document as <name>.<its extension>, so a
    // file named otherwise would be saved beside itself, never over itself.
    const int type = typeOfExtension(path);
    if (!typeFits(kind, type)) {
        MsgBox(MsgSubst(MsgSubst(Msg(MsgWrongExtension), PathName(path)), neededExtension(kind)),
               vbOKOnly | vbExclamation, MsgTitle);
        return 1;
    }
    if (!PathUsable(path, MsgTitle)) return 1;

    int r = 1;
    switch (type) {
    case TArr: {
        if (HolderOf(path)) return 2;
        int s = ImpArrI30 ? ArrI30Check(path) : ImpArrI5 ? ArrI5Check(path) : ArrFileRead(path);
        if (s == 3) return 3;
        if (s != 0) return 1;
        ArrDir = dir, ArrName = name, DirLast = dir;
        return 0;
    }
    case TSty: {
        if (HolderOf(path)) return 2;
        int s = StyFileLoad(path);
        if (s == 2) return 3;  // missing, or empty (and deleted)
        if (s != 0) return 1;
        StyDir = dir, StyName = name, DirLast = dir;
        return 0;
    }
    case TPrg:
    case TPrgOnly:
    case TPcg: {
        if (HolderOf(stemPath + ".prg")) return 2;
        int s = type == TPcg ? PcgI5Check(path) : ImpPrgI30 ? PrgI30Check(path) : PrgFileRead(path);
        if (s == 3) return 3;
        if (s != 0) return 1;
        PrgDir = dir, PrgName = name, DirLastPrg = dir;
        ExtCur = AsciiLower(PathExt(path));
        return 0;
    }
    case TGbl: {
        if (HolderOf(path)) return 2;
        int s = GblFileRead(path);
        if (s == 3) return 3;
        if (s != 0) return 1;
        GblDir = dir, GblName = name, GblDirLast = dir;
        return 0;
    }
    case TBsq:
        if (HolderOf(path)) return 2;
    {
        const int s = BsqFileRead(path);
        if (s == 2) return 3;  // missing, or empty (and deleted)
        if (s != 0) return 1;
    }
        BsqDir = dir, BsqName = name, DirLast = dir;
        return 0;
    }
    return r;
}

bool PathUsable(const std::string& path, const std::string& title) {
    // The folders as given: a folder name's trailing blank is what is looked for.
    const std::string stemPath = PathNoExt(path);
    if (!PathFits(stemPath)) {
        ErrMsg(ErrPathTooLong, title, path);
        return false;
    }
    // Every folder and the name itself: the field is padded with blanks and
    // read back without them.
    std::size_t start = 0;
    while (start <= stemPath.size()) {
        const std::size_t end = std::min(stemPath.find('/', start), stemPath.size());
        if (endsInBlank(stemPath.substr(start, end - start))) {
            MsgBox(MsgSubst(Msg(MsgNameEndsInBlank), stemPath.substr(start, end - start)), vbOKOnly | vbExclamation,
                   title);
            return false;
        }
        start = end + 1;
    }
    return true;
}


bool FileOpenRead(int kind) {
    switch (FileOpenDlg(kind)) {
    case 0: return true;
    case 2: ErrMsg(ErrAlreadyOpen, MsgTitle, ""); return false;
    case 3: ErrMsg(ErrFileNotFound, MsgTitle, ""); return false;
    default: return false;
    }
}
