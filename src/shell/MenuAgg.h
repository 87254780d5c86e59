#pragma once
// The menu-state refresh: which commands of the main window apply to the
// active child window, read from its window image, its size, its lists by
// name, the jobs it offers, and from the clipboard. Safe to call at any time.
void MenuAgg();
// The window kinds that have a standard size to return to (Maximize).
bool HasStandardSize(int kind);
