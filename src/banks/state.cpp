#include "banks/state.h"

#include "banks/Links.h"

void resetBanksState() {
    ProgramWindowVars = {};
    resetProgramEdit();
    PrgSelAutoUnsaved = false;
    RegisterLink<ProgramEditorLinkT>(nullptr);
}
