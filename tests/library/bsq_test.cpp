// Backing-sequence windows: the event counts, File > Open BSQ, the dump and
// the play modes.
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

TEST(BsqCount, CountsUpToTheLastUsedSlot) {
    // Track 1 of sequence 0 has 2 units (8 slots); track 2 one unit.
    std::vector<unsigned> v(171, 3);
    v[0] = 0, v[1] = 2;
    struct Case {
        long slot;   // the only non-zero slot of track 1 (1-based), 0 none
        long want;
    } cases[] = {{8, 8}, {1, 1}, {3, 3}, {0, 0}};
    for (const Case& c : cases) {
        std::string f = bsqFile(2338 + 48, v);
        if (c.slot) put(f, BsqDataStart + 4 * (c.slot - 1) + 2, 7);
        put(f, BsqDataStart + 32, 1);   // track 2's first slot
        const auto n = BsqTrackCounts(f, 0);
        EXPECT_EQ(std::tuple(n[0], n[1]), std::tuple(c.want, 1L)) << c.slot;
        EXPECT_EQ(BsqSeqCount(f, 0), c.want + 1);
    }
}

TEST(BsqCount, NeverReadsOutsideTheFile) {
    std::mt19937 rng(1234);
    for (int run = 0; run < 5000; ++run) {
        std::string f = bsqFile(2338 + static_cast<long>(rng() % 4000));
        for (int m = 0; m < 40; ++m) put(f, 1997 + static_cast<long>(rng() % 342), rng() & 0xFF);
        if (run % 3 == 0) f.resize(2338 + rng() % 200);
        for (int k = 0; k < 10; ++k) {
            long sum = 0;
            for (long c : BsqTrackCounts(f, k)) {
                EXPECT_GE(c, 0);
                EXPECT_LE(c, static_cast<long>(f.size()) / 4 + 1);
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
    EXPECT_EQ(w->Tag().size(), 270 + f.size());
    EXPECT_EQ(mid(w->Tag(), 271), f);
    EXPECT_EQ(std::tuple(at(w->Tag(), 1), at(w->Tag(), 15)), std::tuple(26u, 1u));
    EXPECT_EQ(mid(w->Tag(), 21, 238), padRight(song("Song"), 238));
    EXPECT_EQ(w->List1->List(3), "Seq 3     ");
    EXPECT_EQ(w->Label3[0]->Caption(), "4");
    Timer::Advance(10);
    EXPECT_EQ(w->List1->ListIndex(), 0);
    EXPECT_EQ(w->Label2[0]->Caption(), "4");
    EXPECT_EQ(std::tuple(BsqWinCount, MruTable[1].Path), std::tuple(1, song("Song")));
    // The dump: status at the press, the message 11 ms later, one for a double press.
    midi->clear();
    w->CommLoadBSQ->Click();
    w->CommLoadBSQ->Click();
    EXPECT_EQ(frame->Label1->Caption(), Msg(124));
    Timer::Advance(5000);
    const std::string sent = midi->written();
    EXPECT_EQ(sent.size(), 2680u) << "one dump of 2338 data bytes";
    EXPECT_EQ(sent.substr(0, 7), bytesOf({0xF0, 0x42, 0x35, 0x4D, 0x66, 0x01, 0x00}));
    EXPECT_EQ(frame->Label1->Caption(), "");
    EXPECT_EQ(ModeNow, 0);
    // Modes.
    const int modes[][2] = {{0x0B, 3}, {0x0A, 0}, {0x06, 1}};
    CommandButton* buttons[] = {w->CommBSQ, w->CommArrPlay, w->CommSongPlay};
    for (int i = 0; i < 3; ++i) {
        midi->clear();
        buttons[i]->Click();
        Timer::Advance(100);
        EXPECT_EQ(midi->written(), bytesOf({0xF0, 0x42, 0x35, 0x4D, 0x4E, unsigned(modes[i][0]), 0xF7}));
        EXPECT_EQ(ModeNow, modes[i][1]);
    }
    // Closing within the 11 ms sends nothing; the slot and menu come back.
    midi->clear();
    w->CommLoadBSQ->Click();
    w->CommClose->Click();
    Timer::Advance(5000);
    EXPECT_EQ(midi->written(), "");
    EXPECT_EQ(std::tuple(BsqWinCount, int{BsqSlots[1].State}, m->mnuApriBSQ->isEnabled()), std::tuple(0, 0, true));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(BsqTest, BadFilesOpenNothing) {
    m = start();
    std::string wrong = bsqFile(2400);
    put(wrong, 2, 'X');
    const std::pair<std::string, std::string> files[] = {
        {"short", bsqFile(2337)}, {"long", bsqFile(90001)}, {"wrong", wrong}, {"garbage", std::string(3000, 'g')}};
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        writeFileBytes(song(name + ".bsq"), bytes);
        dialogs.answer(vbOK);
        EXPECT_EQ(openBsq(name), nullptr);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_NE(dialogs.shown[0].text.find(name), std::string::npos);
        EXPECT_EQ(readFileBytes(song(name + ".bsq")), bytes);
        dialogs.shown.clear();
    }
    writeFileBytes(song("empty.bsq"), "");
    dialogs.answer(vbOK);
    EXPECT_EQ(openBsq("empty"), nullptr);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, "Opening empty.bsq");
    EXPECT_EQ(std::tuple(BsqWinCount, int{BsqSlots[1].State}), std::tuple(0, 0));
}

}  // namespace
