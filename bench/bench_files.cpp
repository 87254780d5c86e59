// File checks, reading a bank file and the clipboard paste of a whole bank.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/state.h"
#include "files/Clipboard.h"
#include "files/FileFormats.h"
#include "files/Readers.h"
#include "files/StyGroups.h"
#include "files/WindowImage.h"
#include "files/state.h"
#include "platform/Files.h"
#include "platform/bytes.h"

namespace {

// The largest image a window builds when it opens: an arrangement file with
// the style template appended.
void BM_WindowImageArrWithTemplate(benchmark::State& state) {
    const std::string file = ArrBankImage(0);
    const std::string tpl = StyTemplateImage();
    for (auto _ : state) {
        std::string img = WindowImageNew(19, file);
        StyPartSet(img, tpl);
        put(img, ImgStyPart, ImgStyTemplate);
        benchmark::DoNotOptimize(img.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * (ImgArrFileWinLen + StyTemplateLen));
}
BENCHMARK(BM_WindowImageArrWithTemplate);

void BM_ArrFileCheck(benchmark::State& state) {
    const std::string f = ArrBankImage(0);
    for (auto _ : state) benchmark::DoNotOptimize(ArrFileCheck(f));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(f.size()));
}
BENCHMARK(BM_ArrFileCheck);

void BM_ArrFileReadBank(benchmark::State& state) {
    const std::string path = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + "/velmora_bench_i40ArrA";
    WriteWholeFile(path, ArrBankImage(0));
    for (auto _ : state) benchmark::DoNotOptimize(ArrFileRead(path));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * ArrFileLen);
    DeleteFile(path);
}
BENCHMARK(BM_ArrFileReadBank);

void BM_StyFileCheck(benchmark::State& state) {
    std::string f = StyTemplateImage();
    for (int k = 4; k < 16; ++k) StyItemPut(f, k, std::string(16, 'S') + std::string(3000, 'd'));
    for (auto _ : state) benchmark::DoNotOptimize(StyFileCheck(f));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(f.size()));
}
BENCHMARK(BM_StyFileCheck);

void BM_ClipPasteArr64(benchmark::State& state) {
    std::string src = WindowImageNew(3, ArrBankImage(1));
    for (int i = 0; i < 64; ++i) put(src, RowPos(ImgArrRows, i), 1);
    ClipBuf = src;
    std::string empty = ArrBankImage(0);
    putMid(empty, 33, std::string(64 * 164, '\0'));
    const std::string dest0 = WindowImageNew(19, empty);
    for (auto _ : state) {
        std::string dest = dest0;
        benchmark::DoNotOptimize(ClipPasteArr(dest, 0));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 64 * ArrBlkLen);
}
BENCHMARK(BM_ClipPasteArr64);

void BM_ArrRowTexts(benchmark::State& state) {
    const std::string img = WindowImageNew(19, ArrBankImage(0));
    for (auto _ : state)
        for (int i = 0; i < 64; ++i) benchmark::DoNotOptimize(ArrRowText(img, i));
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * 64);
}
BENCHMARK(BM_ArrRowTexts);

}  // namespace
