#pragma once
// The pickers of the instrument's own sounds: the program banks A-E (kinds
// 4-8) and the drum and percussion kits (9, 10). A click on a row selects
// that sound on the window's MIDI channel, or assigns it to the track the
// arrangement editor has selected and selects it on that track's channel.
// They hold no file: the kind's window-state entry keeps their place, state
// and channel across runs.
#include <QPoint>
#include <string>

#include "library/DocWindow.h"

class ComboBox;
class Label;
class ListBox;

// Row i of the list of a bank (kinds 4-8) or kit window (9, 10): its code
// "11".."88", two blanks and the sound's 16-character name.
std::string BankRowText(int kind, int i);
// The image a bank or kit window of `kind` starts with on `channel`: the
// bank's rows in its row table, unselected; for the kits the kit names.
std::string BankImage(int kind, int channel);

class BankWindow : public DocWindow {
    Q_OBJECT
public:
    // The places of one design (twips): the list, and the bottom row of the
    // channel box, its label and the buttons, with the box and the label
    // set down from the buttons' Top.
    struct Place {
        int listTop, listHeight, listWidth, bottomTop, comboDown, labelDown;
    };
    // What sets the bank and kit windows apart.
    struct Shape {
        int rows;             // 64 programs, 16 kits
        int rowsPerColumn;    // of the four columns
        int multiSelect;      // 2 extended (the banks copy rows), 0 single
        bool popupOnRelease;  // the Edit menu on the right release, not the press
        bool clickRefreshes;  // a pick refreshes the menus and clears the status line
        Place large, normal;  // for large fonts (TwipsY 12) and the others
    };
    BankWindow(MdiFrame* frame, const QString& name, int kind, const Shape& shape);

    void Form_Load() override;
    void Form_Resize() override;
    void Form_Unload(int& Cancel) override;
    Extent layoutControls();

    // The channel box: the window's channel, kept in its entry; sends nothing.
    void Combo1_Click();
    // A pick, by mouse or arrow key, also of the current row: its sound.
    void List1_Click();
    // The right button on the list or the window: the main window's Edit
    // menu, on the press or on the release by the window's shape.
    void List1_MouseDown(int Button, int, int, int) { editMenu(Button, false); }
    void List1_MouseUp(int Button, int, int, int) { editMenu(Button, true); }
    void Form_MouseDown(int Button) { editMenu(Button, false); }
    void Form_MouseUp(int Button) { editMenu(Button, true); }

    ListBox* List1 = nullptr;
    ComboBox* Combo1 = nullptr;
    Label* Label1 = nullptr;

protected:
    void unloadMenus() override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void editMenu(int button, bool release);
    const Shape shape_;
    // Where the window last stood while normal (pixels; none yet: -1), the
    // place it reopens at when it closes minimised.
    QPoint normalPlace_{-1, -1};
};

// A list of `perColumn` rows a column, every row in view: the row step is
// the list's inside height over the rows, and the list is made exactly that
// many steps high, so no row falls into a column past the last.
void FitColumnRows(ListBox* list, int perColumn);
