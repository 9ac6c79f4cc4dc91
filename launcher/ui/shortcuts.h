#pragma once
// Shortcuts that start the engine with a composed launch: their names and
// their writing to the desktop and the programs menu.

#include "launcher/platform/platform.h"
#include "launcher/startup/install_paths.h"

#include <string>

namespace krv {

// The game's name as the shortcut dialog shows it: a Doom game by its
// fixed name, any other game by its list entry, cut after 27 characters
// when longer than 30.
std::string shortcutLabelName(const std::string& entry, bool commercial, bool customFont);

// The name a shortcut is saved under: the list entry, with " - " and the
// wad's base name for a game of the Gwads folder; the Doom games by their
// IWAD's name.
std::string shortcutName(const std::string& entry, bool autoLoadingGame,
                         const std::string& wadFile);

// "<Name>[ - <map>]": the name with only its first letter upper case, and a
// MAPnn map as "Mapnn".
std::string shortcutFileName(const std::string& name, bool mapInName, const std::string& map);

// The launcher's own icon, installed with it into the launcher folder; its
// windows and the shortcuts it writes show it.
std::string launcherIcon(const InstallPaths& paths);

struct ShortcutRequest {
    bool startMenu = false;
    bool desktop = false;
    bool mapInName = false;
    std::string name;
    std::string map; // the map chosen in the map list, or empty
};

// Writes the shortcut into "Korvath Shortcuts" of the desktop and/or the
// programs menu, creating the folders; the engine starts in the
// installation root with `arguments`.
void createShortcuts(Platform& platform, const InstallPaths& paths, const std::string& arguments,
                     const ShortcutRequest& request);

} // namespace krv
