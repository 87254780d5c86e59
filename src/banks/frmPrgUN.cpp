// The program file window: its controls, its image made from the file just
// read, its layout and place, and what it leaves behind when it closes.
#include "banks/frmPrgUN.h"

#include <algorithm>

#include <QKeyEvent>

#include "app/Captions.h"
#include "app/Links.h"
#include "app/Messages.h"
#include "app/Mru.h"
#include "app/Tables.h"
#include "app/state.h"
#include "banks/BankWindow.h"
#include "banks/Links.h"
#include "banks/state.h"
#include "files/Clipboard.h"
#include "files/WindowImage.h"
#include "files/state.h"
#include "platform/Controls.h"
#include "platform/Paths.h"
#include "platform/Timer.h"
#include "platform/bytes.h"
#include "shell/MenuAgg.h"

std::array<QPointer<frmPrgUN>, 10>& PrgUNForms() {
    static std::array<QPointer<frmPrgUN>, 10> forms;
    return forms;
}

std::array<QPointer<frmPrgUN>, 9>& PrgNewForms() {
    static std::array<QPointer<frmPrgUN>, 9> forms;
    return forms;
}

bool PrgRowEmpty(const std::string& text) { return rtrim(cutAtNul(text)).size() <= 2; }
bool PrgRowIsReference(const std::string& text) { return text.size() >= 4 && text[3] == '*'; }

namespace {
constexpr int Idle = 10;

// Layout (twips): the design places; the first of each pair with large fonts.
struct Placement {
    int listHeight, listWidth, closeTop, comboDown;
};
Placement placement(bool large) { return large ? Placement{3900, 8980, 3890, 20} : Placement{4200, 8970, 4100, 0}; }
constexpr int ListTop = 20, ComboLeft = 70, ComboWidth = 700, LabelGap = 50, LabelDown = 40, EditFromLabel = 900;
constexpr int ButtonStep = 1430, ButtonWidth = 1300, ButtonHeight = 375, RightMargin = 60, ListGap = 30;

int neededWidth(const QWidget* w) { return pxToTwipsX(w->sizeHint().width()); }
int neededHeight(const QWidget* w) { return pxToTwipsY(w->sizeHint().height()); }

SlotRec& slotRecord(int slot) { return PrgSlots[static_cast<std::size_t>(slot >= 1 && slot <= 9 ? slot : 0)]; }

void menu(MenuId id, bool on) { MainWindowLink().enableMenu(id, on); }
}  // namespace

frmPrgUN::frmPrgUN(MdiFrame* frame, int kind) : DocWindow(frame, QStringLiteral("frmPrgUN"), kind) {
    setDocument(kind == 22 ? WinFamily::PrgNew : WinFamily::PrgUN);
    List1 = new ListBox(this, QStringLiteral("List1"));
    List1->setFont(ListFont());
    List1->setColumns(4);
    List1->setMultiSelect(2);
    List1->Click = [this] { List1_Click(); };
    List1->DblClick = [this] { List1_DblClick(); };
    List1->installEventFilter(this);
    setPopupList(List1);

    Combo1 = new ComboBox(this, QStringLiteral("Combo1"));
    Combo1->setComboStyle(2);
    for (int c = 1; c <= 16; ++c) Combo1->AddItem((c < 10 ? "  " : " ") + std::to_string(c));
    Combo1->Click = [this] { Combo1_Click(); };
    Label1 = new Label(this, QStringLiteral("Label1"));
    Label1->setCaption("MIDI Chn");

    CommEdit = addButton("CommEdit", "&Edit");
    CommProgram = addButton("CommProgram", "&PROGRAM");
    CommSongPlay = addButton("CommSongPlay", "SO&NG PLAY");
    CommLoad = addButton("CommLoad", "&Load Prog");
    CommEdit->Click = [this] { CommEdit_Click(); };
    CommProgram->Click = [this] { CommProgram_Click(); };
    CommSongPlay->Click = [this] { CommSongPlay_Click(); };
    CommLoad->Click = [this] { CommLoad_Click(); };

    auto timer = [this](const char* name) {
        auto* t = new Timer(this, QString::fromLatin1(name));
        t->setInterval(Idle);
        t->setEnabled(false);
        return t;
    };
    TimerEdit = timer("TimerEdit");
    TimerLoadPrg = timer("TimerLoadPrg");
    TimerList1 = timer("TimerList1");
    TimerEdit->onTimer = [this] { TimerEdit_Timer(); };
    TimerLoadPrg->onTimer = [this] { TimerLoadPrg_Timer(); };
    TimerList1->onTimer = [this] { TimerList1_Timer(); };
}

frmPrgUN::~frmPrgUN() {
    // Destroyed while open, without unloading: its slot is free again.
    if (PrgUntitledSent == this) PrgUntitledSent = nullptr;
    const int s = slot();
    if (!open_ || s < 1) return;
    if (!fileWindow())
        PrgNewUsed[static_cast<std::size_t>(s)] = 0;
    else if (s <= 8)
        PrgSlotUsed[static_cast<std::size_t>(s)] = 0;
}

int frmPrgUN::slot() const {
    const int s = at(Tag(), ImgSlot);
    return s >= 1 && s <= (fileWindow() ? 9 : 8) ? s : 0;
}

// ---- load ------------------------------------------------------------------------

void frmPrgUN::Form_Load() {
    beginLoad();
    const int k = kind();
    const int s = std::clamp(PrgSlotCur, 1, fileWindow() ? 9 : 8);
    std::string image = WindowImageNew(k, PrgFileBuf);
    ImgSet(image, ImgSlot, static_cast<unsigned>(s));

    if (fileWindow()) {
        PrgSlotWork = slotRecord(s);
        if (PrgSlotWork.State == 0) {
            PrgSlotWork.State = 1;
            if (s != 9) {
                PrgSlotWork.Top = PrgSlotWork.Left = 0;
                PrgSlotWork.Height = PrgSlotWork.Width = 0;   // the standard size
            }
        }
        PrgSlotWork.RdOnly = static_cast<uint8_t>(RdOnlyOpen ? 1 : 0);
        const std::string path = PrgDir.empty() ? PrgName : PathJoin(PrgDir, PrgName);
        PrgSlotWork.Path = path;
        ImgTitleSet(image, path);
        bool reference = false;
        for (int i = 0; i < 64; ++i) reference = reference || at(image, ImgPrgBlock(i)) == 1;
        ImgSet(image, ImgPrgType, reference ? 1 : 0);
        ImgSet(image, ImgOpenState, PrgSlotWork.State);
        // A channel byte above 15 is the channel the instrument uses: its low
        // four bits; the file changes on disk only when the user saves it.
        const unsigned channel = at(image, ImgPrgChannelByte) & 0x0F;
        ImgSet(image, ImgPrgChannelByte, channel);
        PrgSlotWork.Chan = static_cast<uint8_t>(channel);
        ImgSet(image, ImgRdOnly, PrgSlotWork.RdOnly);
        ImgSet(image, ImgUntitled, 0);
        const bool imported = ImpPcgI5 || ImpPrgI30;
        ImgSet(image, ImgPrgChanged, imported ? 1 : 0);
        ImgSet(image, ImgSaveAs, ImpPcgI5 ? ImgSaveAsPcgI5 : ImpPrgI30 ? ImgSaveAsPrgI30 : 0);
        // The extension of the file on disk, which saving keeps.
        const std::string ext = AsciiLower(ExtCur);
        ImgSet(image, ImgPrgOnDisk, imported ? 0 : ext == "pgg" ? 2 : ext == "prg" ? 1 : 0);
        PrgSlotWork.Type = static_cast<uint8_t>(at(image, ImgPrgOnDisk) != 0 ? at(image, ImgPrgOnDisk) == 2 : reference);
        slotRecord(s) = PrgSlotWork;
    } else {
        ImgSet(image, ImgPrgChanged, 0);
        ImgSet(image, ImgRdOnly, 0);
        ImgSet(image, ImgPrgChannelByte, 0);
        ImgSet(image, ImgUntitled, 1);
        ImgSet(image, ImgPrgOnDisk, 0);
        ImgTitleSet(image, Msg(81));
        PrgNewUsed[static_cast<std::size_t>(s)] = 1;
    }
    ImgSet(image, ImgKind, static_cast<unsigned>(k));
    ImgSet(image, ImgPrgPresent, 2);
    setTag(image);
    open_ = true;
    if (fileWindow())
        PrgUNForms()[static_cast<std::size_t>(s)] = this;
    else
        PrgNewForms()[static_cast<std::size_t>(s)] = this;

    CommClose->setCaption(Msg(8));
    CommEdit->setEnabled(false);
    // The standard size holds the controls in this platform's fonts; a
    // record without a size, or at the standard one, opens at it.
    Layout l = layoutRead();
    fitStandardSize(layoutControls(), l.Height, l.Width);
    layoutWrite(l);
    placeFromRecord();
    layoutControls();
    showImage();
    lastRow_ = 99;
    // The opener has counted the window.
    endLoad(PrgWinCount, true);
}

void frmPrgUN::showImage() {
    const std::string& image = Tag();
    // Rows already shown are rewritten in place: the current row and the
    // selection stay, so a program the editor stored back is still the one
    // highlighted, as the instrument and the editor hold it.
    std::vector<std::string> rows;
    bool any = false;
    for (int i = 0; i < 64; ++i) {
        rows.push_back(PrgRowText(image, i));
        any = any || !PrgRowEmpty(rows.back());
    }
    List1->setRows(rows);
    showing_ = true;   // the box's handler leaves the image alone
    Combo1->setListIndex(static_cast<int>(at(image, ImgPrgChannelByte) & 0x0F));
    showing_ = false;
    setCaption(DocCaptionBuild(image));
    CommLoad->setEnabled(any);
    offerEdit(List1, CommEdit);
}

// ---- layout ----------------------------------------------------------------------

// The design's order and places, kept inside the window: the channel box,
// its label and the five buttons along the bottom, each wide enough for its
// caption, the buttons' steps shortened evenly where the last would pass
// the inside; above them the list, its rows running down four columns of 16.
// Returns the inside the controls need, the buttons side by side.
Extent frmPrgUN::layoutControls() {
    const Placement p = placement(TwipsY == 12);
    const int comboW = std::max(ComboWidth, neededWidth(Combo1)), comboH = neededHeight(Combo1);
    const int labelW = neededWidth(Label1), labelH = neededHeight(Label1);
    const std::array<CommandButton*, 5> buttons{CommEdit, CommProgram, CommSongPlay, CommLoad, CommClose};
    std::array<int, 5> widths{};
    int buttonH = ButtonHeight;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        widths[i] = CaptionFit(buttons[i], ButtonWidth);
        buttonH = std::max(buttonH, neededHeight(buttons[i]));
    }
    const int rowH = std::max({buttonH, p.comboDown + comboH, p.comboDown + LabelDown + labelH});
    const int top = bottomRowTop(p.closeTop, rowH);
    Combo1->Move(ComboLeft, top + p.comboDown, comboW, comboH);
    const int labelLeft = ComboLeft + comboW + LabelGap;
    Label1->Move(labelLeft, top + p.comboDown + LabelDown, labelW, labelH);
    const int first = std::max(labelLeft + EditFromLabel, labelLeft + labelW + LabelGap);

    // The buttons' Lefts at a step, none closer to the one before than a gap.
    std::array<int, 5> lefts{};
    auto placeAt = [&](int step) {
        for (std::size_t i = 0; i < buttons.size(); ++i)
            lefts[i] = i == 0 ? first : std::max(first + static_cast<int>(i) * step, lefts[i - 1] + widths[i - 1] + LabelGap);
        return lefts.back() + widths.back();
    };
    const int packed = placeAt(0);
    const int room = ScaleWidth() > 0 ? ScaleWidth() - RightMargin : packed;
    int step = ButtonStep;
    while (step > 0 && placeAt(step) > room) step -= 10;
    for (std::size_t i = 0; i < buttons.size(); ++i) buttons[i]->Move(lefts[i], top, widths[i], buttonH);

    // Four columns wide enough for a row code and a whole 16-character name.
    const ListGrid grid = ListGridFor(List1, 16, 4, p.listWidth, 0);
    List1->Move(0, ListTop, insideWidth(grid.width), std::max(0, std::min(p.listHeight, top - ListTop - ListGap)));
    FitColumnRows(List1, 16);
    return {std::max(packed, grid.width) + RightMargin, p.closeTop + rowH + ListGap};
}

void frmPrgUN::Form_Resize() {
    if (loading()) return;
    DocWindow::Form_Resize();
    layoutControls();
}

// ---- the layout record --------------------------------------------------------------

DocWindow::Layout frmPrgUN::layoutRead() {
    if (!fileWindow()) return newLayout_;
    PrgSlotWork = slotRecord(slot());
    return layoutOf(PrgSlotWork);
}

void frmPrgUN::layoutWrite(const Layout& l) {
    const int s = slot();
    // A new-file window keeps its place in the window and its state in its
    // slot mark; kind 31 keeps its state there too until it closes.
    if (!fileWindow() || (kind() == 31 && !unloading_)) {
        if (!fileWindow()) newLayout_ = l;
        if (open_ && s >= 1 && s <= 8) PrgNewUsed[static_cast<std::size_t>(s)] = static_cast<uint8_t>(l.State);
        if (!fileWindow()) return;
    }
    putLayout(PrgSlotWork, l);
    if (unloading_) {
        // The next start reads the file by the extension it has on disk.
        const int disk = at(Tag(), ImgPrgOnDisk);
        PrgSlotWork.Type = static_cast<uint8_t>(disk != 0 ? disk == 2 : at(Tag(), ImgPrgType) != 0);
    }
    if (s != 0) slotRecord(s) = PrgSlotWork;
}

// ---- closing -----------------------------------------------------------------------

void frmPrgUN::unloadMenus() {
    stopSend();
    TimerEdit->setEnabled(false);
    unloading_ = true;
    const int s = slot();
    PrgSlotCur = s;
    if (PrgUntitledSent == this) PrgUntitledSent = nullptr;
    if (!fileWindow()) {
        if (s >= 1) {
            PrgNewUsed[static_cast<std::size_t>(s)] = 0;
            if (PrgNewForms()[static_cast<std::size_t>(s)] == this) PrgNewForms()[static_cast<std::size_t>(s)] = nullptr;
        }
        menu(MenuId::mnuNuovoPrg, true);
    } else if (s == 9) {
        menu(MenuId::mnuPrgU, true);
    } else if (s >= 1) {
        PrgSlotUsed[static_cast<std::size_t>(s)] = 0;
        for (MenuId id : {MenuId::mnuApriPrg, MenuId::mnuImportaPrgi30, MenuId::mnuImportaPcgi5}) menu(id, true);
    }
    if (fileWindow() && s >= 1 && PrgUNForms()[static_cast<std::size_t>(s)] == this)
        PrgUNForms()[static_cast<std::size_t>(s)] = nullptr;
    open_ = false;
}

int frmPrgUN::closingState(int current) const {
    // New files and imports never saved are not reopened at the next start.
    if (!fileWindow() || at(Tag(), ImgSaveAs) != 0) return 0;
    return DocWindow::closingState(current);
}

void frmPrgUN::closedByHand() {
    if (slot() != 9) MruStorePos(Tag(), Top(), Left(), Height(), Width());
}

bool frmPrgUN::eventFilter(QObject* o, QEvent* e) {
    if (o == List1 && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        const int shift = (k->modifiers() & Qt::ShiftModifier ? vbShiftMask : 0) |
                          (k->modifiers() & Qt::ControlModifier ? vbCtrlMask : 0) |
                          (k->modifiers() & Qt::AltModifier ? vbAltMask : 0);
        // Space and Delete are the window's, before the list acts on them.
        if (k->key() == Qt::Key_Space || k->key() == Qt::Key_Delete) {
            List1_KeyDown(k->key() == Qt::Key_Space ? 32 : 46, shift);
            return true;
        }
    }
    return DocWindow::eventFilter(o, e);
}
