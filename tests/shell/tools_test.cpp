// The View and Edit menus' bank, user-bank, tool and database commands.
#include <QApplication>

#include "platform/Files.h"
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
        for (const char* name : {"frmPcgAE", "frmDrum", "frmPrgSelAuto", "frmEditDBArr", "frmFindID", "frmEditPerf",
                                 "frmMultisample", "DBArrAggiorna"})
            regs.push_back(RegisterNamed(name, [this, name](int arg) {
                calls.push_back(name + std::to_string(arg) +
                                (QApplication::overrideCursor() ? " busy: " + frame->Label1->Caption() : ""));
                queuedAtCall = MidiDev::Pending() + midi->written().size();
            }));
        for (auto [family, tag] : {std::pair(WinFamily::ArrU, "ArrU"), std::pair(WinFamily::StyUN, "StyUN"),
                                   std::pair(WinFamily::Gbl, "Gbl")})
            regs.push_back(RegisterWindowFamily(family, {[this, tag](int slot) -> ChildForm* {
                calls.push_back(tag + std::to_string(slot));
                return shown ? shown : (shown = new TestChild(frame, ""));
            }, nullptr}));
        regs.push_back(LinkRegistration<PrgWindowLinkT>(this));
    }
    void showPrgWindow(int kind, int slot) override { calls.push_back("Prg" + std::to_string(kind * 10 + slot)); }
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
    const struct {
        MenuId item;
        std::string file, bytes;  // the only user-bank file there is
        std::string box, opened;
    } cases[] = {
        {M::mnuArrU, "", "", "File User.arr not found", ""},
        {M::mnuArrU, "User.arr", "garbage", "Error reading User.arr", ""},
        {M::mnuStyU, "User.sty", "garbage", "Error reading User.sty", ""},
        {M::mnuPrgU, "User.prg", prg, "File User.pgg not found", ""},  // the bank is a .pgg
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
