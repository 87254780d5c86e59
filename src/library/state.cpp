#include "library/state.h"

#include "library/Links.h"

void resetLibraryState() {
    EditorVars = {};
    resetArrangementEdit();
    SelectionVars = {};
    StyleJobVars = {};
    RegisterLink<EditorLinkT>(nullptr);
    RegisterLink<DatabaseLinkT>(nullptr);
}
