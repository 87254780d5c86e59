// Save and Save As from the File menu on arrangement windows: the file
// written, the caption and slot record that follow it, and the cases that
// must write nothing.
#include "library/frmArrNew.h"
#include "librarytest.h"

namespace {

class SaveTest : public LibraryTest {
protected:
    void SetUp() override {
        LibraryTest::SetUp();
        writeFileBytes(startFile("i40ArrA"), ArrBankImage(0));
        start();
        writeSong("Song", arrFileOf({{2, "Two"}, {5, "Five"}}));
    }
    static void cutRow(ChildForm* w, int row) {
        auto* l = FindControl<ListBox>(w, QStringLiteral("List1"));
        l->setListIndex(row);
        l->setSelected(row, true);
        RunMenuCommand(MenuId::mnuTaglia);
    }
};

TEST_F(SaveTest, SaveWritesTheChangedFileBack) {
    frmArrU* w = openArr("Song");
    ASSERT_NE(w, nullptr);
    cutRow(w, 2);
    ASSERT_EQ(at(w->Tag(), ImgChanged), 1);
    std::vector<std::string> mru;
    for (const MruRec& r : MruTable) mru.push_back(r.Path);
    dialogs.fileRequests.clear();
    RunMenuCommand(MenuId::mnuSalva);
    EXPECT_EQ(readFileBytes(song("Song.arr")), w->Tag().substr(270, 10528));
    EXPECT_EQ(at(w->Tag(), ImgChanged), 0);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(dialogs.fileRequests.empty());
    for (std::size_t i = 0; i < mru.size(); ++i) EXPECT_EQ(MruTable[i].Path, mru[i]);
}

TEST_F(SaveTest, ReadOnlyDocumentIsNeverWrittenBack) {
    frmArrU* w = openArr("Song", true);
    ASSERT_NE(w, nullptr);
    put(w->Tag(), ImgChanged, 1);
    const std::string before = readFileBytes(song("Song.arr"));
    dialogs.answer(vbOK);
    RunMenuCommand(MenuId::mnuSalva);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "Read only file");
    EXPECT_EQ(dialogs.shown[0].title, w->Caption());
    EXPECT_EQ(readFileBytes(song("Song.arr")), before);
}

TEST_F(SaveTest, NewArrangementTakesTheNameItIsSavedUnder) {
    RunMenuCommand(MenuId::mnuNuovoArr);
    frmArrNew* w = ArrNewForms()[1].data();
    ASSERT_NE(w, nullptr);
    const std::string untitled = w->Caption();

    dialogs.cancelFile();
    const std::string img = w->Tag();
    RunMenuCommand(MenuId::mnuSalva);
    EXPECT_EQ(w->Tag(), img);
    EXPECT_EQ(w->Caption(), untitled);
    EXPECT_FALSE(FileExists(song("Mine.arr")));

    dialogs.chooseFile(song("Mine.arr"));
    RunMenuCommand(MenuId::mnuSalva);
    EXPECT_EQ(dialogs.fileRequests.size(), 2u);
    EXPECT_EQ(w->Caption(), "New File Arr - Mine.arr (1)");
    EXPECT_EQ(readFileBytes(song("Mine.arr")), w->Tag().substr(270, 10528));

    put(w->Tag(), ImgChanged, 1);
    RunMenuCommand(MenuId::mnuSalva);
    EXPECT_EQ(dialogs.fileRequests.size(), 2u) << "saved to the same file without a dialog";
    EXPECT_EQ(at(w->Tag(), ImgChanged), 0);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(SaveTest, SaveAsMovesTheSlotRecordToTheNewFile) {
    writeSong("Other", arrFileOf({{0, "Zero"}}));
    ASSERT_NE(openArr("Other"), nullptr);
    frmArrU* w = openArr("Song");
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(w->slot(), 2);
    dialogs.chooseFile(song("B.arr"));
    RunMenuCommand(MenuId::mnuSalvaAs);
    EXPECT_EQ(ArrSlots[2].Path, song("B"));
    EXPECT_EQ(ArrSlotFind(song("B")), 1);
    EXPECT_EQ(ArrSlotFind(song("Song")), 0);
    EXPECT_EQ(w->Caption(), "File Arr - B.arr (2)");
    EXPECT_TRUE(FileExists(song("B.arr")));
}

}  // namespace
