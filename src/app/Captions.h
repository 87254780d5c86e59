#pragma once
// Window captions and the mode display.
#include <string>

// The caption of a child window, from its image header (1 kind, 2 read-only,
// 15 slot (9: the instrument's user bank), 16 channel of bank windows, 19
// program-file type) and its path or title (21-258). A document's file is
// named as it lies on disk ("File Arr - SONG.ARR (1)").
std::string DocCaptionBuild(const std::string& image);

// Mode names: 0 "ARR PLAY", 1 "SONG PLAY", 2 "GLOBAL", 3 "BACK.SEQ.", 4 "PROGRAM".
std::string ModeName(int mode);
// Shows ModeNow in the main window (label and mode menus); sends nothing.
void ModeDisplaySet();
