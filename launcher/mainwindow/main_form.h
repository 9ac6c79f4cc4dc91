#pragma once
// MainForm: the launcher's only long-lived window. It places the panels,
// chooses the layout mode, runs the load's steps in their fixed order and
// answers what only a window can: its dialogs, its size and place, and its
// state. The session behind it holds the state and the rules.

#include "launcher/inspect/iwad_form.h"
#include "launcher/platform/platform.h"
#include "launcher/session/session.h"
#include "launcher/startup/app_state.h"
#include "launcher/startup/entry_routine.h"
#include "launcher/ui/control_binder.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class QEventLoop;
class QGridLayout;
class QLabel;
class QStackedWidget;
class QVBoxLayout;

namespace krv {

class InspectPanel;
class LaunchPanel;
class LibraryPanel;
class MusicPanel;
class OptionsPanel;

class MainForm : public QWidget, public IwadFormHost, private WindowPort {
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
    // The steps the first paint needs run before the window shows
    // (loadForFirstPaint), the rest once it is on the screen (finishLoad),
    // each one's results painted as they come; load() runs both.
    void load();
    void loadForFirstPaint();
    void finishLoad();
    // Returns once the shown window has painted (or after a second, for a
    // window the screen never shows); the player's input waits meanwhile.
    void waitForFirstPaint();
    // Each option page is built when its tab first shows it; this builds
    // them all at once.
    void buildOptionPages();
    // The tabs and the command-line frames are built when the advanced
    // layout first shows; this builds them in either layout.
    void buildAdvancedControls();
    using LoadStepWatcher = std::function<void(const std::string& step)>;
    void setLoadStepWatcher(LoadStepWatcher watcher) { loadStepWatcher_ = std::move(watcher); }

    // The unload of a normal close: stores the position, takes the controls
    // into the settings, writes them and ends (restarting when asked).
    void unload() override;

    // Top and left of the window centred on the screen, in twips.
    std::pair<int, int> centredPositionTwips() const;

    Session& session() { return session_; }
    IwadForm& iwadForm() { return *iwadForm_; }
    MusicController& music() { return session_.music(); }
    OptionsController& options() { return session_.options(); }
    InspectController& inspect() { return session_.inspect(); }
    LaunchController& launch() { return session_.launch(); }
    LibraryController& library() { return session_.library(); }

    bool advancedLayout() const { return state_.session.advancedLayout; }
    // True when the screen has 120 logical dots per inch (large fonts).
    bool CheckDPISettings();
    void GetTitlePic();
    void TitlePicDblClick();
    // The launcher font chooser; a new font restarts the launcher.
    void OpenFontForm();
    // The custom location of the high-resolution textures.
    void OpenTexForm();
    // Asks which model packs go, then removes them.
    void CleanupModelPacks();
    // Asks where the current launch's shortcuts go, then writes them.
    void CreateShortcut();

    // The control a help text names: its name and its array index (-1 for
    // a single control); null for a name the window does not have.
    QWidget* helpTarget(const char* control, int index);

    // IwadFormHost
    bool showsDoomGamesView() const override;
    void refillDoomGamesView() override;
    void clearDoomGamesView() override;
    void iwadsAccepted() override;
    void shutdown() override;

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
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
        bool afterFirstPaint; // waits until the window is on the screen
    };
    static const std::vector<LoadStep>& loadSteps();
    void runLoadSteps(bool afterFirstPaint);
    // The window at the size the steps' controls need, centred when the
    // load centres it.
    void fitWindowAtLoad();
    void connectControls();
    void connectPreview();

    // The panels and their places (main_form_layout.cpp).
    void buildControls();
    QWidget* buildBanner();
    void buildTabStrip();
    void finishLatePart(QWidget* part, QWidget* after);
    void placeInFocusChain(QWidget* part, QWidget* after);
    QWidget* buildGamesPage();
    QWidget* buildLowerPanel();
    QWidget* buildAuxButtons();
    void placeCheckFrame(bool atGlobalFrame);
    void placeSkillBox(bool advanced);
    void expandGameFiles(bool expanded) override;

    // The load's steps.
    void sizeWindow();
    void CheckFont();
    void createLibraryFolders() { session_.createLibraryFolders(); }
    void noteDetailTextures() { session_.noteDetailTextures(); }
    void readSettingsFile();
    void prepareModelOptions() { session_.options().prepareModelOptions(); }
    void prepareWindowControls();
    void detectIwads();
    void cleanUpLibrary() { session_.cleanUpLibrary(); }
    void placeWindow();
    void restoreControls();
    void loadPlaylists() { session_.music().loadPlaylists(); }
    void restoreGamesList() { session_.restoreGamesList(); }
    void reportSettingsReset() { session_.reportSettingsReset(); }
    void setSettingCaptions() { session_.options().setSettingCaptions(); }
    void detectModelPacks() { session_.detectModelPacks(); }

    // Help texts of the controls (main_form_help.cpp).
    // Installs the help texts; within `within` alone when given.
    void ToolTipText(QWidget* within = nullptr);
    void KillToolTips();
    void showHelpTexts(bool on) override { on ? ToolTipText() : KillToolTips(); }

    // Twips and pixels at the screen's density.
    int toPixels(int twips) const;
    int toTwips(int pixels) const;
    void applyLayoutMode(bool advanced);
    void setWindowHeightTwips(int twips);
    void refreshLayouts();
    QSize twipsSize() const;
    QSize leastWindowSize() const;
    void fitWindowToLayout();
    // The tab strip shows the session's tab: its page, its caption in red.
    void showTab();
    int checkedTab() const;
    void showTabCaptions();
    OptionsPanel* buildOptionPage(std::size_t index);

    void showTitlePicture(const std::string& path);
    void fitTitlePicture();
    void onWindowStateChanged();

    // WindowPort
    void showIwadDialog() override { iwadForm_->ShowModal(); }
    std::pair<int, int> windowPositionTwips() const override;
    void minimiseWindow() override { showMinimized(); }
    void restoreWindow() override;
    void hideWindow() override { hide(); }

    AppState& state_;
    Platform& platform_;
    EntryRoutine& entry_;
    // Watches the model's controls: made before the session, whose
    // declarations it shows.
    ControlBinder* binder_ = new ControlBinder(state_.session.controls, this);
    Session session_;
    IwadForm* iwadForm_ = nullptr;
    std::array<OptionsPanel*, 4> optionPages_{}; // Options, Graphics, Sound, Models
    InspectPanel* skillBox_ = nullptr;
    InspectPanel* skillFrame_ = nullptr;
    QWidget* tabStrip_ = nullptr;        // its tabs are built when the advanced layout first shows
    LaunchPanel* commandLine_ = nullptr; // built with the tabs
    LaunchPanel* preview_ = nullptr;
    QLabel* TitlePic = nullptr;
    QStackedWidget* TabPages = nullptr;
    QVBoxLayout* filesColumn_ = nullptr; // the game files above the saved games
    LoadStepWatcher loadStepWatcher_;
    bool unloaded_ = false;
    bool painted_ = false;                 // the window has painted once
    QEventLoop* firstPaintWait_ = nullptr; // waits for that paint
    bool positionStored_ = false;          // the settings file held a window position
    bool sizedOnceAtLoad_ = false;         // the first paint's steps leave the sizing to their end
    bool centredAtLoad_ = false;           // the load centres the window at its final size
    bool largeFonts_ = false;
    int heightTwips_ = kLoadHeightTwips; // the layout mode's height
    QImage titleImage_;                  // the theme picture shown, before it is fitted
    QGridLayout* lowerGrid_ = nullptr;   // holds the preferences in either of their places
    QGridLayout* prefsGrid_ = nullptr;   // the preferences inside their frame
};

} // namespace krv
