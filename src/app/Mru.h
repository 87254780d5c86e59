#pragma once
// The recent-files list (MruTable, entries 1-8) and its File-menu captions.
#include <string>

// Kind of a recent-files entry from an extension ("arr" 1, "sty" 2, "prg" 3,
// "pgg" 4, "gbl" 5, "bsq" 6; 0 for anything else), and back.
int MruKindOfExt(const std::string& ext);
std::string MruExtOfKind(int kind);
inline bool MruEmpty(int kind) { return kind == 0 || kind == 32; }

// Adds a file (path with extension, read-only 0/1): when the same path and
// kind are listed, that entry only takes the read-only flag; else the first empty entry, or with all eight
// used, the list moves down and the file becomes entry 1. New entries have
// Top 0, Left 0 and the standard size of their window. Refreshes the menu.
void MruAdd(const std::string& pathWithExt, int readOnly);
// Stores a closing window's geometry in the entry of its image's path and
// kind (image positions 21-258 and 1); nothing when there is none.
void MruStorePos(const std::string& image, int top, int left, int height, int width);
// "&i path.ext"; when that is longer than 35 bytes, "&i ..." and as much of
// the end of path.ext as fits in 35 (never half a UTF-8 character).
std::string MruCaption(int i);
