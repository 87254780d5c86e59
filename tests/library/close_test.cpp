// Closing and resizing the user arrangement window: the save question, what
// is written, and what its slot record, counter and menus keep.
#include "librarytest.h"

namespace {

class CloseArrTest : public LibraryTest {
protected:
    // The bank opened in a fresh start of the program.
    frmArrU* openBank(const std::string& sty = "") {
        arr = arrFileOf({{0, "First"}, {1, "Own", 0, 1}});
        writeSong("Bank", arr, sty);
        delete frame.data();
        InstanceLockRelease();
        m = start([] { ArrSlots = {}; });  // nothing of the last case to reopen
        frmArrU* w = openArr("Bank");
        MruTable = {};
        return w;
    }
    // A change the user would make: the first arrangement renamed.
    void change(frmArrU* w, bool styles = false) {
        putMid(w->Tag(), ImgArrBlock(0), "Changed");
        put(w->Tag(), ImgChanged, 1);
        if (styles) put(w->Tag(), ImgStyChanged, 1);
    }
    std::string arr;
    frmMain* m = nullptr;
};

TEST_F(CloseArrTest, SaveQuestionAnswers) {
    const std::string sty = styFileOf({"Own"});
    const struct { int answer; bool closes, written; } cases[] = {
        {vbYes, true, true}, {vbNo, true, false}, {vbCancel, false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        frmArrU* w = openBank(sty);
        ASSERT_NE(w, nullptr);
        change(w, true);
        putMid(w->Tag(), 42623 + 224 + 16, "new style data");
        const std::string image = w->Tag();
        AppClosing = true;
        dialogs.answer(c.answer);
        EXPECT_EQ(w->Unload(), c.closes);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].text + "|" + dialogs.shown[0].title,
                  "The file has changed\nSave changes ?|File Arr - Bank.arr (1)");
        EXPECT_EQ(readFileBytes(song("Bank.arr")), c.written ? mid(image, 271, 10528) : arr);
        EXPECT_EQ(readFileBytes(song("Bank.sty")), c.written ? mid(image, 42623) : sty);
        EXPECT_EQ(std::tuple(MruTable[1].Path, AppClosing, m->Forms().size()),
                  std::tuple(c.written ? song("Bank") : "", c.closes, c.closes ? 0u : 1u));
        AppClosing = false;
    }
}

TEST_F(CloseArrTest, SavingDeletesAStyleFileTheWindowDoesNotHold) {
    frmArrU* w = openBank();
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(at(w->Tag(), ImgStyPart), ImgStyTemplate);
    writeFileBytes(song("Bank.sty"), styFileOf({"Stale"}));
    change(w);
    dialogs.answer(vbYes);
    EXPECT_TRUE(w->Unload());
    EXPECT_FALSE(FileExists(song("Bank.sty")));
}

TEST_F(CloseArrTest, FailedOrCancelledSaveKeepsTheWindowAndItsChanges) {
    for (bool saveAs : {false, true}) {  // a write failure; Save As cancelled
        SCOPED_TRACE(saveAs);
        const FileError failure = saveAs ? FileError::None : FileError::DiskFull;
        frmArrU* w = openBank();
        ASSERT_NE(w, nullptr);
        change(w);
        if (saveAs) {
            put(w->Tag(), ImgSaveAs, 1);
            dialogs.cancelFile();
        }
        const std::string image = w->Tag();
        dialogs.answer(vbYes);
        if (!saveAs) dialogs.answer(vbOK);
        SimulateWriteFailure(failure);
        AppClosing = true;
        EXPECT_FALSE(w->Unload());
        SimulateWriteFailure(FileError::None);
        ASSERT_TRUE(frame);
        EXPECT_EQ(std::tuple(dialogs.shown.size(), m->Forms().size(), at(w->Tag(), ImgChanged), AppClosing),
                  std::tuple(saveAs ? 1u : 2u, 1u, 1, false));
        EXPECT_TRUE(w->Tag() == image && MruEmpty(MruTable[1].Kind) && readFileBytes(song("Bank.arr")) == arr);
        // The next close asks again.
        dialogs.answer(vbNo);
        EXPECT_TRUE(w->Unload());
    }
}

TEST_F(CloseArrTest, WhatTheRecordKeeps) {
    const struct {
        const char* what;
        bool byProgram, minimised, imported;
        uint8_t state;
        int count;
    } cases[] = {
        {"by hand", false, false, false, 0, 0},
        {"program closing", true, false, false, 1, 1},
        {"program closing, minimised", true, true, false, 2, 1},
        {"program closing, unsaved import", true, false, true, 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        frmArrU* w = openBank();
        ASSERT_NE(w, nullptr);
        MruAdd(song("Bank.arr"), 0);
        w->Move(600, 300, 6000, 3000);
        if (c.minimised) w->setWindowState(vbMinimized);
        if (c.imported) put(w->Tag(), ImgSaveAs, 1), put(w->Tag(), ImgChanged, 0);
        const int top = w->Top(), left = w->Left(), height = w->Height(), width = w->Width();
        m->mnuApriArr->setEnabled(false);
        if (c.byProgram) {
            EXPECT_TRUE(m->QueryClose());
        } else {
            EXPECT_TRUE(w->Unload());
            EXPECT_EQ(std::tuple(MruTable[1].Top, MruTable[1].Left, MruTable[1].Height, MruTable[1].Width),
                      std::tuple(top, left, height, width))
                << "the place is kept with the recent file";
            EXPECT_TRUE(m->mnuApriArr->isEnabled());
        }
        EXPECT_EQ(std::tuple(ArrSlots[1].State, ArrSlots[1].Top, ArrSlots[1].Left), std::tuple(c.state, top, left));
        EXPECT_EQ(std::tuple(ArrWinCount, ArrSlotUsed[1], ArrUForms()[1].data()), std::tuple(c.count, 0, nullptr));
    }
}

TEST_F(CloseArrTest, EditorHoldingAnArrangementClosesFirst) {
    frmArrU* w = openBank();
    ASSERT_NE(w, nullptr);
    EditArrOpen = true;
    put(ArrRec, ArrRecKind, 19);
    put(ArrRec, ArrRecSlot, 1);
    {
        // The editor's own question is cancelled: the window stays.
        struct Cancelling : FakeEditor {
            void unload() override { SaveCancelled = true; }
        } cancelling;
        AppClosing = true;
        EXPECT_FALSE(w->Unload());
        EXPECT_TRUE(EditArrOpen && !AppClosing);
    }
    FakeEditor editor;
    EXPECT_TRUE(w->Unload() && !EditArrOpen);
    EXPECT_EQ(editor.calls, std::vector<std::string>{"unload"});
}

TEST_F(CloseArrTest, ResizeKeepsToTheStandardSize) {
    frmArrU* w = openBank();
    ASSERT_NE(w, nullptr);
    const int stdH = pxToTwipsY(twipsToPxY(FormSizes.ArrUHeight)), stdW = pxToTwipsX(twipsToPxX(FormSizes.ArrUWidth));
    auto record = [] { return std::tuple(ArrSlots[1].Height, ArrSlots[1].Width, int{ArrSlots[1].State}); };
    w->Move(w->Left(), w->Top(), 12000, 7000);
    EXPECT_EQ(std::tuple(w->Height(), w->Width()), std::tuple(stdH, stdW));
    EXPECT_EQ(record(), std::tuple(FormSizes.ArrUHeight, FormSizes.ArrUWidth, 1));
    w->Move(w->Left(), w->Top(), 6000, 3000);
    const int h = w->Height(), wd = w->Width();
    EXPECT_EQ(std::tuple(h, wd), std::tuple(pxToTwipsY(twipsToPxY(3000)), pxToTwipsX(twipsToPxX(6000))));
    EXPECT_EQ(record(), std::tuple(h, wd, 1));
    w->setWindowState(vbMinimized);
    EXPECT_EQ(record(), std::tuple(h, wd, 2)) << "the size to reopen with stays";
    w->setWindowState(vbMaximized);
    EXPECT_EQ(std::tuple(record(), w->WindowState()), std::tuple(std::tuple(h, wd, 2), vbMaximized))
        << "a maximised window keeps its mark";
}

TEST_F(CloseArrTest, ResizeDuringLoadChangesNothing) {
    writeSong("Bank", arrFileOf({{0, "A"}}));
    frmMain* f = start();
    ASSERT_EQ(ArrFileRead(song("Bank.arr")), 0);
    // A window reopened where its record says, larger than it may be.
    ArrSlots[3] = {song("Bank"), 0, 1, 0, 0, 9000, 12000};
    ArrSlotCur = 3;
    auto* w = new frmArrU(f);
    w->Load();
    EXPECT_EQ(std::tuple(ArrSlots[3].Height, ArrSlots[3].Width, ArrSlots[3].State),
              std::tuple(9000, 12000, uint8_t{1}));
    EXPECT_EQ(w->Height(), pxToTwipsY(twipsToPxY(9000))) << "placed where its record says";
    EXPECT_TRUE(w->Unload());
}

}  // namespace
