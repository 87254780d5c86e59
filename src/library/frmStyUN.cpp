// The user style window: its controls, its load from the style file just
// read, the group and whole-file sends, the style picker and its closing.
#include "library/frmStyUN.h"

#include <algorithm>

#include <QFont>
#include <QFontMetrics>
#include <QKeyEvent>

#include "app/Captions.h"
#include "app/InfoFile.h"
#include "app/Links.h"
#include "app/Messages.h"
#include "app/Mru.h"
#include "app/Tables.h"
#include "app/state.h"
#include "files/OpenDlg.h"
#include "files/Readers.h"
#include "files/StyGroups.h"
#include "files/Writers.h"
#include "files/state.h"
#include "library/Links.h"
#include "library/StyUNView.h"
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

std::array<QPointer<frmStyUN>, 10>& StyUNForms() {
    static std::array<QPointer<frmStyUN>, 10> forms;
    return forms;
}

std::array<QPointer<frmStyUN>, 9>& StyNewForms() {
    static std::array<QPointer<frmStyUN>, 9> forms;
    return forms;
}

namespace {
constexpr int Idle = 10, GroupArmed = 11;
constexpr int AllStepPause = 800;

SlotRec& slotRecord(int slot) { return StySlots[static_cast<std::size_t>(slot >= 1 && slot <= 9 ? slot : 0)]; }
}  // namespace

frmStyUN::frmStyUN(MdiFrame* frame, int kind) : DocWindow(frame, QStringLiteral("frmStyUN"), kind) {
    setDocument(kind == 24 ? WinFamily::StyNew : WinFamily::StyUN);
    buildControls();
}

frmStyUN::~frmStyUN() {
    if (!open_) return;
    // Destroyed while open, without unloading: its slot or number is free.
    if (kind() == 24 && number_ >= 1 && number_ <= 8) StyNewUsed[static_cast<std::size_t>(number_)] = 0;
    if (kind() == 23 && number_ >= 1 && number_ <= 8) StySlotUsed[static_cast<std::size_t>(number_)] = 0;
}

int frmStyUN::slot() const {
    const int s = at(Tag(), ImgSlot);
    return s >= 1 && s <= 9 ? s : 0;
}

void frmStyUN::buildControls() {
    const QFont f = ListFont();
    setFont(f);
    List1 = new ListBox(this, QStringLiteral("List1"));
    List1->setFont(f);
    List1->Click = [this] { List1_Click(); };
    List1->installEventFilter(this);
    setPopupList(List1);
    Picture1 = new PictureBox(this, QStringLiteral("Picture1"));
    for (int k = 0; k < 16; ++k) {
        auto* t = new TextBox(Picture1, QStringLiteral("Text1"), k);
        t->setLocked(true);
        Text1[static_cast<std::size_t>(k)] = t;
    }
    auto timer = [this](const char* name, int index) {
        auto* t = new Timer(this, QString::fromLatin1(name), index);
        t->setInterval(Idle);
        t->setEnabled(false);
        return t;
    };
    for (int g = 0; g < 4; ++g) {
        const auto i = static_cast<std::size_t>(g);
        CommLoadStyGrp[i] = new CommandButton(this, QStringLiteral("CommLoadStyGrp"), g);
        CommLoadStyGrp[i]->setCaption("Load Styles");
        CommLoadStyGrp[i]->Click = [this, g] { CommLoadStyGrp_Click(g); };
        Picture2[i] = new PictureBox(this, QStringLiteral("Picture2"), g);
        Text2[i] = new TextBox(Picture2[i], QStringLiteral("Text2"), g);
        Text2[i]->setLocked(true);
        Timer* t = timer("TimerLoadStyGrp", g);
        t->onTimer = [this, t, g] {
            t->setEnabled(false);
            CommLoadStyGrp_Click(g);
        };
        TimerLoadStyGrp[i] = t;
    }
    CommLoadSty = new CommandButton(this, QStringLiteral("CommLoadSty"));
    CommLoadSty->setCaption("Load &Styles");
    CommLoadSty->Click = [this] { CommLoadSty_Click(); };
    Text3 = new TextBox(this, QStringLiteral("Text3"));
    Text3->setLocked(true);
    Label3 = new Label(this, QStringLiteral("Label3"));
    Label3->setCaption("Bytes");
    for (int i = 0; i < 2; ++i) {
        Timer* t = timer("TimerTxSty", i);
        t->onTimer = [this, t] {
            t->setEnabled(false);
            CommLoadSty_Click();
        };
        TimerTxSty[static_cast<std::size_t>(i)] = t;
    }
    styleSend_ = std::make_unique<StyleGroupSend>(this, TimerTxSty[0], TimerTxSty[1], AllStepPause);
    styleSend_->ended = [this](int result, const std::string& image) { stylesEnded(result, image); };
}

Extent frmStyUN::layoutControls() {
    const bool large = TwipsY == 12;
    const int h = large ? 228 : 241;
    const int textHeight = TextHeightTwips(font());
    // Tall enough for the 19 rows at the row step whatever the font's own
    // line height, so no row scrolls out of sight; wide enough for a row's
    // code and 16-character name.
    const int listHeight = std::max(19 * (textHeight + 3), 19 * h + 60);
    const int listWidth = ListGridFor(List1, 19, 1, 2000, listHeight).width;
    List1->Move(0, 20, listWidth, listHeight);
    // Each size box stands beside its row.
    List1->setRowHeight(h);
    const int pLeft = List1->Left() + listWidth + 20;
    Picture1->Move(pLeft, 20, 700, listHeight);
    int top = 0;
    for (int k = 0; k < 16; ++k) {
        Text1[static_cast<std::size_t>(k)]->Move(0, top, 700 - 40, h);
        top += h;
        if (k % 4 == 3) top += h;
    }
    const int x = pLeft + 700 + 200;
    int right = 0;
    for (int g = 0; g < 4; ++g) {
        const auto i = static_cast<std::size_t>(g);
        const int y = 20 + 150 + g * (large ? 1080 : 1150);
        right = PlaceColumn({CommLoadStyGrp[i]}, x, y, 0, 1000, 375);
        Picture2[i]->Move(x, y + 400, right - x, h + 40);
        // The group total is kept in a box above its frame, out of sight.
        Text2[i]->Move(0, -500, right - x, 228);
    }
    // The bottom row stands below the list, also where the font's lines make
    // the list taller than the design's.
    const int bottom = std::max(large ? 4300 : 4500, 20 + listHeight + 60);
    right = std::max(right, PlaceRow({{Text3, 60, bottom, 800, 315},
                                      {Label3, 60 + 800 + 30, bottom + 50, 600, 315},
                                      {CommLoadSty, 1580, bottom, 1200, 375},
                                      {CommClose, 1580 + 1260, bottom, 1000, 375}}));
    return {right + 60, bottom + 375 + 60};
}

void frmStyUN::setMenu(MenuId id, bool on) { MainWindowLink().enableMenu(id, on); }

void frmStyUN::Form_Load() {
    beginLoad();
    // The controls; the standard size holds them.
    CommClose->setCaption(Msg(8));
    const Extent need = layoutControls();
    std::string image;
    if (kind() == 24) {
        const int n = StyLoopIdx >= 1 && StyLoopIdx <= 8 ? StyLoopIdx : 1;
        number_ = n;
        newLayout_ = {0, 0, 0, 0, 1};
        fitStandardSize(need, newLayout_.Height, newLayout_.Width);
        StyNewUsed[static_cast<std::size_t>(n)] = 1;
        Move(0, 0, newLayout_.Width, newLayout_.Height);
        StyName = StyNewTitle(n);
        image = StyUNImageNew(24, StyFileBuf, "", n, 0, 0, false);
        StyNewForms()[static_cast<std::size_t>(n)] = this;
    } else {
        const int s = StySlotCur >= 1 && StySlotCur <= 9 ? StySlotCur : 1;
        number_ = s;
        StySlotWork = slotRecord(s);
        if (StySlotWork.State != 0) {
            StyDir = PathDir(rtrim(StySlotWork.Path));
            StyName = rtrim(PathName(rtrim(StySlotWork.Path)));
        } else {
            StySlotWork.State = 1;
            if (s != 9 && StyShowByCut == 0) {
                StySlotWork.Top = StySlotWork.Left = 0;
                StySlotWork.Height = FormSizes.StyUNHeight;
                StySlotWork.Width = FormSizes.StyUNWidth;
            }
            StySlotWork.Path = StyDir.empty() ? StyName : PathJoin(StyDir, StyName);
        }
        StyShowByCut = 0;
        // A record that never held a size, or held the standard one, opens
        // at the standard size.
        fitStandardSize(need, StySlotWork.Height, StySlotWork.Width);
        Move(StySlotWork.Left, StySlotWork.Top, StySlotWork.Width, StySlotWork.Height);
        slotRecord(s) = StySlotWork;
        image = StyUNImageNew(23, StyFileBuf, rtrim(StySlotWork.Path), s, RdOnlyOpen, StySlotWork.State, ImpStyI30);
        StyUNForms()[static_cast<std::size_t>(s)] = this;
    }
    setTag(image);
    refresh();
    setCaption(DocCaptionBuild(image));
    open_ = true;
    endLoad(StyWinCount);
}

void frmStyUN::refresh() {
    const StyListView v = StyListOf(StyPartOf(Tag()));
    List1->Clear();
    for (const std::string& r : v.rows) List1->AddItem(r);
    for (std::size_t k = 0; k < 16; ++k) Text1[k]->setText(v.itemSizes[k]);
    for (std::size_t g = 0; g < 4; ++g) {
        Text2[g]->setText(v.groupSizes[g]);
        CommLoadStyGrp[g]->setEnabled(v.groupSendable[g]);
    }
    Text3->setText(v.total);
}

void frmStyUN::ImageChanged() {
    refresh();
    setCaption(DocCaptionBuild(Tag()));
}

bool frmStyUN::JobOffered(WindowJob job) const {
    if (job != WindowJob::LoadSty) return false;
    return std::any_of(CommLoadStyGrp.begin(), CommLoadStyGrp.end(), buttonOn);
}

void frmStyUN::RunJob(WindowJob job) {
    if (job != WindowJob::LoadSty) return;
    const int group = List1->ListIndex() / 5;
    if (group >= 0 && group <= 3) armJob(TimerLoadStyGrp[static_cast<std::size_t>(group)]);
}

// ---- the list --------------------------------------------------------------------

void frmStyUN::List1_Click() {
    if (loading()) return;
    MenuAgg();
    const int i = List1->ListIndex();
    if (i < 0) return;
    const std::string row = List1->List(i);
    if (StyRowItem(i) < 0) {
        setMenu(MenuId::mnuLoadSty, false);
        return;
    }
    if (kind() == 24) {
        setMenu(MenuId::mnuLoadSty, rtrim(cutAtNul(row)).size() > 2);
        return;
    }
    // Only a row that names a style gives the arrangement a style.
    if (EditArrSelSty && StyRowNamesStyle(row)) EditorLink().editArrStyAssign(i, Tag());
}

void frmStyUN::List1_KeyDown(int KeyCode, int /*Shift*/) {
    if (KeyCode != 46) return;
    if (ImgIsRdOnly(Tag()))
        ErrMsg(ErrReadOnly, "", "");
    else
        RunMenuCommand(MenuId::mnuTaglia);
}

bool frmStyUN::eventFilter(QObject* o, QEvent* e) {
    if (o == List1 && e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Delete) {
        List1_KeyDown(46, 0);
        return true;
    }
    return DocWindow::eventFilter(o, e);
}

// ---- sending -----------------------------------------------------------------------

void frmStyUN::CommLoadStyGrp_Click(int g) {
    if (g < 0 || g > 3) return;
    Timer* t = TimerLoadStyGrp[static_cast<std::size_t>(g)];
    if (t->Interval() == Idle) {
        StatusMsg(2);
        t->setEnabled(true);
        t->setInterval(GroupArmed);
        return;
    }
    t->setEnabled(false);
    t->setInterval(Idle);
    const std::string image = Tag();
    const int r = StyTxDump(g, image);
    StatusMsg(0);
    if (r == 1) StyleGroupRefused(g, Caption());
    // Only a file that went out is the instrument's user bank; the bank's
    // own window and an untitled document leave it as it is.
    if (r == 0 && WinKind(image) == 23 && at(image, ImgSlot) != 9) StyUserBankSet(image);
}

void frmStyUN::CommLoadSty_Click() {
    // A press while the groups go out sends the next one now; at rest it
    // starts, unless nothing is to be sent or another window's job is still
    // sending.
    if (styleSend_->running())
        styleSend_->step();
    else
        styleSend_->start(StyGroupsInUse(StyPartOf(Tag())));
}

void frmStyUN::stylesEnded(int result, const std::string& image) {
    if (result != 0) return;
    if (WinKind(image) == 23 && at(image, ImgSlot) != 9) {
        StyUFile = ImgPathOf(image);
        setMenu(MenuId::mnuStyU, true);
    }
    // The info file names what the instrument holds now, an untitled
    // document by its title, as the new arrangement window does.
    InfoSetSty(image);
    int first = 0;
    ArrSelectSend(first, 19);
}

// ---- closing -------------------------------------------------------------------------

void frmStyUN::Form_QueryUnload(int& Cancel, int /*UnloadMode*/) {
    const CloseQuery query(this, Cancel);
    QPointer<frmStyUN> self(this);
    auto refuse = [&] {
        Cancel = 1;
        AppClosing = false;
    };
    bool ask = at(Tag(), ImgStyChanged) != 0;
    for (;;) {
        // An untitled document is asked about until it has a name.
        if (ask || at(Tag(), ImgUntitled) != 0) {
            const int answer = AskSaveChanges(1, Caption());
            if (!self || !Loaded()) return;
            if (answer == vbNo) return;
            if (answer != vbYes) return refuse();
            const bool saveAs = saveAsPending(Tag()) || at(Tag(), ImgUntitled) == 1;
            const int r = save(saveAs);
            if (!self || !Loaded()) return;
            if (r != 0) return refuse();
            if (!saveAs) return;
            ask = false;
            continue;
        }
        const std::string path = ImgPathOf(Tag());
        StyDir = PathDir(path);
        StyName = PathName(path);
        RdOnlyOpen = at(Tag(), ImgRdOnly);
        MruAdd((StyDir.empty() ? StyName : PathJoin(StyDir, StyName)) + ".sty", RdOnlyOpen);
        return;
    }
}

long frmStyUN::changedPos() const { return ImgStyChanged; }

bool frmStyUN::saveAsPending(const std::string& image) const { return at(image, ImgSaveAs) == ImgSaveAsStyI30; }

DocWindow::Layout frmStyUN::layoutRead() {
    if (kind() == 24) return newLayout_;
    StySlotWork = slotRecord(slot());
    return layoutOf(StySlotWork);
}

void frmStyUN::layoutWrite(const Layout& l) {
    if (kind() == 24) {
        newLayout_ = l;
        if (number_ >= 1 && number_ <= 8) StyNewUsed[static_cast<std::size_t>(number_)] = static_cast<uint8_t>(l.State);
        return;
    }
    putLayout(StySlotWork, l);
    if (slot() != 0) slotRecord(slot()) = StySlotWork;
}

void frmStyUN::unloadMenus() {
    // A job still running ends with its window.
    styleSend_->stop();
    const auto n = static_cast<std::size_t>(number_);
    if (kind() == 24) {
        if (n >= 1 && n <= 8) {
            StyNewUsed[n] = 0;
            if (StyNewForms()[n] == this) StyNewForms()[n] = nullptr;
        }
        setMenu(MenuId::mnuNuovoSty, true);
    } else {
        const int s = slot();
        StySlotCur = s;
        if (s >= 1 && s <= 8) {
            StySlotUsed[static_cast<std::size_t>(s)] = 0;
            setMenu(MenuId::mnuApriSty, true);
        }
        if (s >= 1) {
            // The next window of the slot is plain until made a companion;
            // one open at exit keeps its mark, to come back as it was.
            if (!AppClosing) slotRecord(s).Extra = 0;
            if (StyUNForms()[static_cast<std::size_t>(s)] == this) StyUNForms()[static_cast<std::size_t>(s)] = nullptr;
        }
    }
    open_ = false;
}

int frmStyUN::closingState(int current) const {
    // A new document is not reopened at the next start.
    if (kind() == 24) return 0;
    // Nor is an imported file never saved: it is no style file of this program.
    if (at(Tag(), ImgSaveAs) == ImgSaveAsStyI30) return 0;
    return DocWindow::closingState(current);
}

void frmStyUN::closedByHand() {
    if (kind() != 23) return;
    if (slot() != 9)
        MruStorePos(Tag(), Top(), Left(), Height(), Width());
    else
        setMenu(MenuId::mnuStyU, true);
}

// ---- the File menu's commands ----------------------------------------------------

namespace {
int newStyFree() {
    for (int n = 1; n <= 8; ++n)
        if (StyNewUsed[static_cast<std::size_t>(n)] == 0) return n;
    return 0;
}
}  // namespace

void mnuNuovoSty_Click() {
    if (!MainForm()) return;
    const int n = newStyFree();
    if (n != 0) {
        FilePathCur = StyGrpFile;
        const int r = StyFileLoad(FilePathCur);
        if (r == 1) return;  // damaged: the reader has said so
        if (r != 0) {
            ErrMsg(ErrFileNotFoundName, MainWindowLink().caption(), PathName(StyGrpFile));
            return;
        }
        if (!MainForm()) return;
        MainWindowLink().enableMenu(MenuId::mnuWindow, true);
        StyNewUsed[static_cast<std::size_t>(n)] = 1;
        StySlotCur = 0;
        StyLoopIdx = n;
        ShowWindowOf(WinFamily::StyNew, n);
    }
    if (newStyFree() == 0) MainWindowLink().enableMenu(MenuId::mnuNuovoSty, false);
}

namespace {
struct StyWindows : StyWindowLinkT {
    void unloadStyUN(int slot) override {
        if (slot < 1 || slot > 9) return;
        frmStyUN* f = StyUNForms()[static_cast<std::size_t>(slot)];
        if (f && f->Loaded() && !f->Discarded()) f->Unload(vbFormCode);
    }
};
StyWindows styWindows;
}  // namespace

void InstallStyleWindows() {
    RegisterMenuCommand(MenuId::mnuNuovoSty, [] { mnuNuovoSty_Click(); });
    RegisterLink<StyWindowLinkT>(&styWindows);
}
