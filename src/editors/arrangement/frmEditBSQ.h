#pragma once
// The backing-sequence view (kind 30): a drawing area with its five guide
// lines and a scroll bar. It keeps its size within its standard size and
// its place in the window table; nothing in the program opens it yet.
#include "app/ToolForm.h"

class HScroll;
class PictureBox;

class frmEditBSQ : public ToolForm {
    Q_OBJECT
public:
    static constexpr int Kind = 30;
    explicit frmEditBSQ(MdiFrame* frame);

    void Form_Load() override;
    void Form_Resize() override;
    void Form_Unload(int& Cancel) override;

    PictureBox* Picture1 = nullptr;
    HScroll* HScroll1 = nullptr;
};
