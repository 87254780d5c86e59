#pragma once
// The main window: the frame of every other window, with the menu tree, the
// status bar and the timers that reopen the last run's windows. It registers
// itself as the shared procedures' MainWindowLink while it exists.
#include <array>
#include <functional>
#include <string>

#include "app/Links.h"
#include "app/MenuIds.h"
#include "platform/Forms.h"

class Label;
class MenuItem;
class Timer;
class QWidget;

class frmMain : public MdiFrame {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    void Form_Load() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Form_Unload(int& Cancel) override;
    void Form_QueryDone() override;
    void Form_CloseCancelled() override;

    // The menu item of an identifier (every item exists).
    MenuItem* item(MenuId id) const { return items_[static_cast<std::size_t>(id)]; }

    // Commands of the File menu that the frame carries out itself.
    void mnuChiudi_Click();
    void mnuExit_Click();

    // The status bar: a plain strip under the window area, and the design
    // sizes of its labels (twips).
    static constexpr int StatusBarHeight = 300;
    static constexpr int LabelNomeAppl_Width = 2244, LabelMode_Width = 1116, Label1_Width = 1812,
                         LabelArr_Width = 1428;
    QWidget* Picture1 = nullptr;
    Label* LabelNomeAppl = nullptr;
    Label* LabelMode = nullptr;
    Label* Label1 = nullptr;
    Label* LabelArr = nullptr;
    Label* LabelSty = nullptr;
    Label* LabelPrg = nullptr;

    // Timers of the restore chain and the database update, all disabled with
    // Interval 10 at start. TimerAuto is indexed by window kind (2-11, 34).
    Timer* TimerCmd = nullptr;  // the control array "Timer", element 0
    std::array<Timer*, 35> TimerAuto{};
    Timer* TimerArrU = nullptr;
    Timer* TimerStyU = nullptr;
    Timer* TimerPrgU = nullptr;

    // Every menu item, named as in the menu tree.
    MenuItem* mnuFile = nullptr;
    MenuItem* mnuNuovoArr = nullptr;
    MenuItem* mnuNuovoSty = nullptr;
    MenuItem* mnuNuovoPrg = nullptr;
    MenuItem* mnuSep10 = nullptr;
    MenuItem* mnuApriArr = nullptr;
    MenuItem* mnuApriSty = nullptr;
    MenuItem* mnuApriPrg = nullptr;
    MenuItem* mnuApriGbl = nullptr;
    MenuItem* mnuApriBSQ = nullptr;
    MenuItem* mnuSep1 = nullptr;
    MenuItem* mnuImporta = nullptr;
    MenuItem* mnuImportaArri30 = nullptr;
    MenuItem* mnuImportaStyi30 = nullptr;
    MenuItem* mnuImportaPrgi30 = nullptr;
    MenuItem* mnuSep12 = nullptr;
    MenuItem* mnuImportaArri5 = nullptr;
    MenuItem* mnuImportaPcgi5 = nullptr;
    MenuItem* mnuSep15 = nullptr;
    MenuItem* mnuChiudi = nullptr;
    MenuItem* mnuSep13 = nullptr;
    MenuItem* mnuSalva = nullptr;
    MenuItem* mnuSalvaAs = nullptr;
    MenuItem* mnuSep14 = nullptr;
    MenuItem* mnuPrint = nullptr;
    MenuItem* mnuSep17 = nullptr;
    MenuItem* mnuExit = nullptr;
    MenuItem* mnuSep16 = nullptr;
    MenuItem* mnuModifica = nullptr;
    MenuItem* mnuIngrandisci = nullptr;
    MenuItem* Sep3 = nullptr;
    MenuItem* mnuTaglia = nullptr;
    MenuItem* mnuCopia = nullptr;
    MenuItem* mnuIncolla = nullptr;
    MenuItem* Sep = nullptr;
    MenuItem* mnuLoadArr = nullptr;
    MenuItem* mnuLoadSty = nullptr;
    MenuItem* mnuShowSty = nullptr;
    MenuItem* mnuLoadPrg = nullptr;
    MenuItem* mnuShowPrg = nullptr;
    MenuItem* mnuEdit = nullptr;
    MenuItem* mnuEditPerf = nullptr;
    MenuItem* mnui40DBArr = nullptr;
    MenuItem* Sep1 = nullptr;
    MenuItem* mnuArrPlay = nullptr;
    MenuItem* mnuSongPlay = nullptr;
    MenuItem* mnuProgram = nullptr;
    MenuItem* Sep2 = nullptr;
    MenuItem* mnuCancella = nullptr;
    MenuItem* mnuDBArrApri = nullptr;
    MenuItem* mnuAddAll = nullptr;
    MenuItem* mnuSepB1 = nullptr;
    MenuItem* mnuWFindID = nullptr;
    MenuItem* mnuAggArr = nullptr;
    MenuItem* mnuView = nullptr;
    MenuItem* mnuArrA = nullptr;
    MenuItem* mnuArrB = nullptr;
    MenuItem* mnuArrU = nullptr;
    MenuItem* mnuSep21 = nullptr;
    MenuItem* mnuStyA = nullptr;
    MenuItem* mnuStyB = nullptr;
    MenuItem* mnuStyU = nullptr;
    MenuItem* mnuSep25 = nullptr;
    MenuItem* mnuWProgA = nullptr;
    MenuItem* mnuWProgB = nullptr;
    MenuItem* mnuWProgC = nullptr;
    MenuItem* mnuWProgD = nullptr;
    MenuItem* mnuWProgE = nullptr;
    MenuItem* mnuPrgU = nullptr;
    MenuItem* mnuSep22 = nullptr;
    MenuItem* mnuDrum = nullptr;
    MenuItem* mnuPerc = nullptr;
    MenuItem* mnuSep23 = nullptr;
    MenuItem* mnuMultisample = nullptr;
    MenuItem* mnuSep27 = nullptr;
    MenuItem* mnuGlobalParam = nullptr;
    MenuItem* mnuSep26 = nullptr;
    MenuItem* mnuPrgSelAuto = nullptr;
    MenuItem* mnuSep31 = nullptr;
    MenuItem* mnuMsgEx = nullptr;
    MenuItem* mnuSep34 = nullptr;
    MenuItem* mnuWEditDBArr = nullptr;
    MenuItem* mnuSep35 = nullptr;
    MenuItem* mnuTastiera = nullptr;
    MenuItem* mnuPreferenze = nullptr;
    MenuItem* mnuLingua = nullptr;
    MenuItem* mnuItaliano = nullptr;
    MenuItem* mnuInglese = nullptr;
    MenuItem* mnuSep41 = nullptr;
    MenuItem* mnuMIDIThru = nullptr;
    MenuItem* mnuSep44 = nullptr;
    MenuItem* mnuCaricaArr = nullptr;
    MenuItem* mnuCaricaSty = nullptr;
    MenuItem* mnuCaricaStyNuovoArr = nullptr;
    MenuItem* mnuCaricaPrg = nullptr;
    MenuItem* mnuSep43 = nullptr;
    MenuItem* mnuRdOnly = nullptr;
    MenuItem* mnuSep47 = nullptr;
    MenuItem* mnuVisBarraStato = nullptr;
    MenuItem* mnuSep46 = nullptr;
    MenuItem* mnuAddi40DBArr = nullptr;
    MenuItem* mnuBloccoNote = nullptr;
    MenuItem* mnuWindow = nullptr;
    MenuItem* mnuWCascade = nullptr;
    MenuItem* mnuHelp = nullptr;
    MenuItem* mnuGuida = nullptr;
    MenuItem* mnuSep51 = nullptr;
    MenuItem* mnuInfo = nullptr;
    std::array<MenuItem*, 9> mnuRecentFile{};  // elements 1-8

    // The restore chain's timers.
    void TimerAuto_Timer(int kind);
    void TimerArrU_Timer();
    void TimerStyU_Timer();
    void TimerPrgU_Timer();

    // The recent-file entries of the File menu from MruTable.
    void recentFilesShow();

private:
    void buildStatusBar();
    void buildMenus();
    void buildTimers();
    void layoutStatusBar();
    int statusWidth();
    void placeFrame();
    void armRestore();

    // What the shared procedures reach of the frame.
    struct Link : MainWindowLinkT {
        frmMain* form = nullptr;
        void setStatus(const std::string& s) override;
        void setBusyPointer(bool on) override;
        void modeDisplay() override;
        void setLabelArr(const std::string& s) override;
        void setLabelSty(const std::string& s) override;
        void setLabelPrg(const std::string& s) override;
        void refreshRecentFiles() override;
        void enableMenu(MenuId item, bool enabled) override;
        bool menuEnabled(MenuId item) override;
        std::string menuCaption(MenuId item) override;
        ChildForm* activeChild() override;
        void menuAgg() override;
        std::string caption() override;
        void show() override;
    };
    Link link_;
    std::array<MenuItem*, MenuIdCount> items_{};
};

// The one main window of the run (nullptr before it exists).
frmMain* MainForm();

// Menu commands by item: the window folders register theirs from their
// install functions (before or after the frame exists); choosing the item
// runs the command registered last. Items without a command do nothing.
void RegisterMenuCommand(MenuId id, std::function<void()> command);
// The same for an element of the recent-file array (1-8 are one command
// that receives the element's index).
void RegisterRecentFileCommand(std::function<void(int index)> command);
// Runs the command of an item, as choosing it does.
void RunMenuCommand(MenuId id);
// What the window folders do once every window has answered the program's
// close, before any is unloaded, and when a window calls the close off (the
// handler registered last).
void RegisterCloseAnswered(std::function<void()> handler);

// Registers the main window with the start-up (MainWindowFactory), the MIDI
// and file services with theirs, and the frame's own commands.
void InstallShell();
