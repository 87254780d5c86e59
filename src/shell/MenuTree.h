#pragma once
// The main window's menu tree as one table: every item in menu order with
// its parent, its caption (a message number, or a caption that never changes
// with the language), its shortcut and whether it starts hidden.
#include <span>

#include "app/MenuIds.h"

struct MenuRow {
    enum Flag { Separator = 1, SubMenu = 2, Hidden = 4 };
    MenuId id;
    MenuId parent;         // the item itself for a top-level menu
    int msg;               // message number of the caption, 0 for none
    const char* fixed;     // caption that stays the same in both languages
    const char* shortcut;  // e.g. "Ctrl+O"
    int flags;
    int index;             // index in its control array, -1 for none
    bool topLevel() const { return parent == id; }
};

std::span<const MenuRow> MenuTree();
