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
//
// A write that fails is the business of the call that queued it: while that
// call runs, the call returns the failure; once it has returned, the failure
// handler hears of it at once. Either way the rest of that output's queue is
// dropped and the next call starts afresh.
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <deque>
#include <map>
#include <set>
#include <thread>

#include "platform/MidiDevice.h"
#include "platform/MidiEvents.h"
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
    unsigned long long msg;  // which message it belongs to
};

// A message as queued for an output, as far as a keyed message that comes
// later needs to know what went before it.
struct Recent {
    unsigned long long msg;
    MidiKey key;
    std::string bytes;  // a Select's, to know a repeat
    std::size_t size;
};
// The last messages queued for an output, in the order they go out: enough
// to see what a Setting would follow.
constexpr std::size_t kRecent = 3;

// A message longer than one piece, from its first piece until its last byte
// has left the wire.
struct LongSend {
    MidiHandle handle;
    unsigned long long msg;
    std::string label;
    std::size_t total = 0, sent = 0;
    int percent = 0;      // what the progress report said last
    long long endUs = 0;  // when its last byte leaves, once all is written
};

struct Layer {
    std::unique_ptr<MidiBackend> backend;
    std::deque<Item> queue;
    std::size_t pendingBytes = 0;
    long long wireFreeUs = 0;                 // when the wire can take the next item
    std::set<MidiHandle> outs;                // output handles open through the layer
    std::map<MidiHandle, uint8_t> running;    // last channel status sent per handle
    std::map<MidiHandle, bool> sysexOpen;     // what went out leaves an F0 without its F7
    std::map<MidiHandle, long long> lastByteUs;  // when the last byte written leaves the wire
    std::deque<LongSend> longs;
    bool progressShown = false;
    unsigned long long nextMsg = 1;
    // Keyed long messages: the last one queued under each key, per output.
    std::map<std::pair<MidiHandle, std::string>, std::pair<unsigned long long, std::size_t>> keyed;
    std::map<MidiHandle, std::deque<Recent>> recent;
    // The call now running: its messages are numbered from callFirstMsg on.
    bool inCall = false;
    unsigned long long callFirstMsg = 0;
    int callError = 0;
    std::vector<std::pair<MidiHandle, int>> failures;  // to hand to the failure handler
    std::function<void(const MidiDev::Progress&)> onProgress;
    std::function<void(MidiHandle, int)> onFailure;
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

// Sets the timer for the next due item, or for the end of a long send still
// on the wire; stops it when there is neither.
void arm() {
    Layer& l = layer();
    long long dueUs = 0;
    if (!l.queue.empty()) {
        dueUs = l.wireFreeUs;
    } else if (!l.longs.empty()) {
        dueUs = l.longs.front().endUs;
    } else {
        if (l.timer) l.timer->setEnabled(false);
        return;
    }
    int ms = static_cast<int>(std::max(1LL, (dueUs - nowUs() + 999) / 1000));
    Timer& t = queueTimer();
    if (t.Interval() != ms) t.setInterval(ms);
    if (!t.Enabled()) t.setEnabled(true);
}

// Reported as each piece goes out: the share of the message that went
// before it, so 100% is never shown while a byte is still to leave.
void showProgress(LongSend& s) {
    Layer& l = layer();
    l.progressShown = true;
    s.percent = static_cast<int>(s.sent * 100 / s.total);
    if (l.onProgress) l.onProgress({s.label, s.percent});
}

// Long sends whose last byte has left are done; when none is left, the
// progress report ends.
void retireLongSends(long long now) {
    Layer& l = layer();
    while (!l.longs.empty() && l.longs.front().sent == l.longs.front().total && l.longs.front().endUs <= now)
        l.longs.pop_front();
    if (l.longs.empty() && l.progressShown) {
        l.progressShown = false;
        if (l.onProgress) l.onProgress({{}, -1});
    }
}

// Drops what is queued for an output (of messages before `fromMsg` only,
// when given) and the long sends among it.
void drop(MidiHandle h, unsigned long long beforeMsg = ~0ULL) {
    Layer& l = layer();
    for (auto it = l.queue.begin(); it != l.queue.end();) {
        if (it->handle == h && it->msg < beforeMsg) {
            l.pendingBytes -= it->bytes.size();
            it = l.queue.erase(it);
        } else {
            ++it;
        }
    }
    std::erase_if(l.longs, [&](const LongSend& s) { return s.handle == h && s.msg < beforeMsg && s.sent < s.total; });
    std::erase_if(l.recent[h], [&](const Recent& r) { return r.msg < beforeMsg; });
}

// A write failed: nothing more of what was queued for that output goes out.
// The failure belongs to the running call when it is one of its messages;
// otherwise the failure handler hears of it.
void fail(const Item& item, int rc) {
    Layer& l = layer();
    if (l.inCall && item.msg >= l.callFirstMsg) {
        drop(item.handle);
        if (l.callError == MidiOk) l.callError = rc;
        return;
    }
    // The running call's own messages are still to go.
    drop(item.handle, l.inCall ? l.callFirstMsg : ~0ULL);
    l.failures.emplace_back(item.handle, rc);
}

void deliverFailures() {
    Layer& l = layer();
    while (!l.failures.empty()) {
        auto [h, rc] = l.failures.front();
        l.failures.erase(l.failures.begin());
        if (l.onFailure) l.onFailure(h, rc);
    }
}

void noteSysex(MidiHandle h, const std::string& bytes) {
    bool& open = layer().sysexOpen[h];
    for (unsigned char c : bytes) {
        if (c == 0xF0) open = true;
        else if (c >= 0x80 && c < 0xF8) open = false;
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
        fail(item, rc);
        return;
    }
    l.wireFreeUs = due + static_cast<long long>(item.bytes.size()) * kUsPerByte;
    l.lastByteUs[item.handle] = l.wireFreeUs;
    noteSysex(item.handle, item.bytes);
    for (LongSend& s : l.longs) {
        if (s.msg != item.msg) continue;
        showProgress(s);
        s.sent += item.bytes.size();
        if (s.sent == s.total) s.endUs = l.wireFreeUs;
        break;
    }
}

bool hasItemsFor(MidiHandle h) {
    for (const Item& i : layer().queue)
        if (i.handle == h) return true;
    return false;
}

unsigned long long enqueue(MidiHandle h, std::string bytes, unsigned long long msg = 0) {
    Layer& l = layer();
    // An idle wire starts its clock now, so a new message never goes out in a
    // burst to make up for the idle time.
    if (l.queue.empty()) l.wireFreeUs = std::max(l.wireFreeUs, nowUs());
    if (msg == 0) msg = l.nextMsg++;
    l.pendingBytes += bytes.size();
    l.queue.push_back({h, std::move(bytes), msg});
    return msg;
}

// True while none of the bytes of message `m` of an output has been written.
bool waitingWhole(MidiHandle h, const Recent& m) {
    std::size_t queued = 0;
    for (const Item& i : layer().queue)
        if (i.handle == h && i.msg == m.msg) queued += i.bytes.size();
    return queued == m.size;
}

// Takes a message that has not started out of the queue.
void dropWhole(MidiHandle h, const Recent& m) {
    Layer& l = layer();
    std::erase_if(l.queue, [&](const Item& i) { return i.handle == h && i.msg == m.msg; });
    l.pendingBytes -= m.size;
    std::erase_if(l.longs, [&](const LongSend& s) { return s.handle == h && s.msg == m.msg; });
    std::erase_if(l.recent[h], [&](const Recent& r) { return r.msg == m.msg; });
}

void remember(MidiHandle h, const Recent& m) {
    std::deque<Recent>& r = layer().recent[h];
    r.push_back(m);
    while (r.size() > kRecent) r.pop_front();
}

// Drops what a keyed message about to be queued takes the place of: the
// older message of its key that is still waiting whole, where the key's kind
// allows it. One already on its way is never cut.
void supersede(MidiHandle h, const Recent& m) {
    Layer& l = layer();
    if (m.key.name.empty()) return;
    if (m.key.kind == MidiKey::Whole) {
        auto [it, fresh] = l.keyed.try_emplace({h, m.key.name}, m.msg, m.size);
        if (!fresh) {
            Recent old{it->second.first, m.key, {}, it->second.second};
            if (waitingWhole(h, old)) dropWhole(h, old);
            it->second = {m.msg, m.size};
        }
        return;
    }
    // A Setting or a Select stays behind everything queued before it, so
    // the older one may go only when nothing queued since needs it.
    const std::deque<Recent> r = l.recent[h];
    const std::size_t n = r.size();
    auto same = [](const Recent& a, const Recent& b) { return a.key.name == b.key.name && a.key.kind == b.key.kind; };
    if (n >= 1 && same(r[n - 1], m)) {
        if (waitingWhole(h, r[n - 1])) dropWhole(h, r[n - 1]);
        return;
    }
    // Select, older Setting, the same Select again: the older Setting and
    // the repeat go, and the newer Setting follows the first Select, which
    // leaves the device as all four would.
    if (m.key.kind == MidiKey::Setting && n >= 3 && same(r[n - 2], m) && r[n - 1].key.kind == MidiKey::Select &&
        same(r[n - 1], r[n - 3]) && r[n - 1].bytes == r[n - 3].bytes && waitingWhole(h, r[n - 2])) {
        dropWhole(h, r[n - 1]);
        dropWhole(h, r[n - 2]);
    }
}

// Runs the queue for a call that has just queued its messages; the result is
// the call's own.
int pumpForCall(unsigned long long firstMsg) {
    Layer& l = layer();
    // Calls can nest (a box shown by the failure handler runs the event loop).
    const bool wasInCall = l.inCall;
    const unsigned long long wasFirst = l.callFirstMsg;
    const int wasError = l.callError;
    l.inCall = true;
    l.callFirstMsg = firstMsg;
    l.callError = MidiOk;
    MidiDev::Pump();
    int rc = l.callError;
    l.inCall = wasInCall;
    l.callFirstMsg = wasFirst;
    l.callError = wasError;
    return rc;
}

}  // namespace

namespace MidiDev {

void SetBackend(std::unique_ptr<MidiBackend> b) {
    Layer& l = layer();
    ClearQueue();
    l.outs.clear();
    l.running.clear();
    l.sysexOpen.clear();
    l.lastByteUs.clear();
    l.recent.clear();
    l.failures.clear();
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
    l.running.erase(opened);
    l.sysexOpen.erase(opened);
    l.lastByteUs.erase(opened);
    l.recent.erase(opened);
    h = opened;
    return MidiOk;
}

// With the real clock the queue is worked off by its timer while a local
// event loop runs (user input held back until the close is done), until the
// last byte has left the wire. With the manual clock of the tests nothing
// would ever come due while we wait, so the rest is sent at once without
// moving the clock.
int OutClose(MidiHandle h) {
    Layer& l = layer();
    if (!l.outs.count(h)) return MidiErrInvalidHandle;

    if (Timer::ManualClock()) {
        while (hasItemsFor(h)) sendFront(nowUs());
        retireLongSends(nowUs());
        arm();
        deliverFailures();
    } else if (Busy(h)) {
        Pump();
        if (QCoreApplication::instance()) {
            QEventLoop loop;
            QTimer check;
            QObject::connect(&check, &QTimer::timeout, &loop, [&] {
                if (!Busy(h)) loop.quit();
            });
            check.start(5);
            if (Busy(h)) loop.exec(QEventLoop::ExcludeUserInputEvents);
        }
        while (Busy(h)) {  // no event loop to wait with
            Pump();
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }

    int rc = Backend().outClose(h);
    if (rc != MidiOk) return rc;  // still open; the caller may try again
    std::erase_if(l.longs, [&](const LongSend& s) { return s.handle == h; });
    retireLongSends(nowUs());
    l.outs.erase(h);
    l.running.erase(h);
    l.sysexOpen.erase(h);
    l.lastByteUs.erase(h);
    l.recent.erase(h);
    return MidiOk;
}

int OutShort(MidiHandle h, uint32_t msg) {
    Layer& l = layer();
    if (!l.outs.count(h)) return MidiErrInvalidHandle;

    uint8_t b[3] = {static_cast<uint8_t>(msg), static_cast<uint8_t>(msg >> 8), static_cast<uint8_t>(msg >> 16)};
    std::string bytes;
    if (b[0] < 0x80) {
        // Running status: the data bytes of the last channel message's kind.
        auto it = l.running.find(h);
        if (it == l.running.end()) return MidiErrFailed;
        int n = MidiMessageLength(it->second);
        bytes.push_back(static_cast<char>(it->second));
        for (int i = 0; i < n - 1; ++i) bytes.push_back(static_cast<char>(b[i]));
    } else {
        int n = std::max(1, MidiMessageLength(b[0]));
        for (int i = 0; i < n; ++i) bytes.push_back(static_cast<char>(b[i]));
        if (b[0] < 0xF0) l.running[h] = b[0];
    }
    const unsigned long long id = enqueue(h, std::move(bytes));
    remember(h, {id, {}, {}, 0});
    return pumpForCall(id);
}

int OutLong(MidiHandle h, const std::string& bytes, const std::string& label, const MidiKey& key) {
    return OutLong(h, std::vector<std::string>{bytes}, label, key);
}

int OutLong(MidiHandle h, const std::vector<std::string>& messages, const std::string& label, const MidiKey& key) {
    Layer& l = layer();
    if (!l.outs.count(h)) return MidiErrInvalidHandle;
    Recent sent{l.nextMsg, key, {}, 0};
    for (const std::string& m : messages) sent.size += m.size();
    if (sent.size == 0) return MidiOk;
    ++l.nextMsg;
    if (key.kind == MidiKey::Select)
        for (const std::string& m : messages) sent.bytes += m;
    supersede(h, sent);
    remember(h, sent);
    if (sent.size > static_cast<std::size_t>(MidiMaxEvent)) {
        retireLongSends(nowUs());
        l.longs.push_back({h, sent.msg, label, sent.size, 0, 0});
    }
    for (const std::string& m : messages)
        for (std::size_t at = 0; at < m.size(); at += MidiMaxEvent) enqueue(h, m.substr(at, MidiMaxEvent), sent.msg);
    return pumpForCall(sent.msg);
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

std::size_t Pending(MidiHandle h) {
    std::size_t n = 0;
    for (const Item& i : layer().queue)
        if (i.handle == h) n += i.bytes.size();
    return n;
}

bool Busy(MidiHandle h) {
    Layer& l = layer();
    if (hasItemsFor(h)) return true;
    auto it = l.lastByteUs.find(h);
    return it != l.lastByteUs.end() && it->second > nowUs();
}

void Pump() {
    Layer& l = layer();
    if (l.pumping) return;
    l.pumping = true;
    const long long now = nowUs();
    while (!l.queue.empty() && l.wireFreeUs <= now) sendFront(now);
    retireLongSends(now);
    l.pumping = false;
    arm();
    deliverFailures();
}

void ClearQueue() {
    Layer& l = layer();
    l.queue.clear();
    l.pendingBytes = 0;
    l.longs.clear();
    l.recent.clear();
    l.progressShown = false;
    if (l.timer) l.timer->setEnabled(false);
}

bool Stop(MidiHandle h) {
    Layer& l = layer();
    if (!l.outs.count(h)) return false;
    drop(h);
    bool ended = false;
    if (l.sysexOpen[h]) {
        // Straight to the device: the wire may still be busy with the last
        // piece, and one byte more fits in any buffer.
        if (Backend().outWrite(h, std::string(1, '\xF7')) == MidiOk) {
            ended = true;
            l.wireFreeUs = std::max(l.wireFreeUs, nowUs()) + kUsPerByte;
            l.lastByteUs[h] = l.wireFreeUs;
        }
        l.sysexOpen[h] = false;
    }
    // What was stopped is no longer being sent.
    std::erase_if(l.longs, [&](const LongSend& s) { return s.handle == h; });
    retireLongSends(nowUs());
    arm();
    return ended;
}

bool StopAll() {
    bool any = false;
    const std::set<MidiHandle> outs = layer().outs;
    for (MidiHandle h : outs) any = Stop(h) || any;
    return any;
}

void SetProgressHandler(std::function<void(const Progress&)> handler) { layer().onProgress = std::move(handler); }

Progress CurrentProgress() {
    const Layer& l = layer();
    if (l.longs.empty()) return {{}, -1};
    const LongSend& s = l.longs.front();
    return {s.label, s.percent};
}

void SetFailureHandler(std::function<void(MidiHandle, int)> handler) { layer().onFailure = std::move(handler); }

}  // namespace MidiDev
