#pragma once
// The on-screen keyboard's choices, kept in the 16 bytes of KbdSettings
// (settings file positions 30-45, byte 1 here at 30):
//
//   byte 1   MIDI channel, 0-15
//   byte 2   velocity of the keys, 1-127
//   byte 3   controller number, 0-119
//   byte 4   controller value, 0-127
//   byte 5   split point, note 36-96
//   bytes 6-16  reserved, 0
//
// A value out of its range (a damaged or foreign settings file) reads as its
// default, so the keyboard always starts in a usable state.
#include <string>

struct KbdChoice {
    int channel = 0;
    int velocity = 100;
    int controller = 1;   // modulation
    int ctlValue = 0;
    int split = 60;       // C4
};

// The lowest and highest note of the keyboard, also the split point's range.
constexpr int KbdLowNote = 36;
constexpr int KbdHighNote = 96;

std::string KbdSettingsDefault();
KbdChoice KbdSettingsDecode(const std::string& s);
std::string KbdSettingsEncode(const KbdChoice& c);
