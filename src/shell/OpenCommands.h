#pragma once
// Open Prg, Open Gbl and New Prg of the File menu. Their windows register
// themselves (the program window link, the Global window family); while one
// is not in the program its commands are off and do nothing.

void mnuApriPrg_Click();
void mnuApriGbl_Click();
void mnuNuovoPrg_Click();

// Whether the program and Global windows are in the program.
bool PrgWindowsAvailable();
bool GblWindowsAvailable();
// Turns off the commands whose windows are not in the program (the end of
// the frame's load).
void OpenCommandsAvailable();

// Registers the commands (InstallShell).
void InstallOpenCommands();
