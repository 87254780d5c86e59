#include "editors/PrgRec.h"

#include "app/ImageLayout.h"
#include "app/Links.h"
#include "app/Messages.h"
#include "app/state.h"
#include "banks/Links.h"
#include "banks/state.h"
#include "editors/frmEditPerf.h"
#include "editors/frmEditPrg.h"
#include "editors/arrangement/ArrState.h"
#include "editors/state.h"
#include "midi/MIDI.h"
#include "midi/state.h"
#include "platform/Dialogs.h"
#include "platform/Forms.h"
#include "platform/Paths.h"
#include "platform/bytes.h"
#include "shell/state.h"

void PerfSlidersReset() {
    if (frmEditPerf* f = frmEditPerf::Open()) f->slidersReset();
}

void resetEditorsState() {
    EditorsVars = {};
    ArrEditorVars = {};
}

std::string PrgRecBoxTitle() {
    const std::string c = ProgramEditorLink().caption();
    return c.empty() ? ProgramEditorLink().perfCaption() : c;
}

std::string PerfRecaptionText() { return PrgRecCaption("Edit Performance  ", PrgRec); }

void PrgRecBuild(ChildForm* window, int index) {
    if (!ProgramEdit.record.build(window, index)) return;
    PerfVal = {};
    if (EditPerfOpen) {
        // Back to the middle without sending or marking the program changed.
        const Quiet quiet;
        PerfSlidersReset();
    }
}

int PrgRecStore() { return ProgramEdit.record.storeOrSay(PrgRecBoxTitle()) ? 0 : 1; }

bool PrgRecMayClose(bool otherOpen, const ChildForm* other, const std::string& title) {
    // The other editor stays unless it agreed to the close under way too.
    return ProgramEdit.record.mayClose(otherOpen && !(other && other->CloseAgreed()), 3, title);
}

void PrgOscSelect(int osc) {
    PrgOscSel = osc;
    const Quiet quiet;
    if (EditPrgOpen)
        if (frmEditPrg* f = frmEditPrg::Open()) f->showOscillator(osc);
    MidiMonLog("");
    PrgParamTx(2, 0, static_cast<int16_t>(osc - 1));
    if (MidiOn != 0) MidiMonLogSent();
}
