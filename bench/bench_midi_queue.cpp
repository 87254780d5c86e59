// The MIDI output queue against the wire: a dump sent through the queue with
// the real clock while the event loop runs, as in the program. Argument 0 is
// the 12,002-byte arrangement bank dump; any other is the backing-sequence
// dump of a file of that many bytes (90,000: the largest, 102,847 bytes).
//
// Counters:
//   wire_ratio     time until the dump's last byte is on the wire, divided by
//                  its wire time (3,125 bytes/s);
//                  the goal is at most 1.05.
//   loop_block_ms  the longest the event loop went without running a 1 ms
//                  probe timer while the dump was going out (how long the
//                  window would have been unresponsive).
//   max_piece      the largest piece handed to the back-end, in bytes.
#include <benchmark/benchmark.h>

#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <chrono>

#include "midi/MIDI.h"
#include "platform/MidiDevice.h"
#include "platform/Timer.h"

namespace {

void BM_MidiQueueDumpAgainstWireRate(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    const bool wasManual = Timer::ManualClock();
    Timer::SetManualClock(false);
    CaptureBackend& capture = MidiDev::UseCapture();
    MidiHandle out = 0;
    if (MidiDev::OutOpen(out, 0) != MidiOk) {
        state.SkipWithError("cannot open the capture output");
        return;
    }

    std::string dump;
    if (state.range(0) == 0) {
        dump.assign(12'002, '\0');
        dump.front() = '\xF0';
        for (std::size_t i = 1; i + 1 < dump.size(); ++i) dump[i] = static_cast<char>(i % 0x7F);
        dump.back() = '\xF7';
    } else {
        std::string file(static_cast<std::size_t>(state.range(0)), '\0');
        for (std::size_t i = 0; i < file.size(); ++i) file[i] = static_cast<char>((i * 37) & 0xFF);
        dump = BsqDumpMsg(file);
    }
    const double wireMs = static_cast<double>(dump.size()) * 1000.0 / MidiWireBytesPerSecond;

    double ratio = 0, blockMs = 0;
    std::size_t maxPiece = 0;
    for (auto _ : state) {
        capture.clear();
        QEventLoop loop;
        QTimer probe;
        probe.setTimerType(Qt::PreciseTimer);
        probe.setInterval(1);
        Clock::time_point last = Clock::now();
        double longest = 0;
        QObject::connect(&probe, &QTimer::timeout, [&] {
            Clock::time_point now = Clock::now();
            longest = std::max(longest, std::chrono::duration<double, std::milli>(now - last).count());
            last = now;
            if (MidiDev::Pending() == 0) loop.quit();
        });

        const long long t0 = Timer::Now();
        last = Clock::now();
        if (MidiDev::OutLong(out, dump) != MidiOk) {
            state.SkipWithError("the dump was refused");
            break;
        }
        probe.start();
        loop.exec();
        probe.stop();

        auto writes = capture.writes();
        if (capture.written() != dump) {
            state.SkipWithError("the dump did not arrive whole");
            break;
        }
        const auto& tail = writes.back();
        double endMs = static_cast<double>(tail.time - t0) + tail.bytes.size() * 1000.0 / MidiWireBytesPerSecond;
        ratio = std::max(ratio, endMs / wireMs);
        blockMs = std::max(blockMs, longest);
        for (const auto& w : writes) maxPiece = std::max(maxPiece, w.bytes.size());
    }

    MidiDev::OutClose(out);
    Timer::SetManualClock(wasManual);
    state.counters["wire_ratio"] = ratio;
    state.counters["loop_block_ms"] = blockMs;
    state.counters["max_piece"] = static_cast<double>(maxPiece);
}

}  // namespace

BENCHMARK(BM_MidiQueueDumpAgainstWireRate)->Arg(0)->Arg(90'000)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
