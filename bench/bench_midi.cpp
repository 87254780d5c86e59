// Throughput of the 7-in-8 packing and of building the largest dumps.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "midi/MIDI.h"

namespace {

std::string noise(std::size_t n) {
    std::mt19937 rng(7);
    std::string s(n, '\0');
    for (auto& c : s) c = static_cast<char>(rng() & 0xFF);
    return s;
}

void BM_Pack7(benchmark::State& state) {
    const std::string data = noise(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        SysExPack7(data);
        benchmark::DoNotOptimize(MidiHdr.lpData.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_Pack7)->Arg(415)->Arg(10496)->Arg(13112);

void BM_Unpack7(benchmark::State& state) {
    const std::string packed = Pack7(noise(13112));
    for (auto _ : state) benchmark::DoNotOptimize(Unpack7(packed));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(packed.size()));
}
BENCHMARK(BM_Unpack7);

// Program bank (14992 bytes), arrangement bank (12002) and backing sequence
// (the largest file the reader takes, 90000 bytes).
void BM_PrgBankMsg(benchmark::State& state) {
    std::string img = noise(30750);
    img[18] = 1;
    for (auto _ : state) benchmark::DoNotOptimize(PrgBankMsg(img));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 14992);
}
BENCHMARK(BM_PrgBankMsg);

void BM_ArrBankMsg(benchmark::State& state) {
    const std::string img = noise(42622);
    for (auto _ : state) benchmark::DoNotOptimize(ArrBankMsg(img));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 12002);
}
BENCHMARK(BM_ArrBankMsg);

void BM_BsqDumpMsg(benchmark::State& state) {
    const std::string data = noise(89984);
    std::size_t len = BsqDumpMsg(data).size();
    for (auto _ : state) benchmark::DoNotOptimize(BsqDumpMsg(data));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(len));
}
BENCHMARK(BM_BsqDumpMsg);

}  // namespace
