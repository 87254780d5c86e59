#include "app/Links.h"

void ResetLinks() {
    RegisterLink<MidiLinkT>(nullptr);
    RegisterLink<MainWindowLinkT>(nullptr);
    RegisterLink<ProgramFileLinkT>(nullptr);
    RegisterLink<ArrWindowLinkT>(nullptr);
    RegisterLink<StyWindowLinkT>(nullptr);
    RegisterLink<PrgWindowLinkT>(nullptr);
}
