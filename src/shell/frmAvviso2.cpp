#include "shell/frmAvviso2.h"

#include <algorithm>

frmAvviso2::frmAvviso2(MdiFrame* frame) : QWidget(frame, Qt::Tool), frame_(frame) {
    setObjectName(QStringLiteral("frmAvviso2"));
    setAttribute(Qt::WA_DeleteOnClose);
    Label1 = new Label(this, QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    CommClose = new CommandButton(this, QStringLiteral("CommClose"));
    CommClose->setCaption("&Close");
    CommClose->Click = [this] { CommClose_Click(); };
    Move(0, 0, DesignWidth, DesignHeight);
}

void frmAvviso2::Move(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    if (width >= 0) width_ = width;
    if (height >= 0) height_ = height;
    setGeometry(twipsToPxX(left_), twipsToPxY(top_), twipsToPxX(width_), twipsToPxY(height_));
    Label1->Move(120, 120, std::max(0, width_ - 240), std::max(0, height_ - 720));
    CommClose->Move(std::max(0, width_ / 2 - 600), std::max(0, height_ - 540), 1200, 375);
}

void frmAvviso2::Show() {
    if (!loaded_) {
        loaded_ = true;
        Form_Load();
    }
    show();
    raise();
}

void frmAvviso2::Unload() { close(); }

void frmAvviso2::Form_Load() {
    // Centred on the main window, wherever that stands.
    const int frameLeft = frame_ ? frame_->Left() : 0, frameTop = frame_ ? frame_->Top() : 0;
    const int frameWidth = frame_ ? frame_->Width() : 0, frameHeight = frame_ ? frame_->Height() : 0;
    Move(frameLeft + CentreOffset(frameWidth, width_), frameTop + CentreOffset(frameHeight, height_));
}

void frmAvviso2::CommClose_Click() { Unload(); }
