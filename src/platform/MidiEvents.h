#pragma once
// Raw MIDI bytes, as the program hands them to an output, turned into the
// events a sequencer carries. Complete messages (channel messages, system
// common and real-time) become ordinary events; everything else - a
// system-exclusive dump, however it was cut into pieces, or data bytes that
// no status byte governs (the zero bytes after a parameter change) - goes
// out as raw events that carry exactly those bytes. Nothing given is lost or
// changed in order.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct MidiEvent {
    enum Kind { Message, Raw } kind;
    std::string bytes;  // Message: one complete message, status byte included
    bool operator==(const MidiEvent&) const = default;
};

// What one output's stream carries over from one write to the next.
struct MidiStreamState {
    uint8_t running = 0;   // channel status that data bytes continue, 0 for none
    bool inSysex = false;  // an F0 was given and its end not yet
    std::string partial;   // a message whose data bytes have not all come
};

// The events for `bytes`, in order. A message whose data bytes run on into
// the next write is kept in `st` and comes out with that write.
std::vector<MidiEvent> MidiBytesToEvents(MidiStreamState& st, std::string_view bytes);

// Number of bytes of a message by its status byte (1 for one that takes no
// data); 0 for a byte that starts no message of fixed length (data, F0, F7
// and the undefined system bytes).
int MidiMessageLength(uint8_t status);
