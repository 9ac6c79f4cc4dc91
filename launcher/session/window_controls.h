#pragma once
// The main window's own controls: the tab strip, the launcher preferences,
// the tool buttons under the tabs and the banner's buttons, by the names the
// help texts and the rules know them by.

#include "launcher/session/controls.h"

namespace krv::ids {

inline constexpr ControlArray OptionTabs{"OptionTabs"}; // Games, Options, Graphics, Sound, Models
inline constexpr ControlId ChkFrame{"ChkFrame"};
// 0 remember map, 1 remember savegame, 2 shortcut creation, 3 no tooltips,
// 4 wad files only, 5 tip of the day
inline constexpr ControlArray chkLaunchPrefs{"chkLaunchPrefs"};
// 0 install, 1 documentation, 2 shortcut, 3 edit log, 4 engine log, 5 IWADs,
// 6 font, 7 zip folder, 8 model pack cleanup, 9 texture location
inline constexpr ControlArray AuxButton{"AuxButton"};
inline constexpr ControlArray Home{"Home"}; // 0 web site, 3 downloads
inline constexpr ControlId WineImage{"WineImage"};

} // namespace krv::ids

namespace krv {

// The two web pages of the banner buttons.
inline constexpr const char* kProductSite = "https://korvath.org/";
inline constexpr const char* kDownloadsPage = "https://korvath.org/downloads/";

} // namespace krv

namespace krv {

void declareWindowControls(Controls& controls);

} // namespace krv
