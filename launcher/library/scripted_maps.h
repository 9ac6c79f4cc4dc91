#pragma once
// The engine maker's scripted add-on maps: installed as games whose folder
// carries the display name, each with a model folder under "Md2" and a
// texture folder under "Data/custom.hires" named after its wad.

#include "launcher/startup/install_paths.h"

#include <string>
#include <string_view>
#include <vector>

namespace krv {

struct ScriptedMap {
    const char* displayName; // the game's folder name under KRVGames
    const char* wad;         // its wad; the base name names its folders
};

const std::vector<ScriptedMap>& scriptedMapTable();
// The model folders under "Md2" that show scripted-map models are installed.
const std::vector<const char*>& scriptedModelFolders();

// True when `name` is a display name of the table (ignoring case).
bool isScriptedMapName(std::string_view name);
// The scripted-map flag: the game is in the table and its wad, model folder
// and texture folder are all installed.
bool scriptedMapInstalled(const InstallPaths& paths, std::string_view name);
// True when any scripted-map model folder exists under "Md2".
bool hasScriptedModels(const InstallPaths& paths);

// The subsets the options and the command line treat specially, by the
// file name of the chosen wad (ignoring case).
bool isRocketMap(std::string_view wad);      // needs the alternative weapons
bool isNoGrenadeMap(std::string_view wad);   // has no grenade launcher
bool isZombieModelMap(std::string_view wad); // brings its own zombie models
std::string rocketMapWad();                  // the one rocket map
std::vector<std::string> datedMapWads();     // refused when older than their update

} // namespace krv
