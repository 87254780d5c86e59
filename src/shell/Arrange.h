#pragma once
// Window > Cascade and Edit > Maximize: the program's own arrangement of
// its child windows, walked from its window tables.

// Places every open, not minimised child diagonally from the top left
// corner, family by family, and keeps each placed position in the window's
// record; the last one placed ends on top.
void mnuWCascade_Click();
// Gives the active window the standard size of its kind (normal first).
void mnuIngrandisci_Click();
// Registers both commands (InstallShell).
void InstallArrange();
