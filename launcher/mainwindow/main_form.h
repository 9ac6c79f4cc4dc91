#pragma once
// MainForm: the launcher's only long-lived window. Its load reads the
// settings and brings every subsystem up in a fixed order; its unload stores
// the window position and writes the settings.

#include "launcher/inspect/inspect_panel.h"
#include "launcher/inspect/iwad_form.h"
#include "launcher/launch/compose_environment.h"
#include "launcher/launch/compose_types.h"
#include "launcher/launch/launch_panel.h"
#include "launcher/library/library_panel.h"
#include "launcher/music/music_controller.h"
#include "launcher/music/music_panel.h"
#include "launcher/options/options_controller.h"
#include "launcher/options/options_panel.h"
#include "launcher/platform/platform.h"
#include "launcher/startup/app_state.h"
#include "launcher/startup/entry_routine.h"
#include "launcher/ui/control_binder.h"
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
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QToolButton;

namespace krv {

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
    MusicController& music() { return music_; }
    OptionsController& options() { return options_; }
    InspectPanel& inspect() { return *inspect_; }
    LaunchPanel& launch() { return *launch_; }
    LibraryPanel& library() { return *library_; }

    // Window-wide switches.
    void DevModeDblClick();
    void AdvancedMode();
    void DefaultMode();
    bool advancedLayout() const { return advancedLayout_; }
    // True when the screen has 120 logical dots per inch (large fonts).
    bool CheckDPISettings();
    void GetTitlePic();
    void TitlePicDblClick();
    void OpenDocumentation();
    // The launcher font chooser; a new font restarts the launcher.
    void OpenFontForm();
    // The custom location of the high-resolution textures.
    void OpenTexForm();
    // Asks which model packs go, then removes them.
    void CleanupModelPacks();
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
    std::array<QWidget*, 5> TabFrame{};

    // Below the tabs
    QGroupBox* ChkFrame;
    std::array<QCheckBox*, 6> chkLaunchPrefs{};
    std::array<QToolButton*, 10> AuxButton{};

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

    // The tab strip and what "Edit  mode" shows of the window.
    void switchTab(int tab);
    void showEditMode(bool on);

    void showTitlePicture(const std::string& path);
    void fitTitlePicture();
    void onWindowStateChanged();
    void onActivated();
    void openWebPage(const char* address);

    AppState& state_;
    Platform& platform_;
    EntryRoutine& entry_;
    IwadForm* iwadForm_ = nullptr;
    // Watches the model's controls: declared before the controllers, whose
    // declarations it shows.
    ControlBinder* binder_ = new ControlBinder(state_.controls, this);
    OptionsController options_;
    MusicController music_;
    MusicPanel* musicPanel_ = nullptr;
    std::array<OptionsPanel*, 4> optionPages_{}; // Options, Graphics, Sound, Models
    InspectPanel* inspect_ = nullptr;
    friend class MainFormLaunchHost;
    friend class MainFormLibraryHost;
    static std::unique_ptr<LaunchHost> makeLaunchHost(MainForm& form);
    static std::unique_ptr<LibraryHost> makeLibraryHost(MainForm& form);
    std::unique_ptr<LaunchHost> launchHost_ = makeLaunchHost(*this);
    std::unique_ptr<LibraryHost> libraryHost_ = makeLibraryHost(*this);
    LaunchPanel* launch_ = nullptr;
    LibraryPanel* library_ = nullptr;
    LoadStepWatcher loadStepWatcher_;
    bool unloaded_ = false;
    bool advancedLayout_ = false;
    bool largeFonts_ = false;
    int heightTwips_ = kLoadHeightTwips; // the layout mode's height
    // The load places the window centred (no stored position, one off the
    // screen, or Wine mode): it is centred again once it has its real size.
    bool centredAtLoad_ = false;
    bool positionStored_ = false; // config.krv held the window's position
    bool corpseFadeUnavailable_ = false;
    QImage titleImage_;                // the theme picture shown, before it is fitted
    std::string docsFolder_;           // where the documentation dialog starts
    QGridLayout* lowerGrid_ = nullptr; // holds ChkFrame in either of its places
    QGridLayout* prefsGrid_ = nullptr; // the preferences inside ChkFrame
};

} // namespace krv
