#include "library/frmBsq.h"

#include <QFontMetrics>

#include "app/Captions.h"
#include "app/Links.h"
#include "app/Messages.h"
#include "app/Mru.h"
#include "app/Tables.h"
#include "app/state.h"
#include "files/OpenDlg.h"
#include "files/WindowImage.h"
#include "files/state.h"
#include "library/BsqView.h"
#include "midi/MIDI.h"
#include "platform/Controls.h"
#include "platform/Paths.h"
#include "platform/Timer.h"
#include "platform/bytes.h"
#include "shell/frmMain.h"

namespace {
constexpr int Kind = 26;
constexpr int Idle = 10, DumpArmed = 11;
constexpr long SeqFrom = 17;   // the dump sends the file from its first sequence on

SlotRec& slotRecord(int s) { return BsqSlots[static_cast<std::size_t>(s >= 1 && s <= 8 ? s : 0)]; }
}  // namespace

std::array<QPointer<frmBsq>, 9>& BsqForms() {
    static std::array<QPointer<frmBsq>, 9> forms;
    return forms;
}

frmBsq::frmBsq(MdiFrame* frame) : DocWindow(frame, QStringLiteral("frmBsq"), Kind) {
    setDocument(WinFamily::Bsq);
    List1 = new ListBox(this, QStringLiteral("List1"));
    List1->Click = [this] { List1_Click(); };
    setPopupList(List1);
    const char* names[] = {"ATr:", "CTRL:", "CHRD:", "Tempo:", "ETr1:", "ETr2:",
                           "ETr3:", "ETr4:", "ETr5:", "ETr6:", "ETr7:", "ETr8:"};
    for (int i = 0; i < 12; ++i) {
        Label1[static_cast<std::size_t>(i)] = new Label(this, QStringLiteral("Label1"), i);
        Label1[static_cast<std::size_t>(i)]->setCaption(names[i]);
    }
    auto counts = [this](auto& arr, const char* name) {
        for (std::size_t i = 0; i < arr.size(); ++i) {
            arr[i] = new Label(this, QString::fromLatin1(name), static_cast<int>(i));
            arr[i]->setCaption("0");
        }
    };
    counts(Label2, "Label2");
    counts(Label3, "Label3");
    counts(Label4, "Label4");
    auto button = [this](const char* name, const char* caption, void (frmBsq::*fn)()) {
        CommandButton* b = addButton(name, caption);
        b->Click = [this, fn] { (this->*fn)(); };
        return b;
    };
    CommLoadBSQ = button("CommLoadBSQ", "Load", &frmBsq::CommLoadBSQ_Click);
    CommBSQ = button("CommBSQ", "&BACK. SEQ.", &frmBsq::CommBSQ_Click);
    addModeButtons("&SONG PLAY");
    CommClose->setCaption("Close");
    TimerList1 = new Timer(this, QStringLiteral("TimerList1"));
    TimerLoadBSQ = new Timer(this, QStringLiteral("TimerLoadBSQ"));
    for (Timer* t : {TimerList1, TimerLoadBSQ}) {
        t->setInterval(Idle);
        t->setEnabled(false);
    }
    TimerList1->onTimer = [this] { TimerList1_Timer(); };
    TimerLoadBSQ->onTimer = [this] { TimerLoadBSQ_Timer(); };
}

int frmBsq::slot() const {
    const int s = at(Tag(), ImgSlot);
    return s >= 1 && s <= 8 ? s : 0;
}

Extent frmBsq::layoutControls() {
    // The list shows its ten names exactly, beside the counts.
    const int rowTwips = QFontMetrics(List1->font()).height() * (TwipsY > 0 ? TwipsY : 15) + 3;
    List1->setRowHeight(rowTwips);
    List1->Move(60, 60, 1500, 11 * rowTwips);
    for (int k = 0; k < 10; ++k) Label3[static_cast<std::size_t>(k)]->Move(1620, 60 + k * rowTwips, 700, rowTwips);
    // Right of the counts, in three columns of four: the sequence's four
    // details, then its eight extra tracks; the buttons below them, three to
    // a row, so that everything stands inside the window's standard size.
    constexpr int DetailLeft = 2450, ColumnStep = 1050, LabelWidth = 660, ValueWidth = 360;
    for (int i = 0; i < 12; ++i) {
        const int col = i / 4, row = i % 4;
        const int x = DetailLeft + col * ColumnStep;
        Label1[static_cast<std::size_t>(i)]->Move(x, 60 + row * 240, LabelWidth, 240);
        Label* v = i < 4 ? Label2[static_cast<std::size_t>(i)] : Label4[static_cast<std::size_t>(i - 4)];
        v->Move(x + LabelWidth, 60 + row * 240, ValueWidth, 240);
    }
    constexpr int ButtonWidth = 1030, ButtonHeight = 375, RowStep = 420;
    const int top = 60 + 4 * 240 + 100, x0 = DetailLeft, x1 = x0 + ColumnStep, x2 = x1 + ColumnStep;
    const int right = std::max(PlaceRow({{CommLoadBSQ, x0, top, ButtonWidth, ButtonHeight},
                                         {CommBSQ, x1, top, ButtonWidth, ButtonHeight},
                                         {CommArrPlay, x2, top, ButtonWidth, ButtonHeight}}),
                               PlaceRow({{CommSongPlay, x0, top + RowStep, ButtonWidth, ButtonHeight},
                                         {CommClose, x1, top + RowStep, ButtonWidth, ButtonHeight}}));
    return {right + 60, std::max(60 + 11 * rowTwips, top + RowStep + ButtonHeight) + 60};
}

void frmBsq::Form_Load() {
    beginLoad();
    const int s = BsqSlotCur >= 1 && BsqSlotCur <= 8 ? BsqSlotCur : 1;
    const std::string path = BsqDir.empty() ? BsqName : PathJoin(BsqDir, BsqName);
    BsqSlotWork = slotRecord(s);
    BsqSlotWork.Path = path;
    BsqSlotWork.State = 1;
    // The slot's window comes back where it last was; a record that never
    // held a size opens at the standard one.
    fitStandardSize(layoutControls(), BsqSlotWork.Height, BsqSlotWork.Width);
    slotRecord(s) = BsqSlotWork;
    Move(BsqSlotWork.Left, BsqSlotWork.Top, BsqSlotWork.Width, BsqSlotWork.Height);

    std::string image = WindowImageNew(Kind, BsqFileBuf);
    put(image, ImgSlot, static_cast<unsigned>(s));
    ImgTitleSet(image, path);
    const std::string& file = BsqFileBuf;
    for (int k = 0; k < 10; ++k) {
        List1->AddItem(BsqSeqName(file, k));
        Label3[static_cast<std::size_t>(k)]->setCaption(std::to_string(BsqSeqCount(file, k)));
    }
    setTag(image);
    setCaption(DocCaptionBuild(image));
    BsqForms()[static_cast<std::size_t>(s)] = this;
    TimerList1->setEnabled(true);
    endLoad(BsqWinCount);
}

void frmBsq::TimerList1_Timer() {
    TimerList1->setEnabled(false);
    List1->setListIndex(0);
}

void frmBsq::List1_Click() {
    if (Busy || loading()) return;
    const int k = List1->ListIndex();
    if (k < 0) return;
    BsqFileBuf = Tag().substr(static_cast<std::size_t>(ImgFile - 1));
    const auto n = BsqTrackCounts(BsqFileBuf, k);
    const int tracks2[] = {1, 2, 3, 17};
    for (std::size_t i = 0; i < 4; ++i) Label2[i]->setCaption(std::to_string(n[static_cast<std::size_t>(tracks2[i] - 1)]));
    for (std::size_t i = 0; i < 8; ++i) Label4[i]->setCaption(std::to_string(n[8 + i]));
}

void frmBsq::CommLoadBSQ_Click() {
    if (TimerLoadBSQ->Interval() != Idle) return;   // already on its way
    StatusMsg(5);
    TimerLoadBSQ->setInterval(DumpArmed);
    TimerLoadBSQ->setEnabled(true);
}

void frmBsq::TimerLoadBSQ_Timer() {
    TimerLoadBSQ->setEnabled(false);
    TimerLoadBSQ->setInterval(Idle);
    BsqTxDump(mid(Tag(), ImgFile - 1 + SeqFrom));
    StatusMsg(0);
}

void frmBsq::CommBSQ_Click() { ModeTx0B(); }

DocWindow::Layout frmBsq::layoutRead() {
    BsqSlotWork = slotRecord(slot());
    return layoutOf(BsqSlotWork);
}

void frmBsq::layoutWrite(const Layout& l) {
    putLayout(BsqSlotWork, l);
    if (slot() != 0) slotRecord(slot()) = BsqSlotWork;
}

void frmBsq::unloadMenus() {
    // A dump not yet sent goes with the window.
    if (TimerLoadBSQ->Interval() != Idle) {
        TimerLoadBSQ->setEnabled(false);
        TimerLoadBSQ->setInterval(Idle);
        StatusMsg(0);
    }
    TimerList1->setEnabled(false);
    MainWindowLink().enableMenu(MenuId::mnuApriBSQ, true);
    const int s = slot();
    if (s >= 1 && BsqForms()[static_cast<std::size_t>(s)] == this) BsqForms()[static_cast<std::size_t>(s)] = nullptr;
}

void frmBsq::closedByHand() { MruStorePos(Tag(), Top(), Left(), Height(), Width()); }
