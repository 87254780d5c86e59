#include "midi/MidiLink.h"

#include "app/Links.h"
#include "midi/Keyboard.h"
#include "midi/MIDI.h"

void InstallMidiLink() {
    struct Devices : MidiLinkT {
        uint32_t openDevices(bool share, uint32_t /*savedOut*/) override { return MidiOpenDevices(share); }
        void thruConnect() override {
            MidiThruConnect();
            MidiInStartDev();
        }
        void thruDisconnect() override {
            MidiInStopDev();
            MidiThruDisconnect();
        }
        void closeDevices() override {
            MidiOutCloseDev();
            MidiInCloseDev();
        }
        std::string kbdDefaults() override { return KbdSettingsDefault(); }
    };
    static Devices devices;
    RegisterLink<MidiLinkT>(&devices);
}
