// The arrangement window's jobs: the bank, style and program sends, the
// companion windows, the database entry, and the Edit menu reaching them.
#include "app/Messages.h"
#include "app/InfoFile.h"
#include "files/StyGroups.h"
#include "library/ArrUJobsView.h"
#include "library/frmStyUN.h"
#include "librarytest.h"
#include "midi/state.h"

namespace {

// Twelve styles: groups 0-2 full, group 3 empty.
std::vector<std::string> threeGroups() {
    std::vector<std::string> n;
    for (int k = 0; k < 12; ++k) n.push_back("S" + std::to_string(k));
    return n;
}

const std::string LongName = "A rather long arrangement file name";   // over 24 characters

struct Monitor : MidiMonSinkT {
    std::string text;
    void clear() override { text.clear(); }
    void append(const std::string& t) override { text += t; }
};

class JobsTest : public LibraryTest {
protected:
    // Opens `name`.arr (with its companions) with g = 5, c = 3, nothing
    // selected or sent yet.
    frmArrU* openBank(const std::string& name, const std::string& sty = "", const std::string& prg = "") {
        writeSong(name, arrFileOf({{2, "Two", 0, 1}, {5, "Five"}}), sty, prg);
        m = startOnChannels();
        frmArrU* w = openArr(name);
        Timer::Advance(100);
        midi->clear();
        dialogs.shown.clear();
        return w;
    }
    void drain() {
        Timer::Advance(8000);
        midi->clear();
    }
    // Presses a button, returning the status it shows, the times of what went
    // out in the next `ms` and leaving the bytes in midi.
    std::vector<long long> pressAndRun(CommandButton* b, int ms, std::string* shown = nullptr) {
        const long long t0 = Timer::Now();
        b->press();
        if (shown) *shown = status();
        Timer::Advance(ms);
        return messageTimes(t0);
    }
    frmMain* m = nullptr;
};

// The read-only mark of the recent entry of a path and kind (2 sty, 3 prg); -1 when none.
int mruMarkOf(const std::string& path, int kind) {
    for (const auto& e : MruTable)
        if (e.Path == path && e.Kind == kind) return e.RdOnly;
    return -1;
}

TEST_F(JobsTest, BankSend) {
    Monitor mon;
    Registration monitor = LinkRegistration<MidiMonSinkT>(&mon);
    frmArrU* w = openBank(LongName);
    ASSERT_NE(w, nullptr);
    MidiMonLogOn = true;
    std::string shown;
    const std::vector<long long> times = pressAndRun(w->CommLoadArr, 6000, &shown);
    const std::string bank = ArrBankMsg(w->Tag()), sent = Mode06 + Mode0A + bank;
    InfoFileRead();
    EXPECT_EQ(std::tuple(times, shown, bank.size(), status(), w->TimerLoadArr->Interval(), InfoArrTitle, ArrUFile),
              std::tuple(std::vector<long long>{9, 12, 14}, std::string("Loading Arrangement"), 12002u, std::string(),
                         10, LongName.substr(0, 24), song(LongName)));
    EXPECT_EQ(midi->written(), sent);
    EXPECT_EQ(mon.text, "") << "the modes are logged, then the monitor cleared; the bank is not logged";

    // From the Edit menu: at 19 ms. A second press before the tick sends at once, and only once.
    for (bool menu : {true, false}) {
        drain();
        const long long t0 = Timer::Now();
        if (menu) RunMenuCommand(MenuId::mnuLoadArr);
        else w->CommLoadArr->press(), Timer::Advance(5), w->CommLoadArr->press();
        Timer::Advance(6000);
        EXPECT_EQ(std::tuple(messageTimes(t0).front(), midi->written()), std::tuple(menu ? 19LL : 5LL, sent));
    }

    // MIDI off: nothing goes out, nothing is recorded as held.
    drain();
    MidiOn = 0;
    ArrUFile = "kept";
    writeFileBytes(song("Other.arr"), arrFileOf({{0, "Zero"}}));
    frmArrU* other = openArr("Other");
    ASSERT_NE(other, nullptr);
    pressAndRun(other->CommLoadArr, 1000);
    InfoFileRead();
    EXPECT_EQ(std::tuple(midi->written(), ArrUFile, InfoArrTitle, status()),
              std::tuple(std::string(), std::string("kept"), LongName.substr(0, 24), std::string()));

    // From the user bank's own window: sent, the user bank kept.
    MidiOn = 1;
    ArrFileRead(song("Other.arr"));
    ArrDir = songs;
    ArrName = "Other";
    ArrSlotCur = 9;
    auto* own = new frmArrU(frame);
    own->Show();
    pressAndRun(own->CommLoadArr, 6000);
    EXPECT_EQ(std::tuple(own->slot(), midi->written(), ArrUFile, dialogs.shown.size()),
              std::tuple(9, Mode06 + Mode0A + ArrBankMsg(own->Tag()), std::string("kept"), 0u));
}

// Groups 0-2 sent a second apart, then the selection; a job refused at a
// group, or with nothing to send, records nothing as held.
TEST_F(JobsTest, StyleJob) {
    const struct {
        const char* what;
        std::vector<std::string> styles;   // empty: the template
        int row;                           // -2: as the open left it
        std::vector<long long> at;         // empty: not looked at
        int dumps;
        std::string box, shown, held;
    } cases[] = {
        {"group 1 incomplete", {"S0", "S1", "S2", "S3", "S4"}, -2, {}, 1,
         "Style group 2 is incomplete and was not sent", "", ""},
        {"the template", {}, -2, {}, 0, "", "", ""},
        {"no row picked", threeGroups(), -1, {20, 1020, 2020}, 3, "", "Loading Style", "Bank"},
        {"row 2", threeGroups(), 2, {20, 1020, 2020, 3020, 3021, 3022}, 3, "", "Loading Style", "Bank"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        frmArrU* w = openBank("Bank", c.styles.empty() ? StyTemplateImage() : styFileOf(c.styles));
        ASSERT_NE(w, nullptr);
        if (c.row != -2) w->List1->setListIndex(c.row);
        drain();
        if (!c.box.empty()) dialogs.answer(vbOK);
        std::string shown;
        const std::vector<long long> times = pressAndRun(w->CommLoadSty, 4000, &shown);
        EXPECT_TRUE(c.at.empty() || times == c.at);
        std::string want;
        for (int g = 0; g < c.dumps; ++g) want += StyleDumpOf(w->Tag(), g);
        if (c.row >= 0) want += selectOf(c.row);
        std::vector<std::string> boxes;
        for (const auto& d : dialogs.shown) boxes.push_back(d.text);
        EXPECT_EQ(std::tuple(midi->written(), boxes, InfoFileRead(), status(), StyJobOwner),
                  std::tuple(want, c.box.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.box}, c.held,
                             std::string(), static_cast<frmStyUN*>(nullptr)));
        EXPECT_TRUE(c.dumps == 1 || shown == c.shown) << shown;
    }
}

TEST_F(JobsTest, ProgramSend) {
    // A .pgg whose program 0 refers to another: its first 20 bytes go out as 0.
    std::string file = prgFileOf(true, 1);
    for (int i = 2; i <= 30; ++i) put(file, PrgHdrLen + i, 0x11);
    writeFileBytes(song("Bank.pgg"), file);
    frmArrU* w = openBank("Bank");
    ASSERT_NE(w, nullptr);
    std::string data = file.substr(ImgPrgBlock0 - 271, 64 * 172);
    data.replace(0, 20, 20, '\0');
    data += file.substr(ImgPrgBankData - 271, 2104);
    const std::string want = SysExHdr() + "\x4C" + Pack7(data) + "\xF7";
    std::string shown;
    EXPECT_EQ(pressAndRun(w->CommLoadPrg, 6000, &shown), std::vector<long long>{6});
    InfoFileRead();
    EXPECT_EQ(std::tuple(shown, want.size(), midi->written() == want, InfoPrgTitle, m->LabelPrg->Caption(), PrgUFile,
                         int(PrgSlots[9].Type), status()),
              std::tuple(std::string("Loading Program"), 14992u, true, std::string("Bank"), std::string("Bank.pgg"),
                         song("Bank"), 1, std::string()));

    // The file open in its window (slot 2) with unsaved edits: the window's bytes.
    drain();
    std::string image = WindowImageNew(21, file);
    ImgTitleSet(image, song("Bank"));
    ImgSet(image, ImgSlot, 2);
    ImgSet(image, ImgPrgType, 1);
    put(image, ImgPrgBlock(5) + 3, 'E');
    PrgSlots[2] = {song("Bank"), 0, 1};
    PrgSlots[2].Type = 1;
    auto* prgWin = new TestChild(frame, image);
    prgWin->Show();
    FakePrgWindows::Held held;
    held.path = song("Bank"), held.slot = 2;
    const Registration holds = RegisterDocument(&held);
    EXPECT_EQ(pressAndRun(w->CommLoadPrg, 6000), std::vector<long long>{8});
    EXPECT_EQ(midi->written(), PrgBankMsg(image));
    prgWin->Unload();
    PrgSlots[2] = {};

    // A damaged file, or one gone since: one box, nothing else.
    DeleteFile(song("Bank.pgg"));
    PrgUFile = "kept";
    for (const std::string box : {"Data format error", "File not found"}) {
        SCOPED_TRACE(box);
        drain();
        dialogs.shown.clear();
        if (box == "File not found") DeleteFile(song("Bank.prg"));
        else writeFileBytes(song("Bank.prg"), std::string(300, 'x'));
        dialogs.answer(vbOK);
        pressAndRun(w->CommLoadPrg, 1000, &shown);
        EXPECT_EQ(std::tuple(onlyBox().starts_with(box), midi->written(), shown, PrgUFile, w->TimerLoadPrg->Interval()),
                  std::tuple(true, std::string(), std::string(), std::string("kept"), 10));
    }
}

// A window closed between a press and its tick sends nothing, and the
// status the press showed goes with it.
TEST_F(JobsTest, ClosedBeforeTheTick) {
    for (int job = 0; job < 3; ++job) {
        SCOPED_TRACE(job);
        frmArrU* w = openBank("Bank", "", prgFileOf(false, 0));
        ASSERT_NE(w, nullptr);
        if (job == 0) w->CommLoadArr_Click();
        else if (job == 1) w->CommLoadPrg_Click();
        else w->CommAdd_Click();
        const std::string shown = status();
        w->Unload();
        Timer::Advance(1000);
        EXPECT_EQ(std::tuple(shown.empty(), status(), midi->written()), std::tuple(false, std::string(), std::string()));
    }
}

TEST_F(JobsTest, CompanionStyleWindow) {
    frmArrU* w = openBank("Bank", styFileOf(threeGroups()));
    ASSERT_NE(w, nullptr);
    auto companion = [] { return StyUNForms()[1].data(); };
    RdOnlyOpt = true;
    w->CommShowSty->press();
    frmStyUN* s = companion();
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(std::tuple(at(s->Tag(), 1), at(s->Tag(), 2), StySlots[1].Extra, StyWinCount, mruMarkOf(song("Bank"), 2)),
              std::tuple(23u, 1u, 1, 1, 1));
    EXPECT_EQ(s->Tag().substr(669), w->Tag().substr(42622)) << "the arrangement's style part";

    // Again: the same window, brought forward.
    w->activate();
    w->CommShowSty->press();
    EXPECT_EQ(std::tuple(companion(), StyWinCount, m->ActiveForm()), std::tuple(s, 1, static_cast<ChildForm*>(s)));

    s->Unload();
    RdOnlyOpt = false;

    // Opened as a plain style file before the arrangement: closed and
    // reopened as the companion; kept alone when its own save question is
    // cancelled.
    for (int answer : {vbCancel, vbNo}) {
        SCOPED_TRACE(answer);
        w->Unload();
        dialogs.chooseFile(song("Bank.sty"));
        RunMenuCommand(MenuId::mnuApriSty);
        QPointer<frmStyUN> plain(companion());
        ASSERT_TRUE(plain && StySlots[1].Extra == 0);
        w = openArr("Bank");
        ASSERT_NE(w, nullptr);
        dialogs.shown.clear();
        put(plain->Tag(), 10, 1);
        dialogs.answer(answer);
        w->CommShowSty->press();
        EXPECT_EQ(dialogs.shown.size(), 1u);
        dialogs.shown.clear();
        EXPECT_EQ(std::count_if(StySlots.begin() + 1, StySlots.begin() + 9, [](auto& r) { return r.State != 0; }), 1)
            << "never two windows on one file";
        frmStyUN* now = companion();
        ASSERT_NE(now, nullptr);
        EXPECT_EQ(std::tuple(now == plain.data(), StySlots[1].Extra, at(now->Tag(), 2)),
                  std::tuple(answer == vbCancel, answer == vbCancel ? 0 : 1, 0u));
        put(now->Tag(), 10, 0);
        now->Unload();
    }

    // No free slot, or no styles of the file's own: nothing.
    const int windows = StyWinCount;
    StySlotUsed.fill(1);
    w->CommShowSty->press();
    StySlotUsed.fill(0);
    ImgSet(w->Tag(), ImgStyPart, ImgStyNone);
    w->CommShowSty_Click();
    EXPECT_EQ(std::tuple(StyWinCount, companion(), dialogs.shown.size()),
              std::tuple(windows, static_cast<frmStyUN*>(nullptr), 0u));
}

TEST_F(JobsTest, CompanionProgramWindowAndDatabase) {
    struct Windows : FakePrgWindows {
        std::vector<std::pair<int, int>> shown;
        void showPrgWindow(int kind, int slot) override {
            shown.emplace_back(kind, slot);
            FakePrgWindows::showPrgWindow(kind, slot);
        }
    } prgWindows;
    struct Adding : FakeDatabase {
        void dbArrAdd(int kind) override {
            FakeDatabase::dbArrAdd(kind);
            ArrDBID = 12;
        }
    } db;
    frmArrU* w = openBank("Bank", "", prgFileOf(false, 0));
    ASSERT_NE(w, nullptr);
    RdOnlyOpt = true;
    w->CommShowPrg->press();
    EXPECT_EQ(std::tuple(prgWindows.shown, int(PrgSlotUsed[1]), mruMarkOf(song("Bank"), 3)),
              std::tuple(std::vector<std::pair<int, int>>{{21, 1}}, 1, 1));

    w->CommAdd->press();
    const std::string shown = status();
    Timer::Advance(9);
    EXPECT_TRUE(db.adds.empty());
    Timer::Advance(1);
    EXPECT_EQ(std::tuple(db.adds, shown, w->Text1->Text(), ArrSlots[1].DBID, status(), midi->written()),
              std::tuple(std::vector<int>{19}, std::string("Update i40DBArr"), std::string("12"), 12, std::string(),
                         std::string()));
}

// ---- the find by number ------------------------------------------------------

constexpr int Found = 28;

class FindTest : public JobsTest {
protected:
    // The frame on channels 5/3 with the three Load options `on`, the
    // instrument holding `heldArr` as its bank and "Other" as styles and programs.
    void startFind(const std::string& heldArr, bool on = true) {
        m = startOnChannels();
        ModeNow = 0;
        CaricaArrOpt = CaricaStyOpt = CaricaPrgOpt = on;
        std::string info(InfoRecLen, ' ');
        putField(info, 51, 50, heldArr);
        putField(info, 101, 50, "Other");
        putField(info, 151, 50, "Other");
        writeFileBytes(InfoFile, info);
    }
    // A file whose arrangement 28 uses a style of the file's own (or a
    // factory one) and a user program, with row 5 beside it.
    static std::string foundFile(bool ownStyle = true) {
        return arrFileOf({{5, "Five"}, {Found, "Found", 0, ownStyle ? 1 : 0, {{0, 64}}}});
    }
    frmArrU* openFound(const std::string& name, int pos = Found) {
        FindIDPending = true;
        FindIDPos = pos;
        return openArr(name);
    }
    // Runs the clock for `ms`; the Intervals the find's timer was armed with, in order.
    static std::vector<int> armings(frmArrU* w, int ms) {
        std::vector<int> seen;
        int last = 0;
        for (int t = 0; t < ms; ++t) {
            const int now = w->TimerFindID->Enabled() ? w->TimerFindID->Interval() : 0;
            if (now != 0 && now != last) seen.push_back(now);
            last = now;
            Timer::Advance(1);
        }
        return seen;
    }
};

// With the Load options on, what the instrument lacks goes out, each send
// moving the chain on, and the found arrangement is selected in the end,
// also where a step has nothing it can send; with them off, only the
// selection, 100 ms after the load.
TEST_F(FindTest, SendsWhatTheInstrumentLacksThenSelects) {
    const std::string thirty = "Thirty characters in this name";
    const std::string prg = prgFileOf(false, 0);
    struct Case {
        const char* what;
        std::string name, heldArr;
        bool ownStyle, styFile, prgFile, midiOn;
        std::vector<int> armings;
        bool bank, styles, programs, on = true;
    } cases[] = {
        {"options off", "Bank", "Other", true, true, true, true, {10, 20, 30, 40}, false, false, false, false},
        {"another file held", "Bank", "Other", true, true, true, true, {10, 800, 820, 40}, true, true, true},
        {"factory style", "Bank", "Other", false, true, true, true, {10, 800, 30, 40}, true, false, true},
        {"the bank held", "Bank", "Bank", true, true, true, true, {10, 20, 820, 40}, false, true, true},
        {"a long name held by its first 24", thirty, thirty.substr(0, 24), true, true, true, true, {10, 20, 820, 40},
         false, true, true},
        {"MIDI off", "Bank", "Other", true, true, true, false, {10, 800, 820, 40}, false, false, false},
        {"no style file", "Bank", "Other", true, false, true, true, {10, 800, 820, 40}, true, false, true},
        {"no program file", "Bank", "Other", true, true, false, true, {10, 800, 820, 40}, true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (const char* ext : {".sty", ".prg"}) QFile::remove(QString::fromStdString(song(c.name + ext)));
        writeSong(c.name, foundFile(c.ownStyle), c.styFile ? styFileOf(threeGroups()) : "", c.prgFile ? prg : "");
        startFind(c.heldArr, c.on);
        MidiOn = c.midiOn ? 1 : 0;
        frmArrU* w = openFound(c.name);
        ASSERT_NE(w, nullptr);
        const long long t0 = Timer::Now();
        EXPECT_EQ(armings(w, 8000), c.armings);
        EXPECT_TRUE(c.on || messageTimes(t0) == (std::vector<long long>{100, 101, 102}));
        Timer::Advance(12000);   // the dumps leave at the wire's pace
        std::string want;
        if (c.bank) want += Mode06 + Mode0A + ArrBankMsg(w->Tag());
        if (c.styles)
            want += StyleDumpOf(w->Tag(), 0) + StyleDumpOf(w->Tag(), 1) + StyleDumpOf(w->Tag(), 2) + selectOf(Found);
        if (c.programs) want += PrgBankMsg(PrgFileImage(song(c.name), prg, false));
        if (c.midiOn) want += selectOf(Found);
        EXPECT_TRUE(midi->written() == want) << midi->written().size() << " bytes, not " << want.size();
        EXPECT_EQ(dialogs.shown.size(), 0u) << "no box, not even for a program file that never was there";
        EXPECT_EQ(std::tuple(w->List1->ListIndex(), FindIDPending, w->TimerFindID->Enabled(), w->TimerFindID->Interval()),
                  std::tuple(Found, false, false, 10));
        w->Unload();
    }
}

// A find belongs to the window that took it: a newer find ends an older
// chain, a send elsewhere starts none, and a closed window takes its find along.
TEST_F(FindTest, FindBelongsToTheWindowThatTookIt) {
    for (const char* name : {"A", "B", "C"}) writeSong(name, foundFile());
    startFind("Other", false);
    CaricaArrOpt = true;
    frmArrU* a = openFound("A");
    ASSERT_NE(a, nullptr);
    Timer::Advance(12);   // A has asked for its bank, sent at 19
    frmArrU* b = openFound("B", 5);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(armings(a, 30), std::vector<int>{}) << "A's bank send ended arming nothing";
    Timer::Advance(10000);
    EXPECT_TRUE(midi->written() == Mode06 + Mode0A + ArrBankMsg(a->Tag()) + Mode06 + Mode0A + ArrBankMsg(b->Tag()) + selectOf(5));
    EXPECT_EQ(std::tuple(a->List1->ListIndex(), b->List1->ListIndex(), FindIDPending), std::tuple(Found, 5, false));

    // A find left pending by someone else: a bank send ending in A starts nothing.
    midi->clear();
    FindIDPending = true;
    a->CommLoadArr->press();
    Timer::Advance(8000);
    EXPECT_EQ(std::tuple(midi->written() == Mode06 + Mode0A + ArrBankMsg(a->Tag()), a->TimerFindID->Enabled()),
              std::tuple(true, false));

    // Closed in the middle of its chain.
    midi->clear();
    frmArrU* c = openFound("C");
    ASSERT_NE(c, nullptr);
    Timer::Advance(12);
    c->Unload();
    EXPECT_FALSE(FindIDPending);
    frmArrU* again = openArr("C");
    ASSERT_NE(again, nullptr);
    Timer::Advance(8000);
    EXPECT_EQ(std::tuple(again->List1->ListIndex(), midi->written()), std::tuple(-1, std::string()));
}

}  // namespace
