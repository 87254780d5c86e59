#include "library/DocWindow.h"

#include <algorithm>

#include <QMouseEvent>

#include "app/Messages.h"
#include "app/Tables.h"
#include "app/state.h"
#include "files/WindowImage.h"
#include "midi/MIDI.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "shell/MenuAgg.h"
#include "shell/frmMain.h"

DocWindow::DocWindow(MdiFrame* frame, const QString& name, int kind) : ChildForm(frame, name), kind_(kind) {
    CommClose = new CommandButton(this, QStringLiteral("CommClose"));
    CommClose->Click = [this] { CommClose_Click(); };
}

DocWindow::~DocWindow() {
    // Destroyed while open (its frame went without the ordered close).
    countOut();
}

void DocWindow::countOut() {
    if (counter_) --*counter_;
    counter_ = nullptr;
}

void DocWindow::beginLoad() { loading_ = true; }

void DocWindow::placeFromRecord() {
    Layout l = layoutRead();
    if (l.Height <= 0 || l.Width <= 0) StandardSize(kind_, l.Height, l.Width);
    l.State = 1;
    Move(l.Left, l.Top, l.Width, l.Height);
    layoutWrite(l);
}

void DocWindow::endLoad(int& counter, bool openerCounted) {
    if (!counter_) {
        counter_ = &counter;
        if (!openerCounted) ++counter;
    }
    loading_ = false;
}

DocWindow::Layout DocWindow::layoutRead() {
    WinStateWork = WinEntry(kind_);
    return layoutOf(WinStateWork);
}

void DocWindow::layoutWrite(const Layout& l) {
    putLayout(WinStateWork, l);
    WinEntry(kind_) = WinStateWork;
}

long DocWindow::changedPos() const { return ImgChanged; }

int DocWindow::closingState(int current) const {
    switch (WindowState()) {
    case vbMinimized: return 2;
    case vbMaximized: return current;
    default: return 1;
    }
}

void DocWindow::Form_Activate() { MenuAgg(); }

void DocWindow::Form_Resize() {
    if (loading_ || resizing_) return;
    resizing_ = true;
    const int state = WindowState();
    int sh = 0, sw = 0;
    StandardSize(kind_, sh, sw);
    if (state == vbNormal) {
        // Compared in whole pixels, so the size set here reads back as the
        // limit and the resize it raises finds nothing more to do.
        const bool wide = sw > 0 && WidthBelow(sw, Width());
        const bool tall = sh > 0 && HeightBelow(sh, Height());
        if (wide || tall) Move(Left(), Top(), wide ? sw : Width(), tall ? sh : Height());
    }
    Layout l = layoutRead();
    if (state == vbNormal) {
        // Only a normal window's size is kept: the icon of a minimised one
        // and the area of a maximised one are not the size to reopen with.
        // At the standard size the record keeps the standard size itself,
        // not its whole-pixel reading.
        l.Height = twipsToPxY(Height()) == twipsToPxY(sh) ? sh : Height();
        l.Width = twipsToPxX(Width()) == twipsToPxX(sw) ? sw : Width();
        l.State = 1;
    } else if (state == vbMinimized) {
        l.State = 2;
    }
    layoutWrite(l);
    resizing_ = false;
    MenuAgg();
}

void DocWindow::Form_QueryUnload(int& Cancel, int /*UnloadMode*/) {
    QPointer<DocWindow> self(this);
    auto refuse = [&] {
        Cancel = 1;
        AppClosing = false;
    };
    if (!closeDependents()) return refuse();
    if (!self) return;
    if (at(Tag(), changedPos()) == 0) return;
    const int answer = AskSaveChanges(1, Caption());
    if (!self) return;
    if (answer == vbNo) return;
    if (answer != vbYes) return refuse();
    // A save that did not complete keeps the window, its changes and the
    // question for the next close.
    if (saveDocument() != 0) return refuse();
    saved();
}

void DocWindow::Form_Unload(int& /*Cancel*/) {
    unloadMenus();
    Layout l = layoutRead();
    l.Top = Top();
    l.Left = Left();
    l.State = AppClosing ? closingState(l.State) : 0;
    layoutWrite(l);
    if (AppClosing && !countOutWhileClosing()) {
        counter_ = nullptr;   // counted until the program has closed
        return;
    }
    countOut();
    if (!AppClosing) closedByHand();
    MenuAgg();
}

void DocWindow::CommClose_Click() { Unload(vbFormCode); }

void DocWindow::CommArrPlay_Click() { ModeTx0A(); }
void DocWindow::CommSongPlay_Click() { ModeTx06(); }

void DocWindow::addModeButtons(const char* songCaption) {
    CommArrPlay = new CommandButton(this, QStringLiteral("CommArrPlay"));
    CommArrPlay->setCaption("&ARR PLAY");
    CommArrPlay->Click = [this] { CommArrPlay_Click(); };
    if (!songCaption) return;
    CommSongPlay = new CommandButton(this, QStringLiteral("CommSongPlay"));
    CommSongPlay->setCaption(songCaption);
    CommSongPlay->Click = [this] { CommSongPlay_Click(); };
}

void DocWindow::showEditPopup() {
    if (frmMain* m = MainForm()) PopupMenu(m->mnuModifica->subMenu());
}

void DocWindow::setPopupList(ListBox* list) {
    list->MouseDown = [this](int button, int, int, int) {
        if (button == vbRightButton) showEditPopup();
    };
}

void DocWindow::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::RightButton) {
        e->accept();
        showEditPopup();
        return;
    }
    ChildForm::mousePressEvent(e);
}

int DocWindow::bottomRowTop(int designTop, int height) const {
    if (ScaleHeight() <= 0) return designTop;
    return std::max(0, std::min(designTop, ScaleHeight() - height - 30));
}

int DocWindow::insideWidth(int designWidth) const {
    return ScaleWidth() > 0 ? std::min(designWidth, ScaleWidth()) : designWidth;
}

QFont DocWindow::ListFont() {
    QFont f(QStringLiteral("arial"));
    f.setPointSize(10);
    f.setWeight(QFont::Normal);
    return f;
}
