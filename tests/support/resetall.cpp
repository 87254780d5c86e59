#include "resetall.h"

#include "app/DevState.h"
#include "app/Links.h"
#include "app/Main.h"
#include "app/state.h"
#include "files/state.h"
#include "midi/state.h"

void ResetAllState() {
    InstanceLockRelease();
    resetAppState();
    resetMidiState();
    resetFilesState();
    ResetLinks();
    AppHooks = {};
}
