// Opening the bank and kit windows from the View menu and from the last
// run's restore, their layout, and what closing them keeps.
#include <QScrollBar>

#include "app/Messages.h"
#include "bankstest.h"

namespace {

const char* const Titles[] = {"Prg A", "Prg B", "Prg C", "Prg D", "Prg E", "Drum", "Percussion"};

TEST_F(BanksTest, ViewOpensTheKindOnItsChannel) {
    const int channels[] = {0, 2, 0, 3, 15, 9, 8};
    frmMain* m = start([&] {
        for (int k = 4; k <= 10; ++k) WinEntry(k).Chan = static_cast<uint8_t>(channels[k - 4]);
    });
    for (int k = 4; k <= 10; ++k) {
        SCOPED_TRACE(k);
        const int ch = channels[k - 4];
        const bool kit = k >= 9;
        BankWindow* w = view(k);
        ASSERT_NE(w, nullptr);
        std::string head = bytesOf({unsigned(k), 1, kit ? 0u : 2u}) + std::string(12, '\0') +
                           bytesOf({unsigned(ch), kit ? 0u : 1u, 0, 0, 0});
        std::string body;
        if (kit) {
            body = padRight(Titles[k - 4], 24) + DrumKitNames;
        } else {
            body = std::string(Titles[k - 4]) + "    ";
            for (int i = 0; i < 64; ++i) body += '\0' + RowCode(i) + "  " + PrgRomNames[k - 4].substr(16 * i, 16);
        }
        EXPECT_EQ(w->Tag(), head + body);
        const std::string name0 = kit ? DrumKitNames.substr(0, 16) : PrgRomNames[k - 4].substr(0, 16);
        EXPECT_EQ(std::tuple(w->List1->ListCount(), w->List1->List(0), w->List1->List(7).substr(0, 2),
                             w->List1->List(8).substr(0, 2), w->List1->List(kit ? 15 : 63).substr(0, 2)),
                  std::tuple(kit ? 16 : 64, "11  " + name0, "18", "21", kit ? "28" : "88"));
        EXPECT_EQ(std::tuple(w->Caption(), w->CommClose->Caption(), w->Combo1->Text(), PrgWinCount, int(WinEntry(k).State)),
                  std::tuple(rtrim(Titles[k - 4]) + " - MIDI Channel " + std::to_string(ch + 1) + " - Read Only",
                             std::string("&Close"), (ch < 9 ? "  " : " ") + std::to_string(ch + 1), k - 3, 1));
        for (int j = 4; j <= 10; ++j) EXPECT_EQ(m->item(menuOf(j))->isEnabled(), j > k) << j;
    }
    EXPECT_EQ(windowOf(10)->List1->List(15), "28  (User 2)        ");
    EXPECT_EQ(std::tuple(m->mnuWindow->isEnabled(), m->mnuChiudi->isEnabled(), dialogs.shown.size()),
              std::tuple(true, true, 0u));

    // In Italian.
    LanguageChooser = [] { LangSel = 1; };
    start([] { WinEntry(9).Chan = 9; });
    ASSERT_TRUE(view(6) && view(9));
    EXPECT_EQ(std::tuple(windowOf(6)->Caption(), windowOf(9)->Caption(), windowOf(9)->CommClose->Caption()),
              std::tuple(std::string("Prg C - MIDI Channel 1 - Sola Lettura"),
                         std::string("Drum - MIDI Channel 10 - Sola Lettura"), std::string("&Chiudi")));
}

// Every column and button inside the window, the rows numbered down four
// columns, with large fonts and without.
TEST_F(BanksTest, LayoutKeepsEverythingInside) {
    for (int twips : {12, 15}) {
        OverrideTwipsPerPixel(twips, twips);
        start();
        for (int k : {4, 9}) {
            SCOPED_TRACE(twips * 100 + k);
            BankWindow* w = view(k);
            ASSERT_NE(w, nullptr);
            ListBox* l = w->List1;
            const int perColumn = k == 4 ? 16 : 4;
            EXPECT_EQ(std::tuple(l->x(), l->y(), l->geometry().right() < w->width(),
                                 l->geometry().bottom() < w->CommClose->y()),
                      std::tuple(0, k == 4 ? twipsToPxY(20) : 0, true, true));
            const QRect view = l->viewport()->rect();
            const QSize step = l->gridSize();
            for (int i = 0; i < l->ListCount(); ++i) {
                const QRect r = l->visualItemRect(l->item(i));
                ASSERT_TRUE(view.contains(r)) << i;
                ASSERT_EQ(r.topLeft(), QPoint(i / perColumn * step.width(), i % perColumn * step.height())) << i;
            }
            EXPECT_FALSE(l->horizontalScrollBar()->isVisible() || l->verticalScrollBar()->isVisible());
            QWidget* row[] = {w->Combo1, w->Label1, w->CommArrPlay, w->CommSongPlay, w->CommClose};
            for (int i = 0; i < 5; ++i) {
                const QRect g = row[i]->geometry();
                EXPECT_TRUE(w->rect().contains(g) && g.width() >= row[i]->sizeHint().width()) << i;
                if (i > 0) {
                    EXPECT_LT(row[i - 1]->geometry().right(), g.left()) << i;
                }
            }
        }
    }
}

// Closing by the button, the close box and with the program (normal and
// minimised): the entry keeps the place and the state to reopen with.
TEST_F(BanksTest, ClosingKeepsPlaceStateAndCount) {
    const struct { int kind; int how; uint8_t state; } cases[] = {
        {4, 0, 0}, {9, 0, 0}, {5, 1, 0}, {10, 1, 0}, {8, 2, 1}, {9, 2, 1}, {6, 3, 2}, {10, 3, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind * 10 + c.how);
        frmMain* m = start();
        QPointer<BankWindow> w = view(c.kind);
        ASSERT_TRUE(w);
        w->Move(300, 195);
        if (c.how == 3) w->setWindowState(vbMinimized);
        switch (c.how) {
        case 0: w->CommClose->press(); break;
        case 1: w->subWindow()->close(); break;
        default: EXPECT_TRUE(m->QueryClose()); break;
        }
        const WinState& e = WinEntry(c.kind);
        EXPECT_EQ(std::tuple(e.Top, e.Left, int(e.State), PrgWinCount), std::tuple(195, 300, int(c.state), 0));
        if (c.how < 2) {
            EXPECT_TRUE(m->item(menuOf(c.kind))->isEnabled());
        }
        if (w && c.kind <= 8) {
            EXPECT_EQ(at(w->Tag(), ImgOpenState), c.state);
        }
    }
}

// The last run's bank windows reopen at their places on their channels; one
// opened by hand before its turn is not opened or counted again.
TEST_F(BanksTest, RestoreReopensMarkedWindowsOnce) {
    auto marked = [] {
        WinEntry(6) = {600, 450, 3990, 6990, 1, 3};
        WinEntry(10) = {900, 150, 1800, 6000, 1, 8};
    };
    start(marked);
    BankWindow *c = windowOf(6), *p = windowOf(10);
    ASSERT_TRUE(c && p);
    EXPECT_EQ(std::tuple(c->Top(), c->Left(), c->Height(), c->Width(), c->Combo1->Text(), p->Top(), p->Left(),
                         p->Combo1->Text(), PrgWinCount),
              std::tuple(600, 450, 3990, 6990, std::string("  4"), 900, 150, std::string("  9"), 2));

    delete frame.data();
    InstanceLockRelease();
    open([] { WinEntry(6).State = 1; });
    RunMenuCommand(MenuId::mnuWProgC);
    Timer::Advance(200);
    EXPECT_EQ(std::tuple(frame->Forms().size(), PrgWinCount), std::tuple(1u, 1));
}

// The channel is kept with the program's settings: a window open at exit
// reopens at the next start on it.
TEST_F(BanksTest, ChannelOfAWindowOpenAtExitComesBack) {
    frmMain* m = start();
    BankWindow* w = view(4);
    ASSERT_NE(w, nullptr);
    w->Move(450, 300, 6000, 3000);
    w->Combo1->setListIndex(15);
    EXPECT_EQ(std::tuple(at(w->Tag(), ImgChannel), int(WinEntry(4).Chan), w->Caption(), sent()),
              std::tuple(15u, 15, std::string("Prg A - MIDI Channel 16 - Read Only"), std::string()));
    click(w, 2);
    EXPECT_EQ(sent(), selection(15, 0, 2));
    EXPECT_TRUE(m->QueryClose());
    EXPECT_EQ(at(savedIni(), 86), 0xF1u);
    start();
    w = windowOf(4);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(std::tuple(w->Top(), w->Left(), w->Height(), w->Width(), w->Combo1->Text()),
              std::tuple(300, 450, 3000, 6000, std::string(" 16")));
}

}  // namespace
