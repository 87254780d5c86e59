#include "editors/ParamRow.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "app/Names.h"
#include "platform/bytes.h"

namespace {
unsigned mask(const ParamRow& r) { return r.width >= 8 ? 0xFFu : ((1u << r.width) - 1u) << r.shift; }

unsigned fieldGet(const std::string& rec, const ParamRow& r) {
    if (r.width == 16) return get16lo(rec, r.pos);
    return (at(rec, r.pos) & mask(r)) >> r.shift;
}

void fieldPut(std::string& rec, const ParamRow& r, unsigned raw) {
    if (r.width == 16) {
        put16lo(rec, r.pos, raw);
        return;
    }
    const unsigned m = mask(r);
    put(rec, r.pos, (at(rec, r.pos) & ~m) | ((raw << r.shift) & m));
}

// The pair of a polarity row: its low bit and the bit four above.
unsigned polarityLow(const ParamRow& r) { return 1u << r.shift; }
unsigned polarityHigh(const ParamRow& r) { return 1u << (r.shift + 4); }

}  // namespace

int ParamSigned(unsigned raw, int lowest) {
    const int v = static_cast<int>(raw);
    return lowest < 0 && v >= 256 + lowest ? v - 256 : v;
}

ParamRow ParamRowMake(const char* frame, const char* caption, const char* control, int index, ParamCtl kind, int min,
                      int max, long pos, int shift, int width, ParamCodec codec) {
    ParamRow r;
    r.frame = frame;
    r.caption = caption;
    r.control = control;
    r.index = index;
    r.kind = kind;
    r.min = min;
    r.max = max;
    r.pos = pos;
    r.shift = shift;
    r.width = width;
    r.codec = codec;
    return r;
}

bool ParamShows(const ParamRow& row, int value) {
    return value >= std::min(row.min, row.max) && value <= std::max(row.min, row.max);
}

int ParamStore(std::string& rec, const ParamRow& row, int value) {
    switch (row.codec) {
    case ParamCodec::AsIs: fieldPut(rec, row, static_cast<unsigned>(value)); return value;
    case ParamCodec::Signed: fieldPut(rec, row, static_cast<unsigned>(value) & 0xFFu); return value;
    case ParamCodec::ListMinus12:
        fieldPut(rec, row, static_cast<unsigned>(value - 12) & 0xFFu);
        return value - 12;
    case ParamCodec::Octave: {
        const int sent = 1 - value;
        fieldPut(rec, row, static_cast<unsigned>(sent) & 0xFFu);
        return sent;
    }
    case ParamCodec::LowBits: put(rec, row.pos, static_cast<unsigned>(value) & 0xFFu); return value;
    case ParamCodec::OctaveNibble: fieldPut(rec, row, static_cast<unsigned>(2 - value) & 0x0Fu); return value;
    case ParamCodec::OctaveWide: fieldPut(rec, row, static_cast<unsigned>(3 - value) & 0xFFu); return value;
    case ParamCodec::ChannelOff: fieldPut(rec, row, value == 0 ? 255u : static_cast<unsigned>(value - 1)); return value;
    case ParamCodec::Reversed: fieldPut(rec, row, static_cast<unsigned>(row.max - value)); return row.max - value;
    case ParamCodec::TenLess: fieldPut(rec, row, static_cast<unsigned>(10 - value)); return 10 - value;
    case ParamCodec::Transpose: {
        const int b = value <= 11 ? 11 - value : 267 - value;
        fieldPut(rec, row, static_cast<unsigned>(b));
        return b;
    }
    case ParamCodec::OctaveByte: {
        const int b = value <= 2 ? 2 - value : 258 - value;
        fieldPut(rec, row, static_cast<unsigned>(b));
        return b;
    }
    case ParamCodec::WrapAround: {
        const int b = value <= 11 ? 11 - value : 255;
        fieldPut(rec, row, static_cast<unsigned>(b));
        return b;
    }
    case ParamCodec::Pan: {
        const int b = value <= 1 ? 255 : value >= 33 ? 31 : value - 2;
        fieldPut(rec, row, static_cast<unsigned>(b));
        return b;
    }
    case ParamCodec::Tempo: fieldPut(rec, row, static_cast<unsigned>(value - 30)); return value;
    case ParamCodec::OutStatus: {
        // The byte holds the two statuses only: the other one's bits stay.
        const unsigned other = row.shift == 0 ? 0x0Cu : 0x03u;
        put(rec, row.pos, (at(rec, row.pos) & other) | ((static_cast<unsigned>(value) << row.shift) & ~other & 0x0Fu));
        return row.shift == 0 ? at(rec, row.pos) : value;
    }
    case ParamCodec::Coded:
        if (value >= 0 && static_cast<std::size_t>(value) < row.codes.size())
            fieldPut(rec, row, static_cast<unsigned>(row.codes[static_cast<std::size_t>(value)]));
        return value;
    case ParamCodec::PanAB: {
        const int sent = value == 0 ? -1 : value - 1;
        fieldPut(rec, row, static_cast<unsigned>(sent) & 0xFFu);
        return sent;
    }
    case ParamCodec::Polarity: {
        unsigned b = at(rec, row.pos) & ~(polarityLow(row) | polarityHigh(row));
        if (value == 0) b |= polarityLow(row) | polarityHigh(row);
        if (value == 2) b |= polarityLow(row);
        put(rec, row.pos, b);
        return value;
    }
    }
    return value;
}

std::optional<int> ParamRead(const std::string& rec, const ParamRow& row) {
    const unsigned raw = fieldGet(rec, row);
    int v = static_cast<int>(raw);
    switch (row.codec) {
    case ParamCodec::AsIs: break;
    case ParamCodec::Signed: v = ParamSigned(raw, std::min(row.min, row.max)); break;
    case ParamCodec::ListMinus12: v = ParamSigned(raw, -12) + 12; break;
    case ParamCodec::Octave: v = 1 - ParamSigned(raw, -2); break;
    case ParamCodec::LowBits: break;
    // 0-2 up to +2, 15 and 14 down to -2; nothing for the nibbles between.
    case ParamCodec::OctaveNibble: v = raw <= 2 ? 2 - static_cast<int>(raw) : raw >= 14 ? 18 - static_cast<int>(raw) : -1; break;
    case ParamCodec::OctaveWide: v = 3 - ParamSigned(raw, -3); break;
    case ParamCodec::ChannelOff: v = raw == 255 ? 0 : static_cast<int>(raw) + 1; break;
    case ParamCodec::Reversed: v = row.max - static_cast<int>(raw); break;
    case ParamCodec::TenLess: v = raw <= 10 ? 10 - static_cast<int>(raw) : -1; break;
    case ParamCodec::Transpose: v = raw <= 11 ? 11 - static_cast<int>(raw) : raw >= 245 ? 267 - static_cast<int>(raw) : -1; break;
    case ParamCodec::OctaveByte: v = raw <= 2 ? 2 - static_cast<int>(raw) : raw >= 254 ? 258 - static_cast<int>(raw) : -1; break;
    case ParamCodec::WrapAround: v = raw <= 11 ? 11 - static_cast<int>(raw) : raw == 255 ? 12 : -1; break;
    case ParamCodec::Pan: v = raw <= 30 ? static_cast<int>(raw) + 2 : raw == 31 ? 33 : raw == 255 ? 1 : -1; break;
    case ParamCodec::Tempo: v = static_cast<int>(raw) + 30; break;
    case ParamCodec::OutStatus: {
        const unsigned whole = at(rec, row.pos);
        v = static_cast<int>(((whole > 11 ? 3u : whole) >> row.shift) & 3u);
        break;
    }
    case ParamCodec::Coded: {
        const auto it = std::find(row.codes.begin(), row.codes.end(), static_cast<int>(raw));
        v = it == row.codes.end() ? -1 : static_cast<int>(it - row.codes.begin());
        break;
    }
    case ParamCodec::PanAB: v = raw == 255 ? 0 : static_cast<int>(raw) + 1; break;
    case ParamCodec::Polarity: {
        // The high bit alone is no state of the three: no item.
        const unsigned b = at(rec, row.pos);
        const bool lo = (b & polarityLow(row)) != 0, hi = (b & polarityHigh(row)) != 0;
        v = lo ? (hi ? 0 : 2) : (hi ? -1 : 1);
        break;
    }
    }
    if (ParamShows(row, v)) return v;
    if (row.fallback) return row.fallback;
    if (row.scrollBar()) return std::clamp(v, std::min(row.min, row.max), std::max(row.min, row.max));
    return std::nullopt;
}

bool ParamNegative(const ParamRow& row, int sent) {
    switch (row.codec) {
    case ParamCodec::Transpose:
    case ParamCodec::OctaveByte:
    case ParamCodec::WrapAround:
    case ParamCodec::Pan: return sent > 127;
    default: return false;
    }
}

unsigned ParamRaw(const std::string& rec, const ParamRow& row) { return fieldGet(rec, row); }

std::string ParamLabelText(const ParamRow& row, int value, bool dragging) {
    switch (row.label) {
    case ParamLabel::None:
    case ParamLabel::Number: break;
    case ParamLabel::NormalAtZero:
        if (value == 0 && !dragging) return "Normal";
        break;
    case ParamLabel::Note: return NoteName(value);
    case ParamLabel::PanAB:
        if (value <= 0) return "OFF";
        if (value < 16) return "L" + std::to_string(16 - value);
        if (value == 16) return "CNT";
        return "R" + std::to_string(value - 16);
    case ParamLabel::Text:
        if (row.text) return row.text(value);
        break;
    case ParamLabel::DryWet:
        if (value == 0) return "DRY";
        if (value == 100) return "FX";
        break;
    case ParamLabel::Pan:
        if (value == 0) return "OFF";
        if (value == 1) return "R";
        if (value == 101) return "L";
        return std::to_string(value - 1) + ":" + std::to_string(101 - value);
    }
    return std::to_string(value);
}

void ParamTableWrong(const char* control, int index) {
    std::fprintf(stderr, "parameter table: no row for %s(%d)\n", control, index);
    std::abort();
}

const ParamRow* ParamIndexOne(const std::vector<ParamRow>& rows, const char* control) {
    for (const ParamRow& r : rows)
        if (std::string_view(r.control) == control) return &r;
    ParamTableWrong(control, -1);
}
