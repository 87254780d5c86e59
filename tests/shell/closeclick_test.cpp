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
