#include "app/Links.h"

#include "app/EditRecord.h"

#include <map>

namespace {
struct NamedEntry {
    unsigned id;
    NamedProc proc;
};
std::map<NamedWindow, NamedEntry>& Named() {
    // Never destroyed: registrations held by other statics are released
    // after this file's statics would be gone.
    static auto* named = new std::map<NamedWindow, NamedEntry>;
    return *named;
}
unsigned nextId = 0;

struct FamilyEntry {
    unsigned id = 0;
    WindowFamily impl;
};
std::map<WinFamily, FamilyEntry>& Families() {
    static auto* families = new std::map<WinFamily, FamilyEntry>;
    return *families;
}
}  // namespace

Registration RegisterNamed(NamedWindow name, NamedProc proc) {
    unsigned id = ++nextId;
    Named()[name] = NamedEntry{id, std::move(proc)};
    // Only this registration goes: a later one under the same name stays.
    return Registration([name, id] {
        auto it = Named().find(name);
        if (it != Named().end() && it->second.id == id) Named().erase(it);
    });
}

bool NamedAvailable(NamedWindow name) { return Named().count(name) != 0; }

bool RunNamed(NamedWindow name, int arg) {
    auto it = Named().find(name);
    if (it == Named().end()) return false;
    NamedProc proc = it->second.proc;  // the procedure may unregister itself
    proc(arg);
    return true;
}

const char* NamedWindowName(NamedWindow name) {
    switch (name) {
    case NamedWindow::frmPcgAE: return "frmPcgAE";
    case NamedWindow::frmDrum: return "frmDrum";
    case NamedWindow::frmFindID: return "frmFindID";
    case NamedWindow::frmPrgSelAuto: return "frmPrgSelAuto";
    case NamedWindow::frmEditDBArr: return "frmEditDBArr";
    case NamedWindow::frmEditPerf: return "frmEditPerf";
    case NamedWindow::frmMultisample: return "frmMultisample";
    case NamedWindow::DBArrAggiorna: return "DBArrAggiorna";
    }
    return "";
}

Registration RegisterWindowFamily(WinFamily family, WindowFamily impl) {
    unsigned id = ++nextId;
    Families()[family] = FamilyEntry{id, std::move(impl)};
    return Registration([family, id] {
        auto it = Families().find(family);
        if (it != Families().end() && it->second.id == id) Families().erase(it);
    });
}

bool FamilyAvailable(WinFamily family) { return Families().count(family) != 0; }

ChildForm* ShowWindowOf(WinFamily family, int slot) {
    auto it = Families().find(family);
    if (it == Families().end() || !it->second.impl.show) return nullptr;
    auto show = it->second.impl.show;
    return show(slot);
}

ChildForm* WindowOf(WinFamily family, int slot) {
    auto it = Families().find(family);
    if (it == Families().end() || !it->second.impl.form) return nullptr;
    return it->second.impl.form(slot);
}

void ResetLinks() {
    RegisterLink<MidiLinkT>(nullptr);
    RegisterLink<MainWindowLinkT>(nullptr);
    RegisterLink<ProgramFileLinkT>(nullptr);
    RegisterLink<ArrWindowLinkT>(nullptr);
    RegisterLink<StyWindowLinkT>(nullptr);
    RegisterLink<PrgWindowLinkT>(nullptr);
    RegisterLink<RecordEditorsT>(nullptr);
    Named().clear();
    Families().clear();
}
