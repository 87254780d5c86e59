// Reopening the last run's windows at start: single windows first, then the
// file windows packed into the lowest slots as a fresh open would make them,
// and no stage inside another's message box.
#include "../library/librarytest.h"
#include "library/frmArrAB.h"
#include "files/StyGroups.h"
#include "library/frmStyUN.h"

namespace {

// Runs `during` inside the next message box, as a real box's event loop runs
// due timers, then answers it from the script.
struct BoxWithLoop : DialogService {
    ScriptedDialogs* inner;
    std::function<void()> during;
    int msgBox(const std::string& text, int style, const std::string& title) override {
        if (auto d = std::exchange(during, nullptr)) d();
        return inner->msgBox(text, style, title);
    }
    bool inputBox(const std::string&, const std::string&, const std::string&, std::string&) override { return false; }
    bool fileDialog(FileDialogRequest&) override { return false; }
};

// Program windows whose load keeps the slot record as a real one does.
struct PrgWindows : FakePrgWindows {
    std::vector<std::pair<int, std::string>> shown;
    void showPrgWindow(int, int slot) override {
        SlotRec& r = PrgSlots[static_cast<std::size_t>(slot)];
        if (r.State == 0) r = SlotRec{PathJoin(PrgDir, PrgName), 0, 1};
        shown.emplace_back(slot, rtrim(r.Path));
        FakePrgWindows::showPrgWindow(21, slot);
    }
};

class RestoreTest : public LibraryTest {
protected:
    void SetUp() override {
        LibraryTest::SetUp();
        writeFileBytes(startFile("i40ArrB"), ArrBankImage(1));
    }
    SlotRec marked(const std::string& name, uint8_t state = 1, int top = 0, int left = 0) {
        return SlotRec{song(name), 0, state, top, left, 3600, 6000};
    }
    bool chainIdle() const {
        for (Timer* t : frame->findChildren<Timer*>())
            if (t->Enabled()) return false;
        return true;
    }
};

TEST_F(RestoreTest, SingleWindowsThenFiles) {
    writeSong("one", arrFileOf({{0, "One"}}));
    open([&] {
        WinEntry(3) = {300, 450, 3000, 4500, 1, 0};
        WinEntry(34).State = 1;  // a window this build does not have
        ArrSlots[1] = marked("one");
        // A user bank whose file is gone (the View command says so), one
        // with no name: no window.
        ArrSlots[9] = marked("missing");
        ArrUFile = song("missing");
        StySlots[9] = marked("unnamed");
    });
    dialogs.answer(vbOK);
    Timer::Advance(10);
    ASSERT_TRUE(ArrABForm(3));
    EXPECT_EQ(std::tuple(ArrABForm(3)->Top(), ArrABForm(3)->Left(), ArrABForm(3)->Height(), ArrABForm(3)->Width(),
                         RestoreDone, ArrWinCount, frame->TimerArrU->Enabled()),
              std::tuple(300, 450, 3000, 4500, 2, 1, true))
        << "the arrangement stage waits for both elements";
    Timer::Advance(100);
    EXPECT_EQ(frame->Forms(), (std::vector<ChildForm*>{ArrABForm(3), ArrUForms()[1]}));
    EXPECT_EQ(std::tuple(int(WinEntry(34).State), int(ArrSlots[9].State), int(StySlots[9].State), chainIdle()),
              std::tuple(1, 0, 0, true))
        << "a window not built keeps its mark";
    EXPECT_EQ(onlyBox(), "File missing.arr not found");
}

TEST_F(RestoreTest, FilesReopenPackedInOrderWithFreshRequests) {
    writeFileBytes(startFile("i40ArrA"), ArrBankImage(0));
    for (const char* n : {"a", "b", "user"}) writeSong(n, arrFileOf({{0, n}}));
    writeSong("bad", "not an arrangement file");
    for (const char* n : {"s", "us"}) writeFileBytes(song(std::string(n) + ".sty"), styFileOf({n}));
    dialogs.answer(vbOK);  // the damaged file's message
    open([&] {
        WinEntry(2).State = 1;
        ArrSlots[2] = marked("a", 1, 150, 300);
        ArrSlots[5] = marked("b", 2);
        ArrSlots[6] = marked("gone");
        ArrSlots[7] = marked("bad");
        ArrSlots[9] = marked("user");
        StySlots[4] = marked("s");
        StySlots[9] = marked("us");
        ArrUFile = song("user"), StyUFile = song("us");
        RdOnlyOpen = 1, StyLoopIdx = 3, CaricaPrgPending = true;
    });
    Timer::Advance(200);
    ASSERT_EQ(dialogs.shown.size(), 1u) << "a deleted file is dropped without a message";
    EXPECT_EQ(dialogs.shown[0].text.rfind("Error reading", 0), 0u) << dialogs.shown[0].text;
    EXPECT_EQ(frame->Forms(), (std::vector<ChildForm*>{ArrABForm(2), ArrUForms()[1], ArrUForms()[2], ArrUForms()[9],
                                                       StyUNForms()[1], StyUNForms()[9]}));
    frmArrU* w = ArrUForms()[1];
    EXPECT_EQ(std::tuple(w->Top(), w->Left(), w->Height(), w->Width(), ArrUForms()[2]->WindowState(),
                         at(w->Tag(), ImgOpenState), at(ArrUForms()[2]->Tag(), ImgOpenState)),
              std::tuple(150, 300, 3600, 6000, int(vbMinimized), 1u, 2u))
        << "a window made minimised says so in its image";
    EXPECT_EQ(std::tuple(at(w->Tag(), ImgRdOnly), StyLoopIdx, CaricaPrgPending), std::tuple(0u, 0, false));
    std::vector<std::tuple<std::string, int>> records;
    for (const SlotRec& r : ArrSlots) records.emplace_back(PathName(r.Path), r.State);
    EXPECT_EQ(records, (std::vector<std::tuple<std::string, int>>{
                           {"", 0}, {"a", 1}, {"b", 2}, {"bad", 0}, {"", 0}, {"b", 0}, {"gone", 0}, {"bad", 0},
                           {"", 0}, {"user", 1}}));
    EXPECT_EQ(std::tuple(PathName(StySlots[1].Path), int(StySlots[1].State), chainIdle()), std::tuple("s", 1, true));
}

TEST_F(RestoreTest, NoStageRunsInsideAMessageBox) {
    writeSong("one", arrFileOf({{0, "One"}}));
    BoxWithLoop box;
    box.inner = &dialogs;
    SetDialogService(&box);
    std::size_t formsDuringBox = 99;
    box.during = [&] { Timer::Advance(100), formsDuringBox = frame->Forms().size(); };
    dialogs.answer(vbOK);
    open([&] {
        WinEntry(2).State = WinEntry(3).State = 1;  // no i40ArrA in the start folder
        ArrSlots[1] = marked("one");
    });
    Timer::Advance(10);
    EXPECT_EQ(std::tuple(dialogs.shown.size(), formsDuringBox), std::tuple(1u, 0u)) << "all waits for the box";
    Timer::Advance(300);
    EXPECT_EQ(frame->Forms(), (std::vector<ChildForm*>{ArrABForm(3), ArrUForms()[1]}));
    EXPECT_EQ(std::tuple(int(WinEntry(2).State), chainIdle()), std::tuple(0, true));
    SetDialogService(&dialogs);
}

// Exit and start again: every file window comes back as it was, read-only
// or not whatever the recent files and the preference say, style windows
// beside the arrangement windows that hold their files (a companion with
// its arrangement's styles), minimised ones minimised.
TEST_F(RestoreTest, EveryWindowComesBackAsItWas) {
    writeSong("Song", arrFileOf({{0, "Song"}}));
    writeSong("Gone", arrFileOf({{0, "Gone"}}));
    writeSong("Free", arrFileOf({{0, "Free"}}));
    for (const char* n : {"Pair", "Own"}) writeSong(n, arrFileOf({{0, n, 0, 1}}), styFileOf({n}));
    start();
    // Read-only after a writable open of the same file; read-only with no
    // recent entry left; writable.
    ASSERT_NE(openArr("Song"), nullptr);
    ASSERT_TRUE(ArrUForms()[1]->Unload());
    ASSERT_NE(openArr("Song", true), nullptr);
    ASSERT_NE(openArr("Gone", true), nullptr);
    ASSERT_NE(openArr("Free"), nullptr);
    // A style file opened before its arrangement file; a companion.
    dialogs.chooseFile(song("Pair.sty"));
    RunMenuCommand(MenuId::mnuApriSty);
    ASSERT_NE(openArr("Pair"), nullptr);
    frmArrU* own = openArr("Own");
    ASSERT_NE(own, nullptr);
    own->CommShowSty_Click();
    ASSERT_EQ(frame->Forms().size(), 7u);
    StyUNForms()[1]->setWindowState(vbMinimized);
    for (int i = 1; i <= 8; ++i)
        if (MruTable[static_cast<std::size_t>(i)].Path == song("Gone")) MruTable[static_cast<std::size_t>(i)] = {};
    int songEntry = 0;
    for (int i = 1; i <= 8; ++i)
        if (MruTable[static_cast<std::size_t>(i)].Path == song("Song")) songEntry = i;
    ASSERT_NE(songEntry, 0);
    EXPECT_EQ(MruTable[static_cast<std::size_t>(songEntry)].RdOnly, 1) << "the entry follows the latest open";
    const std::string styled = StyPartOf(own->Tag());
    frame->mnuExit->trigger();
    ASSERT_FALSE(frame->Loaded());

    dialogs.shown.clear();
    start();
    Timer::Advance(300);
    EXPECT_EQ(boxesShown(), "");
    std::vector<std::tuple<std::string, unsigned>> arrs, stys;
    for (const auto& f : ArrUForms())
        if (f) arrs.emplace_back(PathName(ImgPathOf(f->Tag())), at(f->Tag(), ImgRdOnly));
    for (const auto& f : StyUNForms())
        if (f) stys.emplace_back(PathName(ImgPathOf(f->Tag())), at(f->Tag(), ImgOpenState));
    EXPECT_EQ(arrs, (std::vector<std::tuple<std::string, unsigned>>{
                        {"Song", 1u}, {"Gone", 1u}, {"Free", 0u}, {"Pair", 0u}, {"Own", 0u}}));
    EXPECT_EQ(stys, (std::vector<std::tuple<std::string, unsigned>>{{"Pair", 2u}, {"Own", 1u}}));
    ASSERT_NE(StyUNForms()[2].data(), nullptr);
    EXPECT_EQ(std::tuple(StySlots[2].Extra, StyPartOf(StyUNForms()[2]->Tag()) == styled,
                         StyUNForms()[1]->WindowState()),
              std::tuple(1, true, int(vbMinimized)));
}

// The companion program file of a reopened arrangement, its own record
// marked or not, and another program file: each in one window.
class RestoreCompanionTest : public RestoreTest, public ::testing::WithParamInterface<bool> {};

TEST_P(RestoreCompanionTest, ProgramsOpenOnceAfterTheProgramStage) {
    writeSong("a", arrFileOf({{0, "A"}}), "", prgFileOf(false, 'a'));
    writeFileBytes(song("c.prg"), prgFileOf(false, 'c'));
    writeFileBytes(song("u.prg"), prgFileOf(false, 'u'));
    PrgWindows windows;
    open([&] {
        ApriPrgOpt = true;
        ArrSlots[1] = marked("a");
        PrgSlots[1] = marked("c");
        if (GetParam()) PrgSlots[2] = marked("a");
        PrgSlots[9] = marked("u");
        PrgUFile = song("u");
    });
    Timer::Advance(100);
    // The user bank ends the program stage; a companion not marked opens after it.
    std::vector<std::pair<int, std::string>> order{{1, song("c")}, {2, song("a")}, {9, song("u")}};
    if (!GetParam()) std::swap(order[1], order[2]);
    EXPECT_EQ(windows.shown, order);
    EXPECT_EQ(std::tuple(int(PrgSlots[1].State), int(PrgSlots[2].State), int(PrgSlots[9].State), PrgWinCount),
              std::tuple(1, 1, 1, 3));
}
INSTANTIATE_TEST_SUITE_P(Marked, RestoreCompanionTest, ::testing::Bool());

}  // namespace
