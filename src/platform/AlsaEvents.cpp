#include "platform/AlsaEvents.h"

#include "platform/MidiDevice.h"

AlsaEventWriter::AlsaEventWriter(int sourcePort) : port_(sourcePort) {
    if (snd_midi_event_new(MidiMaxEvent, &enc_) < 0) enc_ = nullptr;
}

AlsaEventWriter::~AlsaEventWriter() {
    if (enc_) snd_midi_event_free(enc_);
}

int AlsaEventWriter::write(std::string_view bytes, const Emit& emit) {
    for (MidiEvent& e : MidiBytesToEvents(state, bytes)) {
        snd_seq_event_t ev;
        snd_seq_ev_clear(&ev);
        bool encoded = false;
        if (e.kind == MidiEvent::Message && enc_) {
            snd_midi_event_reset_encode(enc_);
            long used = snd_midi_event_encode(enc_, reinterpret_cast<const unsigned char*>(e.bytes.data()),
                                              static_cast<long>(e.bytes.size()), &ev);
            encoded = used == static_cast<long>(e.bytes.size()) && ev.type != SND_SEQ_EVENT_NONE;
        }
        // What the encoder makes no event of still goes out, as raw bytes.
        if (!encoded) {
            snd_seq_ev_clear(&ev);
            snd_seq_ev_set_sysex(&ev, static_cast<unsigned>(e.bytes.size()), e.bytes.data());
        }
        snd_seq_ev_set_source(&ev, port_);
        snd_seq_ev_set_subs(&ev);
        snd_seq_ev_set_direct(&ev);
        if (int rc = emit(ev); rc < 0) return rc;
    }
    return 0;
}
