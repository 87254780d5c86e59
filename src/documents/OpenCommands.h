#pragma once
// The File menu's Open and New commands that the document procedures serve
// for every family (Documents.h declares the commands themselves). The
// program and Global windows register themselves (the program window link,
// the Global window family); while one is not in the program its commands
// are off and do nothing.
#include "documents/Documents.h"

// Whether the program and Global windows are in the program.
bool PrgWindowsAvailable();
bool GblWindowsAvailable();
// Turns off the commands whose windows are not in the program (the end of
// the frame's load).
void OpenCommandsAvailable();
