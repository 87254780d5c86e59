#pragma once
// The window of one program file: the 64 programs of a ".prg" or ".pgg"
// file (kind 21; slots 1-8, slot 9 the instrument's user bank), or of a new,
// untitled program file (kind 22, slots 1-8 of its own). A click selects the
// program on the instrument (sending the whole file first when the
// instrument holds another and the automatic loading is on) and feeds the
// program editors; Load Prog sends the file; the channel box sets the
// file's MIDI channel; closing asks to save a changed file.
//
// The window's image holds the whole file (see app/ImageLayout.h); the
// list's rows are made from it (PrgRowText) after every change.
#include <QPointer>
#include <array>
#include <string>

#include "library/DocWindow.h"

class ComboBox;
class Label;
class Timer;

class frmPrgUN : public DocWindow {
    Q_OBJECT
public:
    // Kind 21 (or 31) a file window, 22 a new-file window.
    frmPrgUN(MdiFrame* frame, int kind);
    ~frmPrgUN() override;

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() override;

    // The channel box: the file's MIDI channel; marks the file changed.
    void Combo1_Click();
    // A pick: the program on the instrument (and in the editors).
    void List1_Click();
    void List1_DblClick() { CommEdit_Click(); }
    // Delete cuts the selected programs; Space (while the automatic program
    // selection is open) brings forward the arrangement file of this name.
    void List1_KeyDown(int KeyCode, int Shift);
    // The repeat of a click that waited for the file's send.
    void TimerList1_Timer();

    // Sends the file: the press arms TimerLoadPrg (status shown, instrument
    // to ARR PLAY); its tick sends and puts the mode back. One at a time.
    void CommLoad_Click();
    void TimerLoadPrg_Timer();
    // Opens the program editor on the selected program.
    void CommEdit_Click();
    void TimerEdit_Timer();
    void CommProgram_Click();

    // Rows, channel box, caption and the send button from the image (after
    // a paste or a cut changed it). Sends nothing.
    void showImage();
    void ImageChanged() override { showImage(); }
    bool JobOffered(WindowJob job) const override;
    void RunJob(WindowJob job) override;
    int save(bool as = false) override;

    // The slot (image position 15), 0 when it holds none.
    int slot() const;
    // The row last picked here (99: none since the window opened).
    int lastRow() const { return lastRow_; }

    ListBox* List1 = nullptr;
    ComboBox* Combo1 = nullptr;
    Label* Label1 = nullptr;
    CommandButton* CommEdit = nullptr;
    CommandButton* CommProgram = nullptr;
    CommandButton* CommLoad = nullptr;
    // Created disabled, Interval 10 (at rest). TimerLoadPrg's Interval 9: a
    // send is pending; TimerList1's Interval 9: a click waits for it.
    Timer* TimerEdit = nullptr;
    Timer* TimerLoadPrg = nullptr;
    Timer* TimerList1 = nullptr;

protected:
    Layout layoutRead() override;
    void layoutWrite(const Layout& l) override;
    long changedPos() const override;
    bool closeDependents() override;
    int saveDocument() override;
    std::string saveTitle() const override;
    void unloadMenus() override;
    int closingState(int current) const override;
    void closedByHand() override;
    bool eventFilter(QObject* o, QEvent* e) override;
    bool rowEditable(int row) const override;
    bool editorMayOpen() const override;

private:
    // What a click on row `row` (not empty) does from the send on: the file
    // first when the instrument lacks it (the click parked meanwhile), the
    // editors following the row, the program to the arrangement editor,
    // the selection. For an Edit (`forEdit`) only the send and the
    // selection, then PROGRAM mode as Edit sets it.
    void select(int row, bool forEdit);
    Extent layoutControls();
    bool fileWindow() const { return kind() != 22; }
    // Whether the instrument holds this window's programs as its last sent
    // bank, by the info file's title.
    bool instrumentHolds() const;
    // The editors follow the picked program.
    void feedEditors(int row);
    void releaseParkedClick();
    void stopSend();
    bool open_ = false;
    bool unloading_ = false;
    bool showing_ = false;   // the controls are being set from the image
    int savedMode_ = 0;     // the instrument's mode when the send started
    int lastRow_ = 99;
    int editSelect_ = -1;   // the row whose selection an Edit parked for the send
    Layout newLayout_;      // kind 22: its place and size, kept in the window
};

// The file windows by slot 1-9, the new-file windows by slot 1-8 (nullptr
// where none is open).
std::array<QPointer<frmPrgUN>, 10>& PrgUNForms();
std::array<QPointer<frmPrgUN>, 9>& PrgNewForms();

// Row `row` of a program list: an empty position (only its code).
bool PrgRowEmpty(const std::string& text);
// A reference to a program of the instrument ("*" after the code).
bool PrgRowIsReference(const std::string& text);
