// The MIDI device layer: the ordered, paced output queue over the capture
// back-end, and the ALSA back-end on a machine without a sequencer.
#include <sys/stat.h>

#include "platform/MidiDevice.h"
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
    // Only the first piece goes at once; the rest waits for the timer.
    EXPECT_EQ(midi->writes().size(), 1u);
    EXPECT_EQ(MidiDev::Pending(), big.size() - MidiMaxEvent);

    ASSERT_EQ(MidiDev::OutShort(out, 0x7F07B2), MidiOk);
    ASSERT_EQ(MidiDev::OutLong(out, small), MidiOk);
    ASSERT_EQ(MidiDev::OutShort(out, 0x05C3), MidiOk);
    EXPECT_EQ(midi->writes().size(), 1u) << "a short message overtook the queued dump";
    drain();

    EXPECT_EQ(midi->written(), big + "\xB2\x07\x7F" + small + "\xC3\x05");
    auto w = midi->writes();
    ASSERT_EQ(w.size(), 47u + 1 + 2 + 1);
    for (const auto& e : w) EXPECT_LE(e.bytes.size(), std::size_t(MidiMaxEvent));
    // Pieces never join two messages.
    EXPECT_EQ(w[47].bytes, "\xB2\x07\x7F");
    EXPECT_EQ(w[48].bytes, small.substr(0, 256));
    EXPECT_EQ(w[50].bytes, "\xC3\x05");
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
        long long before = 0;  // bytes sent before this piece
        for (const auto& e : w) {
            // Never ahead of the wire...
            EXPECT_GE((e.time - t0) * 1000, before * 320) << "at byte " << before;
            // ...and never more than the timer's millisecond behind it.
            EXPECT_LE((e.time - t0) * 1000, before * 320 + 1000) << "at byte " << before;
            before += static_cast<long long>(e.bytes.size());
        }
        // The whole dump, its last piece's wire time included, within 5% of 3.84 s.
        long long end = (w.back().time - t0) * 1000 + static_cast<long long>(w.back().bytes.size()) * 320;
        EXPECT_LE(end, 3'840'000 * 105 / 100);
    }
}

TEST_F(MidiQueueTest, ShortMessageLengthFollowsTheStatusByte) {
    const struct { uint32_t msg; std::string bytes; } cases[] = {
        {0x7F3C90, "\x90\x3C\x7F"},                     // note on
        {0x40, std::string("\x90\x40\x00", 3)},         // running status: the last status again
        {0x7F05C1, "\xC1\x05"},                         // program change: two bytes, the rest ignored
        {0x7F40D2, "\xD2\x40"},
        {0x4000E0, std::string("\xE0\x00\x40", 3)},
        {0x5F7F02F2, "\xF2\x02\x7F"},                   // the top byte is never sent
        {0x1003F3, "\xF3\x03"},
        {0x1234F8, "\xF8"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.msg);
        midi->clear();
        ASSERT_EQ(MidiDev::OutShort(out, c.msg), MidiOk);
        drain();
        EXPECT_EQ(midi->written(), c.bytes);
    }
    // Data with no status sent before it on this handle is refused, not sent.
    MidiHandle other = 0;
    ASSERT_EQ(MidiDev::OutOpen(other, 0), MidiOk);
    midi->clear();
    EXPECT_NE(MidiDev::OutShort(other, 0x40), MidiOk);
    EXPECT_TRUE(midi->written().empty());
}

TEST_F(MidiQueueTest, CloseSendsWhatIsQueuedFirst) {
    const long long t0 = Timer::Now();
    const std::string d = dump(2'000);
    ASSERT_EQ(MidiDev::OutLong(out, d), MidiOk);
    ASSERT_EQ(MidiDev::OutShort(out, 0x7B7BB0), MidiOk);
    ASSERT_EQ(MidiDev::OutClose(out), MidiOk);
    EXPECT_EQ(Timer::Now(), t0) << "closing moved the manual clock";
    EXPECT_EQ(midi->written(), d + "\xB0\x7B\x7B");
    EXPECT_EQ(midi->events.back().kind, CaptureBackend::Event::OutClose);
    EXPECT_EQ(MidiDev::OutClose(out), MidiErrInvalidHandle) << "the handle is gone now";
}

TEST_F(MidiQueueTest, CloseWithTheRealClockWaitsForTheWire) {
    Timer::SetManualClock(false);
    const std::string d = dump(600);  // three pieces, about 0.19 s of wire
    EXPECT_EQ(MidiDev::OutLong(out, d), MidiOk);
    const long long t0 = Timer::Now();
    int rc = MidiDev::OutClose(out);
    const long long took = Timer::Now() - t0;
    Timer::SetManualClock(true);
    EXPECT_EQ(rc, MidiOk);
    EXPECT_EQ(midi->written(), d);
    // The last piece was due 512 bytes of wire after the first.
    EXPECT_GE(took, 512 * 320 / 1000 - 1) << "the close did not wait for the wire";
}

TEST_F(MidiQueueTest, BadHandlesAndDevicesAreRefused) {
    MidiHandle h = 77;
    EXPECT_EQ(MidiDev::OutOpen(h, 5), MidiErrBadDevice);
    EXPECT_EQ(h, 0u);
    for (MidiHandle bad : {MidiHandle(0), out + 1000}) {
        EXPECT_EQ(MidiDev::OutShort(bad, 0x7F3C90), MidiErrInvalidHandle);
        EXPECT_EQ(MidiDev::OutLong(bad, dump(10)), MidiErrInvalidHandle);
        EXPECT_EQ(MidiDev::OutClose(bad), MidiErrInvalidHandle);
    }
    EXPECT_TRUE(midi->written().empty());
}

TEST_F(MidiQueueTest, FailedWriteDropsThatOutputsDataAndIsReportedOnce) {
    midi->outs.push_back("Second Out");
    MidiHandle second = 0;
    ASSERT_EQ(MidiDev::OutOpen(second, 1), MidiOk);

    // A failure on the spot is returned by the call itself.
    midi->failWrite = MidiErrNotReady;
    EXPECT_EQ(MidiDev::OutShort(out, 0x7F3C90), MidiErrNotReady);
    EXPECT_EQ(MidiDev::OutShort(out, 0x003C90), MidiOk);
    drain();
    Timer::Advance(10);

    // A failure halfway through a dump: the rest of that dump is dropped, the
    // other output's data still goes out, and the next call on the failed
    // output hears of it (and sends nothing).
    midi->clear();
    ASSERT_EQ(MidiDev::OutLong(out, dump(1'000)), MidiOk);
    ASSERT_EQ(MidiDev::OutShort(second, 0x7F3C91), MidiOk);
    midi->failWrite = MidiErrFailed;
    drain();
    EXPECT_EQ(midi->written(), dump(1'000).substr(0, 256) + "\x91\x3C\x7F");
    EXPECT_EQ(MidiDev::OutShort(out, 0x7F3E90), MidiErrFailed);
    EXPECT_EQ(MidiDev::OutShort(out, 0x7F3E90), MidiOk);
    drain();
    EXPECT_EQ(midi->writes().back().bytes, "\x90\x3E\x7F");

    // Recorded on a handle that is then closed: the close reports it.
    ASSERT_EQ(MidiDev::OutLong(out, dump(600)), MidiOk);
    midi->failWrite = MidiErrFailed;
    Timer::Advance(100);
    EXPECT_EQ(MidiDev::OutClose(out), MidiErrFailed);
    EXPECT_EQ(MidiDev::OutShort(out, 0x7F3E90), MidiErrInvalidHandle);
}

using AlsaBackendTest = VelmoraTest;

TEST_F(AlsaBackendTest, WithoutASequencerThereAreNoDevicesAndOpensFail) {
    struct stat st;
    if (stat("/dev/snd/seq", &st) == 0) GTEST_SKIP() << "this machine has a sequencer";

    auto alsa = MakeAlsaBackend();
    EXPECT_EQ(alsa->outCount(), 0);
    EXPECT_EQ(alsa->inCount(), 0);
    EXPECT_EQ(alsa->outName(0), "");
    MidiHandle h = 5;
    EXPECT_NE(alsa->outOpen(0, h), MidiOk);
    EXPECT_EQ(h, 0u);
    EXPECT_NE(alsa->inOpen(0, h), MidiOk);
    EXPECT_NE(alsa->outWrite(1, "\x90\x3C\x7F"), MidiOk);
    EXPECT_NE(alsa->thruConnect(1, 2), MidiOk);
    EXPECT_NE(alsa->outClose(1), MidiOk);

    // And through the layer, as the program sees it.
    MidiDev::SetBackend(MakeAlsaBackend());
    EXPECT_EQ(MidiDev::OutCount(), 0);
    EXPECT_EQ(MidiDev::OutOpen(h, 0), MidiErrNoDriver);
    EXPECT_EQ(MidiDev::OutLong(h, dump(10)), MidiErrInvalidHandle);
    midi = &MidiDev::UseCapture();
}

}  // namespace
