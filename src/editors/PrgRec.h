#pragma once
// The current program (PrgRec): the 172 bytes of one program of a program
// window, followed by where it came from, so that the editors can store it
// back into that window.
#include <string>

#include "banks/state.h"  // PrgRec, PrgRecLen

// Layout of the record (1-based positions).
constexpr long PrgRecBlockLen = 172;   // the program's own bytes, 1-172
constexpr long PrgRecName = 1;         // program name, blank-padded
constexpr long PrgRecNameLen = 16;
constexpr long PrgRecKind = 173;       // kind of the window it came from (21, 22, 31)
constexpr long PrgRecIndex = 174;      // program number 0-63
constexpr long PrgRecSlot = 175;       // the window's slot; 0 once that window closed
constexpr long PrgRecFileKind = 177;   // 0 ".prg", 1 ".pgg"
constexpr long PrgRecFileName = 178;   // file name without folder or extension, blank-padded
constexpr long PrgRecFileNameLen = 238;

// Builds the record from program `index` (0-63) of a program window image.
// An index out of range, or an image too short for it, leaves it unchanged.
void PrgRecBuild(const std::string& image, int index);
// Stores the record into the window it was built from: 0 stored, 1 not
// stored (the user has been told why).
int PrgRecStore();
// Selects oscillator 1 or 2 for editing, on the instrument and on the
// editor's option buttons.
void PrgOscSelect(int osc);

// Puts the performance editor's sliders back to the middle (under Busy:
// nothing is sent).
void PerfSlidersReset();

// The caption of a box about the current program: the program editor's
// while it is open, else the performance editor's.
std::string PrgRecBoxTitle();
