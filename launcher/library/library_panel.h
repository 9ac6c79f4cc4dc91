#pragma once
// The Games tab's library: the three views of the games list, the files of
// the selected game, the filter box, the task menus with their game and zip
// commands, installing levels (chosen or dropped) and the records that
// remember the player's last wad, map and saved game per game.

#include "launcher/library/game_operations.h"
#include "launcher/platform/platform.h"
#include "launcher/startup/app_state.h"
#include "launcher/ui/shortcuts.h"

#include <QObject>

#include <array>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGridLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QMimeData;
class QPushButton;
class QRadioButton;
class QToolButton;
class QWidget;

namespace krv {

struct InstalledGame;
struct SelectedGame;

// What the library asks of the other parts of the window; the main window
// answers for them.
class LibraryHost {
public:
    virtual ~LibraryHost() = default;
    // The map and savegame lists, filled by the inspection tool.
    virtual void fillMapList(const std::string& gameFile) = 0;
    virtual void fillSaveGameList(const std::string& folder) = 0;
    // Chooses the saved game of the slot; false when the list has none.
    virtual bool chooseSaveGameOfSlot(const std::string& slot) = 0;
    virtual void updateWarpTarget() = 0;
    // Reports a tool run that failed to start and gives its output.
    virtual std::string showToolRun(const HiddenRunResult& run) = 0;
    // The option rules that follow the selected game.
    virtual void restoreSpriteOptions() = 0;
    virtual void killSpriteOptions() = 0;
    virtual void greyHiresFrame() = 0;
    virtual void setGrenadeControlsEnabled(bool enabled) = 0;
    // The development-mode box is ticked: the conversions are offered.
    virtual bool developmentMode() const = 0;
    // Every control into the settings, as before the settings are written.
    virtual void controlsToSettings() = 0;
    virtual void launchIntoShortcuts(const ShortcutRequest& request) = 0;
};

// The controls of other parts of the window the games list reads or
// switches; the main window hands them over once every part is built.
struct LibraryNeighbours {
    QListWidget* mapList = nullptr;
    QListWidget* saveGameList = nullptr;
    QListWidget* wadCheckList = nullptr; // the tool's lines; line 3 names the levels
    QComboBox* skillBox = nullptr;       // "no skill" keeps the normal start
    QWidget* startFrame = nullptr;
    QWidget* skillFrame = nullptr;
    QPushButton* launchButton = nullptr;
    QCheckBox* advancedBox = nullptr; // placed beside the view buttons
    QToolButton* installButton = nullptr;
    QToolButton* shortcutButton = nullptr;
    QToolButton* editLogButton = nullptr;
    QToolButton* zipFolderButton = nullptr;
    QCheckBox* rememberMap = nullptr;
    QCheckBox* rememberSaveGame = nullptr;
    QCheckBox* shortcutCreation = nullptr;
    QCheckBox* wadFilesOnly = nullptr;
};

class LibraryPanel : public QObject {
    Q_OBJECT
public:
    // Games-list views, as stored in the settings.
    enum View {
        InstalledGames = kInstalledGamesView,
        DoomGames = kDoomGamesView,
        ZipLibrary = kZipLibraryView
    };

    // Builds the Games tab page with the library's own controls; `window`
    // parents the hidden list, the menus and the dialogs.
    LibraryPanel(AppState& state, Platform& platform, LibraryHost& host, QWidget* window);
    // Lays out the page with the neighbours' controls and connects them.
    void attach(const LibraryNeighbours& neighbours);

    // The settings into the panel's controls and back.
    void settingsToControls(const Settings& s);
    void controlsToSettings(Settings& s) const;

    // The views and the selection of a game and a file.
    void ShowView(int view);
    void FillInstalledGames();
    // Hides the games that do not contain the filter text; a hidden current
    // game gives way to the first one shown.
    void filterGamesList();
    void FillZipLibrary(const std::string& folder);
    void SelectGame();
    void SelectFile();
    void ShrinkGameList();
    void ExpandGameList();
    void ToggleScriptedFilter();
    // Extracts every member of `archive` into `folder`; a damaged archive
    // shows " File error" while the window is visible.
    bool ExtractZip(const std::string& archive, const std::string& folder);
    // Installing levels and the zip library's commands.
    void InstallLevel();
    // Installs one wad or zip as the install dialog does with the file chosen.
    void installLevelFile(const std::string& path);
    // A drop of local files; installing runs after the drop is taken.
    bool acceptsDrop(const QMimeData& data) const;
    bool takeDrop(const QMimeData& data);
    void SetZipLibraryFolder();
    void InstallZipAsManual();
    void InstallZipAsAuto();
    void RenameArchive();
    void DeleteArchive();
    // Shortcuts of the current launch.
    void CreateShortcut();
    void CreateShortcutWith(ShortcutRequest request);
    // The games menu and the game files menu.
    void UninstallGame();
    void RenameGame();
    void ConvertToAuto();
    void ConvertToManual();
    void DeleteGameFile();
    void RemoveShortcuts(const std::string& prefix);
    bool IsInUse(const std::string& path) const;

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
    // The game file chosen in the files list; empty for none.
    std::string selectedFileEntry() const;
    // A map or a saved game was chosen in the neighbours' lists.
    void recordMapChoice(int row);
    void recordSaveGameChoice(const std::string& slot);

    QFrame* GamesTab;
    std::array<QRadioButton*, 3> OptionUdir{};
    std::array<QLabel*, 4> Auto{}; // list headers
    QToolButton* ImageCM;
    QCheckBox* ChkCM;
    QCheckBox* chkAutoSelect;
    QListWidget* PwadList;
    QLineEdit* GamesFilter = nullptr; // narrows the games list as the player types
    QListWidget* PwadShowlist;
    QListWidget* BuildList; // hidden scratch list

    // Task menus of the lists.
    QMenu* mPopup5 = nullptr; // games
    QAction* mcDeleteFolder = nullptr;
    QAction* mcRenameFolder = nullptr;
    QAction* Sep3 = nullptr;
    QAction* mcUdirConvert = nullptr;
    QAction* mcGwadConvert = nullptr;
    QMenu* mPopup6 = nullptr; // zips
    QAction* mcUdirUnZip = nullptr;
    QAction* sep1 = nullptr;
    QAction* mcRenameArchive = nullptr;
    QAction* mcDeleteArchive = nullptr;
    QAction* mcGwadUnZip = nullptr;
    QMenu* mPopup3 = nullptr; // game files
    QAction* mcDeleteFile = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void reportConversion(GameChange change, const char* accessDeniedText);
    void buildControls();
    void buildMenus();
    void layOutGamesTab();
    void connectControls();
    void connectNeighbours();

    // Views and selection (library_panel.cpp).
    void selectDoomGame(const std::string& title);
    void selectZip(const std::string& entry);
    void selectInstalledGame(const std::string& entry);
    void restoreStartKind();
    void showConversionEntries(bool renamable);
    void showSaveGames(const std::string& saveName);
    void addGameFiles(const std::vector<std::string>& names);
    void selectFileEntry(int row, bool run);
    bool restoreRememberedSaveGame();
    void openGameFile(const std::string& name);
    void gamesMouseEvent(QObject* watched, QEvent* event);
    QMenu* gamesMenu();
    bool scriptedFilterReachable() const;

    // Installing (library_panel_install.cpp).
    std::optional<std::string> askLibraryName(const std::string& frame, const std::string& window,
                                              const std::string& button);
    // " Name error" for a name no file or folder of the library may take.
    void refuseUnusableName(const std::string& name);
    // The refusals of a rename, of a game or of an archive alike.
    void refuseTakenName(const std::string& name);
    void refuseIllegalName();
    void showInstalledGames();
    void installDroppedFiles(const std::vector<std::string>& files);
    bool installExtractedFiles(const std::string& target);

    // Game menus (library_panel_operations.cpp).
    InstalledGame installedGame() const;

    // Records and game files (library_panel_records.cpp).
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

    AppState& state_;
    Platform& platform_;
    LibraryHost& host_;
    QWidget* window_;
    LibraryNeighbours n_;
    QGridLayout* gamesGrid_ = nullptr;
    bool advancedLayout_ = false;
    bool fillingGameFiles_ = false;    // the files list is filled, not clicked
    bool selectedFileClicked_ = false; // the press fell on the file already selected
    bool wadFilesOnlyListed_ = false;  // the file filter the list was made with
};

} // namespace krv
