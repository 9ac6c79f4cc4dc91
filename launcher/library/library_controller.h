#pragma once
// The games library on the session model: the three views of the games
// list, the selection of a game and of a game file, the filter, the task
// menus with their game and zip commands, installing levels (chosen or
// dropped) and the records that remember the player's last wad, map and
// saved game per game. No widget is read or changed here.

#include "launcher/inspect/inspect_controller.h"
#include "launcher/library/game_operations.h"
#include "launcher/library/level_readme.h"
#include "launcher/options/options_controller.h"
#include "launcher/platform/platform.h"
#include "launcher/session/session_model.h"
#include "launcher/startup/app_state.h"
#include "launcher/ui/launcher_font.h"
#include "launcher/ui/shortcuts.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace krv {

struct SelectedGame;

// What the library asks of the rest of the launcher.
class LibraryHost {
public:
    virtual ~LibraryHost() = default;
    // The settings with every control taken in, as they are written.
    virtual Settings settingsWithControls() const = 0;
    virtual void launchIntoShortcuts(const ShortcutRequest& request) = 0;
};

// What the window follows of the games list.
struct LibraryListener {
    // The files list takes more room (a game of many files) or less.
    std::function<void(bool expanded)> gameFilesExpanded;
};

class LibraryController {
public:
    // Games-list views, as stored in the settings.
    enum View {
        InstalledGames = kInstalledGamesView,
        DoomGames = kDoomGamesView,
        ZipLibrary = kZipLibraryView
    };
    // The task menu a right click on the games list offers.
    enum class Menu { None, Games, Zips };

    // Declares the games list's controls and follows its lists.
    // The zip library's folder of `paths` follows the player's choice.
    LibraryController(SessionModel& model, InstallPaths& paths, const StartupState& startup,
                      const IwadRegistry& iwads, const FontSetting& font, Platform& platform,
                      InspectController& inspect, OptionsController& options, LibraryHost& host);
    void setListener(LibraryListener listener) { listener_ = std::move(listener); }

    // The views and the selection of a game and a file.
    void ShowView(int view);
    void FillInstalledGames();
    // Hides the games that do not contain the filter text; a hidden current
    // game gives way to the first one shown.
    void filterGamesList();
    void FillZipLibrary(const std::string& folder);
    void SelectGame();
    void SelectFile();
    void ToggleScriptedFilter();
    // Extracts every member of `archive` into `folder`; a damaged archive
    // shows " File error" while the window is visible.
    bool ExtractZip(const std::string& archive, const std::string& folder);

    // Installing levels and the zip library's commands.
    void InstallLevel();
    // Installs one wad or zip as the install dialog does with the file chosen.
    void installLevelFile(const std::string& path);
    // Each wad or zip of a drop, one after another; other files are named in
    // one message.
    void installDroppedFiles(const std::vector<std::string>& files);
    void SetZipLibraryFolder();
    void InstallZipAsManual();
    void InstallZipAsAuto();
    void RenameArchive();
    void DeleteArchive();
    // The shortcut dialog's choice for the current launch.
    void CreateShortcutWith(ShortcutRequest request);
    // The title and author of the level's text file of the entry in `row`,
    // a line each, for its help text; empty for none or while help texts
    // are switched off.
    std::string gameHelpText(int row);
    // Opens the selected game's or zip's text file with the desktop's program.
    void ShowReadme();
    // The name the shortcut dialog shows; empty while nothing is selected.
    std::string shortcutDialogName() const;
    // The games menu and the game files menu.
    void UninstallGame();
    void RenameGame();
    void ConvertToAuto();
    void ConvertToManual();
    void DeleteGameFile();
    void RemoveShortcuts(const std::string& prefix);

    // What the player's mouse does to the lists and the header.
    Menu gamesMenu();
    void pressGameFile(int row, bool leftButton);
    void clickGameFile();
    // The release over the game files list: true when its task menu is offered.
    bool releaseGameFile(bool rightButton);
    void openGameFile(int row);
    // The games list's header doubles as the scripted-map filter's button
    // where that filter can be reached.
    bool scriptedFilterReachable() const;

    // The window's events that the games list answers.
    void applyLayoutMode(bool advanced);
    void showScriptedFilterButton();
    // The Games tab comes to the front: a changed file filter lists the
    // files anew, and Launch follows what can be launched.
    void showGamesTab();
    void onWindowActivated();
    bool showsDoomGamesView() const;
    void refillDoomGamesView();
    void clearDoomGamesView();
    void selectFirstDoomGame();
    void noteListedFileFilter(bool wadFilesOnly) { wadFilesOnlyListed_ = wadFilesOnly; }
    // The player's preferences: remembering no more forgets what was.
    void rememberLastMap(bool on);
    void rememberLastSavegame(bool on);
    // The game file chosen in the files list; empty for none.
    std::string selectedFileEntry() const;
    // A map or a saved game was chosen in the inspection lists.
    void recordMapChoice(int row);
    void recordSaveGameChoice(const std::string& slot);

    // The settings into the panel's controls and back.
    void settingsToControls(const Settings& s);
    void controlsToSettings(Settings& s) const;

private:
    void followLists();
    void restoreStartKind();
    void selectDoomGame(const std::string& title);
    void selectZip(const std::string& entry);
    void selectInstalledGame(const std::string& entry);
    void showConversionEntries(bool renamable);
    void showSaveGames(const std::string& saveName);
    void addGameFiles(const std::vector<std::string>& names);
    void selectFileEntry(int row, bool run);
    bool restoreRememberedSaveGame();
    void setLaunchable(bool on);
    void expandGameFiles(bool expanded);
    void hideFilteredGames();
    // The games list shows `names`, upper-cased unless a launcher font is set.
    void showInstalledGames(const std::vector<std::string>& names);
    // How many games the list looks into before it first shows.
    static constexpr std::size_t kGamesScreenful = 64;
    void forgetReadmes() { readmes_.clear(); }

    // The level's text file (library_controller_readme.cpp).
    const std::optional<LevelReadme>& readmeOfEntry(const std::string& entry);
    std::optional<LevelReadme> readmeOfZip(const std::string& entry) const;
    std::optional<LevelReadme> readmeOfSelection() const;
    bool readmeMatches(const std::string& entry, const std::string& wanted);

    // Installing (library_controller_install.cpp).
    std::optional<std::string> askLibraryName(const std::string& frame, const std::string& window,
                                              const std::string& button);
    void refuseUnusableName(const std::string& name);
    void refuseTakenName(const std::string& name);
    void refuseIllegalName();
    void showInstalledGames();
    bool installExtractedFiles(const std::string& target);

    // Game menus (library_controller_operations.cpp).
    InstalledGame installedGame() const;
    bool IsInUse(const std::string& path) const;
    void reportConversion(ci::FileChange change, const char* accessDeniedText);

    // Records and game files (library_controller_records.cpp).
    enum class GameFolderKind { None, Manual, Auto };
    std::string installedGameFolderName(const std::string& entry) const;
    GameFolderKind installedGameKind(const std::string& game) const;
    void chooseMainWad(const std::string& folder);
    std::string saveNameOfSelection() const;
    SelectedGame selectedGame() const;
    std::string selectedMapEntry() const;
    std::string rememberedSaveSlot() const;
    void ReadMapRecord();
    void ReadAutoRecords(const std::string& game);
    void WriteAutoRecords(const std::string& game);

    SessionModel& model_;
    Controls& c_;
    ListState& games_;
    ListState& files_;
    InstallPaths& paths_;
    const StartupState& startup_;
    const IwadRegistry& iwads_;
    const FontSetting& font_;
    Platform& platform_;
    InspectController& inspect_;
    OptionsController& options_;
    LibraryHost& host_;
    LibraryListener listener_;
    bool fillingGameFiles_ = false;    // the files list is filled, not clicked
    bool selectedFileClicked_ = false; // the press fell on the file already selected
    bool wadFilesOnlyListed_ = false;  // the file filter the list was made with
    // The text files of the listed entries read so far, by entry; read when
    // a help text or the filter first needs them, forgotten with the list.
    std::map<std::string, std::optional<LevelReadme>> readmes_;
};

} // namespace krv
