// Launching from the main window: the Doom games view's maps listed by the
// real inspection tool, the stand-in engine started for real, and the
// launch tail's log, messages and launch modes.
#include "main_form_fixture.h"

#include "launcher/launch/launch_controls.h"

#include "launcher/platform/command_line.h"
#include "launcher/ui/tex_form.h"
#include "support/savegame_builder.h"
#include "support/wad_builder.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>

using krv::test::WadBuilder;

namespace {

// A window over a root with the real tools and a Doom II IWAD of two maps.
struct LaunchWindow : Window {
    explicit LaunchWindow(
        int launchMode,
        std::string iwad = WadBuilder("IWAD").level("MAP01").level("MAP02").build()) {
        root.installTools();
        writeFile(root / "Iwads/Doom2.wad", iwad);
        Settings s;
        s.launchMode = launchMode;
        writeFile(root.configFile(), configText(s));
    }
    std::string launchLog() const {
        const auto lines = krv::readTextLines(root / "KRVLaunch/launch.log").lines;
        return lines.size() == 1 ? lines[0] : std::string("(not one line)");
    }
};

// The stand-in engine writes its log when it runs, detached from the test.
std::vector<std::string> engineLog(const InstallRoot& root) {
    const fs::path log = root / "standin-engine.log";
    for (int i = 0; i < 200 && !fs::exists(log); ++i)
        QThread::msleep(25);
    QThread::msleep(50); // let it finish writing
    return krv::readTextLines(log).lines;
}

} // namespace

TEST(MainFormLaunch, StartsTheEngineInTheRootWithTheComposedLineAndLogsIt) {
    LaunchWindow w(0);
    w.platform.executeStarts = true;
    w.load();
    MainForm& f = *w.form;
    ASSERT_EQ(krv::test::currentText(named<QAbstractItemView>(f, "PwadList")), "DOOM II");
    EXPECT_EQ(entries(named<QAbstractItemView>(f, "MapList")),
              (std::vector<std::string>{"MAP01", "MAP02"}));

    named<QPushButton>(f, "LaunchButton")->click();
    ASSERT_EQ(w.platform.starts.size(), 1u);
    const std::string line = w.platform.starts[0].commandLine;
    EXPECT_EQ(w.platform.starts[0].workingFolder, w.root.root());
    EXPECT_EQ(line.rfind("Bin\\Korvath ", 0), 0u) << line;
    EXPECT_EQ(w.launchLog(), line);
    EXPECT_TRUE(w.state.session.launch.launchInProgress);
    EXPECT_FALSE(f.isMinimized());

    // The engine saw the root as its folder and the line's words as its
    // arguments, the IWAD's path among them intact.
    const auto seen = engineLog(w.root);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(fs::canonical(seen[0]), fs::canonical(w.root.root()));
    const std::vector<std::string> arguments(seen.begin() + 1, seen.end());
    EXPECT_EQ(arguments, krv::splitCommandLine(line.substr(std::string("Bin\\Korvath ").size())));
    // The engine finds an IWAD in the root's Iwads folder by its name.
    EXPECT_NE(std::find(arguments.begin(), arguments.end(), "-Doom2"), arguments.end());
    // Packs this installation lacks are not named.
    for (const char* pack : {"-am", "-data", "-fp", "-spz"})
        EXPECT_EQ(std::find(arguments.begin(), arguments.end(), pack), arguments.end()) << pack;
}

TEST(MainFormLaunch, AnIwadElsewhereGoesByItsFullPathBlanksAndAllIntact) {
    LaunchWindow w(0);
    fs::remove(w.root / "Iwads/Doom2.wad");
    const fs::path elsewhere = w.root / "My Games & Mods/Doom2.wad";
    writeFile(elsewhere, WadBuilder("IWAD").level("MAP01").build());
    writeFile(w.root / "KRVLaunch/Data/iwads.cfg", elsewhere.string() + "\r\n");
    w.platform.executeStarts = true;
    w.load();
    named<QPushButton>(*w.form, "LaunchButton")->click();
    const auto seen = engineLog(w.root);
    const auto iwad = std::find(seen.begin(), seen.end(), "-iwad");
    ASSERT_NE(iwad, seen.end());
    ASSERT_NE(iwad + 1, seen.end());
    EXPECT_EQ(*(iwad + 1), elsewhere.string());
}

TEST(MainFormLaunch, AMinimisedLaunchMinimisesAndTheReturnRefreshes) {
    LaunchWindow w(1);
    w.load();
    named<QPushButton>(*w.form, "LaunchButton")->click();
    ASSERT_EQ(w.platform.starts.size(), 1u);
    EXPECT_TRUE(w.form->isMinimized());
    writeFile(w.root / "Bin/KRVres.out", "F 1600 x 900 * 60 Hz\r\n");
    w.form->showNormal();
    EXPECT_FALSE(w.state.session.launch.launchInProgress);
    EXPECT_EQ(named<QLabel>(*w.form, "ResLabel", 1)->text(), "1600 x 900 ");
    EXPECT_EQ(w.state.session.maps.count(), 2); // the selection ran again
}

// A saved game brought back in the Doom games view is loaded by Launch.
TEST(MainFormLaunch, ARestoredSavedGameOfAnIwadIsLoaded) {
    LaunchWindow w(0);
    writeFile(w.root / "UserSG/doom2/savegame/KorvathSav3.krvsg",
              krv::test::packedSaveGame("Refinery"));
    Settings s;
    s.launchMode = 0;
    s.rememberLastSavegame = true;
    writeFile(w.root.configFile(), configText(s));
    w.load();
    MainForm& f = *w.form;
    auto* saves = named<QAbstractItemView>(f, "SaveGameList");
    ASSERT_EQ(entries(saves).size(), 1u);
    krv::test::clickRow(saves, 0);
    f.library().ShowView(LibraryController::DoomGames); // as the next start restores it
    EXPECT_TRUE(w.state.session.gameSelection.savedGameRestored);
    EXPECT_EQ(w.state.session.maps.count(), 2);
    EXPECT_TRUE(named<QPushButton>(f, "LaunchButton")->isEnabled());
    named<QPushButton>(f, "LaunchButton")->click();
    EXPECT_TRUE(w.platform.messages.empty());
    ASSERT_EQ(w.platform.starts.size(), 1u);
    EXPECT_NE(w.platform.starts[0].commandLine.find("-loadgame 3 "), std::string::npos)
        << w.platform.starts[0].commandLine;
}

TEST(MainFormLaunch, ExitModeEndsTheLauncherAfterSavingEvenWhenTheStartFailed) {
    for (const bool starts : {true, false}) {
        LaunchWindow w(2);
        w.platform.startSucceeds = starts;
        w.load();
        named<QRadioButton>(*w.form, "ExitOption", 2)->click();
        // The controller's handler rather than the button: an exception thrown
        // through Qt's click would skip Qt's own clean-up.
        EXPECT_THROW(w.form->launch().LaunchButtonClick(), ProcessEnded);
        EXPECT_EQ(w.platform.messages.size(), starts ? 0u : 1u);
        ASSERT_TRUE(fs::exists(w.root.configFile()));
        EXPECT_EQ(w.config().at(52), "2");
    }
}

TEST(MainFormLaunch, AGameWithoutLevelsIsRefusedWithAWadError) {
    LaunchWindow w(0, WadBuilder("IWAD").lump("PLAYPAL", "x").build());
    w.load();
    EXPECT_EQ(w.state.session.maps.count(), 0);
    EXPECT_FALSE(named<QPushButton>(*w.form, "LaunchButton")->isEnabled());
    named<QPushButton>(*w.form, "LaunchButton")->click();
    EXPECT_TRUE(w.platform.messages.empty());
    // The Launch action itself refuses a game without levels.
    w.form->launch().LaunchButtonClick();
    EXPECT_TRUE(w.platform.starts.empty());
    ASSERT_EQ(w.platform.messages.size(), 1u);
    EXPECT_EQ(w.platform.messages[0].title, " Wad error");
    EXPECT_EQ(w.platform.messages[0].text, "The doom2.wad contains no levels.    ");
    EXPECT_EQ(w.platform.messages[0].style, msg::kInformation);
}

TEST(MainFormShortcut, ALaunchSavedAsShortcutsStartsNothing) {
    LaunchWindow w(0);
    w.platform.specialFolders[SpecialFolder::Desktop] = (w.root / "Desktop").string();
    w.platform.specialFolders[SpecialFolder::StartMenuPrograms] = (w.root / "Programs").string();
    w.load();
    w.state.session.maps.setCurrentRow(1);
    ShortcutRequest request;
    request.desktop = true;
    request.mapInName = true;
    w.form->library().CreateShortcutWith(request);
    EXPECT_TRUE(w.platform.starts.empty());
    ASSERT_EQ(w.platform.shortcuts.size(), 1u);
    const ShortcutLink& link = w.platform.shortcuts[0];
    EXPECT_EQ(link.file, (w.root / "Desktop/Korvath Shortcuts/Doom2 - Map02").string());
    EXPECT_TRUE(fs::is_directory(w.root / "Desktop/Korvath Shortcuts"));
    EXPECT_EQ(fs::path(link.target).filename(), "Korvath.exe");
    EXPECT_EQ(link.workingDirectory, w.root.root());
    EXPECT_EQ(link.arguments.rfind("-Doom2 ", 0), 0u) << link.arguments;
    EXPECT_FALSE(w.state.session.launch.launchInProgress);

    request.startMenu = true;
    w.form->library().CreateShortcutWith(request);
    EXPECT_EQ(w.platform.shortcuts.size(), 3u); // one in each folder
}

TEST(MainFormShortcut, TheModelPackCleanupAsksOnceAndRemovesThePacks) {
    Window w;
    writeFile(w.root / "Md2/HudWeapons/SuperShotgun/db-shells.md2", "the base pack");
    w.load();
    w.platform.confirmAnswers.push_back(false);
    w.form->options().CleanupModelPacksConfirmed();
    EXPECT_TRUE(fs::exists(w.root / "Md2/HudWeapons/SuperShotgun/db-shells.md2"));
    w.platform.confirmAnswers.push_back(true);
    w.form->options().CleanupModelPacksConfirmed();
    EXPECT_FALSE(fs::exists(w.root / "Md2/HudWeapons/SuperShotgun/db-shells.md2"));
    EXPECT_EQ(w.platform.messages.back().title, " Cleanup Completed");
    EXPECT_FALSE(w.state.session.content.modelPack1);
}

// The preview line shows what Launch then writes to launch.log, for many
// random choices of options, map, custom text and view; a refused launch
// shows the refusal's title instead.
TEST(CommandLinePreview, MatchesTheLaunchLogForRandomSettings) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE(seed);
        LaunchWindow w(0);
        w.load();
        MainForm& f = *w.form;
        unsigned state = seed * 2654435761u;
        const auto next = [&state] { return (state = state * 1664525u + 1013904223u) >> 16; };
        for (QCheckBox* box : f.findChildren<QCheckBox*>())
            if (box->isEnabled() && box != named<QCheckBox>(f, "chkMain", 2) && next() % 3 == 0)
                box->click();
        w.state.session.maps.setCurrentRow(static_cast<int>(next() % 2));
        w.state.session.controls.setText(ids::edCustom, next() % 2 ? "-warp 1 -nosound" : "");
        QApplication::processEvents();
        const std::string preview = named<QLineEdit>(f, "PreviewLine")->text().toStdString();
        ASSERT_FALSE(preview.empty());
        const std::size_t shown = w.platform.messages.size();
        named<QPushButton>(f, "LaunchButton")->click();
        if (w.platform.starts.empty()) {
            ASSERT_GT(w.platform.messages.size(), shown);
            EXPECT_EQ(preview, w.platform.messages.back().title);
        } else {
            EXPECT_EQ(preview, w.launchLog());
        }
    }
}

// The texture dialog closed on a typed folder that fails the check: the file
// and the memory both forget the old folder, so the command line no longer
// passes it, and the dialog opens again on why no folder is usable.
TEST(MainFormLaunch, AnUnusableTypedTextureFolderIsForgottenEverywhere) {
    LaunchWindow w(0);
    const std::string old = (w.root / "Old Hires").string();
    fs::create_directories(old + "/Textures");
    const fs::path file = w.root / "KRVLaunch/Data/texpath.krv";
    writeFile(file, old + "\r\n");
    w.load();
    MainForm& f = *w.form;
    EXPECT_NE(f.launch().previewText().find("-td \"" + old + "\""), std::string::npos)
        << f.launch().previewText();
    {
        TexForm dialog(w.state.session.settings, w.state.paths, w.state.font, w.platform,
                       w.state.session.texFormFolderText, w.form.get());
        dialog.HiResText->setText("/typed/nowhere");
        dialog.OKButton->click();
    }
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(f.launch().previewText().find("-td "), std::string::npos) << f.launch().previewText();
    TexForm again(w.state.session.settings, w.state.paths, w.state.font, w.platform,
                  w.state.session.texFormFolderText, w.form.get());
    EXPECT_EQ(again.HiResText->text(), "Not installed or the specified path is invalid");
    again.OKButton->click();
    EXPECT_FALSE(fs::exists(file));
}
