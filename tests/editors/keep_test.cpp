// Keeping or refusing an edit, through the real arrangement and program
// windows with their editors: after Save As, on a read-only window, and in
// File > Exit with windows opened in either order.
#include <QTest>

#include "app/Messages.h"
#include "arrtest.h"
#include "banks/frmPrgUN.h"
#include "editors/frmEditPerf.h"
#include "editors/frmEditPrg.h"
#include "files/FileFormats.h"
#include "library/frmStyAB.h"
#include "shell/MenuAgg.h"

namespace {

class KeepTest : public ArrEditTest {
protected:
    frmEditArr* ed = nullptr;
    frmArrU* w = nullptr;
    // Show.arr row 5 in the editor, UPPER1 VOL 77 (record byte 90).
    void editVol(bool readOnly = false) {
        w = openShow(arrFileWith({{5, "Five"}, {6, "Six"}}), readOnly);
        ed = edit(w, 5);
        ed->VScroll1[13]->setValue(77);
        ASSERT_TRUE(ArrModified);
        dialogs.shown.clear();
    }
    void saveAs(const std::string& name) {
        w->activate();
        dialogs.chooseFile(song(name + ".arr"));
        RunMenuCommand(MenuId::mnuSalvaAs);
    }
    static constexpr long VolAt = 303 + 164 * 5 + 89;  // row 5's byte 90 in the window image
    int asked(const std::string& text) const {
        int n = 0;
        for (const auto& b : dialogs.shown) n += b.text.find(text) != std::string::npos;
        return n;
    }
    void startWithEditors() {
        start();
        resetEditorsState();
        InstallEditors();
    }
    // File > Open Prg on `name` in the songs folder: programs "Prog nn".
    frmPrgUN* openPrg(const std::string& name, std::initializer_list<int> empty = {}) {
        std::string f = PrgTemplateImage();
        for (int i = 0; i < 64; ++i)
            putMid(f, 49 + 172L * i, padRight("Prog " + std::string(i < 10 ? "0" : "") + std::to_string(i), 16));
        for (int i : empty) putMid(f, 49 + 172L * i, std::string(172, '\0'));
        writeFileBytes(song(name), f);
        dialogs.chooseFile(song(name));
        RunMenuCommand(MenuId::mnuApriPrg);
        return PrgUNForms()[static_cast<std::size_t>(PrgSlotCur)];
    }
    void pickPrg(frmPrgUN* p, int row) {
        p->activate();
        p->List1->setListIndex(row);
        Timer::Advance(1000);
    }
    static ScrollBarBase* detune(frmEditPrg* e) { return FindControl<ScrollBarBase>(e, "BasHScroll", 0); }
    static long DetuneAt(int row) { return ImgPrgBlock(row) + 27; }  // program byte 28
    static constexpr long VolOf(int row) { return 303 + 164L * row + 89; }
};

TEST_F(KeepTest, AnEditIsStoredOrStaysInTheEditorWithTheReasonSaid) {
    {
        SCOPED_TRACE("after Save As, a click elsewhere with Yes stores into the renamed window");
        editVol();
        saveAs("Renamed");
        dialogs.answer(vbYes);
        pick(w, 6);
        EXPECT_EQ(std::tuple(at(w->Tag(), VolAt), ArrModified, at(ArrRec, ArrRecIndex), dialogs.shown.size()),
                  std::tuple(77u, false, 6u, 1u));
    }
    {
        SCOPED_TRACE("after Save As, the editor's close with Yes stores and closes");
        editVol();
        saveAs("Renamed");
        dialogs.answer(vbYes);
        EXPECT_TRUE(ed->Unload());
        EXPECT_EQ(std::tuple(at(w->Tag(), VolAt), EditArrOpen, dialogs.shown.size()), std::tuple(77u, false, 1u));
    }
    {
        SCOPED_TRACE("after Save As, File > Exit with Yes stores and saves the renamed file");
        editVol();
        saveAs("Renamed");
        dialogs.answer(vbYes);  // the editor
        dialogs.answer(vbYes);  // the window, changed by the store
        EXPECT_TRUE(frame->Unload());
        EXPECT_EQ(at(readFileBytes(song("Renamed.arr")), ArrHdrLen + ArrBlkLen * 5 + 90), 77u);
    }
    {
        SCOPED_TRACE("a read-only window says so and the editor keeps the edited arrangement");
        editVol(true);
        const std::string before = w->Tag();
        dialogs.answer(vbYes);
        dialogs.answer(vbOK);
        pick(w, 6);
        EXPECT_EQ(asked("Read only file"), 1);
        EXPECT_EQ(std::tuple(w->Tag() == before, ArrModified, at(ArrRec, ArrRecIndex), at(ArrRec, 90),
                             ed->VScroll1[13]->Value()),
                  std::tuple(true, true, 5u, 77u, 77));
    }
    {
        SCOPED_TRACE("File > Exit asks the editor once when its arrangement came from a window opened after it");
        editVol();
        writeSong("Late", arrFileWith({{2, "Two"}}));
        frmArrU* late = openArr("Late");
        ASSERT_NE(late, nullptr);
        dialogs.answer(vbNo);  // "Keep changes ?"
        pick(late, 2);
        ASSERT_EQ(at(ArrRec, ArrRecSlot), static_cast<unsigned>(late->slot()));
        ed->VScroll1[13]->setValue(60);
        dialogs.shown.clear();
        dialogs.answer(vbNo);
        EXPECT_TRUE(frame->Unload());
        EXPECT_EQ(asked(AskSaveChangesText(2)), 1);
    }
    {
        SCOPED_TRACE("a cancelled File > Exit leaves both program editors");
        start();
        std::string f = PrgTemplateImage();
        putMid(f, 49, padRight("Prog 00", 16));
        writeFileBytes(song("bank1.prg"), f);
        dialogs.chooseFile(song("bank1.prg"));
        RunMenuCommand(MenuId::mnuApriPrg);
        frmPrgUN* p = PrgUNForms()[static_cast<std::size_t>(PrgSlotCur)];
        ASSERT_NE(p, nullptr);
        p->List1->setListIndex(0);
        Timer::Advance(1000);
        p->CommEdit_Click();
        MainWindowLink().enableMenu(MenuId::mnuEditPerf, true);
        RunNamed(NamedWindow::frmEditPerf);
        frmEditPerf* perf = frmEditPerf::Open();
        ASSERT_TRUE(perf && frmEditPrg::Open());
        perf->PerfVScroll[0]->setValue(3);
        ASSERT_TRUE(PrgModified);
        dialogs.shown.clear();
        dialogs.answer(vbCancel);
        EXPECT_FALSE(frame->Unload());
        EXPECT_EQ(std::tuple(frmEditPrg::Open() != nullptr, frmEditPerf::Open() != nullptr, p->Loaded(),
                             dialogs.shown.size()),
                  std::tuple(true, true, true, 1u));
        dialogs.answer(vbNo);
        EXPECT_TRUE(frame->Unload());
    }
}

TEST_F(KeepTest, EditOnAnotherEntryRunsTheKeepStepAndShowsItWhole) {
    {
        SCOPED_TRACE("arrangements: the Edit button of another window, Yes");
        w = openShow(arrFileWith({{5, "Five"}, {6, "Six"}}));
        pick(w, 5);
        writeSong("Other", arrFileWith({{2, "Two"}, {6, "Six"}}, {{2, 90, 40}}));
        frmArrU* other = openArr("Other");
        ed = edit(other, 2);
        ed->VScroll1[13]->setValue(77);
        dialogs.shown.clear();
        w->activate();
        dialogs.answer(vbYes);
        w->CommEdit->press();
        EXPECT_EQ(std::tuple(asked("Keep changes ?"), at(other->Tag(), VolOf(2)), at(ArrRec, ArrRecIndex), ArrModified,
                             ed->VScroll1[13]->Value(), ed->Caption()),
                  std::tuple(1, 77u, 5u, false, 0, std::string("Edit Arrangement  Show.arr / Five")));
        SCOPED_TRACE("a double click on the row the editor holds brings it forward with its edit");
        ed->VScroll1[13]->setValue(35);
        dialogs.shown.clear();
        w->List1_DblClick();  // a real one's first press is a click of its own
        EXPECT_EQ(std::tuple(dialogs.shown.size(), at(ArrRec, 90), ArrModified, ed->VScroll1[13]->Value()),
                  std::tuple(0u, 35u, true, 35));
    }
    {
        SCOPED_TRACE("arrangements: a double click after a refused store asks again; No shows the new row");
        editVol(true);
        dialogs.answer(vbYes);
        dialogs.answer(vbOK);
        pick(w, 6);
        ASSERT_EQ(std::tuple(at(ArrRec, ArrRecIndex), ArrModified), std::tuple(5u, true));
        dialogs.shown.clear();
        dialogs.answer(vbNo);
        w->List1_DblClick();
        EXPECT_EQ(std::tuple(asked("Keep changes ?"), at(ArrRec, ArrRecIndex), at(ArrRec, 90), ArrModified,
                             ed->VScroll1[13]->Value(), ed->Text1[0]->Text()),
                  std::tuple(1, 6u, 0u, false, 0, std::string("Six")));
    }
    {
        SCOPED_TRACE("programs: Edit > Edit on another window, Yes");
        startWithEditors();
        frmPrgUN* b1 = openPrg("bank1.prg");
        pickPrg(b1, 3);
        frmPrgUN* b2 = openPrg("bank2.prg");
        pickPrg(b2, 5);
        b2->CommEdit->press();
        frmEditPrg* pe = frmEditPrg::Open();
        detune(pe)->setValue(-20);
        dialogs.shown.clear();
        b1->activate();
        dialogs.answer(vbYes);
        RunMenuCommand(MenuId::mnuEdit);
        Timer::Advance(1000);
        EXPECT_EQ(std::tuple(asked("Keep changes ?"), at(b2->Tag(), DetuneAt(5)), at(PrgRec, PrgRecIndex), PrgModified,
                             detune(pe)->Value(), rtrim(pe->Caption())),
                  std::tuple(1, 236u, 3u, false, 0, std::string("Edit Program  bank1.prg / Prog 03")));
        dialogs.answer(vbNo);
        EXPECT_TRUE(frame->Unload());
    }
}

TEST_F(KeepTest, ANoDropsTheEditSoTheNextEditorStartsFromTheStoredEntry) {
    auto openPerf = [] {
        MainWindowLink().enableMenu(MenuId::mnuEditPerf, true);
        RunNamed(NamedWindow::frmEditPerf);
        return frmEditPerf::Open();
    };
    {
        SCOPED_TRACE("programs: No in the program editor, then the performance editor and Yes");
        startWithEditors();
        frmPrgUN* b1 = openPrg("bank1.prg");
        pickPrg(b1, 3);
        b1->CommEdit->press();
        detune(frmEditPrg::Open())->setValue(-20);
        dialogs.answer(vbNo);
        ASSERT_TRUE(frmEditPrg::Open()->Unload());
        b1->activate();
        frmEditPerf* perf = openPerf();
        perf->PerfVScroll[0]->setValue(1);
        dialogs.answer(vbYes);
        ASSERT_TRUE(perf->Unload());
        EXPECT_EQ(std::tuple(at(b1->Tag(), DetuneAt(3)), at(b1->Tag(), ImgPrgBlock(3) + 53)), std::tuple(0u, 5u));
        SCOPED_TRACE("No to the window's own save question: the performance editor has no program of it");
        dialogs.answer(vbNo);
        ASSERT_TRUE(b1->Unload());
        perf = openPerf();
        EXPECT_EQ(std::tuple(perf->Caption(), perf->PerfVScroll[0]->isEnabled()), std::tuple(std::string("Performance Edit"), false));
        EXPECT_TRUE(perf->Unload());
    }
    {
        SCOPED_TRACE("arrangements: No drops the edit from the record");
        editVol();
        dialogs.answer(vbNo);
        ASSERT_TRUE(ed->Unload());
        EXPECT_EQ(std::tuple(ArrRec == ArrRecMake(w->Tag(), 5).value(), ArrModified), std::tuple(true, false));
    }
}

TEST_F(KeepTest, AfterSaveAsTheEditorsAndTheirQuestionsNameTheNewFile) {
    editVol();
    saveAs("Renamed");
    EXPECT_EQ(ed->Caption(), "Edit Arrangement  Renamed.arr / Five");
    dialogs.answer(vbYes);
    pick(w, 6);
    EXPECT_EQ(dialogs.shown.back().title, "Edit Arrangement  Renamed.arr / Five");

    startWithEditors();
    frmPrgUN* b1 = openPrg("bank1.prg");
    pickPrg(b1, 3);
    b1->CommEdit->press();
    MainWindowLink().enableMenu(MenuId::mnuEditPerf, true);
    RunNamed(NamedWindow::frmEditPerf);
    ASSERT_TRUE(frmEditPrg::Open() && frmEditPerf::Open());
    b1->activate();
    dialogs.chooseFile(song("bank2.prg"));
    RunMenuCommand(MenuId::mnuSalvaAs);
    EXPECT_EQ(std::tuple(rtrim(frmEditPrg::Open()->Caption()), rtrim(frmEditPerf::Open()->Caption())),
              std::tuple(std::string("Edit Program  bank2.prg / Prog 03"), std::string("Performance Edit  bank2.prg / Prog 03")));
}

TEST_F(KeepTest, APairingWhoseProgramFileIsMissingLeavesNothingArmed) {
    w = openShow(arrFileWith({{0, "Arrangement A11"}}));
    frmPrgUN* bank = openPrg("Bank1.prg");
    pickPrg(bank, 0);
    bank->CommEdit->press();
    detune(frmEditPrg::Open())->setValue(-20);
    RunMenuCommand(MenuId::mnuPrgSelAuto);
    ASSERT_TRUE(PrgSelAutoOn);
    PrgSelAutoTab[0] = {padRight("Arrangement A11", 16), padRight("12  Prog 01", 20)};
    w->activate();
    dialogs.shown.clear();
    dialogs.answer(vbOK);
    pick(w, 0);
    ASSERT_EQ(asked("Show.prg not found"), 1);
    midi->clear();
    bank->activate();
    Timer::Advance(1000);
    EXPECT_EQ(std::tuple(dialogs.shown.size(), bank->List1->ListIndex(), midi->written().empty(), PrgSelAutoNum),
              std::tuple(1u, 0, true, 0));
    dialogs.answer(vbNo);
    EXPECT_TRUE(frame->Unload());
}

TEST_F(KeepTest, AssignmentsFromTheListWindowsAreKeptByTheNextClick) {
    w = openShow(arrFileWith({{5, "Five"}, {6, "Six"}}));
    ed = edit(w, 5);
    RunMenuCommand(MenuId::mnuStyA);
    frmStyAB* styles = StyABForm(17).data();
    RunMenuCommand(MenuId::mnuWProgB);
    BankWindow* programs = PcgAEForms()[5].data();
    ASSERT_TRUE(styles && programs);
    // A style on row 5, then a program on row 6: each kept by the click that leaves it.
    const struct { int field; ListBox* list; int pick, row; long pos; unsigned value; } cases[] = {
        {1, styles->List1, 9, 5, ArrRecStyle, 9u}, {14, programs->List1, 5, 6, ArrRecTrack(6), 69u}};
    for (const auto& c : cases) {
        ed->Text1_Click(c.field);
        c.list->setListIndex(c.pick);
        ed->EditArrFieldDeselect();
        dialogs.shown.clear();
        dialogs.answer(vbYes);
        w->activate();
        pick(w, 11 - c.row);
        EXPECT_EQ(std::tuple(asked("Keep changes ?"), at(w->Tag(), 303 + 164L * c.row + c.pos - 1)), std::tuple(1, c.value));
    }
}

}  // namespace

namespace {

// Cut and Paste around the entries the editors hold, and what Edit gives the
// instrument, through the real windows, editors and Edit menu.
class CutTest : public KeepTest {
protected:
    static frmEditPerf* openPerf() {
        MainWindowLink().enableMenu(MenuId::mnuEditPerf, true);
        RunNamed(NamedWindow::frmEditPerf);
        return frmEditPerf::Open();
    }
    // A click on a row as the user makes it (the row selected), or the
    // Delete key, in the window brought forward.
    template <class W>
    static void click(W* w, int row) {
        w->activate();
        QTest::mouseClick(w->List1->viewport(), Qt::LeftButton, {}, w->List1->visualItemRect(w->List1->item(row)).center());
        Timer::Advance(1000);
    }
    static void deleteKey(ChildForm* w, ListBox* l) {
        w->activate();
        QTest::keyClick(l, Qt::Key_Delete);
    }
    static bool emptyAt(const ChildForm* w, long block) { return at(w->Tag(), block) == 0; }
    // Edit's button and Edit > Edit, as the menu shows them.
    std::tuple<bool, bool> editOn(CommandButton* b) const {
        MenuAgg();
        return {b->isEnabled(), frame->mnuEdit->isEnabled()};
    }
};

TEST_F(CutTest, ACutEntryLeavesWithTheAnsweredEditAndItsEditorsClose) {
    {
        SCOPED_TRACE("arrangements: Edit > Cut, Yes; the paste moves the edited arrangement");
        w = openShow(arrFileWith({{5, "Five"}, {6, "Six"}}));
        for (const int row : {5, 9}) {
            click(w, row);
            w->CommEdit->press();
            frmEditArr::Open()->VScroll1[13]->setValue(row == 5 ? 77 : 50);
            dialogs.answer(row == 5 ? vbYes : vbNo);
            if (row == 5) {
                w->activate();
                RunMenuCommand(MenuId::mnuTaglia);
            } else {
                SCOPED_TRACE("the Delete key, No: the stored arrangement goes");
                deleteKey(w, w->List1);
            }
            click(w, row + 4);
            RunMenuCommand(MenuId::mnuIncolla);
            click(w, 6);
            EXPECT_EQ(std::tuple(asked("Keep changes ?"), frmEditArr::Open() == nullptr, emptyAt(w, ImgArrBlock(row)),
                                 at(w->Tag(), VolOf(row + 4))),
                      std::tuple(row == 5 ? 1 : 2, true, true, 77u));
        }
    }
    {
        SCOPED_TRACE("programs, both editors open: the Delete key, Yes; then Edit > Cut, No");
        startWithEditors();
        frmPrgUN* b1 = openPrg("bank1.prg", {10, 11});
        for (const int row : {3, 4}) {
            click(b1, row);
            b1->CommEdit->press();
            detune(frmEditPrg::Open())->setValue(row == 3 ? -20 : -30);
            b1->activate();
            if (row == 3) ASSERT_NE(openPerf(), nullptr);
            dialogs.answer(row == 3 ? vbYes : vbNo);
            if (row == 3)
                deleteKey(b1, b1->List1);
            else
                RunMenuCommand(MenuId::mnuTaglia);
            click(b1, row + 7);
            RunMenuCommand(MenuId::mnuIncolla);
            EXPECT_EQ(std::tuple(asked("Keep changes ?"), frmEditPrg::Open() || frmEditPerf::Open(),
                                 emptyAt(b1, ImgPrgBlock(row)), at(b1->Tag(), DetuneAt(row + 7))),
                      std::tuple(row - 2, false, true, row == 3 ? 236u : 0u));
        }
        dialogs.answer(vbNo);
        EXPECT_TRUE(frame->Unload());
    }
}

TEST_F(CutTest, ARecordOfACutRowHoldsNoEntry) {
    startWithEditors();
    frmPrgUN* b1 = openPrg("bank1.prg");
    for (const int row : {3, 5}) {
        SCOPED_TRACE(row == 5 ? "cut under the program editor, No" : "cut after a click");
        click(b1, row);
        if (row == 5) {
            b1->CommEdit->press();
            detune(frmEditPrg::Open())->setValue(-20);
            b1->activate();
            dialogs.answer(vbNo);
        }
        RunMenuCommand(MenuId::mnuTaglia);
        b1->activate();
        frmEditPerf* perf = openPerf();
        EXPECT_EQ(std::tuple(perf->Caption(), perf->PerfVScroll[0]->isEnabled()), std::tuple(std::string("Performance Edit"), false));
        perf->PerfVScroll[0]->setValue(1);
        ASSERT_TRUE(perf->Unload());
        EXPECT_EQ(mid(b1->Tag(), ImgPrgBlock(row), 172), std::string(172, '\0'));
    }
    dialogs.answer(vbNo);
    EXPECT_TRUE(frame->Unload());
}

TEST_F(CutTest, EditFollowsWhetherTheRowHoldsAnEntry) {
    w = openShow(arrFileWith({{5, "Five"}, {6, "Six"}}));
    click(w, 5);
    RunMenuCommand(MenuId::mnuTaglia);
    EXPECT_EQ(editOn(w->CommEdit), std::tuple(false, false));
    w->CommEdit_Click();
    w->List1_DblClick();
    EXPECT_EQ(frmEditArr::Open(), nullptr);
    RunMenuCommand(MenuId::mnuIncolla);
    EXPECT_EQ(std::tuple(editOn(w->CommEdit), w->Combo1->Text().empty()), std::tuple(std::tuple(true, true), false));

    startWithEditors();
    frmPrgUN* b1 = openPrg("bank1.prg");
    click(b1, 3);
    RunMenuCommand(MenuId::mnuTaglia);
    EXPECT_EQ(editOn(b1->CommEdit), std::tuple(false, false));
    RunMenuCommand(MenuId::mnuIncolla);
    EXPECT_EQ(editOn(b1->CommEdit), std::tuple(true, true));
}

TEST_F(CutTest, EditGivesTheInstrumentTheEntryItShows) {
    {
        SCOPED_TRACE("arrangements: a click then Edit sends nothing more; another window's Edit selects its row");
        w = openShow(arrFileWith({{5, "Five"}, {6, "Six"}}));
        click(w, 5);
        writeSong("Other", arrFileWith({{12, "Twelve"}}));
        frmArrU* other = openArr("Other");
        click(other, 12);
        sent();
        other->CommEdit->press();
        EXPECT_EQ(sent(), "");
        frmEditArr::Open()->VScroll1[13]->setValue(77);
        const std::string style = other->Combo1->Text();
        sent();
        w->activate();
        dialogs.answer(vbYes);
        w->CommEdit->press();
        EXPECT_EQ(std::tuple(sent(), at(other->Tag(), VolOf(12)), other->Combo1->Text()), std::tuple(selectOf(5), 77u, style));
    }
    {
        SCOPED_TRACE("programs, each click sending its file first: Edit > Edit sends the file and the selection");
        startWithEditors();
        CaricaPrgOpt = true;
        frmPrgUN* b1 = openPrg("bank1.prg");
        click(b1, 13);
        frmPrgUN* b2 = openPrg("bank2.prg");
        click(b2, 15);
        Timer::Advance(20000);   // the bank dumps whole
        sent();
        b2->CommEdit->press();
        EXPECT_EQ(sent(), bytesOf({0xF0, 0x42, 0x30, 0x4D, 0x4E, 0x02, 0xF7}));   // PROGRAM mode, as before
        detune(frmEditPrg::Open())->setValue(-20);
        sent();
        b1->activate();
        dialogs.answer(vbYes);
        RunMenuCommand(MenuId::mnuEdit);
        Timer::Advance(20000);
        const std::string edit = sent();
        const unsigned ch = static_cast<unsigned>(PrgSelectChannel(b1->Tag()));
        EXPECT_NE(edit.find(PrgBankMsg(b1->Tag())), std::string::npos);
        EXPECT_EQ(std::tuple(edit.substr(edit.size() - 8), rtrim(frmEditPrg::Open()->Caption())),
                  std::tuple(bytesOf({0xB0 | ch, 0, 0, 0xB0 | ch, 0x20, 3, 0xC0 | ch, 13}),
                             std::string("Edit Program  bank1.prg / Prog 13")));
        dialogs.answer(vbNo);
        EXPECT_TRUE(frame->Unload());
    }
}

}  // namespace
