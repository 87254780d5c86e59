#pragma once
// What the program needs of a MIDI system: device counts and names, open and
// close by index, short and long (system-exclusive) messages, thru between an
// input and an output at driver level, input start/stop. Every call returns a
// number, 0 for success.
//
// Output goes through one ordered queue: long messages are cut into pieces of
// at most MidiMaxEvent bytes and paced at the DIN wire rate (3,125 bytes/s)
// by a timer on the GUI thread; short messages wait in the same queue, so the
// order of everything sent is kept. Closing an output waits (bounded) until
// its queue has drained.
#include <cstdint>
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
// and failures. Every test uses it.
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
};

// ALSA sequencer back-end: the program's own client and port; output devices
// are other clients' writable ports, hardware first. With no sequencer it
// reports no devices.
std::unique_ptr<MidiBackend> MakeAlsaBackend();

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
// Waits (bounded) for the queue to drain, then closes.
int OutClose(MidiHandle h);
// status | data1 << 8 | data2 << 16; the length follows from the status byte.
int OutShort(MidiHandle h, uint32_t msg);
int OutLong(MidiHandle h, const std::string& bytes);
int InOpen(MidiHandle& h, int dev);
int InClose(MidiHandle h);
int InStart(MidiHandle h);
int InStop(MidiHandle h);
int Connect(MidiHandle in, MidiHandle out);
int Disconnect(MidiHandle in, MidiHandle out);

// Bytes still waiting in the output queue.
std::size_t Pending();
// Sends at once everything due by the clock now (the queue timer calls it).
void Pump();
// Drops everything queued (used when an output fails).
void ClearQueue();
// Longest wait of OutClose, in milliseconds.
constexpr int DrainLimitMs = 10000;
}  // namespace MidiDev
