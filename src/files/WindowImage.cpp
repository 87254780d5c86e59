#include "files/WindowImage.h"

#include "files/FileFormats.h"

namespace {

// A fixed-length document placed into an image: cut or filled with code 0,
// so that every position after it stays where the layout puts it.
std::string fitted(const std::string& file, long len) {
    std::string f = file.substr(0, static_cast<std::size_t>(len));
    f.resize(static_cast<std::size_t>(len), '\0');
    return f;
}

std::string blanks(long n) { return std::string(static_cast<std::size_t>(n), ' '); }
std::string zeros(long n) { return std::string(static_cast<std::size_t>(n), '\0'); }

const char* bankTitle(int kind) {
    switch (kind) {
    case 2: return "Arr A";
    case 3: return "Arr B";
    case 4: return "Prg A";
    case 5: return "Prg B";
    case 6: return "Prg C";
    case 7: return "Prg D";
    case 8: return "Prg E";
    case 9: return "Drum";
    case 10: return "Percussion";
    case 14: return "Global Parameters";
    case 17: return "Style A";
    case 18: return "Style B";
    default: return nullptr;
    }
}

// The body after position 270; false for a kind that has no such image.
bool bodyOf(int kind, const std::string& file, std::string& body) {
    const long rowTable = 64 * ImgRowLen;
    switch (kind) {
    case 2: case 3:
        body = fitted(file, ArrFileLen) + blanks(rowTable);
        return true;
    case 19: case 20:
        body = fitted(file, ArrFileLen) + blanks(rowTable) + blanks(PrgFileLen);
        return true;
    case 21: case 22: case 31:
        body = fitted(file, PrgFileLen) + zeros(rowTable);
        return true;
    case 23: case 24:
        body = zeros(19 * ImgRowLen) + file;
        return true;
    case 14: case 25:
        body = fitted(file, GblFileLen);
        return true;
    case 26:
        body = file;
        return true;
    case 4: case 5: case 6: case 7: case 8: case 9: case 10: case 17: case 18:
        return true;  // laid out inside the first 270 positions (and after, below)
    default:
        return false;
    }
}

}  // namespace

std::string WindowImageNew(int kind, const std::string& file) {
    switch (kind) {
    case 11: case 12: case 13: case 15: case 16: case 28: case 29: case 30:
    case 32: case 33: case 34: case 35: case 36:
        return chr(static_cast<unsigned>(kind)) + chr(0);
    default: break;
    }
    std::string body;
    if (!bodyOf(kind, file, body)) return {};

    std::string img = zeros(ImgHeaderLen) + blanks(ImgTitleFieldLen) + body;
    put(img, ImgKind, static_cast<unsigned>(kind));
    if ((kind >= 2 && kind <= 8) || kind == 19 || kind == 20) put(img, ImgConst, ImgConstValue);
    if ((kind >= 2 && kind <= 10) || kind == 17 || kind == 18) put(img, ImgRdOnly, 1);
    if ((kind >= 2 && kind <= 8) || kind == 17 || kind == 18) put(img, ImgOpenState, 1);
    if (kind == 20 || kind == 22 || kind == 24) put(img, ImgUntitled, 1);
    if (kind == 21 || kind == 22 || kind == 31) put(img, ImgPrgPresent, 2);

    if (kind >= 4 && kind <= 8) {
        // The row table starts inside the title field; its 64 rows are
        // unselected until the window writes their texts.
        img.resize(static_cast<std::size_t>(ImgPcgWinLen), ' ');
        for (int i = 0; i < 64; ++i) put(img, RowPos(ImgPcgRows, i), 0);
    } else if (kind == 9 || kind == 10) {
        img.resize(static_cast<std::size_t>(ImgDrumWinLen), ' ');
    }
    if (const char* t = bankTitle(kind)) ImgTitleSet(img, t);
    return img;
}
