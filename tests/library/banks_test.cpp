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
    }
    frmMain* begin() { return m = startOnChannels(); }
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
    begin();
    for (int kind : {2, 3}) {
        SCOPED_TRACE(kind);
        frmArrAB* w = bank(kind);
        ASSERT_NE(w, nullptr);
        const std::string img = w->Tag();
        ASSERT_EQ(img.size(), 12142u);
        EXPECT_EQ(std::vector<unsigned>({at(img, 1), at(img, 2), at(img, 3), at(img, 4), at(img, 17)}),
                  std::vector<unsigned>({static_cast<unsigned>(kind), 1, 2, 0, 1}));
        const std::string ab = kind == 2 ? "A" : "B";
        EXPECT_EQ(std::tuple(mid(img, 21, 6), mid(img, 271, 10528), w->List1->ListCount(), w->List1->List(63),
                             w->Text1->Text(), (kind == 2 ? m->mnuArrA : m->mnuArrB)->isEnabled(),
                             int(WinEntry(kind).State)),
                  std::tuple("Arr " + ab + " ", ArrBankImage(kind - 2), 64,
                             "88  " + padRight("Arrangement " + ab + "88", 16), std::string(kind == 2 ? " 1" : " 2"),
                             false, 1));
    }
    EXPECT_EQ(std::tuple(ArrABForm(2)->Caption(), ArrWinCount, dialogs.shown.size()),
              std::tuple(std::string("Arr A - Read Only"), 2, 0u));
}

TEST_F(BanksTest, PickSelectsAtTheTick) {
    begin();
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
    // Two picks before a tick: one selection, for the last.
    frmArrAB* w = bank(2);
    midi->clear();
    w->List1->setListIndex(3);
    w->List1->setListIndex(4);
    Timer::Advance(100);
    EXPECT_EQ(midi->written(), selectOf(4, 0));
}

TEST_F(BanksTest, StyleBoxListsEachFactoryStyleOnce) {
    std::string img = WindowImageNew(2, ArrBankImage(0));
    // Ten distinct styles over the bank, a nameless number, and an empty block.
    for (int i = 0; i < 64; ++i) put(img, ImgArrBlock(i) + 17, static_cast<unsigned>(i % 10));
    put(img, ImgArrBlock(20) + 17, 200);
    put(img, ImgArrBlock(21), 0);
    put(img, ImgArrBlock(21) + 17, 50);
    const auto entries = ArrBankStyleEntries(img);
    ASSERT_EQ(entries.size(), 10u);
    EXPECT_EQ(std::tuple(entries[3], ArrBankStyleText(img, 20), ArrBankIdText(3, 8),
                         ArrBankLabelText("11  Name            "), ArrBankLabelText("11                  ")),
              std::tuple(padRight(StyRomNames[3], 16), std::string("200"), std::string(" 221"), std::string("Name"),
                         std::string()));
}

TEST_F(BanksTest, FindByNumberPicksItsRowOnce) {
    begin();
    FindIDPending = true;
    FindIDPos = 28;
    frmArrAB* w = bank(2);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(std::tuple(w->List1->ListIndex(), w->List1->Selected(28), bool(FindIDPending),
                         w->List1->List(28).substr(0, 2)),
              std::tuple(28, true, false, std::string("45")));
    Timer::Advance(500);
    EXPECT_EQ(midi->written(), selectOf(28, 0));
}

TEST_F(BanksTest, MissingOrDamagedBankOpensNothing) {
    begin();
    QFile::remove(QString::fromStdString(startFile("i40ArrB")));
    FindIDPending = true;
    WinEntry(3).State = 1;
    dialogs.answer(vbOK);
    bank(3);
    EXPECT_EQ(std::tuple(onlyBox(), FindIDPending, WinEntry(3).State, LiveOn(ArrABForm(3), frame.data())),
              std::tuple("File i40ArrB not found", false, 0, false));
    dialogs.shown.clear();
    writeFileBytes(startFile("i40ArrA"), "garbage that is no bank");
    dialogs.answer(vbOK);
    bank(2);
    EXPECT_TRUE(onlyBox().find("i40ArrA") != std::string::npos && !LiveOn(ArrABForm(2), frame.data()));
}

TEST_F(BanksTest, RightClickShowsTheEditMenuAndSendsNothing) {
    begin();
    frmArrAB* w = bank(2);
    std::vector<QMenu*> popups;
    SetPopupMenuHandler([&](QMenu* menu) { popups.push_back(menu); });
    midi->clear();
    const QPoint p = w->List1->visualItemRect(w->List1->item(2)).center();
    QTest::mousePress(w->List1->viewport(), Qt::RightButton, {}, p);
    QTest::mouseRelease(w->List1->viewport(), Qt::RightButton, {}, p);
    Timer::Advance(100);
    EXPECT_EQ(std::tuple(popups, m->mnuCopia->isEnabled(), midi->written()),
              std::tuple(std::vector<QMenu*>{m->mnuModifica->subMenu()}, false, std::string()));
}

TEST_F(BanksTest, ClosingKeepsThePlaceAndGivesTheMenuBack) {
    begin();
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
    begin();
    frmStyAB* w = styBank(18);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(std::tuple(w->List1->List(0), w->List1->List(63), w->Tag().size(), mid(w->Tag(), 21, 8), StyWinCount),
              std::tuple("11  " + padRight(StyRomNames[64], 16), "88  " + padRight(StyRomNames[127], 16), 270u,
                         std::string("Style B "), 1));
    midi->clear();
    const std::string before = ArrRec;
    w->List1->setListIndex(4);
    EXPECT_EQ(std::tuple(ArrRec, ArrModified), std::tuple(before, false)) << "no editor waits";
    EditArrSelSty = true;
    w->List1->setListIndex(5);
    EXPECT_EQ(std::tuple(at(ArrRec, 18), at(ArrRec, 19), ArrModified, EditArrSelSty, midi->written()),
              std::tuple(69u, 0u, true, true, std::string()));
    EXPECT_EQ(std::tuple(StyBankLabel(18, 63), StyBankLabel(17, 0)),
              std::tuple(std::string("Style (B88)"), std::string("Style (A11)")));
}

}  // namespace
