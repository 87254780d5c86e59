#include "midi/state.h"

void resetMidiState() {
    MidiVars = {};
    MidiMonSink = {};
    KeyboardLoaded = 0;
}
