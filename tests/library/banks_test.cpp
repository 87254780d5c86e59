// The factory arrangement and style bank windows: opening from the View
// menu, picking an arrangement, the find by number, the style picker and
// closing.
#include <QMenu>

#include "files/FileFormats.h"
#include "library/BanksView.h"
#include "library/frmArrAB.h"
#include "library/frmStyAB.h"
#include "librarytest.h"

namespace {

class BanksTest : public LibraryTest {
protected:
    void SetUp() override {
        LibraryTest::SetUp();
        writeFileBytes(startFile("i40ArrA"), ArrBankImage(0));
        writeFileBytes(startFile("i40ArrB"), ArrBankImage(1));
        m = startOnChannels();
    }
    frmArrAB* bank(int kind) {
        RunMenuCommand(kind == 3 ? MenuId::mnuArrB : MenuId::mnuArrA);
        return ArrABForm(kind).data();
    }
    frmStyAB* styBank(int kind) {
        RunMenuCommand(kind == 18 ? MenuId::mnuStyB : MenuId::mnuStyA);
        return StyABForm(kind).data();
    }
    frmMain* m = nullptr;
};

TEST_F(BanksTest, ArrangementBankOpensFromTheViewMenu) {
    for (int kind : {2, 3}) {
        SCOPED_TRACE(kind);
        frmArrAB* w = bank(kind);
        ASSERT_NE(w, nullptr);
        const std::string ab = kind == 2 ? "A" : "B";
        EXPECT_TRUE(w->Tag() == WindowImageNew(kind, ArrBankImage(kind - 2)));
        EXPECT_EQ(std::tuple(w->List1->ListCount(), w->List1->List(63), w->Text1->Text(),
                             (kind == 2 ? m->mnuArrA : m->mnuArrB)->isEnabled(), int(WinEntry(kind).State)),
                  std::tuple(64, "88  " + padRight("Arrangement " + ab + "88", 16), kind == 2 ? " 1" : " 2", false, 1));
    }
    EXPECT_EQ(std::tuple(ArrABForm(2)->Caption(), ArrWinCount, dialogs.shown.size()),
              std::tuple(std::string("Arr A - Read Only"), 2, 0u));

    // The style box: ten distinct styles give ten entries; a style number
    // beyond the names shows the number.
    std::string img = WindowImageNew(2, ArrBankImage(0));
    for (int i = 0; i < 64; ++i) put(img, ImgArrBlock(i) + 17, static_cast<unsigned>(i % 10));
    put(img, ImgArrBlock(20) + 17, 200);
    put(img, ImgArrBlock(21), 0);  // an empty block's style is not listed
    put(img, ImgArrBlock(21) + 17, 50);
    const auto entries = ArrBankStyleEntries(img);
    EXPECT_EQ(std::tuple(entries.size(), entries.at(3), ArrBankStyleText(img, 20)),
              std::tuple(10u, padRight(StyRomNames[3], 16), std::string("200")));
}

TEST_F(BanksTest, PickSelectsAtTheTick) {
    const struct { int kind, row; std::string id; int pc; } cases[] = {
        {3, 0, " 211", 0x40}, {3, 63, " 288", 0x7F}, {2, 63, " 188", 0x3F}, {3, 8, " 221", 0x48}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        frmArrAB* w = bank(c.kind);
        Timer::Advance(100);
        midi->clear();
        w->List1->setListIndex(c.row);
        Timer::RunDue();
        EXPECT_EQ(std::tuple(midi->written(), m->LabelArr->Caption()),
                  std::tuple(std::string(), rtrim(w->List1->List(c.row).substr(4))))
            << "nothing before the tick";
        Timer::Advance(100);
        EXPECT_EQ(std::tuple(midi->written(), w->Text1->Text(), w->Combo1->Text(), ArrABKind),
                  std::tuple(selectOf(c.pc, 0), c.id, ArrBankStyleText(w->Tag(), c.row), c.kind));
    }
    frmArrAB* w = bank(2);
    midi->clear();
    w->List1->setListIndex(3);
    w->List1->setListIndex(4);
    Timer::Advance(100);
    EXPECT_EQ(midi->written(), selectOf(4, 0)) << "two picks before a tick: one selection, for the last";

    // A right click shows the Edit menu, with nothing to copy, and sends nothing.
    std::vector<QMenu*> popups;
    SetPopupMenuHandler([&](QMenu* menu) { popups.push_back(menu); });
    w->List1->setListIndex(-1);
    midi->clear();
    const QPoint p = w->List1->visualItemRect(w->List1->item(2)).center();
    QTest::mousePress(w->List1->viewport(), Qt::RightButton, {}, p);
    QTest::mouseRelease(w->List1->viewport(), Qt::RightButton, {}, p);
    Timer::Advance(100);
    EXPECT_EQ(std::tuple(popups, m->mnuCopia->isEnabled(), midi->written()),
              std::tuple(std::vector<QMenu*>{m->mnuModifica->subMenu()}, false, std::string()));
}

// The find by number picks its row once; with the bank missing (or damaged)
// nothing opens and the find ends.
TEST_F(BanksTest, FindHandOver) {
    FindIDPending = true;
    FindIDPos = 28;
    frmArrAB* w = bank(2);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(std::tuple(w->List1->ListIndex(), w->List1->Selected(28), bool(FindIDPending),
                         w->List1->List(28).substr(0, 2)),
              std::tuple(28, true, false, std::string("45")));
    Timer::Advance(500);
    EXPECT_EQ(midi->written(), selectOf(28, 0));
    w->Unload();

    QFile::remove(QString::fromStdString(startFile("i40ArrB")));
    writeFileBytes(startFile("i40ArrA"), "garbage that is no bank");
    for (int kind : {3, 2}) {
        FindIDPending = true;
        WinEntry(kind).State = 1;
        dialogs.shown.clear();
        dialogs.answer(vbOK);
        bank(kind);
        EXPECT_EQ(std::tuple(kind == 3 ? onlyBox() : "", FindIDPending, WinEntry(kind).State,
                             LiveOn(ArrABForm(kind), frame.data()), dialogs.shown.size()),
                  std::tuple(kind == 3 ? "File i40ArrB not found" : "", false, 0, false, 1u));
    }
}

TEST_F(BanksTest, ClosingKeepsThePlaceAndGivesTheMenuBack) {
    const struct { int kind; bool closing; } cases[] = {{2, false}, {3, true}, {17, false}, {18, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        ChildForm* w = c.kind < 17 ? static_cast<ChildForm*>(bank(c.kind)) : styBank(c.kind);
        ASSERT_NE(w, nullptr);
        MenuItem* item = c.kind == 2 ? m->mnuArrA : c.kind == 3 ? m->mnuArrB : c.kind == 17 ? m->mnuStyA : m->mnuStyB;
        EXPECT_FALSE(item->isEnabled());
        int sh = 0, sw = 0;
        StandardSize(c.kind, sh, sw);
        w->Move(300, 195, sw + 3000, sh + 3000);
        EXPECT_TRUE(w->Width() < sw + 15 && w->Height() < sh + 15) << w->Width() << "x" << w->Height();
        AppClosing = c.closing;
        w->Unload();
        AppClosing = false;
        const WinState& e = WinEntry(c.kind);
        EXPECT_EQ(std::tuple(e.Left, e.Top, int{e.State}, item->isEnabled()),
                  std::tuple(300, 195, c.closing ? 1 : 0, true));
    }
    EXPECT_EQ(std::tuple(ArrWinCount, StyWinCount), std::tuple(0, 0));
}

TEST_F(BanksTest, StyleBankPicksAStyleOnlyForTheEditor) {
    frmStyAB* w = styBank(18);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(std::tuple(w->List1->List(0), w->List1->List(63), w->Tag().size()),
              std::tuple("11  " + padRight(StyRomNames[64], 16), "88  " + padRight(StyRomNames[127], 16), 270u));
    midi->clear();
    const std::string before = ArrRec;
    w->List1->setListIndex(4);
    EXPECT_EQ(std::tuple(ArrRec == before, ArrModified), std::tuple(true, false)) << "no editor waits";
    // The editor writes the style into the record; the window hands it the
    // row and its own image.
    struct StyleEditor : FakeEditor {
        void editArrStyAssign(int row, const std::string& image) override {
            calls.push_back("style " + std::to_string(row) + " of " + std::to_string(WinKind(image)));
            ArrModified = true;  // assigned, as the editor marks it
        }
    } editor;
    EditArrSelSty = true;
    w->List1->setListIndex(5);
    EXPECT_EQ(std::tuple(editor.calls, ArrModified, EditArrSelSty, midi->written()),
              std::tuple(std::vector<std::string>{"style 5 of 18"}, true, true, std::string()));
    EXPECT_EQ(std::tuple(StyBankLabel(18, 63), StyBankLabel(17, 0)),
              std::tuple(std::string("Style (B88)"), std::string("Style (A11)")));
}

}  // namespace
