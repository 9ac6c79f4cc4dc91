// Reading the inspection tool's map and savegame output, and the warp
// target that follows from the chosen map.
#include "launcher/inspect/map_list.h"
#include "launcher/inspect/wad_check_batches.h"
#include "launcher/platform/scripted_platform.h"

#include <gtest/gtest.h>

using namespace krv;

namespace {

IwadRegistry registry() {
    IwadRegistry iwads;
    iwads.paths[static_cast<int>(IwadKind::Doom)] = "/g/Doom.wad";
    iwads.paths[static_cast<int>(IwadKind::Doom2)] = "/g/Doom2.wad";
    return iwads;
}

} // namespace

TEST(MapListOutput, ListsMapsAfterTheThreeHeaderLinesAndScoresTheLevelCount) {
    const std::string output = "PWAD\r\nNUMLEVELS 32\r\nGLNODES 0\r\nE1M1 \r\nMAP01\r\n";
    const WadCheck check = parseWadCheck(output);
    EXPECT_EQ(check.maps, (std::vector<std::string>{"E1M1", "MAP01"}));
    ASSERT_GE(check.lines.size(), 5u);
    EXPECT_EQ(check.lines[3], "E1M1 ");
    EXPECT_EQ(wadCheckScore(output), 132);
    EXPECT_EQ(wadCheckScore("PWAD\r\nNUMLEVELS 0\r\nGLNODES 0\r\n"), 100);
    EXPECT_EQ(wadCheckScore("IWAD\r\nNUMLEVELS 7\r\nGLNODES 1\r\nMAP01\r\n"), 107);
    EXPECT_EQ(wadCheckScore(""), 10);
    EXPECT_TRUE(parseWadCheck("").maps.empty());
    // Output cut short: no map lines, no crash.
    EXPECT_TRUE(parseWadCheck("PWAD\r\nNUMLEV").maps.empty());
    EXPECT_EQ(wadCheckScore("PWAD\r\nNUMLEV"), 100);
}

TEST(MapListOutput, SavegameEntriesKeepWholeDescriptionsAndSkipEmptySlots) {
    const std::string output = "0 Castle gate\r\n1 \r\n2\r\n3 Keep, west wing   \r\n";
    EXPECT_EQ(parseSaveGameList(output),
              (std::vector<std::string>{"0 -  Castle gate", "3 -  Keep, west wing"}));
    EXPECT_TRUE(parseSaveGameList("").empty());
    // A remembered slot finds its entry by the first character only.
    const std::vector<std::string> entries = {"0 -  Castle gate", "3 -  Keep"};
    EXPECT_EQ(saveGameRowOfSlot(entries, "3"), 1);
    EXPECT_EQ(saveGameRowOfSlot(entries, "1"), -1);
    EXPECT_EQ(saveGameRowOfSlot(entries, ""), -1);
}

TEST(MapListWarp, TheFirstMapDecidesTheKindAndTwzoneTakesDoomTwo) {
    const IwadRegistry iwads = registry();
    const std::vector<std::string> mixed = {"E1M1", "E2M3", "MAP01"};
    WarpChoice warp = warpTargetFor(mixed, 1, iwads, "/p/a.wad", {});
    EXPECT_EQ(warp.iwadPath, "/g/Doom.wad");
    EXPECT_EQ(warp.warpMap, "2 3");
    warp = warpTargetFor(mixed, 1, iwads, "/p/TWZONE.WAD", {});
    EXPECT_EQ(warp.iwadPath, "/g/Doom2.wad");
    EXPECT_EQ(warp.warpMap, "2 3");

    warp = warpTargetFor({"MAP01", "MAP17"}, 1, iwads, "/p/a.wad", {});
    EXPECT_EQ(warp.iwadPath, "/g/Doom2.wad");
    EXPECT_EQ(warp.warpMap, "17");

    // No map chosen: the IWAD follows the maps, the warp map stays.
    warp = warpTargetFor({"MAP01"}, -1, iwads, "/p/a.wad", {"/x.wad", "05"});
    EXPECT_EQ(warp.iwadPath, "/g/Doom2.wad");
    EXPECT_EQ(warp.warpMap, "05");
    // Neither kind, or no maps: nothing changes.
    const WarpChoice before{"/x.wad", "05"};
    EXPECT_EQ(warpTargetFor({"START"}, 0, iwads, "/p/a.wad", before).iwadPath, "/x.wad");
    EXPECT_EQ(warpTargetFor({}, 0, iwads, "/p/a.wad", before).warpMap, "05");
}

TEST(MapListTool, AToolThatCannotStartIsReportedWithItsErrorNumber) {
    HiddenRunResult run;
    run.errorNumber = 2;
    EXPECT_EQ(toolFailureMessage(run), "CreateProcess failed. Error: 2");
    run.pipeFailed = true;
    run.errorNumber = 24;
    EXPECT_EQ(toolFailureMessage(run), "CreatePipe failed. Error: 24");
    run.started = true;
    EXPECT_EQ(toolFailureMessage(run), "");
}

// The batches cover the files in order, spread them over the runs in flight,
// and keep to the file and command-line limits; a path longer than the limit
// goes alone.
TEST(MapListBatches, CoverTheFilesInOrderWithinTheLimits) {
    const auto sizes = [](const std::vector<std::string>& files, std::size_t inFlight) {
        std::vector<std::size_t> counts;
        std::size_t next = 0;
        for (const WadBatch& batch : wadBatches(files, inFlight)) {
            EXPECT_EQ(batch.first, next);
            EXPECT_LE(batch.count, kMaxWadsPerBatch);
            if (batch.count > 1) {
                EXPECT_LE(wadBatchCommandLine(files, batch).size(), kMaxBatchCommandLine);
            }
            next += batch.count;
            counts.push_back(batch.count);
        }
        EXPECT_EQ(next, files.size());
        return counts;
    };
    EXPECT_EQ(sizes(std::vector<std::string>(4096, "/g/Big Game/Pwads/part.wad"), 4),
              std::vector<std::size_t>(64, 64));
    EXPECT_EQ(sizes(std::vector<std::string>(200, "/g/a.wad"), 4), std::vector<std::size_t>(4, 50));
    EXPECT_EQ(sizes({"/a.wad", "/b.wad", "/c.wad"}, 4), std::vector<std::size_t>(3, 1));
    EXPECT_TRUE(wadBatches({}, 4).empty());

    std::vector<std::string> long_(30, std::string(3000, 'x'));
    long_[7] = std::string(40000, 'y');
    EXPECT_EQ(sizes(long_, 4), (std::vector<std::size_t>{7, 1, 8, 8, 6}));
    EXPECT_EQ(wadBatchCommandLine({"/a b.wad", "/c.wad"}, {0, 2}),
              "KRVgfiles CHECKWADS \"/a b.wad\" \"/c.wad\"");
}

TEST(MapListBatches, SplitsTheRecordsBackIntoEachFilesOutput) {
    const std::string twoMaps = "PWAD\r\nNUMLEVELS 2\r\nGLNODES 0\r\nMAP01\r\nMAP02\r\n";
    const std::string output = "a runtime's notice\r\nFILE 1 0 5\r\n" + twoMaps +
                               "FILE 2 1 0\r\nFILE 3 0 3\r\nPWAD\r\nNUMLEVELS 0\r\n";
    const auto results = splitWadChecks(output, 4);
    ASSERT_EQ(results.size(), 4u);
    ASSERT_TRUE(results[0] && results[1]);
    EXPECT_TRUE(results[0]->started);
    EXPECT_EQ(results[0]->exitCode, 0);
    EXPECT_EQ(results[0]->output, twoMaps);
    EXPECT_EQ(results[1]->exitCode, 1);
    EXPECT_EQ(results[1]->output, "");
    EXPECT_FALSE(results[2]); // cut short
    EXPECT_FALSE(results[3]);

    // Records out of turn or malformed heads are not taken.
    for (const char* bad : {"FILE 2 0 0\r\n", "FILE 1 0\r\n", "FILE 1 0 -1\r\n", "FILE 1 0 0 \r\n",
                            "FILE x 0 0\r\n", "PWAD\r\n", "FILE 1 0 0"})
        EXPECT_FALSE(splitWadChecks(bad, 1)[0]) << bad;
    EXPECT_FALSE(splitWadChecks("", 2)[1]);
}

// A tool that knows no CHECKWADS, or one whose batch ends early, still gives
// each file its CHECKWAD result, from runs of its own; a batch that does not
// start gives each of its files that failure.
TEST(MapListBatches, FilesWithoutARecordAreCheckedAlone) {
    ScriptedPlatform platform;
    const auto paths = InstallPaths::fromRoot("/root");
    std::vector<std::string> files;
    for (int i = 0; i < 12; ++i)
        files.push_back("/g/part" + std::to_string(i) + ".wad");
    const auto aloneOutput = [](const std::string& line) {
        return "PWAD\r\nNUMLEVELS " + std::to_string(line.size() % 10) + "\r\nGLNODES 0\r\n";
    };
    platform.hiddenRunner = [&](const std::string& line, const std::string&) {
        if (line.find("CHECKWADS") == std::string::npos)
            return HiddenRunResult{true, 0, aloneOutput(line)};
        // Only the first batch answers, and only for its first file.
        if (line.find("part0.wad") != std::string::npos)
            return HiddenRunResult{true, 0, "FILE 1 1 0\r\n"};
        return HiddenRunResult{true, 0, ""};
    };
    auto runs = runInspectionToolOnEach(platform, paths, "CHECKWAD", files);
    ASSERT_TRUE(runs);
    ASSERT_EQ(runs->size(), files.size());
    EXPECT_EQ((*runs)[0].exitCode, 1);
    EXPECT_EQ((*runs)[0].output, "");
    for (std::size_t i = 1; i < files.size(); ++i)
        EXPECT_EQ((*runs)[i].output, aloneOutput("KRVgfiles CHECKWAD \"" + files[i] + "\""));
    EXPECT_EQ(platform.hiddenBatches, (std::vector<std::size_t>{4, 11}));
    ASSERT_EQ(platform.progressShown.size(), 1u);
    EXPECT_EQ(platform.progressShown[0].updates.back(), files.size());

    platform.hiddenRunner = [](const std::string&, const std::string&) {
        HiddenRunResult notStarted;
        notStarted.errorNumber = 2;
        return notStarted;
    };
    platform.hiddenBatches.clear();
    runs = runInspectionToolOnEach(platform, paths, "CHECKWAD", files);
    ASSERT_TRUE(runs);
    ASSERT_EQ(runs->size(), files.size());
    for (const HiddenRunResult& run : *runs)
        EXPECT_EQ(toolFailureMessage(run), "CreateProcess failed. Error: 2");
    EXPECT_EQ(platform.hiddenBatches, (std::vector<std::size_t>{4}));
}
