// The keyboard in the four editors. Tab starts at the first control of the
// page in view and goes on as the controls are laid out. Sliders, in the
// four editors open together: Tab from the control before a slider reaches
// it, and each key steps it as the mouse does the same step, with the same
// records and the same messages.
#include <QApplication>
#include <QTabBar>
#include <QTest>
#include <functional>

#include "app/Tables.h"
#include "arrtest.h"
#include "banks/frmPrgUN.h"
#include "editors/frmEditPerf.h"
#include "editors/frmEditPrg.h"
#include "editors/global/frmGbl.h"

namespace {

class SliderKeysTest : public ArrEditTest {
protected:
    // File > Open Prg on "bank1.prg", row 3, Edit. Its byte 59 (the
    // second performance slider's) stands mid-way, so that slider moves it.
    frmEditPrg* editProgram() {
        std::string f = PrgTemplateImage();
        for (int i = 0; i < 64; ++i) putMid(f, 49 + 172L * i, padRight("Prog", 16));
        put(f, 48 + 172L * 3 + 59, 50);
        writeFileBytes(startFile("bank1.prg"), f);
        dialogs.chooseFile(startFile("bank1.prg"), 0, false);
        RunMenuCommand(MenuId::mnuApriPrg);
        frmPrgUN* w = PrgUNForms()[static_cast<std::size_t>(PrgSlotCur)];
        if (!w) return nullptr;
        w->List1->setListIndex(3);
        w->CommEdit_Click();
        return frmEditPrg::Open();
    }
    // File > Open Gbl on "Stage.gbl".
    frmGbl* openGlobal() {
        writeFileBytes(startFile("Stage.gbl"), GblMagic() + std::string(24 + 415 + 1, '\x20'));
        GblSlotFree();
        const int s = GblSlotCur;
        dialogs.chooseFile(startFile("Stage.gbl"), 4, false);
        RunMenuCommand(MenuId::mnuApriGbl);
        return GblForms()[static_cast<std::size_t>(s)].data();
    }
    static void key(Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); }
};

// The control holding the focus, as "name(index)"; an edit field stands for
// its text box.
std::string focused() {
    QWidget* w = QApplication::focusWidget();
    while (w && w->objectName().isEmpty()) w = w->parentWidget();
    return w ? w->objectName().toStdString() + "(" + std::to_string(ControlIndex(w)) + ")" : "none";
}

TEST_F(SliderKeysTest, TabStartsAtTheFirstControlOfThePageInViewAndGoesOnAsLaidOut) {
    writeSong("Show", arrFileWith({{5, "Five"}}));
    m = start([] { GlobalChannel = 0, ArrChannel = 3; });
    resetEditorsState();
    InstallEditors();
    const struct {
        std::function<ChildForm*()> open;
        const char *first, *second;  // the first page's first two stops
        int page;                    // another page (-1: none) and its first stop
        const char* pageFirst;
    } editors[] = {
        // The first window of the frame. Not on the last list of the page
        // (Ext. Controller E), whose arrow keys send dumps.
        {[&] { return openGlobal(); }, "GblHScroll1(0)", "GblCombo1(2)", 3, "Combo3(0)"},
        {[&] { return edit(openArr("Show"), 5); }, "Text1(0)", "Text1(1)", 1, "Text1(8)"},
        {[&] { return editProgram(); }, "BasText(0)", "BasOption(0)", 1, "OscHScroll(1)"},
        {[&] { return RunNamed(NamedWindow::frmEditPerf), frmEditPerf::Open(); }, "PerfVScroll(0)", "PerfVScroll(1)",
         -1, ""},
    };
    for (const auto& e : editors) {
        // Opened while the frame is not the active window (behind the file
        // dialog, say), which then becomes active again.
        QApplication::setActiveWindow(nullptr);
        ChildForm* editor = e.open();
        ASSERT_TRUE(editor);
        QApplication::setActiveWindow(m);
        SCOPED_TRACE(editor->objectName().toStdString());
        key(Qt::Key_Tab);
        EXPECT_EQ(focused(), e.first);
        key(Qt::Key_Tab);
        EXPECT_EQ(focused(), e.second);
        if (e.page < 0) continue;
        // Another page picked with the mouse: the next Tab starts on it.
        QTabBar* strip = FindControl<SSTab>(editor, "SSTab1")->tabBar();
        QTest::mouseClick(strip, Qt::LeftButton, {}, strip->tabRect(e.page).center());
        key(Qt::Key_Tab);
        EXPECT_EQ(focused(), e.pageFirst);
    }
    EXPECT_EQ(boxesShown(), "");
}

// What a key does, and the mouse gesture that does the same.
enum class Mouse { StartArrow, EndArrow, StartTrough, EndTrough, ToMin, ToMax };

void mouse(ScrollBarBase* s, Mouse m) {
    const bool v = s->orientation() == Qt::Vertical;
    const int length = v ? s->height() : s->width();
    auto at = [&](int along) { return v ? QPoint(s->width() / 2, along) : QPoint(along, s->height() / 2); };
    switch (m) {
    case Mouse::StartArrow: return QTest::mouseClick(s, Qt::LeftButton, {}, at(2));
    case Mouse::EndArrow: return QTest::mouseClick(s, Qt::LeftButton, {}, at(length - 3));
    case Mouse::StartTrough: return QTest::mouseClick(s, Qt::LeftButton, {}, at(length / 4));
    case Mouse::EndTrough: return QTest::mouseClick(s, Qt::LeftButton, {}, at(length - length / 4));
    // No arrow goes to an end at once: the value a drag leaves there.
    case Mouse::ToMin: return s->setValue(s->Min());
    case Mouse::ToMax: return s->setValue(s->Max());
    }
}

TEST_F(SliderKeysTest, TabReachesASliderOfEachEditorAndTheKeysStepItAsTheMouseDoes) {
    frmArrU* arrWindow = openShow(arrFileWith({{5, "Five"}}));
    frmEditArr* arr = edit(arrWindow, 5);
    frmEditPrg* prg = editProgram();
    RunNamed(NamedWindow::frmEditPerf);
    frmEditPerf* perf = frmEditPerf::Open();
    frmGbl* gbl = openGlobal();
    ASSERT_TRUE(arr && prg && perf && gbl);
    ASSERT_EQ(boxesShown(), "");
    QApplication::setActiveWindow(m);

    const struct {
        ChildForm* editor;
        QWidget* before;
        ScrollBarBase* slider;
    } sliders[] = {
        {prg, FindControl<ComboBox>(prg, "BasCombo", 4), FindControl<HScroll>(prg, "BasHScroll", 0)},  // Detune
        {perf, perf->PerfVScroll[0], perf->PerfVScroll[1]},
        {arr, arr->Text1[3], arr->VScroll1[1]},  // the Drum track's bank, then its volume (127 at the top)
        {gbl, gbl->GblCombo1[19], gbl->GblHScroll1[1]},
    };
    const struct {
        Qt::Key key;
        Mouse same;
    } keys[] = {
        {Qt::Key_Right, Mouse::EndArrow},     {Qt::Key_Left, Mouse::StartArrow},    {Qt::Key_Down, Mouse::EndArrow},
        {Qt::Key_Up, Mouse::StartArrow},      {Qt::Key_PageDown, Mouse::EndTrough}, {Qt::Key_PageUp, Mouse::StartTrough},
        {Qt::Key_End, Mouse::ToMax},          {Qt::Key_Home, Mouse::ToMin},
    };
    auto stored = [&] { return PrgRec + ArrRec + gbl->Tag() + char('0' + PrgModified) + char('0' + ArrModified); };
    for (const auto& c : sliders) {
        ScrollBarBase* s = c.slider;
        SCOPED_TRACE(c.editor->objectName().toStdString() + " " + s->objectName().toStdString());
        ASSERT_TRUE(c.before && s);
        c.editor->activate();
        c.before->setFocus();
        key(Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), s);
        s->setValue((s->Min() + s->Max()) / 2);
        for (const auto& k : keys) {
            SCOPED_TRACE(QKeySequence(k.key).toString().toStdString());
            const int from = s->Value();
            sent();
            key(k.key);
            const int to = s->Value();
            const std::string keyStored = stored(), keySent = sent();
            s->setValue(from);
            sent();
            mouse(s, k.same);
            EXPECT_EQ(s->Value(), to);
            EXPECT_EQ(stored(), keyStored);
            EXPECT_EQ(sent(), keySent);
            EXPECT_NE(keySent, "");
            EXPECT_EQ(QApplication::focusWidget(), s);
        }
    }
}

}  // namespace
