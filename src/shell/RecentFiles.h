#pragma once
// The recent files of the File menu: reopening an entry, and the entries'
// enabled state.

// Reopens the file of entry Index (1-8) in a window of its kind, with no
// dialog, at the entry's place and size; the list stays as it is.
void mnuRecentFile_Click(int Index);
// Each entry enabled exactly while the Open command of its kind is (the
// File menu is about to open).
void RecentFilesEnable();

// Registers the command (InstallShell).
void InstallRecentFiles();
