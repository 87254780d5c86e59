#include "library/state.h"

#include "library/Links.h"

void resetLibraryState() {
    EditorVars = {};
    SelectionVars = {};
    RegisterLink<EditorLinkT>(nullptr);
    RegisterLink<DatabaseLinkT>(nullptr);
}
