#pragma once
// The capture back-end with the ALSA back-end's own event writer in its
// write path: every write becomes the sequencer events the ALSA back-end
// would emit, and what is recorded is what those events put on the wire
// (raw events their bytes, the others what ALSA's decoder makes of them).
#include <map>
#include <memory>

#include "platform/AlsaEvents.h"
#include "platform/MidiDevice.h"

struct AlsaStreamBackend : CaptureBackend {
    struct SeqEvent {
        int type;
        bool toSubscribers;
        std::string wire;
    };
    std::vector<SeqEvent> seq;

    static std::string wireOf(const snd_seq_event_t& ev) {
        if (ev.type == SND_SEQ_EVENT_SYSEX)
            return std::string(static_cast<const char*>(ev.data.ext.ptr), ev.data.ext.len);
        snd_midi_event_t* dec = nullptr;
        if (snd_midi_event_new(16, &dec) < 0) return {};
        snd_midi_event_no_status(dec, 1);
        unsigned char buf[16];
        long n = snd_midi_event_decode(dec, buf, sizeof buf, &ev);
        snd_midi_event_free(dec);
        return n > 0 ? std::string(reinterpret_cast<char*>(buf), static_cast<std::size_t>(n)) : std::string();
    }

    int outWrite(MidiHandle h, const std::string& bytes) override {
        auto& w = writers_[h];
        if (!w) w = std::make_unique<AlsaEventWriter>();
        std::string wire;
        w->write(bytes, [&](snd_seq_event_t& ev) {
            seq.push_back({ev.type, ev.dest.client == SND_SEQ_ADDRESS_SUBSCRIBERS, wireOf(ev)});
            wire += seq.back().wire;
            return 0;
        });
        return CaptureBackend::outWrite(h, wire);
    }

private:
    std::map<MidiHandle, std::unique_ptr<AlsaEventWriter>> writers_;
};
