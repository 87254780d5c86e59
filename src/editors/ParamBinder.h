#pragma once
// The parameter binder: every editor's rows tied to their controls. It makes
// (or adopts) the control of each row, keeps row, control and value label
// together, reads and writes a control's value, shows the label by the
// row's rule and runs the one edit sequence of every editor against the
// target its window supplies: the record it changes, what comes before a
// store, what a store marks and how a change is sent.
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "editors/ParamRow.h"
#include "editors/state.h"

class Label;

class ParamTarget {
public:
    virtual ~ParamTarget() = default;
    // The bytes the rows address.
    virtual std::string& record() = 0;
    // Beyond the editors' quiet rule (ParamBinder::quiet): the window's own
    // reason for its handlers to only display (a document loading).
    virtual bool quiet() const { return false; }
    // Runs before a store; false refuses the edit, and the control shows
    // the record again.
    virtual bool beforeStore(const ParamRow&) { return true; }
    // After the record took the value: what the window marks changed.
    virtual void stored(const ParamRow&) = 0;
    // Sends the change (`value` as the codec gives it); true when a message
    // went out, which the monitor then shows.
    virtual bool send(const ParamRow& row, int value) = 0;
    // Whether a row's edits show in the MIDI monitor (the monitor is
    // cleared before each send).
    virtual bool monitored(const ParamRow&) const { return true; }
};

class ParamBinder {
public:
    explicit ParamBinder(ParamTarget& target) : target_(target), filling_(&ownFilling_) {}
    // A binder whose fills are the window's own fill flag (PrgFilling,
    // ArrFilling): a fill of the window and a fill of one row are one state.
    ParamBinder(ParamTarget& target, bool& filling) : target_(target), filling_(&filling) {}
    ParamBinder(const ParamBinder&) = delete;
    ParamBinder& operator=(const ParamBinder&) = delete;

    // Makes the control of a row in `parent`: its range and direction, its
    // items, its events running the edit (or `own` instead, when given).
    // Option rows are adopted, not made.
    QWidget* create(const ParamRow& row, QWidget* parent, std::function<void()> own = {});
    // Ties a control made by the window to its row; an option row gives its
    // second button too.
    void adopt(const ParamRow& row, QWidget* control, QWidget* second = nullptr, std::function<void()> own = {});
    // The value label of a row.
    void setLabel(const ParamRow& row, Label* label);

    QWidget* control(const ParamRow& row) const;
    Label* label(const ParamRow& row) const;
    int value(const ParamRow& row) const;
    // Sets the control's value; its events run as for the user.
    void setValue(const ParamRow& row, int value);
    void showLabel(const ParamRow& row, bool dragging = false);

    // The one rule of every editor's handlers: they only display while the
    // program is busy (Busy), while the window is being filled, or while the
    // target says so.
    bool quiet() const { return Busy || *filling_ || target_.quiet(); }

    // The edit sequence of a control's change: the label, then (unless
    // quiet, or a list shows no item) the value committed.
    void edited(const ParamRow& row, bool dragging = false);
    // Commits a value: the target's steps before a store, the record, the
    // mark, the send and the monitor.
    void commit(const ParamRow& row, int value);
    // Shows the record on a row's control and label: nothing stored, nothing
    // sent.
    void fill(const ParamRow& row);
    // Every bound row in the order it was bound, but those left out.
    void fillAll();
    // A row that fillAll passes by: one of several meanings of a control,
    // which the window fills itself once it knows the meaning in force.
    void leaveOutOfFillAll(const ParamRow& row) { bound(row).apart = true; }
    // Whether a fill is under way (the rows' handlers only display).
    bool filling() const { return *filling_; }

private:
    struct Binding {
        const ParamRow* row;
        QPointer<QWidget> control, second;
        QPointer<Label> label;
        bool apart = false;  // left out of fillAll
    };
    Binding& bound(const ParamRow& row);
    const Binding& bound(const ParamRow& row) const;
    void connect(Binding& b, std::function<void()> own);

    ParamTarget& target_;
    std::unordered_map<const ParamRow*, std::unique_ptr<Binding>> bindings_;
    std::vector<Binding*> order_;
    bool ownFilling_ = false;
    bool* filling_;
};
