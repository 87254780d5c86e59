#pragma once
// Which loaded window holds which file: the one answer to "is this file open
// already?" for every open, reopen, import, save and companion window.
//
// Every document window registers itself while it is loaded. It answers with
// the files it holds at the moment of the question: its own file (for an
// import, its source until it is saved elsewhere; for a new document, the
// file it was saved as), and the companion files it loaded or would write
// (an arrangement file's style file). The slot tables stay what the settings
// file stores; they no longer say who holds a file.
#include <string>
#include <vector>

#include "app/Links.h"
#include "platform/Registration.h"

class ChildForm;

class DocumentT {
public:
    virtual ~DocumentT() = default;
    virtual ChildForm* docForm() = 0;
    virtual WinFamily docFamily() const = 0;
    virtual int docSlot() const = 0;
    // Paths with extension of every file the window holds.
    virtual std::vector<std::string> heldFiles() const = 0;
    // File > Save (and Save As with `as`): 0 saved.
    virtual int save(bool as) = 0;
    // Whether the window read the file or wrote it: a save may replace such a
    // file without asking. By default every file it holds.
    virtual bool readOrWrote(const std::string& path) const;
};

// Registers a loaded document window until the Registration goes.
Registration RegisterDocument(DocumentT* doc);
// The window that holds the file (path with extension), other than
// `except`; nullptr when none does.
DocumentT* HolderOf(const std::string& path, const DocumentT* except = nullptr);
// The window that holds the program file of `stemPath` (a path without
// extension): its .prg, else its .pgg; nullptr when none does.
DocumentT* ProgramFileHolder(const std::string& stemPath, const DocumentT* except = nullptr);
// Whether a save of `self` may write `path`, a file whose name the user did
// not give at this save (a companion file, or an extension other than the
// one typed): refused with "File already open" when another window holds it;
// when it exists and `self` never read or wrote it, written only when the
// user agrees to replace it. Boxes titled `title`. False: write nothing.
bool MayWriteUnnamed(const std::string& path, const DocumentT* self, const std::string& title);
// The registered document shown by a window; nullptr when it is none.
DocumentT* DocumentOf(const ChildForm* window);
// The registered window of a family and slot; nullptr when none.
DocumentT* DocumentIn(WinFamily family, int slot);
// The files a document window's image names: its own file (a program file
// under both extensions), and for an arrangement file window with styles of
// its own the style file it writes them to. Nothing for an untitled image.
std::vector<std::string> ImageFiles(const std::string& image);
// Whether two paths with extension name one file: the same folder and name,
// the extension in any letter case (the readers take "SONG.ARR" for
// "SONG.arr").
bool SameFile(const std::string& a, const std::string& b);
