#include "library/frmStyAB.h"

#include <algorithm>

#include <QFont>

#include "app/Captions.h"
#include "app/Links.h"
#include "app/Messages.h"
#include "app/Tables.h"
#include "app/state.h"
#include "files/WindowImage.h"
#include "library/BanksView.h"
#include "library/Links.h"
#include "library/state.h"
#include "midi/MIDI.h"
#include "platform/Controls.h"
#include "shell/frmMain.h"

namespace {
struct Placement {
    int listHeight, listWidth, bottomTop;
};
Placement placement(bool largeFonts) { return largeFonts ? Placement{3900, 8980, 3890} : Placement{4100, 9200, 4100}; }
constexpr int ButtonWidth = 1500, ButtonHeight = 375;

MenuId menuOf(int kind) { return kind == 18 ? MenuId::mnuStyB : MenuId::mnuStyA; }
}  // namespace

QPointer<frmStyAB>& StyABForm(int kind) {
    static std::array<QPointer<frmStyAB>, 2> forms;
    return forms[kind == 18 ? 1 : 0];
}

frmStyAB::frmStyAB(MdiFrame* frame, int kind) : DocWindow(frame, QStringLiteral("frmStyAB"), kind) {
    List1 = new ListBox(this, QStringLiteral("List1"));
    List1->setColumns(4);
    const QFont f = ListFont();
    List1->setFont(f);
    List1->Click = [this] { List1_Click(); };
    setPopupList(List1);
    addModeButtons();
}

void frmStyAB::Form_Load() {
    beginLoad();
    const int k = kind();
    Layout l = layoutRead();
    CommClose->setCaption(Msg(8));
    fitStandardSize(layoutControls(), l.Height, l.Width);
    l.State = 1;
    Move(l.Left, l.Top, l.Width, l.Height);
    layoutWrite(l);

    for (int i = 0; i < 64; ++i) List1->AddItem(StyBankRow(k, i));
    const std::string image = WindowImageNew(k);
    setTag(image);
    setCaption(DocCaptionBuild(image));
    MainWindowLink().enableMenu(menuOf(k), false);
    endLoad(StyWinCount);
}

void frmStyAB::List1_Click() {
    if (loading() || !EditArrSelSty) return;
    const int i = List1->ListIndex();
    if (i < 0) return;
    EditArrStyAssign(i, Tag());
}



void frmStyAB::unloadMenus() { MainWindowLink().enableMenu(menuOf(kind()), true); }

void EditArrStyAssign(int row, const std::string& image) {
    // The editor writes the style into the record and shows it.
    EditorLink().editArrStyAssign(row, image);
}

namespace {
void styBankShow(int kind) {
    StyABKind = kind;
    frmMain* m = MainForm();
    if (!m) return;
    QPointer<frmStyAB>& f = StyABForm(kind);
    if (!LiveOn(f, m)) f = new frmStyAB(m, kind);
    f->Show();
}
}  // namespace

void mnuStyA_Click() { styBankShow(17); }
void mnuStyB_Click() { styBankShow(18); }

Extent frmStyAB::layoutControls() {
    const Placement p = placement(TwipsY == 12);
    const ListGrid grid = ListGridFor(List1, 16, 4, p.listWidth, p.listHeight);
    int natural = 0;
    const int top = placeListOverRow(List1, 20, grid, p.bottomTop, ButtonHeight, natural);
    const int bw = ButtonWidth, bh = ButtonHeight;
    const int right = PlaceRow({{CommArrPlay, 1230, top, bw, bh},
                                {CommSongPlay, 1230 + 2600, top, bw, bh},
                                {CommClose, 1230 + 2 * 2600, top, bw, bh}});
    return {std::max(grid.width, right) + 60, natural + bh + 60};
}

void frmStyAB::Form_Resize() {
    if (loading()) return;
    DocWindow::Form_Resize();
    layoutControls();
}
