#pragma once
// Registers the MIDI module's device routines in MidiLink (app/Links.h), so
// that start-up and shut-down can open, wire and close the devices without
// knowing this module.
void InstallMidiLink();
