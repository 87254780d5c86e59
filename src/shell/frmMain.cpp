#include "shell/frmMain.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPointer>
#include <QStatusBar>

#include "app/Captions.h"
#include "app/InfoFile.h"
#include "app/Links.h"
#include "app/Main.h"
#include "app/Messages.h"
#include "app/Mru.h"
#include "app/state.h"
#include "files/Readers.h"
#include "midi/MidiLink.h"
#include "midi/frmMsgEx.h"
#include "midi/frmTastiera.h"
#include "platform/Controls.h"

namespace {
QPointer<frmMain> theMain;
}

frmMain* MainForm() { return theMain; }

frmMain::frmMain(QWidget* parent) : MdiFrame(parent, "frmMain") {
    theMain = this;
    auto* bar = new QWidget(this);
    bar->setObjectName("Picture1");
    auto* lay = new QHBoxLayout(bar);
    lay->setContentsMargins(2, 0, 2, 0);
    LabelNomeAppl = new Label(bar, "LabelNomeAppl");
    LabelMode = new Label(bar, "LabelMode");
    Label1 = new Label(bar, "Label1");
    LabelArr = new Label(bar, "LabelArr");
    LabelSty = new Label(bar, "LabelSty");
    LabelPrg = new Label(bar, "LabelPrg");
    for (Label* l : {LabelNomeAppl, LabelMode, Label1, LabelArr, LabelSty, LabelPrg}) lay->addWidget(l);
    lay->setStretch(2, 1);
    statusBar()->addWidget(bar, 1);

    mnuFile = AddMenu(menuBar(), this, "mnuFile", "&File");
    mnuExit = mnuFile->add("mnuExit", "E&xit");
    mnuExit->Click = [this] { Unload(vbFormCode); };
    mnuSep16 = mnuFile->addSeparator("mnuSep16");
    mnuSep16->setVisible(false);
    for (int i = 1; i <= 8; ++i) {
        mnuRecentFile[static_cast<size_t>(i)] = mnuFile->add("mnuRecentFile", "", i);
        mnuRecentFile[static_cast<size_t>(i)]->setVisible(false);
    }
    mnuView = AddMenu(menuBar(), this, "mnuView", "&View");
    mnuMsgEx = mnuView->add("mnuMsgEx", "MIDI Messages");
    mnuMsgEx->Click = [this] {
        mnuWindow->setEnabled(true);
        ToolForm::Instance<frmMsgEx>(this)->Show();
        mnuMsgEx->setEnabled(false);
        MidiMonLogOn = true;
    };
    mnuTastiera = mnuView->add("mnuTastiera", "Keyboard");
    mnuTastiera->Click = [this] { ToolForm::Instance<frmTastiera>(this)->Show(); };
    mnuWindow = AddMenu(menuBar(), this, "mnuWindow", "&Window");
    mnuWCascade = mnuWindow->add("mnuWCascade", "&Cascade");
    mnuWCascade->Click = [this] { Cascade(); };
    setWindowListMenu(mnuWindow->subMenu());

    link_.form = this;
    RegisterLink<MainWindowLinkT>(&link_);
}

void frmMain::Link::setStatus(const std::string& s) { form->Label1->setCaption(s); }
void frmMain::Link::setBusyPointer(bool on) {
    if (on) QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
}
void frmMain::Link::modeDisplay() { form->LabelMode->setCaption(ModeName(ModeNow)); }
void frmMain::Link::setLabelArr(const std::string& s) { form->LabelArr->setCaption(s); }
void frmMain::Link::setLabelSty(const std::string& s) { form->LabelSty->setCaption(s); }
void frmMain::Link::setLabelPrg(const std::string& s) { form->LabelPrg->setCaption(s); }

// The recent files after the File menu's own items; the first empty entry
// ends the list.
void frmMain::Link::refreshRecentFiles() {
    bool listed = true;
    for (int i = 1; i <= 8; ++i) {
        MenuItem* m = form->mnuRecentFile[static_cast<size_t>(i)];
        listed = listed && !MruEmpty(MruTable[static_cast<size_t>(i)].Kind);
        if (listed) m->setCaption(MruCaption(i));
        m->setVisible(listed);
    }
    form->mnuSep16->setVisible(form->mnuRecentFile[1]->isVisible());
}

// Items this frame does not have yet are left alone.
void frmMain::Link::enableMenu(MenuId item, bool enabled) {
    if (auto* m = FindControl<MenuItem>(form, MenuName(item))) m->setEnabled(enabled);
}

// What this frame has of the menu refresh: the Window menu while any window
// is counted open.
void frmMain::Link::menuAgg() {
    if (AppClosing) return;
    const int total = ArrWinCount + StyWinCount + PrgWinCount + BsqWinCount + ChildWinCount + GblWinCount;
    form->mnuWindow->setEnabled(total > 0);
}
std::string frmMain::Link::caption() { return form->Caption(); }
void frmMain::Link::show() { form->Show(); }

frmMain::~frmMain() {
    UnregisterLink<MainWindowLinkT>(&link_);
    if (theMain == this) {
        theMain = nullptr;
    }
}

void frmMain::Form_Load() {
    LabelNomeAppl->setCaption("Velmora v 3.0");
    setCaption("Velmora - Velmora v 3.0 ");
    mnuFile->setCaption(Msg(2));
    mnuExit->setCaption(Msg(7));
    mnuView->setCaption(Msg(3));
    mnuMsgEx->setCaption(Msg(108));
    mnuTastiera->setCaption(Msg(106));
    mnuWindow->setCaption(Msg(4));
    mnuWCascade->setCaption(Msg(9));
    link_.refreshRecentFiles();
    statusBar()->setVisible(StatusBarOpt);
    ModeDisplaySet();
    LabelSty->setCaption(InfoFileRead() + ".sty");
    LabelArr->setCaption(InfoArrTitle + ".arr");
    LabelPrg->setCaption(InfoPrgTitle + ".prg");
    const WinState& w = WinEntry(1);
    if (w.State == 0) {
        setWindowState(vbNormal);
        Move(w.Left, w.Top, w.Width, w.Height);
    } else if (w.State == 1) {
        setWindowState(vbMinimized);
    } else if (w.State == 2) {
        setWindowState(vbMaximized);
    }
    link_.menuAgg();
}

void frmMain::Form_QueryUnload(int&, int) { AppClosing = true; }

void frmMain::Form_Unload(int& Cancel) {
    // The frame's own entry: the geometry of its normal state, and the state.
    WinState& w = WinEntry(1);
    const int state = WindowState();
    if (state == vbNormal) {
        w.Top = Top();
        w.Left = Left();
        w.Height = Height();
        w.Width = Width();
    }
    w.State = static_cast<uint8_t>(state);
    if (!AppShutDown()) Cancel = 1;
}

void InstallShell() {
    // The services below the windows that start-up and shut-down reach
    // through links.
    InstallMidiLink();
    InstallFileLinks();
    MainWindowFactory = [] {
        auto* f = new frmMain();
        f->setAttribute(Qt::WA_DeleteOnClose);
        f->Show();
    };
}
