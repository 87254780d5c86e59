// The performance editor.
#include "editors/frmEditPerf.h"

#include <QMouseEvent>
#include <algorithm>

#include "app/Messages.h"
#include "app/state.h"
#include "editors/PrgRec.h"
#include "editors/ProgramParams.h"
#include "editors/frmEditPrg.h"
#include "editors/state.h"
#include "files/WindowImage.h"
#include "midi/MIDI.h"
#include "midi/state.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/bytes.h"
#include "shell/MenuAgg.h"
#include "shell/frmMain.h"
#include "shell/state.h"

namespace {
const char* const kMarks[3] = {"+10", "0", "-10"};

// The record holds a program of a program window (the kind of its window
// is there once it was built; a blank before).
bool recordBuilt() {
    const unsigned kind = at(PrgRec, PrgRecKind);
    return kind == 21 || kind == 22 || kind == 31;
}

std::string loadCaption() {
    return recordBuilt() ? PrgRecCaption("Performance Edit  ", PrgRec) : std::string("Performance Edit");
}

const PerfMove* moveOf(const ParamRow& row) {
    for (const PerfSlider& s : PerfSliderMap())
        for (const PerfMove& m : s.moves)
            if (m.row == &row) return &m;
    return nullptr;
}
}  // namespace

int PerfEditCalcW(int k, int cur, int prev, int v, int step) {
    const int d = prev < v ? step : prev > v ? -step : 0;
    if (k == 6) {
        cur = std::clamp(ParamSigned(static_cast<unsigned>(cur), -99), -99, 99);
        if (cur < -94) return d == -step ? -99 : cur + d;
        if (cur > 94) return d == step ? 99 : cur + d;
        return cur + d;
    }
    if (k == 7) {
        cur = std::clamp(cur, 0, 100);
        if (cur < 5) return d == -step ? 0 : cur + d;
        if (cur > 95) return d == step ? 100 : cur + d;
        return cur + d;
    }
    cur = std::clamp(cur, 0, 99);
    if (cur == 0) return d == step && v > 0 ? step : 0;
    if (cur < step) return d == -step ? 0 : cur + d;
    if (cur > 94) return d == step ? 99 : cur + d;
    return cur + d;
}

frmEditPerf::frmEditPerf(MdiFrame* frame) : ToolForm(frame, QStringLiteral("frmEditPerf"), Kind, MenuId::mnuEditPerf) {
    const Quiet quiet;
    for (int k = 0; k < Sliders; ++k) {
        const auto i = static_cast<std::size_t>(k);
        const ParamRow& row = PerfSliderMap()[i].row;
        auto* s = static_cast<VScroll*>(binder_.create(row, this, [this, k] { PerfVScroll_Change(k); }));
        s->setValue(0);
        PerfVScroll[i] = s;
        PerfLab[i] = new Label(this, QStringLiteral("PerfLab"), k);
        PerfLab[i]->setAlignment(Qt::AlignCenter);
        PerfLab[i]->setCaption("0");
        binder_.setLabel(row, PerfLab[i]);
        PerfLab1[i] = new Label(this, QStringLiteral("PerfLab1"), k);
        PerfLab1[i]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        PerfLab1[i]->setWordWrap(true);
        PerfLab1[i]->setCaption(row.caption);
        for (int m = 0; m < 3; ++m) {
            auto* l = new Label(this, QStringLiteral("PerfMark"), k * 3 + m);
            l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            l->setCaption(kMarks[m]);
            marks_[i][static_cast<std::size_t>(m)] = l;
        }
    }
    instance_ = this;
}

frmEditPerf* frmEditPerf::Open() {
    frmEditPerf* f = instance_.data();
    return f && f->Loaded() && !f->Discarded() ? f : nullptr;
}

void frmEditPerf::Form_Load() {
    const Quiet quiet;
    ToolLoaded(true);
    if (!EditPrgOpen) PrgModified = false;
    setTag(WindowImageNew(Kind));
    ExtCur = at(PrgRec, PrgRecFileKind) == 0 ? "prg" : "pgg";
    setCaption(loadCaption());
    EditPerfOpen = true;
    PerfVal = {};
    slidersReset();
    layoutControls();
}

void frmEditPerf::recaption() {
    const std::string head = "Edit Performance  ";
    setCaption(Caption().compare(0, head.size(), head) == 0 ? PerfRecaptionText() : loadCaption());
}

void frmEditPerf::slidersReset() {
    // A record never built holds no program: nothing to move.
    const bool on = recordBuilt();
    for (int k = 0; k < Sliders; ++k) {
        const auto i = static_cast<std::size_t>(k);
        PerfVScroll[i]->setValue(0);
        PerfLab[i]->setCaption("0");
        PerfVScroll[i]->setEnabled(on);
    }
}

void frmEditPerf::layoutControls() {
    // Eight columns, each: the position above, the slider with its marks
    // on its left, the name below on up to two lines.
    const int w = std::max(ScaleWidth(), 8 * 600), h = std::max(ScaleHeight(), 1500);
    constexpr int margin = 60, labH = 210, nameH = 400, barW = 255, markW = 330;
    const int colW = (w - 2 * margin) / Sliders;
    const int barTop = margin + labH, barH = std::max(600, h - barTop - nameH - margin);
    for (int k = 0; k < Sliders; ++k) {
        const auto i = static_cast<std::size_t>(k);
        const int left = margin + k * colW;
        const int barLeft = left + (colW - barW + markW) / 2;
        PerfLab[i]->Move(barLeft - 200, margin, barW + 400, labH);
        PerfVScroll[i]->Move(barLeft, barTop, barW, barH);
        const int markH = 195;
        const int tops[3] = {barTop, barTop + (barH - markH) / 2, barTop + barH - markH};
        for (int m = 0; m < 3; ++m)
            marks_[i][static_cast<std::size_t>(m)]->Move(barLeft - markW - 30, tops[m], markW, markH);
        PerfLab1[i]->Move(left, barTop + barH + 30, colW, nameH);
    }
}

void frmEditPerf::Form_Activate() { MenuAgg(); }

void frmEditPerf::Form_Resize() {
    layoutControls();
    if (Busy) return;
    ToolResizedToStandard();
    layoutControls();
    MenuAgg();
}

void frmEditPerf::Form_QueryUnload(int& Cancel, int /*UnloadMode*/) {
    if (!PrgRecMayClose(EditPrgOpen, frmEditPrg::Open(), Caption())) Cancel = 1;
}

void frmEditPerf::Form_Unload(int& /*Cancel*/) {
    EditPerfOpen = false;
    ToolUnloaded(true);
    ProgramEdit.record.editorClosed();
    MenuAgg();
}

void frmEditPerf::Form_MouseDown(int button) {
    if (button != vbRightButton) return;
    if (frmMain* m = MainForm()) PopupMenu(m->mnuModifica->subMenu());
}

void frmEditPerf::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::RightButton) {
        e->accept();
        Form_MouseDown(vbRightButton);
        return;
    }
    ToolForm::mousePressEvent(e);
}

// ---- the edit sequence of the program rows, the program editor closed --------

std::string& frmEditPerf::record() { return PrgRec; }

// A record never built holds no program: nothing to move.
bool frmEditPerf::quiet() const { return !recordBuilt(); }

bool frmEditPerf::beforeStore(const ParamRow& row) {
    if (row.osc != 0) PrgOscSelect(row.osc);
    return true;
}

void frmEditPerf::stored(const ParamRow& row) {
    if (const PerfMove* m = moveOf(row); m && m->pair) put(PrgRec, row.pos + 1, at(PrgRec, row.pos));
    PrgModified = true;
}

bool frmEditPerf::send(const ParamRow& row, int value) {
    PrgParamTx(row.msg->group, row.msg->index, static_cast<int16_t>(value));
    return MidiOn != 0;
}

bool frmEditPerf::monitored(const ParamRow& row) const {
    const PerfMove* m = moveOf(row);
    return m && m->logged;
}

void frmEditPerf::PerfVScroll_Change(int k) {
    const PerfSlider& slider = PerfSliderMap()[static_cast<std::size_t>(k)];
    const int v = binder_.value(slider.row);
    binder_.showLabel(slider.row);
    if (binder_.quiet()) return;
    const bool twoOsc = (at(PrgRec, 19) & 3) == 1;
    const int prev = PerfVal[static_cast<std::size_t>(k)];
    frmEditPrg* ed = EditPrgOpen ? frmEditPrg::Open() : nullptr;
    for (const PerfMove& m : slider.moves) {
        const ParamRow& row = *m.row;
        if (row.osc == 2 && !twoOsc) continue;
        const int n = PerfEditCalcW(k, static_cast<int>(ParamRaw(PrgRec, row)), prev, v, slider.step);
        if (ed && !m.pair) {
            // The program editor's slider carries the change: its own edit
            // stores and sends it, once; the byte takes the value even where
            // that slider already showed it.
            ed->setValue(row, n);
            ParamStore(PrgRec, row, n);
        } else {
            // An effect's balance is sent from here; the program editor only
            // shows it.
            binder_.commit(row, n);
            if (ed) ed->show(row);
        }
    }
    PerfVal[static_cast<std::size_t>(k)] = v;
    PrgModified = true;
}
