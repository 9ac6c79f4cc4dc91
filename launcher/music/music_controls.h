#pragma once
// The controls of the Sound tab's playlist frame, by the names the help
// texts and the rules know them by. The frame also shows the option tabs'
// "Auto", "Manual" and "Ignore playlist if custom music" boxes.

#include "launcher/session/controls.h"

namespace krv::ids {

inline constexpr ControlArray SoundFrame{"SoundFrame"}; // 1 music playlists
inline constexpr ControlId SelectionList{"SelectionList"};
inline constexpr ControlArray butMusic{"butMusic"}; // 0 New, 1 Open, 2 Delete

} // namespace krv::ids

namespace krv {

void declareMusicControls(Controls& controls);

} // namespace krv
