#include "library/ArrUView.h"

#include "app/Names.h"
#include "app/state.h"
#include "files/FileFormats.h"
#include "files/StyGroups.h"
#include "files/WindowImage.h"
#include "platform/bytes.h"

namespace {
long blockField(int i, long field) { return ImgArrBlock(i) + field - 1; }
}  // namespace

std::string ArrUImageNew(const std::string& file, const std::string& path, int slot, int rdOnly, bool importing,
                         int openState) {
    std::string img = WindowImageNew(19, file);
    ImgSet(img, ImgRdOnly, static_cast<unsigned>(rdOnly));
    ImgSet(img, ImgConst, ImgConstValue);
    ImgSet(img, ImgChanged, importing ? 1 : 0);
    ImgSet(img, ImgSaveAs, importing ? ImgSaveAsArrImport : 0);
    ImgSet(img, ImgSlot, static_cast<unsigned>(slot));
    ImgSet(img, ImgOpenState, static_cast<unsigned>(openState));
    ImgTitleSet(img, path);
    return img;
}

bool ArrRowEmpty(const std::string& row) { return rtrim(cutAtNul(row)).size() <= 2; }

bool ArrExists(const std::string& image, int i) { return at(image, blockField(i, ArrBlkName)) != 0; }

bool ArrUsesOwnStyle(const std::string& image, int i) { return at(image, blockField(i, ArrBlkStyKind)) == 1; }

bool ArrUsesUserProgram(const std::string& image, int i) {
    for (int k = 0; k < ArrBlkPrgPairs; ++k) {
        const long p = blockField(i, ArrBlkPrgPair0 + 8L * k);
        const unsigned first = at(image, p), second = at(image, p + 1);
        if (first >= 64 && first <= 127 && second == 1) return true;
    }
    return false;
}

std::string UserStyleCode(int u) { return std::to_string(10 * (u / 8 + 1) + u % 8 + 1); }

std::string FactoryStyleText(int s) {
    if (s < 0 || s >= static_cast<int>(StyRomNames.size())) return " (" + std::to_string(s) + ")";
    return rtrim(cutAtNul(StyRomNames[static_cast<std::size_t>(s)])) + " (" + ArrNumName(s) + ")";
}

std::string UserStyleText(int u, const std::string& image) {
    const std::string name = u >= 0 && u < 16 ? StyItemName(u, image) : std::string();
    return name + " (U" + UserStyleCode(u) + ")";
}

std::string ArrStyleText(const std::string& image, int i) {
    const int s = at(image, blockField(i, ArrBlkStyle));
    return ArrUsesOwnStyle(image, i) ? UserStyleText(s, image) : FactoryStyleText(s);
}

std::vector<std::string> ArrStyleEntries(const std::string& image) {
    std::vector<std::string> out;
    std::array<bool, 256> listed{};
    for (int i = 0; i < 64; ++i) {
        if (!ArrExists(image, i) || ArrUsesOwnStyle(image, i)) continue;
        const int s = at(image, blockField(i, ArrBlkStyle));
        if (listed[static_cast<std::size_t>(s)]) continue;
        listed[static_cast<std::size_t>(s)] = true;
        out.push_back(FactoryStyleText(s));
    }
    if (at(image, ImgStyPart) == ImgStyOwn) {
        const std::string part = StyPartOf(image);
        for (int k = 0; k < 16 && StyBlkSize(k, part) != 0; ++k)
            out.push_back(StyBlkName(k, part) + " (U" + UserStyleCode(k) + ")");
    }
    return out;
}

int PrgSelAutoFind(const std::array<PrgSelAutoPair, PrgSelAutoPairs>& table, const std::string& row) {
    // Names compare without their padding: blanks from a paste, zero bytes
    // from a file. A blank name never matches (an emptied entry holds blanks).
    auto bare = [](const std::string& s) {
        std::size_t n = s.size();
        while (n > 0 && (s[n - 1] == ' ' || s[n - 1] == '\0')) --n;
        return s.substr(0, n);
    };
    const std::string name = bare(row.size() > 4 ? row.substr(4) : std::string());
    if (name.empty()) return -1;
    for (int k = 0; k < PrgSelAutoPairs; ++k)
        if (bare(table[static_cast<std::size_t>(k)].arrName) == name) return k;
    return -1;
}

int PrgSelAutoNumOf(const std::string& prgText) {
    const std::string two = ltrim(prgText.substr(0, 2));
    int n = 0;
    for (char c : two) {
        if (c < '0' || c > '9') break;
        n = n * 10 + (c - '0');
    }
    return n;
}
