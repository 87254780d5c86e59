#pragma once
// Termination signals (SIGTERM, SIGINT, SIGHUP) handled on the event loop,
// where the program can end as it does when the user closes it.
#include <functional>

// Catches SIGTERM, SIGINT and SIGHUP. The signal handler only writes the
// signal's number into a pipe; a socket notifier reads it on the GUI thread
// and runs `onSignal` there, once: further signals are ignored from then on.
// Needs the application object.
void InstallQuitSignals(std::function<void(int sig)> onSignal);

// The quiet exit a termination signal asks for: sending stops at once (a
// system-exclusive message left open is ended with F7), no box is shown from
// here on (their texts go to standard error and each gets its default
// answer), `shutDown` writes what the program keeps and closes the devices,
// and the event loop ends with exit code 128 + sig.
void QuitQuietly(int sig, const std::function<void()>& shutDown);
