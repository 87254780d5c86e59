#pragma once
// The Global parameters: one row per control of a stored parameter (its
// name and index, its byte and bits in the Global window image, its codec,
// its list or range and what it shows for a byte it cannot show), the
// channel settings the MIDI page also edits, and the window image.
#include <array>
#include <string>
#include <vector>

#include "editors/ParamRow.h"

// The 80 stored parameters, in the order the editor is filled, and the rows
// of each control array by index.
struct GblParamTable {
    std::vector<ParamRow> rows;
    std::array<const ParamRow*, 2> GblHScroll1{};
    std::array<const ParamRow*, 20> GblCombo1{};   // no (4)
    std::array<const ParamRow*, 3> GblCheck1{};
    const ParamRow* GblOption1 = nullptr;
    std::array<const ParamRow*, 48> VScroll2{};
    std::array<const ParamRow*, 4> Combo3{};       // the stored ones; (4)-(14) are the channel settings
    std::array<const ParamRow*, 2> HScroll3{};
    const ParamRow* Check3 = nullptr;
};
const GblParamTable& GblParams();

// The program's channel settings, shown by Combo3(4)..(14): no image byte.
struct GblChannelRow {
    int index;            // of Combo3
    const char* caption;
    int* setting;
};
const std::array<GblChannelRow, 11>& GblChannelRows();
// The items of the channel lists: " 1" .. " 16".
const std::vector<const char*>& GblChannelItems();

// The image of a Global window of `slot` (0 the instrument's own, kind 14;
// 1-8 a file, kind 25) for the 448 bytes `data`, titled with `path` (a file
// slot), read-only as given.
std::string GblImageBuild(int slot, const std::string& data, const std::string& path, bool readOnly);
// The data bytes of a Global window image (448).
std::string GblImageData(const std::string& image);
// The image with its data replaced by `data`, unchanged since.
void GblImagePutData(std::string& image, const std::string& data);
// User scale k (0-3) back to 0 in every note; the image marked changed.
void GblScaleReset(std::string& image, int k);
