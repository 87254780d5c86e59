#pragma once
// The message table and the shared message, question and status procedures.
// Every user-visible text comes from the table: Italian at n, English at
// n + 200; LangBase (0 or 200) is added to every number.
#include <array>
#include <string>

#include "platform/Files.h"

// The title of boxes that have none of their own (start-up, settings).
inline constexpr const char* ProgramTitle = "Velmora v 3.0";

// Messages that name the program's own files by what they are for ("_" is
// the path), and the one that says the settings cannot be kept.
enum : int {
    MsgDevStateFile = 151,
    MsgInfoFile = 152,
    MsgSettingsFile = 153,
    MsgSettingsUnkept = 154,
    MsgStyGroupNotSent = 156,   // a style group with an empty style ("_" its number 1-4)
    MsgImportOldSeries = 158,   // the files of the old i-series cannot be converted
    MsgImportPartial = 159,     // an import ran out of windows ("_" the file's name)
    MsgNameEndsInBlank = 170,   // a file or folder name ending in a blank ("_" that name)
    MsgWrongExtension = 171,    // "_" the file's name, then the extension the command opens
    MsgReplaceCompanion = 172,  // a companion file would replace another ("_" its name)
    // The arrangement database ("_" a file name with ".arr", a folder, or a list of names).
    MsgDBArrName = 181,         // a name the database cannot hold
    MsgDBArrCase = 182,         // a numbered file has the name in other letter case
    MsgDBArrNoneFound = 183,    // the update found none of the files in the folder
    MsgDBArrFull = 184,
    MsgDBArrNotNumbered = 185,  // the files Add all could not number
    MsgArrWindowsInUse = 186,   // no free arrangement window
    MsgPrgWindowClosed = 177,   // the edited program's file window was closed: it cannot be stored
    MsgArrWindowClosed = 178,   // the same for the edited arrangement
};

// Text of message n in the current language (n + LangBase).
std::string Msg(int n);
// Text of message n in the language chosen now (LangSel): after a language
// switch, the one the next start will use.
std::string MsgChosen(int n);
// Text of table entry n exactly (no LangBase added); "" when there is none.
std::string MsgRaw(int n);
// `text` with its first "_" replaced by `word` (unchanged when it has none).
std::string MsgSubst(const std::string& text, const std::string& word);

// Error codes: message number shown for each ErrMsg code (-1: no message of
// its own, the caller's text is shown as it is).
constexpr int ErrCodeCount = 37;
extern const std::array<int, ErrCodeCount> ErrMsgCodes;
// Codes with a fixed meaning besides those the callers name by number.
enum ErrCode {
    ErrNameError = 2,          // "_ error"
    ErrStyleGroupLength = 3,   // length limit of a 4-style group
    ErrReading = 4,            // "Error reading _"
    ErrFileNotFoundName = 5,   // "File _ not found"
    ErrDBArrNotFound = 6,
    ErrDBArrData = 7,
    ErrDiskNotReady = 8,
    ErrDiskRead = 9,
    ErrDiskFull = 10,
    ErrPathNotFound = 11,
    ErrCloseOthersFirst = 12,
    ErrDeviceIO = 13,
    ErrArrANotFound = 14,
    ErrArrBNotFound = 15,
    ErrAlreadyOpen = 16,
    ErrReadOnly = 17,
    ErrAccessDenied = 18,
    ErrSecondInstance = 19,
    ErrMidiOutOpen = 20,
    ErrMidiInOpen = 21,
    ErrMidiSend = 22,
    ErrMidiOutClose = 23,
    ErrLanguageChange = 24,
    ErrReadingError = 25,
    ErrMidiInClose = 26,
    ErrFileNotFound = 27,
    ErrNoPrinter = 28,
    ErrPathTooLong = 29,
    ErrMidiOff = 30,
    ErrFileExists = 31,        // a save would replace another file
    ErrDataFormat = 32,
    ErrStylesPerFile = 36,
};

// Message box (exclamation icon, OK) for an ErrMsgCodes code; the first "_"
// of the text is replaced by `text`. An empty title gives ProgramTitle.
void ErrMsg(int code, const std::string& title, const std::string& text = "");
// The message number an error code shows (ErrMsgCodes), -1 for an unknown code.
int ErrMsgNumber(int code);
// The text ErrMsg shows for a code: in the current language, or in both
// while start-up does not know the language yet (LangPending).
std::string ErrMsgText(int code, const std::string& text = "");

// The ErrMsg code of a file error kind (0 for FileError::None).
int FileErrCode(FileError e);
// A file error reported through ErrMsg with the code of its kind; `name` is
// the file concerned; the program's own files of the system folder are named
// by what they are for. Titled MsgTitle (ProgramTitle when empty). Nothing
// for FileError::None, nor for the program's own files once the user has
// been told that the system folder keeps nothing (SettingsUnkept).
void FileErrMsg(FileError e, const std::string& name);
std::string FileErrText(FileError e, const std::string& name);

// Start-up: whether the settings can be written at exit (the system folder
// and the settings file). When not, says so once, with the reason, sets
// SettingsUnkept and returns false.
bool SettingsKeptCheck();

// Status line: kinds 1-8 write the progress text (StatusMsgKinds) with "_"
// replaced by `text` and show the busy pointer; kind 0 clears it.
// Kinds: 1 processing a style file, 2 style, 3 arrangement, 4 program,
// 5 backing sequence, 6 opening, 7 processing, 8 updating.
extern const std::array<int, 9> StatusMsgKinds;
void StatusMsg(int kind, const std::string& text = "");

// Yes/No/Cancel (6/7/2) and Yes/No (6/7) questions about unsaved changes,
// exclamation icon. The two lines of a question are joined by "\n".
// AskSaveChanges: kind 1 file, 2 arrangement, 3 program (then "Save changes ?"),
// 0 "Save changes ?" alone. AskKeepChanges: kind 2 arrangement, 4 program
// (then "Keep changes ?"), 3 the database working-folder question.
std::string AskSaveChangesText(int kind);
std::string AskKeepChangesText(int kind);
int AskSaveChanges(int kind, const std::string& title);
int AskKeepChanges(int kind, const std::string& title);
