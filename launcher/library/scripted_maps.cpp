#include "launcher/library/scripted_maps.h"

#include "launcher/inspect/iwad_registry.h"

#include "common/ci_path.h"
#include "common/strings.h"

#include <algorithm>

namespace krv {

namespace {

const std::vector<const char*> kRocketMaps = {"Rocketr.wad"};
const std::vector<const char*> kNoGrenadeMaps = {"Ironcit.wad", "Bldfound.wad", "Wrath.wad",
                                                 "Deadrly.wad", "Sulphur.wad"};
const std::vector<const char*> kZombieModelMaps = {"Ashgate.wad", "Hmoon.wad", "Brastomb.wad",
                                                   "Lastsig.wad"};
const std::vector<const char*> kDatedMaps = {"Krvbase.wad", "Hmoon.wad"};

bool listed(const std::vector<const char*>& wads, std::string_view wad) {
    return std::any_of(wads.begin(), wads.end(),
                       [&](const char* listedWad) { return iequals(listedWad, wad); });
}

std::vector<std::string> names(const std::vector<const char*>& wads) {
    return {wads.begin(), wads.end()};
}

} // namespace

const std::vector<ScriptedMap>& scriptedMapTable() {
    static const std::vector<ScriptedMap> table = {
        {"XRT LEVELS", "Xrtlev.wad"},      {"KORVATH BASE", "Krvbase.wad"},
        {"ASHEN GATE", "Ashgate.wad"},     {"IRON CITADEL", "Ironcit.wad"},
        {"BLOOD FOUNDRY", "Bldfound.wad"}, {"SPIRE OF WRATH", "Wrath.wad"},
        {"DEAD RELAY", "Deadrly.wad"},     {"SULPHUR PITS", "Sulphur.wad"},
        {"ROCKET RANGE", "Rocketr.wad"},   {"HOLLOW MOON", "Hmoon.wad"},
        {"BRASS TOMB", "Brastomb.wad"},    {"LAST SIGNAL", "Lastsig.wad"},
    };
    return table;
}

const std::vector<const char*>& scriptedModelFolders() {
    static const std::vector<const char*> folders = {
        "Xrtlev",  "Krvbase", "Ashgate", "Ironcit",  "Bldfound", "Wrath",
        "Deadrly", "Sulphur", "Hmoon",   "Brastomb", "Lastsig",  "Krvshared"};
    return folders;
}

bool isScriptedMapName(std::string_view name) {
    const auto& table = scriptedMapTable();
    return std::any_of(table.begin(), table.end(),
                       [&](const ScriptedMap& map) { return iequals(map.displayName, name); });
}

bool scriptedMapInstalled(const InstallPaths& paths, std::string_view name) {
    for (const ScriptedMap& map : scriptedMapTable()) {
        if (!iequals(map.displayName, name))
            continue;
        const std::string base = baseNameOfPath(map.wad);
        return ci::isFile(paths.gamesFolder + std::string(name) + "/pwads/" + map.wad) &&
               ci::isFolder(paths.root + "/Md2/" + base) &&
               ci::isFolder(paths.root + "/Data/custom.hires/" + base);
    }
    return false;
}

bool hasScriptedModels(const InstallPaths& paths) {
    const auto& folders = scriptedModelFolders();
    return std::any_of(folders.begin(), folders.end(), [&](const char* folder) {
        return ci::isFolder(paths.root + "/md2/" + folder);
    });
}

bool isRocketMap(std::string_view wad) {
    return listed(kRocketMaps, fileNameOfPath(wad));
}
bool isNoGrenadeMap(std::string_view wad) {
    return listed(kNoGrenadeMaps, fileNameOfPath(wad));
}
bool isZombieModelMap(std::string_view wad) {
    return listed(kZombieModelMaps, fileNameOfPath(wad));
}
std::string rocketMapWad() {
    return kRocketMaps.front();
}
std::vector<std::string> datedMapWads() {
    return names(kDatedMaps);
}

} // namespace krv
