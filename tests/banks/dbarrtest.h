#pragma once
// Database images built byte by byte, sharing no code with the program.
#include <string>
#include <utility>
#include <vector>

#include "platform/bytes.h"

inline std::string emptySlotBytes() { return std::string(1, '\0') + std::string(23, ' ') + std::string(2, '\0'); }

// "i40DBArr", 18 zero bytes, slot 2 empty, the entries from slot 3 (name
// blank-padded to 24, ID low, ID high), the other slots empty, each listed
// ID marked, the folder blank-padded to 250.
inline std::string dbOf(const std::string& folder, const std::vector<std::pair<std::string, int>>& entries) {
    std::string img = "i40DBArr" + std::string(18, '\0');
    img += emptySlotBytes();
    for (const auto& [name, id] : entries) {
        std::string n = name;
        n.resize(24, ' ');
        img += n + static_cast<char>(id & 0xFF) + static_cast<char>((id >> 8) & 0xFF);
    }
    for (std::size_t s = entries.size(); s < 997; ++s) img += emptySlotBytes();
    std::string used(997, '\0');
    for (const auto& e : entries)
        if (e.second >= 3 && e.second <= 999) used[static_cast<std::size_t>(e.second - 3)] = 1;
    img += used;
    std::string f = folder;
    f.resize(250, ' ');
    return img + f;
}
