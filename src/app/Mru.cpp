#include "app/Mru.h"

#include "app/ImageLayout.h"
#include "app/Links.h"
#include "app/Tables.h"
#include "app/state.h"
#include "platform/Paths.h"
#include "platform/bytes.h"

namespace {

int windowKindOf(int mruKind) {
    switch (mruKind) {
    case 1: return 19;
    case 2: return 23;
    case 3: case 4: return 21;
    case 5: return 25;
    case 6: return 26;
    default: return 0;
    }
}

int mruKindOfImage(const std::string& img) {
    switch (WinKind(img)) {
    case 19: case 20: return 1;
    case 23: case 24: return 2;
    case 21: case 22: case 31: return at(img, ImgPrgType) == 0 ? 3 : 4;
    case 25: return 5;
    case 26: return 6;
    default: return 0;
    }
}

}  // namespace

int MruKindOfExt(const std::string& ext) {
    const std::string e = AsciiLower(ext);
    if (e == "arr") return 1;
    if (e == "sty") return 2;
    if (e == "prg") return 3;
    if (e == "pgg") return 4;
    if (e == "gbl") return 5;
    if (e == "bsq") return 6;
    return 0;
}

std::string MruExtOfKind(int kind) {
    static const char* const ext[7] = {"", "arr", "sty", "prg", "pgg", "gbl", "bsq"};
    return kind >= 1 && kind <= 6 ? ext[kind] : "";
}

void MruAdd(const std::string& pathWithExt, int readOnly) {
    std::string p = rtrim(pathWithExt);
    auto dot = p.rfind('.');
    auto slash = p.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return;
    const int kind = MruKindOfExt(p.substr(dot + 1));
    if (kind == 0) return;
    p.resize(dot);
    for (int i = 1; i <= 8; ++i) {
        MruRec& m = MruTable[static_cast<std::size_t>(i)];
        if (!MruEmpty(m.Kind) && m.Kind == kind && SamePath(m.Path, p)) {
            // Listed already: it keeps its place and takes the latest
            // read-only choice.
            m.RdOnly = static_cast<uint8_t>(readOnly ? 1 : 0);
            return;
        }
    }
    MruRec n;
    n.Path = p;
    n.Kind = static_cast<uint8_t>(kind);
    n.RdOnly = static_cast<uint8_t>(readOnly ? 1 : 0);
    StandardSize(windowKindOf(kind), n.Height, n.Width);
    int slot = 0;
    for (int i = 1; i <= 8 && slot == 0; ++i)
        if (MruEmpty(MruTable[static_cast<std::size_t>(i)].Kind)) slot = i;
    if (slot == 0) {
        for (int i = 8; i > 1; --i) MruTable[static_cast<std::size_t>(i)] = MruTable[static_cast<std::size_t>(i - 1)];
        slot = 1;
    }
    MruTable[static_cast<std::size_t>(slot)] = n;
    MainWindowLink().refreshRecentFiles();
}

void MruStorePos(const std::string& image, int top, int left, int height, int width) {
    const int kind = mruKindOfImage(image);
    if (kind == 0) return;
    const std::string p = ImgPathOf(image);
    for (int i = 1; i <= 8; ++i) {
        MruWork = MruTable[static_cast<std::size_t>(i)];
        if (MruWork.Kind == kind && SamePath(MruWork.Path, p)) {
            MruWork.Top = top;
            MruWork.Left = left;
            MruWork.Height = height;
            MruWork.Width = width;
            MruTable[static_cast<std::size_t>(i)] = MruWork;
            return;
        }
    }
}

std::string MruCaption(int i) {
    if (i < 1 || i > 8) return {};
    const MruRec& m = MruTable[static_cast<std::size_t>(i)];
    const std::string head = "&" + std::to_string(i) + " ";
    const std::string body = m.Path + "." + MruExtOfKind(m.Kind);
    const std::size_t limit = 35;
    if (head.size() + body.size() <= limit) return head + body;
    // Keep the tail (the file name), starting on a whole character.
    return head + "..." + Utf8Tail(body, limit - head.size() - 3);
}
