#pragma once
// The MIDI-messages window: a read-only text that shows what MidiMonLog
// writes, and a line that tells whether MIDI is in use. Single instance,
// window kind 16.
#include "platform/Controls.h"
#include "platform/Forms.h"

class frmMsgEx : public ChildForm {
    Q_OBJECT
public:
    static constexpr int Kind = 16;
    static constexpr int StdHeight = 5760;
    static constexpr int StdWidth = 8000;

    explicit frmMsgEx(MdiFrame* frame);

    // The single instance, created on first use (not shown).
    static frmMsgEx* Instance(MdiFrame* frame);
    static frmMsgEx* Existing();

    Label* Label1;    // MIDI device in use, or why MIDI is off
    TextBox* Text1;   // the monitor text

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() override;
    void Form_Unload(int& Cancel) override;
};
