// The recent files of the File menu: the entries' captions as files come and
// go, reopening an entry where its window was, and the entries that cannot
// open anything.
#include <QMenu>

#include "library/frmStyUN.h"
#include "librarytest.h"
#include "shell/RecentFiles.h"

namespace {

class RecentTest : public LibraryTest {
protected:
    void SetUp() override {
        LibraryTest::SetUp();
        m = start();
    }
    static void entry(int i, const std::string& path, int kind, int rdOnly = 0, int top = 0, int left = 0,
                      int height = 0, int width = 0) {
        MruTable[static_cast<std::size_t>(i)] = MruRec{path, height, width, top, left, static_cast<uint8_t>(kind),
                                                       static_cast<uint8_t>(rdOnly)};
        MainWindowLink().refreshRecentFiles();
    }
    void click(int i) { m->mnuRecentFile[static_cast<std::size_t>(i)]->Click(); }
    frmMain* m = nullptr;
};

TEST_F(RecentTest, NineFilesOpenedInTurn) {
    const std::string name = "Spring concert arrangements ";
    for (int i = 1; i <= 9; ++i) {
        writeSong(name + std::to_string(i), arrFileOf({{0, "A"}}));
        frmArrU* w = openArr(name + std::to_string(i));
        ASSERT_TRUE(w && w->Unload());
    }
    auto captions = [this] {
        std::string c;
        for (int i = 1; i <= 8; ++i) c += m->mnuRecentFile[static_cast<std::size_t>(i)]->Caption() + "|";
        return c;
    };
    std::string want;
    for (int n = 1; int i : {9, 1, 2, 3, 4, 5, 6, 7})
        want += "&" + std::to_string(n++) + " ...ng concert arrangements " + std::to_string(i) + ".arr|";
    EXPECT_EQ(captions(), want);
    click(4);
    ASSERT_EQ(m->Forms().size(), 1u);
    openArr(name + "1");
    EXPECT_EQ(captions(), want) << "neither reopening nor opening again reorders the list";
}

TEST_F(RecentTest, ReopensAtTheEntrysPlaceReadOnly) {
    writeSong("Song", arrFileOf({{0, "A"}}));
    writeFileBytes(song("Set.sty"), styFileOf({"Alpha"}));
    entry(1, song("Song"), 1, 1, 300, 450, 3000, 6000);
    entry(2, song("Set"), 2, 1, 600, 150, 3000, 4000);
    click(1), click(2);
    ChildForm* arr = ArrUForms()[1].data();
    ChildForm* sty = StyUNForms()[1].data();
    ASSERT_TRUE(arr && sty);
    for (auto [w, top, left, height, width] : {std::tuple{arr, 300, 450, 3000, 6000}, {sty, 600, 150, 3000, 4000}}) {
        for (auto [got, want] : {std::pair{w->Top(), top}, {w->Left(), left}, {w->Height(), height}, {w->Width(), width}})
            EXPECT_NEAR(got, want, 15);
        EXPECT_TRUE(at(w->Tag(), ImgRdOnly) == 1 && w->Caption().ends_with(" - Read Only")) << w->Caption();
    }
    EXPECT_EQ(dialogs.shown.size(), 0u);
}

// Entries for windows of other families: the Global window loads with the
// entry's read-only choice, a program entry opens the ".pgg" of its name.
TEST_F(RecentTest, GlobalAndProgramEntries) {
    int loadedRdOnly = -1;
    Registration reg = RegisterWindowFamily(WinFamily::Gbl, {[&](int slot) -> ChildForm* {
        loadedRdOnly = RdOnlyOpen;
        GblSlots[static_cast<std::size_t>(slot)].State = 1;
        return nullptr;
    }, [](int) -> ChildForm* { return nullptr; }});
    FakePrgWindows programWindow;
    m = start();
    std::string gbl = GblMagic();
    gbl.resize(GblFileLen, 'g');
    writeFileBytes(song("Stage.gbl"), gbl);
    writeFileBytes(song("P.pgg"), prgFileOf(true, 'g'));
    RdOnlyOpen = 0;
    entry(1, song("Stage"), 5, 1);
    entry(2, song("P"), 3);
    click(1), click(2);
    EXPECT_EQ(std::tuple(loadedRdOnly, GblFileData == gbl, ExtCur, PrgWinCount, PrgSlotUsed[1], PrgSlots[1].State,
                         dialogs.shown.size()),
              std::tuple(1, true, std::string("pgg"), 1, 1, uint8_t{1}, 0u));
}

TEST_F(RecentTest, EntriesFollowTheirOpenCommand) {
    for (int i = 1; i <= 8; ++i) {
        writeSong("S" + std::to_string(i), arrFileOf({{0, "A"}}));
        ASSERT_NE(openArr("S" + std::to_string(i)), nullptr);
    }
    writeSong("More", arrFileOf({{0, "A"}}));
    writeFileBytes(song("Set.sty"), styFileOf({"Alpha"}));
    entry(1, song("More"), 1);
    entry(2, song("Set"), 2);
    entry(3, song("P"), 3);   // no program window in the program
    emit m->mnuFile->subMenu()->aboutToShow();
    const std::string buf = ArrFileBuf;
    dialogs.shown.clear();
    mnuRecentFile_Click(1);
    mnuRecentFile_Click(3);
    EXPECT_EQ(std::tuple(m->mnuRecentFile[1]->isEnabled(), m->mnuRecentFile[2]->isEnabled(),
                         m->mnuRecentFile[3]->isEnabled(), ArrFileBuf == buf, dialogs.shown.size(), ArrWinCount,
                         PrgWinCount),
              std::tuple(false, true, false, true, 0u, 8, 0));
}

}  // namespace
