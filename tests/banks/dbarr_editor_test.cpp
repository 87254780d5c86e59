// The database editor driven through its controls: load, Add all, Delete, Open.
#include <QLineEdit>
#include <filesystem>

#include "dbarrfixture.h"
#include "library/frmArrAB.h"

namespace fs = std::filesystem;

namespace {
using Rows = std::vector<std::string>;
const std::string Banks[] = {"1\tArrA", "2\tArrB"};
Rows withBanks(Rows r) {
    r.insert(r.begin(), {Banks[0], Banks[1]});
    return r;
}
}  // namespace

TEST_F(DBArrTest, EditorLoadListsTheFileOrTheBanksAlone) {
    startDb({{"Big", 300}, {"Song", 3}});
    frmEditDBArr* e = openEditor();
    ASSERT_TRUE(e);
    EXPECT_EQ(rows(e), withBanks({"300\tBig.arr", "3\tSong.arr"}));
    EXPECT_EQ(e->Label3->Caption() + " " + e->Label4->Caption(), "4/999 " + F());
    EXPECT_FALSE(e->CommDelete->isEnabled() || e->CommApri->isEnabled());
    EXPECT_FALSE(frame->mnuWEditDBArr->isEnabled());
    EXPECT_TRUE(EditDBArrOpen);
    EXPECT_EQ(std::tuple(twipsToPxY(e->Height()), twipsToPxX(e->Width())),
              std::tuple(twipsToPxY(6072), twipsToPxX(4308)));
    for (QWidget* w : e->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        EXPECT_TRUE(!w->isVisibleTo(e) || e->rect().contains(w->geometry())) << w->objectName().toStdString();
    }
    e->List1->setListIndex(3);
    EXPECT_TRUE(e->CommDelete->isEnabled() && e->CommApri->isEnabled());
    EXPECT_TRUE(frame->mnuTaglia->isEnabled() && frame->mnuCancella->isEnabled());
    e->List1->setListIndex(1);
    EXPECT_FALSE(e->CommDelete->isEnabled() || frame->mnuTaglia->isEnabled());
    e->Unload();
    EXPECT_EQ(std::tuple(EditDBArrOpen, frame->mnuWEditDBArr->isEnabled(), WinEntry(12).State),
              std::tuple(false, true, 0));

    // An empty database; a missing or foreign file: one box, the banks alone.
    const std::string title = "|Edit i40DBArr";
    for (const auto& [file, box] : {std::pair(dbOf(F(), {}), std::string()),
                                    std::pair(std::string(), ErrMsgText(ErrDBArrNotFound) + title),
                                    std::pair(dbOf(F(), {{"Song", 3}}).substr(1), ErrMsgText(ErrDBArrData) + title)}) {
        fs::remove(DBArrFile);
        if (!file.empty()) writeFileBytes(DBArrFile, file);
        if (!box.empty()) dialogs.answer(vbOK);
        e = openEditor();
        ASSERT_TRUE(e);
        EXPECT_EQ(std::tuple(boxes(), rows(e), e->Label3->Caption(), e->CommAddAll->isEnabled()),
                  std::tuple(box, withBanks({}), std::string("2/999"), box.empty()));
        e->Unload();
    }
}

TEST(DBArrEditor, LongFoldersAreShortenedFromTheMiddle) {
    const auto width = [](const std::string& t) { return static_cast<int>(t.size()) * 100; };
    EXPECT_EQ(FolderShown(std::string(39, 'a'), width), std::string(39, 'a'));
    const std::string f = "/home/" + std::string(60, 'x') + "/end";
    const std::string s = FolderShown(f, width);
    EXPECT_EQ(s.substr(0, 6), "/ho...");
    EXPECT_EQ(s.substr(s.size() - 4), "/end");
    EXPECT_LE(width(s), 3900);
}

TEST_F(DBArrTest, AddAllNumbersTheFolder) {
    startDb({{"beta", 3}});
    for (const char* n : {"alpha.arr", "beta.arr", "BETA.arr", "Gamma.ARR", "TwentyFiveCharactersName1.arr", ".h.arr"})
        arr(n);
    arr("short.arr", arrFileOf({}).substr(1));
    std::string wrong = arrFileOf({});
    put(wrong, 7, 4);
    arr("wrong.arr", wrong);
    arr("notes.txt");
    fs::create_directory(song("d.arr"));
    frmEditDBArr* e = openEditor();
    ASSERT_TRUE(e);
    dialogs.answer(vbOK);
    e->CommAddAll->press();
    EXPECT_EQ(status(), MsgSubst(Msg(101), "i40DBArr"));
    Timer::Advance(20);
    EXPECT_EQ(status(), "");
    EXPECT_DB({{"alpha", 4}, {"beta", 3}, {"Gamma", 5}});
    EXPECT_EQ(e->Label3->Caption(), "5/999");
    EXPECT_EQ(boxes(), MsgSubst(Msg(MsgDBArrNotNumbered), "BETA.arr, TwentyFiveCharactersName1.arr") +
                           "|Opening i40DBArr");
    const auto written = fs::last_write_time(DBArrFile);
    dialogs.answer(vbOK);
    RunMenuCommand(MenuId::mnuAddAll);   // Edit > Add All, while the button is on
    Timer::Advance(40);
    boxes();
    EXPECT_EQ(fs::last_write_time(DBArrFile), written) << "a second run writes nothing";

    fs::rename(F(), F() + "2");
    dialogs.answer(vbOK);
    e->CommAddAll->press();
    Timer::Advance(20);
    EXPECT_EQ(boxes(), ErrMsgText(ErrPathNotFound, F()) + "|Opening i40DBArr");
    EXPECT_DB({{"alpha", 4}, {"beta", 3}, {"Gamma", 5}});
}

TEST_F(DBArrTest, AddAllFillsTheDatabaseAndSaysSo) {
    startDb({});
    const std::string a = arrFileOf({});
    Rows expect;
    std::vector<std::pair<std::string, int>> entries;
    for (int i = 0; i < 999; ++i) {
        char n[8];
        std::snprintf(n, sizeof n, "Arr%03d", i);
        arr(std::string(n) + ".arr", a);
        if (i < 997) entries.push_back({n, 3 + i});
    }
    frmEditDBArr* e = openEditor();
    dialogs.answer(vbOK);
    e->CommAddAll->press();
    Timer::Advance(20);
    EXPECT_EQ(boxes(), Msg(MsgDBArrFull) + "|Opening i40DBArr");
    EXPECT_DB(entries);
    EXPECT_EQ(e->Label3->Caption(), "999/999");
    EXPECT_EQ(ArrDBID, 0);
}

TEST_F(DBArrTest, DeleteRemovesTheEntryItsRowShows) {
    const std::vector<std::pair<std::string, int>> three = {{"alpha", 4}, {"beta", 3}, {"Gamma", 5}};
    startDb(three);
    ClipBuf = "kept";
    frmEditDBArr* e = openEditor();
    ASSERT_TRUE(e);
    // Rows 0 and 1, by button, key or menu: nothing.
    for (int row : {0, 1}) {
        e->List1->setListIndex(row);
        e->CommDelete_Click();
        QTest::keyClick(e->List1, Qt::Key_Delete);
        RunMenuCommand(MenuId::mnuTaglia);
    }
    EXPECT_DB(three);

    const struct {
        const char* how;
        std::function<void()> del;
    } ways[] = {
        {"button", [&] { e->CommDelete->press(); }},
        {"Delete key", [&] { QTest::keyClick(e->List1, Qt::Key_Delete); }},
        {"Edit > Delete", [&] { RunMenuCommand(MenuId::mnuCancella), Timer::Advance(20); }},
        {"Cut", [&] { RunMenuCommand(MenuId::mnuTaglia); }},
        {"Ctrl+Z", [&] { QTest::keyClick(e->List1, Qt::Key_Z, Qt::ControlModifier); }},
    };
    for (const auto& w : ways) {
        SCOPED_TRACE(w.how);
        writeDb(three);
        reload(e);
        e->activate();
        e->List1->setListIndex(3);
        w.del();
        EXPECT_DB({{"alpha", 4}, {"Gamma", 5}});
        EXPECT_EQ(e->List1->ListIndex(), 3);
        EXPECT_EQ(e->List1->List(3), "5\tGamma.arr");
        EXPECT_FALSE(e->CommDelete->isEnabled() || frame->mnuTaglia->isEnabled() || frame->mnuCancella->isEnabled());
        EXPECT_EQ(ClipBuf, "kept");
    }
    // The last row: the new last one; the only entry: row 1.
    e->List1->setListIndex(3);
    e->CommDelete_Click();
    EXPECT_EQ(e->List1->ListIndex(), 2);
    e->CommDelete_Click();
    EXPECT_EQ(e->List1->ListIndex(), 1);
    EXPECT_DB({});

    // The file changed meanwhile: only the entry the row shows goes.
    writeDb(three);
    reload(e);
    writeDb({{"alpha", 4}, {"Gamma", 5}, {"Zeta", 7}});
    e->List1->setListIndex(4);   // Gamma
    e->CommDelete_Click();
    EXPECT_DB({{"alpha", 4}, {"Zeta", 7}});
    EXPECT_EQ(rows(e), withBanks({"4\talpha.arr", "7\tZeta.arr"}));
    writeDb(three);
    reload(e);
    writeDb({{"alpha", 4}, {"Gamma", 5}, {"Zeta", 7}});
    e->List1->setListIndex(3);   // beta, gone
    e->CommDelete_Click();
    EXPECT_DB({{"alpha", 4}, {"Gamma", 5}, {"Zeta", 7}});
    EXPECT_EQ(rows(e), withBanks({"4\talpha.arr", "5\tGamma.arr", "7\tZeta.arr"}));

    // An update removing beta, then Gamma's row.
    writeDb(three);
    reload(e);
    arr("alpha.arr");
    arr("Gamma.arr");
    DBArrAggiorna();
    e->List1->setListIndex(3);
    EXPECT_EQ(e->List1->List(3), "5\tGamma.arr");
    e->CommDelete_Click();
    EXPECT_DB({{"alpha", 4}});
}

TEST_F(DBArrTest, OpenBringsUpTheBankOrTheFile) {
    startDb({{"Song", 3}});
    writeFileBytes(startFile("i40ArrA"), ArrBankImage(0));
    arr("Song.arr", arrFileOf({{0, "First"}}));
    frmEditDBArr* e = openEditor();
    ASSERT_TRUE(e);
    auto open = [&](int row, const std::function<void()>& how) {
        FindIDPending = true;
        e->List1->setListIndex(row);
        how();
        Timer::Advance(20);
        EXPECT_FALSE(FindIDPending);
        EXPECT_EQ(status(), "");
    };
    open(0, [&] { e->CommApri->press(); });
    QPointer<frmArrAB> a = ArrABForm(2);
    ASSERT_TRUE(a && a->Loaded());
    EXPECT_EQ(a->List1->SelCount(), 0);
    a->setWindowState(vbMinimized);
    e->activate();
    open(0, [&] { RunMenuCommand(MenuId::mnuDBArrApri); });
    EXPECT_EQ(std::tuple(a->WindowState(), frame->ActiveForm() == a.data()), std::tuple(vbNormal, true));

    open(2, [&] {
        const QPoint row = e->List1->visualItemRect(e->List1->item(2)).center();
        QTest::mouseDClick(e->List1->viewport(), Qt::LeftButton, {}, row);
    });
    frmArrU* w = ArrUForms()[1];
    ASSERT_TRUE(w && w->Loaded());
    EXPECT_EQ(std::tuple(w->Caption(), w->Text1->Text()),
              std::tuple(std::string("File Arr - Song.arr (1)"), std::string("3")));
    w->setWindowState(vbMinimized);
    open(2, [&] { e->CommApri->press(); });
    EXPECT_EQ(std::tuple(ArrSlotFree(), w->WindowState()), std::tuple(2, vbNormal)) << "no second window";
    EXPECT_TRUE(midi->writes().empty());
    w->Unload();

    fs::remove(song("Song.arr"));
    dialogs.answer(vbOK);
    open(2, [&] { e->CommApri->press(); });
    EXPECT_EQ(boxes(), ErrMsgText(ErrFileNotFoundName, F() + "/Song.arr") + "|Edit i40DBArr");

    arr("Song.arr");
    for (int i = 1; i <= 8; ++i) ArrSlotUsed[static_cast<std::size_t>(i)] = 1;
    dialogs.answer(vbOK);
    open(2, [&] { e->CommApri->press(); });
    EXPECT_EQ(boxes(), Msg(MsgArrWindowsInUse) + "|Edit i40DBArr");
}
