// The game files of a folder: the filter with its upkeep, the main WAD by
// level count (with a fake checker and with the real inspection tool), and
// the load list.
#include "launcher/inspect/game_files.h"

#include "common/ci_path.h"
#include "common/strings.h"
#include "launcher/inspect/iwad_registry.h"
#include "launcher/inspect/map_list.h"
#include "launcher/library/zip_library.h"
#include "launcher/platform/command_line.h"
#include "launcher/platform/process.h"
#include "launcher/platform/scripted_platform.h"
#include "support/install_root.h"
#include "support/temp_dir.h"
#include "support/wad_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

using krv::test::readFile;
using krv::test::TempDir;
using krv::test::WadBuilder;
using krv::test::writeFile;
namespace fs = std::filesystem;

namespace {

// A checker answering from a table by file name (10 for names it does not
// know, as for a file that is not a WAD), recording what it was asked.
struct FakeChecker {
    std::map<std::string, int> values;
    std::vector<std::string> asked;
    krv::WadChecker checker() {
        return [this](const std::string& path) {
            asked.push_back(path);
            const auto it = values.find(std::string(krv::fileNameOfPath(path)));
            return it == values.end() ? 10 : it->second;
        };
    }
};

std::string folderText(const fs::path& folder) {
    return folder.string() + "/";
}

// The files of a folder that match `keep`, in the listing's order.
std::vector<std::string> listed(const fs::path& folder, bool (*keep)(const std::string&)) {
    std::vector<std::string> out;
    for (const auto& name : krv::ci::listFolder(folder))
        if (keep(name))
            out.push_back(name);
    return out;
}

} // namespace

TEST(GameFilesFilter, ShowsWadsLumpsAndTextsButNeverIwadsOrOtherFiles) {
    struct Case {
        const char* name;
        bool shown;
        bool shownWadsOnly;
    };
    for (const Case& c : std::initializer_list<Case>{{"castle.wad", true, true},
                                                     {"CASTLE.WAD", true, true},
                                                     {"Doom2.wad", false, false},
                                                     {"TNT.WAD", false, false},
                                                     {"doom1.wad", false, false},
                                                     {"QuilsPack.wad", false, false},
                                                     {"SNDINFO", true, true},
                                                     {"scp_zoff", true, true},
                                                     {"sndinfo.bak", false, false},
                                                     {"readme.txt", true, false},
                                                     {"page.HTML", true, false},
                                                     {"fix.deh", true, false},
                                                     {"defs.Ded", true, false},
                                                     {"demo1.lmp", true, false},
                                                     {"castle.zip", false, false},
                                                     {"setup.exe", false, false},
                                                     {"", false, false},
                                                     {"...wad", false, false},
                                                     {"..wad", false, false},
                                                     {".wad", false, false},
                                                     {"say\"hi.wad", false, false},
                                                     {"two\r\nlines.wad", false, false}}) {
        EXPECT_EQ(krv::gameFileShown(c.name, false), c.shown) << c.name;
        EXPECT_EQ(krv::gameFileShown(c.name, true), c.shownWadsOnly) << c.name;
    }
}

TEST(GameFilesListing, DeletesNodeCachesAndRestoresBackupsWhileListing) {
    TempDir dir;
    writeFile(dir / "castle.wad", "old");
    writeFile(dir / "castle.KRVbak", "backup");
    writeFile(dir / "castle.KRVgwa", "nodes");
    writeFile(dir / "solo.krvbak", "solo backup"); // its WAD is missing
    writeFile(dir / "readme.txt", "text");

    const auto shown = krv::listGameFiles(folderText(dir.path()), true);

    EXPECT_EQ(readFile(dir / "castle.wad"), "backup");
    EXPECT_EQ(readFile(dir / "solo.wad"), "solo backup");
    EXPECT_FALSE(fs::exists(dir / "castle.KRVbak"));
    EXPECT_FALSE(fs::exists(dir / "solo.krvbak"));
    EXPECT_FALSE(fs::exists(dir / "castle.KRVgwa"));
    // Each WAD once, the restored one included; the text file is hidden.
    std::vector<std::string> sorted = shown;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, (std::vector<std::string>{"castle.wad", "solo.wad"}));
}

TEST(GameFilesListing, RestoresOverAWadOfOtherCaseAndLeavesABlockedBackup) {
    TempDir dir;
    writeFile(dir / "CASTLE.WAD", "old");
    writeFile(dir / "castle.KRVbak", "backup");
    writeFile(dir / "blocked.KRVbak", "kept");
    fs::create_directories(dir / "blocked.wad"); // a folder where the WAD belongs
    fs::create_directories(dir / "maps.wad");

    const auto shown = krv::listGameFiles(folderText(dir.path()), false);

    EXPECT_EQ(shown, std::vector<std::string>{"CASTLE.WAD"});
    EXPECT_EQ(readFile(dir / "CASTLE.WAD"), "backup");
    EXPECT_FALSE(fs::exists(dir / "castle.wad"));
    EXPECT_EQ(readFile(dir / "blocked.KRVbak"), "kept");
    EXPECT_TRUE(fs::is_directory(dir / "blocked.wad"));
}

TEST(GameFilesListing, MissingFoldersAndOddNamesAreHandled) {
    TempDir dir;
    EXPECT_TRUE(krv::listGameFiles(folderText(dir / "gone"), false).empty());
    writeFile(dir / "file", "x");
    EXPECT_TRUE(krv::listGameFiles(folderText(dir / "file"), false).empty());

    writeFile(dir / "Dunmóre Game/PWADS/My Wad ö.wad", "w");
    const auto shown = krv::listGameFiles((dir / "dunmóre game/pwads").string(), false);
    EXPECT_EQ(shown, std::vector<std::string>{"My Wad ö.wad"});
}

TEST(GameFilesMainWad, TheHighestValueWinsWhateverTheOrder) {
    FakeChecker fake;
    fake.values = {{"MAPS1.WAD", 101}, {"MAPS2.WAD", 132}, {"Doom2.wad", 199}};
    const std::vector<std::string> forward = {"MAPS1.WAD", "readme.txt", "MAPS2.WAD", "Doom2.wad"};
    const std::vector<std::string> backward(forward.rbegin(), forward.rend());
    for (const auto& names : {forward, backward})
        EXPECT_EQ(krv::mainWadAmong("/g/Pwads/", names, fake.checker()), "/g/Pwads/MAPS2.WAD");
    // The IWAD copy is never checked; each WAD once per choice.
    EXPECT_EQ(fake.asked.size(), 4u);
    EXPECT_TRUE(std::none_of(fake.asked.begin(), fake.asked.end(),
                             [](const std::string& p) { return krv::iendsWith(p, "Doom2.wad"); }));
}

TEST(GameFilesMainWad, AmongEqualsTheLastPathIgnoringCaseWinsAndNonWadsRankLowest) {
    FakeChecker fake;
    fake.values = {{"a.wad", 132}, {"B.wad", 132}, {"empty.wad", 100}};
    EXPECT_EQ(krv::mainWadAmong("/g", {"B.wad", "a.wad"}, fake.checker()), "/g/B.wad");
    EXPECT_EQ(krv::mainWadAmong("/g", {"a.wad", "B.wad"}, fake.checker()), "/g/B.wad");
    // "zz.wad" and "~.wad" are not WADs (10): a WAD without levels beats them.
    EXPECT_EQ(krv::mainWadAmong("/g/", {"empty.wad", "zz.wad", "~.wad"}, fake.checker()),
              "/g/empty.wad");
    EXPECT_EQ(krv::mainWadAmong("/g/", {"zz.wad", "~.wad"}, fake.checker()), "/g/~.wad");

    // As bare text "100/..." would sort below "10C:...".
    std::vector<krv::WadRank> ranking = {
        {132, "/g/b.wad"}, {10, "C:/z.wad"}, {100, "/g/e.wad"}, {132, "/g/A.wad"}};
    krv::sortRanking(ranking);
    EXPECT_EQ(ranking.front().text(), "10C:/z.wad");
    EXPECT_EQ(ranking.back().text(), "132/g/b.wad");
}

TEST(GameFilesMainWad, OneWadNeedsNoCheckAndNoWadKeepsTheCallersChoice) {
    FakeChecker fake;
    EXPECT_EQ(krv::mainWadAmong("/g/", {"Doom2.wad", "only.wad", "x.txt"}, fake.checker()),
              "/g/only.wad");
    EXPECT_FALSE(krv::mainWadAmong("/g/", {"Doom2.wad", "x.txt"}, fake.checker()));
    EXPECT_TRUE(fake.asked.empty());

    EXPECT_EQ(krv::entryOfMainWad({"readme.txt", "ONLY.WAD"}, "/g/only.wad"), 1u);
    EXPECT_FALSE(krv::entryOfMainWad({"readme.txt"}, "/g/only.wad"));
}

TEST(GameFilesMainWad, AFolderVanishingDuringTheChecksStillGivesAnAnswer) {
    TempDir dir;
    const fs::path folder = dir / "Game/Pwads";
    writeFile(folder / "a.wad", "a");
    writeFile(folder / "b.wad", "b");
    FakeChecker fake;
    fake.values = {{"a.wad", 140}, {"b.wad", 120}};
    const krv::WadChecker vanishing = [&](const std::string& path) {
        fs::remove_all(dir / "Game");
        return fake.checker()(path);
    };
    EXPECT_EQ(krv::chooseMainWad(folderText(folder), vanishing), folderText(folder) + "a.wad");
    EXPECT_FALSE(krv::chooseMainWad(folderText(folder), vanishing));
}

TEST(GameFilesMainWad, TheRealToolRanksByLevelCount) {
    krv::test::InstallRoot root;
    root.installTools();
    const fs::path folder = root / "KRVGames/Castle/Pwads";
    WadBuilder all32;
    for (int n = 1; n <= 32; ++n)
        all32.level((n < 10 ? "MAP0" : "MAP") + std::to_string(n));
    writeFile(folder / "MAPS1.WAD", WadBuilder().level("MAP01").build());
    writeFile(folder / "MAPS2.WAD", all32.build());
    writeFile(folder / "zz notes.wad", "not a wad at all");
    writeFile(folder / "Doom2.wad", WadBuilder("IWAD").level("MAP01").build());

    krv::ScriptedPlatform platform;
    const auto paths = krv::InstallPaths::fromRoot(root.root());
    const krv::WadBatchChecker check = krv::toolWadChecker(platform, paths);
    EXPECT_EQ(check({(folder / "MAPS2.WAD").string(), (folder / "MAPS1.WAD").string(),
                     (folder / "zz notes.wad").string(), (folder / "gone.wad").string()}),
              (std::vector<int>{132, 101, 10, 10}));
    platform.hiddenRuns.clear();

    EXPECT_EQ(krv::chooseMainWad(folderText(folder), check), folderText(folder) + "MAPS2.WAD");
    EXPECT_EQ(platform.hiddenRuns.size(), 3u); // once per shown WAD
}

// A game of 200 WADs: the checks, many files to a run and several runs at a
// time, choose the same main WAD, with the same maps, as the checks run one
// after another; a cancelled choice chooses nothing and stops the runs.
TEST(GameFilesMainWad, ParallelChecksChooseAsOneAfterAnother) {
    krv::test::InstallRoot root;
    root.installTools();
    const fs::path folder = root / "KRVGames/Big/Pwads";
    for (int n = 0; n < 200; ++n)
        writeFile(folder / ("part" + std::to_string(n) + ".wad"),
                  n % 7 == 3 ? std::string("no wad") : WadBuilder().mapLevels(1 + n % 23).build());
    krv::ScriptedPlatform platform;
    const auto paths = krv::InstallPaths::fromRoot(root.root());
    const auto mapsOf = [&](const std::string& wad) {
        return krv::parseWadCheck(krv::runInspectionTool(platform, paths, "CHECKWAD", wad)).maps;
    };

    const krv::WadChecker oneRun = [&](const std::string& wad) {
        return krv::wadCheckScore(krv::runInspectionTool(platform, paths, "CHECKWAD", wad));
    };
    const auto single = krv::chooseMainWad(folderText(folder), oneRun);
    const auto parallel =
        krv::chooseMainWad(folderText(folder), krv::toolWadChecker(platform, paths));
    ASSERT_TRUE(single);
    EXPECT_EQ(parallel, single);
    EXPECT_EQ(mapsOf(*parallel), mapsOf(*single));
    EXPECT_EQ(mapsOf(*single).size(), 23u);
    ASSERT_EQ(platform.progressShown.size(), 1u); // the parallel checks only
    EXPECT_EQ(platform.progressShown[0].total, 200u);
    EXPECT_EQ(platform.progressShown[0].updates.back(), 200u);

    // The runs one after another, so that the cancel comes after the first.
    int runsMade = 0;
    platform.hiddenRunner = [&](const std::string& line, const std::string& folder) {
        ++runsMade;
        return krv::runCaptured(*krv::resolveCommand(line, folder), folder);
    };
    platform.cancelProgressAt = 20;
    EXPECT_FALSE(krv::chooseMainWad(folderText(folder), krv::toolWadChecker(platform, paths)));
    EXPECT_EQ(runsMade, 1);
    EXPECT_GE(platform.progressShown.back().updates.back(), 20u);
    EXPECT_LT(platform.progressShown.back().updates.back(), 200u);
}

TEST(GameFilesLoadList, ManualGameLoadsMainWadOtherWadsThenPatches) {
    TempDir dir;
    const fs::path folder = dir / "Castle/pwads";
    for (const char* name : {"main.wad", "extra.wad", "fix.deh", "defs.ded", "readme.txt",
                             "Doom2.wad", "more.WAD", "notes.DEH"})
        writeFile(folder / name, "x");
    fs::create_directories(folder / "sub.wad");
    const std::string main = folderText(folder) + "main.wad";

    FakeChecker fake;
    const krv::LoadList list = krv::buildLoadList(main, fake.checker());

    EXPECT_TRUE(list.inGameFolder);
    EXPECT_FALSE(list.zipGame);
    EXPECT_EQ(list.gameFolder, "Castle");
    std::vector<std::string> expected = {main};
    for (const auto& name : listed(folder, [](const std::string& n) {
             return krv::iendsWith(n, ".wad") && n != "main.wad" && n != "sub.wad";
         }))
        expected.push_back(folderText(folder) + name);
    for (const auto& name : listed(folder, [](const std::string& n) {
             return krv::iendsWith(n, ".deh") || krv::iendsWith(n, ".ded");
         }))
        expected.push_back(folderText(folder) + name);
    ASSERT_EQ(list.files.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(list.files[i].path, expected[i]);
        EXPECT_EQ(list.files[i].shownByFilter, !krv::iendsWith(expected[i], "Doom2.wad"));
    }
    EXPECT_EQ(fake.asked.size(), 3u); // the other WADs, not the main one
}

TEST(GameFilesLoadList, WadsValuedZeroFollowTheOthers) {
    TempDir dir;
    const fs::path folder = dir / "KRVLaunch/Zips";
    for (const char* name : {"main.wad", "first.wad", "second.wad"})
        writeFile(folder / name, "x");
    FakeChecker fake;
    fake.values = {{"first.wad", 0}};
    const krv::LoadList list = krv::buildLoadList(folderText(folder) + "main.wad", fake.checker());
    EXPECT_TRUE(list.zipGame);
    EXPECT_EQ(list.gameFolder, folder.string());
    ASSERT_EQ(list.files.size(), 3u);
    EXPECT_EQ(list.files[2].path, folderText(folder) + "first.wad");
}

TEST(GameFilesLoadList, GwadsOtherFoldersAndMissingFolders) {
    const krv::LoadList gwads = krv::buildLoadList("/krv/KRVGames/My Game/GWADS/a.wad");
    EXPECT_TRUE(gwads.inGameFolder);
    EXPECT_EQ(gwads.gameFolder, "My Game");
    EXPECT_TRUE(gwads.files.empty());

    const krv::LoadList elsewhere = krv::buildLoadList("/krv/Iwads/Doom2.wad");
    EXPECT_FALSE(elsewhere.inGameFolder);
    EXPECT_TRUE(elsewhere.files.empty() && elsewhere.gameFolder.empty());

    const krv::LoadList gone = krv::buildLoadList("/nowhere/Game/Pwads/a.wad");
    EXPECT_TRUE(gone.inGameFolder);
    ASSERT_EQ(gone.files.size(), 1u);
    EXPECT_EQ(gone.files[0].path, "/nowhere/Game/Pwads/a.wad");

    EXPECT_FALSE(krv::buildLoadList("").inGameFolder);
    EXPECT_FALSE(krv::buildLoadList("Pwads").inGameFolder);
}

TEST(ZipLibraryListing, ListsUsableArchivesSortedAndLeavesOutTheRest) {
    TempDir dir;
    for (const char* name : {"beta.ZIP", "Alpha.zip", ".zip", "...zip", "..zip", "q\"uote.zip",
                             "line\nbreak.zip", "notes.txt"})
        writeFile(dir / name, "PK");
    fs::create_directory(dir / "folder.zip");
    EXPECT_EQ(krv::zipArchiveNames(dir.path().string()),
              (std::vector<std::string>{"Alpha", "beta"}));
}
