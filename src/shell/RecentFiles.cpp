#include "shell/RecentFiles.h"

#include "app/state.h"
#include "documents/Documents.h"
#include "platform/Controls.h"
#include "shell/frmMain.h"

namespace {

// The Open command of an entry's kind (1 arr, 2 sty, 3 prg, 4 pgg, 5 gbl,
// 6 bsq); nullptr for an empty entry.
MenuItem* openItemOf(const frmMain& m, int kind) {
    switch (kind) {
    case 1: return m.mnuApriArr;
    case 2: return m.mnuApriSty;
    case 3: case 4: return m.mnuApriPrg;
    case 5: return m.mnuApriGbl;
    case 6: return m.mnuApriBSQ;
    default: return nullptr;
    }
}

}  // namespace

void RecentFilesEnable() {
    frmMain* m = MainForm();
    if (!m) return;
    for (int i = 1; i <= 8; ++i) {
        const MenuItem* open = openItemOf(*m, MruTable[static_cast<std::size_t>(i)].Kind);
        m->mnuRecentFile[static_cast<std::size_t>(i)]->setEnabled(open && open->isEnabled());
    }
}

void InstallRecentFiles() { RegisterRecentFileCommand(mnuRecentFile_Click); }
