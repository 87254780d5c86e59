// Open Prg, Open Gbl and New Prg with test windows registered: the open and
// its refusals. (Without their windows they stay off: tools_test.cpp.)
#include <QDir>
#include <optional>
#include <sstream>

#include "files/state.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "shelltest.h"

namespace {

// What a window's load read of the globals: kind, slot, path, read-only.
using Loaded = std::tuple<int, int, std::string, int>;

// The program and Global windows: each show makes a small window whose load
// takes a closed slot record as a fresh open, as the real windows do.
struct TestWindows : PrgWindowLinkT {
    std::vector<Loaded> loads;
    TestWindows() { RegisterLink<PrgWindowLinkT>(this); }
    ~TestWindows() override { UnregisterLink<PrgWindowLinkT>(this); }
    void showPrgWindow(int kind, int slot) override {
        const std::string path = PrgDir.empty() ? PrgName : PathJoin(PrgDir, PrgName);
        SlotRec& r = PrgSlots[static_cast<std::size_t>(slot)];
        if (kind == 21 && r.State == 0) r = SlotRec{path, 0, 1};
        loads.emplace_back(kind, slot, path, RdOnlyOpen);
        (new TestChild(MainForm(), WindowImageNew(kind)))->Show();
    }
    Registration gbl = RegisterWindowFamily(WinFamily::Gbl, {[this](int slot) -> ChildForm* {
        const std::string path = PathJoin(GblDir, GblName);
        GblSlots[static_cast<std::size_t>(slot)] = SlotRec{path, 0, 1};
        loads.emplace_back(25, slot, path, RdOnlyOpen);
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
        windows.emplace();  // registered after the links were reset
        open();
        Timer::Advance(200);  // the last run's restore is over
    }
    void TearDown() override {
        windows.reset();
        ShellTest::TearDown();
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
    std::optional<TestWindows> windows;
    const std::string prg = PrgNativeHeader() + std::string(PrgFileLen - PrgHdrLen, '\0');
    const std::string gbl = GblMagic() + std::string(GblFileLen - GblMagic().size(), 'g');
};

TEST_F(OpenCmdTest, OpenPrgAndGblTakeAFreshSlotAndListTheFile) {
    ASSERT_TRUE(frame->mnuApriPrg->isEnabled() && frame->mnuNuovoPrg->isEnabled() && frame->mnuApriGbl->isEnabled());
    writeFileBytes(file("SONG.PRG"), prg);
    // The last run left an open mark on another file in the free slot 1.
    PrgSlots[1] = SlotRec{"/old/Other", 0, 1, 900, 900};
    dialogs.chooseFile(file("SONG.PRG"));
    RunMenuCommand(MenuId::mnuApriPrg);
    EXPECT_EQ(std::tuple(PrgSlots[1].Path, PrgSlots[1].Top, PrgSlotUsed[1], PrgWinKind, PrgWinCount),
              std::tuple(file("SONG"), 0, 1, 21, 1));
    EXPECT_EQ(std::tuple(MruTable[1].Path, MruTable[1].Kind), std::tuple(file("SONG"), uint8_t{3}));
    // New Prg: the template's window, counted.
    writeFileBytes(startFile("i40Prg"), PrgNativeHeader() + std::string(PrgFileLen - PrgHdrLen, 'x'));
    RunMenuCommand(MenuId::mnuNuovoPrg);
    EXPECT_EQ(std::tuple(std::get<0>(windows->loads.at(1)), std::get<1>(windows->loads[1]), PrgNewUsed[1], PrgWinCount),
              std::tuple(22, 1, uint8_t{1}, 2));

    writeFileBytes(file("Stage.gbl"), gbl);
    dialogs.chooseFile(file("Stage.gbl"), 0, true);
    RunMenuCommand(MenuId::mnuApriGbl);
    EXPECT_EQ(std::tuple(windows->loads.size(), windows->loads[0], windows->loads.back()),
              std::tuple(3u, Loaded{21, 1, file("SONG"), 0}, Loaded{25, 1, file("Stage"), 1}));
    EXPECT_EQ(std::tuple(GblFileData, MruTable[2].Path, MruTable[2].Kind, MruTable[2].RdOnly),
              std::tuple(gbl, file("Stage"), uint8_t{5}, uint8_t{1}));
}

// Every failure shows its one message (or none) and changes nothing.
TEST_F(OpenCmdTest, FailedOpensChangeNothing) {
    writeFileBytes(file("Held.prg"), prg);
    writeFileBytes(file("Held.gbl"), gbl);
    writeFileBytes(file("Empty.prg"), "");
    writeFileBytes(file("Empty.gbl"), "");
    writeFileBytes(file("Style.sty"), StyTemplateImage());
    PrgSlots[3] = GblSlots[3] = SlotRec{file("Held"), 0, 2};  // open in a minimised window
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
        if (c.pick.empty()) dialogs.cancelFile();
        else dialogs.chooseFile(c.pick, c.filter), dialogs.answer(vbOK);
        RunMenuCommand(c.cmd);
        ASSERT_EQ(dialogs.shown.size(), c.text.empty() ? 0u : 1u);
        if (!c.text.empty()) {
            EXPECT_EQ(dialogs.shown[0].text.substr(0, c.text.size()), c.text);
            if (!c.title.empty()) { EXPECT_EQ(dialogs.shown[0].title, c.title); }
        }
        EXPECT_EQ(snapshot(), before);
        EXPECT_TRUE(windows->loads.empty());
    }
    EXPECT_FALSE(FileExists(file("Empty.prg")) || FileExists(file("Empty.gbl"))) << "empty files are deleted";
}

}  // namespace
