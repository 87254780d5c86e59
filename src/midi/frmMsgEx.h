#pragma once
// The MIDI-messages window: a read-only text that shows what MidiMonLog
// writes, and a line that tells whether MIDI is in use. Single instance,
// window kind 16.
#include "app/ToolForm.h"
#include "midi/state.h"
#include "platform/Controls.h"

class frmMsgEx : public ToolForm {
    Q_OBJECT
public:
    static constexpr int Kind = 16;
    // The monitor keeps the newest messages up to this many characters.
    static constexpr int KeepChars = 1 << 20;

    explicit frmMsgEx(MdiFrame* frame);

    Label* Label1;    // MIDI device in use, or why MIDI is off
    TextBox* Text1;   // the monitor text

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() override;
    void Form_Unload(int& Cancel) override;

private:
    // Where MidiMonLog writes while the window is open.
    struct Sink : MidiMonSinkT {
        frmMsgEx* form = nullptr;
        void clear() override;
        void append(const std::string& text) override;
    };
    Sink sink_;
    Registration logging_;  // the sink and the log switch
};
