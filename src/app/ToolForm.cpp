#include "app/ToolForm.h"

#include <algorithm>
#include <vector>

#include "app/Links.h"
#include "app/Tables.h"
#include "app/state.h"

namespace {
// Every tool window in existence, whatever its frame or state.
std::vector<ToolForm*>& all() {
    static std::vector<ToolForm*> v;
    return v;
}
}  // namespace

ToolForm::ToolForm(MdiFrame* frame, const QString& name, int kind, MenuId menuItem)
    : ChildForm(frame, name), kind_(kind), menuItem_(menuItem) {
    all().push_back(this);
}

ToolForm::~ToolForm() {
    auto& v = all();
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
}

ToolForm* ToolForm::Find(const MdiFrame* frame, int kind) {
    if (!frame) return nullptr;
    for (ToolForm* f : all())
        if (f->kind_ == kind && f->frame() == frame && !f->Discarded()) return f;
    return nullptr;
}

void ToolForm::ToolLoaded(bool place) {
    WinState& e = WinEntry(kind_);
    if (place) {
        int h = 0, w = 0;
        StandardSize(kind_, h, w);
        Move(e.Left, e.Top, e.Width > 0 ? e.Width : w, e.Height > 0 ? e.Height : h);
    }
    e.State = 1;
    ++ChildWinCount;
    MainWindowLink().enableMenu(menuItem_, false);
    open_ = Registration([item = menuItem_] {
        --ChildWinCount;
        MainWindowLink().enableMenu(item, true);
    });
}

void ToolForm::ToolResized() {
    if (WindowState() != vbNormal) return;
    WinState& e = WinEntry(kind_);
    e.Height = Height();
    e.Width = Width();
}

void ToolForm::ToolUnloaded(bool storePlace) {
    WinState& e = WinEntry(kind_);
    if (storePlace) {
        e.Top = Top();
        e.Left = Left();
    }
    if (!AppClosing) e.State = 0;
    else if (WindowState() != vbMaximized) e.State = WindowState() == vbMinimized ? 2 : 1;
    open_.release();
}
