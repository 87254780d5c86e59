#include "app/Links.h"

#include <map>

namespace {
struct NamedEntry {
    unsigned id;
    NamedProc proc;
};
std::map<std::string, NamedEntry>& Named() {
    static std::map<std::string, NamedEntry> named;
    return named;
}
unsigned nextId = 0;
}  // namespace

Registration RegisterNamed(const std::string& name, NamedProc proc) {
    unsigned id = ++nextId;
    Named()[name] = NamedEntry{id, std::move(proc)};
    // Only this registration goes: a later one under the same name stays.
    return Registration([name, id] {
        auto it = Named().find(name);
        if (it != Named().end() && it->second.id == id) Named().erase(it);
    });
}

bool NamedAvailable(const std::string& name) { return Named().count(name) != 0; }

bool RunNamed(const std::string& name, int arg) {
    auto it = Named().find(name);
    if (it == Named().end()) return false;
    NamedProc proc = it->second.proc;  // the procedure may unregister itself
    proc(arg);
    return true;
}

void ResetLinks() {
    RegisterLink<MidiLinkT>(nullptr);
    RegisterLink<MainWindowLinkT>(nullptr);
    RegisterLink<ProgramFileLinkT>(nullptr);
    RegisterLink<ArrWindowLinkT>(nullptr);
    RegisterLink<StyWindowLinkT>(nullptr);
    RegisterLink<PrgWindowLinkT>(nullptr);
    Named().clear();
}
