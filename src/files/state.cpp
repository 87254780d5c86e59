#include "files/state.h"

void resetFilesState() { FileVars = {}; }
