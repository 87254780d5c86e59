#pragma once
// The drum and percussion kit windows (kinds 9 and 10): the instrument's 16
// kits in four columns, each window on its own channel; a pick selects the
// kit. Not a source of the clipboard.
#include <QPointer>
#include <array>

#include "banks/BankWindow.h"

class frmDrum : public BankWindow {
    Q_OBJECT
public:
    frmDrum(MdiFrame* frame, int kind);
};

// The kit windows by kind 9 and 10 (nullptr where none was made).
std::array<QPointer<frmDrum>, 11>& DrumForms();
