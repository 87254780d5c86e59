#pragma once
// What the user arrangement window shows, read from its window image: the
// window's image itself, the row texts' emptiness, the style box and the
// program-origin box. Plain functions over bytes; the window calls them.
#include <array>
#include <string>
#include <vector>

#include "library/state.h"

// Fields of an arrangement block (1-based within its 164 bytes).
constexpr long ArrBlkName = 1;       // 16-byte name; byte 1 = 0: no arrangement
constexpr long ArrBlkStyle = 18;     // style number: factory 0-127, or an item of the file's own styles
constexpr long ArrBlkStyKind = 19;   // 1: the style is one of the file's own
constexpr long ArrBlkPrgPair0 = 35;  // first of the eight byte pairs (every 8 bytes) of the program origin
constexpr int ArrBlkPrgPairs = 8;

// The image of a user arrangement window before its companion files are
// attached: the file at 271, blank row table and program area; kind 19,
// read-only flag, slot, the state of its record at creation, the path. While
// an arrangement import makes the window, it is marked changed and to be
// saved through Save As.
std::string ArrUImageNew(const std::string& file, const std::string& path, int slot, int rdOnly, bool importing,
                         int openState);

// A list row with no arrangement: cut at its first NUL and without trailing
// blanks it is no longer than its 2-character code.
bool ArrRowEmpty(const std::string& row);

bool ArrExists(const std::string& image, int i);
bool ArrUsesOwnStyle(const std::string& image, int i);
// One of the arrangement's eight program pairs names a user program (first
// byte 64-127, second byte 1).
bool ArrUsesUserProgram(const std::string& image, int i);

// "11".."18", "21".."28", "31"...: the code of the u-th style of a file's own.
std::string UserStyleCode(int u);
// A factory style as the style box shows it: its name and its bank code,
// "Piano Ballad (A11)". Numbers beyond the 128 styles have no name and show
// their value, " (200)".
std::string FactoryStyleText(int s);
// A style of the file's own, "Seven (U18)"; items beyond the sixteen of a
// style file have no name.
std::string UserStyleText(int u, const std::string& image);
// The style box's text for arrangement i.
std::string ArrStyleText(const std::string& image, int i);
// The style box's list: each factory style the file's arrangements use, once,
// in order of first use; then, when the window holds the file's own style
// file, its styles in item order up to the first of size 0.
std::vector<std::string> ArrStyleEntries(const std::string& image);

// The first pair (lowest index) of the selection table whose arrangement name
// equals the row's text after its code and marker, trailing blanks and zero
// bytes aside; a blank name matches nothing. -1 when none does.
int PrgSelAutoFind(const std::array<PrgSelAutoPair, PrgSelAutoPairs>& table, const std::string& row);
// The number at the start of a program text (leading blanks skipped; 0 when
// it starts with no digit).
int PrgSelAutoNumOf(const std::string& prgText);
