#pragma once
// State the arrangement and style windows share with the windows that come
// later (the arrangement editor, the automatic program selection, the find
// by number). Those windows set it; until they exist it keeps its values at
// start, which the library windows read as "not open".
#include <array>
#include <string>

#include "app/EditRecord.h"  // ArrRec, ArrModified, EditArrOpen

// ---- The arrangement editor ---------------------------------------------------

// The current arrangement record, its modified flag and EditArrOpen are
// the record owner's (app/EditRecord.h).
struct EditorState {
    bool EditArrSelSty = false; // the editor's style field waits for a style
};
inline EditorState EditorVars;

inline auto& EditArrSelSty = EditorVars.EditArrSelSty;

// ---- Automatic program selection and find by number ----------------------------

// One pair of the selection table: a 16-character arrangement name and a
// 20-character program text whose first two characters are its number.
struct PrgSelAutoPair {
    std::string arrName;
    std::string prgText;
};
constexpr int PrgSelAutoPairs = 100;

struct SelectionState {
    bool PrgSelAutoOn = false;   // the automatic program selection window is open
    std::array<PrgSelAutoPair, PrgSelAutoPairs> PrgSelAutoTab{};
    int PrgSelAutoNum = 0;       // the program the next active program window selects
    std::string PrgSelAutoStem;  // whose program file (path without extension) that window holds
    // What the find-by-number chain needs of the arrangement it found: a
    // style of the file's own, a user program on a track.
    bool FindIDUserSty = false;
    bool FindIDUserPrg = false;
    // The user arrangement window whose load took the pending find (nullptr:
    // none); only its chain runs, and only its sends move that chain on.
    const void* FindIDOwner = nullptr;
};
inline SelectionState SelectionVars;

inline auto& PrgSelAutoOn = SelectionVars.PrgSelAutoOn;
inline auto& PrgSelAutoTab = SelectionVars.PrgSelAutoTab;
inline auto& PrgSelAutoNum = SelectionVars.PrgSelAutoNum;
inline auto& PrgSelAutoStem = SelectionVars.PrgSelAutoStem;
inline auto& FindIDUserSty = SelectionVars.FindIDUserSty;
inline auto& FindIDUserPrg = SelectionVars.FindIDUserPrg;
inline auto& FindIDOwner = SelectionVars.FindIDOwner;

// Back to the state of a fresh start, links included (tests).
void resetLibraryState();

// ---- Style sending ------------------------------------------------------------

// The running style job (send-all of a style window, style send of an
// arrangement window): the next group to send, the groups it counted and the
// window that runs it (nullptr: none runs). One runs at a time.
struct StyleJobState {
    int StyGrpIdx = 0;
    int StyGrpTotal = 0;
    const void* StyJobOwner = nullptr;
};
inline StyleJobState StyleJobVars;

inline auto& StyGrpIdx = StyleJobVars.StyGrpIdx;
inline auto& StyGrpTotal = StyleJobVars.StyGrpTotal;
inline auto& StyJobOwner = StyleJobVars.StyJobOwner;
