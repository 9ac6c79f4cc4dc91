#pragma once
// A scripted world for the composers: which files exist, their times and
// first lines, what the other parts of the launcher answer, and a log of
// what the composer showed. The inputs start from a quiet baseline in which
// every option that can stay off is off.

#include "launcher/launch/compose.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace krv::test {

inline const std::string kRoot = "/krv";
inline const std::string kDoom2 = "/krv/Iwads/DOOM2.WAD";
inline const std::string kDoom = "/krv/Iwads/Doom.wad";
inline const std::string kTnt = "/krv/Iwads/Tnt.wad";
inline const std::string kPlutonia = "/krv/Iwads/Plutonia.wad";

class ScriptedComposeEnvironment : public ComposeEnvironment {
public:
    std::set<std::string> files;
    std::set<std::string> folders;
    std::map<std::string, FileTime> times;
    std::map<std::string, std::string> firstLines;
    std::set<std::string> iwadsTheEngineFinds; // by full path
    TexturePathCheck texture;
    std::map<std::string, ScriptedMapStatus> scriptedMaps;
    WarpTarget warpTarget;
    std::map<std::string, AutoPlaylist> autoPlaylists; // by IWAD path

    // What the composer did, in order: "message <title>", "iwad dialog",
    // "scripted <name>", "warp update", "auto playlist <iwad>".
    std::vector<std::string> log;

    bool fileExists(const std::string& path) override { return files.count(path) > 0; }
    bool folderExists(const std::string& path) override { return folders.count(path) > 0; }
    std::optional<FileTime> fileTime(const std::string& path) override;
    std::optional<std::string> firstLine(const std::string& path) override;
    bool engineFindsIwad(const std::string& iwadPath) override {
        return iwadsTheEngineFinds.count(iwadPath) > 0;
    }
    TexturePathCheck checkTexturePath() override;
    ScriptedMapStatus scriptedMapStatus(const std::string& gameName) override;
    WarpTarget updateWarpTarget() override;
    AutoPlaylist chooseAutoPlaylist(const std::string& iwadPath) override;
    void showMessage(const ComposeMessage& message) override;
    void showIwadDialog() override { log.push_back("iwad dialog"); }
};

// The IWADs registered, present on disk and found by the engine.
void registerIwads(IwadRegistry& registry, ScriptedComposeEnvironment& env);

// Every switch that can be off is off, every box enabled, 128 channels,
// scaling 0, corpse text "0", skill 0, no map, the default texture folder.
void quietSettings(LaunchInput& input, ScriptedComposeEnvironment& env);

// Doom II launched from the Doom games view.
IwadLaunchInput quietIwadInput(ScriptedComposeEnvironment& env);

// A single wad outside the games library, on Doom II.
GameLaunchInput quietGameInput(ScriptedComposeEnvironment& env);

// What follows `prefix` in a finished line; fails the test when the line
// does not start with it.
std::string tailAfter(const ComposeResult& result, const std::string& prefix);

// The prefixes of the quiet launches.
inline const std::string kIwadPrefix = "Bin\\Korvath -DOOM2 ";
inline const std::string kGamePrefix = "Bin\\Korvath -DOOM2 -f \"/wads/solo.wad\" ";
// The options the quiet inputs always get.
inline const std::string kQuietCmd = "-cmd \"rend-light 0\" \"rend-smoke 0\" ";
inline const std::string kQuietTail = "-ch 128 " + kQuietCmd;

FileTime localTime(int year, int month, int day, int hour, int minute, int second);

} // namespace krv::test
