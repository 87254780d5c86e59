#include "editors/arrangement/frmEditBSQ.h"

#include "app/Tables.h"
#include "app/state.h"
#include "editors/state.h"
#include "files/WindowImage.h"
#include "platform/Controls.h"
#include "shell/MenuAgg.h"

frmEditBSQ::frmEditBSQ(MdiFrame* frame) : ToolForm(frame, QStringLiteral("frmEditBSQ"), Kind) {
    Picture1 = new PictureBox(this, QStringLiteral("Picture1"));
    Picture1->Move(60, 60, 6600, 3600);
    Picture1->setBackColor(Qt::white);
    // The five staff lines the sequence is drawn over.
    for (int k = 0; k < 5; ++k) Picture1->Line(0, 1200 + 240 * k, 6600, 1200 + 240 * k);
    HScroll1 = new HScroll(this, QStringLiteral("HScroll1"));
    HScroll1->Move(60, 3720, 6600, 255);
}

void frmEditBSQ::Form_Load() {
    {
        const Quiet quiet;
        setTag(WindowImageNew(Kind));
        setCaption("Edit Backing Sequence");
        int h = 0, w = 0;
        StandardSize(Kind, h, w);
        Move(0, 0, w, h);   // its designed place and size
    }
    ToolLoaded(false);   // where it was designed
}

void frmEditBSQ::Form_Resize() {
    if (Busy) return;
    ToolResizedToStandard();
    MenuAgg();
}

void frmEditBSQ::Form_Unload(int& /*Cancel*/) { ToolUnloaded(); }
