#pragma once
// The recent files of the File menu: reopening an entry, and the entries'
// enabled state.

#include "documents/Documents.h"   // mnuRecentFile_Click

// Each entry enabled exactly while the Open command of its kind is (the
// File menu is about to open).
void RecentFilesEnable();

// Registers the command (InstallShell).
void InstallRecentFiles();
