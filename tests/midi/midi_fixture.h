#pragma once
// A MIDI test: fresh shared state, the capture back-end with its output and
// input open, and helpers to let the paced queue deliver.
#include "app/Links.h"
#include "app/state.h"
#include "fakelinks.h"
#include "midi/MIDI.h"
#include "platform/Timer.h"
#include "platform/bytes.h"
#include "testenv.h"

class MidiTest : public VelmoraTest {
protected:
    void SetUp() override {
        VelmoraTest::SetUp();
        ASSERT_NE(MidiOpenDevices(), 0u);
        midi->clear();
    }
    // Everything written once the queue has had time to deliver.
    std::string sent(long long ms = 20000) {
        Timer::Advance(ms);
        return midi->written();
    }
    // Monitor text, as the window would show it.
    std::string monitor;
    struct Monitor : MidiMonSinkT {
        std::string& text;
        explicit Monitor(std::string& t) : text(t) {}
        void clear() override { text.clear(); }
        void append(const std::string& s) override { text += s; }
    } monitorSink{monitor};
    Registration monitorOpen;
    void openMonitor() {
        MidiMonLogOn = true;
        monitorOpen = LinkRegistration<MidiMonSinkT>(&monitorSink);
    }
};

inline std::string hexOf(const std::string& b) {
    std::string s = MidiMonFormat(b);
    return s.substr(0, s.size() >= 3 ? s.size() - 3 : 0);  // without the last blank and line breaks
}
