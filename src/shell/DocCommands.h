#pragma once
// Save and Save As of the File menu, on the active child window's image.

// Save: back to the document's file; an untitled document, or one that only
// Save As may write (an import, the instrument's Global window), goes
// through Save As. A read-only document is never written back.
void mnuSalva_Click();
// Save As: a new file for the document; the window then names it, its slot
// record follows it, and an import's file joins the recent files.
void mnuSalvaAs_Click();

// Registers the commands (InstallShell).
void InstallDocCommands();
