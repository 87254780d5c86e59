// The database editor's commands: Add all, Delete, Open.
#include "app/Links.h"
#include "app/Messages.h"
#include "app/state.h"
#include "banks/DBArr.h"
#include "banks/frmEditDBArr.h"
#include "files/state.h"
#include "platform/Controls.h"
#include "platform/Timer.h"
#include "shell/MenuAgg.h"
#include "shell/frmMain.h"

namespace {
constexpr int Step = 10;

// A row's file ID and name (without ".arr"): "<ID>\t<name>.arr".
struct RowEntry {
    int id = 0;
    std::string name;
};
RowEntry rowEntry(const std::string& row) {
    RowEntry e;
    const auto tab = row.find('\t');
    if (tab == std::string::npos) return e;
    for (std::size_t i = 0; i < tab && row[i] >= '0' && row[i] <= '9' && e.id < 100000; ++i)
        e.id = e.id * 10 + (row[i] - '0');
    e.name = row.substr(tab + 1);
    if (e.name.size() >= 4) e.name.resize(e.name.size() - 4);
    return e;
}
}  // namespace

void frmEditDBArr::CommAddAll_Click() {
    if (Timer0->Interval() != 0) {
        StatusMsg(8, "i40DBArr");
        Timer0->setEnabled(true);
        return;
    }
    Timer0->setInterval(Step);
    if (!CommAddAll->isEnabled()) return StatusMsg(0);
    DBArrAddAll();
    StatusMsg(0);
}

void frmEditDBArr::CommDelete_Click() {
    const int i = List1->ListIndex();
    if (i < 2 || listImage_.empty()) return;
    const RowEntry e = rowEntry(List1->List(i));
    if (!DBArrDelete(e.id, e.name, Caption())) return;
    // The row of the same place is selected; Delete waits for the next click.
    List1->setListIndex(std::min(i, List1->ListCount() - 1));
    CommDelete->setEnabled(false);
    CommApri->setEnabled(List1->ListIndex() >= 0);
    MenuAgg();
}

void frmEditDBArr::CommApri_Click() { List1_DblClick(); }

void frmEditDBArr::List1_DblClick() {
    // Opening from the database never selects or sends an arrangement.
    FindIDPending = false;
    const int i = List1->ListIndex();
    if (i < 0) {
        Timer2->setInterval(Step);
        return;
    }
    const RowEntry e = rowEntry(List1->List(i));
    if (Timer2->Interval() != 0) {
        StatusMsg(6, e.id <= 2 ? (e.id == 1 ? "ArrA" : "ArrB") : e.name + ".arr");
        Timer2->setEnabled(true);
        return;
    }
    Timer2->setInterval(Step);
    ArrDBID = e.id;
    if (e.id == 1 || e.id == 2) {
        const int kind = e.id + 1;
        if (!ArrWindowLink().selectArrAB(kind, -1)) {
            MainWindowLink().enableMenu(MenuId::mnuWindow, true);
            RunMenuCommand(kind == 2 ? MenuId::mnuArrA : MenuId::mnuArrB);
        }
    } else {
        DBArrOpenFile(Label4->Tag(), e.name, Caption(), false, false);
    }
    FindIDPending = false;
    StatusMsg(0);
}
