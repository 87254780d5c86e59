#pragma once
// The window of a new, untitled arrangement file (kind 20): 64 empty
// positions that Paste fills from the bank and arrangement windows, the
// selection of an arrangement on the instrument, the sends of the whole bank
// and of its user styles, and the save of the result as an arrangement file.
// Slots 1-8.
#include <QPointer>
#include <array>
#include <memory>
#include <string>

#include "library/DocWindow.h"

class ComboBox;
class Label;
class StyleGroupSend;
class Timer;

class frmArrNew : public DocWindow {
    Q_OBJECT
public:
    explicit frmArrNew(MdiFrame* frame);
    ~frmArrNew() override;

    void Form_Load() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;

    // Selects the picked arrangement on the instrument, sending the bank or
    // the styles first when the instrument does not hold this window's.
    void List1_Click();
    // The sends: a press (or the Edit menu's timer at rest) shows the status
    // and arms the timer; the tick sends. A press while a send is pending or
    // running starts nothing more.
    void CommLoadArr_Click();
    void CommLoadSty_Click();

    // Rebuilds the rows, the style box's entries and the send buttons from
    // the image, after a paste or a cut has changed it.
    void RefreshFromImage();
    // RefreshFromImage and the caption (after a paste, a cut or a Save As).
    void ImageChanged() override;
    // The Edit menu's jobs: the two sends, pressed by their timers.
    bool JobOffered(WindowJob job) const override;
    void RunJob(WindowJob job) override;

    int slot() const;

    ListBox* List1 = nullptr;
    ComboBox* Combo1 = nullptr;
    Label* Label1 = nullptr;
    CommandButton* CommLoadArr = nullptr;
    CommandButton* CommLoadSty = nullptr;

    // Created disabled with Interval 10, the rest state. TimerList1's
    // Interval is the state of a parked click: 11 waiting for the bank send,
    // 12 for the style send.
    Timer* TimerLoadArr = nullptr;
    Timer* TimerLoadSty = nullptr;
    Timer* TimerList1 = nullptr;

protected:
    Layout layoutRead() override;
    void layoutWrite(const Layout& l) override;
    void saved() override;
    void unloadMenus() override;
    int closingState(int) const override { return 0; }

private:
    // The controls at their places; the inside they need.
    Extent layoutControls();
    void Form_Resize() override;
    void TimerLoadArr_Timer();
    void TimerLoadSty_Timer();
    // After the style send: the info file, the selection, and what waited.
    void stylesEnded(int result, const std::string& image);
    void releaseParkedClick(int state);
    // Whether the instrument holds this document's arrangements (styles):
    // the info file's title names it and, while untitled, this window sent it.
    bool instrumentHolds(const std::string& infoTitle, bool sentHere) const;
    bool open_ = false;
    bool bankSent_ = false;    // this window's bank went out since it opened
    bool stylesSent_ = false;  // and its styles
    std::unique_ptr<StyleGroupSend> styleSend_;   // on TimerLoadSty
};

// The windows of the slots 1-8 (nullptr where none is open).
std::array<QPointer<frmArrNew>, 9>& ArrNewForms();
// File > New Arrangement.
void mnuNuovoArr_Click();
