#pragma once
// The on-screen keyboard: keys over notes 36-96 that play on the chosen
// channel with the chosen velocity, a controller, pitch bend, and the split
// point slider VScroll1, which also sends the arrangement's split point.
// Single instance, window kind 15.
#include <QWidget>
#include <functional>

#include "app/ToolForm.h"
#include "midi/Keyboard.h"
#include "platform/Controls.h"

// The keys, drawn from note KbdLowNote to KbdHighNote; the split note is marked.
class KeyboardKeys : public QWidget {
    Q_OBJECT
public:
    explicit KeyboardKeys(QWidget* parent, const QString& name);
    // The note under a point (pixels), -1 for none.
    int noteAt(QPoint p) const;
    // The centre of a note's key (pixels), for tests and hit checks.
    QPoint keyCentre(int note) const;
    void setSplit(int note);
    std::function<void(int note)> KeyDown, KeyUp;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    QRect keyRect(int note) const;
    int whiteCount() const;
    int split_ = 60;
    int down_ = -1;
};

class frmTastiera : public ToolForm {
    Q_OBJECT
public:
    static constexpr int Kind = 15;

    explicit frmTastiera(MdiFrame* frame);
    ~frmTastiera() override;

    Label* Label1;         // "MIDI Ch"
    ComboBox* Combo1;      // channel 1-16
    Label* Label2;         // velocity and its value
    HScroll* HScroll1;     // velocity 1-127
    Label* Label3;         // controller
    ComboBox* Combo2;      // controller number 0-119
    HScroll* HScroll2;     // controller value 0-127
    Label* Label5;         // pitch bend
    HScroll* HScroll3;     // pitch bend -8192..8191
    Label* Label4;         // split point note
    VScroll* VScroll1;     // split point 36-96
    KeyboardKeys* Keys;

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Form_Unload(int& Cancel) override;

    // The channel notes go out on.
    int channel() const;

private:
    void Combo1_Click();
    void HScroll1_Change();
    void Combo2_Click();
    void HScroll2_Change();
    void HScroll3_Change();
    void VScroll1_Change();
    void keyDown(int note);
    void keyUp(int note);
    void store();

    void silence();

    bool filling_ = false;
    int playing_ = -1, playingChannel_ = 0;
    Registration loadedFlag_;  // KeyboardLoaded
};
