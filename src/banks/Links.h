#pragma once
// What the program file windows reach of the program and performance
// editors. The link has do-nothing defaults, in place until the editor
// registers (RegisterLink, or a LinkRegistration member that goes with the
// window); while nothing is registered there is no editor, and the windows
// keep their Edit commands off.
#include <string>

#include "app/Links.h"

class ChildForm;

class ProgramEditorLinkT {
public:
    virtual ~ProgramEditorLinkT() = default;
    // Program `index` (0-63) of a program window, as its image holds it
    // now, becomes the current record PrgRec (with the window's kind and
    // slot and its file).
    virtual void prgRecBuild(ChildForm* /*window*/, int /*index*/) {}
    // Fills the program editor's controls from PrgRec without sending anything.
    virtual void editPrgFill() {}
    // Shows the program editor, modeless.
    virtual void show() {}
    // Unloads the program editor and the performance editor; each asks its own
    // question and answers whether its window went (false: cancelled).
    virtual bool unload() { return true; }
    virtual bool unloadPerf() { return true; }
    virtual std::string caption() { return {}; }
    virtual std::string perfCaption() { return {}; }
    virtual void setPerfCaption(const std::string& /*text*/) {}
    // Captions the performance editor "Edit Performance  " with the current
    // record's file and program names.
    virtual void perfRecaption() {}
};

inline ProgramEditorLinkT& ProgramEditorLink() { return Linked<ProgramEditorLinkT>(); }
