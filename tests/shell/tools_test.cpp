// The View and Edit menus' bank, user-bank, tool and database commands.
#include <QApplication>

#include "app/Messages.h"
#include "app/Tables.h"
#include "platform/MidiDevice.h"
#include "platform/bytes.h"
#include "shell/MenuAgg.h"
#include "frametest.h"

namespace {
// The commands whose windows or procedures come from elsewhere.
const MenuId Dependent[] = {
    MenuId::mnuWProgA,     MenuId::mnuWProgB,      MenuId::mnuWProgC,      MenuId::mnuWProgD,
    MenuId::mnuWProgE,     MenuId::mnuDrum,        MenuId::mnuPerc,        MenuId::mnuPrgU,
    MenuId::mnuPrgSelAuto, MenuId::mnuWEditDBArr,  MenuId::mnuWFindID,     MenuId::mnuAggArr,
    MenuId::mnuEditPerf,   MenuId::mnuMultisample, MenuId::mnuGlobalParam,
};
const char* const Names[] = {"frmPcgAE",  "frmDrum",     "frmPrgSelAuto",  "frmEditDBArr",
                             "frmFindID", "frmEditPerf", "frmMultisample", "DBArrAggiorna"};

class ToolsTest : public FrameTest {
protected:
    // Every window the commands reach stands in for a test one that records
    // how it was asked for.
    void registerWindows() {
        for (const char* name : Names)
            regs.push_back(RegisterNamed(name, [this, name](int arg) {
                calls.push_back(name + std::to_string(arg));
                pendingAtCall = MidiDev::Pending() + midi->written().size();
            }));
        const auto family = [this](const char* tag) {
            return WindowFamily{[this, tag](int slot) -> ChildForm* {
                                    calls.push_back(tag + std::to_string(slot));
                                    if (!shown) shown = new TestChild(frame, WindowImageNew(19));
                                    return shown;
                                },
                                nullptr};
        };
        regs.push_back(RegisterWindowFamily(WinFamily::ArrU, family("ArrU")));
        regs.push_back(RegisterWindowFamily(WinFamily::StyUN, family("StyUN")));
        regs.push_back(RegisterWindowFamily(WinFamily::Gbl, family("Gbl")));
        regs.push_back(LinkRegistration<PrgWindowLinkT>(&programs));
    }
    // A start with user banks, the global parameters and a good database.
    frmMain* startWithEverything() {
        std::string db(DBArrLen, ' ');
        putMid(db, 1, DBArrSignature());
        writeFileBytes(sysFile("i40DBArr"), db);
        frmMain* f = open([this] {
            ArrUFile = startFile("User"), StyUFile = startFile("User"), PrgUFile = startFile("User");
            GblInstrSet = 1;
            PrgSlots[9].Type = 1;
        });
        f->show();
        midi->clear();
        return f;
    }
    std::string enabled(const frmMain* f) {
        std::string on;
        for (MenuId id : Dependent)
            if (f->item(id)->isEnabled()) on += std::string(MenuName(id)) + " ";
        return on;
    }
    struct Programs : PrgWindowLinkT {
        std::vector<std::string>* calls = nullptr;
        void showPrgWindow(int kind, int slot) override {
            calls->push_back("Prg" + std::to_string(kind) + "/" + std::to_string(slot));
        }
    } programs;
    std::vector<Registration> regs;
    std::vector<std::string> calls;
    std::size_t pendingAtCall = 0;
    TestChild* shown = nullptr;
    void SetUp() override {
        FrameTest::SetUp();
        programs.calls = &calls;
    }
    void TearDown() override {
        regs.clear();
        FrameTest::TearDown();
    }
};
}  // namespace

TEST_F(ToolsTest, CommandsOfWindowsNotInTheProgramStayDisabled) {
    frmMain* f = startWithEverything();
    EXPECT_EQ(enabled(f), "");
    // Nothing turns them on: a window giving its item back, the menu refresh
    // over a program window, and the commands run all the same open nothing.
    MainWindowLink().enableMenu(MenuId::mnuPrgU, true);
    (new TestChild(f, WindowImageNew(21)))->Show();
    MenuAgg();
    for (MenuId id : Dependent) RunMenuCommand(id);
    Timer::Advance(100);
    EXPECT_EQ(enabled(f), "");
    EXPECT_EQ(std::tuple(PrgWinCount, midi->events.size(), f->Label1->Caption()), std::tuple(0, 0u, ""));
}

TEST_F(ToolsTest, CommandsOpenTheirRegisteredWindows) {
    registerWindows();
    frmMain* f = startWithEverything();
    for (MenuId id : Dependent)  // the performance editor's follows the active window
        EXPECT_EQ(f->item(id)->isEnabled(), id != MenuId::mnuEditPerf) << MenuName(id);
    writeFileBytes(startFile("User.pgg"), "KPGG" + PrgTemplateImage().substr(4));
    const std::string mode02 = bytesOf({0xF0, 0x42, 0x30, 0x4D, 0x4E, 0x02, 0xF7});
    const struct {
        MenuId item;
        std::string call;
        int kind;        // PrgWinKind afterwards
        int counted;     // added to PrgWinCount
        bool window;     // mnuWindow and mnuChiudi enabled
        bool itemOff;    // the item disabled by the command
    } cases[] = {
        {MenuId::mnuWProgA, "frmPcgAE4", 4, 1, true, true},
        {MenuId::mnuWProgE, "frmPcgAE8", 8, 1, true, true},
        {MenuId::mnuPerc, "frmDrum10", 10, 1, false, true},
        {MenuId::mnuPrgU, "Prg21/9", 21, 1, false, true},
        {MenuId::mnuGlobalParam, "Gbl0", 21, 0, false, true},
        {MenuId::mnuWFindID, "frmFindID0", 21, 0, false, false},
        {MenuId::mnuWEditDBArr, "frmEditDBArr0", 21, 0, false, false},
        {MenuId::mnuMultisample, "frmMultisample0", 21, 0, false, false},
        {MenuId::mnuPrgSelAuto, "frmPrgSelAuto0", 21, 0, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(MenuName(c.item));
        MenuAgg();  // no child: Window and Close off
        const int count = PrgWinCount;
        const std::string before = enabled(f);
        calls.clear();
        f->item(c.item)->trigger();
        EXPECT_EQ(calls, std::vector<std::string>{c.call});
        EXPECT_EQ(std::tuple(PrgWinKind, PrgWinCount - count, f->mnuChiudi->isEnabled()),
                  std::tuple(c.kind, c.counted, c.window));
        EXPECT_EQ(f->mnuWindow->isEnabled(), c.window || c.item == MenuId::mnuWFindID);
        std::string after = before;
        if (c.itemOff) after.erase(after.find(MenuName(c.item)), std::string(MenuName(c.item)).size() + 1);
        EXPECT_EQ(enabled(f), after) << "only the chosen item goes off";
    }
    // The performance editor: PROGRAM mode first, none when the instrument is in it.
    for (int mode : {0, 4}) {
        ModeNow = mode;
        calls.clear();
        pendingAtCall = 0;
        RunMenuCommand(MenuId::mnuEditPerf);
        Timer::Advance(100);
        EXPECT_EQ(std::tuple(calls, pendingAtCall, midi->written()),
                  std::tuple(std::vector<std::string>{"frmEditPerf0"}, mode == 4 ? 0u : 7u, mode == 4 ? "" : mode02));
        midi->clear();
    }
}

TEST_F(ToolsTest, UserBanksOpenOnlyWhenTheirFileWasRead) {
    registerWindows();
    frmMain* f = startWithEverything();
    const std::string prg = PrgTemplateImage();
    const struct {
        MenuId item;
        std::string file, bytes;  // the only user-bank file there is
        std::string box;          // "" for none
        std::string opened;
    } cases[] = {
        {MenuId::mnuArrU, "", "", "File User.arr not found", ""},
        {MenuId::mnuArrU, "User.arr", "garbage", "Error reading User.arr", ""},
        {MenuId::mnuStyU, "", "", "File User.sty not found", ""},
        {MenuId::mnuStyU, "User.sty", "garbage", "Error reading User.sty", ""},
        {MenuId::mnuPrgU, "User.prg", prg, "File User.pgg not found", ""},  // the bank is a .pgg
        {MenuId::mnuArrU, "User.arr", ArrBankImage(0), "", "ArrU9"},
        {MenuId::mnuStyU, "User.sty", StyTemplateImage(), "", "StyUN9"},
        {MenuId::mnuPrgU, "User.pgg", "KPGG" + prg.substr(4), "", "Prg21/9"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file + " " + MenuName(c.item));
        for (const char* ext : {".arr", ".sty", ".prg", ".pgg"}) DeleteFile(startFile(std::string("User") + ext));
        if (!c.file.empty()) writeFileBytes(startFile(c.file), c.bytes);
        dialogs.shown.clear();
        calls.clear();
        if (!c.box.empty()) dialogs.answer(vbOK);
        RunMenuCommand(c.item);
        std::vector<std::string> boxes;
        for (const auto& b : dialogs.shown) boxes.push_back(b.text);
        EXPECT_EQ(boxes, c.box.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.box});
        EXPECT_EQ(calls, c.opened.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.opened});
        EXPECT_EQ(f->item(c.item)->isEnabled(), c.opened.empty());
    }
    EXPECT_EQ(std::tuple(ArrSlotCur, StySlotCur, PrgSlotCur, ArrName, StyName, PrgName),
              std::tuple(9, 9, 9, "User", "User", "User"));
}

TEST_F(ToolsTest, DatabaseUpdateChosenTwiceRunsOnceUnderItsNotice) {
    int runs = 0;
    std::string status;
    regs.push_back(RegisterNamed("DBArrAggiorna", [&](int) {
        ++runs;
        status = frame->Label1->Caption() + (QApplication::overrideCursor() ? " busy" : "");
    }));
    frmMain* f = startWithEverything();
    f->mnuAggArr->trigger();
    f->mnuAggArr->trigger();
    EXPECT_EQ(std::tuple(runs, f->Label1->Caption()), std::tuple(0, "Update i40DBArr"));
    Timer::Advance(100);
    EXPECT_EQ(std::tuple(runs, status, f->Label1->Caption(), QApplication::overrideCursor() == nullptr),
              std::tuple(1, "Update i40DBArr busy", "", true));
    EXPECT_EQ(std::pair(f->TimerCmd->Enabled(), f->TimerCmd->Interval()), std::pair(false, 10));
}
