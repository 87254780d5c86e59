// Opening arrangement files: the window's image, list, style box, buttons,
// slot record and recent entry; and every way an open can go wrong.
#include "files/Clipboard.h"
#include "files/Readers.h"
#include "librarytest.h"

namespace {

const std::vector<ArrEntry> BankArrs = {
    {0, "Ballad", 9}, {1, "Own One", 0, 1}, {2, "Swing", 70}, {3, "Ballad Two", 9}, {63, "Last", 3}};

class OpenArrTest : public LibraryTest {};

TEST_F(OpenArrTest, BankWithItsStylesAndPrograms) {
    FakePrgWindows programWindow;
    const std::string arr = arrFileOf(BankArrs), sty = styFileOf({"Alpha", "Beta"}), prg = prgFileOf(false, 'p');
    writeSong("Bank", arr, sty, prg);
    frmMain* m = start();
    frmArrU* w = openArr("Bank");
    ASSERT_NE(w, nullptr);
    std::string header(20, '\0');
    for (auto [pos, value] : {std::pair{1, 19}, {3, 2}, {6, 1}, {9, 2}, {15, 1}, {17, 1}}) put(header, pos, value);
    EXPECT_EQ(w->Tag(), header + padRight(song("Bank"), 250) + arr + std::string(1344, ' ') + prg + sty);
    EXPECT_EQ(std::tuple(w->Caption(), w->List1->List(1).substr(0, 4), midi->written(), dialogs.shown.size()),
              std::tuple(std::string("File Arr - Bank.arr (1)"), std::string("12 +"), std::string(), 0u));
    EXPECT_EQ(std::tuple(w->List1->List(63), w->Combo1->ListCount(), w->Combo1->List(3)),
              std::tuple(ArrRowText(w->Tag(), 63), 5, std::string("Alpha (U11)")));
    for (QObject* o : std::initializer_list<QObject*>{w->CommLoadArr, w->CommLoadSty, w->CommShowSty, w->CommLoadPrg,
                                                      w->CommShowPrg, m->mnuLoadArr, m->mnuLoadSty, m->mnuShowSty,
                                                      m->mnuLoadPrg, m->mnuShowPrg})
        EXPECT_TRUE(o->property("enabled").toBool()) << o->objectName().toStdString();
    EXPECT_FALSE(w->CommEdit->isEnabled() || w->CommAdd->isEnabled()) << "no editor or database to reach";
    const SlotRec& r = ArrSlots[1];
    EXPECT_EQ(std::tuple(r.Path, r.State, r.Top, r.Left, r.Height, r.Width, MruTable[1].Path, MruTable[1].Kind),
              std::tuple(song("Bank"), uint8_t{1}, 0, 0, FormSizes.ArrUHeight, FormSizes.ArrUWidth, song("Bank"),
                         uint8_t{1}));
}

TEST_F(OpenArrTest, CompanionFilesMissingOrDamaged) {
    const std::string arr = arrFileOf(BankArrs), blanks(30480, ' ');
    const struct {
        const char* what;
        std::string sty, prg, pgg;
        std::vector<std::string> boxes;  // text and title
        unsigned prgPresent, prgType;    // the style part is always the template's (9 = 1)
        std::string atCompanion;
    } cases[] = {
        {"nothing beside it", "", "", "", {}, 0, 0, blanks},
        {"damaged style file", std::string(300, 'x'), "", "", {"Error reading Bank.sty", "Opening Bank.sty"}, 0, 0,
         blanks},
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
        EXPECT_EQ(std::tuple(at(img, 9), at(img, 6), at(img, 19), img.size(), mid(img, 42623) == StyGrpBuf,
                             mid(img, 12143, 30480) == c.atCompanion),
                  std::tuple(1u, c.prgPresent, c.prgType, 47550u, true, true));
        EXPECT_FALSE(w->CommLoadSty->isEnabled() || w->CommShowSty->isEnabled() || m->mnuLoadSty->isEnabled());
        EXPECT_EQ(std::tuple(w->CommLoadPrg->isEnabled(), w->CommShowPrg->isEnabled()),
                  std::tuple(c.prgPresent == 1, false));
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
    for (int tpp : {12, 15}) {
        SCOPED_TRACE(tpp);
        OverrideTwipsPerPixel(tpp, tpp);
        frmMain* m = start();
        frmArrU* w = openArr("Bank");
        ASSERT_NE(w, nullptr);
        EXPECT_FALSE(w->CommLoadArr->isEnabled() || m->mnuLoadArr->isEnabled()) << "nothing to send";
        EXPECT_EQ(TwipsY, tpp);
        // The bottom row on one line below the list.
        for (QWidget* b : std::initializer_list<QWidget*>{w->Text1, w->Combo1, w->Text2, w->CommArrPlay,
                                                          w->CommSongPlay, w->CommAdd})
            EXPECT_TRUE(b->y() == w->Text1->y() && b->y() > w->List1->geometry().bottom())
                << b->objectName().toStdString();
        EXPECT_TRUE(w->Unload());
    }
}

TEST_F(OpenArrTest, DatabaseNumberAndTheUserBankWindow) {
    FakeDatabase db;
    db.id = 7;
    writeSong("Bank", arrFileOf(BankArrs));
    frmMain* m = start([] { AutoDBArrOpt = true; });
    frmArrU* w = openArr("Bank");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(std::tuple(db.lookups, w->Text1->Text(), ArrSlots[1].DBID, db.adds),
              std::tuple(std::vector<std::string>{song("Bank")}, "7", 7, std::vector<int>{19}));
    // Files are added at every open: the add command is off.
    EXPECT_FALSE(w->CommAdd->isEnabled() || m->mnui40DBArr->isEnabled());
    AutoDBArrOpt = false;
    w->Form_Activate();
    EXPECT_TRUE(w->CommAdd->isEnabled() && m->mnui40DBArr->isEnabled());

    // The user bank's window has no number to show or look up.
    db.lookups.clear();
    ASSERT_EQ(ArrFileRead(song("Bank.arr")), 0);
    ArrSlots[9] = {song("Bank"), 0, 1, 300, 450, 4000, 8000};
    ArrSlotCur = 9;
    auto* bank = new frmArrU(m);
    bank->Show();
    EXPECT_EQ(bank->Caption(), "Arr User (Bank.arr)");
    EXPECT_FALSE(bank->Text1->Visible() || bank->Label1[0]->Visible() || bank->CommAdd->Visible());
    EXPECT_TRUE(bank->Label1[1]->Visible() && db.lookups.empty());
    m->mnuArrU->setEnabled(false);
    EXPECT_TRUE(bank->Unload() && m->mnuArrU->isEnabled() && ArrSlots[9].State == 0);
}

}  // namespace
