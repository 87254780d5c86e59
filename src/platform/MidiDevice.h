#pragma once
// What the program needs of a MIDI system: device counts and names, open and
// close by index, short and long (system-exclusive) messages, thru between an
// input and an output at driver level, input start/stop. Every call returns a
// number, 0 for success.
//
// Output goes through one ordered queue: long messages are cut into pieces of
// at most MidiMaxEvent bytes and paced at the DIN wire rate (3,125 bytes/s)
// by a timer on the GUI thread; short messages wait in the same queue, so the
// order of everything sent is kept. Closing an output waits, with the event
// loop running, until its queue has drained and its last byte has left.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

using MidiHandle = uint32_t;   // 0 = none

enum MidiResult {
    MidiOk = 0,
    MidiErrBadDevice = 2,      // no such device index
    MidiErrAllocated = 4,      // device already in use
    MidiErrInvalidHandle = 5,
    MidiErrNoDriver = 6,       // no MIDI system on this machine
    MidiErrNoMem = 7,
    MidiErrSamePort = 11,      // thru asked from a loopback port to itself
    MidiErrNotReady = 67,
    MidiErrFailed = 1,         // anything else
};

constexpr int MidiMaxEvent = 256;
constexpr int MidiWireBytesPerSecond = 3125;

// A back-end talks to a MIDI system; it does no pacing of its own.
class MidiBackend {
public:
    virtual ~MidiBackend() = default;
    virtual int outCount() = 0;
    virtual int inCount() = 0;
    virtual std::string outName(int dev) = 0;
    virtual std::string inName(int dev) = 0;
    virtual int outOpen(int dev, MidiHandle& h) = 0;
    virtual int outClose(MidiHandle h) = 0;
    // Raw bytes, one piece of at most MidiMaxEvent bytes (or one short message).
    virtual int outWrite(MidiHandle h, const std::string& bytes) = 0;
    virtual int inOpen(int dev, MidiHandle& h) = 0;
    virtual int inClose(MidiHandle h) = 0;
    virtual int inStart(MidiHandle h) = 0;
    virtual int inStop(MidiHandle h) = 0;
    virtual int thruConnect(MidiHandle in, MidiHandle out) = 0;
    virtual int thruDisconnect(MidiHandle in, MidiHandle out) = 0;
};

// Records everything in order with its time (Timer::Now), simulates devices
// and failures. Every test uses it. A port is known by its name here: an
// input and an output of the same name are one port, as a device with one
// MIDI port is; the ports named in `loopbacks` send back what they receive,
// as the kernel's "Midi Through" does.
class CaptureBackend : public MidiBackend {
public:
    struct Event {
        enum Kind { Write, OutOpen, OutClose, InOpen, InClose, InStart, InStop, Connect, Disconnect } kind;
        MidiHandle handle = 0;
        std::string bytes;
        long long time = 0;
    };
    std::vector<std::string> outs{"Capture Out"};
    std::vector<std::string> ins{"Capture In"};
    std::vector<std::string> loopbacks{"Midi Through"};
    std::vector<Event> events;
    // A failure code to return from the next call of each kind (0 = succeed).
    int failOutOpen = 0, failOutClose = 0, failWrite = 0, failInOpen = 0, failInClose = 0, failConnect = 0,
        failInStart = 0;

    // Bytes written, in order, joined.
    std::string written() const;
    // Only the writes.
    std::vector<Event> writes() const;
    void clear() { events.clear(); }

    int outCount() override;
    int inCount() override;
    std::string outName(int dev) override;
    std::string inName(int dev) override;
    int outOpen(int dev, MidiHandle& h) override;
    int outClose(MidiHandle h) override;
    int outWrite(MidiHandle h, const std::string& bytes) override;
    int inOpen(int dev, MidiHandle& h) override;
    int inClose(MidiHandle h) override;
    int inStart(MidiHandle h) override;
    int inStop(MidiHandle h) override;
    int thruConnect(MidiHandle in, MidiHandle out) override;
    int thruDisconnect(MidiHandle in, MidiHandle out) override;

private:
    MidiHandle next_ = 0x100;
    std::vector<MidiHandle> openOuts_, openIns_;
    std::map<MidiHandle, std::string> portOf_;
};

// ALSA sequencer back-end: the program's own client and port; output devices
// are other clients' writable ports, hardware first. With no sequencer it
// reports no devices.
std::unique_ptr<MidiBackend> MakeAlsaBackend();

// The key of a message that sets something on the device (see OutLong).
struct MidiKey {
    enum Kind {
        // A whole state (a dump): the older one goes wherever it waits, and
        // the newer is queued last.
        Whole,
        // One setting: the older one goes only when the newer would be sent
        // right after it, or when all that came between is a repeat of the
        // Select sent just before the older one (the repeat goes too). No
        // other message is ever sent without one that came before it.
        Setting,
        // A setting that the Settings after it apply to (an oscillator
        // select): the older one goes only when the newer would be sent
        // right after it.
        Select,
    };
    std::string name;  // empty: no key
    Kind kind = Whole;
    MidiKey() = default;
    MidiKey(std::string n, Kind k = Whole) : name(std::move(n)), kind(k) {}
    MidiKey(const char* n) : name(n) {}
};

namespace MidiDev {
// Installs a back-end (the layer owns it). Default: ALSA.
void SetBackend(std::unique_ptr<MidiBackend> b);
MidiBackend& Backend();
// A capture back-end installed in its place; returns it (owned by the layer).
CaptureBackend& UseCapture();

int OutCount();
int InCount();
std::string OutName(int dev);
std::string InName(int dev);
int OutOpen(MidiHandle& h, int dev);
// Sends what is still queued for the output, waits until it has left, then
// closes. With the manual clock of the tests the rest goes out at once.
int OutClose(MidiHandle h);
// status | data1 << 8 | data2 << 16; the length follows from the status byte.
// The call's result is its own: a failure of something queued earlier is
// reported through the failure handler, never here.
int OutShort(MidiHandle h, uint32_t msg);
// A message longer than one piece is a long send: `label` names it in the
// progress reports while it is on the wire. A message sent with a `key`
// sets something on the device that only its newest value of the key
// matters for, so it takes the place of an older message of that key for
// the output that is still waiting whole (none of its bytes written); where
// that one may be is the key's kind.
int OutLong(MidiHandle h, const std::string& bytes, const std::string& label = {}, const MidiKey& key = {});
// Several messages that go out as one (a message and its trailer): in one
// piece or more each, but queued, replaced and dropped together.
int OutLong(MidiHandle h, const std::vector<std::string>& messages, const std::string& label, const MidiKey& key);
int InOpen(MidiHandle& h, int dev);
int InClose(MidiHandle h);
int InStart(MidiHandle h);
int InStop(MidiHandle h);
int Connect(MidiHandle in, MidiHandle out);
int Disconnect(MidiHandle in, MidiHandle out);

// Bytes still waiting in the output queue (of every output, or of one).
std::size_t Pending();
std::size_t Pending(MidiHandle h);
// True while something is queued for the output or its last bytes are
// still on the wire.
bool Busy(MidiHandle h);
// Sends at once everything due by the clock now (the queue timer calls it).
void Pump();
// Drops everything queued, sending nothing more (tests, a new back-end).
void ClearQueue();
// Stops sending to an output: what is queued is dropped, and a
// system-exclusive message left open is ended with F7 at once so the
// instrument does not wait for the rest. True when an F7 was sent.
bool Stop(MidiHandle h);
// Stop for every open output; true when any F7 was sent.
bool StopAll();

// The long send on the wire now: its label and how much of it has gone out.
struct Progress {
    std::string label;
    int percent = 0;
};
// Called on the GUI thread as a long send goes out, piece by piece, with
// percent 0-99; once its last byte has left, with percent -1.
void SetProgressHandler(std::function<void(const Progress&)> handler);
// The long send on the wire now, percent -1 when there is none.
Progress CurrentProgress();
// Called on the GUI thread, once, when a queued piece fails after the call
// that queued it has returned; the rest of that output's queue is dropped.
void SetFailureHandler(std::function<void(MidiHandle, int)> handler);
}  // namespace MidiDev
