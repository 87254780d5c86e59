// The new arrangement window: File > New Arrangement, the empty document,
// filling it by paste, the pick and the sends, and closing it.
#include "app/InfoFile.h"
#include "app/Messages.h"
#include "files/Clipboard.h"
#include "files/FileFormats.h"
#include "files/StyGroups.h"
#include "files/Writers.h"
#include "library/ArrUView.h"
#include "library/ArrNewView.h"
#include "library/frmArrNew.h"
#include "librarytest.h"
#include "midi/state.h"

namespace {

class ArrNewTest : public LibraryTest {
protected:
    void SetUp() override {
        LibraryTest::SetUp();
        writeFileBytes(startFile("i40ArrA"), ArrBankImage(0));
    }
    frmMain* begin() { return m = startOnChannels(); }
    frmArrNew* newArr() {
        const int before = firstFree();
        RunMenuCommand(MenuId::mnuNuovoArr);
        return before ? ArrNewForms()[static_cast<std::size_t>(before)].data() : nullptr;
    }
    static int firstFree() {
        for (int s = 1; s <= 8; ++s)
            if (!ArrNewSlotUsed[static_cast<std::size_t>(s)]) return s;
        return 0;
    }
    // Pastes rows of `src` into the window from row `dest` on, as the Edit
    // menu's Paste does, and rebuilds it.
    static void paste(frmArrNew* w, std::string src, std::initializer_list<int> rows, int dest) {
        for (int r : rows) put(src, 10799 + 21L * r, 1);
        ClipBuf = src;
        std::string img = w->Tag();
        ASSERT_TRUE(ClipPasteArr(img, dest));
        w->setTag(img);
        w->RefreshFromImage();
    }
    // A bank A window image, arrangement 0 with factory style 0, 1 with 200.
    static std::string bankImage() {
        std::string img = WindowImageNew(2, ArrBankImage(0));
        put(img, 303 + 17, 0);
        put(img, 303 + 164 + 17, 200);
        return img;
    }
    // An arrangement file window whose arrangement 0 uses its own style 8
    // and arrangement 1 its own style 4 (groups 2 and 1 in use).
    std::string userImage(bool twoGroups) {
        std::vector<std::string> names;
        for (int k = 0; k < 9; ++k) names.push_back("Own" + std::to_string(k));
        std::string img = WindowImageNew(19, arrFileOf({{0, "Mine", 8, 1}, {1, "Also", 4, 1}})) + styFileOf(names);
        put(img, 9, 2);
        ImgTitleSet(img, song("Mine"));
        if (!twoGroups) put(img, 303 + 164 + 17, 8);
        return img;
    }
    // Marks another file as the one the instrument holds.
    void infoHoldsOther() {
        std::string other = WindowImageNew(19, ArrBankImage(0));
        ImgTitleSet(other, song("Other"));
        InfoSetArr(other);
        InfoSetSty(other);
    }
    // A click on a row, and what it sent going out.
    void pick(frmArrNew* w, int row) {
        w->List1->setListIndex(-1);
        w->List1->setListIndex(row);
        Timer::Advance(50);
    }
    frmMain* m = nullptr;
};

TEST_F(ArrNewTest, NewArrangementOpensAnEmptyDocument) {
    begin();
    const std::string styGrp = StyGrpBuf;
    ASSERT_EQ(styGrp.size(), 4928u);
    frmArrNew* w = nullptr;
    for (int k = 0; k < 3; ++k) w = newArr();
    ASSERT_NE(w, nullptr);
    const std::string img = w->Tag();
    ASSERT_EQ(img.size(), 47550u);
    std::string header(20, '\0');
    for (auto [pos, v] : {std::pair{1, 20u}, {3, 2u}, {9, 1u}, {15, 3u}, {18, 1u}}) put(header, pos, v);
    EXPECT_EQ(mid(img, 1, 20), header);
    EXPECT_EQ(mid(img, 21, 250), padRight("Untitled (3)", 250));
    EXPECT_EQ(mid(img, 271, 10528), ArrBankImage(0).substr(0, 32) + std::string(10496, '\0'));
    for (int i : {0, 7, 8, 63}) EXPECT_EQ(mid(img, 10799 + 21L * i, 21), std::string(1, '\0') + RowCode(i) + std::string(18, ' '));
    EXPECT_EQ(mid(img, 12143, 30480), std::string(30480, ' '));
    EXPECT_EQ(img.substr(42622), styGrp);

    EXPECT_EQ(std::vector<std::string>({w->List1->List(0), w->List1->List(7), w->List1->List(8), w->List1->List(63)}),
              std::vector<std::string>({"11", "18", "21", "88"}));
    EXPECT_EQ(std::tuple(w->List1->ListCount(), w->Combo1->ListCount(), w->CommLoadArr->isEnabled(),
                         w->CommLoadSty->isEnabled(), w->Caption(), w->Top(), w->Left()),
              std::tuple(64, 0, false, false, std::string("New File Arr - Untitled.arr (3)"), 0, 0));
    EXPECT_EQ(std::tuple(ArrWinCount, int(ArrNewSlots[3].State), dialogs.shown.size()), std::tuple(3, 1, 0u));
    // Without the style template, position 9 stays 0.
    EXPECT_EQ(at(ArrNewImage(ArrNewDocument(ArrBankImage(0)), "", 1), 9), 0u);
}

TEST_F(ArrNewTest, EightWindowsAtMost) {
    begin();
    for (int k = 1; k <= 8; ++k) {
        ASSERT_NE(newArr(), nullptr);
        EXPECT_EQ(m->mnuNuovoArr->isEnabled(), k < 8);
    }
    EXPECT_EQ(ArrWinCount, 8);
    ASSERT_TRUE(ArrNewForms()[5]->Unload(vbFormCode));
    EXPECT_TRUE(m->mnuNuovoArr->isEnabled());
    EXPECT_EQ(std::tuple(int(ArrNewSlotUsed[5]), int(ArrNewSlots[5].State), ArrWinCount), std::tuple(0, 0, 7));
    EXPECT_EQ(newArr()->slot(), 5);
}

TEST_F(ArrNewTest, BankFileMissingOrDamaged) {
    begin();
    struct Case {
        bool missing;
        std::string shown;
    } cases[] = {{true, "File " + startFile("i40ArrA") + " not found"}, {false, "Error reading i40ArrA"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        if (c.missing) DeleteFile(startFile("i40ArrA"));
        else writeFileBytes(startFile("i40ArrA"), std::string(500, 'x'));
        dialogs.shown.clear();
        dialogs.answer(vbOK);
        RunMenuCommand(MenuId::mnuNuovoArr);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_NE(dialogs.shown[0].text.find(c.shown), std::string::npos) << dialogs.shown[0].text;
        EXPECT_EQ(std::tuple(ArrWinCount, ArrNewForms()[1].data()), std::tuple(0, static_cast<frmArrNew*>(nullptr)));
    }
}

TEST_F(ArrNewTest, PasteThenPick) {
    begin();
    frmArrNew* w = newArr();
    paste(w, bankImage(), {0, 1, 63}, 61);
    EXPECT_EQ(std::vector<std::string>({w->List1->List(60), rtrim(w->List1->List(63))}),
              std::vector<std::string>({"85", "88  Arrangement A88"}));
    EXPECT_EQ(std::tuple(w->CommLoadArr->isEnabled(), w->CommLoadSty->isEnabled()), std::tuple(true, false));
    ModeNow = 1;
    midi->clear();
    pick(w, 63);
    EXPECT_EQ(std::tuple(midi->written(), ModeNow), std::tuple(Mode0A + selectOf(63), 0));
    struct Case {
        int row;
        std::string sent, style;
    } cases[] = {
        {61, selectOf(61), rtrim(StyRomNames[0]) + " (A11)"},
        {62, selectOf(62), FactoryStyleText(200)},
        {0, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        midi->clear();
        pick(w, c.row);
        EXPECT_EQ(std::tuple(midi->written(), w->Combo1->Text()), std::tuple(c.sent, c.style));
    }

    // Styles of the file's own come along and can be sent.
    paste(w, userImage(false), {0}, 0);
    EXPECT_TRUE(w->CommLoadSty->isEnabled());
    std::string img = w->Tag();
    put(img, 303 + 17, 8);
    w->setTag(img);
    pick(w, 0);
    EXPECT_TRUE(w->Combo1->Text().ends_with(" (U21)")) << w->Combo1->Text();
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(ArrNewTest, FirstPickSendsTheBankOfThisWindow) {
    begin();
    m->mnuCaricaArr->setChecked(true);
    infoHoldsOther();
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        frmArrNew* w = newArr();
        ASSERT_EQ(w->slot(), 1);
        paste(w, bankImage(), {0, 5}, 0);
        midi->clear();
        const long long t0 = Timer::Now();
        w->List1->setListIndex(1);
        const std::string shown = status();
        Timer::Advance(6000);
        const std::string bank = ArrBankMsg(w->Tag());
        InfoFileRead();
        EXPECT_EQ(std::tuple(shown, bank.size(), messageTimes(t0).at(0), InfoArrTitle),
                  std::tuple(std::string("Loading Arrangement"), 12002u, 9LL, std::string("Untitled (1)")));
        EXPECT_EQ(midi->written(), bank + selectOf(1));
        midi->clear();
        pick(w, 0);
        Timer::Advance(100);
        EXPECT_EQ(midi->written(), selectOf(0)) << "held now: only the selection";
        dialogs.answer(vbNo);
        ASSERT_TRUE(w->Unload(vbFormCode));
    }
}

TEST_F(ArrNewTest, StyleSend) {
    begin();
    // Two arrangements on one own style fill one group; n on n styles fill
    // n / 4 groups, the last one partly when n is not a multiple of 4.
    auto ownStyles = [this](int n) {
        std::vector<ArrEntry> arrs;
        std::vector<std::string> names;
        for (int k = 0; k < n; ++k) arrs.push_back({k, "Own" + std::to_string(k), k, 1}), names.push_back("S" + std::to_string(k));
        std::string img = WindowImageNew(19, arrFileOf(arrs)) + styFileOf(names);
        put(img, 9, 2);
        ImgTitleSet(img, song("Own"));
        return img;
    };
    struct Case {
        std::string src;
        std::initializer_list<int> rows;
        std::vector<long long> at;   // each group handed out, then the selection
    } cases[] = {{userImage(false), {0, 1}, {20, 820}}, {ownStyles(8), {0, 1, 2, 3, 4, 5, 6, 7}, {20, 820, 1620}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.at.size());
        frmArrNew* w = newArr();
        paste(w, c.src, c.rows, 0);
        ASSERT_EQ(StyGrpCount(w->Tag()), static_cast<int>(c.at.size()) - 1);
        pick(w, 0);
        midi->clear();
        w->CommLoadSty->press();
        const std::string shown = status();
        // The moments each group and the closing selection are handed out;
        // presses while the job runs add nothing.
        std::vector<long long> handed;
        int idx = StyGrpIdx;
        for (int ms = 1; ms <= 3000 && w->TimerLoadSty->Enabled(); ++ms) {
            Timer::Advance(1);
            if (StyGrpIdx != idx || !w->TimerLoadSty->Enabled()) handed.push_back(ms), idx = StyGrpIdx;
            if (ms == 30) {
                w->CommLoadSty->press();
                RunMenuCommand(MenuId::mnuLoadSty);
            }
        }
        EXPECT_EQ(handed, c.at);
        Timer::Advance(8000);
        std::string want;
        for (std::size_t g = 0; g + 1 < c.at.size(); ++g) want += StyleDumpOf(w->Tag(), static_cast<int>(g));
        InfoFileRead();
        EXPECT_EQ(std::tuple(shown, midi->written(), status(), InfoStyTitle),
                  std::tuple(std::string("Loading Style"), want + selectOf(0), std::string(),
                             "Untitled (" + std::to_string(w->slot()) + ")"));
    }

    auto send = [](frmArrNew* w) {
        w->CommLoadSty->press();
        Timer::Advance(8000);
    };
    // No current row: the groups, no selection.
    frmArrNew* w = ArrNewForms()[1];
    w->List1->setListIndex(-1);
    midi->clear();
    send(w);
    EXPECT_EQ(midi->written(), StyleDumpOf(w->Tag(), 0));

    // MIDI off, or a group that cannot be sent: nothing recorded as held.
    infoHoldsOther();
    MidiOn = 0;
    send(w);
    EXPECT_EQ(InfoFileRead(), "Other");
    MidiOn = 1;
    w = newArr();
    paste(w, ownStyles(5), {0, 1, 2, 3, 4}, 0);
    ASSERT_EQ(StyGrpCount(w->Tag()), 2);
    midi->clear();
    dialogs.answer(vbOK);
    send(w);
    const std::string first = StyleDumpOf(w->Tag(), 0);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(std::tuple(midi->written().substr(0, first.size()), dialogs.shown[0].text, InfoFileRead()),
              std::tuple(first, MsgSubst(Msg(MsgStyGroupNotSent), "2"), std::string("Other")));
}

TEST_F(ArrNewTest, NoStylesInUse) {
    begin();
    m->mnuCaricaSty->setChecked(true);
    infoHoldsOther();
    frmArrNew* w = newArr();
    paste(w, bankImage(), {0}, 0);
    // An arrangement that names an own style the document has no group for.
    std::string img = w->Tag();
    put(img, 303 + 18, 1);
    w->setTag(img);
    ASSERT_EQ(StyGrpCount(img), 0);
    midi->clear();
    w->CommLoadSty->press();
    EXPECT_EQ(status(), "");
    pick(w, 0);
    Timer::Advance(2000);
    EXPECT_EQ(midi->written(), selectOf(0)) << "the parked pick still selects";
}

TEST_F(ArrNewTest, ClosingAsksOnlyWhenSomethingCanBeLost) {
    begin();
    frmArrNew* w = newArr();
    paste(w, userImage(false), {0}, 0);
    // A cancelled dialog: kept, with its changes, and the program's close stopped.
    dialogs.answer(vbYes);
    dialogs.cancelFile();
    AppClosing = true;
    EXPECT_FALSE(w->Unload(vbFormCode));
    EXPECT_EQ(std::tuple(AppClosing, at(w->Tag(), 4)), std::tuple(false, 1u));
    // A target that cannot be written: under a missing folder, or where a
    // folder stands.
    QDir().mkpath(QString::fromStdString(song("Dir.arr")));
    for (const std::string& target : {song("missing/New.arr"), song("Dir.arr")}) {
        SCOPED_TRACE(target);
        const std::string kept = w->Tag();
        dialogs.answer(vbYes);
        dialogs.chooseFile(target);
        dialogs.answer(vbOK);
        AppClosing = true;
        EXPECT_FALSE(w->Unload(vbFormCode));
        EXPECT_EQ(std::tuple(AppClosing, w->Tag(), int(ArrNewSlotUsed[1])), std::tuple(false, kept, 1));
        EXPECT_FALSE(dialogs.shown.empty()) << "the failure is told";
        dialogs.shown.clear();
    }
    EXPECT_FALSE(FileExists(song("missing/New.arr")));

    // Saved through Save As: the file, its styles, the recent entry.
    dialogs.answer(vbYes);
    dialogs.chooseFile(song("New.arr"));
    const std::string before = w->Tag();
    ASSERT_TRUE(w->Unload(vbFormCode));
    EXPECT_EQ(std::tuple(readFileBytes(song("New.arr")), readFileBytes(song("New.sty")), MruTable[1].Path,
                         int(ArrNewSlotUsed[1]), int(ArrNewSlots[1].State)),
              std::tuple(before.substr(270, 10528), StyPartOf(before), song("New"), 0, 0));

    // Saved under a name: a later Save is silent, and a style file it never
    // wrote stays.
    w = newArr();
    paste(w, bankImage(), {0}, 0);
    dialogs.chooseFile(song("Named.arr"));
    std::string img = w->Tag();
    ASSERT_EQ(FileSaveAs(img), 0);
    w->setTag(img);
    EXPECT_EQ(WinKind(img), 20);
    const std::string sty = styFileOf({"Keep"});
    writeFileBytes(song("Named.sty"), sty);
    paste(w, bankImage(), {1}, 1);
    ASSERT_EQ(at(w->Tag(), 4), 1u);
    dialogs.answer(vbYes);
    AppClosing = true;
    ASSERT_TRUE(w->Unload(vbFormCode));
    EXPECT_EQ(std::tuple(readFileBytes(song("Named.arr")).substr(32 + 164, 16), readFileBytes(song("Named.sty")),
                         int(ArrNewSlots[1].State)),
              std::tuple(padRight("Arrangement A12", 16), sty, 0))
        << "a style file it never wrote stays; the slot is never reopened";
    AppClosing = false;
}

}  // namespace
