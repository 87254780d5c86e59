#pragma once
// The arrangement database editor (kind 12): one row per numbered file with
// its ID after the two factory banks, the count against 999, the working
// folder; Add all, Delete, Open, Close.
#include <QPointer>
#include <functional>
#include <string>

#include "app/MenuIds.h"
#include "library/DocWindow.h"
#include "platform/Registration.h"

class Label;
class Timer;

class frmEditDBArr : public DocWindow {
    Q_OBJECT
public:
    static constexpr int Kind = 12;
    explicit frmEditDBArr(MdiFrame* frame);
    ~frmEditDBArr() override;

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() override;

    void List1_Click();
    void List1_DblClick();
    void List1_KeyDown(int KeyCode, int Shift);
    void CommAddAll_Click();
    // Public: the main window's Cut runs it when this window is active.
    Q_INVOKABLE void CommDelete_Click();
    void CommApri_Click();
    void Timer_Timer(int Index);

    // The list and labels again from DBArrImage, keeping the selected entry.
    void reloadList();
    // The image the list shows.
    const std::string& listImage() const { return listImage_; }

    ListBox* List1 = nullptr;
    Label* Label1 = nullptr;   // "File Name"
    Label* Label2 = nullptr;   // "ID"
    Label* Label3 = nullptr;   // the count
    Label* Label4 = nullptr;   // the working folder
    CommandButton* CommDelete = nullptr;
    CommandButton* CommApri = nullptr;
    CommandButton* CommAddAll = nullptr;
    Timer* Timer0 = nullptr;   // the timer array "Timer": deferred Add all,
    Timer* Timer1 = nullptr;   // reload,
    Timer* Timer2 = nullptr;   // deferred Open
    Timer* TimerAddAll = nullptr;
    Timer* TimerApri = nullptr;
    Timer* TimerCancella = nullptr;

    // The Edit menu's Delete, Cut, Open and Add All.
    bool JobOffered(WindowJob job) const override;
    void RunJob(WindowJob job) override;

protected:
    void unloadMenus() override;
    int closingState(int) const override { return 0; }   // never reopened at start
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void layoutControls();
    void fill(const std::string& image, bool sound);
    void setMenu(MenuId id, bool on);

    std::string listImage_;   // what the list was built from ("" none)
    Registration open_;       // EditDBArrOpen while loaded
};

// The open editor, or nullptr.
frmEditDBArr* EditDBArrForm();
// View > i40DBArr: shows the editor, creating it on first use.
void EditDBArrShow();

// The folder as the label shows it: whole when it is at most 3900 twips
// wide, else its first three characters, "..." and as much of its end as
// fits in 3800 twips beside them. `width` measures a text in twips.
std::string FolderShown(const std::string& folder, const std::function<int(const std::string&)>& width);
