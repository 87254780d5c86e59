#pragma once
// The window of one user arrangement file (kind 19): its 64 arrangements, the
// style box, the file's number in the arrangement database and the program
// origin of the picked arrangement. Slots 1-8 hold files; slot 9 is the file
// the instrument holds as its user bank.
//
// Its buttons of the send and companion commands stand in a column right of
// the list: the Edit menu mirrors them (MenuAgg) and the main window's timer
// commands press them.
#include <QPointer>
#include <array>
#include <memory>
#include <string>

#include "app/MenuIds.h"
#include "library/DocWindow.h"

class ComboBox;
class Label;
class StyleGroupSend;
class TextBox;
class Timer;

class frmArrU : public DocWindow {
    Q_OBJECT
public:
    explicit frmArrU(MdiFrame* frame);
    ~frmArrU() override;

    void Form_Load() override;
    void Form_Activate() override;

    // The list.
    void List1_Click();
    void List1_DblClick();
    void List1_KeyDown(int KeyCode, int Shift);
    // The repeat of a click (or of an Edit's selection) parked for a send.
    void TimerList1_Timer();

    // Buttons.
    void CommEdit_Click();
    // The arrangement editor on row `idx` (while open: once the edit it
    // holds has been kept, stored or dropped; a store refused keeps it).
    void feedEditor(int idx);
    // Send the bank or the styles; a click parked for them (TimerList1
    // state 11 or 12) is released when they end.
    void CommLoadArr_Click();
    void CommLoadSty_Click();
    // Sends the companion program file, from its open window or its file.
    void CommLoadPrg_Click();
    // Shows the file's style file and program windows.
    void CommShowSty_Click();
    void CommShowPrg_Click();
    // Enters the file in the arrangement database.
    void CommAdd_Click();

    // One step of the find by number: sends what the instrument still lacks
    // of the found arrangement (bank, styles, programs, as the Load options
    // ask), then selects it. TimerFindID's Interval is the step and its delay.
    void TimerFindID_Timer();

    // The Edit menu's jobs: the send and companion buttons, pressed by
    // their timers (the add to the database at once).
    bool JobOffered(WindowJob job) const override;
    void RunJob(WindowJob job) override;
    // The rows, the style box, the bank send button and the caption again
    // from the image, after a paste or a cut changed it. Sends nothing.
    void ImageChanged() override;

    // The slot of the window (image position 15), 0 when it holds none.
    int slot() const;

    ListBox* List1 = nullptr;
    TextBox* Text1 = nullptr;   // the number in the arrangement database
    TextBox* Text2 = nullptr;   // the program origin
    ComboBox* Combo1 = nullptr; // the styles
    std::array<Label*, 3> Label1{};
    CommandButton* CommLoadArr = nullptr;
    CommandButton* CommLoadSty = nullptr;
    CommandButton* CommShowSty = nullptr;
    CommandButton* CommLoadPrg = nullptr;
    CommandButton* CommShowPrg = nullptr;
    CommandButton* CommEdit = nullptr;
    CommandButton* CommAdd = nullptr;

    // All created disabled with Interval 10. TimerList1's Interval is the
    // state of a parked click: 10 idle, 11 waiting for the bank send, 12 for
    // the style send.
    Timer* TimerFindID = nullptr;
    Timer* TimerList1 = nullptr;
    Timer* TimerEdit = nullptr;
    Timer* TimerLoadArr = nullptr;
    Timer* TimerLoadSty = nullptr;
    std::array<Timer*, 2> TimerTxSty{};
    Timer* TimerLoadPrg = nullptr;
    Timer* TimerShowSty = nullptr;
    Timer* TimerShowPrg = nullptr;
    Timer* Timer4 = nullptr;   // the timer array "Timer", element 4

protected:
    Layout layoutRead() override;
    void layoutWrite(const Layout& l) override;
    bool closeDependents() override;
    void saved() override;
    void unloadMenus() override;
    int closingState(int current) const override;
    bool countOutWhileClosing() const override { return false; }
    void closedByHand() override;
    bool eventFilter(QObject* o, QEvent* e) override;
    bool rowEditable(int row) const override;
    bool editorMayOpen() const override;

private:
    // What a click on row `idx` (not empty) does from the sends on: the bank
    // or the styles first when the instrument lacks them (the click parked
    // meanwhile), the editor and the boxes following the row, the selection,
    // then the paired program. For an Edit (`forEdit`) only what gives the
    // instrument the row: the sends, the mode and the selection.
    void select(int idx, bool forEdit);
    // Selects row `row` on the instrument, the one it then has selected.
    void sendSelection(int row);
    // The boxes under the list for row `idx`: its number, origin and style
    // (emptied for an empty row).
    void showRow(int idx);
    void buildControls();
    // The controls at their places; the inside they need.
    Extent layoutControls(bool slot9);
    void attachCompanions(std::string& image);
    void setDatabaseButton();
    void setMenu(MenuId id, bool on);
    // The send and companion jobs: their buttons and timers.
    void wireJobs();
    // Ends every send and the database entry this window runs (closing).
    void stopJobs();
    // After the style send: the info file, the selection, and what waited.
    void stylesEnded(int result, const std::string& image);
    // A click parked for a send goes on.
    void releaseParkedClick(int state);
    // A send has ended: the find this window holds goes on at `step`.
    void continueFind(int step);
    // The find ends here: the timer idle, the pending find cleared when it
    // was this window's.
    void endFind();
    bool open_ = false;   // loaded and holding its slot
    int editSelect_ = -1;  // the row whose selection an Edit parked for a send
    // The style send, on TimerTxSty(0) and (1).
    std::unique_ptr<StyleGroupSend> styleSend_;
    // The find this window took at its load, and what its first step read.
    int findPos_ = 0;
    bool findUserSty_ = false, findUserPrg_ = false;
    std::string findName_, findStyTitle_;
};

// The windows of the slots 1-9 (nullptr where none is open).
std::array<QPointer<frmArrU>, 10>& ArrUForms();
