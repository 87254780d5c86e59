#include "editors/EffectNames.h"

const std::array<const char*, EffectCount> EffectNames = {
    "No Effect",      "Hall",          "Ensemble Hall", "Concert Hall",  "Room",          "Large Room",
    "Live Stage",     "Wet Plate",     "Dry Plate",     "Spring Reverb", "Early Ref 1",   "Early Ref 2",
    "Early Ref 3",    "Stereo Delay",  "Cross Delay",   "Dual Delay",    "Multitap Dly1", "Multitap Dly2",
    "Multitap Dly3",  "Chorus 1",      "Chorus 2",      "Quad Chorus",   "XOver Chorus",  "Harmonic Cho.",
    "Symphonic Ens",  "Flanger 1",     "Flanger 2",     "XOver Flanger", "Exciter",       "Enhancer",
    "Distortion",     "Overdrive",     "Phaser 1",      "Phaser 2",      "Rotary Speaker", "Auto Pan",
    "Tremolo",        "Equalizer",     "Chorus-Delay",  "Flanger-Delay", "Delay/Hall",    "Delay/Room",
    "Delay/Chorus",   "Delay/Flanger", "Delay/Dist",    "Delay/Overdrv", "Delay/Phaser",  "Delay/Rotary",
};
