// The arrangement editor's handlers: every stored control through the
// table's rows, and the controls beside it (variation, effect switches,
// mute and solo, the name field, the field selection, the pop-up).
#include <QApplication>
#include <QLineEdit>
#include <algorithm>

#include "app/state.h"
#include "editors/arrangement/ArrParams.h"
#include "editors/arrangement/ArrRec.h"
#include "editors/arrangement/ArrState.h"
#include "editors/arrangement/frmEditArr.h"
#include "library/state.h"
#include "midi/MIDI.h"
#include "midi/frmTastiera.h"
#include "midi/state.h"
#include "platform/Text.h"
#include "platform/bytes.h"
#include "shell/SmallFiles.h"
#include "shell/frmMain.h"

namespace {
const ArrParamTable& map() { return ArrCtrlMap(); }
const ParamRow& rowOf(const std::array<const ParamRow*, 10>& a, int i) { return *a[static_cast<std::size_t>(i)]; }
}  // namespace

// ---- the edit sequence, as the arrangement has it ------------------------------

std::string& frmEditArr::record() { return ArrRec; }

bool frmEditArr::beforeStore(const ParamRow& row) {
    // The general lists leave the selected field as it is.
    const auto& general = map().Combo1;
    if (std::find(general.begin(), general.end(), &row) == general.end()) EditArrFieldDeselect();
    return true;
}

void frmEditArr::stored(const ParamRow&) { ArrModified = true; }

bool frmEditArr::send(const ParamRow& row, int value) {
    if (!row.msg) return false;
    // Out Status2 "SOLO" is stored only.
    if (row.codec == ParamCodec::OutStatus && row.shift == 2 && value == 2) return false;
    ArrParamTx(0, row.msg->index, value, ParamNegative(row, value) ? 1 : 0);
    return true;
}

// ---- general page ----------------------------------------------------------------

void frmEditArr::Combo1_Click(int i) {
    if (binder_.quiet()) return;
    if (i != 5) {
        binder_.edited(rowOf(map().Combo1, i));
        return;
    }
    // The variation list shows the value of the chosen variation; nothing
    // changes.
    const int v = Combo1[5]->ListIndex();
    if (v < 0) return;
    const int b = at(ArrRec, 30 + v);
    Label1[4]->setCaption(std::to_string(b));
    showingVariation_ = true;
    HScroll1[1]->setValue(b);
    showingVariation_ = false;
}

void frmEditArr::Check1_Click(int i) {
    const ParamRow& row = rowOf(map().Check1, i);
    if (binder_.filling()) {
        // The fill changed the box: the instrument hears the switch shown.
        send(row, binder_.value(row));
        return;
    }
    binder_.edited(row);
}

void frmEditArr::HScroll1_Change(int i) {
    if (binder_.quiet()) return;
    if (i == 0) {
        const ParamRow& row = *map().HScroll1[0];
        binder_.showLabel(row);
        if (KeyboardLoaded)
            if (frmMain* m = MainForm())
                if (auto* k = dynamic_cast<frmTastiera*>(ToolForm::Find(m, frmTastiera::Kind)))
                    k->VScroll1->setValue(HScroll1[0]->Value());
        binder_.edited(row);
        return;
    }
    if (showingVariation_) return;
    EditArrFieldDeselect();
    const int v = HScroll1[1]->Value();
    Label1[4]->setCaption(std::to_string(v));
    put(ArrRec, 30 + std::max(0, Combo1[5]->ListIndex()), static_cast<unsigned>(v));
    ArrModified = true;
}

void frmEditArr::EffCombo_Click(int i) {
    if (Busy) return;
    const ParamRow& row = *map().EffCombo[static_cast<std::size_t>(i)];
    const int v = binder_.value(row);
    if (v < 0) return;
    const int n = 47 - v;
    EffLab1[static_cast<std::size_t>(i)]->setCaption(std::string(i == 0 ? "Effect 1 (" : "Effect 2 (") +
                                                     (n == 0 ? std::string("Off") : std::to_string(n)) + ")");
    if (binder_.filling()) {
        // A fill changed the list: the instrument hears the effect shown,
        // and the record keeps what it holds.
        send(row, n);
        return;
    }
    binder_.commit(row, v);
}

void frmEditArr::EffComm_Click(int i) {
    EditArrFieldDeselect();
    CommandButton* b = EffComm[static_cast<std::size_t>(i)];
    const bool on = b->Caption() != "On";
    b->setCaption(on ? "On" : "Off");
    ArrParamTx(0, i == 0 ? 7 : 9, on ? 1 : 0, 0);
}

// Type-ahead: text equal to an item, whatever its case, picks that item.
void frmEditArr::typeAhead(ComboBox* box) {
    const QString text = QString::fromStdString(box->Text()).toUpper();
    for (int k = 0; k < box->ListCount(); ++k)
        if (QString::fromLatin1(box->List(k)).toUpper() == text) {
            box->setListIndex(k);
            return;
        }
}

void frmEditArr::Combo1_Change(int i) { typeAhead(Combo1[static_cast<std::size_t>(i)]); }
void frmEditArr::Combo2_Change(int i) { typeAhead(Combo2[static_cast<std::size_t>(i)]); }

// ---- tracks --------------------------------------------------------------------

void frmEditArr::Combo2_Click(int i) {
    if (binder_.quiet()) return;
    binder_.edited(*map().Combo2[static_cast<std::size_t>(i)]);
}

void frmEditArr::VScroll1_Change(int i) { binder_.edited(*map().VScroll1[static_cast<std::size_t>(i)]); }

void frmEditArr::paintMuteSolo() {
    for (int t = 0; t < 9; ++t) {
        CommM[static_cast<std::size_t>(t)]->setBackColor(ArrMuteFlags[static_cast<std::size_t>(t)] ? ArrMuteColor : ArrOffColor);
        CommS[static_cast<std::size_t>(t)]->setBackColor(ArrSoloFlags[static_cast<std::size_t>(t)] ? ArrSoloColor : ArrOffColor);
    }
}

void frmEditArr::CommM_Click(int t) {
    EditArrFieldDeselect();
    const auto k = static_cast<std::size_t>(t);
    int value;
    if (ArrMuteFlags[k] != 0) {
        ArrMuteFlags[k] = 0;
        value = 0;
    } else {
        // A soloed track leaves its solo first; the others stay muted.
        ArrSoloFlags[k] = 0;
        ArrMuteFlags[k] = 1;
        value = 1;
    }
    paintMuteSolo();
    ArrParamTx(0, 10 * t + 15, value, 0);
}

void frmEditArr::CommS_Click(int t) {
    EditArrFieldDeselect();
    const auto k = static_cast<std::size_t>(t);
    if (ArrSoloFlags[k] != 0) {
        ArrSoloFlags.fill(0);
        ArrMuteFlags.fill(0);
    } else {
        ArrSoloFlags.fill(0);
        ArrSoloFlags[k] = 1;
        ArrMuteFlags.fill(1);
        ArrMuteFlags[k] = 0;
    }
    paintMuteSolo();
    for (int i = 0; i < 9; ++i) ArrParamTx(0, 10 * i + 15, ArrMuteFlags[static_cast<std::size_t>(i)], 0);
}

// ---- name field and field selection ------------------------------------------------

void frmEditArr::setCaptionFor(const std::string& name) { setCaption(EditArrCaption(ArrRec, name)); }

void frmEditArr::Text1_Change(int i) {
    if (i != 0) return;
    QLineEdit* e = Text1[0]->lineEdit();
    if (!nameGuard_.accept(e, ArrRecNameLen)) return;
    const QString now = e->text();
    setCaptionFor(fromQt(now));
    ArrNameChanged = true;
    // A fill shows the record's own name: the record stays as built.
    if (binder_.filling()) return;
    putField(ArrRec, ArrRecName, ArrRecNameLen, fromQtLatin1(now.left(ArrRecNameLen)));
    ArrModified = true;
}

void frmEditArr::Text1_Click(int i) {
    if (i >= 3 && i % 2 == 1) {
        EditArrFieldDeselect();
        return;
    }
    const bool select = EditArrSelFlags[static_cast<std::size_t>(i)] != 1;
    if (select)
        EditArrFieldSelect(i);
    else
        EditArrFieldDeselect();
    if (i == 0)
        EditArrSelName = select;
    else if (i == 1)
        EditArrSelSty = select;
    else
        EditArrSelPrg = select ? i : 0;
}

void frmEditArr::Frame_MouseDown(int button) {
    EditArrFieldDeselect();
    if (button != vbRightButton) return;
    if (frmMain* m = MainForm()) PopupMenu(m->mnuModifica->subMenu());
}

void frmEditArr::SSTab1_MouseDown(int button) {
    if (button != vbRightButton) return;
    if (frmMain* m = MainForm()) PopupMenu(m->mnuModifica->subMenu());
}
