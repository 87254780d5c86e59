#include "library/frmArrAB.h"

#include <algorithm>

#include <QFont>

#include "app/Captions.h"
#include "app/Links.h"
#include "app/Messages.h"
#include "app/Tables.h"
#include "app/state.h"
#include "files/Clipboard.h"
#include "files/Readers.h"
#include "files/WindowImage.h"
#include "files/state.h"
#include "library/BanksView.h"
#include "midi/MIDI.h"
#include "platform/Controls.h"
#include "platform/Timer.h"
#include "platform/bytes.h"
#include "shell/frmMain.h"

namespace {
constexpr int FirstPass = 10, SecondPass = 0;

struct Placement {
    int listHeight, listWidth, bottomTop;
};
Placement placement(bool largeFonts) { return largeFonts ? Placement{4100, 9000, 4030} : Placement{4300, 9200, 4230}; }
constexpr int ButtonWidth = 1500, ButtonHeight = 375, BoxHeight = 315;

MenuId menuOf(int kind) { return kind == 3 ? MenuId::mnuArrB : MenuId::mnuArrA; }
}  // namespace

QPointer<frmArrAB>& ArrABForm(int kind) {
    static std::array<QPointer<frmArrAB>, 2> forms;
    return forms[kind == 3 ? 1 : 0];
}

frmArrAB::frmArrAB(MdiFrame* frame, int kind) : DocWindow(frame, QStringLiteral("frmArrAB"), kind) {
    List1 = new ListBox(this, QStringLiteral("List1"));
    List1->setColumns(4);
    List1->setMultiSelect(2);
    const QFont f = ListFont();
    List1->setFont(f);
    List1->Click = [this] { List1_Click(); };
    List1->MouseUp = [this](int b, int s, int x, int y) { List1_MouseUp(b, s, x, y); };
    Text1 = new TextBox(this, QStringLiteral("Text1"));
    Text1->setLocked(true);
    Combo1 = new ComboBox(this, QStringLiteral("Combo1"));
    const char* labels[] = {"ID", "Style"};
    for (int i = 0; i < 2; ++i) {
        Label1[static_cast<std::size_t>(i)] = new Label(this, QStringLiteral("Label1"), i);
        Label1[static_cast<std::size_t>(i)]->setCaption(labels[i]);
    }
    addModeButtons();
    Timer0 = new Timer(this, QStringLiteral("Timer"), 0);
    Timer0->setInterval(FirstPass);
    Timer0->setEnabled(false);
    Timer0->onTimer = [this] { Timer_Timer(0); };
}

void frmArrAB::Form_Load() {
    beginLoad();
    const int k = kind();
    Layout l = layoutRead();
    CommClose->setCaption(Msg(8));
    fitStandardSize(layoutControls(), l.Height, l.Width);
    l.State = 1;
    Move(l.Left, l.Top, l.Width, l.Height);
    layoutWrite(l);

    std::string image = WindowImageNew(k, ArrFileBuf);
    for (int i = 0; i < 64; ++i) List1->AddItem(ArrRowText(image, i));
    for (const std::string& e : ArrBankStyleEntries(image)) Combo1->AddItem(e);
    setTag(image);
    setCaption(DocCaptionBuild(image));
    MainWindowLink().enableMenu(menuOf(k), false);
    Text1->setText(k == 3 ? " 2" : " 1");
    endLoad(ArrWinCount);

    // A find by number picks its arrangement; the flag never outlives the load.
    if (FindIDPending) {
        const int pos = FindIDPos;
        if (pos >= 0 && pos < 64) {
            List1->setListIndex(pos);
            List1->setSelected(pos, true);
        }
        FindIDPending = false;
    }
}

Extent frmArrAB::layoutControls() {
    const Placement p = placement(TwipsY == 12);
    const ListGrid grid = ListGridFor(List1, 16, 4, p.listWidth, p.listHeight);
    int natural = 0;
    const int top = placeListOverRow(List1, 20, grid, p.bottomTop, ButtonHeight, natural);
    const int bw = ButtonWidth, bh = ButtonHeight;
    const int right = PlaceRow({{Text1, 200, top, 700, BoxHeight},
                                {Label1[0], 200 + 900, top + 35, 300, BoxHeight},
                                {Combo1, 1400, top, 1850, BoxHeight},
                                {Label1[1], 1400 + 1900, top + 35, 600, BoxHeight},
                                {CommArrPlay, 3950, top, bw, bh},
                                {CommSongPlay, 3950 + 1700, top, bw, bh},
                                {CommClose, 3950 + 2 * 1700, top, bw, bh}});
    return {std::max(grid.width, right) + 60, natural + bh + 60};
}

void frmArrAB::Form_Resize() {
    if (loading()) return;
    DocWindow::Form_Resize();
    layoutControls();
}

void frmArrAB::List1_Click() {
    FindIDPending = false;
    if (ModeNow != 0) ModeTx0A();
    const int i = List1->ListIndex();
    if (Timer0->Interval() == FirstPass) {
        if (i >= 0) MainWindowLink().setLabelArr(ArrBankLabelText(List1->List(i)));
        Timer0->setEnabled(true);
        return;
    }
    Timer0->setInterval(FirstPass);
    ArrABKind = kind();
    if (i < 0) return;
    Text1->setText(ArrBankIdText(kind(), i));
    Combo1->setText(ArrBankStyleText(Tag(), i));
    for (MenuId id : {MenuId::mnuTaglia, MenuId::mnuCopia, MenuId::mnuIncolla})
        MainWindowLink().enableMenu(id, false);
    MidiMonLog("");
    int n = i;
    ArrSelectSend(n, kind());
    MidiMonLogSent();
}

void frmArrAB::Timer_Timer(int /*Index*/) {
    Timer0->setEnabled(false);
    Timer0->setInterval(SecondPass);
    List1_Click();
}

void frmArrAB::List1_MouseUp(int Button, int, int, int) {
    if (Button != vbRightButton) return;
    MainWindowLink().enableMenu(MenuId::mnuCopia, List1->SelCount() > 0);
    showEditPopup();
}



void frmArrAB::unloadMenus() {
    Timer0->setEnabled(false);
    MainWindowLink().enableMenu(menuOf(kind()), true);
}

void ArrABShow(int kind) {
    frmMain* m = MainForm();
    if (!m || (kind != 2 && kind != 3)) return;
    QPointer<frmArrAB>& f = ArrABForm(kind);
    if (!LiveOn(f, m)) f = new frmArrAB(m, kind);
    f->Show();
}

namespace {
void bankOpen(int kind) {
    ArrABKind = kind;
    const int r = ArrFileRead(kind == 3 ? ArrBFile : ArrAFile);
    if (r == 0) {
        ArrABWinShow();
        return;
    }
    // Missing or empty: said here; damaged: the reader has said so.
    if (r == 3) ErrMsg(kind == 3 ? ErrArrBNotFound : ErrArrANotFound, MsgTitle, "");
    FindIDPending = false;
    const QPointer<frmArrAB>& f = ArrABForm(kind);
    if (!f || !f->Loaded() || f->Discarded()) WinEntry(kind).State = 0;
}
}  // namespace

void mnuArrA_Click() { bankOpen(2); }
void mnuArrB_Click() { bankOpen(3); }
