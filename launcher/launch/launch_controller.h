#pragma once
// The launch on the session model: the Launch button's composition from a
// snapshot of the model, the tail that starts the engine with the finished
// line (or writes it into shortcuts), the command-line preview, the launch
// mode and the screen mode shown, and the command-line and edit panels.

#include "launcher/launch/compose_environment.h"
#include "launcher/launch/compose_types.h"
#include "launcher/platform/platform.h"
#include "launcher/session/session_model.h"
#include "launcher/startup/app_state.h"
#include "launcher/startup/install_paths.h"
#include "launcher/ui/shortcuts.h"

#include <filesystem>
#include <string>
#include <utility>

namespace krv {

// What a launch needs from the other parts of the launcher and from the
// window.
class LaunchHost {
public:
    virtual ~LaunchHost() = default;
    // The settings with every control taken in, as a launch stores them.
    virtual Settings settingsWithControls() const = 0;
    // The settings a composition left back into the controls.
    virtual void showComposedSettings() = 0;
    // The option boxes a launch may use, both ways, and the texture label.
    virtual OptionBoxes availableBoxes() const = 0;
    virtual void applyAvailableBoxes(const OptionBoxes& boxes) = 0;
    virtual void showTextureLocation(const std::string& text) = 0;
    // The corpse fade's number box as typed.
    virtual std::string corpseFadeText() const = 0;
    virtual AutoPlaylist automaticPlaylist(const std::string& iwadPath) const = 0;
    virtual void showIwadDialog() = 0;
    // The game file chosen in the files list; empty for none.
    virtual std::string selectedFileEntry() const = 0;
    // The window: its place in twips (top, left), and what a launch mode
    // does to it.
    virtual std::pair<int, int> windowPositionTwips() const = 0;
    virtual void minimiseWindow() = 0;
    virtual void restoreWindow() = 0;
    virtual void hideWindow() = 0;
    // The "Exit" launch mode closes the window as a normal close does.
    virtual void unload() = 0;
};

class LaunchController {
public:
    // Declares the launch's controls.
    LaunchController(SessionModel& model, const InstallPaths& paths, const StartupState& startup,
                     const IwadRegistry& iwads, Platform& platform, LaunchHost& host);

    void LaunchButtonClick();
    // Composes as for a launch and writes the line into shortcuts.
    void launchIntoShortcuts(const ShortcutRequest& request);
    // What Launch would write to "launch.log" now, or the title of the
    // message it would stop with; nothing is shown or changed.
    std::string previewText() const;

    // The command-line panel or the edit panel, as the settings say.
    void SelectStartupOptions();
    void SelButtonClick();
    // Reads the engine's screen mode into the screen-mode labels; the
    // refresh reads it only when the engine wrote it anew.
    void GetCurrentRes();
    void refreshScreenMode();
    void openLogFile(const char* name);

    // The settings into the panel's controls and back.
    void settingsToControls(const Settings& s);
    void controlsToSettings(Settings& s) const;

private:
    // Launch refuses with " Wad error" while the map list holds no level.
    bool noLevelsListed() const;
    void compose();
    void fillLaunchInput(LaunchInput& in, const Settings& settings) const;
    ComposeResult composeIwad(ComposeEnvironment& env, const Settings& settings) const;
    ComposeResult composeGame(ComposeEnvironment& env, const Settings& settings) const;
    void finishComposition(const ComposeResult& result);
    void launchTail(const std::string& commandLine);

    SessionModel& model_;
    Controls& c_;
    const InstallPaths& paths_;
    const StartupState& startup_;
    const IwadRegistry& iwads_;
    Platform& platform_;
    LaunchHost& host_;
    bool shortcutMode_ = false; // the launch goes into shortcuts
    ShortcutRequest shortcutRequest_;
    std::filesystem::file_time_type resFileTime_{}; // "KRVres.out" when last read
};

} // namespace krv
