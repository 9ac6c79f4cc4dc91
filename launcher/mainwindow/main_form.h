#pragma once
// MainForm: the launcher's only long-lived window. Its load reads the
// settings and brings every subsystem up in a fixed order; its unload stores
// the window position and writes the settings.

#include "launcher/inspect/inspect_panel.h"
#include "launcher/inspect/iwad_form.h"
#include "launcher/launch/compose_environment.h"
#include "launcher/launch/compose_types.h"
#include "launcher/launch/launch_panel.h"
#include "launcher/library/game_info.h"
#include "launcher/music/music_panel.h"
#include "launcher/options/options_panel.h"
#include "launcher/platform/platform.h"
#include "launcher/startup/app_state.h"
#include "launcher/startup/entry_routine.h"
#include "launcher/ui/shortcuts.h"

#include <QImage>
#include <QWidget>
#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QFrame;
class QGridLayout;
class QGroupBox;
class QAction;
class QLabel;
class QMenu;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QToolButton;

namespace krv {

struct InstalledGame;

// The two web pages of the banner buttons.
inline constexpr const char* kProductSite = "https://korvath.org/";
inline constexpr const char* kDownloadsPage = "https://korvath.org/downloads/";

class MainForm : public QWidget, public IwadFormHost {
    Q_OBJECT
public:
    // Window size at load and the height of the default layout, in twips.
    static constexpr int kLoadHeightTwips = 7710;
    static constexpr int kLoadWidthTwips = 9696;
    static constexpr int kDefaultHeightTwips = 6900;
    // Games-list views, as stored in the settings.
    enum View {
        InstalledGames = kInstalledGamesView,
        DoomGames = kDoomGamesView,
        ZipLibrary = kZipLibraryView
    };

    MainForm(AppState& state, Platform& platform, EntryRoutine& entry);
    ~MainForm() override;

    // Runs once, when the entry routine loads the window: the steps below in
    // their order. A watcher, when set, hears each step's name as it starts.
    void load();
    using LoadStepWatcher = std::function<void(const std::string& step)>;
    void setLoadStepWatcher(LoadStepWatcher watcher) { loadStepWatcher_ = std::move(watcher); }

    // The unload of a normal close: stores the position, takes the controls
    // into the settings, writes them and ends (restarting when asked).
    void unload();

    // Top and left of the window centred on the screen, in twips.
    std::pair<int, int> centredPositionTwips() const;

    IwadForm& iwadForm() { return *iwadForm_; }
    MusicPanel& music() { return *music_; }
    OptionsPanel& options() { return *options_; }
    InspectPanel& inspect() { return *inspect_; }
    LaunchPanel& launch() { return *launch_; }

    // Window-wide switches.
    void DevModeDblClick();
    void AdvancedMode();
    void DefaultMode();
    bool advancedLayout() const { return advancedLayout_; }
    // True when the screen has 120 logical dots per inch (large fonts).
    bool CheckDPISettings();
    void GetTitlePic();
    void TitlePicDblClick();
    // The games list: its views and the selection of a game and a file.
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
    void OpenDocumentation();
    // Extracts every member of `archive` into `folder`; a damaged archive
    // shows " File error" while the window is visible.
    bool ExtractZip(const std::string& archive, const std::string& folder);
    // The launcher font chooser; a new font restarts the launcher.
    void OpenFontForm();
    // Installing levels and the zip library's commands.
    void InstallLevel();
    // Installs one wad or zip as the install dialog does with the file chosen.
    void installLevelFile(const std::string& path);
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

    // The refresh after the player returns from a launch.
    void Reset();

    // The control a help text names: its name and its array index (-1 for
    // a single control); null for a name the window does not have.
    QWidget* helpTarget(const char* control, int index);

    // Settings and controls, both ways.
    void settingsToControls();
    void controlsToSettings();

    // IwadFormHost
    bool showsDoomGamesView() const override;
    void refillDoomGamesView() override;
    void clearDoomGamesView() override;
    void iwadsAccepted() override;
    void shutdown() override;

    // Banner
    QLabel* TitlePic;
    std::array<QToolButton*, 4> Home{}; // 0 web site, 3 downloads
    QLabel* WineImage;

    // Tabs: the button strip and the five pages laid on top of each other.
    std::array<QPushButton*, 5> OptionTabs{};
    QStackedWidget* TabPages;
    std::array<QFrame*, 5> TabFrame{};

    // Games tab
    std::array<QRadioButton*, 3> OptionUdir{};
    std::array<QLabel*, 4> Auto{}; // list headers
    QToolButton* ImageCM;
    QCheckBox* ChkCM;
    QCheckBox* chkAutoSelect;
    QListWidget* PwadList;
    QLineEdit* GamesFilter; // narrows the games list as the player types
    QListWidget* PwadShowlist;
    QListWidget* StoredFiles; // hidden search result buffer
    QListWidget* BuildList;   // hidden scratch list

    // Below the tabs
    QGroupBox* ChkFrame;
    std::array<QCheckBox*, 6> chkLaunchPrefs{};
    std::array<QToolButton*, 10> AuxButton{};

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
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Dropped wad and zip files are installed to the games list.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    struct LoadStep {
        const char* name;
        void (MainForm::*run)();
    };
    static const std::vector<LoadStep>& loadSteps();
    void connectControls();
    void connectPreview();

    void buildControls();
    QWidget* buildBanner();
    QWidget* buildTabStrip();
    QWidget* buildGamesTab();
    QWidget* buildLowerPanel();
    QWidget* buildAuxButtons();

    // The load's steps.
    void sizeWindow();
    void CheckFont();
    void createLibraryFolders();
    void noteDetailTextures();
    void readSettingsFile();
    void prepareModelOptions();
    void prepareWindowControls();
    void detectIwads();
    void cleanUpLibrary();
    void placeWindow();
    void restoreControls();
    void loadPlaylists();
    void restoreGamesList();
    void reportSettingsReset();
    void setSettingCaptions();
    void detectModelPacks();

    // Help texts of the controls (main_form_help.cpp).
    void ToolTipText();
    void KillToolTips();

    // Twips and pixels at the screen's density.
    int toPixels(int twips) const;
    int toTwips(int pixels) const;
    void applyLayoutMode(bool advanced);
    void setWindowHeightTwips(int twips);
    void refreshLayouts();
    QSize twipsSize() const;
    QSize leastWindowSize() const;
    void fitWindowToLayout();
    void placeCheckFrame(bool atGlobalFrame);

    // Games list (main_form_games.cpp).
    void connectGamesList();
    bool gamesMouseEvent(QObject* watched, QEvent* event);
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
    QMenu* gamesMenu();
    bool scriptedFilterReachable() const;
    void emptyFolder(const std::string& folder);

    // Installing (main_form_install.cpp).
    void connectInstall();
    std::optional<std::string> askLibraryName(const std::string& frame, const std::string& window,
                                              const std::string& button);
    void showInstalledGames();
    void installDroppedFiles(const std::vector<std::string>& files);
    void installExtractedFiles(const std::string& target);

    void connectShortcuts();

    // The tab strip and what "Edit  mode" shows of the window.
    void switchTab(int tab);
    void showEditMode(bool on);

    // Game menus (main_form_operations.cpp).
    void connectOperations();
    InstalledGame installedGame() const;

    // The library's records and game files (main_form_records.cpp).
    enum class GameFolderKind { None, Manual, Auto };
    std::vector<std::string> installedGameNames() const;
    std::string installedGameFolderName(const std::string& entry) const;
    GameFolderKind installedGameKind(const std::string& game) const;
    std::vector<std::string> listGameFiles(const std::string& folder);
    void chooseMainWad(const std::string& folder);
    std::string commercialSaveName(const std::string& title) const;
    std::string saveNameOfSelection() const;
    SelectedGame selectedGame() const;
    std::string selectedFileEntry() const;
    std::string rememberedSaveSlot() const;
    void ReadMapRecord();
    void ReadAutoRecords(const std::string& game);
    void WriteAutoRecords(const std::string& game);
    void recordMapChoice(int row);
    void recordSaveGameChoice(const std::string& slot);
    void clearMapRecords();
    void clearSaveRecords();
    void showTitlePicture(const std::string& path);
    void fitTitlePicture();
    void onWindowStateChanged();
    void onActivated();
    void openWebPage(const char* address);

    AppState& state_;
    Platform& platform_;
    EntryRoutine& entry_;
    IwadForm* iwadForm_ = nullptr;
    MusicPanel* music_ = nullptr;
    OptionsPanel* options_ = nullptr;
    InspectPanel* inspect_ = nullptr;
    friend class MainFormLaunchHost;
    static std::unique_ptr<LaunchHost> makeLaunchHost(MainForm& form);
    std::unique_ptr<LaunchHost> launchHost_ = makeLaunchHost(*this);
    LaunchPanel* launch_ = nullptr;
    LoadStepWatcher loadStepWatcher_;
    bool unloaded_ = false;
    bool advancedLayout_ = false;
    bool largeFonts_ = false;
    int heightTwips_ = kLoadHeightTwips; // the layout mode's height
    bool corpseFadeUnavailable_ = false;
    QImage titleImage_;                // the theme picture shown, before it is fitted
    bool fillingGameFiles_ = false;    // the files list is filled, not clicked
    bool selectedFileClicked_ = false; // the press fell on the file already selected
    bool wadFilesOnlyListed_ = false;  // the file filter the list was made with
    std::string docsFolder_;           // where the documentation dialog starts
    QGridLayout* gamesGrid_ = nullptr;
    QGridLayout* lowerGrid_ = nullptr; // holds ChkFrame in either of its places
    QGridLayout* prefsGrid_ = nullptr; // the preferences inside ChkFrame
};

} // namespace krv
