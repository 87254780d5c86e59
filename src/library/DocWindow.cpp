#include "library/DocWindow.h"

#include <algorithm>

#include <QMdiSubWindow>
#include <QMouseEvent>

#include "app/Captions.h"
#include "app/Links.h"
#include "app/EditRecord.h"
#include "app/ImageLayout.h"
#include "app/ToolForm.h"
#include "app/Messages.h"
#include "app/Tables.h"
#include "app/state.h"
#include "documents/Documents.h"
#include "files/Writers.h"
#include "midi/MIDI.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "platform/Timer.h"
#include "shell/MenuAgg.h"
#include "shell/frmMain.h"

DocWindow::DocWindow(MdiFrame* frame, const QString& name, int kind) : ChildForm(frame, name), kind_(kind) {
    CommClose = new CommandButton(this, QStringLiteral("CommClose"));
    CommClose->Click = [this] { CommClose_Click(); };
}

DocWindow::~DocWindow() {
    // Destroyed while open (its frame went without the ordered close).
    registered_.release();
    countOut();
}

void DocWindow::setDocument(WinFamily family) {
    family_ = family;
    document_ = true;
}

int DocWindow::docSlot() const { return at(Tag(), ImgSlot); }

std::vector<std::string> DocWindow::heldFiles() const {
    std::vector<std::string> files = ImageFiles(Tag());
    for (std::string& f : extraFiles()) files.push_back(std::move(f));
    return files;
}

std::vector<std::string> DocWindow::extraFiles() const {
    if (!styleFileHeld_) return {};
    return {ImgPathOf(Tag()) + ".sty"};
}

bool DocWindow::readOrWrote(const std::string& path) const {
    // An arrangement document's style file: only the one its load read or
    // its last save wrote, not one its style part would merely be saved to.
    if ((kind_ == 19 || kind_ == 20) && SameFile(path, ImgPathOf(Tag()) + ".sty")) return styleFileHeld_;
    return DocumentT::readOrWrote(path);
}

int DocWindow::writeDocument(std::string& image) {
    const std::string sty = FileWithExt(ImgPathOf(image), "sty");
    // The styles of its own go to the style file of the document's name, a
    // file the user did not name: never over one another window holds, nor
    // over another existing one unless the user agrees.
    if ((kind_ == 19 || kind_ == 20) && at(image, ImgStyPart) == ImgStyOwn && at(image, ImgStyChanged) != 0 &&
        !MayWriteUnnamed(sty, this, Caption()))
        return 1;
    const bool drop = styleFileHeld_ && !HolderOf(sty, this);
    return FileSave(image, drop);
}

bool DocWindow::saveAsPending(const std::string& image) const { return at(image, ImgSaveAs) != 0; }

namespace {

// What the first Save As of a new document offers: the name its caption
// shows, in the user's language ("SenzaNome (1)" for "Untitled (1)"). The
// title itself keeps its fixed word, which the info file records.
std::string untitledOffer(const std::string& image) {
    static const std::string word = "Untitled";
    const std::string title = ImgPathOf(image);
    if (at(image, ImgUntitled) != 1 || title.compare(0, word.size(), word) != 0) return {};
    return Msg(81) + title.substr(word.size());
}

}  // namespace

int DocWindow::save(bool as) {
    // Saved from a copy: a save that fails leaves the image, and with it
    // the changed marks, as they were.
    std::string image = Tag();
    const bool saveAs = as || at(image, ImgUntitled) == 1 || saveAsPending(image);
    QPointer<DocWindow> self(this);
    const int r = saveAs ? FileSaveAs(image, this, untitledOffer(image)) : writeDocument(image);
    // The dialog runs the event loop: the window may have gone meanwhile.
    if (r != 0 || !self || !Loaded()) return r != 0 ? r : 1;
    setTag(image);
    setCaption(DocCaptionBuild(image));
    // What an arrangement document holds of its style file now: the one it
    // wrote, or none.
    styleFileHeld_ = (kind_ == 19 || kind_ == 20) && at(image, ImgStyPart) == ImgStyOwn;
    if (saveAs) DocumentSavedAs(*this);
    afterSave(saveAs);
    return 0;
}

void DocWindow::countOut() {
    if (counter_) --*counter_;
    counter_ = nullptr;
}

void DocWindow::beginLoad() { loading_ = true; }

void DocWindow::placeFromRecord() {
    Layout l = layoutRead();
    if (l.Height <= 0 || l.Width <= 0) StandardSize(kind_, l.Height, l.Width);
    l.State = 1;
    Move(l.Left, l.Top, l.Width, l.Height);
    layoutWrite(l);
}

void DocWindow::endLoad(int& counter, bool openerCounted) {
    if (document_) registered_ = RegisterDocument(this);
    if (!counter_) {
        counter_ = &counter;
        if (!openerCounted) ++counter;
    }
    loading_ = false;
}

DocWindow::Layout DocWindow::layoutRead() {
    WinStateWork = WinEntry(kind_);
    return layoutOf(WinStateWork);
}

void DocWindow::layoutWrite(const Layout& l) {
    putLayout(WinStateWork, l);
    WinEntry(kind_) = WinStateWork;
}

long DocWindow::changedPos() const { return ImgChanged; }

int DocWindow::closingState(int current) const {
    switch (WindowState()) {
    case vbMinimized: return 2;
    case vbMaximized: return current;
    default: return 1;
    }
}

void DocWindow::Form_Activate() { MenuAgg(); }

void DocWindow::Form_Resize() {
    if (loading_ || resizing_) return;
    resizing_ = true;
    const int state = WindowState();
    int keepH = 0, keepW = 0;
    // Compared in whole pixels, so the size set here reads back as the
    // limit and the resize it raises finds nothing more to do.
    if (state == vbNormal) StandardSizeClamp(*this, kind_, keepH, keepW);
    Layout l = layoutRead();
    if (state == vbNormal) {
        // Only a normal window's size is kept: the icon of a minimised one
        // and the area of a maximised one are not the size to reopen with.
        l.Height = keepH;
        l.Width = keepW;
        l.State = 1;
    } else if (state == vbMinimized) {
        l.State = 2;
    }
    layoutWrite(l);
    resizing_ = false;
    MenuAgg();
}

namespace {
// The windows that agreed to the program's close, holding their jobs until
// every window has answered.
std::vector<QPointer<DocWindow>>& heldForExit() {
    static std::vector<QPointer<DocWindow>> windows;
    return windows;
}
}  // namespace

void DocWindow::holdForClose() {
    for (Timer* t : findChildren<Timer*>()) {
        if (!t->Enabled()) continue;
        t->setEnabled(false);
        heldTimers_.emplace_back(t);
    }
}

void DocWindow::closeAnswered(bool stays) {
    // A window that goes in the program's close is unloaded once every
    // window has answered; its jobs stand still until then. Otherwise they
    // run again now: a window that goes is unloaded at once, and its unload
    // ends them as it finds them.
    if (!stays && AppClosing && Loaded()) {
        heldForExit().emplace_back(this);
        return;
    }
    const std::vector<QPointer<Timer>> held = std::move(heldTimers_);
    heldTimers_.clear();
    if (!Loaded() || Discarded()) return;
    for (const QPointer<Timer>& t : held)
        if (t) t->setEnabled(true);
}

void DocWindow::ResumeHeldForExit() {
    const std::vector<QPointer<DocWindow>> windows = std::move(heldForExit());
    heldForExit().clear();
    for (const QPointer<DocWindow>& w : windows)
        if (w) w->closeAnswered(true);
}

void DocWindow::Form_QueryUnload(int& Cancel, int /*UnloadMode*/) {
    const CloseQuery query(this, Cancel);
    QPointer<DocWindow> self(this);
    auto refuse = [&] {
        Cancel = 1;
        AppClosing = false;
    };
    if (!closeDependents()) return refuse();
    if (!self || !Loaded()) return;
    if (at(Tag(), changedPos()) == 0) return;
    const int answer = AskSaveChanges(1, saveTitle());
    if (!self || !Loaded()) return;
    if (answer == vbNo) return;
    if (answer != vbYes) return refuse();
    // A save that did not complete keeps the window, its changes and the
    // question for the next close.
    if (saveDocument() != 0) return refuse();
    if (!self || !Loaded()) return;
    saved();
}

void DocWindow::Form_Unload(int& /*Cancel*/) {
    registered_.release();
    // A record an editor built from the window no longer goes back to it.
    EditRecordsSourceClosing(this);
    unloadMenus();
    Layout l = layoutRead();
    l.Top = Top();
    l.Left = Left();
    l.State = AppClosing ? closingState(l.State) : 0;
    layoutWrite(l);
    if (AppClosing && !countOutWhileClosing()) {
        counter_ = nullptr;   // counted until the program has closed
        return;
    }
    countOut();
    if (!AppClosing) closedByHand();
    MenuAgg();
}

void DocWindow::CommClose_Click() { Unload(vbFormCode); }

void DocWindow::CommArrPlay_Click() { ModeTx0A(); }
void DocWindow::CommSongPlay_Click() { ModeTx06(); }

CommandButton* DocWindow::addButton(const char* name, const char* caption) {
    auto* b = new CommandButton(this, QString::fromLatin1(name));
    b->setCaption(caption);
    return b;
}

void DocWindow::addModeButtons(const char* songCaption) {
    CommArrPlay = addButton("CommArrPlay", "&ARR PLAY");
    CommArrPlay->Click = [this] { CommArrPlay_Click(); };
    if (!songCaption) return;
    CommSongPlay = addButton("CommSongPlay", songCaption);
    CommSongPlay->Click = [this] { CommSongPlay_Click(); };
}

void DocWindow::showEditPopup() {
    if (frmMain* m = MainForm()) PopupMenu(m->mnuModifica->subMenu());
}

void DocWindow::setPopupList(ListBox* list) {
    list->MouseDown = [this](int button, int, int, int) {
        if (button == vbRightButton) showEditPopup();
    };
}

void DocWindow::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::RightButton) {
        e->accept();
        showEditPopup();
        return;
    }
    ChildForm::mousePressEvent(e);
}

int DocWindow::bottomRowTop(int designTop, int height) const {
    if (ScaleHeight() <= 0) return designTop;
    return std::max(0, std::min(designTop, ScaleHeight() - height - 30));
}

int DocWindow::insideWidth(int designWidth) const {
    return ScaleWidth() > 0 ? std::min(designWidth, ScaleWidth()) : designWidth;
}

void DocWindow::offerEdit(ListBox* list, CommandButton* edit) {
    const int i = list ? list->ListIndex() : -1;
    if (i < 0 || !edit) return;
    const bool on = rowEditable(i);
    if (on && !(editorMayOpen() && list->Selected(i))) return;   // left as it was
    edit->setEnabled(on);
    if (frame() && frame()->ActiveForm() == this) MainWindowLink().enableMenu(MenuId::mnuEdit, on);
}

bool DocWindow::buttonOn(const CommandButton* b) { return b && !b->testAttribute(Qt::WA_ForceDisabled); }

void DocWindow::armJob(Timer* t) {
    if (t && !t->Enabled()) t->setEnabled(true);
}

int DocWindow::placeListOverRow(ListBox* list, int listTop, const ListGrid& grid, int designTop, int rowHeight,
                                int& natural) const {
    natural = std::max(designTop, listTop + grid.height + 60);
    const int top = bottomRowTop(natural, rowHeight);
    PlaceList(list, 0, listTop, grid);
    list->Move(0, listTop, insideWidth(grid.width), std::min(grid.height, std::max(0, top - listTop - 30)));
    return top;
}

void DocWindow::fitStandardSize(const Extent& inside, int& height, int& width) {
    int frameWidth = Width() - ScaleWidth(), frameHeight = Height() - ScaleHeight();
    if (const QMdiSubWindow* sub = subWindow()) {
        const QMargins m = sub->contentsMargins();
        frameWidth = pxToTwipsX(m.left() + m.right());
        frameHeight = pxToTwipsY(m.top() + m.bottom());
    }
    int h0 = 0, w0 = 0;
    StandardSize(kind_, h0, w0);
    StandardSizeAtLeast(kind_, inside.height + frameHeight, inside.width + frameWidth);
    if (height <= 0 || width <= 0 || (height == h0 && width == w0)) StandardSize(kind_, height, width);
}

QFont DocWindow::ListFont() {
    QFont f(QStringLiteral("arial"));
    f.setPointSize(10);
    f.setWeight(QFont::Normal);
    return f;
}
