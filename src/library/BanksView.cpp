#include "library/BanksView.h"

#include <algorithm>

#include "app/ImageLayout.h"
#include "app/state.h"
#include "files/FileFormats.h"
#include "library/ArrUView.h"
#include "platform/bytes.h"

namespace {
std::string romName(int s) {
    if (s < 0 || s >= static_cast<int>(StyRomNames.size())) return std::to_string(s);
    return padRight(StyRomNames[static_cast<std::size_t>(s)], 16);
}
int styleOf(const std::string& image, int i) { return at(image, ImgArrBlock(i) + ArrBlkStyle - 1); }
}  // namespace

std::vector<std::string> ArrBankStyleEntries(const std::string& image) {
    std::vector<int> seen;
    std::vector<std::string> out;
    for (int i = 0; i < 64; ++i) {
        if (!ArrExists(image, i)) continue;
        const int s = styleOf(image, i);
        if (s >= 128 || std::find(seen.begin(), seen.end(), s) != seen.end()) continue;
        seen.push_back(s);
        out.push_back(romName(s));
    }
    return out;
}

std::string ArrBankStyleText(const std::string& image, int i) { return romName(styleOf(image, i)); }

std::string ArrBankIdText(int kind, int i) { return " " + std::to_string(kind == 3 ? 2 : 1) + RowCode(i); }

std::string ArrBankLabelText(const std::string& row) {
    return row.size() > 4 ? rtrim(cutAtNul(row.substr(4))) : std::string();
}

int StyBankStyle(int kind, int i) { return i + (kind == 18 ? 64 : 0); }

std::string StyBankRow(int kind, int i) { return RowCode(i) + "  " + romName(StyBankStyle(kind, i)); }

std::string StyBankLabel(int kind, int i) {
    return std::string("Style (") + (kind == 18 ? "B" : "A") + std::to_string((i / 8 + 1) * 10 + i % 8 + 1) + ")";
}

