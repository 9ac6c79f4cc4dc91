#pragma once
// The controls of the map and savegame lists and the skill selectors, by the
// names the help texts and the rules know them by.

#include "launcher/session/controls.h"

namespace krv::ids {

inline constexpr ControlId MapList{"MapList"};
inline constexpr ControlId SaveGameList{"SaveGameList"};
inline constexpr ControlId StartFrame{"StartFrame"};
inline constexpr ControlId SkillFrame{"SkillFrame"};
inline constexpr ControlArray SkillsLevel{"SkillsLevel"}; // 0 start mode, 1 skill level
inline constexpr ControlId mcDelSaveGame{"mcDelSaveGame"};

} // namespace krv::ids

namespace krv {

void declareInspectControls(Controls& controls);

} // namespace krv
