#include "library/BsqView.h"

#include <algorithm>

#include "files/FileFormats.h"
#include "platform/bytes.h"

namespace {
constexpr long TableAt = 1997;   // 171 values, low byte first

long tableValue(const std::string& f, int e) {
    const long p = TableAt + 2L * e;
    return p + 1 <= static_cast<long>(f.size()) ? static_cast<long>(get16lo(f, p)) : 0;
}

// The 1-based index of the last slot of [pos, pos + len) that is not four
// zero bytes, 0 when none is.
long lastUsedSlot(const std::string& f, long pos, long len) {
    const long size = static_cast<long>(f.size());
    if (pos > size) return 0;
    long end = std::min(pos + len - 1, size);   // last byte within the file
    for (long s = (end - pos + 1 + 3) / 4; s >= 1; --s) {
        const long a = pos + 4 * (s - 1);
        const long b = std::min(a + 3, size);
        for (long p = a; p <= b; ++p)
            if (f[static_cast<std::size_t>(p - 1)] != '\0') return s;
    }
    return 0;
}
}  // namespace

std::array<long, 17> BsqTrackCounts(const std::string& file, int k) {
    std::array<long, 17> n{};
    if (k < 0 || k > 9) return n;
    const long v0 = tableValue(file, 0);
    long pos = BsqDataStart + 16 * std::max(0L, tableValue(file, 17 * k) - v0);
    for (int t = 0; t < 17; ++t) {
        const int e = 17 * k + t;
        const long d = tableValue(file, e + 1) - tableValue(file, e);
        if (d <= 0) continue;
        n[static_cast<std::size_t>(t)] = lastUsedSlot(file, pos, 16 * d);
        pos += 16 * d;
    }
    return n;
}

long BsqSeqCount(const std::string& file, int k) {
    long s = 0;
    for (long c : BsqTrackCounts(file, k)) s += c;
    return s;
}

std::string BsqSeqName(const std::string& file, int k) { return mid(file, 17 + 198L * k, 10); }
