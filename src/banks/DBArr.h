#pragma once
// The arrangement database on disk: the lookup of a file's number, the add
// and the update the main window's commands run, the editor's Add all and
// Delete, and the opening of a numbered file. Every change reads the file,
// changes a copy and writes it whole; DBArrImage only ever holds an image
// just read or written, or nothing while the open editor found no usable
// database.
#include <string>
#include <vector>

// The number (3-999) of an arrangement file given as folder/name without
// extension; 0 when it is not numbered or there is no usable database. Reads
// the file unless the editor is open; never shows a message.
int DBArrLookupID(const std::string& path);
// Numbers the file ArrDir/ArrName (window kind 19); ArrDBID its number, 0
// when it has none. Offers to create the database when there is none.
void DBArrAdd(int kind);
// Removes every entry whose file is gone or is not an arrangement file.
void DBArrAggiorna();

// Add all: numbers every arrangement file of the working folder. Titles its
// messages "Opening i40DBArr".
void DBArrAddAll();
// Removes the entry of file ID `id` named `name` (without ".arr") when the
// file still holds it; false when nothing was written (`title` titles a
// failure).
bool DBArrDelete(int id, const std::string& name, const std::string& title);

// The file of an entry: "<folder>/<name>.arr" spelled as stored when it
// exists, else the one file of the folder whose name differs only in case;
// "" when neither is there.
std::string DBArrEntryFile(const std::string& folder, const std::string& name);

// Opens the numbered file <folder>/<name>.arr in an arrangement window.
// When a window shows it already: with `reopen` the file is read, the window
// closed through its own question and the file opened again (a find), else
// that window comes forward. `find` sets FindIDPending just before the
// window opens. Messages are titled `title`. True when a window shows it.
bool DBArrOpenFile(const std::string& folder, const std::string& name, const std::string& title, bool reopen,
                   bool find);

// A sound image just read or written becomes the program's copy; the open
// editor follows it.
void DBArrTook(const std::string& img);
// The open editor rebuilds its list when DBArrImage is not the image it was
// built from (the editor's file).
void DBArrEditorRefresh();
// The three database commands of the main window enabled, except those of
// a window that is open.
void DBArrMenusOn();

// Registers the database's windows, its update and its link (before Main).
void InstallDatabase();
