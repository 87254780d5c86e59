#include "app/ToolForm.h"

#include <algorithm>
#include <vector>

#include "app/Links.h"
#include "app/Tables.h"
#include "app/state.h"
#include "platform/Controls.h"

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

ToolForm::ToolForm(MdiFrame* frame, const QString& name, int kind) : ChildForm(frame, name), kind_(kind) {
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
    if (!menuItem_) return;
    ++ChildWinCount;
    MainWindowLink().enableMenu(*menuItem_, false);
    open_ = Registration([item = *menuItem_] {
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

void StandardSizeClamp(ChildForm& f, int kind, int& keepHeight, int& keepWidth) {
    int sh = 0, sw = 0;
    StandardSize(kind, sh, sw);
    const bool wide = sw > 0 && WidthBelow(sw, f.Width());
    const bool tall = sh > 0 && HeightBelow(sh, f.Height());
    if (wide || tall) f.Move(f.Left(), f.Top(), wide ? sw : f.Width(), tall ? sh : f.Height());
    keepHeight = twipsToPxY(f.Height()) == twipsToPxY(sh) ? sh : f.Height();
    keepWidth = twipsToPxX(f.Width()) == twipsToPxX(sw) ? sw : f.Width();
}

void ToolForm::ToolResizedToStandard() {
    WinState& e = WinEntry(kind_);
    switch (WindowState()) {
    case vbNormal:
        StandardSizeClamp(*this, kind_, e.Height, e.Width);
        e.State = 1;
        break;
    case vbMinimized: e.State = 2; break;
    default: break;
    }
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
