#pragma once
// The Preferences menu: the language, MIDI thru and the standing options.
// Each item's check mark is what the program consults while it runs; the
// options also keep a copy that the exit writes to the settings.
void InstallPreferences();
