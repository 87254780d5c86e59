// The find-by-number window, and the database as the other windows reach it.
#include <QLineEdit>
#include <filesystem>

#include "dbarrfixture.h"
#include "library/frmArrAB.h"

namespace fs = std::filesystem;

class FindIDTest : public DBArrTest {
protected:
    const std::string title = "|Find Arrangement (ID)";
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
        EXPECT_EQ(std::tuple(FindIDPending, status()), std::tuple(false, std::string()));
        arr("Other.arr");
        midi->clear();
        frmArrU* w = openArr("Other");
        ASSERT_TRUE(w);
        Timer::Advance(1000);
        EXPECT_EQ(std::tuple(w->List1->ListIndex(), midi->written()), std::tuple(-1, std::string()));
        w->Unload();
    }
};

TEST_F(FindIDTest, TypedNumbersThatFindNothing) {
    frmFindID* f = startFind({{"Bank", 12}});
    ASSERT_TRUE(f);
    f->Text1->setText("12345");
    f->Form_Activate();
    EXPECT_EQ(std::tuple(f->Text1->SelStart(), f->Text1->SelLength(), f->Text1->MaxLength()), std::tuple(0, 5, 5));

    const std::string good = dbOf(F(), {{"Bank", 12}}), idError = ErrMsgText(ErrNameError, "ID") + title;
    std::vector<std::tuple<std::string, std::string, std::string>> cases;   // typed, database, box
    for (const char* typed : {"1190", "1109", "1191", "1101", "12", "1a1", ""}) cases.emplace_back(typed, good, idError);
    cases.insert(cases.end(), {{"0011", good, ErrMsgText(ErrFileNotFoundName, "ID = 0011") + title},
                               {"99988", good, ErrMsgText(ErrFileNotFoundName, "ID = 99988") + title},
                               {" 1245 ", "", ErrMsgText(ErrDBArrNotFound) + title},
                               {"1245", "I40DBArr" + good.substr(8), ErrMsgText(ErrDBArrData) + title}});
    for (const auto& [typed, image, box] : cases) {
        SCOPED_TRACE(typed);
        const std::string shown = QString::fromStdString(typed).trimmed().toStdString();
        fs::remove(DBArrFile);
        if (!image.empty()) writeFileBytes(DBArrFile, image);
        dialogs.answer(vbOK);
        f->Text1->setText(typed);
        f->CommOK->press();
        EXPECT_EQ(status(), "Opening ID =" + shown);
        Timer::Advance(20);
        EXPECT_EQ(std::tuple(boxes(), f->Text1->Text()), std::tuple(box, shown));
        expectNothingLeft(typed);
    }
}

TEST_F(FindIDTest, FindsInTheBankWindows) {
    frmFindID* f = startFind({});
    find(f, "123");
    QPointer<frmArrAB> a = ArrABForm(2);
    ASSERT_TRUE(a && a->Loaded());
    Timer::Advance(500);
    EXPECT_EQ(std::tuple(a->List1->ListIndex(), a->List1->SelCount(), midi->written() == selectOf(10, 0), FindIDPending),
              std::tuple(10, 1, true, false));
    // Open already, normal or minimised: brought forward, one selection sent.
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
                             b->List1->SelCount(), midi->written() == selectOf(127, 0)),
                  std::tuple(vbNormal, true, 63, 1, true));
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
    // Opened, then again while open, normal or minimised: one window, one selection.
    for (int state : {-1, int(vbNormal), int(vbMinimized)}) {
        SCOPED_TRACE(state);
        if (state >= 0) ArrUForms()[1]->setWindowState(state);
        midi->clear();
        find(f, "1245");
        Timer::Advance(12000);
        frmArrU* w = ArrUForms()[1];
        ASSERT_TRUE(w && w->Loaded());
        EXPECT_EQ(std::tuple(w->Caption(), w->List1->ListIndex(), w->List1->Selected(28), w->Text1->Text(),
                             ArrSlotFree(), midi->written() == selectOf(28)),
                  std::tuple(std::string("File Arr - Bank.arr (1)"), 28, true, std::string("12 45"), 2, true));
    }
    // Changed, Cancel at its question: kept with its changes, nothing sent.
    frmArrU* w = ArrUForms()[1];
    put(w->Tag(), 4, 1);
    midi->clear();
    dialogs.answer(vbCancel);
    find(f, "1245");
    Timer::Advance(12000);
    EXPECT_EQ(std::tuple(w->Loaded(), at(w->Tag(), 4), ArrSlotFree(), midi->written()),
              std::tuple(true, 1, 2, std::string()));
    boxes();
    expectNothingLeft("cancelled");
    put(w->Tag(), 4, 0);
    // Damaged: the reader's box, the window stays.
    arr("Bank.arr", arrFileOf({}).substr(1));
    dialogs.answer(vbOK);
    find(f, "1245");
    EXPECT_EQ(std::tuple(dialogs.shown.size(), w->Loaded()), std::tuple(1u, true));
    boxes();
    expectNothingLeft("damaged");
    w->Unload();
    fs::remove(song("Bank.arr"));
    dialogs.answer(vbOK);
    find(f, "1245");
    EXPECT_EQ(boxes(), ErrMsgText(ErrFileNotFoundName, F() + "/Bank.arr") + title);
    expectNothingLeft("deleted");
    arr("Bank.arr");
    for (int i = 1; i <= 8; ++i) ArrSlotUsed[static_cast<std::size_t>(i)] = 1;
    dialogs.answer(vbOK);
    find(f, "1245");
    EXPECT_EQ(std::tuple(boxes(), FindIDPending), std::tuple(Msg(MsgArrWindowsInUse) + title, false));
}

TEST_F(FindIDTest, TheArrangementWindowsNumberTheirFiles) {
    startDb({{"Song", 3}});
    arr("Song.arr");
    arr("New.arr", arrFileOf({{0, "First"}}));
    frmArrU* s = openArr("Song");
    ASSERT_TRUE(s);
    EXPECT_EQ(std::tuple(s->Text1->Text(), ArrSlots[1].DBID, s->CommAdd->isEnabled()),
              std::tuple(std::string("3"), 3, true));
    // Added at every open: the number at once, then with the row.
    AutoDBArrOpt = true;
    frmArrU* n = openArr("New");
    ASSERT_TRUE(n);
    EXPECT_EQ(std::tuple(n->Text1->Text(), ArrSlots[2].DBID), std::tuple(std::string("4"), 4));
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
