#include "shell/MenuAgg.h"

#include <initializer_list>

#include "app/ImageLayout.h"
#include "app/Tables.h"
#include "app/WindowJobs.h"
#include "app/state.h"
#include "files/state.h"
#include "platform/Controls.h"
#include "platform/bytes.h"
#include "shell/ToolCommands.h"
#include "shell/frmMain.h"
#include "shell/state.h"

namespace {

bool among(int v, std::initializer_list<int> set) {
    for (int s : set)
        if (s == v) return true;
    return false;
}

// Whether the window offers the job now; a window without it does not.
bool offers(const ChildForm* c, WindowJob job) {
    const JobWindow* w = JobWindowOf(c);
    return w && w->JobOffered(job);
}

// Row i of a list as the user reads it: cut at its first NUL, trailing
// blanks removed; "" for no list or no such row.
std::string rowText(const ListBox* l, int i) {
    if (!l || i < 0 || i >= l->ListCount()) return {};
    return rtrim(cutAtNul(l->List(i)));
}

bool pasteFits(int kind, int clipKind) {
    switch (kind) {
    case 19: case 20: return among(clipKind, {2, 3, 19, 20});
    case 21: case 22: return among(clipKind, {4, 5, 6, 7, 8, 21, 22});
    case 23: case 24: return among(clipKind, {23, 24});
    default: return false;
    }
}

// The automatic program selection window: Cut and Paste by the list clicked last.
void prgSelAutoRules(frmMain& m, const ChildForm* c) {
    auto* l1 = FindControl<ListBox>(c, QStringLiteral("List1"));
    auto* l2 = FindControl<ListBox>(c, QStringLiteral("List2"));
    const bool clip = !ClipBuf.empty();
    if (PrgSelAutoFocus == 1 || PrgSelAutoFocus == 3) {
        const int i = l1 ? l1->ListIndex() : -1;
        if (i == -1 || !l1->Selected(i)) return;
        if (!rowText(l1, i).empty())
            m.mnuTaglia->setEnabled(true);
        else if (clip && ClipKind == 19)
            m.mnuIncolla->setEnabled(true);
        return;
    }
    const int i = l2 ? l2->ListIndex() : -1;
    if (i == -1) return;
    if (!rowText(l2, i).empty()) {
        m.mnuTaglia->setEnabled(true);
        if (clip && ClipKind == 21) m.mnuIncolla->setEnabled(true);
    } else if (!rowText(l1, i).empty() && clip && ClipKind == 21) {
        m.mnuIncolla->setEnabled(true);
    }
}

// Save, Save As, Cut, Copy and Paste of the file windows.
void fileWindowRules(frmMain& m, const ChildForm* c, int kind, bool readOnly) {
    const std::string& tag = c->Tag();
    const bool styles = kind == 23 || kind == 24;
    m.mnuSalva->setEnabled(at(tag, ImgSaveAs) == 0);
    m.mnuSalvaAs->setEnabled(true);
    if (styles) m.mnuLoadSty->setEnabled(offers(c, WindowJob::LoadSty));
    auto* l1 = FindControl<ListBox>(c, QStringLiteral("List1"));
    const int i = l1 ? l1->ListIndex() : -1;
    if (i == -1 || !l1->Selected(i)) return;
    if (styles && among(i, {4, 9, 14})) return;  // separators between the style groups
    const std::string t = rowText(l1, i);
    const bool empty = t.size() <= 2 || (styles && t.size() > 4 && t.substr(4) == "- empty -");
    if (!empty) {
        m.mnuCopia->setEnabled(true);
        if (!readOnly) m.mnuTaglia->setEnabled(true);
        return;
    }
    if (!ClipBuf.empty() && !readOnly && pasteFits(kind, ClipKind)) m.mnuIncolla->setEnabled(true);
}

}  // namespace

bool HasStandardSize(int kind) {
    return among(kind, {2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 32,
                        34, 35, 36});
}

void MenuAgg() {
    frmMain* mp = MainForm();
    if (!mp || AppClosing) return;
    frmMain& m = *mp;
    for (MenuItem* it : {m.mnuIngrandisci, m.mnuPrint, m.mnuTaglia, m.mnuIncolla, m.mnuCopia, m.mnuSalva,
                         m.mnuSalvaAs, m.mnuLoadArr, m.mnuLoadSty, m.mnuShowSty, m.mnuLoadPrg, m.mnuShowPrg,
                         m.mnuEdit, m.mnuEditPerf, m.mnui40DBArr, m.mnuCancella, m.mnuDBArrApri, m.mnuAddAll})
        it->setEnabled(false);
    // Whether a child exists is asked of the frame itself: a counter left
    // behind must never lead to a window that is gone.
    ChildForm* c = m.Forms().empty() ? nullptr : m.ActiveForm();
    m.mnuWindow->setEnabled(c != nullptr);
    m.mnuChiudi->setEnabled(c != nullptr);
    if (!c) return;

    const std::string& tag = c->Tag();
    const bool readOnly = at(tag, ImgRdOnly) == 1 || m.mnuRdOnly->Checked();
    if (!ClipBuf.empty()) ClipKind = at(ClipBuf, ImgKind);
    const int kind = at(tag, ImgKind);

    // Pass 1: Enlarge, compared in whole pixels.
    if (HasStandardSize(kind)) {
        int sh = 0, sw = 0;
        StandardSize(kind, sh, sw);
        m.mnuIngrandisci->setEnabled(twipsToPxY(c->Height()) != twipsToPxY(sh) ||
                                     twipsToPxX(c->Width()) != twipsToPxX(sw));
    }
    // Print, and the items that mirror the window's own buttons.
    m.mnuPrint->setEnabled(among(kind, {2, 3, 4, 5, 6, 7, 8, 19, 20, 21, 22}));
    switch (kind) {
    case 12:
        // Cut is the database's Delete: offered exactly while Delete is.
        m.mnuTaglia->setEnabled(offers(c, WindowJob::Cut));
        m.mnuCancella->setEnabled(offers(c, WindowJob::Delete));
        m.mnuDBArrApri->setEnabled(offers(c, WindowJob::OpenEntry));
        m.mnuAddAll->setEnabled(offers(c, WindowJob::AddAll));
        break;
    case 19:
        m.mnuShowSty->setEnabled(offers(c, WindowJob::ShowSty));
        m.mnuLoadPrg->setEnabled(offers(c, WindowJob::LoadPrg));
        m.mnuShowPrg->setEnabled(offers(c, WindowJob::ShowPrg));
        m.mnuEdit->setEnabled(offers(c, WindowJob::Edit));
        m.mnui40DBArr->setEnabled(offers(c, WindowJob::AddToDatabase));
        [[fallthrough]];
    case 20:
        m.mnuLoadArr->setEnabled(offers(c, WindowJob::LoadArr));
        m.mnuLoadSty->setEnabled(offers(c, WindowJob::LoadSty));
        break;
    case 21: case 22:
        m.mnuLoadPrg->setEnabled(offers(c, WindowJob::LoadPrg));
        m.mnuEdit->setEnabled(offers(c, WindowJob::Edit));
        m.mnuEditPerf->setEnabled(!EditPerfOpen && MenuCommandAvailable(MenuId::mnuEditPerf));
        break;
    case 14: case 25:
        m.mnuSalva->setEnabled(!readOnly);
        m.mnuSalvaAs->setEnabled(true);
        return;
    case 34:
        prgSelAutoRules(m, c);
        return;
    default: break;
    }

    // Pass 2: Save, Save As, Cut, Copy, Paste.
    switch (kind) {
    case 2: case 3:
        m.mnuCopia->setEnabled(true);
        m.mnuSalvaAs->setEnabled(true);
        break;
    case 4: case 5: case 6: case 7: case 8: {
        auto* l1 = FindControl<ListBox>(c, QStringLiteral("List1"));
        const int i = l1 ? l1->ListIndex() : -1;
        if (i != -1 && l1->Selected(i)) m.mnuCopia->setEnabled(true);
        break;
    }
    case 19: case 20: case 21: case 22: case 23: case 24: case 31:
        fileWindowRules(m, c, kind, readOnly);
        break;
    default: break;
    }
}
