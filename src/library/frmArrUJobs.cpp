// The user arrangement window's sends (the bank, its styles, its programs),
// its companion windows and the database entry. Each send is a timed job
// whose state is its timer's Interval: the first press shows the status and
// arms the timer, the tick does the work. At its end a send lets a click
// parked for it go on, and moves on the find by number the window runs.
#include "app/Documents.h"
#include "app/ImageLayout.h"
#include "app/InfoFile.h"
#include "app/Links.h"
#include "app/Messages.h"
#include "app/Mru.h"
#include "app/Tables.h"
#include "app/state.h"
#include "documents/Documents.h"
#include "files/Readers.h"
#include "files/StyGroups.h"
#include "files/Writers.h"
#include "files/state.h"
#include "library/ArrUJobsView.h"
#include "library/Links.h"
#include "library/StyleGroupSend.h"
#include "library/frmArrU.h"
#include "library/frmStyUN.h"
#include "library/state.h"
#include "midi/MIDI.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "platform/Timer.h"
#include "platform/bytes.h"
#include "shell/frmMain.h"

namespace {
constexpr int Idle = 10;
// Bank send.
constexpr int BankArmed = 9;
// Style send: the pause between groups.
constexpr int StylesPause = 1000;
// Program send: from the open program window (9 armed, 8 at the tick) or
// from the file (7, 6).
constexpr int PrgWinArmed = 9, PrgWinTick = 8, PrgFileArmed = 7, PrgFileTick = 6;
// Parked clicks.
constexpr int ClickAfterBank = 11, ClickAfterStyles = 12;
// The find by number: its steps, each the delay before it runs. After a
// send the chain goes on at 800 (styles) or 820 (programs), which act as 20
// and 30 do; after the programs it selects (40).
constexpr int FindBank = 10, FindStyles = 20, FindPrograms = 30, FindSelect = 40;
constexpr int FindAfterBank = 800, FindAfterStyles = 820, FindAfterPrograms = FindSelect;

// The open program file window of `slot` (nullptr when none is loaded).
ChildForm* prgWindowOf(int slot) {
    frmMain* m = MainForm();
    if (!m || slot < 1) return nullptr;
    for (ChildForm* f : m->Forms())
        if (f->Loaded() && !f->Discarded() && WinKind(f->Tag()) == 21 && at(f->Tag(), ImgSlot) == slot) return f;
    return nullptr;
}

// The slot of the program file window that holds the program file of
// `path` (no extension), else 0.
int prgSlotOpenOn(const std::string& path) {
    DocumentT* d = HolderOf(path + ".prg");
    if (!d) d = HolderOf(path + ".pgg");
    return d && d->docFamily() == WinFamily::PrgUN ? d->docSlot() : 0;
}

// Reads the program file of `path` (no extension) into PrgFileBuf; true
// when read. The reader reports a damaged file; a file gone since the
// window found it (`hadFile`) is reported here. A file that never was there
// is no fault: a find by number then simply goes on without programs.
bool readPrograms(const std::string& path, bool hadFile) {
    const int r = PrgOrPggRead(path + ".prg");
    if (r == 3 && hadFile) ErrMsg(ErrFileNotFound, MsgTitle, "");
    return r == 0 || r == 4;
}

int readOnlyChoice() { return RdOnlyOpt ? 1 : 0; }
}  // namespace

void frmArrU::wireJobs() {
    TimerFindID->onTimer = [this] { TimerFindID_Timer(); };
    CommLoadPrg->Click = [this] { CommLoadPrg_Click(); };
    CommShowSty->Click = [this] { CommShowSty_Click(); };
    CommAdd->Click = [this] { CommAdd_Click(); };
    styleSend_ = std::make_unique<StyleGroupSend>(this, TimerTxSty[0], TimerTxSty[1], StylesPause);
    styleSend_->ended = [this](int result, const std::string& image) { stylesEnded(result, image); };
    for (Timer* t : TimerTxSty)
        t->onTimer = [this, t] {
            t->setEnabled(false);
            CommLoadSty_Click();
        };
    TimerLoadPrg->onTimer = [this] {
        TimerLoadPrg->setEnabled(false);
        CommLoadPrg_Click();
    };
    TimerShowSty->onTimer = [this] {
        TimerShowSty->setEnabled(false);
        CommShowSty_Click();
    };
    Timer4->onTimer = [this] {
        Timer4->setEnabled(false);
        Timer4->setInterval(0);
        CommAdd_Click();
    };
}

bool frmArrU::JobOffered(WindowJob job) const {
    switch (job) {
    case WindowJob::LoadArr: return buttonOn(CommLoadArr);
    case WindowJob::LoadSty: return buttonOn(CommLoadSty);
    case WindowJob::ShowSty: return buttonOn(CommShowSty);
    case WindowJob::LoadPrg: return buttonOn(CommLoadPrg);
    case WindowJob::ShowPrg: return buttonOn(CommShowPrg);
    case WindowJob::Edit: return buttonOn(CommEdit);
    case WindowJob::AddToDatabase: return buttonOn(CommAdd);
    default: return false;
    }
}

void frmArrU::RunJob(WindowJob job) {
    switch (job) {
    case WindowJob::LoadArr: return armJob(TimerLoadArr);
    case WindowJob::LoadSty: return armJob(TimerLoadSty);
    case WindowJob::ShowSty: return armJob(TimerShowSty);
    case WindowJob::LoadPrg: return armJob(TimerLoadPrg);
    case WindowJob::ShowPrg: return armJob(TimerShowPrg);
    case WindowJob::Edit: return armJob(TimerEdit);
    case WindowJob::AddToDatabase: return CommAdd->press();
    default: return;
    }
}

void frmArrU::releaseParkedClick(int state) {
    if (TimerList1->Interval() == state) TimerList1->setEnabled(true);
}

// ---- the find by number ---------------------------------------------------------

void frmArrU::continueFind(int step) {
    // Only the window holding the find moves it on: a send ending anywhere
    // else, or after a newer find, starts nothing.
    if (!FindIDPending || FindIDOwner != this) return;
    TimerFindID->setInterval(step);
    TimerFindID->setEnabled(true);
}

void frmArrU::endFind() {
    TimerFindID->setEnabled(false);
    TimerFindID->setInterval(FindBank);
    if (FindIDOwner != this) return;
    FindIDOwner = nullptr;
    FindIDPending = false;
}

void frmArrU::TimerFindID_Timer() {
    TimerFindID->setEnabled(false);
    if (FindIDOwner != this) {
        // A newer find took over: this one ends where it stands.
        TimerFindID->setInterval(FindBank);
        return;
    }
    FindIDPending = true;
    auto next = [this](int step) {
        TimerFindID->setInterval(step);
        TimerFindID->setEnabled(true);
    };
    switch (TimerFindID->Interval()) {
    case FindBank:
        findName_ = PathName(ImgPathOf(Tag()));
        findStyTitle_ = InfoFileRead();
        // The bank send goes on at 800 when it ends.
        if (CaricaArrOpt && !InfoTitleIs(InfoArrTitle, findName_)) return CommLoadArr_Click();
        return next(FindStyles);
    case FindStyles:
    case FindAfterBank:
        if (CaricaStyOpt && findUserSty_ && !InfoTitleIs(findStyTitle_, findName_))
            return CommLoadSty_Click();
        return next(FindPrograms);
    case FindPrograms:
    case FindAfterStyles:
        if (CaricaPrgOpt && findUserPrg_ && !InfoTitleIs(InfoPrgTitle, findName_))
            return CommLoadPrg_Click();
        return next(FindSelect);
    case FindSelect:
        // Ended before the click: a send the click starts must not run the
        // chain again.
        endFind();
        if (findPos_ != List1->ListIndex() && findPos_ >= 0 && findPos_ < List1->ListCount())
            List1->setListIndex(findPos_);
        else
            List1_Click();
        return;
    default: return;
    }
}

// ---- the bank ----------------------------------------------------------------------

void frmArrU::CommLoadArr_Click() {
    QPointer<frmArrU> self(this);
    if (EditArrOpen) {
        // A store refused keeps the edit in the editor; the bank goes as the window holds it.
        ArrangementEdit.record.keep(2, EditorLink().caption(), [] { return EditorLink().arrRecStore(); });
        if (!self || !self->Loaded()) return;
    }
    if (TimerLoadArr->Interval() == Idle) {
        StatusMsg(3);
        TimerLoadArr->setInterval(BankArmed);
        TimerLoadArr->setEnabled(true);
        return;
    }
    // A press before the tick sends now; the tick then has nothing to do.
    TimerLoadArr->setEnabled(false);
    ModeTx06();
    ModeTx0A();
    MidiMonLog("");
    const std::string image = Tag();
    // A failed send, or a failed write of the info file, is reported in a
    // box while timers go on running: the window may be gone after it.
    const bool sent = ArrTxBank(image) == 0;
    if (sent) InfoSetArr(image);
    StatusMsg(0);
    if (self) TimerLoadArr->setInterval(Idle);
    if (sent && at(image, ImgSlot) != 9) ArrUserBankSet(image);
    if (!self || !self->Loaded()) return;
    continueFind(FindAfterBank);
    releaseParkedClick(ClickAfterBank);
}

// ---- the styles --------------------------------------------------------------------

void frmArrU::CommLoadSty_Click() {
    // A press while the styles go out sends the next group now.
    if (styleSend_->running()) return styleSend_->step();
    // Nothing to send, or another window's styles are going out: a click
    // or a find waiting for the styles goes on without them.
    if (!styleSend_->start(StyGrpCount(Tag()))) {
        releaseParkedClick(ClickAfterStyles);
        continueFind(FindAfterStyles);
    }
}

void frmArrU::stylesEnded(int result, const std::string& image) {
    if (result == 0) InfoSetSty(image);
    if (List1->ListIndex() >= 0) sendSelection(List1->ListIndex());
    releaseParkedClick(ClickAfterStyles);
    continueFind(FindAfterStyles);
}

void frmArrU::stopJobs() {
    styleSend_->stop();
    // A press still waiting for its tick has shown its status: it goes with
    // the job.
    const bool waiting = TimerLoadArr->Interval() != Idle || TimerLoadPrg->Interval() != Idle || Timer4->Enabled();
    for (Timer* t : {TimerLoadArr, TimerLoadPrg, Timer4}) {
        t->setEnabled(false);
        t->setInterval(Idle);
    }
    if (waiting) StatusMsg(0);
}

// ---- the programs ------------------------------------------------------------------

void frmArrU::CommLoadPrg_Click() {
    QPointer<frmArrU> self(this);
    if (TimerLoadPrg->Interval() == Idle) {
        FilePathCur = ImgPathOf(Tag());
        PrgSlotCur = prgSlotOpenOn(FilePathCur);
        if (PrgSlotCur != 0 && prgWindowOf(PrgSlotCur)) {
            ExtCur = PrgSlots[static_cast<std::size_t>(PrgSlotCur)].Type != 0 ? "pgg" : "prg";
            TimerLoadPrg->setInterval(PrgWinArmed);
        } else {
            // The reader has said why; a find still selects its arrangement.
            if (!readPrograms(FilePathCur, at(Tag(), ImgPrgPresent) == 1)) {
                if (self) continueFind(FindAfterPrograms);
                return;
            }
            TimerLoadPrg->setInterval(PrgFileArmed);
        }
    }
    switch (TimerLoadPrg->Interval()) {
    case PrgWinArmed:
    case PrgFileArmed:
        StatusMsg(4);
        TimerLoadPrg->setEnabled(true);
        TimerLoadPrg->setInterval(TimerLoadPrg->Interval() == PrgWinArmed ? PrgWinTick : PrgFileTick);
        return;
    case PrgWinTick:
    case PrgFileTick: {
        TimerLoadPrg->setEnabled(false);
        std::string image;
        // The window may have closed since: its file is read instead.
        if (ChildForm* w = TimerLoadPrg->Interval() == PrgWinTick ? prgWindowOf(PrgSlotCur) : nullptr) {
            image = w->Tag();
        } else {
            const std::string path = ImgPathOf(Tag());
            bool read = TimerLoadPrg->Interval() == PrgFileTick;
            if (!read) {
                read = readPrograms(path, true);
                if (!self || !self->Loaded()) return;
            }
            if (read) image = PrgFileImage(path, PrgFileBuf, ExtCur == "pgg");
        }
        if (!image.empty() && PrgTxBank(image) == 0) {
            InfoSetPrg(image, at(image, ImgPrgType) != 0 ? "pgg" : "prg");
            PrgFileLink(image);
        }
        break;
    }
    default: break;
    }
    if (!self || !self->Loaded()) return;
    TimerLoadPrg->setInterval(Idle);
    StatusMsg(0);
    continueFind(FindAfterPrograms);
}

// ---- the companion windows -----------------------------------------------------------

void frmArrU::CommShowSty_Click() {
    frmMain* m = MainForm();
    // No styles of the file's own: nothing to show.
    if (!m || at(Tag(), ImgStyPart) == ImgStyNone) return;
    FilePathCur = ImgPathOf(Tag());
    const std::string file = FilePathCur + ".sty";
    OpenRequest r;
    if (StyShowByCut == 1) {
        r.slot = StySlotCur;
    } else if (DocumentT* d = HolderOf(file, this); d && d->docFamily() == WinFamily::StyUN) {
        const int s = d->docSlot();
        if (s >= 1 && s <= 8 && StySlots[static_cast<std::size_t>(s)].Extra == 1) {
            d->docForm()->activate();
            return;
        }
        // Open as a plain style file: closed, to come back as the
        // companion; a cancelled save question keeps it alone.
        QPointer<frmArrU> self(this);
        if (!d->docForm()->Unload(vbFormCode) || !self || !Loaded()) return;
    }
    StyFileBuf = StyPartOf(Tag());
    r.path = file;
    r.readOnly = readOnlyChoice();
    r.alreadyRead = true;
    r.companion = true;
    OpenDocument(WinFamily::StyUN, r);
}

void frmArrU::CommShowPrg_Click() {
    FilePathCur = ImgPathOf(Tag());
    // A pairing is for this arrangement's own program file window alone,
    // which takes it as it comes forward; whether it came or its file was
    // not found, nothing stays armed for a window activated later.
    PrgSelAutoStem = FilePathCur;
    if (DocumentT* d = ProgramFileHolder(FilePathCur, this)) {
        d->docForm()->activate();
    } else {
        const std::string prg = FileWithExt(FilePathCur, "prg"), pgg = FileWithExt(FilePathCur, "pgg");
        OpenRequest r;
        r.path = FileExists(prg) || !FileExists(pgg) ? prg : pgg;
        r.readOnly = readOnlyChoice();
        OpenDocument(WinFamily::PrgUN, r);
    }
    PrgSelAutoNum = 0;
}

// ---- the database --------------------------------------------------------------------

void frmArrU::CommAdd_Click() {
    if (Timer4->Interval() == Idle) {
        StatusMsg(8, "i40DBArr");
        Timer4->setEnabled(true);
        return;
    }
    Timer4->setEnabled(false);
    Timer4->setInterval(Idle);
    QPointer<frmArrU> self(this);
    const std::string path = ImgPathOf(Tag());
    ArrDir = PathDir(path);
    ArrName = PathName(path);
    ArrDBID = 0;
    DatabaseLink().dbArrAdd(19);
    if (!self || !self->Loaded()) return;
    const int s = slot();
    if (ArrDBID > 0 && s != 0) {
        Text1->setText(std::to_string(ArrDBID));
        ArrSlotCur = s;
        ArrSlotWork = ArrSlots[static_cast<std::size_t>(s)];
        ArrSlotWork.DBID = ArrDBID;
        ArrSlots[static_cast<std::size_t>(s)] = ArrSlotWork;
    }
    StatusMsg(0);
}
