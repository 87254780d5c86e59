#include "midi/MidiLink.h"

#include "app/Links.h"
#include "midi/Keyboard.h"
#include "midi/MIDI.h"

void InstallMidiLink() {
    MidiLink.openDevices = [](bool share, uint32_t /*savedOut*/) -> uint32_t { return MidiOpenDevices(share); };
    MidiLink.thruConnect = [] {
        MidiThruConnect();
        MidiInStartDev();
    };
    MidiLink.thruDisconnect = [] {
        MidiInStopDev();
        MidiThruDisconnect();
    };
    MidiLink.closeDevices = [] {
        MidiOutCloseDev();
        MidiInCloseDev();
    };
    MidiLink.kbdDefaults = [] { return KbdSettingsDefault(); };
}
