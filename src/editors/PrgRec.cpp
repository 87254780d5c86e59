#include "editors/PrgRec.h"

#include <QMetaObject>
#include <QPointer>

#include "app/ImageLayout.h"
#include "app/Links.h"
#include "app/Messages.h"
#include "app/state.h"
#include "banks/Links.h"
#include "banks/state.h"
#include "editors/frmEditPrg.h"
#include "editors/state.h"
#include "midi/MIDI.h"
#include "midi/state.h"
#include "platform/Dialogs.h"
#include "platform/Forms.h"
#include "platform/Paths.h"
#include "platform/bytes.h"
#include "shell/state.h"

namespace {
// The window the record was read from: a store goes there only while that
// very window still shows the record's kind and slot.
QPointer<ChildForm> source;

ChildForm* windowOfRecord() {
    const int kind = at(PrgRec, PrgRecKind);
    const int slot = at(PrgRec, PrgRecSlot);
    if (slot < 1 || slot > 9) return nullptr;
    if (kind == 21 || kind == 31) return WindowOf(WinFamily::PrgUN, slot);
    if (kind == 22) return WindowOf(WinFamily::PrgNew, slot);
    return nullptr;
}
}  // namespace

void PerfSlidersReset() {
    // The performance editor's sliders join here once that editor exists.
}

void resetEditorsState() {
    EditorsVars = {};
    source = nullptr;
}

std::string PrgRecBoxTitle() {
    const std::string c = ProgramEditorLink().caption();
    return c.empty() ? ProgramEditorLink().perfCaption() : c;
}

void PrgRecBuild(const std::string& image, int index) {
    if (index < 0 || index > 63) return;
    const long from = ImgPrgBlock(index);
    if (static_cast<long>(image.size()) < from + PrgRecBlockLen - 1) return;
    std::string rec(PrgRecLen, ' ');
    putMid(rec, 1, mid(image, from, PrgRecBlockLen));
    put(rec, PrgRecKind, at(image, ImgKind));
    put(rec, PrgRecIndex, static_cast<unsigned>(index));
    put(rec, PrgRecSlot, at(image, ImgSlot));
    put(rec, PrgRecFileKind, at(image, ImgPrgType));
    putField(rec, PrgRecFileName, PrgRecFileNameLen, rtrim(PathName(ImgPathOf(image))));
    PrgRec = rec;
    source = windowOfRecord();
    PerfVal = {};
    if (EditPerfOpen) {
        // Back to the middle without sending or marking the program changed.
        const bool was = Busy;
        Busy = true;
        PerfSlidersReset();
        Busy = was;
    }
}

int PrgRecStore() {
    ChildForm* w = windowOfRecord();
    if (!w || w != source) {
        const std::string title = PrgRecBoxTitle();
        MsgBox(Msg(MsgPrgWindowClosed), vbOKOnly | vbExclamation, title.empty() ? std::string(ProgramTitle) : title);
        return 1;
    }
    std::string& img = w->Tag();
    if (ImgIsRdOnly(img)) {
        ErrMsg(ErrReadOnly, PrgRecBoxTitle());
        return 1;
    }
    const int index = at(PrgRec, PrgRecIndex);
    putMid(img, ImgPrgBlock(index), mid(PrgRec, 1, PrgRecBlockLen));
    put(img, ImgPrgChanged, 1);
    PrgModified = false;
    QMetaObject::invokeMethod(w, "showImage");
    return 0;
}

void PrgOscSelect(int osc) {
    PrgOscSel = osc;
    const bool was = Busy;
    Busy = true;
    if (EditPrgOpen)
        if (frmEditPrg* f = frmEditPrg::Open()) f->showOscillator(osc);
    MidiMonLog("");
    PrgParamTx(2, 0, static_cast<int16_t>(osc - 1));
    MidiMonLog(MidiHdr.lpData);
    Busy = was;
}
