#include "platform/MidiEvents.h"

int MidiMessageLength(uint8_t status) {
    if (status < 0x80) return 0;
    if (status < 0xC0) return 3;
    if (status < 0xE0) return 2;
    if (status < 0xF0) return 3;
    switch (status) {
    case 0xF1:  // time code quarter frame
    case 0xF3:  // song select
        return 2;
    case 0xF2:  // song position
        return 3;
    case 0xF6:  // tune request
    case 0xF8: case 0xFA: case 0xFB: case 0xFC: case 0xFE: case 0xFF:  // real time
        return 1;
    default:    // F0, F7 and the undefined F4, F5, F9, FD
        return 0;
    }
}

std::vector<MidiEvent> MidiBytesToEvents(MidiStreamState& st, std::string_view bytes) {
    std::vector<MidiEvent> out;
    std::string raw;  // raw bytes not yet handed out
    auto flushRaw = [&] {
        if (raw.empty()) return;
        out.push_back({MidiEvent::Raw, std::move(raw)});
        raw.clear();
    };
    auto message = [&](std::string m) {
        flushRaw();
        out.push_back({MidiEvent::Message, std::move(m)});
    };
    // A message cut short by a status byte is not a message any more; its
    // bytes still go out as they were given.
    auto abandonPartial = [&] {
        raw += st.partial;
        st.partial.clear();
    };

    for (unsigned char c : bytes) {
        const char ch = static_cast<char>(c);
        if (c >= 0xF8) {
            // Real time may come anywhere, even inside other messages.
            if (st.inSysex || MidiMessageLength(c) == 0) {
                raw.push_back(ch);
            } else {
                message(std::string(1, ch));
            }
            continue;
        }
        if (st.inSysex) {
            if (c < 0x80 || c == 0xF7) {
                raw.push_back(ch);
                if (c == 0xF7) {
                    st.inSysex = false;
                    flushRaw();
                }
                continue;
            }
            // Any other status byte ends the system-exclusive message.
            st.inSysex = false;
            flushRaw();
        }
        if (c >= 0x80) {
            abandonPartial();
            const int len = MidiMessageLength(c);
            st.running = c < 0xF0 ? c : 0;  // system messages cancel running status
            if (c == 0xF0) {
                flushRaw();
                st.inSysex = true;
                raw.push_back(ch);
            } else if (len == 1) {
                message(std::string(1, ch));
            } else if (len == 0) {
                raw.push_back(ch);  // a stray F7 or an undefined status
            } else {
                st.partial.assign(1, ch);
            }
            continue;
        }
        // A data byte.
        if (st.partial.empty() && st.running) st.partial.assign(1, static_cast<char>(st.running));
        if (st.partial.empty()) {
            raw.push_back(ch);  // governed by no status
            continue;
        }
        st.partial.push_back(ch);
        if (static_cast<int>(st.partial.size()) == MidiMessageLength(static_cast<uint8_t>(st.partial[0]))) {
            message(std::move(st.partial));
            st.partial.clear();
        }
    }
    flushRaw();
    return out;
}
