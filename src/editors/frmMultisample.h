#pragma once
// The multisample picker: the instrument's 519 multisamples by number and
// name on five pages of 105, for the program editor's selected multisample
// box. A pick writes the row into that box (whose own handler stores and
// sends it); the editor arms the picker's timer when the box changes, and
// the picker then shows the box's multisample. Single instance, window kind
// 35, opened from View > Multisample and by the editor's boxes.
#include <QPointer>
#include <array>
#include <string>

#include "app/ToolForm.h"

class ListBox;
class SSTab;
class Timer;

// Where entry n (0-518) stands: page n / 105, row n - 105 * page.
constexpr int MultisamplePageRows = 105;
constexpr int MultisamplePages = 5;
constexpr int MultisamplePage(int n) { return n / MultisamplePageRows; }
constexpr int MultisampleRow(int n) { return n - MultisamplePageRows * MultisamplePage(n); }
constexpr int MultisampleEntry(int page, int row) { return row + MultisamplePageRows * page; }
// The caption of a page: its first and last entry ("105-209").
std::string MultisamplePageCaption(int page);
// The number a multisample box's text begins with, read as a decimal
// number (leading blanks skipped; 0 when no digit begins it; rounded to a
// whole number).
int MultisampleBoxNumber(const std::string& text);

class frmMultisample : public ToolForm {
    Q_OBJECT
public:
    static constexpr int Kind = 35;
    static constexpr int TimerInterval = 10;  // ms

    explicit frmMultisample(MdiFrame* frame);

    // The loaded picker, or nullptr.
    static frmMultisample* Open();

    SSTab* SSTab1 = nullptr;
    std::array<ListBox*, MultisamplePages> List1{};
    ::Timer* Timer = nullptr;

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() override;
    void Form_Unload(int& Cancel) override;

    // The user picked a row of page `page` (not the timer showing one).
    void List1_Click(int page);
    // Shows the multisample of the editor's selected box.
    void Timer_Timer();
    // The right button on a list or on the tab strip.
    void List1_MouseDown(int button);
    void SSTab1_MouseDown(int button);

private:
    void layoutControls();
    // The widest row's width in pixels.
    int widestRow() const;
    int columnPx_ = 1;  // the widest row and a gap
    bool following_ = false;  // the timer shows the box's multisample
    static inline QPointer<frmMultisample> instance_;
};
