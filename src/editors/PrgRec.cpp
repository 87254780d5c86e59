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
    const std::string& image = window->Tag();
    put(PrgRec, PrgRecFileKind, at(image, ImgPrgType));
    putField(PrgRec, PrgRecFileName, PrgRecFileNameLen, rtrim(PathName(ImgPathOf(image))));
    PerfVal = {};
    if (EditPerfOpen) {
        // Back to the middle without sending or marking the program changed.
        const Quiet quiet;
        PerfSlidersReset();
    }
}

int PrgRecStore() {
    switch (ProgramEdit.record.store()) {
    case EditRecord::Stored::Yes: return 0;
    case EditRecord::Stored::NoWindow: {
        const std::string title = PrgRecBoxTitle();
        MsgBox(Msg(MsgPrgWindowClosed), vbOKOnly | vbExclamation, title.empty() ? std::string(ProgramTitle) : title);
        return 1;
    }
    case EditRecord::Stored::ReadOnly: ErrMsg(ErrReadOnly, PrgRecBoxTitle()); return 1;
    }
    return 1;
}

bool PrgRecMayClose(bool otherEditorOpen, const std::string& title) {
    if (PrgModified && !otherEditorOpen) {
        const int answer = AskSaveChanges(3, title);
        if (answer == vbCancel || (answer == vbYes && PrgRecStore() != 0)) {
            AppClosing = false;
            SaveCancelled = true;
            return false;
        }
    }
    SaveCancelled = false;
    return true;
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
