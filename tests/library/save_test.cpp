// Save and Save As from the File menu on arrangement windows: the file
// written, the caption and slot record that follow it, and the cases that
// must write nothing.
#include "library/frmArrNew.h"
#include "librarytest.h"

namespace {

class SaveTest : public LibraryTest {
protected:
    void SetUp() override {
        LibraryTest::SetUp();
        writeFileBytes(startFile("i40ArrA"), ArrBankImage(0));
        start();
        writeSong("Song", arrFileOf({{2, "Two"}, {5, "Five"}}));
    }
    static void cutRow(ChildForm* w, int row) {
        auto* l = FindControl<ListBox>(w, QStringLiteral("List1"));
        l->setListIndex(row);
        l->setSelected(row, true);
        RunMenuCommand(MenuId::mnuTaglia);
    }
    static std::string arrPart(ChildForm* w) { return w->Tag().substr(270, 10528); }
};

// A file from an instrument disk keeps its upper-case name; its recent
// entry, which Save leaves alone, reopens it.
TEST_F(SaveTest, SaveWritesTheChangedFileBackUnderItsName) {
    writeFileBytes(song("SONG.ARR"), arrFileOf({{2, "Two"}}));
    dialogs.chooseFile(song("SONG.ARR"));
    RunMenuCommand(MenuId::mnuApriArr);
    frmArrU* w = ArrUForms()[1].data();
    ASSERT_NE(w, nullptr);
    cutRow(w, 2);
    auto paths = [] {
        std::string p;
        for (const MruRec& r : MruTable) p += r.Path + "|";
        return p;
    };
    const std::string mru = paths();
    dialogs.fileRequests.clear();
    RunMenuCommand(MenuId::mnuSalva);
    EXPECT_EQ(std::tuple(readFileBytes(song("SONG.ARR")) == arrPart(w), FileExists(song("SONG.arr")),
                         at(w->Tag(), ImgChanged), dialogs.shown.size(), dialogs.fileRequests.size(),
                         paths()),
              std::tuple(true, false, 0u, 0u, 0u, mru));
    ASSERT_TRUE(w->Unload());
    frame->mnuRecentFile[1]->Click();
    ASSERT_NE(ArrUForms()[1].data(), nullptr);
    EXPECT_TRUE(arrPart(ArrUForms()[1]) == readFileBytes(song("SONG.ARR")));
}

TEST_F(SaveTest, ReadOnlyDocumentIsNeverWrittenBack) {
    frmArrU* w = openArr("Song", true);
    ASSERT_NE(w, nullptr);
    put(w->Tag(), ImgChanged, 1);
    const std::string before = readFileBytes(song("Song.arr"));
    dialogs.answer(vbOK);
    RunMenuCommand(MenuId::mnuSalva);
    EXPECT_EQ(std::tuple(boxesShown(), readFileBytes(song("Song.arr")) == before),
              std::tuple("Read only file|" + w->Caption(), true));
}

TEST_F(SaveTest, NewArrangementTakesTheNameItIsSavedUnder) {
    RunMenuCommand(MenuId::mnuNuovoArr);
    frmArrNew* w = ArrNewForms()[1].data();
    ASSERT_NE(w, nullptr);
    const std::string untitled = w->Caption(), img = w->Tag();
    dialogs.cancelFile();
    RunMenuCommand(MenuId::mnuSalva);
    EXPECT_EQ(std::tuple(w->Tag() == img, w->Caption(), FileExists(song("Mine.arr"))), std::tuple(true, untitled, false));

    dialogs.chooseFile(song("Mine.arr"));
    RunMenuCommand(MenuId::mnuSalva);
    EXPECT_EQ(std::tuple(dialogs.fileRequests.size(), w->Caption(), readFileBytes(song("Mine.arr")) == arrPart(w)),
              std::tuple(2u, std::string("New File Arr - Mine.arr (1)"), true));
    put(w->Tag(), ImgChanged, 1);
    RunMenuCommand(MenuId::mnuSalva);
    EXPECT_EQ(std::tuple(dialogs.fileRequests.size(), at(w->Tag(), ImgChanged), dialogs.shown.size()),
              std::tuple(2u, 0u, 0u))
        << "saved to the same file without a dialog";
}

// The first Save As of a new document offers the name its caption shows, in
// the language the program runs in.
TEST_F(SaveTest, NewDocumentsAreOfferedTheirCaptionsNameInEitherLanguage) {
    std::string seen;
    for (const bool italian : {false, true}) {
        if (italian) start([] { LangSel = 1, LangBase = 0; });
        for (const MenuId command : {MenuId::mnuNuovoArr, MenuId::mnuNuovoSty}) {
            RunMenuCommand(command);
            ChildForm* w = frame->ActiveForm();
            ASSERT_NE(w, nullptr);
            dialogs.fileRequests.clear();
            dialogs.cancelFile();
            RunMenuCommand(MenuId::mnuSalvaAs);
            ASSERT_EQ(dialogs.fileRequests.size(), 1u);
            seen += w->Caption() + " | " + dialogs.fileRequests[0].fileName + "\n";
        }
    }
    EXPECT_EQ(seen,
              "New File Arr - Untitled.arr (1) | Untitled (1).arr\n"
              "New Style - Untitled.sty (1) | Untitled (1).sty\n"
              "Nuovo File Arr - SenzaNome.arr (1) | SenzaNome (1).arr\n"
              "Nuovo Style - SenzaNome.sty (1) | SenzaNome (1).sty\n");
}

TEST_F(SaveTest, SaveAsMovesTheSlotRecordToTheNewFile) {
    writeSong("Other", arrFileOf({{0, "Zero"}}));
    ASSERT_NE(openArr("Other"), nullptr);
    frmArrU* w = openArr("Song");
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(w->slot(), 2);
    dialogs.chooseFile(song("B.arr"));
    RunMenuCommand(MenuId::mnuSalvaAs);
    EXPECT_EQ(std::tuple(ArrSlots[2].Path, ArrSlotFind(song("B")), ArrSlotFind(song("Song")), w->Caption(),
                         FileExists(song("B.arr"))),
              std::tuple(song("B"), 1, 0, std::string("File Arr - B.arr (2)"), true));

    // Refused onto the file another window holds: the window keeps its name and its changes.
    put(w->Tag(), ImgChanged, 1);
    dialogs.chooseFile(song("Other.arr"));
    dialogs.answer(vbOK);
    RunMenuCommand(MenuId::mnuSalvaAs);
    EXPECT_EQ(std::tuple(boxesShown(), ArrSlots[2].Path, w->Caption(), at(w->Tag(), ImgChanged)),
              std::tuple("File already open|Save file as", song("B"), std::string("File Arr - B.arr (2)"), 1u));
}

// Windows of the instrument's own data keep showing it after Save As; an
// import's window is offered no name that would replace its source.
TEST_F(SaveTest, InstrumentWindowsAndImports) {
    RunMenuCommand(MenuId::mnuArrA);
    ChildForm* bank = frame->ActiveForm();
    ASSERT_NE(bank, nullptr);
    const std::string title = bank->Caption();
    dialogs.chooseFile(song("Copy.arr"));
    RunMenuCommand(MenuId::mnuSalvaAs);
    EXPECT_EQ(std::tuple(readFileBytes(song("Copy.arr")) == ArrBankImage(0), bank->Caption()), std::tuple(true, title));

    auto* global = new TestChild(frame, WindowImageNew(14, std::string(GblFileLen, 'g')));
    putField(global->Tag(), ImgPath, 250, "Global Parameters");
    global->setCaption("Global Parameters");
    global->Show();
    dialogs.chooseFile(song("Stage.gbl"));
    RunMenuCommand(MenuId::mnuSalva);
    EXPECT_EQ(std::tuple(dialogs.fileRequests.back().fileName, readFileBytes(song("Stage.gbl")) == global->Tag().substr(270, 448),
                         global->Caption()),
              std::tuple("Global Parameters.gbl", true, "Global Parameters"));
    global->Unload();

    QDir().mkpath(QString::fromStdString(song("i30")));
    std::string img = WindowImageNew(21, prgFileOf(true, 'g'));
    putField(img, ImgPath, 250, song("i30/PROG30"));
    for (auto [pos, v] : {std::pair{ImgSaveAs, 6}, {ImgPrgType, 1}, {ImgRdOnly, 1}, {ImgSlot, 1}}) put(img, pos, v);
    auto* import = new TestChild(frame, img);
    import->Show();
    MruTable = {};
    RdOnlyOpen = 0;
    dialogs.fileRequests.clear();
    dialogs.chooseFile(song("P"));
    RunMenuCommand(MenuId::mnuSalvaAs);
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(std::tuple(dialogs.fileRequests[0].fileName, dialogs.fileRequests[0].initDir, FileExists(song("P.pgg")),
                         at(import->Tag(), ImgSaveAs), MruTable[1].Path, MruTable[1].Kind, MruTable[1].RdOnly,
                         ExtCur, PathJoin(PrgDir, PrgName), RdOnlyOpen),
              std::tuple("", song("i30"), true, 0u, song("P"), uint8_t{4}, uint8_t{1}, "pgg", song("P"), 1));
}

}  // namespace
