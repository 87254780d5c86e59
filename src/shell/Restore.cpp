#include "shell/Restore.h"

#include <QPointer>
#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/Links.h"
#include "app/MenuIds.h"
#include "app/Tables.h"
#include "app/state.h"
#include "app/Documents.h"
#include "app/ImageLayout.h"
#include "files/StyGroups.h"
#include "files/state.h"
#include "documents/Documents.h"
#include "files/Readers.h"
#include "platform/Controls.h"
#include "platform/Forms.h"
#include "platform/Paths.h"
#include "platform/Timer.h"
#include "platform/bytes.h"
#include "shell/ToolCommands.h"
#include "shell/frmMain.h"
#include "shell/state.h"

namespace {

// Set while a stage or element runs. A reader's or command's message box
// runs the event loop, and another armed timer firing then must not run
// inside the box: it stays enabled and runs at a later tick instead.
bool running = false;
struct Running {
    Running() { running = true; }
    ~Running() { running = false; }
    Running(const Running&) = delete;
    Running& operator=(const Running&) = delete;
};

// The arrangement windows reopened by this run's chain, by slot and path:
// their program files open after the program stage, so that they do not
// take the slots of the program windows still to be reopened.
std::vector<std::pair<int, std::string>>& companions() {
    static std::vector<std::pair<int, std::string>> list;
    return list;
}

// What the load of a file window reads, as a fresh open leaves it.
void freshRequest(const frmMain& m) {
    RdOnlyOpen = m.mnuRdOnly->Checked() ? 1 : 0;
    StyLoopIdx = 0;
    CaricaPrgPending = false;
}

void minimiseWhenMarked(ChildForm* f, uint8_t state) {
    if (f && state == 2) f->setWindowState(vbMinimized);
}

// A slot record's file reopened where its window was, read-only when it
// was opened so: the record keeps that choice. Its own file only, not a
// program file's twin, which may have been open read-only in another window.
OpenRequest reopenRequest(const SlotRec& rec, const std::string& ext, int slot) {
    OpenRequest r;
    const std::string path = rtrim(rec.Path);
    r.path = path + "." + ext;
    r.slot = slot;
    r.placed = true;
    r.top = rec.Top, r.left = rec.Left, r.height = rec.Height, r.width = rec.Width;
    r.minimised = rec.State == 2;
    r.recent = false;
    r.loadPrograms = false;
    r.quiet = true;
    r.twin = false;
    r.readOnly = rec.RdOnly == 1 ? 1 : 0;
    return r;
}

bool isArrangement(const DocumentT* d) {
    return d && (d->docFamily() == WinFamily::ArrU || d->docFamily() == WinFamily::ArrNew);
}

// A style window of the last run. Its file may be the style part of an
// arrangement window reopened before it (the user opened the style file
// first, or Show Sty made it that window's companion): it comes back all
// the same, a companion with the arrangement window's styles as Show Sty
// shows them. A file another style window holds stays closed.
bool reopenStyle(int slot, const SlotRec& rec) {
    OpenRequest r = reopenRequest(rec, "sty", slot);
    r.companion = rec.Extra != 0;
    DocumentT* arr = HolderOf(r.path);
    if (!arr) return OpenDocument(WinFamily::StyUN, r);
    if (!isArrangement(arr) || !arr->docForm() || HolderOf(r.path, arr)) return false;
    if (r.companion) {
        StyFileBuf = StyPartOf(arr->docForm()->Tag());
    } else if (StyFileLoad(r.path) != 0) {
        return false;
    }
    r.alreadyRead = true;
    return OpenDocument(WinFamily::StyUN, r);
}

// Reopens the marked records 1-8 of a slot table in the lowest free slots.
// `open` reads the record's file and shows the window of the slot (false:
// nothing opened). A record that cannot be reopened is left closed; so are
// the records that find no free slot left.
template <std::size_t N>
void reopenSlots(std::array<SlotRec, N>& table, std::array<int, 9>& used, const QPointer<frmMain>& frame,
                 const std::function<bool(int slot, const SlotRec& rec)>& open) {
    for (int i = 1; i <= 8 && frame; ++i) {
        const auto ii = static_cast<std::size_t>(i);
        const SlotRec rec = table[ii];
        // Closed, or the slot of a window opened meanwhile.
        if (rec.State == 0 || used[ii] != 0) continue;
        int slot = 0;
        for (int j = 1; j <= 8 && slot == 0; ++j)
            if (used[static_cast<std::size_t>(j)] == 0) slot = j;
        if (slot == 0) {
            table[ii].State = 0;
            continue;
        }
        const auto s = static_cast<std::size_t>(slot);
        if (i > slot) {
            table[s] = rec;
            table[ii].State = 0;
        }
        used[s] = 1;
        if (!open(slot, rec)) {
            used[s] = 0;
            table[s] = rec;
            table[s].State = 0;
        }
    }
}

// Slot 9, the instrument's user bank, through its menu command. A bank with
// no name cannot reopen; one whose file cannot be read (the command says
// why) is not tried again.
void reopenUserBank(SlotRec& rec, const std::string& bankFile, MenuId command, WinFamily family,
                    bool available, const frmMain& m) {
    if (rec.State == 0 || WindowOf(family, 9)) return;
    if (rtrim(bankFile).empty()) {
        rec.State = 0;
        return;
    }
    // Its item is off while the bank's window is open (opened meanwhile).
    if (!available || !m.item(command)->isEnabled()) return;
    const uint8_t state = rec.State;
    freshRequest(m);
    RunMenuCommand(command);
    // The command takes its item off only when the window opened.
    if (ChildForm* f = WindowOf(family, 9))
        minimiseWhenMarked(f, state);
    else if (m.item(command)->isEnabled())
        rec.State = 0;
}

// The program windows of the reopened arrangement windows, once each, and
// only for a file not open already.
void openCompanions() {
    auto list = std::move(companions());
    companions().clear();
    if (!ApriPrgOpt || !IsLinked<PrgWindowLinkT>()) return;
    for (const auto& [slot, path] : list) {
        if (!WindowOf(WinFamily::ArrU, slot)) continue;  // closed meanwhile
        ArrDir = PathDir(path);
        ArrName = PathName(path);
        ArrPathFindOpen();
    }
}

}  // namespace

void RestoreAutoRun(frmMain& m, int kind) {
    if (running) return;
    m.TimerAuto[static_cast<std::size_t>(kind)]->setEnabled(false);
    QPointer<frmMain> frame(&m);
    bool counted = true;
    {
        Running r;
        switch (kind) {
        case 2: RunMenuCommand(MenuId::mnuArrA); break;
        case 3: RunMenuCommand(MenuId::mnuArrB); break;
        case 4: case 5: case 6: case 7: case 8: {
            static constexpr MenuId banks[] = {MenuId::mnuWProgA, MenuId::mnuWProgB, MenuId::mnuWProgC,
                                               MenuId::mnuWProgD, MenuId::mnuWProgE};
            if (NamedAvailable(NamedWindow::frmPcgAE)) RunMenuCommand(banks[kind - 4]);
            break;
        }
        case 9: case 10:
            if (NamedAvailable(NamedWindow::frmDrum)) RunMenuCommand(kind == 9 ? MenuId::mnuDrum : MenuId::mnuPerc);
            break;
        case 11: RunNamed(NamedWindow::frmFindID); break;
        case 34: RunNamed(NamedWindow::frmPrgSelAuto); break;
        default: counted = false; break;
        }
    }
    if (!frame || !counted) return;
    ++RestoreDone;
    if (RestoreArmed == RestoreDone) frame->TimerArrU->setEnabled(true);
}

void RestoreArrStage(frmMain& m) {
    if (running) return;
    m.TimerArrU->setEnabled(false);
    QPointer<frmMain> frame(&m);
    companions().clear();
    {
        Running r;
        const bool built = FamilyAvailable(WinFamily::ArrU);
        if (built)
            reopenSlots(ArrSlots, ArrSlotUsed, frame, [&](int slot, const SlotRec& rec) {
                if (!OpenDocument(WinFamily::ArrU, reopenRequest(rec, "arr", slot)) || !frame) return false;
                companions().emplace_back(slot, rtrim(rec.Path));
                return true;
            });
        if (frame) reopenUserBank(ArrSlots[9], ArrUFile, MenuId::mnuArrU, WinFamily::ArrU, built, *frame);
    }
    if (frame) frame->TimerStyU->setEnabled(true);
}

void RestoreStyStage(frmMain& m) {
    if (running) return;
    m.TimerStyU->setEnabled(false);
    QPointer<frmMain> frame(&m);
    {
        Running r;
        const bool built = FamilyAvailable(WinFamily::StyUN);
        if (built)
            reopenSlots(StySlots, StySlotUsed, frame,
                        [](int slot, const SlotRec& rec) { return reopenStyle(slot, rec); });
        if (frame) reopenUserBank(StySlots[9], StyUFile, MenuId::mnuStyU, WinFamily::StyUN, built, *frame);
    }
    if (frame) frame->TimerPrgU->setEnabled(true);
}

void RestorePrgStage(frmMain& m) {
    if (running) return;
    m.TimerPrgU->setEnabled(false);
    QPointer<frmMain> frame(&m);
    Running r;
    if (IsLinked<PrgWindowLinkT>())
        reopenSlots(PrgSlots, PrgSlotUsed, frame, [&](int slot, const SlotRec& rec) {
            return OpenDocument(WinFamily::PrgUN, reopenRequest(rec, rec.Type != 0 ? "pgg" : "prg", slot));
        });
    if (frame)
        reopenUserBank(PrgSlots[9], PrgUFile, MenuId::mnuPrgU, WinFamily::PrgUN, MenuCommandAvailable(MenuId::mnuPrgU),
                       *frame);
    if (frame) openCompanions();
}
