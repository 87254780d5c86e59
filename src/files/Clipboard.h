#pragma once
// The internal clipboard's work on window images: the row table that Copy
// writes, and the paste and cut of arrangements, programs and styles. The
// functions change only the images they are given (and the message boxes
// they show); the windows then rebuild their rows from the image with
// ArrRowText, PrgRowText or StyListOf.
#include <string>
#include <vector>

#include "app/ImageLayout.h"   // RowTableBase, RowTableRows

// Copy: writes the list's row texts (at most 20 characters each; a shorter
// text overwrites only its own length) and selection marks into the image's
// row table.
void RowTableWrite(std::string& image, const std::vector<std::string>& rows, const std::vector<bool>& selected);
bool RowMarked(const std::string& image, int row);

// Row texts of the arrangement and program windows, from their images: the
// row code, the mark and the 16-character name (ending at its first zero
// byte, blank-padded).
std::string ArrRowText(const std::string& image, int i);
std::string PrgRowText(const std::string& image, int i);

// Paste of the rows marked in ClipBuf into the active image, from the
// destination row on and never past row 63. They set ClipKind from ClipBuf
// and ActiveKind from the image; true when the image changed.
// Arrangements (into kinds 19, 20, from 2, 3, 19, 20): a row that uses a
// style of its file (" +") brings that style into the image's style part.
bool ClipPasteArr(std::string& image, int destRow);
// Programs (into kinds 21, 22): the records of a program file window, or a
// reference to an instrument program from a program bank window (4-8).
bool ClipPastePrg(std::string& image, int destRow);
// Styles (into kinds 23, 24, from 23, 24): into the free style of the
// destination row and the free ones after it; refused with message 82 when
// none is left and 119 when a group of four would grow too long.
bool ClipPasteSty(std::string& image, int destRow);

// Paste into the automatic program selection: from an arrangement file
// window (19) the 16-character name of its first marked row (list 1), from a
// program file window (21) its first marked row's 20-character text (list 2).
struct PrgSelAutoPaste {
    int list = 0;        // 0 nothing, 1 the arrangement name, 2 the program text
    std::string text;
};
PrgSelAutoPaste ClipPastePrgSelAuto();

// Cut of the rows marked in the image's own row table. CutArr also drops the
// styles that no arrangement uses any longer and returns their numbers.
struct CutArrResult {
    bool changed = false;
    std::vector<int> droppedStyles;
};
CutArrResult CutArr(std::string& image);
// True when a program is left after the cut (false: the send button goes off).
bool CutPrg(std::string& image);
bool CutSty(std::string& image);
// Cut in the automatic program selection window: list used last 1 or 3 blanks
// the whole entry, 2 or 4 only its program text.
void CutPrgSelAuto(int focus, std::string& arrName, std::string& prgText);
