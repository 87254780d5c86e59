#pragma once
// The window image: the one byte string in which every child window keeps
// its state (its Tag). A 20-byte header of one-byte fields, a 250-byte path
// or title field and, for document and bank windows, the exact bytes of the
// document's file followed by working areas. All positions are 1-based, as
// the byte helpers count them, and this header is the only place that names
// them.
//
// The length of an image is fixed when its window is made; only the style
// part of kinds 19, 20, 23 and 24 may be rebuilt to another length.
//
// Everything here is inline and depends on nothing but the byte helpers, so
// every subsystem may read and write images. The images a window starts
// from are made in files/WindowImage.h.
#include <string>

#include "platform/Paths.h"
#include "platform/bytes.h"

// ---- Header, positions 1-20 -------------------------------------------------

constexpr long ImgKind = 1;        // window kind (WinKind)
constexpr long ImgRdOnly = 2;      // 1 read-only
constexpr long ImgConst = 3;       // always ImgConstValue in kinds 2-8, 19, 20
constexpr long ImgChanged = 4;     // 1 the document changed since it was saved
constexpr long ImgPrgPresent = 6;  // kind 19: 1 companion programs at ImgCompanion; 21/22: 2 programs left
constexpr long ImgPrgChanged = 7;  // 1 programs changed
constexpr long ImgStyPart = 9;     // what the style part holds: ImgStyNone/Template/Own
constexpr long ImgStyChanged = 10; // 1 styles changed
constexpr long ImgSaveAs = 11;     // not 0: the next save goes through Save As (the import that made it)
constexpr long ImgSlot = 15;       // 1-8 slot; 9 the window of the instrument's user bank
constexpr long ImgChannel = 16;    // MIDI channel 0-15 of the bank windows 4-10
constexpr long ImgOpenState = 17;  // 1 open, 2 open minimised, as the window was made
constexpr long ImgUntitled = 18;   // 1 the document has no file yet
constexpr long ImgPrgType = 19;    // 0 ".prg", 1 ".pgg"
// Extension of the program file the window holds on disk (0 none yet,
// 1 ".prg", 2 ".pgg"); the window sets it when it reads a file and saving
// keeps it current.
constexpr long ImgPrgOnDisk = 20;
constexpr long ImgHeaderLen = 20;

constexpr unsigned ImgConstValue = 2;
constexpr unsigned ImgStyNone = 0, ImgStyTemplate = 1, ImgStyOwn = 2;
// Values of ImgSaveAs: the import that made the window.
constexpr unsigned ImgSaveAsArrImport = 1, ImgSaveAsPcgI5 = 3, ImgSaveAsStyI30 = 5, ImgSaveAsPrgI30 = 6;

// ---- Path or title, positions 21-270 ------------------------------------------

constexpr long ImgPath = 21;                 // path without extension, or title
constexpr long ImgPathLen = PathFieldLen;    // 21-258, then 12 blanks
constexpr long ImgTitleFieldLen = 250;       // 21-270
constexpr long ImgPrgBankTitleLen = 5;       // kinds 4-8: "Prg A" at 21-25; rows from 30
constexpr long ImgDrumTitleLen = 24;         // kinds 9, 10: 21-44; kit names from 45
constexpr long ImgDrumNames = 45;

// ---- Body -------------------------------------------------------------------

constexpr long ImgFile = 271;                // the document's file image starts here
constexpr long ImgRowLen = 21;               // row table entry: mark byte, 20 text bytes

// Arrangement images (kinds 2, 3, 19, 20).
constexpr long ImgArrBlock0 = 303;           // arrangement 0 (file byte 33)
constexpr long ImgArrRows = 10799;           // row table, 64 rows
constexpr long ImgCompanion = 12143;         // kinds 19, 20: companion program file
constexpr long ImgCompanionBlock0 = 12191;   // its program 0
constexpr long ImgArrStyPart = 42623;        // kinds 19, 20: style part
constexpr long ImgArrBankLen = 12142;        // kinds 2, 3
constexpr long ImgArrFileWinLen = 42622;     // kinds 19, 20 without a style part

// Program images (kinds 21, 22, 31).
constexpr long ImgPrgChannelByte = 286;      // the file's MIDI channel
constexpr long ImgPrgBlock0 = 319;           // program 0 (file byte 49)
constexpr long ImgPrgBankData = 23367;       // the 2104-byte block sent with the bank
constexpr long ImgPrgRows = 30751;           // row table, 64 rows
constexpr long ImgPrgWinLen = 32094;

// Style images (kinds 23, 24).
constexpr long ImgStyRows = 271;             // row table, 19 rows (separators included)
constexpr long ImgStyStyPart = 670;          // the style file

// Program bank windows (kinds 4-8), kit windows (9, 10), Global (14, 25),
// style banks (17, 18).
constexpr long ImgPcgRows = 30;              // row table, 64 rows
constexpr long ImgPcgWinLen = 1373;
constexpr long ImgDrumWinLen = 300;
constexpr long ImgGblParam0 = 303;           // Global parameter offset k at ImgGblParam0 + k
constexpr long ImgGblWinLen = 718;
constexpr long ImgStyBankLen = 270;
constexpr long ImgFixedLen = 2;              // tool windows: the kind and a code 0

// ---- Accessors --------------------------------------------------------------

inline int WinKind(const std::string& img) { return at(img, ImgKind); }
inline bool ImgIsRdOnly(const std::string& img) { return at(img, ImgRdOnly) == 1; }

// A header or data write that never changes the image's length: a position
// beyond the end is left alone.
inline void ImgSet(std::string& img, long pos, unsigned value) {
    if (pos >= 1 && static_cast<std::size_t>(pos) <= img.size()) put(img, pos, value);
}

// The path (or title) of the image, cut at a NUL, trailing blanks removed.
inline std::string ImgPathOf(const std::string& img) { return rtrim(cutAtNul(mid(img, ImgPath, ImgPathLen))); }

// Length of the path or title field of a kind: short for the bank windows
// whose rows or names follow it, 250 for the style banks (their image ends
// there), 238 for the others (blanks follow up to 270).
inline long ImgTitleLen(int kind) {
    if (kind >= 4 && kind <= 8) return ImgPrgBankTitleLen;
    if (kind == 9 || kind == 10) return ImgDrumTitleLen;
    if (kind == 17 || kind == 18) return ImgTitleFieldLen;
    return ImgPathLen;
}
// Writes the path or title, cut or blank-padded to the kind's field.
inline void ImgTitleSet(std::string& img, const std::string& text) {
    long len = ImgTitleLen(WinKind(img));
    if (static_cast<long>(img.size()) >= ImgPath + len - 1) putField(img, ImgPath, len, text);
}

// Row table of a window kind: base position and number of rows (0 rows: the
// kind has none).
inline long RowTableBase(int kind) {
    switch (kind) {
    case 2: case 3: case 19: case 20: return ImgArrRows;
    case 21: case 22: return ImgPrgRows;
    case 23: case 24: return ImgStyRows;
    case 4: case 5: case 6: case 7: case 8: return ImgPcgRows;
    default: return 0;
    }
}
inline int RowTableRows(int kind) {
    long b = RowTableBase(kind);
    return b == 0 ? 0 : b == ImgStyRows ? 19 : 64;
}
// Position of the mark byte of row i in a table at base; its text follows.
inline long RowPos(long base, int i) { return base + ImgRowLen * i; }

inline long ImgArrBlock(int i) { return ImgArrBlock0 + 164L * i; }
inline long ImgPrgBlock(int i) { return ImgPrgBlock0 + 172L * i; }
inline long ImgCompanionBlock(int j) { return ImgCompanionBlock0 + 172L * j; }

// Where the style part starts: in style windows the style file itself, in
// every other image after the companion program area.
inline long StyPartPosOf(int kind) { return kind == 23 || kind == 24 ? ImgStyStyPart : ImgArrStyPart; }
