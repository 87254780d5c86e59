#pragma once
// A notice: a line of text and a Close button in a small window of its own,
// centred on the main window when it loads. Geometry in twips, kept as set.
#include <QPointer>
#include <QWidget>

#include "platform/Controls.h"
#include "platform/Forms.h"

class frmAvviso2 : public QWidget {
    Q_OBJECT
public:
    // Design size (twips).
    static constexpr int DesignWidth = 4800, DesignHeight = 1500;

    explicit frmAvviso2(MdiFrame* frame);

    Label* Label1;
    CommandButton* CommClose;

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void Move(int left, int top, int width = -1, int height = -1);

    // Where a window of ownWidth x ownHeight stands centred on a frame of
    // frameWidth x frameHeight, relative to the frame's corner: the halves
    // of the twips sizes, truncated.
    static int CentreOffset(int frameSize, int ownSize) { return frameSize / 2 - ownSize / 2; }

    bool Loaded() const { return loaded_; }
    // Form_Load once, then shows the window.
    void Show();
    // Closes the window; it is deleted afterwards.
    void Unload();

    void Form_Load();
    void CommClose_Click();

private:
    QPointer<MdiFrame> frame_;
    int left_ = 0, top_ = 0, width_ = DesignWidth, height_ = DesignHeight;
    bool loaded_ = false;
};
