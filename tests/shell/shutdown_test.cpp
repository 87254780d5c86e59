// Leaving the program: the device-state refusal, a child that cancels, and
// what a successful exit leaves in the settings for the next start.
#include <QDir>

#include "app/Settings.h"
#include "platform/Files.h"
#include "platform/bytes.h"
#include "frametest.h"

namespace {
std::string record(const std::string& ini, int n) { return mid(ini, 1 + 250L * (n - 1), 250); }
}  // namespace

TEST_F(FrameTest, ExitRefusedWhileOthersUseTheDevices) {
    for (bool byMenu : {true, false}) {
        SCOPED_TRACE(byMenu);
        DeleteFile(sysFile("Morvekan"));
        frmMain* f = reopen();
        ASSERT_TRUE(OwnsOut);
        f->show();
        for (int kind : {19, 11}) (new TestChild(f, WindowImageNew(kind)))->Show();
        ArrSlots[5].State = 1;
        const std::string shared = devStateRecord(MidiOutHandle, 2, 1);
        writeFileBytes(sysFile("Morvekan"), shared);
        const std::string ini = savedIni();
        dialogs.shown.clear();
        dialogs.answer(vbOK);
        byMenu ? f->mnuExit->trigger() : void(f->close());
        EXPECT_EQ(boxesShown(), "Close before all other applications|Closing MIDI out device");
        EXPECT_EQ(std::tuple(f->Forms().size(), f->Loaded(), AppClosing, ArrSlots[5].State),
                  std::tuple(2u, true, false, 1));
        EXPECT_EQ(readFileBytes(sysFile("Morvekan")) + savedIni(), shared + ini);
        EXPECT_TRUE(MidiOutHandle != 0 && f->mnuChiudi->isEnabled()) << "the devices stay open, so does the frame";
    }
}

TEST_F(FrameTest, ChildCancellingTheExitKeepsEverything) {
    frmMain* f = open();
    writeFileBytes(sysFile("Velmora.ini"), "old");
    for (int kind : {11, 12, 19, 21}) {
        auto* c = new TestChild(f, WindowImageNew(kind));
        if (kind == 19) c->onQuery = [](int& cancel) { cancel = 1; };
        c->Show();
    }
    ArrSlots[5].State = 1;
    f->mnuExit->trigger();
    std::vector<int> left;
    for (ChildForm* c : f->Forms()) left.push_back(WinKind(c->Tag()));
    EXPECT_EQ(left, (std::vector<int>{19, 21}));
    EXPECT_EQ(std::tuple(ArrSlots[5].State, AppClosing, f->Loaded(), savedIni()), std::tuple(1, false, true, "old"));
}

TEST_F(FrameTest, ExitLeavesOpenMarksOptionsAndGeometry) {
    const struct { bool minimised, maximised, settingsWritable; } cases[] = {
        {false, false, true}, {true, true, true}, {false, false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.minimised);
        DeleteFile(sysFile("Velmora.ini"));
        frmMain* f = reopen([] {
            WinEntry(1) = {600, 900, 7500, 10500, 0, 0};
            StatusBarOpt = true;
        });
        f->show();
        TestChild* w = ShowTestChild(f, WindowImageNew(19));
        w->onUnload = [w](int&) {
            if (AppClosing) ArrSlots[3].Path = "/m/song", ArrSlots[3].State = w->WindowState() == vbMinimized ? 2 : 1;
        };
        if (c.minimised) w->setWindowState(vbMinimized);
        ArrSlots[5].State = 1;  // left behind: no window holds it
        f->mnuVisBarraStato->setChecked(false), f->mnuCaricaArr->setChecked(true);
        if (c.maximised) f->setWindowState(vbMaximized);
        if (!c.settingsWritable) {  // not replaceable, also not by root
            ASSERT_TRUE(QDir().mkpath(QString::fromStdString(sysFile("Velmora.ini/keep"))));
            dialogs.answer(vbOK);
        }
        f->mnuExit->trigger();
        EXPECT_FALSE(f->Loaded()) << "the exit goes on";
        if (!c.settingsWritable) {
            ASSERT_EQ(dialogs.shown.size(), 1u);
            EXPECT_EQ(dialogs.shown[0].title, "Velmora - Velmora v 3.0 ");
            EXPECT_TRUE(QDir(QString::fromStdString(sysFile("Velmora.ini/keep"))).exists());
            QDir(QString::fromStdString(sysFile("Velmora.ini"))).removeRecursively();
            continue;
        }
        const std::string ini = savedIni();
        ASSERT_GE(ini.size(), 250u * 50);
        const std::string r16 = record(ini, 16);
        EXPECT_EQ(std::tuple(rtrim(mid(r16, 1, 238)), at(r16, 241)), std::tuple("/m/song", c.minimised ? 2 : 1));
        for (int n : {14, 15, 17, 18, 19, 20, 21}) EXPECT_EQ(record(ini, n), std::string(250, '\0')) << n;
        EXPECT_EQ(std::tuple(at(ini, 27), at(ini, 28)), std::tuple(0, 1));
        // Entry 1: the frame's normal geometry, and its state.
        const std::string e1 = mid(ini, 51, 9);
        EXPECT_EQ(std::tuple(getS16hi(e1, 1), getS16hi(e1, 3), getS16hi(e1, 5), getS16hi(e1, 7), at(e1, 9)),
                  std::tuple(16600, 16900, 7500, 10500, c.maximised ? 2 : 0));
    }
}

TEST_F(FrameTest, FrameGeometrySurvivesStartAndExitCycles) {
    DeleteFile(sysFile("Velmora.ini"));
    for (int cycle = 0; cycle < 5; ++cycle) {
        SCOPED_TRACE(cycle);
        frmMain* f = reopen([cycle] {
            if (cycle == 0) WinEntry(1) = {1500, 1500, 500 * 15, 700 * 15, 0, 0};
        });
        f->show();
        EXPECT_EQ(f->geometry().size(), QSize(700, 500));
        f->mnuExit->trigger();
        ASSERT_FALSE(f->Loaded());
    }
}
