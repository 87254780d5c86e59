#include "shell/Preferences.h"

#include "app/Links.h"
#include "app/Messages.h"
#include "app/state.h"
#include "midi/MIDI.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/MidiDevice.h"
#include "shell/MenuAgg.h"
#include "shell/frmMain.h"

namespace {

// The plain toggles: the mark flips, then the item's own step with the new
// state; the menus follow at once.
void registerToggle(MenuId id, void (*then)(frmMain& f, bool on)) {
    RegisterMenuCommand(id, [id, then] {
        frmMain* f = MainForm();
        if (!f) return;
        MenuItem* item = f->item(id);
        item->setChecked(!item->Checked());
        then(*f, item->Checked());
        MenuAgg();
    });
}

// The add-to-database button of every arrangement file window that is open
// (slots 1-8; the user bank's window keeps its own).
void autoDBArrButtons(bool on) {
    for (int slot = 1; slot <= 8; ++slot) {
        ChildForm* c = WindowOf(WinFamily::ArrU, slot);
        if (auto* b = c ? FindControl<CommandButton>(c, QStringLiteral("CommAdd")) : nullptr) b->setEnabled(!on);
    }
}

// A thru change the driver refused leaves everything as it was.
bool thruRefused() {
    if (MidiLastResult == MidiOk) return false;
    // The MIDI module has told why already.
    if (MidiLastResult != MidiErrSamePort) MsgBox(Msg(157), vbOKOnly | vbExclamation, "MIDI Thru");
    return true;
}

void mnuMIDIThru_Click() {
    frmMain* f = MainForm();
    if (!f) return;
    // Nothing is asked of the driver while MIDI is off: the result stays 0.
    MidiLastResult = MidiOk;
    if (f->mnuMIDIThru->Checked()) {
        MidiThruDisconnect();
        if (thruRefused()) return;
        MidiInStopDev();
        f->mnuMIDIThru->setChecked(false);
    } else {
        MidiThruConnect();
        if (thruRefused()) return;
        MidiInStartDev();
        f->mnuMIDIThru->setChecked(true);
    }
    MidiThruOn = f->mnuMIDIThru->Checked();
    MenuAgg();
}

// The language takes effect at the next start; said in the language in force.
void languageChoose(uint8_t lang) {
    frmMain* f = MainForm();
    if (!f || LangSel == lang) return;
    LangSel = lang;
    f->mnuItaliano->setChecked(lang == 1);
    f->mnuInglese->setChecked(lang == 2);
    ErrMsg(ErrLanguageChange, Msg(84));
}

}  // namespace

void InstallPreferences() {
    RegisterMenuCommand(MenuId::mnuItaliano, [] { languageChoose(1); });
    RegisterMenuCommand(MenuId::mnuInglese, [] { languageChoose(2); });
    RegisterMenuCommand(MenuId::mnuMIDIThru, mnuMIDIThru_Click);
    registerToggle(MenuId::mnuCaricaArr, [](frmMain&, bool on) { CaricaArrOpt = on; });
    registerToggle(MenuId::mnuCaricaSty, [](frmMain&, bool on) { CaricaStyOpt = on; });
    registerToggle(MenuId::mnuCaricaStyNuovoArr, [](frmMain&, bool on) { CaricaStyNuovoArrOpt = on; });
    registerToggle(MenuId::mnuCaricaPrg, [](frmMain&, bool on) { CaricaPrgOpt = on; });
    registerToggle(MenuId::mnuRdOnly, [](frmMain&, bool on) { RdOnlyOpt = on; });
    registerToggle(MenuId::mnuVisBarraStato, [](frmMain& f, bool on) {
        StatusBarOpt = on;
        f.Picture1->setVisible(on);
    });
    registerToggle(MenuId::mnuAddi40DBArr, [](frmMain&, bool on) {
        AutoDBArrOpt = on;
        autoDBArrButtons(on);
    });
}
