#include "editors/ProgramParams.h"

namespace {
const std::vector<const char*> kOctaves = {"  4'", "  8'", " 16'", " 32'"};
const std::vector<const char*> kSemitones = {
    " -12", " -11", " -10", "  -9", "  -8", "  -7", "  -6", "  -5", "  -4", "  -3", "  -2", "  -1", "   0",
    "   1", "   2", "   3", "   4", "   5", "   6", "   7", "   8", "   9", "  10", "  11", "  12"};

using K = ParamCodec;
constexpr int Basic = static_cast<int>(PrgPage::Basic);

ParamRow basic(const char* frame, const char* caption, const char* control, int index, ParamCtl kind, int min,
               int max, long pos, int shift, int width, K codec) {
    ParamRow r = ParamRowMake(frame, caption, control, index, kind, min, max, pos, shift, width, codec);
    r.page = Basic;
    return r;
}

ParamRow slider(const char* frame, const char* caption, int index, int min, int max, long pos, K codec,
                int group, int param) {
    ParamRow r = basic(frame, caption, "BasHScroll", index, ParamCtl::HScroll, min, max, pos, 0, 8, codec);
    r.msg = ParamMsg{group, param};
    r.label = ParamLabel::Number;
    return r;
}

ParamRow list(const char* frame, const char* caption, int index, std::vector<const char*> items, long pos,
              int shift, int width, K codec, int group, int param, int osc = 0) {
    const int max = static_cast<int>(items.size()) - 1;
    ParamRow r = basic(frame, caption, "BasCombo", index, ParamCtl::List, 0, max, pos, shift, width, codec);
    r.items = std::move(items);
    r.msg = ParamMsg{group, param};
    r.osc = osc;
    return r;
}

ParamRow check(const char* frame, const char* caption, long pos, int shift, int group, int param) {
    ParamRow r = basic(frame, caption, "BasCheck", -1, ParamCtl::Check, 0, 1, pos, shift, 1, K::AsIs);
    r.msg = ParamMsg{group, param};
    return r;
}

// A multisample box's bar: 518 at the top, 0 at the bottom.
ParamRow multisample(const char* caption, int osc, long pos) {
    ParamRow r = basic("OSCILLATOR", caption, "BasVScroll", osc, ParamCtl::VScroll, 518, 0, pos, 0, 16, K::AsIs);
    r.msg = ParamMsg{2, 1};
    r.osc = osc;
    return r;
}

std::vector<ParamRow> buildRows() {
    const char* Osc = "OSCILLATOR";
    const char* Aft = "AFTERTOUCH";
    const char* Joy = "JOYSTICK";
    const char* Mg = "VDF MG";
    const char* Peg = "PITCH EG";
    std::vector<ParamRow> r = {
        multisample("OSC-1 M/D SOUND", 1, 21),
        multisample("OSC-2 M/D SOUND", 2, 23),
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
        check(Mg, "ON Key Sync", 38, 7, 13, 4),
        list(Mg, "Waveform", 8, {"TRIANGLE", "SAW UP", "SAW DOWN", "SQUARE", "RANDOM"}, 38, 0, 3, K::AsIs, 13, 0),
        slider(Aft, "VDF Cutoff", 2, -99, 99, 43, K::Signed, 15, 3),
        slider(Aft, "VDF MG Int.", 3, 0, 99, 44, K::AsIs, 14, 1),
        slider(Aft, "VDA Level", 4, -99, 99, 45, K::Signed, 14, 2),
        list(Aft, "Pitch Bend Range", 6, kSemitones, 42, 0, 8, K::ListMinus12, 15, 1),
        list(Joy, "Pitch Bend Range", 7, kSemitones, 46, 0, 8, K::ListMinus12, 15, 0),
        slider(Joy, "VDF Cutoff", 5, -99, 99, 47, K::Signed, 15, 2),
        slider(Joy, "VDF MG Int.", 6, 0, 99, 48, K::AsIs, 14, 0),
    };
    PrgOscRows(r);
    PrgEffectRows(r);
    return r;
}

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

const PrgParamTable& ProgramParams() {
    static const PrgParamTable table = [] {
        PrgParamTable t;
        t.rows = buildRows();
        ParamIndex(t.rows, "BasVScroll", t.BasVScroll, 1);
        ParamIndex(t.rows, "BasHScroll", t.BasHScroll);
        ParamIndex(t.rows, "BasCombo", t.BasCombo);
        t.BasCheck = ParamIndexOne(t.rows, "BasCheck");
        ParamIndex(t.rows, "OscHScroll", t.OscHScroll);
        ParamIndex(t.rows, "OscCombo", t.OscCombo);
        ParamIndex(t.rows, "OscCheck", t.OscCheck);
        ParamIndex(t.rows, "EffCombo", t.EffCombo);
        ParamIndex(t.rows, "EffCheck", t.EffCheck);
        ParamIndex(t.rows, "EffHScroll", t.EffHScroll);
        ParamIndex(t.rows, "EffHScrollPan", t.EffHScrollPan, 5, 6);
        return t;
    }();
    return table;
}

const std::vector<PerfSlider>& PerfSliderMap() {
    static const std::vector<PerfSlider> map = [] {
        const PrgParamTable& t = ProgramParams();
        // Oscillator slider k, then its oscillator 2 twin.
        auto osc = [&t](int k, bool logged1 = true, bool logged2 = true) {
            return std::vector<PerfMove>{{t.OscHScroll[static_cast<std::size_t>(k)], logged1, false},
                                         {t.OscHScroll[static_cast<std::size_t>(k + 40)], logged2, false}};
        };
        auto join = [](std::vector<PerfMove> a, const std::vector<PerfMove>& b) {
            a.insert(a.end(), b.begin(), b.end());
            return a;
        };
        const std::pair<const char*, std::pair<int, std::vector<PerfMove>>> sliders[] = {
            {"VIBRATO INTENSITY", {5, osc(4)}},
            {"VDF CUTOFF", {5, osc(9)}},
            {"VDF EG INTENSITY", {3, osc(12)}},
            {"ATTACK TIME", {5, osc(30)}},
            {"RELEASE TIME", {5, join(osc(22, false, false), osc(36))}},
            {"VDA LEVEL", {5, osc(24)}},
            {"VELOCITY SENSITIVITY", {5, join(osc(15, false, true), osc(27))}},
            {"EFFECTS BALANCE", {5, {{t.EffHScroll[0], true, true}, {t.EffHScroll[2], true, true}}}},
        };
        std::vector<PerfSlider> m;
        for (const auto& [name, s] : sliders) {
            const int k = static_cast<int>(m.size());
            ParamRow r = ParamRowMake("", name, "PerfVScroll", k, ParamCtl::VScroll, 10, -10, 0, 0, 8, ParamCodec::AsIs);
            r.largeChange = 1;
            r.label = ParamLabel::Number;
            m.push_back({r, s.first, s.second});
        }
        return m;
    }();
    return map;
}
