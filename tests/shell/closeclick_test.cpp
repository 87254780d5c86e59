// Closing a document window sends nothing: the list getting the focus on
// the way is no click, and the window's own sends and parked clicks stand
// still while its save question is up.
#include <QApplication>
#include <QMdiSubWindow>

#include "../library/librarytest.h"
#include "library/frmStyUN.h"

using CloseClickTest = LibraryTest;

TEST_F(CloseClickTest, ClosingAWindowWithoutACurrentRowSendsNothing) {
    writeSong("Song", arrFileOf({{0, "First"}, {1, "Second"}}));
    writeFileBytes(startFile("i40ArrA"), ArrBankImage(0));
    const std::function<void(frmMain*, ChildForm*)> ways[] = {
        [](frmMain* m, ChildForm*) { m->mnuChiudi->trigger(); },
        [](frmMain*, ChildForm* w) { w->subWindow()->close(); },  // the close box
        [](frmMain* m, ChildForm*) { m->mnuExit->trigger(); },
    };
    // An arrangement file, a new arrangement file, a bank of arrangements, a
    // bank of styles.
    const std::function<void()> opens[] = {
        [this] { openArr("Song"); },
        [] { RunMenuCommand(MenuId::mnuNuovoArr); },
        [] { RunMenuCommand(MenuId::mnuArrA); },
        [] { RunMenuCommand(MenuId::mnuStyA); },
    };
    for (int open = 0; open < 4; ++open) {
        for (int way = 0; way < 3; ++way) {
            SCOPED_TRACE(open * 10 + way);
            frmMain* m = start([] { ArrSlots = {}, ModeNow = 1; });  // another mode is on: ARR PLAY would go first
            m->show();
            QApplication::setActiveWindow(m);
            opens[open]();
            ChildForm* w = m->ActiveForm();
            constexpr unsigned kinds[] = {19, 20, 2, 17};
            ASSERT_TRUE(w && at(w->Tag(), 1) == kinds[open]);
            QApplication::processEvents();
            const auto labels = [m] {
                std::vector<std::string> c;
                for (Label* l : {m->LabelMode, m->Label1, m->LabelArr, m->LabelSty, m->LabelPrg})
                    c.push_back(l->Caption());
                return c;
            };
            const auto before = labels();
            midi->clear();
            ways[way](m, w);
            EXPECT_EQ(labels(), before);
            QApplication::processEvents();
            Timer::Advance(1000);
            EXPECT_EQ(midi->written(), "");
        }
    }
}

// After a paste the window is changed: the save question comes up, and
// answering No closes it, by any way, without a word to the instrument. The
// bank sends that picking a row starts (arrangements loaded on a click) have
// ended, and their parked clicks have run, before the close.
TEST_F(CloseClickTest, ClosingAfterAPasteAnsweredNoSendsNothing) {
    writeSong("Song", arrFileOf({{0, "First"}, {1, "Second"}}));
    writeFileBytes(startFile("i40ArrA"), ArrBankImage(0));
    const std::function<void(frmMain*, ChildForm*)> ways[] = {
        [](frmMain* m, ChildForm*) { m->mnuChiudi->trigger(); },
        [](frmMain*, ChildForm* w) { w->subWindow()->close(); },
        [](frmMain* m, ChildForm*) { m->mnuExit->trigger(); },
    };
    const auto click = [](ChildForm* w, int row) {
        auto* l = FindControl<ListBox>(w, QStringLiteral("List1"));
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(row)).center());
    };
    for (bool fresh : {false, true}) {  // into the file itself; into a new arrangement file
        for (int way = 0; way < 3; ++way) {
            SCOPED_TRACE(std::to_string(fresh) + std::to_string(way));
            frmMain* m = start([] { ArrSlots = {}, CaricaArrOpt = true; });
            m->show();
            QApplication::setActiveWindow(m);
            frmArrU* song = openArr("Song");
            ASSERT_NE(song, nullptr);
            click(song, 0);
            RunMenuCommand(MenuId::mnuCopia);
            if (fresh) RunMenuCommand(MenuId::mnuNuovoArr);
            ChildForm* w = m->ActiveForm();
            click(w, 5);
            RunMenuCommand(MenuId::mnuIncolla);
            ASSERT_EQ(at(w->Tag(), ImgChanged), 1u);
            Timer::Advance(20000);
            QApplication::processEvents();
            midi->clear();
            dialogs.shown.clear();
            dialogs.answer(vbNo);
            ways[way](m, w);
            QApplication::processEvents();
            Timer::Advance(20000);
            EXPECT_EQ(midi->written(), "");
        }
    }
}

namespace {
// The user takes a while over each question: the clock runs on meanwhile,
// as it does behind a real box. Answers and file dialogs come from the
// test's script.
class SlowAnswers : public ScriptedDialogs {
public:
    SlowAnswers(ScriptedDialogs& script, long long ms) : script_(script), ms_(ms) { SetDialogService(this); }
    ~SlowAnswers() override { SetDialogService(&script_); }
    int msgBox(const std::string& text, int style, const std::string& title) override {
        Timer::Advance(ms_);
        return script_.msgBox(text, style, title);
    }
    bool fileDialog(FileDialogRequest& req) override { return script_.fileDialog(req); }

private:
    ScriptedDialogs& script_;
    long long ms_;
};
}  // namespace

// A pasted arrangement brought a style of another file; a click on it loads
// the styles, and the window is closed while they go out. Nothing of the
// window runs while its save question is up: answered No, the load ends
// with the window and nothing more is sent; answered Cancel, the load goes
// on after the answer and ends with its selections.
TEST_F(CloseClickTest, ClosingWhileAPastedStyleLoadsSendsNothing) {
    writeSong("Song", arrFileOf({{1, "Second"}}));
    writeSong("Other", arrFileOf({{0, "Own", 0, 1}}), styFileOf({"S0", "S1", "S2", "S3"}));
    writeFileBytes(startFile("i40ArrA"), ArrBankImage(0));
    const std::function<void(frmMain*, ChildForm*)> ways[] = {
        [](frmMain* m, ChildForm*) { m->mnuChiudi->trigger(); },
        [](frmMain*, ChildForm* w) { w->subWindow()->close(); },
        [](frmMain* m, ChildForm*) { m->mnuExit->trigger(); },
    };
    const auto click = [](ChildForm* w, int row) {
        auto* l = FindControl<ListBox>(w, QStringLiteral("List1"));
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(row)).center());
    };
    for (int answer : {vbNo, vbCancel}) {
        for (bool fresh : {false, true}) {  // a file window; a new arrangement window
            for (int way = 0; way < 3; ++way) {
                SCOPED_TRACE(std::to_string(answer) + std::to_string(fresh) + std::to_string(way));
                frmMain* m = start([] { ArrSlots = {}, StySlots = {}, ArrChannel = 3, CaricaStyOpt = true; });
                m->show();
                QApplication::setActiveWindow(m);
                frmArrU* other = openArr("Other");
                ASSERT_NE(other, nullptr);
                click(other, 0);
                Timer::Advance(20000);
                RunMenuCommand(MenuId::mnuCopia);
                if (fresh) RunMenuCommand(MenuId::mnuNuovoArr);
                else openArr("Song");
                ChildForm* w = m->ActiveForm();
                ASSERT_NE(w, other);
                click(w, 0);
                RunMenuCommand(MenuId::mnuIncolla);
                ASSERT_EQ(at(w->Tag(), ImgStyPart), ImgStyOwn);
                click(w, 0);           // the styles start going out
                Timer::Advance(400);   // the first group is on its way
                midi->clear();
                const std::size_t onTheWire = MidiDev::Pending();
                const auto sent = [&] { return midi->written().substr(std::min(onTheWire, midi->written().size())); };
                dialogs.shown.clear();
                dialogs.answer(answer);
                {
                    SlowAnswers slow(dialogs, 5000);
                    ways[way](m, w);
                }
                EXPECT_EQ(dialogs.shown.size(), 1u);
                EXPECT_EQ(sent(), "") << "sent while the question was up";
                Timer::Advance(20000);
                EXPECT_EQ(sent(), answer == vbNo ? "" : selectOf(0) + selectOf(0));
                if (answer == vbCancel) {
                    dialogs.answer(vbNo);
                    m->mnuExit->trigger();
                }
            }
        }
    }
}

// The program's close, called off by a later window, gives back the jobs of
// the windows that had agreed: their loads go on and end as they would have.
TEST_F(CloseClickTest, AnExitCalledOffLetsHeldLoadsGoOn) {
    writeSong("Song", arrFileOf({{1, "Second"}}));
    writeSong("Other", arrFileOf({{0, "Own", 0, 1}}), styFileOf({"S0", "S1", "S2", "S3"}));
    writeFileBytes(startFile("i40ArrA"), ArrBankImage(0));
    frmMain* m = start([] { ArrSlots = {}, StySlots = {}, ArrChannel = 3, CaricaStyOpt = true; });
    frmArrU* other = openArr("Other");
    ASSERT_NE(other, nullptr);
    other->List1->setSelected(0, true);
    Timer::Advance(20000);
    RunMenuCommand(MenuId::mnuCopia);
    frmArrU* song = openArr("Song");
    ASSERT_NE(song, nullptr);
    const auto pick = [](ChildForm* w, int row) {
        auto* l = FindControl<ListBox>(w, QStringLiteral("List1"));
        l->setListIndex(row);
        l->setSelected(row, true);
    };
    pick(song, 0);
    RunMenuCommand(MenuId::mnuIncolla);
    RunMenuCommand(MenuId::mnuNuovoArr);
    ChildForm* fresh = m->ActiveForm();
    pick(fresh, 1);
    RunMenuCommand(MenuId::mnuIncolla);
    ASSERT_EQ(std::tuple(at(song->Tag(), ImgChanged), at(fresh->Tag(), ImgChanged)), std::tuple(1u, 1u));
    // A click: the styles start going out.
    QTest::mouseClick(song->List1->viewport(), Qt::LeftButton, {},
                      song->List1->visualItemRect(song->List1->item(0)).center());
    Timer::Advance(400);
    midi->clear();
    const std::size_t onTheWire = MidiDev::Pending();
    dialogs.answer(vbNo);       // the arrangement file
    dialogs.answer(vbCancel);   // the new arrangement: the exit is off
    {
        SlowAnswers slow(dialogs, 5000);
        m->mnuExit->trigger();
    }
    ASSERT_EQ(std::tuple(dialogs.shown.size(), song->Loaded(), bool(AppClosing)), std::tuple(2u, true, false));
    EXPECT_EQ(midi->written().substr(onTheWire), "");
    Timer::Advance(20000);
    EXPECT_EQ(midi->written().substr(onTheWire), selectOf(0) + selectOf(0));
    EXPECT_EQ(StyJobOwner, nullptr);
    dialogs.answer(vbNo);
    dialogs.answer(vbNo);
    m->mnuExit->trigger();
}

// A style file window's load of all its styles ends by selecting the first
// user arrangement: closed while it runs, the window sends neither its next
// group nor that selection, whatever the save question takes.
TEST_F(CloseClickTest, ClosingAStyleWindowWhileItsStylesLoadSendsNothing) {
    writeFileBytes(song("Name.sty"), styFileOf({"A0", "A1", "A2", "A3", "B0", "B1", "B2", "B3"}));
    start();
    dialogs.chooseFile(song("Name.sty"));
    RunMenuCommand(MenuId::mnuApriSty);
    QPointer<frmStyUN> w = StyUNForms()[1];
    ASSERT_NE(w, nullptr);
    put(w->Tag(), ImgStyChanged, 1);
    w->CommLoadSty->press();
    Timer::Advance(100);   // group 0 is on its way
    midi->clear();
    const std::size_t onTheWire = MidiDev::Pending();
    dialogs.answer(vbNo);
    {
        SlowAnswers slow(dialogs, 5000);
        w->CommClose->press();
    }
    Timer::Advance(20000);
    EXPECT_EQ(std::tuple(bool(w && w->Loaded()), midi->written().substr(onTheWire), StyJobOwner),
              std::tuple(false, std::string(), nullptr));
}
