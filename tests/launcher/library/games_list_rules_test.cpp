// The games list's widget-free rules: what a drop installs, how archives
// are listed, which files open in the text editor, and when a user
// directory holds more than a game.

#include "launcher/library/games_list_rules.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace krv {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

TEST(GamesListRules, ADropInstallsRegularWadsAndZipsAndNamesTheRest) {
    test::TempDir dir;
    const fs::path wad = dir.path() / "Castle.WAD", zip = dir.path() / "pack.zip";
    const fs::path text = dir.path() / "readme.txt", folder = dir.path() / "maps.wad";
    test::writeFile(wad, "PWAD");
    test::writeFile(zip, "PK");
    test::writeFile(text, "hello");
    fs::create_directory(folder); // named like a wad, yet no file
    const DroppedFiles dropped =
        sortDroppedFiles({text.string(), wad.string(), folder.string(), zip.string(),
                          (dir.path() / "gone.wad").string()});
    EXPECT_EQ(dropped.levels, (Names{wad.string(), zip.string()}));
    EXPECT_EQ(dropped.refused, "readme.txt, maps.wad, gone.wad");
    EXPECT_TRUE(sortDroppedFiles({wad.string()}).refused.empty());
}

TEST(GamesListRules, ArchiveEntriesEditorFilesAndUserDirectories) {
    EXPECT_EQ(zipLibraryEntry("castle siege", false), "CASTLE SIEGE");
    EXPECT_EQ(zipLibraryEntry("castle siege", true), "Castle siege");
    EXPECT_EQ(zipLibraryEntry("", true), "");

    EXPECT_TRUE(opensInTextEditor("SNDINFO"));
    EXPECT_TRUE(opensInTextEditor("scp_defn"));
    EXPECT_FALSE(opensInTextEditor("sndinfo.txt"));

    // The position of the last wad counts, not the number of wads.
    EXPECT_FALSE(holdsMoreThanGameFiles({"a.wad", "b.wad", "c.WAD", "readme.txt"}));
    EXPECT_TRUE(holdsMoreThanGameFiles({"a.txt", "b.txt", "c.txt", "d.wad"}));
    EXPECT_FALSE(holdsMoreThanGameFiles({}));
}

} // namespace
} // namespace krv
