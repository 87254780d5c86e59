// The real program file window and the real program editor together: what
// a store keeps, in the window, in the record and on the list.
#include "app/ImageLayout.h"
#include "editorstest.h"

namespace {

class SeamsTest : public FileWindowTest {
protected:
    static HScroll* slider(frmEditPrg* ed, int i) { return FindControl<HScroll>(ed, "BasHScroll", i); }
};

// Program "14" (row 3), Detune -20; the same row clicked again and the
// change kept: the window holds it, the record rebuilt from the window holds
// it, the editor shows it, and the row stays current and selected. A later
// edit kept at the close adds to it instead of undoing it.
TEST_F(SeamsTest, AKeptEditStaysInTheWindowTheRecordAndTheEditor) {
    frmPrgUN* w = openBank();
    ASSERT_NE(w, nullptr);
    pick(w, 3);
    w->CommEdit_Click();
    frmEditPrg* ed = frmEditPrg::Open();
    ASSERT_NE(ed, nullptr);
    slider(ed, 0)->setValue(-20);
    ASSERT_TRUE(PrgModified);
    const long detune = ImgPrgBlock(3) + 27, delay = ImgPrgBlock(3) + 28;

    w->activate();
    dialogs.answer(vbYes);  // "Keep changes ?"
    pick(w, 3);
    EXPECT_EQ(at(w->Tag(), detune), 0xECu);
    EXPECT_EQ(at(PrgRec, 28), 0xECu);
    EXPECT_EQ(slider(ed, 0)->Value(), -20);
    EXPECT_FALSE(PrgModified);
    EXPECT_EQ(w->List1->ListIndex(), 3);
    EXPECT_TRUE(w->List1->Selected(3));
    EXPECT_EQ(w->List1->SelCount(), 1);

    RunMenuCommand(MenuId::mnuWProgB);   // another window opened meanwhile
    ed->activate();
    slider(ed, 1)->setValue(7);
    dialogs.answer(vbYes);  // the editor's save question
    ASSERT_TRUE(ed->Unload());
    // Back to the window the program came from, which offers Edit again.
    EXPECT_EQ(frame->ActiveForm(), w);
    EXPECT_EQ(at(w->Tag(), detune), 0xECu);
    EXPECT_EQ(at(w->Tag(), delay), 7u);
    EXPECT_EQ(w->List1->ListIndex(), 3);
    EXPECT_TRUE(w->List1->Selected(3));
    EXPECT_TRUE(w->CommEdit->isEnabled());
    EXPECT_TRUE(dialogs.answers.empty());
}

}  // namespace
