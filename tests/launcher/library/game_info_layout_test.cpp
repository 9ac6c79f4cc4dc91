// The games library's folders: which folders are games, the installed games
// view's entries, and the save names of the commercial titles.

#include "launcher/library/library_layout.h"
#include "launcher/library/scripted_maps.h"

#include "support/install_root.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace krv {
namespace {

namespace fs = std::filesystem;
using test::writeFile;

class LibraryLayout : public ::testing::Test {
protected:
    void makeFolder(const std::string& rel) { fs::create_directories(root / rel); }

    test::InstallRoot root;
    InstallPaths paths = InstallPaths::fromRoot(root.root());
};

TEST_F(LibraryLayout, GameKindFollowsTheSubfolders) {
    makeFolder("KRVGames/Manual/Pwads");
    makeFolder("KRVGames/Udir/Gwads");
    makeFolder("KRVGames/Both/Pwads");
    makeFolder("KRVGames/Both/Gwads");
    makeFolder("KRVGames/Plain/maps");
    makeFolder("KRVGames/Mixed/gWADS");
    makeFolder("KRVGames/FileGwads/Pwads");
    writeFile(root / "KRVGames/FileGwads/Gwads", "a file, not a folder");
    writeFile(root / "KRVGames/Loose", "a file named like a game");
    // Links count as what they point to.
    makeFolder("Elsewhere/wads");
    makeFolder("KRVGames/Linked/Pwads");
    fs::create_directory_symlink(root / "Elsewhere/wads", root / "KRVGames/Linked/GWADS");
    makeFolder("KRVGames/Dangling");
    fs::create_directory_symlink(root / "Gone", root / "KRVGames/Dangling/Pwads");
    fs::create_directory_symlink(root / "KRVGames/Manual", root / "KRVGames/Alias");

    EXPECT_EQ(gameKind(paths, "Linked"), GameKind::Auto);
    EXPECT_EQ(gameKind(paths, "Dangling"), GameKind::None);
    EXPECT_EQ(installedGames(paths, {}),
              (std::vector<std::string>{"ALIAS", "BOTH", "FILEGWADS", "LINKED", "MANUAL", "MIXED",
                                        "UDIR"}));
    EXPECT_EQ(gameKind(paths, "Manual"), GameKind::Manual);
    EXPECT_EQ(gameKind(paths, "udir"), GameKind::Auto);
    EXPECT_EQ(gameKind(paths, "Both"), GameKind::Auto);
    EXPECT_EQ(gameKind(paths, "Plain"), GameKind::None);
    EXPECT_EQ(gameKind(paths, "Mixed"), GameKind::Auto);
    EXPECT_EQ(gameKind(paths, "FileGwads"), GameKind::Manual);
    EXPECT_EQ(gameKind(paths, "Loose"), GameKind::None);
    EXPECT_EQ(gameKind(paths, "Missing"), GameKind::None);
    for (const char* bad : {"", ".", "..", "Udir/..", "../KRVGames/Udir"})
        EXPECT_EQ(gameKind(paths, bad), GameKind::None) << bad;
}

TEST_F(LibraryLayout, GameFilesFolderIsSpelledAsOnDiskAndEmptyOnceGone) {
    makeFolder("KRVGames/Doom Mod/gwads");
    makeFolder("KRVGames/Doom Mod/Pwads");
    EXPECT_EQ(gameFilesFolder(paths, "DOOM MOD"), (root / "KRVGames/Doom Mod/gwads").string());

    // Listed, then removed before it is read.
    ASSERT_EQ(installedGames(paths, {}).size(), 1u);
    fs::remove_all(root / "KRVGames/Doom Mod");
    EXPECT_EQ(gameKind(paths, "DOOM MOD"), GameKind::None);
    EXPECT_EQ(gameFilesFolder(paths, "DOOM MOD"), "");
}

TEST_F(LibraryLayout, InstalledGamesAreListedOnceSortedIgnoringCase) {
    EXPECT_TRUE(installedGames(paths, {}).empty()); // no KRVGames folder at all

    makeFolder("KRVGames/zeta/Pwads");
    makeFolder("KRVGames/Alpha/Gwads");
    makeFolder("KRVGames/beta/Pwads");
    makeFolder("KRVGames/beta/Gwads");
    makeFolder("KRVGames/Gamma/Pwads");
    makeFolder("KRVGames/GAMMA/Pwads");
    makeFolder("KRVGames/empty");
    makeFolder("KRVGames/bad\nname/Pwads");
    writeFile(root / "KRVGames/Loose", "x");

    EXPECT_EQ(installedGames(paths, {}),
              (std::vector<std::string>{"ALPHA", "BETA", "GAMMA", "ZETA"}));
    InstalledGamesView asTheyStand;
    asTheyStand.customFont = true;
    EXPECT_EQ(installedGames(paths, asTheyStand),
              (std::vector<std::string>{"Alpha", "beta", "GAMMA", "zeta"}));
}

TEST_F(LibraryLayout, ScriptedFilterListsOnlyTheScriptedMaps) {
    ASSERT_FALSE(scriptedMapTable().empty());
    const std::string scripted = scriptedMapTable().front().displayName;
    makeFolder("KRVGames/" + scripted + "/Pwads");
    makeFolder("KRVGames/Other/Pwads");

    InstalledGamesView filtered;
    filtered.scriptedOnly = true;
    filtered.customFont = true;
    EXPECT_EQ(installedGames(paths, filtered), std::vector<std::string>{scripted});
    EXPECT_EQ(installedGames(paths, {}).size(), 2u);
}

TEST_F(LibraryLayout, CommercialTitlesSaveByTheTableButSharewareRecordsByTitle) {
    EXPECT_EQ(commercialSaveName("doom ii"), "doom2");
    EXPECT_EQ(commercialRecordKey("DOOM/ULTIMATE DOOM"), "doom");
    EXPECT_EQ(commercialSaveGameFolder(paths, "SHAREWARE DOOM"),
              root.root() + "/UserSG/doom1/savegame");
    EXPECT_EQ(commercialRecordKey("SHAREWARE DOOM"), "shareware doom");

    // A title outside the table has no save folder and keys by itself.
    EXPECT_EQ(commercialSaveGameFolder(paths, "Heretic"), "");
    EXPECT_EQ(commercialRecordKey("Heretic"), "heretic");
    EXPECT_EQ(saveGameFolder(paths, "My Mod"), root.root() + "/UserSG/My Mod/savegame");
    EXPECT_EQ(saveGameFolder(paths, ".."), "");
}

} // namespace
} // namespace krv
