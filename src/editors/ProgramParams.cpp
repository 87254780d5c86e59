#include "editors/ProgramParams.h"

#include <algorithm>

#include "app/state.h"
#include "platform/bytes.h"

namespace {
const std::vector<const char*> kOctaves = {"  4'", "  8'", " 16'", " 32'"};
const std::vector<const char*> kSemitones = {
    " -12", " -11", " -10", "  -9", "  -8", "  -7", "  -6", "  -5", "  -4", "  -3", "  -2", "  -1", "   0",
    "   1", "   2", "   3", "   4", "   5", "   6", "   7", "   8", "   9", "  10", "  11", "  12"};

using P = PrgPage;
using C = ParamCtl;
using K = ParamCodec;
constexpr auto Pl = ParamLabel::Plain;

ParamRow slider(const char* frame, const char* caption, int index, int min, int max, long pos, K codec,
                int group, int param) {
    return {P::Basic, frame, caption, "BasHScroll", index, C::Slider, min, max, {}, pos, 0, 8, codec, group, param,
            0, Pl};
}

ParamRow list(const char* frame, const char* caption, int index, std::vector<const char*> items, long pos,
              int shift, int width, K codec, int group, int param, int osc = 0) {
    return {P::Basic, frame, caption, "BasCombo", index, C::List, 0, static_cast<int>(items.size()) - 1, items,
            pos, shift, width, codec, group, param, osc, Pl};
}

std::vector<ParamRow> buildRows() {
    const char* Osc = "OSCILLATOR";
    const char* Aft = "AFTERTOUCH";
    const char* Joy = "JOYSTICK";
    const char* Mg = "VDF MG";
    const char* Peg = "PITCH EG";
    std::vector<ParamRow> r = {
        {P::Basic, Osc, "OSC-1 M/D SOUND", "BasVScroll", 1, C::Multisample, 518, 0, {}, 21, 0, 16, K::AsIs, 2, 1, 1, Pl},
        {P::Basic, Osc, "OSC-2 M/D SOUND", "BasVScroll", 2, C::Multisample, 518, 0, {}, 23, 0, 16, K::AsIs, 2, 1, 2, Pl},
        list(Osc, "Mode", 2, {" SINGLE", " DOUBLE"}, 19, 0, 8, K::AsIs, 1, 0),
        list(Osc, "OSC-1 Octave", 0, kOctaves, 25, 0, 8, K::Octave, 2, 3, 1),
        list(Osc, "OSC-2 Octave", 1, kOctaves, 26, 0, 8, K::Octave, 2, 3, 2),
        list(Osc, "Interval", 5, kSemitones, 27, 0, 8, K::ListMinus12, 1, 3),
        list(Osc, "Assign", 3, {" POLY", " MONO"}, 20, 0, 1, K::AsIs, 1, 1),
        list(Osc, "Hold", 4, {" NORM", " HOLD"}, 20, 1, 1, K::AsIs, 1, 2),
        slider(Osc, "Detune", 0, -50, 50, 28, K::Signed, 1, 4),
        slider(Osc, "Delay Start", 1, 0, 99, 29, K::AsIs, 1, 5),
        slider(Peg, "Start Level", 10, -99, 99, 30, K::Signed, 3, 0),
        slider(Peg, "Attack Time", 11, 0, 99, 31, K::AsIs, 3, 1),
        slider(Peg, "Attack Level", 12, -99, 99, 32, K::Signed, 3, 2),
        slider(Peg, "Decay Time", 13, 0, 99, 33, K::AsIs, 3, 3),
        slider(Peg, "Release Time", 14, 0, 99, 34, K::AsIs, 3, 4),
        slider(Peg, "Release Level", 15, -99, 99, 35, K::Signed, 3, 5),
        slider(Peg, "Lev Vel Sense", 16, -99, 99, 36, K::Signed, 3, 6),
        slider(Peg, "Time Vel Sens", 17, -99, 99, 37, K::Signed, 3, 7),
        slider(Mg, "Frequency", 7, 0, 99, 39, K::AsIs, 13, 2),
        slider(Mg, "Delay", 8, 0, 99, 40, K::AsIs, 13, 3),
        slider(Mg, "Intensity", 9, 0, 99, 41, K::AsIs, 13, 1),
        list(Mg, "Off, Osc1/2 MG Enable", 9, {"OFF", "OSC1", "OSC2", "BOTH"}, 38, 5, 2, K::AsIs, 13, 5),
        {P::Basic, Mg, "ON Key Sync", "BasCheck", -1, C::Check, 0, 1, {}, 38, 7, 1, K::AsIs, 13, 4, 0, Pl},
        list(Mg, "Waveform", 8, {"TRIANGLE", "SAW UP", "SAW DOWN", "SQUARE", "RANDOM"}, 38, 0, 3, K::AsIs, 13, 0),
        slider(Aft, "VDF Cutoff", 2, -99, 99, 43, K::Signed, 15, 3),
        slider(Aft, "VDF MG Int.", 3, 0, 99, 44, K::AsIs, 14, 1),
        slider(Aft, "VDA Level", 4, -99, 99, 45, K::Signed, 14, 2),
        list(Aft, "Pitch Bend Range", 6, kSemitones, 42, 0, 8, K::ListMinus12, 15, 1),
        list(Joy, "Pitch Bend Range", 7, kSemitones, 46, 0, 8, K::ListMinus12, 15, 0),
        slider(Joy, "VDF Cutoff", 5, -99, 99, 47, K::Signed, 15, 2),
        slider(Joy, "VDF MG Int.", 6, 0, 99, 48, K::AsIs, 14, 0),
    };
    return r;
}

unsigned mask(const ParamRow& r) { return r.width >= 8 ? 0xFFu : ((1u << r.width) - 1u) << r.shift; }

// The field's raw value.
unsigned fieldGet(const std::string& rec, const ParamRow& r) {
    if (r.width == 16) return get16lo(rec, r.pos);
    return (at(rec, r.pos) & mask(r)) >> r.shift;
}

void fieldPut(std::string& rec, const ParamRow& r, unsigned raw) {
    if (r.width == 16) {
        put16lo(rec, r.pos, raw);
        return;
    }
    const unsigned m = mask(r);
    put(rec, r.pos, (at(rec, r.pos) & ~m) | ((raw << r.shift) & m));
}

int signedByte(unsigned raw) { return raw >= 128 ? static_cast<int>(raw) - 256 : static_cast<int>(raw); }
}  // namespace

const char* PrgPageCaption(PrgPage page) {
    static const char* const captions[] = {"BASIC", "OSC 1a", "OSC 1b", "OSC 2a", "OSC 2b", "EFFECTS"};
    return captions[static_cast<int>(page)];
}

const std::vector<std::string>& PrgPageFrames(PrgPage page) {
    static const std::vector<std::string> frames[] = {
        {"OSC 1/2", "PROGRAM NAME", "OSCILLATOR", "JOYSTICK", "VDF MG", "AFTERTOUCH", "PITCH EG"},
        {"OSC 1 Pitch MG", "VDF-1", "VDF-1 EG", "VDA-1", "OSC-1 PITCH EG", "OSC 1/2"},
        {"VDA-1 EG", "EG Time Kbd Track, Vel Sw Polarity", "OSC 1 SEND", "COLOR 1", "Kbd Track Mode", "OSC 1 PANPOT"},
        {"OSC-2 PITCH EG", "OSC 2 Pitch MG", "VDF-2", "VDF-2 EG", "VDA-2", "OSC 1/2"},
        {"VDA-2 EG", "EG Time Kbd Track, Vel Sw Polarity", "OSC 2 SEND", "COLOR 2", "Kbd Track Mode", "OSC 2 PANPOT"},
        {"FX 1", "I/O", "FX 2"},
    };
    return frames[static_cast<int>(page)];
}

const std::vector<ParamRow>& ProgramParams() {
    static const std::vector<ParamRow> rows = buildRows();
    return rows;
}

const ParamRow* ParamRowIn(const std::vector<ParamRow>& rows, const std::string& control, int index) {
    for (const ParamRow& r : rows)
        if (control == r.control && index == r.index) return &r;
    return nullptr;
}

const ParamRow* ParamRowOf(const std::string& control, int index) {
    return ParamRowIn(ProgramParams(), control, index);
}

bool ParamSendsMode(const ParamRow& row) { return row.page != PrgPage::Effects; }

bool ParamSelectsOsc(const ParamRow& row) {
    return row.osc != 0 && row.page != PrgPage::Basic && row.page != PrgPage::Effects;
}

bool ParamShows(const ParamRow& row, int value) {
    return value >= std::min(row.min, row.max) && value <= std::max(row.min, row.max);
}

int ParamStore(std::string& rec, const ParamRow& row, int value) {
    switch (row.codec) {
    case ParamCodec::AsIs: fieldPut(rec, row, static_cast<unsigned>(value)); return value;
    case ParamCodec::Signed: fieldPut(rec, row, static_cast<unsigned>(value) & 0xFFu); return value;
    case ParamCodec::ListMinus12:
        fieldPut(rec, row, static_cast<unsigned>(value - 12) & 0xFFu);
        return value - 12;
    case ParamCodec::Octave: {
        const int sent = 1 - value;
        fieldPut(rec, row, static_cast<unsigned>(sent) & 0xFFu);
        return sent;
    }
    case ParamCodec::LowBits: put(rec, row.pos, static_cast<unsigned>(value) & 0xFFu); return value;
    case ParamCodec::OctaveNibble: fieldPut(rec, row, static_cast<unsigned>(2 - value) & 0x0Fu); return value;
    case ParamCodec::OctaveWide: fieldPut(rec, row, static_cast<unsigned>(3 - value) & 0xFFu); return value;
    case ParamCodec::ChannelOff: fieldPut(rec, row, value == 0 ? 255u : static_cast<unsigned>(value - 1)); return value;
    case ParamCodec::Pedal:
        fieldPut(rec, row, static_cast<unsigned>(GblOrder[static_cast<std::size_t>(std::clamp(value, 0, 51))]));
        return value;
    }
    return value;
}

std::optional<int> ParamRead(const std::string& rec, const ParamRow& row) {
    const unsigned raw = fieldGet(rec, row);
    int v = static_cast<int>(raw);
    switch (row.codec) {
    case ParamCodec::AsIs: break;
    case ParamCodec::Signed: v = signedByte(raw); break;
    case ParamCodec::ListMinus12: v = signedByte(raw) + 12; break;
    case ParamCodec::Octave: v = 1 - signedByte(raw); break;
    case ParamCodec::LowBits: break;
    // 0-2 up to +2, 15 and 14 down to -2; nothing for the nibbles between.
    case ParamCodec::OctaveNibble: v = raw <= 2 ? 2 - static_cast<int>(raw) : raw >= 14 ? 18 - static_cast<int>(raw) : -1; break;
    case ParamCodec::OctaveWide: v = 3 - signedByte(raw); break;
    case ParamCodec::ChannelOff: v = raw == 255 ? 0 : static_cast<int>(raw) + 1; break;
    case ParamCodec::Pedal: {
        const auto it = std::find(GblOrder.begin(), GblOrder.end(), static_cast<int>(raw));
        v = it == GblOrder.end() ? -1 : static_cast<int>(it - GblOrder.begin());
        break;
    }
    }
    if (ParamShows(row, v)) return v;
    if (row.fallback) return row.fallback;
    if (row.kind == ParamCtl::Slider || row.kind == ParamCtl::Multisample)
        return std::clamp(v, std::min(row.min, row.max), std::max(row.min, row.max));
    return std::nullopt;
}

unsigned ParamRaw(const std::string& rec, const ParamRow& row) { return fieldGet(rec, row); }

std::string ParamLabelText(const ParamRow& /*row*/, int value) { return std::to_string(value); }
