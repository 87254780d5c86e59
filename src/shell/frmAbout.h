#pragma once
// The About box: what the program is and its version, over a background the
// window paints itself. Single instance, window kind 29.
#include "app/ToolForm.h"
#include "platform/Controls.h"

class frmAbout : public ToolForm {
    Q_OBJECT
public:
    static constexpr int Kind = 29;
    // Design size (twips).
    static constexpr int DesignWidth = 6600, DesignHeight = 3300;

    explicit frmAbout(MdiFrame* frame);

    Label* lblTitolo;
    CommandButton* cmdOK;

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload(int& Cancel) override;
    void cmdOK_Click();

protected:
    void paintEvent(QPaintEvent* e) override;
};
