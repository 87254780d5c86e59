#pragma once
// What a style window shows and keeps, read from bytes: its image, which rows
// name a style, and the group a row belongs to. The window calls them.
#include <string>

// The image of a style window: header, path or title, the row table, then the
// style file whole. Kind 23 (a style file): the read-only choice, the slot,
// the state of its record and the marks of a window made by an i30 import.
// Kind 24 (a new document): its number n in the slot place, untitled.
std::string StyUNImageNew(int kind, const std::string& file, const std::string& path, int slotOrNumber, int rdOnly,
                          int openState, bool importing);

// The title of the new document n: "Untitled (n)".
std::string StyNewTitle(int n);

// Whether a list row names a style (its code, two blanks and a name), as the
// style picker and the Load Style command need: not a separator, not a code
// alone, and not the template's placeholder "- empty -".
bool StyRowNamesStyle(const std::string& row);

// The groups a send of the whole document sends, 0-4: up to the group of the
// last style that has a name other than the template's "- empty -".
int StyGroupsInUse(const std::string& block);

// The group a list row sends from the menu: four styles and a separator a
// group; no selection (-1) is group 0.
inline int StyRowGroup(int row) { return row < 0 ? 0 : row / 5; }
