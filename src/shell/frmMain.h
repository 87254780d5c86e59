#pragma once
// The main window, in its first and smallest form: the frame with the status
// bar labels, the File menu (Exit and the recent files), the View menu with
// the MIDI windows, and the Window menu. It registers itself in
// MainWindowLink and runs the shared closing steps when it unloads.
#include <array>

#include "app/Links.h"
#include "platform/Forms.h"

class Label;
class MenuItem;

class frmMain : public MdiFrame {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    void Form_Load() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Form_Unload(int& Cancel) override;

    Label* LabelNomeAppl = nullptr;
    Label* LabelMode = nullptr;
    Label* Label1 = nullptr;
    Label* LabelArr = nullptr;
    Label* LabelSty = nullptr;
    Label* LabelPrg = nullptr;
    MenuItem* mnuFile = nullptr;
    MenuItem* mnuExit = nullptr;
    MenuItem* mnuSep16 = nullptr;
    std::array<MenuItem*, 9> mnuRecentFile{};  // 1-8
    MenuItem* mnuView = nullptr;
    MenuItem* mnuMsgEx = nullptr;
    MenuItem* mnuTastiera = nullptr;
    MenuItem* mnuWindow = nullptr;
    MenuItem* mnuWCascade = nullptr;

private:
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
        void menuAgg() override;
        std::string caption() override;
        void show() override;
    };
    Link link_;
};

// The one main window of the run (nullptr before it exists).
frmMain* MainForm();
// Registers the main window with the start-up (MainWindowFactory), and the
// MIDI and file services with theirs.
void InstallShell();
