// Reopening the last run's windows at start: the single windows first, then
// the arrangement, style and program file windows packed into the lowest
// slots, with the request values of a fresh open, and no stage running
// inside another's message box.
#include "../library/librarytest.h"
#include "library/frmArrAB.h"
#include "library/frmStyUN.h"

namespace {

// Runs `during` inside the next message box, as the event loop of a real
// box would run due timers, then answers it from the script.
struct BoxWithLoop : DialogService {
    explicit BoxWithLoop(ScriptedDialogs& d) : inner(d) {}
    ScriptedDialogs& inner;
    std::function<void()> during;
    int msgBox(const std::string& text, int style, const std::string& title) override {
        if (auto d = std::exchange(during, nullptr)) d();
        return inner.msgBox(text, style, title);
    }
    bool inputBox(const std::string& p, const std::string& t, const std::string& d, std::string& a) override {
        return inner.inputBox(p, t, d, a);
    }
    bool fileDialog(FileDialogRequest& req) override { return inner.fileDialog(req); }
};

// Program file windows as their load keeps the slot record: a record not
// marked becomes the file being opened.
struct PrgWindows : PrgWindowLinkT {
    std::vector<std::pair<int, std::string>> shown;
    PrgWindows() { RegisterLink<PrgWindowLinkT>(this); }
    ~PrgWindows() override { UnregisterLink<PrgWindowLinkT>(this); }
    void showPrgWindow(int, int slot) override {
        SlotRec& r = PrgSlots[static_cast<std::size_t>(slot)];
        if (r.State == 0) r = SlotRec{PathJoin(PrgDir, PrgName), 0, 1};
        shown.emplace_back(slot, rtrim(r.Path));
    }
};

class RestoreTest : public LibraryTest {
protected:
    void SetUp() override {
        LibraryTest::SetUp();
        writeFileBytes(startFile("i40ArrB"), ArrBankImage(1));
        // The user-bank commands as the View menu runs them.
        RegisterMenuCommand(MenuId::mnuArrU, [] {
            if (ArrFileRead(ArrUFile + ".arr") != 0) return;
            ArrSlotCur = 9;
            ShowWindowOf(WinFamily::ArrU, 9);
        });
        RegisterMenuCommand(MenuId::mnuStyU, [] {
            if (StyFileLoad(StyUFile + ".sty") != 0) return;
            StySlotCur = 9;
            ShowWindowOf(WinFamily::StyUN, 9);
        });
    }
    static SlotRec marked(const std::string& path, uint8_t state = 1, int top = 0, int left = 0) {
        return SlotRec{path, 0, state, top, left, 3600, 6000};
    }
    bool chainIdle() const {
        for (Timer* t : frame->findChildren<Timer*>())
            if (t->objectName().startsWith("Timer") && t->Enabled()) return false;
        return true;
    }
};

TEST_F(RestoreTest, NothingMarkedOpensNothing) {
    open();
    Timer::Advance(100);
    EXPECT_TRUE(frame->Forms().empty());
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(chainIdle());
}

TEST_F(RestoreTest, SingleWindowsThenFiles) {
    writeSong("one", arrFileOf({{0, "One"}}));
    open([&] {
        WinEntry(3) = {300, 450, 3000, 4500, 1, 0};
        WinEntry(34).State = 1;  // a window this build does not have
        ArrSlots[1] = marked(song("one"));
    });
    Timer::Advance(10);
    ASSERT_TRUE(ArrABForm(3));
    EXPECT_EQ(std::tuple(ArrABForm(3)->Top(), ArrABForm(3)->Left(), ArrABForm(3)->Height(), ArrABForm(3)->Width()),
              std::tuple(300, 450, 3000, 4500));
    EXPECT_EQ(std::tuple(RestoreDone, ArrWinCount, frame->TimerArrU->Enabled()), std::tuple(2, 1, true))
        << "the arrangement stage waits for both elements";
    Timer::Advance(100);
    EXPECT_EQ(std::tuple(ArrWinCount, int(WinEntry(34).State), chainIdle()), std::tuple(2, 1, true))
        << "a window not built keeps its mark";
}

TEST_F(RestoreTest, FilesReopenPackedInOrderWithFreshRequests) {
    writeFileBytes(startFile("i40ArrA"), ArrBankImage(0));
    writeSong("a", arrFileOf({{0, "A"}}));
    writeSong("b", arrFileOf({{0, "B"}}));
    writeSong("bad", "not an arrangement file");
    writeSong("user", arrFileOf({{0, "U"}}));
    writeFileBytes(song("s.sty"), styFileOf({"S"}));
    writeFileBytes(song("us.sty"), styFileOf({"US"}));
    dialogs.answer(vbOK);  // the damaged file's message
    open([&] {
        WinEntry(2).State = 1;
        ArrSlots[2] = marked(song("a"), 1, 150, 300);
        ArrSlots[5] = marked(song("b"), 2, 450, 600);
        ArrSlots[6] = marked(song("gone"));
        ArrSlots[7] = marked(song("bad"));
        ArrSlots[9] = marked(song("user"));
        ArrUFile = song("user");
        StySlots[4] = marked(song("s"));
        StySlots[9] = marked(song("us"));
        StyUFile = song("us");
        RdOnlyOpen = 1;
        StyLoopIdx = 3;
        CaricaPrgPending = true;
    });
    Timer::Advance(200);
    ASSERT_EQ(dialogs.shown.size(), 1u) << "a deleted file is dropped without a message";
    EXPECT_EQ(dialogs.shown[0].text.rfind("Error reading", 0), 0u) << dialogs.shown[0].text;

    const std::vector<ChildForm*> order = {ArrABForm(2), ArrUForms()[1], ArrUForms()[2], ArrUForms()[9],
                                           StyUNForms()[1], StyUNForms()[9]};
    EXPECT_EQ(frame->Forms(), order);
    frmArrU* first = ArrUForms()[1];
    EXPECT_EQ(std::tuple(first->Top(), first->Left(), first->Height(), first->Width(), first->WindowState()),
              std::tuple(150, 300, 3600, 6000, int(vbNormal)));
    EXPECT_EQ(ArrUForms()[2]->WindowState(), int(vbMinimized));
    EXPECT_EQ(std::tuple(at(first->Tag(), ImgRdOnly), StyLoopIdx, CaricaPrgPending), std::tuple(0u, 0, false))
        << "a reopened window is opened as a fresh open would";

    auto rec = [](const SlotRec& r) { return std::tuple(rtrim(r.Path), int(r.State)); };
    EXPECT_EQ(rec(ArrSlots[1]), std::tuple(song("a"), 1));
    EXPECT_EQ(rec(ArrSlots[2]), std::tuple(song("b"), 2));
    EXPECT_EQ(rec(ArrSlots[5]), std::tuple(song("b"), 0));
    for (int i = 3; i <= 8; ++i) EXPECT_EQ(ArrSlots[static_cast<std::size_t>(i)].State, 0) << i;
    EXPECT_EQ(rec(StySlots[1]), std::tuple(song("s"), 1));
    EXPECT_EQ(std::tuple(ArrWinCount, StyWinCount, chainIdle()), std::tuple(4, 2, true));
}

TEST_F(RestoreTest, UserBankWithoutFileOrNameIsNotReopened) {
    open([&] {
        ArrSlots[9] = marked(song("missing"));
        ArrUFile = song("missing");
        StySlots[9] = marked(song("unnamed"));
        StyUFile = "";
    });
    Timer::Advance(100);
    EXPECT_TRUE(frame->Forms().empty());
    EXPECT_EQ(std::tuple(int(ArrSlots[9].State), int(StySlots[9].State)), std::tuple(0, 0));
}

TEST_F(RestoreTest, NoStageRunsInsideAMessageBox) {
    writeSong("one", arrFileOf({{0, "One"}}));
    BoxWithLoop box(dialogs);
    SetDialogService(&box);
    std::size_t formsDuringBox = 99;
    box.during = [&] {
        Timer::Advance(100);
        formsDuringBox = frame->Forms().size();
    };
    dialogs.answer(vbOK);
    open([&] {
        WinEntry(2).State = WinEntry(3).State = 1;  // no i40ArrA in the start folder
        ArrSlots[1] = marked(song("one"));
    });
    Timer::Advance(10);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(formsDuringBox, 0u) << "bank B and the files wait for the box";
    Timer::Advance(300);
    EXPECT_EQ(frame->Forms(), (std::vector<ChildForm*>{ArrABForm(3), ArrUForms()[1]}));
    EXPECT_EQ(std::tuple(int(WinEntry(2).State), RestoreDone, chainIdle()), std::tuple(0, 2, true));
    SetDialogService(&dialogs);
}

// With the companion's own record marked or not, each file opens in one window.
class RestoreCompanionTest : public RestoreTest, public ::testing::WithParamInterface<bool> {};

TEST_P(RestoreCompanionTest, ProgramsOpenOnceAfterTheProgramStage) {
    writeSong("a", arrFileOf({{0, "A"}}), "", prgFileOf(false, 'a'));
    writeFileBytes(song("c.prg"), prgFileOf(false, 'c'));
    PrgWindows windows;
    open([&] {
        ApriPrgOpt = true;
        ArrSlots[1] = marked(song("a"));
        PrgSlots[1] = marked(song("c"));
        if (GetParam()) PrgSlots[2] = marked(song("a"));
    });
    Timer::Advance(100);
    EXPECT_EQ(windows.shown, (std::vector<std::pair<int, std::string>>{{1, song("c")}, {2, song("a")}}));
    EXPECT_EQ(std::tuple(rtrim(PrgSlots[1].Path), int(PrgSlots[1].State), rtrim(PrgSlots[2].Path),
                         int(PrgSlots[2].State), PrgWinCount),
              std::tuple(song("c"), 1, song("a"), 1, 2));
}
INSTANTIATE_TEST_SUITE_P(Marked, RestoreCompanionTest, ::testing::Bool());

}  // namespace
