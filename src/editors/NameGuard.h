#pragma once
// The name field of an editor: the instrument keeps only some characters, so
// an edit that brings another one is undone at once, however it came in
// (typed or pasted), with a beep.
#include <QString>

class QLineEdit;

class NameGuard {
public:
    // The field's text changed: true when the new text stands (it is then
    // the accepted one); false while an edit is being undone or when it was.
    bool accept(QLineEdit* field, int maxLength);

private:
    QString accepted_;
    bool undoing_ = false;
};
