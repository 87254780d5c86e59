#pragma once
// Byte images: every record, file image and window image is a std::string of
// raw bytes, addressed by 1-based position as the instrument's formats count
// them. Reads outside the image give 0 / an empty string; writes outside it
// grow the image with zero bytes, so a short image never corrupts memory.
#include <cstddef>
#include <cstdint>
#include <string>

inline unsigned char at(const std::string& img, long pos) {
    if (pos < 1 || static_cast<std::size_t>(pos) > img.size()) return 0;
    return static_cast<unsigned char>(img[static_cast<std::size_t>(pos - 1)]);
}

inline void put(std::string& img, long pos, unsigned value) {
    if (pos < 1) return;
    if (static_cast<std::size_t>(pos) > img.size()) img.resize(static_cast<std::size_t>(pos), '\0');
    img[static_cast<std::size_t>(pos - 1)] = static_cast<char>(value & 0xFF);
}

// len < 0 means "to the end".
inline std::string mid(const std::string& img, long pos, long len = -1) {
    if (pos < 1 || static_cast<std::size_t>(pos) > img.size() || len == 0) return {};
    std::size_t start = static_cast<std::size_t>(pos - 1);
    if (len < 0) return img.substr(start);
    return img.substr(start, static_cast<std::size_t>(len));
}

inline void putMid(std::string& img, long pos, const std::string& bytes) {
    if (pos < 1 || bytes.empty()) return;
    std::size_t start = static_cast<std::size_t>(pos - 1);
    if (start + bytes.size() > img.size()) img.resize(start + bytes.size(), '\0');
    img.replace(start, bytes.size(), bytes);
}

// Writes exactly len bytes: text cut or padded with pad.
inline void putField(std::string& img, long pos, long len, const std::string& text, char pad = ' ') {
    if (len <= 0) return;
    std::string f = text.substr(0, static_cast<std::size_t>(len));
    f.resize(static_cast<std::size_t>(len), pad);
    putMid(img, pos, f);
}

// Trailing blanks removed (blanks only, as the old string functions did).
inline std::string rtrim(const std::string& s) {
    std::size_t n = s.size();
    while (n > 0 && s[n - 1] == ' ') --n;
    return s.substr(0, n);
}

inline std::string ltrim(const std::string& s) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    return s.substr(i);
}

inline std::string trim(const std::string& s) { return ltrim(rtrim(s)); }

inline std::string padRight(const std::string& s, std::size_t len, char pad = ' ') {
    std::string r = s.substr(0, len);
    r.resize(len, pad);
    return r;
}

// 16-bit values, high byte first (settings file) and low byte first (instrument data).
inline unsigned get16hi(const std::string& img, long pos) { return (at(img, pos) << 8) | at(img, pos + 1); }
inline unsigned get16lo(const std::string& img, long pos) { return at(img, pos) | (at(img, pos + 1) << 8); }
inline void put16hi(std::string& img, long pos, unsigned v) { put(img, pos, (v >> 8) & 0xFF); put(img, pos + 1, v & 0xFF); }
inline void put16lo(std::string& img, long pos, unsigned v) { put(img, pos, v & 0xFF); put(img, pos + 1, (v >> 8) & 0xFF); }
inline int getS16hi(const std::string& img, long pos) { return static_cast<int16_t>(get16hi(img, pos)); }
inline int getS16lo(const std::string& img, long pos) { return static_cast<int16_t>(get16lo(img, pos)); }

inline uint32_t get32lo(const std::string& img, long pos) {
    return static_cast<uint32_t>(get16lo(img, pos)) | (static_cast<uint32_t>(get16lo(img, pos + 2)) << 16);
}
inline void put32lo(std::string& img, long pos, uint32_t v) { put16lo(img, pos, v & 0xFFFF); put16lo(img, pos + 2, v >> 16); }

inline std::string chr(unsigned v) { return std::string(1, static_cast<char>(v & 0xFF)); }
inline std::string bytesOf(std::initializer_list<unsigned> b) {
    std::string s;
    s.reserve(b.size());
    for (unsigned v : b) s.push_back(static_cast<char>(v & 0xFF));
    return s;
}
// Text as a widget shows it: cut at the first NUL.
inline std::string cutAtNul(const std::string& s) {
    std::size_t n = s.find('\0');
    return n == std::string::npos ? s : s.substr(0, n);
}
