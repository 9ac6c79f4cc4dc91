#pragma once
// The controls of the option tabs (Options, Graphics, Sound and Models), by
// the names the help texts, the settings and the rules know them by, and
// the frames that hold them.

#include "launcher/session/controls.h"

namespace krv::ids {

// Options tab
inline constexpr ControlArray chkMain{"chkMain"};       // 0 to 7
inline constexpr ControlArray chkKRVOpts{"chkKRVOpts"}; // 0 to 8
inline constexpr ControlId ChkGL{"ChkGL"};
inline constexpr ControlId Timeout{"Timeout"};
inline constexpr ControlId butLeft2{"butLeft2"};
inline constexpr ControlId butRight2{"butRight2"};
inline constexpr ControlId Corpse{"Corpse"};
inline constexpr ControlId butleft{"butleft"};
inline constexpr ControlId butRight{"butRight"};
inline constexpr ControlId chkTesting{"chkTesting"};

// Graphics tab
inline constexpr ControlArray GraphicFrames{"GraphicFrames"}; // 1, 3, 4 and 5
inline constexpr ControlArray chkGraphics{"chkGraphics"};     // 0 to 4
inline constexpr ControlArray SkyOpt{"SkyOpt"};               // 0 and 1
inline constexpr ControlArray chkEffects{"chkEffects"};       // 0 to 3
inline constexpr ControlId GunSmoke{"GunSmoke"};
inline constexpr ControlArray Smoke{"Smoke"}; // 0 and 1
inline constexpr ControlId cbScaler{"cbScaler"};
inline constexpr ControlArray TexLabel{"TexLabel"}; // 0 scaling caption, 1 corpse fade caption
inline constexpr ControlId TexPathLabel{"TexPathLabel"};

// Sound tab
inline constexpr ControlArray chkSound{"chkSound"}; // 0 to 10
inline constexpr ControlId Ricotext{"Ricotext"};
inline constexpr ControlArray RicoButton{"RicoButton"}; // 0 down, 1 up
inline constexpr ControlId cbChannels{"cbChannels"};
inline constexpr ControlId ChannelsLabel{"ChannelsLabel"};

// Models tab
inline constexpr ControlArray FrameModel{"FrameModel"};     // 0 model packs, 1 model effects
inline constexpr ControlArray chkAltModels{"chkAltModels"}; // 0 to 3
inline constexpr ControlArray ChkModelOpts{"ChkModelOpts"}; // 1 to 3
inline constexpr ControlId ModelOptsFrame{"ModelOptsFrame"};
inline constexpr ControlId ModelDelFrame{"ModelDelFrame"};
inline constexpr ControlId ModFrame{"ModFrame"}; // advice while the base model pack is missing
inline constexpr ControlArray ModLabel{"ModLabel"};
inline constexpr ControlArray ButPurge{"ButPurge"};

} // namespace krv::ids

namespace krv {

// Declares the option tabs' controls with their first captions. `musicFrame`
// holds the playlist modes and the custom-music box of the Sound tab.
void declareOptionControls(Controls& controls, ControlId musicFrame);

} // namespace krv
