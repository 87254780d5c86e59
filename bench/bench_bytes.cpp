// Cost of the byte-image helpers every record and window image goes through.
#include <benchmark/benchmark.h>

#include "platform/bytes.h"

namespace {

std::string image() { return std::string(42622 + 4928, '\x41'); }

void BM_BytesAtPut(benchmark::State& st) {
    std::string img = image();
    for (auto _ : st) {
        unsigned sum = 0;
        for (long p = 1; p <= 10496; ++p) {
            sum += at(img, p);
            put(img, p, sum);
        }
        benchmark::DoNotOptimize(sum);
    }
    st.SetBytesProcessed(static_cast<int64_t>(st.iterations()) * 10496);
}
BENCHMARK(BM_BytesAtPut);

void BM_Bytes16Bit(benchmark::State& st) {
    std::string img = image();
    for (auto _ : st) {
        unsigned sum = 0;
        for (long p = 1; p < 10496; p += 2) {
            sum += get16lo(img, p) + get16hi(img, p);
            put16lo(img, p, sum);
        }
        benchmark::DoNotOptimize(sum);
    }
    st.SetBytesProcessed(static_cast<int64_t>(st.iterations()) * 10496);
}
BENCHMARK(BM_Bytes16Bit);

// 64 arrangement records copied out and back, as list fills and pastes do.
void BM_BytesMidPutMid(benchmark::State& st) {
    std::string img = image();
    for (auto _ : st) {
        for (int i = 0; i < 64; ++i) {
            std::string rec = mid(img, 303 + 164 * i, 164);
            putMid(img, 303 + 164 * i, rec);
        }
        benchmark::DoNotOptimize(img.data());
    }
    st.SetBytesProcessed(static_cast<int64_t>(st.iterations()) * 64 * 164);
}
BENCHMARK(BM_BytesMidPutMid);

void BM_BytesRtrimField(benchmark::State& st) {
    std::string img = image();
    putField(img, 21, 238, "/home/user/arrangements/Songs");
    for (auto _ : st) benchmark::DoNotOptimize(rtrim(mid(img, 21, 238)));
}
BENCHMARK(BM_BytesRtrimField);

}  // namespace
