// The program editor's EFFECTS page beyond its rows: the balance of an
// absent effect disabled, the I/O sliders as return levels or output pans
// by the placement, and the placement switch.
#include "app/state.h"
#include "editors/EffectNames.h"
#include "editors/ProgramParams.h"
#include "editors/frmEditPrg.h"
#include "editors/state.h"

namespace {
// The caption label of each slider and list (EffLab1).
constexpr int kSliderCaption[8] = {0, 8, 2, 11, 4, 5, 6, 7};
constexpr int kListCaption[5] = {1, 9, 3, 10, 12};
constexpr int Parallel3 = 3;
constexpr int NoEffect = EffectCount - 1;  // its list index
}  // namespace

int frmEditPrg::effCaptionIndex(const ParamRow& row) {
    const PrgParamTable& t = ProgramParams();
    for (std::size_t i = 0; i < t.EffHScroll.size(); ++i)
        if (&row == t.EffHScroll[i]) return kSliderCaption[i];
    for (std::size_t i = 0; i < t.EffCombo.size(); ++i)
        if (&row == t.EffCombo[i]) return kListCaption[i];
    return -1;
}

bool frmEditPrg::effBoundLater(const ParamRow& row) {
    const PrgParamTable& t = ProgramParams();
    return &row == t.EffHScrollPan[5] || &row == t.EffHScrollPan[7];
}

std::function<void()> frmEditPrg::effHandler(const ParamRow& row) {
    const PrgParamTable& t = ProgramParams();
    for (int i = 0; i < 5; ++i)
        if (&row == t.EffCombo[static_cast<std::size_t>(i)]) return [this, i] { EffCombo_Click(i); };
    for (int i = 4; i < 8; ++i)
        if (&row == t.EffHScroll[static_cast<std::size_t>(i)]) return [this, i] { EffHScroll_Change(i); };
    return {};
}

// After the page's rows are built: the value labels, and the output pans
// bound to sliders 5 and 7. The I/O rows are filled once the placement is
// known, never by the binder's walk.
void frmEditPrg::buildEffects() {
    const PrgParamTable& t = ProgramParams();
    for (std::size_t i = 0; i < EffLab.size(); ++i) EffLab[i] = binder_.label(*t.EffHScroll[i]);
    for (int i : {5, 7}) {
        const auto k = static_cast<std::size_t>(i);
        const ParamRow& pan = *t.EffHScrollPan[k];
        binder_.adopt(pan, binder_.control(*t.EffHScroll[k]), nullptr, [this, i] { EffHScroll_Change(i); });
        binder_.setLabel(pan, EffLab[k]);
        binder_.leaveOutOfFillAll(pan);
    }
    for (std::size_t i = 4; i < 8; ++i) binder_.leaveOutOfFillAll(*t.EffHScroll[i]);
}

// The row slider i stands for now: sliders 4-7 by the placement shown
// (nullptr for 4 and 6 as long as they are hidden).
const ParamRow* frmEditPrg::ioRow(int i) const {
    const PrgParamTable& t = ProgramParams();
    const auto k = static_cast<std::size_t>(i);
    if (i < 4) return t.EffHScroll[k];
    return binder_.value(*t.EffCombo[4]) == Parallel3 ? t.EffHScroll[k] : t.EffHScrollPan[k];
}

// The I/O sliders as return levels or output pans: shown or hidden with
// their labels, range and caption; with `reset`, at the start value (5, or
// 0 "OFF").
void frmEditPrg::ioShow(bool returns, bool reset) {
    const PrgParamTable& t = ProgramParams();
    for (std::size_t i = 4; i < 8; ++i) {
        const ParamRow* r = returns ? t.EffHScroll[i] : t.EffHScrollPan[i];
        auto* s = static_cast<ScrollBarBase*>(binder_.control(*t.EffHScroll[i]));
        s->setVisible(r != nullptr);
        EffLab[i]->setVisible(r != nullptr);
        EffLab1[i]->setVisible(r != nullptr);
        if (!r) continue;
        s->setMin(r->min);
        s->setMax(r->max);
        EffLab1[i]->setCaption(r->caption);
        if (reset) {
            s->setValue(returns ? 5 : 0);
            binder_.showLabel(*r);
        }
    }
}

// "No Effect" has no balance to set.
void frmEditPrg::effectTypeShown(int i) {
    const auto k = static_cast<std::size_t>(i);
    const bool on = binder_.value(*ProgramParams().EffCombo[k]) != NoEffect;
    binder_.control(*ProgramParams().EffHScroll[k])->setEnabled(on);
    EffLab[k]->setEnabled(on);
    EffLab1[k]->setEnabled(on);
}

// The page's part of the fill, after the rows the binder filled: the I/O
// sliders set up for the placement before they take their values, so that
// a value is never clamped to the other meaning's range.
void frmEditPrg::effectsFill() {
    ioShow(binder_.value(*ProgramParams().EffCombo[4]) == Parallel3, false);
    for (int i = 4; i < 8; ++i)
        if (const ParamRow* r = ioRow(i)) binder_.fill(*r);
    effectTypeShown(0);
    effectTypeShown(2);
}

// A new placement: the I/O sliders set up for it, quietly; then every
// slider shown is stored and sent once, in slider order, and the placement
// last, so that the record, the instrument and the page agree.
void frmEditPrg::placementChosen() {
    const ParamRow& placement = *ProgramParams().EffCombo[4];
    if (binder_.quiet()) return;
    const int li = binder_.value(placement);
    if (li < 0) return;
    {
        const Quiet quiet;
        ioShow(li == Parallel3, true);
    }
    for (int i = 4; i < 8; ++i)
        if (const ParamRow* r = ioRow(i)) binder_.commit(*r, binder_.value(*r));
    binder_.commit(placement, li);
}

void frmEditPrg::EffCombo_Click(int i) {
    if (i == 4) {
        placementChosen();
        return;
    }
    binder_.edited(*ProgramParams().EffCombo[static_cast<std::size_t>(i)]);
    if (i == 0 || i == 2) effectTypeShown(i);
}

void frmEditPrg::EffCheck_Click(int i) { binder_.edited(*ProgramParams().EffCheck[static_cast<std::size_t>(i)]); }

void frmEditPrg::EffHScroll_Change(int i) {
    if (const ParamRow* r = ioRow(i)) binder_.edited(*r);
}
