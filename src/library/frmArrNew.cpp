// The new arrangement window: its controls, its empty document, the pick and
// the two sends, and what it leaves behind when it closes.
#include "library/frmArrNew.h"

#include <algorithm>

#include <QFont>

#include "app/Captions.h"
#include "app/InfoFile.h"
#include "app/Links.h"
#include "app/Messages.h"
#include "app/Mru.h"
#include "app/Tables.h"
#include "app/state.h"
#include "files/Clipboard.h"
#include "files/Readers.h"
#include "files/StyGroups.h"
#include "files/Writers.h"
#include "files/state.h"
#include "library/ArrNewView.h"
#include "library/ArrUView.h"
#include "library/StyleGroupSend.h"
#include "library/state.h"
#include "midi/MIDI.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "platform/Timer.h"
#include "platform/bytes.h"
#include "shell/MenuAgg.h"
#include "shell/frmMain.h"

std::array<QPointer<frmArrNew>, 9>& ArrNewForms() {
    static std::array<QPointer<frmArrNew>, 9> forms;
    return forms;
}

namespace {
constexpr int Kind = 20;
constexpr int Idle = 10;
constexpr int BankArmed = 9;
constexpr int StylesPause = 800;
constexpr int ClickAfterBank = 11, ClickAfterStyles = 12;

// Layout (twips).
constexpr int ButtonStep = 1540, ButtonWidth = 1400, ButtonHeight = 375;
constexpr int ComboLeft = 80, ComboWidth = 2500, BoxHeight = 315, LabelWidth = 480, Gap = 40, LabelDrop = 35;
constexpr int Margin = 60;

SlotRec& slotRecord(int slot) { return ArrNewSlots[static_cast<std::size_t>(slot >= 1 && slot <= 8 ? slot : 0)]; }
}  // namespace

frmArrNew::frmArrNew(MdiFrame* frame) : DocWindow(frame, QStringLiteral("frmArrNew"), Kind) {
    setDocument(WinFamily::ArrNew);
    List1 = new ListBox(this, QStringLiteral("List1"));
    List1->setColumns(4);
    List1->setMultiSelect(2);
    const QFont f = ListFont();
    List1->setFont(f);
    List1->Click = [this] { List1_Click(); };
    setPopupList(List1);

    Combo1 = new ComboBox(this, QStringLiteral("Combo1"));
    Label1 = new Label(this, QStringLiteral("Label1"));
    Label1->setCaption("Style");
    CommLoadArr = addButton("CommLoadArr", "Load &Arr");
    CommLoadSty = addButton("CommLoadSty", "Load &Styles");
    addModeButtons(nullptr);
    CommLoadArr->Click = [this] { CommLoadArr_Click(); };
    CommLoadSty->Click = [this] { CommLoadSty_Click(); };

    auto timer = [this](const char* name) {
        auto* t = new Timer(this, QString::fromLatin1(name));
        t->setInterval(Idle);
        t->setEnabled(false);
        return t;
    };
    TimerLoadArr = timer("TimerLoadArr");
    TimerLoadSty = timer("TimerLoadSty");
    TimerList1 = timer("TimerList1");
    TimerLoadArr->onTimer = [this] { TimerLoadArr_Timer(); };
    TimerLoadSty->onTimer = [this] { TimerLoadSty_Timer(); };
    styleSend_ = std::make_unique<StyleGroupSend>(this, TimerLoadSty, TimerLoadSty, StylesPause);
    styleSend_->ended = [this](int result, const std::string& image) { stylesEnded(result, image); };
    TimerList1->onTimer = [this] {
        TimerList1->setEnabled(false);
        List1_Click();
    };
}

frmArrNew::~frmArrNew() {
    // Destroyed while open, without unloading: its slot is free again.
    const int s = slot();
    if (open_ && s >= 1) ArrNewSlotUsed[static_cast<std::size_t>(s)] = 0;
}

int frmArrNew::slot() const {
    const int s = at(Tag(), ImgSlot);
    return s >= 1 && s <= 8 ? s : 0;
}

Extent frmArrNew::layoutControls() {
    // The list's four columns, the bottom row below them.
    const bool large = TwipsY == 12;
    const ListGrid grid = ListGridFor(List1, 16, 4, large ? 9320 : 9290, large ? 4100 : 4300);
    int natural = 0;
    const int top = placeListOverRow(List1, 20, grid, large ? 4030 : 4230, ButtonHeight, natural);
    const int labelLeft = ComboLeft + ComboWidth + Gap;
    const int left = labelLeft + LabelWidth + Gap;
    const int right = PlaceRow({{Combo1, ComboLeft, top, ComboWidth, BoxHeight},
                                {Label1, labelLeft, top + LabelDrop, LabelWidth, BoxHeight},
                                {CommLoadArr, left, top, ButtonWidth, ButtonHeight},
                                {CommLoadSty, left + ButtonStep, top, ButtonWidth, ButtonHeight},
                                {CommArrPlay, left + 2 * ButtonStep, top, ButtonWidth, ButtonHeight},
                                {CommClose, left + 3 * ButtonStep, top, ButtonWidth, ButtonHeight}});
    return {std::max(grid.width, right) + Margin, natural + ButtonHeight + Margin};
}

void frmArrNew::Form_Load() {
    beginLoad();
    const int s = ArrNewSlotCur >= 1 && ArrNewSlotCur <= 8 ? ArrNewSlotCur : 1;
    ArrNewSlotWork = slotRecord(s);
    ArrNewSlotWork.State = 1;
    slotRecord(s) = ArrNewSlotWork;
    // Always at the top left, at its standard size, which holds its controls.
    CommClose->setCaption(Msg(8));
    int h = 0, w = 0;
    fitStandardSize(layoutControls(), h, w);
    Move(0, 0, w, h);

    const std::string image = ArrNewImage(ArrFileBuf, StyGrpBuf, s);
    setTag(image);
    setCaption(DocCaptionBuild(image));
    RefreshFromImage();
    open_ = true;
    ArrNewForms()[static_cast<std::size_t>(s)] = this;
    endLoad(ArrWinCount);
}

void frmArrNew::RefreshFromImage() {
    const std::string& image = Tag();
    List1->Clear();
    for (int i = 0; i < 64; ++i) List1->AddItem(ArrRowText(image, i));
    Combo1->Clear();
    for (const std::string& e : ArrStyleEntries(image)) Combo1->AddItem(e);
    CommLoadArr->setEnabled(ArrAnyRowHolds(image));
    CommLoadSty->setEnabled(StyGrpCount(image) > 0);
}

void frmArrNew::ImageChanged() {
    RefreshFromImage();
    setCaption(DocCaptionBuild(Tag()));
}

bool frmArrNew::JobOffered(WindowJob job) const {
    if (job == WindowJob::LoadArr) return buttonOn(CommLoadArr);
    if (job == WindowJob::LoadSty) return buttonOn(CommLoadSty);
    return false;
}

void frmArrNew::RunJob(WindowJob job) {
    if (job == WindowJob::LoadArr) armJob(TimerLoadArr);
    if (job == WindowJob::LoadSty) armJob(TimerLoadSty);
}

// ---- the pick ----------------------------------------------------------------------

bool frmArrNew::instrumentHolds(const std::string& infoTitle, bool sentHere) const {
    // An untitled document shares its title with every other new window of
    // its slot: only this window's own send puts it on the instrument.
    if (at(Tag(), ImgUntitled) == 1 && !sentHere) return false;
    return InfoTitleIs(infoTitle, PathName(ImgPathOf(Tag())));
}

void frmArrNew::List1_Click() {
    if (loading()) return;
    const int idx = List1->ListIndex();
    if (idx < 0) return;
    MenuAgg();
    if (ArrRowEmpty(List1->List(idx))) {
        Combo1->setText("");
        StatusMsg(0);
        return;
    }
    bool selectOnly = false;
    switch (TimerList1->Interval()) {
    case ClickAfterStyles:
        TimerList1->setInterval(Idle);
        selectOnly = true;
        break;
    case ClickAfterBank: TimerList1->setInterval(Idle); break;
    case Idle:
        if (CaricaArrOpt) {
            InfoFileRead();
            if (!instrumentHolds(InfoArrTitle, bankSent_)) {
                TimerList1->setInterval(ClickAfterBank);
                CommLoadArr_Click();
                return;
            }
        }
        break;
    default: break;
    }
    if (!selectOnly) {
        if (ModeNow != 0) ModeTx0A();
        Combo1->setText(ArrStyleText(Tag(), idx));
        if (ArrUsesOwnStyle(Tag(), idx) && CaricaStyOpt) {
            const std::string styTitle = InfoFileRead();
            if (!instrumentHolds(styTitle, stylesSent_)) {
                TimerList1->setInterval(ClickAfterStyles);
                CommLoadSty_Click();
                return;
            }
        }
    }
    MidiMonLog("");
    int n = idx;
    ArrSelectSend(n, Kind);
    MidiMonLogSent();
    StatusMsg(0);
}


void frmArrNew::releaseParkedClick(int state) {
    if (TimerList1->Interval() == state) TimerList1->setEnabled(true);
}

// ---- the bank ------------------------------------------------------------------------

void frmArrNew::CommLoadArr_Click() {
    if (TimerLoadArr->Interval() != Idle) {
        // Pending: a click parked meanwhile still runs when the send ends.
        return;
    }
    StatusMsg(3);
    TimerLoadArr->setInterval(BankArmed);
    TimerLoadArr->setEnabled(true);
}

void frmArrNew::TimerLoadArr_Timer() {
    TimerLoadArr->setEnabled(false);
    if (TimerLoadArr->Interval() == Idle) {
        // Armed at rest by the Edit menu: the press.
        CommLoadArr_Click();
        return;
    }
    QPointer<frmArrNew> self(this);
    MidiMonLog("");
    const std::string image = Tag();
    if (ArrTxBank(image) == 0) {
        InfoSetArr(image);
        bankSent_ = true;
    }
    if (!self || !self->Loaded()) return;
    StatusMsg(0);
    TimerLoadArr->setInterval(Idle);
    releaseParkedClick(ClickAfterBank);
}

// ---- the styles ------------------------------------------------------------------------

void frmArrNew::CommLoadSty_Click() {
    if (styleSend_->running()) return;   // running: nothing more
    // Nothing to send, or another window's styles are going out: a click
    // waiting for the styles goes on without them.
    if (!styleSend_->start(StyGrpCount(Tag()))) releaseParkedClick(ClickAfterStyles);
}

void frmArrNew::TimerLoadSty_Timer() {
    TimerLoadSty->setEnabled(false);
    // Armed at rest by the Edit menu: the press.
    if (!styleSend_->running()) return CommLoadSty_Click();
    styleSend_->step();
}

void frmArrNew::stylesEnded(int result, const std::string& image) {
    if (result == 0) {
        InfoSetSty(image);
        stylesSent_ = true;
    }
    int n = List1->ListIndex();
    if (n >= 0) ArrSelectSend(n, Kind);
    releaseParkedClick(ClickAfterStyles);
}

// ---- the layout record -------------------------------------------------------------------

DocWindow::Layout frmArrNew::layoutRead() {
    ArrNewSlotWork = slotRecord(slot());
    return {ArrNewSlotWork.Top, ArrNewSlotWork.Left, ArrNewSlotWork.Height, ArrNewSlotWork.Width,
            ArrNewSlotWork.State};
}

void frmArrNew::layoutWrite(const Layout& l) {
    ArrNewSlotWork.Top = l.Top;
    ArrNewSlotWork.Left = l.Left;
    ArrNewSlotWork.Height = l.Height;
    ArrNewSlotWork.Width = l.Width;
    ArrNewSlotWork.State = static_cast<uint8_t>(l.State);
    if (slot() != 0) slotRecord(slot()) = ArrNewSlotWork;
}

// ---- closing ---------------------------------------------------------------------------

void frmArrNew::Form_QueryUnload(int& Cancel, int UnloadMode) {
    // Nothing pasted: nothing to lose.
    if (!ArrAnyRowHolds(Tag())) return;
    DocWindow::Form_QueryUnload(Cancel, UnloadMode);
}

void frmArrNew::saved() { MruAdd(ImgPathOf(Tag()) + ".arr", 0); }

void frmArrNew::unloadMenus() {
    styleSend_->stop();
    // A bank send still pending goes with the window.
    if (TimerLoadArr->Interval() != Idle) StatusMsg(0);
    TimerLoadArr->setEnabled(false);
    TimerLoadArr->setInterval(Idle);
    TimerList1->setEnabled(false);
    const int s = slot();
    if (s >= 1) {
        ArrNewSlotUsed[static_cast<std::size_t>(s)] = 0;
        if (ArrNewForms()[static_cast<std::size_t>(s)] == this) ArrNewForms()[static_cast<std::size_t>(s)] = nullptr;
    }
    MainWindowLink().enableMenu(MenuId::mnuNuovoArr, true);
    open_ = false;
}

// ---- File > New Arrangement --------------------------------------------------------------

namespace {
int newSlotFree() {
    for (int s = 1; s <= 8; ++s)
        if (ArrNewSlotUsed[static_cast<std::size_t>(s)] == 0) return s;
    return 0;
}
}  // namespace

void mnuNuovoArr_Click() {
    if (!MainForm()) return;
    const int r = ArrFileRead(ArrAFile);
    if (r != 0) {
        // A damaged bank file has been reported by the reader.
        if (r == 3) ErrMsg(ErrFileNotFoundName, MainWindowLink().caption(), ArrAFile);
        return;
    }
    ArrFileBuf = ArrNewDocument(ArrFileBuf);
    const int s = newSlotFree();
    if (s != 0) {
        ArrNewSlotCur = s;
        MainWindowLink().enableMenu(MenuId::mnuWindow, true);
        ArrNewSlotUsed[static_cast<std::size_t>(s)] = 1;
        ShowWindowOf(WinFamily::ArrNew, s);
    }
    if (newSlotFree() == 0) MainWindowLink().enableMenu(MenuId::mnuNuovoArr, false);
}

void frmArrNew::Form_Resize() {
    if (loading()) return;
    DocWindow::Form_Resize();
    layoutControls();
}
