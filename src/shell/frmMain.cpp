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

    MainWindowLink.setStatus = [this](const std::string& s) { Label1->setText(toQt(s)); };
    MainWindowLink.setBusyPointer = [](bool on) {
        if (on) QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
    };
    MainWindowLink.modeDisplay = [this] { LabelMode->setText(toQt(ModeName(ModeNow))); };
    MainWindowLink.setLabelArr = [this](const std::string& s) { LabelArr->setText(toQt(s)); };
    MainWindowLink.setLabelSty = [this](const std::string& s) { LabelSty->setText(toQt(s)); };
    MainWindowLink.setLabelPrg = [this](const std::string& s) { LabelPrg->setText(toQt(s)); };
    MainWindowLink.caption = [this] { return Caption(); };
    MainWindowLink.show = [this] { Show(); };
}

frmMain::~frmMain() {
    if (theMain == this) {
        theMain = nullptr;
        MainWindowLink = MainWindowLinkT{};
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
