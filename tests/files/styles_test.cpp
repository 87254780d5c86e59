// Style blocks: names, group counts, insertion and removal, the i30 split.
#include <array>

#include "files/StyGroups.h"
#include "filestest.h"

TEST_F(FilesTest, StyleNamesAndGroupCount) {
    std::string part = styFile({styItem("A", 10), styItem("- empty -", 10), styItem("C", 10)});
    EXPECT_EQ(StyBlkName(2, part) + "|" + StyBlkName(3, part), "C|") << "an item of size 0 has no name";

    struct { std::string image; int count; } table[] = {
        {arrImage(ArrBankImage(0), "x"), 0},                                // no style part, ends at 42622
        {arrImage(ArrBankImage(0), "x", StyTemplateImage()), 0},            // placeholders only
        {arrImage(ArrBankImage(0), "x", part), 1},
        {arrImage(ArrBankImage(0), "x", styFile({styItem("- empty -", 5), {}, {}, {}, {}, styItem("E", 5)})), 2},
        {styImage(StyTemplateImage(), "s"), 4},                             // style windows count four
    };
    for (auto& t : table) EXPECT_EQ(StyGrpCount(t.image), t.count);
    EXPECT_EQ(StyItemName(0, arrImage(ArrBankImage(0), "x")), "-empty-");
    // A style part whose table points past the image's end reads nothing beyond it.
    std::string cut = arrImage(ArrBankImage(0), "x", part.substr(0, 230));
    EXPECT_EQ(std::tuple(StyItemName(2, cut), StyGrpCount(cut)), std::tuple("", 1));
}

TEST_F(FilesTest, InsertionKeepsNumbersAndHonoursTheLimits) {
    std::string part = StyTemplateImage();
    EXPECT_EQ(StyItemPut(part, 1, styItem("New", 3000)), StyEditOk);
    EXPECT_EQ(std::tuple(StyBlkName(2, part), StyItemBytes(1, part), static_cast<long>(part.size())),
              std::tuple("- empty -", styItem("New", 3000), StyTemplateLen - StyEmptyItemLen + 3016));
    EXPECT_EQ(StyItemPut(part, 1, styItem("Again", 10)), StyEditNoRoom) << "item 1 is taken";

    // A group of four reaching 65496 bytes is refused, one byte less is fine.
    std::string big = StyTemplateImage();
    long room = StyGroupLimit - 1 - 3 * StyEmptyItemLen;
    std::string tooBig = styItem("Big", room - 16 + 1);
    EXPECT_EQ(StyItemPut(big, 0, tooBig), StyEditGroupFull);
    EXPECT_EQ(big, StyTemplateImage());
    EXPECT_EQ(StyItemPut(big, 0, styItem("Big", room - 16)), StyEditOk);

    std::string full = styFile(std::vector<std::string>(16, styItem("S", 1)));
    const int before = StyFirstFree(full);
    StyItemRemove(full, 5);
    EXPECT_EQ(std::tuple(before, StyFirstFree(full), StyBlkName(5, full) + StyBlkName(6, full)),
              std::tuple(-1, 5, "- empty -S"));
}

TEST_F(FilesTest, RemovingTheLastStyleOfAGroupShrinksIt) {
    const std::string ph = styItem("- empty -", 1160, '\0');
    std::string part = styFile({ph, ph, ph, ph, styItem("Only", 50)});
    StyItemRemove(part, 4);
    for (int k = 4; k < 8; ++k) EXPECT_EQ(StyBlkSize(k, part), 0u);
    EXPECT_EQ(part, StyTemplateImage());
    StyItemRemove(part, 0);
    EXPECT_EQ(part, StyTemplateImage()) << "the first group keeps the template's placeholders";
}

namespace {
// An i30 style file with three tables and the given group lengths (one item each).
std::string i30File(std::array<long, 3> lens) {
    std::string f(224, '\0');
    putMid(f, 1, StyI30Magic());
    put(f, 23, 0xAB);
    for (int k = 0; k < 3; ++k) {
        put16lo(f, 25 + 64L * k, lens[static_cast<std::size_t>(k)]);
        put(f, 27 + 64L * k, 0x10 + k);   // third byte: must come from table 0
    }
    for (int k = 0; k < 3; ++k)
        for (long i = 0; i < lens[static_cast<std::size_t>(k)]; ++i) f += static_cast<char>('a' + k + (i % 7));
    return f;
}
}  // namespace

TEST_F(FilesTest, I30StyleSplit) {
    std::array<StyI30Group, 3> out;
    int n = 0;
    std::string f = i30File({100, 40000, 20});
    ASSERT_TRUE(StyI30Split(f, out, n));
    ASSERT_EQ(n, 3);
    for (int g = 0; g < 3; ++g) {
        const std::string& img = out[static_cast<std::size_t>(g)].image;
        EXPECT_EQ(std::tuple(mid(img, 1, 8), mid(img, 17, 7), at(img, 27), mid(img, 87, 138)),
                  std::tuple(StyMagic(), bytesOf({0xE0, 0, 0, 0, 0, 0x30, 0xAB}), 0x10, std::string(138, '\0')))
            << "the third size byte from table 0";
        EXPECT_TRUE(StyFileCheck(img));
    }
    EXPECT_EQ(get16lo(out[1].image, 25), 40000u) << "size from its own table";
    EXPECT_EQ(mid(out[1].image, 225), f.substr(224 + 100, 40000)) << "group data spanning 32200-byte records";
    EXPECT_EQ(mid(out[2].image, 225), f.substr(224 + 100 + 40000, 20));

    ASSERT_TRUE(StyI30Split(i30File({100, 0, 20}), out, n));
    EXPECT_EQ(std::tuple(n, out[1].group), std::tuple(2, 2)) << "an empty table gives no group";
    EXPECT_TRUE(StyI30Split(i30File({0, 0, 0}), out, n) && n == 0);
    EXPECT_FALSE(StyI30Split(f.substr(0, f.size() - 1), out, n) || n || StyI30Split(f.substr(0, 100), out, n));
}

TEST_F(FilesTest, StyleListRows) {
    std::string part = StyTemplateImage();
    StyItemPut(part, 5, styItem("Waltz", 84));
    StyListView v = StyListOf(part);
    EXPECT_EQ(v.rows[0] + "|" + v.rows[4] + "|" + v.rows[6] + "|" + v.rows[18], "11  - empty -| |16  Waltz|28  ");
    EXPECT_EQ(v.itemSizes[5] + v.groupSizes[1] + v.groupSizes[2], " 100  100  0 ");
    EXPECT_TRUE(v.groupSendable[1] && !v.groupSendable[2]);
    EXPECT_EQ(v.total, std::to_string(part.size()));
    EXPECT_EQ(std::tuple(StyRowItem(4), StyRowItem(18), StyItemRow(15)), std::tuple(-1, 15, 18));
}
