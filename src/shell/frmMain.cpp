#include "shell/frmMain.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QStatusBar>

#include "app/Captions.h"
#include "app/InfoFile.h"
#include "app/Links.h"
#include "app/Main.h"
#include "app/Messages.h"
#include "app/state.h"
#include "files/Readers.h"
#include "midi/MidiLink.h"
#include "platform/Controls.h"
#include "platform/Text.h"

namespace {
frmMain* theMain = nullptr;
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
    mnuWindow = AddMenu(menuBar(), this, "mnuWindow", "&Window");
    mnuWCascade = mnuWindow->add("mnuWCascade", "&Cascade");
    mnuWCascade->Click = [this] { Cascade(); };
    setWindowListMenu(mnuWindow->subMenu());

    link_.form = this;
    RegisterLink<MainWindowLinkT>(&link_);
}

void frmMain::Link::setStatus(const std::string& s) { form->Label1->setText(toQt(s)); }
void frmMain::Link::setBusyPointer(bool on) {
    if (on) QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
}
void frmMain::Link::modeDisplay() { form->LabelMode->setText(toQt(ModeName(ModeNow))); }
void frmMain::Link::setLabelArr(const std::string& s) { form->LabelArr->setText(toQt(s)); }
void frmMain::Link::setLabelSty(const std::string& s) { form->LabelSty->setText(toQt(s)); }
void frmMain::Link::setLabelPrg(const std::string& s) { form->LabelPrg->setText(toQt(s)); }
void frmMain::Link::enableMenu(MenuId item, bool enabled) {
    if (auto* m = FindControl<MenuItem>(form, MenuName(item))) m->setEnabled(enabled);
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
    LabelNomeAppl->setText(toQt("Velmora v 3.0"));
    setCaption("Velmora - Velmora v 3.0 ");
    mnuFile->setCaption(Msg(2));
    mnuExit->setCaption(Msg(7));
    mnuWindow->setCaption(Msg(4));
    mnuWCascade->setCaption(Msg(9));
    statusBar()->setVisible(StatusBarOpt);
    ModeDisplaySet();
    LabelSty->setText(toQt(InfoFileRead() + ".sty"));
    LabelArr->setText(toQt(InfoArrTitle + ".arr"));
    LabelPrg->setText(toQt(InfoPrgTitle + ".prg"));
    const WinState& w = WinEntry(1);
    if (w.State == 0) {
        setWindowState(vbNormal);
        Move(w.Left, w.Top, w.Width, w.Height);
    } else if (w.State == 1) {
        setWindowState(vbMinimized);
    } else if (w.State == 2) {
        setWindowState(vbMaximized);
    }
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
