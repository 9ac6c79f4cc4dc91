#pragma once
// What the games list has selected: the kind of entry, its game folder and
// game file. The games list writes it; the map lists, the option rules and
// the launch read it.

#include <string>

namespace krv {

// The games list's views, numbered as the settings store them.
enum GamesListView { kInstalledGamesView = 0, kDoomGamesView = 1, kZipLibraryView = 2 };

struct GameSelection {
    std::string lastInstalledGame;
    bool autoGame = false, manualGame = false, commercial = false, zip = false;
    std::string autoGameName, manualGameName;
    std::string selectedFile;      // full path of the chosen game file
    std::string currentGameFolder; // the listed folder, with a separator
    std::string saveFolder;        // the game's savegame folder
    bool selectionMade = false;
    bool savedGameRestored = false;

    // At most one kind of selection is marked: the one chosen next. Only
    // the remembered installed game outlives a new selection.
    void clearMarks() {
        GameSelection cleared;
        cleared.lastInstalledGame = lastInstalledGame;
        *this = cleared;
    }
};

} // namespace krv
