#pragma once
// The commands that open the About box, the user's guide and the notebook.
#include <string>

// The guide file for LangSel read into GuidaText. False, after the message,
// when there is no guide to show (missing, not this program's guide,
// unreadable or too long); GuidaText is then left as it was.
bool GuidaLoad();

// Registers mnuInfo, mnuGuida and mnuBloccoNote with the menu commands, and
// the other bank and tool commands (ToolCommands.h).
void InstallSmallWindows();
