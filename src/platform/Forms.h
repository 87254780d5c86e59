#pragma once
// The child-window base and the multiple-document frame.
//
// A ChildForm lives in a QMdiSubWindow of its MdiFrame. It holds the window
// image (Tag), its geometry in twips (frame included) and its state, and it
// raises the old window events as virtual methods: Form_Load (once, when first
// shown or loaded), Form_Activate (when it becomes the frame's active child),
// Form_Resize, Form_QueryUnload and Form_Unload (either may cancel). Closing
// the window by its close box goes through the same queries. Form_Deactivate
// is raised for the child that stops being the active one.
//
// Unloading removes the sub-window; by default the form is then deleted
// (deleteLater), so keep forms in QPointer or forget them on Form_Unload, and
// never show a form that is Discarded(). A form created with
// setDeleteOnUnload(false) survives and loads again on the next Show.
//
// A form holds its frame through a guarded pointer: frame() is nullptr once
// the frame is gone. The frame may be destroyed without the ordered close;
// its forms are then destroyed without Form_Unload, so whatever a form
// registers must also be undone by its destructor (see Registration.h).
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

class QMdiArea;
class QMenu;
class MdiFrame;

// Why a window is being unloaded (UnloadMode).
enum UnloadModeValue {
    vbFormControlMenu = 0,  // the user closed it (close box)
    vbFormCode = 1,         // Unload from code
    vbAppWindows = 2,
    vbAppTaskManager = 3,
    vbFormMDIForm = 4,      // the frame is closing
    vbFormOwner = 5,
};

// Window states.
enum { vbNormal = 0, vbMinimized = 1, vbMaximized = 2 };

class ChildForm : public QWidget {
    Q_OBJECT
public:
    explicit ChildForm(MdiFrame* frame, const QString& name = QString());
    ~ChildForm() override;

    // The frame it belongs to; nullptr once that is gone.
    MdiFrame* frame() const { return frame_.data(); }
    QMdiSubWindow* subWindow() const { return sub_; }

    // The window image.
    std::string& Tag() { return tag_; }
    const std::string& Tag() const { return tag_; }
    void setTag(const std::string& t) { tag_ = t; }

    std::string Caption() const { return caption_; }
    void setCaption(const std::string& c);

    // Geometry of the whole window, frame included, in twips within the frame's
    // client area. Set before loading, it is applied after Form_Load.
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void setLeft(int t);
    void setTop(int t);
    void setWidth(int t);
    void setHeight(int t);
    void Move(int left, int top, int width = -1, int height = -1);
    // The inside (client area) in twips.
    int ScaleWidth() const;
    int ScaleHeight() const;

    // 0 normal, 1 minimised, 2 maximised.
    int WindowState() const;
    void setWindowState(int state);

    bool Loaded() const { return loaded_; }
    // Loads without showing (Form_Load once).
    void Load();
    // Loads when needed, shows and makes it the active child.
    void Show();
    // Runs Form_QueryUnload, then Form_Unload; either may cancel. True when
    // the window was unloaded (or was not loaded).
    bool Unload(int unloadMode = vbFormCode);
    // Asks the window whether it may close (Form_QueryUnload) without
    // closing it. Its answer stands for the close under way: once it agreed
    // it is not asked again (by the frame's close, by another window closing
    // it, by Unload) until that close ends, by its unload or by any window
    // refusing.
    bool QueryClose(int unloadMode = vbFormCode);
    bool CloseAgreed() const { return closeAgreed_; }
    // Makes it the frame's active child and brings it to the front (ZOrder).
    void activate();
    // Shows a menu of the frame as this window's pop-up menu.
    void PopupMenu(QMenu* menu);

    // True once unloaded for good: its deletion is pending.
    bool Discarded() const { return discarded_; }

    bool deleteOnUnload() const { return deleteOnUnload_; }
    void setDeleteOnUnload(bool on) { deleteOnUnload_ = on; }

    // Keyboard order as laid out (TabOrder.h): each time the window is
    // shown anew its Tab order follows where its controls stand, and it
    // opens with no control focused, so that the first Tab goes to the
    // first control (of the page in view) and an arrow key changes nothing
    // before the user has chosen a control. For windows whose controls
    // act on every key.
    void setTabsAsLaidOut() { tabsAsLaidOut_ = true; }

    // The window events.
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    // Raised for the child that stops being the frame's active child.
    virtual void Form_Deactivate() {}
    virtual void Form_Resize() {}
    virtual void Form_QueryUnload(int& /*Cancel*/, int /*UnloadMode*/) {}
    virtual void Form_Unload(int& /*Cancel*/) {}

protected:
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    friend class MdiFrame;
    void ensureSubWindow();
    void applyPending();
    bool query(int unloadMode);
    bool unloadOnly();
    // A close was refused: every window's answer is asked again next time.
    void forgetCloseAnswers();
    void finishUnload();
    void raiseResize();

    QPointer<MdiFrame> frame_;
    QPointer<QMdiSubWindow> sub_;
    std::string tag_, caption_;
    bool loaded_ = false;
    bool loading_ = false;
    bool closing_ = false;  // the sub-window is being closed by us
    bool deleteOnUnload_ = true;
    bool discarded_ = false;
    bool closeAgreed_ = false;  // agreed to the close under way
    bool tabsAsLaidOut_ = false;
    int pendingLeft_ = -1, pendingTop_ = -1, pendingWidth_ = -1, pendingHeight_ = -1, pendingState_ = -1;
};

class MdiFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit MdiFrame(QWidget* parent = nullptr, const QString& name = QString());
    ~MdiFrame() override;

    QMdiArea* mdiArea() const { return area_; }
    // The child of QMdiArea::currentSubWindow (also when the frame has no focus).
    ChildForm* ActiveForm() const;
    // Loaded children, in the order they were created.
    std::vector<ChildForm*> Forms() const;

    void Cascade();
    void TileHorizontal();
    void TileVertical();
    void ArrangeIcons();

    // The Window menu: before it opens, the frame appends one entry per child
    // (the active one checked) after the menu's own items; choosing one
    // activates that child.
    void setWindowListMenu(QMenu* menu);

    // Shows a menu as a pop-up at the mouse. Modal; tests replace it with
    // SetPopupMenuHandler.
    void PopupMenu(QMenu* menu);

    // The frame's geometry in twips, frame included.
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void Move(int left, int top, int width = -1, int height = -1);
    int WindowState() const;
    void setWindowState(int state);
    std::string Caption() const;
    void setCaption(const std::string& c);

    bool Loaded() const { return loaded_; }
    // Form_Load once, then shows the frame.
    void Show();
    // The ordered close: the frame's Form_QueryUnload, every child's
    // Form_QueryUnload (any may cancel; then nothing is unloaded), every
    // child's Form_Unload, then the frame's own Form_Unload. True when
    // everything was unloaded.
    bool QueryClose(int unloadMode = vbFormControlMenu);
    // Unload from code: QueryClose, then the frame closes. True when it closed.
    bool Unload(int unloadMode = vbFormCode);

    virtual void Form_Load() {}
    virtual void Form_Resize() {}
    virtual void Form_QueryUnload(int& /*Cancel*/, int /*UnloadMode*/) {}
    virtual void Form_Unload(int& /*Cancel*/) {}
    // The ordered close: every child has agreed and none is unloaded yet.
    virtual void Form_QueryDone() {}
    // The ordered close was cancelled after the frame's own query agreed.
    virtual void Form_CloseCancelled() {}

protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    friend class ChildForm;
    void fillWindowMenu();
    // Raises Form_Activate when the current child is not the one last told.
    void notifyActive();
    QMdiArea* area_;
    QPointer<ChildForm> activeNotified_;
    QPointer<QMenu> windowMenu_;
    std::vector<QAction*> windowEntries_;
    bool loaded_ = false;
    bool closed_ = false;  // QueryClose has unloaded everything
};

// Replaces the modal pop-up (nullptr restores it); tests record the menu.
void SetPopupMenuHandler(std::function<void(QMenu*)> handler);
