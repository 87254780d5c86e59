// The multisample picker with the program editor: picks into the selected
// box, the timer that follows the box, the window's life and its right
// button.
#include <QMenu>
#include <QTabBar>
#include <QTest>

#include "editors/frmMultisample.h"
#include "editorstest.h"

namespace {

class MultisampleTest : public EditorOpenTest {
protected:
    void SetUp() override {
        EditorOpenTest::SetUp();
        // As at start-up, where the editors are installed before the frame loads.
        MainWindowLink().enableMenu(MenuId::mnuMultisample, true);
    }
    // The box's multisample in PrgRec (bytes 21-22 or 23-24).
    unsigned recNumber(int box) const { return at(PrgRec, 19 + 2 * box) + 256u * at(PrgRec, 20 + 2 * box); }
    // The page shown and its selected row, "page:row".
    static std::string shown(frmMultisample* p) {
        const int tab = p->SSTab1->Tab();
        return std::to_string(tab) + ":" + std::to_string(p->List1[static_cast<std::size_t>(tab)]->ListIndex());
    }
};

TEST(MultisamplePages, EntriesPagesAndBoxNumbers) {
    for (auto [n, page, row] : std::initializer_list<std::tuple<int, int, int>>{
             {104, 0, 104}, {105, 1, 0}, {250, 2, 40}, {420, 4, 0}, {518, 4, 98}}) {
        EXPECT_EQ(std::tuple(MultisamplePage(n), MultisampleRow(n), MultisampleEntry(page, row)),
                  std::tuple(page, row, n));
    }
    // The whole number: the text of a number past the list is not read as its first three digits.
    for (auto [text, n] : std::initializer_list<std::pair<const char*, int>>{
             {"250  Strings", 250}, {" 42  x", 42}, {"Pad", 0}, {"", 0}, {"-12", -12}, {"1.6", 2}, {"1300", 1300}}) {
        EXPECT_EQ(MultisampleBoxNumber(text), n) << text;
    }
}

TEST_F(MultisampleTest, ViewMultisampleOpensFivePagesAndTheCloseGivesBackTheMenuItem) {
    const int count = ChildWinCount;
    frame->mnuMultisample->trigger();
    frmMultisample* p = frmMultisample::Open();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(sent(), "");
    EXPECT_EQ(std::tuple(p->Caption(), p->Tag(), p->Timer->Enabled(), p->Timer->Interval()),
              std::tuple(std::string("Multisample"), WindowImageNew(35), false, 10));
    EXPECT_EQ(std::tuple(ChildWinCount, frame->mnuMultisample->Enabled()), std::tuple(count + 1, false));
    const char* captions[] = {"000-104", "105-209", "210-314", "315-419", "420-518"};
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(p->SSTab1->TabCaption(k), captions[k]);
        EXPECT_EQ(p->List1[static_cast<std::size_t>(k)]->ListCount(), k < 4 ? 105 : 99);
    }
    EXPECT_EQ(p->List1[4]->List(98), MultisampleText(518));
    p->Move(0, 0, 12000, 8000);
    EXPECT_LE(std::tuple(p->Width(), p->Height()), std::tuple(FormSizes.MultisampleWidth, FormSizes.MultisampleHeight));
    EXPECT_TRUE(p->Unload());
    EXPECT_EQ(std::tuple(ChildWinCount, frame->mnuMultisample->Enabled(), WinEntry(35).State),
              std::tuple(count, true, 0));
}

TEST_F(MultisampleTest, APickGoesIntoTheSelectedBoxOnly) {
    struct Case {
        int box;  // selected in the editor (0: none)
        bool editorOpen;
        int page, row;
        std::string message;
        int stored;  // the box's multisample afterwards (-1: nothing changes)
    };
    const Case cases[] = {
        {2, true, 4, 0, param(2, 1, 0x24, 0x03), 420},  // no oscillator select
        {1, true, 1, 0, param(2, 1, 0x69, 0x00), 105},
        {0, true, 2, 7, "", -1},
        {1, false, 3, 9, "", -1},
        {1, true, 3, -1, "", -1},  // a click while the list has no row
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.box) + " " + std::to_string(c.row));
        if (frmMultisample* open = frmMultisample::Open()) open->Unload();
        PrgModified = false;
        if (!frmEditPrg::Open()) ed = edit(w, 5);
        ed->resetMultisampleBoxes();
        if (c.box) ed->BasText_MouseDown(c.box);
        RunNamed(NamedWindow::frmMultisample);
        frmMultisample* p = frmMultisample::Open();
        sent();
        const int box = c.box ? c.box : 1;
        const std::string rec = PrgRec, text = ed->BasText[static_cast<std::size_t>(box)]->Text();
        const unsigned other = recNumber(3 - box);
        if (!c.editorOpen) {
            ASSERT_TRUE(ed->Unload());
        }
        p->List1[static_cast<std::size_t>(c.page)]->setListIndex(c.row);
        p->List1_Click(c.page);  // again: the same text changes nothing
        EXPECT_EQ(sent(), c.message);
        if (c.stored < 0) {
            EXPECT_EQ(PrgRec, rec);
            if (c.editorOpen) {
                EXPECT_EQ(ed->BasText[static_cast<std::size_t>(box)]->Text(), text);
            }
            continue;
        }
        EXPECT_EQ(std::tuple(recNumber(box), recNumber(3 - box)), std::tuple(unsigned(c.stored), other));
        EXPECT_EQ(ed->BasText[static_cast<std::size_t>(box)]->Text(), MultisampleText(c.stored));
        if (box == 2) {
            EXPECT_EQ(mid(PrgRec, 23, 2), bytesOf({0xA4, 0x01}));
        }
    }
}

TEST_F(MultisampleTest, TheSelectedBoxOpensThePickerAndItsTimerFollowsTheBox) {
    put(PrgRec, 21, 0x2C);  // 300
    put(PrgRec, 22, 0x01);
    ed->EditPrgFill();
    ed->BasText_MouseDown(1);
    frmMultisample* p = frmMultisample::Open();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(sent(), "");  // the timer has run
    EXPECT_EQ(std::tuple(frame->ActiveForm(), shown(p)), std::tuple(p, std::string("2:90")));
    // Moved by its scroll bar: the box's message once, and the picker follows.
    ed->BasVScroll[1]->setValue(420);
    EXPECT_EQ(sent(), param(2, 1, 0x24, 0x03));
    EXPECT_EQ(shown(p), "4:0");
    // The box filled from the record: nothing sent or changed. A number past
    // the list (1300, not 130) leaves the picker where the box before it left it.
    for (auto [box, n, where] : std::initializer_list<std::tuple<int, unsigned, const char*>>{
             {2, 250, "2:40"}, {2, 518, "4:98"}, {1, 1300, "4:0"}, {1, 0, "0:0"}}) {
        if (OscTextSel != box) ed->BasText_MouseDown(box);
        sent();
        put(PrgRec, 19 + 2 * box, n & 0xFF);
        put(PrgRec, 20 + 2 * box, n >> 8);
        const std::string rec = PrgRec;
        ed->EditPrgFill();
        EXPECT_EQ(sent(), "");
        EXPECT_EQ(std::tuple(shown(p), PrgRec == rec), std::tuple(std::string(where), true)) << n;
    }
    // Already open behind another window: brought to the front.
    w->activate();
    ed->BasText_MouseDown(2);
    EXPECT_EQ(std::tuple(frame->ActiveForm(), frmMultisample::Open()), std::tuple(p, p));
}

TEST_F(MultisampleTest, NoWindowIsCreatedBehindTheUsersBack) {
    // Armed while the picker is closed: no picker.
    const int count = ChildWinCount;
    MultisamplePickerArm();
    EXPECT_EQ(sent(), "");
    EXPECT_EQ(ToolForm::Find(frame.data(), frmMultisample::Kind), nullptr);
    EXPECT_EQ(std::tuple(ChildWinCount, frame->mnuMultisample->Enabled()), std::tuple(count, true));
    // Armed, then the editor closes before the timer runs: no editor, even with a box still marked.
    ed->BasText_MouseDown(2);
    ASSERT_NE(frmMultisample::Open(), nullptr);
    PrgModified = false;
    ASSERT_TRUE(ed->Unload());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    OscTextSel = 2;
    EXPECT_EQ(sent(), "");
    EXPECT_EQ(ToolForm::Find(frame.data(), frmEditPrg::Kind), nullptr);
}

TEST_F(MultisampleTest, TheRightButtonOnAListOrTheTabStripPopsUpTheEditMenu) {
    RunNamed(NamedWindow::frmMultisample);
    frmMultisample* p = frmMultisample::Open();
    ASSERT_NE(p, nullptr);
    int popups = 0;
    SetPopupMenuHandler([&](QMenu* m) { popups += m == frame->mnuModifica->subMenu(); });
    QTabBar* bar = p->SSTab1->tabBar();
    QTest::mouseClick(p->List1[0]->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    QTest::mouseClick(bar, Qt::RightButton, {}, bar->tabRect(3).center());
    QTest::mouseClick(p->SSTab1, Qt::RightButton, {}, QPoint(p->SSTab1->width() - 3, bar->geometry().center().y()));
    EXPECT_EQ(std::tuple(popups, p->SSTab1->Tab(), p->List1[0]->ListIndex()), std::tuple(3, 0, -1));
}

}  // namespace
