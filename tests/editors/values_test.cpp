// Values as the windows read them: the arrangement editor's style label, a
// program file's reference assigned to a track, and a program file reopened
// at the next start with the read-only choice it had.
#include <QTest>

#include "arrtest.h"
#include "banks/frmPrgUN.h"

namespace {

class ValuesTest : public ArrEditTest {
protected:
    static void click(frmPrgUN* w, int row) {
        QTest::mouseClick(w->List1->viewport(), Qt::LeftButton, {},
                          w->List1->visualItemRect(w->List1->item(row)).center());
    }
    frmPrgUN* openPrg(const std::string& file, bool readOnly = false) {
        const int slot = PrgSlotFree();
        dialogs.chooseFile(song(file), 0, readOnly);
        RunMenuCommand(MenuId::mnuApriPrg);
        return slot ? PrgUNForms()[static_cast<std::size_t>(slot)].data() : nullptr;
    }
};

TEST_F(ValuesTest, ReadAsTheyStand) {
    // Style 35 of style kind 2 is a style of the banks: A54.
    frmArrU* w = openShow(arrFileWith({{5, "Five"}}, {{5, 18, 0x23}, {5, 19, 2}}));
    frmEditArr* ed = edit(w, 5);
    ASSERT_NE(ed, nullptr);
    EXPECT_EQ(ed->StyleLabel->Caption(), "Style (A54)");

    // Program 2 of R.prg refers to bank E program 70, past the bank's names:
    // clicked while UPPER1's program field is selected, it goes to the track.
    std::string prg = prgFileOf(false, 'P');
    const long q = PrgHdrLen + 1 + 172L * 2;
    put(prg, q, 1), put(prg, q + 1, 2), put(prg, q + 2, 70);
    writeFileBytes(song("R.prg"), prg);
    frmPrgUN* p = openPrg("R.prg");
    ASSERT_NE(p, nullptr);
    ed->Text1_Click(14);
    ArrModified = false;
    click(p, 2);
    const std::string blank(16, ' ');
    EXPECT_EQ(std::tuple(at(ArrRec, 88), at(ArrRec, 89), mid(ArrRec, 277, 16), ed->Text1[14]->Text(),
                         ed->Text1[15]->Text(), ArrModified),
              std::tuple(70u, 2u, blank, blank, std::string("E  97"), true));

    // Exit with R.prg open. The last run also had R.pgg open read-only, and
    // R.prg is removed before the next start: nothing comes back writable.
    dialogs.answer(vbNo);  // the edited arrangement is not saved
    frame->mnuExit->trigger();
    ASSERT_FALSE(frame->Loaded());
    writeFileBytes(song("R.pgg"), prgFileOf(true, 'G'));
    ASSERT_EQ(DeleteFile(song("R.prg")), FileError::None);
    start([&] {
        PrgSlots[2] = PrgSlots[1];
        PrgSlots[2].RdOnly = 1, PrgSlots[2].Type = 1;
    });
    std::vector<std::tuple<std::string, unsigned, unsigned>> prgs;
    for (const auto& f : PrgUNForms())
        if (f) prgs.emplace_back(PathName(ImgPathOf(f->Tag())), at(f->Tag(), ImgPrgOnDisk), at(f->Tag(), ImgRdOnly));
    EXPECT_EQ(prgs, (std::vector<std::tuple<std::string, unsigned, unsigned>>{{"R", 2u, 1u}}));
    EXPECT_EQ(boxesShown(), "");
}

}  // namespace
