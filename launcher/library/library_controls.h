#pragma once
// The controls of the games list: the view buttons, the list headers, the
// games list with its filter, the game files list and the entries of their
// task menus, by the names the help texts and the rules know them by.

#include "launcher/session/controls.h"

namespace krv::ids {

inline constexpr ControlArray OptionUdir{"OptionUdir"}; // 0 installed, 1 Doom, 2 zip library
inline constexpr ControlArray Auto{"Auto"};             // list headers: games, files, maps, saves
inline constexpr ControlId ImageCM{"ImageCM"};          // the scripted-map filter
inline constexpr ControlId PwadList{"PwadList"};
inline constexpr ControlId GamesFilter{"GamesFilter"};
inline constexpr ControlId PwadShowlist{"PwadShowlist"};

// The games menu.
inline constexpr ControlId mcDeleteFolder{"mcDeleteFolder"};
inline constexpr ControlId mcRenameFolder{"mcRenameFolder"};
inline constexpr ControlId Sep3{"Sep3"};
inline constexpr ControlId mcUdirConvert{"mcUdirConvert"};
inline constexpr ControlId mcGwadConvert{"mcGwadConvert"};
// The zip menu.
inline constexpr ControlId mcUdirUnZip{"mcUdirUnZip"};
inline constexpr ControlId sep1{"sep1"};
inline constexpr ControlId mcRenameArchive{"mcRenameArchive"};
inline constexpr ControlId mcDeleteArchive{"mcDeleteArchive"};
inline constexpr ControlId mcGwadUnZip{"mcGwadUnZip"};
// The level's text file, in the games menu and in the zip menu.
inline constexpr ControlId mcShowReadme{"mcShowReadme"};
inline constexpr ControlId mcZipReadme{"mcZipReadme"};
// The game files menu.
inline constexpr ControlId mcDeleteFile{"mcDeleteFile"};

} // namespace krv::ids

namespace krv {

void declareLibraryControls(Controls& controls);

} // namespace krv
