// The main window's load: status bar, captions, recent files, check marks,
// the instrument's mode, the files it holds, the restore chain and the
// frame's own geometry.
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <string>
#include <vector>

#include "app/Captions.h"
#include "app/InfoFile.h"
#include "app/Messages.h"
#include "app/Mru.h"
#include "app/Tables.h"
#include "app/state.h"
#include "files/FileFormats.h"
#include "files/Readers.h"
#include "files/state.h"
#include "midi/MIDI.h"
#include "midi/state.h"
#include "platform/Controls.h"
#include "platform/Timer.h"
#include "platform/bytes.h"
#include "documents/Imports.h"
#include "shell/MenuAgg.h"
#include "shell/MenuTree.h"
#include "documents/OpenCommands.h"
#include "shell/Restore.h"
#include "shell/ToolCommands.h"
#include "shell/frmMain.h"
#include "shell/state.h"

namespace {
// A stored geometry is used only when at least this much of the frame lands
// on a screen, and the frame is at least this big (pixels).
constexpr int MinVisibleW = 100, MinVisibleH = 50, MinW = 200, MinH = 150;

bool reachable(const QRect& r) {
    if (r.width() < MinW || r.height() < MinH) return false;
    const auto screens = QGuiApplication::screens();
    if (screens.isEmpty()) return true;
    for (QScreen* s : screens) {
        QRect seen = s->availableGeometry().intersected(r);
        if (seen.width() >= MinVisibleW && seen.height() >= MinVisibleH) return true;
    }
    return false;
}
}  // namespace

void frmMain::Form_Load() {
    // 1-2: counters and the backing-sequence header.
    ArrWinCount = StyWinCount = PrgWinCount = BsqWinCount = 0;
    ChildWinCount = GblWinCount = 0;
    BsqMagic = std::string("KORG") + '\x4D' + '\0' + '\x05';
    // 3-4: the status bar, laid out whether shown or not.
    Picture1->setVisible(StatusBarOpt);
    layoutStatusBar();
    // 5-6: no program slot in use, the clipboard empty.
    for (int i = 1; i <= 8; ++i) PrgSlotUsed[static_cast<std::size_t>(i)] = 0;
    ClipBuf.clear();
    ClipKind = 0;
    // 7-8: captions in the chosen language.
    setCaption("Velmora - Velmora v 3.0 ");
    for (const MenuRow& r : MenuTree())
        if (r.msg) item(r.id)->setCaption(r.id == MenuId::mnuInfo ? Msg(r.msg) + "Velmora" : Msg(r.msg));
    // 9: recent files.
    recentFilesShow();
    // 10: the instrument's user banks, when it holds a file of each.
    mnuArrU->setEnabled(!rtrim(ArrUFile).empty());
    mnuStyU->setEnabled(!rtrim(StyUFile).empty());
    mnuPrgU->setEnabled(!rtrim(PrgUFile).empty());
    // 11-12.
    for (MenuItem* m : {mnuTaglia, mnuCopia, mnuIncolla, mnuChiudi, mnuSalva, mnuSalvaAs}) m->setEnabled(false);
    mnuModifica->setEnabled(true);
    mnuWindow->setEnabled(false);
    MidiMonLogOn = false;
    // 13-16: check marks.
    mnuItaliano->setChecked(LangSel == 1);
    mnuInglese->setChecked(LangSel == 2);
    mnuCaricaArr->setChecked(CaricaArrOpt);
    mnuCaricaSty->setChecked(CaricaStyOpt);
    mnuCaricaStyNuovoArr->setChecked(CaricaStyNuovoArrOpt);
    mnuCaricaPrg->setChecked(CaricaPrgOpt);
    mnuRdOnly->setChecked(RdOnlyOpt);
    mnuAddi40DBArr->setChecked(AutoDBArrOpt);
    mnuMIDIThru->setChecked(MidiThruOn);
    mnuVisBarraStato->setChecked(StatusBarOpt);
    mnuGlobalParam->setEnabled(GblInstrSet == 1);
    mnuImportaPrgi30->setEnabled(PrgImportAvailable());
    Picture1->setVisible(mnuVisBarraStato->Checked());
    // 17: the database commands need a database.
    const bool db = DBArrLoad() == 0;
    for (MenuItem* m : {mnuWEditDBArr, mnuAggArr, mnuWFindID}) m->setEnabled(db);
    // Commands whose windows are not in the program stay off.
    MenuCommandsLimit();
    // 18: the style template. A damaged one has been reported by the reader;
    // a missing one is reported here. Either way the windows that append the
    // template get a whole one.
    const int sty = StyFileLoad(StyGrpFile);
    if (sty == 2) ErrMsg(ErrFileNotFoundName, Caption(), StyGrpFile);
    if (sty != 0) StyGrpBuf = StyTemplateImage();
    // 19: the instrument's mode. The label shows it also with MIDI off.
    switch (ModeNow) {
    case 0: ModeTx0A(); break;
    case 1: ModeTx06(); break;
    case 2: ModeTx04(); break;
    default: break;
    }
    ModeDisplaySet();
    // 20: the files the instrument holds.
    LabelSty->setCaption(InfoFileRead() + ".sty");
    LabelArr->setCaption(InfoArrTitle + ".arr");
    LabelPrg->setCaption(InfoPrgTitle + ".prg");
    // 21-23.
    armRestore();
    placeFrame();
    OpenCommandsAvailable();
    MenuAgg();
}

namespace {
// The longest texts the status field shows, in both languages: the progress
// texts with the longest word the program puts in them, and the sending
// texts at 100%.
std::vector<std::string> longestStatusTexts() {
    std::vector<std::string> texts;
    for (int base : {0, 200}) {
        for (std::size_t k = 1; k < StatusMsgKinds.size(); ++k)
            texts.push_back(MsgSubst(MsgRaw(StatusMsgKinds[k] + base), "i40DBArr"));
        for (int n : {StatusMsgKinds[2], StatusMsgKinds[3], StatusMsgKinds[4], StatusMsgKinds[5], 148})
            texts.push_back(MsgRaw(n + base) + " 100%");
    }
    return texts;
}
}  // namespace

int frmMain::statusWidth() {
    // As wide as the design has it, and wider where a text of either
    // language would be cut (the fonts differ from machine to machine).
    int px = 0;
    for (const std::string& t : longestStatusTexts()) {
        Label1->setCaption(t);
        px = std::max(px, Label1->sizeHint().width());
    }
    Label1->setCaption("");
    return std::max(Label1_Width, pxToTwipsX(px + 1));
}

void frmMain::layoutStatusBar() {
    // Worked out in twips from the design widths, so that rounding each
    // label to whole pixels never shifts the next one.
    const int h = StatusBarHeight - 10;
    const int statusW = statusWidth();
    const int nome = 20, mode = LabelNomeAppl_Width + 30, status = mode + LabelMode_Width + 20;
    const int arr = status + statusW + 20, sty = arr + LabelArr_Width + 20, prg = sty + LabelArr_Width + 20;
    LabelNomeAppl->Move(nome, 0, LabelNomeAppl_Width, h);
    LabelNomeAppl->setCaption("Velmora v 3.0");
    LabelMode->Move(mode, 0, LabelMode_Width, h);
    Label1->Move(status, 0, statusW, h);
    LabelArr->Move(arr, 0, LabelArr_Width, h);
    LabelSty->Move(sty, 0, LabelArr_Width, h);
    LabelPrg->Move(prg, 0, LabelArr_Width, h);
    for (Label* l : {Label1, LabelMode, LabelSty, LabelPrg}) l->setCaption("");
}

void frmMain::recentFilesShow() {
    mnuSep16->setVisible(false);
    for (int i = 1; i <= 8; ++i) mnuRecentFile[static_cast<std::size_t>(i)]->setVisible(false);
    for (int i = 1; i <= 8; ++i) {
        MruWork = MruTable[static_cast<std::size_t>(i)];
        if (MruWork.Kind == 0 || MruWork.Kind == 32) break;
        mnuSep16->setVisible(true);
        MenuItem* e = mnuRecentFile[static_cast<std::size_t>(i)];
        e->setCaption(MruCaption(i));
        e->setVisible(true);
    }
}

void frmMain::placeFrame() {
    WinStateWork = WinEntry(1);
    switch (WinStateWork.State) {
    case 0: {
        setWindowState(vbNormal);
        // The frame's entry holds the position of the frame and the size of
        // its inside, the measures the exit stores, so that start and exit
        // never drift apart whatever the window manager adds around it.
        QRect r(twipsToPxX(WinStateWork.Left), twipsToPxY(WinStateWork.Top), twipsToPxX(WinStateWork.Width),
                twipsToPxY(WinStateWork.Height));
        if (!reachable(r)) {
            int h = 0, w = 0;
            StandardSize(1, h, w);
            r = QRect(0, 0, twipsToPxX(w), twipsToPxY(h));
        }
        move(r.topLeft());
        resize(r.size());
        break;
    }
    case 1: setWindowState(vbMinimized); break;
    case 2: setWindowState(vbMaximized); break;
    default: break;
    }
}

// ---- the restore chain ----------------------------------------------------------
// Armed here; the stages themselves are in Restore.cpp.

void frmMain::armRestore() {
    RestoreArmed = 0;
    RestoreDone = 0;
    for (int k : {11, 34, 2, 3, 4, 5, 6, 7, 8, 9, 10}) {
        if (WinEntry(k).State != 0) {
            TimerAuto[static_cast<std::size_t>(k)]->setEnabled(true);
            ++RestoreArmed;
        }
    }
    if (RestoreArmed == 0) TimerArrU->setEnabled(true);
}

void frmMain::TimerAuto_Timer(int kind) { RestoreAutoRun(*this, kind); }
void frmMain::TimerArrU_Timer() { RestoreArrStage(*this); }
void frmMain::TimerStyU_Timer() { RestoreStyStage(*this); }
void frmMain::TimerPrgU_Timer() { RestorePrgStage(*this); }
