#pragma once
// Program-wide state of the arrangement database and the find by number.
struct DBArrStateT {
    bool EditDBArrOpen = false;   // the database editor is open; DBArrImage is its image
    int FindIDFile = 0;           // the file number of the last number searched for
};
inline DBArrStateT DBArrState;

inline auto& EditDBArrOpen = DBArrState.EditDBArrOpen;
inline auto& FindIDFile = DBArrState.FindIDFile;
// The last slot and the highest file ID; the editor counts its rows against it.
inline constexpr int DBArrMax = 999;

// Back to the state of a fresh start (tests).
inline void resetDBArrState() { DBArrState = {}; }
