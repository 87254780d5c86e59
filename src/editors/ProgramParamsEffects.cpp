// The EFFECTS page's rows of the program table: the two effects (type,
// switch, dry/wet balance, dynamic modulation) and their placement with the
// output pans or return levels.
#include "editors/EffectNames.h"
#include "editors/ProgramParams.h"

namespace {
using K = ParamCodec;
constexpr int Effects = static_cast<int>(PrgPage::Effects);
const char* const Fx1 = "FX 1";
const char* const Fx2 = "FX 2";
const char* const Io = "I/O";

ParamRow row(const char* frame, const char* caption, const char* control, int index, ParamCtl kind, int min, int max,
             long pos, int shift, int width, K codec, int group, int param, ParamLabel label = ParamLabel::None) {
    ParamRow r = ParamRowMake(frame, caption, control, index, kind, min, max, pos, shift, width, codec);
    r.page = Effects;
    r.msg = ParamMsg{group, param};
    r.label = label;
    return r;
}

ParamRow list(const char* frame, const char* caption, int index, std::vector<const char*> items, long pos, int shift,
              int width, K codec, int group, int param) {
    const int max = static_cast<int>(items.size()) - 1;
    ParamRow r = row(frame, caption, "EffCombo", index, ParamCtl::List, 0, max, pos, shift, width, codec, group, param);
    r.items = std::move(items);
    return r;
}

// An effect type: the list runs from the last effect down to "No Effect";
// a number past the list shows (and is taken for) "No Effect".
ParamRow type(const char* frame, int index, long pos, int param) {
    std::vector<const char*> items(EffectNames.rbegin(), EffectNames.rend());
    ParamRow r = list(frame, "Type", index, std::move(items), pos, 0, 8, K::Reversed, 16, param);
    r.fallback = EffectCount - 1;
    return r;
}

// A dynamic modulation source; one past the list shows " NONE".
ParamRow source(const char* frame, int index, long pos, int param) {
    ParamRow r = list(frame, "D-Mod. Source", index, {" NONE", " JS UP", " JS DOWN", " AFT. TOUCH", " PEDAL", "VDA-EG"},
                      pos, 0, 8, K::AsIs, 17, param);
    r.fallback = 0;
    return r;
}

ParamRow slider(const char* frame, const char* caption, const char* control, int index, int min, int max, long pos,
                int shift, int width, K codec, int param, ParamLabel label, int group = 18) {
    return row(frame, caption, control, index, ParamCtl::HScroll, min, max, pos, shift, width, codec, group, param,
               label);
}

ParamRow check(const char* frame, int index, int bit, int param) {
    return row(frame, "ON", "EffCheck", index, ParamCtl::Check, 0, 1, 152, bit, 1, K::AsIs, 16, param);
}
}  // namespace

void PrgEffectRows(std::vector<ParamRow>& rows) {
    constexpr auto Number = ParamLabel::Number;
    const std::vector<ParamRow> effects = {
        type(Fx1, 0, 144, 0),
        type(Fx2, 2, 145, 2),
        source(Fx1, 1, 161, 0),
        source(Fx2, 3, 171, 2),
        slider(Fx1, "Dry/Wet Bal.", "EffHScroll", 0, 0, 100, 146, 0, 8, K::AsIs, 7, ParamLabel::DryWet, 19),
        slider(Fx1, "D-Mod. Amount", "EffHScroll", 1, -15, 15, 162, 0, 8, K::Signed, 1, Number, 17),
        slider(Fx2, "Dry/Wet Bal.", "EffHScroll", 2, 0, 100, 148, 0, 8, K::AsIs, 7, ParamLabel::DryWet, 20),
        slider(Fx2, "D-Mod. Amount", "EffHScroll", 3, -15, 15, 172, 0, 8, K::Signed, 3, Number, 17),
        list(Io, "Placement", 4, {"SERIAL", "PARALLEL 1", "PARALLEL 2", "PARALLEL 3"}, 152, 4, 3, K::AsIs, 18, 0),
        // "PARALLEL 3": the four effect return levels, a nibble each.
        slider(Io, "FX 1 Return L", "EffHScroll", 4, 0, 9, 150, 4, 4, K::AsIs, 1, Number),
        slider(Io, "FX 1 Return R", "EffHScroll", 5, 0, 9, 150, 0, 4, K::AsIs, 2, Number),
        slider(Io, "FX 2 Return L", "EffHScroll", 6, 0, 9, 151, 4, 4, K::AsIs, 3, Number),
        slider(Io, "FX 2 Return R", "EffHScroll", 7, 0, 9, 151, 0, 4, K::AsIs, 4, Number),
        // Any other placement: sliders 5 and 7 are the two output pans, a
        // byte each (the same sliders, a second meaning).
        slider(Io, "Output C Pan", "EffHScrollPan", 5, 0, 101, 150, 0, 8, K::AsIs, 1, ParamLabel::Pan),
        slider(Io, "Output D Pan", "EffHScrollPan", 7, 0, 101, 151, 0, 8, K::AsIs, 2, ParamLabel::Pan),
        check(Fx1, 0, 0, 1),
        check(Fx2, 1, 2, 3),
    };
    rows.insert(rows.end(), effects.begin(), effects.end());
}
