#pragma once
// The window of one user style document: a style file (kind 23; slots 1-8,
// slot 9 the file the instrument holds as its user style bank) or a new
// untitled document made from the style template (kind 24; numbers 1-8).
// Its list shows the sixteen styles in four groups with their sizes; it sends
// one group or all of them, and picks styles for the arrangement editor.
#include <QPointer>
#include <array>
#include <memory>
#include <string>

#include "app/MenuIds.h"
#include "library/DocWindow.h"

class Label;
class PictureBox;
class StyleGroupSend;
class TextBox;
class Timer;

class frmStyUN : public DocWindow {
    Q_OBJECT
public:
    // Kind 23 takes its slot from StySlotCur; kind 24 its number from
    // StyLoopIdx. Both take the document from StyFileBuf.
    frmStyUN(MdiFrame* frame, int kind);
    ~frmStyUN() override;

    void Form_Load() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;

    // The list, the sizes and the group buttons again from the image (after
    // the load, a paste or a cut).
    void refresh();
    // refresh and the caption (after a paste, a cut or a Save As).
    void ImageChanged() override;
    // The Edit menu's Load Style: the group of the selected row (four
    // styles and a blank separator a group; no selection is group 0),
    // offered while any group can be sent.
    bool JobOffered(WindowJob job) const override;
    void RunJob(WindowJob job) override;

    void List1_Click();
    void List1_KeyDown(int KeyCode, int Shift);
    // Sends group g: the first press shows the status and arms its timer,
    // the tick sends.
    void CommLoadStyGrp_Click(int g);
    // Sends all groups in turn, then selects arrangement 0 of the user bank.
    void CommLoadSty_Click();

    // Image position 15: the slot (kind 23) or the number (kind 24).
    int slot() const;

    ListBox* List1 = nullptr;
    PictureBox* Picture1 = nullptr;
    std::array<TextBox*, 16> Text1{};
    std::array<CommandButton*, 4> CommLoadStyGrp{};
    std::array<PictureBox*, 4> Picture2{};
    std::array<TextBox*, 4> Text2{};
    CommandButton* CommLoadSty = nullptr;
    TextBox* Text3 = nullptr;
    Label* Label3 = nullptr;

    // Created disabled with Interval 10. TimerLoadStyGrp(g): 10 idle, 11 a
    // group send waits for its tick. TimerTxSty(0): 10 idle, 20 the send of
    // all groups runs; TimerTxSty(1) paces its steps.
    std::array<Timer*, 4> TimerLoadStyGrp{};
    std::array<Timer*, 2> TimerTxSty{};

protected:
    Layout layoutRead() override;
    void layoutWrite(const Layout& l) override;
    long changedPos() const override;
    bool saveAsPending(const std::string& image) const override;
    void unloadMenus() override;
    int closingState(int current) const override;
    bool countOutWhileClosing() const override { return kind() == 24; }
    void closedByHand() override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void buildControls();
    // The controls at their places; the inside they need.
    Extent layoutControls();
    void setMenu(MenuId id, bool on);
    // After the send of all groups: the user bank, the info file, and
    // arrangement 0 selected.
    void stylesEnded(int result, const std::string& image);
    std::unique_ptr<StyleGroupSend> styleSend_;   // the send of all groups
    bool open_ = false;
    int number_ = 0;      // slot or new-document number, kept for the destructor
    Layout newLayout_;    // kind 24 keeps its layout here (no slot record)
};

// The style file windows of slots 1-9 and the new documents 1-8 (nullptr
// where none is open).
std::array<QPointer<frmStyUN>, 10>& StyUNForms();
std::array<QPointer<frmStyUN>, 9>& StyNewForms();

// File > Open Sty: a free slot, the open dialog, the window, the recent files.
// File > New Sty: a free number, the style template, the window.
void mnuNuovoSty_Click();
// Registers the style windows' commands and link (InstallLibrary).
void InstallStyleWindows();
