#pragma once
// The arrangement editor's parameter table: one row per stored control of
// the current arrangement (ArrRec), in the order the editor is filled, and
// the rows of each control array by index.
#include <array>
#include <string>
#include <vector>

#include "editors/ParamRow.h"

// The editor's two pages.
enum class ArrPage { General = 0, Tracks };
// The frame captions of each track (0 Drum .. 8 LOWER).
const char* ArrTrackFrame(int t);
// The label of a PAN slider value: "OFF", "L15".."L1", "CNT", "R1".."R15", "PRG".
std::string ArrPanText(int v);

struct ArrParamTable {
    std::vector<ParamRow> rows;                 // every row, in fill order
    std::array<const ParamRow*, 10> Combo1{};   // no row for 5, the variation shown
    std::array<const ParamRow*, 10> Check1{};
    std::array<const ParamRow*, 1> HScroll1{};  // the split point (1, the variation value, is the editor's own)
    std::array<const ParamRow*, 2> EffCombo{};
    std::array<const ParamRow*, 19> VScroll1{};
    std::array<const ParamRow*, 54> Combo2{};
    // Outside the fill order, the editor's own: the variation shown
    // (Combo1 5, storing nothing) and its value (HScroll1 1), which is the
    // byte 30 + the variation shown.
    ParamRow Variation, VariationValue;
};
const ArrParamTable& ArrCtrlMap();
