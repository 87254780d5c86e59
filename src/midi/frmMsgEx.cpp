#include "midi/frmMsgEx.h"

#include <QPointer>

#include "app/Links.h"
#include "app/Messages.h"
#include "app/Tables.h"
#include "app/state.h"
#include "files/WindowImage.h"
#include "midi/MIDI.h"
#include "platform/bytes.h"

namespace {
QPointer<frmMsgEx> theForm;

void menuAgg() {
    MainWindowLink().menuAgg();
}
}  // namespace

frmMsgEx::frmMsgEx(MdiFrame* frame) : ChildForm(frame, QStringLiteral("frmMsgEx")) {
    Label1 = new Label(this, QStringLiteral("Label1"));
    Text1 = new TextBox(this, QStringLiteral("Text1"), -1, true);
    Text1->setLocked(true);
}

frmMsgEx* frmMsgEx::Instance(MdiFrame* frame) {
    if (!theForm) theForm = new frmMsgEx(frame);
    return theForm;
}

frmMsgEx* frmMsgEx::Existing() { return theForm; }

void frmMsgEx::Form_Load() {
    std::string tag(ImgFixedLen, '\0');
    put(tag, ImgKind, Kind);
    setTag(tag);
    setCaption(Msg(108));
    Label1->setCaption(MidiOn ? MidiDev::OutName(0) : Msg(33));
    Text1->setText("");

    WinState& e = WinEntry(Kind);
    Move(e.Left, e.Top, e.Width > 0 ? e.Width : StdWidth, e.Height > 0 ? e.Height : StdHeight);
    e.State = 1;
    ++ChildWinCount;

    MidiMonSink.clear = [this] { Text1->setText(""); };
    MidiMonSink.append = [this](const std::string& s) { Text1->setText(Text1->Text() + s); };
    // Also when the window comes back with the others at start-up.
    MainWindowLink().enableMenu(MenuId::mnuMsgEx, false);
}

void frmMsgEx::Form_Activate() { menuAgg(); }

void frmMsgEx::Form_Resize() {
    if (WindowState() == vbMinimized) {
        menuAgg();
        return;
    }
    const int m = 60;
    Label1->Move(m, m, std::max(0, ScaleWidth() - 2 * m), 300);
    Text1->Move(m, 420, std::max(0, ScaleWidth() - 2 * m), std::max(0, ScaleHeight() - 480));
    WinState& e = WinEntry(Kind);
    if (WindowState() == vbNormal) {
        e.Height = Height();
        e.Width = Width();
    }
    menuAgg();
}

void frmMsgEx::Form_Unload(int& /*Cancel*/) {
    MidiMonSink = {};
    MidiMonLogOn = false;
    SingleWinUnloadStore(*this, Kind);
    MainWindowLink().enableMenu(MenuId::mnuMsgEx, true);
    menuAgg();
}
