// Devices and the sending core of the MIDI module.
#include "midi/MIDI.h"

#include "app/Links.h"
#include "app/Messages.h"
#include "app/state.h"
#include "platform/bytes.h"

namespace {

std::string mainCaption() { return MainWindowLink().caption(); }

// Reports a failed MIDI call, titled with the main window's caption.
void report(int code, const std::string& text = "") { ErrMsg(code, mainCaption(), text); }

}  // namespace

// ---- Devices ----------------------------------------------------------------

MidiHandle MidiOpenDevices(bool /*share*/) {
    // A sibling holding the devices made the same choice (the first ones), so
    // sharing and owning open the same devices; each program has its own
    // connection to them.
    MidiOn = 0;
    DevOpen = 0;
    MidiOutHandle = 0;
    MidiInHandle = 0;
    if (MidiDev::OutCount() <= 0) return 0;
    MidiHandle out = 0;
    int rc = MidiDev::OutOpen(out, 0);
    if (rc != MidiOk) {
        report(ErrMidiOutOpen, MidiDev::OutName(0));
        return 0;
    }
    MidiHandle in = 0;
    if (MidiDev::InCount() > 0) {
        rc = MidiDev::InOpen(in, 0);
        if (rc != MidiOk) {
            MidiDev::OutClose(out);
            report(ErrMidiInOpen, MidiDev::InName(0));
            return 0;
        }
    }
    MidiOutHandle = out;
    MidiInHandle = in;
    MidiOn = 1;
    DevOpen = 1;
    return out;
}

void MidiOutCloseDev() {
    if (MidiOn == 0) return;
    int rc = MidiDev::OutClose(MidiOutHandle);
    if (rc != MidiOk) {
        report(ErrMidiOutClose);
        return;
    }
    MidiOutHandle = 0;
    DevOpen = 0;
}

void MidiInCloseDev() {
    if (MidiOn == 0 || MidiInHandle == 0) return;
    int rc = MidiDev::InClose(MidiInHandle);
    if (rc != MidiOk) {
        report(ErrMidiInClose);
        return;
    }
    MidiInHandle = 0;
    DevOpen = 0;
}

void MidiThruConnect() {
    if (MidiOn == 0 || MidiInHandle == 0) return;
    MidiLastResult = MidiDev::Connect(MidiInHandle, MidiOutHandle);
}

void MidiThruDisconnect() {
    if (MidiOn == 0 || MidiInHandle == 0) return;
    MidiLastResult = MidiDev::Disconnect(MidiInHandle, MidiOutHandle);
}

void MidiInStartDev() {
    if (MidiOn == 0 || MidiInHandle == 0) return;
    MidiLastResult = MidiDev::InStart(MidiInHandle);
}

void MidiInStopDev() {
    if (MidiOn == 0 || MidiInHandle == 0) return;
    MidiLastResult = MidiDev::InStop(MidiInHandle);
}

namespace midi_detail {

// Sends MidiHdr.lpData as one long message; false on failure (reported when
// asked to).
bool longSend(bool reportFailure) {
    if (MidiOn == 0 || MidiHdr.lpData.empty()) return true;
    int rc = MidiDev::OutLong(MidiOutHandle, MidiHdr.lpData);
    if (rc != MidiOk) {
        if (reportFailure) report(ErrMidiSend, std::to_string(rc));
        return false;
    }
    return true;
}

// Sends one channel message (status, then 1 or 2 data bytes) and leaves its
// bytes in MidiHdr. Data bytes are kept to 7 bits, so a value out of range
// can never break the stream. False on failure (reported).
bool shortSend(unsigned status, unsigned d1, unsigned d2 = 0) {
    if (MidiOn == 0) return false;
    status &= 0xFF;
    d1 &= 0x7F;
    d2 &= 0x7F;
    bool two = (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0;
    MidiHdr.lpData = two ? bytesOf({status, d1}) : bytesOf({status, d1, d2});
    int rc = MidiDev::OutShort(MidiOutHandle, status | (d1 << 8) | (d2 << 16));
    if (rc != MidiOk) {
        report(ErrMidiSend, std::to_string(rc));
        return false;
    }
    return true;
}

}  // namespace midi_detail

void MidiOutLongSend() { midi_detail::longSend(true); }

// ---- Monitor ------------------------------------------------------------------

std::string MidiMonFormat(const std::string& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string s;
    s.reserve(bytes.size() * 3 + 2);
    for (unsigned char c : bytes) {
        s.push_back(digits[c >> 4]);
        s.push_back(digits[c & 0x0F]);
        s.push_back(' ');
    }
    s += "\n\n";
    return s;
}

void MidiMonLog(const std::string& text) {
    if (!MidiMonLogOn || !MidiMonSink.append) return;
    if (text.empty()) {
        if (MidiMonSink.clear) MidiMonSink.clear();
        return;
    }
    MidiMonSink.append(MidiMonFormat(text));
}
