// The View and Edit menus' bank, user-bank, tool and database commands, and
// the File menu's Open Prg, New Prg and Open Gbl.
#include <QApplication>
#include <sstream>

#include "files/state.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/MidiDevice.h"
#include "shell/MenuAgg.h"
#include "frametest.h"

namespace {
// The commands whose windows or procedures come from elsewhere.
using M = MenuId;
const MenuId Dependent[] = {M::mnuWProgA,     M::mnuWProgB,     M::mnuWProgC,      M::mnuWProgD,     M::mnuWProgE,
                            M::mnuDrum,       M::mnuPerc,       M::mnuPrgU,        M::mnuPrgSelAuto, M::mnuWEditDBArr,
                            M::mnuWFindID,    M::mnuAggArr,     M::mnuEditPerf,    M::mnuMultisample,
                            M::mnuGlobalParam, M::mnuApriPrg,   M::mnuNuovoPrg,    M::mnuApriGbl};

class ToolsTest : public FrameTest, public PrgWindowLinkT {
protected:
    void TearDown() override {
        regs.clear();
        FrameTest::TearDown();
    }
    // Test windows under the names the commands reach, each recording how it
    // was asked for (and what was queued for the instrument, and the notice
    // under a busy pointer, by then).
    void registerWindows() {
        for (NamedWindow name : {NamedWindow::frmPcgAE, NamedWindow::frmDrum, NamedWindow::frmPrgSelAuto,
                                 NamedWindow::frmEditDBArr, NamedWindow::frmFindID, NamedWindow::frmEditPerf,
                                 NamedWindow::frmMultisample, NamedWindow::DBArrAggiorna})
            regs.push_back(RegisterNamed(name, [this, name](int arg) {
                calls.push_back(NamedWindowName(name) + std::to_string(arg) +
                                (QApplication::overrideCursor() ? " busy: " + frame->Label1->Caption() : ""));
                queuedAtCall = MidiDev::Pending() + midi->written().size();
            }));
        for (auto [family, tag] : {std::pair(WinFamily::ArrU, "ArrU"), std::pair(WinFamily::StyUN, "StyUN"),
                                   std::pair(WinFamily::Gbl, "Gbl")})
            regs.push_back(RegisterWindowFamily(family, {[this, family, tag](int slot) -> ChildForm* {
                calls.push_back(tag + std::to_string(slot));
                if (family == WinFamily::Gbl && slot > 0) {  // a file's window marks its slot as it loads
                    GblSlots[static_cast<std::size_t>(slot)] = SlotRec{PathJoin(GblDir, GblName), 0, 1};
                    calls.back() += RdOnlyOpen ? " read-only" : "";
                }
                return shown ? shown : (shown = new TestChild(frame, ""));
            }, nullptr}));
        regs.push_back(LinkRegistration<PrgWindowLinkT>(this));
    }
    // The program window's load takes a closed slot record as a fresh open.
    void showPrgWindow(int kind, int slot) override {
        SlotRec& r = PrgSlots[static_cast<std::size_t>(slot)];
        if (kind == 21 && r.State == 0) r = SlotRec{PathJoin(PrgDir, PrgName), 0, 1};
        calls.push_back("Prg" + std::to_string(kind * 10 + slot));
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
        o << ArrWinCount << StyWinCount << PrgWinCount << BsqWinCount << GblWinCount << ChildWinCount << '|' << DirLast
          << '|' << DirLastPrg << '|' << GblDirLast << '|' << RdOnlyOpen << '|' << MainForm()->Forms().size();
        return o.str();
    }
    // A start with the user banks, the global parameters and a good database.
    frmMain* start() {
        std::string db(DBArrLen, ' ');
        putMid(db, 1, DBArrSignature());
        writeFileBytes(sysFile("i40DBArr"), db);
        frmMain* f = open([this] {
            ArrUFile = StyUFile = PrgUFile = startFile("User");
            GblInstrSet = PrgSlots[9].Type = 1;
        });
        f->show();
        midi->clear();
        return f;
    }
    std::string enabled() const {
        std::string on;
        for (MenuId id : Dependent) on += frame->item(id)->isEnabled() ? std::string(MenuName(id)) + " " : "";
        return on;
    }
    std::vector<Registration> regs;
    std::vector<std::string> calls;
    std::size_t queuedAtCall = 0;
    TestChild* shown = nullptr;
};
}  // namespace

TEST_F(ToolsTest, CommandsOfWindowsNotInTheProgramStayDisabled) {
    frmMain* f = start();
    EXPECT_EQ(enabled(), "");
    // Nothing turns them on: a window giving its item back, the menu refresh
    // over a program window; run all the same, they ask for no file, and
    // open, list and send nothing.
    MainWindowLink().enableMenu(MenuId::mnuPrgU, true);
    (new TestChild(f, WindowImageNew(21)))->Show();
    MenuAgg();
    for (MenuId id : Dependent) RunMenuCommand(id);
    Timer::Advance(100);
    EXPECT_EQ(std::tuple(enabled(), PrgWinCount, GblWinCount, PrgSlotUsed[1] + PrgNewUsed[1], MruTable[1].Path,
                         midi->events.size(), f->Label1->Caption()),
              std::tuple("", 0, 0, 0, "", 0u, ""));
}

TEST_F(ToolsTest, CommandsOpenTheirRegisteredWindowsOrSayWhyNot) {
    registerWindows();
    frmMain* f = start();
    const std::string all = enabled();
    EXPECT_EQ(all.find("mnuEditPerf"), std::string::npos) << "it follows the active window";
    f->mnuWProgA->trigger();
    EXPECT_EQ(std::tuple(calls, PrgWinKind, PrgWinCount, f->mnuWindow->isEnabled(), f->mnuChiudi->isEnabled()),
              std::tuple(std::vector<std::string>{"frmPcgAE4"}, 4, 1, true, true));
    EXPECT_EQ("mnuWProgA " + enabled(), all) << "only the item chosen goes off";
    RunMenuCommand(M::mnuWProgA);
    EXPECT_EQ(std::tuple(calls.size(), PrgWinCount), std::tuple(1u, 1)) << "not again while its window is open";
    calls.clear();
    for (MenuId id : {M::mnuPerc, M::mnuGlobalParam, M::mnuWFindID}) f->item(id)->trigger();
    EXPECT_EQ(std::tuple(calls, PrgWinCount),
              std::tuple(std::vector<std::string>{"frmDrum10", "Gbl0", "frmFindID0"}, 2));
    // The performance editor: PROGRAM mode first, unless the instrument is in it.
    for (int mode : {0, 4}) {
        ModeNow = mode;
        calls.clear();
        RunMenuCommand(MenuId::mnuEditPerf);
        Timer::Advance(100);
        EXPECT_EQ(std::tuple(calls, queuedAtCall, midi->written()),
                  std::tuple(std::vector<std::string>{"frmEditPerf0"}, mode ? 0u : 7u,
                             mode ? "" : bytesOf({0xF0, 0x42, 0x30, 0x4D, 0x4E, 0x02, 0xF7})));
        midi->clear();
    }
    // The database update chosen twice before the timer fires: once, under its notice.
    calls.clear();
    f->mnuAggArr->trigger();
    f->mnuAggArr->trigger();
    EXPECT_EQ(std::tuple(calls, f->Label1->Caption()), std::tuple(std::vector<std::string>{}, "Update i40DBArr"));
    Timer::Advance(100);
    EXPECT_EQ(std::tuple(calls, f->Label1->Caption(), QApplication::overrideCursor(), f->TimerCmd->Enabled(),
                         f->TimerCmd->Interval()),
              std::tuple(std::vector<std::string>{"DBArrAggiorna0 busy: Update i40DBArr"}, "", nullptr, false, 10));

    // The user banks open only when their file was read.
    const std::string prg = PrgTemplateImage();
    const struct { MenuId item; std::string file, bytes, box, opened; } cases[] = {  // the only user-bank file
        {M::mnuArrU, "", "", "File User.arr not found", ""},
        {M::mnuArrU, "User.arr", "garbage", "Error reading User.arr", ""},
        {M::mnuStyU, "User.sty", "garbage", "Error reading User.sty", ""},
        {M::mnuPrgU, "User.prg", prg, "", "Prg219"},  // linked as a .pgg, saved as .prg since
        {M::mnuArrU, "User.arr", ArrBankImage(0), "", "ArrU9"},
        {M::mnuStyU, "User.sty", StyTemplateImage(), "", "StyUN9"},
        {M::mnuPrgU, "User.pgg", "KPGG" + prg.substr(4), "", "Prg219"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file + " " + MenuName(c.item));
        for (const char* ext : {".arr", ".sty", ".prg", ".pgg"}) DeleteFile(startFile(std::string("User") + ext));
        if (!c.file.empty()) writeFileBytes(startFile(c.file), c.bytes);
        dialogs.shown.clear();
        calls.clear();
        if (!c.box.empty()) dialogs.answer(vbOK);
        RunMenuCommand(c.item);
        EXPECT_EQ(std::tuple(dialogs.shown.empty() ? "" : dialogs.shown[0].text, dialogs.shown.size() <= 1,
                             calls.empty() ? "" : calls[0], f->item(c.item)->isEnabled()),
                  std::tuple(c.box, true, c.opened, c.opened.empty()));
    }
    EXPECT_EQ(std::tuple(ArrSlotCur, StySlotCur, PrgSlotCur, ArrName, StyName, PrgName),
              std::tuple(9, 9, 9, "User", "User", "User"));
}

// Open Prg and Open Gbl: every failure shows its one message (or none) and
// changes nothing; an open takes a fresh slot and lists the file.
TEST_F(ToolsTest, OpenPrgAndGblRefuseChangingNothingOrTakeAFreshSlot) {
    registerWindows();
    start();
    const std::string prg = PrgTemplateImage(), gbl = GblMagic() + std::string(GblFileLen - GblMagic().size(), 'g');
    writeFileBytes(startFile("Held.prg"), prg);
    writeFileBytes(startFile("Held.gbl"), gbl);
    writeFileBytes(startFile("Empty.prg"), "");
    writeFileBytes(startFile("Empty.gbl"), "");
    writeFileBytes(startFile("Style.sty"), StyTemplateImage());
    const TestHolder heldPrg(WinFamily::PrgUN, 3, {startFile("Held.prg")}), heldGbl(WinFamily::Gbl, 3, {startFile("Held.gbl")});
    const std::string tooLong = startFile(std::string(239 - startFile("").size(), 'n'));
    const struct { MenuId cmd; std::string pick; int filter; std::string text, title; } cases[] = {  // "": no box
        {M::mnuApriPrg, "", 0, "", ""},
        {M::mnuApriPrg, startFile("Held.prg"), 0, "File already open", "Opening Held.prg"},
        {M::mnuApriPrg, startFile("Empty.prg"), 0, "File not found", "Opening Empty.prg"},
        {M::mnuApriPrg, startFile("Style.sty"), 2, "Style.sty cannot be opened with this command", ""},
        {M::mnuApriPrg, tooLong + ".prg", 0, "Path too long: ", ""},
        {M::mnuApriGbl, "", 0, "", ""},
        {M::mnuApriGbl, startFile("Held.gbl"), 0, "File already open", "Opening Held.gbl"},
        {M::mnuApriGbl, startFile("Empty.gbl"), 0, "File not found", "Opening Empty.gbl"},
        {M::mnuApriGbl, tooLong + ".gbl", 0, "Path too long: ", ""},
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
        EXPECT_EQ(std::tuple(snapshot(), calls.size()), std::tuple(before, 0u));
    }
    EXPECT_FALSE(FileExists(startFile("Empty.prg")) || FileExists(startFile("Empty.gbl"))) << "empty files go";

    const std::string song = startFile("SONG");
    writeFileBytes(song + ".PRG", prg);
    // The last run left an open mark on another file in the free slot 1.
    PrgSlots[1] = SlotRec{"/old/Other", 0, 1, 900, 900};
    dialogs.chooseFile(song + ".PRG");
    RunMenuCommand(M::mnuApriPrg);
    EXPECT_EQ(std::tuple(PrgSlots[1].Path, PrgSlots[1].Top, PrgSlotUsed[1], PrgWinKind, PrgWinCount),
              std::tuple(song, 0, 1, 21, 1));
    EXPECT_EQ(std::tuple(MruTable[1].Path, MruTable[1].Kind), std::tuple(song, uint8_t{3}));
    // New Prg: the template's window, counted.
    writeFileBytes(startFile("i40Prg"), prg);
    RunMenuCommand(M::mnuNuovoPrg);
    EXPECT_EQ(std::tuple(PrgNewUsed[1], PrgWinCount), std::tuple(uint8_t{1}, 2));

    writeFileBytes(startFile("Stage.gbl"), gbl);
    dialogs.chooseFile(startFile("Stage.gbl"), 0, true);
    RunMenuCommand(M::mnuApriGbl);
    EXPECT_EQ(calls, (std::vector<std::string>{"Prg211", "Prg221", "Gbl1 read-only"}));
    EXPECT_EQ(std::tuple(GblSlots[1].Path, GblFileData, MruTable[2].Path, MruTable[2].Kind, MruTable[2].RdOnly),
              std::tuple(startFile("Stage"), gbl, startFile("Stage"), uint8_t{5}, uint8_t{1}));
}
