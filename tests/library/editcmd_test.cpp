// Cut, Copy and Paste of the Edit menu on the arrangement, new-arrangement
// and style windows: the program's own clipboard, the rows the windows show
// afterwards, and the refusals that must leave everything as it was.
#include <QClipboard>
#include <QGuiApplication>

#include "files/Clipboard.h"
#include "files/FileFormats.h"
#include "files/StyGroups.h"
#include "library/frmArrAB.h"
#include "library/frmArrNew.h"
#include "library/frmStyUN.h"
#include "librarytest.h"

namespace {

class EditCmdTest : public LibraryTest {
protected:
    void SetUp() override {
        LibraryTest::SetUp();
        writeFileBytes(startFile("i40ArrA"), ArrBankImage(0));
        start();
        writeSong("Song", arrFileOf({{2, "Two"}, {5, "Five"}, {7, "Seven"}, {9, "Nine"}}));
        QGuiApplication::clipboard()->setText("outside");
    }
    static void select(ChildForm* w, std::initializer_list<int> rows, int current) {
        auto* l = FindControl<ListBox>(w, QStringLiteral("List1"));
        for (int i = 0; i < l->ListCount(); ++i) l->setSelected(i, false);
        for (int r : rows) l->setSelected(r, true);
        l->setListIndex(current);
        for (int r : rows) l->setSelected(r, true);
    }
    static std::string rowTable(const std::string& img, int row) { return mid(img, 10799 + 21L * row + 1, 20); }
    // The arrangement records from `row` on (`len` bytes).
    static std::string record(const std::string& img, long row, long len = 164) {
        return mid(img, 303 + 164 * row, len);
    }
    frmArrNew* newArr() {
        RunMenuCommand(MenuId::mnuNuovoArr);
        return ArrNewForms()[1].data();
    }
    const std::string empty = std::string(164, '\0');
};

TEST_F(EditCmdTest, CopyAndCutInAnArrangementWindow) {
    frmArrU* w = openArr("Song");
    ASSERT_NE(w, nullptr);
    select(w, {2, 5}, 5);
    RunMenuCommand(MenuId::mnuCopia);
    EXPECT_EQ(std::tuple(ClipBuf, ClipKind, rowTable(ClipBuf, 2)),
              std::tuple(w->Tag(), 19, padRight(w->List1->List(2), 20)));
    for (int i = 0; i < 64; ++i) EXPECT_EQ(at(ClipBuf, 10799 + 21L * i), i == 2 || i == 5 ? 1 : 0) << i;

    RunMenuCommand(MenuId::mnuTaglia);
    const std::string& img = w->Tag();
    EXPECT_EQ(std::tuple(record(img, 2), record(img, 5), rtrim(w->List1->List(2)), rtrim(w->List1->List(5)),
                         at(img, ImgChanged)),
              std::tuple(empty, empty, std::string("13"), std::string("16"), 1u));

    // A copy after the cut leaves no trace of the longer text row 2 had.
    select(w, {2, 7}, 7);
    RunMenuCommand(MenuId::mnuCopia);
    EXPECT_EQ(rowTable(ClipBuf, 2), "13" + std::string(18, ' '));

    // The keys on the focused list: Delete and Ctrl+Z cut, Ctrl+C copies,
    // Ctrl+V pastes, and the system clipboard keeps its text.
    w->List1->setFocus();
    select(w, {9}, 9);
    QTest::keyClick(w->List1, Qt::Key_Delete);
    select(w, {7}, 7);
    QTest::keyClick(w->List1, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(std::tuple(ClipKind, at(ClipBuf, 10799 + 21L * 7)), std::tuple(19, 1u));
    QTest::keyClick(w->List1, Qt::Key_Z, Qt::ControlModifier);
    select(w, {3}, 3);
    QTest::keyClick(w->List1, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(std::tuple(record(w->Tag(), 9), record(w->Tag(), 7), record(w->Tag(), 3, 16), dialogs.shown.size(),
                         QGuiApplication::clipboard()->text()),
              std::tuple(empty, empty, padRight("Seven", 16), 0u, QString("outside")));
}

// A cut that drops a style of the file's own shows the styles that are left
// in a style window of the file.
TEST_F(EditCmdTest, CutDroppingAStyleOpensTheStyleWindow) {
    writeSong("Own", arrFileOf({{2, "Two", 3, 1}, {5, "Five"}}), styFileOf({"A", "B", "C", "D"}));
    frmArrU* w = openArr("Own");
    ASSERT_NE(w, nullptr);
    StySlots[1] = SlotRec{"/last/run", 0, 1, 900, 900};   // a mark no window holds
    select(w, {2}, 2);
    RunMenuCommand(MenuId::mnuTaglia);
    Timer::Advance(100);
    frmStyUN* sty = StyUNForms()[1].data();
    ASSERT_NE(sty, nullptr);
    EXPECT_EQ(std::tuple(at(sty->Tag(), ImgKind), mid(sty->Tag(), 670) == mid(w->Tag(), 42623), StyShowByCut),
              std::tuple(23u, true, 0));
}

TEST_F(EditCmdTest, ReadOnlyWindowsRefuseCutDeleteAndPaste) {
    frmArrU* w = openArr("Song", true);
    ASSERT_NE(w, nullptr);
    ClipBuf = WindowImageNew(2, ArrBankImage(0));
    put(ClipBuf, 10799, 1);
    const std::string clip = ClipBuf, img = w->Tag();
    const std::function<void()> acts[] = {[] { RunMenuCommand(MenuId::mnuTaglia); },
                                          [w] { QTest::keyClick(w->List1, Qt::Key_Delete); },
                                          [] { RunMenuCommand(MenuId::mnuIncolla); }};
    for (int i = 0; i < 3; ++i) {
        dialogs.shown.clear();
        dialogs.answer(vbOK);
        select(w, {i + 2}, i + 2);
        acts[i]();
        EXPECT_EQ(std::tuple(onlyBox(), w->Tag() == img, ClipBuf == clip), std::tuple("Read only file", true, true)) << i;
        if (i != 1) {
            EXPECT_EQ(dialogs.shown.at(0).title, w->Caption()) << "the menu's box names the window";
        }
    }
}

TEST_F(EditCmdTest, PasteFromTheBankIntoANewArrangement) {
    RunMenuCommand(MenuId::mnuArrA);
    frmArrAB* bank = ArrABForm(2).data();
    ASSERT_NE(bank, nullptr);
    select(bank, {0, 1, 2}, 2);
    RunMenuCommand(MenuId::mnuCopia);
    frmArrNew* w = newArr();
    ASSERT_NE(w, nullptr);
    select(w, {0}, 0);
    RunMenuCommand(MenuId::mnuIncolla);
    const std::string& img = w->Tag();
    EXPECT_EQ(std::tuple(record(img, 0, 3 * 164), at(img, ImgChanged), w->List1->List(0), w->CommLoadArr->isEnabled(),
                         w->CommLoadSty->isEnabled(), dialogs.shown.size()),
              std::tuple(record(bank->Tag(), 0, 3 * 164), 1u, ArrRowText(img, 0), true, false, 0u));
}

// An arrangement using a style of its file brings the style along, and the
// window that had none of its own can send and show it.
TEST_F(EditCmdTest, PasteBringsAUserStyleAndItsButtons) {
    writeSong("Own", arrFileOf({{2, "Two", 3, 1}}), styFileOf({"A", "B", "C", "D"}));
    frmArrU* own = openArr("Own");
    ASSERT_NE(own, nullptr);
    select(own, {2}, 2);
    RunMenuCommand(MenuId::mnuCopia);
    const std::string item = StyItemBytes(3, StyPartOf(own->Tag()));
    frmArrU* song = openArr("Song");
    frmArrNew* fresh = newArr();
    ASSERT_TRUE(song && fresh);
    for (auto [w, load] : {std::pair<ChildForm*, CommandButton*>{song, song->CommLoadSty}, {fresh, fresh->CommLoadSty}}) {
        w->activate();
        select(w, {0}, 0);
        RunMenuCommand(MenuId::mnuIncolla);
        const std::string& img = w->Tag();
        EXPECT_EQ(std::tuple(at(img, ImgStyPart), StyItemBytes(at(img, 303 + 17), StyPartOf(img)) == item,
                             load->isEnabled(), frame->mnuLoadSty->isEnabled()),
                  std::tuple(2u, true, true, true)) << w->Caption();
    }
    EXPECT_TRUE(song->CommShowSty->isEnabled());
}

// A paste the menu would not offer changes nothing and says nothing.
TEST_F(EditCmdTest, PasteOnlyWhereTheMenuOffersIt) {
    frmArrNew* w = newArr();
    ASSERT_NE(w, nullptr);
    std::string bank = WindowImageNew(2, ArrBankImage(0));
    put(bank, 10799, 1);
    std::string styles = WindowImageNew(23, StyTemplateImage());
    put(styles, 271, 1);
    ClipBuf = bank;   // one filled row to paste onto
    select(w, {5}, 5);
    RunMenuCommand(MenuId::mnuIncolla);
    ASSERT_NE(record(w->Tag(), 5, 16), std::string(16, '\0'));
    for (auto [clip, row] : {std::pair{styles, 0}, {std::string(), 0}, {bank, 5}}) {
        ClipBuf = clip;
        const std::string img = w->Tag();
        select(w, {row}, row);
        RunMenuCommand(MenuId::mnuIncolla);
        EXPECT_EQ(std::tuple(w->Tag() == img, dialogs.shown.size()), std::tuple(true, 0u)) << clip.size() << row;
    }
}

// The database and automatic-selection windows cut by procedures of their
// own, and a cut there keeps what the user copied last.
TEST_F(EditCmdTest, CutInTheDatabaseAndAutomaticSelectionKeepsTheClipboard) {
    ClipBuf = WindowImageNew(2, ArrBankImage(0));
    ClipKind = 2;
    for (int kind : {12, 34}) {
        auto* w = new TestChild(frame, WindowImageNew(kind));
        w->Show();
        const std::string clip = ClipBuf;
        RunMenuCommand(MenuId::mnuTaglia);
        EXPECT_EQ(std::tuple(w->jobsRun, ClipBuf == clip, ClipKind), std::tuple(std::vector{WindowJob::Cut}, true, 2))
            << kind;
        w->Unload();
    }
}

TEST_F(EditCmdTest, StyleWindowCopyWritesOnlyItsRowTable) {
    writeFileBytes(song("Set.sty"), styFileOf({"Alpha", "Beta"}));
    dialogs.chooseFile(song("Set.sty"));
    RunMenuCommand(MenuId::mnuApriSty);
    frmStyUN* w = StyUNForms()[1].data();
    ASSERT_NE(w, nullptr);
    select(w, {0}, 0);
    const std::string before = w->Tag();
    RunMenuCommand(MenuId::mnuCopia);
    EXPECT_EQ(std::tuple(ClipKind, w->Tag().substr(669), at(w->Tag(), 271), w->Tag().substr(0, 270)),
              std::tuple(23, before.substr(669), 1u, before.substr(0, 270)));
}

}  // namespace
