// The MIDI device layer: the calls the program makes, and the one ordered
// output queue behind them.
//
// Everything sent goes into the queue as items: a short message is one item,
// a long message is cut into items of at most MidiMaxEvent bytes. An item may
// go out once the wire is free. The wire-free time advances by the item's wire
// time (320 us a byte at 3,125 bytes/s) from the time the item was due, not
// from the time the timer happened to fire, so a late timer never stretches a
// dump. A single Timer on the GUI thread fires for each item that is due; the
// event loop is free in between.
#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <deque>
#include <map>
#include <set>
#include <thread>

#include "platform/MidiDevice.h"
#include "platform/Timer.h"

namespace {

constexpr long long kUsPerByte = 1'000'000 / MidiWireBytesPerSecond;  // 320
// How far behind the wire clock the queue may fall and still catch up: after
// the event loop was held up, at most one piece's worth goes out back to back,
// so the device never sees a long burst above the wire rate.
constexpr long long kCatchUpUs = MidiMaxEvent * kUsPerByte;

struct Item {
    MidiHandle handle;
    std::string bytes;
};

struct Layer {
    std::unique_ptr<MidiBackend> backend;
    std::deque<Item> queue;
    std::size_t pendingBytes = 0;
    long long wireFreeUs = 0;               // when the wire can take the next item
    std::set<MidiHandle> outs;              // output handles open through the layer
    std::map<MidiHandle, int> errors;       // a failed write, reported on the next call
    std::map<MidiHandle, uint8_t> running;  // last channel status sent per handle
    Timer* timer = nullptr;
    bool pumping = false;
};

Layer& layer() {
    static Layer l;
    return l;
}

long long nowUs() { return Timer::Now() * 1000; }

void dropTimer() {
    delete layer().timer;
    layer().timer = nullptr;
}

Timer& queueTimer() {
    Layer& l = layer();
    if (!l.timer) {
        l.timer = new Timer(nullptr, QStringLiteral("MidiQueue"));
        l.timer->onTimer = [] { MidiDev::Pump(); };
        // The timer is a QObject and must go before the application does.
        qAddPostRoutine(dropTimer);
    }
    return *l.timer;
}

// Sets the timer for the next due item, or stops it when nothing waits.
void arm() {
    Layer& l = layer();
    if (l.queue.empty()) {
        if (l.timer) l.timer->setEnabled(false);
        return;
    }
    long long waitUs = l.wireFreeUs - nowUs();
    int ms = static_cast<int>(std::max(1LL, (waitUs + 999) / 1000));
    Timer& t = queueTimer();
    if (t.Interval() != ms) t.setInterval(ms);
    if (!t.Enabled()) t.setEnabled(true);
}

// A write failed: nothing more of that handle goes out; the error waits for
// the program's next call on the handle.
void fail(MidiHandle h, int rc) {
    Layer& l = layer();
    l.errors.emplace(h, rc);
    for (auto it = l.queue.begin(); it != l.queue.end();) {
        if (it->handle == h) {
            l.pendingBytes -= it->bytes.size();
            it = l.queue.erase(it);
        } else {
            ++it;
        }
    }
}

// Writes the front item and moves the wire clock on.
void sendFront(long long now) {
    Layer& l = layer();
    Item item = std::move(l.queue.front());
    l.queue.pop_front();
    l.pendingBytes -= item.bytes.size();
    long long due = std::max(l.wireFreeUs, now - kCatchUpUs);
    int rc = MidiDev::Backend().outWrite(item.handle, item.bytes);
    if (rc != MidiOk) {
        fail(item.handle, rc);
        return;
    }
    l.wireFreeUs = due + static_cast<long long>(item.bytes.size()) * kUsPerByte;
}

bool hasItemsFor(MidiHandle h) {
    for (const Item& i : layer().queue)
        if (i.handle == h) return true;
    return false;
}

void enqueue(MidiHandle h, std::string bytes) {
    Layer& l = layer();
    // An idle wire starts its clock now, so a new message never goes out in a
    // burst to make up for the idle time.
    if (l.queue.empty()) l.wireFreeUs = std::max(l.wireFreeUs, nowUs());
    l.pendingBytes += bytes.size();
    l.queue.push_back({h, std::move(bytes)});
}

int takeError(MidiHandle h) {
    Layer& l = layer();
    auto it = l.errors.find(h);
    if (it == l.errors.end()) return MidiOk;
    int rc = it->second;
    l.errors.erase(it);
    return rc;
}

// Bytes of a short message, by its status byte.
int shortLength(uint8_t status) {
    if (status < 0xC0) return 3;
    if (status < 0xE0) return 2;
    if (status < 0xF0) return 3;
    switch (status) {
    case 0xF1:  // time code quarter frame
    case 0xF3:  // song select
        return 2;
    case 0xF2:  // song position
        return 3;
    default:
        return 1;
    }
}

}  // namespace

namespace MidiDev {

void SetBackend(std::unique_ptr<MidiBackend> b) {
    Layer& l = layer();
    ClearQueue();
    l.outs.clear();
    l.errors.clear();
    l.running.clear();
    l.wireFreeUs = 0;
    l.backend = std::move(b);
}

MidiBackend& Backend() {
    Layer& l = layer();
    if (!l.backend) l.backend = MakeAlsaBackend();
    return *l.backend;
}

CaptureBackend& UseCapture() {
    auto capture = std::make_unique<CaptureBackend>();
    CaptureBackend& c = *capture;
    SetBackend(std::move(capture));
    return c;
}

int OutCount() { return Backend().outCount(); }
int InCount() { return Backend().inCount(); }
std::string OutName(int dev) { return Backend().outName(dev); }
std::string InName(int dev) { return Backend().inName(dev); }

int OutOpen(MidiHandle& h, int dev) {
    h = 0;
    MidiHandle opened = 0;
    int rc = Backend().outOpen(dev, opened);
    if (rc != MidiOk) return rc;
    Layer& l = layer();
    l.outs.insert(opened);
    l.errors.erase(opened);
    l.running.erase(opened);
    h = opened;
    return MidiOk;
}

// With the real clock the queue is worked off here, sleeping between pieces,
// for at most DrainLimitMs; what is still waiting then is dropped and the
// close reports MidiErrNotReady. With the manual clock of the tests nothing
// would ever come due while we wait, so the rest is sent at once without
// moving the clock.
int OutClose(MidiHandle h) {
    Layer& l = layer();
    if (!l.outs.count(h)) return MidiErrInvalidHandle;

    bool timedOut = false;
    if (Timer::ManualClock()) {
        while (hasItemsFor(h)) sendFront(nowUs());
        arm();
    } else {
        const long long deadline = Timer::Now() + DrainLimitMs;
        for (;;) {
            Pump();
            if (!hasItemsFor(h)) break;
            if (Timer::Now() >= deadline) {
                fail(h, MidiErrNotReady);
                timedOut = true;
                arm();
                break;
            }
            long long waitUs = std::clamp(l.wireFreeUs - nowUs(), 500LL, 20'000LL);
            std::this_thread::sleep_for(std::chrono::microseconds(waitUs));
        }
    }

    int rc = Backend().outClose(h);
    if (rc != MidiOk) return rc;  // still open; the caller may try again
    int pending = takeError(h);
    l.outs.erase(h);
    l.running.erase(h);
    if (pending != MidiOk) return pending;
    return timedOut ? MidiErrNotReady : MidiOk;
}

int OutShort(MidiHandle h, uint32_t msg) {
    Layer& l = layer();
    if (!l.outs.count(h)) return MidiErrInvalidHandle;
    if (int rc = takeError(h)) return rc;

    uint8_t b[3] = {static_cast<uint8_t>(msg), static_cast<uint8_t>(msg >> 8), static_cast<uint8_t>(msg >> 16)};
    std::string bytes;
    if (b[0] < 0x80) {
        // Running status: the data bytes of the last channel message's kind.
        auto it = l.running.find(h);
        if (it == l.running.end()) return MidiErrFailed;
        int n = shortLength(it->second);
        bytes.push_back(static_cast<char>(it->second));
        for (int i = 0; i < n - 1; ++i) bytes.push_back(static_cast<char>(b[i]));
    } else {
        int n = shortLength(b[0]);
        for (int i = 0; i < n; ++i) bytes.push_back(static_cast<char>(b[i]));
        if (b[0] < 0xF0) l.running[h] = b[0];
    }
    enqueue(h, std::move(bytes));
    Pump();
    return takeError(h);
}

int OutLong(MidiHandle h, const std::string& bytes) {
    Layer& l = layer();
    if (!l.outs.count(h)) return MidiErrInvalidHandle;
    if (int rc = takeError(h)) return rc;
    for (std::size_t at = 0; at < bytes.size(); at += MidiMaxEvent)
        enqueue(h, bytes.substr(at, MidiMaxEvent));
    Pump();
    return takeError(h);
}

int InOpen(MidiHandle& h, int dev) {
    h = 0;
    return Backend().inOpen(dev, h);
}
int InClose(MidiHandle h) { return Backend().inClose(h); }
int InStart(MidiHandle h) { return Backend().inStart(h); }
int InStop(MidiHandle h) { return Backend().inStop(h); }
int Connect(MidiHandle in, MidiHandle out) { return Backend().thruConnect(in, out); }
int Disconnect(MidiHandle in, MidiHandle out) { return Backend().thruDisconnect(in, out); }

std::size_t Pending() { return layer().pendingBytes; }

void Pump() {
    Layer& l = layer();
    if (l.pumping) return;
    l.pumping = true;
    const long long now = nowUs();
    while (!l.queue.empty() && l.wireFreeUs <= now) sendFront(now);
    l.pumping = false;
    arm();
}

void ClearQueue() {
    Layer& l = layer();
    l.queue.clear();
    l.pendingBytes = 0;
    if (l.timer) l.timer->setEnabled(false);
}

}  // namespace MidiDev
