#pragma once
// The launch from the main window: the Launch button, the launch mode and
// screen mode frame, the command-line and edit panels, the composers fed
// from the window and the tail that starts the engine with the finished line
// (or writes it into shortcuts).

#include "launcher/launch/compose_environment.h"
#include "launcher/launch/compose_types.h"
#include "launcher/platform/platform.h"
#include "launcher/startup/app_state.h"
#include "launcher/ui/shortcuts.h"

#include <QObject>

#include <array>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace krv {

// What a launch needs from the other parts of the window; the main window
// answers for them.
class LaunchHost {
public:
    virtual ~LaunchHost() = default;
    // Every control into the settings before a composition, and back after.
    virtual void controlsToSettings() = 0;
    virtual void settingsToControls() = 0;
    // The option boxes a launch may use, both ways, and the texts the
    // composition reads or changes.
    virtual OptionBoxes availableBoxes() const = 0;
    virtual void applyAvailableBoxes(const OptionBoxes& boxes) = 0;
    virtual std::string corpseFadeText() const = 0;
    virtual void showTextureLocation(const std::string& text) = 0;
    virtual AutoPlaylist automaticPlaylist(const std::string& iwadPath) = 0;
    virtual void showIwadDialog() = 0;
    // The map list and the warp target it gives.
    virtual std::vector<std::string> mapEntries() const = 0;
    virtual void updateWarpTarget() = 0;
    // The game file chosen in the files list; empty for none.
    virtual std::string selectedFileEntry() const = 0;
    // The "Exit" launch mode closes the window as a normal close does.
    virtual void unload() = 0;
};

class LaunchPanel : public QObject {
    Q_OBJECT
public:
    // `window` parents the controls until the window places them, and is
    // minimised, shown and hidden as the launch mode says.
    LaunchPanel(AppState& state, Platform& platform, LaunchHost& host, QWidget* window);

    // Puts the option boxes of the engine's edit mode before the light box.
    void placeEditBoxes(std::initializer_list<QWidget*> boxes);
    // Takes the skill selector into the panel, below the command line or
    // the edit boxes, for the layout that hides the skill frame.
    void placeSkillBox(QWidget* box);

    // The settings into the panel's controls and back.
    void settingsToControls(const Settings& s);
    void controlsToSettings(Settings& s) const;

    void LaunchButtonClick();
    void ComposeIwadLaunch();
    void ComposeGameLaunch();
    // Composes as for a launch and writes the line into shortcuts.
    void launchIntoShortcuts(const ShortcutRequest& request);
    // The command-line panel or the edit panel, as the settings say.
    void SelectStartupOptions();
    void SelButtonClick();
    // Reads the engine's screen mode into the screen-mode labels; the
    // refresh reads it only when the engine wrote it anew.
    void GetCurrentRes();
    void refreshScreenMode();
    void openLogFile(const char* name);

    // The command-line preview follows the window: a change asks for it, and
    // one dry run after the change's handlers have finished updates it.
    void schedulePreview();
    void updatePreview();
    // What Launch would write to "launch.log" now, or the title of the
    // message it would stop with; nothing is shown or kept.
    std::string dryRunText();

    QPushButton* LaunchButton;
    std::array<QGroupBox*, 3> FrameGlobal{}; // 0 holder, 1 command line, 2 KRV edit
    QPushButton* SelButton;
    QLabel* SkillCaption; // names the skill selector placed in the panel
    QLineEdit* edCustom;
    QLineEdit* LightText;
    QGroupBox* KRVFrame; // launch mode and screen mode
    std::array<QRadioButton*, 3> ExitOption{};
    QLabel* DevMode;
    std::array<QLabel*, 4> ResLabel{}; // 1 resolution, 2 mode, 3 refresh rate
    QWidget* PreviewRow;               // the preview line and its copy button
    QLineEdit* PreviewLine;            // read-only
    QPushButton* CopyCommand;          // puts the preview on the clipboard

private:
    void buildCommandLinePanel();
    void buildLaunchModeFrame();
    void buildPreviewRow();
    // Launch refuses with " Wad error" while the map list holds no level.
    bool noLevelsListed() const;
    void fillLaunchInput(LaunchInput& in);
    ComposeResult composeIwad(ComposeEnvironment& env);
    ComposeResult composeGame(ComposeEnvironment& env);
    void finishComposition(const ComposeResult& result);
    void launchTail(const std::string& commandLine);

    AppState& state_;
    Platform& platform_;
    LaunchHost& host_;
    QWidget* window_;
    QHBoxLayout* editRow_ = nullptr;
    QHBoxLayout* skillRow_ = nullptr; // the skill selector of the advanced layout
    bool shortcutMode_ = false;       // the launch goes into shortcuts
    bool previewPending_ = false;
    ShortcutRequest shortcutRequest_;
    std::filesystem::file_time_type resFileTime_{}; // "KRVres.out" when last read
};

} // namespace krv
