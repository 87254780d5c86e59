#include "shell/frmGuida.h"

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
    Text1->plainEdit()->setFont(TypewriterFont(QStringLiteral("Courier New"), 10));
    Text1->setText(fromQt(GuideTextShown(GuidaText)));
    // In the language of the guide shown, which follows a language switch at once.
    setCaption(std::string("Velmora - Velmora v 3.0 ") + " - " + MsgChosen(47));
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
