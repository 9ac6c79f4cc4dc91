// The games library on the session model, without widgets, over a generated
// library: the games menu and the game files menu, installing levels (chosen
// or dropped), the zip library's commands, what a selection lists and the
// task menus' entries. The real inspection tool and extraction module run.
#include "launcher/library/install_copy.h"
#include "launcher/library/zip_library.h"
#include "session_rig.h"
#include "support/ordinary_user.h"
#include "support/savegame_builder.h"
#include "support/small_file_system.h"
#include "support/wad_builder.h"
#include "support/zip_builder.h"

#include "common/text_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>

using namespace krv;
using krv::test::WadBuilder;
using krv::test::writeFile;
using krv::test::ZipBuilder;
namespace fs = std::filesystem;

namespace {

// The session over a root that holds the built tools. Files go into the
// root before `load`, which stores `stored` and shows the view it names, as
// the window's load does.
struct Library : test::SessionRig {
    Settings stored;

    explicit Library(int view = LibraryController::InstalledGames, bool advanced = false) {
        root.installTools();
        stored.gamesListView = view;
        stored.advancedOptions = advanced;
    }
    void load() {
        store(stored);
        SessionRig::load();
    }
    LibraryController& library() { return s().library(); }
    std::string current() const { return state.session.games.currentText(); }
    void answer(int result) { platform.messageAnswers.push_back(result); }
    void answerName(const std::string& name) { platform.nameAnswers.push_back({name, false}); }
};

// The player's choice of an entry, by its text.
void selectEntry(ListState& list, const std::string& name) {
    const std::vector<std::string> all = list.texts();
    const auto it = std::find(all.begin(), all.end(), name);
    ASSERT_NE(it, all.end()) << name;
    list.setCurrentRow(static_cast<int>(it - all.begin()));
}

// ---- The games menu and the game files menu --------------------------------------

// A manual game with its patch and an auto-loading game of two wads.
struct Games : Library {
    fs::path desktop;
    Games() {
        const std::string wad = WadBuilder().mapLevels(2).build();
        writeFile(root / "KRVGames/Castle/Pwads/castle.wad", wad);
        writeFile(root / "KRVGames/Castle/Pwads/castle.deh", "patch");
        writeFile(root / "KRVGames/Hell/Gwads/hell.wad", wad);
        writeFile(root / "KRVGames/Hell/Gwads/bonus.wad", wad);
        desktop = root / "Desktop";
        platform.specialFolders[SpecialFolder::Desktop] = desktop.string();
    }
    void select(const std::string& name) { selectEntry(state.session.games, name); }
    void selectFile(const std::string& name) { selectEntry(state.session.gameFiles, name); }
};

} // namespace

TEST(GameMenus, UninstallRemovesTheGameWithWhatBelongsToItButKeepsSavedGames) {
    Games w;
    writeFile(w.root / "Md2/castle/model.md2", "m");
    writeFile(w.root / "KRVAnFiles/CASTLE_map01.gwa", "n");
    writeFile(w.root / "gwa/castle.gwa", "n");
    writeFile(w.root / "gwa/other.gwa", "n");
    writeFile(w.root / "KRVLaunch/GameInfo/Pwads/castle.krvm", "MAP02\r\n");
    writeFile(w.root / "UserSG/Castle/savegame/KorvathSav0.krvsg", "s");
    writeFile(w.desktop / "Korvath Shortcuts/Castle.desktop", "x");
    w.load();
    ASSERT_EQ(w.state.session.gameFiles.currentText(), "castle.wad");
    w.answer(msg::kResultNo);
    w.library().UninstallGame();
    EXPECT_TRUE(fs::exists(w.root / "KRVGames/Castle"));

    w.answer(msg::kResultYes);
    w.library().UninstallGame();
    EXPECT_EQ(w.platform.messages.back().title, " Remove selected game from list ");
    EXPECT_FALSE(fs::exists(w.root / "KRVGames/Castle"));
    EXPECT_FALSE(fs::exists(w.root / "Md2/castle"));
    EXPECT_FALSE(fs::exists(w.root / "KRVAnFiles/CASTLE_map01.gwa"));
    EXPECT_FALSE(fs::exists(w.root / "gwa/castle.gwa"));
    EXPECT_TRUE(fs::exists(w.root / "gwa/other.gwa"));
    EXPECT_FALSE(fs::exists(w.root / "KRVLaunch/GameInfo/Pwads/castle.krvm"));
    EXPECT_FALSE(fs::exists(w.desktop / "Korvath Shortcuts/Castle.desktop"));
    EXPECT_TRUE(fs::exists(w.root / "UserSG/Castle/savegame/KorvathSav0.krvsg"));
    EXPECT_EQ(w.state.session.games.texts(), (std::vector<std::string>{"HELL"}));
}

TEST(GameMenus, AGameInUseIsNotRemoved) {
    Games w;
    w.load();
    const int fd = ::open((w.root / "KRVGames/Castle/Pwads/castle.wad").c_str(), O_RDWR);
    ::flock(fd, LOCK_EX);
    w.answer(msg::kResultYes);
    w.library().UninstallGame();
    ::close(fd);
    EXPECT_EQ(w.platform.messages.back().title, " Access error");
    EXPECT_TRUE(fs::exists(w.root / "KRVGames/Castle/Pwads/castle.wad"));
}

TEST(GameMenus, RenameRefusesDuplicatesAndIllegalNamesAndForgetsTheRecords) {
    Games w;
    writeFile(w.root / "KRVLaunch/GameInfo/Pwads/castle.krvm", "MAP02\r\n");
    w.load();
    w.platform.nameAnswers.push_back({"hell", false});
    w.library().RenameGame();
    EXPECT_EQ(w.platform.namePrompts.back().windowCaption, " Rename Game");
    EXPECT_EQ(w.platform.namePrompts.back().initialText, "Castle");
    EXPECT_EQ(w.platform.messages.back().title, " Duplicate name error");
    // A quote would split the inspection tool's command line; a line break
    // the records: both are refused like a path.
    for (const char* name : {"../Castle2", "Say \"hi\"", "two\r\nlines"}) {
        const std::size_t shown = w.platform.messages.size();
        w.platform.nameAnswers.push_back({name, false});
        w.library().RenameGame();
        ASSERT_EQ(w.platform.messages.size(), shown + 1) << name;
        EXPECT_EQ(w.platform.messages.back().title, " Renaming error") << name;
        EXPECT_TRUE(fs::exists(w.root / "KRVGames/Castle")) << name;
    }

    w.platform.nameAnswers.push_back({"Fortress", false});
    w.library().RenameGame();
    EXPECT_TRUE(fs::exists(w.root / "KRVGames/Fortress/Pwads/castle.wad"));
    EXPECT_FALSE(fs::exists(w.root / "KRVLaunch/GameInfo/Pwads/castle.krvm"));
    EXPECT_EQ(w.current(), "FORTRESS");
}

TEST(GameMenus, ConversionsMoveTheFilesBetweenPwadsAndGwads) {
    Games w;
    writeFile(w.root / "KRVLaunch/GameInfo/Pwads/castle.krvm", "MAP02\r\n");
    w.load();
    w.library().ConvertToAuto();
    EXPECT_TRUE(fs::exists(w.root / "KRVGames/Castle/Gwads/castle.wad"));
    EXPECT_TRUE(fs::exists(w.root / "KRVGames/Castle/Gwads/castle.deh"));
    EXPECT_FALSE(fs::exists(w.root / "KRVGames/Castle/Pwads"));
    EXPECT_FALSE(fs::exists(w.root / "KRVLaunch/GameInfo/Pwads/castle.krvm"));
    EXPECT_TRUE(w.platform.messages.empty()); // no question for this way

    // Back again: two wads ask nothing; the auto-loading records go.
    w.library().ConvertToManual();
    EXPECT_TRUE(fs::exists(w.root / "KRVGames/Castle/Pwads/castle.wad"));
    EXPECT_FALSE(fs::exists(w.root / "KRVGames/Castle/Gwads"));
    EXPECT_FALSE(fs::exists(w.root / "KRVLaunch/GameInfo/Gwads/castle.krvg"));
    EXPECT_TRUE(w.platform.messages.empty());
}

TEST(GameMenus, AUserDirectoryOfManyWadsAsksBeforeBecomingManual) {
    Games w;
    for (const char* wad : {"c.wad", "d.wad"})
        writeFile(w.root / "KRVGames/Hell/Gwads" / wad, WadBuilder().mapLevels(1).build());
    w.load();
    w.select("HELL");
    w.answer(msg::kResultNo);
    w.library().ConvertToManual();
    EXPECT_EQ(w.platform.messages.back().title, " User Directory Conversion");
    EXPECT_TRUE(fs::exists(w.root / "KRVGames/Hell/Gwads/hell.wad"));
}

TEST(GameMenus, DeletingAFileOfAUserDirectoryKeepsTheGame) {
    Games w;
    writeFile(w.root / "KRVLaunch/GameInfo/Save/Gwads/hell/bonus.krvs", "1\r\n");
    w.load();
    w.select("HELL");
    w.selectFile("bonus.wad");
    w.answer(msg::kResultYes);
    w.library().DeleteGameFile();
    EXPECT_EQ(w.platform.messages.back().text,
              "Are you certain you wish to delete BONUS.WAD?       ");
    EXPECT_FALSE(fs::exists(w.root / "KRVGames/Hell/Gwads/bonus.wad"));
    EXPECT_FALSE(fs::exists(w.root / "KRVLaunch/GameInfo/Save/Gwads/hell/bonus.krvs"));
    EXPECT_FALSE(fs::exists(w.desktop / "Korvath Shortcuts/Hell - bonus.desktop"));

    w.selectFile("hell.wad");
    w.answer(msg::kResultYes);
    w.library().DeleteGameFile();
    EXPECT_TRUE(fs::is_directory(w.root / "KRVGames/Hell/Gwads"));
    EXPECT_EQ(w.state.session.games.texts(), (std::vector<std::string>{"CASTLE", "HELL"}));
}

TEST(GameMenus, ALinkedGameGoesAsALinkAndAGameThatCannotGoWholeStaysWhole) {
    Games w;
    writeFile(w.root / "Outside/Pwads/away.wad", WadBuilder().mapLevels(1).build());
    fs::create_directory_symlink(w.root / "Outside", w.root / "KRVGames/Away");
    for (const char* name : {"Away", "Castle"})
        writeFile(w.desktop / "Korvath Shortcuts" / (std::string(name) + ".desktop"), "x");
    fs::permissions(w.root / "KRVGames/Castle/Pwads",
                    fs::perms::owner_read | fs::perms::owner_exec);
    w.load();
    w.select("AWAY");
    w.answer(msg::kResultYes);
    w.library().UninstallGame();
    EXPECT_FALSE(fs::is_symlink(w.root / "KRVGames/Away"));
    EXPECT_TRUE(fs::exists(w.root / "Outside/Pwads/away.wad"));
    EXPECT_FALSE(fs::exists(w.desktop / "Korvath Shortcuts/Away.desktop"));
    EXPECT_EQ(w.state.session.games.texts(), (std::vector<std::string>{"CASTLE", "HELL"}));

    // For a player, a game whose files folder cannot be emptied keeps all of
    // it, and its shortcuts.
    krv::test::OrdinaryUser player({w.root.root()});
    if (!player.unavailable().empty())
        GTEST_SKIP() << player.unavailable();
    w.select("CASTLE");
    w.answer(msg::kResultYes);
    w.library().UninstallGame();
    EXPECT_EQ(w.platform.messages.back().text,
              "Unable to fully remove the selected item from the games list,       \r\n"
              "associated files or folders may be in use by another program.");
    EXPECT_TRUE(fs::exists(w.root / "KRVGames/Castle/Pwads/castle.deh"));
    EXPECT_TRUE(fs::exists(w.root / "KRVGames/Castle/Pwads/castle.wad"));
    EXPECT_TRUE(fs::exists(w.desktop / "Korvath Shortcuts/Castle.desktop"));
}

TEST(GameMenus, AConversionThatCannotBeDoneWholeSaysWhyAndChangesNothing) {
    Games w;
    // Hell's Pwads, beside its Gwads, holds a read-only wad the conversion
    // would overwrite; Away's game folder is linked in from outside.
    writeFile(w.root / "KRVGames/Hell/Pwads/bonus.wad", "old");
    fs::permissions(w.root / "KRVGames/Hell/Pwads/bonus.wad", fs::perms::owner_read);
    writeFile(w.root / "Outside/Pwads/away.wad", WadBuilder().mapLevels(1).build());
    fs::create_directory_symlink(w.root / "Outside", w.root / "KRVGames/Away");
    w.load();
    w.select("HELL");
    w.library().ConvertToManual();
    ASSERT_EQ(w.platform.messages.size(), 1u);
    EXPECT_EQ(w.platform.messages.back().title, " Conversion error");
    EXPECT_EQ(w.platform.messages.back().text, "Read only error, file can't be overwritten     ");
    EXPECT_EQ(krv::test::readFile(w.root / "KRVGames/Hell/Pwads/bonus.wad"), "old");
    EXPECT_TRUE(fs::exists(w.root / "KRVGames/Hell/Gwads/bonus.wad"));

    w.select("AWAY");
    w.library().ConvertToAuto();
    EXPECT_EQ(w.platform.messages.back().title, " Conversion error");
    EXPECT_EQ(w.platform.messages.back().text,
              "  The files lie in a folder linked in from elsewhere, which     \r\n"
              "  the launcher leaves alone: nothing was converted.     ");
    EXPECT_FALSE(fs::exists(w.root / "Outside/Gwads"));
    EXPECT_TRUE(fs::exists(w.root / "Outside/Pwads/away.wad"));
}

// The menu a right click offers, with the entries the player can choose (a
// hidden entry cannot be chosen); the window pops it up.
TEST(GamesView, TaskMenusOfferTheEntriesOfTheSelectedKind) {
    Games w;
    w.stored.developmentMode = true; // development mode shows the conversions
    w.load();
    w.select("HELL");
    w.select("CASTLE");
    const Controls& c = w.controls();
    const auto offered = [&](ControlId entry) { return c.isEnabled(entry) && !c.isHidden(entry); };
    // A manual-loading game.
    EXPECT_EQ(w.library().gamesMenu(), LibraryController::Menu::Games);
    EXPECT_TRUE(offered(ids::mcRenameFolder));
    EXPECT_TRUE(offered(ids::mcGwadConvert));
    EXPECT_FALSE(offered(ids::mcUdirConvert));
    EXPECT_FALSE(w.library().releaseGameFile(true)); // files of a manual game: no menu

    w.select("HELL");
    EXPECT_EQ(w.library().gamesMenu(), LibraryController::Menu::Games);
    EXPECT_TRUE(offered(ids::mcUdirConvert));
    EXPECT_FALSE(offered(ids::mcGwadConvert));
    EXPECT_TRUE(w.library().releaseGameFile(true));
}

// The maps come from the file chosen, the saved games from the game's own
// folder where it has one.
TEST(GamesView, ASelectionListsTheMapsOfItsWadAndTheSavedGamesOfItsGame) {
    Games w;
    writeFile(w.root / "KRVGames/Hell/Gwads/hell.wad", WadBuilder().level("MAP07").build());
    writeFile(w.root / "UserSG/Castle/savegame/KorvathSav0.krvsg",
              krv::test::packedSaveGame("Castle gate"));
    w.load();
    EXPECT_EQ(fs::path(w.state.session.mainWad), w.root / "KRVGames/Castle/Pwads/castle.wad");
    EXPECT_EQ(w.state.session.maps.texts(), (std::vector<std::string>{"MAP01", "MAP02"}));
    EXPECT_EQ(fs::path(w.state.session.gameSelection.saveFolder),
              w.root / "UserSG/Castle/savegame");
    EXPECT_EQ(w.state.session.saveGames.count(), 1);

    w.select("HELL");
    w.selectFile("hell.wad");
    EXPECT_EQ(fs::path(w.state.session.mainWad), w.root / "KRVGames/Hell/Gwads/hell.wad");
    EXPECT_EQ(w.state.session.maps.texts(), (std::vector<std::string>{"MAP07"}));
    EXPECT_EQ(w.state.session.saveGames.count(), 0); // Castle's saved games are not Hell's
}

// ---- Installing levels --------------------------------------------------------------

namespace {

std::string oneMap() {
    return WadBuilder().level("MAP01").build();
}

// The zip library of one archive with two wads of the same name and a text.
struct Zips : Library {
    explicit Zips(int view = LibraryController::ZipLibrary) : Library(view, true) {
        ZipBuilder()
            .file("a/speed.wad", oneMap())
            .file("b/speed.wad", WadBuilder().level("MAP01").level("MAP02").build())
            .file("notes.txt", "x")
            .write(root / "KRVArchives/Speed.zip");
    }
};

// Holds an exclusive lock on a file, as a program using it would.
struct Lock {
    int fd;
    explicit Lock(const fs::path& path) : fd(::open(path.c_str(), O_RDWR)) { ::flock(fd, LOCK_EX); }
    ~Lock() { ::close(fd); }
};

// Every path below `folder` with its size, to see that nothing changed.
std::vector<std::string> listing(const fs::path& folder) {
    std::vector<std::string> all;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        all.push_back(entry.path().string() + " " +
                      (entry.is_regular_file() ? std::to_string(entry.file_size()) : "dir"));
    std::sort(all.begin(), all.end());
    return all;
}

// The local files of a drop, as the window hands them on.
std::vector<std::string> paths(const std::vector<fs::path>& files) {
    std::vector<std::string> all;
    for (const fs::path& file : files)
        all.push_back(file.string());
    return all;
}

} // namespace

TEST(InstallLevel, OnAFullDiskNothingIsLeftAndTheMessageSaysWhy) {
    Zips w(LibraryController::InstalledGames);
    krv::test::SmallFileSystem games(w.root / "KRVGames", 256 << 10);
    if (!games.mounted())
        GTEST_SKIP() << "no tmpfs can be mounted here";
    writeFile(w.root / "KRVGames/Old/Pwads/old.wad", oneMap());
    std::string noise(1 << 20, '\0');
    for (std::size_t i = 0; i < noise.size(); ++i)
        noise[i] = static_cast<char>((i * 2654435761u) >> 13);
    const std::string big = WadBuilder().level("MAP01").lump("NOISE", noise).build();
    writeFile(w.root / "Downloads/huge.wad", big);
    ZipBuilder().file("huge.wad", big).write(w.root / "Downloads/Huge.zip");
    w.load();
    const auto before = listing(w.root / "KRVGames");

    w.platform.openFileAnswers.push_back((w.root / "Downloads/huge.wad").string());
    w.controls().click(ids::AuxButton[0]);
    ASSERT_EQ(w.platform.messages.size(), 1u);
    EXPECT_EQ(w.platform.messages[0].title, " Install error");
    EXPECT_EQ(w.platform.messages[0].text, krv::installFailureText(krv::IoStatus::DiskFull));
    EXPECT_EQ(listing(w.root / "KRVGames"), before);

    // A zip too large for the disk is refused before anything is written.
    w.platform.openFileAnswers.push_back((w.root / "Downloads/Huge.zip").string());
    w.controls().click(ids::AuxButton[0]);
    EXPECT_EQ(listing(w.root / "KRVGames"), before);
    EXPECT_EQ(w.state.session.games.texts(), (std::vector<std::string>{"OLD"}));
}

TEST(InstallLevel, AZipIsExtractedFlatAndAnOtherEndingInstallsNothing) {
    Zips w(LibraryController::DoomGames);
    writeFile(w.root / "KRVLaunch/Data/pwads.krv", (w.root / "Gone").string() + "\r\n");
    w.load();
    w.platform.openFileAnswers.push_back((w.root / "KRVArchives/Speed.zip").string());
    w.controls().click(ids::AuxButton[0]);
    EXPECT_EQ(w.platform.openFileRequests[0].initialFolder, w.state.paths.archivesFolder);
    const fs::path pwads = w.root / "KRVGames/Speed/Pwads";
    EXPECT_TRUE(fs::exists(pwads / "notes.txt"));
    EXPECT_EQ(krv::test::readFile(pwads / "speed.wad").size(),
              WadBuilder().level("MAP01").level("MAP02").build().size()); // the later member
    EXPECT_EQ(w.current(), "SPEED");

    writeFile(w.root / "Downloads/readme.txt", "x");
    w.platform.openFileAnswers.push_back((w.root / "Downloads/readme.txt").string());
    w.controls().click(ids::AuxButton[0]);
    EXPECT_FALSE(fs::exists(w.root / "KRVGames/readme"));
    EXPECT_EQ(w.state.session.settings.gamesListView, LibraryController::InstalledGames);
}

// The settings written after an install hold what the controls show then.
TEST(InstallLevel, AnInstallWritesTheSettingsWithTheControlsOfTheMoment) {
    Library w(LibraryController::InstalledGames);
    writeFile(w.root / "Downloads/level.wad", oneMap());
    w.load();
    w.controls().setCurrentIndex(ids::SkillsLevel[0], 4);
    ASSERT_NE(w.state.session.settings.skill, 4);
    w.library().installLevelFile((w.root / "Downloads/level.wad").string());
    Settings written;
    readSettings(w.state.paths, false, 0, 0, written);
    EXPECT_EQ(written.skill, 4);
    EXPECT_EQ(w.current(), "LEVEL");
}

TEST(InstallDrop, OtherFilesAreRefusedByNameAndWriteNothing) {
    Zips w(LibraryController::InstalledGames);
    const fs::path downloads = w.root / "Downloads";
    writeFile(downloads / "readme.txt", "x");
    writeFile(downloads / "level.wad", oneMap());
    fs::create_directories(downloads / "folder.zip");
    w.load();
    const auto before = listing(w.root.root());

    w.library().installDroppedFiles(paths({downloads / "readme.txt", downloads / "folder.zip"}));
    ASSERT_EQ(w.platform.messages.size(), 1u);
    EXPECT_EQ(w.platform.messages[0].title, " Install error");
    EXPECT_EQ(w.platform.messages[0].text,
              "  Only wad and zip files can be installed to the games list.   \r\n"
              "  Not installed: readme.txt, folder.zip     ");
    EXPECT_EQ(listing(w.root.root()), before);

    // A mixed drop installs its wad and nothing of the refused file.
    w.library().installDroppedFiles(paths({downloads / "readme.txt", downloads / "level.wad"}));
    ASSERT_EQ(w.platform.messages.size(), 2u);
    EXPECT_EQ(w.platform.messages[1].text,
              "  Only wad and zip files can be installed to the games list.   \r\n"
              "  Not installed: readme.txt     ");
    EXPECT_TRUE(fs::exists(w.root / "KRVGames/level/Pwads/level.wad"));
    EXPECT_FALSE(fs::exists(w.root / "KRVGames/readme"));
    EXPECT_EQ(w.current(), "LEVEL");
}

// Names no game folder may take are refused by name, dropped or chosen,
// before the duplicate check (the games folder itself "exists" as ".").
TEST(InstallDrop, AFileWhoseNameCannotBeAGameIsRefusedAndWritesNothing) {
    Library w(LibraryController::InstalledGames);
    const fs::path downloads = w.root / "Downloads";
    const std::vector<std::string> names = {"..wad", "...wad", "a\"b.wad", "a\r\nb.zip"};
    for (const std::string& name : names)
        writeFile(downloads / name, oneMap());
    w.load();
    const auto before = listing(w.root.root());
    w.library().installDroppedFiles(paths({downloads / names[0], downloads / names[1]}));
    for (const std::string& name : {names[2], names[3]})
        w.library().installLevelFile((downloads / name).string());
    ASSERT_EQ(w.platform.messages.size(), names.size());
    for (const auto& message : w.platform.messages)
        EXPECT_EQ(message.title, " Name error") << message.text;
    EXPECT_EQ(w.platform.messages[0].text,
              "The name '.' cannot be used as a file or folder name.  ");
    EXPECT_EQ(listing(w.root.root()), before);
}

// ---- The zip library ----------------------------------------------------------------

TEST(ZipLibrary, TheFolderButtonWritesArchivesKrvEvenWhenCancelled) {
    Zips w;
    w.load();
    EXPECT_EQ(w.controls().text(ids::Auto[0]), "ZIP LIBRARY");
    w.controls().click(ids::AuxButton[7]); // cancelled
    ASSERT_EQ(w.platform.folderRequests.size(), 1u);
    EXPECT_EQ(w.platform.folderRequests[0], zipFolderBrowseText(w.state.paths.archivesFolder));
    EXPECT_TRUE(fs::exists(w.root / "KRVLaunch/Data/archives.krv"));
    EXPECT_EQ(w.controls().text(ids::Auto[0]), "CUSTOM ZIP LIBRARY");

    fs::create_directories(w.root / "Elsewhere");
    w.platform.folderAnswers.push_back((w.root / "Elsewhere").string());
    w.controls().click(ids::AuxButton[7]);
    EXPECT_EQ(w.state.paths.archivesFolder, (w.root / "Elsewhere").string());
    EXPECT_EQ(w.state.session.games.count(), 0);
}

TEST(ZipLibrary, InstallAsManualCopiesTheExtractedFilesAndAsksBeforeReplacing) {
    Zips w;
    w.load();
    ASSERT_EQ(w.current(), "SPEED");
    w.answerName("Speedy");
    w.library().InstallZipAsManual();
    EXPECT_EQ(w.platform.namePrompts.back().windowCaption, " Install to Game List");
    EXPECT_EQ(w.platform.namePrompts.back().initialText, "SPEED");
    EXPECT_TRUE(fs::exists(w.root / "KRVGames/Speedy/Pwads/speed.wad"));
    EXPECT_TRUE(fs::exists(w.root / "KRVGames/Speedy/Pwads/notes.txt"));
    EXPECT_EQ(w.state.session.settings.gamesListView, LibraryController::InstalledGames);
    EXPECT_EQ(w.current(), "SPEEDY");

    // An auto-loading game of that name is replaced only after a Yes.
    writeFile(w.root / "KRVGames/Hell/Gwads/hell.wad", oneMap());
    w.controls().click(ids::OptionUdir[2]);
    for (const int answer : {msg::kResultNo, msg::kResultYes}) {
        w.answerName("Hell");
        w.platform.messageAnswers.push_back(answer);
        w.library().InstallZipAsManual();
        EXPECT_EQ(w.platform.messages.back().title, " User Directory Conversion");
        EXPECT_EQ(fs::exists(w.root / "KRVGames/Hell/Gwads"), answer == msg::kResultNo);
    }
    EXPECT_TRUE(fs::exists(w.root / "KRVGames/Hell/Pwads/speed.wad"));

    w.controls().click(ids::OptionUdir[2]);
    w.answerName("Speedy");
    w.library().InstallZipAsManual();
    EXPECT_EQ(w.platform.messages.back().title, " Duplicate name error");
    w.answerName("../outside");
    w.library().InstallZipAsManual();
    EXPECT_EQ(w.platform.messages.back().title, " Name error");
    EXPECT_FALSE(fs::exists(w.root / "outside"));
}

TEST(ZipLibrary, InstallAsAutoMakesAUserDirectory) {
    Zips w;
    w.load();
    w.answerName("Speed Run");
    w.library().InstallZipAsAuto();
    EXPECT_EQ(w.platform.namePrompts.back().frameCaption, "Games List Name");
    EXPECT_TRUE(fs::exists(w.root / "KRVGames/Speed Run/Gwads/speed.wad"));
    EXPECT_EQ(w.platform.messages.back().text,
              " The Speed Run has been installed to the games list.     ");
    EXPECT_EQ(w.current(), "SPEED RUN");

    w.controls().click(ids::OptionUdir[2]);
    w.answerName("Speed Run");
    w.library().InstallZipAsAuto();
    EXPECT_EQ(w.platform.messages.back().text,
              " All relevant files have been unzipped to the existing Speed Run games list.    ");
}

TEST(ZipLibrary, AnInstallThatCannotBeDoneWholeSaysWhyAndWritesNothing) {
    Zips w;
    writeFile(w.root / "Outside/speed.wad", "mine");
    fs::create_directories(w.root / "KRVGames/Linked");
    fs::create_directory_symlink(w.root / "Outside", w.root / "KRVGames/Linked/Gwads");
    writeFile(w.root / "KRVGames/Kept/Gwads/speed.wad", "kept");
    fs::permissions(w.root / "KRVGames/Kept/Gwads/speed.wad", fs::perms::owner_read);
    w.load();
    const auto outside = listing(w.root / "Outside");
    w.answerName("Linked");
    w.library().InstallZipAsAuto();
    EXPECT_EQ(w.platform.messages.back().title, " Install error");
    EXPECT_EQ(w.platform.messages.back().text,
              "  The files lie in a folder linked in from elsewhere, which     \r\n"
              "  the launcher leaves alone: nothing was installed.     ");
    EXPECT_EQ(listing(w.root / "Outside"), outside);
    EXPECT_EQ(krv::test::readFile(w.root / "Outside/speed.wad"), "mine");

    w.answerName("Kept");
    w.library().InstallZipAsAuto();
    EXPECT_EQ(w.platform.messages.back().text, "Read only error, file can't be overwritten     ");
    EXPECT_EQ(krv::test::readFile(w.root / "KRVGames/Kept/Gwads/speed.wad"), "kept");
    EXPECT_FALSE(fs::exists(w.root / "KRVGames/Kept/Gwads/notes.txt"));
    EXPECT_EQ(w.current(), "SPEED"); // the zip library stays shown
}

TEST(ZipLibrary, RenameForgetsTheRecordsButKeepsTheSavedGames) {
    Zips w;
    writeFile(w.root / "KRVLaunch/GameInfo/Zips/speed.krvm", "MAP01\r\n");
    writeFile(w.root / "KRVLaunch/GameInfo/Save/Zip/speed.krvs", "1\r\n");
    writeFile(w.root / "UserSG/Speed/savegame/KorvathSav1.krvsg", krv::test::packedSaveGame("x"));
    w.load();
    w.answerName("Fast");
    w.library().RenameArchive();
    EXPECT_EQ(w.platform.namePrompts.back().windowCaption, " Rename Zip");
    EXPECT_TRUE(fs::exists(w.root / "KRVArchives/Fast.zip"));
    EXPECT_FALSE(fs::exists(w.root / "KRVArchives/Speed.zip"));
    EXPECT_FALSE(fs::exists(w.root / "KRVLaunch/GameInfo/Zips/speed.krvm"));
    EXPECT_FALSE(fs::exists(w.root / "KRVLaunch/GameInfo/Save/Zip/speed.krvs"));
    EXPECT_TRUE(fs::exists(w.root / "UserSG/Speed/savegame/KorvathSav1.krvsg"));
    EXPECT_EQ(w.current(), "FAST");

    writeFile(w.root / "KRVArchives/Other.zip", "x");
    w.answerName("other");
    w.library().RenameArchive();
    ASSERT_EQ(w.platform.messages.size(), 1u);
    EXPECT_EQ(w.platform.messages.back().title, " Duplicate name error");
    Lock lock(w.root / "KRVArchives/Fast.zip");
    w.answerName("Faster");
    w.library().RenameArchive();
    EXPECT_EQ(w.platform.messages.back().title, " Access error");
    EXPECT_EQ(w.platform.messages.back().text,
              "Unable to rename the selected file, the file       \r\n"
              "  appears to be in use by another program.");
    EXPECT_TRUE(fs::exists(w.root / "KRVArchives/Fast.zip"));
    EXPECT_EQ(krv::test::readFile(w.root / "KRVArchives/Other.zip"), "x");
}

TEST(ZipLibrary, DeleteAsksAndRemovesTheArchiveWithWhatBelongsToIt) {
    Zips w;
    writeFile(w.root / "KRVLaunch/GameInfo/Zips/speed.krvm", "MAP01\r\n");
    writeFile(w.root / "KRVLaunch/Zips/Checks/speed.krvchk", "x");
    writeFile(w.root / "UserSG/Speed/savegame/KorvathSav1.krvsg", krv::test::packedSaveGame("x"));
    w.load();
    w.platform.messageAnswers.push_back(msg::kResultNo);
    w.library().DeleteArchive();
    EXPECT_TRUE(fs::exists(w.root / "KRVArchives/Speed.zip"));
    {
        Lock lock(w.root / "KRVArchives/Speed.zip");
        w.platform.messageAnswers.push_back(msg::kResultYes);
        w.library().DeleteArchive();
        EXPECT_EQ(w.platform.messages.back().title, " Access error");
        EXPECT_TRUE(fs::exists(w.root / "KRVArchives/Speed.zip"));
    }
    w.platform.messageAnswers.push_back(msg::kResultYes);
    w.library().DeleteArchive();
    EXPECT_EQ(w.platform.messages.back().title, " Delete selected archive");
    EXPECT_FALSE(fs::exists(w.root / "KRVArchives/Speed.zip"));
    EXPECT_FALSE(fs::exists(w.root / "KRVLaunch/GameInfo/Zips/speed.krvm"));
    EXPECT_FALSE(fs::exists(w.root / "KRVLaunch/Zips/Checks/speed.krvchk"));
    EXPECT_FALSE(fs::exists(w.root / "UserSG/Speed"));
    EXPECT_EQ(w.state.session.games.count(), 0);
}

TEST(ZipLibrary, DeleteWithAnEmptyArchiveNameSaysSoAndTouchesNothing) {
    Zips w;
    fs::remove(w.root / "KRVArchives/Speed.zip");
    writeFile(w.root / "UserSG/Speed/savegame/KorvathSav1.krvsg", "s");
    w.load();
    w.platform.messageAnswers.push_back(msg::kResultYes);
    w.library().DeleteArchive();
    EXPECT_EQ(w.platform.messages.back().title, " Access error");
    EXPECT_EQ(w.platform.messages.back().text,
              " Unable to delete the selected file, its name is not usable.     ");
    EXPECT_TRUE(fs::exists(w.root / "UserSG/Speed/savegame/KorvathSav1.krvsg"));
}
