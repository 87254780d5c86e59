// The capture back-end: a MIDI system that exists only in memory. It keeps
// every call that went through, in order and with the clock's time, and can
// be told to fail the next call of a kind once.
#include <algorithm>

#include "platform/MidiDevice.h"
#include "platform/Timer.h"

namespace {

// Returns the armed failure code once and disarms it.
int takeFailure(int& knob) {
    int code = knob;
    knob = 0;
    return code;
}

bool contains(const std::vector<MidiHandle>& v, MidiHandle h) {
    return std::find(v.begin(), v.end(), h) != v.end();
}

void erase(std::vector<MidiHandle>& v, MidiHandle h) {
    v.erase(std::remove(v.begin(), v.end(), h), v.end());
}

}  // namespace

std::string CaptureBackend::written() const {
    std::string all;
    for (const Event& e : events)
        if (e.kind == Event::Write) all += e.bytes;
    return all;
}

std::vector<CaptureBackend::Event> CaptureBackend::writes() const {
    std::vector<Event> w;
    for (const Event& e : events)
        if (e.kind == Event::Write) w.push_back(e);
    return w;
}

int CaptureBackend::outCount() { return static_cast<int>(outs.size()); }
int CaptureBackend::inCount() { return static_cast<int>(ins.size()); }

std::string CaptureBackend::outName(int dev) {
    return dev >= 0 && dev < outCount() ? outs[static_cast<std::size_t>(dev)] : std::string();
}

std::string CaptureBackend::inName(int dev) {
    return dev >= 0 && dev < inCount() ? ins[static_cast<std::size_t>(dev)] : std::string();
}

int CaptureBackend::outOpen(int dev, MidiHandle& h) {
    h = 0;
    if (int rc = takeFailure(failOutOpen)) return rc;
    if (dev < 0 || dev >= outCount()) return MidiErrBadDevice;
    h = next_++;
    openOuts_.push_back(h);
    portOf_[h] = outs[static_cast<std::size_t>(dev)];
    events.push_back({Event::OutOpen, h, outs[static_cast<std::size_t>(dev)], Timer::Now()});
    return MidiOk;
}

int CaptureBackend::outClose(MidiHandle h) {
    if (int rc = takeFailure(failOutClose)) return rc;
    if (!contains(openOuts_, h)) return MidiErrInvalidHandle;
    erase(openOuts_, h);
    events.push_back({Event::OutClose, h, {}, Timer::Now()});
    return MidiOk;
}

int CaptureBackend::outWrite(MidiHandle h, const std::string& bytes) {
    if (int rc = takeFailure(failWrite)) return rc;
    if (!contains(openOuts_, h)) return MidiErrInvalidHandle;
    events.push_back({Event::Write, h, bytes, Timer::Now()});
    return MidiOk;
}

int CaptureBackend::inOpen(int dev, MidiHandle& h) {
    h = 0;
    if (int rc = takeFailure(failInOpen)) return rc;
    if (dev < 0 || dev >= inCount()) return MidiErrBadDevice;
    h = next_++;
    openIns_.push_back(h);
    portOf_[h] = ins[static_cast<std::size_t>(dev)];
    events.push_back({Event::InOpen, h, ins[static_cast<std::size_t>(dev)], Timer::Now()});
    return MidiOk;
}

int CaptureBackend::inClose(MidiHandle h) {
    if (int rc = takeFailure(failInClose)) return rc;
    if (!contains(openIns_, h)) return MidiErrInvalidHandle;
    erase(openIns_, h);
    events.push_back({Event::InClose, h, {}, Timer::Now()});
    return MidiOk;
}

int CaptureBackend::inStart(MidiHandle h) {
    if (int rc = takeFailure(failInStart)) return rc;
    if (!contains(openIns_, h)) return MidiErrInvalidHandle;
    events.push_back({Event::InStart, h, {}, Timer::Now()});
    return MidiOk;
}

int CaptureBackend::inStop(MidiHandle h) {
    if (!contains(openIns_, h)) return MidiErrInvalidHandle;
    events.push_back({Event::InStop, h, {}, Timer::Now()});
    return MidiOk;
}

int CaptureBackend::thruConnect(MidiHandle in, MidiHandle out) {
    if (int rc = takeFailure(failConnect)) return rc;
    if (!contains(openIns_, in) || !contains(openOuts_, out)) return MidiErrInvalidHandle;
    // A loopback port joined to itself would send every message round forever.
    const std::string& port = portOf_[in];
    if (port == portOf_[out] && std::find(loopbacks.begin(), loopbacks.end(), port) != loopbacks.end())
        return MidiErrSamePort;
    // The output handle travels in the bytes so a test can see which pair was joined.
    events.push_back({Event::Connect, in, std::to_string(out), Timer::Now()});
    return MidiOk;
}

int CaptureBackend::thruDisconnect(MidiHandle in, MidiHandle out) {
    if (!contains(openIns_, in) || !contains(openOuts_, out)) return MidiErrInvalidHandle;
    events.push_back({Event::Disconnect, in, std::to_string(out), Timer::Now()});
    return MidiOk;
}
