#pragma once
// Controls with the behaviour the program was written for, over Qt widgets.
//
// Every control carries its name as the Qt objectName, so code can find it at
// run time (FindControl); members of a control array share the name and have
// an Index() of 0 or more (-1 for a control that is not in an array).
// Texts are bytes (std::string): UTF-8 program texts or Latin-1 names from the
// instrument's files; they become Qt text only where the widget shows them.
// Events are std::function members named after the old events (Click,
// Change, ...); an empty one is simply not raised.
// Positions and sizes are in twips, as the program stores them.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QWidget>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

class QLineEdit;
class QPlainTextEdit;
class QMenu;
class QMenuBar;
class QMouseEvent;

// ---- twips ----------------------------------------------------------------
// Twips per pixel from the screen's logical DPI: 1440 / dpi (15 at 96 dpi,
// 12 at 120 dpi).
int TwipsPerPixelX();
int TwipsPerPixelY();
// Tests may fix the ratio (0 returns to the screen's).
void OverrideTwipsPerPixel(int x, int y);
int twipsToPxX(int twips);
int twipsToPxY(int twips);
int pxToTwipsX(int px);
int pxToTwipsY(int px);
// Size limits are compared in whole pixels, so a clamp that sets a size
// reads back as reached and a resize handler never loops.
inline bool WidthBelow(int twips, int limitTwips) { return twipsToPxX(twips) < twipsToPxX(limitTwips); }
inline bool HeightBelow(int twips, int limitTwips) { return twipsToPxY(twips) < twipsToPxY(limitTwips); }

// The height of a line of text in a font, in twips, measured as the old
// platform did (ascent and descent each rounded up): the layouts built on it
// expect those lines.
int TextHeightTwips(const QFont& font);

// The font for columns of characters (printed lists, the user's guide): the
// family asked for with the typewriter hint, so that where the machine lacks
// it fontconfig gives its fixed-pitch stand-in (Liberation Mono for Courier
// New) or the system's monospace font.
QFont TypewriterFont(const QString& family, int pointSize);

// Mouse buttons and shift keys as the old events report them.
enum { vbLeftButton = 1, vbRightButton = 2, vbMiddleButton = 4 };
enum { vbShiftMask = 1, vbCtrlMask = 2, vbAltMask = 4 };
using MouseEventFn = std::function<void(int button, int shift, int x, int y)>;  // x, y in twips
// Raises a mouse event with the button, shift keys and place (twips) of `e`.
void ReportMouse(const MouseEventFn& fn, QMouseEvent* e);

// ---- finding controls -----------------------------------------------------
// Index of a control in its array (-1: not in an array).
int ControlIndex(const QObject* o);
void SetControlIndex(QObject* o, int index);

// The control called `name` (with that index, when index >= 0) anywhere under
// root; nullptr when there is none.
template <class T>
T* FindControl(const QObject* root, const QString& name, int index = -1) {
    if (!root) return nullptr;
    for (QObject* o : root->findChildren<QObject*>(name)) {
        T* t = dynamic_cast<T*>(o);
        if (t && (index < 0 || ControlIndex(o) == index)) return t;
    }
    return nullptr;
}

// Every member of a control array, by index.
template <class T>
std::vector<T*> FindControls(const QObject* root, const QString& name) {
    std::vector<T*> out;
    if (!root) return out;
    for (QObject* o : root->findChildren<QObject*>(name))
        if (T* t = dynamic_cast<T*>(o)) out.push_back(t);
    std::stable_sort(out.begin(), out.end(),
                     [](T* a, T* b) { return ControlIndex(a) < ControlIndex(b); });
    return out;
}

// ---- what every control has ------------------------------------------------
template <class Base>
class Control : public Base {
public:
    explicit Control(QWidget* parent = nullptr, const QString& name = QString(), int index = -1) : Base(parent) {
        this->setObjectName(name);
        SetControlIndex(this, index);
    }
    int Index() const { return ControlIndex(this); }

    bool Enabled() const { return this->isEnabled(); }
    // The Visible property: shown whenever its window is shown.
    bool Visible() const {
        return this->parentWidget() ? this->isVisibleTo(this->parentWidget()) : this->isVisible();
    }
    int Left() const { return pxToTwipsX(this->x()); }
    int Top() const { return pxToTwipsY(this->y()); }
    int Width() const { return pxToTwipsX(this->width()); }
    int Height() const { return pxToTwipsY(this->height()); }
    void setLeft(int t) { this->move(twipsToPxX(t), this->y()); }
    void setTop(int t) { this->move(this->x(), twipsToPxY(t)); }
    void setWidth(int t) { this->resize(std::max(0, twipsToPxX(t)), this->height()); }
    void setHeight(int t) { this->resize(this->width(), std::max(0, twipsToPxY(t))); }
    // Move left, top[, width[, height]] (a negative size keeps it).
    void Move(int left, int top, int width = -1, int height = -1) {
        this->setGeometry(twipsToPxX(left), twipsToPxY(top), width < 0 ? this->width() : twipsToPxX(width),
                          height < 0 ? this->height() : twipsToPxY(height));
    }
    const std::string& Tag() const { return tag_; }
    void setTag(const std::string& t) { tag_ = t; }

private:
    std::string tag_;
};

// ---- ListBox --------------------------------------------------------------
// Rows are kept as bytes and shown cut at the first NUL. ListIndex is the
// current row (-1 none). Assigning a different ListIndex in code raises Click
// at once, as a user click does; a user click always raises Click, and so
// does a key that moves the current row or changes the selection. Nothing
// else does: getting the focus leaves a list without a current row as it
// is. A right button press changes neither the current row nor the
// selection; it is reported through MouseDown only.
class ListBox : public Control<QListWidget> {
public:
    explicit ListBox(QWidget* parent = nullptr, const QString& name = QString(), int index = -1);

    void AddItem(const std::string& row, int index = -1);
    void RemoveItem(int i);
    void Clear();
    int ListCount() const { return static_cast<int>(rows_.size()); }
    const std::string& List(int i) const;  // "" out of range
    void setList(int i, const std::string& row);
    // Shows exactly these rows. A list already holding as many rows has them
    // rewritten in place: its current row and selection stay.
    void setRows(const std::vector<std::string>& rows);
    int NewIndex() const { return newIndex_; }
    long ItemData(int i) const;
    void setItemData(int i, long v);

    int ListIndex() const;
    void setListIndex(int i);
    bool Selected(int i) const;
    void setSelected(int i, bool on);
    int SelCount() const;
    // 0 single, 1 simple (a click toggles a row), 2 extended (shift/ctrl).
    int MultiSelect() const { return multiSelect_; }
    void setMultiSelect(int mode);
    // 0: one column scrolling vertically; n > 0: n columns side by side.
    int Columns() const { return columns_; }
    void setColumns(int n);
    // A fixed row step in twips (0: the font's, following the font the
    // list shows), for lists whose rows must line up with controls beside
    // them.
    void setRowHeight(int twips);
    int TopIndex() const;
    void setTopIndex(int i);

    std::function<void()> Click, DblClick;
    MouseEventFn MouseDown, MouseUp;

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;

private:
    void raiseClick();
    std::vector<int> selectedRows() const;
    void layoutColumns();
    std::vector<std::string> rows_;
    std::vector<long> data_;
    int newIndex_ = -1;
    int multiSelect_ = 0;
    int columns_ = 0;
    int rowHeightPx_ = 0;
    bool rightDown_ = false;
};

// ---- ComboBox -------------------------------------------------------------
// Style 0: drop-down with an edit field (editable); 2: drop-down list.
// Click is raised when the selected row changes, by the user or by code.
class ComboBox : public Control<QComboBox> {
public:
    explicit ComboBox(QWidget* parent = nullptr, const QString& name = QString(), int index = -1, int style = 0);

    void AddItem(const std::string& row, int index = -1);
    void RemoveItem(int i);
    void Clear();
    int ListCount() const { return static_cast<int>(rows_.size()); }
    const std::string& List(int i) const;
    void setList(int i, const std::string& row);
    long ItemData(int i) const;
    void setItemData(int i, long v);
    int ListIndex() const { return currentIndex(); }
    void setListIndex(int i);
    // The edit field's text (editable) or the selected row.
    std::string Text() const;
    void setText(const std::string& t);
    int Style() const { return isEditable() ? 0 : 2; }
    void setComboStyle(int style);

    std::function<void()> Click, Change;

private:
    std::vector<std::string> rows_;
    std::vector<long> data_;
    std::string lastText_;
    int quiet_ = 0;
};

// ---- TextBox --------------------------------------------------------------
// Change is raised whenever the text changes, also when code assigns it.
// Text() gives back the assigned bytes unchanged while the user has not
// edited them (names from the instrument's files keep their bytes).
class TextBox : public Control<QWidget> {
public:
    explicit TextBox(QWidget* parent = nullptr, const QString& name = QString(), int index = -1,
                     bool multiLine = false);

    std::string Text() const;
    void setText(const std::string& t);
    // Adds text at the end without rebuilding what is there (a log that
    // grows by small pieces). keepChars > 0 keeps at most that many
    // characters, dropping the oldest whole lines. Raises Change.
    void AppendText(const std::string& t, int keepChars = 0);
    bool Locked() const { return locked_; }
    void setLocked(bool on);
    bool MultiLine() const { return plain_ != nullptr; }
    void setMultiLine(bool on);
    int MaxLength() const { return maxLength_; }
    void setMaxLength(int n);  // 0: no limit (single line only)
    int SelStart() const;
    void setSelStart(int pos);
    int SelLength() const;
    void setSelLength(int n);

    QLineEdit* lineEdit() const { return line_; }        // null when multi-line
    QPlainTextEdit* plainEdit() const { return plain_; }  // null when single-line

    // Colours as the program stores them: 0x00BBGGRR.
    long BackColor() const { return back_; }
    void setBackColor(long c);
    long ForeColor() const { return fore_; }
    void setForeColor(long c);

    std::function<void()> Change;
    std::function<void(int& keyAscii)> KeyPress;  // optional; set keyAscii to 0 to drop the key
    MouseEventFn MouseDown;                       // any button
    std::function<void()> Click;                  // a mouse button released in the field, also when locked
    std::function<void()> LostFocus;              // the focus went to another control or window

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    QString shown() const;
    void onEdited();
    QLineEdit* line_ = nullptr;
    QPlainTextEdit* plain_ = nullptr;
    std::string bytes_;   // last assigned bytes
    QString bytesShown_;  // how they were shown
    QString last_;        // text at the last Change
    bool locked_ = false;
    int maxLength_ = 0;
    long back_ = 0xFFFFFF, fore_ = 0;
    void applyColors();
};

// ---- Label, CommandButton, CheckBox, OptionButton, Frame -------------------
// A caption keeps the bytes it was given (names from files come back
// unchanged) as long as the widget still shows them; once its text was set
// some other way (Qt's own setText), Caption() reads that text.
class CaptionText {
public:
    // Keeps the bytes; returns the text to show (cut at the first NUL).
    QString set(const std::string& bytes);
    std::string read(const QString& shownNow) const;

private:
    std::string bytes_;
    QString shown_;
};

class Label : public Control<QLabel> {
public:
    explicit Label(QWidget* parent = nullptr, const QString& name = QString(), int index = -1);
    std::string Caption() const { return caption_.read(text()); }
    void setCaption(const std::string& c);
    std::function<void()> Click, DblClick;

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    // A one-line caption wider than the label is cut at its end, never
    // centred off both edges: its beginning says what it is about.
    void paintEvent(QPaintEvent* e) override;

private:
    CaptionText caption_;
};

class CommandButton : public Control<QPushButton> {
public:
    explicit CommandButton(QWidget* parent = nullptr, const QString& name = QString(), int index = -1);
    std::string Caption() const { return caption_.read(text()); }
    void setCaption(const std::string& c);
    // Presses the button from code (Value = True): Click when enabled.
    void press();
    std::function<void()> Click;
    // The face colour as the program stores it (0x00BBGGRR); -1 the style's own.
    long BackColor() const { return back_; }
    void setBackColor(long c);

private:
    CaptionText caption_;
    long back_ = -1;
};

// Value 0 unchecked, 1 checked, 2 grayed. Click is raised whenever Value
// changes, by the user or by code.
class CheckBox : public Control<QCheckBox> {
public:
    explicit CheckBox(QWidget* parent = nullptr, const QString& name = QString(), int index = -1);
    std::string Caption() const { return caption_.read(text()); }
    void setCaption(const std::string& c);
    int Value() const;
    void setValue(int v);
    std::function<void()> Click;

private:
    CaptionText caption_;
};

// Option buttons with the same parent exclude each other. Click is raised
// when a button becomes selected, by the user or by code.
class OptionButton : public Control<QRadioButton> {
public:
    explicit OptionButton(QWidget* parent = nullptr, const QString& name = QString(), int index = -1);
    std::string Caption() const { return caption_.read(text()); }
    void setCaption(const std::string& c);
    bool Value() const { return isChecked(); }
    void setValue(bool on);
    std::function<void()> Click;

private:
    CaptionText caption_;
};

class Frame : public Control<QGroupBox> {
public:
    explicit Frame(QWidget* parent = nullptr, const QString& name = QString(), int index = -1);
    std::string Caption() const { return caption_.read(title()); }
    void setCaption(const std::string& c);
    MouseEventFn MouseDown;  // a press on the frame itself, not on a control inside

protected:
    void mousePressEvent(QMouseEvent* e) override;

private:
    CaptionText caption_;
};

// ---- scroll bars -----------------------------------------------------------
// Min may be above Max (the value then grows towards the top or left).
// Change is raised when Value changes, by code or by the user (a drag raises
// Scroll while moving and Change when released).
// A bar is a tab stop and takes the focus when clicked; focused, it shows a
// frame round its thumb and the keys step it as its arrows do: Up and Left
// towards the top or left end, Down and Right the other way, Page Up and
// Page Down by LargeChange, Home to the top or left end, End to the other.
class ScrollBarBase : public Control<QScrollBar> {
public:
    ScrollBarBase(Qt::Orientation o, QWidget* parent, const QString& name, int index);
    int Min() const { return min_; }
    int Max() const { return max_; }
    void setMin(int v);
    void setMax(int v);
    int Value() const { return reversed_ ? -value() : value(); }
    void setValue(int v);  // clamped to the range
    int SmallChange() const { return singleStep(); }
    void setSmallChange(int v) { setSingleStep(v); }
    int LargeChange() const { return pageStep(); }
    void setLargeChange(int v) { setPageStep(v); }
    std::function<void()> Change, Scroll;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    void applyRange();
    int min_ = 0, max_ = 32767;
    int pressValue_ = 0;
    // Min above Max: the bar holds the negated value, so that its top or
    // left end, its arrows and its keys all run from Min to Max.
    bool reversed_ = false;
    bool ranging_ = false;
};

class HScroll : public ScrollBarBase {
public:
    explicit HScroll(QWidget* parent = nullptr, const QString& name = QString(), int index = -1)
        : ScrollBarBase(Qt::Horizontal, parent, name, index) {}
};
class VScroll : public ScrollBarBase {
public:
    explicit VScroll(QWidget* parent = nullptr, const QString& name = QString(), int index = -1)
        : ScrollBarBase(Qt::Vertical, parent, name, index) {}
};

// ---- PictureBox --------------------------------------------------------------
// A container that can also show text and lines drawn by code (twips).
class PictureBox : public Control<QWidget> {
public:
    explicit PictureBox(QWidget* parent = nullptr, const QString& name = QString(), int index = -1);
    void Cls();
    // Prints a line of text at CurrentX/CurrentY and moves to the next line.
    void Print(const std::string& text);
    void Line(int x1, int y1, int x2, int y2, QColor color = Qt::black);
    int CurrentX = 0, CurrentY = 0;
    void setBackColor(QColor c);
    std::function<void()> Click;
    MouseEventFn MouseDown;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    struct Op {
        bool text;
        int x1, y1, x2, y2;
        QColor color;
        QString s;
    };
    std::vector<Op> ops_;
};

// ---- SSTab -----------------------------------------------------------------
// A tab control; each tab is a page that holds controls (page(i)). Click is
// raised with the previous tab whenever the current tab changes.
// A click on a tab gives the strip the focus, and so does a page turning
// while a control of the pages had it: the next Tab goes to the first
// control of the page now in view.
class SSTab : public Control<QTabWidget> {
public:
    explicit SSTab(QWidget* parent = nullptr, const QString& name = QString(), int index = -1);
    int Tab() const { return currentIndex(); }
    void setTab(int i);
    int Tabs() const { return count(); }
    void setTabs(int n);  // adds or removes pages at the end
    std::string TabCaption(int i) const;
    void setTabCaption(int i, const std::string& c);
    bool TabEnabled(int i) const { return isTabEnabled(i); }
    void setTabEnabled(int i, bool on) { QTabWidget::setTabEnabled(i, on); }
    QWidget* page(int i) const { return widget(i); }
    // The place of the pages (inside the tab's frame, below the tabs) for
    // the tab's size now. Qt sizes the pages only while the tab is shown,
    // and only the current one; a window laying out the controls of its
    // pages on a resize (while it is hidden to be maximised or restored,
    // too) reads their size here.
    QSize pageSize() const;
    std::function<void(int previousTab)> Click;
    // A press on the tab strip (on a tab or beside the tabs), any button;
    // x, y in twips within the control.
    MouseEventFn MouseDown;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void focusStrip();
    int current_ = -1;
};

// ---- MenuItem ----------------------------------------------------------------
// A menu entry. Checked shows a check mark that only code changes: a click
// raises Click and leaves it as it was. An item with children (add) is a
// sub-menu; its Click is raised when the menu is about to open, so code can
// set its children's state then. Parent it to the window so FindControl sees
// it.
class MenuItem : public QAction {
public:
    explicit MenuItem(QObject* parent = nullptr, const QString& name = QString(), int index = -1);
    ~MenuItem() override;

    int Index() const { return ControlIndex(this); }
    std::string Caption() const { return caption_.read(text()); }
    void setCaption(const std::string& c);
    bool Checked() const { return isChecked(); }
    void setChecked(bool on);
    bool Enabled() const { return isEnabled(); }
    bool Visible() const { return isVisible(); }
    void setShortcutText(const QString& keys) { setShortcut(QKeySequence(keys)); }
    const std::string& Tag() const { return tag_; }
    void setTag(const std::string& t) { tag_ = t; }

    // Children (makes this item a sub-menu).
    MenuItem* add(const QString& name, const std::string& caption, int index = -1);
    MenuItem* addSeparator(const QString& name = QString(), int index = -1);
    // Inserts a child before `before` (nullptr: at the end); used for arrays that grow.
    MenuItem* insert(MenuItem* before, const QString& name, const std::string& caption, int index = -1);
    QMenu* subMenu();  // created on first use
    bool hasSubMenu() const { return menu_ != nullptr; }

    std::function<void()> Click;

private:
    void onTriggered(bool);
    CaptionText caption_;
    std::string tag_;
    QMenu* menu_ = nullptr;
    bool wantChecked_ = false;
};

// A top-level menu of a menu bar (mnuFile, mnuEdit...).
MenuItem* AddMenu(QMenuBar* bar, QObject* owner, const QString& name, const std::string& caption);
