#pragma once
// State of the editors. The current program itself and the flags the
// program windows share with the editors are the record owner's
// (app/EditRecord.h).
#include <array>

#include "app/state.h"

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

// The editors' one quiet rule: while the program sets controls itself (a
// window loads, an editor is filled, the oscillator buttons follow the
// oscillator), the handlers only show the value; nothing is stored or sent.
// A Quiet holds Busy, or an editor's fill flag, for its scope and then puts
// back what was there; ParamBinder::quiet() is where the handlers read it.
class Quiet {
public:
    explicit Quiet(bool& flag = Busy) : flag_(flag), was_(flag) { flag_ = true; }
    ~Quiet() { flag_ = was_; }
    Quiet(const Quiet&) = delete;
    Quiet& operator=(const Quiet&) = delete;

private:
    bool& flag_;
    bool was_;
};
