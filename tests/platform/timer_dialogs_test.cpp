// Timers (old control behaviour, manual clock) and the dialog services.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>

#include "platform/Dialogs.h"
#include "platform/Timer.h"
#include "testenv.h"

class TimerTest : public VelmoraTest {};

TEST_F(TimerTest, FiresOnlyWhenEnabledWithAnInterval) {
    Timer t;
    int fired = 0;
    t.onTimer = [&] { ++fired; };
    t.setEnabled(true);           // Interval 0: never fires
    Timer::Advance(1000);
    EXPECT_EQ(fired, 0);
    t.setEnabled(false);
    t.setInterval(10);            // disabled: never fires
    Timer::Advance(1000);
    EXPECT_EQ(fired, 0);
    t.setEnabled(true);
    Timer::Advance(9);
    EXPECT_EQ(fired, 0);
    Timer::Advance(1);
    EXPECT_EQ(fired, 1);
    Timer::Advance(30);           // repeats until disabled
    EXPECT_EQ(fired, 4);
    EXPECT_EQ(t.Interval(), 10);
}

TEST_F(TimerTest, HandlerCanDisarmOrCarryItsJobInTheInterval) {
    Timer t;
    std::vector<int> steps;
    // A job that keeps its state in the interval: 10 idle, then 20, 30, stop.
    t.onTimer = [&] {
        t.setEnabled(false);
        steps.push_back(t.Interval());
        if (t.Interval() < 30) {
            t.setInterval(t.Interval() + 10);
            t.setEnabled(true);
        }
    };
    t.setInterval(10);
    t.setEnabled(true);
    Timer::Advance(1000);
    EXPECT_EQ(steps, (std::vector<int>{10, 20, 30}));
    EXPECT_FALSE(t.Enabled());
}

TEST_F(TimerTest, TimersFireInTimeOrderAndMayDeleteThemselves) {
    std::vector<char> order;
    auto* a = new Timer;
    Timer b;
    a->setInterval(15);
    b.setInterval(10);
    a->onTimer = [&] { order.push_back('a'); delete a; };
    b.onTimer = [&] { order.push_back('b'); };
    a->setEnabled(true);
    b.setEnabled(true);
    Timer::Advance(25);
    EXPECT_EQ(order, (std::vector<char>{'b', 'a', 'b'}));
}

TEST_F(TimerTest, RealClockTimerRunsFromTheEventLoop) {
    Timer::SetManualClock(false);
    Timer t;
    int fired = 0;
    t.onTimer = [&] { ++fired; t.setEnabled(false); };
    t.setInterval(1);
    t.setEnabled(true);
    for (int i = 0; i < 2000 && fired == 0; ++i) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    EXPECT_EQ(fired, 1);
    Timer::SetManualClock(true);
}

class DialogTest : public VelmoraTest {};

TEST_F(DialogTest, ScriptedBoxesAreRecordedAndAnswered) {
    dialogs.answer(vbNo);
    EXPECT_EQ(MsgBox("Save changes ?", vbYesNoCancel | vbExclamation, "File"), vbNo);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, "File");
    EXPECT_EQ(dialogs.shown[0].style, vbYesNoCancel | vbExclamation);
    dialogs.inputs.push_back("42");
    EXPECT_EQ(InputBox("Number?"), "42");
    dialogs.chooseFile("/x/y.arr", 2, true);
    FileDialogRequest r;
    r.filter = "A|*.a|B|*.b";
    r.showReadOnly = true;
    ASSERT_TRUE(ShowFileDialog(r));
    EXPECT_EQ(r.fileName, "/x/y.arr");
    EXPECT_EQ(r.filterIndex, 2);
    EXPECT_TRUE(r.readOnly);
}

TEST_F(DialogTest, AnUnexpectedBoxFailsTheTest) {
    EXPECT_NONFATAL_FAILURE(MsgBox("surprise", vbOKOnly, "T"), "unexpected message box");
    EXPECT_NONFATAL_FAILURE({ FileDialogRequest r; ShowFileDialog(r); }, "unexpected file dialog");
}
