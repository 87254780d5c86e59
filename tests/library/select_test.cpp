// Picking arrangements in the list: what is sent, what the boxes show, the
// keys, the right button and the arrangement editor.
#include "librarytest.h"

namespace {

class SelectArrTest : public LibraryTest {
protected:
    frmArrU* openBank(const std::vector<ArrEntry>& arrs, const std::string& sty = "") {
        writeSong("Bank", arrFileOf(arrs), sty);
        m = start([] { GlobalChannel = 5, ArrChannel = 3; });
        frmArrU* w = openArr("Bank");
        Timer::Advance(100);
        return w;
    }
    // What reaches the instrument for an action (after what went before has).
    std::string sentAfter(const std::function<void()>& act) {
        Timer::Advance(1000);
        midi->clear();
        act();
        Timer::Advance(1000);
        return midi->written();
    }
    std::tuple<std::string, std::string, std::string, bool, bool> boxes(frmArrU* w) {
        return {w->Text1->Text(), w->Text2->Text(), w->Combo1->Text(), w->CommEdit->isEnabled(),
                m->mnuEdit->isEnabled()};
    }
    frmMain* m = nullptr;
};

TEST_F(SelectArrTest, RowSelectsTheArrangementAndFillsTheBoxes) {
    FakeEditor editor;
    FakeDatabase db;
    db.id = 7;
    frmArrU* w = openBank({{19, "Row 34", 64, 0, {{1, 70}}}, {62, "Sixty-two"}, {63, "Last"}});
    ASSERT_NE(w, nullptr);
    const struct { int mode, row; std::string sent; } cases[] = {
        {1, 63, Mode0A + selectOf(63)}, {0, 62, selectOf(62)}, {3, 0, ""}};  // row 0 is empty
    for (const auto& c : cases) {
        ModeNow = c.mode;
        EXPECT_EQ(sentAfter([&] { w->List1->setListIndex(c.row); }), c.sent) << c.row;
    }
    EXPECT_EQ(ModeNow, 3) << "an empty row changes no mode";
    w->List1->setListIndex(19);
    EXPECT_EQ(boxes(w), std::tuple("7 34", "User", rtrim(StyRomNames[64]) + " (B11)", true, true));
    EXPECT_EQ(sentAfter([&] { w->List1->setListIndex(20); }), "");
    EXPECT_EQ(boxes(w), std::tuple("", "", "", false, false));
}

TEST_F(SelectArrTest, RightPressAndSpaceSelectNothing) {
    frmArrU* w = openBank({{0, "A"}, {1, "B"}, {2, "C"}});
    ASSERT_NE(w, nullptr);
    w->List1->setListIndex(1);
    w->List1->setSelected(1, true);
    std::vector<QMenu*> popups;
    SetPopupMenuHandler([&](QMenu* menu) { popups.push_back(menu); });
    const QPoint p = w->List1->visualItemRect(w->List1->item(2)).center();
    EXPECT_EQ(sentAfter([&] {
                  QTest::mousePress(w->List1->viewport(), Qt::RightButton, {}, p);
                  QTest::mouseRelease(w->List1->viewport(), Qt::RightButton, {}, p);
                  QTest::keyClick(w->List1, Qt::Key_Space);  // no automatic selection: nothing
              }),
              "");
    EXPECT_EQ(std::tuple(popups, w->List1->ListIndex(), w->List1->SelCount()),
              std::tuple(std::vector<QMenu*>{m->mnuModifica->subMenu()}, 1, 1));
    QTest::mousePress(w, Qt::RightButton, {}, QPoint(5, w->height() - 5));
    EXPECT_EQ(popups.size(), 2u) << "on the window itself, too";
}

TEST_F(SelectArrTest, EditorFollowsTheListAndAsksToKeepChanges) {
    FakeEditor editor;
    frmArrU* w = openBank({{0, "A"}, {5, "B"}});
    ASSERT_NE(w, nullptr);
    w->List1->setListIndex(0);
    QTest::mouseDClick(w->List1->viewport(), Qt::LeftButton, {},
                       w->List1->visualItemRect(w->List1->item(0)).center());
    EXPECT_EQ(editor.calls, (std::vector<std::string>{"build 0", "show"}));
    EXPECT_FALSE(w->CommEdit->isEnabled() || m->mnuEdit->isEnabled());
    EditArrOpen = true;
    for (int answer : {vbYes, vbNo}) {
        ArrModified = false;
        w->List1->setListIndex(0);
        editor.calls.clear(), dialogs.shown.clear();
        ArrModified = true;
        dialogs.answer(answer);
        EXPECT_EQ(sentAfter([&] { w->List1->setListIndex(5); }), selectOf(5)) << "the selection follows the question";
        using Calls = std::vector<std::string>;
        EXPECT_EQ(editor.calls, (answer == vbYes ? Calls{"store", "build 5", "fill"} : Calls{"build 5", "fill"}));
        EXPECT_EQ(boxesShown(), "The Arrangement has changed.\nKeep changes ?|Edit Arrangement");
    }
}

// The instrument holds another file: the click waits for the bank send, then
// for the style send, then selects.
TEST_F(SelectArrTest, ParkedClickGoesOnWhenTheSendsEnd) {
    frmArrU* w = openBank({{2, "A", 0, 1}}, styFileOf({"S0", "S1", "S2", "S3"}));
    ASSERT_NE(w, nullptr);
    midi->clear();
    CaricaArrOpt = true;
    CaricaStyOpt = true;
    w->List1->setListIndex(2);
    EXPECT_EQ(std::tuple(w->TimerList1->Interval(), midi->written()), std::tuple(11, ""));
    Timer::Advance(9 + 11);
    EXPECT_EQ(w->TimerList1->Interval(), 12) << "after the bank, waiting for the styles";
    Timer::Advance(20 + 1000 + 12);
    EXPECT_EQ(w->TimerList1->Interval(), 10);
    Timer::Advance(6000);  // the paced queue empties
    const std::string tail = StyleDumpOf(w->Tag(), 0) + selectOf(2) + selectOf(2);
    const std::string sent = midi->written();
    ASSERT_GE(sent.size(), tail.size());
    EXPECT_EQ(sent.substr(sent.size() - tail.size()), tail) << "styles, the selection at their end, then the click";
    EXPECT_FALSE(w->TimerList1->Enabled());
}

}  // namespace
