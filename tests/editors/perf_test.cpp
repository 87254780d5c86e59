// The performance editor: its step rule, its slider table, moves with the
// program editor closed and open, and the window's life.
#include <QMenu>
#include <QTest>

#include "editors/frmEditPerf.h"
#include "editorstest.h"

namespace {

class PerfTest : public EditorsTest {
protected:
    void SetUp() override {
        EditorsTest::SetUp();
        w = fileWindow(3);
        putField(w->Tag(), 318 + 172 * 5 + 1, 16, "Grand Piano     ");
        // As at start-up, where the editors are installed before the frame loads.
        MainWindowLink().enableMenu(MenuId::mnuEditPerf, true);
    }
    // The editor on program 5 of the window, nothing sent yet.
    frmEditPerf* perf() {
        ProgramEditorLink().prgRecBuild(w, 5);
        RunNamed(NamedWindow::frmEditPerf);
        sent();
        return frmEditPerf::Open();
    }
    // Slider k moved by the user from where it stands to v.
    static void move(frmEditPerf* p, int k, int v) { p->PerfVScroll[static_cast<std::size_t>(k)]->setValue(v); }
    static std::string select(int osc) { return param(2, 0, unsigned(osc - 1), 0); }
    // The program editor, then this editor, on program 5 as the window holds
    // it with `bytes` put in; nothing sent yet.
    frmEditPrg* bothEditors(std::initializer_list<std::pair<long, unsigned>> bytes) {
        for (auto [pos, b] : bytes) put(w->Tag(), 318 + 172 * 5 + pos, b);
        ProgramEditorLink().prgRecBuild(w, 5);
        ProgramEditorLink().show();
        RunNamed(NamedWindow::frmEditPerf);
        sent();
        return frmEditPerf::Open() ? frmEditPrg::Open() : nullptr;
    }
    PrgWindow* w = nullptr;
};

TEST(PerfEditCalc, OneStepWithinTheLimits) {
    struct Case {
        int k, cur, prev, v, step, result;
    };
    const Case cases[] = {
        {0, 97, 0, 1, 5, 99},   {0, 99, 1, 2, 5, 99},    {0, 99, 2, 1, 5, 94},    {2, 2, 0, -1, 3, 0},
        {0, 0, 0, 1, 5, 5},     {0, 0, -3, -2, 5, 0},    {6, 160, 0, -1, 5, -99}, {6, 160, 0, 1, 5, -91},
        {7, 97, 0, 1, 5, 100},  {7, 3, 0, -1, 5, 0},     {3, 40, -2, -2, 5, 40},
        // Outside the slider's rule: the nearest limit first.
        {0, 150, 0, -1, 5, 94}, {6, 120, 0, -1, 5, 94},  {7, 120, 0, -1, 5, 95},  {7, 120, 0, 0, 5, 100},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PerfEditCalcW(c.k, c.cur, c.prev, c.v, c.step), c.result)
            << c.k << " from " << c.cur << ", " << c.prev << " -> " << c.v;
    }
}

TEST_F(PerfTest, MovesWithTheProgramEditorClosed) {
    struct Case {
        std::vector<std::pair<long, unsigned>> before;
        int slider;
        std::vector<int> moves;  // slider positions, from 0
        std::string message;     // of the last move
        std::vector<std::pair<long, unsigned>> after;
    };
    using B = std::vector<std::pair<long, unsigned>>;
    const Case cases[] = {
        {B{{19, 0}, {54, 0x61}, {101, 0x11}}, 0, {1}, select(1) + param(11, 2, 0x63, 0), B{{54, 0x63}, {101, 0x11}}},
        {B{{19, 0}, {54, 0x61}}, 0, {1, 2}, select(1) + param(11, 2, 0x63, 0), B{{54, 0x63}}},
        {B{{19, 0}, {54, 0x61}}, 0, {1, 2, 1}, select(1) + param(11, 2, 0x5E, 0), B{{54, 0x5E}}},
        {B{{19, 1}, {54, 0x0A}, {101, 0x32}}, 0, {1}, select(1) + param(11, 2, 0x0F, 0) + select(2) + param(11, 2, 0x37, 0),
         B{{54, 0x0F}, {101, 0x37}}},
        {B{{19, 0}, {65, 0xA0}, {77, 0}}, 6, {-1}, select(1) + param(7, 1, 0x1D, 0x7F) + select(1) + param(10, 1, 0x7B, 0x7F),
         B{{65, 0x9D}, {77, 0xFB}}},
        {B{{19, 1}, {146, 0x61}, {147, 0}, {148, 0x0A}, {149, 0}}, 7, {1}, param(19, 7, 0x64, 0) + param(20, 7, 0x0F, 0),
         B{{146, 0x64}, {147, 0x64}, {148, 0x0F}, {149, 0x0F}}},
    };
    frmEditPerf* p = perf();
    ASSERT_NE(p, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.size());
        ProgramEditorLink().prgRecBuild(w, 5);
        for (auto [pos, b] : c.before) put(PrgRec, pos, b);
        std::string expected = PrgRec;
        for (auto [pos, b] : c.after) put(expected, pos, b);
        for (int v : c.moves) {
            sent();
            move(p, c.slider, v);
        }
        EXPECT_EQ(sent(), c.message);
        EXPECT_EQ(PrgRec, expected);
        EXPECT_EQ(std::tuple(PerfVal[static_cast<std::size_t>(c.slider)], PrgModified), std::tuple(c.moves.back(), true));
        EXPECT_EQ(p->PerfLab[static_cast<std::size_t>(c.slider)]->Caption(), std::to_string(c.moves.back()));
    }
    // The monitor: for slider 6 only the selection of oscillator 1 is shown before its first message.
    ProgramEditorLink().prgRecBuild(w, 5);
    put(PrgRec, 19, 0);
    monitor.text.clear();
    move(p, 6, 1);
    EXPECT_EQ(monitor.text.find("60 07 01"), std::string::npos) << monitor.text;
    EXPECT_NE(monitor.text.find("60 0A 01"), std::string::npos) << monitor.text;
}

TEST_F(PerfTest, EachSliderStepsItsBytesOfBothOscillators) {
    struct Row {
        long pos;  // oscillator 1; oscillator 2's is 47 further on
        int group, index;
    };
    const std::pair<int, std::vector<Row>> sliders[] = {
        {1, {{59, 4, 1}}}, {2, {{62, 4, 2}}}, {3, {{80, 8, 1}}}, {4, {{72, 5, 6}, {86, 8, 7}}}, {5, {{74, 2, 2}}}};
    frmEditPerf* p = perf();
    for (const auto& [k, rows] : sliders) {
        SCOPED_TRACE(k);
        put(PrgRec, 19, 1);
        const int now = k == 2 ? 13 : 15;
        std::string expected = PrgRec, message;
        for (const Row& r : rows) {
            put(PrgRec, r.pos, 10);
            put(PrgRec, r.pos + 47, 10);
            put(expected, r.pos, unsigned(now));
            put(expected, r.pos + 47, unsigned(now));
            for (int osc : {1, 2}) message += select(osc) + param(r.group, r.index, unsigned(now), 0);
        }
        move(p, k, 1);
        EXPECT_EQ(sent(), message);
        EXPECT_EQ(PrgRec, expected);
    }
}

TEST_F(PerfTest, WithTheProgramEditorOpenItsSlidersCarryTheChange) {
    ProgramEditorLink().prgRecBuild(w, 5);
    put(PrgRec, 19, 0);
    put(PrgRec, 54, 0x61);
    put(PrgRec, 146, 0x28);
    put(PrgRec, 148, 0x0A);
    ProgramEditorLink().show();
    frmEditPrg* ed = frmEditPrg::Open();
    ASSERT_NE(ed, nullptr);
    RunNamed(NamedWindow::frmEditPerf);
    frmEditPerf* p = frmEditPerf::Open();
    sent();
    const PrgParamTable& t = ProgramParams();
    auto shown = [&](const ParamRow* r) { return static_cast<ScrollBarBase*>(ed->control(*r))->Value(); };
    move(p, 0, 1);
    EXPECT_EQ(sent(), select(1) + param(11, 2, 0x63, 0));
    EXPECT_EQ(std::tuple(shown(t.OscHScroll[4]), at(PrgRec, 54), PrgModified), std::tuple(99, 0x63u, true));
    move(p, 0, 2);
    EXPECT_EQ(sent(), "");  // at its limit: the editor's slider does not move
    // The balance: sent once, shown on the EFFECTS page.
    move(p, 7, -1);
    EXPECT_EQ(sent(), param(19, 7, 0x23, 0) + param(20, 7, 0x05, 0));
    EXPECT_EQ(std::tuple(shown(t.EffHScroll[0]), shown(t.EffHScroll[2]), ed->EffLab[0]->Caption(), at(PrgRec, 147)),
              std::tuple(35, 5, std::string("35"), 0x23u));
}

// Oscillator 2's values move on oscillator 2's sliders of the program
// editor, each from its own value.
TEST_F(PerfTest, WithTheProgramEditorOpenOscillatorTwoMovesOnItsOwnSliders) {
    frmEditPrg* ed = bothEditors({{19, 1}, {65, 10}, {112, 20}, {77, 0}, {124, 30}});
    ASSERT_NE(ed, nullptr);
    move(frmEditPerf::Open(), 6, 1);
    EXPECT_EQ(sent(), select(1) + param(7, 1, 15, 0) + select(2) + param(7, 1, 25, 0) + select(1) + param(10, 1, 5, 0) +
                          select(2) + param(10, 1, 35, 0));
    const PrgParamTable& t = ProgramParams();
    auto shown = [&](int i) { return static_cast<ScrollBarBase*>(ed->control(*t.OscHScroll[static_cast<std::size_t>(i)]))->Value(); };
    EXPECT_EQ(std::tuple(shown(15), shown(55), shown(27), shown(67), at(PrgRec, 112), at(PrgRec, 124)),
              std::tuple(15, 25, 5, 35, 25u, 35u));
}

TEST_F(PerfTest, LoadCaptionSelectionAndClose) {
    // Nothing built yet: nothing to move.
    RunNamed(NamedWindow::frmEditPerf);
    frmEditPerf* p = frmEditPerf::Open();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(std::tuple(p->Caption(), p->PerfVScroll[0]->isEnabled(), p->PerfVScroll[7]->isEnabled()),
              std::tuple(std::string("Performance Edit"), false, false));
    ASSERT_TRUE(p->Unload());

    const int count = ChildWinCount;
    PrgModified = true;
    p = perf();
    EXPECT_EQ(sent(), "");
    EXPECT_EQ(std::tuple(p->Caption(), p->Tag(), EditPerfOpen, PrgModified, ChildWinCount,
                         frame->mnuEditPerf->Enabled(), PerfVal, p->PerfVScroll[3]->Value(), p->PerfVScroll[3]->isEnabled()),
              std::tuple(std::string("Performance Edit  bank1.prg / Grand Piano     "), WindowImageNew(36), true, false,
                         count + 1, false, std::array<int, 8>{}, 0, true));
    EXPECT_EQ(std::tuple(p->PerfLab1[6]->Caption(), p->PerfVScroll[0]->Min(), p->PerfVScroll[0]->Max()),
              std::tuple(std::string("VELOCITY SENSITIVITY"), 10, -10));

    // Another program chosen in the window while the editor is open.
    move(p, 2, 4);
    sent();
    PrgModified = false;
    ProgramEditorLink().prgRecBuild(w, 6);
    ProgramEditorLink().perfRecaption();
    EXPECT_EQ(sent(), "");
    EXPECT_EQ(std::tuple(p->PerfVScroll[2]->Value(), p->PerfLab[2]->Caption(), PerfVal[2], PrgModified),
              std::tuple(0, std::string("0"), 0, false));
    EXPECT_EQ(p->Caption().rfind("Edit Performance  bank1.prg / ", 0), 0u) << p->Caption();

    // The right button anywhere on the window.
    int popups = 0;
    SetPopupMenuHandler([&](QMenu* m) {
        EXPECT_EQ(m, frame->mnuModifica->subMenu());
        ++popups;
    });
    QTest::mouseClick(p, Qt::RightButton, {}, QPoint(2, p->height() - 2));
    EXPECT_EQ(popups, 1);

    // The close asks about a changed program; a store the window refuses keeps it open.
    PrgWindow* ro = fileWindow(4, true);
    struct Case {
        PrgWindow* source;
        int answer;
        bool closes, stored;
    };
    const Case cases[] = {{w, vbCancel, false, false}, {ro, vbYes, false, false}, {w, vbNo, true, false},
                          {w, vbYes, true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        if (!frmEditPerf::Open()) p = perf();
        ProgramEditorLink().prgRecBuild(c.source, 5);
        put(PrgRec, 54, 0x30);
        move(p, 0, p->PerfVScroll[0]->Value() + 1);
        const std::string caption = p->Caption();
        dialogs.shown.clear();
        dialogs.answer(c.answer);
        if (c.source == ro) dialogs.answer(vbOK);
        EXPECT_EQ(p->Unload(), c.closes);
        EXPECT_EQ(boxesShown(), "The Program has changed.\nSave changes ?|" + caption +
                                    (c.source == ro ? "\nRead only file|" + caption : ""));
        EXPECT_EQ(at(c.source->Tag(), 318 + 172 * 5 + 54) == 0x35, c.stored);
        EXPECT_EQ(std::tuple(EditPerfOpen, SaveCancelled), std::tuple(!c.closes, !c.closes));
        if (!c.closes) {
            EXPECT_EQ(at(PrgRec, 54), 0x35u);
            PrgModified = false;
            ASSERT_TRUE(p->Unload());
        }
    }
    EXPECT_EQ(ChildWinCount, count);
}

// A signed byte reads negative only from the bottom of its range down from
// 255; any other byte is its own number, at the control's nearest limit.
// Both editors read it so, and a move the program editor cannot show sends
// nothing.
TEST_F(PerfTest, SignedBytesReadAsTheirRangeHasThem) {
    frmEditPrg* ed = bothEditors({{19, 0}, {28, 0x96}, {65, 0x87}, {77, 0x87}, {102, 0x84}, {162, 0x9D}});
    ASSERT_NE(ed, nullptr);
    struct Shown {
        const char *control, *label;
        int index, value;
    };
    const Shown shown[] = {{"BasHScroll", "BasLab", 0, 50},   // Detune: 206-255 negative
                           {"OscHScroll", "OscLab", 45, 99},  // Freq m by K tr: 157-255
                           {"EffHScroll", "EffLab", 1, 15}};  // D-Mod. Amount: 241-255
    for (const Shown& s : shown) {
        EXPECT_EQ(std::tuple(FindControl<ScrollBarBase>(ed, s.control, s.index)->Value(),
                             FindControl<Label>(ed, s.label, s.index)->Caption()),
                  std::tuple(s.value, std::to_string(s.value)))
            << s.control << s.index;
    }
    move(frmEditPerf::Open(), 6, 1);  // VELOCITY SENSITIVITY up: both bytes already at 99 as shown
    EXPECT_EQ(sent(), "");
    EXPECT_EQ(std::tuple(at(PrgRec, 65), at(PrgRec, 77)), std::tuple(99u, 99u));
}

TEST_F(PerfTest, EditPerformanceEditFromAProgramWindow) {
    ProgramEditorLink().prgRecBuild(w, 5);
    ModeNow = 0;
    w->activate();
    sent();
    ASSERT_TRUE(frame->mnuEditPerf->Enabled());
    frame->mnuEditPerf->trigger();
    EXPECT_EQ(sent(), modeMsg());
    ASSERT_NE(frmEditPerf::Open(), nullptr);
    EXPECT_FALSE(frame->mnuEditPerf->Enabled());
}

}  // namespace
