#pragma once
// The current arrangement (ArrRec, app/EditRecord.h): built from an
// arrangement window's image, stored back into it, and the texts the
// editor shows for it. The byte work is pure; ArrRecBuild and ArrRecStore
// add the windows.
#include <optional>
#include <string>

#include "app/EditRecord.h"

// The record of arrangement `index` (0-63) of an arrangement window image:
// its block, the style and user program names, where it came from and the
// file's name. Nothing for an index out of range or an image too short.
std::optional<std::string> ArrRecMake(const std::string& image, int index);
// The record becomes arrangement `index` of `image` (an arrangement window's
// own image: the record then goes back to that window).
void ArrRecBuild(const std::string& image, int index);
// Writes the arrangement back into the window it came from while that
// window is open; true when stored. A read-only or closed window is said so
// (the title is the editor's caption) and the record stays marked changed.
bool ArrRecStore();

// "Style (A11)", "Style (B88)" (a style kind other than 1 names the
// banks), "Style (U28)"; "Style (200)" for a number past the banks.
std::string ArrStyleLabel(int s, int k);
// What the two text fields of track t show: the program's name (16
// characters as the tables hold it) and its bank and number ("A 11").
struct ArrTrackText {
    std::string name, bank;
};
ArrTrackText ArrTrackTextOf(const std::string& rec, int t);
// The program name of entry `n` of factory bank `bank` (0-4 for A-E), 16
// characters; empty past the table.
std::string ArrRomProgram(int bank, int n);
std::string ArrKitName(int n);
// The editor's note names: "C4", "C4#" (the sharp after the octave).
std::string NoteNameText(int n);

// What a click in a list window gives the selected field.
struct ArrPrgAssignment {
    int program, bankKind;
    std::string name;  // 16 characters
    std::string bank;  // "A  11", "Dr  28"
};
// Sound `n` of a program bank, kit or program file window image; nothing
// for another window or a reference the instrument cannot have.
std::optional<ArrPrgAssignment> ArrPrgAssignOf(const std::string& image, int n);
struct ArrStyAssignment {
    int style, kind;
    std::string text;   // the clicked row less its number
    std::string label;  // "Style (U28)"
};
// List row `row` of a style bank or style file window image; nothing for
// another window, a separator or a row past the list.
std::optional<ArrStyAssignment> ArrStyAssignOf(const std::string& image, int row);
