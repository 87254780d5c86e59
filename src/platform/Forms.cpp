#include "platform/Forms.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QLayout>
#include <QMdiArea>
#include <QMenu>
#include <QResizeEvent>
#include <QTimer>
#include <cstdio>

#include "platform/Controls.h"
#include "platform/FirstPaint.h"
#include "platform/TabOrder.h"
#include "platform/Text.h"

namespace {
std::function<void(QMenu*)> popupHandler;

void showPopup(QMenu* menu) {
    if (!menu) return;
    if (popupHandler)
        popupHandler(menu);
    else
        menu->exec(QCursor::pos());
}
}  // namespace

void SetPopupMenuHandler(std::function<void(QMenu*)> handler) { popupHandler = std::move(handler); }

// ---- ChildForm ---------------------------------------------------------------------

ChildForm::ChildForm(MdiFrame* frame, const QString& name) : QWidget(frame), frame_(frame) {
    setObjectName(name);
    // Until it is loaded the form waits, hidden, inside the frame that owns it.
    hide();
}

ChildForm::~ChildForm() {
    // Whatever the removal of the sub-window sets off must not treat this
    // half-destroyed form as a live one.
    loaded_ = false;
    discarded_ = true;
    if (sub_) {
        // Deleted by its owner while loaded: take the empty sub-window away too.
        QMdiSubWindow* s = sub_;
        sub_ = nullptr;
        s->removeEventFilter(this);
        if (frame_) frame_->area_->removeSubWindow(s);
        s->deleteLater();
    }
}

void ChildForm::setCaption(const std::string& c) {
    caption_ = c;
    setWindowTitle(toQt(c));
    if (sub_) sub_->setWindowTitle(toQt(c));
}

void ChildForm::ensureSubWindow() {
    if (sub_ || !frame_) return;
    sub_ = frame_->area_->addSubWindow(this);
    sub_->setAttribute(Qt::WA_DeleteOnClose, false);
    sub_->setObjectName(objectName() + QStringLiteral("_window"));
    sub_->setWindowTitle(toQt(caption_));
    sub_->installEventFilter(this);
    setVisible(true);  // inside the still hidden sub-window
}

static QRect twipsRect(int l, int t, int w, int h) {
    return QRect(twipsToPxX(l), twipsToPxY(t), std::max(0, twipsToPxX(w)), std::max(0, twipsToPxY(h)));
}

int ChildForm::Left() const {
    if (sub_) return pxToTwipsX(sub_->x());
    return pendingLeft_ < 0 ? 0 : pendingLeft_;
}
int ChildForm::Top() const {
    if (sub_) return pxToTwipsY(sub_->y());
    return pendingTop_ < 0 ? 0 : pendingTop_;
}
int ChildForm::Width() const {
    if (sub_) return pxToTwipsX(sub_->width());
    return pendingWidth_ < 0 ? pxToTwipsX(width()) : pendingWidth_;
}
int ChildForm::Height() const {
    if (sub_) return pxToTwipsY(sub_->height());
    return pendingHeight_ < 0 ? pxToTwipsY(height()) : pendingHeight_;
}

void ChildForm::Move(int left, int top, int width, int height) {
    if (!sub_) {
        pendingLeft_ = left;
        pendingTop_ = top;
        if (width >= 0) pendingWidth_ = width;
        if (height >= 0) pendingHeight_ = height;
        return;
    }
    QRect r = twipsRect(left, top, width < 0 ? Width() : width, height < 0 ? Height() : height);
    // Whole pixels: a size that is already there is not set again, so a
    // resize handler that clamps the size never calls itself for ever.
    if (r.topLeft() != sub_->pos()) sub_->move(r.topLeft());
    if (r.size() != sub_->size()) {
        sub_->resize(r.size());
        if (sub_->layout()) sub_->layout()->activate();
    }
}

void ChildForm::setLeft(int t) { sub_ ? Move(t, Top()) : void(pendingLeft_ = t); }
void ChildForm::setTop(int t) { sub_ ? Move(Left(), t) : void(pendingTop_ = t); }
void ChildForm::setWidth(int t) { sub_ ? Move(Left(), Top(), t) : void(pendingWidth_ = t); }
void ChildForm::setHeight(int t) { sub_ ? Move(Left(), Top(), Width(), t) : void(pendingHeight_ = t); }

int ChildForm::ScaleWidth() const { return pxToTwipsX(width()); }
int ChildForm::ScaleHeight() const { return pxToTwipsY(height()); }

int ChildForm::WindowState() const {
    if (!sub_) return pendingState_ < 0 ? vbNormal : pendingState_;
    if (sub_->isMinimized()) return vbMinimized;
    if (sub_->isMaximized()) return vbMaximized;
    return vbNormal;
}

void ChildForm::setWindowState(int state) {
    if (state < vbNormal || state > vbMaximized) return;
    if (!sub_) {
        pendingState_ = state;
        return;
    }
    if (state == WindowState()) return;
    Qt::WindowStates s = state == vbMinimized   ? Qt::WindowMinimized
                         : state == vbMaximized ? Qt::WindowMaximized
                                                : Qt::WindowNoState;
    if (sub_->isVisible()) {
        if (state == vbMinimized)
            sub_->showMinimized();
        else if (state == vbMaximized)
            sub_->showMaximized();
        else
            sub_->showNormal();
    } else {
        sub_->setWindowState(s);
    }
}

void ChildForm::applyPending() {
    if (!sub_) return;
    if (pendingLeft_ >= 0 || pendingTop_ >= 0 || pendingWidth_ >= 0 || pendingHeight_ >= 0) {
        int l = pendingLeft_ >= 0 ? pendingLeft_ : Left();
        int t = pendingTop_ >= 0 ? pendingTop_ : Top();
        Move(l, t, pendingWidth_, pendingHeight_);
    }
    if (pendingState_ >= 0) setWindowState(pendingState_);
    pendingLeft_ = pendingTop_ = pendingWidth_ = pendingHeight_ = pendingState_ = -1;
}

void ChildForm::Load() {
    if (loaded_) return;
    // Geometry set before loading wins over what the load handler sets.
    int l = pendingLeft_, t = pendingTop_, w = pendingWidth_, h = pendingHeight_, st = pendingState_;
    pendingLeft_ = pendingTop_ = pendingWidth_ = pendingHeight_ = pendingState_ = -1;
    ensureSubWindow();
    loaded_ = true;
    loading_ = true;
    Form_Load();
    loading_ = false;
    if (!loaded_) return;  // the load handler unloaded it
    pendingLeft_ = l, pendingTop_ = t, pendingWidth_ = w, pendingHeight_ = h, pendingState_ = st;
    applyPending();
}

void ChildForm::Show() {
    bool first = !loaded_ || (sub_ && !sub_->isVisible());
    Load();
    if (!loaded_) return;
    if (!sub_) {
        show();
        return;
    }
    if (!sub_->isVisible()) {
        int st = WindowState();
        if (st == vbMinimized)
            sub_->showMinimized();
        else if (st == vbMaximized)
            sub_->showMaximized();
        else
            sub_->show();
    }
    if (first) raiseResize();
    if (first && tabsAsLaidOut_) OrderTabsByLayout(this);
    activate();
    if (first && tabsAsLaidOut_ && sub_) {
        // The window holds the focus, and Tab starts at the first control.
        // No control keeps a focus Qt gave it while the window was made
        // (the first control made, which gets it back when the frame becomes
        // active), and the form is its own focus child: an activation then
        // focuses the window, not the next control in the Tab chain.
        if (QWidget* f = focusWidget(); f && f != this) f->clearFocus();
        setFocus(Qt::OtherFocusReason);
        sub_->setFocus(Qt::OtherFocusReason);
    }
}

void ChildForm::activate() {
    if (!sub_ || !frame_) return;
    sub_->raise();
    if (frame_->area_->currentSubWindow() != sub_) frame_->area_->setActiveSubWindow(sub_);
    frame_->notifyActive();
}

void ChildForm::PopupMenu(QMenu* menu) { showPopup(menu); }

void ChildForm::raiseResize() {
    if (loaded_ && !loading_) Form_Resize();
}

void ChildForm::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (sub_ && sub_->isVisible() && !sub_->isMinimized()) raiseResize();
}

bool ChildForm::query(int unloadMode) {
    if (closeAgreed_) return true;
    int cancel = 0;
    Form_QueryUnload(cancel, unloadMode);
    if (cancel != 0) {
        forgetCloseAnswers();
        return false;
    }
    closeAgreed_ = loaded_;
    return true;
}

bool ChildForm::QueryClose(int unloadMode) { return !loaded_ || query(unloadMode); }

void ChildForm::forgetCloseAnswers() {
    closeAgreed_ = false;
    if (frame_)
        for (ChildForm* f : frame_->Forms()) f->closeAgreed_ = false;
}

bool ChildForm::unloadOnly() {
    int cancel = 0;
    Form_Unload(cancel);
    return cancel == 0;
}

bool ChildForm::Unload(int unloadMode) {
    if (!loaded_) return true;
    if (!query(unloadMode) || !loaded_) return !loaded_;
    if (!unloadOnly()) {
        forgetCloseAnswers();
        return false;
    }
    finishUnload();
    return true;
}

void ChildForm::finishUnload() {
    closeAgreed_ = false;
    if (!loaded_) return;
    loaded_ = false;
    if (frame_ && frame_->activeNotified_ == this) frame_->activeNotified_ = nullptr;
    QMdiSubWindow* s = sub_;
    sub_ = nullptr;
    if (deleteOnUnload_) discarded_ = true;
    if (!s || !frame_) {
        hide();
        if (deleteOnUnload_) deleteLater();
        return;
    }
    QMdiArea* area = frame_->area_;
    // The window in front of the others once this one is gone: the one
    // below it, which was active before it (the window it was opened from).
    // Chosen before the area chooses by its own order while it removes it.
    QPointer<QMdiSubWindow> next;
    if (area->currentSubWindow() == s) {
        const auto subs = area->subWindowList(QMdiArea::StackingOrder);
        for (auto it = subs.rbegin(); it != subs.rend() && !next; ++it)
            if (*it != s && (*it)->isVisible()) next = *it;
    }
    s->removeEventFilter(this);
    closing_ = true;
    s->hide();
    if (!deleteOnUnload_) {
        // Keep the form: take it out of its window and back under the frame.
        area->removeSubWindow(this);
        setParent(frame_);
        hide();
    }
    area->removeSubWindow(s);
    s->deleteLater();  // with the form inside when it is not kept
    closing_ = false;
    if (next && next->isVisible()) area->setActiveSubWindow(next);
    frame_->notifyActive();
}

bool ChildForm::eventFilter(QObject* o, QEvent* e) {
    if (o == sub_ && sub_) {
        if (e->type() == QEvent::Close && !closing_) {
            // The close box: the same queries as an unload from code.
            e->ignore();
            Unload(vbFormControlMenu);
            return true;
        }
        // Minimising raises Resize; restoring does too, through the resize
        // of the restored window (resizeEvent).
        if (e->type() == QEvent::WindowStateChange && sub_->isMinimized()) raiseResize();
    }
    return QWidget::eventFilter(o, e);
}

// ---- MdiFrame ----------------------------------------------------------------------

MdiFrame::MdiFrame(QWidget* parent, const QString& name) : QMainWindow(parent), area_(new QMdiArea(this)) {
    setObjectName(name);
    area_->setObjectName(QStringLiteral("mdiArea"));
    setCentralWidget(area_);
    connect(area_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow*) { notifyActive(); });
}

void MdiFrame::notifyActive() {
    ChildForm* f = ActiveForm();
    if (!f || f == activeNotified_ || f->loading_ || !f->sub_ || !f->sub_->isVisible()) {
        if (!f && activeNotified_) {
            QPointer<ChildForm> was = activeNotified_;
            activeNotified_ = nullptr;
            if (was->loaded_) was->Form_Deactivate();
        }
        return;
    }
    QPointer<ChildForm> was = activeNotified_;
    activeNotified_ = f;
    if (was && was->loaded_) was->Form_Deactivate();
    if (f == activeNotified_) f->Form_Activate();
}

MdiFrame::~MdiFrame() {
    // The area outlives this destructor (it goes with the base class); its
    // signals must not reach this frame any more.
    disconnect(area_, nullptr, this, nullptr);
    if (windowMenu_) disconnect(windowMenu_, nullptr, this, nullptr);
    // The sub-windows go with the area; the forms inside must not touch them.
    for (QMdiSubWindow* s : area_->subWindowList())
        if (auto* f = qobject_cast<ChildForm*>(s->widget())) {
            s->removeEventFilter(f);
            f->sub_ = nullptr;
        }
    for (ChildForm* f : findChildren<ChildForm*>()) f->frame_ = nullptr;
}

ChildForm* MdiFrame::ActiveForm() const {
    QMdiSubWindow* s = area_->currentSubWindow();
    if (!s) return nullptr;
    auto* f = qobject_cast<ChildForm*>(s->widget());
    return f && f->loaded_ ? f : nullptr;
}

std::vector<ChildForm*> MdiFrame::Forms() const {
    std::vector<ChildForm*> out;
    for (QMdiSubWindow* s : area_->subWindowList(QMdiArea::CreationOrder))
        if (auto* f = qobject_cast<ChildForm*>(s->widget()))
            if (f->loaded_) out.push_back(f);
    return out;
}

void MdiFrame::Cascade() { area_->cascadeSubWindows(); }

namespace {
std::vector<QMdiSubWindow*> arrangeable(QMdiArea* area) {
    std::vector<QMdiSubWindow*> out;
    for (QMdiSubWindow* s : area->subWindowList(QMdiArea::StackingOrder))
        if (s->isVisible() && !s->isMinimized()) out.push_back(s);
    return out;
}

void tile(QMdiArea* area, bool stacked) {
    auto subs = arrangeable(area);
    if (subs.empty()) return;
    QRect r = area->viewport()->rect();
    int n = static_cast<int>(subs.size());
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow* s = subs[static_cast<size_t>(n - 1 - i)];  // the front window first
        if (s->isMaximized()) s->showNormal();
        if (stacked) {
            int h = r.height() / n;
            s->setGeometry(0, i * h, r.width(), h);
        } else {
            int w = r.width() / n;
            s->setGeometry(i * w, 0, w, r.height());
        }
    }
}
}  // namespace

void MdiFrame::TileHorizontal() { tile(area_, true); }
void MdiFrame::TileVertical() { tile(area_, false); }

void MdiFrame::ArrangeIcons() {
    QRect r = area_->viewport()->rect();
    int x = 0, y = r.height();
    for (QMdiSubWindow* s : area_->subWindowList(QMdiArea::CreationOrder)) {
        if (!s->isVisible() || !s->isMinimized()) continue;
        QSize sz = s->size();
        if (x > 0 && x + sz.width() > r.width()) {
            x = 0;
            y -= sz.height();
        }
        s->move(x, y - sz.height());
        x += sz.width();
    }
}

void MdiFrame::setWindowListMenu(QMenu* menu) {
    if (windowMenu_) disconnect(windowMenu_, &QMenu::aboutToShow, this, nullptr);
    windowMenu_ = menu;
    windowEntries_.clear();
    if (menu) connect(menu, &QMenu::aboutToShow, this, &MdiFrame::fillWindowMenu);
}

void MdiFrame::fillWindowMenu() {
    if (!windowMenu_) return;
    for (QAction* a : windowEntries_) {
        windowMenu_->removeAction(a);
        a->deleteLater();
    }
    windowEntries_.clear();
    auto forms = Forms();
    if (forms.empty()) return;
    ChildForm* active = ActiveForm();
    windowEntries_.push_back(windowMenu_->addSeparator());
    int n = 0;
    for (ChildForm* f : forms) {
        ++n;
        QString t = (n < 10 ? QStringLiteral("&%1 ").arg(n) : QStringLiteral("%1 ").arg(n)) +
                    (f->sub_ ? f->sub_->windowTitle() : toQt(f->Caption()));
        QAction* a = windowMenu_->addAction(t);
        a->setCheckable(true);
        a->setChecked(f == active);
        QPointer<ChildForm> pf(f);
        connect(a, &QAction::triggered, this, [pf] {
            if (!pf || !pf->sub_) return;
            if (pf->sub_->isMinimized()) pf->sub_->showNormal();
            pf->activate();
        });
        windowEntries_.push_back(a);
    }
}

void MdiFrame::PopupMenu(QMenu* menu) { showPopup(menu); }

int MdiFrame::Left() const { return pxToTwipsX(frameGeometry().x()); }
int MdiFrame::Top() const { return pxToTwipsY(frameGeometry().y()); }
int MdiFrame::Width() const { return pxToTwipsX(frameGeometry().width()); }
int MdiFrame::Height() const { return pxToTwipsY(frameGeometry().height()); }

void MdiFrame::Move(int left, int top, int width, int height) {
    move(twipsToPxX(left), twipsToPxY(top));
    // The decoration around the client area stays as the window system makes it.
    int dw = frameGeometry().width() - QMainWindow::width();
    int dh = frameGeometry().height() - QMainWindow::height();
    QSize sz = size();
    if (width >= 0) sz.setWidth(std::max(0, twipsToPxX(width) - dw));
    if (height >= 0) sz.setHeight(std::max(0, twipsToPxY(height) - dh));
    if (sz != size()) resize(sz);
}

int MdiFrame::WindowState() const {
    if (isMinimized()) return vbMinimized;
    if (isMaximized()) return vbMaximized;
    return vbNormal;
}

void MdiFrame::setWindowState(int state) {
    if (state < vbNormal || state > vbMaximized || state == WindowState()) return;
    if (!isVisible()) {
        QWidget::setWindowState(state == vbMinimized   ? Qt::WindowMinimized
                                : state == vbMaximized ? Qt::WindowMaximized
                                                       : Qt::WindowNoState);
        return;
    }
    if (state == vbMinimized)
        showMinimized();
    else if (state == vbMaximized)
        showMaximized();
    else
        showNormal();
}

std::string MdiFrame::Caption() const { return fromQt(windowTitle()); }
void MdiFrame::setCaption(const std::string& c) { setWindowTitle(toQt(c)); }

void MdiFrame::Show() {
    if (!loaded_) {
        loaded_ = true;
        closed_ = false;
        Form_Load();
        if (!loaded_) return;
    }
    show();
}

bool MdiFrame::QueryClose(int unloadMode) {
    if (closed_) return true;
    int cancel = 0;
    Form_QueryUnload(cancel, unloadMode);
    if (cancel) return false;
    std::vector<QPointer<ChildForm>> forms;
    for (ChildForm* f : Forms()) forms.emplace_back(f);
    // Every child is asked before any is unloaded.
    for (auto& f : forms) {
        if (!f || !f->loaded_) continue;
        if (!f->query(vbFormMDIForm)) {
            Form_CloseCancelled();
            return false;
        }
    }
    Form_QueryDone();
    for (auto& f : forms) {
        if (!f || !f->loaded_) continue;
        if (!f->unloadOnly()) {
            f->forgetCloseAnswers();
            Form_CloseCancelled();
            return false;
        }
        f->finishUnload();
    }
    cancel = 0;
    Form_Unload(cancel);
    if (cancel) {
        Form_CloseCancelled();
        return false;
    }
    closed_ = true;
    loaded_ = false;
    return true;
}

bool MdiFrame::Unload(int unloadMode) {
    if (!QueryClose(unloadMode)) return false;
    close();
    return true;
}

void MdiFrame::closeEvent(QCloseEvent* e) {
    if (closed_ || QueryClose(vbFormControlMenu))
        e->accept();
    else
        e->ignore();
}

void MdiFrame::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    if (loaded_) Form_Resize();
}

namespace {
class FirstPaintProbe : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Paint && !done_) {
            auto* w = qobject_cast<QMainWindow*>(o);
            if (w && w->isWindow()) {
                done_ = true;
                // After this paint has reached the screen.
                QTimer::singleShot(0, this, [this, w = QPointer<QMainWindow>(w)] {
                    std::fputs("painted\n", stdout);
                    std::fflush(stdout);
                    if (w) w->close();
                    deleteLater();
                });
            }
        }
        return false;
    }

private:
    bool done_ = false;
};
}  // namespace

void QuitAfterFirstPaint() {
    if (QCoreApplication* app = QCoreApplication::instance()) app->installEventFilter(new FirstPaintProbe(app));
}
