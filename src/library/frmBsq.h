#pragma once
// The window of one backing-sequence file (kind 26): its ten sequences with
// their event counts, the details of the picked one, the dump of the file to
// the instrument and the instrument's play modes.
#include <QPointer>
#include <array>

#include "library/DocWindow.h"

class Label;
class Timer;

class frmBsq : public DocWindow {
    Q_OBJECT
public:
    explicit frmBsq(MdiFrame* frame);

    void Form_Load() override;
    void List1_Click();
    void TimerList1_Timer();
    // The dump: the press shows the status and arms TimerLoadBSQ, its tick
    // sends. A press while it is pending does nothing more.
    void CommLoadBSQ_Click();
    void TimerLoadBSQ_Timer();
    void CommBSQ_Click();

    int slot() const;

    ListBox* List1 = nullptr;
    std::array<Label*, 12> Label1{};
    std::array<Label*, 4> Label2{};    // tracks 1, 2, 3 and 17
    std::array<Label*, 10> Label3{};   // the events of each sequence
    std::array<Label*, 8> Label4{};    // tracks 9-16
    CommandButton* CommLoadBSQ = nullptr;
    CommandButton* CommBSQ = nullptr;
    Timer* TimerList1 = nullptr;
    Timer* TimerLoadBSQ = nullptr;

protected:
    Layout layoutRead() override;
    void layoutWrite(const Layout& l) override;
    void unloadMenus() override;
    bool countOutWhileClosing() const override { return false; }
    void closedByHand() override;

private:
    // The controls at their places; the inside they need.
    Extent layoutControls();
};

std::array<QPointer<frmBsq>, 9>& BsqForms();
// File > Open BSQ.
