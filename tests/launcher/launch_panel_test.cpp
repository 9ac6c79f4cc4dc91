// The launch panel on its own: a Doom II IWAD in a temporary installation,
// the scripted platform starting the engine, and a host standing in for the
// window's other parts with answers the test sets.
#include "launcher/launch/launch_panel.h"
#include "panel_rig.h"
#include "support/wad_builder.h"

#include "common/text_file.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <gtest/gtest.h>

#include <cstdlib>

using namespace krv;
using krv::test::writeFile;
namespace fs = std::filesystem;

namespace {

// Records what the panel asks of the window and answers as the test says.
struct FakeHost : LaunchHost {
    int toSettings = 0;
    int toControls = 0;
    int unloads = 0;
    int iwadDialogs = 0;
    std::vector<OptionBoxes> applied;
    std::vector<std::string> textureLocations;
    OptionBoxes boxes;
    std::string corpse = "5";
    AutoPlaylist playlist;
    std::vector<std::string> maps{"MAP01", "MAP02"};
    std::string fileEntry;

    void controlsToSettings() override { ++toSettings; }
    void settingsToControls() override { ++toControls; }
    OptionBoxes availableBoxes() const override { return boxes; }
    void applyAvailableBoxes(const OptionBoxes& b) override { applied.push_back(b); }
    std::string corpseFadeText() const override { return corpse; }
    void showTextureLocation(const std::string& text) override { textureLocations.push_back(text); }
    AutoPlaylist automaticPlaylist(const std::string&) override { return playlist; }
    void showIwadDialog() override { ++iwadDialogs; }
    std::vector<std::string> mapEntries() const override { return maps; }
    void updateWarpTarget() override {}
    std::string selectedFileEntry() const override { return fileEntry; }
    void unload() override { ++unloads; }
};

// The panel over a root whose Iwads folder holds Doom II, chosen in the
// Doom games view.
struct Panel : test::PanelRig {
    FakeHost host;
    std::unique_ptr<LaunchPanel> panel;

    explicit Panel(int launchMode = 0, bool wine = false) {
        state.startup.wineMode = wine;
        state.settings.launchMode = launchMode;
        const std::string iwad = (root / "Iwads/Doom2.wad").string();
        writeFile(iwad, test::WadBuilder("IWAD").level("MAP01").level("MAP02").build());
        state.iwads.registerPath(iwad);
        state.mainWad = iwad;
        panel = std::make_unique<LaunchPanel>(state, platform, host, &window);
    }
    std::string launchLog() const {
        const auto lines = krv::readTextLines(root / "KRVLaunch/launch.log").lines;
        return lines.size() == 1 ? lines[0] : std::string("(not one line)");
    }
};

} // namespace

TEST(LaunchPanel, AFailedStartShowsTheLineAndKeepsTheWindow) {
    Panel p(1);
    p.platform.startSucceeds = false;
    p.window.show();
    p.panel->LaunchButton->click();
    ASSERT_EQ(p.platform.messages.size(), 1u);
    EXPECT_EQ(p.platform.messages[0].title, "");
    EXPECT_EQ(p.platform.messages[0].style, msg::kOk);
    EXPECT_EQ(p.platform.messages[0].text,
              "Cannot execute! The command line was:\r\n" + p.launchLog());
    EXPECT_FALSE(p.state.launch.launchInProgress);
    EXPECT_TRUE(p.window.isVisible());
}

TEST(LaunchPanel, AFailedMinimisedStartBringsTheWindowBackAndSaysWhy) {
    Panel p(1);
    p.platform.executeStarts = true;
    const fs::path engine = p.root / "Bin/Korvath.exe";
    fs::permissions(engine, fs::perms::owner_read | fs::perms::owner_write);
    p.window.show();
    const std::string failed = "Cannot execute! The command line was:\r\n";
    p.panel->LaunchButton->click();
    EXPECT_FALSE(p.window.isMinimized());
    ASSERT_EQ(p.platform.messages.size(), 1u);
    EXPECT_EQ(p.platform.messages[0].text,
              failed + p.launchLog() + "\r\n" + engine.string() + " is not executable.");

    // A Windows engine where no wine can run it.
    writeFile(engine, "MZ windows program");
    const krv::test::TempDir noPrograms;
    const std::string path = std::getenv("PATH");
    ::setenv("PATH", noPrograms.path().c_str(), 1);
    p.panel->LaunchButton->click();
    ::setenv("PATH", path.c_str(), 1);
    EXPECT_FALSE(p.window.isMinimized());
    ASSERT_EQ(p.platform.messages.size(), 2u);
    EXPECT_EQ(p.platform.messages[1].text,
              failed + p.launchLog() +
                  "\r\nThe engine is a Windows program: install wine to run it.");
}

// The exit mode closes the window as a normal close does, whether or not
// the engine started.
TEST(LaunchPanel, ExitModeAsksTheHostToUnloadEvenWhenTheStartFailed) {
    for (const bool starts : {true, false}) {
        Panel p(2);
        p.platform.startSucceeds = starts;
        p.window.show();
        EXPECT_THROW(p.panel->LaunchButton->click(), ProcessEnded);
        EXPECT_EQ(p.host.unloads, 1);
        EXPECT_FALSE(p.window.isVisible());
        EXPECT_EQ(p.platform.messages.size(), starts ? 0u : 1u);
    }
}

// The preview names what a launch would stop with, but shows nothing and
// gives nothing back to the window; the launch itself does both.
TEST(LaunchPanel, ThePreviewNamesTheRefusalALaunchShows) {
    Panel p;
    p.host.maps = {""}; // a map list without a level
    EXPECT_EQ(p.panel->dryRunText(), " Wad error");
    p.host.maps = {"MAP01"};
    fs::remove(p.root / "Iwads/Doom2.wad");
    EXPECT_EQ(p.panel->dryRunText(), " Setup error");
    EXPECT_TRUE(p.platform.messages.empty());
    EXPECT_EQ(p.host.iwadDialogs, 0);
    EXPECT_TRUE(p.host.applied.empty());
    EXPECT_EQ(p.host.toControls, 0);
    EXPECT_EQ(p.host.toSettings, 1); // the controls are read for every composition

    p.panel->LaunchButtonClick();
    EXPECT_TRUE(p.platform.starts.empty());
    ASSERT_EQ(p.platform.messages.size(), 1u);
    EXPECT_EQ(p.platform.messages[0].title, " Setup error");
    EXPECT_EQ(p.host.iwadDialogs, 1);
    EXPECT_EQ(p.host.applied.size(), 1u);
    EXPECT_EQ(p.host.toControls, 1);
    EXPECT_EQ(p.host.toSettings, 2);
}

TEST(LaunchPanel, TheLogButtonsOpenExistingLogsOnly) {
    Panel p;
    writeFile(p.root / "korvath.OUT", "log");
    p.panel->openLogFile("edit.out"); // does not exist
    p.panel->openLogFile("Korvath.out");
    ASSERT_EQ(p.platform.starts.size(), 1u);
    EXPECT_EQ(p.platform.starts[0].commandLine,
              "notepad.exe \"" + (p.root / "korvath.OUT").string() + "\"");
}

TEST(LaunchPanel, ReadsTheEngineScreenModeIntoItsLabels) {
    Panel p;
    writeFile(p.root / "Bin/KRVres.out", "W 1280 x 1024 * 75 Hz\r\n");
    p.panel->GetCurrentRes();
    EXPECT_EQ(p.panel->ResLabel[1]->text(), "1280 x 1024 ");
    EXPECT_EQ(p.panel->ResLabel[2]->text(), "--- Windowed Mode ---");
    EXPECT_EQ(p.panel->ResLabel[3]->text(), "75 Hz");
}

TEST(LaunchPanel, SelButtonTogglesThePanelsAndWineKeepsTheCommandLine) {
    for (const bool wine : {false, true}) {
        Panel p(0, wine);
        p.window.show();
        LaunchPanel& l = *p.panel;
        EXPECT_EQ(l.FrameGlobal[0]->title(), "  Command Line  ");
        EXPECT_TRUE(l.FrameGlobal[1]->isVisible());
        l.SelButton->click();
        EXPECT_EQ(p.state.settings.selButtonMode, wine ? 1 : 2);
        EXPECT_EQ(l.FrameGlobal[0]->title(), wine ? "  Command Line  " : "  KRV Edit  ");
        EXPECT_EQ(l.FrameGlobal[2]->isVisible(), !wine);
        EXPECT_EQ(l.FrameGlobal[1]->isVisible(), wine);
        l.SelButton->click();
        EXPECT_EQ(p.state.settings.selButtonMode, 1);
    }
}

TEST(LaunchPanel, AStoredEditModeShowsTheEditPanel) {
    Panel p;
    p.state.settings.selButtonMode = 2;
    p.panel->SelectStartupOptions();
    p.window.show();
    EXPECT_EQ(p.panel->FrameGlobal[0]->title(), "  KRV Edit  ");
    EXPECT_TRUE(p.panel->FrameGlobal[2]->isVisible());
    EXPECT_FALSE(p.panel->FrameGlobal[1]->isVisible());
}
