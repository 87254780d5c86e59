#include "banks/state.h"

#include "banks/Links.h"

void resetBanksState() {
    ProgramEditVars = {};
    RegisterLink<ProgramEditorLinkT>(nullptr);
}
