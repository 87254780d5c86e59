#pragma once
// The performance editor: eight sliders that nudge eight sound properties
// of the current program (PrgRec) up or down, a fixed step per click, and
// send each change at once. With the program editor open a change goes
// through that editor's own slider, so that both windows show the same
// value. Single instance, window kind 36, opened by Edit > Performance Edit.
#include <QPointer>
#include <array>
#include <string>

#include "app/ToolForm.h"
#include "editors/ParamBinder.h"

class Label;
class VScroll;

// The new value of slider k's byte (PrgRec's `cur`, 0-255) for a move of
// the slider from `prev` to `v`, by `step`: one step in the move's
// direction within the slider's limits (0-99; -99..99 for slider 6, the
// byte then signed; 0-100 for slider 7). A byte outside those limits is
// taken as the nearest limit first. From 0 a move up leaves 0 only while
// the slider stands above its middle.
int PerfEditCalcW(int k, int cur, int prev, int v, int step);

class frmEditPerf : public ToolForm, private ParamTarget {
    Q_OBJECT
public:
    static constexpr int Kind = 36;
    static constexpr int Sliders = 8;

    explicit frmEditPerf(MdiFrame* frame);

    // The loaded editor, or nullptr.
    static frmEditPerf* Open();

    std::array<VScroll*, Sliders> PerfVScroll{};
    std::array<Label*, Sliders> PerfLab{};   // the slider's position
    std::array<Label*, Sliders> PerfLab1{};  // its name

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Form_Unload(int& Cancel) override;
    void Form_MouseDown(int button);

    void PerfVScroll_Change(int k);
    void PerfVScroll_Scroll(int k) { PerfVScroll_Change(k); }
    // Every slider back to the middle (sends nothing under Busy); enabled
    // once the record holds a program.
    void slidersReset();
    // The caption again with the record's file and program names, its head
    // kept.
    void recaption();

protected:
    void mousePressEvent(QMouseEvent* e) override;

private:
    // The edit sequence of the program rows a slider moves while the program
    // editor is closed: the oscillator selected first, the record marked
    // changed, the message (on the monitor where the table says so).
    std::string& record() override;
    bool quiet() const override;
    bool beforeStore(const ParamRow& row) override;
    void stored(const ParamRow& row) override;
    bool send(const ParamRow& row, int value) override;
    bool monitored(const ParamRow& row) const override;

    void layoutControls();
    ParamBinder binder_{*this};
    std::array<std::array<Label*, 3>, Sliders> marks_{};  // "+10", "0", "-10" beside each slider
    static inline QPointer<frmEditPerf> instance_;
};
