#pragma once
// The controls of the launch: the Launch button, the command-line and edit
// panels, the launch mode and the screen mode, by the names the help texts
// and the rules know them by.

#include "launcher/session/controls.h"

namespace krv::ids {

inline constexpr ControlId LaunchButton{"LaunchButton"};
// Loads the newest saved game of the selection, as Launch would load it.
inline constexpr ControlId ContinueButton{"ContinueButton"};
inline constexpr ControlArray FrameGlobal{"FrameGlobal"}; // 0 holder, 1 command line, 2 KRV edit
inline constexpr ControlId SelButton{"SelButton"};
inline constexpr ControlId SkillCaption{"SkillCaption"};
inline constexpr ControlId edCustom{"edCustom"};
inline constexpr ControlId LightText{"LightText"};
inline constexpr ControlId KRVFrame{"KRVFrame"};        // launch mode and screen mode
inline constexpr ControlArray ExitOption{"ExitOption"}; // 0 Normal, 1 Minimised, 2 Exit
inline constexpr ControlId DevMode{"DevMode"};
inline constexpr ControlArray ResLabel{"ResLabel"}; // 1 resolution, 2 mode, 3 refresh rate

} // namespace krv::ids

namespace krv {

void declareLaunchControls(Controls& controls);

} // namespace krv
