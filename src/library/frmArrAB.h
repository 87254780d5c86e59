#pragma once
// The factory arrangement banks A and B (kinds 2 and 3): their 64
// arrangements, read-only, each selected on the instrument when picked.
#include <QPointer>
#include <array>

#include "library/DocWindow.h"

class ComboBox;
class Label;
class TextBox;
class Timer;

class frmArrAB : public DocWindow {
    Q_OBJECT
public:
    frmArrAB(MdiFrame* frame, int kind);

    void Form_Load() override;
    void Form_Resize() override;
    // The controls at their places; the inside they need.
    Extent layoutControls();

    // Two passes: the pick shows the name at once and arms Timer(0); its
    // tick shows the rest and selects the arrangement. Acts during the load
    // too, where a find by number picks its row.
    void List1_Click();
    void Timer_Timer(int Index);
    void List1_MouseUp(int Button, int Shift, int X, int Y);

    ListBox* List1 = nullptr;
    TextBox* Text1 = nullptr;
    ComboBox* Combo1 = nullptr;
    std::array<Label*, 2> Label1{};
    Timer* Timer0 = nullptr;   // the timer array "Timer", element 0

protected:
    void unloadMenus() override;
};

// The bank windows of kinds 2 and 3 (nullptr where none was made).
QPointer<frmArrAB>& ArrABForm(int kind);
// View > Arrangement A / B.
void mnuArrA_Click();
void mnuArrB_Click();
// Shows the bank window of `kind`, creating it on first use.
void ArrABShow(int kind);
