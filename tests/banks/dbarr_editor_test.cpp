// The database editor driven through its controls: load, Add all, Delete, Open.
#include <QLineEdit>
#include <filesystem>

#include "dbarrfixture.h"
#include "library/frmArrAB.h"

namespace fs = std::filesystem;

namespace {
using Rows = std::vector<std::string>;
Rows withBanks(Rows r) {
    r.insert(r.begin(), {"1\tArrA", "2\tArrB"});
    return r;
}
}  // namespace

TEST_F(DBArrTest, EditorLoadListsTheFileOrTheBanksAlone) {
    startDb({{"Big", 300}, {"Song", 3}});
    frmEditDBArr* e = openEditor();
    ASSERT_TRUE(e);
    EXPECT_EQ(std::tuple(rows(e), e->Label3->Caption(), e->Label4->Caption(), e->CommDelete->isEnabled(),
                         e->CommApri->isEnabled(), frame->mnuWEditDBArr->isEnabled()),
              std::tuple(withBanks({"300\tBig.arr", "3\tSong.arr"}), std::string("4/999"), F(), false, false, false));
    for (QWidget* w : e->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        EXPECT_TRUE(!w->isVisibleTo(e) || e->rect().contains(w->geometry())) << w->objectName().toStdString();
    }
    // Delete, Cut and Edit > Delete follow the selection: entries only.
    for (int row : {3, 1}) {
        e->List1->setListIndex(row);
        EXPECT_EQ(std::tuple(e->CommDelete->isEnabled(), e->CommApri->isEnabled(), frame->mnuTaglia->isEnabled(),
                             frame->mnuCancella->isEnabled()),
                  std::tuple(row > 1, true, row > 1, row > 1)) << row;
    }
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

// The file gone since the start: the editor shows the banks alone, an
// arrangement of the working folder gets no number, and the database a file
// window then makes is listed with Add All on.
TEST_F(DBArrTest, EditorWithoutADatabaseNumbersNothingUntilOneIsMade) {
    startDb({{"Song", 3}});
    arr("Song.arr");
    arr("New.arr");
    fs::remove(DBArrFile);
    dialogs.answer(vbOK);
    frmEditDBArr* e = openEditor();
    ASSERT_TRUE(e);
    EXPECT_EQ(std::tuple(boxes(), rows(e), e->CommAddAll->isEnabled()),
              std::tuple(ErrMsgText(ErrDBArrNotFound) + "|Edit i40DBArr", withBanks({}), false));
    frmArrU* w = openArr("Song");
    ASSERT_TRUE(w);
    EXPECT_EQ(std::tuple(w->Text1->Text(), ArrSlots[1].DBID, DBArrLookupID(F() + "/Song")),
              std::tuple(std::string(), 0, 0));

    dialogs.answer(vbYes);
    w->CommAdd->press();
    Timer::Advance(500);
    EXPECT_DB({{"Song", 3}});
    EXPECT_EQ(std::tuple(boxes(), w->Text1->Text(), rows(e), e->Label3->Caption(), e->CommAddAll->isEnabled()),
              std::tuple(AskKeepChangesText(3) + "|Edit i40DBArr", std::string("3"), withBanks({"3\tSong.arr"}),
                         std::string("3/999"), true));
    e->CommAddAll->press();
    Timer::Advance(20);
    EXPECT_DB({{"New", 4}, {"Song", 3}});
    EXPECT_EQ(std::tuple(boxes(), rows(e)), std::tuple(std::string(), withBanks({"4\tNew.arr", "3\tSong.arr"})));
}

TEST(DBArrEditor, LongFoldersAreShortenedFromTheMiddle) {
    const auto width = [](const std::string& t) { return static_cast<int>(t.size()) * 100; };
    EXPECT_EQ(FolderShown(std::string(39, 'a'), width), std::string(39, 'a'));
    const std::string s = FolderShown("/home/" + std::string(60, 'x') + "/end", width);
    EXPECT_EQ(std::tuple(s.substr(0, 6), s.substr(s.size() - 4), width(s) <= 3900), std::tuple("/ho...", "/end", true));
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
    EXPECT_DB({{"alpha", 4}, {"beta", 3}, {"Gamma", 5}});
    EXPECT_EQ(std::tuple(status(), e->Label3->Caption(), boxes()),
              std::tuple(std::string(), std::string("5/999"),
                         MsgSubst(Msg(MsgDBArrNotNumbered), "BETA.arr, TwentyFiveCharactersName1.arr") +
                             "|Opening i40DBArr"));
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
    std::vector<std::pair<std::string, int>> entries;
    for (int i = 0; i < 999; ++i) {
        const std::string n = "Arr" + std::string(i < 10 ? "00" : i < 100 ? "0" : "") + std::to_string(i);
        arr(n + ".arr", arrFileOf({}));
        if (i < 997) entries.push_back({n, 3 + i});
    }
    frmEditDBArr* e = openEditor();
    dialogs.answer(vbOK);
    e->CommAddAll->press();
    Timer::Advance(20);
    EXPECT_EQ(std::tuple(boxes(), e->Label3->Caption(), ArrDBID),
              std::tuple(Msg(MsgDBArrFull) + "|Opening i40DBArr", std::string("999/999"), 0));
    EXPECT_DB(entries);
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

    const std::function<void()> ways[] = {
        [&] { e->CommDelete->press(); },
        [&] { QTest::keyClick(e->List1, Qt::Key_Delete); },
        [&] { RunMenuCommand(MenuId::mnuCancella), Timer::Advance(20); },
        [&] { RunMenuCommand(MenuId::mnuTaglia); },
        [&] { QTest::keyClick(e->List1, Qt::Key_Z, Qt::ControlModifier); },
    };
    for (const auto& del : ways) {
        SCOPED_TRACE(&del - ways);   // button, Delete key, Edit > Delete, Cut, Ctrl+Z
        writeDb(three);
        reload(e);
        e->activate();
        e->List1->setListIndex(3);
        del();
        EXPECT_DB({{"alpha", 4}, {"Gamma", 5}});
        EXPECT_EQ(std::tuple(e->List1->ListIndex(), e->List1->List(3), e->CommDelete->isEnabled(),
                             frame->mnuTaglia->isEnabled(), frame->mnuCancella->isEnabled(), ClipBuf),
                  std::tuple(3, std::string("5\tGamma.arr"), false, false, false, std::string("kept")));
    }
    // The last row: the new last one; the only entry: row 1.
    e->List1->setListIndex(3);
    e->CommDelete_Click();
    EXPECT_EQ(e->List1->ListIndex(), 2);
    e->CommDelete_Click();
    EXPECT_EQ(e->List1->ListIndex(), 1);
    EXPECT_DB({});

    // The file changed meanwhile, or an update removed beta: only the entry
    // the row shows goes, and the list shows the file.
    const auto changedOnDisk = [&] { writeDb({{"alpha", 4}, {"Gamma", 5}, {"Zeta", 7}}); };
    const struct { std::function<void()> change; int row; std::vector<std::pair<std::string, int>> after; } changed[] = {
        {changedOnDisk, 4, {{"alpha", 4}, {"Zeta", 7}}},               // Gamma
        {changedOnDisk, 3, {{"alpha", 4}, {"Gamma", 5}, {"Zeta", 7}}},   // beta, gone
        {[&] { arr("alpha.arr"), arr("Gamma.arr"), DBArrAggiorna(); }, 3, {{"alpha", 4}}},   // Gamma
    };
    for (const auto& c : changed) {
        writeDb(three);
        reload(e);
        c.change();
        e->List1->setListIndex(c.row);
        e->CommDelete_Click();
        EXPECT_DB(c.after);
        Rows shown;
        for (const auto& [name, id] : c.after) shown.push_back(std::to_string(id) + "\t" + name + ".arr");
        EXPECT_EQ(rows(e), withBanks(shown)) << c.row;
    }
}

TEST_F(DBArrTest, OpenBringsUpTheBankOrTheFile) {
    startDb({{"Song", 3}});
    writeFileBytes(startFile("i40ArrA"), ArrBankImage(0));
    arr("Song.arr", arrFileOf({{0, "First"}}));
    frmEditDBArr* e = openEditor();
    ASSERT_TRUE(e);
    auto open = [&](int row, const std::function<void()>& how = {}) {
        FindIDPending = true;
        e->List1->setListIndex(row);
        how ? how() : e->CommApri->press();
        Timer::Advance(20);
        EXPECT_EQ(std::tuple(FindIDPending, status()), std::tuple(false, std::string()));
    };
    open(0);
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
    open(2);
    EXPECT_EQ(std::tuple(ArrSlotFree(), w->WindowState(), midi->writes().empty()), std::tuple(2, vbNormal, true))
        << "no second window";
    w->Unload();

    // Every window in use: one box, nothing opened.
    for (int i = 1; i <= 8; ++i) ArrSlotUsed[static_cast<std::size_t>(i)] = 1;
    dialogs.answer(vbOK);
    open(2);
    EXPECT_EQ(boxes(), Msg(MsgArrWindowsInUse) + "|Edit i40DBArr");
}
