#pragma once
// Window and slot bookkeeping: standard sizes, the window-state table's
// defaults, free and open slots, and the procedures that open the shared
// document windows through the window registry (WindowLink).
#include <string>

// TwipsY from the screen (1440 / logical DPI, rounded) and FormSizes from it.
void TwipsYTake();
void FormSizesSet();
// The standard Height and Width of a window kind (0 where the window keeps
// the size it was designed with).
void StandardSize(int kind, int& height, int& width);
// Raises the standard size of a window kind to at least `height` x `width`
// (twips), for a window whose controls need more room in this platform's
// fonts and frame than its design gives. Kinds of a fixed size keep it. The
// other kinds sharing the size whose entries hold the old standard size are
// set to the new one.
void StandardSizeAtLeast(int kind, int height, int width);
// Every entry at Top 0, Left 0, its standard size, closed; the frame maximised.
void WinStateTableDefaults();

// First slot 1-8 whose in-use flag is 0, else 0.
int ArrSlotFree();
int StySlotFree();
int PrgSlotFree();
// First backing-sequence slot 1-8 whose state byte is 0 or a blank, else 0.
int BsqSlotFree();
// Leaves in GblSlotCur the first Global slot 1-8 with state 0, else 0.
void GblSlotFree();

// 1 when a slot 1-8 is open (state 1, or 2 when minimised) with this path
// (without extension; trailing blanks ignored; two spellings of one folder
// are one), else 0. GblSlotFind
// first drops a three-character extension from the argument.
int ArrSlotFind(const std::string& path);
int StySlotFind(const std::string& path);
int PrgSlotFind(const std::string& path);
int BsqSlotFind(const std::string& path);
int GblSlotFind(const std::string& path);

// Shows the program window of PrgSlotCur and counts it in PrgWinCount.
void PrgWinShow(int kind);
// Opens a program file (path without extension) in a new program window:
// 0 opened, 1 no free slot, other values: not read (the reader said why).
int PrgWinOpen(const std::string& path);
// Enables the Window and Close menus and shows the bank window ArrABKind.
void ArrABWinShow();
// The file of the window image becomes the instrument's user bank: its path
// is kept, an open user-bank window (slot 9) is closed, the menu enabled.
void ArrUserBankSet(const std::string& image);
void StyUserBankSet(const std::string& image);
