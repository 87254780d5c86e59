#include "files/Readers.h"

#include <algorithm>

#include "app/Links.h"
#include "app/Messages.h"
#include "app/state.h"
#include "files/FileFormats.h"
#include "files/state.h"
#include "platform/Files.h"
#include "platform/bytes.h"

std::string PathDir(const std::string& path) {
    std::string p = rtrim(path);
    auto i = p.rfind('/');
    return i == std::string::npos ? std::string() : rtrim(p.substr(0, i));
}

std::string PathName(const std::string& path) {
    std::string p = rtrim(path);
    auto i = p.rfind('/');
    return i == std::string::npos ? p : p.substr(i + 1);
}

std::string PathStem(const std::string& path) {
    std::string n = PathName(path);
    auto i = n.rfind('.');
    return i == std::string::npos || i == 0 ? n : n.substr(0, i);
}

std::string PathExt(const std::string& path) {
    std::string n = PathName(path);
    auto i = n.rfind('.');
    return i == std::string::npos || i == 0 ? std::string() : n.substr(i + 1);
}

namespace {

enum class Got { Data, Empty, Failed };

// Reads a whole file. A missing file and a file found empty (then deleted)
// count as empty; a disk error is reported and counts as failed.
Got readFile(const std::string& path, std::string& out) {
    FileError e = ReadWholeFile(path, out);
    if (e == FileError::NotFound) return Got::Empty;
    if (e != FileError::None) {
        FileErrMsg(e, PathName(path));
        out.clear();
        return Got::Failed;
    }
    if (out.empty()) {
        DeleteFile(path);
        return Got::Empty;
    }
    return Got::Data;
}

void openingTitle(const std::string& path) { MsgTitle = Msg(111) + PathName(path); }

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// An arrangement-type file: 0 read, 2 refused (error code 4), 3 empty.
int readArrLike(const std::string& path, bool (*check)(const std::string&), std::string& buf) {
    openingTitle(path);
    std::string f;
    Got g = readFile(path, f);
    if (g == Got::Empty) return 3;
    if (g == Got::Failed) return 2;
    if (!check(f)) {
        ErrMsg(ErrReading, MsgTitle, PathName(path));
        return 2;
    }
    buf = std::move(f);
    return 0;
}

// A program-type file: 0 read, 1 refused (error code 32), 3 empty.
int readPrgLike(const std::string& path, bool (*check)(const std::string&), std::string& buf) {
    openingTitle(path);
    std::string f;
    Got g = readFile(path, f);
    if (g == Got::Empty) return 3;
    if (g == Got::Failed) return 1;
    if (!check(f)) {
        ErrMsg(ErrDataFormat, MsgTitle, PathName(path));
        return 1;
    }
    buf = std::move(f);
    return 0;
}

bool lenIs(const std::string& f, long n) { return static_cast<long>(f.size()) == n; }

}  // namespace

int ArrFileRead(const std::string& path) { return readArrLike(path, ArrFileCheck, ArrFileBuf); }

int PrgFileRead(const std::string& path) {
    return readPrgLike(path, [](const std::string& f) { return PrgFileType(f) != 0; }, PrgFileBuf);
}

int PrgOrPggRead(const std::string& path) {
    std::string ext = lower(PathExt(path));
    std::string chosen = path;
    if (ext == "prg" || ext == "pgg") {
        // The named file missing or of the wrong length: the twin with the
        // other extension, when there is a usable one.
        std::string other = ext == "prg" ? "pgg" : "prg";
        std::string twin = path.substr(0, path.size() - 3) + other;
        if (FileLen(path) != PrgFileLen && FileLen(twin) == PrgFileLen) {
            chosen = twin;
            ext = other;
        }
    }
    openingTitle(chosen);
    std::string f;
    Got g = readFile(chosen, f);
    if (g == Got::Empty) return 3;
    if (g == Got::Failed) return 2;
    int type = PrgFileType(f);
    if (type == 0) {
        ErrMsg(ErrDataFormat, MsgTitle, PathName(chosen));
        return 2;
    }
    PrgFileBuf = std::move(f);
    ExtCur = ext;
    return type == 1 ? 0 : 4;
}

int StyFileLoad(const std::string& path) {
    std::string f;
    Got g = readFile(path, f);
    if (g == Got::Empty) return 2;
    if (g == Got::Failed) return 1;
    bool tmpl = PathName(path) == "i40Sty";
    bool ok = StyFileCheck(f, ImpStyI30 && !tmpl);
    if (ok && tmpl && static_cast<long>(f.size()) != StyTemplateLen) ok = false;
    if (!ok) {
        MsgTitle = Msg(111) + PathName(path);
        ErrMsg(ErrReading, MsgTitle, PathName(path));
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

int GblFileRead(const std::string& path) { return readArrLike(path, GblFileCheck, GblFileData); }

int BsqFileRead(const std::string& path) {
    std::string f;
    Got g = readFile(path, f);
    if (g == Got::Empty) return 2;
    if (g == Got::Failed) return 1;
    if (!BsqFileCheck(f)) {
        MsgTitle = Msg(111) + PathName(path);
        ErrMsg(ErrReading, MsgTitle, PathName(path));
        return 1;
    }
    BsqFileBuf = std::move(f);
    return 0;
}

long BsqOffsetCalc(int idx) {
    if (idx < 0 || idx > 10 || static_cast<long>(BsqFileBuf.size()) < BsqMinLen) return BsqMinLen;
    long v0 = get16lo(BsqFileBuf, 1997);
    long v = get16lo(BsqFileBuf, 1997 + 34L * idx);
    long off = BsqMinLen + 16 * (v - v0);
    long end = static_cast<long>(BsqFileBuf.size()) + 1;
    return std::clamp(off, BsqMinLen, end);
}

int DBArrLoad() {
    std::string f;
    FileError e = ReadWholeFile(DBArrFile, f);
    const std::string title = "Edit i40DBArr";
    if (e != FileError::None && e != FileError::NotFound) {
        if (!Starting) {
            MsgTitle = title;
            FileErrMsg(e, PathName(DBArrFile));
        }
        return 1;
    }
    if (f.empty()) {
        if (e == FileError::None) DeleteFile(DBArrFile);
        if (!Starting) ErrMsg(ErrDBArrNotFound, title);
        return 1;
    }
    f.resize(DBArrLen, '\0');
    // The signature is checked at every load, also at start-up; only the
    // message waits until the program has started.
    if (!DBArrCheck(f)) {
        if (!Starting) ErrMsg(ErrDBArrData, title);
        return 2;
    }
    DBArrImage = std::move(f);
    return 0;
}

int ArrI30Check(const std::string& path) { return readArrLike(path, ArrI30FileCheck, ArrI30Buf); }
int ArrI5Check(const std::string& path) {
    return readArrLike(path, [](const std::string& f) { return lenIs(f, ArrI5Len); }, ArrI5Buf);
}
int PrgI30Check(const std::string& path) { return readPrgLike(path, PrgI30FileCheck, PrgI30Buf); }
int PcgI5Check(const std::string& path) {
    return readPrgLike(path, [](const std::string& f) { return lenIs(f, PcgI5Len); }, PcgI5Buf);
}

void InstallFileLinks() {
    struct Reader : ProgramFileLinkT {
        int readProgramFile(const std::string& path) override { return PrgOrPggRead(path); }
    };
    static Reader reader;
    RegisterLink<ProgramFileLinkT>(&reader);
}
