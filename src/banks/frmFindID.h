#pragma once
// Find by number (kind 11): the user types an arrangement's number (file
// number and the two digits of its place, "111" to "99988"), and the
// arrangement comes up selected in its window.
#include <string>

#include "app/ToolForm.h"

class CommandButton;
class Label;
class TextBox;
class Timer;

// A typed number, checked: at least three digits, the last two each 1-8.
struct FindIDTarget {
    bool ok = false;
    int file = 0;   // 1 bank A, 2 bank B, 3-999 a numbered file (others: none)
    int pos = 0;    // 0-63
};
FindIDTarget FindIDDecode(const std::string& s);

class frmFindID : public ToolForm {
    Q_OBJECT
public:
    static constexpr int Kind = 11;
    // The designed inside of the window, in twips.
    static constexpr int DesignWidth = 3240, DesignHeight = 648;

    explicit frmFindID(MdiFrame* frame);

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() override;
    void Form_Unload(int& Cancel) override;

    void FindIDFocus();
    void Text1_KeyDown(int KeyCode, int Shift);
    void CommOK_Click();
    void Timer_Timer();
    void FindIDApri();

    TextBox* Text1 = nullptr;
    Label* Label1 = nullptr;
    CommandButton* CommOK = nullptr;
    Timer* Timer0 = nullptr;   // "Timer"

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void keepDesignSize();
    bool sizing_ = false;
};

// Edit > Find Arrangement (ID): shows the window, creating it on first use.
void FindIDShow();
