#include "editors/global/GblParams.h"

#include "app/ImageLayout.h"
#include "app/Names.h"
#include "app/state.h"
#include "files/FileFormats.h"
#include "files/WindowImage.h"
#include "platform/bytes.h"

namespace {
using C = ParamCtl;
using K = ParamCodec;
using Items = std::vector<const char*>;

const Items kCurves = {" 1", " 2", " 3", " 4", " 5", " 6", " 7", " 8"};
const Items kKeys = {" C", " C#", " D", " D#", " E", " F", " F#", " G", " G#", " A", " A#", " B"};
const Items kScales = {"EQUAL TEMP",    "EQUAL TEMP 2",  "PURE MAJOR",    "PURE MINOR",    "ARABIC",
                       "PYTHAGOREAN",   "WERKMEISTER",   "KIRNBERGER",    "SLENDRO",       "PELOG",
                       "USER SCALE 1",  "USER SCALE 2",  "USER SCALE 3",  "USER SCALE 4",  "USER SCALE 5",
                       "USER SCALE 6",  "USER SCALE 7",  "USER SCALE 8",  "USER SCALE 9",  "USER SCALE 10",
                       "USER SCALE 11", "USER SCALE 12", "USER SCALE 13", "USER SCALE 14"};
// The pedal functions in list order, and the code each keeps in the data.
const Items kPedals = {
    "OFF",           "START/STOP",        "SYNC START",      "SYNC STOP",         "RESET",
    "TAP TEMPO",     "TEMPO LOCK",        "INTRO/ENDING 1",  "INTRO/ENDING 2",    "FILL 1",
    "FILL 2",        "VARIATION 1",       "VARIATION 2",     "VARIATION 3",       "VARIATION 4",
    "CHORD MEMORY",  "BASS INVERSION",    "SCALE CHANGE",    "ARR/STY UP",        "ARR/STY DOWN",
    "PROGRAM UP",    "PROGRAM DOWN",      "VARIATION UP",    "VARIATION DOWN",    "PUNCH IN/OUT",
    "EFFECT 1 ON/OFF", "EFFECT 2 ON/OFF", "DRUM MUTE",       "PERC MUTE",         "BASS MUTE",
    "ACC1 MUTE",     "ACC2 MUTE",         "ACC3 MUTE",       "LOW HARM MEMORY",   "SUSTAIN ON/OFF",
    "FADE IN/OUT",   "ENSEMBLE ON/OFF",   "QUARTER TONE",    "DAMPER ON/OFF",     "CHORD LATCH ON/OFF",
    "ACC1-3 MUTE",   "LOW/UP1/UP2 MUTE",  "KEYBOARD SET UP", "KEYBOARD SET DOWN", "C BUTTON ON/OFF",
    "KB VOLUME",     "MASTER VOLUME",     "EXPRESSION",      "VDF CUTOFF",        "EFFECT CONTROL",
    "DATA ENTRY",    "A/B FADER"};
const std::vector<int> kPedalCodes = {0,  1,  2,  47, 3,  38, 37, 4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14,
                                      15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 39, 40, 41,
                                      42, 44, 45, 46, 48, 49, 50, 51, 52, 30, 43, 31, 32, 33, 34, 53};
const Items kSixteen = {" 1", " 2", " 3", " 4", " 5", " 6", " 7", " 8",
                        " 9", " 10", " 11", " 12", " 13", " 14", " 15", " 16"};

Items withOff(const Items& rest) {
    Items r = {" OFF"};
    r.insert(r.end(), rest.begin(), rest.end());
    return r;
}

Items songChannels() {
    static const std::vector<std::string> texts = [] {
        std::vector<std::string> t;
        for (const char* kind : {" MIDI Ch", " Song Ch"})
            for (int c = 1; c <= 16; ++c) t.push_back(kind + std::string(c < 10 ? "0" : "") + std::to_string(c));
        return t;
    }();
    Items r = {" OFF"};
    for (const std::string& s : texts) r.push_back(s.c_str());
    r.push_back(" Keyboard");
    return r;
}

constexpr long at0(int offset) { return ImgGblParam0 + offset; }

ParamRow row(const char* frame, const char* caption, const char* control, int index, C kind, int min, int max,
             Items items, int offset, int shift, int width, K codec, std::optional<int> fallback,
             ParamLabel label = ParamLabel::None) {
    ParamRow r = ParamRowMake(frame, caption, control, index, kind, min, max, at0(offset), shift, width, codec);
    r.items = std::move(items);
    r.label = label;
    r.fallback = fallback;
    return r;
}

ParamRow combo(const char* frame, const char* caption, int index, Items items, int offset, K codec = K::AsIs,
               std::optional<int> fallback = 0, int shift = 0, int width = 8) {
    const int max = static_cast<int>(items.size()) - 1;
    return row(frame, caption, "GblCombo1", index, C::List, 0, max, std::move(items), offset, shift, width, codec,
               fallback);
}

ParamRow combo3(const char* caption, int index, Items items, int offset, K codec, std::optional<int> fallback) {
    const int max = static_cast<int>(items.size()) - 1;
    return row("Harmony", caption, "Combo3", index, C::List, 0, max, std::move(items), offset, 0, 8, codec, fallback);
}

ParamRow pedal(const char* caption, int index, int offset) {
    ParamRow r = combo("Pedals", caption, index, kPedals, offset, K::Coded);
    r.codes = kPedalCodes;
    return r;
}

std::vector<ParamRow> buildRows() {
    const char* Gen = "General";
    const char* In = "Midi In";
    const char* Sc = "Scales";
    const Items js = {" PRG", " DIS"};
    std::vector<ParamRow> r = {
        row(Gen, "Master Tune", "GblHScroll1", 0, C::HScroll, -50, 50, {}, 0, 0, 8, K::Signed, 0, ParamLabel::Number),
        combo(Gen, "Velocity Curve", 2, kCurves, 19),
        combo(Gen, "After Touch Curve", 3, kCurves, 20),
        combo(Gen, "Chord Recognition", 5, {"Fingered1", "Fingered2", "One Finger"}, 28, K::LowBits, 0, 0, 2),
        row(Gen, "Auto Chord Scan", "GblCheck1", 0, C::Check, 0, 1, {}, 29, 0, 1, K::LowBits, std::nullopt),
        row(Gen, "Transpose Lock", "GblCheck1", 1, C::Check, 0, 1, {}, 222, 1, 1, K::AsIs, std::nullopt),
        row(Gen, "Voc/Gtr Lock", "GblCheck1", 2, C::Check, 0, 1, {}, 222, 0, 1, K::AsIs, std::nullopt),
        row(In, "Velocity", "GblHScroll1", 1, C::HScroll, 0, 127, {}, 212, 0, 8, K::AsIs, 0, ParamLabel::NormalAtZero),
        row(Gen, "Damper Polarity", "GblOption1", 0, C::Option, 0, 1, {}, 2, 0, 1, K::AsIs, std::nullopt),
        combo(Gen, "JS x LOW", 16, js, 2, K::AsIs, std::nullopt, 3, 1),
        combo(Gen, "JS x UP1", 17, js, 2, K::AsIs, std::nullopt, 4, 1),
        combo(Gen, "JS x UP2", 18, js, 2, K::AsIs, std::nullopt, 5, 1),
        combo(Gen, "Echo Back", 19, {" OFF", " IN 1", " IN 2"}, 2, K::AsIs, std::nullopt, 6, 2),
        pedal("Assignable Pedal", 10, 3),
        combo(Sc, "Main Scale Type", 6, kScales, 5),
        combo(Sc, "Sub Scale Type", 7, kScales, 21),
        combo(Sc, "Main Scale Key", 8, kKeys, 6),
        combo(Sc, "Sub Scale Key", 9, kKeys, 22),
        pedal("Ext. Controller A", 11, 23),
        pedal("Ext. Controller B", 12, 24),
        pedal("Ext. Controller C", 13, 25),
        pedal("Ext. Controller D", 14, 26),
        pedal("Ext. Controller E", 15, 27),
        combo(In, "Octave Upper", 0, {" U+2", " U+1", " U+0", " U-1", " U-2"}, 213, K::OctaveNibble, std::nullopt, 0, 4),
        combo(In, "Octave Lower", 1, {" L+2", " L+1", " U+0", " L-1", " L-2"}, 213, K::OctaveNibble, std::nullopt, 4, 4),
    };
    static const char* const scales[] = {"User Scale 1", "User Scale 2", "User Scale 3", "User Scale 4"};
    // +50 at the top, -50 at the bottom.
    for (int i = 0; i < 48; ++i)
        r.push_back(row(scales[i / 12], scales[i / 12], "VScroll2", i, C::VScroll, 50, -50, {}, 32 + i, 0, 8, K::Signed,
                        0, ParamLabel::Number));
    r.push_back(combo3("Octave", 0, {" 3", " 2", " 1", " 0", " -1", " -2", " -3"}, 215, K::OctaveWide, 0));
    r.push_back(combo3("Channel (Arr)", 1, withOff(kSixteen), 218, K::ChannelOff, 1));
    r.push_back(row("Harmony", "TG (Song Play)", "Check3", -1, C::Check, 0, 1, {}, 221, 0, 1, K::LowBits, std::nullopt));
    r.push_back(combo3("Track", 2,
                       {" OFF", " DRUM", " PERC", " BASS", " ACC1", " ACC2", " ACC3", " UP1", " LOW/UP2", " ETr1",
                        " ETr2", " ETr3", " ETr4", " ETr5", " ETr6", " ETr7", " ETr8"},
                       219, K::AsIs, 0));
    r.push_back(combo3("Channel (Song Play)", 3, songChannels(), 220, K::ChannelOff, 1));
    r.push_back(row("Harmony", "Range L(Arr)", "HScroll3", 0, C::HScroll, 0, 116, {}, 216, 0, 8, K::AsIs, 0,
                    ParamLabel::Note));
    r.push_back(row("Harmony", "Range H(Arr)", "HScroll3", 1, C::HScroll, 11, 127, {}, 217, 0, 8, K::AsIs, 127,
                    ParamLabel::Note));
    return r;
}
}  // namespace

const GblParamTable& GblParams() {
    static const GblParamTable table = [] {
        GblParamTable t;
        t.rows = buildRows();
        ParamIndex(t.rows, "GblHScroll1", t.GblHScroll1);
        ParamIndex(t.rows, "GblCombo1", t.GblCombo1, 0, 4);
        ParamIndex(t.rows, "GblCheck1", t.GblCheck1);
        t.GblOption1 = ParamIndexOne(t.rows, "GblOption1");
        ParamIndex(t.rows, "VScroll2", t.VScroll2);
        ParamIndex(t.rows, "Combo3", t.Combo3);
        ParamIndex(t.rows, "HScroll3", t.HScroll3);
        t.Check3 = ParamIndexOne(t.rows, "Check3");
        return t;
    }();
    return table;
}

const std::array<GblChannelRow, 11>& GblChannelRows() {
    static const std::array<GblChannelRow, 11> rows{{
        {4, "GLB (Global)", &GlobalChannel},
        {5, "ARRANG (Arrangement)", &ArrChannel},
        {6, "LOW (Lower)", &LowChannel},
        {7, "UP2 (Upper 2)", &Up2Channel},
        {8, "UP1 (Upper 1)", &Up1Channel},
        {9, "DRM (Drum)", &DrmChannel},
        {10, "PER (Percussion)", &PerChannel},
        {11, "BAS (Bass)", &BasChannel},
        {12, "AC1 (Accomp. 1)", &Ac1Channel},
        {13, "AC2 (Accomp. 2)", &Ac2Channel},
        {14, "AC3 (Accomp. 3)", &Ac3Channel},
    }};
    return rows;
}

const std::vector<const char*>& GblChannelItems() { return kSixteen; }

std::string GblImageBuild(int slot, const std::string& data, const std::string& path, bool readOnly) {
    std::string image = WindowImageNew(slot == 0 ? 14 : 25, data);
    put(image, ImgRdOnly, readOnly ? 1u : 0u);
    put(image, ImgSlot, static_cast<unsigned>(slot));
    if (slot != 0) ImgTitleSet(image, path);
    return image;
}

std::string GblImageData(const std::string& image) { return mid(image, ImgFile, GblFileLen); }

void GblImagePutData(std::string& image, const std::string& data) {
    std::string d = data;
    d.resize(static_cast<std::size_t>(GblFileLen), '\0');
    putMid(image, ImgFile, d);
    put(image, ImgChanged, 0);
}

void GblScaleReset(std::string& image, int k) {
    for (int i = 12 * k; i < 12 * k + 12; ++i) ParamStore(image, *GblParams().VScroll2[static_cast<std::size_t>(i)], 0);
    put(image, ImgChanged, 1);
}
