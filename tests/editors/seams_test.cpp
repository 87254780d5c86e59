// The real program file window and the real program editor together: what
// a store keeps, in the window, in the record and on the list.
#include <QTest>

#include "app/ImageLayout.h"
#include "banks/Banks.h"
#include "banks/frmPrgUN.h"
#include "editorstest.h"
#include "files/FileFormats.h"
#include "library/Library.h"

namespace {

class SeamsTest : public EditorsTest {
protected:
    void SetUp() override {
        EditorsTest::SetUp();
        InstallLibrary();
        InstallBanks();
        InstallEditors();
        sent();
    }
    // File > Open Prg on "bank1.prg": programs named "Prog nn".
    frmPrgUN* openBank() {
        std::string f = PrgTemplateImage();
        for (int i = 0; i < 64; ++i)
            putMid(f, 49 + 172L * i, padRight("Prog " + std::string(i < 10 ? "0" : "") + std::to_string(i), 16));
        writeFileBytes(startFile("bank1.prg"), f);
        dialogs.chooseFile(startFile("bank1.prg"), 0, false);
        RunMenuCommand(MenuId::mnuApriPrg);
        return PrgUNForms()[static_cast<std::size_t>(PrgSlotCur)];
    }
    static void pick(frmPrgUN* w, int row) {
        QTest::mouseClick(w->List1->viewport(), Qt::LeftButton, {}, w->List1->visualItemRect(w->List1->item(row)).center());
    }
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
