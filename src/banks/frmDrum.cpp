#include "banks/frmDrum.h"

namespace {
// A pick leaves the menus and the status line alone; the Edit menu comes up
// on the right release.
const BankWindow::Shape DrumShape{
    16, 4, 0, true, false,
    {0, 1000, 9000, 990, 10, 35},   // large fonts
    {0, 1130, 9000, 1040, 0, 35},
};
}  // namespace

frmDrum::frmDrum(MdiFrame* frame, int kind) : BankWindow(frame, QStringLiteral("frmDrum"), kind, DrumShape) {}

std::array<QPointer<frmDrum>, 11>& DrumForms() {
    static std::array<QPointer<frmDrum>, 11> forms;
    return forms;
}
