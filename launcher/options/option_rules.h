#pragma once
// The option tabs' rules that need no widget: number boxes stepped within
// their range, and which sound boxes "Disable sound" and its neighbours
// leave available.

#include <array>
#include <string>

namespace krv {

// The value a number box shows after one step of its buttons, kept within
// [low, high]; a box that holds no number or less than `low` starts there.
int steppedNumber(const std::string& text, int step, int low, int high);

// The Sound tab's boxes that decide the others.
struct SoundSwitches {
    bool soundOff = false;  // "Disable sound"
    bool basicDoom = false; // "Basic Doom"
    bool sound3d = false;   // "3DSound"
    bool ricochets = false; // " Enable ricochets"
};

struct SoundAvailability {
    std::array<bool, 11> boxes{}; // by the boxes' index; 0 is never changed
    bool channels = false;        // the audio channels and their caption
    bool ricochetValue = false;   // the ricochet number and its buttons
    bool operator==(const SoundAvailability&) const = default;
};

// `soundPackPresent`: "data\pk_doom_sfx.wad" exists.
SoundAvailability soundAvailability(const SoundSwitches& on, bool soundPackPresent);

} // namespace krv
