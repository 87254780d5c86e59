// The Global window's handlers: every stored parameter through its row of
// the table (image byte, changed mark, the whole dump), the channel lists,
// the user-scale resets and the fill.
#include "app/ImageLayout.h"
#include "app/state.h"
#include "editors/global/GblParams.h"
#include "editors/global/frmGbl.h"
#include "platform/Controls.h"
#include "platform/bytes.h"

QWidget* frmGbl::controlOf(const ParamRow& row) const {
    const auto i = static_cast<std::size_t>(row.index < 0 ? 0 : row.index);
    const std::string c = row.control;
    if (c == "GblHScroll1") return GblHScroll1[i];
    if (c == "GblCombo1") return GblCombo1[i];
    if (c == "GblCheck1") return GblCheck1[i];
    if (c == "GblOption1") return GblOption1[i];
    if (c == "VScroll2") return VScroll2[i];
    if (c == "Combo3") return Combo3[i];
    if (c == "HScroll3") return HScroll3[i];
    return Check3;
}

Label* frmGbl::labelOf(const ParamRow& row) const {
    const std::string c = row.control;
    if (c == "GblHScroll1") return GblLab1[row.index == 0 ? 1 : 13];
    if (c == "VScroll2") return Lab2[static_cast<std::size_t>(row.index)];
    if (c == "HScroll3") return Lab3[row.index == 0 ? 5 : 7];
    return nullptr;
}

int frmGbl::controlValue(const ParamRow& row) const {
    QWidget* w = controlOf(row);
    switch (row.kind) {
    case ParamCtl::Slider:
    case ParamCtl::Multisample: return static_cast<ScrollBarBase*>(w)->Value();
    case ParamCtl::List: return static_cast<ComboBox*>(w)->ListIndex();
    case ParamCtl::Check: return static_cast<CheckBox*>(w)->Value();
    case ParamCtl::Option: return GblOption1[0]->Value() ? 1 : 0;   // whichever button was clicked
    }
    return 0;
}

void frmGbl::setControlValue(const ParamRow& row, int v) {
    QWidget* w = controlOf(row);
    switch (row.kind) {
    case ParamCtl::Slider:
    case ParamCtl::Multisample: static_cast<ScrollBarBase*>(w)->setValue(v); break;
    case ParamCtl::List: static_cast<ComboBox*>(w)->setListIndex(v); break;
    case ParamCtl::Check: static_cast<CheckBox*>(w)->setValue(v); break;
    case ParamCtl::Option: GblOption1[v != 0 ? 0 : 1]->setValue(true); break;
    }
}

void frmGbl::showLabel(const ParamRow& row, bool dragging) {
    if (Label* l = labelOf(row)) l->setCaption(GblLabelText(row, controlValue(row), dragging));
}

// The edit: the control's value into its bits of the image (the others
// kept), the image marked changed, then the whole block sent. Nothing while
// the window is being filled; a list showing no item changes nothing.
void frmGbl::rowChanged(const ParamRow& row) {
    if (Busy || loading()) return;
    const int value = controlValue(row);
    if (row.kind == ParamCtl::List && value < 0) return;
    std::string image = Tag();
    ParamStore(image, row, value);
    put(image, ImgChanged, 1);
    setTag(image);
    CommLoadGbl_Click();
}

void frmGbl::GblCombo1_Change(int i) { rowChanged(*GblRowOf("GblCombo1", i)); }
void frmGbl::GblCheck1_Click(int i) { rowChanged(*GblRowOf("GblCheck1", i)); }
void frmGbl::Check3_Click() { rowChanged(*GblRowOf("Check3", -1)); }
void frmGbl::GblOption1_Click(int) { rowChanged(*GblRowOf("GblOption1", 0)); }

void frmGbl::GblHScroll1_Change(int i) {
    const ParamRow& row = *GblRowOf("GblHScroll1", i);
    showLabel(row, false);
    rowChanged(row);
}

void frmGbl::GblHScroll1_Scroll(int i) {
    const ParamRow& row = *GblRowOf("GblHScroll1", i);
    showLabel(row, true);
    rowChanged(row);
}

void frmGbl::HScroll3_Change(int i) {
    if (Busy) return;
    const ParamRow& row = *GblRowOf("HScroll3", i);
    showLabel(row, false);
    rowChanged(row);
}

void frmGbl::VScroll2_Change(int i) {
    const ParamRow& row = *GblRowOf("VScroll2", i);
    showLabel(row, false);
    rowChanged(row);
}

void frmGbl::Combo3_Change(int i) {
    if (i < 4) return rowChanged(*GblRowOf("Combo3", i));
    // A channel setting of the program: nothing stored, nothing sent; every
    // Global window shows it at once.
    const int v = Combo3[static_cast<std::size_t>(i)]->ListIndex();
    if (Busy || loading() || v < 0) return;
    for (const GblChannelRow& ch : GblChannelRows())
        if (ch.index == i) *ch.setting = v;
    for (frmGbl* f : GblForms())
        if (f && f != this && f->Loaded()) f->showChannels();
}

void frmGbl::CommResetUS_Click(int k) {
    const bool was = Busy;
    Busy = true;
    for (int i = 12 * k; i < 12 * k + 12; ++i) VScroll2[static_cast<std::size_t>(i)]->setValue(0);
    std::string image = Tag();
    GblScaleReset(image, k);
    setTag(image);
    Busy = was;
    CommLoadGbl_Click();
}

void frmGbl::showChannels() {
    const bool was = Busy;
    Busy = true;
    for (const GblChannelRow& ch : GblChannelRows()) Combo3[static_cast<std::size_t>(ch.index)]->setListIndex(*ch.setting);
    Busy = was;
}

void frmGbl::GblAggFrm() {
    const bool was = Busy;
    Busy = true;
    for (const ParamRow& row : GblCtrlMap()) {
        setControlValue(row, ParamRead(Tag(), row).value_or(-1));
        showLabel(row, false);
    }
    Busy = was;
    showChannels();
}
