#pragma once
// The factory style banks A and B (kinds 17 and 18): the 64 style names of
// each bank. While the arrangement editor waits for a style, a pick gives
// the edited arrangement that style.
#include <QPointer>

#include "library/DocWindow.h"

class frmStyAB : public DocWindow {
    Q_OBJECT
public:
    frmStyAB(MdiFrame* frame, int kind);

    void Form_Load() override;
    void Form_Resize() override;
    // The controls at their places; the inside they need.
    Extent layoutControls();
    void List1_Click();

    ListBox* List1 = nullptr;

protected:
    void unloadMenus() override;
};

QPointer<frmStyAB>& StyABForm(int kind);
// View > Style A / B.
void mnuStyA_Click();
void mnuStyB_Click();
// The style of row `row` of a style window image becomes the edited
// arrangement's style (the arrangement editor does it).
void EditArrStyAssign(int row, const std::string& image);
