#include "app/Messages.h"

#include "app/Links.h"
#include "app/state.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"

// Code -> message number. Codes without a message of their own show the
// caller's text as it is.
const std::array<int, ErrCodeCount> ErrMsgCodes = {
    -1,   // 0
    -1,   // 1
    100,  // 2  "_ error"
    119,  // 3  length of a 4-style group
    14,   // 4  "Error reading _"
    79,   // 5  "File _ not found"
    40,   // 6  database missing
    41,   // 7  database damaged
    24,   // 8  disk not ready
    25,   // 9  disk read error
    26,   // 10 disk full
    27,   // 11 path not found
    49,   // 12 close the other programs first
    28,   // 13 device I/O error
    77,   // 14 bank A missing
    78,   // 15 bank B missing
    93,   // 16 file already open
    90,   // 17 read-only file
    29,   // 18 access denied
    23,   // 19 second instance
    18,   // 20 MIDI output open
    19,   // 21 MIDI input open
    20,   // 22 MIDI send
    21,   // 23 MIDI output close
    66,   // 24 language change
    104,  // 25 reading error
    22,   // 26 MIDI input close
    15,   // 27 file not found
    31,   // 28 no printer
    32,   // 29 path too long
    33,   // 30 MIDI off until restart
    34,   // 31 another file already has that name
    116,  // 32 data format error
    -1,   // 33
    -1,   // 34
    -1,   // 35
    82,   // 36 4 styles per file
};

const std::array<int, 9> StatusMsgKinds = {0, 16, 11, 12, 13, 124, 96, 17, 101};

std::string Msg(int n) { return MsgRaw(n + LangBase); }

std::string MsgChosen(int n) { return MsgRaw(n + (LangSel == 2 ? 200 : 0)); }

std::string MsgSubst(const std::string& text, const std::string& word) {
    std::string s = text;
    auto p = s.find('_');
    if (p != std::string::npos) s.replace(p, 1, word);
    return s;
}

int ErrMsgNumber(int code) {
    if (code < 0 || code >= ErrCodeCount) return -1;
    return ErrMsgCodes[static_cast<std::size_t>(code)];
}

namespace {

// A text in the chosen language, or, while start-up does not know it yet,
// in both (Italian first), one per line. `text(base)` builds it for the
// language whose messages start at `base`.
template <class F>
std::string inShownLanguages(F text) {
    if (!LangPending) return text(LangBase);
    return text(0) + "\n" + text(200);
}

std::string errTextIn(int base, int code, const std::string& text) {
    int n = ErrMsgNumber(code);
    if (n < 0) return text;
    return MsgSubst(MsgRaw(n + base), text);
}

// The program's own files by what they are for, with their path.
std::string fileShownIn(int base, const std::string& path) {
    int n = path.empty()           ? 0
            : path == DevStateFile ? MsgDevStateFile
            : path == InfoFile     ? MsgInfoFile
            : path == IniFile      ? MsgSettingsFile
                                   : 0;
    return n ? MsgSubst(MsgRaw(n + base), path) : path;
}

bool programStateFile(const std::string& path) {
    return !path.empty() && (path == DevStateFile || path == InfoFile || path == IniFile);
}

}  // namespace

std::string ErrMsgText(int code, const std::string& text) {
    return inShownLanguages([&](int base) { return errTextIn(base, code, text); });
}

void ErrMsg(int code, const std::string& title, const std::string& text) {
    MsgBox(ErrMsgText(code, text), vbOKOnly | vbExclamation, title.empty() ? std::string(ProgramTitle) : title);
}

int FileErrCode(FileError e) {
    switch (e) {
    case FileError::None: return 0;
    case FileError::NotFound: return ErrFileNotFoundName;
    case FileError::DiskNotReady: return ErrDiskNotReady;
    case FileError::ReadError: return ErrDiskRead;
    case FileError::DiskFull: return ErrDiskFull;
    case FileError::PathNotFound: return ErrPathNotFound;
    case FileError::DeviceIO: return ErrDeviceIO;
    case FileError::AccessDenied: return ErrAccessDenied;
    case FileError::PathTooLong: return ErrPathTooLong;
    }
    return ErrDeviceIO;
}

std::string FileErrText(FileError e, const std::string& name) {
    return inShownLanguages([&](int base) { return errTextIn(base, FileErrCode(e), fileShownIn(base, name)); });
}

void FileErrMsg(FileError e, const std::string& name) {
    if (e == FileError::None) return;
    // The user has been told that the system folder keeps nothing.
    if (AppRun.SettingsUnkept && programStateFile(name)) return;
    MsgBox(FileErrText(e, name), vbOKOnly | vbExclamation, MsgTitle.empty() ? std::string(ProgramTitle) : MsgTitle);
}

bool SettingsKeptCheck() {
    std::string culprit = SystemDir();
    FileError e = WriteAccess(culprit);
    if (e == FileError::None) {
        culprit = IniFile;
        e = WriteAccess(culprit);
    }
    if (e == FileError::None) return true;
    AppRun.SettingsUnkept = true;
    MsgBox(inShownLanguages([&](int base) {
               return MsgRaw(MsgSettingsUnkept + base) + "\n" +
                      errTextIn(base, FileErrCode(e), fileShownIn(base, culprit));
           }),
           vbOKOnly | vbExclamation, ProgramTitle);
    return false;
}

void StatusMsg(int kind, const std::string& text) {
    if (kind >= 1 && kind <= 8) {
        std::string s = MsgSubst(Msg(StatusMsgKinds[static_cast<std::size_t>(kind)]), text);
        MainWindowLink().setStatus(s);
        MainWindowLink().setBusyPointer(true);
    } else if (kind == 0) {
        MainWindowLink().setStatus("");
        MainWindowLink().setBusyPointer(false);
    }
}

std::string AskSaveChangesText(int kind) {
    int first = kind == 1 ? 52 : kind == 2 ? 94 : kind == 3 ? 126 : 0;
    if (first == 0) return Msg(53);
    return Msg(first) + "\n" + Msg(53);
}

std::string AskKeepChangesText(int kind) {
    switch (kind) {
    case 2: return Msg(94) + "\n" + Msg(127);
    case 3: return Msg(97);
    case 4: return Msg(126) + "\n" + Msg(127);
    default: return Msg(127);
    }
}

int AskSaveChanges(int kind, const std::string& title) {
    return MsgBox(AskSaveChangesText(kind), vbYesNoCancel | vbExclamation, title);
}

int AskKeepChanges(int kind, const std::string& title) {
    return MsgBox(AskKeepChangesText(kind), vbYesNo | vbExclamation, title);
}
