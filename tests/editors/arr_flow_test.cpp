// The arrangement editor among the windows: closing it, its size, the road
// from the arrangement window to the saved file, and the assignments from
// the bank, kit, program and style windows.
#include <QTest>

#include "app/Messages.h"
#include "arrtest.h"
#include "banks/frmDrum.h"
#include "library/BanksView.h"
#include "library/frmStyAB.h"

namespace {

class ArrFlowTest : public ArrEditTest {
protected:
    frmEditArr* ed = nullptr;
    frmArrU* w = nullptr;
    void openEdit(bool readOnly = false) {
        w = openShow(arrFileWith({{5, "Five"}, {6, "Six"}}), readOnly);
        ed = edit(w, 5);
        sent();
    }
    void vol(int t, int v) { ed->VScroll1[static_cast<std::size_t>(2 * t + 1)]->setValue(v); }
};

TEST_F(ArrFlowTest, ClosingAsksOnlyForChangesAndKeepsWhatCannotBeStored) {
    enum Answer { Unchanged, No, Cancel, Yes, YesReadOnly };
    for (Answer a : {Unchanged, No, Cancel, Yes, YesReadOnly}) {
        SCOPED_TRACE(a);
        openEdit(a == YesReadOnly);
        const std::string before = w->Tag();
        if (a != Unchanged) vol(6, 77);
        if (a == No) dialogs.answer(vbNo);
        if (a == Cancel) dialogs.answer(vbCancel);
        if (a == Yes || a == YesReadOnly) dialogs.answer(vbYes);
        if (a == YesReadOnly) dialogs.answer(vbOK);
        AppClosing = true;
        const bool gone = ed->Unload();
        EXPECT_EQ(gone, a == Unchanged || a == No || a == Yes);
        EXPECT_EQ(dialogs.shown.size(), a == Unchanged ? 0u : a == YesReadOnly ? 2u : 1u);
        if (a == YesReadOnly) { EXPECT_EQ(dialogs.shown[1].text, "Read only file"); }
        EXPECT_EQ(EditArrOpen, !gone);
        if (!gone) { EXPECT_TRUE(SaveCancelled && !AppClosing && ArrModified && at(ArrRec, 90) == 77); }
        if (a == Yes) EXPECT_EQ(at(w->Tag(), 1212), 77);
        else EXPECT_EQ(w->Tag(), before);
        if (!gone) {
            dialogs.answer(vbNo);
            EXPECT_TRUE(ed->Unload());
        }
        dialogs.shown.clear();
    }

    // The frame's close, cancelled in the editor: nothing unloads.
    openEdit();
    vol(6, 77);
    dialogs.answer(vbCancel);
    EXPECT_FALSE(frame->Unload());
    EXPECT_TRUE(frmEditArr::Open() && w->Loaded());
    EXPECT_EQ(dialogs.shown.size(), 1u);
    // Closed with No: asked once, everything unloads.
    dialogs.shown.clear();
    dialogs.answer(vbNo);
    EXPECT_TRUE(frame->Unload());
    EXPECT_EQ(dialogs.shown.size(), 1u);
    EXPECT_FALSE(EditArrOpen);
}

TEST_F(ArrFlowTest, ResizeKeepsToTheStandardSize) {
    openEdit();
    auto px = [](int h, int wd) { return std::tuple(pxToTwipsY(twipsToPxY(h)), pxToTwipsX(twipsToPxX(wd))); };
    ed->Move(ed->Left(), ed->Top(), 9170 + 3000, 5870 + 2000);
    EXPECT_EQ(std::tuple(ed->Height(), ed->Width()), px(5870, 9170));
    ed->Move(ed->Left(), ed->Top(), 6000, 3000);
    EXPECT_EQ(std::tuple(ed->Height(), ed->Width()), px(3000, 6000));
    EXPECT_EQ(std::tuple(WinEntry(13).Height, WinEntry(13).Width, int{WinEntry(13).State}), std::tuple(ed->Height(), ed->Width(), 1));
    ed->setWindowState(vbMinimized);
    EXPECT_EQ(int{WinEntry(13).State}, 2);
}

TEST_F(ArrFlowTest, EditFromTheWindowToTheSavedFile) {
    w = openShow(arrFileWith({{5, "Five"}, {6, "Six"}}));
    pick(w, 5);
    RunMenuCommand(MenuId::mnuEdit);
    Timer::Advance(1000);
    ed = frmEditArr::Open();
    ASSERT_NE(ed, nullptr);
    EXPECT_FALSE(w->CommEdit->isEnabled() || m->mnuEdit->isEnabled());
    sent();
    vol(6, 77);
    EXPECT_EQ(sent(), msg(0x47, 0x4D, 0x00));
    const std::string file = readFileBytes(song("Show.arr"));
    dialogs.answer(vbYes);
    pick(w, 6);
    EXPECT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(at(w->Tag(), 1212), 77);
    EXPECT_EQ(ed->Text1[0]->Text(), "Six");
    EXPECT_EQ(ArrRec, ArrRecMake(w->Tag(), 6).value());
    w->activate();
    RunMenuCommand(MenuId::mnuSalva);
    std::string want = file;
    put(want, 942, 77);
    EXPECT_EQ(readFileBytes(song("Show.arr")), want);
}

TEST_F(ArrFlowTest, AssignmentsFromTheListWindows) {
    openEdit();
    // Bank B row 5 to UPPER1, a kit to Drum, through the windows.
    ed->Text1_Click(14);
    RunMenuCommand(MenuId::mnuWProgB);
    BankWindow* b = PcgAEForms()[5].data();
    ASSERT_NE(b, nullptr);
    sent();
    b->List1->setListIndex(5);
    EXPECT_EQ(std::tuple(at(ArrRec, 88), at(ArrRec, 89), ed->Text1[15]->Text(), ArrModified),
              std::tuple(69u, 0u, std::string("B  16"), true));
    EXPECT_EQ(sent(), bytesOf({0xB0, 0x00, 0x00, 0xB0, 0x20, 0x00, 0xC0, 0x45}));
    ed->Text1_Click(2);
    RunMenuCommand(MenuId::mnuDrum);
    BankWindow* k = DrumForms()[9].data();
    ASSERT_NE(k, nullptr);
    sent();
    k->List1->setListIndex(15);
    EXPECT_EQ(std::tuple(at(ArrRec, 40), at(ArrRec, 41), ed->Text1[3]->Text()), std::tuple(15u, 4u, std::string("Dr  28")));
    EXPECT_EQ(sent(), bytesOf({0xB9, 0x00, 0x00, 0xB9, 0x20, 0x04, 0xC9, 0x49}));

    // Program file windows: a user program, references, a new file's window.
    std::string prg = WindowImageNew(21, std::string(PrgFileLen, '\0'));
    putMid(prg, ImgPrgBlock(9), padRight("My Strings", 16));
    put(prg, ImgPrgBlock(10), 1), put(prg, ImgPrgBlock(10) + 1, 4), put(prg, ImgPrgBlock(10) + 2, 3);
    put(prg, ImgPrgBlock(11), 1), put(prg, ImgPrgBlock(11) + 1, 3), put(prg, ImgPrgBlock(11) + 2, 3);
    DrumKitNames = std::string(48, 'k') + padRight("Room Kit", 16) + std::string(192, 'k');
    ed->Text1_Click(4);
    ArrModified = false;
    EXPECT_TRUE(EditorLink().editArrPrgAssign(9, prg));
    EXPECT_EQ(std::tuple(at(ArrRec, 48), at(ArrRec, 49), mid(ArrRec, 197, 16), ed->Text1[5]->Text()),
              std::tuple(9u, 3u, padRight("My Strings", 16), std::string("U  22")));
    ed->EditArrFill();
    EXPECT_EQ(std::tuple(ed->Text1[4]->Text(), ed->Text1[5]->Text()), std::tuple(padRight("My Strings", 16), std::string("F 22")));
    EXPECT_TRUE(EditorLink().editArrPrgAssign(10, prg));
    EXPECT_EQ(std::tuple(at(ArrRec, 49), ed->Text1[4]->Text()), std::tuple(4u, padRight("Room Kit", 16)));
    const std::string rec = ArrRec;
    const std::string fresh = WindowImageNew(22, std::string(PrgFileLen, '\0'));
    ArrModified = false;
    EXPECT_FALSE(EditorLink().editArrPrgAssign(11, prg));
    EXPECT_FALSE(EditorLink().editArrPrgAssign(9, fresh));
    EXPECT_EQ(ArrRec, rec);
    EXPECT_FALSE(ArrModified);

    // Styles: the style file's last row, bank B's last, bank A's first.
    ed->Text1_Click(1);
    std::string sty = WindowImageNew(23, styFileOf({"S0", "S1", "S2", "S3", "S4", "S5", "S6", "S7", "S8", "S9", "S10",
                                                    "S11", "S12", "S13", "S14", "Last Style"}));
    EditorLink().editArrStyAssign(18, sty);
    EXPECT_EQ(std::tuple(at(ArrRec, 18), at(ArrRec, 19), ed->StyleLabel->Caption(), ed->Text1[1]->Text()),
              std::tuple(15u, 1u, std::string("Style (U28)"), std::string("Last Style")));
    EditArrStyAssign(63, WindowImageNew(18));
    EXPECT_EQ(std::tuple(at(ArrRec, 18), at(ArrRec, 19), ed->StyleLabel->Caption()), std::tuple(127u, 0u, std::string("Style (B88)")));
    EditArrStyAssign(0, WindowImageNew(17));
    EXPECT_EQ(std::tuple(at(ArrRec, 18), ed->StyleLabel->Caption(), ed->Text1[1]->Text()),
              std::tuple(0u, std::string("Style (A11)"), rtrim(StyBankRow(17, 0)).substr(4)));
    EXPECT_TRUE(EditArrSelSty);
}

}  // namespace
