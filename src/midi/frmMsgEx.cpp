#include "midi/frmMsgEx.h"

#include "app/ImageLayout.h"
#include "app/Links.h"
#include "app/Messages.h"
#include "app/state.h"
#include "midi/MIDI.h"
#include "platform/bytes.h"

namespace {
void menuAgg() { MainWindowLink().menuAgg(); }
}  // namespace

frmMsgEx::frmMsgEx(MdiFrame* frame) : ToolForm(frame, QStringLiteral("frmMsgEx"), Kind, MenuId::mnuMsgEx) {
    Label1 = new Label(this, QStringLiteral("Label1"));
    Text1 = new TextBox(this, QStringLiteral("Text1"), -1, true);
    Text1->setLocked(true);
    sink_.form = this;
}

void frmMsgEx::Sink::clear() { form->Text1->setText(""); }
void frmMsgEx::Sink::append(const std::string& text) { form->Text1->AppendText(text, KeepChars); }

void frmMsgEx::Form_Load() {
    std::string tag(ImgFixedLen, '\0');
    put(tag, ImgKind, Kind);
    setTag(tag);
    setCaption(Msg(108));
    Label1->setCaption(MidiOn ? MidiDev::OutName(0) : Msg(33));
    Text1->setText("");
    RegisterLink<MidiMonSinkT>(&sink_);
    logging_ = Registration([this] {
        UnregisterLink<MidiMonSinkT>(&sink_);
        MidiMonLogOn = false;
    });
    // Also when the window comes back with the others at start-up.
    ToolLoaded();
}

void frmMsgEx::Form_Activate() { menuAgg(); }

void frmMsgEx::Form_Resize() {
    if (WindowState() != vbMinimized) {
        const int m = 60;
        Label1->Move(m, m, std::max(0, ScaleWidth() - 2 * m), 300);
        Text1->Move(m, 420, std::max(0, ScaleWidth() - 2 * m), std::max(0, ScaleHeight() - 480));
        ToolResized();
    }
    menuAgg();
}

void frmMsgEx::Form_Unload(int& /*Cancel*/) {
    logging_.release();
    ToolUnloaded();
    menuAgg();
}
