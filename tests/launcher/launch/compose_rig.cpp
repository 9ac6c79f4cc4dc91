#include "compose_rig.h"

#include <gtest/gtest.h>

#include <ctime>

namespace krv::test {

std::optional<FileTime> ScriptedComposeEnvironment::fileTime(const std::string& path) {
    const auto it = times.find(path);
    if (it == times.end() || !fileExists(path))
        return std::nullopt;
    return it->second;
}

std::optional<std::string> ScriptedComposeEnvironment::firstLine(const std::string& path) {
    const auto it = firstLines.find(path);
    if (it == firstLines.end())
        return std::nullopt;
    return it->second;
}

TexturePathCheck ScriptedComposeEnvironment::checkTexturePath() {
    log.push_back("texture check");
    return texture;
}

ScriptedMapStatus ScriptedComposeEnvironment::scriptedMapStatus(const std::string& gameName) {
    log.push_back("scripted " + gameName);
    const auto it = scriptedMaps.find(gameName);
    return it == scriptedMaps.end() ? ScriptedMapStatus::NotListed : it->second;
}

WarpTarget ScriptedComposeEnvironment::updateWarpTarget() {
    log.push_back("warp update");
    return warpTarget;
}

AutoPlaylist ScriptedComposeEnvironment::chooseAutoPlaylist(const std::string& iwadPath) {
    log.push_back("auto playlist " + iwadPath);
    const auto it = autoPlaylists.find(iwadPath);
    return it == autoPlaylists.end() ? AutoPlaylist{} : it->second;
}

void ScriptedComposeEnvironment::showMessage(const ComposeMessage& message) {
    log.push_back("message" + message.title);
}

void registerIwads(IwadRegistry& registry, ScriptedComposeEnvironment& env) {
    for (const std::string& path : {kDoom2, kDoom, kTnt, kPlutonia}) {
        registry.registerPath(path);
        env.files.insert(path);
        env.iwadsTheEngineFinds.insert(path);
    }
}

void quietSettings(LaunchInput& input, ScriptedComposeEnvironment& env) {
    input.paths = InstallPaths::fromRoot(kRoot);
    Settings& s = input.settings;
    s.highResPatches = true; // "-np" only when off
    s.quilspackAltWeapons = false;
    s.modelFx = false;
    s.quilspackWeapons = false;
    s.coreEffects = false;
    s.noForcedModels = false;
    s.grenadeLauncher = false;
    s.developmentMode = false;
    s.disableSound = false;
    s.disableMusic = false;
    s.ricochets = false;
    s.disableMouse = false;
    s.monsterRespawn = false;
    s.noSameTypeInfighting = false;
    s.noLostSoulInfighting = false;
    s.customCommandLine.clear();
    s.braskenQuilsModels = false;
    s.braskenPistolZombies = false;
    s.highResTextures = true; // "-nht" only when off
    s.noMonsters = false;
    s.verbose = false;
    s.skyboxes = false;
    s.gunSmoke = false;
    s.hiResSoundPack = false;
    s.playlistAuto = false;
    s.forceFmodMidi = false;
    s.ignorePlaylistIfCustomMusic = false;
    s.corpseFade = false;
    s.detailTextures = false;
    s.fastMonsters = false;
    s.basicDoom = false;
    s.editMode = false;
    s.light = false;
    s.noObjects = false;
    s.disableJoystick = false;
    s.skill = 0;
    s.launchMode = 1;
    s.dynamicLighting = false;
    s.extraFx = false;
    s.playlistManual = false;
    s.splashEffects = true; // "-spx" only when off
    s.sound3d = false;
    s.audioChannels = 128;
    s.textureScaling = 0;
    s.texturePath = kRoot + "/Data/Textures";
    input.corpseText = "0";
    input.texFormFolderText = kRoot + "/Data/Textures";
    env.texture = {true, s.texturePath, input.texFormFolderText};
    env.folders.insert(s.texturePath);
    // The core effects files, without which the effects setting is forced on.
    env.folders.insert(input.paths.modelFolder + "CoreEffects");
    env.files.insert(input.paths.baseDefsFolder + "CoreEffects.ded");
    registerIwads(input.iwads, env);
    input.selection.iwadPath = kDoom2;
}

IwadLaunchInput quietIwadInput(ScriptedComposeEnvironment& env) {
    IwadLaunchInput input;
    quietSettings(input, env);
    input.selectedIwadPath = kDoom2;
    return input;
}

GameLaunchInput quietGameInput(ScriptedComposeEnvironment& env) {
    GameLaunchInput input;
    quietSettings(input, env);
    input.mainWad = "/wads/solo.wad";
    input.currentGameFolder = "/wads/";
    input.loadList.inGameFolder = false;
    env.warpTarget = {kDoom2, "01"};
    return input;
}

std::string tailAfter(const ComposeResult& result, const std::string& prefix) {
    EXPECT_TRUE(result.launch);
    if (result.commandLine.rfind(prefix, 0) != 0) {
        ADD_FAILURE() << "the line \"" << result.commandLine << "\" does not start with \""
                      << prefix << "\"";
        return "<no such prefix>";
    }
    return result.commandLine.substr(prefix.size());
}

FileTime localTime(int year, int month, int day, int hour, int minute, int second) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&t));
}

} // namespace krv::test
