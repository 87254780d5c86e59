#include "app/Names.h"

#include <cstdio>
#include <string_view>
#include <vector>

#include "app/ImageLayout.h"
#include "app/state.h"
#include "platform/Files.h"
#include "platform/bytes.h"

extern const std::string_view kPrgRomNamesList;
extern const std::string_view kStyRomNamesList;
extern const std::string_view kDrumKitNamesList;
extern const std::string_view kMultisampleNamesList;

namespace {

std::vector<std::string> lines(std::string_view text) {
    std::vector<std::string> v;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string l(text.substr(start, end - start));
        if (!l.empty() && l.back() == '\r') l.pop_back();
        v.push_back(l);
        start = end + 1;
    }
    return v;
}

std::string name16(const std::vector<std::string>& list, std::size_t i, const std::string& fallback) {
    return padRight(i < list.size() ? list[i] : fallback, 16);
}

std::string posCode(int i) { return std::to_string(i / 8 + 1) + std::to_string(i % 8 + 1); }

}  // namespace

void NameTablesFill() {
    auto prg = lines(kPrgRomNamesList);
    const char banks[] = "ABCDE";
    for (int b = 0; b < 5; ++b) {
        std::string s;
        for (int j = 0; j < 64; ++j)
            s += name16(prg, static_cast<std::size_t>(b * 64 + j), std::string("Program ") + banks[b] + posCode(j));
        PrgRomNames[static_cast<std::size_t>(b)] = s;
    }
    auto kits = lines(kDrumKitNamesList);
    DrumKitNames.clear();
    for (int j = 0; j < 16; ++j) DrumKitNames += name16(kits, static_cast<std::size_t>(j), "Kit " + posCode(j));
    auto sty = lines(kStyRomNamesList);
    for (int j = 0; j < 128; ++j)
        StyRomNames[static_cast<std::size_t>(j)] =
            name16(sty, static_cast<std::size_t>(j), std::string("Style ") + (j < 64 ? 'A' : 'B') + posCode(j % 64));
}

std::string MultisampleScramble(const std::string& bytes) {
    std::string out = bytes;
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<char>(static_cast<unsigned char>(out[i]) ^ ((0xA5u + 31u * i) & 0xFFu));
    return out;
}

std::string MultisampleFileImage(const std::array<std::string, 519>& names) {
    std::string plain;
    plain.reserve(MultisampleFileLen);
    for (const auto& n : names) plain += padRight(n, MultisampleEntryLen);
    return MultisampleScramble(plain);
}

std::array<std::string, 519> MultisampleDefaultNames() {
    auto list = lines(kMultisampleNamesList);
    std::array<std::string, 519> a;
    for (int k = 0; k < MultisampleCount; ++k) {
        char num[12];
        std::snprintf(num, sizeof num, "%03d", k);
        auto i = static_cast<std::size_t>(k);
        a[i] = padRight(num + (i < list.size() ? list[i] : std::string("Multisample")), MultisampleEntryLen);
    }
    return a;
}

bool MultisampleNamesParse(const std::string& image, std::array<std::string, 519>& out) {
    if (image.size() < static_cast<std::size_t>(MultisampleFileLen)) {
        out = MultisampleDefaultNames();
        return false;
    }
    std::string plain = MultisampleScramble(image.substr(0, MultisampleFileLen));
    for (int k = 0; k < MultisampleCount; ++k)
        out[static_cast<std::size_t>(k)] = plain.substr(static_cast<std::size_t>(k * MultisampleEntryLen), MultisampleEntryLen);
    return true;
}

void MultisampleNamesLoad() {
    std::string img;
    if (MultisampleFile.empty() || ReadWholeFile(MultisampleFile, img) != FileError::None) img.clear();
    MultisampleNamesParse(img, MultisampleNames);
}

std::string NoteName(int note) {
    static const char* const names[12] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
    if (note < 0) note = 0;
    return std::string(names[note % 12]) + std::to_string(note / 12 - 1);
}

std::string ArrNumName(int n) {
    n &= 127;
    return std::string(n < 64 ? "A" : "B") + posCode(n % 64);
}

std::string PrgNameOfTrack(const std::string& image, int i, int t) {
    if (i < 0 || i > 63 || t < 0 || t > 8) return {};
    long base = ImgArrBlock(i) - 1;          // position of record byte 0, less one
    int n = at(image, base + 40 + 8 * t);
    int kind = at(image, base + 41 + 8 * t);
    auto romName = [](int bank, int idx) {
        if (bank < 0 || bank > 4 || idx < 0 || idx > 63) return std::string();
        return rtrim(mid(PrgRomNames[static_cast<std::size_t>(bank)], 16 * idx + 1, 16));
    };
    int m = n > 63 ? n - 64 : n;
    std::string num = posCode(m);
    switch (kind) {
    case 0: return std::string(n < 64 ? "A" : "B") + num + " " + romName(n < 64 ? 0 : 1, m);
    case 1: return std::string(n < 64 ? "C" : "D") + num + " " + romName(n < 64 ? 2 : 3, m);
    case 2: return "E" + num + " " + romName(4, m);
    case 3: return "F" + num + " User";
    case 4:
        if (n > 15) return "Dr" + posCode(n);
        return "Dr" + posCode(n) + " " + rtrim(mid(DrumKitNames, 16 * n + 1, 16));
    default: return {};
    }
}
