#include "platform/Controls.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QFontMetricsF>
#include <QScreen>
#include <QStaticText>
#include <QHash>
#include <QStyle>
#include <QStyleOption>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QToolButton>
#include <cmath>
#include <optional>

#include "platform/Text.h"
#include "platform/Timer.h"

// ---- twips -------------------------------------------------------------------

namespace {
int overrideX = 0, overrideY = 0;

int ratio(double dpi) {
    if (dpi <= 0) return 15;
    int r = static_cast<int>(std::lround(1440.0 / dpi));
    return r > 0 ? r : 1;
}

QScreen* screen() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::primaryScreen() : nullptr; }

// Rows and captions are shown up to their first NUL.
QString shownText(const std::string& bytes) {
    auto nul = bytes.find('\0');
    return toQt(nul == std::string::npos ? bytes : bytes.substr(0, nul));
}

int shiftOf(Qt::KeyboardModifiers m) {
    int s = 0;
    if (m & Qt::ShiftModifier) s |= vbShiftMask;
    if (m & Qt::ControlModifier) s |= vbCtrlMask;
    if (m & Qt::AltModifier) s |= vbAltMask;
    return s;
}

int buttonOf(Qt::MouseButton b) {
    switch (b) {
    case Qt::LeftButton: return vbLeftButton;
    case Qt::RightButton: return vbRightButton;
    case Qt::MiddleButton: return vbMiddleButton;
    default: return 0;
    }
}

void report(const MouseEventFn& fn, QMouseEvent* e) {
    if (!fn) return;
    QPoint p = e->position().toPoint();
    fn(buttonOf(e->button()), shiftOf(e->modifiers()), pxToTwipsX(p.x()), pxToTwipsY(p.y()));
}

void fire(const std::function<void()>& fn) {
    if (fn) fn();
}
}  // namespace

int TwipsPerPixelX() {
    if (overrideX > 0) return overrideX;
    QScreen* s = screen();
    return ratio(s ? s->logicalDotsPerInchX() : 96.0);
}

int TwipsPerPixelY() {
    if (overrideY > 0) return overrideY;
    QScreen* s = screen();
    return ratio(s ? s->logicalDotsPerInchY() : 96.0);
}

void OverrideTwipsPerPixel(int x, int y) {
    overrideX = x;
    overrideY = y;
}

static int toPx(int twips, int tpp) {
    // Nearest whole pixel, halves away from zero.
    return twips >= 0 ? (twips + tpp / 2) / tpp : -((-twips + tpp / 2) / tpp);
}

int TextHeightTwips(const QFont& font) {
    QFontMetricsF m(font);
    return pxToTwipsY(static_cast<int>(std::ceil(m.ascent()) + std::ceil(m.descent())));
}

QFont TypewriterFont(const QString& family, int pointSize) {
    QFont f(family, pointSize);
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    return f;
}

void ReportMouse(const MouseEventFn& fn, QMouseEvent* e) { report(fn, e); }

int twipsToPxX(int twips) { return toPx(twips, TwipsPerPixelX()); }
int twipsToPxY(int twips) { return toPx(twips, TwipsPerPixelY()); }
int pxToTwipsX(int px) { return px * TwipsPerPixelX(); }
int pxToTwipsY(int px) { return px * TwipsPerPixelY(); }

// ---- finding controls -------------------------------------------------------------

static const char* const kIndexProperty = "vbIndex";

int ControlIndex(const QObject* o) {
    if (!o) return -1;
    if (auto t = dynamic_cast<const Timer*>(o)) return t->Index();
    QVariant v = o->property(kIndexProperty);
    return v.isValid() ? v.toInt() : -1;
}

void SetControlIndex(QObject* o, int index) {
    if (o) o->setProperty(kIndexProperty, index);
}

// ---- ListBox -------------------------------------------------------------------

namespace {
// Holds a counter up while the control changes its own state.
struct Quiet {
    int& n;
    explicit Quiet(int& c) : n(c) { ++n; }
    ~Quiet() { --n; }
};
const std::string kNoRow;

// Paints the rows of a list laid out in columns. Qt's own item painting
// lays each row's text out several times over at every paint (for its size,
// its elision and its drawing), which for a bank of 64 names costs more
// than the rest of opening its window. A row here is one line of plain text
// at the list's font, so it is drawn once where Qt's painting puts it: its
// background and highlight by the style, the text at the focus margin,
// centred in the row's height, cut at the cell. The row holding the focus
// frame (one at most) is left to Qt's own painting.
class ColumnRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        if (option.state & QStyle::State_HasFocus) {
            QStyledItemDelegate::paint(p, option, index);
            return;
        }
        const QWidget* w = option.widget;
        QStyle* style = w ? w->style() : QApplication::style();
        QStyleOptionViewItem opt(option);
        opt.index = index;
        opt.text = index.data(Qt::DisplayRole).toString();
        opt.features |= QStyleOptionViewItem::HasDisplay;
        p->save();
        p->setClipRect(opt.rect);
        style->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, p, w);
        if (!opt.text.isEmpty()) {
            QPalette::ColorGroup cg = (opt.state & QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
            if (cg == QPalette::Normal && !(opt.state & QStyle::State_Active)) cg = QPalette::Inactive;
            p->setPen(opt.palette.color(cg, (opt.state & QStyle::State_Selected) ? QPalette::HighlightedText
                                                                                 : QPalette::Text));
            if (!metricsFor_ || *metricsFor_ != opt.font) {
                metricsFor_ = opt.font;
                const QFontMetricsF fm(opt.font);
                lineHeight_ = static_cast<int>(std::ceil(fm.ascent() + fm.descent()));
                margin_ = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, w) + 1;
            }
            const QStaticText& t = shaped(opt.font, opt.text);
            const int top = opt.rect.top() + (opt.rect.height() - lineHeight_) / 2;
            const qreal x = opt.direction == Qt::RightToLeft ? opt.rect.right() + 1 - margin_ - t.size().width()
                                                             : opt.rect.left() + margin_;
            p->setFont(opt.font);
            p->drawStaticText(QPointF(x, top), t);
        }
        p->restore();
    }

private:
    // Each name is shaped once per font and drawn from then on, in every
    // list: a bank window opened again draws the names it showed before.
    static const QStaticText& shaped(const QFont& font, const QString& text) {
        struct Shaped {
            QFont font;
            QHash<QString, QStaticText> texts;
        };
        static std::vector<Shaped> cache;
        auto f = std::find_if(cache.begin(), cache.end(), [&](const Shaped& s) { return s.font == font; });
        if (f == cache.end()) {
            if (cache.size() >= 4) cache.erase(cache.begin());
            f = cache.insert(cache.end(), Shaped{font, {}});
        }
        auto it = f->texts.find(text);
        if (it != f->texts.end()) return it.value();
        if (f->texts.size() >= 4096) f->texts.clear();
        QStaticText t(text);
        t.setTextFormat(Qt::PlainText);
        t.prepare(QTransform(), font);
        return f->texts.insert(text, t).value();
    }
    // Unset until the first row is drawn: a default QFont is the
    // application's font, which a list usually shows.
    mutable std::optional<QFont> metricsFor_;
    mutable int lineHeight_ = 0, margin_ = 0;
};
}  // namespace

ListBox::ListBox(QWidget* parent, const QString& name, int index) : Control<QListWidget>(parent, name, index) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    // A row too long for its column is cut, never shortened with an
    // ellipsis that would hide the end of a name.
    setTextElideMode(Qt::ElideNone);
}

void ListBox::raiseClick() { fire(Click); }

void ListBox::AddItem(const std::string& row, int index) {
    int n = ListCount();
    if (index < 0 || index > n) index = n;
    rows_.insert(rows_.begin() + index, row);
    data_.insert(data_.begin() + index, 0);
    insertItem(index, shownText(row));
    newIndex_ = index;
}

void ListBox::RemoveItem(int i) {
    if (i < 0 || i >= ListCount()) return;
    bool wasCurrent = currentRow() == i;
    delete takeItem(i);
    rows_.erase(rows_.begin() + i);
    data_.erase(data_.begin() + i);
    // Removing the current row leaves no current row (no row is picked for the user).
    if (wasCurrent) {
        if (multiSelect_ == 0) clearSelection();
        setCurrentRow(-1, QItemSelectionModel::NoUpdate);
    }
}

void ListBox::Clear() {
    clear();
    rows_.clear();
    data_.clear();
    newIndex_ = -1;
}

const std::string& ListBox::List(int i) const {
    if (i < 0 || i >= ListCount()) return kNoRow;
    return rows_[static_cast<size_t>(i)];
}

void ListBox::setList(int i, const std::string& row) {
    if (i < 0 || i >= ListCount()) return;
    rows_[static_cast<size_t>(i)] = row;
    item(i)->setText(shownText(row));
}

void ListBox::setRows(const std::vector<std::string>& rows) {
    if (static_cast<std::size_t>(ListCount()) == rows.size()) {
        for (std::size_t i = 0; i < rows.size(); ++i) setList(static_cast<int>(i), rows[i]);
        return;
    }
    Clear();
    for (const std::string& r : rows) AddItem(r);
}

long ListBox::ItemData(int i) const { return i >= 0 && i < ListCount() ? data_[static_cast<size_t>(i)] : 0; }

void ListBox::setItemData(int i, long v) {
    if (i >= 0 && i < ListCount()) data_[static_cast<size_t>(i)] = v;
}

int ListBox::ListIndex() const {
    QListWidgetItem* it = currentItem();
    if (!it) return -1;
    // In a single-selection list the row without its selection is no current row.
    if (multiSelect_ == 0 && !it->isSelected()) return -1;
    return row(it);
}

void ListBox::setListIndex(int i) {
    if (i < -1 || i >= ListCount()) return;
    int before = ListIndex();
    if (i < 0) {
        if (multiSelect_ == 0) clearSelection();
        setCurrentRow(-1, QItemSelectionModel::NoUpdate);
    } else if (multiSelect_ == 0) {
        setCurrentRow(i, QItemSelectionModel::ClearAndSelect);
    } else {
        setCurrentRow(i, QItemSelectionModel::NoUpdate);
    }
    if (ListIndex() != before) raiseClick();
}

bool ListBox::Selected(int i) const {
    QListWidgetItem* it = item(i);
    return it && it->isSelected();
}

void ListBox::setSelected(int i, bool on) {
    QListWidgetItem* it = item(i);
    if (!it) return;
    if (multiSelect_ == 0) {
        if (on) {
            setListIndex(i);
        } else if (it->isSelected()) {
            it->setSelected(false);
            raiseClick();
        }
        return;
    }
    if (it->isSelected() == on) return;
    it->setSelected(on);
    raiseClick();
}

int ListBox::SelCount() const { return static_cast<int>(selectedItems().size()); }

void ListBox::setMultiSelect(int mode) {
    multiSelect_ = mode < 0 || mode > 2 ? 0 : mode;
    setSelectionMode(multiSelect_ == 0   ? QAbstractItemView::SingleSelection
                     : multiSelect_ == 1 ? QAbstractItemView::MultiSelection
                                         : QAbstractItemView::ExtendedSelection);
}

void ListBox::setColumns(int n) {
    columns_ = n < 0 ? 0 : n;
    if (columns_ == 0) {
        if (auto* d = dynamic_cast<ColumnRowDelegate*>(itemDelegate())) {
            setItemDelegate(new QStyledItemDelegate(this));
            delete d;
        }
        setFlow(QListView::TopToBottom);
        setWrapping(false);
        setGridSize(QSize());
        setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        layoutColumns();
    } else {
        setFlow(QListView::TopToBottom);
        setWrapping(true);
        if (!dynamic_cast<ColumnRowDelegate*>(itemDelegate())) {
            QAbstractItemDelegate* was = itemDelegate();
            setItemDelegate(new ColumnRowDelegate(this));
            if (was && was->parent() == this) delete was;
        }
        setResizeMode(QListView::Adjust);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    layoutColumns();
}

void ListBox::setRowHeight(int twips) {
    rowHeightPx_ = twips > 0 ? std::max(1, twipsToPxY(twips)) : 0;
    if (rowHeightPx_ == 0 && columns_ == 0) setGridSize(QSize());
    layoutColumns();
}

void ListBox::layoutColumns() {
    if (columns_ <= 0 && rowHeightPx_ <= 0) return;
    int w = columns_ > 0 ? std::max(1, viewport()->width() / columns_) : std::max(1, viewport()->width());
    int h = rowHeightPx_ > 0              ? rowHeightPx_
            : sizeHintForRow(0) > 0 ? sizeHintForRow(0)
                                    : fontMetrics().height() + 2;
    setGridSize(QSize(w, h));
}

void ListBox::resizeEvent(QResizeEvent* e) {
    QListWidget::resizeEvent(e);
    layoutColumns();
}

void ListBox::changeEvent(QEvent* e) {
    QListWidget::changeEvent(e);
    if (e->type() == QEvent::FontChange || e->type() == QEvent::StyleChange) layoutColumns();
}

int ListBox::TopIndex() const {
    if (ListCount() == 0) return 0;
    QModelIndex m = indexAt(QPoint(2, 2));
    return m.isValid() ? m.row() : 0;
}

void ListBox::setTopIndex(int i) {
    if (QListWidgetItem* it = item(i)) scrollToItem(it, QAbstractItemView::PositionAtTop);
}

void ListBox::mousePressEvent(QMouseEvent* e) {
    report(MouseDown, e);
    if (e->button() != Qt::LeftButton) {
        // Only the left button picks rows; the others are reported and nothing more.
        rightDown_ = true;
        e->accept();
        return;
    }
    rightDown_ = false;
    QListWidgetItem* hit = itemAt(e->position().toPoint());
    if (!hit) {
        // Below the last row: nothing is picked or dropped.
        setFocus(Qt::MouseFocusReason);
        e->accept();
        return;
    }
    // Shift+click in an extended list selects the anchor's range and
    // nothing else; Ctrl+Shift+click adds the range to what is selected.
    const Qt::KeyboardModifiers mods = e->modifiers();
    if (multiSelect_ == 2 && (mods & Qt::ShiftModifier) && !(mods & Qt::ControlModifier)) clearSelection();
    QListWidget::mousePressEvent(e);
    // A click on a row raises Click once, whether or not the row changed.
    raiseClick();
}

void ListBox::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) {
        report(MouseUp, e);
        e->accept();
        return;
    }
    QListWidget::mouseReleaseEvent(e);
    report(MouseUp, e);
}

void ListBox::mouseMoveEvent(QMouseEvent* e) {
    if (!(e->buttons() & Qt::LeftButton)) {
        e->accept();
        return;
    }
    int before = ListIndex();
    QListWidget::mouseMoveEvent(e);
    if (ListIndex() != before) raiseClick();
}

void ListBox::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) {
        e->accept();
        return;
    }
    QListWidget::mouseDoubleClickEvent(e);
    if (itemAt(e->position().toPoint())) fire(DblClick);
}

void ListBox::contextMenuEvent(QContextMenuEvent* e) { e->accept(); }

std::vector<int> ListBox::selectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& m : selectionModel()->selectedIndexes()) rows.push_back(m.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void ListBox::keyPressEvent(QKeyEvent* e) {
    const int row = currentRow();
    const std::vector<int> selected = selectedRows();
    QListWidget::keyPressEvent(e);
    // A key that moved the current row or changed the selection is a click.
    if (currentRow() != row || selectedRows() != selected) raiseClick();
}

// An extended selection grows from its anchor to a row, by Shift with the
// mouse or the keys or by dragging: the rectangle runs from the anchor's
// point to the pointer's (or the new current row's), and the rows between
// those two, in row order, are the range. Laid out in columns, the list's
// own reckoning by rectangles takes a row past either end whenever a row
// reaches into its neighbour's cell, so the two ends are found as a click
// there finds its row.
void ListBox::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) {
    if (multiSelect_ != 2 || (rect.width() == 1 && rect.height() == 1)) {
        QListWidget::setSelection(rect, command);
        return;
    }
    const QModelIndex to = indexAt(rect.bottomRight());
    if (!to.isValid()) return;  // between rows: the range stays as it was
    QModelIndex from = indexAt(rect.topLeft());
    if (!from.isValid()) from = to;
    const int first = std::min(from.row(), to.row()), last = std::max(from.row(), to.row());
    selectionModel()->select(QItemSelection(model()->index(first, 0), model()->index(last, 0)), command);
}

void ListBox::focusInEvent(QFocusEvent* e) {
    // Qt makes the first row current when a list without one gets the
    // focus; a list keeps having no current row until the user picks one.
    const bool none = !currentIndex().isValid();
    QListWidget::focusInEvent(e);
    if (none && currentIndex().isValid()) setCurrentRow(-1, QItemSelectionModel::NoUpdate);
}

// ---- ComboBox -------------------------------------------------------------------

ComboBox::ComboBox(QWidget* parent, const QString& name, int index, int style)
    : Control<QComboBox>(parent, name, index) {
    // A list without an edit field never makes one.
    if (style != 2) setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    connect(this, &QComboBox::activated, this, [this](int) {
        if (!quiet_) fire(Click);
    });
    connect(this, &QComboBox::editTextChanged, this, [this](const QString&) {
        if (quiet_) return;
        std::string t = Text();
        if (t != lastText_) {
            lastText_ = t;
            fire(Change);
        }
    });
}

void ComboBox::setComboStyle(int style) {
    Quiet q(quiet_);
    int i = currentIndex();
    setEditable(style != 2);
    if (style != 2) setInsertPolicy(QComboBox::NoInsert);
    setCurrentIndex(i);
}

void ComboBox::AddItem(const std::string& row, int index) {
    Quiet q(quiet_);
    int n = ListCount();
    if (index < 0 || index > n) index = n;
    int cur = currentIndex();
    QString edit = isEditable() ? currentText() : QString();
    rows_.insert(rows_.begin() + index, row);
    data_.insert(data_.begin() + index, 0);
    insertItem(index, shownText(row));
    // Adding rows never selects one.
    if (cur < 0) {
        setCurrentIndex(-1);
        if (isEditable()) setEditText(edit);
    }
}

void ComboBox::RemoveItem(int i) {
    if (i < 0 || i >= ListCount()) return;
    Quiet q(quiet_);
    removeItem(i);
    rows_.erase(rows_.begin() + i);
    data_.erase(data_.begin() + i);
}

void ComboBox::Clear() {
    Quiet q(quiet_);
    clear();
    rows_.clear();
    data_.clear();
    if (isEditable()) clearEditText();
    lastText_.clear();
}

const std::string& ComboBox::List(int i) const {
    if (i < 0 || i >= ListCount()) return kNoRow;
    return rows_[static_cast<size_t>(i)];
}

void ComboBox::setList(int i, const std::string& row) {
    if (i < 0 || i >= ListCount()) return;
    Quiet q(quiet_);
    rows_[static_cast<size_t>(i)] = row;
    setItemText(i, shownText(row));
}

long ComboBox::ItemData(int i) const { return i >= 0 && i < ListCount() ? data_[static_cast<size_t>(i)] : 0; }

void ComboBox::setItemData(int i, long v) {
    if (i >= 0 && i < ListCount()) data_[static_cast<size_t>(i)] = v;
}

void ComboBox::setListIndex(int i) {
    if (i < -1 || i >= ListCount() || i == currentIndex()) return;
    {
        Quiet q(quiet_);
        setCurrentIndex(i);
    }
    std::string t = Text();
    bool changed = isEditable() && t != lastText_;
    lastText_ = t;
    if (changed) fire(Change);
    fire(Click);
}

std::string ComboBox::Text() const {
    int i = currentIndex();
    if (i >= 0 && i < ListCount() && currentText() == itemText(i)) return rows_[static_cast<size_t>(i)];
    return fromQt(currentText());
}

void ComboBox::setText(const std::string& t) {
    if (isEditable()) {
        {
            Quiet q(quiet_);
            setEditText(toQt(t));
        }
        if (Text() != lastText_) {
            lastText_ = Text();
            fire(Change);
        }
        return;
    }
    // A drop-down list takes only one of its rows.
    for (int i = 0; i < ListCount(); ++i)
        if (rows_[static_cast<size_t>(i)] == t) {
            setListIndex(i);
            return;
        }
}

// ---- Label, buttons, frame -------------------------------------------------------

QString CaptionText::set(const std::string& bytes) {
    bytes_ = bytes;
    shown_ = shownText(bytes);
    return shown_;
}

std::string CaptionText::read(const QString& shownNow) const {
    return shownNow == shown_ ? bytes_ : fromQt(shownNow);
}

Label::Label(QWidget* parent, const QString& name, int index) : Control<QLabel>(parent, name, index) {
    setTextFormat(Qt::PlainText);
}

void Label::setCaption(const std::string& c) {
    setText(caption_.set(c));
}

void Label::paintEvent(QPaintEvent* e) {
    const Qt::Alignment asked = alignment();
    const QRect room = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    if (wordWrap() || !(asked & (Qt::AlignHCenter | Qt::AlignRight)) || text().contains(u'\n') ||
        fontMetrics().horizontalAdvance(text()) <= room.width()) {
        QLabel::paintEvent(e);
        return;
    }
    QPainter p(this);
    drawFrame(&p);
    style()->drawItemText(&p, room, static_cast<int>((asked & Qt::AlignVertical_Mask) | Qt::AlignLeft), palette(),
                          isEnabled(), text(), foregroundRole());
}

void Label::mouseReleaseEvent(QMouseEvent* e) {
    QLabel::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) fire(Click);
}

void Label::mouseDoubleClickEvent(QMouseEvent* e) {
    QLabel::mouseDoubleClickEvent(e);
    if (e->button() == Qt::LeftButton) fire(DblClick);
}

CommandButton::CommandButton(QWidget* parent, const QString& name, int index)
    : Control<QPushButton>(parent, name, index) {
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, [this] { fire(Click); });
}

void CommandButton::setCaption(const std::string& c) {
    setText(caption_.set(c));
}

void CommandButton::press() {
    if (isEnabled()) fire(Click);
}

void CommandButton::setBackColor(long c) {
    back_ = c;
    if (c < 0) {
        setPalette(QPalette());
        return;
    }
    QPalette p = palette();
    p.setColor(QPalette::Button, QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)));
    setPalette(p);
}

CheckBox::CheckBox(QWidget* parent, const QString& name, int index) : Control<QCheckBox>(parent, name, index) {
    connect(this, &QCheckBox::stateChanged, this, [this](int) { fire(Click); });
}

void CheckBox::setCaption(const std::string& c) {
    setText(caption_.set(c));
}

int CheckBox::Value() const {
    switch (checkState()) {
    case Qt::Checked: return 1;
    case Qt::PartiallyChecked: return 2;
    default: return 0;
    }
}

void CheckBox::setValue(int v) {
    if (v == 2) setTristate(true);
    setCheckState(v == 1 ? Qt::Checked : v == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
}

OptionButton::OptionButton(QWidget* parent, const QString& name, int index)
    : Control<QRadioButton>(parent, name, index) {
    connect(this, &QRadioButton::toggled, this, [this](bool on) {
        if (on) fire(Click);
    });
}

void OptionButton::setCaption(const std::string& c) {
    setText(caption_.set(c));
}

void OptionButton::setValue(bool on) {
    if (on) {
        setChecked(true);
    } else if (isChecked()) {
        // Exclusive buttons refuse to be cleared one by one.
        bool ex = autoExclusive();
        setAutoExclusive(false);
        setChecked(false);
        setAutoExclusive(ex);
    }
}

Frame::Frame(QWidget* parent, const QString& name, int index) : Control<QGroupBox>(parent, name, index) {}

void Frame::setCaption(const std::string& c) {
    setTitle(caption_.set(c));
}

void Frame::mousePressEvent(QMouseEvent* e) {
    QGroupBox::mousePressEvent(e);
    if (!MouseDown) return;
    // The frame's own event: the window under it does not get the press too.
    e->accept();
    report(MouseDown, e);
}

// ---- scroll bars -------------------------------------------------------------------

ScrollBarBase::ScrollBarBase(Qt::Orientation o, QWidget* parent, const QString& name, int index)
    : Control<QScrollBar>(parent, name, index) {
    setOrientation(o);
    setFocusPolicy(Qt::StrongFocus);
    // Only the wheel follows this now; the keys have their own map (keyPressEvent).
    setInvertedControls(o == Qt::Vertical);
    setSingleStep(1);
    setPageStep(1);
    applyRange();
    connect(this, &QAbstractSlider::valueChanged, this, [this](int) {
        if (ranging_) return;
        if (isSliderDown())
            fire(Scroll);
        else
            fire(Change);
    });
    connect(this, &QAbstractSlider::sliderPressed, this, [this] { pressValue_ = Value(); });
    connect(this, &QAbstractSlider::sliderReleased, this, [this] {
        if (Value() != pressValue_) fire(Change);
    });
}

void ScrollBarBase::applyRange() {
    // The value keeps its meaning; Min stands at the top or left end, Max at
    // the other, whichever is the larger. A range change that moves the
    // value raises Change.
    const int before = Value();
    const int lo = std::min(min_, max_), hi = std::max(min_, max_);
    const int now = std::clamp(before, lo, hi);
    ranging_ = true;
    reversed_ = min_ > max_;
    if (reversed_) {
        setRange(-hi, -lo);
        QScrollBar::setValue(-now);
    } else {
        setRange(lo, hi);
        QScrollBar::setValue(now);
    }
    ranging_ = false;
    if (now != before) fire(Change);
}

void ScrollBarBase::setMin(int v) {
    min_ = v;
    applyRange();
}

void ScrollBarBase::setMax(int v) {
    max_ = v;
    applyRange();
}

void ScrollBarBase::setValue(int v) {
    const int c = std::clamp(v, std::min(min_, max_), std::max(min_, max_));
    QScrollBar::setValue(reversed_ ? -c : c);
}

void ScrollBarBase::keyPressEvent(QKeyEvent* e) {
    // The bar's own range runs from its top or left end (the value shown
    // there, negated on a reversed bar) to the other, in either orientation,
    // so each key is the action of the arrow or the trough it stands for.
    SliderAction action = SliderNoAction;
    if (!(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) && !isSliderDown()) {
        switch (e->key()) {
        case Qt::Key_Up:
        case Qt::Key_Left: action = SliderSingleStepSub; break;
        case Qt::Key_Down:
        case Qt::Key_Right: action = SliderSingleStepAdd; break;
        case Qt::Key_PageUp: action = SliderPageStepSub; break;
        case Qt::Key_PageDown: action = SliderPageStepAdd; break;
        case Qt::Key_Home: action = SliderToMinimum; break;
        case Qt::Key_End: action = SliderToMaximum; break;
        default: break;
        }
    }
    if (action == SliderNoAction) {
        e->ignore();
        return;
    }
    triggerAction(action);
    e->accept();
}

void ScrollBarBase::paintEvent(QPaintEvent* e) {
    QScrollBar::paintEvent(e);
    if (!hasFocus()) return;
    QStyleOptionSlider bar;
    initStyleOption(&bar);
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = style()->subControlRect(QStyle::CC_ScrollBar, &bar, QStyle::SC_ScrollBarSlider, this);
    focus.backgroundColor = palette().color(QPalette::Button);
    QPainter p(this);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
}

// ---- PictureBox ----------------------------------------------------------------------

PictureBox::PictureBox(QWidget* parent, const QString& name, int index) : Control<QWidget>(parent, name, index) {}

void PictureBox::Cls() {
    ops_.clear();
    CurrentX = CurrentY = 0;
    update();
}

void PictureBox::Print(const std::string& text) {
    ops_.push_back({true, CurrentX, CurrentY, 0, 0, palette().color(QPalette::WindowText), shownText(text)});
    CurrentX = 0;
    CurrentY += pxToTwipsY(fontMetrics().height());
    update();
}

void PictureBox::Line(int x1, int y1, int x2, int y2, QColor color) {
    ops_.push_back({false, x1, y1, x2, y2, color, QString()});
    CurrentX = x2;
    CurrentY = y2;
    update();
}

void PictureBox::setBackColor(QColor c) {
    QPalette p = palette();
    p.setColor(QPalette::Window, c);
    setPalette(p);
    setAutoFillBackground(true);
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    for (const Op& op : ops_) {
        p.setPen(op.color);
        if (op.text)
            p.drawText(QPoint(twipsToPxX(op.x1), twipsToPxY(op.y1) + p.fontMetrics().ascent()), op.s);
        else
            p.drawLine(twipsToPxX(op.x1), twipsToPxY(op.y1), twipsToPxX(op.x2), twipsToPxY(op.y2));
    }
}

void PictureBox::mousePressEvent(QMouseEvent* e) { report(MouseDown, e); }

void PictureBox::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) fire(Click);
}

// ---- SSTab ---------------------------------------------------------------------------

SSTab::SSTab(QWidget* parent, const QString& name, int index) : Control<QTabWidget>(parent, name, index) {
    // The strip is the control's one stop, taken by a click on a tab too.
    // The control itself is no stop: Qt keeps it in the Tab chain ahead of
    // the pages, where Tab from a strip standing last in its window's chain
    // would find it and land on the strip again. The strip's scroll arrows
    // are clicked, not tabbed to (its arrow keys scroll it).
    tabBar()->setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(nullptr);
    setFocusPolicy(Qt::NoFocus);
    for (QToolButton* b : tabBar()->findChildren<QToolButton*>()) b->setFocusPolicy(Qt::NoFocus);
    connect(this, &QTabWidget::currentChanged, this, [this](int now) {
        // A page turned by a call that went round setTab: the stack has
        // given the focus to the new page's first control.
        focusStrip();
        int prev = current_;
        current_ = now;
        if (prev != now && prev >= 0 && Click) Click(prev);
    });
    tabBar()->installEventFilter(this);
}

bool SSTab::eventFilter(QObject* o, QEvent* e) {
    if (o == tabBar() && e->type() == QEvent::MouseButtonPress && MouseDown) {
        auto* m = static_cast<QMouseEvent*>(e);
        const QPoint p = tabBar()->mapTo(this, m->position().toPoint());
        MouseDown(buttonOf(m->button()), shiftOf(m->modifiers()), pxToTwipsX(p.x()), pxToTwipsY(p.y()));
        // The left button still picks the tab; the others stop here, so the
        // press is reported once and not again by the strip around the tabs.
        if (m->button() != Qt::LeftButton) {
            m->accept();
            return true;
        }
    }
    return Control<QTabWidget>::eventFilter(o, e);
}

void SSTab::mousePressEvent(QMouseEvent* e) {
    // Beside the tabs, on the strip's row: the strip's press too. A press on
    // a page is the page's (or the window's) own.
    const QRect bar = tabBar()->geometry();
    const int y = e->position().toPoint().y();
    if (MouseDown && count() > 0 && y >= bar.top() && y <= bar.bottom()) {
        e->accept();
        report(MouseDown, e);
        return;
    }
    Control<QTabWidget>::mousePressEvent(e);
}

QSize SSTab::pageSize() const {
    QStyleOptionTabWidgetFrame opt;
    initStyleOption(&opt);
    const QRect place = style()->subElementRect(QStyle::SE_TabWidgetTabContents, &opt, this);
    return place.isValid() ? place.size() : QSize(0, 0);
}

void SSTab::setTab(int i) {
    if (i < 0 || i >= count()) return;
    if (i != currentIndex()) focusStrip();
    setCurrentIndex(i);
}

void SSTab::keyPressEvent(QKeyEvent* e) {
    // Ctrl+Tab, Ctrl+Page Up and their kin turn the page from a control on
    // it: the strip takes the focus first, so no control of the next page
    // gets and loses it on the way.
    const int k = e->key();
    if ((e->modifiers() & Qt::ControlModifier) &&
        (k == Qt::Key_Tab || k == Qt::Key_Backtab || k == Qt::Key_PageUp || k == Qt::Key_PageDown))
        focusStrip();
    Control<QTabWidget>::keyPressEvent(e);
}

void SSTab::focusStrip() {
    QWidget* f = window()->focusWidget();
    if (f && f != tabBar() && isAncestorOf(f)) tabBar()->setFocus(Qt::OtherFocusReason);
}

void SSTab::setTabs(int n) {
    if (n < 0) n = 0;
    while (count() < n) {
        auto* page = new QWidget;
        page->setObjectName(QStringLiteral("page%1").arg(count()));
        addTab(page, QString());
    }
    while (count() > n) {
        QWidget* w = widget(count() - 1);
        removeTab(count() - 1);
        delete w;
    }
    current_ = currentIndex();
}

std::string SSTab::TabCaption(int i) const { return fromQt(tabText(i)); }

void SSTab::setTabCaption(int i, const std::string& c) { setTabText(i, shownText(c)); }

// ---- MenuItem ------------------------------------------------------------------------

MenuItem::MenuItem(QObject* parent, const QString& name, int index) : QAction(parent) {
    setObjectName(name);
    SetControlIndex(this, index);
    connect(this, &QAction::triggered, this, &MenuItem::onTriggered);
}

MenuItem::~MenuItem() { delete menu_; }

void MenuItem::onTriggered(bool) {
    // A click never moves the check mark; only code does.
    if (isCheckable() && isChecked() != wantChecked_) {
        QSignalBlocker b(this);
        QAction::setChecked(wantChecked_);
    }
    fire(Click);
}

void MenuItem::setCaption(const std::string& c) {
    setText(caption_.set(c));
}

void MenuItem::setChecked(bool on) {
    wantChecked_ = on;
    // Only a ticked item carries a mark: an item ticked once and unticked
    // since looks as it did before, like every item that never was, with
    // no empty box beside it.
    if (on) {
        setCheckable(true);
        QAction::setChecked(true);
    } else {
        QAction::setChecked(false);
        setCheckable(false);
    }
}

QMenu* MenuItem::subMenu() {
    if (!menu_) {
        menu_ = new QMenu;
        menu_->setObjectName(objectName() + QStringLiteral("_menu"));
        menu_->setTitle(text());
        setMenu(menu_);
        connect(menu_, &QMenu::aboutToShow, this, [this] { fire(Click); });
        connect(this, &QAction::changed, menu_, [this] { menu_->setTitle(text()); });
    }
    return menu_;
}

MenuItem* MenuItem::insert(MenuItem* before, const QString& name, const std::string& caption, int index) {
    auto* m = new MenuItem(this, name, index);
    m->setCaption(caption);
    subMenu()->insertAction(before, m);
    return m;
}

MenuItem* MenuItem::add(const QString& name, const std::string& caption, int index) {
    return insert(nullptr, name, caption, index);
}

MenuItem* MenuItem::addSeparator(const QString& name, int index) {
    auto* m = new MenuItem(this, name, index);
    m->setSeparator(true);
    subMenu()->addAction(m);
    return m;
}

MenuItem* AddMenu(QMenuBar* bar, QObject* owner, const QString& name, const std::string& caption) {
    auto* m = new MenuItem(owner, name);
    m->setCaption(caption);
    m->subMenu();
    if (bar) bar->addAction(m);
    return m;
}
