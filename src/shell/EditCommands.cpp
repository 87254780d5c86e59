#include "shell/EditCommands.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <vector>

#include "app/Documents.h"
#include "app/EditRecord.h"
#include "app/ImageLayout.h"
#include "app/Messages.h"
#include "app/Tables.h"
#include "app/WindowJobs.h"
#include "app/state.h"
#include "files/Clipboard.h"
#include "files/state.h"
#include "platform/Controls.h"
#include "platform/bytes.h"
#include "shell/MenuAgg.h"
#include "shell/frmMain.h"

namespace {

ChildForm* activeChild() {
    frmMain* m = MainForm();
    if (!m || m->Forms().empty()) return nullptr;
    return m->ActiveForm();
}

ListBox* list1(const ChildForm* c) { return FindControl<ListBox>(c, QStringLiteral("List1")); }

// A job of the window; a window without it is left alone.
void runJob(ChildForm* c, WindowJob job) {
    if (JobWindow* w = JobWindowOf(c)) w->RunJob(job);
}

// The image changed: the window shows it, then the menus follow.
void shown(ChildForm* c) {
    if (JobWindow* w = JobWindowOf(c)) w->ImageChanged();
    MenuAgg();
}

void readOnlyRefused(const ChildForm* c) { ErrMsg(ErrReadOnly, c->Caption()); }

// Copy into ClipBuf and the window's image; false for a window without a
// row table (nothing changes then).
bool copyRows(ChildForm* c) {
    const int kind = at(c->Tag(), ImgKind);
    const int rows = RowTableRows(kind);
    ListBox* l = list1(c);
    if (rows <= 0 || !l) return false;
    std::vector<std::string> texts;
    std::vector<bool> marks;
    for (int i = 0; i < rows && i < l->ListCount(); ++i) {
        // Blank-padded, so that no part of an older, longer text stays behind.
        texts.push_back(padRight(l->List(i), static_cast<std::size_t>(ImgRowLen - 1)));
        marks.push_back(l->Selected(i));
    }
    ClipKind = kind;
    ClipBuf = c->Tag();
    RowTableWrite(ClipBuf, texts, marks);
    c->Tag() = ClipBuf;
    return true;
}

// A cut in an arrangement file dropped styles of its own: their window
// opens on the style part that is left, unless one shows this file's styles.
void showStylesAfterCut(ChildForm* c) {
    if (HolderOf(ImgPathOf(c->Tag()) + ".sty", DocumentOf(c))) return;
    const int slot = StySlotFree();
    if (slot == 0) return;
    // The slot starts from a closed record: a mark the last run left in it
    // belongs to no window.
    StySlots[static_cast<std::size_t>(slot)].State = 0;
    StySlotCur = slot;
    StyShowByCut = 1;
    runJob(c, WindowJob::ShowSty);
}

// Ctrl+C, Ctrl+Z and Ctrl+V on a document window's list run the Edit
// commands before the list can put its row text on the system clipboard.
class ListKeys : public QObject {
protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() != QEvent::ShortcutOverride && e->type() != QEvent::KeyPress) return false;
        auto* l = dynamic_cast<ListBox*>(o);
        if (!l) return false;
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->modifiers() != Qt::ControlModifier) return false;
        MenuId id;
        switch (k->key()) {
        case Qt::Key_C: id = MenuId::mnuCopia; break;
        case Qt::Key_Z: id = MenuId::mnuTaglia; break;
        case Qt::Key_V: id = MenuId::mnuIncolla; break;
        default: return false;
        }
        frmMain* m = MainForm();
        ChildForm* c = activeChild();
        if (!m || !c || !c->isAncestorOf(l)) return false;
        if (e->type() == QEvent::ShortcutOverride) {
            e->accept();   // the key comes back as a key press
            return true;
        }
        MenuAgg();
        if (m->item(id)->isEnabled()) RunMenuCommand(id);
        return true;
    }
};

}  // namespace

void mnuCopia_Click() {
    ChildForm* c = activeChild();
    if (c) copyRows(c);
}

void mnuTaglia_Click() {
    ChildForm* c = activeChild();
    if (!c) return;
    const int kind = at(c->Tag(), ImgKind);
    // The database and the automatic selection delete by their own
    // procedures and keep what the user copied or cut last.
    if (kind == 12 || kind == 34) return runJob(c, WindowJob::Cut);
    if (kind < 19 || kind > 24) return;
    if (ImgIsRdOnly(c->Tag())) return readOnlyRefused(c);
    // An edit of an entry that goes is kept or dropped first, as the user
    // answers, so that the clipboard takes the entry as the user chose.
    ListBox* l = list1(c);
    QPointer<ChildForm> window(c);
    if (!EditRecordsKeepBeforeCut(c, [l](int row) { return l && row < l->ListCount() && l->Selected(row); })) return;
    if (!window) return;
    if (!copyRows(c)) return;
    ActiveKind = kind;
    std::string image = c->Tag();
    if (kind == 19 || kind == 20) {
        const CutArrResult r = CutArr(image);
        c->Tag() = image;
        EditRecordsRowsEmptied(c);
        shown(c);
        if (kind == 19 && !r.droppedStyles.empty()) showStylesAfterCut(c);
        return;
    }
    if (kind == 21 || kind == 22) {
        const bool left = CutPrg(image);
        c->Tag() = image;
        if (!left)
            if (auto* b = FindControl<CommandButton>(c, QStringLiteral("CommLoad"))) b->setEnabled(false);
    } else {
        CutSty(image);
        c->Tag() = image;
    }
    EditRecordsRowsEmptied(c);
    shown(c);
}

void mnuIncolla_Click() {
    ChildForm* c = activeChild();
    frmMain* m = MainForm();
    if (!c || !m) return;
    const int kind = at(c->Tag(), ImgKind);
    if (ImgIsRdOnly(c->Tag())) return readOnlyRefused(c);
    // Only where the menu offers it: a selected empty row of a window that
    // takes the clipboard's kind.
    MenuAgg();
    if (!m->mnuIncolla->isEnabled()) return;
    if (kind == 34) return runJob(c, WindowJob::Paste);
    ListBox* l = list1(c);
    const int dest = l ? l->ListIndex() : -1;
    if (dest < 0) return;
    std::string image = c->Tag();
    bool changed = false;
    if (kind == 19 || kind == 20)
        changed = ClipPasteArr(image, dest);
    else if (kind == 21 || kind == 22)
        changed = ClipPastePrg(image, dest);
    else if (kind == 23 || kind == 24)
        changed = ClipPasteSty(image, dest);
    if (!changed) return;
    c->Tag() = image;
    shown(c);
}

void InstallEditCommands() {
    RegisterMenuCommand(MenuId::mnuCopia, mnuCopia_Click);
    RegisterMenuCommand(MenuId::mnuTaglia, mnuTaglia_Click);
    RegisterMenuCommand(MenuId::mnuIncolla, mnuIncolla_Click);
    static ListKeys* keys = nullptr;
    if (!keys && qApp) {
        keys = new ListKeys;
        keys->setParent(qApp);
        qApp->installEventFilter(keys);
    }
}
