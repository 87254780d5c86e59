// Closing a document window whose list has no current row: the list
// getting the focus on the way is no click, so nothing is sent.
#include <QApplication>
#include <QMdiSubWindow>

#include "../library/librarytest.h"

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
