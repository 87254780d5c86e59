#include "shell/frmMain.h"

#include <QApplication>
#include <QMdiArea>
#include <QMenuBar>
#include <QPointer>
#include <QVBoxLayout>

#include "app/Captions.h"
#include "app/Main.h"
#include "app/Messages.h"
#include "app/ToolForm.h"
#include "app/state.h"
#include "files/Readers.h"
#include "midi/MidiLink.h"
#include "midi/frmMsgEx.h"
#include "midi/frmTastiera.h"
#include "midi/state.h"
#include "platform/Controls.h"
#include "platform/Text.h"
#include "platform/Timer.h"
#include "shell/Arrange.h"
#include "documents/DocCommands.h"
#include "shell/EditCommands.h"
#include "documents/Imports.h"
#include "shell/MenuAgg.h"
#include "shell/MenuTree.h"
#include "documents/OpenCommands.h"
#include "shell/Preferences.h"
#include "shell/RecentFiles.h"
#include "shell/Print.h"
#include "shell/Routing.h"
#include "shell/SmallWindows.h"
#include "shell/ToolCommands.h"

namespace {
QPointer<frmMain> theMain;

std::array<std::function<void()>, MenuIdCount>& commands() {
    static std::array<std::function<void()>, MenuIdCount> c;
    return c;
}
std::function<void(int)>& recentCommand() {
    static std::function<void(int)> c;
    return c;
}

std::string captionOf(const MenuRow& r) {
    if (r.id == MenuId::mnuInfo) return Msg(r.msg) + "Velmora";
    if (r.msg) return Msg(r.msg);
    return r.fixed ? r.fixed : "";
}
}  // namespace

frmMain* MainForm() { return theMain; }

void RegisterMenuCommand(MenuId id, std::function<void()> command) {
    commands()[static_cast<std::size_t>(id)] = std::move(command);
}

void RegisterRecentFileCommand(std::function<void(int)> command) { recentCommand() = std::move(command); }

void RunMenuCommand(MenuId id) {
    // A copy: the command may replace itself.
    auto c = commands()[static_cast<std::size_t>(id)];
    if (c) c();
}

frmMain::frmMain(QWidget* parent) : MdiFrame(parent, "frmMain") {
    theMain = this;
    // The commands the frame carries out itself.
    RegisterMenuCommand(MenuId::mnuChiudi, [] {
        if (frmMain* f = MainForm()) f->mnuChiudi_Click();
    });
    RegisterMenuCommand(MenuId::mnuExit, [] {
        if (frmMain* f = MainForm()) f->mnuExit_Click();
    });
    buildStatusBar();
    buildMenus();
    buildTimers();
    // The recent files follow the Open commands each time the menu opens.
    mnuFile->Click = [] { RecentFilesEnable(); };
    link_.form = this;
    RegisterLink<MainWindowLinkT>(&link_);
    // The menus follow the active child also when no window's own event
    // does, as when the last child has gone; after the change has settled.
    connect(mdiArea(), &QMdiArea::subWindowActivated, this, [] { MenuAgg(); }, Qt::QueuedConnection);
}

frmMain::~frmMain() {
    UnregisterLink<MainWindowLinkT>(&link_);
    if (theMain == this) theMain = nullptr;
}

void frmMain::buildStatusBar() {
    // The window area above, the status strip below it.
    QWidget* area = takeCentralWidget();
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("frmMainClient"));
    auto* lay = new QVBoxLayout(central);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);
    lay->addWidget(area, 1);
    Picture1 = new QWidget(central);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    lay->addWidget(Picture1);
    setCentralWidget(central);

    LabelNomeAppl = new Label(Picture1, "LabelNomeAppl");
    LabelMode = new Label(Picture1, "LabelMode");
    Label1 = new Label(Picture1, "Label1");
    LabelArr = new Label(Picture1, "LabelArr");
    LabelSty = new Label(Picture1, "LabelSty");
    LabelPrg = new Label(Picture1, "LabelPrg");
    QFont small(QStringLiteral("Arial"));
    small.setPointSizeF(7.8);
    LabelNomeAppl->setFont(small);
    for (Label* l : {LabelNomeAppl, LabelMode, Label1, LabelArr, LabelSty, LabelPrg}) {
        l->setAlignment(Qt::AlignCenter);
        l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    }
    Picture1->setFixedHeight(twipsToPxY(StatusBarHeight));
}

void frmMain::buildMenus() {
    for (const MenuRow& r : MenuTree()) {
        const QString name = QString::fromLatin1(MenuName(r.id));
        MenuItem* m = nullptr;
        if (r.topLevel()) {
            if (r.id == MenuId::mnuBloccoNote) {
                // A command of its own on the menu bar, without a menu.
                m = new MenuItem(this, name);
                m->setCaption(captionOf(r));
                menuBar()->addAction(m);
            } else {
                m = AddMenu(menuBar(), this, name, captionOf(r));
            }
        } else {
            MenuItem* parent = item(r.parent);
            if (r.id == MenuId::mnuRecentFile) {
                for (int k = 1; k <= 8; ++k) {
                    MenuItem* e = parent->add(name, "", k);
                    e->setVisible(false);
                    e->Click = [k] {
                        auto c = recentCommand();
                        if (c) c(k);
                    };
                    mnuRecentFile[static_cast<std::size_t>(k)] = e;
                }
                m = mnuRecentFile[1];
            } else if (r.flags & MenuRow::Separator) {
                m = parent->addSeparator(name, r.index);
            } else {
                m = parent->add(name, captionOf(r), r.index);
                if (r.flags & MenuRow::SubMenu) m->subMenu();
            }
        }
        if (r.shortcut) m->setShortcutText(QString::fromLatin1(r.shortcut));
        if (r.flags & MenuRow::Hidden) m->setVisible(false);
        const bool command = !(r.flags & (MenuRow::Separator | MenuRow::SubMenu)) && r.id != MenuId::mnuRecentFile &&
                             (!r.topLevel() || r.id == MenuId::mnuBloccoNote);
        if (command) {
            const MenuId id = r.id;
            m->Click = [id] { RunMenuCommand(id); };
        }
        items_[static_cast<std::size_t>(r.id)] = m;
    }
    setWindowListMenu(item(MenuId::mnuWindow)->subMenu());

    mnuFile = item(MenuId::mnuFile);
    mnuNuovoArr = item(MenuId::mnuNuovoArr);
    mnuNuovoSty = item(MenuId::mnuNuovoSty);
    mnuNuovoPrg = item(MenuId::mnuNuovoPrg);
    mnuSep10 = item(MenuId::mnuSep10);
    mnuApriArr = item(MenuId::mnuApriArr);
    mnuApriSty = item(MenuId::mnuApriSty);
    mnuApriPrg = item(MenuId::mnuApriPrg);
    mnuApriGbl = item(MenuId::mnuApriGbl);
    mnuApriBSQ = item(MenuId::mnuApriBSQ);
    mnuSep1 = item(MenuId::mnuSep1);
    mnuImporta = item(MenuId::mnuImporta);
    mnuImportaArri30 = item(MenuId::mnuImportaArri30);
    mnuImportaStyi30 = item(MenuId::mnuImportaStyi30);
    mnuImportaPrgi30 = item(MenuId::mnuImportaPrgi30);
    mnuSep12 = item(MenuId::mnuSep12);
    mnuImportaArri5 = item(MenuId::mnuImportaArri5);
    mnuImportaPcgi5 = item(MenuId::mnuImportaPcgi5);
    mnuSep15 = item(MenuId::mnuSep15);
    mnuChiudi = item(MenuId::mnuChiudi);
    mnuSep13 = item(MenuId::mnuSep13);
    mnuSalva = item(MenuId::mnuSalva);
    mnuSalvaAs = item(MenuId::mnuSalvaAs);
    mnuSep14 = item(MenuId::mnuSep14);
    mnuPrint = item(MenuId::mnuPrint);
    mnuSep17 = item(MenuId::mnuSep17);
    mnuExit = item(MenuId::mnuExit);
    mnuSep16 = item(MenuId::mnuSep16);
    mnuModifica = item(MenuId::mnuModifica);
    mnuIngrandisci = item(MenuId::mnuIngrandisci);
    Sep3 = item(MenuId::Sep3);
    mnuTaglia = item(MenuId::mnuTaglia);
    mnuCopia = item(MenuId::mnuCopia);
    mnuIncolla = item(MenuId::mnuIncolla);
    Sep = item(MenuId::Sep);
    mnuLoadArr = item(MenuId::mnuLoadArr);
    mnuLoadSty = item(MenuId::mnuLoadSty);
    mnuShowSty = item(MenuId::mnuShowSty);
    mnuLoadPrg = item(MenuId::mnuLoadPrg);
    mnuShowPrg = item(MenuId::mnuShowPrg);
    mnuEdit = item(MenuId::mnuEdit);
    mnuEditPerf = item(MenuId::mnuEditPerf);
    mnui40DBArr = item(MenuId::mnui40DBArr);
    Sep1 = item(MenuId::Sep1);
    mnuArrPlay = item(MenuId::mnuArrPlay);
    mnuSongPlay = item(MenuId::mnuSongPlay);
    mnuProgram = item(MenuId::mnuProgram);
    Sep2 = item(MenuId::Sep2);
    mnuCancella = item(MenuId::mnuCancella);
    mnuDBArrApri = item(MenuId::mnuDBArrApri);
    mnuAddAll = item(MenuId::mnuAddAll);
    mnuSepB1 = item(MenuId::mnuSepB1);
    mnuWFindID = item(MenuId::mnuWFindID);
    mnuAggArr = item(MenuId::mnuAggArr);
    mnuView = item(MenuId::mnuView);
    mnuArrA = item(MenuId::mnuArrA);
    mnuArrB = item(MenuId::mnuArrB);
    mnuArrU = item(MenuId::mnuArrU);
    mnuSep21 = item(MenuId::mnuSep21);
    mnuStyA = item(MenuId::mnuStyA);
    mnuStyB = item(MenuId::mnuStyB);
    mnuStyU = item(MenuId::mnuStyU);
    mnuSep25 = item(MenuId::mnuSep25);
    mnuWProgA = item(MenuId::mnuWProgA);
    mnuWProgB = item(MenuId::mnuWProgB);
    mnuWProgC = item(MenuId::mnuWProgC);
    mnuWProgD = item(MenuId::mnuWProgD);
    mnuWProgE = item(MenuId::mnuWProgE);
    mnuPrgU = item(MenuId::mnuPrgU);
    mnuSep22 = item(MenuId::mnuSep22);
    mnuDrum = item(MenuId::mnuDrum);
    mnuPerc = item(MenuId::mnuPerc);
    mnuSep23 = item(MenuId::mnuSep23);
    mnuMultisample = item(MenuId::mnuMultisample);
    mnuSep27 = item(MenuId::mnuSep27);
    mnuGlobalParam = item(MenuId::mnuGlobalParam);
    mnuSep26 = item(MenuId::mnuSep26);
    mnuPrgSelAuto = item(MenuId::mnuPrgSelAuto);
    mnuSep31 = item(MenuId::mnuSep31);
    mnuMsgEx = item(MenuId::mnuMsgEx);
    mnuSep34 = item(MenuId::mnuSep34);
    mnuWEditDBArr = item(MenuId::mnuWEditDBArr);
    mnuSep35 = item(MenuId::mnuSep35);
    mnuTastiera = item(MenuId::mnuTastiera);
    mnuPreferenze = item(MenuId::mnuPreferenze);
    mnuLingua = item(MenuId::mnuLingua);
    mnuItaliano = item(MenuId::mnuItaliano);
    mnuInglese = item(MenuId::mnuInglese);
    mnuSep41 = item(MenuId::mnuSep41);
    mnuMIDIThru = item(MenuId::mnuMIDIThru);
    mnuSep44 = item(MenuId::mnuSep44);
    mnuCaricaArr = item(MenuId::mnuCaricaArr);
    mnuCaricaSty = item(MenuId::mnuCaricaSty);
    mnuCaricaStyNuovoArr = item(MenuId::mnuCaricaStyNuovoArr);
    mnuCaricaPrg = item(MenuId::mnuCaricaPrg);
    mnuSep43 = item(MenuId::mnuSep43);
    mnuRdOnly = item(MenuId::mnuRdOnly);
    mnuSep47 = item(MenuId::mnuSep47);
    mnuVisBarraStato = item(MenuId::mnuVisBarraStato);
    mnuSep46 = item(MenuId::mnuSep46);
    mnuAddi40DBArr = item(MenuId::mnuAddi40DBArr);
    mnuBloccoNote = item(MenuId::mnuBloccoNote);
    mnuWindow = item(MenuId::mnuWindow);
    mnuWCascade = item(MenuId::mnuWCascade);
    mnuHelp = item(MenuId::mnuHelp);
    mnuGuida = item(MenuId::mnuGuida);
    mnuSep51 = item(MenuId::mnuSep51);
    mnuInfo = item(MenuId::mnuInfo);
}

void frmMain::buildTimers() {
    auto make = [this](const char* name, int index) {
        auto* t = new Timer(this, QString::fromLatin1(name), index);
        t->setInterval(10);
        t->setEnabled(false);
        return t;
    };
    TimerCmd = make("Timer", 0);
    for (int k : {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 34}) {
        Timer* t = make("TimerAuto", k);
        t->onTimer = [this, k] { TimerAuto_Timer(k); };
        TimerAuto[static_cast<std::size_t>(k)] = t;
    }
    TimerArrU = make("TimerArrU", -1);
    TimerStyU = make("TimerStyU", -1);
    TimerPrgU = make("TimerPrgU", -1);
    TimerArrU->onTimer = [this] { TimerArrU_Timer(); };
    TimerStyU->onTimer = [this] { TimerStyU_Timer(); };
    TimerPrgU->onTimer = [this] { TimerPrgU_Timer(); };
}

// ---- what the shared procedures reach -----------------------------------------

void frmMain::Link::setStatus(const std::string& s) { form->Label1->setCaption(s); }
void frmMain::Link::setBusyPointer(bool on) {
    if (on)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
}
void frmMain::Link::modeDisplay() {
    form->LabelMode->setCaption(ModeName(ModeNow));
    form->mnuArrPlay->setChecked(ModeNow == 0);
    form->mnuSongPlay->setChecked(ModeNow == 1);
    form->mnuProgram->setChecked(ModeNow == 4);
}
void frmMain::Link::setLabelArr(const std::string& s) { form->LabelArr->setCaption(s); }
void frmMain::Link::setLabelSty(const std::string& s) { form->LabelSty->setCaption(s); }
void frmMain::Link::setLabelPrg(const std::string& s) { form->LabelPrg->setCaption(s); }
void frmMain::Link::refreshRecentFiles() { form->recentFilesShow(); }
void frmMain::Link::enableMenu(MenuId id, bool enabled) {
    form->item(id)->setEnabled(enabled && MenuCommandAvailable(id));
}
bool frmMain::Link::menuEnabled(MenuId id) { return form->item(id)->isEnabled(); }
std::string frmMain::Link::menuCaption(MenuId id) { return form->item(id)->Caption(); }
ChildForm* frmMain::Link::activeChild() { return form->Forms().empty() ? nullptr : form->ActiveForm(); }
void frmMain::Link::menuAgg() { MenuAgg(); }
std::string frmMain::Link::caption() { return form->Caption(); }
void frmMain::Link::show() { form->Show(); }

void InstallShell() {
    // The shell installs first: whatever an earlier install registered
    // (another window set, a test's stand-in) goes.
    commands() = {};
    recentCommand() = nullptr;
    // The services below the windows that start-up and shut-down reach
    // through links.
    InstallMidiLink();
    InstallFileLinks();
    InstallRouting();
    InstallSmallWindows();
    InstallPreferences();
    InstallEditCommands();
    RegisterMenuCommand(MenuId::mnuSalva, mnuSalva_Click);
    RegisterMenuCommand(MenuId::mnuSalvaAs, mnuSalvaAs_Click);
    RegisterMenuCommand(MenuId::mnuApriSty, mnuApriSty_Click);
    RegisterMenuCommand(MenuId::mnuApriBSQ, mnuApriBSQ_Click);
    RegisterMenuCommand(MenuId::mnuApriPrg, mnuApriPrg_Click);
    RegisterMenuCommand(MenuId::mnuApriGbl, mnuApriGbl_Click);
    RegisterMenuCommand(MenuId::mnuNuovoPrg, mnuNuovoPrg_Click);
    InstallRecentFiles();
    RegisterMenuCommand(MenuId::mnuImportaArri30, mnuImportaArri30_Click);
    RegisterMenuCommand(MenuId::mnuImportaPrgi30, mnuImportaPrgi30_Click);
    RegisterMenuCommand(MenuId::mnuImportaStyi30, mnuImportaStyi30_Click);
    RegisterMenuCommand(MenuId::mnuImportaArri5, mnuImportaArri5_Click);
    RegisterMenuCommand(MenuId::mnuImportaPcgi5, mnuImportaPcgi5_Click);
    InstallPrint();
    InstallArrange();
    RegisterMenuCommand(MenuId::mnuMsgEx, [] {
        frmMain* f = MainForm();
        if (!f) return;
        f->mnuWindow->setEnabled(true);
        ToolForm::Instance<frmMsgEx>(f)->Show();
        f->mnuMsgEx->setEnabled(false);
        MidiMonLogOn = true;
    });
    RegisterMenuCommand(MenuId::mnuTastiera, [] {
        if (frmMain* f = MainForm()) ToolForm::Instance<frmTastiera>(f)->Show();
    });
    MainWindowFactory = [] {
        auto* f = new frmMain();
        f->setAttribute(Qt::WA_DeleteOnClose);
        f->Show();
    };
}
