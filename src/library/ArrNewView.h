#pragma once
// What the new arrangement window starts from and shows: its document (the
// bank A file with its arrangements cleared), its image, and whether any of
// its positions holds an arrangement. Plain functions over bytes.
#include <string>

// The bank A file with all 64 arrangement records zeroed; its header stays.
std::string ArrNewDocument(const std::string& bankFile);

// The title of the untitled document of a slot: "Untitled (3)".
std::string ArrNewTitle(int slot);

// The image of a new window: kind 20, untitled, its slot and title, the
// document at 271, every row table entry code 0 with its position code, a
// blank companion area, and the style groups appended (position 9 marks them
// as the template when they begin with "KORG").
std::string ArrNewImage(const std::string& document, const std::string& styleGroups, int slot);

// Whether any list row holds an arrangement (its text longer than its code).
bool ArrAnyRowHolds(const std::string& image);
