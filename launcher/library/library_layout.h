#pragma once
// The folders of the games library: which subfolders of KRVGames are games
// and of which kind, the installed games view's entries, and the save names
// and save folders under UserSG.
//
// A folder under KRVGames is a game only when it holds a "Pwads" or a
// "Gwads" folder. A "Gwads" folder makes it auto-loading (the engine takes
// the folder as its user directory) and wins when both exist; "Pwads" alone
// makes it manual-loading (the launcher names the chosen wad).

#include "launcher/startup/install_paths.h"

#include "common/safe_names.h"

#include <string>
#include <string_view>
#include <vector>

namespace krv {

enum class GameKind { None, Manual, Auto };

// The kind of the game `name` under KRVGames (ignoring case). A name that is
// not a usable folder name, a missing folder and a file in its place are no
// game.
GameKind gameKind(const InstallPaths& paths, std::string_view name);

// The folder whose files make up the game: "KRVGames/<name>/Gwads" for an
// auto-loading game, ".../Pwads" for a manual-loading one, spelled as on
// disk; empty when `name` is no game.
std::string gameFilesFolder(const InstallPaths& paths, std::string_view name);

struct InstalledGamesView {
    bool scriptedOnly = false; // the scripted-map filter is on
    bool customFont = false;   // names as they stand instead of upper-cased
};

// The games folder (KRVGames) as found, and the names under it that may be
// games, from one listing: usable names (see below), one per name ignoring
// case, sorted ignoring case; with `scriptedOnly`, only the scripted add-on
// maps. Both are empty when there is no games folder.
struct GamesListing {
    std::string folder;
    std::vector<std::string> names;
};
GamesListing listGamesFolder(const InstallPaths& paths, bool scriptedOnly);
// Drops from names[from, to) those whose folder holds no game (neither a
// Gwads nor a Pwads folder); returns where the kept ones end.
std::size_t keepGames(GamesListing& listing, std::size_t from, std::size_t to);

// The entries of the installed games view: every game under KRVGames (with
// the filter, only the scripted add-on maps), sorted ignoring case. Folders
// differing only in case are one game and are listed once. Names holding
// control bytes are left out: they cannot be remembered in the settings.
std::vector<std::string> installedGames(const InstallPaths& paths, InstalledGamesView view);

// The save name of a title of the Doom games view ("Doom II" -> "doom2"),
// ignoring case; empty for any other title.
std::string commercialSaveName(std::string_view title);

// The key of a title's map and savegame records: the save name, except that
// the shareware title and any title not in the table key by themselves,
// lower-cased ("shareware doom").
std::string commercialRecordKey(std::string_view title);

// "<root>/UserSG/<saveName>/savegame", where the engine keeps a game's saved
// games; empty when `saveName` is not a usable name.
std::string saveGameFolder(const InstallPaths& paths, std::string_view saveName);

// The save folder of a title of the Doom games view; empty for an unknown
// title.
std::string commercialSaveGameFolder(const InstallPaths& paths, std::string_view title);

} // namespace krv
