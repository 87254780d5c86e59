// Timers (old control behaviour, manual clock) and the dialog services.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QEventLoop>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <functional>

#include "platform/Dialogs.h"
#include "platform/Timer.h"
#include "testenv.h"

using TimerTest = VelmoraTest;

TEST_F(TimerTest, FiresOnlyWhenEnabledWithAnIntervalInTimeOrder) {
    Timer t;
    int fired = 0;
    t.onTimer = [&] { ++fired; };
    t.setEnabled(true);  // Interval 0: never fires
    Timer::Advance(1000);
    t.setEnabled(false), t.setInterval(10);  // disabled: never fires
    Timer::Advance(1000);
    t.setEnabled(true);
    Timer::Advance(9);
    EXPECT_EQ(fired, 0);
    Timer::Advance(31);  // repeats until disabled
    EXPECT_EQ(fired, 4);
    t.setEnabled(false);

    // A handler may change its own interval, or delete its timer.
    std::vector<int> order;
    auto* a = new Timer;
    a->setInterval(15);
    a->onTimer = [&] { order.push_back(15); delete a; };
    t.onTimer = [&] {
        order.push_back(t.Interval());
        if (t.Interval() < 30) t.setInterval(t.Interval() + 10);
        else t.setEnabled(false);
    };
    a->setEnabled(true), t.setEnabled(true);
    Timer::Advance(1000);
    EXPECT_EQ(order, (std::vector<int>{10, 15, 20, 30}));
}

TEST_F(TimerTest, RealClockTimerRunsFromTheEventLoop) {
    Timer::SetManualClock(false);
    Timer t;
    int fired = 0;
    t.onTimer = [&] { ++fired; t.setEnabled(false); };
    auto* own = new Timer;  // a job timer whose handler deletes it (its window unloads)
    own->onTimer = [&] { ++fired; delete own; own = nullptr; };
    for (Timer* x : {&t, own}) x->setInterval(1), x->setEnabled(true);
    for (int i = 0; i < 2000 && (fired < 2 || own); ++i) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    EXPECT_EQ(fired, 2);
    Timer::SetManualClock(true);
}

using DialogTest = VelmoraTest;

TEST_F(DialogTest, AnUnexpectedBoxFailsTheTest) {
    EXPECT_NONFATAL_FAILURE(MsgBox("surprise", vbOKOnly, "T"), "unexpected message box");
    EXPECT_NONFATAL_FAILURE({ FileDialogRequest r; ShowFileDialog(r); }, "unexpected file dialog");
}

namespace {
// Acts on the modal box the next call opens, as the user would.
template <class Box>
void whenShown(std::function<void(Box*)> act) {
    QTimer::singleShot(0, [act] {
        QWidget* w = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<Box*>(w)) return act(box);
        ADD_FAILURE() << "the expected box was not shown";
        if (auto* d = qobject_cast<QDialog*>(w)) d->reject();
    });
}
}  // namespace

TEST_F(DialogTest, RealMessageBoxGivesTheOldAnswers) {
    SetDialogService(nullptr);
    // The button pressed (NoButton: the close box), the answer and the icon shown.
    const struct { int style; QMessageBox::StandardButton press; int answer; QMessageBox::Icon icon; } cases[] = {
        {vbYesNoCancel | vbExclamation, QMessageBox::No, vbNo, QMessageBox::Warning},
        {vbYesNoCancel, QMessageBox::NoButton, vbCancel, QMessageBox::NoIcon},
        {vbYesNo | vbQuestion, QMessageBox::NoButton, vbNo, QMessageBox::Question},
        {vbOKOnly | vbCritical, QMessageBox::Ok, vbOK, QMessageBox::Critical},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.style);
        whenShown<QMessageBox>([c](QMessageBox* box) {
            EXPECT_EQ(std::tuple(box->windowTitle(), box->text(), box->icon()),
                      std::tuple(QString("Title"), QString("Save changes ?"), c.icon));
            if (c.press == QMessageBox::NoButton) box->close();
            else box->button(c.press)->click();
        });
        EXPECT_EQ(MsgBox("Save changes ?", c.style, "Title"), c.answer);
    }
}

// A long text is wrapped inside the box, also where it has no blank (a
// path too long for its field), and the box stays on the screen, however
// long its title.
TEST_F(DialogTest, RealMessageBoxWrapsLongTexts) {
    SetDialogService(nullptr);
    const std::string name(240, 'f');
    const std::pair<std::string, std::string> cases[] = {
        {"Path too long: /home/" + name, "Save file as"},
        {"Error reading " + name, "Opening " + name},
    };
    for (const auto& [text, title] : cases) {
        whenShown<QMessageBox>([](QMessageBox* box) {
            const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            ASSERT_NE(label, nullptr);
            EXPECT_LE(box->frameGeometry().width(), box->screen()->availableGeometry().width());
            EXPECT_TRUE(box->rect().contains(label->geometry()));
            EXPECT_LE(label->heightForWidth(label->width()), label->height());
            box->accept();
        });
        MsgBox(text, vbOKOnly | vbExclamation, title);
    }
}

TEST_F(DialogTest, RealFileDialogTakesAndGivesBackTheRequest) {
    SetDialogService(nullptr);
    FileDialogRequest r;
    r.filter = "Arrangements (*.arr)|*.arr|Programs (*.prg/pgg)|*.prg;*.pgg| All files (*.*)|*.*";
    r.filterIndex = 2, r.initDir = startDir(), r.defaultExt = "arr";
    r.save = r.showReadOnly = r.readOnly = true;
    whenShown<QFileDialog>([this](QFileDialog* d) {
        EXPECT_EQ(d->nameFilters(), (QStringList{"Arrangements (*.arr)", "Programs (*.prg *.pgg)", "All files (*)"}));
        EXPECT_EQ(std::tuple(d->selectedNameFilter(), d->directory().absolutePath(), d->defaultSuffix()),
                  std::tuple(QString("Programs (*.prg *.pgg)"), QString::fromStdString(startDir()), QString("arr")));
        auto boxes = d->findChildren<QCheckBox*>();
        if (boxes.size() != 1) return ADD_FAILURE() << "no read-only box", d->reject();
        EXPECT_TRUE(boxes[0]->isChecked());
        boxes[0]->setChecked(false);
        d->selectNameFilter("All files (*)");
        d->selectFile("Songs");
        static_cast<QDialog*>(d)->accept();  // the Save button
    });
    ASSERT_TRUE(ShowFileDialog(r));
    EXPECT_EQ(std::tuple(r.fileName, r.filterIndex, r.readOnly), std::tuple(startDir() + "/Songs.arr", 3, false));

    whenShown<QFileDialog>([](QFileDialog* d) { d->reject(); });
    EXPECT_FALSE(ShowFileDialog(r));
}
