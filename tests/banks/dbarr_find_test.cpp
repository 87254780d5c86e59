// The find-by-number window, and the database as the other windows reach it.
#include <QLineEdit>
#include <filesystem>

#include "dbarrfixture.h"
#include "library/frmArrAB.h"

namespace fs = std::filesystem;

namespace {
std::string hex(const std::string& b) {
    std::string s;
    char h[4];
    for (unsigned char c : b) std::snprintf(h, sizeof h, "%02X ", c), s += h;
    return s;
}
}  // namespace

class FindIDTest : public DBArrTest {
protected:
    frmFindID* startFind(const std::vector<std::pair<std::string, int>>& entries) {
        start([&] {
            GlobalChannel = 5;
            ArrChannel = 3;
            writeDb(entries);
        });
        writeFileBytes(startFile("i40ArrA"), ArrBankImage(0));
        writeFileBytes(startFile("i40ArrB"), ArrBankImage(1));
        return openFind();
    }
    // After a failed search: nothing pending, and a file opened next selects
    // no row and sends nothing.
    void expectNothingLeft(const std::string& what) {
        SCOPED_TRACE(what);
        EXPECT_FALSE(FindIDPending);
        EXPECT_EQ(status(), "");
        arr("Other.arr");
        midi->clear();
        frmArrU* w = openArr("Other");
        ASSERT_TRUE(w);
        Timer::Advance(1000);
        EXPECT_EQ(w->List1->ListIndex(), -1);
        EXPECT_TRUE(midi->written().empty());
        w->Unload();
    }
};

TEST_F(FindIDTest, WindowAndTypedNumbers) {
    frmFindID* f = startFind({{"Bank", 12}});
    ASSERT_TRUE(f);
    // The designed places, within a pixel.
    const auto near = [](int px, int twips) { return twips < 0 || std::abs(px - twips / 15.0) <= 1.0; };
    for (auto [w, x, y, wd, h] : {std::tuple<QWidget*, int, int, int, int>{f->Text1, 552, 144, 924, 348},
                                  {f->CommOK, 1680, 144, 1308, 360}, {f->Label1, 252, 214, -1, -1}}) {
        const QRect g = w->geometry();
        EXPECT_TRUE(near(g.x(), x) && near(g.y(), y) && near(g.width(), wd) && near(g.height(), h))
            << w->objectName().toStdString();
    }
    EXPECT_TRUE(near(twipsToPxX(f->ScaleWidth()), 3240) && near(twipsToPxY(f->ScaleHeight()), 648));
    EXPECT_EQ(std::tuple(f->Caption(), f->Text1->MaxLength(), frame->mnuWFindID->isEnabled()),
              std::tuple(std::string("Find Arrangement (ID)"), 5, false));
    f->Text1->setText("12345");
    f->Form_Activate();
    EXPECT_EQ(std::tuple(f->Text1->SelStart(), f->Text1->SelLength()), std::tuple(0, 5));

    const std::string title = "|Find Arrangement (ID)";
    const std::string idError = ErrMsgText(ErrNameError, "ID") + title;
    const struct {
        const char *typed, *shown;
        std::string box;
        std::function<void()> before = {};
    } cases[] = {
        {"1190", "1190", idError}, {"1109", "1109", idError}, {"1191", "1191", idError}, {"1101", "1101", idError},
        {"12", "12", idError},     {"1a1", "1a1", idError},   {"", "", idError},
        {"0011", "0011", ErrMsgText(ErrFileNotFoundName, "ID = 0011") + title},
        {"99988", "99988", ErrMsgText(ErrFileNotFoundName, "ID = 99988") + title},
        {" 1245 ", "1245", ErrMsgText(ErrDBArrNotFound) + title, [this] { fs::remove(DBArrFile); }},
        {"1245", "1245", ErrMsgText(ErrDBArrData) + title,
         [this] { writeFileBytes(DBArrFile, "I40DBArr" + dbOf(F(), {}).substr(8)); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        writeDb({{"Bank", 12}});
        if (c.before) c.before();
        dialogs.answer(vbOK);
        f->Text1->setText(c.typed);
        f->CommOK->press();
        EXPECT_EQ(status(), std::string("Opening ID =") + c.shown);
        Timer::Advance(20);
        EXPECT_EQ(boxes(), c.box);
        EXPECT_EQ(f->Text1->Text(), c.shown);
        expectNothingLeft(c.typed);
    }
}

TEST_F(FindIDTest, FindsInTheBankWindows) {
    frmFindID* f = startFind({});
    find(f, "123");
    QPointer<frmArrAB> a = ArrABForm(2);
    ASSERT_TRUE(a && a->Loaded());
    Timer::Advance(500);
    EXPECT_EQ(std::tuple(a->List1->ListIndex(), a->List1->SelCount()), std::tuple(10, 1));
    EXPECT_TRUE(midi->written() == selectOf(10, 0)) << midi->written().size();
    EXPECT_FALSE(FindIDPending);

    find(f, "111");
    RunMenuCommand(MenuId::mnuArrB);
    QPointer<frmArrAB> b = ArrABForm(3);
    ASSERT_TRUE(b && b->Loaded());
    for (int state : {vbNormal, vbMinimized}) {
        b->setWindowState(state);
        f->activate();
        Timer::Advance(500);
        midi->clear();
        find(f, "288");
        Timer::Advance(500);
        EXPECT_EQ(std::tuple(b->WindowState(), frame->ActiveForm() == b.data(), b->List1->ListIndex(),
                             b->List1->SelCount()),
                  std::tuple(vbNormal, true, 63, 1));
        EXPECT_EQ(hex(midi->written()), hex(selectOf(127, 0))) << "once";
    }
    a->Unload();
    fs::remove(startFile("i40ArrA"));
    dialogs.answer(vbOK);
    find(f, "123");
    EXPECT_EQ(dialogs.shown.size(), 1u);
    boxes();
    EXPECT_FALSE(ArrABForm(2) && ArrABForm(2)->Loaded());
    expectNothingLeft("bank file missing");
}

TEST_F(FindIDTest, FindsInANumberedFile) {
    frmFindID* f = startFind({{"Bank", 12}});
    arr("Bank.arr");
    find(f, "1245");
    frmArrU* w = ArrUForms()[1];
    ASSERT_TRUE(w && w->Loaded());
    Timer::Advance(12000);
    EXPECT_EQ(std::tuple(w->Caption(), w->List1->ListIndex(), w->List1->Selected(28), w->Text1->Text()),
              std::tuple(std::string("File Arr - Bank.arr (1)"), 28, true, std::string("12 45")));
    EXPECT_TRUE(midi->written() == selectOf(28)) << midi->written().size();

    // Open already, normal or minimised: one window after, one selection.
    for (int state : {vbNormal, vbMinimized}) {
        SCOPED_TRACE(state);
        w = ArrUForms()[1];
        w->setWindowState(state);
        midi->clear();
        find(f, "1245");
        Timer::Advance(12000);
        EXPECT_EQ(ArrSlotFree(), 2);
        EXPECT_TRUE(midi->written() == selectOf(28));
    }
    // Changed, Cancel at its question: kept with its changes, nothing sent.
    w = ArrUForms()[1];
    put(w->Tag(), 4, 1);
    midi->clear();
    dialogs.answer(vbCancel);
    find(f, "1245");
    Timer::Advance(12000);
    EXPECT_EQ(std::tuple(w->Loaded(), at(w->Tag(), 4), ArrSlotFree()), std::tuple(true, 1, 2));
    EXPECT_TRUE(midi->written().empty());
    boxes();
    expectNothingLeft("cancelled");
    put(w->Tag(), 4, 0);
    // Damaged: the reader's box, the window stays.
    arr("Bank.arr", arrFileOf({}).substr(1));
    dialogs.answer(vbOK);
    find(f, "1245");
    EXPECT_EQ(dialogs.shown.size(), 1u);
    boxes();
    EXPECT_TRUE(w->Loaded());
    expectNothingLeft("damaged");
    w->Unload();
    // Deleted: said with its path.
    fs::remove(song("Bank.arr"));
    dialogs.answer(vbOK);
    find(f, "1245");
    EXPECT_EQ(boxes(), ErrMsgText(ErrFileNotFoundName, F() + "/Bank.arr") + "|Find Arrangement (ID)");
    expectNothingLeft("deleted");
    // Eight other files open.
    arr("Bank.arr");
    for (int i = 1; i <= 8; ++i) ArrSlotUsed[static_cast<std::size_t>(i)] = 1;
    dialogs.answer(vbOK);
    find(f, "1245");
    EXPECT_EQ(boxes(), Msg(MsgArrWindowsInUse) + "|Find Arrangement (ID)");
    EXPECT_FALSE(FindIDPending);
}

TEST_F(FindIDTest, TheArrangementWindowsNumberTheirFiles) {
    startDb({{"Song", 3}});
    arr("Song.arr");
    arr("New.arr", arrFileOf({{0, "First"}}));
    frmArrU* s = openArr("Song");
    ASSERT_TRUE(s);
    EXPECT_EQ(std::tuple(s->Text1->Text(), ArrSlots[1].DBID), std::tuple(std::string("3"), 3));
    frmArrU* n = openArr("New");
    ASSERT_TRUE(n && n->CommAdd->isEnabled());
    n->activate();
    RunMenuCommand(MenuId::mnui40DBArr);   // Edit > +i40DBArr
    Timer::Advance(100);
    EXPECT_DB({{"New", 4}, {"Song", 3}});
    EXPECT_EQ(std::tuple(n->Text1->Text(), ArrSlots[2].DBID), std::tuple(std::string("4"), 4));
    n->Unload();

    // Added at every open: the number at once, then with the row.
    writeDb({{"Song", 3}});
    frame->mnuAddi40DBArr->setChecked(true);
    RunMenuCommand(MenuId::mnuAddi40DBArr);
    if (!AutoDBArrOpt) RunMenuCommand(MenuId::mnuAddi40DBArr);
    ASSERT_TRUE(AutoDBArrOpt);
    n = openArr("New");
    ASSERT_TRUE(n);
    EXPECT_EQ(n->Text1->Text(), "4");
    EXPECT_DB({{"New", 4}, {"Song", 3}});
    n->List1->setListIndex(0);
    Timer::Advance(500);
    EXPECT_EQ(n->Text1->Text(), "4 11");

    // Exit with both tool windows open: the find window reopens, the editor not.
    openFind();
    openEditor();
    frame->Unload(vbFormControlMenu);
    EXPECT_EQ(std::tuple(WinEntry(11).State, WinEntry(12).State), std::tuple(1, 0));
}
