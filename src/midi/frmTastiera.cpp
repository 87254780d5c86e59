#include "midi/frmTastiera.h"

#include <QMouseEvent>
#include <QPainter>

#include "app/ImageLayout.h"
#include "app/Links.h"
#include "app/Messages.h"
#include "app/Names.h"
#include "app/state.h"
#include "midi/MIDI.h"
#include "platform/bytes.h"

namespace {

void menuAgg() { MainWindowLink().menuAgg(); }

bool isBlack(int note) {
    switch (note % 12) {
    case 1: case 3: case 6: case 8: case 10: return true;
    default: return false;
    }
}

}  // namespace

// ---- the keys -----------------------------------------------------------------

KeyboardKeys::KeyboardKeys(QWidget* parent, const QString& name) : QWidget(parent) {
    setObjectName(name);
    setMinimumSize(200, 60);
}

int KeyboardKeys::whiteCount() const {
    int n = 0;
    for (int k = KbdLowNote; k <= KbdHighNote; ++k) n += isBlack(k) ? 0 : 1;
    return n;
}

QRect KeyboardKeys::keyRect(int note) const {
    const double w = static_cast<double>(width()) / whiteCount();
    int whitesBefore = 0;
    for (int k = KbdLowNote; k < note; ++k) whitesBefore += isBlack(k) ? 0 : 1;
    if (!isBlack(note))
        return QRect(static_cast<int>(whitesBefore * w), 0, static_cast<int>(w), height());
    const double bw = w * 0.6;
    return QRect(static_cast<int>(whitesBefore * w - bw / 2), 0, static_cast<int>(bw), height() * 6 / 10);
}

int KeyboardKeys::noteAt(QPoint p) const {
    for (int k = KbdLowNote; k <= KbdHighNote; ++k)
        if (isBlack(k) && keyRect(k).contains(p)) return k;
    for (int k = KbdLowNote; k <= KbdHighNote; ++k)
        if (!isBlack(k) && keyRect(k).contains(p)) return k;
    return -1;
}

QPoint KeyboardKeys::keyCentre(int note) const {
    QRect r = keyRect(note);
    // Low on white keys, where no black key covers them.
    return isBlack(note) ? r.center() : QPoint(r.center().x(), r.top() + r.height() * 8 / 10);
}

void KeyboardKeys::setSplit(int note) {
    split_ = note;
    update();
}

void KeyboardKeys::paintEvent(QPaintEvent*) {
    QPainter p(this);
    for (int pass = 0; pass < 2; ++pass) {
        for (int k = KbdLowNote; k <= KbdHighNote; ++k) {
            if (isBlack(k) != (pass == 1)) continue;
            QRect r = keyRect(k);
            QColor fill = isBlack(k) ? Qt::black : Qt::white;
            if (k == down_) fill = QColor(120, 160, 220);
            else if (k == split_) fill = isBlack(k) ? QColor(160, 40, 40) : QColor(240, 180, 180);
            p.fillRect(r, fill);
            p.setPen(Qt::gray);
            p.drawRect(r.adjusted(0, 0, -1, -1));
        }
    }
}

void KeyboardKeys::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    int note = noteAt(e->position().toPoint());
    if (note < 0) return;
    down_ = note;
    update();
    if (KeyDown) KeyDown(note);
}

void KeyboardKeys::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || down_ < 0) return;
    int note = down_;
    down_ = -1;
    update();
    if (KeyUp) KeyUp(note);
}

// ---- the window -----------------------------------------------------------------

frmTastiera::frmTastiera(MdiFrame* frame)
    : ToolForm(frame, QStringLiteral("frmTastiera"), Kind, MenuId::mnuTastiera) {
    Label1 = new Label(this, QStringLiteral("Label1"));
    Combo1 = new ComboBox(this, QStringLiteral("Combo1"));
    Label2 = new Label(this, QStringLiteral("Label2"));
    HScroll1 = new HScroll(this, QStringLiteral("HScroll1"));
    Label3 = new Label(this, QStringLiteral("Label3"));
    Combo2 = new ComboBox(this, QStringLiteral("Combo2"));
    HScroll2 = new HScroll(this, QStringLiteral("HScroll2"));
    Label5 = new Label(this, QStringLiteral("Label5"));
    HScroll3 = new HScroll(this, QStringLiteral("HScroll3"));
    Label4 = new Label(this, QStringLiteral("Label4"));
    VScroll1 = new VScroll(this, QStringLiteral("VScroll1"));
    Keys = new KeyboardKeys(this, QStringLiteral("Keys"));

    for (int c = 1; c <= 16; ++c) Combo1->AddItem(std::to_string(c));
    for (int c = 0; c <= 119; ++c) Combo2->AddItem(std::to_string(c));
    HScroll1->setMin(1);
    HScroll1->setMax(127);
    HScroll2->setMin(0);
    HScroll2->setMax(127);
    HScroll3->setMin(-8192);
    HScroll3->setMax(8191);
    HScroll3->setLargeChange(512);
    // The highest note at the top.
    VScroll1->setMin(KbdHighNote);
    VScroll1->setMax(KbdLowNote);

    Combo1->Click = [this] { Combo1_Click(); };
    HScroll1->Change = [this] { HScroll1_Change(); };
    HScroll1->Scroll = [this] { HScroll1_Change(); };
    Combo2->Click = [this] { Combo2_Click(); };
    HScroll2->Change = [this] { HScroll2_Change(); };
    HScroll2->Scroll = [this] { HScroll2_Change(); };
    HScroll3->Change = [this] { HScroll3_Change(); };
    HScroll3->Scroll = [this] { HScroll3_Change(); };
    VScroll1->Change = [this] { VScroll1_Change(); };
    Keys->KeyDown = [this](int n) { keyDown(n); };
    Keys->KeyUp = [this](int n) { keyUp(n); };
}

// Gone without being closed (its frame went first): no note keeps sounding.
frmTastiera::~frmTastiera() {
    if (Loaded()) silence();
}

int frmTastiera::channel() const { return std::max(0, Combo1->ListIndex()); }

void frmTastiera::Form_Load() {
    std::string tag(ImgFixedLen, '\0');
    put(tag, ImgKind, Kind);
    setTag(tag);
    setCaption(Msg(106));
    Label1->setCaption("MIDI Ch");
    Label3->setCaption("Control");
    Label5->setCaption("Pitch Bend");

    filling_ = true;
    KbdChoice c = KbdSettingsDecode(KbdSettings);
    Combo1->setListIndex(c.channel);
    HScroll1->setValue(c.velocity);
    Label2->setCaption("Velocity " + std::to_string(c.velocity));
    Combo2->setListIndex(c.controller);
    HScroll2->setValue(c.ctlValue);
    HScroll3->setValue(0);
    VScroll1->setValue(c.split);
    Label4->setCaption("Split " + NoteName(c.split));
    Keys->setSplit(c.split);
    filling_ = false;
    store();

    KeyboardLoaded = 1;
    loadedFlag_ = Registration([] { KeyboardLoaded = 0; });
    ToolLoaded();
}

void frmTastiera::Form_Activate() { menuAgg(); }

void frmTastiera::Form_Resize() {
    if (WindowState() == vbMinimized) {
        menuAgg();
        return;
    }
    const int m = 120, row = 330, labelW = 1300;
    const int w = std::max(3000, ScaleWidth());
    const int h = std::max(3000, ScaleHeight());
    int y = m;
    Label1->Move(m, y, labelW, row);
    Combo1->Move(m + labelW, y, 900, row);
    y += row + m;
    Label2->Move(m, y, labelW, row);
    HScroll1->Move(m + labelW, y, w - 3 * m - labelW - 600, row);
    y += row + m;
    Label3->Move(m, y, labelW, row);
    Combo2->Move(m + labelW, y, 900, row);
    HScroll2->Move(2 * m + labelW + 900, y, w - 4 * m - labelW - 900 - 600, row);
    y += row + m;
    Label5->Move(m, y, labelW, row);
    HScroll3->Move(m + labelW, y, w - 3 * m - labelW - 600, row);
    y += row + m;
    VScroll1->Move(w - m - 400, m, 400, y - 2 * m);
    Label4->Move(w - m - 1500, y, 1500, row);
    y += row + m;
    Keys->setGeometry(twipsToPxX(m), twipsToPxY(y), twipsToPxX(w - 2 * m), twipsToPxY(std::max(600, h - y - m)));
    ToolResized();
    menuAgg();
}

// The keyboard refreshes the menus while it is being closed rather than once
// it is gone.
void frmTastiera::Form_QueryUnload(int& /*Cancel*/, int /*UnloadMode*/) { menuAgg(); }

void frmTastiera::Form_Unload(int& /*Cancel*/) {
    silence();
    loadedFlag_.release();
    ToolUnloaded();
}

// No note may keep sounding once the keyboard is gone.
void frmTastiera::silence() {
    AllNotesOffSend(channel());
    if (playing_ >= 0 && playingChannel_ != channel()) AllNotesOffSend(playingChannel_);
    playing_ = -1;
}

// Keeps the choices for the next run.
void frmTastiera::store() {
    if (filling_) return;
    KbdChoice c;
    c.channel = channel();
    c.velocity = HScroll1->Value();
    c.controller = std::max(0, Combo2->ListIndex());
    c.ctlValue = HScroll2->Value();
    c.split = VScroll1->Value();
    KbdSettings = KbdSettingsEncode(c);
}

void frmTastiera::Combo1_Click() { store(); }

void frmTastiera::HScroll1_Change() {
    Label2->setCaption("Velocity " + std::to_string(HScroll1->Value()));
    store();
}

void frmTastiera::Combo2_Click() { store(); }

void frmTastiera::HScroll2_Change() {
    if (filling_) return;
    store();
    ControlSend(channel(), std::max(0, Combo2->ListIndex()), HScroll2->Value());
}

void frmTastiera::HScroll3_Change() {
    if (filling_) return;
    PitchBendSend(channel(), HScroll3->Value());
}

void frmTastiera::VScroll1_Change() {
    int note = VScroll1->Value();
    Label4->setCaption("Split " + NoteName(note));
    Keys->setSplit(note);
    if (filling_) return;
    store();
    ArrParamTx(0, 2, note, 0);
}

void frmTastiera::keyDown(int note) {
    if (playing_ >= 0) keyUp(playing_);
    playing_ = note;
    playingChannel_ = channel();
    NoteOnSend(playingChannel_, note, HScroll1->Value());
}

void frmTastiera::keyUp(int note) {
    if (note != playing_) return;
    playing_ = -1;
    NoteOffSend(playingChannel_, note);
}
