#include "midi/state.h"

void resetMidiState() {
    MidiVars = {};
    RegisterLink<MidiMonSinkT>(nullptr);
    KeyboardLoaded = 0;
}
