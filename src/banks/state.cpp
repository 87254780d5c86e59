#include "banks/state.h"

#include "banks/Links.h"

void resetBanksState() {
    ProgramEditVars = {};
    PrgSelAutoUnsaved = false;
    RegisterLink<ProgramEditorLinkT>(nullptr);
}
