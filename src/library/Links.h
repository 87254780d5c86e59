#pragma once
// What the library windows reach of the windows that own the arrangement
// editor and the arrangement database. Each interface has do-nothing
// defaults, in place until its window registers (RegisterLink, or a
// LinkRegistration member that goes with the window).
#include <string>

#include "app/Links.h"

// Registered by the arrangement editor for the whole run (IsLinked offers
// Edit in the arrangement windows).
class EditorLinkT {
public:
    virtual ~EditorLinkT() = default;
    // The arrangement `index` (0-63) of a window image becomes the current
    // record ArrRec (with its style name, track programs, owning window, path).
    virtual void arrRecBuild(const std::string& /*image*/, int /*index*/) {}
    // Writes the current record back into the window it came from and clears
    // ArrModified: true. When it cannot (the window read-only or closed) the
    // user has been told why: false.
    virtual bool arrRecStore() { return false; }
    // Fills the editor's controls from ArrRec without sending anything.
    virtual void editArrFill() {}
    // Assigns the style of list row `row` of a style window image to ArrRec
    // and marks it changed.
    virtual void editArrStyAssign(int /*row*/, const std::string& /*image*/) {}
    // Assigns sound `n` (list index) of a program bank, kit or program file
    // window image to the selected track of ArrRec, marking it changed; true
    // when it assigned.
    virtual bool editArrPrgAssign(int /*n*/, const std::string& /*image*/) { return false; }
    // Shows the editor, modeless.
    virtual void show() {}
    // Unloads the editor: it asks its own question and sets SaveCancelled
    // when that was cancelled.
    virtual void unload() {}
    virtual std::string caption() { return {}; }
};

// Registered by the arrangement database.
class DatabaseLinkT {
public:
    virtual ~DatabaseLinkT() = default;
    // The number (3-999) of an arrangement file, given its path without the
    // extension; 0 when the database does not list it or is not there.
    virtual int dbArrLookupID(const std::string& /*path*/) { return 0; }
    // Enters the file ArrDir/ArrName in the database (window kind 19, 20).
    virtual void dbArrAdd(int /*kind*/) {}
};

inline EditorLinkT& EditorLink() { return Linked<EditorLinkT>(); }
inline DatabaseLinkT& DatabaseLink() { return Linked<DatabaseLinkT>(); }
