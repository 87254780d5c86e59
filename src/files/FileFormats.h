#pragma once
// The instrument's file formats: sizes, headers and the checks every reader
// applies, plus the builders of the bank and template files the program
// ships in its start folder. Pure functions over byte strings.
#include <string>

// ---- Sizes ----------------------------------------------------------------

constexpr long ArrFileLen = 10528;      // 32-byte header + 64 x 164
constexpr long ArrHdrLen = 32;
constexpr long ArrBlkLen = 164;
constexpr long PrgFileLen = 30480;      // 48-byte header + 64 x 172 + bank data
constexpr long PrgHdrLen = 48;
constexpr long PrgBlkLen = 172;
constexpr long StyHdrLen = 224;         // head and size table of a style block
constexpr long StyTemplateLen = 4928;   // the style template: four empty styles
constexpr long StyEmptyItemLen = 1176;  // one empty style: name and data
constexpr long StyRecLen = 32200;       // records in which style files are read
// The largest style files: the header and sixteen items of the largest size
// an entry can give (three tables of sixteen in an i30 file).
constexpr long StyMaxLen = StyHdrLen + 16 * 65535L;
constexpr long StyI30MaxLen = StyHdrLen + 3 * 16 * 65535L;
constexpr long StyGroupLimit = 65496;   // a group of four must stay below this
constexpr long GblFileLen = 448;
constexpr long BsqMinLen = 2338;        // header, sequence blocks and track table, no events
constexpr long BsqDataStart = 2339;     // the first event slot
constexpr long BsqMaxLen = 90000;
constexpr long DBArrLen = 27221;
constexpr long ArrI30Len = 21024;       // header + 128 arrangements (banks A and B)
constexpr long PrgI30Len = 30480;       // header + two banks of 64 programs
constexpr long ArrI5Len = 9056;
constexpr long PcgI5Len = 14255;

// ---- Headers --------------------------------------------------------------

std::string ArrMagic();     // "KORG" 4Dh 00h 03h (the 7 bytes checked)
std::string StyMagic();     // "KORG" 4Dh 00h 04h 01h
std::string StyI30Magic();  // "KORG" 49h 05h 04h 00h
std::string GblMagic();     // "KORG" 4Dh 00h 06h 01h
std::string DBArrSignature();  // "i40DBArr"
// The header the backing-sequence reader compares: "KORG" 4Dh 00h 05h.
std::string BsqMagicBytes();

// The native arrangement file header (32 bytes).
std::string ArrNativeHeader();
// The native program file header (48 bytes): "KORG" 4Dh 00h 00h 01h, channel 0.
std::string PrgNativeHeader();
// The native style header (224 bytes) with every size 0.
std::string StyNativeHeader();
// Rewrites bytes 1-22 and 87-224 of a style file as the native header
// (the size table's first 62 bytes stay).
void StyHeaderRewrite(std::string& f);

// ---- Checks (true: the file is usable) ------------------------------------

bool ArrFileCheck(const std::string& f);
// 0 not a program file, 1 ".prg" ("KORG"), 2 ".pgg" ("KPGG").
int PrgFileType(const std::string& f);
// The style file check: the magic (the i30 one when `i30`), 224 bytes to the
// largest style file, and (native files) the 16 item sizes adding up to no
// more than the data after the header.
bool StyFileCheck(const std::string& f, bool i30 = false);
bool GblFileCheck(const std::string& f);
bool BsqFileCheck(const std::string& f);
bool DBArrCheck(const std::string& f);
bool ArrI30FileCheck(const std::string& f);
bool PrgI30FileCheck(const std::string& f);

// ---- Start-folder files ---------------------------------------------------

// Bank file A (bank 0) or B (bank 1): 64 arrangements "Arrangement A11" ..
// "Arrangement B88", each on the factory style of its own position.
std::string ArrBankImage(int bank);
// The program template: header and 64 empty programs.
std::string PrgTemplateImage();
// One empty style item: the name "- empty -" and blank style data.
std::string StyEmptyItem();
// The style template: four empty styles, 4928 bytes.
std::string StyTemplateImage();

// A name field of `len` bytes at `pos`: the name ends at its first zero
// byte, and the field is blank-padded from there.
std::string NameField(const std::string& img, long pos, long len = 16);

// Row code of entry i (0-63) of a 64-entry list: "11".."18", "21".."88".
std::string RowCode(int i);
