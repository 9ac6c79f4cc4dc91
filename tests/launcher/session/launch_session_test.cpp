// The launch on the session model alone, without a window: a Doom II IWAD
// in a temporary installation, the scripted platform starting the engine,
// and a host standing in for the launcher's other parts and the window.
#include "launcher/launch/launch_controller.h"
#include "launcher/launch/launch_controls.h"
#include "launcher/platform/scripted_platform.h"
#include "support/install_root.h"
#include "support/temp_dir.h"
#include "support/wad_builder.h"

#include "common/text_file.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace krv;
using namespace krv::ids;
using krv::test::writeFile;
namespace fs = std::filesystem;

namespace {

// Records what the launch asks of the rest and answers as the test says.
struct FakeHost : LaunchHost {
    mutable int toSettings = 0;
    int toControls = 0;
    int iwadDialogs = 0;
    std::vector<std::string> window; // what was done to the window, in order
    std::vector<OptionBoxes> applied;
    std::vector<std::string> textureLocations;
    const Settings* settings = nullptr;
    OptionBoxes boxes;
    AutoPlaylist playlist;
    std::string fileEntry;

    Settings settingsWithControls() const override {
        ++toSettings;
        return *settings;
    }
    void showComposedSettings() override { ++toControls; }
    OptionBoxes availableBoxes() const override { return boxes; }
    void applyAvailableBoxes(const OptionBoxes& b) override { applied.push_back(b); }
    void showTextureLocation(const std::string& text) override { textureLocations.push_back(text); }
    std::string corpseFadeText() const override { return "5"; }
    AutoPlaylist automaticPlaylist(const std::string&) const override { return playlist; }
    void showIwadDialog() override { ++iwadDialogs; }
    std::string selectedFileEntry() const override { return fileEntry; }
    std::pair<int, int> windowPositionTwips() const override { return {0, 0}; }
    void minimiseWindow() override { window.push_back("minimise"); }
    void restoreWindow() override { window.push_back("restore"); }
    void hideWindow() override { window.push_back("hide"); }
    void unload() override { window.push_back("unload"); }
};

// The launch over a root whose Iwads folder holds Doom II, chosen in the
// Doom games view.
struct Launch {
    test::InstallRoot root;
    AppState state;
    ScriptedPlatform platform;
    FakeHost host;
    std::unique_ptr<LaunchController> launch;

    explicit Launch(int launchMode = 0, bool wine = false) {
        state.paths = InstallPaths::fromRoot(root.root());
        state.startup.wineMode = wine;
        state.session.settings.launchMode = launchMode;
        const std::string iwad = (root / "Iwads/Doom2.wad").string();
        writeFile(iwad, test::WadBuilder("IWAD").level("MAP01").level("MAP02").build());
        state.iwads.registerPath(iwad);
        state.session.mainWad = iwad;
        state.session.maps.fill({"MAP01", "MAP02"});
        host.settings = &state.session.settings;
        launch = std::make_unique<LaunchController>(state.session, state.paths, state.startup,
                                                    state.iwads, platform, host);
        state.session.controls.setWindowShown(true);
    }
    std::string launchLog() const {
        const auto lines = krv::readTextLines(root / "KRVLaunch/launch.log").lines;
        return lines.size() == 1 ? lines[0] : std::string("(not one line)");
    }
    Controls& c() { return state.session.controls; }
};

} // namespace

TEST(LaunchSession, AFailedStartShowsTheLineAndKeepsTheWindow) {
    Launch l(1);
    l.platform.startSucceeds = false;
    l.c().click(LaunchButton);
    ASSERT_EQ(l.platform.messages.size(), 1u);
    EXPECT_EQ(l.platform.messages[0].title, "");
    EXPECT_EQ(l.platform.messages[0].style, msg::kOk);
    EXPECT_EQ(l.platform.messages[0].text,
              "Cannot execute! The command line was:\r\n" + l.launchLog());
    EXPECT_FALSE(l.state.session.launch.launchInProgress);
    EXPECT_EQ(l.host.window, (std::vector<std::string>{"minimise", "restore"}));
}

TEST(LaunchSession, AFailedMinimisedStartBringsTheWindowBackAndSaysWhy) {
    Launch l(1);
    l.platform.executeStarts = true;
    const fs::path engine = l.root / "Bin/Korvath.exe";
    fs::permissions(engine, fs::perms::owner_read | fs::perms::owner_write);
    const std::string failed = "Cannot execute! The command line was:\r\n";
    l.c().click(LaunchButton);
    EXPECT_EQ(l.host.window.back(), "restore");
    ASSERT_EQ(l.platform.messages.size(), 1u);
    EXPECT_EQ(l.platform.messages[0].text,
              failed + l.launchLog() + "\r\n" + engine.string() + " is not executable.");

    // A Windows engine where no wine can run it.
    writeFile(engine, "MZ windows program");
    const krv::test::TempDir noPrograms;
    const std::string path = std::getenv("PATH");
    ::setenv("PATH", noPrograms.path().c_str(), 1);
    l.c().click(LaunchButton);
    ::setenv("PATH", path.c_str(), 1);
    EXPECT_EQ(l.host.window.back(), "restore");
    ASSERT_EQ(l.platform.messages.size(), 2u);
    EXPECT_EQ(l.platform.messages[1].text,
              failed + l.launchLog() +
                  "\r\nThe engine is a Windows program: install wine to run it.");
}

// The exit mode closes the window as a normal close does, whether or not
// the engine started.
TEST(LaunchSession, ExitModeAsksTheHostToUnloadEvenWhenTheStartFailed) {
    for (const bool starts : {true, false}) {
        Launch l(2);
        l.platform.startSucceeds = starts;
        EXPECT_THROW(l.c().click(LaunchButton), ProcessEnded);
        ASSERT_GE(l.host.window.size(), 2u);
        EXPECT_EQ(l.host.window.back(), "unload");
        EXPECT_EQ(l.host.window.end()[-2], "hide");
        EXPECT_EQ(l.platform.messages.size(), starts ? 0u : 1u);
    }
}

// The preview names what a launch would stop with, but shows nothing and
// gives nothing back to the window; the launch itself does both.
TEST(LaunchSession, ThePreviewNamesTheRefusalALaunchShows) {
    Launch l;
    l.state.session.maps.fill({""}); // a map list without a level
    EXPECT_EQ(l.launch->previewText(), " Wad error");
    l.state.session.maps.fill({"MAP01"});
    fs::remove(l.root / "Iwads/Doom2.wad");
    const SessionModel before = l.state.session;
    EXPECT_EQ(l.launch->previewText(), " Setup error");
    EXPECT_TRUE(l.platform.messages.empty());
    EXPECT_EQ(l.host.iwadDialogs, 0);
    EXPECT_TRUE(l.host.applied.empty());
    EXPECT_EQ(l.host.toControls, 0);
    EXPECT_EQ(l.host.toSettings, 1); // the controls are read for every composition
    EXPECT_EQ(settingsLines(l.state.session.settings, false),
              settingsLines(before.settings, false));
    EXPECT_EQ(l.state.session.launchSelection.iwadPath, before.launchSelection.iwadPath);

    l.launch->LaunchButtonClick();
    EXPECT_TRUE(l.platform.starts.empty());
    ASSERT_EQ(l.platform.messages.size(), 1u);
    EXPECT_EQ(l.platform.messages[0].title, " Setup error");
    EXPECT_EQ(l.host.iwadDialogs, 1);
    EXPECT_EQ(l.host.applied.size(), 1u);
    EXPECT_EQ(l.host.toControls, 1);
    EXPECT_EQ(l.host.toSettings, 2);
}

TEST(LaunchSession, TheLogButtonsOpenExistingLogsOnly) {
    Launch l;
    writeFile(l.root / "korvath.OUT", "log");
    l.launch->openLogFile("edit.out"); // does not exist
    l.launch->openLogFile("Korvath.out");
    ASSERT_EQ(l.platform.starts.size(), 1u);
    EXPECT_EQ(l.platform.starts[0].commandLine,
              "notepad.exe \"" + (l.root / "korvath.OUT").string() + "\"");
}

TEST(LaunchSession, ReadsTheEngineScreenModeIntoItsLabels) {
    Launch l;
    writeFile(l.root / "Bin/KRVres.out", "W 1280 x 1024 * 75 Hz\r\n");
    l.launch->GetCurrentRes();
    EXPECT_EQ(l.c().text(ResLabel[1]), "1280 x 1024 ");
    EXPECT_EQ(l.c().text(ResLabel[2]), "--- Windowed Mode ---");
    EXPECT_EQ(l.c().text(ResLabel[3]), "75 Hz");
}

TEST(LaunchSession, SelButtonTogglesThePanelsAndWineKeepsTheCommandLine) {
    for (const bool wine : {false, true}) {
        Launch l(0, wine);
        Controls& c = l.c();
        EXPECT_EQ(c.text(FrameGlobal[0]), "  Command Line  ");
        EXPECT_TRUE(c.isVisible(FrameGlobal[1]));
        c.click(SelButton);
        EXPECT_EQ(l.state.session.settings.selButtonMode, wine ? 1 : 2);
        EXPECT_EQ(c.text(FrameGlobal[0]), wine ? "  Command Line  " : "  KRV Edit  ");
        EXPECT_EQ(c.isVisible(FrameGlobal[2]), !wine);
        EXPECT_EQ(c.isVisible(FrameGlobal[1]), wine);
        c.click(SelButton);
        EXPECT_EQ(l.state.session.settings.selButtonMode, 1);
    }
}

TEST(LaunchSession, AStoredEditModeShowsTheEditPanel) {
    Launch l;
    l.state.session.settings.selButtonMode = 2;
    l.launch->SelectStartupOptions();
    EXPECT_EQ(l.c().text(FrameGlobal[0]), "  KRV Edit  ");
    EXPECT_TRUE(l.c().isVisible(FrameGlobal[2]));
    EXPECT_FALSE(l.c().isVisible(FrameGlobal[1]));
}
