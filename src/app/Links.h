#pragma once
// Interfaces that higher subsystems register so that the shared procedures
// can reach them without including them: the MIDI module for start-up and
// shut-down, the main window for the few things shared procedures set on
// screen, and the document windows and file readers by slot or kind.
//
// Each interface has a do-nothing default that is in place until something
// registers (tests, or the window not yet built), so callers just call.
// Whoever registers an object unregisters it before the object goes away;
// unregistering an object that is no longer the registered one does nothing.
#include <cstdint>
#include <functional>
#include <string>

#include "app/MenuIds.h"
#include "platform/Registration.h"

class ChildForm;

// Registered by the MIDI module.
class MidiLinkT {
public:
    virtual ~MidiLinkT() = default;
    // Opens the output and the input (first devices of the list). When
    // `share` is set, a sibling program holds the devices and `savedOut`
    // names its output: this program opens its own connection to that
    // device instead. Returns the output handle to record (0 on failure or
    // with no device; the MIDI module has then reported it and left MIDI off).
    virtual uint32_t openDevices(bool /*share*/, uint32_t /*savedOut*/) { return 0; }
    // Connects the input to the output at driver level (MIDI thru on).
    virtual void thruConnect() {}
    virtual void thruDisconnect() {}
    // Closes output and input.
    virtual void closeDevices() {}
    // The 16 bytes of the on-screen keyboard's settings for a first run.
    virtual std::string kbdDefaults() { return std::string(16, '\0'); }
};

// Registered by the main window.
class MainWindowLinkT {
public:
    virtual ~MainWindowLinkT() = default;
    virtual void setStatus(const std::string& /*text*/) {}      // status label Label1
    virtual void setBusyPointer(bool /*on*/) {}                  // hourglass on/off
    virtual void modeDisplay() {}                                // LabelMode and mode check marks from ModeNow
    virtual void setLabelArr(const std::string& /*text*/) {}
    virtual void setLabelSty(const std::string& /*text*/) {}
    virtual void setLabelPrg(const std::string& /*text*/) {}
    virtual void refreshRecentFiles() {}                         // mnuRecentFile entries
    virtual void enableMenu(MenuId /*item*/, bool /*enabled*/) {}
    virtual bool menuEnabled(MenuId /*item*/) { return false; }
    virtual std::string menuCaption(MenuId /*item*/) { return {}; }
    virtual ChildForm* activeChild() { return nullptr; }      // the active child window
    virtual void menuAgg() {}                                    // File, Edit and Window menus from the active child
    virtual std::string caption() { return {}; }
    virtual void show() {}                                       // shows frmMain (its load runs)
};

// Registered by the file readers.
class ProgramFileLinkT {
public:
    virtual ~ProgramFileLinkT() = default;
    // Reads a program file (path with extension, the other extension is tried
    // too) into the program file buffer; sets ExtCur. 0 .prg read, 4 .pgg
    // read, other values not read (the reader has said why; 3 with no reader).
    virtual int readProgramFile(const std::string& /*path*/) { return 3; }
};

// Registered by the arrangement and style windows, so that the shared window
// procedures can show and close them by slot or kind.
class ArrWindowLinkT {
public:
    virtual ~ArrWindowLinkT() = default;
    // Shows the arrangement bank window of kind 2 or 3, creating it on first use.
    virtual void showArrAB(int /*kind*/) {}
    // Unloads the arrangement file window of a slot (slot 9: the user bank).
    virtual void unloadArrU(int /*slot*/) {}
    // When the bank window of kind 2 or 3 exists: brings it forward (normal
    // again when minimised) and, for `pos` 0-63, selects that row alone and
    // runs its click. False when there is no such window.
    virtual bool selectArrAB(int /*kind*/, int /*pos*/) { return false; }
};
class StyWindowLinkT {
public:
    virtual ~StyWindowLinkT() = default;
    // Unloads the style file window of a slot (slot 9: the user bank).
    virtual void unloadStyUN(int /*slot*/) {}
};

// Registered by the program windows.
class PrgWindowLinkT {
public:
    virtual ~PrgWindowLinkT() = default;
    // Shows the program window of `slot` (kinds 21 and 31: the file window
    // of that slot; others: the new-file window of that slot), creating it
    // on first use.
    virtual void showPrgWindow(int /*kind*/, int /*slot*/) {}
    // Unloads the program file window of a slot (slot 9: the user bank).
    virtual void unloadPrgUN(int /*slot*/) {}
};

// One registration place per interface: the registered object (not owned),
// or the do-nothing default.
template <class I>
struct LinkSlot {
    static inline I fallback{};
    static inline I* current = nullptr;
};
template <class I>
I& Linked() {
    I* c = LinkSlot<I>::current;
    return c ? *c : LinkSlot<I>::fallback;
}
// Registers `link`; nullptr puts the default back.
template <class I>
void RegisterLink(I* link) {
    LinkSlot<I>::current = link;
}
// Puts the default back when `link` is the one registered (destructors).
template <class I>
void UnregisterLink(const I* link) {
    if (LinkSlot<I>::current == link) LinkSlot<I>::current = nullptr;
}
// True while something is registered (not the default).
template <class I>
bool IsLinked() {
    return LinkSlot<I>::current != nullptr;
}
// Registers `link` until the returned Registration is released or destroyed
// (a window's member, so that it goes with the window).
template <class I>
Registration LinkRegistration(I* link) {
    RegisterLink<I>(link);
    return Registration([link] { UnregisterLink<I>(link); });
}

inline MidiLinkT& MidiLink() { return Linked<MidiLinkT>(); }
inline MainWindowLinkT& MainWindowLink() { return Linked<MainWindowLinkT>(); }
inline ProgramFileLinkT& ProgramFileLink() { return Linked<ProgramFileLinkT>(); }
inline ArrWindowLinkT& ArrWindowLink() { return Linked<ArrWindowLinkT>(); }
inline StyWindowLinkT& StyWindowLink() { return Linked<StyWindowLinkT>(); }
inline PrgWindowLinkT& PrgWindowLink() { return Linked<PrgWindowLinkT>(); }

// Windows and procedures of parts of the program that register by name:
// the enumerators carry the names of the windows and procedures they stand
// for. A command that reaches one stays disabled while nothing is registered
// under the name; the argument is what the caller passes (a kind, a slot, 0).
enum class NamedWindow {
    frmPcgAE, frmDrum, frmFindID, frmPrgSelAuto, frmEditDBArr, frmEditPerf, frmMultisample, DBArrAggiorna
};
// The window's or procedure's own name ("frmPcgAE").
const char* NamedWindowName(NamedWindow name);
using NamedProc = std::function<void(int)>;
Registration RegisterNamed(NamedWindow name, NamedProc proc);
bool NamedAvailable(NamedWindow name);
// Runs the procedure registered under `name`; false when there is none.
bool RunNamed(NamedWindow name, int arg = 0);

// The instance arrays of the document windows, by family: shared commands
// (recent files, imports, Cascade) create, show and find the window of a slot
// through them. A family whose windows are not in the program has nothing
// registered: ShowWindowOf then opens nothing and answers nullptr.
enum class WinFamily { ArrU, ArrNew, StyUN, StyNew, PrgUN, PrgNew, Gbl, Bsq };
struct WindowFamily {
    std::function<ChildForm*(int)> show;  // creates the slot's window on first use and shows it
    std::function<ChildForm*(int)> form;  // the slot's live window, or nullptr
};
Registration RegisterWindowFamily(WinFamily family, WindowFamily impl);
bool FamilyAvailable(WinFamily family);
ChildForm* ShowWindowOf(WinFamily family, int slot);
ChildForm* WindowOf(WinFamily family, int slot);

// Every link back to its default and every named procedure gone (tests, a
// fresh start).
void ResetLinks();
