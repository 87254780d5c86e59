#pragma once
// What the arrangement and style bank windows show, read from bytes: the
// style box of an arrangement bank, the number of a bank arrangement, the
// rows of a style bank and a bank style given to the edited arrangement.
#include <string>
#include <vector>

// The factory styles the bank's arrangements use, each once, in order of
// first use, as their 16-character names stand (trailing blanks kept). A
// number beyond the 128 styles has no name and no entry.
std::vector<std::string> ArrBankStyleEntries(const std::string& image);
// The style box's text for bank arrangement i: the untrimmed name, or the
// number of a style that has no name.
std::string ArrBankStyleText(const std::string& image, int i);
// The arrangement's number as the bank window shows it: " 111".." 188" for
// bank A (kind 2), " 211".." 288" for bank B (kind 3).
std::string ArrBankIdText(int kind, int i);
// The bank's name for the main window's label: the row less its code and
// the two characters after it, trailing blanks removed.
std::string ArrBankLabelText(const std::string& row);

// Row i of style bank A (kind 17) or B (kind 18): the code, two blanks and
// the whole 16 characters of factory style i (64 + i for bank B).
std::string StyBankRow(int kind, int i);
// The style number of row i of a style bank: i, or 64 + i for bank B.
int StyBankStyle(int kind, int i);
// The editor's label for it: "Style (A11)" .. "Style (B88)".
std::string StyBankLabel(int kind, int i);
