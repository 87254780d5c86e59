#pragma once
// The program's entry: start-up, the main window, the event loop, and the
// shared part of closing the main window.
#include <functional>

struct StartHooks {
    // The first-run language choice; tests replace it (default: the modal
    // language window). It leaves LangSel and StartAbort set.
    std::function<void()> LanguageChooser;
    // Shows the main window; registered by the main window's module. Main
    // sets Starting while it runs.
    std::function<void()> MainWindowFactory;
};
inline StartHooks AppHooks;
inline auto& LanguageChooser = AppHooks.LanguageChooser;
inline auto& MainWindowFactory = AppHooks.MainWindowFactory;

// Builds the start-folder and system-folder paths from the current folders.
void PathsBuild();
// The start-up up to showing the main window: paths, instance lock, sizes,
// settings or first run, name tables, info file, device state and MIDI.
// 0 to go on; non-zero stops the program with that exit code (1 the first
// run was left without a language, 2 another copy is running).
int StartUp();
// The whole program: creates the application when there is none, StartUp,
// the main window, the event loop. Returns the exit code.
int Main(int argc, char** argv);

// The shared part of closing the main window, run by its unload after it
// has refreshed its own entry 1 of WinStateTable: the device-state file
// (false when the exit is refused) and the settings file.
bool AppShutDown();

// A termination signal (SIGTERM, SIGINT, SIGHUP; caught from start-up on):
// stops sending, writes the device state and settings, closes the devices
// and ends the event loop, asking nothing.
void QuitOnSignal(int sig);
