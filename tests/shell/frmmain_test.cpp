// The main window's start-up: the Exit shortcut, status bar, captions, mode, the
// state that depends on start data, the frame's geometry and the restore
// arming.
#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QTest>
#include <map>

#include "app/Messages.h"
#include "app/Settings.h"
#include "files/state.h"
#include "frametest.h"
#include "midi/MIDI.h"


TEST_F(FrameTest, ExitShortcutAndCaptionsInBothLanguages) {
    frmMain* f = open();
    // Exit's Ctrl+X leaves a focused text box of a child its own cut.
    auto* child = new TestChild(f, WindowImageNew(16));
    auto* edit = new QLineEdit("abc", child);
    child->Show();
    f->show();
    QApplication::setActiveWindow(f);
    edit->setFocus();
    edit->selectAll();
    RegisterMenuCommand(MenuId::mnuExit, [] { ADD_FAILURE() << "exit"; });
    QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), "");

    const struct { uint8_t lang; const char *view, *info; } langs[] = {
        {1, "&Visualizza", "Informazioni su Velmora"}, {2, "&View", "About Velmora"}};
    for (const auto& c : langs) {
        f = reopen([&] { LangSel = c.lang, LangBase = (c.lang - 1) * 200; });
        EXPECT_EQ(std::tuple(f->mnuView->Caption(), f->mnuInfo->Caption(), f->mnuHelp->Caption(),
                             f->mnuItaliano->Checked(), f->mnuInglese->Checked()),
                  std::tuple(c.view, c.info, "&?", c.lang == 1, c.lang == 2));
    }
}

TEST_F(FrameTest, ModeIsSentAndShownAtStart) {
    const auto mode = [](unsigned b) { return bytesOf({0xF0, 0x42, 0x35, 0x4D, 0x4E, b, 0xF7}); };
    // A mode message that fails is told at once, once.
    const struct { int mode; bool midiOn, fails; std::string bytes; const char* label; } cases[] = {
        {0, true, false, mode(0x0A), "ARR PLAY"}, {1, true, false, mode(0x06), "SONG PLAY"},
        {2, true, false, mode(0x04), "GLOBAL"},   {3, true, false, "", "BACK.SEQ."},
        {4, true, false, "", "PROGRAM"},          {2, false, false, "", "GLOBAL"},
        {0, true, true, "", "ARR PLAY"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode * 10 + c.fails);
        dialogs.shown.clear();
        if (c.fails) dialogs.answer(vbOK);
        frmMain* f = reopen([&] {
            ModeNow = c.mode, GlobalChannel = 5;
            if (!c.midiOn) MidiOn = 0;
            midi->failWrite = c.fails ? MidiErrNotReady : 0;
        });
        Timer::Advance(1000);
        EXPECT_EQ(std::tuple(midi->written(), f->LabelMode->Caption(), onlyBox()),
                  std::tuple(c.bytes, c.label, c.fails ? ErrMsgText(ErrMidiSend) : ""));
        EXPECT_EQ(std::pair(f->mnuArrPlay->Checked(), f->mnuProgram->Checked()), std::pair(c.mode == 0, c.mode == 4));
    }
}

// In either language every menu of the menu bar has an access letter of its
// own, so Alt and the letter open that one menu.
TEST_F(FrameTest, TopLevelMenusHaveDistinctAccessLetters) {
    for (uint8_t lang : {1, 2}) {
        SCOPED_TRACE(lang);
        frmMain* f = reopen([&] { LangSel = lang, LangBase = (lang - 1) * 200; });
        std::map<QChar, QString> taken;
        for (QAction* a : f->menuBar()->actions()) {
            const QString text = a->text();
            const int amp = text.indexOf('&');
            if (amp < 0 || amp + 1 >= text.size()) continue;
            const QChar letter = text.at(amp + 1).toLower();
            EXPECT_FALSE(taken.count(letter)) << text.toStdString() << " and " << taken[letter].toStdString();
            taken[letter] = text;
        }
        EXPECT_GE(taken.size(), 6u);
    }
}

// The status field shows the longest of its texts whole, in both languages,
// and the labels after it move along rather than cover it.
TEST_F(FrameTest, TheStatusFieldHoldsItsLongestTexts) {
    for (uint8_t lang : {1, 2}) {
        SCOPED_TRACE(lang);
        frmMain* f = reopen([&] { LangSel = lang, LangBase = (lang - 1) * 200; });
        f->show();
        std::vector<std::string> texts;
        for (int k = 1; k <= 8; ++k) {
            StatusMsg(k, "i40DBArr");
            texts.push_back(f->Label1->Caption());
        }
        StatusMsg(0);
        for (int n : {11, 12, 13, 124, 148}) texts.push_back(Msg(n) + " 100%");
        for (const std::string& t : texts) {
            f->Label1->setCaption(t);
            EXPECT_LE(f->Label1->sizeHint().width(), f->Label1->width()) << t;
        }
        EXPECT_GT(f->LabelArr->x(), f->Label1->geometry().right());
        EXPECT_GT(f->LabelMode->x(), f->LabelNomeAppl->geometry().right());
        f->Label1->setCaption("");
    }
}

// The mode items of the Edit menu: only the mode sent last is ticked, and
// the others look alike, without a mark or an empty box, before any mode is
// sent from the menu and after each.
TEST_F(FrameTest, OnlyTheModeSentLastIsTickedInTheEditMenu) {
    const auto marks = [](frmMain* f) {
        std::vector<int> m;
        for (MenuItem* i : {f->mnuArrPlay, f->mnuSongPlay, f->mnuProgram})
            m.push_back(i->isChecked() ? 1 : i->isCheckable() ? -1 : 0);
        return m;
    };
    const auto expected = [] {
        return std::vector<int>{ModeNow == 0, ModeNow == 1, ModeNow == 4};
    };
    for (int start : {0, 1, 2, 3, 4}) {
        SCOPED_TRACE(start);
        frmMain* f = reopen([&] { ModeNow = start; });
        EXPECT_EQ(marks(f), expected());
        const std::function<void()> sends[] = {
            [f] { f->mnuProgram->trigger(); }, [f] { f->mnuArrPlay->trigger(); }, [f] { f->mnuSongPlay->trigger(); },
            [] { ModeTx04(); },                [f] { f->mnuProgram->trigger(); }, [] { ModeTx0B(); },
            [f] { f->mnuArrPlay->trigger(); }};
        for (const auto& send : sends) {
            send();
            EXPECT_EQ(marks(f), expected()) << ModeNow;
        }
    }
}

TEST_F(FrameTest, StartDataSetsMenusMarksAndLabels) {
    // The windows of the database and global commands are in the program.
    std::vector<Registration> windows;
    windows.push_back(RegisterWindowFamily(WinFamily::Gbl, {}));
    for (NamedWindow name : {NamedWindow::frmEditDBArr, NamedWindow::DBArrAggiorna, NamedWindow::frmFindID})
        windows.push_back(RegisterNamed(name, [](int) {}));
    frmMain* f = open([] {
        MruTable[1] = MruTable[4] = {"/m/a", 0, 0, 0, 0, 1, 0};
        MruTable[2] = {"/m/b", 0, 0, 0, 0, 2, 0};
        ArrUFile = std::string(10, ' '), StyUFile = "/m/user", PrgUFile = "";
        StatusBarOpt = false, CaricaStyOpt = RdOnlyOpt = true;
        GblInstrSet = 1;
    });
    std::vector<bool> shown = {f->mnuSep16->isVisible()};
    for (int i = 1; i <= 8; ++i) shown.push_back(f->mnuRecentFile[static_cast<std::size_t>(i)]->isVisible());
    EXPECT_EQ(shown, (std::vector<bool>{true, true, true, false, false, false, false, false, false}));
    EXPECT_EQ(std::tuple(f->mnuArrU->isEnabled(), f->mnuStyU->isEnabled(), f->mnuPrgU->isEnabled()),
              std::tuple(false, true, false));
    EXPECT_TRUE(f->mnuCaricaSty->Checked() && f->mnuRdOnly->Checked() && !f->mnuCaricaArr->Checked());
    EXPECT_TRUE(!f->mnuVisBarraStato->Checked() && f->mnuGlobalParam->isEnabled());
    // The database missing (and, below, foreign): its commands off, without a box.
    for (MenuItem* m : {f->mnuWEditDBArr, f->mnuAggArr, f->mnuWFindID}) EXPECT_FALSE(m->isEnabled());
    EXPECT_FALSE(f->Picture1->isVisibleTo(f));
    EXPECT_EQ(std::tuple(f->LabelNomeAppl->Caption(), f->Caption(), f->LabelPrg->Caption()),
              std::tuple("Velmora v 3.0", "Velmora - Velmora v 3.0 ", ".prg"));

    // A foreign database, then a good one; the style template missing, then damaged: one box, and
    // the program's own template all the same.
    for (bool valid : {false, true}) {
        std::string db(DBArrLen, ' ');
        if (valid) putMid(db, 1, DBArrSignature());
        writeFileBytes(sysFile("i40DBArr"), db);
        if (valid) writeFileBytes(startFile("i40Sty"), std::string(4928, 'x'));
        else DeleteFile(startFile("i40Sty"));
        dialogs.shown.clear();
        dialogs.answer(vbOK);
        f = reopen();
        for (MenuItem* m : {f->mnuWEditDBArr, f->mnuAggArr, f->mnuWFindID}) EXPECT_EQ(m->isEnabled(), valid);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        const std::string box = dialogs.shown[0].text + "|" + dialogs.shown[0].title;
        if (valid) EXPECT_EQ(box.rfind("Error reading", 0), 0u) << box;
        else EXPECT_EQ(box, "File " + startFile("i40Sty") + " not found|Velmora - Velmora v 3.0 ");
        EXPECT_EQ(StyGrpBuf, StyTemplateImage());
    }
}

TEST_F(FrameTest, GeometryOffTheScreenAndRestoreArming) {
    frmMain* f = open([] {
        WinEntry(1) = {30000, 30000, 6000, 8000, 0, 0};
        WinEntry(11).State = WinEntry(3).State = ArrSlots[5].State = 1;
    });
    EXPECT_EQ(QRect(f->pos(), f->size()), QRect(0, 0, 9600 / 15, 7200 / 15));
    EXPECT_EQ(RestoreArmed, 2);
    EXPECT_TRUE(f->TimerAuto[11]->Enabled() && f->TimerAuto[3]->Enabled() && !f->TimerArrU->Enabled());
    Timer::Advance(50);
    for (Timer* t : f->findChildren<Timer*>()) EXPECT_FALSE(t->Enabled()) << t->objectName().toStdString();
    EXPECT_TRUE(f->Forms().empty());
    EXPECT_EQ(std::tuple(int(ArrSlots[5].State), ArrSlotUsed[5]), std::tuple(1, 0))
        << "with no file window built, the mark waits for it and holds no slot";

    f = reopen();
    EXPECT_TRUE(RestoreArmed == 0 && f->TimerArrU->Enabled());
}
