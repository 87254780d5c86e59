#pragma once
// Opening a file into a document window, and what follows a Save As: one
// procedure each, for every menu command, recent file, restore stage,
// import and companion window.
//
// Each document family is declared once (Documents.cpp): its window kind,
// the extensions of its files, its slot table, its reader, the globals its
// window's load reads, its Open command. The windows themselves come from
// the window families the window folders register (RegisterWindowFamily).
#include <functional>
#include <string>

#include "app/Links.h"

class ChildForm;
class DocumentT;

// How a file is to come into its window.
struct OpenRequest {
    std::string path;          // the file, extension included
    int readOnly = 0;          // 1: the window opens it read-only
    int slot = 0;              // 0: the first free slot of the family
    // A reopened window comes back at its last place and size (Top, Left,
    // Height, Width in twips; no size stored: the standard one).
    bool placed = false;
    int top = 0, left = 0, height = 0, width = 0;
    bool minimised = false;
    // The family's buffer holds the file already (the open dialog or an
    // import read it): no reader runs.
    bool alreadyRead = false;
    bool recent = true;        // the file goes into the recent files
    bool loadPrograms = true;  // arrangement files: the window loads its programs once
    bool companion = false;    // style files: opened as an arrangement window's companion
    bool quiet = false;        // a held or missing file is passed over without a message (restore)
    // Program files: the same name with the other extension is read when
    // the named file is missing or unusable. A reopened window reads its own
    // file only: the twin may be a file that was open read-only.
    bool twin = true;
    std::string title;         // the title of its boxes ("Opening " and the name when empty)
};

// Opens the request's file in a new window of the family: refuses a file
// that another window holds ("File already open"), a name the path field
// cannot keep, or an extension not the family's; reads the file; takes the
// slot (a stale open mark of that slot goes); sets what the window's load
// reads; shows the window; turns the Open command off when the family is
// full; adds the recent entry.
// True when the window opened; when not, every reason but a full family or
// a missing window set has been shown.
bool OpenDocument(WinFamily family, const OpenRequest& request);
// The Open command of a family: the open dialog, then OpenDocument with the
// file it read and the read-only choice made in it.
bool OpenFromDialog(WinFamily family);
// File > Open Sty, Open Bsq, Open Prg, Open Gbl, New Prg.
void mnuApriSty_Click();
void mnuApriBSQ_Click();
void mnuApriPrg_Click();
void mnuApriGbl_Click();
void mnuNuovoPrg_Click();
// A recent-files entry (1-8) reopened in a window of its kind, at its last
// place and size.
void mnuRecentFile_Click(int Index);
// After an arrangement file opened (ArrDir, ArrName): with ApriPrgOpt set,
// its program file of the same name in a new program window, unless a
// window holds it already or it does not exist.
void ArrPathFindOpen();
// Whether the family's window set is in the program and a slot is free.
bool DocumentCanOpen(WinFamily family);
// The family's Open command is turned off when no slot is left.
void DocumentFamilyFull(WinFamily family);
// The family whose files carry the extension (any letter case); false for
// none.
bool FamilyOfExtension(const std::string& ext, WinFamily& family);
// The family's File > Open item.
MenuId FamilyOpenItem(WinFamily family);
// The family of a window kind (19 ArrU, 20 ArrNew ...); false for kinds
// that are no document.
bool FamilyOfKind(int kind, WinFamily& family);

// After a completed Save As of the window (its image already holds the new
// path): the slot record's path and program type, the caption, the recent
// entry. The registry follows the image by itself.
void DocumentSavedAs(ChildForm& window);
