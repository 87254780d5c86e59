#pragma once
// The Import commands of the File menu: files of the older models opened as
// documents of this program, each in a new window whose document is saved
// only through Save As. While a command runs its import flag is up, so that
// the open dialog reads the file with the import's reader and the window's
// load marks the document; the flag is down again however the command ends.

// i30 arrangement file: banks A and B in two arrangement file windows.
void mnuImportaArri30_Click();
// i30 program file: its two banks in two program file windows. Needs the
// program windows (off while none is in the program).
void mnuImportaPrgi30_Click();
// i30 style file: one style file window per group of styles that holds any.
void mnuImportaStyi30_Click();
// Files of the old i-series: their data format is not known, so the
// commands only say that they cannot be converted.
void mnuImportaArri5_Click();
void mnuImportaPcgi5_Click();

// Whether the program import can run: the program windows are there.
bool PrgImportAvailable();

