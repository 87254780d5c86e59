#pragma once
// Style blocks and style groups: the names and sizes of the sixteen styles of
// a style file or of a window's style part, the groups in use, and the
// insertion and removal of single styles that paste and cut need.
//
// Where a style goes and how the others follow:
// - A style item is free when its size is 0 or its name is "- empty -" (the
//   template's placeholder style).
// - A style is inserted in place of one free item: the bytes of the later
//   items move by the difference in size, but every item keeps its number, so
//   the arrangements' user-style numbers (arrangement byte 18) stay valid.
//   Pasting styles into a style window fills the item of the chosen row;
//   an arrangement pasted with its user style reuses an identical style that
//   is already there, else takes the first free item, and its byte 18 is set
//   to that item's number.
// - The insertion is refused when no free item is left (message 82) and when
//   the group of four would reach 65496 bytes (message 119).
// - A removed style becomes the placeholder "- empty -" again, keeping the
//   numbers of all others. When a whole group has become free it shrinks: the
//   first group back to the template's four placeholders, the others to four
//   items of size 0.
#include <array>
#include <string>

#include "app/StyleBlock.h"   // StyBlkSize, StyBlkPos

// Position of the style part in a window image (StyPartPosOf its kind).
long StyPartPos(const std::string& image);
// The style part of an image ("" when the image has none).
std::string StyPartOf(const std::string& image);
// Replaces the style part of an image (the image is cut or grown to fit).
void StyPartSet(std::string& image, const std::string& part);

// The name of item k: its 16 characters up to the first zero byte, trailing
// blanks removed; "" for an
// item of size 0 and when its position lies beyond the block.
std::string StyBlkName(int k, const std::string& block);
// Name of item i (0-15) of the image's style part; "-empty-" when image
// position 9 is 0.
std::string StyItemName(int i, const std::string& image);
// Groups in use, 0-4: the group of the last style that is neither "- empty -"
// nor nameless. 0 for an image without a style part (position 9 = 0) except
// the style windows, whose part always counts as four groups.
int StyGrpCount(const std::string& image);

// ---- Insertion and removal ------------------------------------------------

enum StyEditStatus { StyEditOk = 0, StyEditNoRoom = 82, StyEditGroupFull = 119 };

// The item (name and data) of style k; "" when it is empty or out of bounds.
std::string StyItemBytes(int k, const std::string& block);
bool StyItemFree(int k, const std::string& block);
int StyFirstFree(const std::string& block);         // -1 when none
int StyFindItem(const std::string& block, const std::string& item);  // -1 when none
// Puts `item` into free item k. The block is unchanged unless StyEditOk.
StyEditStatus StyItemPut(std::string& block, int k, const std::string& item);
// Makes item k free again (see above).
void StyItemRemove(std::string& block, int k);

// ---- The style window's list ----------------------------------------------

// The 19 rows of a style list (rows 4, 9, 14 are " " separators), the size
// boxes of the 16 styles and the 4 groups, whether each group can be sent
// (its total is at least 1) and the total length of the block.
struct StyListView {
    std::array<std::string, 19> rows;
    std::array<std::string, 16> itemSizes;
    std::array<std::string, 4> groupSizes;
    std::array<bool, 4> groupSendable{};
    std::string total;
};
StyListView StyListOf(const std::string& block);
// Style number of a style-list row, -1 for a separator or a row out of range.
int StyRowItem(int row);
int StyItemRow(int item);

// ---- i30 style files ------------------------------------------------------

// Splits an i30 style file into the native style file of each non-empty
// group, in order (up to three), into out[0..count-1]. False, with count 0,
// when the file is shorter than its header or its size tables point beyond
// its end.
struct StyI30Group {
    int group;
    std::string image;
};
bool StyI30Split(const std::string& file, std::array<StyI30Group, 3>& out, int& count);
