#include "shell/Arrange.h"

#include <QMdiSubWindow>
#include <initializer_list>

#include "app/ImageLayout.h"
#include "app/Links.h"
#include "app/Tables.h"
#include "app/ToolForm.h"
#include "app/state.h"
#include "platform/Forms.h"
#include "shell/MenuAgg.h"
#include "shell/frmMain.h"

namespace {

constexpr int CascadeStepLeft = 300, CascadeStepTop = 330;

bool among(int v, std::initializer_list<int> set) {
    for (int s : set)
        if (s == v) return true;
    return false;
}

// The single-instance windows taking part in a cascade, by kind.
bool cascadedSingleKind(int kind) {
    return among(kind, {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15, 16, 17, 18, 28, 29, 30, 32, 33, 34, 35, 36});
}

// A window of the frame that the user sees: loaded, shown, not on its way out.
bool live(const ChildForm* f, const MdiFrame* frame) {
    return f && !f->Discarded() && f->Loaded() && f->frame() == frame && f->subWindow() &&
           f->subWindow()->isVisible();
}

int kindOf(const ChildForm* f) {
    if (int k = WinKind(f->Tag())) return k;
    auto* t = dynamic_cast<const ToolForm*>(f);
    return t ? t->kind() : 0;
}

class Cascade {
public:
    explicit Cascade(frmMain* frame) : frame_(frame) {}

    // Places the window of an open record; a record says where it was put.
    template <class Rec>
    void place(ChildForm* f, Rec* record) {
        if (!live(f, frame_) || f->WindowState() == vbMinimized) return;
        if (f->WindowState() == vbMaximized) f->setWindowState(vbNormal);
        f->Move(left_, top_);
        f->subWindow()->raise();
        if (record) {
            record->Left = left_;
            record->Top = top_;
        }
        left_ += CascadeStepLeft;
        top_ += CascadeStepTop;
        last_ = f;
    }
    void place(ChildForm* f) { place<SlotRec>(f, nullptr); }

    template <std::size_t N>
    void records(WinFamily family, std::array<SlotRec, N>& table, int first, int lastSlot, bool keep) {
        for (int k = first; k <= lastSlot; ++k) {
            SlotRec& r = table[static_cast<std::size_t>(k)];
            if (r.State == 1) keep ? place(WindowOf(family, k), &r) : place(WindowOf(family, k));
        }
    }
    template <std::size_t N>
    void used(WinFamily family, const std::array<uint8_t, N>& table) {
        for (int k = 1; k <= 8; ++k)
            if (table[static_cast<std::size_t>(k)] == 1) place(WindowOf(family, k));
    }
    void singles() {
        const std::vector<ChildForm*> forms = frame_->Forms();
        for (int kind = 1; kind <= WinKinds; ++kind) {
            if (!cascadedSingleKind(kind) || WinEntry(kind).State != 1) continue;
            for (ChildForm* f : forms)
                if (kindOf(f) == kind) {
                    place(f, &WinEntry(kind));
                    break;
                }
        }
    }
    void finish() {
        if (last_) last_->activate();
    }

private:
    frmMain* frame_;
    int left_ = 0, top_ = 0;
    ChildForm* last_ = nullptr;
};

}  // namespace

void mnuWCascade_Click() {
    frmMain* m = MainForm();
    if (!m) return;
    Cascade c(m);
    c.records(WinFamily::ArrU, ArrSlots, 1, 9, true);
    c.records(WinFamily::ArrNew, ArrNewSlots, 1, 8, false);
    c.records(WinFamily::StyUN, StySlots, 1, 9, true);
    c.used(WinFamily::StyNew, StyNewUsed);
    c.records(WinFamily::PrgUN, PrgSlots, 1, 9, true);
    c.used(WinFamily::PrgNew, PrgNewUsed);
    c.records(WinFamily::Gbl, GblSlots, 0, 8, false);
    c.records(WinFamily::Bsq, BsqSlots, 1, 8, false);
    c.singles();
    c.finish();
}

void mnuIngrandisci_Click() {
    frmMain* m = MainForm();
    if (!m || m->Forms().empty()) return;
    ChildForm* c = m->ActiveForm();
    if (!live(c, m)) return;
    const int kind = WinKind(c->Tag());
    int h = 0, w = 0;
    if (HasStandardSize(kind)) StandardSize(kind, h, w);
    if (h <= 0 || w <= 0) return;
    if (c->WindowState() != vbNormal) c->setWindowState(vbNormal);
    // Both sides at once: one resize, which finds the size within its limits.
    c->Move(c->Left(), c->Top(), w, h);
    MenuAgg();
}

void InstallArrange() {
    RegisterMenuCommand(MenuId::mnuWCascade, [] { mnuWCascade_Click(); });
    RegisterMenuCommand(MenuId::mnuIngrandisci, [] { mnuIngrandisci_Click(); });
}
