// The MIDI device layer: the ordered, paced output queue over the capture
// back-end, and the ALSA back-end on a machine without a sequencer.
#include <sys/stat.h>

#include "alsastream.h"
#include "platform/MidiDevice.h"
#include "platform/MidiEvents.h"
#include "platform/Timer.h"
#include "testenv.h"

namespace {

// A system-exclusive dump of n bytes whose data bytes tell their position.
std::string dump(std::size_t n) {
    std::string d(n, '\0');
    d.front() = '\xF0';
    for (std::size_t i = 1; i + 1 < n; ++i) d[i] = static_cast<char>(i % 0x7F);
    d.back() = '\xF7';
    return d;
}

class MidiQueueTest : public VelmoraTest {
protected:
    void SetUp() override {
        VelmoraTest::SetUp();
        ASSERT_EQ(MidiDev::OutOpen(out, 0), MidiOk);
        ASSERT_NE(out, 0u);
    }

    // Runs the clock a millisecond at a time until the queue is empty.
    void drain() {
        for (int ms = 0; MidiDev::Pending() > 0 && ms < 60'000; ++ms) Timer::Advance(1);
        ASSERT_EQ(MidiDev::Pending(), 0u);
    }

    MidiHandle out = 0;
};

TEST_F(MidiQueueTest, LongMessagesGoOutInSmallPiecesAndEverythingKeepsItsOrder) {
    const std::string big = dump(12'002), small = dump(300);
    ASSERT_EQ(MidiDev::OutLong(out, big), MidiOk);
    // Only the first piece goes at once; the rest waits for the timer, and so does what follows.
    EXPECT_EQ(std::tuple(midi->writes().size(), MidiDev::Pending()), std::tuple(1u, big.size() - MidiMaxEvent));
    ASSERT_TRUE(MidiDev::OutShort(out, 0x7F07B2) == MidiOk && MidiDev::OutLong(out, small) == MidiOk &&
                MidiDev::OutShort(out, 0x05C3) == MidiOk);
    EXPECT_EQ(midi->writes().size(), 1u) << "a short message overtook the queued dump";
    drain();
    EXPECT_EQ(midi->written(), big + "\xB2\x07\x7F" + small + "\xC3\x05");
    auto w = midi->writes();
    ASSERT_EQ(w.size(), 47u + 1 + 2 + 1);
    // Pieces are small and never join two messages.
    for (const auto& e : w) EXPECT_LE(e.bytes.size(), std::size_t(MidiMaxEvent));
    EXPECT_EQ(std::tuple(w[47].bytes, w[48].bytes, w[50].bytes),
              std::tuple("\xB2\x07\x7F", small.substr(0, 256), "\xC3\x05"));
}

// A keyed message takes the place of a waiting one of its key; one already
// started goes on whole, and every other message keeps its place.
TEST_F(MidiQueueTest, AKeyedMessageReplacesOnlyAWholeWaitingOneOfItsKey) {
    auto keyed = [](char tag) {
        std::string d = dump(481);
        d[1] = tag;
        return d;
    };
    ASSERT_EQ(MidiDev::OutLong(out, keyed('a'), {}, "k"), MidiOk);   // started at once
    ASSERT_EQ(MidiDev::OutLong(out, keyed('b'), {}, "k"), MidiOk);   // waits whole
    ASSERT_EQ(MidiDev::OutShort(out, 0x05C3), MidiOk);
    ASSERT_EQ(MidiDev::OutLong(out, keyed('c'), {}, "other"), MidiOk);
    ASSERT_EQ(MidiDev::OutLong(out, keyed('d'), {}, "k"), MidiOk);   // replaces b, queued last
    EXPECT_EQ(MidiDev::Pending(), 481u - 256 + 2 + 481 + 481);
    drain();
    EXPECT_EQ(midi->written(), keyed('a') + "\xC3\x05" + keyed('c') + keyed('d'));
}

TEST_F(MidiQueueTest, PiecesArePacedAtTheWireRateFromTheFirstByte) {
    // Fresh, and after the wire was idle for a long while (no burst to make up for it).
    for (long long idle : {0LL, 10'000LL}) {
        SCOPED_TRACE(idle);
        midi->clear();
        Timer::Advance(idle);
        const long long t0 = Timer::Now();
        ASSERT_EQ(MidiDev::OutLong(out, dump(12'002)), MidiOk);
        drain();
        auto w = midi->writes();
        ASSERT_EQ(w.size(), 47u);
        long long before = 0;  // bytes sent before this piece, 320 us each on the wire
        for (const auto& e : w) {
            // Never ahead of the wire, and never more than the timer's millisecond behind it.
            const long long late = (e.time - t0) * 1000 - before * 320;
            EXPECT_TRUE(late >= 0 && late <= 1000) << "at byte " << before << ": " << late;
            before += static_cast<long long>(e.bytes.size());
        }
        // The whole dump, its last piece's wire time included, within 5% of 3.84 s.
        EXPECT_LE((w.back().time - t0) * 1000 + static_cast<long long>(w.back().bytes.size()) * 320, 4'032'000);
    }
}

TEST_F(MidiQueueTest, ShortMessageLengthFollowsTheStatusByte) {
    const struct { uint32_t msg; std::string bytes; } cases[] = {
        {0x7F3C90, "\x90\x3C\x7F"}, {0x40, std::string("\x90\x40\x00", 3)},  // running status: the last again
        {0x7F05C1, "\xC1\x05"},     {0x5F7F02F2, "\xF2\x02\x7F"},  // the rest, and the top byte, never sent
        {0x1003F3, "\xF3\x03"},     {0x1234F8, "\xF8"},
    };
    for (const auto& c : cases) {
        midi->clear();
        ASSERT_EQ(MidiDev::OutShort(out, c.msg), MidiOk);
        drain();
        EXPECT_EQ(midi->written(), c.bytes) << c.msg;
    }
    // Data with no status sent before it on this handle is refused, not sent.
    MidiHandle other = 0;
    ASSERT_EQ(MidiDev::OutOpen(other, 0), MidiOk);
    midi->clear();
    EXPECT_TRUE(MidiDev::OutShort(other, 0x40) != MidiOk && midi->written().empty());
}

TEST_F(MidiQueueTest, CloseSendsWhatIsQueuedFirst) {
    const long long t0 = Timer::Now();
    const std::string d = dump(2'000);
    ASSERT_TRUE(MidiDev::OutLong(out, d) == MidiOk && MidiDev::OutShort(out, 0x7B7BB0) == MidiOk);
    ASSERT_EQ(MidiDev::OutClose(out), MidiOk);
    EXPECT_EQ(Timer::Now(), t0) << "closing moved the manual clock";
    EXPECT_EQ(std::tuple(midi->written(), midi->events.back().kind),
              std::tuple(d + "\xB0\x7B\x7B", CaptureBackend::Event::OutClose));
    // The handle is gone now; a device that does not exist gives none.
    for (MidiHandle bad : {out, MidiHandle(0)})
        EXPECT_TRUE(MidiDev::OutShort(bad, 0x7F3C90) == MidiErrInvalidHandle &&
                    MidiDev::OutClose(bad) == MidiErrInvalidHandle);
    MidiHandle h = 77;
    EXPECT_TRUE(MidiDev::OutOpen(h, 5) == MidiErrBadDevice && h == 0);

    // With the real clock the close waits for the wire: the last of three
    // pieces is due 512 bytes of wire after the first.
    ASSERT_EQ(MidiDev::OutOpen(out, 0), MidiOk);
    midi->clear();
    Timer::SetManualClock(false);
    EXPECT_EQ(MidiDev::OutLong(out, dump(600)), MidiOk);
    const long long t1 = Timer::Now();
    const int rc = MidiDev::OutClose(out);
    const long long took = Timer::Now() - t1;
    Timer::SetManualClock(true);
    EXPECT_TRUE(rc == MidiOk && midi->written() == dump(600));
    EXPECT_GE(took, 512 * 320 / 1000 - 1) << "the close did not wait for the wire";
}

TEST_F(MidiQueueTest, AFailureIsTheCallsOwnOrReportedOnceWhenItHappens) {
    midi->outs.push_back("Second Out");
    MidiHandle second = 0;
    ASSERT_EQ(MidiDev::OutOpen(second, 1), MidiOk);
    std::vector<int> reported;
    MidiDev::SetFailureHandler([&](MidiHandle, int rc) { reported.push_back(rc); });
    // A failure on the spot is returned by the call itself, and only there.
    midi->failWrite = MidiErrNotReady;
    EXPECT_EQ(MidiDev::OutShort(out, 0x7F3C90), MidiErrNotReady);
    EXPECT_EQ(MidiDev::OutShort(out, 0x003C90), MidiOk);
    drain();
    EXPECT_TRUE(reported.empty());
    Timer::Advance(10);
    // Halfway through a dump: reported by the handler as the piece fails, the
    // rest of that dump is dropped, the other output's data still goes out.
    midi->clear();
    ASSERT_TRUE(MidiDev::OutLong(out, dump(1'000)) == MidiOk && MidiDev::OutShort(second, 0x7F3C91) == MidiOk);
    midi->failWrite = MidiErrFailed;
    Timer::Advance(90);
    EXPECT_EQ(reported, std::vector<int>{MidiErrFailed}) << "not reported when it happened";
    drain();
    EXPECT_EQ(midi->written(), dump(1'000).substr(0, 256) + "\x91\x3C\x7F");
    // An earlier message failing while a call runs: the handler hears of it,
    // the call's own message still goes out.
    Timer::Advance(10);
    ASSERT_EQ(MidiDev::OutLong(out, dump(300)), MidiOk);
    midi->failWrite = MidiErrFailed;
    Timer::Advance(100);  // the second piece is due now
    EXPECT_EQ(MidiDev::OutShort(out, 0x7F3E80), MidiOk);
    drain();
    EXPECT_EQ(std::tuple(midi->writes().back().bytes, reported.size()), std::tuple("\x80\x3E\x7F", 2u));
    MidiDev::SetFailureHandler(nullptr);
}

TEST_F(MidiQueueTest, ALongSendReportsProgressUntilItsLastByteHasLeftAndStopEndsItWithF7) {
    std::vector<int> percents;
    std::string label;
    MidiDev::SetProgressHandler([&](const MidiDev::Progress& p) {
        if (percents.empty()) label = p.label;
        percents.push_back(p.percent);
    });
    const long long t0 = Timer::Now();
    ASSERT_EQ(MidiDev::OutLong(out, dump(1'000), "Dump"), MidiOk);
    ASSERT_EQ(MidiDev::OutShort(out, 0x7F3C90), MidiOk);  // short messages report nothing
    for (int ms = 0; ms < 2000 && (percents.empty() || percents.back() >= 0); ++ms) Timer::Advance(1);
    const long long doneAt = Timer::Now() - t0;
    EXPECT_EQ(std::tuple(label, percents), std::tuple("Dump", std::vector<int>{0, 25, 51, 76, -1}));
    EXPECT_TRUE(doneAt >= 320 && doneAt <= 322) << doneAt << " ms: 1,000 bytes take 320 ms on the wire";
    Timer::Advance(2);  // the note after it
    EXPECT_FALSE(MidiDev::Busy(out));

    // Stopped in the middle: nothing more of it, and the instrument gets the
    // F7 it waits for; a stop with no open message sends nothing.
    midi->clear();
    ASSERT_EQ(MidiDev::OutLong(out, dump(1'000), "Dump"), MidiOk);
    Timer::Advance(100);
    EXPECT_TRUE(MidiDev::CurrentProgress().label == "Dump" && MidiDev::Stop(out));
    Timer::Advance(2000);
    EXPECT_EQ(midi->written(), dump(1'000).substr(0, 512) + "\xF7");
    EXPECT_EQ(std::tuple(percents.back(), MidiDev::CurrentProgress().percent), std::tuple(-1, -1));
    EXPECT_TRUE(!MidiDev::Stop(out) && midi->written().size() == 513u);
    MidiDev::SetProgressHandler(nullptr);
}

// Raw bytes to sequencer events: complete messages as messages, everything
// else as raw events carrying exactly those bytes, across writes.
TEST(MidiEvents, BytesBecomeMessagesOrRawEventsWithNothingLost) {
    using E = MidiEvent;
    const auto M = [](std::string b) { return E{E::Message, std::move(b)}; };
    const auto R = [](std::string b) { return E{E::Raw, std::move(b)}; };
    const std::string zeros(20, '\0');
    const struct {
        const char* what;
        std::vector<std::string> writes;
        std::vector<E> events;
    } cases[] = {
        {"parameter change and its trailer", {"\xF0\x42\x30\x4D\x60\x02\x00\x4E\x7F\xF7", zeros},
         {R("\xF0\x42\x30\x4D\x60\x02\x00\x4E\x7F\xF7"), R(zeros)}},
        {"running status", {"\x90\x3C\x7F\x3E\x7F", std::string("\x40\x00", 2)},
         {M("\x90\x3C\x7F"), M("\x90\x3E\x7F"), M(std::string("\x90\x40\x00", 3))}},
        {"a message cut across writes", {"\xB2\x07", "\x7F\xC3", "\x05"}, {M("\xB2\x07\x7F"), M("\xC3\x05")}},
        {"a dump ends running status", {"\x90\x3C\x7F\xF0\x01\xF7\x3E\x7F"},
         {M("\x90\x3C\x7F"), R("\xF0\x01\xF7"), R("\x3E\x7F")}},
        {"real time inside a dump stays in it; a status byte ends it", {"\xF0\x01\xF8\x02\x90\x3C\x7F"},
         {R("\xF0\x01\xF8\x02"), M("\x90\x3C\x7F")}},
        {"a cut-off message still goes out", {"\x90\x3C\xC0\x01\xF8\xF4"},
         {R("\x90\x3C"), M("\xC0\x01"), M("\xF8"), R("\xF4")}},
        {"system common", {"\xF2\x01\x02\xF6\x05"}, {M("\xF2\x01\x02"), M("\xF6"), R("\x05")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MidiStreamState st;
        std::vector<E> got;
        for (const auto& w : c.writes)
            for (auto& e : MidiBytesToEvents(st, w)) got.push_back(std::move(e));
        EXPECT_EQ(got, c.events);
    }

    // A 12,002-byte dump cut in 256-byte pieces: one raw event per piece,
    // exactly its bytes.
    MidiStreamState st;
    const std::string d = dump(12'002);
    for (std::size_t at = 0; at < d.size(); at += MidiMaxEvent) {
        auto ev = MidiBytesToEvents(st, d.substr(at, MidiMaxEvent));
        ASSERT_EQ(ev.size(), 1u) << at;
        EXPECT_EQ(ev[0], R(d.substr(at, MidiMaxEvent))) << at;
    }
    EXPECT_FALSE(st.inSysex);
}

// What the ALSA back-end emits: events for our port's subscribers that put
// exactly the given bytes on the wire.
TEST(MidiEvents, AlsaEventsGoToOurSubscribersAndCarryTheBytes) {
    AlsaStreamBackend alsa;
    MidiHandle h = 0;
    ASSERT_EQ(alsa.outOpen(0, h), MidiOk);
    const std::string bytes = dump(300) + std::string(20, '\0') + std::string("\x90\x3C\x7F\x3E\x00\xE1\x00\x40", 8);
    ASSERT_EQ(alsa.outWrite(h, bytes.substr(0, 256)), MidiOk);
    ASSERT_EQ(alsa.outWrite(h, bytes.substr(256)), MidiOk);
    EXPECT_EQ(alsa.written(), std::string(bytes).replace(320, 5, std::string("\x90\x3C\x7F\x90\x3E\x00", 6)));
    std::vector<int> types;
    for (const auto& e : alsa.seq) {
        EXPECT_TRUE(e.toSubscribers);
        types.push_back(e.type);
    }
    EXPECT_EQ(types, (std::vector<int>{SND_SEQ_EVENT_SYSEX, SND_SEQ_EVENT_SYSEX, SND_SEQ_EVENT_SYSEX,
                                       SND_SEQ_EVENT_NOTEON, SND_SEQ_EVENT_NOTEON, SND_SEQ_EVENT_PITCHBEND}));
}

using AlsaBackendTest = VelmoraTest;

TEST_F(AlsaBackendTest, WithoutASequencerThereAreNoDevicesAndOpensFail) {
    struct stat st;
    if (stat("/dev/snd/seq", &st) == 0) GTEST_SKIP() << "this machine has a sequencer";
    auto alsa = MakeAlsaBackend();
    EXPECT_EQ(alsa->outCount() + alsa->inCount(), 0);
    MidiHandle h = 5;
    EXPECT_TRUE(alsa->inOpen(0, h) != MidiOk && alsa->outWrite(1, "\x90\x3C\x7F") != MidiOk &&
                alsa->thruConnect(1, 2) != MidiOk);
    MidiDev::SetBackend(std::move(alsa));
    EXPECT_TRUE(MidiDev::OutOpen(h, 0) == MidiErrNoDriver && h == 0);
    midi = &MidiDev::UseCapture();
}

}  // namespace
