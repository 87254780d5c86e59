#include "app/EditRecord.h"

#include "app/ImageLayout.h"
#include "app/Links.h"
#include "app/Messages.h"
#include "app/WindowJobs.h"
#include "app/state.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "platform/bytes.h"

namespace {
ChildForm* programWindow(int kind, int slot) {
    if (slot < 1 || slot > 9) return nullptr;
    if (kind == 21 || kind == 31) return WindowOf(WinFamily::PrgUN, slot);
    if (kind == 22) return WindowOf(WinFamily::PrgNew, slot);
    return nullptr;
}

ChildForm* arrangementWindow(int kind, int slot) {
    if (kind == 19 && slot >= 1 && slot <= 8) return WindowOf(WinFamily::ArrU, slot);
    return nullptr;
}

const EditRecordLayout kProgram{PrgRecLen,        ' ',
                                PrgRecBlockLen,   ImgPrgBlock,
                                64,               PrgRecKind,
                                PrgRecIndex,      PrgRecSlot,
                                ImgPrgChanged,    programWindow,
                                MsgPrgWindowClosed, PrgRecFileName,
                                PrgRecFileNameLen, PrgRecFileKind,
                                [] { return ProgramEdit.EditPrgOpen || ProgramEdit.EditPerfOpen; }};
const EditRecordLayout kArrangement{ArrRecLen,        '\0',
                                    ArrRecBlockLen,   ImgArrBlock,
                                    64,               ArrRecKind,
                                    ArrRecIndex,      ArrRecSlot,
                                    ImgChanged,       arrangementWindow,
                                    MsgArrWindowClosed, ArrRecFileName,
                                    ArrRecFileNameLen, 0,
                                    [] { return ArrangementEdit.EditArrOpen; }};
}  // namespace

void RecordEditorsT::rebuild(EditRecord& record, ChildForm* window, int index) { record.build(window, index); }

ProgramEditState ProgramEdit{EditRecord(kProgram)};
ArrangementEditState ArrangementEdit{EditRecord(kArrangement)};

void resetProgramEdit() { ProgramEdit = ProgramEditState{EditRecord(kProgram)}; }
void resetArrangementEdit() { ArrangementEdit = ArrangementEditState{EditRecord(kArrangement)}; }

bool EditRecord::build(ChildForm* window, int index) {
    const EditRecordLayout& l = *layout_;
    if (!window || index < 0 || index >= l.entries) return false;
    const std::string& image = window->Tag();
    const long from = l.blockOf(index);
    if (static_cast<long>(image.size()) < from + l.blockLen - 1) return false;
    if (emptyIn(image, index)) {
        reset();
        return false;
    }
    std::string rec(static_cast<std::size_t>(l.len), l.fill);
    putMid(rec, 1, mid(image, from, l.blockLen));
    put(rec, l.kindPos, at(image, ImgKind));
    put(rec, l.indexPos, static_cast<unsigned>(index));
    put(rec, l.slotPos, at(image, ImgSlot));
    bytes = rec;
    nameFrom(image);
    modified = false;
    source_ = l.windowOf(kind(), at(bytes, l.slotPos)) == window ? window : nullptr;
    return true;
}

void EditRecord::nameFrom(const std::string& image) {
    const EditRecordLayout& l = *layout_;
    putField(bytes, l.fileNamePos, l.fileNameLen, rtrim(PathName(ImgPathOf(image))));
    if (l.fileKindPos != 0) put(bytes, l.fileKindPos, at(image, ImgPrgType));
}

bool EditRecord::emptyIn(const std::string& image, int index) const { return at(image, layout_->blockOf(index)) == 0; }

bool EditRecord::holds(const ChildForm* window, int index) const {
    return window && source() == window && this->index() == index;
}

bool EditRecord::editing(const ChildForm* window, int index) const { return layout_->inEditor() && holds(window, index); }

void EditRecord::instrumentSelected(const ChildForm* window, int index) {
    selected_ = window;
    selectedIndex_ = index;
}

bool EditRecord::instrumentHas(const ChildForm* window, int index) const {
    return window && selected_ == window && selectedIndex_ == index;
}

int EditRecord::kind() const { return at(bytes, layout_->kindPos); }
int EditRecord::index() const { return at(bytes, layout_->indexPos); }

ChildForm* EditRecord::source() const {
    ChildForm* w = layout_->windowOf(kind(), at(bytes, layout_->slotPos));
    return w && w == source_ ? w : nullptr;
}

bool EditRecord::cameFrom(const ChildForm* window) const {
    const std::string& image = window->Tag();
    return at(bytes, layout_->kindPos) == at(image, ImgKind) && at(bytes, layout_->slotPos) == at(image, ImgSlot) &&
           at(bytes, layout_->slotPos) != 0;
}

void EditRecord::sourceClosing(const ChildForm* window) {
    if (!cameFrom(window)) return;
    if (!layout_->inEditor()) reset();
    put(bytes, layout_->slotPos, 0);
    source_ = nullptr;
}

void EditRecord::sourceRenamed(const ChildForm* window) {
    if (!window || source() != window) return;
    nameFrom(window->Tag());
    Linked<RecordEditorsT>().renamed(*this);
}

void EditRecordsSourceClosing(const ChildForm* window) {
    ProgramEdit.record.sourceClosing(window);
    ArrangementEdit.record.sourceClosing(window);
}

void EditRecordsSourceRenamed(const ChildForm* window) {
    ProgramEdit.record.sourceRenamed(window);
    ArrangementEdit.record.sourceRenamed(window);
}

bool EditRecordsKeepBeforeCut(const ChildForm* window, const std::function<bool(int)>& cut) {
    return ProgramEdit.record.keepBeforeCut(window, cut) && ArrangementEdit.record.keepBeforeCut(window, cut);
}

void EditRecordsRowsEmptied(const ChildForm* window) {
    ProgramEdit.record.rowsEmptied(window);
    ArrangementEdit.record.rowsEmptied(window);
}

bool EditRecord::keepBeforeCut(const ChildForm* window, const std::function<bool(int)>& cut) {
    if (!layout_->inEditor() || !window || source() != window || !cut(index())) return true;
    return keepBeforeReplace();
}

void EditRecord::rowsEmptied(const ChildForm* window) {
    if (!window) return;
    // The entry the instrument was given has gone from its window.
    if (instrumentHas(window, selectedIndex_) && emptyIn(window->Tag(), selectedIndex_)) instrumentChanged();
    if (source() != window || !emptyIn(window->Tag(), index())) return;
    // Its edit was kept or dropped before the cut: nothing is asked again.
    modified = false;
    if (layout_->inEditor()) Linked<RecordEditorsT>().close(*this);
    reset();
}

void EditRecord::editorClosed() {
    if (!layout_->inEditor()) drop();
}

void EditRecord::drop() {
    ChildForm* w = source();
    if (w)
        Linked<RecordEditorsT>().rebuild(*this, w, index());
    else
        reset();
    modified = false;
}

EditRecord::Stored EditRecord::store() {
    ChildForm* w = source();
    if (!w) return Stored::NoWindow;
    std::string& img = w->Tag();
    if (ImgIsRdOnly(img)) return Stored::ReadOnly;
    putMid(img, layout_->blockOf(index()), mid(bytes, 1, layout_->blockLen));
    put(img, layout_->changedPos, 1);
    modified = false;
    if (JobWindow* j = JobWindowOf(w)) j->ImageChanged();
    return Stored::Yes;
}

bool EditRecord::storeOrSay(const std::string& title) {
    switch (store()) {
    case Stored::Yes: return true;
    case Stored::ReadOnly: ErrMsg(ErrReadOnly, title); return false;
    case Stored::NoWindow:
        MsgBox(Msg(layout_->closedMsg), vbOKOnly | vbExclamation, title.empty() ? std::string(ProgramTitle) : title);
        return false;
    }
    return false;
}

bool EditRecord::keep(int askKind, const std::string& title, const std::function<bool()>& storeIt) {
    return !modified || AskKeepChanges(askKind, title) != vbYes || storeIt();
}

bool EditRecord::keepBeforeReplace(int askKind, const std::string& title, const std::function<bool()>& storeIt) {
    if (!keep(askKind, title, storeIt)) return false;
    modified = false;
    return true;
}

bool EditRecord::keepBeforeReplace() { return !layout_->inEditor() || Linked<RecordEditorsT>().keep(*this); }

bool EditRecord::mayClose(bool otherEditorStays, int askKind, const std::string& title) {
    if (modified && !otherEditorStays) {
        const int answer = AskSaveChanges(askKind, title);
        if (answer == vbCancel || (answer == vbYes && !storeOrSay(title))) {
            AppClosing = false;
            SaveCancelled = true;
            return false;
        }
    }
    SaveCancelled = false;
    return true;
}

void EditRecord::reset() {
    bytes = std::string(static_cast<std::size_t>(layout_->len), layout_->fill);
    modified = false;
    source_ = nullptr;
}
