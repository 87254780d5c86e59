// Closing and resizing the user arrangement window: the save question, what
// is written, and what its slot record, counter and menus keep.
#include "librarytest.h"

namespace {

class CloseArrTest : public LibraryTest {
protected:
    // The bank opened in a fresh start of the program, changed as the user
    // would: the first arrangement renamed (and its styles, `styles`).
    frmArrU* openBank(const std::string& sty = "", bool styles = false) {
        arr = arrFileOf({{0, "First"}, {1, "Own", 0, 1}});
        QFile::remove(QString::fromStdString(song("Bank.sty")));
        writeSong("Bank", arr, sty);
        m = start([] { ArrSlots = {}; });  // nothing of the last case to reopen
        frmArrU* w = openArr("Bank");
        MruTable = {};
        if (w) {
            putMid(w->Tag(), ImgArrBlock(0), "Changed");
            put(w->Tag(), ImgChanged, 1);
            if (styles) put(w->Tag(), ImgStyChanged, 1);
        }
        return w;
    }
    std::string arr;
    frmMain* m = nullptr;
};

TEST_F(CloseArrTest, SaveQuestionAnswers) {
    const std::string sty = styFileOf({"Own"}), stale = styFileOf({"Stale"});
    const struct { int answer; bool ownStyles, closes, written; } cases[] = {
        {vbYes, true, true, true}, {vbNo, true, true, false}, {vbCancel, true, false, false},
        {vbYes, false, true, true}};  // a style file made meanwhile is not the window's: it stays
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer * 10 + c.ownStyles);
        frmArrU* w = openBank(c.ownStyles ? sty : "", c.ownStyles);
        ASSERT_NE(w, nullptr);
        if (c.ownStyles) putMid(w->Tag(), 42623 + 224 + 16, "new style data");
        else writeFileBytes(song("Bank.sty"), stale);
        const std::string image = w->Tag();
        AppClosing = true;
        dialogs.answer(c.answer);
        EXPECT_EQ(w->Unload(), c.closes);
        EXPECT_EQ(std::tuple(onlyBox(), dialogs.shown[0].title),
                  std::tuple("The file has changed\nSave changes ?", "File Arr - Bank.arr (1)"));
        EXPECT_TRUE(readFileBytes(song("Bank.arr")) == (c.written ? mid(image, 271, 10528) : arr));
        const std::string styNow = !c.ownStyles ? stale : c.written ? mid(image, 42623) : sty;
        EXPECT_TRUE(readFileBytes(song("Bank.sty")) == styNow);
        EXPECT_EQ(std::tuple(MruTable[1].Path, AppClosing, m->Forms().size()),
                  std::tuple(c.written ? song("Bank") : "", c.closes, c.closes ? 0u : 1u));
        AppClosing = false;
    }
}

TEST_F(CloseArrTest, FailedOrCancelledSaveKeepsTheWindowAndItsChanges) {
    for (bool saveAs : {false, true}) {  // a write failure; Save As cancelled
        SCOPED_TRACE(saveAs);
        frmArrU* w = openBank();
        ASSERT_NE(w, nullptr);
        if (saveAs) put(w->Tag(), ImgSaveAs, 1), dialogs.cancelFile();
        else dialogs.answer(vbOK), SimulateWriteFailure(FileError::DiskFull);
        const std::string image = w->Tag();
        dialogs.answers.push_front(vbYes);
        AppClosing = true;
        EXPECT_FALSE(w->Unload());
        SimulateWriteFailure(FileError::None);
        EXPECT_EQ(std::tuple(dialogs.shown.size(), m->Forms().size(), w->Tag() == image, AppClosing),
                  std::tuple(saveAs ? 1u : 2u, 1u, true, false));
        EXPECT_TRUE(MruEmpty(MruTable[1].Kind) && readFileBytes(song("Bank.arr")) == arr);
        dialogs.answer(vbNo);
        EXPECT_TRUE(w->Unload()) << "the next close asks again";
    }
}

TEST_F(CloseArrTest, WhatTheRecordKeeps) {
    const struct { const char* what; bool byProgram, minimised, imported; uint8_t state; int count; } cases[] = {
        {"by hand", false, false, false, 0, 0},
        {"program closing", true, false, false, 1, 1},
        {"program closing, minimised", true, true, false, 2, 1},
        {"program closing, unsaved import", true, false, true, 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        frmArrU* w = openBank();
        ASSERT_NE(w, nullptr);
        put(w->Tag(), ImgChanged, 0);
        MruAdd(song("Bank.arr"), 0);
        w->Move(600, 300, 6000, 3000);
        if (c.minimised) w->setWindowState(vbMinimized);
        if (c.imported) put(w->Tag(), ImgSaveAs, 1);
        const auto place = std::tuple(w->Top(), w->Left(), w->Height(), w->Width());
        m->mnuApriArr->setEnabled(false);
        EXPECT_TRUE(c.byProgram ? m->QueryClose() : w->Unload());
        if (!c.byProgram) {
            EXPECT_EQ(std::tuple(MruTable[1].Top, MruTable[1].Left, MruTable[1].Height, MruTable[1].Width), place)
                << "the place is kept with the recent file";
            EXPECT_TRUE(m->mnuApriArr->isEnabled());
        }
        EXPECT_EQ(std::tuple(ArrSlots[1].State, ArrSlots[1].Top, ArrSlots[1].Left, ArrWinCount, ArrSlotUsed[1],
                             ArrUForms()[1].data()),
                  std::tuple(c.state, std::get<0>(place), std::get<1>(place), c.count, 0, nullptr));
    }
}

TEST_F(CloseArrTest, EditorHoldingAnArrangementClosesFirst) {
    frmArrU* w = openBank();
    ASSERT_NE(w, nullptr);
    put(w->Tag(), ImgChanged, 0);
    EditArrOpen = true;
    put(ArrRec, ArrRecKind, 19);
    put(ArrRec, ArrRecSlot, 1);
    {
        struct Cancelling : FakeEditor {  // the editor's own question is cancelled: the window stays
            void unload() override { SaveCancelled = true; }
        } cancelling;
        AppClosing = true;
        EXPECT_TRUE(!w->Unload() && EditArrOpen && !AppClosing);
    }
    FakeEditor editor;
    EXPECT_TRUE(w->Unload() && !EditArrOpen);
    EXPECT_EQ(editor.calls, std::vector<std::string>{"unload"});
}

TEST_F(CloseArrTest, ResizeKeepsToTheStandardSize) {
    frmArrU* w = openBank();
    ASSERT_NE(w, nullptr);
    auto px = [](int h, int wd) { return std::tuple(pxToTwipsY(twipsToPxY(h)), pxToTwipsX(twipsToPxX(wd))); };
    auto record = [] { return std::tuple(ArrSlots[1].Height, ArrSlots[1].Width, int{ArrSlots[1].State}); };
    w->Move(w->Left(), w->Top(), FormSizes.ArrUWidth + 3000, FormSizes.ArrUHeight + 2000);
    EXPECT_EQ(std::tuple(w->Height(), w->Width()), px(FormSizes.ArrUHeight, FormSizes.ArrUWidth));
    EXPECT_EQ(record(), std::tuple(FormSizes.ArrUHeight, FormSizes.ArrUWidth, 1));
    w->Move(w->Left(), w->Top(), 6000, 3000);
    const int h = w->Height(), wd = w->Width();
    EXPECT_EQ(std::tuple(h, wd), px(3000, 6000));
    EXPECT_EQ(record(), std::tuple(h, wd, 1));
    w->setWindowState(vbMinimized);
    EXPECT_EQ(record(), std::tuple(h, wd, 2)) << "the size to reopen with stays";
    w->setWindowState(vbMaximized);
    EXPECT_EQ(std::tuple(record(), w->WindowState()), std::tuple(std::tuple(h, wd, 2), vbMaximized))
        << "a maximised window keeps its mark";

    // A window reopened where its record says, larger than it may be: the
    // record is not changed while the window loads.
    ASSERT_EQ(ArrFileRead(song("Bank.arr")), 0);
    ArrSlots[3] = {song("Bank"), 0, 1, 0, 0, 9000, 12000};
    ArrSlotCur = 3;
    auto* big = new frmArrU(m);
    big->Load();
    EXPECT_EQ(std::tuple(ArrSlots[3].Height, ArrSlots[3].Width, ArrSlots[3].State, big->Height()),
              std::tuple(9000, 12000, uint8_t{1}, pxToTwipsY(twipsToPxY(9000))));
    EXPECT_TRUE(big->Unload());
}

}  // namespace
