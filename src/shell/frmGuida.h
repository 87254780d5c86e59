#pragma once
// The user's guide viewer: GuidaText, read only, in a fixed-pitch font.
// Single instance, window kind 28; the guide command fills GuidaText first.
#include "app/ToolForm.h"
#include "platform/Controls.h"

class frmGuida : public ToolForm {
    Q_OBJECT
public:
    static constexpr int Kind = 28;
    // However small the frame, the window keeps this height (twips).
    static constexpr int MinHeight = 1200;

    explicit frmGuida(MdiFrame* frame);

    TextBox* Text1;

    // The window's size for a frame `frameHeight` twips high, with the
    // status bar's design height and the screen's twips per pixel.
    static void SizeFor(int frameHeight, int statusBarHeight, int twipsY, int& height, int& width);

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() override;
    void Form_Unload(int& Cancel) override;
};
