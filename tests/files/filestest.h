#pragma once
// Fixture and image builders shared by the file tests.
#include "app/Messages.h"
#include "app/state.h"
#include "files/FileFormats.h"
#include "files/state.h"
#include "platform/bytes.h"
#include "testenv.h"

class FilesTest : public VelmoraTest {
protected:
    void SetUp() override {
        VelmoraTest::SetUp();
        LangBase = 200;
        PrgBankFile = startFile("i40Prg");
        StyGrpFile = startFile("i40Sty");
        DBArrFile = sysFile("i40DBArr");
    }
};

// A window image: the 20 header bytes (char 1 = kind, `mark` set to 2), the path and `body`.
inline std::string imageOf(int kind, const std::string& path, const std::string& body, long mark = 0) {
    std::string img = std::string(20, '\0') + padRight(path, 250) + body;
    put(img, 1, static_cast<unsigned>(kind));
    if (mark) put(img, mark, 2);
    return img;
}

// Kind 19/20: file, row table, companion program area and, when `style` is
// given, the style part (char 9 = 2).
inline std::string arrImage(const std::string& file, const std::string& path, const std::string& style = "",
                            int kind = 19) {
    std::string img = imageOf(kind, path, file + std::string(1344 + 30480, ' ') + style, 3);
    if (!style.empty()) put(img, 9, 2);
    return img;
}

inline std::string prgImage(const std::string& file, const std::string& path, int kind = 21) {
    return imageOf(kind, path, file + std::string(1344, '\0'), 6);
}

inline std::string styImage(const std::string& file, const std::string& path, int kind = 23) {
    return imageOf(kind, path, std::string(399, '\0') + file);
}

// A style item: 16-character name and `dataLen` bytes of data.
inline std::string styItem(const std::string& name, long dataLen, char fill = 'x') {
    return padRight(name, 16) + std::string(static_cast<std::size_t>(dataLen), fill);
}

// A native style file holding the given items in items 0.. in order.
inline std::string styFile(const std::vector<std::string>& items) {
    std::string f = StyNativeHeader();
    for (std::size_t k = 0; k < items.size(); ++k) put16lo(f, 25 + 4L * static_cast<long>(k), items[k].size());
    for (auto& it : items) f += it;
    return f;
}

// Marks rows of an image's row table (base, rows given).
inline void markRows(std::string& img, long base, std::initializer_list<int> rows) {
    for (int r : rows) put(img, base + 21L * r, 1);
}
