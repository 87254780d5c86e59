#pragma once
// State of the MIDI module: the devices in use, the message buffer, the
// monitor switch and the on-screen keyboard flag.
#include <cstdint>
#include <string>

#include "app/Links.h"
#include "platform/MidiDevice.h"

// The message buffer: every sender leaves the bytes it built (and sent) in
// lpData, so that the caller can hand them to MidiMonLog.
struct MidiHdrT {
    std::string lpData;
};

// The devices in use and the message buffer, with their values at start;
// reset by assigning {}.
struct MidiState {
    // 1 while MIDI is in use; 0 when there is no device or opening failed at
    // start-up. Every sender and device routine does nothing while it is 0.
    int MidiOn = 0;
    // 1 after the devices were opened, 0 after a close or with no device.
    int16_t DevOpen = 0;
    MidiHdrT MidiHdr;
    // Handles of the opened output and input (0 = none) and the result of the
    // last device call that is not reported (thru, input start/stop).
    MidiHandle MidiOutHandle = 0;
    MidiHandle MidiInHandle = 0;
    int MidiLastResult = 0;
    // The track program field selected in the arrangement editor (2, 4, ...
    // 18), 0 when none is. While it is set, program selections go out on that
    // track's channel. The arrangement editor sets and clears it.
    int EditArrSelPrg = 0;
    bool MidiMonLogOn = false;   // logging to the MIDI-messages window
};
inline MidiState MidiVars;

inline auto& MidiOn = MidiVars.MidiOn;
inline auto& DevOpen = MidiVars.DevOpen;
inline auto& MidiHdr = MidiVars.MidiHdr;
inline auto& MidiOutHandle = MidiVars.MidiOutHandle;
inline auto& MidiInHandle = MidiVars.MidiInHandle;
inline auto& MidiLastResult = MidiVars.MidiLastResult;
inline auto& EditArrSelPrg = MidiVars.EditArrSelPrg;

// Logging to the MIDI-messages window: on once the window is opened from the
// menu. The window registers where the text goes while it is open
// (RegisterLink / LinkRegistration); nothing is logged while none is.
inline auto& MidiMonLogOn = MidiVars.MidiMonLogOn;
class MidiMonSinkT {
public:
    virtual ~MidiMonSinkT() = default;
    virtual void clear() {}
    virtual void append(const std::string& /*text*/) {}
};
inline MidiMonSinkT& MidiMonSink() { return Linked<MidiMonSinkT>(); }

// True while the on-screen keyboard window is open.
inline int16_t KeyboardLoaded = 0;

// Back to the state of a fresh start (tests).
void resetMidiState();
