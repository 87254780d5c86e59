#pragma once
// State the program file windows share with the program and performance
// editors. The editors set the flags; until they exist the values at start
// read as "no editor open".
#include <string>

constexpr long PrgRecLen = 417;

struct ProgramEditState {
    // The current program record: the editor builds it from a program
    // window's image and stores it back there.
    std::string PrgRec = std::string(PrgRecLen, ' ');
    bool EditPrgOpen = false;   // the program editor is loaded
    bool PrgModified = false;   // PrgRec changed since it was built or stored
    int OscTextSel = 0;         // the oscillator text box the editor selected
    // The untitled program window whose bank went out last (nullptr: none,
    // or a file window's bank went out since). Every untitled window carries
    // the same title, so only this one counts as the instrument's bank.
    const void* PrgUntitledSent = nullptr;
};
inline ProgramEditState ProgramEditVars;

inline auto& PrgRec = ProgramEditVars.PrgRec;
inline auto& EditPrgOpen = ProgramEditVars.EditPrgOpen;
inline auto& PrgModified = ProgramEditVars.PrgModified;
inline auto& OscTextSel = ProgramEditVars.OscTextSel;
inline auto& PrgUntitledSent = ProgramEditVars.PrgUntitledSent;

// The automatic program selection's table could not be written at its last
// close: the window shows it as it was then, not the file, and the next
// close writes again.
inline bool PrgSelAutoUnsaved = false;

// Back to the state of a fresh start, the editor link included (tests).
void resetBanksState();
