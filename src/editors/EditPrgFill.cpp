// The program editor's fill: the current program shown on every page.
#include <QString>

#include "app/state.h"
#include "banks/state.h"
#include "editors/PrgRec.h"
#include "editors/ProgramParams.h"
#include "editors/frmEditPrg.h"
#include "editors/state.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "platform/bytes.h"

namespace {
std::string latin1(const std::string& bytes) { return fromQt(QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()))); }
}  // namespace

std::string PrgRecCaption(const std::string& head, const std::string& rec) {
    const std::string ext = at(rec, PrgRecFileKind) == 0 ? "prg" : "pgg";
    const std::string file = rtrim(Utf8Head(rtrim(mid(rec, PrgRecFileName, PrgRecFileNameLen)), 24));
    return head + file + "." + ext + " / " + latin1(cutAtNul(mid(rec, PrgRecName, PrgRecNameLen)));
}

std::string EditPrgCaption(const std::string& rec) { return PrgRecCaption("Edit Program  ", rec); }

void frmEditPrg::EditPrgFill() {
    const Quiet filling(PrgFilling);
    ExtCur = at(PrgRec, PrgRecFileKind) == 0 ? "prg" : "pgg";
    setCaption(EditPrgCaption(PrgRec));
    BasText[0]->setText(latin1(rtrim(cutAtNul(mid(PrgRec, PrgRecName, PrgRecNameLen)))));
    binder_.fillAll();
    effectsFill();
    // A multisample number past the list is shown alone, the bar at its end.
    for (int i = 1; i <= 2; ++i) {
        multisampleShow(i, ParamRaw(PrgRec, *ProgramParams().BasVScroll[static_cast<std::size_t>(i)]));
        if (OscTextSel == i) MultisamplePickerArm();
    }
}
