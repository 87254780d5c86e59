// The database image: insertion and removal against images built byte by
// byte, and a long random run checked against a model at every step.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>

#include "banks/DBArrFormat.h"
#include "dbarrtest.h"

namespace {
std::vector<std::pair<std::string, int>> numbered(int n) {
    std::vector<std::pair<std::string, int>> v;
    for (int i = 0; i < n; ++i) v.push_back({"n" + std::to_string(1000 + i), 3 + i});
    return v;
}
}  // namespace

TEST(DBArrImage, InsertAndRemoveKeepTheLayout) {
    std::string img = dbOf("F", {{"Alpha", 3}, {"Gamma", 4}});
    EXPECT_EQ(DBArrInsert(img, "beta").id, 5);
    EXPECT_EQ(img, dbOf("F", {{"Alpha", 3}, {"beta", 5}, {"Gamma", 4}}));
    DBArrRemove(img, 3);
    EXPECT_EQ(DBArrInsert(img, "Delta").id, 3);
    const std::string three = dbOf("F", {{"beta", 5}, {"Delta", 3}, {"Gamma", 4}});
    EXPECT_EQ(img, three);
    EXPECT_FALSE(DBArrInsert(img, "GAMMA").inserted);
    EXPECT_EQ(img, three);
    EXPECT_EQ(DBArrNew("F"), dbOf("F", {}));

    img = dbOf("F", numbered(297));
    EXPECT_EQ(DBArrInsert(img, "zz").id, 300);
    EXPECT_EQ(mid(img, dbarr::SlotPos(300) + 24, 2), bytesOf({0x2C, 0x01})) << "low byte first";
    // Full: nothing changes; a freed ID is given again.
    img = dbOf("F", numbered(997));
    EXPECT_EQ(DBArrInsert(img, "extra").id, 0);
    EXPECT_EQ(img, dbOf("F", numbered(997)));
    DBArrRemove(img, DBArrFindID(img, 500));
    EXPECT_EQ(DBArrInsert(img, "extra").id, 500);
    EXPECT_TRUE(DBArrSound(img));
    put(img, dbarr::IdUsedPos(40), 0);
    EXPECT_FALSE(DBArrSound(img)) << "an ID the table does not mark";
}

TEST(DBArrImage, RandomChangesKeepEveryInvariant) {
    std::mt19937 rng(4711);
    std::string img = DBArrNew("/songs");
    std::map<std::string, std::pair<std::string, int>> model;   // key -> stored name, ID
    const auto upper = [](std::string s) {
        for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return s;
    };
    for (int step = 0; step < 5000; ++step) {
        if (rng() % 3 != 0 || model.empty()) {
            // Few names in any case: collisions, both ends of the list, refills.
            std::string n = std::string(rng() % 4 ? "" : "A") + (rng() % 4 ? "" : "~") + "s";
            n += std::to_string(rng() % 1200);
            if (rng() % 2) n = upper(n);
            const auto r = DBArrInsert(img, n);
            std::set<int> used;
            for (auto& [k, v] : model) used.insert(v.second);
            int lowest = 3;
            while (used.count(lowest)) ++lowest;
            auto it = model.find(upper(n));
            const int want = it != model.end() ? it->second.second : model.size() == 997 ? 0 : lowest;
            ASSERT_EQ(r.id, want) << step;
            if (it == model.end() && want) model[upper(n)] = {n, r.id};
        } else {
            auto it = std::next(model.begin(), static_cast<long>(rng() % model.size()));
            DBArrRemove(img, DBArrFindID(img, it->second.second));
            model.erase(it);
        }
        ASSERT_TRUE(DBArrSound(img)) << step;
        int s = dbarr::FirstSlot;
        for (auto& [k, v] : model) {
            ASSERT_EQ(std::tuple(DBArrSlotName(img, s), DBArrSlotID(img, s)), std::tuple(v.first, v.second));
            ++s;
        }
        for (; s <= dbarr::LastSlot; ++s) ASSERT_EQ(mid(img, dbarr::SlotPos(s), 26), emptySlotBytes()) << s;
    }
}
