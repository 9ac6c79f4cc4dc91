// Reading the inspection tool's map and savegame output, and the warp
// target that follows from the chosen map.
#include "launcher/inspect/map_list.h"

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
