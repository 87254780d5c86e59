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
    auto mruPaths = [] {
        std::vector<std::string> paths;
        for (const MruRec& r : MruTable) paths.push_back(r.Path);
        return paths;
    };
    const std::vector<std::string> mru = mruPaths();
    dialogs.fileRequests.clear();
    RunMenuCommand(MenuId::mnuSalva);
    EXPECT_EQ(std::tuple(readFileBytes(song("Song.arr")), at(w->Tag(), ImgChanged), dialogs.shown.size(),
                         dialogs.fileRequests.size(), mruPaths()),
              std::tuple(w->Tag().substr(270, 10528), 0u, 0u, 0u, mru));
}

TEST_F(SaveTest, ReadOnlyDocumentIsNeverWrittenBack) {
    frmArrU* w = openArr("Song", true);
    ASSERT_NE(w, nullptr);
    put(w->Tag(), ImgChanged, 1);
    const std::string before = readFileBytes(song("Song.arr"));
    dialogs.answer(vbOK);
    RunMenuCommand(MenuId::mnuSalva);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(std::tuple(dialogs.shown[0].text, dialogs.shown[0].title, readFileBytes(song("Song.arr"))),
              std::tuple(std::string("Read only file"), w->Caption(), before));
}

TEST_F(SaveTest, NewArrangementTakesTheNameItIsSavedUnder) {
    RunMenuCommand(MenuId::mnuNuovoArr);
    frmArrNew* w = ArrNewForms()[1].data();
    ASSERT_NE(w, nullptr);
    const std::string untitled = w->Caption();

    dialogs.cancelFile();
    const std::string img = w->Tag();
    RunMenuCommand(MenuId::mnuSalva);
    EXPECT_EQ(std::tuple(w->Tag(), w->Caption(), FileExists(song("Mine.arr"))), std::tuple(img, untitled, false));

    dialogs.chooseFile(song("Mine.arr"));
    RunMenuCommand(MenuId::mnuSalva);
    EXPECT_EQ(std::tuple(dialogs.fileRequests.size(), w->Caption(), readFileBytes(song("Mine.arr"))),
              std::tuple(2u, std::string("New File Arr - Mine.arr (1)"), w->Tag().substr(270, 10528)));

    put(w->Tag(), ImgChanged, 1);
    RunMenuCommand(MenuId::mnuSalva);
    EXPECT_EQ(std::tuple(dialogs.fileRequests.size(), at(w->Tag(), ImgChanged), dialogs.shown.size()),
              std::tuple(2u, 0u, 0u))
        << "saved to the same file without a dialog";
}

TEST_F(SaveTest, SaveAsMovesTheSlotRecordToTheNewFile) {
    writeSong("Other", arrFileOf({{0, "Zero"}}));
    ASSERT_NE(openArr("Other"), nullptr);
    frmArrU* w = openArr("Song");
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(w->slot(), 2);
    dialogs.chooseFile(song("B.arr"));
    RunMenuCommand(MenuId::mnuSalvaAs);
    EXPECT_EQ(std::tuple(ArrSlots[2].Path, ArrSlotFind(song("B")), ArrSlotFind(song("Song")), w->Caption(),
                         FileExists(song("B.arr"))),
              std::tuple(song("B"), 1, 0, std::string("File Arr - B.arr (2)"), true));
}

}  // namespace
