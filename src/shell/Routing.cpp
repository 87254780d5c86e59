#include "shell/Routing.h"

#include "app/ImageLayout.h"
#include "midi/MIDI.h"
#include "platform/Controls.h"
#include "platform/Timer.h"
#include "shell/frmMain.h"

namespace {

ChildForm* activeChild() {
    frmMain* f = MainForm();
    return f ? f->ActiveForm() : nullptr;
}

// Switches on the active child's timer of that name (and index); nothing
// when there is no child or it has no such timer. A timer already counting
// is left alone: enabling it again would start its countdown anew and put
// off what it is about to send.
void armTimer(const char* name, int index = -1) {
    auto* t = FindControl<Timer>(activeChild(), QString::fromLatin1(name), index);
    if (t && !t->Enabled()) t->setEnabled(true);
}

void timerCommand(MenuId id, const char* timer) {
    RegisterMenuCommand(id, [timer] { armTimer(timer); });
}

// Style file windows send one group of four: the group of the selected row
// (four styles and a blank separator a group; no selection is group 0).
void mnuLoadSty_Click() {
    ChildForm* c = activeChild();
    if (!c) return;
    const int kind = WinKind(c->Tag());
    if (kind == 23 || kind == 24) {
        auto* l = FindControl<ListBox>(c, QStringLiteral("List1"));
        const int row = l ? l->ListIndex() : -1;
        armTimer("TimerLoadStyGrp", row / 5);
    } else {
        armTimer("TimerLoadSty");
    }
}

}  // namespace

void InstallRouting() {
    timerCommand(MenuId::mnuLoadArr, "TimerLoadArr");
    timerCommand(MenuId::mnuShowSty, "TimerShowSty");
    timerCommand(MenuId::mnuLoadPrg, "TimerLoadPrg");
    timerCommand(MenuId::mnuShowPrg, "TimerShowPrg");
    timerCommand(MenuId::mnuEdit, "TimerEdit");
    timerCommand(MenuId::mnuCancella, "TimerCancella");
    timerCommand(MenuId::mnuDBArrApri, "TimerApri");
    timerCommand(MenuId::mnuAddAll, "TimerAddAll");
    RegisterMenuCommand(MenuId::mnuLoadSty, mnuLoadSty_Click);
    // The item that mirrors an arrangement window's add-to-database button
    // presses that button.
    RegisterMenuCommand(MenuId::mnui40DBArr, [] {
        if (auto* b = FindControl<CommandButton>(activeChild(), QStringLiteral("CommAdd"))) b->press();
    });
    RegisterMenuCommand(MenuId::mnuArrPlay, ModeTx0A);
    RegisterMenuCommand(MenuId::mnuSongPlay, ModeTx06);
    RegisterMenuCommand(MenuId::mnuProgram, ModeTx02);
}
