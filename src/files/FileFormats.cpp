#include "files/FileFormats.h"

#include "platform/bytes.h"

std::string ArrMagic() { return bytesOf({'K', 'O', 'R', 'G', 0x4D, 0x00, 0x03}); }
std::string StyMagic() { return bytesOf({'K', 'O', 'R', 'G', 0x4D, 0x00, 0x04, 0x01}); }
std::string StyI30Magic() { return bytesOf({'K', 'O', 'R', 'G', 0x49, 0x05, 0x04, 0x00}); }
std::string GblMagic() { return bytesOf({'K', 'O', 'R', 'G', 0x4D, 0x00, 0x06, 0x01}); }
std::string DBArrSignature() { return "i40DBArr"; }
std::string BsqMagicBytes() { return bytesOf({'K', 'O', 'R', 'G', 0x4D, 0x00, 0x05}); }

std::string ArrNativeHeader() {
    std::string h(ArrHdrLen, '\0');
    putMid(h, 1, ArrMagic() + chr(0x01));
    put(h, 17, 0x20);
    put(h, 22, 0x01);
    put(h, 24, 0x40);
    put(h, 26, 0x29);
    return h;
}

std::string PrgNativeHeader() {
    std::string h(PrgHdrLen, '\0');
    putMid(h, 1, bytesOf({'K', 'O', 'R', 'G', 0x4D, 0x00, 0x00, 0x01}));
    return h;
}

std::string StyNativeHeader() {
    std::string h(StyHdrLen, '\0');
    putMid(h, 1, StyMagic());
    put(h, 17, 0xE0);
    put(h, 22, 0x30);
    return h;
}

void StyHeaderRewrite(std::string& f) {
    if (static_cast<long>(f.size()) < StyHdrLen) f.resize(StyHdrLen, '\0');
    putMid(f, 1, std::string(22, '\0'));
    putMid(f, 1, StyMagic());
    put(f, 17, 0xE0);
    put(f, 22, 0x30);
    putMid(f, 87, std::string(StyHdrLen - 86, '\0'));
}

bool ArrFileCheck(const std::string& f) {
    return static_cast<long>(f.size()) == ArrFileLen && f.compare(0, 7, ArrMagic()) == 0;
}

int PrgFileType(const std::string& f) {
    if (static_cast<long>(f.size()) != PrgFileLen) return 0;
    if (at(f, 5) != 0x4D || at(f, 6) != 0 || at(f, 7) != 0) return 0;
    if (f.compare(0, 4, "KORG") == 0) return 1;
    if (f.compare(0, 4, "KPGG") == 0) return 2;
    return 0;
}

bool StyFileCheck(const std::string& f, bool i30) {
    long len = static_cast<long>(f.size());
    if (len < StyHdrLen || len > (i30 ? StyI30MaxLen : StyMaxLen)) return false;
    if (f.compare(0, 8, i30 ? StyI30Magic() : StyMagic()) != 0) return false;
    // An i30 file holds three tables; the import weighs all three against
    // the file's length and reports a file that falls short as a format error.
    if (i30) return true;
    long sum = 0;
    for (int k = 0; k < 16; ++k) sum += get16lo(f, 25 + 4L * k);
    return sum <= len - StyHdrLen;
}

bool GblFileCheck(const std::string& f) {
    return static_cast<long>(f.size()) == GblFileLen && f.compare(0, 8, GblMagic()) == 0;
}

bool BsqFileCheck(const std::string& f) {
    long len = static_cast<long>(f.size());
    if (len < BsqMinLen || len > BsqMaxLen) return false;
    // Byte 6 differs between files of the instrument's own making; the
    // others must match.
    std::string m = BsqMagicBytes();
    for (long p = 1; p <= 7; ++p)
        if (p != 6 && at(f, p) != static_cast<unsigned char>(m[static_cast<std::size_t>(p - 1)])) return false;
    return true;
}

bool DBArrCheck(const std::string& f) { return f.size() >= 8 && f.compare(0, 8, DBArrSignature()) == 0; }

bool ArrI30FileCheck(const std::string& f) {
    return static_cast<long>(f.size()) == ArrI30Len && f.compare(0, 4, "KORG") == 0;
}

bool PrgI30FileCheck(const std::string& f) {
    return static_cast<long>(f.size()) == PrgI30Len && f.compare(0, 4, "KORG") == 0;
}

std::string NameField(const std::string& img, long pos, long len) {
    return padRight(cutAtNul(mid(img, pos, len)), static_cast<std::size_t>(len));
}

std::string RowCode(int i) {
    const char* d = "12345678";
    std::string s;
    s += d[(i / 8) & 7];
    s += d[i % 8];
    return s;
}

std::string ArrBankImage(int bank) {
    std::string f = ArrNativeHeader();
    f.resize(ArrFileLen, '\0');
    const char letter = bank == 0 ? 'A' : 'B';
    for (int i = 0; i < 64; ++i) {
        long b = ArrHdrLen + 1 + ArrBlkLen * i;
        putField(f, b, 16, std::string("Arrangement ") + letter + RowCode(i));
        put(f, b + 17, static_cast<unsigned>(bank * 64 + i));  // factory style of this position
        put(f, b + 18, 0);                                     // factory, not a user style
        put(f, b + 21, 120 - 30);                              // tempo 120
    }
    return f;
}

std::string PrgTemplateImage() {
    std::string f = PrgNativeHeader();
    f.resize(PrgFileLen, '\0');
    return f;
}

std::string StyEmptyItem() {
    std::string item(StyEmptyItemLen, '\0');
    putField(item, 1, 16, "- empty -");
    return item;
}

std::string StyTemplateImage() {
    std::string f = StyNativeHeader();
    for (int k = 0; k < 4; ++k) put16lo(f, 25 + 4L * k, StyEmptyItemLen);
    for (int k = 0; k < 4; ++k) f += StyEmptyItem();
    return f;
}
