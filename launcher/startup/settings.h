#pragma once
// The launcher's settings: one process-wide set of switches, numbers and
// texts kept in "config.krv", one value a line in a fixed order without keys.
// The defaults are the values a setting has when its line is missing.

#include "launcher/startup/install_paths.h"

#include "common/text_file.h"

#include <cstdint>
#include <string>

namespace krv {

struct Settings {
    std::string launcherVersion = "v9.1"; // line 1
    int lastSkill = 2;
    int titlePicture = 0;
    std::int32_t tipNumber = 0;
    int audioChannels = 128; // line 5
    int textureScaling = 0;
    bool highResPatches = true;
    bool quilspackAltWeapons = false;
    bool modelFx = false;
    bool quilspackWeapons = false; // line 10
    bool coreEffects = false;
    bool noForcedModels = false;
    bool grenadeLauncher = false;
    bool developmentMode = false;
    bool disableSound = false; // line 15
    bool disableMusic = false;
    bool ricochets = true;
    bool disableMouse = false;
    bool monsterRespawn = false;
    bool noSameTypeInfighting = false; // line 20
    bool noLostSoulInfighting = false;
    int editLight = 200;
    std::string customCommandLine;
    bool rememberLastMap = true;
    bool rememberLastSavegame = false; // line 25
    bool braskenQuilsModels = true;
    bool braskenPistolZombies = false;
    bool highResTextures = true;
    bool noMonsters = false; // lines 29 and 46
    bool verbose = false;    // line 30
    bool skyboxes = true;
    bool gunSmoke = true;
    int skyboxKind = 0;
    int smokeKind = 0;
    bool allowHiResRelocation = false; // line 35
    bool hiResSoundPack = true;
    bool playlistAuto = false;
    bool forceFmodMidi = false;
    bool ignorePlaylistIfCustomMusic = true;
    bool corpseFade = true; // line 40
    bool detailTextures = false;
    bool effectsSpare1 = true;
    bool fastMonsters = false;
    bool basicDoom = false;
    bool scriptedMapsMode = false; // line 45
    bool advancedOptions = false;  // line 47
    bool editMode = false;
    bool light = false;
    bool noObjects = false; // line 50
    bool disableJoystick = false;
    int skill = 0;
    int launchMode = 1;                  // 0 Normal, 1 Minimised, 2 Exit
    std::string rememberedNormalEntry;   // line 54
    std::string rememberedScriptedEntry; // line 55
    std::string lastGamesListEntry;
    std::string lastCommercialTitle;
    std::string lastArchive;
    std::string reserved59;
    int gamesListView = 1; // line 60: 0 installed, 1 Doom games, 2 zip library
    bool shortcutCreation = false;
    bool tipOfTheDay = true;
    bool wadFilesOnly = false;
    bool disableTooltips = false;
    bool dynamicLighting = true; // line 65
    bool extraFx = false;
    bool playlistManual = false;
    bool soundSpare7 = true;
    bool selectionMemory = false;
    int reserved70 = 0; // line 70
    int lastLaunchMode = 0;
    int selButtonMode = 1; // 1 command line, 2 KRV edit
    std::string manualPlaylist;
    int corpseFadeSeconds = 9;
    int ricochetValue = 4; // line 75
    int grenadeTimer = 2;
    bool splashEffects = true;
    bool sound3d = true;
    bool soundSpare8 = false;
    bool musicFrameLayout = true; // line 80
    std::string reserved81;
    std::int32_t windowTop = 0; // line 82, twips; default: centred
    std::int32_t windowLeft = 0;

    // From the one-line files of the data folder.
    std::string texturePath;
};

// Lines in a file written in Wine mode (no window position) and otherwise.
inline constexpr int kSettingsLinesWine = 81;
inline constexpr int kSettingsLines = 83;

struct SettingsReadResult {
    bool typeMismatch = false;          // a number line held no number
    int linesRead = 0;                  // lines taken from "config.krv"
    bool corpseFadeUnavailable = false; // fade seconds 0: the option is off and greyed
};

// Sets every default, reads "texpath.krv" and "archives.krv" (which replaces
// `paths.archivesFolder`), then "config.krv", then applies the post-reading
// rules. `centredTop`/`centredLeft` are the default window position.
SettingsReadResult readSettings(InstallPaths& paths, bool wineMode, std::int32_t centredTop,
                                std::int32_t centredLeft, Settings& settings);

// The lines "config.krv" holds for these settings (81 in Wine mode, else 83).
std::vector<std::string> settingsLines(const Settings& settings, bool wineMode);

// Copies the entry selected last into the remembered entry of the current
// mode, then replaces "config.krv" with the settings' lines.
IoStatus writeSettings(const InstallPaths& paths, bool wineMode, Settings& settings);

} // namespace krv
