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
        const auto free = std::find(ArrNewSlotUsed.begin() + 1, ArrNewSlotUsed.begin() + 9, 0) - ArrNewSlotUsed.begin();
        RunMenuCommand(MenuId::mnuNuovoArr);
        return free < 9 ? ArrNewForms()[static_cast<std::size_t>(free)].data() : nullptr;
    }
    // Pastes rows of `src` into the window from row `dest` on, as the Edit
    // menu's Paste does, and rebuilds it.
    static void paste(frmArrNew* w, std::string src, std::initializer_list<int> rows, int dest) {
        for (int r : rows) put(src, 10799 + 21L * r, 1);
        ClipBuf = src;
        ASSERT_TRUE(ClipPasteArr(w->Tag(), dest));
        w->RefreshFromImage();
    }
    // A bank A window image, arrangement 0 with factory style 0, 1 with 200.
    static std::string bankImage() {
        std::string img = WindowImageNew(2, ArrBankImage(0));
        put(img, 303 + 17, 0);
        put(img, 303 + 164 + 17, 200);
        return img;
    }
    // An arrangement file window whose arrangements 0 and 1 use its own style 8.
    std::string userImage() {
        std::vector<std::string> names;
        for (int k = 0; k < 9; ++k) names.push_back("Own" + std::to_string(k));
        std::string img = WindowImageNew(19, arrFileOf({{0, "Mine", 8, 1}, {1, "Also", 4, 1}})) + styFileOf(names);
        put(img, 9, 2);
        ImgTitleSet(img, song("Mine"));
        put(img, 303 + 164 + 17, 8);
        return img;
    }
    // Marks another file as the one the instrument holds.
    void infoHoldsOther() {
        std::string other = WindowImageNew(19, ArrBankImage(0));
        ImgTitleSet(other, song("Other"));
        InfoSetArr(other);
        InfoSetSty(other);
    }
    // A click on a row, and what it sent gone out.
    void pick(frmArrNew* w, int row) {
        w->List1->setListIndex(-1);
        w->List1->setListIndex(row);
        Timer::Advance(50);
    }
    frmMain* m = nullptr;
};

TEST_F(ArrNewTest, NewArrangement) {
    begin();
    // The bank file missing or damaged: one box, nothing opens.
    for (bool missing : {true, false}) {
        SCOPED_TRACE(missing);
        if (missing) DeleteFile(startFile("i40ArrA"));
        else writeFileBytes(startFile("i40ArrA"), std::string(500, 'x'));
        dialogs.shown.clear();
        dialogs.answer(vbOK);
        RunMenuCommand(MenuId::mnuNuovoArr);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_NE(dialogs.shown[0].text.find(missing ? "File " + startFile("i40ArrA") + " not found"
                                                     : "Error reading i40ArrA"),
                  std::string::npos) << dialogs.shown[0].text;
        EXPECT_EQ(std::tuple(ArrWinCount, ArrNewForms()[1].data()), std::tuple(0, static_cast<frmArrNew*>(nullptr)));
    }

    writeFileBytes(startFile("i40ArrA"), ArrBankImage(0));
    frmArrNew* w = nullptr;
    for (int k = 0; k < 3; ++k) w = newArr();
    ASSERT_NE(w, nullptr);
    const std::string img = w->Tag();
    std::string header(20, '\0');
    for (auto [pos, v] : {std::pair{1, 20u}, {3, 2u}, {9, 1u}, {15, 3u}, {18, 1u}}) put(header, pos, v);
    std::string rows;
    for (int i = 0; i < 64; ++i) rows += std::string(1, '\0') + RowCode(i) + std::string(18, ' ');
    EXPECT_TRUE(img == header + padRight("Untitled (3)", 250) + ArrBankImage(0).substr(0, 32) +
                           std::string(10496, '\0') + rows + std::string(30480, ' ') + StyGrpBuf);
    EXPECT_EQ(std::tuple(img.size(), StyGrpBuf.size()), std::tuple(47550u, 4928u));
    EXPECT_EQ(std::vector<std::string>({w->List1->List(0), w->List1->List(7), w->List1->List(8), w->List1->List(63)}),
              std::vector<std::string>({"11", "18", "21", "88"}));
    EXPECT_EQ(std::tuple(w->List1->ListCount(), w->Combo1->ListCount(), w->CommLoadArr->isEnabled(),
                         w->CommLoadSty->isEnabled(), w->Caption(), ArrWinCount),
              std::tuple(64, 0, false, false, std::string("New File Arr - Untitled.arr (3)"), 3));
    // Without the style template, position 9 stays 0.
    EXPECT_EQ(at(ArrNewImage(ArrNewDocument(ArrBankImage(0)), "", 1), 9), 0u);

    // Eight at most; closing one frees its slot for the next.
    for (int k = 4; k <= 8; ++k) {
        EXPECT_TRUE(m->mnuNuovoArr->isEnabled());
        ASSERT_NE(newArr(), nullptr);
    }
    EXPECT_FALSE(m->mnuNuovoArr->isEnabled());
    ASSERT_TRUE(ArrNewForms()[5]->Unload(vbFormCode));
    EXPECT_EQ(std::tuple(m->mnuNuovoArr->isEnabled(), int(ArrNewSlotUsed[5]), int(ArrNewSlots[5].State), ArrWinCount),
              std::tuple(true, 0, 0, 7));
    EXPECT_EQ(newArr()->slot(), 5);
}

TEST_F(ArrNewTest, PasteThenPick) {
    begin();
    frmArrNew* w = newArr();
    paste(w, bankImage(), {0, 1, 63}, 61);
    EXPECT_EQ(std::vector<std::string>({w->List1->List(60), rtrim(w->List1->List(63))}),
              std::vector<std::string>({"85", "88  Arrangement A88"}));
    ModeNow = 1;
    midi->clear();
    pick(w, 63);
    EXPECT_EQ(std::tuple(midi->written(), ModeNow), std::tuple(Mode0A + selectOf(63), 0));
    const struct { int row; std::string sent, style; } cases[] = {
        {61, selectOf(61), rtrim(StyRomNames[0]) + " (A11)"},
        {62, selectOf(62), FactoryStyleText(200)},
        {0, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        midi->clear();
        pick(w, c.row);
        EXPECT_EQ(std::tuple(midi->written(), w->Combo1->Text()), std::tuple(c.sent, c.style));
    }

    // Styles of the file's own come along and can be sent.
    paste(w, userImage(), {0}, 0);
    EXPECT_TRUE(w->CommLoadSty->isEnabled());
    put(w->Tag(), 303 + 17, 8);
    pick(w, 0);
    EXPECT_TRUE(w->Combo1->Text().ends_with(" (U21)")) << w->Combo1->Text();
}

TEST_F(ArrNewTest, FirstPickSendsTheBankOfThisWindow) {
    begin();
    CaricaArrOpt = true;
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
        EXPECT_EQ(std::tuple(shown, bank.size(), messageTimes(t0).at(0), InfoArrTitle, midi->written() == bank + selectOf(1)),
                  std::tuple(std::string("Loading Arrangement"), 12002u, 9LL, std::string("Untitled (1)"), true));
        midi->clear();
        pick(w, 0);
        EXPECT_EQ(midi->written(), selectOf(0)) << "held now: only the selection";
        dialogs.answer(vbNo);
        ASSERT_TRUE(w->Unload(vbFormCode));
    }
}

TEST_F(ArrNewTest, StyleSend) {
    begin();
    // n arrangements on n styles of the file's own fill n / 4 groups, the
    // last one partly when n is not a multiple of 4.
    auto ownStyles = [this](int n) {
        std::vector<ArrEntry> arrs;
        std::vector<std::string> names;
        for (int k = 0; k < n; ++k) arrs.push_back({k, "Own" + std::to_string(k), k, 1}), names.push_back("S" + std::to_string(k));
        std::string img = WindowImageNew(19, arrFileOf(arrs)) + styFileOf(names);
        put(img, 9, 2);
        return img;
    };
    // One group, then two: each group and the closing selection handed out
    // at their times; presses while the job runs add nothing.
    const struct { std::string src; std::initializer_list<int> rows; std::vector<long long> at; } cases[] = {
        {userImage(), {0, 1}, {20, 820}}, {ownStyles(8), {0, 1, 2, 3, 4, 5, 6, 7}, {20, 820, 1620}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.at.size());
        frmArrNew* w = newArr();
        paste(w, c.src, c.rows, 0);
        pick(w, 0);
        midi->clear();
        w->CommLoadSty->press();
        const std::string shown = status();
        std::vector<long long> handed;
        int idx = StyGrpIdx;
        for (int ms = 1; ms <= 3000 && w->TimerLoadSty->Enabled(); ++ms) {
            Timer::Advance(1);
            if (StyGrpIdx != idx || !w->TimerLoadSty->Enabled()) handed.push_back(ms), idx = StyGrpIdx;
            if (ms == 30) w->CommLoadSty->press(), RunMenuCommand(MenuId::mnuLoadSty);
        }
        Timer::Advance(8000);
        std::string want;
        for (std::size_t g = 0; g + 1 < c.at.size(); ++g) want += StyleDumpOf(w->Tag(), static_cast<int>(g));
        InfoFileRead();
        EXPECT_EQ(std::tuple(handed, shown, midi->written() == want + selectOf(0), status(), InfoStyTitle),
                  std::tuple(c.at, std::string("Loading Style"), true, std::string(),
                             "Untitled (" + std::to_string(w->slot()) + ")"));
    }

    // No current row: the groups, no selection.
    frmArrNew* w = ArrNewForms()[1];
    w->List1->setListIndex(-1);
    midi->clear();
    w->CommLoadSty->press();
    Timer::Advance(8000);
    EXPECT_EQ(midi->written(), StyleDumpOf(w->Tag(), 0));

    // MIDI off, or a group refused: nothing recorded as held.
    infoHoldsOther();
    MidiOn = 0;
    w->CommLoadSty->press();
    Timer::Advance(8000);
    EXPECT_EQ(InfoFileRead(), "Other");
    MidiOn = 1;
    w = newArr();
    paste(w, ownStyles(5), {0, 1, 2, 3, 4}, 0);
    midi->clear();
    dialogs.answer(vbOK);
    w->CommLoadSty->press();
    Timer::Advance(8000);
    const std::string first = StyleDumpOf(w->Tag(), 0);
    EXPECT_EQ(std::tuple(midi->written().substr(0, first.size()), onlyBox(), InfoFileRead()),
              std::tuple(first, MsgSubst(Msg(MsgStyGroupNotSent), "2"), std::string("Other")));
}

TEST_F(ArrNewTest, NoStylesInUse) {
    begin();
    CaricaStyOpt = true;
    infoHoldsOther();
    frmArrNew* w = newArr();
    paste(w, bankImage(), {0}, 0);
    put(w->Tag(), 303 + 18, 1);   // an own style the document has no group for
    ASSERT_EQ(StyGrpCount(w->Tag()), 0);
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
    paste(w, userImage(), {0}, 0);
    // A cancelled dialog, or a target that cannot be written (under a missing
    // folder, or where a folder stands): kept with its changes, the program's
    // close stopped.
    QDir().mkpath(QString::fromStdString(song("Dir.arr")));
    for (const std::string& target : {std::string(), song("missing/New.arr"), song("Dir.arr")}) {
        SCOPED_TRACE(target);
        const std::string kept = w->Tag();
        dialogs.shown.clear();
        dialogs.answer(vbYes);
        if (target.empty()) dialogs.cancelFile();
        else dialogs.chooseFile(target), dialogs.answer(vbOK);
        AppClosing = true;
        EXPECT_FALSE(w->Unload(vbFormCode));
        EXPECT_EQ(std::tuple(AppClosing, w->Tag(), at(w->Tag(), 4), int(ArrNewSlotUsed[1]), dialogs.shown.size()),
                  std::tuple(false, kept, 1u, 1, target.empty() ? 1u : 2u)) << "the failure is told";
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

    // Saved under a name: a later Save is silent, a style file it never wrote
    // stays, and the slot is freed even while the program closes.
    w = newArr();
    paste(w, bankImage(), {0}, 0);
    dialogs.chooseFile(song("Named.arr"));
    ASSERT_EQ(FileSaveAs(w->Tag()), 0);
    const std::string sty = styFileOf({"Keep"});
    writeFileBytes(song("Named.sty"), sty);
    paste(w, bankImage(), {1}, 1);
    dialogs.answer(vbYes);
    AppClosing = true;
    ASSERT_TRUE(w->Unload(vbFormCode));
    EXPECT_EQ(std::tuple(readFileBytes(song("Named.arr")).substr(32 + 164, 16), readFileBytes(song("Named.sty")),
                         int(ArrNewSlots[1].State)),
              std::tuple(padRight("Arrangement A12", 16), sty, 0));
    AppClosing = false;
}

}  // namespace
