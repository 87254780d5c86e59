// Opening, wiring and closing the devices, and how failures are reported.
#include "app/Messages.h"
#include "midi/MidiLink.h"
#include "midi_fixture.h"

using Ev = CaptureBackend::Event;

TEST_F(MidiTest, ClosingTheOutputWaitsForWhatIsQueued) {
    std::string img(11000, '\x55');
    ArrTxBank(img);
    MidiOutCloseDev();
    EXPECT_EQ(midi->written().size(), 12002u);
    EXPECT_EQ(midi->events.back().kind, Ev::OutClose);
}

// No device: off without a word. A failed open: its message, and off.
TEST_F(MidiTest, FailedOpenIsReportedAndLeavesMidiOff) {
    const struct { int fail; int code; } cases[] = {{1, ErrMidiOutOpen}, {2, ErrMidiInOpen}, {0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fail);
        MidiOutCloseDev();
        MidiInCloseDev();
        resetMidiState();
        midi->clear();
        dialogs.shown.clear();
        if (c.fail == 0) midi->outs.clear();
        (c.fail == 2 ? midi->failInOpen : midi->failOutOpen) = c.fail ? MidiErrAllocated : MidiOk;
        if (c.code) dialogs.answer(vbOK);
        EXPECT_EQ(MidiOpenDevices(), 0u);
        EXPECT_EQ(MidiOn + DevOpen, 0);
        EXPECT_EQ(dialogs.shown.size(), c.code ? 1u : 0u);
        if (c.code) { EXPECT_EQ(dialogs.shown[0].text, ErrMsgText(c.code)); }
        // The output opened before the input failed is not left open.
        if (c.fail == 2) { EXPECT_EQ(midi->events.back().kind, Ev::OutClose); }
        // Off until the end: nothing goes out afterwards.
        NoteOnSend(0, 60, 100);
        Timer::Advance(100);
        EXPECT_EQ(midi->written(), "");
    }
}

TEST_F(MidiTest, FailedClosesAreReportedWithTheirOwnMessages) {
    FakeMainWindow win;
    win.captionText = "Velmora";
    midi->failOutClose = MidiErrFailed;
    dialogs.answer(vbOK);
    MidiOutCloseDev();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, ErrMsgText(ErrMidiOutClose));
    EXPECT_EQ(dialogs.shown[0].title, "Velmora");
    EXPECT_EQ(DevOpen, 1) << "a failed close leaves the devices counted as open";

    midi->failInClose = MidiErrFailed;
    dialogs.answer(vbOK);
    MidiInCloseDev();
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[1].text, ErrMsgText(ErrMidiInClose));
    EXPECT_EQ(DevOpen, 1);

    MidiOutCloseDev();  // the failures were one-off: now they close
    MidiInCloseDev();
    EXPECT_EQ(DevOpen, 0);
}

TEST_F(MidiTest, FailedSendIsReportedOnce) {
    midi->failWrite = MidiErrNotReady;
    dialogs.answer(vbOK);
    int n = 1;
    ArrSelectSend(n, 2);  // the first message fails: the other two are not tried
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, ErrMsgText(ErrMidiSend));
    // Mode changes never report.
    midi->failWrite = MidiErrNotReady;
    ModeTx06();
    EXPECT_EQ(ModeNow, 1);
    Timer::Advance(100);
    EXPECT_EQ(dialogs.shown.size(), 1u);
}

// Start-up and shut-down reach the devices through the link: open the first
// output and input, wire and unwire thru, close both.
TEST_F(MidiTest, LinkOpensWiresAndCloses) {
    MidiOutCloseDev();
    MidiInCloseDev();
    resetMidiState();
    midi->clear();
    InstallMidiLink();
    uint32_t h = MidiLink().openDevices(false, 0);
    EXPECT_NE(h, 0u);
    EXPECT_EQ(h, MidiOutHandle);
    EXPECT_EQ(MidiOn + DevOpen, 2);
    MidiLink().thruConnect();
    MidiLink().thruDisconnect();
    MidiLink().closeDevices();
    EXPECT_EQ(DevOpen, 0);
    std::vector<Ev::Kind> kinds;
    for (const auto& e : midi->events) kinds.push_back(e.kind);
    EXPECT_EQ(kinds, (std::vector<Ev::Kind>{Ev::OutOpen, Ev::InOpen, Ev::Connect, Ev::InStart, Ev::InStop,
                                            Ev::Disconnect, Ev::OutClose, Ev::InClose}));
}
