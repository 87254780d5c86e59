// The README's first walk, step by step as it is written, through the menus
// and the real windows.
#include "dbarrfixture.h"
#include "library/frmArrAB.h"
#include "library/frmArrNew.h"

namespace {

class ReadmeTest : public DBArrTest {
protected:
    static void click(ListBox* l, int row) {
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(row)).center());
    }
};

TEST_F(ReadmeTest, FirstWalkFromBankAToTheDatabase) {
    writeFileBytes(startFile("i40ArrA"), ArrBankImage(0));
    start();
    // View > Arrangement A; a click selects; Copy.
    RunMenuCommand(MenuId::mnuArrA);
    frmArrAB* bank = ArrABForm(2);
    ASSERT_TRUE(bank);
    midi->clear();
    click(bank->List1, 0);
    Timer::Advance(500);
    EXPECT_FALSE(midi->written().empty()) << "the click selects the arrangement";
    RunMenuCommand(MenuId::mnuCopia);
    // File > New Arr, its first row, Edit > Paste, File > Save As Song.arr.
    RunMenuCommand(MenuId::mnuNuovoArr);
    frmArrNew* n = ArrNewForms()[1];
    ASSERT_TRUE(n);
    click(n->List1, 0);
    RunMenuCommand(MenuId::mnuIncolla);
    dialogs.chooseFile(song("Song.arr"));
    RunMenuCommand(MenuId::mnuSalvaAs);
    ASSERT_TRUE(FileExists(song("Song.arr")));
    ASSERT_TRUE(n->Unload());
    // File > Open Arr; a click fills the boxes under the list.
    frmArrU* w = openArr("Song");
    ASSERT_TRUE(w);
    click(w->List1, 0);
    Timer::Advance(500);
    EXPECT_EQ(dialogs.shown.size(), 0u) << boxesShown();
    // Edit > +i40DBArr: Yes makes the file's folder the database's; number 3.
    dialogs.answer(vbYes);
    RunMenuCommand(MenuId::mnui40DBArr);
    Timer::Advance(500);
    EXPECT_EQ(w->Text1->Text().substr(0, 1), "3");
    boxes();
    // View > i40DBArr lists it; Find Arrangement (ID) 311 brings it up.
    frmEditDBArr* e = openEditor();
    ASSERT_TRUE(e);
    const std::vector<std::string> listed = rows(e);
    EXPECT_TRUE(std::any_of(listed.begin(), listed.end(),
                            [](const std::string& r) { return r.find("Song") != std::string::npos; }));
    w->List1->setListIndex(-1);
    frmFindID* f = openFind();
    ASSERT_TRUE(f);
    find(f, "311");
    Timer::Advance(12000);
    frmArrU* found = ArrUForms()[1];
    ASSERT_TRUE(found);
    EXPECT_EQ(std::tuple(ImgPathOf(found->Tag()), found->List1->ListIndex(), boxesShown()),
              std::tuple(song("Song"), 0, std::string()));
}

}  // namespace
