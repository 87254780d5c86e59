// The program file windows and the automatic program selection as the user
// reaches them: File > Open Prg and New Prg, picks, the send, the editor
// link, the close with its question, and the pairing of arrangements.
#include <QTest>
#include <filesystem>

#include "../shell/shelltest.h"
#include "app/InfoFile.h"
#include "banks/Banks.h"
#include "banks/Links.h"
#include "banks/frmPcgAE.h"
#include "banks/frmPrgSelAuto.h"
#include "banks/frmPrgUN.h"
#include "banks/state.h"
#include "files/Clipboard.h"
#include "files/state.h"
#include "library/Library.h"
#include "library/frmArrU.h"
#include "library/state.h"
#include "midi/MIDI.h"
#include "platform/Files.h"

namespace {

// Records what the program windows ask of the editor; its keep step asks as
// the editor does and stores through prgRecStore (0 stored).
struct PrgEditor : ProgramEditorLinkT, RecordEditorsT {
    bool keep(EditRecord& record) override {
        return record.keepBeforeReplace(4, caption(), [this] { return prgRecStore() == 0; });
    }
    std::vector<std::string> calls;
    bool cancel = false;
    void prgRecBuild(ChildForm* w, int index) override {
        const std::string& image = w->Tag();
        calls.push_back("build " + std::to_string(at(image, ImgKind)) + " " + std::to_string(index));
        put(PrgRec, 173, at(image, ImgKind));
        put(PrgRec, 175, at(image, ImgSlot));
    }
    int storeResult = 0;
    int prgRecStore() {
        calls.push_back("store");
        return storeResult;
    }
    void editPrgFill() override { calls.push_back("fill"); }
    void show() override { calls.push_back("show"), EditPrgOpen = true; }
    bool unload() override { return calls.push_back("unload"), !cancel; }
    std::string caption() override { return "Edit Program"; }
};

class PrgTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        resetLibraryState();
        resetBanksState();
        InstallLibrary();
        InstallBanks();
        writeFileBytes(startFile("i40Prg"), PrgTemplateImage());
        open();
        Timer::Advance(200);
        midi->clear();
    }
    void TearDown() override {
        resetBanksState();
        ShellTest::TearDown();
    }
    // "Bank.pgg": programs "Prog nn" on channel 10, program 5 a reference to
    // the instrument's 01h 46h, program 6 zeroed, a marker in the sent block.
    std::string bank() const {
        std::string f = PrgTemplateImage();
        putMid(f, 1, "KPGG");
        put(f, 16, 9);
        for (int i = 0; i < 64; ++i) putMid(f, 49 + 172L * i, padRight("Prog " + std::string(i < 10 ? "0" : "") + std::to_string(i), 16));
        putMid(f, 49 + 172L * 5, bytesOf({1, 1, 0x46}) + "Ref Program     ");
        putMid(f, 49 + 172L * 6, std::string(172, '\0'));
        putMid(f, 23097, std::string(2104, 'm'));
        return f;
    }
    frmPrgUN* openFile(const std::string& name, const std::string& bytes, bool readOnly = false) {
        writeFileBytes(startFile(name), bytes);
        dialogs.chooseFile(startFile(name), 0, readOnly);
        RunMenuCommand(MenuId::mnuApriPrg);
        return PrgUNForms()[static_cast<std::size_t>(PrgSlotCur)];
    }
    frmPrgUN* newPrg() {
        RunMenuCommand(MenuId::mnuNuovoPrg);
        return PrgNewForms()[static_cast<std::size_t>(PrgSlotCur)];
    }
    static void pick(frmPrgUN* w, int row) {
        QTest::mouseClick(w->List1->viewport(), Qt::LeftButton, {}, w->List1->visualItemRect(w->List1->item(row)).center());
    }
    std::string sent() {
        Timer::Advance(100);
        const std::string s = midi->written();
        midi->clear();
        return s;
    }
    static std::string selection(unsigned c, unsigned lsb, unsigned pc) {
        return bytesOf({0xB0 + c, 0, 0, 0xB0 + c, 0x20, lsb, 0xC0 + c, pc});
    }
    static std::string mode(unsigned m) { return bytesOf({0xF0, 0x42, 0x30, 0x4D, 0x4E, m, 0xF7}); }
    std::string status() { return frame->Label1->Caption(); }
    // Rows 0-2 of Program A copied, pasted at `row` of a window.
    void pasteProgramA(frmPrgUN* w, int row) {
        if (!LiveOn(PcgAEForms()[4], frame.data())) RunMenuCommand(MenuId::mnuWProgA);
        frmPcgAE* a = PcgAEForms()[4];
        a->activate();
        for (int i = 0; i < 3; ++i) a->List1->setSelected(i, true);
        RunMenuCommand(MenuId::mnuCopia);
        w->activate();
        w->List1->setListIndex(row);
        w->List1->setSelected(row, true);
        RunMenuCommand(MenuId::mnuIncolla);
    }
};

TEST_F(PrgTest, OpenShowsTheFileAndItsSlot) {
    frmPrgUN* w = openFile("Bank.pgg", bank());
    ASSERT_NE(w, nullptr);
    std::string img = bytesOf({21, 0, 0, 0, 0, 2}) + std::string(8, '\0') + bytesOf({1, 0, 1, 0, 1, 2});
    img += padRight(startFile("Bank"), 250) + bank() + std::string(1344, '\0');
    const SlotRec& r = PrgSlots[1];
    EXPECT_EQ(w->Tag(), img);
    EXPECT_EQ(std::tuple(w->Caption(), w->List1->List(0), w->List1->List(5), w->List1->List(6), w->List1->List(63),
                         w->Combo1->Text(), PrgWinCount),
              std::tuple("File Prg - Bank.pgg (1) - MIDI Channel 10", "11  Prog 00" + std::string(9, ' '),
                         "16 *Ref Program     ", "17  ", "88  Prog 63" + std::string(9, ' '), " 10", 1));
    EXPECT_EQ(std::tuple(r.Path, r.Chan, r.State, r.Top, r.Left, r.RdOnly, r.Type), std::tuple(startFile("Bank"), 9, 1, 0, 0, 0, 1));

    // The layout: the list above the bottom row, each control inside, in order.
    const QRect inside = w->rect();
    const std::vector<QWidget*> row{w->Combo1, w->Label1, w->CommEdit, w->CommProgram, w->CommSongPlay, w->CommLoad, w->CommClose};
    for (std::size_t i = 0; i < row.size(); ++i) {
        EXPECT_TRUE(inside.contains(row[i]->geometry())) << i;
        if (i > 0) { EXPECT_LT(row[i - 1]->geometry().left(), row[i]->geometry().left()) << i; }
    }
    const QRect list = w->List1->geometry();
    EXPECT_EQ(std::tuple(list.left(), list.top() * 15, list.right() <= inside.right(), list.bottom() < w->CommClose->y()),
              std::tuple(0, 15, true, true));
    EXPECT_EQ(w->List1->visualItemRect(w->List1->item(16)).top(), w->List1->visualItemRect(w->List1->item(0)).top());
    EXPECT_EQ(w->List1->visualItemRect(w->List1->item(48)).top(), w->List1->visualItemRect(w->List1->item(0)).top());

    // A read-only open and a channel byte of 20.
    std::string odd = bank();
    put(odd, 16, 20);
    frmPrgUN* ro = openFile("Odd.prg", odd, true);
    EXPECT_EQ(std::tuple(at(ro->Tag(), 2), at(ro->Tag(), 20), at(ro->Tag(), 286), at(ro->Tag(), 7), ro->Combo1->Text(),
                         PrgWinCount),
              std::tuple(1u, 1u, 4u, 0u, "  5", 2));
}

TEST_F(PrgTest, PicksSelectOnTheFilesChannel) {
    frmPrgUN* w = openFile("Bank.pgg", bank());
    const struct { int row; std::string wire; } cases[] = {
        {0, selection(9, 3, 0)}, {5, selection(9, 1, 0x46)}, {6, ""}, {3, selection(9, 3, 3)}};
    for (const auto& c : cases) {
        pick(w, c.row);
        EXPECT_EQ(sent(), c.wire) << c.row;
    }
    // The channel box: the file's channel, marked changed, in the record.
    w->Combo1->setListIndex(2);
    EXPECT_EQ(std::tuple(at(w->Tag(), 286), at(w->Tag(), 7), PrgSlots[1].Chan, w->Caption()),
              std::tuple(2u, 1u, 2, "File Prg - Bank.pgg (1) - MIDI Channel 3"));

    // A new file: empty rows send nothing; pasted references go out on its channel.
    frmPrgUN* n = newPrg();
    ASSERT_NE(n, nullptr);
    EXPECT_EQ(std::tuple(n->Caption(), n->List1->List(0), at(n->Tag(), 18), n->CommLoad->isEnabled()),
              std::tuple("New File Program - Untitled.prg (1) - MIDI Channel 1", "11  ", 1u, false));
    pick(n, 0);
    EXPECT_EQ(sent(), "");
    pasteProgramA(n, 10);
    EXPECT_EQ(std::tuple(n->List1->List(10).substr(0, 4), n->List1->List(12).substr(0, 4), n->CommLoad->isEnabled()),
              std::tuple("23 *", "25 *", true));
    n->Combo1->setListIndex(2);
    midi->clear();
    pick(n, 11);
    EXPECT_EQ(sent(), selection(2, 0, 1));
}

TEST_F(PrgTest, LoadProgSendsOnceAndRestoresTheMode) {
    frmPrgUN* w = openFile("Bank.pgg", bank());
    const std::string dump = PrgBankMsg(w->Tag());
    ASSERT_EQ(dump.size(), 14992u);
    const unsigned restore[] = {0, 0x06, 0x04, 0x0B, 0x02};
    for (int m = 0; m <= 4; ++m) {
        SCOPED_TRACE(m);
        ModeNow = m;
        midi->clear();
        w->CommLoad->press();
        const std::string shown = status();
        const std::string atPress = midi->written();
        w->CommLoad->press();                     // pending: nothing more
        RunMenuCommand(MenuId::mnuLoadPrg);
        Timer::Advance(10000);
        const std::string want = (m ? mode(0x0A) : "") + dump + (m ? mode(restore[m]) : "");
        EXPECT_EQ(std::tuple(shown, atPress, midi->written() == want, status(), w->TimerLoadPrg->Interval(),
                             w->TimerLoadPrg->Enabled()),
                  std::tuple("Loading Program", m ? mode(0x0A) : "", true, "", 10, false));
    }
    InfoFileRead();
    EXPECT_EQ(std::tuple(InfoPrgTitle, PrgUFile, PrgSlots[9].Path, PrgSlots[9].Type), std::tuple("Bank", startFile("Bank"), startFile("Bank"), 1));

    // MIDI off: nothing recorded; a parked click still runs.
    writeFileBytes(InfoFile, std::string(InfoRecLen, ' '));
    const std::string info = readFileBytes(InfoFile);
    CaricaPrgOpt = true;
    MidiOn = 0;
    pick(w, 3);
    Timer::Advance(1000);
    EXPECT_EQ(std::tuple(readFileBytes(InfoFile) == info, status(), w->TimerList1->Interval(), w->List1->ListIndex()),
              std::tuple(true, "", 10, 3));
    // Closing while pending: nothing goes out.
    MidiOn = 1;
    ModeNow = 0;
    midi->clear();
    w->CommLoad->press();
    ASSERT_TRUE(w->Unload(vbFormCode));
    Timer::Advance(10000);
    EXPECT_EQ(std::tuple(midi->written(), status()), std::tuple("", ""));
}

TEST_F(PrgTest, AutomaticLoadingSendsEachBankOnce) {
    CaricaPrgOpt = true;
    frmPrgUN* file = openFile("Bank.pgg", bank());
    frmPrgUN* a = newPrg();
    pasteProgramA(a, 0);
    frmPrgUN* b = newPrg();
    pasteProgramA(b, 0);
    auto dumpThenSelect = [&](frmPrgUN* w, int row) -> std::string {
        sent();
        pick(w, row);
        Timer::Advance(10000);
        const std::string s = midi->written();
        const std::string d = PrgBankMsg(w->Tag());
        return s.find(d) != std::string::npos ? "dump" : s.empty() ? "none" : "select";
    };
    // Each untitled window holds the instrument only after its own send.
    const struct { frmPrgUN* w; int row; const char* what; } steps[] = {
        {file, 3, "dump"}, {file, 4, "select"}, {a, 0, "dump"}, {a, 1, "select"},
        {b, 0, "dump"},    {a, 0, "dump"},      {file, 3, "dump"}, {a, 0, "dump"}};
    int i = 0;
    for (const auto& s : steps) EXPECT_EQ(dumpThenSelect(s.w, s.row), s.what) << "step " << i++;
    InfoFileRead();
    EXPECT_EQ(std::tuple(InfoPrgTitle, PrgUFile), std::tuple("Untitled", startFile("Bank")));
}

TEST_F(PrgTest, PairedProgramIsPickedOnActivation) {
    frmPrgUN* w = openFile("Bank.pgg", bank());
    frmPrgUN* other = openFile("Other.prg", bank());
    pick(other, 7);
    pick(w, 2);
    sent();
    PrgSelAutoOn = true;
    const struct { int num; int row; } cases[] = {{23, 10}, {23, 10}, {0, -1}, {1, -1}, {9, -1}, {19, -1}, {90, -1}, {99, -1}, {88, 63}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.num);
        other->activate();
        midi->clear();
        PrgSelAutoNum = c.num;
        PrgSelAutoStem = startFile("Bank");
        w->activate();
        const int selected = w->List1->SelCount() == 1 && c.row >= 0 && w->List1->Selected(c.row) ? c.row : -1;
        EXPECT_EQ(std::tuple(sent(), PrgSelAutoNum, other->List1->Selected(7)),
                  std::tuple(c.row >= 0 ? selection(9, 3, static_cast<unsigned>(c.row)) : std::string(), 0, true));
        if (c.row >= 0) { EXPECT_EQ(selected, c.row); }
    }
}

TEST_F(PrgTest, EditorAndClose) {
    frmPrgUN* w = openFile("Bank.pgg", bank());
    pick(w, 3);
    EXPECT_FALSE(w->CommEdit->isEnabled()) << "no editor";
    PrgEditor editor;
    RegisterLink<ProgramEditorLinkT>(&editor);
    RegisterLink<RecordEditorsT>(&editor);
    pick(w, 4);
    sent();
    w->CommEdit->press();
    EXPECT_EQ(std::tuple(editor.calls, sent(), w->CommEdit->isEnabled()),
              std::tuple(std::vector<std::string>{"build 21 4", "build 21 4", "show"}, mode(0x02), false));
    editor.calls.clear();
    PrgModified = true;
    dialogs.answer(vbYes);
    pick(w, 3);
    EXPECT_EQ(std::tuple(editor.calls, dialogs.shown.back().title), std::tuple(std::vector<std::string>{"store", "build 21 3", "fill"}, "Edit Program"));
    // A refused store: the edited program stays; the pick still goes out.
    editor.calls.clear();
    editor.storeResult = 1;
    PrgModified = true;
    dialogs.answer(vbYes);
    sent();
    w->List1->setListIndex(4);
    EXPECT_EQ(std::tuple(editor.calls, PrgModified, sent().empty()), std::tuple(std::vector<std::string>{"store"}, true, false));
    editor.storeResult = 0;
    PrgModified = false;

    // The editor holds this window's program: asked first; its Cancel keeps both.
    w->Combo1->setListIndex(2);
    editor.cancel = true;
    AppClosing = true;
    EXPECT_FALSE(w->Unload(vbFormCode));
    EXPECT_EQ(std::tuple(editor.calls.back(), AppClosing), std::tuple("unload", false));
    editor.cancel = false;
    // Then the save question, titled by the file and slot.
    const struct { int answer; bool closed; std::string file; } cases[] = {
        {vbCancel, false, bank()}, {vbYes, true, ""}};
    for (const auto& c : cases) {
        dialogs.answer(c.answer);
        const bool closed = w->Unload(vbFormCode);
        EXPECT_EQ(std::tuple(closed, dialogs.shown.back().title), std::tuple(c.closed, "File Program - Bank.pgg (1)"));
    }
    std::string saved = bank();
    put(saved, 16, 2);
    EXPECT_EQ(std::tuple(readFileBytes(startFile("Bank.pgg")) == saved, at(PrgRec, 175), PrgSlotUsed[1], PrgSlots[1].State, PrgWinCount),
              std::tuple(true, 0u, 0, 0, 0));
    RegisterLink<ProgramEditorLinkT>(nullptr);
    RegisterLink<RecordEditorsT>(nullptr);
}

TEST_F(PrgTest, SelectionTableFile) {
    std::string bytes(PrgSelAutoFileLen, ' ');
    putMid(bytes, 36 * 57 + 1, "Song Two        23  Warm Pad        ");
    // The window: 100 rows, the file written whole at every close; one it
    // could not read whole is left as it is while nothing changed.
    const struct { std::string file; std::string box; } cases[] = {
        {"", ""}, {bytes, ""}, {bytes.substr(0, 36), "Error reading Velmora_PrgSelAuto"}, {bytes + "x", "Error reading Velmora_PrgSelAuto"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.size());
        writeFileBytes(PrgSelAutoFile, c.file);
        dialogs.shown.clear();
        if (!c.box.empty()) dialogs.answer(vbOK);
        const int before = ChildWinCount;
        RunMenuCommand(MenuId::mnuPrgSelAuto);
        auto* s = dynamic_cast<frmPrgSelAuto*>(ToolForm::Find(frame, 34));
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(std::tuple(onlyBox(), s->List1->ListCount(), s->List2->ListCount(), s->List1->ListIndex(), PrgSelAutoOn,
                             ChildWinCount - before, PrgSelAutoFocus, s->Caption()),
                  std::tuple(c.box, 100, 100, 0, true, 1, 1, "Auto Program Selection"));
        ASSERT_TRUE(s->Unload(vbFormCode));
        const std::string want = c.box.empty() ? PrgSelAutoBytes(PrgSelAutoFromBytes(c.file).table) : c.file;
        EXPECT_EQ(std::tuple(readFileBytes(PrgSelAutoFile) == want, PrgSelAutoOn, WinEntry(34).State), std::tuple(true, false, 0));
    }
    // A table that cannot be written is told of, and kept for the next close.
    writeFileBytes(PrgSelAutoFile, bytes);
    RunMenuCommand(MenuId::mnuPrgSelAuto);
    PrgSelAutoTab[2].arrName = padRight("Kept", 16);
    std::filesystem::remove(PrgSelAutoFile);
    std::filesystem::create_directory(PrgSelAutoFile);
    dialogs.shown.clear();
    dialogs.answer(vbOK);
    EXPECT_TRUE(ToolForm::Find(frame, 34)->Unload(vbFormCode));
    std::filesystem::remove(PrgSelAutoFile);
    RunMenuCommand(MenuId::mnuPrgSelAuto);
    auto* s = dynamic_cast<frmPrgSelAuto*>(ToolForm::Find(frame, 34));
    EXPECT_EQ(std::tuple(dialogs.shown.size(), dialogs.shown[0].text.find("Velmora_PrgSelAuto") != std::string::npos,
                         s->List1->List(2)),
              std::tuple(1u, true, padRight("Kept", 16)));
}

// A table cut inside an entry: what it holds is shown and kept; the close
// writes the table whole only once the user has changed it.
TEST_F(PrgTest, SelectionTableCutShortKeepsWhatItHolds) {
    std::string full(PrgSelAutoFileLen, ' ');
    for (int k = 0; k < 4; ++k)
        putMid(full, 36 * k + 1, padRight("Arr 0" + std::to_string(k), 16) + padRight("1" + std::to_string(k + 1) + "  Prog", 20));
    const std::string cut = full.substr(0, 128);
    writeFileBytes(PrgSelAutoFile, cut);
    const auto open = [&] {
        dialogs.shown.clear();
        dialogs.answer(vbOK);
        RunMenuCommand(MenuId::mnuPrgSelAuto);
        return dynamic_cast<frmPrgSelAuto*>(ToolForm::Find(frame, 34));
    };
    frmPrgSelAuto* s = open();
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(std::tuple(onlyBox(), s->List1->List(3), s->List2->List(3), s->List1->List(4)),
              std::tuple("Error reading Velmora_PrgSelAuto", padRight("Arr 03", 16), padRight("14  ", 20), std::string(16, ' ')));
    ASSERT_TRUE(s->Unload(vbFormCode));
    EXPECT_EQ(readFileBytes(PrgSelAutoFile), cut) << "closed unchanged";

    s = open();
    ASSERT_NE(s, nullptr);
    s->List1->setListIndex(1);
    RunMenuCommand(MenuId::mnuTaglia);
    ASSERT_TRUE(s->Unload(vbFormCode));
    std::string want = cut + std::string(PrgSelAutoFileLen - 128, ' ');
    putMid(want, 37, std::string(36, ' '));
    EXPECT_EQ(readFileBytes(PrgSelAutoFile), want) << "written whole after a cut";
}

TEST_F(PrgTest, SelectionTableFocusAndCut) {
    std::string bytes(PrgSelAutoFileLen, ' ');
    for (int k = 0; k < 6; ++k) putMid(bytes, 36 * k + 1, padRight("Arr" + std::to_string(k), 16) + padRight("1" + std::to_string(k + 1) + "  P", 20));
    writeFileBytes(PrgSelAutoFile, bytes);
    // Which list a Cut empties: the one clicked last.
    const struct { int list; int row; std::string name, text; } cases[] = {
        {2, 4, "Arr4", ""}, {1, 3, "", ""}};
    for (const auto& c : cases) {
        RunMenuCommand(MenuId::mnuPrgSelAuto);
        auto* s = dynamic_cast<frmPrgSelAuto*>(ToolForm::Find(frame, 34));
        ListBox* l = c.list == 1 ? s->List1 : s->List2;
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(c.row)).center());
        const std::string clip = ClipBuf;
        RunMenuCommand(MenuId::mnuTaglia);
        EXPECT_EQ(std::tuple(PrgSelAutoFocus, rtrim(PrgSelAutoTab[static_cast<std::size_t>(c.row)].arrName),
                             rtrim(PrgSelAutoTab[static_cast<std::size_t>(c.row)].prgText), ClipBuf == clip),
                  std::tuple(c.list, c.name, c.text, true))
            << c.list;
        ASSERT_TRUE(s->Unload(vbFormCode));
    }
}

TEST_F(PrgTest, ArrangementPicksItsPairedProgram) {
    writeFileBytes(startFile("Song.arr"), ArrBankImage(0));
    writeFileBytes(startFile("Song.prg"), bank());
    const std::string name = ArrRowText(WindowImageNew(19, ArrBankImage(0)), 1).substr(4);
    std::string table(PrgSelAutoFileLen, ' ');
    putMid(table, 36 * 7 + 1, name + padRight("23  Warm Pad", 20));
    writeFileBytes(PrgSelAutoFile, table);
    RunMenuCommand(MenuId::mnuPrgSelAuto);
    dialogs.chooseFile(startFile("Song.arr"));
    RunMenuCommand(MenuId::mnuApriArr);
    frmArrU* a = ArrUForms()[1];
    ASSERT_NE(a, nullptr);
    auto clickArr = [&](int row) {
        sent();
        QTest::mouseClick(a->List1->viewport(), Qt::LeftButton, {}, a->List1->visualItemRect(a->List1->item(row)).center());
        return sent();
    };
    // The pair's program window opens with its row picked; an earlier entry
    // of the same name wins.
    const struct { int entry; std::string text; int row; } cases[] = {{7, "23  Warm Pad", 10}, {3, "12  Bass", 1}};
    for (const auto& c : cases) {
        PrgSelAutoTab[static_cast<std::size_t>(c.entry)] = {name, padRight(c.text, 20)};
        const std::string wire = clickArr(1);
        frmPrgUN* p = PrgUNForms()[1];
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(std::tuple(p->List1->ListIndex(), p->List1->SelCount(), wire.ends_with(selection(9, 3, static_cast<unsigned>(c.row)))),
                  std::tuple(c.row, 1, true))
            << c.entry;
        a->activate();
    }
}

// The README's walk-through as written: a bank of references saved as
// Song.pgg beside Song.arr, paired in the selection window; a click on the
// arrangement picks the paired program, in the window of Song.pgg or, once
// that is closed, in one it opens. A bank of another name is not the
// arrangement file's: the click names the file it looked for.
TEST_F(PrgTest, ReadmeWalkThroughPairsTheArrangementsProgramFile) {
    frmPrgUN* n = newPrg();
    ASSERT_NE(n, nullptr);
    pasteProgramA(n, 0);
    n->activate();
    dialogs.chooseFile(startFile("Song.pgg"));
    RunMenuCommand(MenuId::mnuSalvaAs);
    ASSERT_TRUE(FileExists(startFile("Song.pgg")));
    ASSERT_TRUE(n->Unload());
    writeFileBytes(startFile("Song.arr"), ArrBankImage(0));
    dialogs.chooseFile(startFile("Song.arr"));
    RunMenuCommand(MenuId::mnuApriArr);
    frmArrU* a = ArrUForms()[1];
    ASSERT_NE(a, nullptr);
    dialogs.chooseFile(startFile("Song.pgg"));
    RunMenuCommand(MenuId::mnuApriPrg);
    frmPrgUN* p = PrgUNForms()[1];
    ASSERT_NE(p, nullptr);
    RunMenuCommand(MenuId::mnuPrgSelAuto);
    auto* sel = dynamic_cast<frmPrgSelAuto*>(ToolForm::Find(frame, 34));
    ASSERT_NE(sel, nullptr);
    auto click = [](ListBox* l, int row) {
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(row)).center());
    };
    a->activate();
    click(a->List1, 1);
    RunMenuCommand(MenuId::mnuCopia);
    sel->activate();
    click(sel->List1, 0);
    RunMenuCommand(MenuId::mnuIncolla);
    p->activate();
    click(p->List1, 2);
    RunMenuCommand(MenuId::mnuCopia);
    sel->activate();
    click(sel->List2, 0);
    RunMenuCommand(MenuId::mnuIncolla);
    ASSERT_EQ(std::tuple(rtrim(sel->List1->List(0)).empty(), rtrim(sel->List2->List(0)).substr(0, 2)),
              std::tuple(false, "13"));
    for (bool open : {true, false}) {
        SCOPED_TRACE(open);
        if (open) {
            p->activate();
            p->List1->setListIndex(5);
        } else {
            ASSERT_TRUE(p->Unload());
        }
        a->activate();
        click(a->List1, 1);
        frmPrgUN* w = PrgUNForms()[1];
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(std::tuple(ImgPathOf(w->Tag()), w->List1->ListIndex(), dialogs.shown.size()),
                  std::tuple(startFile("Song"), 2, 0u));
        p = w;
    }
    ASSERT_TRUE(p->Unload());
    std::filesystem::rename(startFile("Song.pgg"), startFile("Piano.pgg"));
    dialogs.answer(vbOK);
    a->activate();
    click(a->List1, 1);
    EXPECT_EQ(boxesShown(), "File " + startFile("Song.prg") + " not found|Opening Song.prg");
}

}  // namespace
