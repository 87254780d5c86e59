// Opening arrangement files: the window's image, list, style box, buttons,
// slot record and recent entry; and every way an open can go wrong.
#include "files/Clipboard.h"
#include "files/Readers.h"
#include "librarytest.h"

namespace {

const std::vector<ArrEntry> BankArrs = {
    {0, "Ballad", 9}, {1, "Own One", 0, 1}, {2, "Swing", 70}, {3, "Ballad Two", 9}, {63, "Last", 3}};

std::string expectedImage(const std::string& path, const std::string& arr, const std::string& prg,
                          const std::string& sty) {
    std::string img(20, '\0');
    for (auto [pos, value] : {std::pair{1, 19}, {3, 2}, {6, 1}, {9, 2}, {15, 1}, {17, 1}}) put(img, pos, value);
    return img + padRight(path, 250) + arr + std::string(1344, ' ') + prg + sty;
}

class OpenArrTest : public LibraryTest {};

TEST_F(OpenArrTest, BankWithItsStylesAndPrograms) {
    FakePrgWindows programWindow;
    const std::string arr = arrFileOf(BankArrs), sty = styFileOf({"Alpha", "Beta"}), prg = prgFileOf(false, 'p');
    writeSong("Bank", arr, sty, prg);
    frmMain* m = start();
    frmArrU* w = openArr("Bank");
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(w->Caption(), "File Arr - Bank.arr (1)");
    EXPECT_EQ(w->Tag(), expectedImage(song("Bank"), arr, prg, sty));
    std::vector<std::string> rows, want;
    for (int i = 0; i < 64; ++i) {
        rows.push_back(w->List1->List(i));
        want.push_back(ArrRowText(w->Tag(), i));
    }
    EXPECT_EQ(rows, want);
    EXPECT_EQ(rows[1].substr(0, 4), "12 +");
    std::vector<std::string> combo;
    for (int i = 0; i < w->Combo1->ListCount(); ++i) combo.push_back(w->Combo1->List(i));
    EXPECT_EQ(combo, (std::vector<std::string>{rtrim(StyRomNames[9]) + " (A22)", rtrim(StyRomNames[70]) + " (B17)",
                                               rtrim(StyRomNames[3]) + " (A14)", "Alpha (U11)", "Beta (U12)"}));
    for (QObject* o : std::initializer_list<QObject*>{w->CommLoadArr, w->CommLoadSty, w->CommShowSty, w->CommLoadPrg,
                                                      w->CommShowPrg, m->mnuLoadArr, m->mnuLoadSty, m->mnuShowSty,
                                                      m->mnuLoadPrg, m->mnuShowPrg})
        EXPECT_TRUE(o->property("enabled").toBool()) << o->objectName().toStdString();
    EXPECT_FALSE(w->CommEdit->isEnabled() || m->mnuEdit->isEnabled()) << "no editor to open";
    EXPECT_FALSE(w->CommAdd->isEnabled() || m->mnui40DBArr->isEnabled()) << "no database to add to";
    const SlotRec& r = ArrSlots[1];
    EXPECT_EQ(std::tuple(r.Path, r.State, r.Top, r.Left, r.Height, r.Width),
              std::tuple(song("Bank"), uint8_t{1}, 0, 0, FormSizes.ArrUHeight, FormSizes.ArrUWidth));
    EXPECT_EQ(std::tuple(MruTable[1].Path, MruTable[1].Kind), std::tuple(song("Bank"), uint8_t{1}));
    EXPECT_EQ(std::tuple(ArrWinCount, ArrSlotUsed[1], CaricaPrgPending), std::tuple(1, 1, true));
    EXPECT_EQ(midi->written(), "") << "opening sends nothing";
}

TEST_F(OpenArrTest, CompanionFilesMissingOrDamaged) {
    const std::string arr = arrFileOf(BankArrs);
    const std::string damagedSty(300, 'x');
    const std::string blanks(30480, ' ');
    const struct {
        const char* what;
        std::string sty, prg, pgg;
        std::vector<std::string> boxes;  // text and title
        unsigned prgPresent, prgType;    // the style part is always the template's (9 = 1)
        std::string atCompanion;
    } cases[] = {
        {"nothing beside it", "", "", "", {}, 0, 0, blanks},
        {"damaged style file", damagedSty, "", "", {"Error reading Bank.sty", "Opening Bank.sty"}, 0, 0, blanks},
        {"damaged .prg, good .pgg", "", std::string(30480, 'x'), prgFileOf(true, 'g'),
         {"Data format error", "Opening Bank.prg"}, 1, 1, prgFileOf(true, 'g')},
        {".prg wins over .pgg", "", prgFileOf(false, 'p'), prgFileOf(true, 'g'), {}, 1, 0, prgFileOf(false, 'p')},
    };
    frmMain* m = start();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (const char* ext : {".sty", ".prg", ".pgg"}) DeleteFile(song(std::string("Bank") + ext));
        writeSong("Bank", arr, c.sty, c.prg);
        if (!c.pgg.empty()) writeFileBytes(song("Bank.pgg"), c.pgg);
        dialogs.shown.clear();
        for (std::size_t i = 0; i < c.boxes.size(); i += 2) dialogs.answer(vbOK);
        frmArrU* w = openArr("Bank");
        ASSERT_NE(w, nullptr);
        std::vector<std::string> boxes;
        for (auto& b : dialogs.shown) boxes.insert(boxes.end(), {b.text, b.title});
        EXPECT_EQ(boxes, c.boxes);
        const std::string& img = w->Tag();
        EXPECT_EQ(std::tuple(at(img, 9), at(img, 6), at(img, 19), img.size()),
                  std::tuple(1u, c.prgPresent, c.prgType, 47550u));
        EXPECT_EQ(mid(img, 42623), StyGrpBuf);
        EXPECT_EQ(mid(img, 12143, 30480), c.atCompanion);
        EXPECT_FALSE(w->CommLoadSty->isEnabled() || w->CommShowSty->isEnabled() || m->mnuLoadSty->isEnabled());
        EXPECT_EQ(w->CommLoadPrg->isEnabled(), c.prgPresent == 1);
        EXPECT_FALSE(w->CommShowPrg->isEnabled()) << "no program window to show";
        if (!c.sty.empty()) {
            // The damaged style file is the user's: saving leaves it as it was.
            put(w->Tag(), ImgChanged, 1);
            dialogs.answer(vbYes);
        }
        EXPECT_TRUE(w->Unload());
        EXPECT_EQ(readFileBytes(song("Bank.sty")) + readFileBytes(song("Bank.arr")), c.sty + arr);
    }
}

TEST_F(OpenArrTest, EmptyBankAndTheTwoLayouts) {
    writeSong("Bank", arrFileOf({}));
    const struct { int tpp, listHeight, bottomTop; } cases[] = {{12, 3900, 3820}, {15, 4000, 4000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tpp);
        delete frame.data();
        InstanceLockRelease();
        OverrideTwipsPerPixel(c.tpp, c.tpp);
        frmMain* m = start();
        EXPECT_EQ(TwipsY, c.tpp);
        frmArrU* w = openArr("Bank");
        ASSERT_NE(w, nullptr);
        EXPECT_FALSE(w->CommLoadArr->isEnabled() || m->mnuLoadArr->isEnabled()) << "nothing to send";
        const int px = twipsToPxY(c.bottomTop);
        EXPECT_EQ(w->List1->height(), twipsToPxY(c.listHeight));
        for (QWidget* b : std::initializer_list<QWidget*>{w->Text1, w->Combo1, w->Text2, w->CommArrPlay,
                                                          w->CommSongPlay, w->CommAdd})
            EXPECT_EQ(b->y(), px) << b->objectName().toStdString();
        EXPECT_EQ(w->Label1[1]->y(), twipsToPxY(c.bottomTop + 40));
        EXPECT_GE(w->CommClose->Left(), FormSizes.ArrUWidth) << "the command column lies beyond the window";
        EXPECT_EQ(w->Height(), pxToTwipsY(twipsToPxY(FormSizes.ArrUHeight)));
        EXPECT_TRUE(w->Unload());
    }
}

TEST_F(OpenArrTest, UserBankWindowShowsNoDatabaseNumber) {
    FakeDatabase db;
    writeSong("Bank", arrFileOf(BankArrs));
    frmMain* m = start();
    ASSERT_EQ(ArrFileRead(song("Bank.arr")), 0);
    ArrSlots[9] = {song("Bank"), 0, 1, 300, 450, 4000, 8000};
    ArrSlotCur = 9;
    auto* w = new frmArrU(m);
    w->Show();
    EXPECT_EQ(w->Caption(), "Arr User (Bank.arr)");
    EXPECT_EQ(std::tuple(w->Top(), w->Left()), std::tuple(pxToTwipsY(twipsToPxY(300)), pxToTwipsX(twipsToPxX(450))));
    EXPECT_FALSE(w->Text1->Visible() || w->Label1[0]->Visible() || w->CommAdd->Visible());
    EXPECT_TRUE(w->Label1[1]->Visible() && db.lookups.empty());
    m->mnuArrU->setEnabled(false);
    EXPECT_TRUE(w->Unload() && m->mnuArrU->isEnabled() && ArrSlots[9].State == 0);
}

TEST_F(OpenArrTest, DatabaseNumberAndAddingOnOpen) {
    FakeDatabase db;
    db.id = 7;
    writeSong("Bank", arrFileOf(BankArrs));
    frmMain* m = start([] { AutoDBArrOpt = true; });
    frmArrU* w = openArr("Bank");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(db.lookups, std::vector<std::string>{song("Bank")});
    EXPECT_EQ(std::tuple(w->Text1->Text(), ArrSlots[1].DBID, db.adds), std::tuple("7", 7, std::vector<int>{19}));
    // Files are added at every open: the add command is off.
    EXPECT_FALSE(w->CommAdd->isEnabled() || m->mnui40DBArr->isEnabled());
    m->mnuAddi40DBArr->setChecked(false);
    w->Form_Activate();
    EXPECT_TRUE(w->CommAdd->isEnabled() && m->mnui40DBArr->isEnabled());
}

TEST_F(OpenArrTest, OpenErrorsChangeNothing) {
    writeSong("Bank", arrFileOf(BankArrs));
    writeFileBytes(song("Empty.arr"), "");
    writeFileBytes(song("Bad.arr"), std::string(100, 'x'));
    frmMain* m = start();
    frmArrU* w = openArr("Bank");
    ASSERT_NE(w, nullptr);
    const std::string image = w->Tag();
    MruTable = {};
    const struct { const char* name; bool minimise; std::string text, title; } cases[] = {
        {"Bank", false, "File already open", "Opening Bank.arr"},
        {"Bank", true, "File already open", "Opening Bank.arr"},
        {"Empty", false, "File not found", "Opening Empty.arr"},
        {"Bad", false, "Error reading Bad.arr", "Opening Bad.arr"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + (c.minimise ? " minimised" : ""));
        if (c.minimise) w->setWindowState(vbMinimized);
        dialogs.shown.clear();
        dialogs.answer(vbOK);
        openArr(c.name);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(std::tuple(dialogs.shown[0].text, dialogs.shown[0].title), std::tuple(c.text, c.title));
        EXPECT_TRUE(m->Forms().size() == 1 && w->Tag() == image && MruEmpty(MruTable[1].Kind));
        EXPECT_EQ(std::tuple(ArrSlotUsed[2], ArrSlots[2].State, ArrWinCount), std::tuple(0, uint8_t{0}, 1));
    }
    EXPECT_FALSE(FileExists(song("Empty.arr"))) << "an empty file is deleted";
    EXPECT_EQ(ArrSlots[1].State, 2);
}

TEST_F(OpenArrTest, EighthWindowTurnsOpenOffAndClosingOneTurnsItOn) {
    frmMain* m = start();
    std::vector<frmArrU*> windows;
    for (int i = 1; i <= 8; ++i) {
        writeSong("S" + std::to_string(i), arrFileOf({{0, "A"}}));
        windows.push_back(openArr("S" + std::to_string(i)));
        ASSERT_NE(windows.back(), nullptr);
        EXPECT_EQ(m->mnuApriArr->isEnabled(), i < 8);
    }
    EXPECT_EQ(ArrWinCount, 8);
    EXPECT_TRUE(windows[3]->Unload() && m->mnuApriArr->isEnabled());
    EXPECT_EQ(std::tuple(ArrSlotUsed[4], ArrWinCount), std::tuple(0, 7));
    // The free slot is taken again by the next file.
    writeSong("S9", arrFileOf({{0, "A"}}));
    frmArrU* again = openArr("S9");
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(again->slot() == 4 && !m->mnuApriArr->isEnabled());
}

}  // namespace
