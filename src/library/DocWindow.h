#pragma once
// The frame every document list window shares (user and new arrangement
// files, the arrangement and style banks, style files, backing sequences):
// its layout record, the loading flag, the standard size as the largest
// size, the menu refresh on activation, resizing and closing, the Edit menu
// as the right button's pop-up, the Close button, the save question and the
// bookkeeping of its unload.
//
// A window of this frame:
//   Form_Load:    beginLoad(), its own load, endLoad(counter);
//   its record:   layoutRead / layoutWrite through its kind's working copy
//                 (the window-state entry of its kind unless it keeps another);
//   its save:     saveDocument() and saved(), when it keeps a document;
//   its unload:   unloadMenus() and what it adds to Form_Unload;
//   its jobs:     JobOffered / RunJob for the Edit menu's job commands, and
//                 ImageChanged after a paste or a cut.
#include <QFont>
#include <QPointer>
#include <cstdint>
#include <vector>

#include "app/Documents.h"
#include "app/WindowJobs.h"
#include "library/DocLayout.h"
#include "platform/Forms.h"
#include "platform/Registration.h"

class CommandButton;
class ListBox;
class QMouseEvent;
class Timer;

class DocWindow : public ChildForm, public DocumentT, public JobWindow {
    Q_OBJECT
public:
    DocWindow(MdiFrame* frame, const QString& name, int kind);
    ~DocWindow() override;

    int kind() const { return kind_; }
    bool loading() const { return loading_; }

    void Form_Activate() override;
    void Form_Resize() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Form_Unload(int& Cancel) override;

    // Unloads the window (the Close button).
    void CommClose_Click();

    // A document window, while loaded, is in the document registry.
    ChildForm* docForm() override { return this; }
    WinFamily docFamily() const override { return family_; }
    int docSlot() const override;
    std::vector<std::string> heldFiles() const override;
    bool readOrWrote(const std::string& path) const override;
    bool isDocument() const { return document_; }

    // Saves the document (File > Save, and Save As with `as`): Save As when
    // the document has no file of its own yet or came from an import. A
    // Save As then renews slot record, caption and recent files. 0 saved;
    // anything else not (the reason was shown, or the user cancelled).
    int save(bool as = false) override;
    // The right button on the window or its list: the main window's Edit menu.
    void showEditPopup();

    // Every window has answered the program's close, or one has called it
    // off: the windows that had agreed have their jobs back, to be ended by
    // their unloads or to go on.
    static void ResumeHeldForExit();

    // The mode buttons: the instrument to ARR PLAY, to SONG PLAY.
    void CommArrPlay_Click();
    void CommSongPlay_Click();

    CommandButton* CommClose = nullptr;
    CommandButton* CommArrPlay = nullptr;
    CommandButton* CommSongPlay = nullptr;

protected:
    // Declares the window a document of `family` (its constructor).
    void setDocument(WinFamily family);
    // Files held beside those its image names.
    virtual std::vector<std::string> extraFiles() const;
    // Arrangement windows: the window read or wrote the style file of its
    // document's name; it deletes it at a save once no arrangement of the
    // document uses a style of its own (and no other window holds it).
    void holdStyleFile(bool held) { styleFileHeld_ = held; }
    // Writes the document to its own file (Save): 0 written.
    virtual int writeDocument(std::string& image);
    // Whether the import that made the window still asks for Save As.
    virtual bool saveAsPending(const std::string& image) const;
    // After a completed save (the image stored): what the window adds.
    virtual void afterSave(bool /*savedAs*/) {}

    // A button of the window with its caption.
    CommandButton* addButton(const char* name, const char* caption);
    // Creates the mode buttons; SONG PLAY only when it has a caption.
    void addModeButtons(const char* songCaption = "SO&NG PLAY");

    // The layout fields of the window's record (slot record or window-state
    // entry).
    struct Layout {
        int Top = 0, Left = 0, Height = 0, Width = 0;
        int State = 0;   // 0 closed, 1 open, 2 open minimised
    };
    // The layout fields of a record (window-state entries and slot records
    // alike), and the record with them set.
    template <class R>
    static Layout layoutOf(const R& r) {
        return {r.Top, r.Left, r.Height, r.Width, r.State};
    }
    template <class R>
    static void putLayout(R& r, const Layout& l) {
        r.Top = l.Top;
        r.Left = l.Left;
        r.Height = l.Height;
        r.Width = l.Width;
        r.State = static_cast<uint8_t>(l.State);
    }
    // Copies the record into its kind's working copy and gives its fields.
    // By default the record is the window-state entry of the window's kind.
    virtual Layout layoutRead();
    // Sets the fields in the working copy and copies it back.
    virtual void layoutWrite(const Layout& l);

    // Before a window's own load: the loading flag.
    void beginLoad();
    // In the load: places the window as its record says (at the standard
    // size when the record has none) and marks the record open.
    void placeFromRecord();
    // After it: counts the window in `counter` while it is open, then clears
    // the loading flag. `openerCounted`: the opener has counted the window
    // already; the window takes that count over and gives it back as its own.
    void endLoad(int& counter, bool openerCounted = false);

    // While the window is asked to close, none of its timers runs: a send,
    // a parked click or a find it has going neither sends nor opens anything
    // while a question is up. holdForClose() at the start of the close query;
    // at its end closeAnswered(): the jobs are back, for the window to go on
    // with or for its unload to end (in the program's close, once every
    // window has answered).
    void holdForClose();
    void closeAnswered(bool stays);
    // Held for the query's whole run, whichever way it returns.
    struct CloseQuery {
        CloseQuery(DocWindow* w, const int& cancel) : window(w), cancel(cancel) { w->holdForClose(); }
        ~CloseQuery() {
            if (window) window->closeAnswered(cancel != 0);
        }
        CloseQuery(const CloseQuery&) = delete;
        CloseQuery& operator=(const CloseQuery&) = delete;
        QPointer<DocWindow> window;
        const int& cancel;
    };

    // The image position of the document-changed flag (4; 10 for styles).
    virtual long changedPos() const;
    // Closes whatever must close before the window (the arrangement editor
    // when it holds one of the window's arrangements); false cancels.
    virtual bool closeDependents() { return true; }
    // Saves the document in the close question: 0 saved, anything else not
    // (the reason was shown).
    virtual int saveDocument() { return save(); }
    // After a completed save in the save question (recent files).
    virtual void saved() {}
    // The title of the save question (by default the caption).
    virtual std::string saveTitle() const { return Caption(); }
    // The entries of the main window enabled again, and the slot given back.
    virtual void unloadMenus() {}
    // The open mark the record keeps while the program closes (by default
    // 1 normal, 2 minimised; a maximised window keeps its mark).
    virtual int closingState(int current) const;
    // Whether the window leaves its open counter while the program closes
    // (the arrangement file and backing-sequence windows do not).
    virtual bool countOutWhileClosing() const { return true; }
    // A manual close, after the record is written: what the window adds
    // (its place in the recent files).
    virtual void closedByHand() {}

    // The font the document windows' lists are laid out for: Arial, 10 point,
    // normal weight.
    static QFont ListFont();
    // The list whose right press shows the pop-up (set by the window).
    void setPopupList(ListBox* list);

    // The window's Edit (its button `edit` and Edit > Edit) as the current
    // row of `list` offers it now that the rows changed under it, or the
    // window became the active one: off on a row with nothing to edit, on
    // for a selected row while the editor can open; otherwise as it was.
    void offerEdit(ListBox* list, CommandButton* edit);
    // What the window's editor takes: whether row `row` holds an entry it
    // edits, and whether Edit may open it now (it is there and closed).
    virtual bool rowEditable(int /*row*/) const { return false; }
    virtual bool editorMayOpen() const { return false; }

    // For the jobs: a button's own Enabled property (a missing one is off),
    // and a job's timer switched on unless it is counting already.
    static bool buttonOn(const CommandButton* b);
    static void armJob(Timer* t);

    // Design places kept inside the window, for layouts drawn for a window
    // frame thinner than this platform's: the Top of a bottom row `height`
    // high, moved up when the inside is too short for it; a width no wider
    // than the inside.
    int bottomRowTop(int designTop, int height) const;
    int insideWidth(int designWidth) const;

    // A list of `grid` at Left 0 and `listTop`, with a row of controls
    // `rowHeight` high under it at `designTop` or, for a taller list, just
    // below it. A window smaller than that keeps the row inside and the list
    // above it, no wider than the inside. Returns the row's Top; `natural` is
    // its Top at the standard size.
    int placeListOverRow(ListBox* list, int listTop, const ListGrid& grid, int designTop, int rowHeight,
                         int& natural) const;

    // Raises the standard size of the window's kind so that its frame holds
    // the inside its controls need at their places, in this platform's fonts.
    // A size in `height`, `width` that is none or the standard size before
    // becomes the standard size.
    void fitStandardSize(const Extent& inside, int& height, int& width);

    void mousePressEvent(QMouseEvent* e) override;

private:
    void countOut();

    const int kind_;
    WinFamily family_ = WinFamily::ArrU;
    bool document_ = false;
    bool styleFileHeld_ = false;
    Registration registered_;
    bool loading_ = false;
    bool resizing_ = false;
    int* counter_ = nullptr;   // the open counter the window is in, while it is
    std::vector<QPointer<Timer>> heldTimers_;   // stopped by a close query
};

// Whether the window held in `f` can serve `frame`: it exists, lives on that
// frame and is not being deleted. A window of another (or a destroyed) frame
// is never handed out again.
template <class F>
bool LiveOn(const QPointer<F>& f, const MdiFrame* frame) {
    return f && !f->Discarded() && f->frame() == frame;
}
