// What the user arrangement window reads of its image, without the window.
#include <gtest/gtest.h>

#include "app/ImageLayout.h"
#include "app/Names.h"
#include "app/state.h"
#include "files/FileFormats.h"
#include "library/ArrUView.h"
#include "librarytest.h"

namespace {

std::string imageWith(const std::vector<ArrEntry>& arrs, const std::string& sty = "") {
    std::string img = ArrUImageNew(arrFileOf(arrs), "/m/Song", 2, 0, false, 1);
    if (!sty.empty()) img += sty, put(img, ImgStyPart, ImgStyOwn);
    return img;
}

class ArrUViewTest : public ::testing::Test {
protected:
    void SetUp() override { NameTablesFill(); }
    void TearDown() override { resetAppState(); }
};

TEST_F(ArrUViewTest, StyleBoxTexts) {
    const std::string sty = styFileOf({"Zero", "One", "Two", "Three", "Four", "Five", "Six", "Seven", "Eight"});
    const struct { int style, kind; std::string text; } cases[] = {
        {0, 0, rtrim(StyRomNames[0]) + " (A11)"}, {64, 0, rtrim(StyRomNames[64]) + " (B11)"},
        {127, 2, rtrim(StyRomNames[127]) + " (B88)"},  // any kind but 1 is a factory style
        {200, 0, " (200)"}, {7, 1, "Seven (U18)"}, {8, 1, "Eight (U21)"}, {20, 1, " (U35)"}, {255, 1, " (U328)"}};
    for (const auto& c : cases)
        EXPECT_EQ(ArrStyleText(imageWith({{5, "A", c.style, c.kind}}, sty), 5), c.text) << c.style;

    // The box's list: factory styles once each in order of first use (a
    // nameless arrangement's not), then the file's own up to the first of size 0.
    const std::vector<ArrEntry> arrs = {{0, "A", 9}, {1, "B", 3, 1}, {2, "C", 70}, {3, "D", 9}, {4, "", 12},
                                        {6, "F", 200}, {7, "G", 70}};
    const std::vector<std::string> factory = {rtrim(StyRomNames[9]) + " (A22)", rtrim(StyRomNames[70]) + " (B17)",
                                              " (200)"};
    std::string own = styFileOf({"Alpha", "Beta", "Gamma"});
    put16lo(own, 25 + 4 * 1, 0);
    std::vector<std::string> all = factory;
    all.push_back("Alpha (U11)");
    std::string tmpl = imageWith(arrs) + StyTemplateImage();
    put(tmpl, ImgStyPart, ImgStyTemplate);
    EXPECT_EQ(std::tuple(ArrStyleEntries(imageWith(arrs)), ArrStyleEntries(imageWith(arrs, own)),
                         ArrStyleEntries(tmpl)),
              std::tuple(factory, all, factory));
}

TEST_F(ArrUViewTest, ProgramOriginAndEmptyRows) {
    // (pair k, first byte) with second byte 1: a user program for first bytes 64-127.
    const struct { std::vector<std::pair<int, int>> pairs; bool user; } cases[] = {
        {{}, false}, {{{1, 70}}, true}, {{{0, 64}}, true}, {{{7, 127}}, true},
        {{{3, 63}}, false}, {{{3, 128}}, false}, {{{2, 10}, {6, 100}}, true}};
    for (const auto& c : cases) EXPECT_EQ(ArrUsesUserProgram(imageWith({{9, "X", 0, 0, c.pairs}}), 9), c.user);
    std::string img = imageWith({{9, "X", 0, 0, {{1, 70}}}});
    put(img, ImgArrBlock(9) + 43, 2);
    EXPECT_FALSE(ArrUsesUserProgram(img, 9)) << "second byte 2";
    EXPECT_TRUE(ArrRowEmpty(std::string("11  \0Junk", 9)));
    EXPECT_FALSE(ArrRowEmpty("11 +" + std::string(16, ' ')));
}

TEST_F(ArrUViewTest, AutomaticSelectionTakesTheFirstPairOfTheName) {
    std::array<PrgSelAutoPair, PrgSelAutoPairs> tab{};
    tab[3] = {padRight("Ballad", 16), "12 Piano"};
    tab[5] = {padRight("Ballad", 16), "40 Strings"};
    tab[7] = {std::string("Rock", 4) + std::string(12, '\0'), " 7Guitar"};
    tab[1] = {std::string(16, ' '), std::string(20, ' ')};   // an emptied entry
    EXPECT_EQ(std::tuple(PrgSelAutoFind(tab, "21  " + padRight("Ballad", 16)),
                         PrgSelAutoFind(tab, "21 +" + padRight("Rock", 16)),
                         PrgSelAutoFind(tab, "21  " + padRight("Ballad2", 16)), PrgSelAutoFind(tab, "21"),
                         PrgSelAutoFind(tab, "21  " + std::string(16, ' ')),
                         PrgSelAutoNumOf(" 7Guitar"), PrgSelAutoNumOf("xx")),
              std::tuple(3, 7, -1, -1, -1, 7, 0));
}

}  // namespace
