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
};
const PrgParamTable& ProgramParams();
