// The oscillator pages' rows of the program table. Oscillator 1's rows are
// written out; oscillator 2's are made from them: the same parameters, 47
// bytes later, on the next two pages, in frames that name oscillator 2.
#include <cstring>
#include <string>

#include "editors/ProgramParams.h"

namespace {
using K = ParamCodec;
constexpr int Osc1a = static_cast<int>(PrgPage::Osc1a), Osc1b = static_cast<int>(PrgPage::Osc1b);
constexpr long Osc2Offset = 47;
constexpr int SliderCount = 40, ListCount = 21;

const char* const Peg = "OSC-1 PITCH EG";
const char* const Pmg = "OSC 1 Pitch MG";
const char* const Vdf = "VDF-1";
const char* const VdfEg = "VDF-1 EG";
const char* const Vda = "VDA-1";
const char* const VdaEg = "VDA-1 EG";
const char* const Color = "COLOR 1";
const char* const Pan = "OSC 1 PANPOT";
const char* const Send = "OSC 1 SEND";
const char* const Track = "Kbd Track Mode";

// Oscillator 2's name for a text of oscillator 1 (the frames, and the
// keyboard-track lists, which name their oscillator).
const char* osc2Text(const char* t) {
    static const char* const pairs[][2] = {
        {Peg, "OSC-2 PITCH EG"}, {Pmg, "OSC 2 Pitch MG"}, {Vdf, "VDF-2"},  {VdfEg, "VDF-2 EG"},
        {Vda, "VDA-2"},          {VdaEg, "VDA-2 EG"},     {Color, "COLOR 2"}, {Pan, "OSC 2 PANPOT"},
        {Send, "OSC 2 SEND"},
    };
    for (const auto& p : pairs)
        if (std::strcmp(p[0], t) == 0) return p[1];
    return t;
}

ParamRow row(int page, const char* frame, const char* caption, const char* control, int index, ParamCtl kind,
             int min, int max, long pos, int shift, int width, K codec, int group, int param) {
    ParamRow r = ParamRowMake(frame, caption, control, index, kind, min, max, pos, shift, width, codec);
    r.page = page;
    r.msg = ParamMsg{group, param};
    r.osc = 1;
    return r;
}

ParamRow slider(int page, const char* frame, const char* caption, int index, int min, int max, long pos, int group,
                int param) {
    ParamRow r = row(page, frame, caption, "OscHScroll", index, ParamCtl::HScroll, min, max, pos, 0, 8,
                     min < 0 ? K::Signed : K::AsIs, group, param);
    r.label = ParamLabel::Number;
    return r;
}

ParamRow list(int page, const char* frame, const char* caption, int index, std::vector<const char*> items, long pos,
              int shift, int width, K codec, int group, int param) {
    const int max = static_cast<int>(items.size()) - 1;
    ParamRow r = row(page, frame, caption, "OscCombo", index, ParamCtl::List, 0, max, pos, shift, width, codec, group,
                     param);
    r.items = std::move(items);
    return r;
}

const char* const kPolarityRows[] = {"Att Time", "Dec Time", "SlopTime", "Rel Time"};
const char* const kPolarityColumns[] = {"VDF EG1 Kbd Tr", "VDF EG1 Velocity", "VDA EG1 Kbd Tr", "VDA EG1 Velocity"};

// Oscillator 1's sliders, lists and check box, in the order they are filled.
std::vector<ParamRow> osc1Rows() {
    const int a = Osc1a, b = Osc1b;
    std::vector<ParamRow> r = {
        slider(a, Peg, "Pitch EG (Int)", 0, -99, 99, 49, 2, 4),
        slider(a, Pmg, "Frequency", 1, 0, 99, 51, 11, 3),
        slider(a, Pmg, "Delay", 2, 0, 99, 52, 11, 4),
        slider(a, Pmg, "Fade In", 3, 0, 99, 53, 11, 5),
        slider(a, Pmg, "Intensity", 4, 0, 99, 54, 11, 2),
        slider(a, Pmg, "Freq m by K tr", 5, -99, 99, 55, 11, 7),
        slider(a, Pmg, "Int mod by AT", 6, 0, 99, 56, 12, 2),
        slider(a, Pmg, "Int mod by JS", 7, 0, 99, 57, 12, 1),
        slider(a, Pmg, "F m by AT+JS", 8, 0, 9, 58, 12, 3),
        slider(a, Vdf, "Cutoff Value", 9, 0, 99, 59, 4, 1),
        slider(a, Vdf, "Keyb Trk Key", 10, 0, 127, 60, 6, 2),
        slider(a, Vdf, "KeybTrkAmou", 11, -99, 99, 61, 6, 1),
        slider(a, Vdf, "EG Intensity", 12, 0, 99, 62, 4, 2),
        slider(a, Vdf, "EG Time Kb Tr", 13, 0, 99, 63, 6, 4),
        slider(a, Vdf, "EGTimVelSen", 14, 0, 99, 64, 7, 3),
        slider(a, Vdf, "EG IntVelSens", 15, -99, 99, 65, 7, 1),
        slider(a, VdfEg, "Attack Time", 16, 0, 99, 66, 5, 0),
        slider(a, VdfEg, "Attack Level", 17, -99, 99, 67, 5, 1),
        slider(a, VdfEg, "Decay Time", 18, 0, 99, 68, 5, 2),
        slider(a, VdfEg, "Break Point", 19, -99, 99, 69, 5, 3),
        slider(a, VdfEg, "Slope Time", 20, 0, 99, 70, 5, 4),
        slider(a, VdfEg, "Sustain Level", 21, -99, 99, 71, 5, 5),
        slider(a, VdfEg, "Release Time", 22, 0, 99, 72, 5, 6),
        slider(a, VdfEg, "Release Level", 23, -99, 99, 73, 5, 7),
        slider(a, Vda, "Osc Level", 24, 0, 99, 74, 2, 2),
        slider(a, Vda, "Keyb Trk Key", 25, 0, 127, 75, 9, 2),
        slider(a, Vda, "KeybTrkAmou", 26, -99, 99, 76, 9, 1),
        slider(a, Vda, "AmouVelSens", 27, -99, 99, 77, 10, 1),
        slider(a, Vda, "EGTimeKbTrk", 28, 0, 99, 78, 9, 4),
        slider(a, Vda, "EGTimVelSen", 29, 0, 99, 79, 10, 2),
        slider(b, VdaEg, "Attack Time", 30, 0, 99, 80, 8, 1),
        slider(b, VdaEg, "Attack Level", 31, 0, 99, 81, 8, 2),
        slider(b, VdaEg, "Decay Time", 32, 0, 99, 82, 8, 3),
        slider(b, VdaEg, "Break Point", 33, 0, 99, 83, 8, 4),
        slider(b, VdaEg, "Slope Time", 34, 0, 99, 84, 8, 5),
        slider(b, VdaEg, "Sustain Level", 35, 0, 99, 85, 8, 6),
        slider(b, VdaEg, "Release Time", 36, 0, 99, 86, 8, 7),
        slider(b, Color, "Intensity", 37, 0, 99, 92, 4, 3),
        slider(b, Color, "Vel Sense", 38, -99, 99, 93, 7, 2),
        slider(b, Pan, "A:B PAN", 39, 0, 31, 95, 2, 5),
    };
    r[10].label = r[25].label = ParamLabel::Note;
    r[39].codec = K::PanAB;
    r[39].label = ParamLabel::PanAB;

    const std::vector<const char*> levels = {" 0", " 1", " 2", " 3", " 4", " 5", " 6", " 7", " 8", " 9"};
    const std::vector<const char*> modes = {" OFF", " LOW", " HIGH", " ALL"};
    r.push_back(list(a, Pmg, "Waveform", 0, {"TRIANGLE", "SAW UP", "SAW DOWN", "SQUARE", "RANDOM"}, 50, 0, 3, K::AsIs,
                     11, 1));
    r.push_back(list(b, Send, "C Send Level", 1, levels, 91, 4, 4, K::AsIs, 2, 6));
    r.push_back(list(b, Send, "D Send Level", 2, levels, 91, 0, 4, K::AsIs, 2, 7));
    r.push_back(list(b, Track, "VDF-1", 3, modes, 94, 0, 4, K::AsIs, 6, 3));
    r.push_back(list(b, Track, "VDA-1", 4, modes, 94, 4, 4, K::AsIs, 9, 3));
    // The polarity grid: a column per byte, a row per bit pair.
    struct Column {
        long pos;
        int group, first;
    };
    const Column columns[] = {{87, 6, 5}, {88, 7, 4}, {89, 9, 5}, {90, 10, 3}};
    for (int c = 0; c < 4; ++c)
        for (int k = 0; k < 4; ++k)
            r.push_back(list(b, PrgPolarityFrame, kPolarityRows[k], 5 + 4 * c + k, {" -", " 0", " +"}, columns[c].pos,
                             k, 1, K::Polarity, columns[c].group, columns[c].first + k));

    ParamRow sync = row(a, Pmg, "ON. Key sync", "OscCheck", 0, ParamCtl::Check, 0, 1, 50, 7, 1, K::AsIs, 11, 6);
    r.push_back(sync);
    return r;
}

// Oscillator 2's twin of a row of oscillator 1.
ParamRow osc2(ParamRow r) {
    const bool slider = r.kind == ParamCtl::HScroll;
    const bool check = r.kind == ParamCtl::Check;
    r.index += slider ? SliderCount : check ? 1 : ListCount;
    r.pos += Osc2Offset;
    r.osc = 2;
    r.page += 2;
    r.frame = osc2Text(r.frame);
    r.caption = osc2Text(r.caption);
    if (r.kind == ParamCtl::List && r.index == ListCount) r.items = {"TRIANGLE", "SAW UP ", "SAW DOWN ", "SQUARE", "RANDOM"};
    return r;
}
}  // namespace

const char* const PrgPolarityFrame = "EG Time Kbd Track, Vel Sw Polarity";

const char* PrgPolarityColumn(int column) { return kPolarityColumns[column]; }

int PrgPolarityCell(const ParamRow& row) {
    if (row.codec != K::Polarity) return -1;
    return (row.index % ListCount) - 5;
}

void PrgOscRows(std::vector<ParamRow>& rows) {
    const std::vector<ParamRow> one = osc1Rows();
    // Sliders of oscillator 1 then 2, lists of 1 then 2, the two check boxes.
    auto add = [&](ParamCtl kind) {
        for (const ParamRow& r : one)
            if (r.kind == kind) rows.push_back(r);
        for (const ParamRow& r : one)
            if (r.kind == kind) rows.push_back(osc2(r));
    };
    add(ParamCtl::HScroll);
    add(ParamCtl::List);
    add(ParamCtl::Check);
}
