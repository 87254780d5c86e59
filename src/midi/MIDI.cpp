// Devices and the sending core of the MIDI module.
#include "midi/MIDI.h"

#include "app/Links.h"
#include "app/Messages.h"
#include "app/state.h"
#include "platform/Dialogs.h"
#include "platform/bytes.h"

namespace {

std::string mainCaption() { return MainWindowLink().caption(); }

// Reports a failed MIDI call, titled with the main window's caption.
void report(int code, const std::string& text = "") { ErrMsg(code, mainCaption(), text); }

// "Loading Arrangement 45%": the long send on the wire and how far it is.
std::string sendingText() {
    MidiDev::Progress p = MidiDev::CurrentProgress();
    if (p.percent < 0) return Msg(148);
    return (p.label.empty() ? Msg(148) : p.label) + " " + std::to_string(p.percent) + "%";
}

// While a long send is on the wire the status bar shows what it is and how
// far it has got, until its last byte has left; a piece that fails after its
// call has returned is reported then and there.
void installSendWatch() {
    MidiDev::SetProgressHandler([](const MidiDev::Progress& p) {
        MainWindowLink().setStatus(p.percent < 0 ? std::string() : sendingText());
    });
    MidiDev::SetFailureHandler([](MidiHandle, int rc) { report(ErrMidiSend, std::to_string(rc)); });
}

// Closing waits until everything queued has left. When that takes more than
// a moment, a box says what is still being sent and offers to stop; stopping
// ends a system-exclusive message left open with F7, so the instrument does
// not wait for the rest of it, and says so.
void waitForOutput(MidiHandle h) {
    if (MidiDev::Pending(h) <= static_cast<std::size_t>(MidiMaxEvent)) return;
    bool stopped = WaitBox(Msg(114), Msg(150), [h](std::string& text) {
        if (!MidiDev::Busy(h)) return false;
        text = sendingText();
        return true;
    });
    if (!stopped) return;
    bool ended = MidiDev::Stop(h);
    MainWindowLink().setStatus("");
    if (ended) MsgBox(Msg(149), vbOKOnly | vbInformation, mainCaption());
}

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
    installSendWatch();
    MidiOutHandle = out;
    MidiInHandle = in;
    MidiOn = 1;
    DevOpen = 1;
    return out;
}

void MidiOutCloseDev() {
    if (MidiOn == 0 || MidiOutHandle == 0) return;
    waitForOutput(MidiOutHandle);
    if (MidiOutHandle == 0) return;  // closed while we waited (the program was told to end)
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
    if (MidiLastResult == MidiErrSamePort) {
        // Input and output are one loopback port: thru would send every
        // message round forever. It stays off, and the user is told why.
        MidiThruOn = false;
        MsgBox(MsgSubst(Msg(147), MidiDev::InName(0)), vbOKOnly | vbExclamation, mainCaption());
    }
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

// Sends `messages` as long messages that go out as one, named by `label` in
// the status bar while they are on the wire (a general text when empty);
// false on failure (reported). A `key` lets a newer message of the same key
// take the place of one still waiting.
bool longSends(const std::vector<std::string>& messages, const std::string& label, const MidiKey& key) {
    if (MidiOn == 0) return true;
    int rc = MidiDev::OutLong(MidiOutHandle, messages, label.empty() ? Msg(148) : label, key);
    if (rc != MidiOk) {
        report(ErrMidiSend, std::to_string(rc));
        return false;
    }
    return true;
}

// Sends MidiHdr.lpData as one long message.
bool longSend(const std::string& label, const MidiKey& key) {
    if (MidiHdr.lpData.empty()) return true;
    return longSends({MidiHdr.lpData}, label, key);
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

void MidiOutLongSend() { midi_detail::longSend({}, {}); }

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

void MidiMonLogSent() { MidiMonLog(MidiHdr.lpData); }

void MidiMonLog(const std::string& text) {
    if (!MidiMonLogOn || !IsLinked<MidiMonSinkT>()) return;
    if (text.empty())
        MidiMonSink().clear();
    else
        MidiMonSink().append(MidiMonFormat(text));
}
