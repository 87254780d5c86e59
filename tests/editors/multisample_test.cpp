// The multisample picker with the program editor: picks into the selected
// box, the timer that follows the box, the window's life and its right
// button.
#include <QImage>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainter>
#include <QTabBar>
#include <QTest>

#include "editors/frmMultisample.h"
#include "editorstest.h"

namespace {

// The page shown and its selected row, "page:row".
std::string shown(frmMultisample* p) {
    const int tab = p->SSTab1->Tab();
    return std::to_string(tab) + ":" + std::to_string(p->List1[static_cast<std::size_t>(tab)]->ListIndex());
}

class MultisampleTest : public EditorOpenTest {
protected:
    void SetUp() override {
        EditorOpenTest::SetUp();
        // As at start-up, where the editors are installed before the frame loads.
        MainWindowLink().enableMenu(MenuId::mnuMultisample, true);
    }
    // The box's multisample in PrgRec (bytes 21-22 or 23-24).
    unsigned recNumber(int box) const { return at(PrgRec, 19 + 2 * box) + 256u * at(PrgRec, 20 + 2 * box); }
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
        const std::string text = ed->BasText[static_cast<std::size_t>(box)]->Text();
        const unsigned other = recNumber(3 - box);
        if (!c.editorOpen) {
            ASSERT_TRUE(ed->Unload());
        }
        const std::string rec = PrgRec;
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

// Where the ink of the rectangle `r` of an image begins (from r's top) and
// how many pixel rows it spans.
std::pair<int, int> inkRows(const QImage& img, QRect r) {
    int top = -1, bottom = -1;
    r &= img.rect();
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (qGray(img.pixel(x, y)) < 128) {
                if (top < 0) top = y;
                bottom = y;
                break;
            }
    return {top < 0 ? 0 : top - r.top(), top < 0 ? 0 : bottom - top + 1};
}
// The pixel rows a text spans drawn alone in `font`.
int inkHeightAlone(const QFont& font, const QString& text) {
    QImage img(400, 80, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QPoint(10, 50), text);
    p.end();
    return inkRows(img, img.rect()).second;
}

// The picker as a user has it: opened from the OSC-1 box of the editor on a
// program of a real program file window, with an arrangement window opened
// meanwhile. Every row of every page stands whole inside its list at the
// font the list shows, as opened, maximised and restored; the timer that
// shows the box's multisample never picks it for the box; closing the
// picker brings back the editor it was opened from.
class PickerWithWindowsTest : public FileWindowTest {
protected:
    void SetUp() override {
        FileWindowTest::SetUp();
        MainWindowLink().enableMenu(MenuId::mnuMultisample, true);
    }
};

TEST_F(PickerWithWindowsTest, RowsWholeAtEverySizeTheTimerPicksNothingAndTheCloseGoesBackToTheEditor) {
    frmPrgUN* w = openBank([](std::string& f, long block) { put(f, block + 20, 250); });  // OSC-1 multisample 250
    ASSERT_NE(w, nullptr);
    pick(w, 1);
    w->CommEdit_Click();
    frmEditPrg* ed = frmEditPrg::Open();
    ASSERT_NE(ed, nullptr);
    writeFileBytes(startFile("Song.arr"), ArrNativeHeader() + std::string(64 * ArrBlkLen, '\0'));
    dialogs.chooseFile(startFile("Song.arr"), 0, false);
    RunMenuCommand(MenuId::mnuApriArr);
    ASSERT_EQ(frame->ActiveForm()->objectName(), "frmArrU");
    ed->activate();
    ed->BasText_MouseDown(1);
    frmMultisample* p = frmMultisample::Open();
    ASSERT_NE(p, nullptr);
    sent();
    ASSERT_EQ(p->SSTab1->Tab(), 2);

    // Whole rows, each found inside the list, the list filling its page.
    for (int state : {vbNormal, vbMaximized, vbNormal}) {
        p->setWindowState(state);
        QApplication::processEvents();
        for (int page = 0; page < MultisamplePages; ++page) {
            SCOPED_TRACE(std::to_string(state) + " page " + std::to_string(page));
            p->SSTab1->setTab(page);
            QApplication::processEvents();
            ListBox* l = p->List1[static_cast<std::size_t>(page)];
            const QSize place = l->parentWidget()->size();
            EXPECT_LE(std::abs(place.width() - l->width()), 2 * twipsToPxX(60) + 1);
            EXPECT_LE(std::abs(place.height() - l->height()), 2 * twipsToPxY(60) + 1);
            // Every row reachable: in sight, or brought into sight by the scroll bar.
            const QRect inside = l->viewport()->rect();
            const int alone = inkHeightAlone(l->font(), l->item(0)->text());
            for (int r = 0; r < l->ListCount(); ++r) {
                l->scrollToItem(l->item(r));
                const QRect cell = l->visualItemRect(l->item(r));
                ASSERT_TRUE(inside.contains(cell) && l->itemAt(cell.center()) == l->item(r)) << r;
                if (r > 1 && r < l->ListCount() - 1) continue;
                const auto [top, height] = inkRows(l->viewport()->grab().toImage(), cell);
                EXPECT_TRUE(top > 0 && height == alone) << r << ": " << top << " " << height << " of " << alone;
            }
            l->setTopIndex(0);
        }
    }
    p->SSTab1->setTab(0);

    // A box holding no number; clicked off and on, the timer shows its
    // number (or 0) and the box, the record and the instrument are left alone.
    for (auto [typed, where] : std::initializer_list<std::pair<const char*, const char*>>{
             {"", "0:0"}, {"Pad", "0:0"}, {"p", "0:0"}, {"+12", "0:12"}}) {
        SCOPED_TRACE(typed);
        QLineEdit* box = ed->BasText[1]->lineEdit();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, typed);
        const std::string rec = PrgRec;
        ed->BasText_MouseDown(1);
        ed->BasText_MouseDown(1);
        EXPECT_EQ(sent(), "");
        EXPECT_EQ(std::tuple(ed->BasText[1]->Text(), PrgRec == rec, shown(p)),
                  std::tuple(std::string(typed), true, std::string(where)));
    }
    EXPECT_EQ(at(PrgRec, 21), 250u);
    // A pick still goes into the box.
    QTest::mouseClick(p->List1[0]->viewport(), Qt::LeftButton, {},
                      p->List1[0]->visualItemRect(p->List1[0]->item(7)).center());
    EXPECT_EQ(std::tuple(ed->BasText[1]->Text(), at(PrgRec, 21)), std::tuple(MultisampleText(7), 7u));

    // The close box: back to the editor, not to the arrangement window.
    p->subWindow()->close();
    EXPECT_EQ(frmMultisample::Open(), nullptr);
    EXPECT_EQ(frame->ActiveForm(), ed);
}

}  // namespace
