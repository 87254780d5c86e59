#pragma once
// The records the editors change: a copy of one entry of a window's image
// (a program, an arrangement) with where it came from, whether it changed
// since, and which editors have it open. Each record has one owner here;
// the windows it comes from, the editors and the menus all ask it.
#include <QPointer>
#include <functional>
#include <string>

#include "platform/Forms.h"

struct EditRecordLayout {
    long len;                    // the whole record
    char fill;                   // its bytes before the first build
    long blockLen;               // the entry's own bytes, 1..blockLen
    long (*blockOf)(int index);  // where entry `index` starts in a window image
    int entries;
    long kindPos, indexPos, slotPos;  // where it came from: window kind, entry, window slot
    long changedPos;                  // the image's mark a store sets
    ChildForm* (*windowOf)(int kind, int slot);  // the open window of a kind and slot
    int closedMsg;                    // says that the window it came from has closed
    long fileNamePos, fileNameLen;    // its file's name, without folder or extension
    long fileKindPos;                 // the image's program-file type (0: none kept)
    bool (*inEditor)();               // an editor has the record open
};

class EditRecord;

// Registered by the editors: how they build a record whole (the names it
// shows beside the entry's bytes), and how they show that its file has been
// saved under another name. Without them a record holds the entry's bytes
// and its source alone.
class RecordEditorsT {
public:
    virtual ~RecordEditorsT() = default;
    virtual void rebuild(EditRecord& record, ChildForm* window, int index);
    virtual void renamed(const EditRecord& /*record*/) {}
    // The keep step of the record's open editors before it leaves its entry:
    // their question, titled with their caption, and their store. False
    // when the store was refused (the edit stays).
    virtual bool keep(EditRecord& /*record*/) { return true; }
    // Closes the record's editors, as their window's close does.
    virtual void close(EditRecord& /*record*/) {}
};

class EditRecord {
public:
    explicit EditRecord(const EditRecordLayout& layout) : layout_(&layout), bytes(std::string(layout.len, layout.fill)) {}

    const EditRecordLayout* layout_;
    std::string bytes;
    bool modified = false;   // changed since it was built or stored

    // Entry `index` of `window`'s image becomes the record, as the image
    // holds it now, with its file's name; unchanged until an editor changes
    // it. An index out of range or an image too short for it leaves the
    // record as it is (false); an empty slot leaves it holding no entry
    // (false).
    bool build(ChildForm* window, int index);
    // Whether the record holds entry `index` of `window` and goes back there.
    bool holds(const ChildForm* window, int index) const;
    // Whether an editor has the record open on entry `index` of `window`:
    // Edit there brings that editor forward with its edit.
    bool editing(const ChildForm* window, int index) const;
    enum class Stored { Yes, NoWindow, ReadOnly };
    // Writes the record back into the window it was built from while that
    // very window is open (whatever file it now holds), marks the image
    // changed and has the window show it again (its current row kept); the
    // record is then unchanged.
    Stored store();
    // store(), and when the record cannot go back the user is told why in a
    // box titled `title` (the editor's caption): the edit then stays in the
    // record, still marked changed (false).
    bool storeOrSay(const std::string& title);

    // The one step after "Keep changes ?": a changed record asks it
    // (AskKeepChanges kind `askKind`, titled `title`) and Yes stores it with
    // `storeIt` (false: refused, and the user has been told why). False
    // only when a store was refused: the edit stays, still marked changed.
    bool keep(int askKind, const std::string& title, const std::function<bool()>& storeIt);
    // keep() before the record is replaced by another entry: true when the
    // caller may go on (the edits stored or dropped); false when the store
    // was refused: the edit stays in the record and in its editors.
    bool keepBeforeReplace(int askKind, const std::string& title, const std::function<bool()>& storeIt);
    // The same with the question and the store of the editors that have the
    // record open (nothing to keep while none has).
    bool keepBeforeReplace();
    // Rows of `window` are about to be cut (`cut(row)` tells which). When
    // the record's entry is among them and an editor has it open, its edit
    // is kept or dropped first, asked as a click on another row asks it, so
    // that the cut takes the entry the user chose. False when the store was
    // refused: nothing may be cut.
    bool keepBeforeCut(const ChildForm* window, const std::function<bool(int)>& cut);
    // Rows of `window` have been emptied: a record on one of them holds no
    // entry any more, and its editors close without a question, as they do
    // when their window closes. An entry the instrument was given there is
    // no longer the one it has selected.
    void rowsEmptied(const ChildForm* window);
    // The close question of one of the record's editors; only the last of
    // them to close asks, so none is asked while `otherEditorStays`. A
    // changed record asks "Save changes ?" (AskSaveChanges kind `askKind`);
    // Yes stores it; after No the edit goes with the editor (editorClosed).
    // False keeps the editor open with the edit (Cancel, or a store refused
    // and said why): the close under way is cancelled (SaveCancelled set,
    // AppClosing cleared).
    bool mayClose(bool otherEditorStays, int askKind, const std::string& title);
    // One of the record's editors has closed. Once none has it open, the
    // record is again what its window holds (an edit not stored is dropped),
    // or empty when that window has gone: the next editor starts from there.
    void editorClosed();
    // Whether the record came from `window` and still goes back there.
    bool cameFrom(const ChildForm* window) const;
    // `window` closes: the record no longer goes back anywhere. Unless an
    // editor still has it open it goes with the window, so that no editor
    // opens later on a program of a file that was not kept.
    void sourceClosing(const ChildForm* window);
    // `window` has been saved under another name: a record built from it
    // names the new file, and so do its editors.
    void sourceRenamed(const ChildForm* window);
    int kind() const;
    int index() const;
    // The window the record goes back to, or nullptr.
    ChildForm* source() const;
    // Back to the record of a fresh start.
    void reset();

    // Where the editors' live changes go: the entry the instrument has
    // selected. A window names the entry of its own it has just selected;
    // every other selection or bank sent makes it unknown (nullptr).
    void instrumentSelected(const ChildForm* window, int index);
    void instrumentChanged() { instrumentSelected(nullptr, -1); }
    bool instrumentHas(const ChildForm* window, int index) const;

private:
    void drop();
    // Whether entry `index` of an image is an empty slot (its first byte 0).
    bool emptyIn(const std::string& image, int index) const;
    // The file's name (and a program file's type) from the image's path.
    void nameFrom(const std::string& image);
    QPointer<ChildForm> source_;
    QPointer<const ChildForm> selected_;
    int selectedIndex_ = -1;
};

// ---- The current program ----------------------------------------------------------

// The program record: the 172 bytes of one program of a program window,
// then where it came from and its file (1-based positions).
constexpr long PrgRecLen = 417;
constexpr long PrgRecBlockLen = 172;   // the program's own bytes, 1-172
constexpr long PrgRecName = 1;         // program name, blank-padded
constexpr long PrgRecNameLen = 16;
constexpr long PrgRecKind = 173;       // kind of the window it came from (21, 22, 31)
constexpr long PrgRecIndex = 174;      // program number 0-63
constexpr long PrgRecSlot = 175;       // the window's slot; 0 once that window closed
constexpr long PrgRecFileKind = 177;   // 0 ".prg", 1 ".pgg"
constexpr long PrgRecFileName = 178;   // file name without folder or extension, blank-padded
constexpr long PrgRecFileNameLen = 238;

struct ProgramEditState {
    EditRecord record;
    bool EditPrgOpen = false;    // the program editor is loaded
    bool EditPerfOpen = false;   // the performance editor is loaded
    int OscTextSel = 0;          // the oscillator text box the program editor selected
};
extern ProgramEditState ProgramEdit;

inline auto& PrgRec = ProgramEdit.record.bytes;
inline auto& PrgModified = ProgramEdit.record.modified;
inline auto& EditPrgOpen = ProgramEdit.EditPrgOpen;
inline auto& EditPerfOpen = ProgramEdit.EditPerfOpen;
inline auto& OscTextSel = ProgramEdit.OscTextSel;

// ---- The current arrangement ----------------------------------------------------

constexpr long ArrRecLen = 567;
constexpr long ArrRecBlockLen = 164;   // the arrangement's own bytes, 1-164
constexpr long ArrRecKind = 325;       // window kind of the window the record came from
constexpr long ArrRecIndex = 326;      // the arrangement's row
constexpr long ArrRecSlot = 327;       // its slot
constexpr long ArrRecName = 1;         // the arrangement's name, 16 characters
constexpr long ArrRecNameLen = 16;
constexpr long ArrRecStyle = 18;       // style number: 0-127 banks A/B, 0-15 a user style
constexpr long ArrRecStyleKind = 19;   // 0 a style of the banks, 1 a user style
constexpr long ArrRecStyleName = 165;  // the style's name, 16 characters
constexpr long ArrRecTextLen = 16;
constexpr long ArrRecPrgNames = 181;   // track t's user program name at 181 + 16t
constexpr long ArrRecFileName = 330;   // the file's name without folder, blank-padded to 567
constexpr long ArrRecFileNameLen = 238;
constexpr int ArrTracks = 9;           // Drum, Percussion, Bass, ACC1-3, UPPER1, UPPER2, LOWER
// Track t's block: program 40 + 8t, bank kind 41 + 8t, then its six settings.
constexpr long ArrRecTrack(int t) { return 40 + 8L * t; }
constexpr long ArrRecPrgName(int t) { return ArrRecPrgNames + 16L * t; }

struct ArrangementEditState {
    EditRecord record;
    bool EditArrOpen = false;   // the arrangement editor is loaded
};
extern ArrangementEditState ArrangementEdit;

inline auto& ArrRec = ArrangementEdit.record.bytes;
inline auto& ArrModified = ArrangementEdit.record.modified;
inline auto& EditArrOpen = ArrangementEdit.EditArrOpen;

// A document window closes, or has been saved under another name: both
// records follow it.
void EditRecordsSourceClosing(const ChildForm* window);
void EditRecordsSourceRenamed(const ChildForm* window);
// Cut in `window`: both records keep or drop the edit of a row that goes
// (false: a store was refused), then follow the rows emptied.
bool EditRecordsKeepBeforeCut(const ChildForm* window, const std::function<bool(int)>& cut);
void EditRecordsRowsEmptied(const ChildForm* window);

// Both records and their editors' flags back to a fresh start (tests).
void resetProgramEdit();
void resetArrangementEdit();
