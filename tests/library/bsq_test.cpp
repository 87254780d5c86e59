// Backing-sequence windows: the event counts, File > Open BSQ, the dump and
// the play modes.
#include <algorithm>
#include <random>

#include "app/Messages.h"
#include "files/FileFormats.h"
#include "library/BsqView.h"
#include "library/frmBsq.h"
#include "librarytest.h"

namespace {

// A file of `len` bytes (at least 2338): the header, names "Seq k", and a
// table whose values `v` (171 of them; missing ones 0) are written as given.
std::string bsqFile(long len, const std::vector<unsigned>& v = {}) {
    std::string f = BsqMagicBytes() + std::string(static_cast<std::size_t>(len) - BsqMagicBytes().size(), '\0');
    for (int k = 0; k < 10; ++k) putField(f, 17 + 198L * k, 10, "Seq " + std::to_string(k));
    for (std::size_t e = 0; e < v.size() && e < 171; ++e) put16lo(f, 1997 + 2L * static_cast<long>(e), v[e]);
    return f;
}

// The fixed-seed run of damaged files: extended, their tables mutated, and
// every third truncated.
std::vector<std::string> fuzzFiles() {
    std::vector<std::string> files;
    std::mt19937 rng(1234);
    for (int run = 0; run < 5000; ++run) {
        std::string f = bsqFile(2338 + static_cast<long>(rng() % 4000));
        for (int m = 0; m < 40; ++m) put(f, 1997 + static_cast<long>(rng() % 342), rng() & 0xFF);
        if (run % 3 == 0) f.resize(2338 + rng() % 200);
        files.push_back(std::move(f));
    }
    return files;
}

// A track counts its slots up to its last non-zero one (trailing zero slots
// not, inner ones yes); fuzzed files are never read outside and every
// sequence's total is the sum of its tracks.
TEST(BsqCount, CountsUpToTheLastUsedSlotAndStayInsideTheFile) {
    std::vector<unsigned> v(171, 3);
    v[0] = 0, v[1] = 2;   // sequence 0: track 1 has 2 units (8 slots), track 2 one
    for (long slot : {8, 1, 3, 0}) {   // track 1's only non-zero slot (1-based, 0 none)
        std::string f = bsqFile(2338 + 48, v);
        if (slot) put(f, BsqDataStart + 4 * (slot - 1) + 2, 7);
        put(f, BsqDataStart + 32, 1);   // track 2's first slot
        const auto n = BsqTrackCounts(f, 0);
        EXPECT_EQ(std::tuple(n[0], n[1], BsqSeqCount(f, 0)), std::tuple(slot, 1L, slot + 1)) << slot;
    }
    for (const std::string& f : fuzzFiles()) {
        for (int k = 0; k < 10; ++k) {
            long sum = 0;
            for (long c : BsqTrackCounts(f, k)) {
                EXPECT_TRUE(c >= 0 && c <= static_cast<long>(f.size()) / 4 + 1) << c;
                sum += c;
            }
            EXPECT_EQ(sum, BsqSeqCount(f, k));
        }
    }
}

class BsqTest : public LibraryTest {
protected:
    frmBsq* openBsq(const std::string& name) {
        const int s = BsqSlotFree();
        dialogs.chooseFile(song(name + ".bsq"), 0, false);
        RunMenuCommand(MenuId::mnuApriBSQ);
        return s ? BsqForms()[static_cast<std::size_t>(s)].data() : nullptr;
    }
    frmMain* m = nullptr;
};

TEST_F(BsqTest, OpensShowsCountsAndDetails) {
    m = start([] { GlobalChannel = 5; });
    std::vector<unsigned> v(171, 1);
    v[0] = 0;   // sequence 0 track 1: one unit, its last slot used
    std::string f = bsqFile(2338 + 16, v);
    put(f, BsqDataStart + 12, 9);
    writeFileBytes(song("Song.bsq"), f);
    frmBsq* w = openBsq("Song");
    ASSERT_NE(w, nullptr);
    const std::string& tag = w->Tag();
    EXPECT_EQ(std::tuple(tag.size(), mid(tag, 271), at(tag, 1), at(tag, 15), mid(tag, 21, 238)),
              std::tuple(270 + f.size(), f, 26u, 1u, padRight(song("Song"), 238)));
    EXPECT_EQ(std::tuple(w->List1->List(3), w->Label3[0]->Caption()),
              std::tuple(std::string("Seq 3     "), std::string("4")));
    Timer::Advance(10);
    EXPECT_EQ(std::tuple(w->List1->ListIndex(), w->Label2[0]->Caption(), BsqWinCount, MruTable[1].Path),
              std::tuple(0, std::string("4"), 1, song("Song")));
    // The dump: status at the press, the message 11 ms later, one for a double press.
    midi->clear();
    w->CommLoadBSQ->Click();
    w->CommLoadBSQ->Click();
    EXPECT_EQ(status(), Msg(124));
    Timer::Advance(5000);
    const std::string sent = midi->written();
    EXPECT_EQ(std::tuple(sent.size(), sent.substr(0, 7), status(), ModeNow),
              std::tuple(2680u, bytesOf({0xF0, 0x42, 0x35, 0x4D, 0x66, 0x01, 0x00}), std::string(), 0))
        << "one dump of 2338 data bytes";
    for (auto [button, mode, now] :
         {std::tuple{w->CommBSQ, 0x0Bu, 3}, {w->CommArrPlay, 0x0Au, 0}, {w->CommSongPlay, 0x06u, 1}}) {
        midi->clear();
        button->Click();
        Timer::Advance(100);
        EXPECT_EQ(std::tuple(midi->written(), ModeNow),
                  std::tuple(bytesOf({0xF0, 0x42, 0x35, 0x4D, 0x4E, mode, 0xF7}), now));
    }
    // Closing within the 11 ms sends nothing; the slot and menu come back.
    midi->clear();
    w->CommLoadBSQ->Click();
    w->CommClose->Click();
    Timer::Advance(5000);
    EXPECT_EQ(std::tuple(midi->written(), BsqWinCount, int{BsqSlots[1].State}, m->mnuApriBSQ->isEnabled(),
                         dialogs.shown.size()),
              std::tuple(std::string(), 0, 0, true, 0u));
}

TEST_F(BsqTest, RecentEntryKeepsKindAndPlace) {
    m = start();
    for (int k = 1; k <= 2; ++k) {
        writeFileBytes(song("S" + std::to_string(k) + ".bsq"), bsqFile(2400));
        ASSERT_NE(openBsq("S" + std::to_string(k)), nullptr) << k;
    }
    auto entry = [this](const std::string& name) {
        return std::find_if(MruTable.begin(), MruTable.end(), [&](const MruRec& r) { return r.Path == song(name); });
    };
    ASSERT_NE(entry("S2"), MruTable.end());
    EXPECT_EQ(entry("S2")->Kind, 6);

    // A close by the user keeps the window's place in its recent entry.
    frmBsq* w = BsqForms()[2];
    w->Move(300, 450, w->Width(), w->Height());
    const auto place = std::tuple(w->Top(), w->Left(), w->Height(), w->Width());
    w->CommClose->Click();
    const auto e = entry("S2");
    ASSERT_NE(e, MruTable.end());
    EXPECT_EQ(std::tuple(e->Top, e->Left, e->Height, e->Width), place);
}

// Bad files are refused with a message naming them, and nothing changes;
// damaged tables (too large, decreasing, past the end) and a sample of the
// fuzzed files open, show their counts and take clicks without a word.
TEST_F(BsqTest, BadFilesAreRefusedDamagedTablesOpenSafely) {
    m = start();
    std::string wrong = bsqFile(2400);
    put(wrong, 2, 'X');
    QDir().mkpath(QString::fromStdString(song("folder.bsq")));   // a folder chosen as the file
    const std::pair<std::string, std::string> bad[] = {{"short", bsqFile(2337)}, {"long", bsqFile(90001)},
                                                       {"wrong", wrong},         {"garbage", std::string(3000, 'g')},
                                                       {"folder", "-"},          {"empty", ""}};
    for (const auto& [name, bytes] : bad) {
        SCOPED_TRACE(name);
        if (bytes != "-") writeFileBytes(song(name + ".bsq"), bytes);
        dialogs.shown.clear();
        dialogs.answer(vbOK);
        EXPECT_EQ(openBsq(name), nullptr);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_NE((name == "empty" ? dialogs.shown[0].title : dialogs.shown[0].text).find(name), std::string::npos);
        EXPECT_TRUE(bytes == "-" || readFileBytes(song(name + ".bsq")) == bytes);
    }
    EXPECT_EQ(std::tuple(dialogs.shown[0].title, BsqWinCount, int{BsqSlots[1].State}, MruEmpty(MruTable[1].Kind)),
              std::tuple("Opening empty.bsq", 0, 0, true));

    auto table = [](unsigned fill, std::initializer_list<std::pair<int, unsigned>> at = {}) {
        std::vector<unsigned> v(171, fill);
        for (auto [e, x] : at) v[static_cast<std::size_t>(e)] = x;
        return bsqFile(2338 + 64, v);
    };
    std::vector<std::string> files = {table(0x7FFF, {{0, 0}}), table(0xFFFF, {{0, 0}}), table(0xFFFF),
                                      table(5, {{0, 40}, {17, 3}, {34, 1}, {60, 0}}),
                                      table(200, {{0, 0}, {1, 100}, {170, 300}})};
    const std::vector<std::string> fuzzed = fuzzFiles();
    for (std::size_t i = 0; i < fuzzed.size(); i += fuzzed.size() / 200) files.push_back(fuzzed[i]);
    dialogs.shown.clear();
    for (std::size_t i = 0; i < files.size(); ++i) {
        SCOPED_TRACE(i);
        writeFileBytes(song("T.bsq"), files[i]);
        frmBsq* w = openBsq("T");
        ASSERT_NE(w, nullptr);
        Timer::Advance(10);
        for (int k = 0; k < 10; ++k) {
            w->List1->setListIndex(k);
            long sum = 0;
            for (long c : BsqTrackCounts(BsqFileBuf, k)) sum += c;
            EXPECT_EQ(w->Label3[static_cast<std::size_t>(k)]->Caption(), std::to_string(sum));
        }
        w->CommClose->Click();
    }
    EXPECT_EQ(dialogs.shown.size(), 0u);
}

}  // namespace
