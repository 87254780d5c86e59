#pragma once
// State the program file windows share with the program and performance
// editors. The editors set the flags; until they exist the values at start
// read as "no editor open".
#include <string>

#include "app/EditRecord.h"  // PrgRec, PrgModified, EditPrgOpen, EditPerfOpen, OscTextSel

struct ProgramWindowState {
    // The untitled program window whose bank went out last (nullptr: none,
    // or a file window's bank went out since). Every untitled window carries
    // the same title, so only this one counts as the instrument's bank.
    const void* PrgUntitledSent = nullptr;
};
inline ProgramWindowState ProgramWindowVars;

inline auto& PrgUntitledSent = ProgramWindowVars.PrgUntitledSent;

// The automatic program selection's table could not be written at its last
// close: the window shows it as it was then, not the file, and the next
// close writes again.
inline bool PrgSelAutoUnsaved = false;

// Back to the state of a fresh start, the editor link included (tests).
void resetBanksState();
