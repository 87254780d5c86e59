#include "app/Main.h"

#include <QApplication>
#include <QFont>
#include <cstdlib>

#include "app/DevState.h"
#include "app/InfoFile.h"
#include "app/Links.h"
#include "app/Messages.h"
#include "app/Names.h"
#include "app/Settings.h"
#include "app/Tables.h"
#include "app/frmLingua.h"
#include "app/state.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/FirstPaint.h"
#include "platform/Paths.h"
#include "platform/Signals.h"
#include "platform/Translations.h"
#include "platform/bytes.h"

void PathsBuild() {
    const std::string start = StartDir();
    ArrAFile = PathJoin(start, "i40ArrA");
    ArrBFile = PathJoin(start, "i40ArrB");
    StyGrpFile = PathJoin(start, "i40Sty");
    PrgBankFile = PathJoin(start, "i40Prg");
    GuidaFileIt = PathJoin(start, "Velmora_GuidaUtente.txt");
    GuidaFileEn = PathJoin(start, "Velmora_UserGuide.txt");
    BloccoNoteFile = PathJoin(start, "Velmora_Notebook.txt");
    PrgSelAutoFile = PathJoin(start, "Velmora_PrgSelAuto");
    MultisampleFile = PathJoin(start, "i40Multisample");
    const std::string sys = SystemDir();
    IniFile = PathJoin(sys, "Velmora.ini");
    DevStateFile = PathJoin(sys, "Morvekan");
    InfoFile = PathJoin(sys, "Telquorin");
    DBArrFile = PathJoin(sys, "i40DBArr");
}

namespace {

// The refusal of a second copy, in the language of the settings when they
// name one, else in both.
void secondInstanceMessage() {
    std::string img;
    uint8_t lang = 0;
    if (ReadWholeFile(IniFile, img) == FileError::None && mid(img, 1, 9) == IniSignatureText) lang = at(img, 25);
    std::string text = lang == 1   ? MsgRaw(ErrMsgNumber(ErrSecondInstance))
                       : lang == 2 ? MsgRaw(ErrMsgNumber(ErrSecondInstance) + 200)
                                   : MsgRaw(ErrMsgNumber(ErrSecondInstance)) + "\n" +
                                         MsgRaw(ErrMsgNumber(ErrSecondInstance) + 200);
    MsgBox(text, vbOKOnly | vbExclamation, ProgramTitle);
}

}  // namespace

int StartUp() {
    resetAppState();
    // Until the settings or the user name a language, messages come in both.
    LangPending = true;
    MsgTitle = ProgramTitle;
    PathsBuild();
    if (!InstanceLockAcquire()) {
        secondInstanceMessage();
        return 2;
    }
    SettingsKeptCheck();

    TwipsYTake();
    FormSizesSet();
    WinStateTableDefaults();
    if (!IniRead()) {
        IniDefaults();
        LangSel = 0;
        StartAbort = false;
        if (LanguageChooser) LanguageChooser();
        else LanguageWindowRun();
        if (StartAbort || (LangSel != 1 && LangSel != 2)) {
            StartAbort = true;
            InstanceLockRelease();
            return 1;
        }
    }
    LangBase = LangSel == 2 ? 200 : 0;
    LangPending = false;
    // Qt's own buttons and dialogs speak the program's language too.
    UseQtLanguage(LangSel == 1 ? "it" : "en");
    MultisampleNamesLoad();
    NameTablesFill();
    InfoFileEnsure();
    DevStateStart();
    return 0;
}

int Main(int argc, char** argv) {
    std::unique_ptr<QApplication> app;
    if (!QCoreApplication::instance()) {
        app = std::make_unique<QApplication>(argc, argv);
        // Boxes without a title of their own show the program's name, not
        // the executable's.
        QCoreApplication::setApplicationName("Velmora");
        // The windows are laid out in twips for an 8-point sans-serif
        // dialog font; Arial's metrics (Liberation Sans here) keep captions
        // inside their buttons and labels.
        QApplication::setFont(QFont(QStringLiteral("Arial"), 8));
    }
    int r = StartUp();
    if (r != 0) return r;
    InstallQuitSignals(QuitOnSignal);
    // Set by the start-up benchmark, which times the program from outside.
    if (std::getenv("VELMORA_QUIT_AFTER_FIRST_PAINT")) QuitAfterFirstPaint();
    Starting = true;
    if (MainWindowFactory) MainWindowFactory();
    Starting = false;
    r = MainWindowFactory ? QApplication::exec() : 0;
    InstanceLockRelease();
    return r;
}

bool AppShutDown() {
    if (!DevStateExit()) return false;
    // A settings error is about the program, not the MIDI devices.
    MsgTitle = MainWindowLink().caption();
    if (MsgTitle.empty()) MsgTitle = ProgramTitle;
    IniWrite();
    return true;
}

void QuitOnSignal(int sig) {
    // No one to ask: a refused device-state release still writes the
    // settings and closes the devices.
    QuitQuietly(sig, [] {
        if (AppShutDown()) return;
        IniWrite();
        MidiLink().closeDevices();
    });
}
