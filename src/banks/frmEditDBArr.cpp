// The database editor: its controls, load, list and layout.
#include "banks/frmEditDBArr.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <algorithm>

#include "app/Links.h"
#include "app/Messages.h"
#include "app/Tables.h"
#include "app/state.h"
#include "banks/DBArr.h"
#include "banks/DBArrFormat.h"
#include "banks/DBArrState.h"
#include "files/Readers.h"
#include "files/WindowImage.h"
#include "files/state.h"
#include "platform/Controls.h"
#include "platform/Timer.h"
#include "shell/MenuAgg.h"
#include "shell/frmMain.h"

namespace {
constexpr int Step = 10;                 // the timers' interval; 0 while a second phase runs
constexpr int ButtonTop = 5250, ButtonHeight = 375, ButtonGap = 110, ButtonLeft = 43;
constexpr int LabelHeight = 255, RowStep = 225, FolderWidth = 3900;

QPointer<frmEditDBArr>& form() {
    static QPointer<frmEditDBArr> f;
    return f;
}

Timer* timer(QObject* parent, const char* name, int index, std::function<void()> tick) {
    auto* t = new Timer(parent, QString::fromLatin1(name), index);
    t->setInterval(Step);
    t->setEnabled(false);
    t->onTimer = std::move(tick);
    return t;
}
}  // namespace

frmEditDBArr* EditDBArrForm() {
    frmEditDBArr* f = form();
    return f && f->Loaded() && !f->Discarded() ? f : nullptr;
}

void EditDBArrShow() {
    frmMain* m = MainForm();
    if (!m) return;
    QPointer<frmEditDBArr>& f = form();
    if (!LiveOn(f, m)) f = new frmEditDBArr(m);
    f->Show();
}

void DBArrEditorRefresh() {
    if (frmEditDBArr* f = EditDBArrForm(); f && f->listImage() != DBArrImage) f->reloadList();
}

std::string FolderShown(const std::string& folder, const std::function<int(const std::string&)>& width) {
    if (width(folder) <= FolderWidth) return folder;
    const QString f = QString::fromUtf8(folder.data(), static_cast<int>(folder.size()));
    const int n = static_cast<int>(f.size());
    const std::string head = f.left(3).toStdString() + "...";
    const int budget = FolderWidth - 100 - width(head);
    int k = 3, sum = 0;   // 1-based positions, as the label counts characters
    for (int pos = n; pos >= 4; --pos) {
        sum += width(QString(f[pos - 1]).toStdString());
        if (sum > budget) {
            k = pos;
            break;
        }
    }
    return head + f.mid(k + 1).toStdString();
}

frmEditDBArr::frmEditDBArr(MdiFrame* frame) : DocWindow(frame, QStringLiteral("frmEditDBArr"), Kind) {
    List1 = new ListBox(this, QStringLiteral("List1"));
    List1->setFont(ListFont());
    List1->setRowHeight(RowStep);
    List1->Click = [this] { List1_Click(); };
    List1->DblClick = [this] { List1_DblClick(); };
    List1->installEventFilter(this);
    setPopupList(List1);
    Label1 = new Label(this, QStringLiteral("Label1"));
    Label2 = new Label(this, QStringLiteral("Label2"));
    Label2->setCaption("ID");
    Label3 = new Label(this, QStringLiteral("Label3"));
    Label4 = new Label(this, QStringLiteral("Label4"));
    CommDelete = new CommandButton(this, QStringLiteral("CommDelete"));
    CommDelete->Click = [this] { CommDelete_Click(); };
    CommApri = new CommandButton(this, QStringLiteral("CommApri"));
    CommApri->Click = [this] { CommApri_Click(); };
    CommAddAll = new CommandButton(this, QStringLiteral("CommAddAll"));
    CommAddAll->setCaption("Add All");
    CommAddAll->Click = [this] { CommAddAll_Click(); };
    CommClose->raise();   // after the others in the tab order
    Timer0 = timer(this, "Timer", 0, [this] { Timer_Timer(0); });
    Timer1 = timer(this, "Timer", 1, [this] { Timer_Timer(1); });
    Timer2 = timer(this, "Timer", 2, [this] { Timer_Timer(2); });
    TimerAddAll = timer(this, "TimerAddAll", -1, [this] {
        TimerAddAll->setEnabled(false);
        CommAddAll_Click();
    });
    TimerApri = timer(this, "TimerApri", -1, [this] {
        TimerApri->setEnabled(false);
        CommApri_Click();
    });
    TimerCancella = timer(this, "TimerCancella", -1, [this] {
        TimerCancella->setEnabled(false);
        CommDelete_Click();
    });
}

frmEditDBArr::~frmEditDBArr() = default;

void frmEditDBArr::setMenu(MenuId id, bool on) { MainWindowLink().enableMenu(id, on); }

void frmEditDBArr::Form_Load() {
    beginLoad();
    placeFromRecord();
    setTag(WindowImageNew(Kind));
    setCaption("Edit i40DBArr");
    Label1->setCaption(Msg(46));
    CommDelete->setCaption(Msg(44));
    CommApri->setCaption(Msg(51));
    CommClose->setCaption(Msg(8));
    layoutControls();

    // Only a file read whole is listed; otherwise DBArrLoad has said why,
    // the window shows the banks alone and, while it stays open, there is no
    // database to number a file by.
    const bool read = DBArrLoad() == 0;
    if (!read) DBArrImage.clear();
    fill(read ? DBArrImage : std::string(), read);
    CommClose->setEnabled(true);

    EditDBArrOpen = true;
    open_ = Registration([] { EditDBArrOpen = false; });
    setMenu(MenuId::mnuWEditDBArr, false);
    StatusMsg(0);
    endLoad(ChildWinCount);
}

void frmEditDBArr::fill(const std::string& image, bool sound) {
    listImage_ = image;
    List1->Clear();
    for (const std::string& r : DBArrRows(sound ? image : std::string())) List1->AddItem(r);
    Label3->setCaption(std::to_string(List1->ListCount()) + "/" + std::to_string(DBArrMax));
    const std::string folder = sound ? DBArrFolderOf(image) : std::string();
    const QFontMetrics fm(Label4->font());
    Label4->setCaption(FolderShown(folder, [&fm](const std::string& t) {
        return pxToTwipsX(fm.horizontalAdvance(QString::fromUtf8(t.data(), static_cast<int>(t.size()))));
    }));
    Label4->setTag(folder);
    CommDelete->setEnabled(false);
    CommApri->setEnabled(false);
    // Add all as soon as there is a database to add to, also one made while
    // the window is open.
    CommAddAll->setEnabled(sound);
}

void frmEditDBArr::reloadList() {
    const int i = List1->ListIndex();
    const std::string selected = i >= 0 ? List1->List(i) : std::string();
    fill(DBArrImage, DBArrSound(DBArrImage));
    for (int r = 0; r < List1->ListCount() && !selected.empty(); ++r)
        if (List1->List(r) == selected) {
            List1->setListIndex(r);
            break;
        }
    MenuAgg();
}

// Every control whole inside the standard size: the list over the count
// and folder, the button row below them.
void frmEditDBArr::layoutControls() {
    const int top = bottomRowTop(ButtonTop, ButtonHeight);
    const QFontMetrics fm(CommDelete->font());
    int w = 0;
    for (CommandButton* b : {CommDelete, CommApri, CommAddAll, CommClose})
        w = std::max(w, pxToTwipsX(fm.horizontalAdvance(b->text())) + 240);
    w = std::max(w, 900);
    w = std::min(w, (insideWidth(4200) - 2 * ButtonLeft - 3 * ButtonGap) / 4);
    CommDelete->Move(ButtonLeft, top, w, ButtonHeight);
    CommApri->Move(CommDelete->Left() + w + ButtonGap, top, w, ButtonHeight);
    CommAddAll->Move(CommApri->Left() + w + ButtonGap, top, w, ButtonHeight);
    CommClose->Move(CommAddAll->Left() + w + ButtonGap, top, w, ButtonHeight);

    const int listWidth = insideWidth(4200) - 2 * ButtonLeft;
    Label4->Move(ButtonLeft, top - 90 - LabelHeight, listWidth, LabelHeight);
    Label3->Move(ButtonLeft, Label4->Top() - LabelHeight - 30, listWidth, LabelHeight);
    Label2->Move(ButtonLeft + 60, 60, 600, LabelHeight);
    // The names start at the list's first tab stop (80 pixels in).
    const int tabStop = pxToTwipsX(80);
    Label1->Move(ButtonLeft + 60 + tabStop, 60, listWidth - tabStop - 60, LabelHeight);
    const int listTop = 60 + LabelHeight + 30;
    const int listBottom = Label3->Top() - 60;
    List1->Move(ButtonLeft, listTop, listWidth, std::max(RowStep, (listBottom - listTop) / RowStep * RowStep + 60));
}

void frmEditDBArr::Form_Activate() {
    if (List1->ListIndex() >= 0) CommApri->setEnabled(true);
    MenuAgg();
}

void frmEditDBArr::Form_Resize() {
    if (loading()) return;
    DocWindow::Form_Resize();
    layoutControls();
}

void frmEditDBArr::List1_Click() {
    const int i = List1->ListIndex();
    CommApri->setEnabled(i >= 0);
    CommDelete->setEnabled(i >= 2 && !listImage_.empty());
    MenuAgg();
}

void frmEditDBArr::List1_KeyDown(int KeyCode, int /*Shift*/) {
    if (KeyCode == 46 && List1->ListIndex() >= 2) CommDelete_Click();
}

bool frmEditDBArr::eventFilter(QObject* o, QEvent* e) {
    if (o == List1 && e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Delete) {
        List1_KeyDown(46, 0);
        return true;
    }
    return DocWindow::eventFilter(o, e);
}

void frmEditDBArr::Timer_Timer(int Index) {
    Timer* t = Index == 0 ? Timer0 : Index == 1 ? Timer1 : Timer2;
    t->setEnabled(false);
    if (Index == 1) {
        // The list again from the file as it is now (written by another
        // program, say); a file that is not sound leaves it as it is.
        std::string img;
        FileError e;
        if (DBArrReadFile(img, e) == DBArrRead::Ok && DBArrSound(img)) DBArrImage = img;
        return reloadList();
    }
    t->setInterval(0);
    if (Index == 0) CommAddAll_Click();
    else List1_DblClick();
}

bool frmEditDBArr::JobOffered(WindowJob job) const {
    switch (job) {
    case WindowJob::Delete: case WindowJob::Cut: return CommDelete->isEnabled();
    case WindowJob::OpenEntry: return CommApri->isEnabled();
    case WindowJob::AddAll: return CommAddAll->isEnabled();
    default: return false;
    }
}

void frmEditDBArr::RunJob(WindowJob job) {
    // The menu's commands go through the window's timers, as its buttons'
    // second phases do; Cut deletes at once.
    Timer* t = nullptr;
    switch (job) {
    case WindowJob::Cut: return CommDelete_Click();
    case WindowJob::Delete: t = TimerCancella; break;
    case WindowJob::OpenEntry: t = TimerApri; break;
    case WindowJob::AddAll: t = TimerAddAll; break;
    default: return;
    }
    if (!t->Enabled()) t->setEnabled(true);
}

void frmEditDBArr::unloadMenus() {
    for (Timer* t : {Timer0, Timer1, Timer2, TimerAddAll, TimerApri, TimerCancella}) t->setEnabled(false);
    open_.release();
    setMenu(MenuId::mnuWEditDBArr, true);
}
