#include "editors/arrangement/ArrParams.h"

#include "editors/EffectNames.h"
#include "editors/arrangement/ArrRec.h"

namespace {
using K = ParamCodec;
constexpr int General = static_cast<int>(ArrPage::General);

const char* const kGeneral = "General";
const char* const kSwitches = "Switches";
const char* const kEffects = "Effects 1,2, On/Off";
const char* const kEnsemble = "Ensemble";

ParamRow make(int page, const char* frame, const char* caption, const char* control, int index, ParamCtl kind,
              int min, int max, long pos, int shift, int width, K codec, int param) {
    ParamRow r = ParamRowMake(frame, caption, control, index, kind, min, max, pos, shift, width, codec);
    r.page = page;
    if (param >= 0) r.msg = ParamMsg{0, param};
    return r;
}

ParamRow list(int page, const char* frame, const char* caption, const char* control, int index,
              std::vector<const char*> items, long pos, int shift, int width, K codec, int param,
              std::optional<int> fallback = std::nullopt) {
    const int max = static_cast<int>(items.size()) - 1;
    ParamRow r = make(page, frame, caption, control, index, ParamCtl::List, 0, max, pos, shift, width, codec, param);
    r.items = std::move(items);
    r.typed = true;
    r.fallback = fallback;
    return r;
}

ParamRow check(const char* frame, const char* caption, int index, long pos, int bit, int param = -1) {
    return make(General, frame, caption, "Check1", index, ParamCtl::Check, 0, 1, pos, bit, 1, K::AsIs, param);
}

std::string noteText(int v) { return NoteNameText(v); }

const std::vector<const char*> kFills = {" OFF", " ->1", " ->2", " ->3", " ->4", " 1&2", " 1&3",
                                         " 1&4", " 2&3", " 2&4", " 3&4", " UP",  " DOWN"};
const std::vector<const char*> kSends = {"PRG", " 9", " 8", " 7", " 6", " 5", " 4", " 3", " 2", " 1", " 0"};
const std::vector<const char*> kWrap = {" 12", " 11", " 10", " 9", " 8", " 7", " 6",
                                        " 5",  " 4",  " 3",  " 2", " 1", " ORG"};

std::vector<ParamRow> buildRows() {
    std::vector<ParamRow> r = {
        list(General, kGeneral, "Keyboard Assign", "Combo1", 0,
             {"FULL 1", "FULL 2", "SPLIT 1", "M. DRUMS", "FULL 3", "FULL 4", "SPLIT 2", "SPLIT 3", "SPLIT 4",
              "SPLIT 5", "SPLIT 6"},
             23, 0, 8, K::AsIs, -1),
        list(General, kGeneral, "Init. Var.", "Combo1", 3, {" 1", " 2", " 3", " 4"}, 20, 0, 8, K::AsIs, -1),
        list(General, kGeneral, "Fill 1", "Combo1", 1, kFills, 38, 0, 8, K::AsIs, 4, 0),
        list(General, kGeneral, "Fill 2", "Combo1", 2, kFills, 39, 0, 8, K::AsIs, 5, 0),
    };
    ParamRow tempo = make(General, kGeneral, "Tempo", "VScroll1", 0, ParamCtl::VScroll, 240, 40, 22, 0, 8, K::Tempo, 0);
    tempo.label = ParamLabel::Number;
    tempo.fallback = 40;
    r.push_back(tempo);
    ParamRow split = make(General, kGeneral, "Split Point", "HScroll1", 0, ParamCtl::HScroll, 36, 96, 24, 0, 8, K::AsIs, 2);
    split.label = ParamLabel::Text;
    split.text = noteText;
    split.fallback = 60;
    r.push_back(split);
    r.push_back(list(General, kGeneral, "Transpose", "Combo1", 4,
                     {" +11", " +10", " +9", " +8", " +7", " +6", " +5", " +4", " +3", " +2", " +1", "  0",
                      " -1", " -2", " -3", " -4", " -5", " -6", " -7", " -8", " -9", " -10", " -11"},
                     26, 0, 8, K::Transpose, 3, 0));
    r.push_back(list(General, kEnsemble, "ManDrumKit", "Combo1", 9,
                     {" Dr11", " Dr12", " Dr13", " Dr14", " Dr15", " Dr16", " Dr17", " Dr18", " Dr21", " Dr22",
                      " Dr23", " Dr24", " Dr25", " Dr26", " Dr27", " Dr28"},
                     27, 0, 8, K::AsIs, -1, 0));
    std::vector<const char*> effects;
    for (int n = 47; n >= 0; --n) effects.push_back(EffectNames[static_cast<std::size_t>(n)]);
    r.push_back(list(General, kEffects, "Effect 1", "EffCombo", 0, effects, 136, 0, 8, K::Reversed, 6, 47));
    r.push_back(list(General, kEffects, "Effect 2", "EffCombo", 1, effects, 137, 0, 8, K::Reversed, 8, 47));
    r.push_back(list(General, kGeneral, "Kick Designation", "Combo1", 6, {" A", " B", " C", " D"}, 34, 0, 8, K::AsIs, -1));
    r.push_back(list(General, kGeneral, "Snare Designation", "Combo1", 7, {" A", " B", " C", " D"}, 35, 0, 8, K::AsIs, -1));
    r.push_back(list(General, kEnsemble, "Type", "Combo1", 8,
                     {"Duet", "Close", "Open1", "Open2", "Octave", "Power Ens.", "Fourths", "Block", "Brass Ens.",
                      "Reed Ens."},
                     25, 0, 7, K::AsIs, -1));
    r.push_back(check(kEnsemble, "Sw", 9, 25, 7));
    r.push_back(check(kSwitches, "Dynamic Velocity", 0, 28, 0));
    r.push_back(check(kSwitches, "Tempo Lock", 1, 28, 1));
    r.push_back(check(kSwitches, "KBD1 Damp En", 2, 28, 2, 79));
    r.push_back(check(kSwitches, "KBD2 Damp En", 3, 28, 3, 89));
    r.push_back(check(kSwitches, "Chord Scan Low", 4, 29, 0));
    r.push_back(check(kSwitches, "Chord Scan High", 5, 29, 1));
    r.push_back(check(kSwitches, "Bass Inversion", 6, 29, 2));
    r.push_back(check(kSwitches, "Chord Hold", 7, 29, 3));
    r.push_back(check(kSwitches, "Chord Latch", 8, 29, 4, 1));

    // The nine tracks, each from the same six fields and two sliders.
    for (int t = 0; t < 9; ++t) {
        const int page = t < 3 ? General : static_cast<int>(ArrPage::Tracks);
        const char* f = ArrTrackFrame(t);
        const long p = 40 + 8L * t;
        const int par = 10 * t;
        // Stored but never sent: the octave and wrap-around of Drum and
        // Percussion, Out Status1 and wrap-around of UPPER2 and LOWER.
        const bool octaveSent = t > 1, wrapSent = t > 1 && t < 7, out1Sent = t < 7;
        ParamRow vol = make(page, f, "VOL", "VScroll1", 2 * t + 1, ParamCtl::VScroll, 127, 0, p + 2, 0, 8, K::AsIs, par + 11);
        vol.label = ParamLabel::Number;
        vol.fallback = 100;
        r.push_back(vol);
        ParamRow pan = make(page, f, "PAN", "VScroll1", 2 * t + 2, ParamCtl::VScroll, 33, 1, p + 3, 0, 8, K::Pan, par + 12);
        pan.label = ParamLabel::Text;
        pan.text = ArrPanText;
        pan.fallback = 17;
        pan.largeChange = 3;
        r.push_back(pan);
        r.push_back(list(page, f, "Octave", "Combo2", 6 * t + 2, {" +2", " +1", "  0", " -1", " -2"}, p + 5, 0, 8,
                         K::OctaveByte, octaveSent ? par + 16 : -1, 2));
        r.push_back(list(page, f, "C Send L", "Combo2", 6 * t, kSends, p + 4, 0, 4, K::TenLess, par + 13, 0));
        r.push_back(list(page, f, "D Send L", "Combo2", 6 * t + 1, kSends, p + 4, 4, 4, K::TenLess, par + 14, 0));
        r.push_back(list(page, f, "Out Status1", "Combo2", 6 * t + 3, {"OFF", "INT", "EXT", "BOTH"}, p + 6, 0, 2,
                         K::OutStatus, out1Sent ? par + 17 : -1));
        r.push_back(list(page, f, "Out Status2", "Combo2", 6 * t + 4, {"PLAY", "MUTE", "SOLO"}, p + 6, 2, 2,
                         K::OutStatus, par + 15));
        r.push_back(list(page, f, "W-Around", "Combo2", 6 * t + 5, kWrap, p + 7, 0, 8, K::WrapAround,
                         wrapSent ? par + 18 : -1, 0));
    }
    return r;
}
}  // namespace

const char* ArrTrackFrame(int t) {
    static const char* const frames[] = {"Drum", "Percussion", "Bass", "ACC1", "ACC2", "ACC3", "UPPER1", "UPPER2", "LOWER"};
    return frames[t];
}

std::string ArrPanText(int v) {
    if (v <= 1) return "OFF";
    if (v <= 16) return "L" + std::to_string(17 - v);
    if (v == 17) return "CNT";
    if (v <= 32) return "R" + std::to_string(v - 17);
    return "PRG";
}

const ArrParamTable& ArrCtrlMap() {
    static const ArrParamTable table = [] {
        ArrParamTable t;
        t.rows = buildRows();
        ParamIndex(t.rows, "Combo1", t.Combo1, 0, 5);
        ParamIndex(t.rows, "Check1", t.Check1);
        ParamIndex(t.rows, "HScroll1", t.HScroll1);
        ParamIndex(t.rows, "EffCombo", t.EffCombo);
        ParamIndex(t.rows, "VScroll1", t.VScroll1);
        ParamIndex(t.rows, "Combo2", t.Combo2);
        t.Variation = list(General, kGeneral, "DDrumMap", "Combo1", 5, {" VAR1", " VAR2", " VAR3", " VAR4"}, 30, 0, 8,
                           K::AsIs, -1);
        t.VariationValue = make(General, kGeneral, "Variation", "HScroll1", 1, ParamCtl::HScroll, 1, 8, 30, 0, 8, K::AsIs, -1);
        t.VariationValue.largeChange = 1;
        return t;
    }();
    return table;
}
