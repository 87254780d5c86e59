// The Global window's edits: every stored parameter through its row of the
// table (image byte, changed mark, the whole dump), the channel lists, the
// user-scale resets and the fill.
#include "app/ImageLayout.h"
#include "app/state.h"
#include "editors/global/GblParams.h"
#include "editors/state.h"
#include "editors/global/frmGbl.h"
#include "midi/MIDI.h"
#include "platform/Controls.h"
#include "platform/bytes.h"

std::string& frmGbl::record() { return Tag(); }

bool frmGbl::quiet() const { return loading(); }

void frmGbl::stored(const ParamRow&) { put(Tag(), ImgChanged, 1); }

bool frmGbl::send(const ParamRow&, int) { return sendDump(); }

void frmGbl::Combo3_Change(int i) {
    if (i < 4) return binder_.edited(*GblParams().Combo3[static_cast<std::size_t>(i)]);
    // A channel setting of the program: nothing stored, nothing sent; every
    // Global window shows it at once.
    const int v = Combo3[static_cast<std::size_t>(i)]->ListIndex();
    if (binder_.quiet() || v < 0) return;
    for (const GblChannelRow& ch : GblChannelRows())
        if (ch.index == i) *ch.setting = v;
    for (frmGbl* f : GblForms())
        if (f && f != this && f->Loaded()) f->showChannels();
}

void frmGbl::CommResetUS_Click(int k) {
    {
        const Quiet quiet;
        for (int i = 12 * k; i < 12 * k + 12; ++i) VScroll2[static_cast<std::size_t>(i)]->setValue(0);
        std::string image = Tag();
        GblScaleReset(image, k);
        setTag(image);
    }
    CommLoadGbl_Click();
}

void frmGbl::showChannels() {
    const Quiet quiet;
    for (const GblChannelRow& ch : GblChannelRows()) Combo3[static_cast<std::size_t>(ch.index)]->setListIndex(*ch.setting);
}

void frmGbl::GblAggFrm() {
    {
        const Quiet quiet;
        binder_.fillAll();
    }
    showChannels();
}
