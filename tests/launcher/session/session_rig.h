#pragma once
// The launcher's session without a window: a temporary installation root,
// the state over it, the scripted platform, and a window port that records
// what the session asked of the window. Its load runs the session's steps
// in the window's order, so the rules can be tested on the model alone.

#include "launcher/inspect/inspect_controls.h"
#include "launcher/launch/launch_controls.h"
#include "launcher/library/library_controls.h"
#include "launcher/music/music_controls.h"
#include "launcher/options/option_controls.h"
#include "launcher/platform/scripted_platform.h"
#include "launcher/session/session.h"
#include "launcher/session/window_controls.h"
#include "launcher/startup/settings.h"
#include "support/fake_environment.h"
#include "support/install_root.h"

#include <string>
#include <vector>

namespace krv::test {

// Records the window's part of the session's requests.
struct RecordingWindow : WindowPort {
    std::vector<std::string> asked;
    bool helpTexts = true;
    bool filesExpanded = false;

    void showIwadDialog() override { asked.push_back("iwad dialog"); }
    std::pair<int, int> windowPositionTwips() const override { return {1500, 1500}; }
    void minimiseWindow() override { asked.push_back("minimise"); }
    void restoreWindow() override { asked.push_back("restore"); }
    void hideWindow() override { asked.push_back("hide"); }
    void unload() override { asked.push_back("unload"); }
    void showHelpTexts(bool on) override { helpTexts = on; }
    void expandGameFiles(bool expanded) override { filesExpanded = expanded; }
};

struct SessionRig {
    InstallRoot root;
    AppState state;
    ScriptedPlatform platform;
    RecordingWindow window;
    Session* session = nullptr;

    SessionRig() { state.paths = InstallPaths::fromRoot(root.root()); }
    ~SessionRig() { delete session; }
    SessionRig(const SessionRig&) = delete;
    SessionRig& operator=(const SessionRig&) = delete;

    Controls& controls() { return state.session.controls; }
    Session& s() { return *session; }

    // The settings file as `stored` writes it.
    void store(const Settings& stored) {
        std::vector<std::string> lines = settingsLines(stored, false);
        std::string text;
        for (const std::string& line : lines)
            text += line + "\r\n";
        writeFile(root.configFile(), text);
    }

    // The window's load, its window steps left out; the IWADs are found in
    // the root's own places only.
    void load() {
        session = new Session(state, platform, window);
        Session& s = *session;
        s.createLibraryFolders();
        s.noteDetailTextures();
        s.readSettingsFile(0, 0);
        s.options().prepareModelOptions();
        s.prepareWindowControls();
        registerIwadsAtStartup(state.iwads, state.paths.root, state.paths.dataFolder,
                               emptyEnvironment());
        s.cleanUpLibrary();
        s.showWineMode();
        s.restoreControls();
        s.music().loadPlaylists();
        s.restoreGamesList();
        s.reportSettingsReset();
        s.options().setSettingCaptions();
        s.detectModelPacks();
        state.session.controls.setWindowShown(true);
    }
};

} // namespace krv::test
