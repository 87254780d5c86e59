#pragma once
// Interfaces that higher subsystems register so that the shared procedures
// can reach them without including them: the MIDI module for start-up and
// shut-down, and the main window and document windows for the few things the
// shared procedures set on screen. Every member may be empty (tests, or the
// window not yet built); callers check before calling.
#include <cstdint>
#include <functional>
#include <string>

// Registered by the MIDI module.
struct MidiLinkT {
    // Opens the output and the input (first devices of the list). When
    // `share` is set, a sibling program holds the devices and `savedOut`
    // names its output: this program opens its own connection to that
    // device instead. Returns the output handle to record (0 on failure or
    // with no device; the MIDI module has then reported it and left MIDI off).
    std::function<uint32_t(bool share, uint32_t savedOut)> openDevices;
    // Connects the input to the output at driver level (MIDI thru on).
    std::function<void()> thruConnect;
    std::function<void()> thruDisconnect;
    // Closes output and input.
    std::function<void()> closeDevices;
    // The 16 bytes of the on-screen keyboard's settings for a first run.
    std::function<std::string()> kbdDefaults;
};
inline MidiLinkT MidiLink;

// Registered by the main window.
struct MainWindowLinkT {
    std::function<void(const std::string&)> setStatus;       // status label Label1
    std::function<void(bool)> setBusyPointer;                 // hourglass on/off
    std::function<void()> modeDisplay;                        // LabelMode and mode check marks from ModeNow
    std::function<void(const std::string&)> setLabelArr, setLabelSty, setLabelPrg;
    std::function<void()> refreshRecentFiles;                 // mnuRecentFile entries
    std::function<void(const std::string& menu, bool enabled)> enableMenu;
    std::function<void()> menuAgg;                            // MenuAgg: File, Edit and Window menus from the active child
    std::function<std::string()> caption;
    std::function<void()> show;                               // shows frmMain (its load runs)
};
inline MainWindowLinkT MainWindowLink;

// Registered by the document windows and the file readers, so that the shared
// window procedures can create, show and close them by slot or kind.
struct WindowLinkT {
    // Shows the program window of `slot` (kinds 21 and 31: the file window
    // of that slot; others: the new-file window of that slot), creating it
    // on first use.
    std::function<void(int kind, int slot)> showPrgWindow;
    // Shows the arrangement bank window of kind 2 or 3, creating it on first use.
    std::function<void(int kind)> showArrAB;
    // Unloads the arrangement / style file window of a slot (slot 9: the user bank).
    std::function<void(int slot)> unloadArrU;
    std::function<void(int slot)> unloadStyUN;
    std::function<void(int slot)> unloadPrgUN;
    // Reads a program file (path with extension, the other extension is tried
    // too) into the program file buffer; sets ExtCur. 0 .prg read, 4 .pgg
    // read, other values not read (the reader has said why).
    std::function<int(const std::string& path)> readProgramFile;
};
inline WindowLinkT WindowLink;
