// Closing an arrangement file window whose list has no current row: the
// list getting the focus on the way is no click, so nothing is sent.
#include <QApplication>
#include <QMdiSubWindow>

#include "../library/librarytest.h"

namespace {
class CloseClickTest : public LibraryTest {};
}  // namespace

TEST_F(CloseClickTest, ClosingAWindowWithoutACurrentRowSendsNothing) {
    writeSong("Song", arrFileOf({{0, "First"}, {1, "Second"}}));
    enum Way { FileClose, CloseBox, Exit };
    for (Way way : {FileClose, CloseBox, Exit}) {
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
        switch (way) {
        case FileClose: m->mnuChiudi->trigger(); break;
        case CloseBox: w->subWindow()->close(); break;
        case Exit: m->mnuExit->trigger(); break;
        }
        EXPECT_EQ(labels(), before);
        QApplication::processEvents();
        Timer::Advance(1000);
        EXPECT_EQ(midi->written(), "");
    }
}
