#pragma once
// Cut, Copy and Paste of the Edit menu: the program's own clipboard of whole
// window images (ClipBuf), never the system clipboard. They work on the
// active child window; the window then shows its image again (its
// ImageChanged) and the menus follow (MenuAgg).

// Copy: the window's image with its list's rows and selection marks.
void mnuCopia_Click();
// Cut: Copy, then the selected rows emptied. The Delete keys of the
// document windows call it too.
void mnuTaglia_Click();
// Paste: the clipboard's marked rows from the selected row on.
void mnuIncolla_Click();

// Registers the three commands, and keeps Ctrl+C, Ctrl+Z and Ctrl+V on a
// document window's list for them (InstallShell).
void InstallEditCommands();
