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
        std::function<int(const std::string&)> read;
        std::string good;
        std::string* buf;
        std::function<bool(const std::string&)> valid;
    };
    std::vector<R> readers = {
        {ArrFileRead, ArrBankImage(0), &ArrFileBuf, ArrFileCheck},
        {PrgFileRead, PrgTemplateImage(), &PrgFileBuf, [](const std::string& f) { return PrgFileType(f) != 0; }},
        {GblFileRead, GblMagic() + std::string(440, '\0'), &GblFileData, GblFileCheck},
        {StyFileLoad, styFile({styItem("A", 100), styItem("B", 30)}), &StyFileBuf,
         [](const std::string& f) { return StyFileCheck(f); }},
        {BsqFileRead, BsqMagicBytes() + std::string(2500, '\0'), &BsqFileBuf, BsqFileCheck},
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
            if (s == 0) {
                EXPECT_TRUE(r.valid(f)) << "accepted a file that fails its checks";
                EXPECT_EQ(*r.buf, f);
            } else {
                EXPECT_TRUE(r.buf->empty());
            }
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
        if (StyI30Split(f, out, count)) {
            long need = 224;
            for (int k = 0; k < 3; ++k)
                for (int j = 0; j < 16; ++j) need += get16lo(f, 25 + 64 * k + 4 * j);
            EXPECT_LE(need, static_cast<long>(f.size()));
            for (int i = 0; i < count; ++i) EXPECT_TRUE(StyFileCheck(out[static_cast<std::size_t>(i)].image));
        } else {
            EXPECT_EQ(count, 0);
        }
        std::string b = mutate(native, rng);
        for (int k = -1; k <= 16; ++k) {
            std::string name = StyBlkName(k, b);
            EXPECT_LE(name.size(), 16u);
            std::string item = StyItemBytes(k, b);
            EXPECT_LE(item.size(), b.size());
        }
        for (int g = 0; g < 4; ++g) EXPECT_LE(StyGrpData(g, b).size(), b.size());
        std::string img = arrImage(ArrBankImage(0), "x", b);
        int c = StyGrpCount(img);
        EXPECT_GE(c, 0);
        EXPECT_LE(c, 4);
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
