// The user arrangement window: its controls, its load from the file just
// read, and what it leaves behind when it closes.
#include "library/frmArrU.h"

#include <QFont>
#include <QKeyEvent>

#include "app/Captions.h"
#include "app/Links.h"
#include "app/Messages.h"
#include "app/Mru.h"
#include "app/state.h"
#include "files/Clipboard.h"
#include "files/Readers.h"
#include "files/Writers.h"
#include "files/state.h"
#include "library/ArrUView.h"
#include "library/DocLayout.h"
#include "library/Links.h"
#include "library/StyleGroupSend.h"
#include "library/state.h"
#include "platform/Controls.h"
#include "platform/Paths.h"
#include "platform/Timer.h"
#include "platform/bytes.h"

std::array<QPointer<frmArrU>, 10>& ArrUForms() {
    static std::array<QPointer<frmArrU>, 10> forms;
    return forms;
}

namespace {
constexpr int Kind = 19;

// Control layout (twips); the first value with large fonts (TwipsY 12).
struct Placement {
    int listHeight, bottomTop, buttonStep;
};
Placement placement(bool largeFonts) { return largeFonts ? Placement{3900, 3820, 527} : Placement{4000, 4000, 520}; }
constexpr int ListLeft = 0, ListTop = 20, ListWidth = 9350;
constexpr int BoxHeight = 315, ButtonWidth = 1200, ButtonHeight = 375, ModeButtonWidth = 980;
constexpr int Text1Width = 800, Combo1Width = 2500, Text2Width = 1000;
constexpr int LabelDrop = 40, Margin = 60;

SlotRec& slotRecord(int slot) {
    return ArrSlots[static_cast<std::size_t>(slot >= 1 && slot <= 9 ? slot : 0)];
}
}  // namespace

frmArrU::frmArrU(MdiFrame* frame) : DocWindow(frame, QStringLiteral("frmArrU"), Kind) {
    setDocument(WinFamily::ArrU);
    buildControls();
}

frmArrU::~frmArrU() {
    if (FindIDOwner == this) {
        FindIDOwner = nullptr;
        FindIDPending = false;
    }
    // Destroyed while open, without unloading: its slot is free again.
    const int s = slot();
    if (open_ && s >= 1 && s <= 8) ArrSlotUsed[static_cast<std::size_t>(s)] = 0;
}

int frmArrU::slot() const {
    const int s = at(Tag(), ImgSlot);
    return s >= 1 && s <= 9 ? s : 0;
}

void frmArrU::buildControls() {
    List1 = new ListBox(this, QStringLiteral("List1"));
    List1->setColumns(4);
    List1->setMultiSelect(2);
    const QFont f = ListFont();
    List1->setFont(f);
    List1->Click = [this] { List1_Click(); };
    List1->DblClick = [this] { List1_DblClick(); };
    List1->installEventFilter(this);
    setPopupList(List1);

    Text1 = new TextBox(this, QStringLiteral("Text1"));
    Text2 = new TextBox(this, QStringLiteral("Text2"));
    Text1->setLocked(true);
    Text2->setLocked(true);
    Combo1 = new ComboBox(this, QStringLiteral("Combo1"));
    const char* labels[] = {"ID", "Style", "Program"};
    for (int i = 0; i < 3; ++i) {
        Label1[static_cast<std::size_t>(i)] = new Label(this, QStringLiteral("Label1"), i);
        Label1[static_cast<std::size_t>(i)]->setCaption(labels[i]);
    }
    addModeButtons();

    // Captioned as the Edit menu's entries that mirror them.
    CommLoadArr = addButton("CommLoadArr", "Load Arrang");
    CommLoadSty = addButton("CommLoadSty", "Load Style");
    CommShowSty = addButton("CommShowSty", "Show Style");
    CommLoadPrg = addButton("CommLoadPrg", "Load Prog");
    CommShowPrg = addButton("CommShowPrg", "Show Prog");
    CommEdit = addButton("CommEdit", "&Edit");
    CommAdd = addButton("CommAdd", "+i40DBArr");
    CommLoadArr->Click = [this] { CommLoadArr_Click(); };
    CommLoadSty->Click = [this] { CommLoadSty_Click(); };
    CommShowPrg->Click = [this] { CommShowPrg_Click(); };
    CommEdit->Click = [this] { CommEdit_Click(); };

    auto timer = [this](const char* name, int index = -1) {
        auto* t = new Timer(this, QString::fromLatin1(name), index);
        t->setInterval(10);
        t->setEnabled(false);
        // Until a job gives it more to do, a tick only stops its timer.
        t->onTimer = [t] { t->setEnabled(false); };
        return t;
    };
    TimerFindID = timer("TimerFindID");
    TimerList1 = timer("TimerList1");
    TimerEdit = timer("TimerEdit");
    TimerLoadArr = timer("TimerLoadArr");
    TimerLoadSty = timer("TimerLoadSty");
    TimerTxSty = {timer("TimerTxSty", 0), timer("TimerTxSty", 1)};
    TimerLoadPrg = timer("TimerLoadPrg");
    TimerShowSty = timer("TimerShowSty");
    TimerShowPrg = timer("TimerShowPrg");
    Timer4 = timer("Timer", 4);
    TimerList1->onTimer = [this] { TimerList1_Timer(); };
    TimerEdit->onTimer = [this] {
        TimerEdit->setEnabled(false);
        CommEdit_Click();
    };
    TimerLoadArr->onTimer = [this] {
        TimerLoadArr->setEnabled(false);
        CommLoadArr_Click();
    };
    TimerLoadSty->onTimer = [this] {
        TimerLoadSty->setEnabled(false);
        CommLoadSty_Click();
    };
    TimerShowPrg->onTimer = [this] {
        TimerShowPrg->setEnabled(false);
        CommShowPrg_Click();
    };
    wireJobs();
}

Extent frmArrU::layoutControls(bool slot9) {
    const Placement p = placement(TwipsY == 12);
    const ListGrid grid = ListGridFor(List1, 16, 4, ListWidth, p.listHeight);
    PlaceList(List1, ListLeft, ListTop, grid);
    // The bottom row, below the list's last row.
    const int top = std::max(p.bottomTop, ListTop + grid.height + Margin);
    const int labelTop = top + LabelDrop;
    const int bw = ModeButtonWidth, bh = ButtonHeight;
    if (slot9) {
        PlaceRow({{Combo1, 400, top, Combo1Width, BoxHeight},
                  {Label1[1], 400 + 2600, labelTop, 480, BoxHeight},
                  {Text2, 400 + 3600, top, Text2Width, BoxHeight},
                  {Label1[2], 400 + 3600 + 1060, labelTop, 900, BoxHeight},
                  {CommArrPlay, 6380, top, bw, bh},
                  {CommSongPlay, 6380 + 1520, top, bw, bh}});
    } else {
        const int text1 = 100, combo = text1 + 1200, text2 = combo + 3100;
        PlaceRow({{Text1, text1, top, Text1Width, BoxHeight},
                  {Label1[0], text1 + 900, labelTop, 300, BoxHeight},
                  {Combo1, combo, top, Combo1Width, BoxHeight},
                  {Label1[1], combo + 2600, labelTop, 480, BoxHeight},
                  {Text2, text2, top, Text2Width, BoxHeight},
                  {Label1[2], text2 + 1040, labelTop, 900, BoxHeight},
                  {CommArrPlay, 6380, top, bw, bh},
                  {CommSongPlay, 6380 + 1520, top, bw, bh}});
    }
    // The command column, right of the list; the add button at the bottom
    // row's Top, in the same column.
    const int column = ListLeft + grid.width + 80;
    const int right = PlaceColumn({CommClose, CommLoadArr, CommLoadSty, CommShowSty, CommLoadPrg, CommShowPrg, CommEdit},
                                  column, ListTop + 100, p.buttonStep, ButtonWidth, bh);
    PlaceColumn({CommAdd}, column, top, 0, right - column, bh);
    return {right + 80, top + bh + Margin};
}

void frmArrU::ImageChanged() {
    const std::string& image = Tag();
    // The current row and the selection stay (the editor stored its
    // arrangement back).
    std::vector<std::string> rows;
    bool any = false;
    for (int i = 0; i < 64; ++i) {
        any = any || ArrExists(image, i);
        rows.push_back(ArrRowText(image, i));
    }
    List1->setRows(rows);
    CommLoadArr->setEnabled(any);
    setMenu(MenuId::mnuLoadArr, any);
    Combo1->Clear();
    for (const std::string& e : ArrStyleEntries(image)) Combo1->AddItem(e);
    // The boxes and Edit follow what the current row holds now.
    showRow(List1->ListIndex());
    offerEdit(List1, CommEdit);
    // A paste may have brought the file styles of its own.
    const bool styles = at(image, ImgStyPart) == ImgStyOwn;
    CommLoadSty->setEnabled(styles);
    CommShowSty->setEnabled(styles);
    setMenu(MenuId::mnuLoadSty, styles);
    setMenu(MenuId::mnuShowSty, styles);
    setCaption(DocCaptionBuild(image));
}

void frmArrU::setMenu(MenuId id, bool on) { MainWindowLink().enableMenu(id, on); }

void frmArrU::setDatabaseButton() {
    // The add command belongs to the database; files are added by hand only
    // while they are not added at every open.
    const bool on = IsLinked<DatabaseLinkT>() && !AutoDBArrOpt;
    CommAdd->setEnabled(on);
    setMenu(MenuId::mnui40DBArr, on);
}

void frmArrU::Form_Load() {
    beginLoad();
    // 1-3: the slot record (the window is placed from it below).
    const int s = ArrSlotCur >= 1 && ArrSlotCur <= 9 ? ArrSlotCur : 1;
    ArrSlotWork = slotRecord(s);
    if (ArrSlotWork.State == 0) {
        ArrSlotWork.Path = ArrDir.empty() ? ArrName : PathJoin(ArrDir, ArrName);
        ArrSlotWork.State = 1;
        if (s != 9) {
            ArrSlotWork.Top = ArrSlotWork.Left = 0;
            ArrSlotWork.Height = FormSizes.ArrUHeight;
            ArrSlotWork.Width = FormSizes.ArrUWidth;
        }
    } else {
        ArrDir = PathDir(ArrSlotWork.Path);
        ArrName = rtrim(PathName(ArrSlotWork.Path));
    }
    // 4-5: controls; the standard size holds them, and a record that never
    // held a size (or held the standard one) opens at it.
    CommClose->setCaption(Msg(8));
    fitStandardSize(layoutControls(s == 9), ArrSlotWork.Height, ArrSlotWork.Width);
    Move(ArrSlotWork.Left, ArrSlotWork.Top, ArrSlotWork.Width, ArrSlotWork.Height);
    slotRecord(s) = ArrSlotWork;
    setDatabaseButton();
    Text2->setText("");

    // 6: the image.
    const bool importing = ImpArrI30 || ImpArrI5;
    const std::string path = rtrim(ArrSlotWork.Path);
    std::string image = ArrUImageNew(ArrFileBuf, path, s, RdOnlyOpen, importing, ArrSlotWork.State);

    // 7: the file's number in the database.
    if (s != 9) {
        const int id = DatabaseLink().dbArrLookupID(path);
        Text1->setText(id > 0 ? std::to_string(id) : std::string());
        ArrSlotWork = slotRecord(s);
        ArrSlotWork.DBID = id > 0 ? id : 0;
        slotRecord(s) = ArrSlotWork;
    }

    // 8-9: the list, the factory styles, what a find by number needs.
    FindIDUserSty = FindIDUserPrg = false;
    bool any = false;
    for (int i = 0; i < 64; ++i) {
        if (ArrExists(image, i)) {
            any = true;
            if (i == FindIDPos) {
                FindIDUserPrg = ArrUsesUserProgram(image, i);
                FindIDUserSty = ArrUsesOwnStyle(image, i);
            }
        }
        List1->AddItem(ArrRowText(image, i));
    }
    CommLoadArr->setEnabled(any);
    setMenu(MenuId::mnuLoadArr, any);

    // 10-11: the companion files, then the style box.
    if (importing) {
        ImgSet(image, ImgStyPart, ImgStyNone);
        ImgSet(image, ImgPrgPresent, 0);
        for (CommandButton* b : {CommLoadSty, CommShowSty, CommLoadPrg, CommShowPrg}) b->setEnabled(false);
        for (MenuId id : {MenuId::mnuLoadSty, MenuId::mnuShowSty, MenuId::mnuLoadPrg, MenuId::mnuShowPrg})
            setMenu(id, false);
    } else {
        attachCompanions(image);
    }
    for (const std::string& e : ArrStyleEntries(image)) Combo1->AddItem(e);
    setCaption(DocCaptionBuild(image));

    // 12: counted and kept.
    setTag(image);
    open_ = true;
    ArrUForms()[static_cast<std::size_t>(s)] = this;

    // 13: a find by number selects its arrangement (the click waits for the
    // load). The find is this window's from now on; a window that held an
    // earlier one stops where it stands.
    if (FindIDPending) {
        FindIDOwner = this;
        findPos_ = FindIDPos;
        findUserSty_ = FindIDUserSty;
        findUserPrg_ = FindIDUserPrg;
        List1->setListIndex(FindIDPos);
        List1->setSelected(FindIDPos, true);   // shown picked, as a click would
        TimerFindID->setInterval(10);
        TimerFindID->setEnabled(true);
    }

    // 14.
    CommEdit->setEnabled(false);
    setMenu(MenuId::mnuEdit, false);
    if (s == 9) {
        Text1->setVisible(false);
        Label1[0]->setVisible(false);
        CommAdd->setVisible(false);
    }
    // 15.
    endLoad(ArrWinCount);
}

void frmArrU::attachCompanions(std::string& image) {
    const std::string path = ImgPathOf(image);
    // Styles: the file's own, or the template (a damaged file has been
    // reported by the reader, and saving leaves it where it is).
    FilePathCur = path + ".sty";
    holdStyleFile(false);
    if (StyFileLoad(FilePathCur) == 0) {
        image += StyFileBuf;
        ImgSet(image, ImgStyPart, ImgStyOwn);
        holdStyleFile(true);
    } else {
        image += StyGrpBuf;
        ImgSet(image, ImgStyPart, ImgStyTemplate);
    }
    const bool styles = at(image, ImgStyPart) == ImgStyOwn;
    CommLoadSty->setEnabled(styles);
    CommShowSty->setEnabled(styles);
    setMenu(MenuId::mnuLoadSty, styles);
    setMenu(MenuId::mnuShowSty, styles);

    // Programs: the .prg, else the .pgg.
    ImgSet(image, ImgPrgPresent, 0);
    ImgSet(image, ImgPrgType, 0);
    bool programs = false;
    for (int pgg = 0; pgg <= 1 && !programs; ++pgg) {
        if (PrgFileRead(path + (pgg ? ".pgg" : ".prg")) != 0) continue;
        putMid(image, ImgCompanion, PrgFileBuf);
        ImgSet(image, ImgPrgPresent, 1);
        ImgSet(image, ImgPrgType, static_cast<unsigned>(pgg));
        programs = true;
    }
    // The program window comes with the program library.
    const bool show = programs && IsLinked<PrgWindowLinkT>();
    CommLoadPrg->setEnabled(programs);
    CommShowPrg->setEnabled(show);
    setMenu(MenuId::mnuLoadPrg, programs);
    setMenu(MenuId::mnuShowPrg, show);
}

void frmArrU::Form_Activate() {
    DocWindow::Form_Activate();
    setDatabaseButton();
    offerEdit(List1, CommEdit);
}

bool frmArrU::rowEditable(int row) const { return row >= 0 && row < List1->ListCount() && !ArrRowEmpty(List1->List(row)); }

bool frmArrU::editorMayOpen() const { return !EditArrOpen && IsLinked<EditorLinkT>(); }

// ---- the layout record --------------------------------------------------------

DocWindow::Layout frmArrU::layoutRead() {
    ArrSlotWork = slotRecord(slot());
    return layoutOf(ArrSlotWork);
}

void frmArrU::layoutWrite(const Layout& l) {
    putLayout(ArrSlotWork, l);
    if (slot() != 0) slotRecord(slot()) = ArrSlotWork;
}

// ---- closing -------------------------------------------------------------------

bool frmArrU::closeDependents() {
    if (!EditArrOpen || !ArrangementEdit.record.cameFrom(this)) return true;
    SaveCancelled = false;
    EditorLink().unload();
    if (SaveCancelled) return false;
    EditArrOpen = false;
    return true;
}

void frmArrU::saved() {
    const std::string path = ImgPathOf(Tag());
    ArrDir = PathDir(path);
    ArrName = PathName(path);
    RdOnlyOpen = at(Tag(), ImgRdOnly);
    MruAdd((ArrDir.empty() ? ArrName : PathJoin(ArrDir, ArrName)) + ".arr", RdOnlyOpen);
}

void frmArrU::unloadMenus() {
    // A closed window sends nothing more: its jobs and its find end here.
    stopJobs();
    endFind();
    for (Timer* t : findChildren<Timer*>()) t->setEnabled(false);
    const int s = slot();
    ArrSlotCur = s;
    if (s == 9) {
        setMenu(MenuId::mnuArrU, true);
    } else if (s >= 1) {
        ArrSlotUsed[static_cast<std::size_t>(s)] = 0;
        for (MenuId id : {MenuId::mnuApriArr, MenuId::mnuImportaArri5, MenuId::mnuImportaArri30}) setMenu(id, true);
    }
    if (s >= 1 && ArrUForms()[static_cast<std::size_t>(s)] == this) ArrUForms()[static_cast<std::size_t>(s)] = nullptr;
    open_ = false;
}

int frmArrU::closingState(int current) const {
    // A window made by an import and never saved is not reopened.
    if (at(Tag(), ImgSaveAs) == ImgSaveAsArrImport) return 0;
    return DocWindow::closingState(current);
}

void frmArrU::closedByHand() {
    if (slot() != 9) MruStorePos(Tag(), Top(), Left(), Height(), Width());
}

bool frmArrU::eventFilter(QObject* o, QEvent* e) {
    if (o == List1 && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        const int shift = (k->modifiers() & Qt::ShiftModifier ? vbShiftMask : 0) |
                          (k->modifiers() & Qt::ControlModifier ? vbCtrlMask : 0) |
                          (k->modifiers() & Qt::AltModifier ? vbAltMask : 0);
        // Space and Delete are the window's, before the list acts on them.
        if (k->key() == Qt::Key_Space) {
            List1_KeyDown(32, shift);
            return true;
        }
        if (k->key() == Qt::Key_Delete) {
            List1_KeyDown(46, shift);
            return true;
        }
    }
    return DocWindow::eventFilter(o, e);
}
