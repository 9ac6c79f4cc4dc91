#pragma once
// Changes to installed games: uninstalling, renaming, converting between
// manual-loading (Pwads) and auto-loading (Gwads), and deleting one file of
// an auto-loading game, each keeping the records, the engine's node files
// and the player's shortcuts in step.

#include "launcher/startup/install_paths.h"

#include "common/folder_transfer.h"

#include <string>
#include <vector>

namespace krv {

using GameChange = ci::FileChange;

// Why a change of the games library did not take place, for the messages
// that have no text of their own; `deed` names what did not happen
// ("converted", "installed", "deleted").
std::string libraryChangeText(GameChange change, const std::string& deed);

// The wad's base name ("castle" for ".../castle.wad"); empty for none.
std::string wadBaseName(const std::string& wad);

// Deletes, in each folder that exists, every file whose name begins with
// `prefix` (ignoring case). An empty prefix deletes nothing.
void removeFilesStartingWith(const std::vector<std::string>& folders, const std::string& prefix);

// Deletes every file (not the folders) of `folder`; the folder stays.
void removeFolderFiles(const std::string& folder);

// The engine's node files of a wad, in "KRVAnFiles" and "gwa".
void removeNodeFiles(const InstallPaths& paths, const std::string& base);

struct InstalledGame {
    std::string name; // folder name under KRVGames
    bool autoLoading = false;
    std::string wadBase; // base name of the selected wad, or empty
};

// Removes the game's folder, its records and its node files; a
// manual-loading game also loses the model, texture and music folders named
// after its wad. Its saved games stay. A game folder that is a link goes
// alone, what it points to stays; a folder that cannot go whole stays whole.
GameChange uninstallGame(const InstallPaths& paths, const InstalledGame& game);

// Renames the game's folder and forgets its records (they are not renamed).
GameChange renameGame(const InstallPaths& paths, const InstalledGame& game,
                      const std::string& newName);

// Moves every file of Pwads into Gwads (or back) and forgets the records of
// the kind given up; the selected wad's check file goes. Whole or not at
// all: a linked files folder is copied and only its link goes, a game folder
// that is a link is refused.
GameChange convertToAuto(const InstallPaths& paths, const InstalledGame& game);
GameChange convertToManual(const InstallPaths& paths, const InstalledGame& game);

// Deletes one file of an auto-loading game with its savegame record and
// node files.
GameChange deleteGameFile(const InstallPaths& paths, const InstalledGame& game,
                          const std::string& fileName);

// Every saved game with its records, and the engine's KRVAnFiles folder;
// what is in use stays.
void purgeSaveGames(const InstallPaths& paths);
// Every node file the engine built; the node folders stay.
void purgeNodes(const InstallPaths& paths);

} // namespace krv
