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
const char* const kNames[frmEditPerf::Sliders] = {
    "VIBRATO INTENSITY", "VDF CUTOFF", "VDF EG INTENSITY",     "ATTACK TIME",
    "RELEASE TIME",      "VDA LEVEL",  "VELOCITY SENSITIVITY", "EFFECTS BALANCE"};
const char* const kMarks[3] = {"+10", "0", "-10"};
constexpr int SliderTop = 10, SliderBottom = -10;
constexpr int OscBytes = 47;  // oscillator 2's bytes stand this far after oscillator 1's

// The record holds a program of a program window (the kind of its window
// is there once it was built; a blank before).
bool recordBuilt() {
    const unsigned kind = at(PrgRec, PrgRecKind);
    return kind == 21 || kind == 22 || kind == 31;
}

std::string loadCaption() {
    return recordBuilt() ? PrgRecCaption("Performance Edit  ", PrgRec) : std::string("Performance Edit");
}

void putValue(long pos, int v) { put(PrgRec, pos, static_cast<unsigned>(v < 0 ? v + 256 : v)); }

void sendLogged(const ParamMsg& m, int v, bool logged) {
    if (logged) MidiMonLog("");
    PrgParamTx(m.group, m.index, static_cast<int16_t>(v));
    if (logged && MidiOn != 0) MidiMonLogSent();
}

// The program editor's slider of a row set by code: its own handler stores
// and sends, unless `quiet`.
void showIn(frmEditPrg* ed, const ParamRow& row, int v, bool quiet) {
    auto* s = static_cast<ScrollBarBase*>(ed->control(row));
    if (!s) return;
    if (!quiet) {
        s->setValue(v);
        return;
    }
    const Quiet shown;
    s->setValue(v);
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
    for (int k = 0; k < Sliders; ++k) {
        const auto i = static_cast<std::size_t>(k);
        auto* s = new VScroll(this, QStringLiteral("PerfVScroll"), k);
        s->setMin(SliderTop);
        s->setMax(SliderBottom);
        s->setSmallChange(1);
        s->setLargeChange(1);
        s->setValue(0);
        s->Change = [this, k] { PerfVScroll_Change(k); };
        s->Scroll = [this, k] { PerfVScroll_Scroll(k); };
        PerfVScroll[i] = s;
        PerfLab[i] = new Label(this, QStringLiteral("PerfLab"), k);
        PerfLab[i]->setAlignment(Qt::AlignCenter);
        PerfLab[i]->setCaption("0");
        PerfLab1[i] = new Label(this, QStringLiteral("PerfLab1"), k);
        PerfLab1[i]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        PerfLab1[i]->setWordWrap(true);
        PerfLab1[i]->setCaption(kNames[i]);
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

void frmEditPerf::Form_Unload(int& Cancel) {
    if (!PrgRecMayClose(EditPrgOpen, Caption())) {
        Cancel = 1;
        return;
    }
    EditPerfOpen = false;
    ToolUnloaded(true);
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

void frmEditPerf::PerfVScroll_Change(int k) {
    const auto i = static_cast<std::size_t>(k);
    const int v = PerfVScroll[i]->Value();
    PerfLab[i]->setCaption(std::to_string(v));
    if (Busy || !recordBuilt()) return;
    const bool twoOsc = (at(PrgRec, 19) & 3) == 1;
    const int prev = PerfVal[i];
    frmEditPrg* ed = EditPrgOpen ? frmEditPrg::Open() : nullptr;
    const PrgParamTable& t = ProgramParams();
    for (const PerfSliderRow& r : PerfSliderMap()) {
        if (r.slider != k) continue;
        const ParamRow& row = *r.row;
        if (r.osc2 < 0) {
            // An effect's balance: both bytes of its pair, sent here even
            // with the program editor open, whose slider only shows it.
            const int n = PerfEditCalcW(k, static_cast<int>(at(PrgRec, row.pos)), prev, v, r.step);
            putValue(row.pos, n);
            putValue(row.pos + 1, n);
            sendLogged(*row.msg, n, r.logged[0]);
            if (ed) showIn(ed, row, n, true);
            continue;
        }
        for (int osc = 1; osc <= (twoOsc ? 2 : 1); ++osc) {
            const ParamRow& oscRow = osc == 1 ? row : *t.OscHScroll[static_cast<std::size_t>(r.osc2)];
            const long pos = row.pos + (osc == 1 ? 0 : OscBytes);
            const int n = PerfEditCalcW(k, static_cast<int>(at(PrgRec, pos)), prev, v, r.step);
            if (ed) {
                showIn(ed, oscRow, n, false);
            } else {
                PrgOscSelect(osc);
                sendLogged(*row.msg, n, r.logged[static_cast<std::size_t>(osc - 1)]);
            }
            putValue(pos, n);
        }
    }
    PerfVal[i] = v;
    PrgModified = true;
}
