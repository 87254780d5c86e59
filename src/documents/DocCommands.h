#pragma once
// Save and Save As of the File menu, on the active child window.

// Save: back to the document's file; an untitled document, or one that only
// Save As may write (an import, the instrument's Global window), goes
// through Save As. A read-only document is never written back.
void mnuSalva_Click();
// Save As: a new file for the document; the window then names it, its slot
// record and the recent files follow it. The banks and the instrument's
// Global window write their data to a file and stay what they are.
void mnuSalvaAs_Click();
