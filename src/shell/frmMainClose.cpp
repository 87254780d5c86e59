// Leaving the program: the frame's closing, and the Close and Exit commands.
#include <utility>

#include "app/DevState.h"
#include "app/Main.h"
#include "app/state.h"
#include "platform/Controls.h"
#include "platform/bytes.h"
#include "shell/MenuAgg.h"
#include "shell/frmMain.h"

namespace {
std::function<void()>& closeAnswered() {
    static std::function<void()> handler;
    return handler;
}
}  // namespace

void RegisterCloseAnswered(std::function<void()> handler) { closeAnswered() = std::move(handler); }

void frmMain::mnuChiudi_Click() {
    if (ChildForm* f = ActiveForm()) f->Unload(vbFormCode);
}

void frmMain::mnuExit_Click() { Unload(vbFormCode); }

void frmMain::Form_QueryUnload(int& Cancel, int /*UnloadMode*/) {
    // The devices come first: while other programs still use the devices
    // this program opened, nothing is closed, so every window stays as it is.
    if (!DevExitAllowed()) {
        Cancel = 1;
        MenuAgg();
        return;
    }
    AppClosing = true;
    // The find-by-number and database windows close before any other child.
    for (int kind : {11, 12})
        for (ChildForm* f : Forms())
            if (!f->Tag().empty() && at(f->Tag(), 1) == kind) f->Unload(vbFormCode);
}

void frmMain::Form_QueryDone() {
    if (closeAnswered()) closeAnswered()();
    // Every child has agreed to close: the program and arrangement windows
    // mark their slots again as they unload, so exactly those still open now
    // are reopened at the next start.
    for (int i = 1; i <= 8; ++i) {
        PrgSlots[static_cast<std::size_t>(i)].State = 0;
        ArrSlots[static_cast<std::size_t>(i)].State = 0;
    }
}

void frmMain::Form_CloseCancelled() {
    AppClosing = false;
    if (closeAnswered()) closeAnswered()();
    MenuAgg();
}

void frmMain::Form_Unload(int& Cancel) {
    // The frame's own entry: the position of the frame and the size of its
    // inside in its normal state (the measures the start restores), and its
    // state.
    WinState& w = WinEntry(1);
    const int state = WindowState();
    QRect g(pos(), size());
    if (state != vbNormal) {
        g = normalGeometry();
        g.moveTopLeft(g.topLeft() - (geometry().topLeft() - pos()));
    }
    if (g.isValid()) {
        w.Top = pxToTwipsY(g.y());
        w.Left = pxToTwipsX(g.x());
        w.Height = pxToTwipsY(g.height());
        w.Width = pxToTwipsX(g.width());
    }
    w.State = static_cast<uint8_t>(state);
    // Two options are kept by their check marks.
    StatusBarOpt = mnuVisBarraStato->Checked();
    CaricaArrOpt = mnuCaricaArr->Checked();
    if (!AppShutDown()) Cancel = 1;
}
