// Picking arrangements in the list: what is sent, what the boxes show, the
// keys, the right button and the arrangement editor.
#include "librarytest.h"

namespace {

class SelectArrTest : public LibraryTest {
protected:
    frmArrU* openBank(const std::vector<ArrEntry>& arrs, const std::string& sty = "", bool readOnly = false) {
        writeSong("Bank", arrFileOf(arrs), sty);
        delete frame.data();
        InstanceLockRelease();
        m = start([] { GlobalChannel = 5, ArrChannel = 3; });
        frmArrU* w = openArr("Bank", readOnly);
        Timer::Advance(100);
        midi->clear();
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
    frmMain* m = nullptr;
};

TEST_F(SelectArrTest, RowSelectsTheArrangementOnTheInstrument) {
    frmArrU* w = openBank({{62, "Sixty-two"}, {63, "Last"}});
    ASSERT_NE(w, nullptr);
    const struct { int mode, row; std::string sent; } cases[] = {
        {1, 63, Mode0A + selectOf(63)}, {0, 62, selectOf(62)}, {3, 0, ""},  // an empty row sends nothing
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        ModeNow = c.mode;
        EXPECT_EQ(sentAfter([&] { w->List1->setListIndex(c.row); }), c.sent);
    }
    EXPECT_EQ(ModeNow, 3) << "an empty row changes no mode";
}

TEST_F(SelectArrTest, EmptyRowEmptiesTheBoxesAndTurnsEditOff) {
    FakeEditor editor;
    FakeDatabase db;
    db.id = 7;
    frmArrU* w = openBank({{19, "Row 34", 64, 0, {{1, 70}}}});
    ASSERT_NE(w, nullptr);
    w->List1->setListIndex(19);
    EXPECT_EQ(w->List1->List(19).substr(0, 2), "34");
    EXPECT_EQ(std::tuple(w->Text1->Text(), w->Text2->Text(), w->Combo1->Text()),
              std::tuple(std::string("7 34"), std::string("User"), rtrim(StyRomNames[64]) + " (B11)"));
    EXPECT_TRUE(ArrDBID == 7 && w->CommEdit->isEnabled() && m->mnuEdit->isEnabled());
    EXPECT_EQ(sentAfter([&] { w->List1->setListIndex(20); }), "");
    EXPECT_EQ(std::tuple(w->Text1->Text(), w->Text2->Text(), w->Combo1->Text()),
              std::tuple(std::string(), std::string(), std::string()));
    EXPECT_FALSE(w->CommEdit->isEnabled() || m->mnuEdit->isEnabled() || !editor.calls.empty());
}

TEST_F(SelectArrTest, RightPressShowsTheEditMenuOnceAndSelectsNothing) {
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
              }),
              "");
    EXPECT_EQ(popups, std::vector<QMenu*>{m->mnuModifica->subMenu()});
    EXPECT_EQ(std::tuple(w->List1->ListIndex(), w->List1->SelCount(), w->List1->Selected(1)), std::tuple(1, 1, true));
    // On the window itself, too.
    QTest::mousePress(w, Qt::RightButton, {}, QPoint(5, w->height() - 5));
    EXPECT_EQ(popups.size(), 2u);
}

TEST_F(SelectArrTest, DeleteKeyCutsOnlyInAWritableWindow) {
    int cuts = 0;
    for (bool readOnly : {true, false}) {
        SCOPED_TRACE(readOnly);
        frmArrU* w = openBank({{0, "A"}}, "", readOnly);
        ASSERT_NE(w, nullptr);
        RegisterMenuCommand(MenuId::mnuTaglia, [&] { ++cuts; });
        w->List1->setListIndex(0);
        w->List1->setSelected(0, true);
        dialogs.shown.clear();
        if (readOnly) dialogs.answer(vbOK);
        QTest::keyClick(w->List1, Qt::Key_Delete);
        ASSERT_EQ(dialogs.shown.size(), readOnly ? 1u : 0u);
        if (readOnly) {
            EXPECT_EQ(dialogs.shown[0].text, "Read only file");
        }
        EXPECT_EQ(cuts, readOnly ? 0 : 1);
        // Space with no automatic selection does nothing.
        EXPECT_EQ(sentAfter([&] { QTest::keyClick(w->List1, Qt::Key_Space); }), "");
        EXPECT_EQ(w->List1->SelCount(), 1);
    }
}

TEST_F(SelectArrTest, EditorFollowsTheListAndAsksToKeepChanges) {
    FakeEditor editor;
    frmArrU* w = openBank({{0, "A"}, {5, "B"}});
    ASSERT_NE(w, nullptr);
    w->List1->setListIndex(0);
    EXPECT_TRUE(w->CommEdit->isEnabled());
    QTest::mouseDClick(w->List1->viewport(), Qt::LeftButton, {},
                       w->List1->visualItemRect(w->List1->item(0)).center());
    EXPECT_EQ(editor.calls, (std::vector<std::string>{"build 0", "show"}));
    EXPECT_FALSE(w->CommEdit->isEnabled() || m->mnuEdit->isEnabled());
    EditArrOpen = true;
    const struct { int answer; std::vector<std::string> calls; } cases[] = {
        {vbYes, {"store", "build 5", "fill"}}, {vbNo, {"build 5", "fill"}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        ArrModified = false;
        w->List1->setListIndex(0);
        editor.calls.clear(), dialogs.shown.clear();
        ArrModified = true;
        dialogs.answer(c.answer);
        const std::string sent = sentAfter([&] { w->List1->setListIndex(5); });
        EXPECT_EQ(editor.calls, c.calls);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].text + "|" + dialogs.shown[0].title,
                  "The Arrangement has changed.\nKeep changes ?|Edit Arrangement");
        EXPECT_EQ(sent, selectOf(5)) << "the selection follows the question";
    }
}

TEST_F(SelectArrTest, ParkedClickGoesOnWhenTheSendsEnd) {
    // The instrument holds another file: the click waits for the bank send,
    // then for the style send, then selects.
    const std::string sty = styFileOf({"S0", "S1", "S2", "S3"});
    frmArrU* w = openBank({{2, "A", 0, 1}}, sty);
    ASSERT_NE(w, nullptr);
    m->mnuCaricaArr->setChecked(true);
    m->mnuCaricaSty->setChecked(true);
    w->List1->setListIndex(2);
    EXPECT_EQ(w->TimerList1->Interval(), 11);
    EXPECT_EQ(midi->written(), "");
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
