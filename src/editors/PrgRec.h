#pragma once
// The current program (PrgRec, app/EditRecord.h) as the editors build,
// store and show it.
#include <string>

#include "app/EditRecord.h"

class ChildForm;

// Builds the record from program `index` (0-63) of a program window, as its
// image holds it now. An index out of range, or an image too short for it,
// leaves it unchanged.
void PrgRecBuild(ChildForm* window, int index);
// Stores the record into the window it was built from: 0 stored, 1 not
// stored (the user has been told why).
int PrgRecStore();
// The close question of an editor of the current program while the other
// one is open or not (`otherOpen`, its window `other`): only the last to
// close asks (EditRecord::mayClose). False keeps the editor open with its
// changes.
bool PrgRecMayClose(bool otherOpen, const ChildForm* other, const std::string& title);
// Selects oscillator 1 or 2 for editing, on the instrument and on the
// editor's option buttons.
void PrgOscSelect(int osc);

// Puts the performance editor's sliders back to the middle (under Busy:
// nothing is sent).
void PerfSlidersReset();

// The caption of a box about the current program: the program editor's
// while it is open, else the performance editor's.
std::string PrgRecBoxTitle();
// "Edit Performance  " with the record's file and program names.
std::string PerfRecaptionText();
