#pragma once
// The sound bank windows and the arrangement database: what the program
// installs of them at start.

// Registers the bank and kit windows under their names (before Main); the
// View menu's bank commands and the restore of the last run's bank windows
// reach them there.
void InstallBanks();
