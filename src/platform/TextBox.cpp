#include <QBoxLayout>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextCursor>

#include "platform/Controls.h"
#include "platform/Text.h"

TextBox::TextBox(QWidget* parent, const QString& name, int index, bool multiLine)
    : Control<QWidget>(parent, name, index) {
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    setMultiLine(multiLine);
    if (!line_ && !plain_) setMultiLine(false);
}

QString TextBox::shown() const {
    if (line_) return line_->text();
    if (plain_) return plain_->toPlainText();
    return QString();
}

void TextBox::setMultiLine(bool on) {
    if ((on && plain_) || (!on && line_)) return;
    QString text = shown();
    delete line_;
    delete plain_;
    line_ = nullptr;
    plain_ = nullptr;
    QWidget* w;
    if (on) {
        plain_ = new QPlainTextEdit(this);
        plain_->setPlainText(text);
        plain_->setReadOnly(locked_);
        connect(plain_, &QPlainTextEdit::textChanged, this, [this] { onEdited(); });
        w = plain_;
    } else {
        line_ = new QLineEdit(this);
        line_->setText(text);
        line_->setReadOnly(locked_);
        if (maxLength_ > 0) line_->setMaxLength(maxLength_);
        connect(line_, &QLineEdit::textChanged, this, [this](const QString&) { onEdited(); });
        w = line_;
    }
    w->installEventFilter(this);
    setFocusProxy(w);
    layout()->addWidget(w);
    last_ = shown();
    if (back_ != 0xFFFFFF || fore_ != 0) applyColors();
}

void TextBox::onEdited() {
    QString now = shown();
    if (now == last_) return;
    last_ = now;
    if (Change) Change();
}

std::string TextBox::Text() const {
    QString now = shown();
    if (now == bytesShown_) return bytes_;
    return fromQt(now);
}

void TextBox::setText(const std::string& t) {
    bytes_ = t;
    bytesShown_ = toQt(t);
    // The edit controls raise onEdited when the text differs.
    if (line_) line_->setText(bytesShown_);
    if (plain_) plain_->setPlainText(bytesShown_);
    bytesShown_ = shown();  // as the control keeps it (a limited length may cut it)
    if (bytesShown_ != toQt(t)) bytes_ = fromQt(bytesShown_);
}

void TextBox::AppendText(const std::string& t, int keepChars) {
    if (!plain_) {
        // One line: no log is kept in such a box.
        setText(Text() + t);
        return;
    }
    QScrollBar* bar = plain_->verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    {
        // The whole text is compared only when someone listens for Change.
        QSignalBlocker quiet(plain_);
        QTextDocument* doc = plain_->document();
        QTextCursor c(doc);
        c.movePosition(QTextCursor::End);
        c.insertText(toQt(t));
        const int excess = doc->characterCount() - 1 - keepChars;
        if (keepChars > 0 && excess > 0) {
            // Up to the first line with text after the cut; a single line
            // that is longer than the whole allowance is cut inside.
            QTextBlock b = doc->findBlock(excess);
            if (b.position() != excess) b = b.next();
            while (b.isValid() && b.length() == 1) b = b.next();  // empty lines
            const int upTo = b.isValid() ? b.position() : excess;
            c.setPosition(0);
            c.setPosition(upTo, QTextCursor::KeepAnchor);
            c.removeSelectedText();
        }
    }
    if (atEnd) bar->setValue(bar->maximum());
    if (Change) {
        last_ = shown();
        Change();
    }
}

void TextBox::setLocked(bool on) {
    locked_ = on;
    if (line_) line_->setReadOnly(on);
    if (plain_) plain_->setReadOnly(on);
}

void TextBox::setMaxLength(int n) {
    maxLength_ = n < 0 ? 0 : n;
    if (line_) line_->setMaxLength(maxLength_ > 0 ? maxLength_ : 32767);
}

int TextBox::SelStart() const {
    if (line_) return line_->hasSelectedText() ? line_->selectionStart() : line_->cursorPosition();
    return plain_->textCursor().selectionStart();
}

int TextBox::SelLength() const {
    if (line_) return static_cast<int>(line_->selectedText().size());
    QTextCursor c = plain_->textCursor();
    return c.selectionEnd() - c.selectionStart();
}

void TextBox::setSelStart(int pos) {
    int len = static_cast<int>(shown().size());
    pos = std::clamp(pos, 0, len);
    if (line_) {
        line_->deselect();
        line_->setCursorPosition(pos);
    } else {
        QTextCursor c = plain_->textCursor();
        c.setPosition(pos);
        plain_->setTextCursor(c);
    }
}

void TextBox::setSelLength(int n) {
    int start = SelStart();
    int len = static_cast<int>(shown().size());
    n = std::clamp(n, 0, len - start);
    if (line_) {
        line_->setSelection(start, n);
    } else {
        QTextCursor c = plain_->textCursor();
        c.setPosition(start);
        c.setPosition(start + n, QTextCursor::KeepAnchor);
        plain_->setTextCursor(c);
    }
}

namespace {
QColor fromBgr(long c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }
}  // namespace

void TextBox::setBackColor(long c) {
    back_ = c;
    applyColors();
}

void TextBox::setForeColor(long c) {
    fore_ = c;
    applyColors();
}

void TextBox::applyColors() {
    QWidget* w = line_ ? static_cast<QWidget*>(line_) : static_cast<QWidget*>(plain_);
    if (!w) return;
    QPalette p = w->palette();
    p.setColor(QPalette::Base, fromBgr(back_));
    p.setColor(QPalette::Text, fromBgr(fore_));
    w->setPalette(p);
}

bool TextBox::eventFilter(QObject* o, QEvent* e) {
    if (o == line_ || o == plain_) {
        if (e->type() == QEvent::MouseButtonPress) {
            ReportMouse(MouseDown, static_cast<QMouseEvent*>(e));
        } else if (e->type() == QEvent::MouseButtonRelease) {
            auto* m = static_cast<QMouseEvent*>(e);
            if (Click && static_cast<QWidget*>(o)->rect().contains(m->position().toPoint())) Click();
        } else if (e->type() == QEvent::FocusOut && LostFocus) {
            LostFocus();
        }
    }
    if (KeyPress && e->type() == QEvent::KeyPress && (o == line_ || o == plain_)) {
        auto* k = static_cast<QKeyEvent*>(e);
        QString t = k->text();
        if (t.size() == 1 && t[0].unicode() < 256) {
            int key = t[0].unicode();
            int before = key;
            KeyPress(key);
            if (key == 0) return true;
            if (key != before) {
                QKeyEvent repl(QEvent::KeyPress, k->key(), k->modifiers(), QString(QChar(key)));
                QCoreApplication::sendEvent(o, &repl);
                return true;
            }
        }
    }
    return QWidget::eventFilter(o, e);
}
