#pragma once
// The View menu's bank, user-bank and tool commands, and the Edit menu's
// performance editor, find by number and database update. Commands whose
// window or procedure is not part of the program stay disabled.
#include "app/MenuIds.h"

// Whether the command of `id` can run: false while the window or procedure it
// opens is not in the program. Every path that enables a menu item asks it,
// so such a command stays disabled whatever else would enable it.
bool MenuCommandAvailable(MenuId id);
// Disables the items whose commands cannot run (the main window's load).
void MenuCommandsLimit();

// The instrument's user banks: each opens its window only when the bank's
// file was read (a missing one is reported, a damaged one by its reader).
void mnuArrU_Click();
void mnuStyU_Click();
void mnuPrgU_Click();

// The database update in two passes: the choice puts up the notice and arms
// the frame's Timer(0); its tick runs the update once, however often the
// command was chosen before it.
void mnuAggArr_Click();
void Timer_Timer(int Index);

// Registers the commands above and the other bank and tool commands.
void InstallToolCommands();
