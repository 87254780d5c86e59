// Controls: the old controls' events and data, driven by code and by the mouse.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTabBar>
#include <QTest>
#include <array>
#include <memory>

#include "platform/Controls.h"
#include "testenv.h"

class ControlsTest : public VelmoraTest {
protected:
    void SetUp() override {
        VelmoraTest::SetUp();
        OverrideTwipsPerPixel(0, 0);
        window = std::make_unique<QWidget>();
        window->resize(400, 300);
    }
    void TearDown() override {
        window.reset();
        OverrideTwipsPerPixel(0, 0);
        VelmoraTest::TearDown();
    }
    // A shown list with `n` rows "row 0"...
    ListBox* makeList(int n, int multiSelect = 0) {
        auto* l = new ListBox(window.get(), "List1");
        l->setMultiSelect(multiSelect);
        l->setGeometry(0, 0, 200, 250);
        for (int i = 0; i < n; ++i) l->AddItem("row " + std::to_string(i));
        window->show();
        return l;
    }
    void click(ListBox* l, int row, Qt::MouseButton b = Qt::LeftButton) {
        QTest::mouseClick(l->viewport(), b, {}, l->visualItemRect(l->item(row)).center());
    }
    std::unique_ptr<QWidget> window;
};

TEST_F(ControlsTest, ListIndexInCodeAndLeftClicksRaiseClick) {
    ListBox* l = makeList(5);
    std::vector<int> clicks;
    int dbl = 0;
    l->Click = [&] { clicks.push_back(l->ListIndex()); };
    l->DblClick = [&] { ++dbl; };
    EXPECT_EQ(l->ListIndex(), -1);  // adding rows selects none
    l->setListIndex(2);
    ASSERT_EQ(clicks, std::vector<int>{2});  // raised inside the assignment, row already set
    l->setListIndex(2);  // unchanged: no event
    l->setSelected(4, true);  // selecting a row of a single-selection list moves the row
    l->setListIndex(-1);
    l->setListIndex(9);  // out of range: ignored
    click(l, 3), click(l, 3);  // the same row twice
    EXPECT_EQ(clicks, (std::vector<int>{2, 4, -1, 3, 3}));
    QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(3)).center());
    EXPECT_EQ(dbl, 1);

    // Rows keep their bytes and show up to the first NUL; the current row moves with its row.
    const std::string withNul("Piano\0\x01junk", 11), latin("Caf\xE9", 4);
    l->AddItem(withNul, 0), l->AddItem(latin, 0);
    EXPECT_EQ(std::tuple(l->List(1), l->List(0), l->item(1)->text(), l->item(0)->text()),
              std::tuple(withNul, latin, QString("Piano"), QString::fromUtf8("Caf\xC3\xA9")));
    EXPECT_EQ(l->ListIndex(), 5);
    l->RemoveItem(0);
    EXPECT_EQ(l->ListIndex(), 4);
    l->RemoveItem(4);
    EXPECT_EQ(l->ListIndex(), -1);  // removing it leaves none, and picks no other
}

TEST_F(ControlsTest, RightButtonChangesNeitherRowNorSelection) {
    for (int mode : {0, 1, 2}) {
        SCOPED_TRACE(mode);
        ListBox* l = makeList(6, mode);
        l->setListIndex(1);
        if (mode != 0) l->setSelected(1, true);
        int clicks = 0;
        std::vector<std::array<int, 4>> downs;
        l->Click = [&] { ++clicks; };
        l->MouseDown = [&](int b, int s, int x, int y) { downs.push_back({b, s, x, y}); };
        const QPoint p = l->visualItemRect(l->item(4)).center();
        click(l, 4, Qt::RightButton);
        EXPECT_EQ(std::tuple(l->ListIndex(), l->SelCount(), clicks), std::tuple(1, 1, 0));
        EXPECT_EQ(downs, (std::vector<std::array<int, 4>>{{vbRightButton, 0, pxToTwipsX(p.x()), pxToTwipsY(p.y())}}));
        delete l;
    }
    ListBox* l = makeList(5, 1);  // simple multi-selection: a click toggles its row
    for (int row : {0, 2, 0}) click(l, row);
    l->setListIndex(3);  // moves the current row only
    EXPECT_EQ(std::tuple(l->Selected(0), l->Selected(2), l->Selected(3)), std::tuple(false, true, false));
}

// Getting the focus picks no row and raises nothing (a window that hides
// hands its list the focus); the keys that move the row or the selection
// raise Click as a click does.
TEST_F(ControlsTest, ListClickComesFromTheUserOrCodeNeverFromTheFocus) {
    for (int mode : {0, 1, 2}) {
        SCOPED_TRACE(mode);
        ListBox* l = makeList(4, mode);
        std::vector<int> clicks;
        l->Click = [&] { clicks.push_back(l->ListIndex()); };
        auto focus = [&](QEvent::Type t) {
            QFocusEvent e(t, Qt::TabFocusReason);
            QApplication::sendEvent(l, &e);
        };
        focus(QEvent::FocusIn);
        EXPECT_EQ(std::tuple(clicks.size(), l->ListIndex(), l->currentRow()), std::tuple(0u, -1, -1));
        QTest::keyClick(l, Qt::Key_Down);
        QTest::keyClick(l, Qt::Key_End);
        focus(QEvent::FocusOut), focus(QEvent::FocusIn);
        QTest::keyClick(l, Qt::Key_Shift);  // moves nothing
        EXPECT_EQ(clicks, (std::vector<int>{0, 3}));
        if (mode == 1) {
            QTest::keyClick(l, Qt::Key_Space);  // toggles the row's selection in place
            EXPECT_EQ(std::tuple(clicks.size(), l->Selected(3)), std::tuple(3u, true));
        }
        delete l;
    }
}

// A list with a fixed row step keeps its rows beside the controls laid out at
// that step, whatever the font's own line height.
TEST_F(ControlsTest, AFixedRowStepPlacesEveryRow) {
    OverrideTwipsPerPixel(15, 15);
    for (int columns : {0, 2}) {
        ListBox l(nullptr, "List1");
        l.setColumns(columns);
        l.resize(300, 400);
        l.setRowHeight(241);  // 16 pixels
        for (int i = 0; i < 19; ++i) l.AddItem("row " + std::to_string(i));
        l.show();
        for (int i : {0, 1, 9, 18})
            EXPECT_EQ(l.visualItemRect(l.item(i)).top(), (columns == 2 ? i % 24 : i) * 16) << columns << " row " << i;
    }
}

TEST_F(ControlsTest, AssignmentsRaiseTheChangeEventsOnce) {
    CheckBox chk(window.get(), "Check1");
    int chkClicks = 0;
    chk.Click = [&] { ++chkClicks; };
    for (int v : {1, 1, 0}) chk.setValue(v);
    chk.click();  // the user
    EXPECT_EQ(std::tuple(chk.Value(), chkClicks), std::tuple(1, 3));

    VScroll vs(window.get(), "VScroll1");
    std::vector<int> changes;
    vs.Change = [&] { changes.push_back(vs.Value()); };
    vs.setMax(0);
    vs.setMin(127);  // the value grows upwards
    for (int v : {64, 64, 500}) vs.setValue(v);  // the last clamped
    EXPECT_EQ(changes, (std::vector<int>{64, 127}));
    HScroll hs(window.get(), "HScroll1");
    hs.setMax(10);
    hs.setLargeChange(4);
    hs.Change = [&] { changes.push_back(hs.Value()); };
    hs.triggerAction(QAbstractSlider::SliderPageStepAdd);  // the user clicks the trough
    EXPECT_EQ(changes.back(), 4);

    for (bool multi : {false, true}) {
        SCOPED_TRACE(multi);
        TextBox t(window.get(), "Text1", -1, multi);
        std::vector<std::string> seen;
        t.Change = [&] { seen.push_back(t.Text()); };
        for (const char* s : {"abc", "abc", ""}) t.setText(s);
        EXPECT_EQ(seen, (std::vector<std::string>{"abc", ""}));
        const std::string name("Dr\xFCm", 4);  // Latin-1 bytes from a file come back unchanged
        t.setText(name);
        EXPECT_EQ(t.Text(), name);
        if (t.lineEdit()) t.lineEdit()->insert("x");  // the user types
        if (t.plainEdit()) t.plainEdit()->insertPlainText("x");
        EXPECT_EQ(seen.size(), 4u);
    }

    ComboBox c(window.get(), "Combo1");
    c.setComboStyle(2);
    int cClicks = 0;
    c.Click = [&] { ++cClicks; };
    c.AddItem("one");
    c.AddItem(std::string("two\0x", 5));
    EXPECT_EQ(c.ListIndex(), -1);  // adding rows selects none
    c.setListIndex(1);
    c.setListIndex(1);
    EXPECT_EQ(std::tuple(cClicks, c.Text(), c.itemText(1)), std::tuple(1, std::string("two\0x", 5), QString("two")));

    OptionButton a(window.get(), "Option1", 0), b(window.get(), "Option1", 1);
    std::vector<int> opts;
    a.Click = [&] { opts.push_back(0); };
    b.Click = [&] { opts.push_back(1); };
    a.setValue(true);
    b.setValue(true);
    EXPECT_EQ(std::tuple(a.Value(), opts), std::tuple(false, std::vector<int>{0, 1}));

    SSTab tab(window.get(), "SSTab1");
    tab.setTabs(3);
    std::vector<int> prev;
    tab.Click = [&](int p) { prev.push_back(p); };
    for (int t : {2, 2, 1}) tab.setTab(t);
    EXPECT_EQ(prev, (std::vector<int>{0, 2}));
    auto* onPage = new Label(tab.page(1), "Label1");
    EXPECT_EQ(FindControl<Label>(&tab, "Label1"), onPage);
}

// A press on the tab strip is reported once, whatever the button; only the
// left button picks a tab, and a press on a page is not the strip's.
TEST_F(ControlsTest, TabStripPressesAreReported) {
    SSTab tab(window.get(), "SSTab1");
    tab.setTabs(3);
    tab.setTabCaption(0, "One");
    tab.setTabCaption(1, "Two");
    tab.setTabCaption(2, "Three");
    tab.setGeometry(0, 0, 400, 300);
    window->show();
    std::vector<std::pair<int, int>> downs;  // button, shift
    tab.MouseDown = [&](int button, int shift, int, int) { downs.emplace_back(button, shift); };
    QTabBar* bar = tab.tabBar();
    const QPoint beside(tab.width() - 4, bar->geometry().center().y());
    const struct {
        QWidget* on;
        QPoint at;
        Qt::MouseButton button;
        Qt::KeyboardModifiers keys;
        std::vector<std::pair<int, int>> reported;
        int tab;
    } cases[] = {
        {bar, bar->tabRect(2).center(), Qt::RightButton, {}, {{2, 0}}, 0},
        {bar, bar->tabRect(1).center(), Qt::LeftButton, Qt::ShiftModifier, {{1, 1}}, 1},
        {&tab, beside, Qt::RightButton, {}, {{2, 0}}, 1},
        {tab.page(1), QPoint(20, 20), Qt::RightButton, {}, {}, 1},
    };
    for (const auto& c : cases) {
        downs.clear();
        QTest::mouseClick(c.on, c.button, c.keys, c.at);
        EXPECT_EQ(downs, c.reported);
        EXPECT_EQ(tab.Tab(), c.tab);
    }
}

TEST_F(ControlsTest, MenuCheckMarksMoveOnlyByCode) {
    QMenuBar bar;
    MenuItem* file = AddMenu(&bar, window.get(), "mnuFile", "&File");
    MenuItem* thru = file->add("mnuMidiThru", "MIDI &Thru");
    file->addSeparator("mnuSep1");
    MenuItem* plain = file->add("mnuExit", "E&xit");
    int clicks = 0, opened = 0;
    thru->Click = [&] { ++clicks; };
    file->Click = [&] { ++opened; };
    for (bool state : {false, true}) {
        thru->setChecked(state);
        thru->trigger();  // as a click on it does
        EXPECT_EQ(thru->isChecked(), state);
    }
    plain->trigger();
    emit file->subMenu()->aboutToShow();  // opening a menu raises its Click
    EXPECT_EQ(std::tuple(clicks, plain->Checked(), opened), std::tuple(2, false, 1));
}

TEST_F(ControlsTest, ArraysAreFoundByNameAndIndex) {
    auto* frame = new Frame(window.get(), "Frame1");
    std::vector<CommandButton*> loads;
    for (int i : {2, 0, 1}) loads.push_back(new CommandButton(frame, "CommLoadStyGrp", i));
    EXPECT_EQ(FindControl<CommandButton>(window.get(), "CommLoadStyGrp", 1), loads[2]);
    EXPECT_FALSE(FindControl<CommandButton>(window.get(), "CommLoadStyGrp", 5) ||
                 FindControl<Label>(window.get(), "CommLoadStyGrp", 0));  // no such index; wrong kind
    EXPECT_EQ(FindControls<CommandButton>(window.get(), "CommLoadStyGrp"),
              (std::vector<CommandButton*>{loads[1], loads[2], loads[0]}));
}

// A centred caption that fits stays centred; one wider than its label shows
// its beginning, as a left-aligned one does, cut at its end.
TEST_F(ControlsTest, ALabelTooNarrowCutsItsCaptionAtTheEnd) {
    const auto shown = [this](Qt::Alignment a, const std::string& caption) {
        Label l(window.get(), "Label1");
        l.setGeometry(0, 0, 80, 20);
        l.setAlignment(a);
        l.setCaption(caption);
        return l.grab().toImage();
    };
    for (const std::string caption : {"14%", "Loading Arrangement 14%"}) {
        const bool fits = caption == "14%";
        EXPECT_EQ(shown(Qt::AlignCenter, caption) == shown(Qt::AlignLeft | Qt::AlignVCenter, caption), !fits) << caption;
    }
}

// Min stands at the top (or left) end and Max at the other, whichever is
// larger: the thumb, the arrows and the keys all run that way.
TEST_F(ControlsTest, ScrollBarsRunFromMinAtTheTopOrLeft) {
    struct Case {
        Qt::Orientation o;
        int min, max;
    };
    for (const Case& c : {Case{Qt::Vertical, 50, -50}, Case{Qt::Vertical, 0, 100}, Case{Qt::Horizontal, 518, 0},
                          Case{Qt::Horizontal, -99, 99}}) {
        SCOPED_TRACE(std::to_string(c.min) + ".." + std::to_string(c.max));
        std::unique_ptr<ScrollBarBase> s;
        if (c.o == Qt::Vertical)
            s = std::make_unique<VScroll>(window.get(), "VScroll2");
        else
            s = std::make_unique<HScroll>(window.get(), "HScroll1");
        s->setMin(c.min);
        s->setMax(c.max);
        s->setGeometry(10, 10, c.o == Qt::Vertical ? 16 : 200, c.o == Qt::Vertical ? 200 : 16);
        window->show();
        std::vector<int> changes;
        s->Change = [&] { changes.push_back(s->Value()); };
        const int mid = (c.min + c.max) / 2, toMin = c.min > c.max ? 1 : -1;
        s->setValue(mid);
        changes.clear();
        const QPoint startArrow = c.o == Qt::Vertical ? QPoint(8, 3) : QPoint(3, 8);
        const QPoint endArrow = c.o == Qt::Vertical ? QPoint(8, 196) : QPoint(196, 8);
        QTest::mouseClick(s.get(), Qt::LeftButton, {}, startArrow);
        QTest::mouseClick(s.get(), Qt::LeftButton, {}, startArrow);
        EXPECT_EQ(s->Value(), mid + 2 * toMin);
        QTest::mouseClick(s.get(), Qt::LeftButton, {}, endArrow);
        EXPECT_EQ(s->Value(), mid + toMin);
        QTest::keyClick(s.get(), c.o == Qt::Vertical ? Qt::Key_Up : Qt::Key_Left);
        EXPECT_EQ(s->Value(), mid + 2 * toMin);
        EXPECT_EQ(changes, (std::vector<int>{mid + toMin, mid + 2 * toMin, mid + toMin, mid + 2 * toMin}));
        // The thumb stands nearer the end of the value it shows.
        s->setValue(c.min);
        const int atMin = s->sliderPosition();
        s->setValue(c.max);
        EXPECT_LT(atMin, s->sliderPosition());
        // A range that leaves the value outside moves it, once.
        changes.clear();
        s->setMax(c.min);
        EXPECT_EQ(changes, std::vector<int>{c.min});
    }
}

// Shift+click in an extended multi-column list selects the rows from the
// anchor (the last plain or Ctrl click) to the clicked row, in row order and
// nothing more, whatever the columns' row step against the font's own line
// height, and whichever column either end stands in; Ctrl+Shift adds the
// range to what is selected.
TEST_F(ControlsTest, ShiftClickSelectsFromTheAnchorToTheRowExactly) {
    OverrideTwipsPerPixel(15, 15);
    const struct { const char* kind; int columns, rows, step, fontSize, width, height; } lists[] = {
        {"program bank", 4, 64, 14, 10, 700, 240},   // rows packed tighter than the font's line
        {"arrangement file", 4, 64, 17, 10, 640, 300},
        {"loose rows", 4, 64, 24, 9, 640, 400},
        {"font's own step", 4, 64, 0, 10, 640, 400},
        {"two columns", 2, 30, 15, 10, 400, 240},
    };
    struct Gesture { int anchor, target; bool ctrl; std::vector<int> before, after; };
    const Gesture gestures[] = {
        {0, 2, false, {}, {0, 1, 2}},             // down one column
        {2, 0, false, {}, {0, 1, 2}},             // up one column
        {14, 17, false, {}, {14, 15, 16, 17}},   // across a column break
        {17, 14, false, {}, {14, 15, 16, 17}},
        {5, 5, false, {}, {5}},
        {3, 5, false, {9, 10}, {3, 4, 5}},        // a plain Shift+click drops the rest
        {3, 5, true, {9, 10}, {3, 4, 5, 9, 10}},  // with Ctrl it adds
    };
    for (const auto& kind : lists) {
        for (const Gesture& g : gestures) {
            SCOPED_TRACE(std::string(kind.kind) + " " + std::to_string(g.anchor) + "-" + std::to_string(g.target) +
                         (g.ctrl ? " ctrl" : ""));
            auto* l = new ListBox(window.get(), "List1");
            QFont f = l->font();
            f.setPointSize(kind.fontSize);
            l->setFont(f);
            l->setColumns(kind.columns);
            l->setMultiSelect(2);
            l->setGeometry(0, 0, kind.width, kind.height);
            if (kind.step) l->setRowHeight(kind.step * 15);
            for (int i = 0; i < kind.rows; ++i) l->AddItem(std::to_string(i / 8 + 1) + std::to_string(i % 8 + 1) + "  Name");
            window->resize(kind.width + 20, kind.height + 20);
            window->show();
            QApplication::processEvents();
            int clicks = 0;
            l->Click = [&] { ++clicks; };
            const auto at = [l](int row) { return l->visualItemRect(l->item(row)).center(); };
            // The rows picked before, then the anchor (Ctrl+click when it adds to them).
            Qt::KeyboardModifiers mods;
            for (int r : g.before) {
                QTest::mouseClick(l->viewport(), Qt::LeftButton, mods, at(r));
                mods = Qt::ControlModifier;
            }
            QTest::mouseClick(l->viewport(), Qt::LeftButton, mods, at(g.anchor));
            const int clicksBefore = clicks;
            QTest::mouseClick(l->viewport(), Qt::LeftButton,
                              g.ctrl ? Qt::ShiftModifier | Qt::ControlModifier : Qt::ShiftModifier, at(g.target));
            std::vector<int> selected;
            for (int i = 0; i < l->ListCount(); ++i)
                if (l->Selected(i)) selected.push_back(i);
            EXPECT_EQ(selected, g.after);
            EXPECT_EQ(std::tuple(l->ListIndex(), clicks - clicksBefore), std::tuple(g.target, 1));
            delete l;
        }
    }
}

// A list of four columns at a fixed row step, as the bank windows lay out
// their 64 rows, with the list's own painting of them: the rows keep their
// bytes and show them cut at the first NUL, each row stands in its cell and
// is found there by a click, and code, the mouse and the keys move the
// current row and the selection as in any list.
TEST_F(ControlsTest, ColumnListsKeepTheirRowsSelectionsAndClicks) {
    OverrideTwipsPerPixel(15, 15);
    const int step = 17;
    using Act = std::function<void(ListBox*)>;
    const auto press = [this](int row, Qt::KeyboardModifiers mods = {}, Qt::MouseButton b = Qt::LeftButton) {
        return [=, this](ListBox* l) {
            QTest::mouseClick(l->viewport(), b, mods, l->visualItemRect(l->item(row)).center());
        };
    };
    const auto keys = [](std::vector<Qt::Key> ks) {
        return [=](ListBox* l) {
            for (Qt::Key k : ks) QTest::keyClick(l, k);
        };
    };
    const auto then = [](Act a, Act b) { return [=](ListBox* l) { a(l), b(l); }; };
    const struct {
        const char* what;
        int multiSelect;
        Act act;
        int listIndex;
        std::vector<int> selected;
        int clicks;
    } cases[] = {
        {"code picks a row", 0, [](ListBox* l) { l->setListIndex(37); }, 37, {37}, 1},
        {"a click in the third column", 0, press(40), 40, {40}, 1},
        {"the same row clicked twice", 0, then(press(5), press(5)), 5, {5}, 2},
        {"Right moves across a column", 0, then(press(3), keys({Qt::Key_Right})), 19, {19}, 2},
        {"Down at a column's foot", 0, then(press(15), keys({Qt::Key_Down})), 16, {16}, 2},
        {"Left from the first column moves nothing", 0, then(press(2), keys({Qt::Key_Left})), 2, {2}, 1},
        {"a right press", 0, then(press(9), press(50, {}, Qt::RightButton)), 9, {9}, 1},
        {"simple: clicks toggle rows", 1, then(press(3), then(press(40), press(3))), 3, {40}, 3},
        {"simple: Space toggles the current row", 1, then(press(3), keys({Qt::Key_Right, Qt::Key_Space})), 19,
         {3, 19}, 3},
        {"simple: a right press", 1, then(press(6), press(60, {}, Qt::RightButton)), 6, {6}, 1},
        {"extended: Ctrl+click adds", 2, then(press(1), press(63, Qt::ControlModifier)), 63, {1, 63}, 2},
        {"extended: Shift+click across columns", 2, then(press(14), press(33, Qt::ShiftModifier)), 33,
         {14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33}, 2},
        {"extended: Shift+Right", 2, then(press(50), keys({Qt::Key_Right})), 50, {50}, 1},
        {"extended: a right press", 2, then(press(7), press(8, {}, Qt::RightButton)), 7, {7}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto* l = new ListBox(window.get(), "List1");
        l->setColumns(4);
        l->setMultiSelect(c.multiSelect);
        l->setRowHeight(step * 15);
        // Room for sixteen rows and for the scroll bar a list in columns keeps room for.
        const int frame = l->frameWidth(), bar = l->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        l->setGeometry(0, 0, 4 * 150 + 2 * frame, 16 * step + bar + 4 + 2 * frame);
        for (int i = 0; i < 64; ++i) {
            std::string name = std::to_string(i / 8 + 1) + std::to_string(i % 8 + 1) + "  Name";
            if (i == 5) name = std::string("15  Piano\0\x01junk", 16);
            l->AddItem(name);
        }
        window->show();
        l->show();
        QApplication::processEvents();
        // Sixteen rows to a column, each in its cell and found there.
        for (int i = 0; i < 64; ++i) {
            const QRect r = l->visualItemRect(l->item(i));
            ASSERT_EQ(std::tuple(r.left() / 150, r.top()), std::tuple(i / 16, i % 16 * step)) << i;
            ASSERT_EQ(l->itemAt(r.center()), l->item(i)) << i;
        }
        EXPECT_EQ(std::tuple(l->List(5), l->item(5)->text(), l->TopIndex(), l->ListIndex()),
                  std::tuple(std::string("15  Piano\0\x01junk", 16), QString("15  Piano"), 0, -1));
        int clicks = 0;
        l->Click = [&] { ++clicks; };
        l->setFocus();
        c.act(l);
        std::vector<int> selected;
        for (int i = 0; i < l->ListCount(); ++i)
            if (l->Selected(i)) selected.push_back(i);
        EXPECT_EQ(std::tuple(l->ListIndex(), selected, clicks), std::tuple(c.listIndex, c.selected, c.clicks));
        // Painted with whatever is current and selected.
        EXPECT_FALSE(l->grab().isNull());
        delete l;
    }
}
