#pragma once
// One output's stream of ALSA sequencer events: raw bytes in, events for the
// subscribers of our port out. Complete messages go through ALSA's MIDI
// encoder as ordinary events; everything else goes out as variable-length
// system-exclusive events holding exactly the bytes given, which the
// sequencer passes to the device unchanged. Needs no sequencer, so it can be
// tried on its own.
#include <alsa/asoundlib.h>

#include <functional>
#include <string_view>

#include "platform/MidiEvents.h"

class AlsaEventWriter {
public:
    explicit AlsaEventWriter(int sourcePort = 0);
    ~AlsaEventWriter();
    AlsaEventWriter(const AlsaEventWriter&) = delete;
    AlsaEventWriter& operator=(const AlsaEventWriter&) = delete;

    // False when ALSA could not give us an encoder.
    bool ok() const { return enc_ != nullptr; }

    // Receives each event in order; returns 0, or a negative error code that
    // ends the write.
    using Emit = std::function<int(snd_seq_event_t&)>;
    // The events for `bytes`, handed to `emit`; 0 or the first error.
    int write(std::string_view bytes, const Emit& emit);

    MidiStreamState state;

private:
    snd_midi_event_t* enc_ = nullptr;
    int port_;
};
