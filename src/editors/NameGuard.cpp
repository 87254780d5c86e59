#include "editors/NameGuard.h"

#include <QApplication>
#include <QLineEdit>

#include "shell/SmallFiles.h"

bool NameGuard::accept(QLineEdit* field, int maxLength) {
    if (undoing_) return false;
    const QString now = field->text();
    if (!NoteEditAccepted(accepted_, now, maxLength)) {
        const TextSplice back = TextSpliceBack(accepted_, now);
        undoing_ = true;
        field->setText(QString(now).replace(back.position, back.length, back.text));
        field->setCursorPosition(back.position + static_cast<int>(back.text.size()));
        undoing_ = false;
        QApplication::beep();
        return false;
    }
    accepted_ = now;
    return true;
}
