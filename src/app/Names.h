#pragma once
// The instrument's name tables and the small formatting procedures built on
// them: program, kit, style and multisample names, the pedal-function order
// of the Global data, note names, arrangement numbers, track programs.
#include <array>
#include <string>

// Fills PrgRomNames, DrumKitNames and StyRomNames from the name
// lists of data/names built into the program (one name a line, blank-padded
// to 16 characters; entries a list lacks get a name made from the position).
void NameTablesFill();

// ---- Multisample names ------------------------------------------------------
// The file i40Multisample (start folder) holds the 519 entries of 15 bytes
// ("NNN" + 12-character name), entry k at byte 15k, 7785 bytes in all, each
// byte scrambled: stored = plain XOR ((0xA5 + 31 * i) mod 256), i being the
// byte's offset in the file. The transform is its own inverse.
constexpr int MultisampleCount = 519;
constexpr int MultisampleEntryLen = 15;
constexpr int MultisampleFileLen = MultisampleCount * MultisampleEntryLen;
std::string MultisampleScramble(const std::string& bytes);
// The file image for 519 entries (each cut or blank-padded to 15 bytes).
std::string MultisampleFileImage(const std::array<std::string, 519>& names);
// The entries of the built-in list (data/names), "000Multisample " ...
std::array<std::string, 519> MultisampleDefaultNames();
// Entries from a file image; false (and the defaults) for a short image.
bool MultisampleNamesParse(const std::string& image, std::array<std::string, 519>& out);
// Reads MultisampleFile into MultisampleNames; a missing, unreadable or short
// file gives the default names.
void MultisampleNamesLoad();

// ---- Formatting -------------------------------------------------------------
// "C-1" for 0, "C4" for 60, "G9" for 127.
std::string NoteName(int note);
// "A11".."A88" for 0-63, "B11".."B88" for 64-127.
std::string ArrNumName(int n);
// The program of track t (0-8) of arrangement i (0-63) in an arrangement
// window image: bank letter and number ("A11"), a blank and the name;
// "F11 User" for user programs, "Dr11" and the kit name for drum kits, ""
// for an unknown bank.
std::string PrgNameOfTrack(const std::string& image, int i, int t);
