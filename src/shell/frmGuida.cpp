#include "shell/frmGuida.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QTimer>
#include <algorithm>

#include "app/ImageLayout.h"
#include "app/Messages.h"
#include "app/state.h"
#include "platform/Text.h"
#include "platform/bytes.h"
#include "shell/MenuAgg.h"
#include "shell/SmallFiles.h"
#include "shell/frmMain.h"
#include "shell/state.h"

namespace {
// Courier New 10 where it is installed, else the system's fixed-pitch font.
QFont guideFont() {
    QFont f = QFontDatabase::families().contains(QStringLiteral("Courier New"))
                  ? QFont(QStringLiteral("Courier New"))
                  : QFontDatabase::systemFont(QFontDatabase::FixedFont);
    f.setPointSize(10);
    return f;
}
}  // namespace

frmGuida::frmGuida(MdiFrame* frame) : ToolForm(frame, QStringLiteral("frmGuida"), Kind, MenuId::mnuGuida) {
    Text1 = new TextBox(this, QStringLiteral("Text1"), -1, true);
    Text1->setLocked(true);
}

void frmGuida::SizeFor(int frameHeight, int statusBarHeight, int twipsY, int& height, int& width) {
    const bool large = twipsY == 12;
    height = std::max(MinHeight, frameHeight - statusBarHeight - (large ? 700 : 750));
    width = large ? 8800 : 9600;
}

void frmGuida::Form_Load() {
    ToolLoaded(false);
    int h = 0, w = 0;
    MdiFrame* f = frame();
    SizeFor(f ? f->Height() : 0, frmMain::StatusBarHeight, TwipsY, h, w);
    Move(0, 0, w, h);
    Text1->Move(0, 0);
    Text1->plainEdit()->setFont(guideFont());
    Text1->setText(fromQt(GuideTextShown(GuidaText)));
    setCaption(std::string("Velmora - Velmora v 3.0 ") + " - " + Msg(47));
    std::string tag(ImgFixedLen, '\0');
    put(tag, ImgKind, Kind);
    setTag(tag);
}

void frmGuida::Form_Activate() {
    MenuAgg();
    // Once the menu that opened the window has given the focus back.
    QTimer::singleShot(0, this, [this] {
        if (frame() && frame()->ActiveForm() == this) Text1->setFocus();
    });
}

void frmGuida::Form_Resize() {
    if (Height() > 380) Text1->setHeight(Height() - 380);
    if (Width() > 80) Text1->setWidth(Width() - 80);
    const int state = WindowState();
    if (state != vbMaximized) WinEntry(Kind).State = state == vbMinimized ? 2 : 1;
}

void frmGuida::Form_Unload(int& /*Cancel*/) {
    ToolUnloaded(false);
    MenuAgg();
}
