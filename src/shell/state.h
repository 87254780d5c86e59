#pragma once
// State of the main window and the shell that other windows read.
#include <cstdint>
#include <string>

#include "app/EditRecord.h"  // EditPerfOpen

// Which list of the automatic program selection window was clicked last, 1-4.
inline int PrgSelAutoFocus = 0;
// The restore of the last run's windows: how many timers were armed at
// start-up, and how many have done their part.
inline int RestoreArmed = 0;
inline int RestoreDone = 0;
// The user's guide as the guide command last read it (the text after the
// file's first line, one Latin-1 byte a character).
inline std::string GuidaText;
// The notebook's text as its file record: 32000 Latin-1 bytes, line breaks
// as CR LF, padded with blanks. It outlives the window; NoteUnsaved is set
// while it holds text that could not be written.
inline std::string NoteBuf;
inline bool NoteUnsaved = false;

// Back to the state of a fresh start (tests).
inline void resetShellState() {
    resetProgramEdit();
    PrgSelAutoFocus = 0;
    RestoreArmed = 0;
    RestoreDone = 0;
    GuidaText.clear();
    NoteBuf.clear();
    NoteUnsaved = false;
}
