#pragma once
// The program banks A to E of the instrument (kinds 4-8): the 64 factory
// programs of a bank in four columns; a pick selects the program, and the
// rows can be copied as references into a program file.
#include <QPointer>
#include <array>

#include "banks/BankWindow.h"

class frmPcgAE : public BankWindow {
    Q_OBJECT
public:
    frmPcgAE(MdiFrame* frame, int kind);
};

// The bank windows by kind 4-8 (nullptr where none was made).
std::array<QPointer<frmPcgAE>, 9>& PcgAEForms();
