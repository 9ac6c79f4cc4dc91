#pragma once
// The launcher's live state, without widgets: the settings, the selection in
// the games list, the launch chosen on the map and savegame lists, what the
// installation offers, the state of every control a rule decides, and the
// window's lists. The subsystems' controllers change it through their named
// actions; the panels draw it and send the player's actions to those
// controllers; the composers and the command-line preview read a snapshot
// of it.

#include "launcher/launch/compose_types.h"
#include "launcher/library/game_selection.h"
#include "launcher/session/controls.h"
#include "launcher/session/list_state.h"
#include "launcher/startup/settings.h"

#include <string>
#include <vector>

namespace krv {

// What the installation offers beyond the settings, found while the main
// window loads; the options and the command line depend on it.
struct ContentState {
    bool detailTexturesAvailable = false; // "data\dtex\detail.wad"
    bool skyboxesAvailable = false;       // "data\Skyboxes"
    std::string quilspackFolder;          // empty when the Quilspack is absent
    bool modelPack1 = false;              // the base model pack
    bool extraFxAvailable = false;        // "ExtraFX.ded" beside pack 1
    bool scriptedMapModels = false;       // models of the scripted add-on maps
};

struct SessionModel {
    Settings settings;
    ContentState content;
    LaunchState launch;              // the launch under way and its modes
    LaunchSelection launchSelection; // the map or saved game to start with
    GameSelection gameSelection;     // the games list's chosen entry and file
    std::string mainWad;             // full path of the selected game file
    std::string texFormFolderText;   // the texture dialog's folder text
    bool advancedLayout = false;     // the window shows the option tabs

    Controls controls;
    ListState games;     // the games list of the view shown
    ListState gameFiles; // the files of the selected game
    ListState playlists; // the music folder's playlists, by their names' bytes
    ListState maps;      // the chosen game file's maps, with their titles
    ListState saveGames; // the chosen game's saved games, "3 -  Castle gate"
    // The lines of the inspection tool's check of the chosen game file, then
    // an empty line; the fourth line names the levels.
    std::vector<std::string> wadCheckLines;
};

} // namespace krv
