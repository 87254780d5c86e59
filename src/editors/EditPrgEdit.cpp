// The program editor: the edit sequence of every value control, and the
// BASIC page's own controls (name box, multisample boxes, octave lists).
#include <QApplication>
#include <QLineEdit>
#include <cctype>

#include "app/Links.h"
#include "app/state.h"
#include "banks/state.h"
#include "editors/PrgRec.h"
#include "editors/ProgramParams.h"
#include "editors/frmEditPrg.h"
#include "editors/state.h"
#include "midi/MIDI.h"
#include "midi/state.h"
#include "platform/Text.h"
#include "platform/bytes.h"
#include "shell/SmallFiles.h"

std::string MultisampleText(unsigned n) {
    if (n >= MultisampleNames.size()) return std::to_string(n);
    const std::string& e = MultisampleNames[n];
    return e.substr(0, 3) + "  " + (e.size() > 3 ? e.substr(3, 10) : std::string());
}

// ---- the edit sequence, as the program has it ---------------------------------

std::string& frmEditPrg::record() { return PrgRec; }

bool frmEditPrg::beforeStore(const ParamRow& row) {
    const PrgPage page = PrgPageOf(row);
    // The EFFECTS page edits in any mode; every other page in PROGRAM mode.
    if (page != PrgPage::Effects) ModeTx02();
    // The octave of the oscillator not being edited: nothing is stored, and
    // the list shows the stored octave again.
    if (row.kind == ParamCtl::List && page == PrgPage::Basic && row.osc != 0 && row.osc != PrgOscSel) return false;
    // The oscillator pages edit their own oscillator.
    if (row.osc != 0 && page != PrgPage::Basic && page != PrgPage::Effects) PrgOscSelect(row.osc);
    return true;
}

void frmEditPrg::stored(const ParamRow&) { PrgModified = true; }

bool frmEditPrg::send(const ParamRow& row, int value) {
    if (!row.msg || MidiOn == 0) return false;
    PrgParamTx(row.msg->group, row.msg->index, static_cast<int16_t>(value));
    return true;
}

void frmEditPrg::BasHScroll_Change(int i) { binder_.edited(*ProgramParams().BasHScroll[static_cast<std::size_t>(i)]); }
void frmEditPrg::BasCombo_Click(int i) { binder_.edited(*ProgramParams().BasCombo[static_cast<std::size_t>(i)]); }
void frmEditPrg::BasCheck_Click() { binder_.edited(*ProgramParams().BasCheck); }
void frmEditPrg::OscHScroll_Change(int i) { binder_.edited(*ProgramParams().OscHScroll[static_cast<std::size_t>(i)]); }
void frmEditPrg::OscHScroll_Scroll(int i) {
    binder_.edited(*ProgramParams().OscHScroll[static_cast<std::size_t>(i)], true);
}
void frmEditPrg::OscCombo_Click(int i) { binder_.edited(*ProgramParams().OscCombo[static_cast<std::size_t>(i)]); }
void frmEditPrg::OscCheck_Click(int i) { binder_.edited(*ProgramParams().OscCheck[static_cast<std::size_t>(i)]); }

// ---- the name box ------------------------------------------------------------

void frmEditPrg::nameChanged() {
    QLineEdit* e = BasText[0]->lineEdit();
    if (!nameGuard_.accept(e, PrgRecNameLen)) return;
    const QString now = e->text();
    if (binder_.quiet()) return;
    ModeTx02();
    putField(PrgRec, PrgRecName, PrgRecNameLen, fromQtLatin1(now.left(PrgRecNameLen)));
    PrgModified = true;
}

// ---- the multisample boxes ---------------------------------------------------

void frmEditPrg::BasText_Change(int i) {
    if (i == 0) {
        nameChanged();
        return;
    }
    if (taking_ || binder_.quiet()) return;
    if (codeText_) {
        multisampleTake(i);
        return;
    }
    // Typed: taken once its first three characters are digits; a shorter
    // entry on Enter or when the user leaves the box.
    taken_[static_cast<std::size_t>(i)] = false;
    const std::string t = BasText[i]->Text();
    if (t.size() >= 3 && std::isdigit(static_cast<unsigned char>(t[0])) &&
        std::isdigit(static_cast<unsigned char>(t[1])) && std::isdigit(static_cast<unsigned char>(t[2])))
        multisampleTake(i);
}

void frmEditPrg::multisampleCommit(int i) {
    if (binder_.quiet() || taken_[static_cast<std::size_t>(i)]) return;
    multisampleTake(i);
}

void frmEditPrg::multisampleTake(int i) {
    taken_[static_cast<std::size_t>(i)] = true;
    // The number in the first three characters, leading blanks skipped.
    std::string head = BasText[i]->Text().substr(0, 3);
    head.erase(0, head.find_first_not_of(' '));
    std::size_t k = head.starts_with('-') ? 1 : 0;
    if (k >= head.size() || !std::isdigit(static_cast<unsigned char>(head[k]))) return;
    int n = 0;
    for (; k < head.size() && std::isdigit(static_cast<unsigned char>(head[k])); ++k) n = n * 10 + (head[k] - '0');
    if (head.starts_with('-')) n = -n;
    ModeTx02();
    const ParamRow& row = *ProgramParams().BasVScroll[static_cast<std::size_t>(i)];
    if (!ParamShows(row, n)) return;
    taking_ = true;
    BasVScroll[i]->setValue(n);
    taking_ = false;
    multisampleShow(i, static_cast<unsigned>(n));
    binder_.commit(row, n);
}

void frmEditPrg::multisampleLeft(int i) {
    multisampleCommit(i);
    // What the record holds, as the fill shows it: a number past the list
    // stays as it is.
    multisampleShow(i, ParamRaw(PrgRec, *ProgramParams().BasVScroll[static_cast<std::size_t>(i)]));
}

void frmEditPrg::multisampleShow(int i, unsigned n) {
    const bool wasTaking = taking_;
    taking_ = true;
    BasText[i]->setText(fromQt(QString::fromLatin1(MultisampleText(n))));
    taking_ = wasTaking;
    taken_[static_cast<std::size_t>(i)] = true;
}

void frmEditPrg::MultisampleBoxSet(int i, const std::string& text) {
    codeText_ = true;
    BasText[i]->setText(text);
    codeText_ = false;
}

// Also while busy or filling: the box follows its scroll bar.
void frmEditPrg::BasVScroll_Change(int i) {
    if (taking_) return;
    const int v = BasVScroll[i]->Value();
    if (binder_.quiet()) {
        multisampleShow(i, static_cast<unsigned>(v));
    } else {
        MultisampleBoxSet(i, fromQt(QString::fromLatin1(MultisampleText(static_cast<unsigned>(v)))));
    }
    if (OscTextSel == i) MultisamplePickerArm();
}

void frmEditPrg::BasText_MouseDown(int i) {
    if (i == 0) {
        boxColours(0, BasText[0]->BackColor() == NormalBack);
        boxColours(1, false);
        boxColours(2, false);
        OscTextSel = 0;
        return;
    }
    if (OscTextSel == i) {
        boxColours(i, false);
        boxColours(0, false);
        OscTextSel = 0;
        return;
    }
    for (int k = 0; k < 3; ++k) boxColours(k, k == i);
    OscTextSel = i;
    RunNamed(NamedWindow::frmMultisample);
    MultisamplePickerArm();
}
