#include "midi/Keyboard.h"

#include "platform/bytes.h"

namespace {
int inRange(const std::string& s, long pos, int lo, int hi, int def) {
    if (static_cast<long>(s.size()) < pos) return def;
    int v = at(s, pos);
    return (v >= lo && v <= hi) ? v : def;
}
}  // namespace

std::string KbdSettingsDefault() { return KbdSettingsEncode(KbdChoice{}); }

KbdChoice KbdSettingsDecode(const std::string& s) {
    KbdChoice d, c;
    c.channel = inRange(s, 1, 0, 15, d.channel);
    c.velocity = inRange(s, 2, 1, 127, d.velocity);
    c.controller = inRange(s, 3, 0, 119, d.controller);
    c.ctlValue = inRange(s, 4, 0, 127, d.ctlValue);
    c.split = inRange(s, 5, KbdLowNote, KbdHighNote, d.split);
    return c;
}

std::string KbdSettingsEncode(const KbdChoice& c) {
    std::string s(16, '\0');
    put(s, 1, static_cast<unsigned>(c.channel));
    put(s, 2, static_cast<unsigned>(c.velocity));
    put(s, 3, static_cast<unsigned>(c.controller));
    put(s, 4, static_cast<unsigned>(c.ctlValue));
    put(s, 5, static_cast<unsigned>(c.split));
    return s;
}
