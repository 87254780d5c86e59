#pragma once
// The settings file (Velmora.ini in the system folder): records of 250 bytes,
// 1-based positions, one-byte values as the byte itself, Booleans 1/0,
// 16-bit values high byte first, window coordinates stored plus 16000.
//
// Record 1: signature (1-9), options, keyboard settings, mode, the 20 window
// entries of kinds 1-18, 32 and 35 (51-230) and the 11 MIDI channels
// (240-250). Record 2: the window entry of kind 34. Records 3 and 4: DirLast
// and DirLastPrg. Records 6-13/50, 14-21/48, 22-29/49: program, arrangement
// and style slots 1-8/9. Records 30-31: the Global block. Records 40-47: the
// recent files. Everything else is kept as it was read.
#include <string>

#include "app/state.h"
#include "platform/Files.h"

constexpr int IniRecLen = 250;
// Every settings file the program writes holds records 1-50 (slot 9 of the
// style table, record 49, and of the program table, record 50, are always
// written); a shorter file was cut off and is not trusted.
constexpr int IniRecCount = 50;
inline constexpr const char* IniSignatureText = "Velmora30";

// One window entry (9 bytes): Top+16000, Left+16000, Height, Width (all
// high byte first) and the state byte; Top and Left are clamped to
// -16000..16000 first. For kinds 4-10 the state byte is channel*16 + state.
std::string IniWinEntryEncode(int kind, const WinState& w);
void IniWinEntryDecode(int kind, const std::string& entry9, WinState& w);

// The window kinds record 1 keeps, in their order (entry n at 51 + 9n).
inline constexpr int IniWinKinds[20] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 32, 35};

// Reads a settings image into the shared state. False (state untouched)
// when the image is shorter than 50 records, carries another signature or
// names no language: the start-up then runs as a first run.
bool IniImageParse(const std::string& img);
// The settings image to write at exit: `old` (the file as it is now, may be
// empty) with every position the program keeps overwritten from the shared
// state. The signature is always ours.
std::string IniImageBuild(const std::string& old);

// The first-run values: options, mode, channels, keyboard settings, window
// entries (standard sizes, the frame maximised), folders, no recent files,
// no open slots. LangSel is left to the language window.
void IniDefaults();

// Whole-file access to IniFile. IniRead: false for a first run (missing,
// foreign or damaged file); file errors other than "missing" are reported.
bool IniRead();
// Writes the settings (atomically); a failure is reported and returned.
FileError IniWrite();
