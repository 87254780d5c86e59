#pragma once
// State of the editors. The current program itself and the flags the
// program windows share with the editors are the record owner's
// (app/EditRecord.h).
#include <array>

struct EditorsState {
    bool PrgFilling = false;           // the program editor is being filled: handlers only display
    int PrgOscSel = 1;                 // the oscillator being edited, 1 or 2
    std::array<int, 8> PerfVal{};      // the performance sliders' last values
};
inline EditorsState EditorsVars;

inline auto& PrgFilling = EditorsVars.PrgFilling;
inline auto& PrgOscSel = EditorsVars.PrgOscSel;
inline auto& PerfVal = EditorsVars.PerfVal;

// Back to the values at start (tests).
void resetEditorsState();
