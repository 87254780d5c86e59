#include "editors/ParamBinder.h"

#include <cassert>

#include "midi/MIDI.h"
#include "platform/Controls.h"
#include "platform/Forms.h"

ParamBinder::Binding& ParamBinder::bound(const ParamRow& row) {
    const auto it = bindings_.find(&row);
    assert(it != bindings_.end() && "row not bound");
    return *it->second;
}

const ParamBinder::Binding& ParamBinder::bound(const ParamRow& row) const {
    const auto it = bindings_.find(&row);
    assert(it != bindings_.end() && "row not bound");
    return *it->second;
}

QWidget* ParamBinder::create(const ParamRow& row, QWidget* parent, std::function<void()> own) {
    const QString name = QString::fromLatin1(row.control);
    QWidget* w = nullptr;
    switch (row.kind) {
    case ParamCtl::HScroll:
    case ParamCtl::VScroll: {
        ScrollBarBase* s = row.kind == ParamCtl::HScroll ? static_cast<ScrollBarBase*>(new HScroll(parent, name, row.index))
                                                         : new VScroll(parent, name, row.index);
        s->setMin(row.min);
        s->setMax(row.max);
        s->setSmallChange(1);
        s->setLargeChange(row.largeChange);
        w = s;
        break;
    }
    case ParamCtl::List: {
        auto* c = new ComboBox(parent, name, row.index, row.typed ? 0 : 2);
        if (row.typed) {
            // Typing a whole item picks it (the window's type-ahead); Qt
            // completes nothing and adds nothing.
            c->setCompleter(nullptr);
            c->setInsertPolicy(QComboBox::NoInsert);
        }
        for (const char* item : row.items) c->AddItem(item);
        w = c;
        break;
    }
    case ParamCtl::Check: {
        auto* c = new CheckBox(parent, name, row.index);
        c->setCaption(row.caption);
        w = c;
        break;
    }
    case ParamCtl::Option: assert(false && "option pairs are adopted"); return nullptr;
    }
    adopt(row, w, nullptr, std::move(own));
    return w;
}

void ParamBinder::adopt(const ParamRow& row, QWidget* control, QWidget* second, std::function<void()> own) {
    // An arrow key on a bound control changes its parameter and sends it:
    // the editor's window opens with no control focused, and Tab runs
    // through its controls as they are laid out.
    for (QWidget* w = control; w; w = w->parentWidget())
        if (auto* form = qobject_cast<ChildForm*>(w)) {
            form->setTabsAsLaidOut();
            break;
        }
    auto b = std::make_unique<Binding>(Binding{&row, control, second, nullptr, false});
    Binding* p = b.get();
    bindings_[&row] = std::move(b);
    order_.push_back(p);
    connect(*p, std::move(own));
}

void ParamBinder::connect(Binding& b, std::function<void()> own) {
    const ParamRow* row = b.row;
    auto run = [this, row, own](bool dragging) {
        if (own)
            own();
        else
            edited(*row, dragging);
    };
    switch (row->kind) {
    case ParamCtl::HScroll:
    case ParamCtl::VScroll: {
        auto* s = static_cast<ScrollBarBase*>(b.control.data());
        s->Change = [run] { run(false); };
        s->Scroll = [run] { run(true); };
        break;
    }
    case ParamCtl::List: static_cast<ComboBox*>(b.control.data())->Click = [run] { run(false); }; break;
    case ParamCtl::Check: static_cast<CheckBox*>(b.control.data())->Click = [run] { run(false); }; break;
    case ParamCtl::Option:
        static_cast<OptionButton*>(b.control.data())->Click = [run] { run(false); };
        static_cast<OptionButton*>(b.second.data())->Click = [run] { run(false); };
        break;
    }
}

void ParamBinder::setLabel(const ParamRow& row, Label* label) { bound(row).label = label; }

QWidget* ParamBinder::control(const ParamRow& row) const { return bound(row).control; }

Label* ParamBinder::label(const ParamRow& row) const { return bound(row).label; }

int ParamBinder::value(const ParamRow& row) const {
    const Binding& b = bound(row);
    QWidget* w = b.control;
    switch (row.kind) {
    case ParamCtl::HScroll:
    case ParamCtl::VScroll: return static_cast<ScrollBarBase*>(w)->Value();
    case ParamCtl::List: return static_cast<ComboBox*>(w)->ListIndex();
    case ParamCtl::Check: return static_cast<CheckBox*>(w)->Value();
    case ParamCtl::Option: return static_cast<OptionButton*>(w)->Value() ? 1 : 0;
    }
    return 0;
}

void ParamBinder::setValue(const ParamRow& row, int v) {
    const Binding& b = bound(row);
    QWidget* w = b.control;
    switch (row.kind) {
    case ParamCtl::HScroll:
    case ParamCtl::VScroll: static_cast<ScrollBarBase*>(w)->setValue(v); break;
    case ParamCtl::List: static_cast<ComboBox*>(w)->setListIndex(v); break;
    case ParamCtl::Check: static_cast<CheckBox*>(w)->setValue(v); break;
    case ParamCtl::Option: static_cast<OptionButton*>(v != 0 ? w : b.second.data())->setValue(true); break;
    }
}

void ParamBinder::showLabel(const ParamRow& row, bool dragging) {
    if (row.label == ParamLabel::None) return;
    if (Label* l = bound(row).label) l->setCaption(ParamLabelText(row, value(row), dragging));
}

void ParamBinder::edited(const ParamRow& row, bool dragging) {
    showLabel(row, dragging);
    if (quiet()) return;
    const int v = value(row);
    if (row.kind == ParamCtl::List && v < 0) return;  // a list showing no item
    commit(row, v);
}

void ParamBinder::commit(const ParamRow& row, int value) {
    if (!target_.beforeStore(row)) {
        fill(row);
        return;
    }
    const int sent = ParamStore(target_.record(), row, value);
    target_.stored(row);
    if (!target_.monitored(row)) {
        target_.send(row, sent);
        return;
    }
    MidiMonLog("");
    if (target_.send(row, sent)) MidiMonLogSent();
}

void ParamBinder::fill(const ParamRow& row) {
    const Quiet filling(*filling_);
    const std::optional<int> v = ParamRead(target_.record(), row);
    setValue(row, v.value_or(row.kind == ParamCtl::Check ? 0 : -1));
    showLabel(row);
}

void ParamBinder::fillAll() {
    for (Binding* b : order_)
        if (!b->apart) fill(*b->row);
}
