// What the database puts in the program: its two windows and its update by
// name, and the link the arrangement windows number their files through.
#include <vector>

#include "app/Links.h"
#include "app/ToolForm.h"
#include "banks/DBArr.h"
#include "banks/DBArrState.h"
#include "banks/frmEditDBArr.h"
#include "banks/frmFindID.h"
#include "library/Links.h"
#include "shell/frmMain.h"

namespace {

struct Database : DatabaseLinkT {
    int dbArrLookupID(const std::string& path) override { return DBArrLookupID(path); }
    void dbArrAdd(int kind) override { DBArrAdd(kind); }
};
Database database;

std::vector<Registration>& registrations() {
    static std::vector<Registration> regs;
    return regs;
}

}  // namespace

void DBArrMenusOn() {
    frmMain* m = MainForm();
    if (!EditDBArrOpen) MainWindowLink().enableMenu(MenuId::mnuWEditDBArr, true);
    ToolForm* find = m ? ToolForm::Find(m, frmFindID::Kind) : nullptr;
    if (!find || !find->Loaded()) MainWindowLink().enableMenu(MenuId::mnuWFindID, true);
    MainWindowLink().enableMenu(MenuId::mnuAggArr, true);
}

void InstallDatabase() {
    auto& regs = registrations();
    regs.clear();
    resetDBArrState();
    regs.push_back(RegisterNamed(NamedWindow::frmEditDBArr, [](int) { EditDBArrShow(); }));
    regs.push_back(RegisterNamed(NamedWindow::frmFindID, [](int) { FindIDShow(); }));
    regs.push_back(RegisterNamed(NamedWindow::DBArrAggiorna, [](int) { DBArrAggiorna(); }));
    regs.push_back(LinkRegistration<DatabaseLinkT>(&database));
}
