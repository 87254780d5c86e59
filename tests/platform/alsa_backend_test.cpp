// The ALSA back-end against a simulated sequencer: this program's own
// definitions of the sequencer calls the back-end makes stand in for the
// library's, so its subscriptions can be checked without a sound card.
// The simulation is off unless a test turns it on; then it answers as the
// kernel does, EBUSY included for a subscription that exists and for a port
// another program holds for itself.
#include <alsa/asoundlib.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "app/Messages.h"
#include "midi/MIDI.h"
#include "midi/state.h"
#include "platform/MidiDevice.h"
#include "testenv.h"

namespace {

struct SimPort {
    int client, port;
    std::string clientName, name;
    unsigned caps, type;
    bool kernel = true;
    bool exclusive = false;  // held by another program: no more subscribers
};

using Sub = std::tuple<int, int, int, int>;  // sender client, port, dest client, port

struct SimSeq {
    bool on = false;
    int self = 128, selfPort = 0;  // our client and its one port
    std::vector<SimPort> ports;
    std::set<Sub> subs;
    int events = 0;
} sim;

int simHandle;
snd_seq_t* handleOf() { return reinterpret_cast<snd_seq_t*>(&simHandle); }

const SimPort* portAt(int client, int port) {
    for (const SimPort& p : sim.ports)
        if (p.client == client && p.port == port) return &p;
    return nullptr;
}

Sub subOf(const snd_seq_port_subscribe_t* s) {
    const snd_seq_addr_t* a = snd_seq_port_subscribe_get_sender(s);
    const snd_seq_addr_t* b = snd_seq_port_subscribe_get_dest(s);
    return {a->client, a->port, b->client, b->port};
}

int subscribe(const Sub& s) {
    const SimPort* dest = portAt(std::get<2>(s), std::get<3>(s));
    if (!dest) return -ENOENT;
    if (sim.subs.count(s) || dest->exclusive) return -EBUSY;
    sim.subs.insert(s);
    return 0;
}

int unsubscribe(const Sub& s) { return sim.subs.erase(s) ? 0 : -ENOENT; }

}  // namespace

// ---- the sequencer calls ---------------------------------------------------------

int snd_seq_open(snd_seq_t** handle, const char*, int, int) {
    if (!sim.on) return -ENOENT;
    *handle = handleOf();
    return 0;
}
int snd_seq_close(snd_seq_t*) { return 0; }
int snd_seq_set_client_name(snd_seq_t*, const char*) { return 0; }
int snd_seq_client_id(snd_seq_t*) { return sim.self; }
int snd_seq_create_simple_port(snd_seq_t*, const char*, unsigned int, unsigned int) { return sim.selfPort; }
int snd_seq_connect_to(snd_seq_t*, int myPort, int client, int port) {
    return subscribe({sim.self, myPort, client, port});
}
int snd_seq_disconnect_to(snd_seq_t*, int myPort, int client, int port) {
    return unsubscribe({sim.self, myPort, client, port});
}
int snd_seq_subscribe_port(snd_seq_t*, snd_seq_port_subscribe_t* s) { return subscribe(subOf(s)); }
int snd_seq_unsubscribe_port(snd_seq_t*, snd_seq_port_subscribe_t* s) { return unsubscribe(subOf(s)); }
int snd_seq_get_port_subscription(snd_seq_t*, snd_seq_port_subscribe_t* s) {
    return sim.subs.count(subOf(s)) ? 0 : -ENOENT;
}
int snd_seq_event_output_direct(snd_seq_t*, snd_seq_event_t*) {
    ++sim.events;
    return 0;
}

int snd_seq_query_next_client(snd_seq_t*, snd_seq_client_info_t* info) {
    const int after = snd_seq_client_info_get_client(info);
    const SimPort* next = nullptr;
    for (const SimPort& p : sim.ports)
        if (p.client > after && (!next || p.client < next->client)) next = &p;
    if (!next) return -ENOENT;
    snd_seq_client_info_set_client(info, next->client);
    snd_seq_client_info_set_name(info, next->clientName.c_str());
    return 0;
}
snd_seq_client_type_t snd_seq_client_info_get_type(const snd_seq_client_info_t* info) {
    const int id = snd_seq_client_info_get_client(info);
    for (const SimPort& p : sim.ports)
        if (p.client == id) return p.kernel ? SND_SEQ_KERNEL_CLIENT : SND_SEQ_USER_CLIENT;
    return SND_SEQ_USER_CLIENT;
}
int snd_seq_get_any_client_info(snd_seq_t*, int client, snd_seq_client_info_t* info) {
    for (const SimPort& p : sim.ports)
        if (p.client == client) {
            snd_seq_client_info_set_client(info, client);
            snd_seq_client_info_set_name(info, p.clientName.c_str());
            return 0;
        }
    return -ENOENT;
}
int snd_seq_query_next_port(snd_seq_t*, snd_seq_port_info_t* info) {
    // The port field is a byte: the -1 that starts a scan reads back as 255.
    const int client = snd_seq_port_info_get_client(info), last = snd_seq_port_info_get_port(info);
    const int after = last == 255 ? -1 : last;
    const SimPort* next = nullptr;
    for (const SimPort& p : sim.ports)
        if (p.client == client && p.port > after && (!next || p.port < next->port)) next = &p;
    if (!next) return -ENOENT;
    const snd_seq_addr_t addr{static_cast<unsigned char>(next->client), static_cast<unsigned char>(next->port)};
    snd_seq_port_info_set_addr(info, &addr);
    snd_seq_port_info_set_name(info, next->name.c_str());
    snd_seq_port_info_set_capability(info, next->caps);
    snd_seq_port_info_set_type(info, next->type);
    return 0;
}

namespace {

constexpr unsigned kBoth = SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ | SND_SEQ_PORT_CAP_WRITE |
                           SND_SEQ_PORT_CAP_SUBS_WRITE;
constexpr int kSynth = 20, kKeys = 24;

class AlsaSimTest : public VelmoraTest {
protected:
    void SetUp() override {
        VelmoraTest::SetUp();
        sim = SimSeq{};
        sim.on = true;
        // The instrument's interface, and a master keyboard's.
        sim.ports = {{kSynth, 0, "i40M", "i40M MIDI 1", kBoth, SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_HARDWARE},
                     {kKeys, 0, "Keys", "Keys MIDI 1", kBoth, SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_HARDWARE}};
    }
    void TearDown() override {
        midi = &MidiDev::UseCapture();
        sim = SimSeq{};
        VelmoraTest::TearDown();
    }
    static Sub ours(int client) { return {sim.self, sim.selfPort, client, 0}; }
};

// Opening the output subscribes the device to our port, unless that
// subscription was there already (it stays the user's) or another program
// holds the device for itself: then the open fails and nothing is left
// subscribed or open.
TEST_F(AlsaSimTest, AnOutputHeldByAnotherProgramDoesNotOpen) {
    const struct { const char* what; bool userMade, held; int open; std::set<Sub> afterOpen, afterClose; } cases[] = {
        {"free", false, false, MidiOk, {ours(kSynth)}, {}},
        {"joined by the user", true, false, MidiOk, {ours(kSynth)}, {ours(kSynth)}},
        {"held by another program", false, true, MidiErrAllocated, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto alsa = MakeAlsaBackend();
        sim.subs.clear();
        sim.events = 0;
        sim.ports[0].exclusive = c.held;
        if (c.userMade) sim.subs.insert(ours(kSynth));
        ASSERT_EQ(alsa->outCount(), 2);
        MidiHandle h = 7;
        EXPECT_EQ(alsa->outOpen(0, h), c.open);
        EXPECT_EQ(sim.subs, c.afterOpen);
        if (c.open != MidiOk) {
            EXPECT_EQ(h, 0u);
            EXPECT_NE(alsa->outWrite(h, "\x90\x3C\x7F"), MidiOk);
            EXPECT_EQ(sim.events, 0);
            continue;
        }
        EXPECT_EQ(alsa->outWrite(h, "\x90\x3C\x7F"), MidiOk);
        EXPECT_EQ(alsa->outClose(h), MidiOk);
        EXPECT_EQ(sim.subs, c.afterClose);
    }
}

// Thru is a subscription from the input's port to the output's: one that
// is there already runs, and one the sequencer refuses for a held port is
// no thru.
TEST_F(AlsaSimTest, ThruToAPortHeldByAnotherProgramIsRefused) {
    const Sub thru{kKeys, 0, kSynth, 0};
    const struct { const char* what; bool made, held; int connect; bool subscribedAfterDisconnect; } cases[] = {
        {"free", false, false, MidiOk, false},
        {"made by someone else", true, false, MidiOk, true},
        {"held by another program", false, true, MidiErrAllocated, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto alsa = MakeAlsaBackend();
        sim.subs.clear();
        ASSERT_EQ(alsa->outCount(), 2);
        MidiHandle out = 0, in = 0;
        ASSERT_EQ(alsa->outOpen(0, out), MidiOk);
        ASSERT_EQ(alsa->inOpen(1, in), MidiOk);
        if (c.made) sim.subs.insert(thru);
        sim.ports[0].exclusive = c.held;  // taken after we opened
        EXPECT_EQ(alsa->thruConnect(in, out), c.connect);
        EXPECT_EQ(sim.subs.count(thru), c.connect == MidiOk ? 1u : 0u);
        sim.ports[0].exclusive = false;
        EXPECT_EQ(alsa->thruDisconnect(in, out), MidiOk);
        EXPECT_EQ(sim.subs.count(thru), c.subscribedAfterDisconnect ? 1u : 0u);
    }
}

// The program at start-up: a device held by another program is reported
// and MIDI stays off, so nothing is queued for a device nobody hears.
TEST_F(AlsaSimTest, AHeldDeviceIsReportedAndMidiStaysOff) {
    sim.ports[0].exclusive = true;
    MidiDev::SetBackend(MakeAlsaBackend());
    dialogs.answer(vbOK);
    EXPECT_EQ(MidiOpenDevices(), 0u);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, ErrMsgText(ErrMidiOutOpen));
    EXPECT_EQ(std::tuple(MidiOn, DevOpen), std::tuple(0, 0));
    NoteOnSend(0, 60, 100);
    EXPECT_EQ(sim.events, 0);
}

}  // namespace
