// The arrangement editor's fill: the current arrangement in every control,
// and the selection of a text field as the target of an assignment.
#include <QLineEdit>
#include <QString>

#include "editors/arrangement/ArrParams.h"
#include "editors/arrangement/ArrRec.h"
#include "editors/arrangement/ArrState.h"
#include "editors/arrangement/frmEditArr.h"
#include "library/state.h"
#include "midi/state.h"
#include "platform/Text.h"
#include "platform/bytes.h"

namespace {
std::string latin1(const std::string& bytes) {
    return fromQt(QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string effectCaption(int i, int n) {
    const std::string head = i == 0 ? "Effect 1 (" : "Effect 2 (";
    return head + (n == 0 ? std::string("Off") : std::to_string(n)) + ")";
}
}  // namespace

std::string EditArrCaption(const std::string& rec, const std::string& name) {
    return "Edit Arrangement  " + latin1(rtrim(cutAtNul(mid(rec, ArrRecFileName, 24)))) + ".arr / " + name;
}

void frmEditArr::EditArrFill() {
    const ArrParamTable& map = ArrCtrlMap();
    const Quiet filling(ArrFilling);
    Text1[0]->setText(latin1(rtrim(cutAtNul(mid(ArrRec, ArrRecName, ArrRecNameLen)))));
    setCaption(EditArrCaption(ArrRec, Text1[0]->Text()));
    Text1[1]->setText(latin1(rtrim(cutAtNul(mid(ArrRec, ArrRecStyleName, ArrRecTextLen)))));
    StyleLabel->setCaption(ArrStyleLabel(at(ArrRec, ArrRecStyle), at(ArrRec, ArrRecStyleKind)));
    for (const ParamRow& row : map.rows) {
        if (&row == map.EffCombo[0]) {
            // The variation: the first one's byte, the slider at the nearest
            // value it can show.
            const int b = at(ArrRec, 30);
            Label1[4]->setCaption(std::to_string(b));
            Combo1[5]->setListIndex(0);
            HScroll1[1]->setValue(b);
        }
        for (int t = 0; t < 9; ++t)
            if (&row == map.VScroll1[static_cast<std::size_t>(2 * t + 1)]) {
                const ArrTrackText tt = ArrTrackTextOf(ArrRec, t);
                Text1[static_cast<std::size_t>(2 + 2 * t)]->setText(latin1(tt.name));
                Text1[static_cast<std::size_t>(3 + 2 * t)]->setText(tt.bank);
            }
        binder_.fill(row);
        if (&row == map.EffCombo[0] || &row == map.EffCombo[1]) {
            const int i = &row == map.EffCombo[0] ? 0 : 1;
            EffLab1[static_cast<std::size_t>(i)]->setCaption(effectCaption(i, 47 - binder_.value(row)));
        }
    }
    // Long names show from their beginning.
    for (TextBox* t : Text1)
        if (t->lineEdit()) t->lineEdit()->setCursorPosition(0);
    // What was just shown counts as unchanged, whatever the handlers did.
    ArrModified = false;
}

void frmEditArr::NoteNameShow(int note) { Label1[3]->setCaption(NoteNameText(note)); }

void frmEditArr::EditArrFieldSelect(int i) {
    EditArrSelFlags[static_cast<std::size_t>(i)] = 1;
    Text1[static_cast<std::size_t>(i)]->setBackColor(ArrSelectedBack);
    Text1[static_cast<std::size_t>(i)]->setForeColor(ArrSelectedFore);
    for (int j = 0; j < 19; ++j)
        if (j != i && EditArrSelFlags[static_cast<std::size_t>(j)] == 1) {
            EditArrSelFlags[static_cast<std::size_t>(j)] = 0;
            Text1[static_cast<std::size_t>(j)]->setBackColor(EditArrBackColor);
            Text1[static_cast<std::size_t>(j)]->setForeColor(EditArrForeColor);
        }
}

void frmEditArr::EditArrFieldDeselect() {
    for (int j = 0; j < 19; ++j)
        if (EditArrSelFlags[static_cast<std::size_t>(j)] == 1) {
            EditArrSelFlags[static_cast<std::size_t>(j)] = 0;
            Text1[static_cast<std::size_t>(j)]->setBackColor(EditArrBackColor);
            Text1[static_cast<std::size_t>(j)]->setForeColor(EditArrForeColor);
            break;
        }
    EditArrSelName = false;
    EditArrSelPrg = 0;
    EditArrSelSty = false;
}
