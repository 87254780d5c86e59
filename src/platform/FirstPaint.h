#pragma once

// For timing the start-up from outside: once the main window has painted for
// the first time, writes "painted" on a line of its own to the standard
// output and closes the main window as its close button does.
void QuitAfterFirstPaint();
