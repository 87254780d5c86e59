// Leaving the program: the device-state refusal, a child that cancels, and
// what a successful exit leaves in the settings for the next start.
#include <QDir>

#include "app/Settings.h"
#include "platform/Files.h"
#include "platform/bytes.h"
#include "shelltest.h"

namespace {
std::string record(const std::string& ini, int n) { return mid(ini, 1 + 250L * (n - 1), 250); }
}  // namespace

TEST_F(ShellTest, ExitRefusedWhileOthersUseTheDevices) {
    for (bool byMenu : {true, false}) {
        SCOPED_TRACE(byMenu);
        delete frame.data();
        InstanceLockRelease();
        DeleteFile(sysFile("Morvekan"));
        frmMain* f = open();
        ASSERT_TRUE(OwnsOut);
        f->show();
        auto* a = new TestChild(f, WindowImageNew(19));
        auto* b = new TestChild(f, WindowImageNew(11));
        a->Show();
        b->Show();
        ArrSlots[5].State = 1;
        const std::string shared = devStateRecord(MidiOutHandle, 2, 1);
        writeFileBytes(sysFile("Morvekan"), shared);
        const std::string ini = readFileBytes(sysFile("Velmora.ini"));
        dialogs.shown.clear();
        dialogs.answer(vbOK);
        if (byMenu)
            f->mnuExit->trigger();
        else
            f->close();
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].text, "Close before all other applications");
        EXPECT_EQ(dialogs.shown[0].title, "Closing MIDI out device");
        EXPECT_EQ(f->Forms().size(), 2u) << "every window stays";
        EXPECT_TRUE(f->Loaded());
        EXPECT_FALSE(AppClosing);
        EXPECT_EQ(ArrSlots[5].State, 1);
        EXPECT_EQ(readFileBytes(sysFile("Morvekan")), shared);
        EXPECT_EQ(readFileBytes(sysFile("Velmora.ini")), ini);
        EXPECT_NE(MidiOutHandle, 0u) << "the devices stay open";
        EXPECT_TRUE(f->mnuChiudi->isEnabled());
    }
}

TEST_F(ShellTest, ChildCancellingTheExitKeepsEverything) {
    frmMain* f = open();
    writeFileBytes(sysFile("Velmora.ini"), "old");
    auto* find = new TestChild(f, WindowImageNew(11));
    auto* db = new TestChild(f, WindowImageNew(12));
    auto* keeper = new TestChild(f, WindowImageNew(19));
    keeper->onQuery = [](int& cancel) { cancel = 1; };
    auto* other = new TestChild(f, WindowImageNew(21));
    for (TestChild* c : {find, db, keeper, other}) c->Show();
    ArrSlots[5].State = 1;
    f->mnuExit->trigger();
    std::vector<std::string> left;
    for (ChildForm* c : f->Forms()) left.push_back(std::to_string(WinKind(c->Tag())));
    EXPECT_EQ(left, (std::vector<std::string>{"19", "21"}));
    EXPECT_EQ(ArrSlots[5].State, 1);
    EXPECT_FALSE(AppClosing);
    EXPECT_EQ(readFileBytes(sysFile("Velmora.ini")), "old");
    EXPECT_TRUE(f->Loaded());
}

TEST_F(ShellTest, ExitLeavesOpenMarksOptionsAndGeometry) {
    struct Case {
        bool minimised, maximised, settingsWritable;
    } cases[] = {{false, false, true}, {true, true, true}, {false, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.minimised);
        delete frame.data();
        InstanceLockRelease();
        DeleteFile(sysFile("Velmora.ini"));
        frmMain* f = open([] {
            WinEntry(1) = {600, 900, 7500, 10500, 0, 0};
            StatusBarOpt = true;
        });
        f->show();
        auto* w = new TestChild(f, WindowImageNew(19));
        w->onUnload = [w](int&) {
            if (!AppClosing) return;
            ArrSlots[3].Path = "/m/song";
            ArrSlots[3].State = w->WindowState() == vbMinimized ? 2 : 1;
        };
        w->Show();
        if (c.minimised) w->setWindowState(vbMinimized);
        ArrSlots[5].State = 1;  // left behind: no window holds it
        f->mnuVisBarraStato->setChecked(false);
        f->mnuCaricaArr->setChecked(true);
        if (c.maximised) f->setWindowState(vbMaximized);
        if (!c.settingsWritable) {
            // Something that cannot be replaced (also not by root) where
            // the settings go.
            ASSERT_TRUE(QDir().mkpath(QString::fromStdString(sysFile("Velmora.ini/keep"))));
            dialogs.answer(vbOK);
        }
        f->mnuExit->trigger();
        if (!c.settingsWritable) {
            ASSERT_EQ(dialogs.shown.size(), 1u);
            EXPECT_EQ(dialogs.shown[0].title, "Velmora - Velmora v 3.0 ");
            EXPECT_TRUE(QDir(QString::fromStdString(sysFile("Velmora.ini/keep"))).exists());
            EXPECT_FALSE(f->Loaded()) << "the exit goes on";
            QDir(QString::fromStdString(sysFile("Velmora.ini"))).removeRecursively();
            continue;
        }
        EXPECT_FALSE(f->Loaded());
        const std::string ini = readFileBytes(sysFile("Velmora.ini"));
        ASSERT_GE(ini.size(), 250u * 50);
        const std::string r16 = record(ini, 16);
        EXPECT_EQ(rtrim(mid(r16, 1, 238)), "/m/song");
        EXPECT_EQ(at(r16, 241), c.minimised ? 2 : 1);
        for (int n : {14, 15, 17, 18, 19, 20, 21}) EXPECT_EQ(record(ini, n), std::string(250, '\0')) << n;
        EXPECT_EQ(at(ini, 27), 0);
        EXPECT_EQ(at(ini, 28), 1);
        // Entry 1: the frame's normal geometry, and its state.
        const std::string e1 = mid(ini, 51, 9);
        EXPECT_EQ(getS16hi(e1, 1) - 16000, 600);
        EXPECT_EQ(getS16hi(e1, 3) - 16000, 900);
        EXPECT_EQ(getS16hi(e1, 5), 7500);
        EXPECT_EQ(getS16hi(e1, 7), 10500);
        EXPECT_EQ(at(e1, 9), c.maximised ? 2 : 0);
    }
}

TEST_F(ShellTest, FrameGeometrySurvivesStartAndExitCycles) {
    DeleteFile(sysFile("Velmora.ini"));
    for (int cycle = 0; cycle < 5; ++cycle) {
        SCOPED_TRACE(cycle);
        delete frame.data();
        InstanceLockRelease();
        frmMain* f = open([cycle] {
            if (cycle == 0) WinEntry(1) = {1500, 1500, 500 * 15, 700 * 15, 0, 0};
        });
        f->show();
        EXPECT_EQ(f->geometry().size(), QSize(700, 500));
        f->mnuExit->trigger();
        ASSERT_FALSE(f->Loaded());
    }
}
