#include "banks/frmPcgAE.h"

namespace {
// Rows can be copied; a pick refreshes the menus and clears the status line;
// the Edit menu comes up on the right press.
const BankWindow::Shape PcgAEShape{
    64, 16, 2, false, true,
    {20, 3900, 8980, 3890, 30, 35},   // large fonts
    {20, 4100, 9200, 4100, 0, 40},
};
}  // namespace

frmPcgAE::frmPcgAE(MdiFrame* frame, int kind) : BankWindow(frame, QStringLiteral("frmPcgAE"), kind, PcgAEShape) {}

std::array<QPointer<frmPcgAE>, 9>& PcgAEForms() {
    static std::array<QPointer<frmPcgAE>, 9> forms;
    return forms;
}
