// The new arrangement window: File > New Arrangement, the empty document,
// filling it by paste, the pick and the sends, and closing it.
#include "app/InfoFile.h"
#include "files/Clipboard.h"
#include "files/FileFormats.h"
#include "files/StyGroups.h"
#include "library/ArrNewView.h"
#include "library/frmArrNew.h"
#include "librarytest.h"
#include "midi/state.h"

namespace {

class ArrNewTest : public LibraryTest {
protected:
    void SetUp() override {
        LibraryTest::SetUp();
        writeFileBytes(startFile("i40ArrA"), ArrBankImage(0));
    }
    frmMain* begin() {
        m = start([] {
            GlobalChannel = 5;
            ArrChannel = 3;
        });
        return m;
    }
    frmArrNew* newArr() {
        const int before = firstFree();
        RunMenuCommand(MenuId::mnuNuovoArr);
        return before ? ArrNewForms()[static_cast<std::size_t>(before)].data() : nullptr;
    }
    static int firstFree() {
        for (int s = 1; s <= 8; ++s)
            if (!ArrNewSlotUsed[static_cast<std::size_t>(s)]) return s;
        return 0;
    }
    frmMain* m = nullptr;
};

TEST_F(ArrNewTest, NewArrangementOpensAnEmptyDocument) {
    begin();
    const std::string styGrp = StyGrpBuf;
    ASSERT_EQ(styGrp.size(), 4928u);
    frmArrNew* w = nullptr;
    for (int k = 0; k < 3; ++k) w = newArr();
    ASSERT_NE(w, nullptr);
    const std::string img = w->Tag();
    ASSERT_EQ(img.size(), 47550u);
    std::string header(20, '\0');
    put(header, 1, 20);
    put(header, 3, 2);
    put(header, 9, 1);
    put(header, 15, 3);
    put(header, 18, 1);
    EXPECT_EQ(mid(img, 1, 20), header);
    EXPECT_EQ(mid(img, 21, 250), padRight("Untitled (3)", 250));
    EXPECT_EQ(mid(img, 271, 10528), ArrBankImage(0).substr(0, 32) + std::string(10496, '\0'));
    for (int i : {0, 7, 8, 63}) EXPECT_EQ(mid(img, 10799 + 21L * i, 21), std::string(1, '\0') + RowCode(i) + std::string(18, ' '));
    EXPECT_EQ(mid(img, 12143, 30480), std::string(30480, ' '));
    EXPECT_EQ(img.substr(42622), styGrp);

    EXPECT_EQ(w->List1->ListCount(), 64);
    EXPECT_EQ(std::vector<std::string>({w->List1->List(0), w->List1->List(7), w->List1->List(8), w->List1->List(63)}),
              std::vector<std::string>({"11", "18", "21", "88"}));
    EXPECT_EQ(w->Combo1->ListCount(), 0);
    EXPECT_FALSE(w->CommLoadArr->isEnabled());
    EXPECT_FALSE(w->CommLoadSty->isEnabled());
    EXPECT_EQ(w->Caption(), "New File Arr - Untitled.arr (3)");
    EXPECT_EQ(std::tuple(w->Top(), w->Left()), std::tuple(0, 0));
    EXPECT_EQ(ArrWinCount, 3);
    EXPECT_EQ(ArrNewSlots[3].State, 1);
    EXPECT_TRUE(dialogs.shown.empty());
    // Without the style template, position 9 stays 0.
    EXPECT_EQ(at(ArrNewImage(ArrNewDocument(ArrBankImage(0)), "", 1), 9), 0u);
}

TEST_F(ArrNewTest, EightWindowsAtMost) {
    begin();
    for (int k = 1; k <= 8; ++k) {
        ASSERT_NE(newArr(), nullptr);
        EXPECT_EQ(m->mnuNuovoArr->isEnabled(), k < 8);
    }
    EXPECT_EQ(ArrWinCount, 8);
    ASSERT_TRUE(ArrNewForms()[5]->Unload(vbFormCode));
    EXPECT_TRUE(m->mnuNuovoArr->isEnabled());
    EXPECT_EQ(std::tuple(int(ArrNewSlotUsed[5]), int(ArrNewSlots[5].State), ArrWinCount), std::tuple(0, 0, 7));
    EXPECT_EQ(newArr()->slot(), 5);
}

TEST_F(ArrNewTest, BankFileMissingOrDamaged) {
    begin();
    struct Case {
        bool missing;
        std::string shown;
    } cases[] = {{true, "File " + startFile("i40ArrA") + " not found"}, {false, "Error reading i40ArrA"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        if (c.missing) DeleteFile(startFile("i40ArrA"));
        else writeFileBytes(startFile("i40ArrA"), std::string(500, 'x'));
        dialogs.shown.clear();
        dialogs.answer(vbOK);
        RunMenuCommand(MenuId::mnuNuovoArr);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_NE(dialogs.shown[0].text.find(c.shown), std::string::npos) << dialogs.shown[0].text;
        EXPECT_EQ(ArrWinCount, 0);
        EXPECT_EQ(ArrNewForms()[1], nullptr);
    }
}

}  // namespace
