#include "launcher/library/level_readme.h"

#include "support/temp_dir.h"

#include <fstream>
#include <gtest/gtest.h>

using namespace krv;
using krv::test::TempDir;
using krv::test::writeFile;
namespace fs = std::filesystem;

TEST(LevelReadme, ReadsTheTemplateInAnyCaseSpacingLineEndAndEncoding) {
    struct Case {
        std::string text;
        std::optional<std::pair<std::string, std::string>> titleAndAuthor;
    };
    const Case cases[] = {
        {"=====\nAdvanced engine needed  : Boom\n=====\nTitle                   : Castle Siege\n"
         "Filename                : castle.wad\nAuthor                  : A. Mapper\n"
         "Description             : Six maps: a keep,\n    and its walls.\n",
         {{"Castle Siege", "A. Mapper"}}},
        {"title:Hell Gate\r\nauthors:Two People\r\n", {{"Hell Gate", "Two People"}}},
        {"TITLE\t:\tLone\r\nBUILD   TIME : two weeks\r\n", {{"Lone", ""}}},
        {"Author : Someone\rDescription : old Mac line ends\r", {{"", "Someone"}}},
        {"\xEF\xBB\xBFTitle : Caf\xC3\xA9\nAuthor : Jos\xC3\xA9\n",
         {{"Caf\xC3\xA9", "Jos\xC3\xA9"}}},
        {"Title : Caf\xE9 \x1B[1m\nAuthor : Ren\xE9\n", {{"Caf\xC3\xA9  [1m", "Ren\xC3\xA9"}}},
        // Markup characters are text like any other.
        {"Title : <b>Castle</b> & <i>Co</i>\nAuthor : <a href=\"x\">Me</a>\n",
         {{"<b>Castle</b> & <i>Co</i>", "<a href=\"x\">Me</a>"}}},
        {"Title : " + std::string(300, 'x') + "\nAuthor : y\n", {{std::string(200, 'x'), "y"}}},
        // Not the template: one field alone, no title nor author, prose.
        {"Title : Alone\n", std::nullopt},
        {"Description : x\nBuild Time : y\n", std::nullopt},
        {"Note: this map is hard.\nWarning: monsters.\n", std::nullopt},
        {"Title : X\nAuthor : Y\n" + std::string(1, '\0') + "\x01\x02", std::nullopt},
    };
    for (const Case& c : cases) {
        const auto readme = parseLevelReadme(c.text);
        ASSERT_EQ(readme.has_value(), c.titleAndAuthor.has_value()) << c.text;
        if (readme) {
            EXPECT_EQ(readme->title, c.titleAndAuthor->first) << c.text;
            EXPECT_EQ(readme->author, c.titleAndAuthor->second) << c.text;
        }
    }
}

TEST(LevelReadme, TakesTheFirstTextFileWithTheTemplateAndReadsOnlyItsBeginning) {
    TempDir dir;
    const fs::path game = dir / "Castle";
    writeFile(game / "a notes.txt", "Just notes: nothing else.\n");
    writeFile(game / "B_Readme.TXT", "Title : Castle Siege\nAuthor : A. Mapper\n");
    writeFile(game / "c.txt", "Title : Later\nAuthor : Other\n");
    writeFile(game / "Title.wad", "Title : a WAD is no text file\nAuthor : x\n");
    std::string binary = "Title : X\nAuthor : Y\n";
    for (int i = 0; i < 4096; ++i)
        binary += static_cast<char>(i * 7);
    writeFile(game / "0 binary.txt", binary);

    auto readme = findLevelReadme(game.string() + "/");
    ASSERT_TRUE(readme);
    EXPECT_EQ(readme->path, (game / "B_Readme.TXT").string());
    EXPECT_EQ(readme->title, "Castle Siege");

    // 100 MB files, sparse so they cost no disk: the template at the start
    // is found, one beyond the first 64 KiB is not, and neither is read whole.
    const std::string prose(70 * 1024, 'x');
    auto bigFile = [](const fs::path& path, const std::string& text) {
        writeFile(path, text);
        fs::resize_file(path, 100ull << 20);
    };
    bigFile(game / "00 late.txt", prose + "\nTitle : Too Late\nAuthor : Nobody\n");
    bigFile(game / "01 big.txt", "Title : Big One\nAuthor : Huge\n" + prose);
    readme = findLevelReadme(game.string());
    ASSERT_TRUE(readme);
    EXPECT_EQ(readme->title, "Big One");

    EXPECT_FALSE(findLevelReadme((dir / "missing").string()));
    fs::create_directories(dir / "empty");
    EXPECT_FALSE(findLevelReadme((dir / "empty").string()));
}
