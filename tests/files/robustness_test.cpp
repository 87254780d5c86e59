// Readers and the i30 split fed truncated, extended and mutated versions of
// good files: never a crash, never an accepted file that fails its checks.
#include <functional>
#include <random>

#include "files/Readers.h"
#include "files/StyGroups.h"
#include "filestest.h"

namespace {

std::string mutate(const std::string& good, std::mt19937& rng) {
    std::string f = good;
    switch (rng() % 4) {
    case 0: f.resize(rng() % (good.size() + 1)); break;                        // truncated
    case 1: f.append(1 + rng() % 300, static_cast<char>(rng())); break;       // extended
    case 2:                                                                  // a few bytes changed
        for (int n = 1 + static_cast<int>(rng() % 4); n > 0 && !f.empty(); --n)
            f[rng() % std::min<std::size_t>(f.size(), rng() % 2 ? 300 : f.size())] = static_cast<char>(rng());
        break;
    default:                                                                 // garbage of any length
        f.assign(rng() % 700, '\0');
        for (char& c : f) c = static_cast<char>(rng());
    }
    return f;
}

}  // namespace

TEST_F(FilesTest, ReadersNeverAcceptADamagedFile) {
    struct R {
        std::function<int(const std::string&)> read;   // 0: accepted
        std::string good, *buf;
        std::function<bool(const std::string&)> valid;
    };
    const auto prgValid = [](const std::string& f) { return PrgFileType(f) != 0; };
    std::vector<R> readers = {
        {ArrFileRead, ArrBankImage(0), &ArrFileBuf, ArrFileCheck},
        {PrgFileRead, PrgTemplateImage(), &PrgFileBuf, prgValid},
        {[](const std::string& p) { int s = PrgOrPggRead(p); return s == 4 ? 0 : s; }, PrgTemplateImage(),
         &PrgFileBuf, prgValid},
        {GblFileRead, GblMagic() + std::string(440, '\0'), &GblFileData, GblFileCheck},
        {StyFileLoad, styFile({styItem("A", 100), styItem("B", 30)}), &StyFileBuf,
         [](const std::string& f) { return StyFileCheck(f); }},
        {BsqFileRead, BsqMagicBytes() + std::string(2500, '\0'), &BsqFileBuf, BsqFileCheck},
        {ArrI30Check, "KORG" + std::string(ArrI30Len - 4, '\0'), &ArrI30Buf, ArrI30FileCheck},
        {PrgI30Check, "KORG" + std::string(PrgI30Len - 4, '\0'), &PrgI30Buf, PrgI30FileCheck},
        // The database only at its exact length.
        {[](const std::string& p) { DBArrFile = p; return DBArrLoad(); }, DBArrSignature() + std::string(DBArrLen - 8, '\0'),
         &DBArrImage, [](const std::string& f) { return DBArrCheck(f) && static_cast<long>(f.size()) == DBArrLen; }},
    };
    std::mt19937 rng(20240611);
    const std::string path = startFile("fuzz");
    for (auto& r : readers) {
        for (int n = 0; n < 400; ++n) {
            std::string f = mutate(r.good, rng);
            writeFileBytes(path, f);
            r.buf->clear();
            for (int i = 0; i < 2; ++i) dialogs.answer(vbOK);
            int s = r.read(path);
            dialogs.answers.clear();
            EXPECT_TRUE(s != 0 || r.valid(f)) << "accepted a file that fails its checks";
            EXPECT_EQ(*r.buf, s == 0 ? f : "");
        }
    }
}

TEST_F(FilesTest, StyleHelpersAndSplitStayInsideTheirBuffers) {
    std::mt19937 rng(77);
    std::string i30(224, '\0');
    putMid(i30, 1, StyI30Magic());
    for (int k = 0; k < 3; ++k) put16lo(i30, 25 + 64 * k + 4, 500 + 100 * k);
    i30 += std::string(500 + 600 + 700, 'd');
    const std::string native = styFile({styItem("A", 100), styItem("B", 2000), styItem("C", 5)});
    for (int n = 0; n < 3000; ++n) {
        std::string f = mutate(i30, rng);
        std::array<StyI30Group, 3> out;
        int count = 0;
        const bool split = StyI30Split(f, out, count);
        EXPECT_TRUE(split || count == 0);
        if (split) {
            long need = 224;
            for (int k = 0; k < 3; ++k)
                for (int j = 0; j < 16; ++j) need += get16lo(f, 25 + 64 * k + 4 * j);
            EXPECT_LE(need, static_cast<long>(f.size()));
            for (int i = 0; i < count; ++i) EXPECT_TRUE(StyFileCheck(out[static_cast<std::size_t>(i)].image));
        }
        std::string b = mutate(native, rng);
        for (int k = -1; k <= 16; ++k) {
            EXPECT_LE(StyBlkName(k, b).size(), 16u);
            EXPECT_LE(StyItemBytes(k, b).size(), b.size());
        }
        const int c = StyGrpCount(arrImage(ArrBankImage(0), "x", b));
        EXPECT_TRUE(c >= 0 && c <= 4) << c;
        if (StyFileCheck(b)) {
            std::string edited = b;
            if (StyItemPut(edited, StyFirstFree(edited), styItem("New", rng() % 5000)) == StyEditOk) {
                EXPECT_TRUE(StyFileCheck(edited));
            }
            StyItemRemove(edited, static_cast<int>(rng() % 16));
            EXPECT_TRUE(StyFileCheck(edited));
        }
    }
}
