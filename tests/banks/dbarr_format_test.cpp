// The database image: insertion, removal, lookups and checks over the whole
// 27,221-byte record, against images built byte by byte here.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>

#include "banks/DBArrFormat.h"
#include "banks/frmFindID.h"
#include "dbarrtest.h"

TEST(DBArrImage, InsertAndRemoveKeepTheLayout) {
    std::string img = dbOf("F", {{"Alpha", 3}, {"Gamma", 4}});
    auto r = DBArrInsert(img, "beta");
    EXPECT_EQ(std::tuple(r.id, r.inserted), std::tuple(5, true));
    EXPECT_EQ(img, dbOf("F", {{"Alpha", 3}, {"beta", 5}, {"Gamma", 4}}));
    DBArrRemove(img, 3);
    r = DBArrInsert(img, "Delta");
    EXPECT_EQ(r.id, 3);
    EXPECT_EQ(img, dbOf("F", {{"beta", 5}, {"Delta", 3}, {"Gamma", 4}}));
    const std::string same = img;
    r = DBArrInsert(img, "GAMMA");
    EXPECT_EQ(std::tuple(r.id, r.inserted), std::tuple(4, false));
    EXPECT_EQ(img, same);
    EXPECT_EQ(DBArrNew("F"), dbOf("F", {}));

    // An ID above 255 is stored low byte first.
    std::vector<std::pair<std::string, int>> many;
    for (int i = 0; i < 297; ++i) many.push_back({"n" + std::to_string(1000 + i), 3 + i});
    img = dbOf("F", many);
    EXPECT_EQ(DBArrInsert(img, "zz").id, 300);
    EXPECT_EQ(mid(img, dbarr::SlotPos(300) + 24, 2), bytesOf({0x2C, 0x01}));

    // Full: nothing changes; a removed ID is given again.
    many.clear();
    for (int i = 0; i < 997; ++i) many.push_back({"n" + std::to_string(1000 + i), 3 + i});
    img = dbOf("F", many);
    EXPECT_EQ(DBArrInsert(img, "extra").id, 0);
    EXPECT_EQ(img, dbOf("F", many));
    DBArrRemove(img, DBArrFindID(img, 500));
    EXPECT_EQ(DBArrInsert(img, "extra").id, 500);
    EXPECT_TRUE(DBArrSound(img));
}

TEST(DBArrImage, ReadingToleratesWhatChangingRefuses) {
    const std::string good = dbOf("F", {{"Bank", 12}, {"Song", 3}});
    std::string afterGap = good;
    putMid(afterGap, dbarr::SlotPos(6), padRight("Late", 24) + bytesOf({7, 0}));
    std::string badId = dbOf("F", {{"Bank", 1000}});
    std::string idOne = dbOf("F", {{"Bank", 1}});
    std::string unmarked = good;
    put(unmarked, dbarr::IdUsedPos(12), 0);
    std::string extraMark = good;
    put(extraMark, dbarr::IdUsedPos(40), 1);
    const struct {
        const char* what;
        std::string img;
        bool usable, sound;
        int bank, late;
    } cases[] = {
        {"good", good, true, true, 3, 0},
        {"entry after an empty slot", afterGap, true, true, 3, 0},
        {"ID 1000", badId, true, false, 0, 0},
        {"ID 1", idOne, true, false, 0, 0},
        {"ID not marked", unmarked, true, false, 3, 0},
        {"free ID marked", extraMark, true, false, 3, 0},
        {"one byte short", good.substr(1), false, false, 0, 0},
        {"one byte long", good + '\0', false, false, 3, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(DBArrUsable(c.img), c.usable);
        EXPECT_EQ(DBArrSound(c.img), c.sound);
        EXPECT_EQ(DBArrFindName(c.img, "BANK"), c.bank);
        EXPECT_EQ(DBArrFindName(c.img, "late"), c.late);
    }
    EXPECT_EQ(DBArrRows(good), (std::vector<std::string>{"1\tArrA", "2\tArrB", "12\tBank.arr", "3\tSong.arr"}));
    EXPECT_EQ(std::tuple(DBArrFindID(good, 3), DBArrFindID(good, 12), DBArrFindID(good, 0), DBArrFindID(good, 4)),
              std::tuple(4, 3, 0, 0));
    EXPECT_EQ(DBArrFolderOf(good), "F");
    EXPECT_FALSE(DBArrNameFits(std::string(25, 'a')) || DBArrNameFits("Song ") || DBArrNameFits(""));
    EXPECT_TRUE(DBArrNameFits(std::string(24, 'a')));
}

// Random insertions and removals against a model: the invariants of the
// format hold after every step.
TEST(DBArrImage, RandomChangesKeepEveryInvariant) {
    std::mt19937 rng(4711);
    std::string img = DBArrNew("/songs");
    std::map<std::string, std::pair<std::string, int>> model;   // key -> stored name, ID
    const auto key = [](std::string s) {
        for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return s;
    };
    for (int step = 0; step < 5000; ++step) {
        if (rng() % 3 != 0 || model.empty()) {
            // Few distinct names, in any case: collisions, both ends, refills.
            std::string n = "s" + std::to_string(rng() % 1200);
            if (rng() % 4 == 0) n = "A" + n;
            if (rng() % 4 == 0) n = "~" + n;
            if (rng() % 2) n = key(n);
            const auto r = DBArrInsert(img, n);
            auto it = model.find(key(n));
            if (it != model.end()) {
                EXPECT_EQ(std::tuple(r.id, r.inserted), std::tuple(it->second.second, false));
            } else if (model.size() == 997) {
                EXPECT_EQ(r.id, 0);
            } else {
                int lowest = 3;
                std::set<int> used;
                for (auto& [k, v] : model) used.insert(v.second);
                while (used.count(lowest)) ++lowest;
                EXPECT_EQ(r.id, lowest);
                model[key(n)] = {n, r.id};
            }
        } else {
            auto it = model.begin();
            std::advance(it, rng() % model.size());
            const int slot = DBArrFindID(img, it->second.second);
            ASSERT_GT(slot, 0);
            DBArrRemove(img, slot);
            model.erase(it);
        }
        ASSERT_TRUE(DBArrSound(img)) << step;
        ASSERT_EQ(DBArrCount(img), static_cast<int>(model.size()));
        int s = dbarr::FirstSlot;
        for (auto& [k, v] : model) {
            ASSERT_EQ(DBArrSlotName(img, s), v.first);
            ASSERT_EQ(DBArrSlotID(img, s), v.second);
            ++s;
        }
        for (; s <= dbarr::LastSlot; ++s) ASSERT_EQ(mid(img, dbarr::SlotPos(s), 26), emptySlotBytes()) << s;
    }
}

TEST(FindID, TypedNumbersDecode) {
    const struct {
        const char* typed;
        bool ok;
        int file, pos;
    } cases[] = {
        {"111", true, 1, 0},  {"288", true, 2, 63}, {"12345", true, 123, 28}, {"0011", true, 0, 0},
        {"1190", false, 0, 0}, {"1109", false, 0, 0}, {"1191", false, 0, 0}, {"1101", false, 0, 0},
        {"12", false, 0, 0},   {"1a1", false, 0, 0},  {"", false, 0, 0},       {" 123", false, 0, 0},
    };
    for (const auto& c : cases) {
        const FindIDTarget t = FindIDDecode(c.typed);
        EXPECT_EQ(std::tuple(t.ok, t.ok ? t.file : 0, t.ok ? t.pos : 0), std::tuple(c.ok, c.file, c.pos)) << c.typed;
    }
}
