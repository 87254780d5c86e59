#pragma once
// State of the main window and the shell that other windows read.
#include <cstdint>

// True while the performance editor is loaded (it sets and clears it).
inline bool EditPerfOpen = false;
// Which list of the automatic program selection window was clicked last, 1-4.
inline int PrgSelAutoFocus = 0;
// The restore of the last run's windows: how many timers were armed at
// start-up, and how many have done their part.
inline int RestoreArmed = 0;
inline int RestoreDone = 0;

// Back to the state of a fresh start (tests).
inline void resetShellState() {
    EditPerfOpen = false;
    PrgSelAutoFocus = 0;
    RestoreArmed = 0;
    RestoreDone = 0;
}
