#include "launcher/platform/scripted_platform.h"
#include "launcher/startup/entry_routine.h"
#include "support/install_root.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>

using namespace krv;
using krv::test::InstallRoot;
using krv::test::writeFile;
namespace fs = std::filesystem;

namespace {

// Records what the entry routine asked of the windows.
struct FakeWindows : LauncherWindows {
    std::vector<std::string> calls;
    std::function<void()> onLoad;
    bool configExistedAtLoad = false;
    std::string configPath;

    void loadMainWindow() override {
        calls.push_back("load");
        configExistedAtLoad = fs::exists(configPath);
        if (onLoad)
            onLoad();
    }
    void showMainWindow() override { calls.push_back("show"); }
    void finishMainWindow() override { calls.push_back("finish"); }
    void showTipOfTheDay() override { calls.push_back("tip"); }
    void unloadAllWindows() override { calls.push_back("unload"); }
};

struct Start {
    InstallRoot root;
    AppState state;
    ScriptedPlatform platform;
    FakeWindows windows;
    EntryRoutine entry{state, platform};
    std::optional<int> exitCode;

    Start() {
        windows.configPath = root.configFile();
        entry.setWindows(&windows);
    }
    // Runs the entry routine; records the exit code when it ends the process.
    void run(const std::string& commandLine = "") {
        try {
            entry.run(root.launcherExe(), commandLine);
        } catch (const ProcessEnded& e) {
            exitCode = e.exitCode;
        }
    }
};

const std::string kUacTitle = "Restricted Window's User Account Control";

} // namespace

// Whether the player's guide, as page and as plain text, quotes every line
// of a message exactly as the launcher shows it.
static bool guideAnswers(const std::string& message) {
    const std::string guides[] = {krv::test::readFile(KRV_DOCS_DIR "/Launcher guide.htm"),
                                  krv::test::readFile(KRV_DOCS_DIR "/Launcher guide.txt")};
    for (const std::string& guide : guides) {
        std::size_t start = 0;
        while (start <= message.size()) {
            const std::size_t end = std::min(message.find("\r\n", start), message.size());
            if (guide.find(message.substr(start, end - start)) == std::string::npos)
                return false;
            start = end + 2;
        }
    }
    return true;
}

TEST(EntryRoutine, StartsAndShowsTheMainWindowOnAGoodInstallation) {
    Start s;
    s.run();
    EXPECT_FALSE(s.exitCode);
    EXPECT_TRUE(s.platform.messages.empty());
    EXPECT_EQ(s.windows.calls, (std::vector<std::string>{"load", "show", "finish", "tip"}));
    EXPECT_EQ(s.state.startup.windowCaption, "KRVLauncher v9.1  and  Korvath v2.2");
    EXPECT_EQ(s.platform.registeredCaption, s.state.startup.windowCaption);
    EXPECT_EQ(fs::current_path(), fs::path(s.root.root()));
    EXPECT_EQ(s.state.paths.gamesFolder, s.root.root() + "/KRVGames/");
    EXPECT_EQ(s.state.paths.archivesFolder, s.root.root() + "/KRVArchives");
    EXPECT_FALSE(fs::exists(s.root / "KRVLaunch/Admin")); // the probe cleans up
}

TEST(EntryRoutine, ReportsTheFirstMissingFileInCheckOrder) {
    struct Case {
        std::vector<const char*> missing;
        std::string reported;
    };
    const std::vector<Case> cases = {
        {{"Bin/fmodex.dll", "Bin/unzip32.dll"}, "unzip32.dll"},
        {{"Bin/fmodex.dll"}, "fmodex.dll"},
        {{"Bin/KRVgFiles.exe", "Bin/Korvath.exe"}, "Korvath.exe"},
        {{"Bin/KRVgFiles.exe"}, "KRVgFiles.exe"},
    };
    for (const auto& c : cases) {
        Start s;
        for (const char* file : c.missing)
            fs::remove(s.root / file);
        s.run();
        ASSERT_EQ(s.exitCode, 1);
        ASSERT_EQ(s.platform.messages.size(), 1u);
        EXPECT_EQ(s.platform.messages[0].title, "Startup error");
        EXPECT_EQ(s.platform.messages[0].text,
                  c.reported + " has not been detected - re-install Korvath.    ");
        EXPECT_EQ(s.platform.messages[0].style, msg::kSystemModal);
        EXPECT_EQ(s.windows.calls, std::vector<std::string>{"unload"});
        EXPECT_TRUE(s.state.startup.closing);
        EXPECT_TRUE(guideAnswers(s.platform.messages[0].text)) << c.reported;
    }
}

TEST(EntryRoutine, TheGuideAnswersEveryStartupErrorMessage) {
    for (const auto kind : {StartupErrorKind::AccessDenied, StartupErrorKind::MissingComponent,
                            StartupErrorKind::Unknown}) {
        const StartupMessage message = startupErrorMessage(kind);
        EXPECT_TRUE(guideAnswers(message.text)) << message.title;
        EXPECT_TRUE(guideAnswers(message.title)) << message.title;
    }
}

TEST(EntryRoutine, FindsTheInstallationFilesWithoutRegardToCase) {
    Start s;
    fs::rename(s.root / "Bin/Korvath.exe", s.root / "Bin/KORVATH.EXE");
    fs::rename(s.root / "Bin/fmodex.dll", s.root / "Bin/FModEx.dll");
    s.run();
    EXPECT_FALSE(s.exitCode);
}

TEST(EntryRoutine, ChecksTheSettingsVersionWithoutRegardToCase) {
    {
        Start s;
        writeFile(s.root.configFile(), "V9.1\r\n2\r\n");
        s.run();
        EXPECT_TRUE(s.windows.configExistedAtLoad);
        EXPECT_FALSE(s.state.startup.settingsReset);
    }
    {
        Start s; // an older version's file is gone before the window loads
        writeFile(s.root.configFile(), "v9.0\r\n2\r\n");
        s.run();
        EXPECT_FALSE(s.windows.configExistedAtLoad);
        EXPECT_TRUE(s.state.startup.settingsReset);
        EXPECT_FALSE(s.state.startup.settingsCorrupt);
    }
    {
        Start s; // an empty file is corrupt: same reset, corrupt wording
        writeFile(s.root.configFile(), "");
        s.run();
        EXPECT_FALSE(s.exitCode);
        EXPECT_FALSE(s.windows.configExistedAtLoad);
        EXPECT_TRUE(s.state.startup.settingsReset);
        EXPECT_TRUE(s.state.startup.settingsCorrupt);
    }
    {
        Start s; // binary junk is another version
        writeFile(s.root.configFile(), std::string("\x00\xff\x13junk\r\n", 9));
        s.run();
        EXPECT_FALSE(s.windows.configExistedAtLoad);
        EXPECT_TRUE(s.state.startup.settingsReset);
    }
}

TEST(EntryRoutine, ReadsTheEngineVersionText) {
    {
        Start s;
        writeFile(s.root / "KRVLaunch/Data/Version.krv", "Korvath v3.0 beta\r\nsecond\r\n");
        s.run();
        EXPECT_EQ(s.state.startup.windowCaption, "KRVLauncher v9.1  and  Korvath v3.0 beta");
    }
    {
        Start s; // an empty file counts as missing, and the settings survive
        writeFile(s.root / "KRVLaunch/Data/version.krv", "");
        writeFile(s.root.configFile(), "v9.1\r\n");
        s.run();
        EXPECT_EQ(s.state.startup.engineVersion, "Korvath v2.2");
        EXPECT_FALSE(s.state.startup.settingsReset);
    }
    {
        Start s; // unreadable: the access message ends the start
        fs::create_directories(s.root / "KRVLaunch/Data/version.krv");
        s.run();
        EXPECT_EQ(s.exitCode, 1);
        ASSERT_EQ(s.platform.messages.size(), 1u);
        EXPECT_EQ(s.platform.messages[0].title, kUacTitle);
    }
}

// Start-up files that are no regular file count as missing: the start
// neither blocks on a FIFO nor reads a device, and ends on the defaults.
TEST(EntryRoutine, StartsOnDefaultsWhenItsFilesAreFifosDevicesOrBrokenLinks) {
    Start s;
    const fs::path launch = s.root / "KRVLaunch";
    fs::remove(s.root.configFile());
    ASSERT_EQ(::mkfifo(s.root.configFile().c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", launch / "font.krv");
    fs::create_symlink(launch / "Data/loop", launch / "Data/version.krv");
    fs::create_symlink(launch / "Data/version.krv", launch / "Data/loop");
    s.run();
    EXPECT_FALSE(s.exitCode);
    EXPECT_TRUE(s.platform.messages.empty());
    EXPECT_EQ(s.windows.calls, (std::vector<std::string>{"load", "show", "finish", "tip"}));
    EXPECT_EQ(s.state.startup.engineVersion, "Korvath v2.2");
    EXPECT_FALSE(s.state.font.isSet());

    Start dangling; // a version link to nothing and a binary first line
    fs::create_symlink(dangling.root / "gone", dangling.root / "KRVLaunch/Data/version.krv");
    dangling.run();
    EXPECT_EQ(dangling.state.startup.engineVersion, "Korvath v2.2");
    Start binary;
    writeFile(binary.root / "KRVLaunch/Data/version.krv",
              std::string("Korvath\x01\x1b[2J v3") + std::string(100000, 'x'));
    binary.run();
    EXPECT_EQ(binary.state.startup.engineVersion.find_first_of("\x01\x1b"), std::string::npos);
    EXPECT_LE(binary.state.startup.engineVersion.size(), 64u);
}

TEST(EntryRoutine, AFailedWriteProbeEndsTheStartBeforeTheFileCheck) {
    Start s;
    writeFile(s.root / "KRVLaunch/Admin", "a file blocks the probe folder");
    fs::remove(s.root / "Bin/Korvath.exe");
    s.run();
    EXPECT_EQ(s.exitCode, 1);
    ASSERT_EQ(s.platform.messages.size(), 1u);
    const auto& m = s.platform.messages[0];
    EXPECT_EQ(m.title, kUacTitle);
    EXPECT_EQ(m.text,
              "   You appear to have restricted access with this user account, Korvath        \r\n"
              "    requires a UAC with a higher privilege level before it will run.");
    EXPECT_EQ(m.style, msg::kExclamation);
    EXPECT_TRUE(s.windows.calls.empty());
}

TEST(EntryRoutine, ComparesTheWholeCommandLine) {
    struct Case {
        std::string line;
        bool wine;
        bool restart;
    };
    for (const Case& c :
         {Case{"/wine", true, false}, Case{"/WINE", true, false}, Case{"/Restart", false, true},
          Case{"/WINE /RESTART", false, false}, Case{"", false, false}}) {
        Start s;
        s.run(c.line);
        EXPECT_EQ(s.state.startup.wineMode, c.wine) << c.line;
        EXPECT_EQ(s.state.startup.restartArgument, c.restart) << c.line;
    }
}

TEST(EntryRoutine, ASecondCopyActivatesTheFirstAndEnds) {
    Start s;
    s.platform.runningCopyExists = true;
    s.run();
    EXPECT_EQ(s.exitCode, 0);
    EXPECT_EQ(s.platform.activatedCaptions,
              std::vector<std::string>{"KRVLauncher v9.1  and  Korvath v2.2"});
    EXPECT_TRUE(s.windows.calls.empty());
    EXPECT_TRUE(s.platform.messages.empty());

    Start restarted; // a restart skips the test and starts in full
    restarted.platform.runningCopyExists = true;
    restarted.run("/RESTART");
    EXPECT_FALSE(restarted.exitCode);
    EXPECT_TRUE(restarted.platform.activatedCaptions.empty());
    EXPECT_EQ(restarted.windows.calls.front(), "load");
}

TEST(EntryRoutine, MapsErrorsDuringTheLoadToTheirMessages) {
    struct Case {
        std::function<void()> raise;
        std::string title;
        std::string text;
        int style;
    };
    const std::vector<Case> cases = {
        {[] { throw StartupError(StartupErrorKind::MissingComponent, "module"); },
         "Installation error",
         "   Unable to run the KRVlauncher due to missing or unregistered       \r\n"
         "   dependencies, re-install the program using the Korvath setup.",
         msg::kCritical},
        {[] { throw std::runtime_error("anything"); }, "Unknown Error",
         "   Unable to run the KRVlauncher due to unknown error      \r\n"
         "  please report error to the Korvath development team.",
         msg::kCritical},
        {[] { throw StartupError(StartupErrorKind::AccessDenied, "config"); }, kUacTitle,
         startupErrorMessage(StartupErrorKind::AccessDenied).text, msg::kExclamation},
    };
    for (const auto& c : cases) {
        Start s;
        s.windows.onLoad = c.raise;
        s.run();
        EXPECT_EQ(s.exitCode, 1);
        ASSERT_EQ(s.platform.messages.size(), 1u);
        EXPECT_EQ(s.platform.messages[0].title, c.title);
        EXPECT_EQ(s.platform.messages[0].text, c.text);
        EXPECT_EQ(s.platform.messages[0].style, c.style);
    }
}

TEST(EntryRoutine, ASettingsFileInUseDuringTheLoadIsResetAndTheStartGoesOn) {
    Start s;
    writeFile(s.root.configFile(), "v9.1\r\n");
    s.windows.onLoad = [] { throw StartupError(StartupErrorKind::FileInUse, "config.krv"); };
    s.run();
    EXPECT_FALSE(s.exitCode);
    EXPECT_TRUE(s.state.startup.settingsReset);
    EXPECT_TRUE(s.state.startup.settingsCorrupt);
    EXPECT_FALSE(fs::exists(s.root.configFile())); // deleted after the load
    EXPECT_EQ(s.windows.calls, (std::vector<std::string>{"load", "show", "finish", "tip"}));
}

TEST(EntryRoutine, ShowsTheTipOnlyWhenItsSettingIsOn) {
    Start s;
    s.windows.onLoad = [&] { s.state.session.settings.tipOfTheDay = false; };
    s.run();
    EXPECT_EQ(s.windows.calls, (std::vector<std::string>{"load", "show", "finish"}));
}

TEST(EntryRoutine, RestartStartsANewCopyThenShutsDown) {
    Start s;
    s.run();
    try {
        s.entry.restart();
        FAIL() << "restart returned";
    } catch (const ProcessEnded& e) {
        EXPECT_EQ(e.exitCode, 0);
    }
    ASSERT_EQ(s.platform.starts.size(), 1u);
    EXPECT_EQ(s.platform.starts[0].commandLine,
              "\"" + s.root.root() + "/bin/KRVlauncher.exe\" /RESTART");
    EXPECT_EQ(s.windows.calls.back(), "unload");
}

TEST(EntryRoutine, AConfigurationErrorDeletesTheFileTellsAndRestarts) {
    Start s;
    s.run();
    writeFile(s.root.configFile(), "v9.1\r\nyes\r\n");
    EXPECT_THROW(s.entry.resetSettingsAndRestart(), ProcessEnded);
    EXPECT_FALSE(fs::exists(s.root.configFile()));
    EXPECT_TRUE(s.state.startup.settingsReset);
    ASSERT_EQ(s.platform.messages.size(), 1u);
    EXPECT_EQ(s.platform.messages[0].title, " Configuration error detected");
    EXPECT_EQ(s.platform.messages[0].text,
              " The Launcher has detected a configuration error, the default  \r\n"
              " settings will be reset, please reconfigure launcher settings. ");
    EXPECT_EQ(s.platform.messages[0].style, msg::kSystemModal);
    ASSERT_EQ(s.platform.starts.size(), 1u);
    EXPECT_NE(s.platform.starts[0].commandLine.find("/RESTART"), std::string::npos);
}
