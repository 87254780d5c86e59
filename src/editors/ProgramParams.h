#pragma once
// The program editor's parameter table: one row per value control of the
// current program (PrgRec), in the order the editor is filled, and the
// rows of each control array by index.
#include <array>
#include <string>
#include <vector>

#include "editors/ParamRow.h"

// Pages of the editor's tab control.
enum class PrgPage { Basic = 0, Osc1a, Osc1b, Osc2a, Osc2b, Effects };
constexpr int PrgPageCount = 6;
const char* PrgPageCaption(PrgPage page);
// The frames of a page, in their place order.
const std::vector<std::string>& PrgPageFrames(PrgPage page);
inline PrgPage PrgPageOf(const ParamRow& row) { return static_cast<PrgPage>(row.page); }

struct PrgParamTable {
    std::vector<ParamRow> rows;                  // every row, in the order the editor is filled
    std::array<const ParamRow*, 3> BasVScroll{}; // the multisample bars of oscillators 1 and 2
    std::array<const ParamRow*, 18> BasHScroll{};
    std::array<const ParamRow*, 10> BasCombo{};
    const ParamRow* BasCheck = nullptr;
    // The oscillator pages: 0-39, 0-20 and 0 oscillator 1; 40-79, 21-41 and 1 oscillator 2.
    std::array<const ParamRow*, 80> OscHScroll{};
    std::array<const ParamRow*, 42> OscCombo{};
    std::array<const ParamRow*, 2> OscCheck{};
    std::array<const ParamRow*, 5> EffCombo{};
    std::array<const ParamRow*, 2> EffCheck{};
    // Sliders 4-7 as the four return levels of "PARALLEL 3"; under any other
    // placement sliders 5 and 7 are the output pans of EffHScrollPan.
    std::array<const ParamRow*, 8> EffHScroll{};
    std::array<const ParamRow*, 8> EffHScrollPan{};  // 5 and 7
};
const PrgParamTable& ProgramParams();

// The oscillator pages' rows, oscillator 1 then 2, added in fill order.
void PrgOscRows(std::vector<ParamRow>& rows);
// The frame of the polarity grid (on both "b" pages), the caption of each
// of its four columns, and a row's cell in it (column * 4 + row; -1: none).
extern const char* const PrgPolarityFrame;
const char* PrgPolarityColumn(int column);
int PrgPolarityCell(const ParamRow& row);
// Appends the EFFECTS page's rows to the table's rows.
void PrgEffectRows(std::vector<ParamRow>& rows);

// The performance editor's sliders: each a relative row over rows of the
// program editor. Its own value is no parameter (only the direction of a
// move counts); a move steps each program row it moves by the slider's
// step, and that row stores and sends the value: an oscillator slider (those
// of oscillator 2 only in a two-oscillator program), or for slider 7 an
// effect's balance, whose byte is written into the byte after it too.
struct PerfMove {
    const ParamRow* row;  // ProgramParams().OscHScroll[k] or EffHScroll[0 / 2]
    bool logged;          // its message is shown on the monitor
    bool pair;            // the byte after the row's takes the same value
};
struct PerfSlider {
    ParamRow row;  // "PerfVScroll" k, +10 at the top to -10, its position in "PerfLab" k
    int step;
    std::vector<PerfMove> moves;  // in the order they are made
};
const std::vector<PerfSlider>& PerfSliderMap();
