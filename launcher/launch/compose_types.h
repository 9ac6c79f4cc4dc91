#pragma once
// What the two command-line composers read and what they hand back. The
// composition itself needs no widget: the main window collects its controls
// into these plain structs, calls the composer and applies the result (new
// check-box availability, changed settings, the line for the launch tail).

#include "launcher/inspect/iwad_registry.h"
#include "launcher/startup/install_paths.h"
#include "launcher/startup/settings.h"

#include <optional>
#include <string>
#include <vector>

namespace krv {

// The launch chosen on the map and savegame lists.
enum class StartKind { Warp = 1, LoadGame = 2, Normal = 3 };

struct LaunchSelection {
    StartKind startKind = StartKind::Normal;
    std::string warpMap;        // "1 1" for E1M1, "01" for MAP01
    std::string loadSlot;       // the savegame slot digit
    std::string iwadPath;       // the current IWAD path, the value of "-iwad"
    std::string savedGamePath;  // the chosen saved game's file, for deletion
    int rememberedMapIndex = 0; // the map entry clicked last
};

// Enabled states of the option controls whose rows depend on them. Their
// checked states are already in the settings, as the controls are taken into
// the settings before every composition.
struct OptionBoxes {
    bool highResPatches = true;      // chkGraphics 4
    bool highResTextures = true;     // chkMain 1
    bool detailTextures = true;      // chkGraphics 2
    bool skyboxes = true;            // chkGraphics 3 with the SkyOpt buttons
    bool hiResSoundPack = true;      // chkSound 6
    bool ignorePlaylist = true;      // chkSound 10
    bool forceFmodMidi = true;       // chkSound 9
    bool pistolZombies = true;       // chkAltModels 0
    bool quilspackWeapons = true;    // chkAltModels 1
    bool quilspackAltWeapons = true; // chkAltModels 2
    bool modelReplacements = true;   // chkAltModels 3
    bool noForcedModels = true;      // ChkModelOpts 1
    bool coreEffects = true;         // ChkModelOpts 3
    bool extraFx = true;             // chkEffects 3
    bool scaler = true;              // cbScaler
    bool grenadeLauncher = true;     // ChkGL
};

// Launch state that outlives one composition.
struct LaunchState {
    int effectiveLaunchMode = 0; // 0 normal, 1 minimised, 2 exit
    bool launchInProgress = false;
    bool ricochetChanged = false; // the ricochet command goes out only while set
    // Set by the known-PWAD check code of a game launch (4, 5 and 6).
    bool mfoMode = false;
    bool stxMode = false;
    bool nextMapMode = false;
};

// What both composers read. The settings must already hold the controls'
// states, and the model pack refresh must have run on them and on `boxes`.
struct LaunchInput {
    InstallPaths paths;
    Settings settings;
    OptionBoxes boxes;
    IwadRegistry iwads;
    LaunchSelection selection;
    LaunchState state;
    bool shortcutMode = false;
    std::string corpseText;           // the `Corpse` box as typed
    std::string texFormFolderText;    // the folder text shown by the texture dialog
    std::string quilspackFolder;      // "<root>/md2/Quilspack", or empty without the pack
    bool scriptedMapSelected = false; // the scripted-map flag of the games list
};

struct IwadLaunchInput : LaunchInput {
    std::string selectedIwadPath; // the commercial title chosen in the Doom games view
};

struct GameLaunchInput : LaunchInput {
    std::string mainWad;           // full path of the game's main WAD
    std::string currentGameFolder; // the selected game's files folder with a trailing separator
    bool autoLoadingGame = false;
    bool manualLoadingGame = false;
    // The game files list entry (nothing when none is selected) and the first
    // entry of the map list, read by the checks of an auto-loading game.
    std::optional<std::string> selectedGameFile;
    std::string firstMapEntry;
    int checkCode = 0; // section of the known-PWAD table naming the main WAD, 0..7
    bool modelPacksMissing = false;
    bool scriptedModelsPresent = false;

    // The load list built for the main WAD.
    struct LoadEntry {
        std::string path;
        bool shownByFilter = true; // the game file filter shows it
    };
    struct LoadList {
        bool inGameFolder = false; // the main WAD lies in a Pwads, Gwads or Zips folder
        std::vector<LoadEntry> files;
        std::string gameFolder; // the game's folder name, or the Zips folder's full path
        bool zipGame = false;
    } loadList;

    // Wad names from the maker's scripted-map table.
    std::string rocketMapWad;              // needs the alternative weapons switch
    std::vector<std::string> datedMapWads; // refused when older than the cut-off
};

struct ComposeMessage {
    std::string title;
    std::string text;
    int style = 0;
    bool operator==(const ComposeMessage&) const = default;
};

// Settings the checks changed during a composition.
struct SettingChanges {
    bool highResTexturesOff = false;   // its check box was unavailable
    bool modelReplacementsOff = false; // the model compatibility check failed
    bool quilspackOff = false;         // quilspack.wad was missing
    bool effectsForced = false;        // "FX" switched on: the core effects files are missing
    // "Basic Doom" was on for this launch only (check code 7); `settings`
    // already holds it off again.
    bool basicDoomForced = false;
};

struct ComposeResult {
    bool launch = false;     // the line goes to the launch tail
    std::string commandLine; // "Bin\Korvath ..." ending in a blank; empty without a launch
    std::vector<ComposeMessage> messages; // as shown, in order
    Settings settings;                    // with the texture path as its check left it
    SettingChanges changes;
    OptionBoxes boxes; // after the availability checks
    // "Not installed or the specified path is invalid" for the graphics tab's
    // texture label when the texture folder check failed.
    std::optional<std::string> textureLabel;
    std::string texFormFolderText; // the text the texture dialog shows after its check
    LaunchSelection selection;
    LaunchState state;
    bool scriptedMapSelected = false;
};

} // namespace krv
