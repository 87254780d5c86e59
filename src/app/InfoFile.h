#pragma once
// The info file (Telquorin in the system folder): one 1000-byte record that
// names the files last sent to the instrument: arrangement title at 51-100,
// style title at 101-150, program title at 151-200, blank-filled. Each title
// is the start of the file name (no folder, no extension), at most 24 bytes
// of whole characters, printable and on one line.
#include <string>

constexpr int InfoRecLen = 1000;
constexpr int InfoTitleLen = 24;

// Creates the file (1000 blanks) when it is missing or empty.
void InfoFileEnsure();
// Reads the titles into InfoArrTitle, InfoStyTitle and InfoPrgTitle (only
// their printable characters, on one line) and returns the style title; an
// empty file is deleted.
std::string InfoFileRead();
// Records the file of a window image as the one the instrument holds and
// shows it in the main window's status bar.
void InfoSetArr(const std::string& image);
void InfoSetSty(const std::string& image);
void InfoSetPrg(const std::string& image, const std::string& ext);
// The title the info file keeps for a file name (see above).
std::string InfoTitleOf(const std::string& fileName);
// Whether a window's file name is the one recorded (compared as stored).
bool InfoTitleIs(const std::string& infoTitle, const std::string& fileName);
