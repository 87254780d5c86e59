#pragma once
// The arrangement and style library windows: what the program installs of
// them at start, and the File-menu commands that open them.

// File > Open Arr: a free slot, the open dialog, the window, the recent files.
void mnuApriArr_Click();
// Registers the library's menu commands and window links (before Main).
void InstallLibrary();
