#pragma once
// The launcher's session: the session model with the controllers of its
// parts (option tabs, playlists, map and savegame lists, games library,
// launch), the main window's own controls and their rules (the layout mode,
// the tab strip, the launcher preferences), the steps of the window's load
// and unload that concern the model, and the settings carried between the
// controls and the settings file. The main window draws it and answers
// what only a window can: its dialogs, its place and its state.

#include "launcher/inspect/inspect_controller.h"
#include "launcher/launch/launch_controller.h"
#include "launcher/library/library_controller.h"
#include "launcher/music/music_controller.h"
#include "launcher/options/option_controls.h"
#include "launcher/options/options_controller.h"
#include "launcher/platform/platform.h"
#include "launcher/startup/app_state.h"

#include <string>
#include <utility>

namespace krv {

// What the session asks of the window.
class WindowPort {
public:
    virtual ~WindowPort() = default;
    virtual void showIwadDialog() = 0;
    // The window's place in twips (top, left); minimised, restored, hidden
    // as a launch mode says.
    virtual std::pair<int, int> windowPositionTwips() const = 0;
    virtual void minimiseWindow() = 0;
    virtual void restoreWindow() = 0;
    virtual void hideWindow() = 0;
    // The normal close: the window's place stored, the settings written.
    virtual void unload() = 0;
    // The help texts shown or taken away.
    virtual void showHelpTexts(bool on) = 0;
    // The files list takes more room or less.
    virtual void expandGameFiles(bool expanded) = 0;
};

class Session : private LaunchHost, private LibraryHost {
public:
    Session(AppState& state, Platform& platform, WindowPort& window);

    SessionModel& model() { return state_.session; }
    OptionsController& options() { return options_; }
    MusicController& music() { return music_; }
    InspectController& inspect() { return inspect_; }
    LibraryController& library() { return library_; }
    LaunchController& launch() { return launch_; }

    // Load steps of the model, in the window's order.
    void createLibraryFolders();
    void noteDetailTextures();
    // Reads the settings files, the window centred at `centredTop` and
    // `centredLeft` where none is stored.
    SettingsReadResult readSettingsFile(int centredTop, int centredLeft);
    void prepareWindowControls();
    void cleanUpLibrary();
    void restoreControls();
    void restoreGamesList();
    void reportSettingsReset();
    void detectModelPacks();
    // The unload's model part: the settings taken from the controls and
    // written, unless they were found old or corrupt.
    void storeSettings();

    // The settings into every control and back.
    void settingsToControls();
    void controlsToSettings();
    Settings settingsWithControls() const override;

    // The window-wide switches.
    void applyLayoutMode(bool advanced);
    void switchTab(int tab);
    void showEditMode(bool on);
    void DevModeDblClick();
    void showWineMode();
    // The refresh after the player returns from a launch.
    void Reset();
    void onActivated();
    void OpenDocumentation();
    // Loads the newest saved game of the selection, as choosing it in the
    // savegame list and pressing Launch would; nothing without one.
    void Continue();

private:
    void followWindowControls();
    void followParts();
    void showContinue();

    // LaunchHost and LibraryHost.
    void showComposedSettings() override;
    OptionBoxes availableBoxes() const override { return options_.availableBoxes(); }
    void applyAvailableBoxes(const OptionBoxes& boxes) override {
        options_.applyAvailableBoxes(boxes);
    }
    void showTextureLocation(const std::string& text) override {
        options_.showTextureLocation(text);
    }
    std::string corpseFadeText() const override {
        return state_.session.controls.text(ids::Corpse);
    }
    AutoPlaylist automaticPlaylist(const std::string& iwadPath) const override {
        return music_.automaticPlaylist(iwadPath);
    }
    void showIwadDialog() override { window_.showIwadDialog(); }
    std::string selectedFileEntry() const override { return library_.selectedFileEntry(); }
    std::pair<int, int> windowPositionTwips() const override {
        return window_.windowPositionTwips();
    }
    void minimiseWindow() override { window_.minimiseWindow(); }
    void restoreWindow() override { window_.restoreWindow(); }
    void hideWindow() override { window_.hideWindow(); }
    void unload() override { window_.unload(); }
    void launchIntoShortcuts(const ShortcutRequest& request) override {
        launch_.launchIntoShortcuts(request);
    }

    AppState& state_;
    Platform& platform_;
    WindowPort& window_;
    OptionsController options_;
    MusicController music_;
    InspectController inspect_;
    LibraryController library_;
    LaunchController launch_;
    bool corpseFadeUnavailable_ = false;
    std::string docsFolder_; // where the documentation dialog starts
};

} // namespace krv
