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
    placeFromRecord();

    layoutControls();
    CommClose->setCaption(Msg(8));

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
    ArrModified = true;
}



void frmStyAB::unloadMenus() { MainWindowLink().enableMenu(menuOf(kind()), true); }

void EditArrStyAssign(int row, const std::string& image) {
    const int k = WinKind(image);
    if (k == 17 || k == 18) StyBankAssign(ArrRec, k, row);
    // The editor shows the style it now has.
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

// The design's places, kept inside the window (the list's four columns and
// the bottom row show).
void frmStyAB::layoutControls() {
    const Placement p = placement(TwipsY == 12);
    const int top = bottomRowTop(p.bottomTop, ButtonHeight);
    List1->Move(0, 20, insideWidth(p.listWidth), std::min(p.listHeight, top - 20 - 30));
    CommArrPlay->Move(1230, top, ButtonWidth, ButtonHeight);
    CommSongPlay->Move(1230 + 2600, top, ButtonWidth, ButtonHeight);
    CommClose->Move(1230 + 2 * 2600, top, ButtonWidth, ButtonHeight);
}

void frmStyAB::Form_Resize() {
    if (loading()) return;
    DocWindow::Form_Resize();
    layoutControls();
}
