#include "files/Readers.h"

#include <algorithm>

#include "app/Links.h"
#include "app/Messages.h"
#include "app/state.h"
#include "files/FileFormats.h"
#include "files/state.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/bytes.h"

namespace {

enum class Got { Data, Empty, Failed, Refused };

// The file a reader was given, as it lies on disk: "SONG.ARR" answers for
// "SONG.arr".
std::string onDisk(const std::string& path) {
    const std::string ext = PathExt(path);
    if (ext.empty() || FileLen(path) >= 0) return path;
    const std::string dir = PathDir(path), stem = PathStem(path);
    return FileWithExt(dir.empty() ? stem : PathJoin(dir, stem), ext);
}

// Reads a whole file of at most `maxLen` bytes. A missing file and a file
// found empty (then deleted) count as empty; a disk error is reported and
// counts as failed; anything longer, or that is not a regular file, is
// refused unread (the caller says so, as for a damaged file).
Got readFile(const std::string& path, long long maxLen, std::string& out) {
    FileFit fit;
    FileError e = ReadFileUpTo(path, maxLen, out, fit);
    if (e == FileError::NotFound) return Got::Empty;
    if (e != FileError::None) {
        FileErrMsg(e, PathName(path));
        out.clear();
        return Got::Failed;
    }
    if (fit != FileFit::Fits) return Got::Refused;
    if (out.empty()) {
        DeleteFile(path);
        return Got::Empty;
    }
    return Got::Data;
}

void openingTitle(const std::string& path) { MsgTitle = Msg(111) + PathName(path); }

// A file that did not pass its check (or was refused unread): reported with
// the kind's message, titled "Opening " and the file's name.
void refused(int code, const std::string& path) {
    openingTitle(path);
    ErrMsg(code, MsgTitle, PathName(path));
}

// An arrangement-type file: 0 read, 2 refused (error code 4), 3 empty.
int readArrLike(const std::string& given, long maxLen, bool (*check)(const std::string&), std::string& buf) {
    const std::string path = onDisk(given);
    openingTitle(path);
    std::string f;
    Got g = readFile(path, maxLen, f);
    if (g == Got::Empty) return 3;
    if (g == Got::Failed) return 2;
    if (g == Got::Refused || !check(f)) {
        refused(ErrReading, path);
        return 2;
    }
    buf = std::move(f);
    return 0;
}

// A program-type file: 0 read, 1 refused (error code 32), 3 empty.
int readPrgLike(const std::string& given, long maxLen, bool (*check)(const std::string&), std::string& buf) {
    const std::string path = onDisk(given);
    openingTitle(path);
    std::string f;
    Got g = readFile(path, maxLen, f);
    if (g == Got::Empty) return 3;
    if (g == Got::Failed) return 1;
    if (g == Got::Refused || !check(f)) {
        refused(ErrDataFormat, path);
        return 1;
    }
    buf = std::move(f);
    return 0;
}

bool lenIs(const std::string& f, long n) { return static_cast<long>(f.size()) == n; }

}  // namespace

int ArrFileRead(const std::string& path) { return readArrLike(path, ArrFileLen, ArrFileCheck, ArrFileBuf); }

int PrgFileRead(const std::string& path) {
    return readPrgLike(path, PrgFileLen, [](const std::string& f) { return PrgFileType(f) != 0; }, PrgFileBuf);
}

int PrgOrPggRead(const std::string& path) {
    std::string ext = AsciiLower(PathExt(path));
    std::string chosen = onDisk(path);
    if (ext == "prg" || ext == "pgg") {
        // The named file missing or of the wrong length: the twin with the
        // other extension, when there is a usable one.
        const std::string other = ext == "prg" ? "pgg" : "prg";
        const std::string dir = PathDir(path), stem = PathStem(path);
        const std::string twin = FileWithExt(dir.empty() ? stem : PathJoin(dir, stem), other);
        if (FileLen(chosen) != PrgFileLen && FileLen(twin) == PrgFileLen) {
            chosen = twin;
            ext = other;
        }
    }
    openingTitle(chosen);
    std::string f;
    Got g = readFile(chosen, PrgFileLen, f);
    if (g == Got::Empty) return 3;
    if (g == Got::Failed) return 2;
    int type = g == Got::Refused ? 0 : PrgFileType(f);
    if (type == 0) {
        refused(ErrDataFormat, chosen);
        return 2;
    }
    PrgFileBuf = std::move(f);
    ExtCur = ext;
    return type == 1 ? 0 : 4;
}

int StyFileLoad(const std::string& given) {
    const std::string path = onDisk(given);
    const bool tmpl = PathName(path) == "i40Sty";
    const bool i30 = ImpStyI30 && !tmpl;
    std::string f;
    Got g = readFile(path, tmpl ? StyTemplateLen : i30 ? StyI30MaxLen : StyMaxLen, f);
    if (g == Got::Empty) return 2;
    if (g == Got::Failed) return 1;
    bool ok = g == Got::Data && StyFileCheck(f, i30);
    if (ok && tmpl && static_cast<long>(f.size()) != StyTemplateLen) ok = false;
    if (!ok) {
        refused(ErrReading, path);
        return 1;
    }
    if (tmpl) {
        // The template's styles always read as placeholders.
        for (int k = 0; k < 4; ++k) {
            long pos = 225;
            for (int j = 0; j < k; ++j) pos += get16lo(f, 25 + 4L * j);
            if (get16lo(f, 25 + 4L * k) >= 16 && pos + 15 <= static_cast<long>(f.size()))
                putField(f, pos, 16, "- empty -");
        }
        StyGrpBuf = f;
    }
    StyFileBuf = std::move(f);
    return 0;
}

int GblFileRead(const std::string& path) { return readArrLike(path, GblFileLen, GblFileCheck, GblFileData); }

int BsqFileRead(const std::string& given) {
    const std::string path = onDisk(given);
    std::string f;
    Got g = readFile(path, BsqMaxLen, f);
    if (g == Got::Empty) return 2;
    if (g == Got::Failed) return 1;
    if (g == Got::Refused || !BsqFileCheck(f)) {
        refused(ErrReading, path);
        return 1;
    }
    BsqFileBuf = std::move(f);
    return 0;
}

long BsqOffsetCalc(int idx) {
    if (idx < 0 || idx > 10 || static_cast<long>(BsqFileBuf.size()) < BsqMinLen) return BsqDataStart;
    long v0 = get16lo(BsqFileBuf, 1997);
    long v = get16lo(BsqFileBuf, 1997 + 34L * idx);
    long off = BsqDataStart + 16 * (v - v0);
    long end = static_cast<long>(BsqFileBuf.size()) + 1;
    return std::clamp(off, BsqDataStart, end);
}

DBArrRead DBArrReadFile(std::string& img, FileError& err) {
    img.clear();
    FileFit fit;
    err = ReadFileUpTo(DBArrFile, DBArrLen, img, fit);
    if (err == FileError::NotFound) {
        err = FileError::None;
        return DBArrRead::Missing;
    }
    if (err != FileError::None) return DBArrRead::Failed;
    if (fit != FileFit::Fits) return DBArrRead::Foreign;
    if (img.empty()) {
        DeleteFile(DBArrFile);
        return DBArrRead::Missing;
    }
    if (static_cast<long>(img.size()) != DBArrLen || !DBArrCheck(img)) {
        img.clear();
        return DBArrRead::Foreign;
    }
    return DBArrRead::Ok;
}

int DBArrLoad() {
    // The file is checked at every load, also at start-up; only the message
    // waits until the program has started.
    std::string f;
    FileError e;
    const DBArrRead r = DBArrReadFile(f, e);
    const std::string title = "Edit i40DBArr";
    switch (r) {
    case DBArrRead::Ok: DBArrImage = std::move(f); return 0;
    case DBArrRead::Foreign:
        if (!Starting) ErrMsg(ErrDBArrData, title);
        return 2;
    case DBArrRead::Missing:
        if (!Starting) ErrMsg(ErrDBArrNotFound, title);
        return 1;
    case DBArrRead::Failed:
        if (!Starting) {
            MsgTitle = title;
            FileErrMsg(e, PathName(DBArrFile));
        }
        return 1;
    }
    return 1;
}

int ArrI30Check(const std::string& path) { return readArrLike(path, ArrI30Len, ArrI30FileCheck, ArrI30Buf); }
int ArrI5Check(const std::string& path) {
    return readArrLike(path, ArrI5Len, [](const std::string& f) { return lenIs(f, ArrI5Len); }, ArrI5Buf);
}
int PrgI30Check(const std::string& path) { return readPrgLike(path, PrgI30Len, PrgI30FileCheck, PrgI30Buf); }
int PcgI5Check(const std::string& path) {
    return readPrgLike(path, PcgI5Len, [](const std::string& f) { return lenIs(f, PcgI5Len); }, PcgI5Buf);
}

void InstallFileLinks() {
    struct Reader : ProgramFileLinkT {
        int readProgramFile(const std::string& path) override { return PrgOrPggRead(path); }
    };
    static Reader reader;
    RegisterLink<ProgramFileLinkT>(&reader);
}
