#pragma once
// The sound banks, program library and arrangement database: what the
// program installs of them at start.

// Registers the windows, procedures and links of this folder (before Main).
void InstallBanks();
