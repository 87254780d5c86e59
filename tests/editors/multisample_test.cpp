// The multisample picker with the program editor: picks into the selected
// box, the timer that follows the box, the window's life and its right
// button.
#include <QMenu>
#include <QTabBar>
#include <QTest>

#include "editors/frmMultisample.h"
#include "editorstest.h"

namespace {

class MultisampleTest : public EditorsTest {
protected:
    void SetUp() override {
        EditorsTest::SetUp();
        w = fileWindow(3);
        ed = edit(w, 5);
        ASSERT_NE(ed, nullptr);
        sent();
        // As at start-up, where the editors are installed before the frame loads.
        MainWindowLink().enableMenu(MenuId::mnuMultisample, true);
    }
    // The picker through View > Multisample.
    frmMultisample* viewMultisample() {
        frame->mnuMultisample->trigger();
        return frmMultisample::Open();
    }
    // The box's multisample in PrgRec (bytes 21-22 or 23-24).
    unsigned recNumber(int box) const { return at(PrgRec, 19 + 2 * box) + 256u * at(PrgRec, 20 + 2 * box); }
    std::string shown(frmMultisample* p) const {
        const int tab = p->SSTab1->Tab();
        return std::to_string(tab) + ":" + std::to_string(p->List1[static_cast<std::size_t>(tab)]->ListIndex());
    }
    PrgWindow* w = nullptr;
    frmEditPrg* ed = nullptr;
};

TEST(MultisamplePages, EntriesPagesAndBoxNumbers) {
    const struct {
        int entry, page, row;
    } places[] = {{0, 0, 0}, {104, 0, 104}, {105, 1, 0}, {250, 2, 40}, {420, 4, 0}, {518, 4, 98}};
    for (const auto& c : places) {
        EXPECT_EQ(std::tuple(MultisamplePage(c.entry), MultisampleRow(c.entry)), std::tuple(c.page, c.row)) << c.entry;
        EXPECT_EQ(MultisampleEntry(c.page, c.row), c.entry);
    }
    const struct {
        const char* text;
        int n;
    } boxes[] = {{"250  Strings", 250}, {"007", 7}, {" 42  x", 42}, {"  9", 9}, {"Pad", 0},
                 {"", 0},               {"-12", -12}, {"1.6", 2}, {"600", 600}, {"5a1", 5}, {"1300", 1300}};
    for (const auto& c : boxes) EXPECT_EQ(MultisampleBoxNumber(c.text), c.n) << c.text;
}

TEST_F(MultisampleTest, LoadFillsFivePagesAndUnloadGivesBackTheMenuItem) {
    const int count = ChildWinCount;
    frmMultisample* p = viewMultisample();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(sent(), "");
    EXPECT_EQ(p->Caption(), "Multisample");
    EXPECT_EQ(p->Tag(), WindowImageNew(35));
    EXPECT_EQ(std::tuple(ChildWinCount, frame->mnuMultisample->Enabled(), WinEntry(35).State),
              std::tuple(count + 1, false, 1));
    EXPECT_FALSE(p->Timer->Enabled());
    EXPECT_EQ(p->Timer->Interval(), 10);
    const char* captions[] = {"000-104", "105-209", "210-314", "315-419", "420-518"};
    const int rows[] = {105, 105, 105, 105, 99};
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(p->SSTab1->TabCaption(k), captions[k]);
        EXPECT_EQ(p->List1[static_cast<std::size_t>(k)]->ListCount(), rows[k]);
        EXPECT_EQ(p->List1[static_cast<std::size_t>(k)]->ListIndex(), -1);
    }
    EXPECT_EQ(p->List1[0]->List(104), MultisampleText(104));
    EXPECT_EQ(p->List1[1]->List(0), MultisampleText(105));
    EXPECT_EQ(p->List1[4]->List(98), MultisampleText(518));
    EXPECT_EQ(MultisampleText(518).substr(0, 5), "518  ");
    // The window is held to its standard size.
    p->Move(0, 0, 12000, 8000);
    EXPECT_LE(p->Width(), FormSizes.MultisampleWidth);
    EXPECT_LE(p->Height(), FormSizes.MultisampleHeight);
    // Open again: the same window.
    EXPECT_TRUE(RunNamed(NamedWindow::frmMultisample));
    EXPECT_EQ(frmMultisample::Open(), p);
    EXPECT_TRUE(p->Unload());
    EXPECT_EQ(std::tuple(ChildWinCount, frame->mnuMultisample->Enabled(), WinEntry(35).State),
              std::tuple(count, true, 0));
    EXPECT_EQ(frmMultisample::Open(), nullptr);
}

TEST_F(MultisampleTest, APickGoesIntoTheSelectedBoxOnly) {
    struct Case {
        const char* what;
        int box;            // the box clicked in the editor (0: none selected)
        bool editorOpen;
        int page, row;
        std::string message;  // what goes out
        int stored;           // the box's multisample afterwards (-1: unchanged)
    };
    const Case cases[] = {
        {"box 2, row 0 of page 4", 2, true, 4, 0, param(2, 1, 0x24, 0x03), 420},
        {"box 1, last row of page 0", 1, true, 0, 104, param(2, 1, 0x68, 0x00), 104},
        {"box 1, first row of page 1", 1, true, 1, 0, param(2, 1, 0x69, 0x00), 105},
        {"no box selected", 0, true, 2, 7, "", -1},
        {"editor closed", 1, false, 3, 9, "", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // Each case from a fresh editor and picker.
        PrgModified = false;
        if (frmEditPrg* open = frmEditPrg::Open()) {
            ASSERT_TRUE(open->Unload());
        }
        if (frmMultisample* open = frmMultisample::Open()) {
            ASSERT_TRUE(open->Unload());
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ed = edit(w, 5);
        ASSERT_NE(ed, nullptr);
        if (c.box) ed->BasText_MouseDown(c.box);
        frmMultisample* p = viewMultisample();
        ASSERT_NE(p, nullptr);
        sent();
        p->List1[static_cast<std::size_t>(c.page)]->setListIndex(-1);
        const int box = c.box ? c.box : 1;
        const std::string text = ed->BasText[static_cast<std::size_t>(box)]->Text();
        const unsigned before = recNumber(box), other = recNumber(3 - box);
        const std::string rec = PrgRec;
        if (!c.editorOpen) {
            PrgModified = false;
            ASSERT_TRUE(ed->Unload());
        }
        p->List1[static_cast<std::size_t>(c.page)]->setListIndex(c.row);
        EXPECT_EQ(sent(), c.message);
        if (c.stored < 0) {
            EXPECT_EQ(PrgRec, rec);
            if (c.editorOpen) {
                EXPECT_EQ(ed->BasText[static_cast<std::size_t>(box)]->Text(), text);
            }
            continue;
        }
        EXPECT_EQ(recNumber(box), static_cast<unsigned>(c.stored));
        EXPECT_NE(recNumber(box), before);
        EXPECT_EQ(ed->BasText[static_cast<std::size_t>(box)]->Text(), MultisampleText(c.stored));
        EXPECT_EQ(recNumber(3 - box), other);
        // Picking the same row again sends nothing new.
        p->List1_Click(c.page);
        EXPECT_EQ(sent(), "");
    }
}

TEST_F(MultisampleTest, ClickWithNoRowChangesNothing) {
    ed->BasText_MouseDown(1);
    frmMultisample* p = frmMultisample::Open();
    ASSERT_NE(p, nullptr);
    sent();
    const std::string rec = PrgRec, text = ed->BasText[1]->Text();
    for (int page = 0; page < 5; ++page) {
        p->List1[static_cast<std::size_t>(page)]->setListIndex(-1);
        p->List1_Click(page);
    }
    EXPECT_EQ(sent(), "");
    EXPECT_EQ(std::tuple(PrgRec, ed->BasText[1]->Text()), std::tuple(rec, text));
}

TEST_F(MultisampleTest, TheTimerShowsTheSelectedBoxsMultisample) {
    struct Case {
        int box;
        unsigned number;  // put into the record, then filled
        std::string shows;  // tab:row
    };
    const Case cases[] = {{1, 250, "2:40"}, {2, 0, "0:0"},   {2, 518, "4:98"},
                          {1, 104, "0:104"}, {1, 600, "0:104"}, {2, 105, "1:0"},
                          {2, 1300, "1:0"}};  // past the list, not entry 130
    ed->BasText_MouseDown(1);
    frmMultisample* p = frmMultisample::Open();
    ASSERT_NE(p, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        if (OscTextSel != c.box) ed->BasText_MouseDown(c.box);
        sent();
        put(PrgRec, 19 + 2 * c.box, c.number & 0xFF);
        put(PrgRec, 20 + 2 * c.box, c.number >> 8);
        const std::string rec = PrgRec;
        ed->EditPrgFill();
        EXPECT_TRUE(p->Timer->Enabled());
        EXPECT_EQ(sent(), "");  // the timer ran: the same text back changes nothing
        EXPECT_FALSE(p->Timer->Enabled());
        EXPECT_EQ(shown(p), c.shows);
        EXPECT_EQ(PrgRec, rec);
    }
}

TEST_F(MultisampleTest, TheEditorsBoxesOpenAndMoveThePicker) {
    put(PrgRec, 21, 0x2C);  // 300
    put(PrgRec, 22, 0x01);
    ed->EditPrgFill();
    w->activate();
    ed->BasText_MouseDown(1);
    frmMultisample* p = frmMultisample::Open();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(frame->ActiveForm(), p);
    EXPECT_EQ(sent(), "");
    EXPECT_EQ(shown(p), "2:90");
    // Moved by its scroll bar: the box's message once, and the picker follows.
    ed->BasVScroll[1]->setValue(420);
    EXPECT_EQ(sent(), param(2, 1, 0x24, 0x03));
    EXPECT_EQ(shown(p), "4:0");
    // Already open, behind another window: brought to the front.
    ed->BasText_MouseDown(1);  // unselected
    w->activate();
    ed->BasText_MouseDown(2);
    EXPECT_EQ(frame->ActiveForm(), p);
    EXPECT_EQ(frmMultisample::Open(), p);
    // Box 2's number is past the list: the picker stays where it was.
    EXPECT_EQ(sent(), "");
    EXPECT_EQ(shown(p), "4:0");
}

TEST_F(MultisampleTest, NoWindowIsCreatedBehindTheUsersBack) {
    // Armed while the picker is closed: no picker.
    const int count = ChildWinCount;
    OscTextSel = 1;
    MultisamplePickerArm();
    EXPECT_EQ(sent(), "");
    EXPECT_EQ(ToolForm::Find(frame.data(), frmMultisample::Kind), nullptr);
    EXPECT_EQ(std::tuple(ChildWinCount, frame->mnuMultisample->Enabled()), std::tuple(count, true));
    OscTextSel = 0;
    // Armed, then the editor closes before the timer runs: no editor.
    ed->BasText_MouseDown(1);
    ASSERT_NE(frmMultisample::Open(), nullptr);
    ed->BasText_MouseDown(1);
    ed->BasText_MouseDown(2);
    PrgModified = false;
    ASSERT_TRUE(ed->Unload());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    OscTextSel = 2;  // even with a box still marked
    EXPECT_EQ(sent(), "");
    EXPECT_EQ(frmEditPrg::Open(), nullptr);
    EXPECT_EQ(ToolForm::Find(frame.data(), frmEditPrg::Kind), nullptr);
    EXPECT_FALSE(EditPrgOpen);
}

TEST_F(MultisampleTest, TheRightButtonOnAListOrTheTabStripPopsUpTheEditMenu) {
    frmMultisample* p = viewMultisample();
    ASSERT_NE(p, nullptr);
    int popups = 0;
    SetPopupMenuHandler([&](QMenu* m) {
        EXPECT_EQ(m, frame->mnuModifica->subMenu());
        ++popups;
    });
    QTabBar* bar = p->SSTab1->tabBar();
    struct Case {
        const char* what;
        std::function<void()> press;
        int popups, tab;
    };
    const Case cases[] = {
        {"right on a list", [&] { QTest::mouseClick(p->List1[0]->viewport(), Qt::RightButton, {}, QPoint(5, 5)); }, 1, 0},
        {"right on a tab", [&] { QTest::mouseClick(bar, Qt::RightButton, {}, bar->tabRect(3).center()); }, 1, 0},
        {"right beside the tabs",
         [&] {
             QTest::mouseClick(p->SSTab1, Qt::RightButton, {},
                               QPoint(p->SSTab1->width() - 3, bar->geometry().center().y()));
         },
         1, 0},
        {"left on a tab", [&] { QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(2).center()); }, 0, 2},
        {"left on a list", [&] { QTest::mouseClick(p->List1[2]->viewport(), Qt::LeftButton, {}, QPoint(5, 5)); }, 0, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        popups = 0;
        c.press();
        EXPECT_EQ(popups, c.popups);
        EXPECT_EQ(p->SSTab1->Tab(), c.tab);
    }
    EXPECT_EQ(p->List1[0]->ListIndex(), -1);  // the right button picks nothing
    EXPECT_EQ(p->List1[2]->ListIndex(), 0);
}

}  // namespace
