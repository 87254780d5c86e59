// Opening, wiring and closing the devices, and how failures are reported.
#include <QEventLoop>
#include <QTimer>
#include <csignal>

#include "alsastream.h"
#include "app/Main.h"
#include "app/Messages.h"
#include "midi/MidiLink.h"
#include "midi_fixture.h"
#include "platform/Files.h"
#include "platform/Signals.h"

using Ev = CaptureBackend::Event;

// Closing waits for everything queued, showing what is still being sent,
// and can be stopped: the open dump then gets its F7 and the user is told.
TEST_F(MidiTest, ClosingWaitsForTheQueueShowsProgressAndCanBeStopped) {
    FakeMainWindow win;
    for (int stopAt : {-1, 5}) {
        SCOPED_TRACE(stopAt);
        dialogs.waits.clear();
        midi->clear();
        ArrTxBank(std::string(11000, '\x55'));
        Timer::Advance(1000);
        EXPECT_EQ(win.status, Msg(12) + " 25%") << "the status shows the dump on the wire";
        dialogs.stopWaitAt = stopAt;
        if (stopAt >= 0) dialogs.answer(vbOK);
        MidiOutCloseDev();
        ASSERT_EQ(dialogs.waits.size(), 1u);
        EXPECT_EQ(dialogs.waits[0].title + "|" + dialogs.waits[0].texts.front(), Msg(114) + "|" + Msg(12) + " 25%");
        const std::string w = midi->written();
        if (stopAt < 0) EXPECT_TRUE(w.size() == 12002u && dialogs.shown.empty());
        else EXPECT_TRUE(w.size() < 11002u && static_cast<unsigned char>(w.back()) == 0xF7 && onlyBox() == Msg(149));
        EXPECT_EQ(std::tuple(midi->events.back().kind, MidiOutHandle, DevOpen, win.status),
                  std::tuple(Ev::OutClose, 0u, 0, ""));
        MidiInCloseDev();
        MidiOpenDevices();
    }
}

// A piece that fails after its call has returned is reported then, once;
// the next call is not blamed for it and goes out.
TEST_F(MidiTest, AFailedPieceIsReportedWhenItFailsAndTheNextCallGoesOut) {
    ArrTxBank(std::string(11000, '\x55'));
    midi->failWrite = MidiErrFailed;
    dialogs.answer(vbOK);
    Timer::Advance(100);
    EXPECT_EQ(onlyBox(), ErrMsgText(ErrMidiSend));
    NoteOnSend(0, 60, 100);
    EXPECT_EQ(hexOf(sent().substr(256)), "90 3C 64");
    EXPECT_EQ(dialogs.shown.size(), 1u);
}

// With the ALSA back-end's own event stream in the write path, the zero
// bytes after a parameter change reach the wire.
TEST_F(MidiTest, ParameterChangeAndItsTrailerReachTheWireThroughAlsaEvents) {
    MidiDev::SetBackend(std::make_unique<AlsaStreamBackend>());
    auto& alsa = static_cast<AlsaStreamBackend&>(MidiDev::Backend());
    midi = &alsa;
    ASSERT_NE(MidiOpenDevices(), 0u);
    alsa.clear();
    PrgParamTx(2, 0, -50);
    EXPECT_EQ(sent(), bytesOf({0xF0, 0x42, 0x30, 0x4D, 0x60, 0x02, 0x00, 0x4E, 0x7F, 0xF7}) + std::string(20, '\0'));
}

// One port as both input and output: a device's (a master keyboard and the
// instrument on one interface) is joined, and parted when thru goes off or
// the program ends; "Midi Through" would send every message round forever,
// so it is refused with its reason and thru stays off.
TEST_F(MidiTest, ThruJoinsADevicesOnePortButNeverALoopbackToItself) {
    for (const std::string port : {"Midi Through", "USB MIDI Interface"}) {
        SCOPED_TRACE(port);
        const bool loops = port == "Midi Through";
        MidiOutCloseDev();
        MidiInCloseDev();
        midi->outs = midi->ins = {port};
        ASSERT_NE(MidiOpenDevices(), 0u);
        InstallMidiLink();
        MidiThruOn = true;
        midi->clear(), dialogs.shown.clear();
        if (loops) dialogs.answer(vbOK);
        MidiLink().thruConnect();
        if (MidiThruOn) MidiLink().thruDisconnect();  // as thru off and the exit do
        std::vector<Ev::Kind> joins;
        for (const auto& e : midi->events)
            if (e.kind == Ev::Connect || e.kind == Ev::Disconnect) joins.push_back(e.kind);
        EXPECT_EQ(std::tuple(joins, MidiThruOn, onlyBox()),
                  std::tuple(loops ? std::vector<Ev::Kind>{} : std::vector<Ev::Kind>{Ev::Connect, Ev::Disconnect},
                             !loops, loops ? MsgSubst(Msg(147), port) : ""));
        NoteOnSend(0, 60, 100);
        EXPECT_EQ(hexOf(sent()), "90 3C 64");
    }
}

// A termination signal in the middle of a dump: the dump stops with its F7,
// the device state and settings are written, the devices closed, and the
// event loop ends - without a box.
TEST_F(MidiTest, TerminationSignalStopsTheDumpKeepsTheSettingsAndEndsQuietly) {
    PathsBuild();
    InstallMidiLink();
    ArrTxBank(std::string(11000, '\x55'));
    Timer::Advance(500);
    InstallQuitSignals(QuitOnSignal);
    QEventLoop loop;
    QTimer::singleShot(5000, &loop, [&] { loop.exit(-1); });
    ::raise(SIGTERM);
    EXPECT_EQ(loop.exec(), 128 + SIGTERM);
    std::string w = midi->written();
    EXPECT_TRUE(w.size() < 3000 && static_cast<unsigned char>(w.back()) == 0xF7);
    std::vector<Ev::Kind> tail;
    for (const auto& e : midi->events)
        if (e.kind != Ev::Write) tail.push_back(e.kind);
    EXPECT_EQ(tail, (std::vector<Ev::Kind>{Ev::OutClose, Ev::InClose}));
    EXPECT_TRUE(FileExists(IniFile) && dialogs.shown.empty());
}

// No device: off without a word. A failed open: its message, and off.
TEST_F(MidiTest, FailedOpenIsReportedAndLeavesMidiOff) {
    const struct { int fail; int code; } cases[] = {{1, ErrMidiOutOpen}, {2, ErrMidiInOpen}, {0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fail);
        MidiOutCloseDev();
        MidiInCloseDev();
        resetMidiState();
        midi->clear(), dialogs.shown.clear();
        if (c.fail == 0) midi->outs.clear();
        (c.fail == 2 ? midi->failInOpen : midi->failOutOpen) = c.fail ? MidiErrAllocated : MidiOk;
        if (c.code) dialogs.answer(vbOK);
        EXPECT_EQ(MidiOpenDevices(), 0u);
        EXPECT_EQ(std::tuple(MidiOn + DevOpen, dialogs.shown.size()), std::tuple(0, c.code ? 1u : 0u));
        if (c.code) { EXPECT_EQ(dialogs.shown[0].text, ErrMsgText(c.code)); }
        if (c.fail == 2) { EXPECT_EQ(midi->events.back().kind, Ev::OutClose) << "the output is not left open"; }
        NoteOnSend(0, 60, 100);
        Timer::Advance(100);
        EXPECT_EQ(midi->written(), "");
    }
}

TEST_F(MidiTest, FailedClosesAndSendsAreReportedOnceWithTheirOwnMessages) {
    FakeMainWindow win;
    win.captionText = "Velmora";
    midi->failOutClose = midi->failInClose = MidiErrFailed;
    for (int i = 0; i < 2; ++i) dialogs.answer(vbOK);
    MidiOutCloseDev();
    MidiInCloseDev();
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[0].text + "|" + dialogs.shown[1].text,
              ErrMsgText(ErrMidiOutClose) + "|" + ErrMsgText(ErrMidiInClose));
    EXPECT_EQ(dialogs.shown[0].title, "Velmora");
    EXPECT_EQ(DevOpen, 1) << "a failed close leaves the devices counted as open";
    MidiOutCloseDev();  // the failures were one-off: now they close
    MidiInCloseDev();
    EXPECT_EQ(DevOpen, 0);

    MidiOpenDevices();
    dialogs.shown.clear();
    midi->failWrite = MidiErrNotReady;
    dialogs.answer(vbOK);
    int n = 1;
    ArrSelectSend(n, 2);  // the first message fails: the other two are not tried
    EXPECT_EQ(onlyBox(), ErrMsgText(ErrMidiSend));
    midi->failWrite = MidiErrNotReady;
    dialogs.answer(vbOK);
    ModeTx06();  // a mode change that fails is told as any send is, once
    Timer::Advance(100);
    EXPECT_EQ(std::tuple(ModeNow, dialogs.shown.size(), dialogs.shown.back().text),
              std::tuple(1, 2u, ErrMsgText(ErrMidiSend)));
}
