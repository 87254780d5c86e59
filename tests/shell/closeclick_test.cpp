// Closing an arrangement file window whose list has no current row: the
// list getting the focus on the way is no click, so nothing is sent.
#include <QApplication>
#include <QMdiSubWindow>

#include "../library/librarytest.h"

using CloseClickTest = LibraryTest;

TEST_F(CloseClickTest, ClosingAWindowWithoutACurrentRowSendsNothing) {
    writeSong("Song", arrFileOf({{0, "First"}, {1, "Second"}}));
    const std::function<void(frmMain*, frmArrU*)> ways[] = {
        [](frmMain* m, frmArrU*) { m->mnuChiudi->trigger(); },
        [](frmMain*, frmArrU* w) { w->subWindow()->close(); },  // the close box
        [](frmMain* m, frmArrU*) { m->mnuExit->trigger(); },
    };
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE(way);
        frmMain* m = start([] { ArrSlots = {}, ModeNow = 1; });  // another mode is on: ARR PLAY would go first
        m->show();
        QApplication::setActiveWindow(m);
        frmArrU* w = openArr("Song");
        ASSERT_NE(w, nullptr);
        QApplication::processEvents();
        const auto labels = [m] {
            std::vector<std::string> c;
            for (Label* l : {m->LabelMode, m->Label1, m->LabelArr, m->LabelSty, m->LabelPrg}) c.push_back(l->Caption());
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
