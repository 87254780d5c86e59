#include "editors/global/frmGbl.h"

#include "app/Captions.h"
#include "app/ImageLayout.h"
#include "app/Links.h"
#include "app/Messages.h"
#include "app/Tables.h"
#include "app/state.h"
#include "editors/global/GblParams.h"
#include "editors/state.h"
#include "files/state.h"
#include "files/Writers.h"
#include "library/FormFamily.h"
#include "midi/MIDI.h"
#include "platform/Controls.h"
#include "platform/Paths.h"
#include "platform/bytes.h"
#include "shell/MenuAgg.h"

namespace {
SlotRec& slotRecord(int s) { return GblSlots[static_cast<std::size_t>(s >= 0 && s <= 8 ? s : 0)]; }

// The instrument's window, when it is open.
frmGbl* instrumentWindow() { return qobject_cast<frmGbl*>(WindowOf(WinFamily::Gbl, 0)); }
}  // namespace

std::array<QPointer<frmGbl>, 9>& GblForms() {
    static std::array<QPointer<frmGbl>, 9> forms;
    return forms;
}

frmGbl::frmGbl(MdiFrame* frame, int slot)
    : DocWindow(frame, QStringLiteral("frmGbl"), slot == 0 ? 14 : 25), slot_(slot) {
    setDocument(WinFamily::Gbl);
    CommLoadGbl = addButton("CommLoadGbl", "Load");
    CommLoadGbl->Click = [this] { CommLoadGbl_Click(); };
    CommGlobal = addButton("CommGlobal", "GLOBAL");
    CommGlobal->Click = [this] { CommGlobal_Click(); };
    CommClose->setCaption(Msg(8));
    buildPages();
}

void frmGbl::Form_Load() {
    beginLoad();
    {
        const Quiet quiet;
        GblSlotWork = slotRecord(slot_);
        std::string data;
        bool readOnly = false;
        if (slot_ == 0) {
            // The instrument's block, never read-only whatever the last open chose.
            data = GblInstr;
            placeFromRecord();
        } else {
            data = GblFileData;
            readOnly = RdOnlyOpen != 0;
            GblSlotWork.Path = GblDir.empty() ? GblName : PathJoin(GblDir, GblName);
            int h = 0, w = 0;
            StandardSize(kind(), h, w);
            Move(0, 0, w, h);
            GblSlotWork.Top = GblSlotWork.Left = 0;
            GblSlotWork.Height = h;
            GblSlotWork.Width = w;
        }
        GblSlotWork.State = 1;
        GblSlotWork.RdOnly = readOnly ? 1 : 0;
        slotRecord(slot_) = GblSlotWork;
        setTag(GblImageBuild(slot_, data, GblSlotWork.Path, readOnly));
        GblAggFrm();
        setCaption(DocCaptionBuild(Tag()));
        SSTab1->setTab(0);
        GblForms()[static_cast<std::size_t>(slot_)] = this;
    }
    endLoad(GblWinCount);
}

void frmGbl::showInstrument(const std::string& data) {
    std::string image = Tag();
    GblImagePutData(image, data);
    setTag(image);
    GblAggFrm();
}

void frmGbl::CommLoadGbl_Click() {
    if (Busy) return;
    MidiMonLog("");
    if (sendDump()) MidiMonLogSent();
}

bool frmGbl::sendDump() {
    if (GblTxDump(Tag()) != 0) return false;   // not sent: the instrument keeps what it had
    GblInstr = GblImageData(Tag());
    GblInstrSet = 1;
    if (frmGbl* own = instrumentWindow()) {
        if (own != this) own->showInstrument(GblInstr);
    } else {
        MainWindowLink().enableMenu(MenuId::mnuGlobalParam, true);
    }
    return true;
}

void frmGbl::CommGlobal_Click() { ModeTx04(); }

void frmGbl::Form_QueryUnload(int& Cancel, int UnloadMode) {
    // The instrument's window holds no file: nothing to save.
    if (slot_ == 0) return;
    DocWindow::Form_QueryUnload(Cancel, UnloadMode);
}

int frmGbl::save(bool as) {
    if (slot_ != 0) return DocWindow::save(as);
    // The instrument's block written to a file: the window stays the
    // instrument's, with its title and image.
    std::string image = Tag();
    return FileSaveAs(image, this);
}

int frmGbl::saveDocument() {
    if (at(Tag(), ImgRdOnly) == 1) {
        ErrMsg(ErrReadOnly, DocCaptionBuild(Tag()));
        return 1;
    }
    return save();
}

DocWindow::Layout frmGbl::layoutRead() {
    if (slot_ == 0) return DocWindow::layoutRead();
    GblSlotWork = slotRecord(slot_);
    return layoutOf(GblSlotWork);
}

void frmGbl::layoutWrite(const Layout& l) {
    if (slot_ == 0) {
        DocWindow::layoutWrite(l);
        slotRecord(0).State = static_cast<uint8_t>(l.State);   // Cascade reads it there
        return;
    }
    putLayout(GblSlotWork, l);
    slotRecord(slot_) = GblSlotWork;
}

void frmGbl::unloadMenus() {
    // Slot 0 opens again from View; a file slot is free for Open Gbl.
    MainWindowLink().enableMenu(slot_ == 0 ? MenuId::mnuGlobalParam : MenuId::mnuApriGbl, true);
}

void InstallGlobalWindows() {
    static Registration family;
    family = RegisterWindowFamily(WinFamily::Gbl,
                                  FamilyOf(&GblForms, [](frmMain* m, int slot) { return new frmGbl(m, slot); }));
}
