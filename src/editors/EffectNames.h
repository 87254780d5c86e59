#pragma once
// The instrument's effects by number: the one list that every editor
// showing an effect type uses.
#include <array>

constexpr int EffectCount = 48;
// Effect 0 is "No Effect"; the type lists show the list from the last
// number down (list index = 47 - effect number).
extern const std::array<const char*, EffectCount> EffectNames;
