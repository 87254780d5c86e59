// Open Prg, Open Gbl and New Prg: off and inert while their windows are not
// in the program; with test windows registered, the open and its refusals.
#include <QDir>
#include <sstream>

#include "app/Mru.h"
#include "app/Tables.h"
#include "files/state.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "shelltest.h"

namespace {

// What a window's load read of the globals.
struct Loaded {
    int kind, slot;
    std::string path, ext;
    int rdOnly;
};

// The program windows: each show makes a small window whose load takes a
// closed slot record as a fresh open, as the program window does.
struct TestPrgWindows : PrgWindowLinkT {
    std::vector<Loaded> loads;
    TestPrgWindows() { RegisterLink<PrgWindowLinkT>(this); }
    ~TestPrgWindows() override { UnregisterLink<PrgWindowLinkT>(this); }
    void showPrgWindow(int kind, int slot) override {
        const std::string path = PrgDir.empty() ? PrgName : PathJoin(PrgDir, PrgName);
        if (kind == 21) {
            SlotRec& r = PrgSlots[static_cast<std::size_t>(slot)];
            if (r.State == 0) r = SlotRec{path, 0, 1};
        }
        loads.push_back({kind, slot, path, ExtCur, RdOnlyOpen});
        (new TestChild(MainForm(), WindowImageNew(kind)))->Show();
    }
};

// The Global file windows, likewise: the load marks its slot.
struct TestGblWindows {
    std::vector<Loaded> loads;
    Registration reg = RegisterWindowFamily(WinFamily::Gbl, {[this](int slot) -> ChildForm* {
        const std::string path = GblDir.empty() ? GblName : PathJoin(GblDir, GblName);
        GblSlots[static_cast<std::size_t>(slot)] = SlotRec{path, 0, 1};
        loads.push_back({25, slot, path, "gbl", RdOnlyOpen});
        auto* w = new TestChild(MainForm(), WindowImageNew(25, GblFileData));
        w->Show();
        return w;
    }, [](int) -> ChildForm* { return nullptr; }});
};

class OpenCmdTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        dir = startDir() + "/files";
        QDir().mkpath(QString::fromStdString(dir));
    }
    frmMain* start() {
        frmMain* f = open();
        Timer::Advance(200);   // the last run's restore is over
        dialogs.shown.clear();
        return f;
    }
    // Everything an open that fails must leave as it was.
    static std::string snapshot() {
        std::ostringstream o;
        auto records = [&o](const auto& t) {
            for (const SlotRec& r : t) o << r.Path << '|' << int(r.State) << '|' << r.Top << ',';
        };
        records(PrgSlots);
        records(GblSlots);
        for (int u : PrgSlotUsed) o << u;
        for (int u : PrgNewUsed) o << u;
        for (const MruRec& r : MruTable) o << r.Path << int(r.Kind) << ';';
        o << ArrWinCount << StyWinCount << PrgWinCount << BsqWinCount << GblWinCount << ChildWinCount << '|'
          << DirLast << '|' << DirLastPrg << '|' << GblDirLast << '|' << RdOnlyOpen << '|' << MainForm()->Forms().size();
        return o.str();
    }
    std::string file(const std::string& name) const { return dir + "/" + name; }
    std::string dir;
};

TEST_F(OpenCmdTest, OffAndInertWithoutTheirWindows) {
    frmMain* m = start();
    EXPECT_FALSE(m->mnuApriPrg->isEnabled() || m->mnuNuovoPrg->isEnabled() || m->mnuApriGbl->isEnabled());
    EXPECT_TRUE(m->mnuApriArr->isEnabled());
    const std::string before = snapshot();
    for (MenuId id : {MenuId::mnuApriPrg, MenuId::mnuNuovoPrg, MenuId::mnuApriGbl}) RunMenuCommand(id);
    EXPECT_EQ(std::tuple(snapshot(), dialogs.fileRequests.size(), dialogs.shown.size()),
              std::tuple(before, 0u, 0u));
}

TEST_F(OpenCmdTest, OpenPrgTakesAFreshSlotAndListsTheFile) {
    TestPrgWindows windows;
    frmMain* m = start();
    ASSERT_TRUE(m->mnuApriPrg->isEnabled() && m->mnuNuovoPrg->isEnabled());
    writeFileBytes(file("SONG.PRG"), PrgNativeHeader() + std::string(PrgFileLen - PrgHdrLen, '\0'));
    // The last run left an open mark on another file in the free slot 1.
    PrgSlots[1] = SlotRec{"/old/Other", 0, 1, 900, 900};
    dialogs.chooseFile(file("SONG.PRG"));
    RunMenuCommand(MenuId::mnuApriPrg);
    ASSERT_EQ(windows.loads.size(), 1u);
    EXPECT_EQ(std::tuple(windows.loads[0].kind, windows.loads[0].slot, PrgSlots[1].Path, PrgSlots[1].Top,
                         PrgSlotUsed[1], PrgWinKind, PrgWinCount, dialogs.shown.size()),
              std::tuple(21, 1, file("SONG"), 0, 1, 21, 1, 0u));
    EXPECT_EQ(std::tuple(MruTable[1].Path, MruTable[1].Kind), std::tuple(file("SONG"), uint8_t{3}));

    // New Prg: the template's window, counted.
    writeFileBytes(startFile("i40Prg"), PrgNativeHeader() + std::string(PrgFileLen - PrgHdrLen, 'x'));
    RunMenuCommand(MenuId::mnuNuovoPrg);
    ASSERT_EQ(windows.loads.size(), 2u);
    EXPECT_EQ(std::tuple(windows.loads[1].kind, windows.loads[1].slot, PrgNewUsed[1], PrgWinCount),
              std::tuple(22, 1, uint8_t{1}, 2));
}

TEST_F(OpenCmdTest, OpenGblShowsItsWindowWithTheFileRead) {
    TestGblWindows windows;
    frmMain* m = start();
    ASSERT_TRUE(m->mnuApriGbl->isEnabled());
    std::string gbl = GblMagic();
    gbl.resize(GblFileLen, 'g');
    writeFileBytes(file("Stage.gbl"), gbl);
    dialogs.chooseFile(file("Stage.gbl"), 0, true);
    RunMenuCommand(MenuId::mnuApriGbl);
    ASSERT_EQ(windows.loads.size(), 1u);
    EXPECT_EQ(std::tuple(windows.loads[0].slot, windows.loads[0].path, windows.loads[0].rdOnly, GblFileData,
                         MruTable[1].Path, MruTable[1].Kind, MruTable[1].RdOnly),
              std::tuple(1, file("Stage"), 1, gbl, file("Stage"), uint8_t{5}, uint8_t{1}));
}

// Every failure shows its one message (or none) and changes nothing.
TEST_F(OpenCmdTest, FailedOpensChangeNothing) {
    TestPrgWindows prgWindows;
    TestGblWindows gblWindows;
    start();
    const std::string prg = PrgNativeHeader() + std::string(PrgFileLen - PrgHdrLen, '\0');
    writeFileBytes(file("Held.prg"), prg);
    writeFileBytes(file("Empty.prg"), "");
    writeFileBytes(file("Empty.gbl"), "");
    writeFileBytes(file("Style.sty"), StyTemplateImage());
    std::string gbl = GblMagic();
    gbl.resize(GblFileLen, 'g');
    writeFileBytes(file("Held.gbl"), gbl);
    PrgSlots[3] = SlotRec{file("Held"), 0, 2};   // open in a minimised window
    GblSlots[3] = SlotRec{file("Held"), 0, 2};
    const std::string tooLong = file(std::string(239 - file("").size(), 'n'));
    const struct {
        MenuId cmd;
        std::string pick;
        int filter;
        std::string text, title;  // "" text: no box
    } cases[] = {
        {MenuId::mnuApriPrg, "", 0, "", ""},
        {MenuId::mnuApriPrg, file("Held.prg"), 0, "File already open", "Opening Held.prg"},
        {MenuId::mnuApriPrg, file("Empty.prg"), 0, "File not found", "Opening Empty.prg"},
        {MenuId::mnuApriPrg, file("Style.sty"), 2, "Data format error", ""},
        {MenuId::mnuApriPrg, tooLong + ".prg", 0, "Path too long: ", ""},
        {MenuId::mnuApriGbl, "", 0, "", ""},
        {MenuId::mnuApriGbl, file("Held.gbl"), 0, "File already open", "Opening Held.gbl"},
        {MenuId::mnuApriGbl, file("Empty.gbl"), 0, "File not found", "Opening Empty.gbl"},
        {MenuId::mnuApriGbl, tooLong + ".gbl", 0, "Path too long: ", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pick.empty() ? "cancel" : c.pick.substr(c.pick.size() - 12));
        const std::string before = snapshot();
        dialogs.shown.clear();
        if (c.pick.empty()) {
            dialogs.cancelFile();
        } else {
            dialogs.chooseFile(c.pick, c.filter);
            dialogs.answer(vbOK);
        }
        RunMenuCommand(c.cmd);
        ASSERT_EQ(dialogs.shown.size(), c.text.empty() ? 0u : 1u);
        if (!c.text.empty()) {
            EXPECT_EQ(dialogs.shown[0].text.substr(0, c.text.size()), c.text);
            if (!c.title.empty()) { EXPECT_EQ(dialogs.shown[0].title, c.title); }
        }
        EXPECT_EQ(snapshot(), before);
        EXPECT_TRUE(prgWindows.loads.empty() && gblWindows.loads.empty());
    }
    EXPECT_FALSE(FileExists(file("Empty.prg")) || FileExists(file("Empty.gbl"))) << "empty files are deleted";
}

}  // namespace
