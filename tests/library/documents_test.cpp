// Which window holds which file: a second window on a held file is refused
// by every way of opening it, a save never writes over a file another window
// holds, and names the path field cannot keep are refused before anything
// is written.
#include "app/Messages.h"
#include "files/StyGroups.h"
#include "library/frmArrNew.h"
#include "library/frmStyUN.h"
#include "librarytest.h"
#include "shell/Restore.h"

namespace {

class DocumentsTest : public LibraryTest {
protected:
    void SetUp() override {
        LibraryTest::SetUp();
        writeFileBytes(startFile("i40ArrA"), ArrBankImage(0));
        m = start();
        writeSong("Held", arrFileOf({{2, "Two"}}));
        writeSong("Own", arrFileOf({{1, "One", 0, 1}}), styFileOf({"Mine"}));
    }
    int windows() const { return static_cast<int>(m->Forms().size()); }
    // Save As of the active window onto `file`; the boxes it showed.
    std::string saveAs(const std::string& file, std::initializer_list<int> answers = {}) {
        dialogs.shown.clear();
        dialogs.chooseFile(file);
        for (int a : answers) dialogs.answer(a);
        RunMenuCommand(MenuId::mnuSalvaAs);
        return boxesShown();
    }
    std::string boxesShown() const {
        std::string all;
        for (const auto& b : dialogs.shown) all += (all.empty() ? "" : "\n") + b.text;
        return all;
    }
    void reopenArrangements() { RestoreArrStage(*m); }
    frmMain* m = nullptr;
};

// Every holder against every way of opening its file a second time.
TEST_F(DocumentsTest, AHeldFileOpensInNoSecondWindow) {
    const std::string held = song("Held.arr"), own = song("Own.sty");
    struct Holder {
        const char* name;
        std::function<void()> make;
        std::string file;
    };
    const std::vector<Holder> holders = {
        {"file window", [this] { openArr("Held"); }, held},
        {"user bank", [this] {
             ArrUFile = song("Held");
             RunMenuCommand(MenuId::mnuArrU);
         }, held},
        {"new document after Save As", [this, &held] {
             RunMenuCommand(MenuId::mnuNuovoArr);
             dialogs.chooseFile(held);
             RunMenuCommand(MenuId::mnuSalvaAs);
         }, held},
        {"style part", [this] { openArr("Own"); }, own},
        {"import, both windows of it", [this] {
             std::string i30(ArrI30Len, '\0');
             writeFileBytes(song("old.arr"), i30.replace(0, 4, "KORG"));
             dialogs.chooseFile(song("old.arr"));
             RunMenuCommand(MenuId::mnuImportaArri30);
         }, song("old.arr")},
    };
    for (const Holder& h : holders) {
        SCOPED_TRACE(h.name);
        h.make();
        const int before = windows();
        ASSERT_GT(before, 0);
        const bool sty = ExtIs(h.file, "sty");
        // Open from the menu, and from a recent entry.
        dialogs.shown.clear();
        dialogs.chooseFile(h.file);
        dialogs.answer(vbOK);
        RunMenuCommand(sty ? MenuId::mnuApriSty : MenuId::mnuApriArr);
        MruTable[8] = MruRec{PathJoin(PathDir(h.file), PathStem(h.file)), 0, 0, 0, 0, uint8_t(sty ? 2 : 1), 0};
        dialogs.answer(vbOK);
        frame->mnuRecentFile[8]->Click();
        EXPECT_EQ(boxesShown(), "File already open\nFile already open");
        EXPECT_EQ(windows(), before);
        // Save As of another document onto the held file writes nothing.
        writeSong("Other", arrFileOf({{3, "Three"}}), styFileOf({"Other"}));
        frmArrU* other = openArr("Other");
        ASSERT_NE(other, nullptr);
        const std::string bytes = readFileBytes(h.file);
        dialogs.answer(vbOK);
        EXPECT_EQ(saveAs(PathJoin(PathDir(h.file), PathStem(h.file)) + ".arr", {vbOK}).substr(0, 17),
                  "File already open");
        EXPECT_EQ(readFileBytes(h.file), bytes);
        for (ChildForm* f : m->Forms()) {
            dialogs.answer(vbNo);
            f->Unload();
        }
        dialogs.shown.clear();
        dialogs.answers.clear();
        writeSong("Held", arrFileOf({{2, "Two"}}));
    }
}

// A style file made meanwhile survives the save of an arrangement window that
// never held one; an unrelated style file survives a Save As until the user
// agrees to replace it; a name ending in a blank is refused at open and at
// Save As, the file of the trimmed name untouched.
TEST_F(DocumentsTest, SavesLeaveOtherFilesAlone) {
    frmArrU* w = openArr("Held");
    ASSERT_NE(w, nullptr);
    const std::string made = styFileOf({"Made"});
    writeFileBytes(song("Held.sty"), made);
    put(w->Tag(), ImgChanged, 1);
    RunMenuCommand(MenuId::mnuSalva);
    EXPECT_EQ(readFileBytes(song("Held.sty")), made);
    w->Unload();

    frmArrU* own = openArr("Own");
    ASSERT_NE(own, nullptr);
    const std::string target = styFileOf({"Target"});
    writeFileBytes(song("Target.sty"), target);
    EXPECT_EQ(saveAs(song("Target.arr"), {vbNo}), "Target.sty already exists. Replace it ?");
    EXPECT_EQ(std::tuple(FileExists(song("Target.arr")), readFileBytes(song("Target.sty"))), std::tuple(false, target));
    EXPECT_EQ(saveAs(song("Target.arr"), {vbYes}), "Target.sty already exists. Replace it ?");
    EXPECT_EQ(readFileBytes(song("Target.sty")), StyPartOf(own->Tag()));

    writeSong("Song", arrFileOf({{4, "Four"}}));
    const std::string song4 = readFileBytes(song("Song.arr"));
    writeSong("Song ", arrFileOf({{5, "Five"}}));
    const int before = windows();
    dialogs.shown.clear();
    dialogs.chooseFile(song("Song .arr"));
    dialogs.answer(vbOK);
    RunMenuCommand(MenuId::mnuApriArr);
    EXPECT_EQ(std::tuple(boxesShown(), windows()),
              std::tuple("The name \"Song \" ends in a blank: files and folders whose names end in a blank cannot be "
                         "opened or saved.",
                         before));
    EXPECT_EQ(saveAs(song("Song .arr"), {vbOK}).substr(0, 20), "The name \"Song \" end");
    EXPECT_EQ(readFileBytes(song("Song.arr")), song4);
}

// A folder whose name ends in a blank is refused like such a file name, at
// open and at Save As: the folder of the trimmed name is never written.
TEST_F(DocumentsTest, AFolderNameEndingInABlankIsRefused) {
    QDir().mkpath(QString::fromStdString(song("Dir ")));
    QDir().mkpath(QString::fromStdString(song("Dir")));
    writeFileBytes(song("Dir /X.arr"), arrFileOf({{1, "Blank"}}));
    writeFileBytes(song("Dir/X.arr"), arrFileOf({{2, "Trimmed"}}));
    const std::string trimmed = readFileBytes(song("Dir/X.arr"));
    const std::string refused =
        "The name \"Dir \" ends in a blank: files and folders whose names end in a blank cannot be opened or saved.";
    const int before = windows();
    dialogs.chooseFile(song("Dir /X.arr"));
    dialogs.answer(vbOK);
    RunMenuCommand(MenuId::mnuApriArr);
    EXPECT_EQ(std::tuple(boxesShown(), windows()), std::tuple(refused, before));
    ASSERT_NE(openArr("Held"), nullptr);
    EXPECT_EQ(saveAs(song("Dir /Y.arr"), {vbOK}), refused);
    EXPECT_EQ(saveAs(song("Dir /X.arr"), {vbOK}), refused);
    EXPECT_EQ(std::tuple(readFileBytes(song("Dir/X.arr")) == trimmed, FileExists(song("Dir/Y.arr")),
                         FileExists(song("Dir /Y.arr"))),
              std::tuple(true, false, false));
}

// Save As chosen in an import window's close question names the saved file
// in its slot record: the next start reopens it, with no message.
TEST_F(DocumentsTest, AnImportSavedInItsCloseQuestionReopensAtTheNextStart) {
    std::string i30(ArrI30Len, '\0');
    i30.replace(0, 4, "KORG");
    writeFileBytes(song("old.arr"), i30);
    dialogs.chooseFile(song("old.arr"));
    RunMenuCommand(MenuId::mnuImportaArri30);
    ASSERT_EQ(windows(), 2);
    dialogs.answer(vbNo);
    ArrUForms()[2]->Unload();   // bank B: never saved, not reopened
    dialogs.answer(vbYes);
    dialogs.chooseFile(song("saved.arr"));
    AppClosing = true;
    ASSERT_TRUE(ArrUForms()[1]->Unload());
    EXPECT_EQ(std::tuple(rtrim(ArrSlots[1].Path), int(ArrSlots[1].State)), std::tuple(song("saved"), 1));
    AppClosing = false;
    dialogs.shown.clear();
    reopenArrangements();
    ASSERT_NE(ArrUForms()[1].data(), nullptr);
    EXPECT_EQ(std::tuple(ImgPathOf(ArrUForms()[1]->Tag()), dialogs.shown.size()), std::tuple(song("saved"), 0u));
}

}  // namespace
