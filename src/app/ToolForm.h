#pragma once
// The base of the single-instance tool windows (the keyboard, the MIDI
// monitor, the notebook, the about box...): one window of a kind per frame,
// created on first use, placed from its WinStateTable entry, counted in
// ChildWinCount while open, its menu item disabled while open, its size
// stored while normal, its place and open mark stored when it unloads.
//
// A window calls the three steps from its own handlers:
//   Form_Load:   its own set-up, then ToolLoaded();
//   Form_Resize: its own layout, then (not minimised) ToolResized();
//   Form_Unload: its own clean-up, then ToolUnloaded();
// and calls MenuAgg where its handlers call it. Whatever else it registers
// while open (a sink, a flag) it keeps in a Registration member, released
// in Form_Unload; the destructor releases it when the frame went away
// without the ordered close. The open count and the menu item are undone
// that way by this base.
#include <optional>

#include "app/MenuIds.h"
#include "platform/Forms.h"
#include "platform/Registration.h"

// The document windows' size rule: a normal window larger than the
// standard size of `kind` is set back to it (compared in whole pixels).
// Gives the size to keep: the standard size itself where the window has it
// in whole pixels.
void StandardSizeClamp(ChildForm& form, int kind, int& keepHeight, int& keepWidth);

class ToolForm : public ChildForm {
    Q_OBJECT
public:
    ToolForm(MdiFrame* frame, const QString& name, int kind, MenuId menuItem);
    // A window that no menu item opens and that is not counted in ChildWinCount.
    ToolForm(MdiFrame* frame, const QString& name, int kind);
    ~ToolForm() override;

    int kind() const { return kind_; }

    // The window of `kind` on `frame`, loaded or not; never one of another
    // (or a destroyed) frame, nor one unloaded for good whose deletion is
    // pending. nullptr when there is none.
    static ToolForm* Find(const MdiFrame* frame, int kind);
    // The one window of class F (of kind F::Kind) on `frame`, created (not
    // shown) when there is none.
    template <class F>
    static F* Instance(MdiFrame* frame) {
        if (auto* f = dynamic_cast<F*>(Find(frame, F::Kind))) return f;
        return new F(frame);
    }

protected:
    // Places the window from its entry (the kind's standard size while the
    // entry has none; place = false leaves it where it is), marks the entry
    // open, counts the window and disables its menu item.
    void ToolLoaded(bool place = true);
    // Keeps the size of a normal window in its entry.
    void ToolResized();
    // The document windows' rule instead: a normal window is held to its
    // kind's standard size at most and its size kept (1 in the entry's
    // state), a minimised one marked 2, a maximised one left as it is.
    void ToolResizedToStandard();
    // The entry's open mark: 0 when the user closed the window; while the
    // program closes, 2 minimised or 1 open (a maximised window keeps its
    // mark). With storePlace, also Top and Left. Counts the window out and
    // enables its menu item.
    void ToolUnloaded(bool storePlace = true);

private:
    const int kind_;
    const std::optional<MenuId> menuItem_;
    Registration open_;
};
