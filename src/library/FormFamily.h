#pragma once
// One instance array of document windows as a window family: the slot's
// window is created on first use on the main window and shown (its load
// runs inside the Show). `make` takes the main window, and the slot when
// the window needs it to be made.
#include <QPointer>
#include <array>
#include <type_traits>

#include "app/Links.h"
#include "library/DocWindow.h"
#include "shell/frmMain.h"

template <class F, std::size_t N, class Make>
WindowFamily FamilyOf(std::array<QPointer<F>, N>& (*forms)(), Make make) {
    auto live = [forms](int slot) -> ChildForm* {
        if (slot < 0 || slot >= static_cast<int>(N)) return nullptr;
        F* f = forms()[static_cast<std::size_t>(slot)];
        return f && f->Loaded() && !f->Discarded() ? f : nullptr;
    };
    auto show = [forms, make, live](int slot) -> ChildForm* {
        frmMain* m = MainForm();
        if (!m || slot < 0 || slot >= static_cast<int>(N)) return nullptr;
        QPointer<F>& f = forms()[static_cast<std::size_t>(slot)];
        if (!LiveOn(f, m)) {
            if constexpr (std::is_invocable_v<Make, frmMain*, int>)
                f = make(m, slot);
            else
                f = make(m);
        }
        f->Show();
        return live(slot);
    };
    return WindowFamily{show, live};
}
