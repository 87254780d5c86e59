// The instrument's message set: frame, packing, mode changes, selections,
// dumps, parameter changes and channel messages.
#include <algorithm>

#include "app/Captions.h"
#include "app/EditRecord.h"
#include "app/ImageLayout.h"
#include "app/Links.h"
#include "app/Messages.h"
#include "app/state.h"
#include "midi/MIDI.h"
#include "app/StyleBlock.h"

namespace midi_detail {
bool longSends(const std::vector<std::string>& messages, const std::string& label, const MidiKey& key);
bool longSend(const std::string& label = {}, const MidiKey& key = {});
bool shortSend(unsigned status, unsigned d1, unsigned d2 = 0);
}  // namespace midi_detail

using midi_detail::longSend;
using midi_detail::longSends;
using midi_detail::shortSend;

namespace {

// len bytes of the image from pos, zero-filled past its end, so that a short
// image still gives a well-formed message of the right length.
std::string field(const std::string& img, long pos, long len) {
    std::string s = mid(img, pos, len);
    s.resize(static_cast<std::size_t>(len), '\0');
    return s;
}

std::string frame(unsigned func, const std::string& body) {
    std::string m = SysExHdr();
    m.reserve(m.size() + body.size() + 2);
    m.push_back(static_cast<char>(func));
    m += body;
    m.push_back(static_cast<char>(0xF7));
    return m;
}

void modeDisplay() { ModeDisplaySet(); }

// The mode change: clear the monitor, send, log. A failure is reported as
// every send's is: the instrument is then not in the mode shown.
void modeSend(unsigned mode) {
    MidiMonLog("");
    MidiHdr.lpData = frame(0x4E, chr(mode));
    longSend();
    MidiMonLog(MidiHdr.lpData);
}

}  // namespace

// ---- Frame and packing ------------------------------------------------------

std::string SysExHdr() { return bytesOf({0xF0, 0x42, 0x30u | (static_cast<unsigned>(GlobalChannel) & 0x0F), 0x4D}); }

std::string Pack7(const std::string& data) {
    const std::size_t n = data.size();
    std::string out;
    out.resize(n + (n + 6) / 7);
    std::size_t o = 0;
    for (std::size_t i = 0; i < n; i += 7) {
        std::size_t lead = o++;
        unsigned char bits = 0;
        std::size_t end = std::min(n, i + 7);
        for (std::size_t k = i; k < end; ++k) {
            unsigned char c = static_cast<unsigned char>(data[k]);
            bits |= static_cast<unsigned char>((c >> 7) << (k - i));
            out[o++] = static_cast<char>(c & 0x7F);
        }
        out[lead] = static_cast<char>(bits);
    }
    return out;
}

std::string Unpack7(const std::string& packed) {
    std::string out;
    out.reserve(packed.size());
    for (std::size_t i = 0; i < packed.size(); i += 8) {
        unsigned char bits = static_cast<unsigned char>(packed[i]);
        std::size_t end = std::min(packed.size(), i + 8);
        for (std::size_t k = i + 1; k < end; ++k) {
            unsigned char c = static_cast<unsigned char>(packed[k]) & 0x7F;
            if (bits & (1u << (k - i - 1))) c |= 0x80;
            out.push_back(static_cast<char>(c));
        }
    }
    return out;
}

void SysExPack7(const std::string& data) { MidiHdr.lpData = Pack7(data); }

// ---- Mode changes -----------------------------------------------------------

void ModeTx0A() {
    if (MidiOn == 0) return;
    modeSend(0x0A);
    ModeNow = 0;
    modeDisplay();
}

void ModeTx06() {
    if (MidiOn == 0) return;
    modeSend(0x06);
    ModeNow = 1;
    modeDisplay();
}

void ModeTx04() {
    if (MidiOn == 0) return;
    ModeNow = 2;
    modeDisplay();
    modeSend(0x04);
}

void ModeTx0B() {
    if (MidiOn == 0) return;
    modeSend(0x0B);
    ModeNow = 3;
    modeDisplay();
}

void ModeTx02() {
    if (MidiOn == 0 || ModeNow == 4) return;
    modeSend(0x02);
    ModeNow = 4;
    modeDisplay();
}

// ---- Selections ---------------------------------------------------------------

namespace {
// Bank select MSB 0, LSB, program change; stops at the first failure.
void selectSend(int channel, int lsb, int pc) {
    unsigned ch = static_cast<unsigned>(channel) & 0x0F;
    if (!shortSend(0xB0 | ch, 0x00, 0)) return;
    if (!shortSend(0xB0 | ch, 0x20, static_cast<unsigned>(lsb))) return;
    shortSend(0xC0 | ch, static_cast<unsigned>(pc));
}
}  // namespace

void ArrSelectSend(int& n, int kind) {
    // The window that selects one of its arrangements names it afterwards.
    ArrangementEdit.record.instrumentChanged();
    if (MidiOn == 0) return;
    if (kind == 3) n += 64;
    int lsb = (kind == 19 || kind == 20) ? 1 : 0;
    selectSend(ArrChannel, lsb, n);
}

int DrumKitPcTable(int n) {
    static const int table[16] = {0, 1, 8, 16, 24, 25, 26, 32, 40, 48, 64, 65, 66, 56, 72, 73};
    return (n >= 0 && n < 16) ? table[n] : -1;
}

int PrgSelectChannel(const std::string& image) {
    switch (EditArrSelPrg) {
    case 2: return DrmChannel;
    case 4: return PerChannel;
    case 6: return BasChannel;
    case 8: return Ac1Channel;
    case 10: return Ac2Channel;
    case 12: return Ac3Channel;
    case 14: return Up1Channel;
    case 16: return Up2Channel;
    case 18: return LowChannel;
    default: break;
    }
    int kind = WinKind(image);
    // Program files keep their channel in the file itself, new ones too.
    return at(image, (kind == 21 || kind == 22 || kind == 31) ? ImgPrgChannelByte : ImgChannel) & 0x0F;
}

void PrgSelectSend(const std::string& image, int n) {
    ProgramEdit.record.instrumentChanged();
    if (MidiOn == 0) return;
    int kind = WinKind(image);
    int lsb = 0, pc = 0;
    switch (kind) {
    case 4: lsb = 0; pc = n; break;
    case 5: lsb = 0; pc = n + 64; break;
    case 6: lsb = 1; pc = n; break;
    case 7: lsb = 1; pc = n + 64; break;
    case 8: lsb = 2; pc = n; break;
    case 9:
    case 10:
        if (DrumKitPcTable(n) < 0) return;
        lsb = 4;
        pc = DrumKitPcTable(n);
        break;
    case 21:
    case 22:
    case 31: {
        if (n < 0 || n > 63) return;
        long rec = ImgPrgBlock(n);
        if (at(image, rec) == 1) {
            lsb = at(image, rec + 1);
            pc = at(image, rec + 2);
        } else {
            lsb = 3;
            pc = n;
        }
        break;
    }
    default: return;
    }
    if (kind >= 4 && kind <= 8 && (n < 0 || n > 63)) return;
    selectSend(PrgSelectChannel(image), lsb, pc);
}

// ---- Dumps ----------------------------------------------------------------------

std::string ArrBankMsg(const std::string& image) { return frame(0x64, Pack7(field(image, ImgArrBlock0, 64 * 164))); }

int ArrTxBank(const std::string& image) {
    // Another bank under the selected number: no arrangement is known to be selected.
    ArrangementEdit.record.instrumentChanged();
    if (MidiOn == 0) return 1;
    MidiHdr.lpData = ArrBankMsg(image);
    return longSend(Msg(StatusMsgKinds[3])) ? 0 : 1;
}

std::string StyGroupData(int g, const std::string& image) {
    if (g < 0 || g > 3) return {};
    int kind = WinKind(image);
    long part = StyPartPosOf(kind);
    // Only the head and the size table are needed to find the group.
    std::string head = field(image, part, 224);
    long start = StyBlkPos(4 * g, head);
    long len = 0;
    for (int k = 4 * g; k < 4 * g + 4; ++k) {
        unsigned size = StyBlkSize(k, head);
        if (size == 0) return {};
        len += size;
    }
    long pos = part - 1 + start;
    // A size table that claims more than the image holds is damaged: send nothing.
    if (pos + len - 1 > static_cast<long>(image.size())) return {};
    return mid(image, pos, len);
}

int StyTxDump(int g, const std::string& image) {
    std::string data = StyGroupData(g, image);
    if (data.empty()) return 1;
    if (MidiOn == 0) return 2;
    StatusMsg(2);
    MidiHdr.lpData = frame(0x65, Pack7(data));
    return longSend(Msg(StatusMsgKinds[2])) ? 0 : 2;
}

std::string PrgBankMsg(const std::string& image) {
    std::string data = field(image, ImgPrgBlock0, 64 * 172);
    if (at(image, ImgPrgType) == 1) {
        for (std::size_t r = 0; r < 64; ++r) {
            std::size_t at0 = r * 172;
            if (static_cast<unsigned char>(data[at0]) == 1) data.replace(at0, 20, 20, '\0');
        }
    }
    data += field(image, ImgPrgBankData, 2104);
    return frame(0x4C, Pack7(data));
}

int PrgTxBank(const std::string& image) {
    ProgramEdit.record.instrumentChanged();
    if (MidiOn == 0) return 1;
    MidiHdr.lpData = PrgBankMsg(image);
    return longSend(Msg(StatusMsgKinds[4])) ? 0 : 1;
}

std::string GblDumpMsg(const std::string& image) { return frame(0x51, Pack7(field(image, ImgGblParam0, 415))); }

int GblTxDump(const std::string& image) {
    if (MidiOn == 0) return 1;
    MidiHdr.lpData = GblDumpMsg(image);
    // Only the newest Global block matters: a dump still waiting gives way.
    return longSend({}, "GblDump") ? 0 : 1;
}

std::string BsqDumpMsg(const std::string& data) {
    // Whole 16-byte units from file byte 2339 on; a file too short for the
    // table counts none, and the count is kept to the two 7-bit bytes.
    long count = (static_cast<long>(data.size()) - 2322) / 16;
    if (count < 0) count = 0;
    if (count > 0x3FFF) count = 0x3FFF;
    std::string body = chr(count & 0x7F) + chr(count / 128);
    body += Pack7(data);
    return frame(0x66, body);
}

void BsqTxDump(const std::string& data) {
    if (MidiOn == 0) return;
    MidiHdr.lpData = BsqDumpMsg(data);
    longSend(Msg(StatusMsgKinds[5]));
}

// ---- Parameter changes --------------------------------------------------------

namespace {
// A parameter change is known by all of it but its value (the last three
// bytes): a newer value of the same parameter takes the place of one still
// waiting to be sent when nothing in between needs it. A program parameter
// of the oscillator pages applies to the oscillator last selected (group 2,
// index 0), so a select is a key the settings after it depend on.
MidiKey paramKey(const std::string& msg, bool select = false) {
    return {msg.substr(0, msg.size() - 3), select ? MidiKey::Select : MidiKey::Setting};
}
}  // namespace

void PrgParamTx(int group, int index, int16_t value) {
    if (MidiOn == 0) return;
    unsigned lo = static_cast<unsigned>(value) & 0x7F;
    unsigned hi = value < 0 ? 0x7F : (static_cast<unsigned>(value) / 128) & 0x7F;
    std::string msg = frame(0x60, bytesOf({static_cast<unsigned>(group) & 0x7F, static_cast<unsigned>(index) & 0x7F,
                                           lo, hi}));
    MidiHdr.lpData = msg;
    // The message and its trailer of zeros go, or give way, together.
    longSends({msg, std::string(20, '\0')}, {}, paramKey(msg, group == 2 && index == 0));
    MidiHdr.lpData = msg;
}

void ArrParamTx(int /*sel*/, int par, int value, int neg) {
    if (MidiOn == 0) return;
    // Data bytes stay below 80h whatever the value, so the message can never
    // be cut short by a stray status byte.
    unsigned lo = static_cast<unsigned>(value) & 0x7F;
    unsigned hi = neg == 1 ? 0x7F : static_cast<unsigned>(value / 128) & 0x7F;
    MidiHdr.lpData = frame(0x41, bytesOf({static_cast<unsigned>(par) & 0x7F, lo, hi}));
    longSend({}, paramKey(MidiHdr.lpData));
}

// ---- Channel messages ---------------------------------------------------------

void NoteOnSend(int channel, int note, int velocity) {
    shortSend(0x90 | (static_cast<unsigned>(channel) & 0x0F), static_cast<unsigned>(note),
              static_cast<unsigned>(velocity));
}

void NoteOffSend(int channel, int note) {
    shortSend(0x80 | (static_cast<unsigned>(channel) & 0x0F), static_cast<unsigned>(note), 0);
}

void ControlSend(int channel, int controller, int value) {
    shortSend(0xB0 | (static_cast<unsigned>(channel) & 0x0F), static_cast<unsigned>(controller),
              static_cast<unsigned>(value));
}

void PitchBendSend(int channel, int value) {
    int v = std::clamp(value, -8192, 8191) + 8192;
    shortSend(0xE0 | (static_cast<unsigned>(channel) & 0x0F), static_cast<unsigned>(v & 0x7F),
              static_cast<unsigned>(v >> 7));
}

void AllNotesOffSend(int channel) { ControlSend(channel, 0x7B, 0); }
