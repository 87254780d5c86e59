// The ALSA sequencer back-end.
//
// The program is a sequencer client named "Velmora" with one output port,
// "Velmora Out". Everything we send is addressed to that port's subscribers,
// so a connection the user makes from it (aconnect, a graph editor) gets the
// same data as the device. Opening an output device subscribes the device to
// our port and closing it takes that subscription away again - unless the
// user had made it before we opened, in which case it stays theirs. Events go
// out direct, unqueued: the layer above does the pacing. Thru is a
// subscription from the input device's port to the output device's port,
// made by us but carried by the sequencer, so no code of ours ever reads
// input. A device's one port may be both input and output (a master
// keyboard and the instrument on one interface); only a loopback port, the
// kernel's "Midi Through", is never subscribed to itself.
//
// Output devices are the writable ports of other clients, hardware first and
// then software; input devices the readable ones. The System client (0) and
// our own client are never listed. When the sequencer cannot be opened (no
// /dev/snd/seq) there are no devices and every open reports MidiErrNoDriver.
#include <alsa/asoundlib.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <map>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

#include "platform/AlsaEvents.h"
#include "platform/MidiDevice.h"

namespace {

constexpr char kClientName[] = "Velmora";
constexpr char kPortName[] = "Velmora Out";

struct Port {
    snd_seq_addr_t addr;
    std::string name;  // "client:port"
    bool hardware;
};

struct Output {
    explicit Output(int port) : writer(port) {}
    snd_seq_addr_t addr{};
    bool ownSubscription = false;  // we made the subscription to the device, so we take it away
    AlsaEventWriter writer;
};

bool sameAddr(const snd_seq_addr_t& a, const snd_seq_addr_t& b) {
    return a.client == b.client && a.port == b.port;
}

int fromErrno(int err) {
    switch (-err) {
    case ENOENT:
    case ENXIO:
    case ENODEV:
        return MidiErrBadDevice;
    case ENOMEM:
    case ENOSPC:
        return MidiErrNoMem;
    case EAGAIN:
    case EBUSY:
        return MidiErrNotReady;
    default:
        return MidiErrFailed;
    }
}

// Keeps the ALSA library from printing its own complaints while we probe for
// a sequencer that may not exist; we report the outcome ourselves.
void quietAlsa(const char*, int, const char*, int, const char*, ...) {}

class AlsaBackend : public MidiBackend {
public:
    AlsaBackend() {
        snd_lib_error_set_handler(quietAlsa);
        int rc = snd_seq_open(&seq_, "default", SND_SEQ_OPEN_DUPLEX, SND_SEQ_NONBLOCK);
        snd_lib_error_set_handler(nullptr);
        if (rc < 0) {
            seq_ = nullptr;
            return;
        }
        snd_seq_set_client_name(seq_, kClientName);
        self_ = snd_seq_client_id(seq_);
        port_ = snd_seq_create_simple_port(seq_, kPortName, SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ,
                                           SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
        if (port_ < 0) {
            snd_seq_close(seq_);
            seq_ = nullptr;
        }
    }

    ~AlsaBackend() override {
        if (!seq_) return;
        // Thru connections are ours to undo: the sequencer would keep them
        // after we are gone.
        for (auto [in, out] : thru_) unsubscribe(in, out);
        for (auto& [h, o] : outs_)
            if (o->ownSubscription) snd_seq_disconnect_to(seq_, port_, o->addr.client, o->addr.port);
        snd_seq_close(seq_);
    }

    int outCount() override {
        outList_ = scan(SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE);
        return static_cast<int>(outList_.size());
    }

    int inCount() override {
        inList_ = scan(SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ);
        return static_cast<int>(inList_.size());
    }

    std::string outName(int dev) override {
        if (outList_.empty()) outCount();
        return dev >= 0 && dev < static_cast<int>(outList_.size()) ? outList_[dev].name : std::string();
    }

    std::string inName(int dev) override {
        if (inList_.empty()) inCount();
        return dev >= 0 && dev < static_cast<int>(inList_.size()) ? inList_[dev].name : std::string();
    }

    int outOpen(int dev, MidiHandle& h) override {
        h = 0;
        if (!seq_) return MidiErrNoDriver;
        if (outList_.empty()) outCount();
        if (dev < 0 || dev >= static_cast<int>(outList_.size())) return MidiErrBadDevice;
        snd_seq_addr_t addr = outList_[dev].addr;
        for (auto& [other, o] : outs_)
            if (sameAddr(o->addr, addr)) return MidiErrAllocated;
        auto o = std::make_unique<Output>(port_);
        o->addr = addr;
        if (!o->writer.ok()) return MidiErrNoMem;
        int rc = snd_seq_connect_to(seq_, port_, addr.client, addr.port);
        // The sequencer refuses a subscription that exists and one to a port
        // another program holds for itself alike. Already subscribed: the
        // user joined the device to our port before we opened it; it carries
        // our data all the same and stays theirs. Held: nothing of ours
        // would reach it, so the device cannot be opened.
        if (rc == -EBUSY && !subscribed({static_cast<unsigned char>(self_), static_cast<unsigned char>(port_)}, addr))
            return MidiErrAllocated;
        if (rc < 0 && rc != -EBUSY) return fromErrno(rc);
        o->ownSubscription = rc >= 0;
        h = next_++;
        outs_.emplace(h, std::move(o));
        return MidiOk;
    }

    int outClose(MidiHandle h) override {
        auto it = outs_.find(h);
        if (it == outs_.end()) return MidiErrInvalidHandle;
        dropThru([&](const std::pair<MidiHandle, MidiHandle>& t) { return t.second == h; });
        const Output& o = *it->second;
        if (o.ownSubscription) snd_seq_disconnect_to(seq_, port_, o.addr.client, o.addr.port);
        outs_.erase(it);
        return MidiOk;
    }

    // One piece of raw bytes, turned into events by the output's writer.
    int outWrite(MidiHandle h, const std::string& bytes) override {
        auto it = outs_.find(h);
        if (it == outs_.end()) return MidiErrInvalidHandle;
        int rc = it->second->writer.write(bytes, [&](snd_seq_event_t& ev) { return send(ev); });
        return rc < 0 ? fromErrno(rc) : MidiOk;
    }

    int inOpen(int dev, MidiHandle& h) override {
        h = 0;
        if (!seq_) return MidiErrNoDriver;
        if (inList_.empty()) inCount();
        if (dev < 0 || dev >= static_cast<int>(inList_.size())) return MidiErrBadDevice;
        h = next_++;
        ins_.emplace(h, inList_[dev].addr);
        return MidiOk;
    }

    int inClose(MidiHandle h) override {
        if (!ins_.count(h)) return MidiErrInvalidHandle;
        dropThru([&](const std::pair<MidiHandle, MidiHandle>& t) { return t.first == h; });
        ins_.erase(h);
        return MidiOk;
    }

    // Input is never read by us; thru runs inside the sequencer.
    int inStart(MidiHandle h) override { return ins_.count(h) ? MidiOk : MidiErrInvalidHandle; }
    int inStop(MidiHandle h) override { return ins_.count(h) ? MidiOk : MidiErrInvalidHandle; }

    int thruConnect(MidiHandle in, MidiHandle out) override {
        if (!ins_.count(in) || !outs_.count(out)) return MidiErrInvalidHandle;
        if (std::find(thru_.begin(), thru_.end(), std::make_pair(in, out)) != thru_.end()) return MidiOk;
        // "Midi Through" on both sides (no hardware there): it sends back
        // what it receives, so joining it to itself would loop every message.
        if (sameAddr(ins_[in], outs_[out]->addr) && loopsBack(ins_[in].client)) return MidiErrSamePort;
        snd_seq_port_subscribe_t* sub = nullptr;
        if (snd_seq_port_subscribe_malloc(&sub) < 0) return MidiErrNoMem;
        snd_seq_port_subscribe_set_sender(sub, &ins_[in]);
        snd_seq_port_subscribe_set_dest(sub, &outs_[out]->addr);
        int rc = snd_seq_subscribe_port(seq_, sub);
        snd_seq_port_subscribe_free(sub);
        // Already joined (by someone else): the thru runs, which is what was
        // asked. Refused for a port another program holds: it does not.
        if (rc == -EBUSY) return subscribed(ins_[in], outs_[out]->addr) ? MidiOk : MidiErrAllocated;
        if (rc < 0) return fromErrno(rc);
        thru_.emplace_back(in, out);
        return MidiOk;
    }

    int thruDisconnect(MidiHandle in, MidiHandle out) override {
        if (!ins_.count(in) || !outs_.count(out)) return MidiErrInvalidHandle;
        auto it = std::find(thru_.begin(), thru_.end(), std::make_pair(in, out));
        if (it == thru_.end()) return MidiOk;
        thru_.erase(it);
        return unsubscribe(in, out);
    }

private:
    std::vector<Port> scan(unsigned int caps) {
        std::vector<Port> found;
        if (!seq_) return found;
        snd_seq_client_info_t* client = nullptr;
        snd_seq_port_info_t* port = nullptr;
        if (snd_seq_client_info_malloc(&client) < 0) return found;
        if (snd_seq_port_info_malloc(&port) < 0) {
            snd_seq_client_info_free(client);
            return found;
        }
        snd_seq_client_info_set_client(client, -1);
        while (snd_seq_query_next_client(seq_, client) >= 0) {
            int id = snd_seq_client_info_get_client(client);
            if (id == SND_SEQ_CLIENT_SYSTEM || id == self_) continue;
            bool kernel = snd_seq_client_info_get_type(client) == SND_SEQ_KERNEL_CLIENT;
            std::string clientName = snd_seq_client_info_get_name(client);
            snd_seq_port_info_set_client(port, id);
            snd_seq_port_info_set_port(port, -1);
            while (snd_seq_query_next_port(seq_, port) >= 0) {
                unsigned int cap = snd_seq_port_info_get_capability(port);
                if ((cap & caps) != caps || (cap & SND_SEQ_PORT_CAP_NO_EXPORT)) continue;
                unsigned int type = snd_seq_port_info_get_type(port);
                bool hardware = (type & SND_SEQ_PORT_TYPE_HARDWARE) || (kernel && !(type & SND_SEQ_PORT_TYPE_SOFTWARE));
                Port p;
                p.addr = *snd_seq_port_info_get_addr(port);
                p.name = clientName + ":" + snd_seq_port_info_get_name(port);
                p.hardware = hardware;
                found.push_back(std::move(p));
            }
        }
        snd_seq_port_info_free(port);
        snd_seq_client_info_free(client);
        std::stable_partition(found.begin(), found.end(), [](const Port& p) { return p.hardware; });
        return found;
    }

    // Whether a client sends back to its port whatever reaches it: the
    // kernel's own "Midi Through" client.
    bool loopsBack(int clientId) {
        snd_seq_client_info_t* info = nullptr;
        if (snd_seq_client_info_malloc(&info) < 0) return true;
        bool loops = true;  // when in doubt, no thru to itself
        if (snd_seq_get_any_client_info(seq_, clientId, info) >= 0)
            loops = snd_seq_client_info_get_type(info) == SND_SEQ_KERNEL_CLIENT &&
                    std::string(snd_seq_client_info_get_name(info)) == "Midi Through";
        snd_seq_client_info_free(info);
        return loops;
    }

    int send(snd_seq_event_t& ev) {
        int rc = 0;
        // The pacing above keeps the sequencer's pool from filling; should it be
        // full all the same, give it a moment before calling the write failed.
        for (int attempt = 0; attempt < 10; ++attempt) {
            rc = snd_seq_event_output_direct(seq_, &ev);
            if (rc != -EAGAIN) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return rc < 0 ? rc : 0;
    }

    // Whether the sequencer carries events from `sender` to `dest` now.
    bool subscribed(const snd_seq_addr_t& sender, const snd_seq_addr_t& dest) {
        snd_seq_port_subscribe_t* sub = nullptr;
        if (snd_seq_port_subscribe_malloc(&sub) < 0) return false;
        snd_seq_port_subscribe_set_sender(sub, &sender);
        snd_seq_port_subscribe_set_dest(sub, &dest);
        const int rc = snd_seq_get_port_subscription(seq_, sub);
        snd_seq_port_subscribe_free(sub);
        return rc >= 0;
    }

    int unsubscribe(MidiHandle in, MidiHandle out) {
        auto i = ins_.find(in);
        auto o = outs_.find(out);
        if (i == ins_.end() || o == outs_.end()) return MidiErrInvalidHandle;
        snd_seq_port_subscribe_t* sub = nullptr;
        if (snd_seq_port_subscribe_malloc(&sub) < 0) return MidiErrNoMem;
        snd_seq_port_subscribe_set_sender(sub, &i->second);
        snd_seq_port_subscribe_set_dest(sub, &o->second->addr);
        int rc = snd_seq_unsubscribe_port(seq_, sub);
        snd_seq_port_subscribe_free(sub);
        return rc < 0 ? fromErrno(rc) : MidiOk;
    }

    template <class Pred>
    void dropThru(Pred pred) {
        for (auto it = thru_.begin(); it != thru_.end();) {
            if (pred(*it)) {
                unsubscribe(it->first, it->second);
                it = thru_.erase(it);
            } else {
                ++it;
            }
        }
    }

    snd_seq_t* seq_ = nullptr;
    int self_ = -1;
    int port_ = -1;
    MidiHandle next_ = 1;
    std::vector<Port> outList_, inList_;
    std::map<MidiHandle, std::unique_ptr<Output>> outs_;
    std::map<MidiHandle, snd_seq_addr_t> ins_;
    std::vector<std::pair<MidiHandle, MidiHandle>> thru_;
};

}  // namespace

std::unique_ptr<MidiBackend> MakeAlsaBackend() { return std::make_unique<AlsaBackend>(); }
