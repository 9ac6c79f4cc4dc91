// The GameInfo records: what each write leaves on disk, what each read
// restores, the clearing of records, and records that cannot be used.

#include "launcher/library/game_info.h"

#include "support/install_root.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace krv {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::writeFile;
using Maps = std::vector<std::string>;

const SelectedGame kManual{SelectedKind::ManualLoading, "My Mod", ""};
const SelectedGame kDoom2{SelectedKind::Commercial, "DOOM II", ""};
const SelectedGame kShareware{SelectedKind::Commercial, "Shareware Doom", ""};
const SelectedGame kZip{SelectedKind::Zip, "Castle", ""};
const SelectedGame kUdir{SelectedKind::AutoLoading, "Udir", "Level.wad"};

class GameInfo : public ::testing::Test {
protected:
    fs::path record(const std::string& rel) const { return root / ("KRVLaunch/GameInfo/" + rel); }
    std::string readRecord(const std::string& rel) const { return readFile(record(rel)); }
    void putRecord(const std::string& rel, std::string_view bytes) const {
        writeFile(record(rel), bytes);
    }

    test::InstallRoot root;
    InstallPaths paths = InstallPaths::fromRoot(root.root());
    GameInfoStore store{paths};
};

TEST_F(GameInfo, AutoRecordsHoldTheWadAndOneLinePerWad) {
    EXPECT_TRUE(store.writeAutoRecords("Udir", "Level.wad", "MAP03", false));
    EXPECT_EQ(readRecord("Gwads/udir.krvg"), "Level.wad\r\n");
    EXPECT_FALSE(fs::exists(record("Gwads/udir.krvm")));

    store.writeAutoRecords("Udir", "a.wad", "MAP01", true);
    store.writeAutoRecords("Udir", "b.wad", "E1M2", true);
    store.writeAutoRecords("Udir", "A.WAD", "MAP05", true);
    // The wad chosen again keeps its first place and takes the second map.
    EXPECT_EQ(readRecord("Gwads/udir.krvm"), "A.WAD MAP05\r\nb.wad E1M2\r\n");
    EXPECT_EQ(store.readWadRecord("UDIR"), "A.WAD");
}

TEST_F(GameInfo, AutoMapUpdateMergesRepeatedLinesAndKeepsOtherWads) {
    putRecord("Gwads/udir.krvm",
              "a.wad MAP01\r\nbad\x01line\r\nb.wad MAP02\r\na.wad MAP03\r\na.wad.wad MAP04\r\n");
    store.writeAutoRecords("Udir", "a.wad", "MAP09", true);
    EXPECT_EQ(readRecord("Gwads/udir.krvm"), "a.wad MAP09\r\nb.wad MAP02\r\na.wad.wad MAP04\r\n");
}

TEST_F(GameInfo, AutoRecordsNeedAGameAndAWad) {
    EXPECT_FALSE(store.writeAutoRecords("", "a.wad", "MAP01", true));
    EXPECT_FALSE(store.writeAutoRecords("Udir", "", "MAP01", true));
    EXPECT_FALSE(store.writeAutoRecords("Udir", "sub/a.wad", "MAP01", true));
    EXPECT_FALSE(fs::exists(record("Gwads")));

    // No map chosen: the wad is remembered, the map line left alone.
    putRecord("Gwads/udir.krvm", "a.wad MAP07\r\n");
    EXPECT_TRUE(store.writeAutoRecords("Udir", "a.wad", "", true));
    EXPECT_EQ(readRecord("Gwads/udir.krvm"), "a.wad MAP07\r\n");
}

TEST_F(GameInfo, RecordsAreFoundIgnoringCase) {
    putRecord("gwads/MY GAME.KRVG", "Old.wad\r\n");
    putRecord("PWADS/My Mod.KRVM", "map02\r\n");
    EXPECT_EQ(store.readWadRecord("my game"), "Old.wad");
    EXPECT_EQ(store.restoreMap(kManual, {"MAP01", "MAP02"}), 1);

    // A rewrite replaces the existing file rather than adding a second one.
    store.writeMapRecord(kManual, "MAP01");
    EXPECT_EQ(readFile(root / "KRVLaunch/GameInfo/PWADS/My Mod.KRVM"), "MAP01\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(root / "KRVLaunch/GameInfo/PWADS"),
                            fs::directory_iterator()),
              1);
}

TEST_F(GameInfo, RestoringAnAutoGame) {
    putRecord("Gwads/udir.krvg", "b.wad\r\n");
    putRecord("Gwads/udir.krvm", "a.wad MAP02\r\nb.wad MAP09\r\n");
    const Maps maps{"MAP01", "MAP02", "MAP03"};
    const Maps files{"A.WAD", "B.WAD", "readme.txt"};

    // The wad's map is listed: it is selected and nothing more happens.
    AutoRestore r = store.readAutoRecords("Udir", true, "A.wad", maps, files);
    EXPECT_EQ(r.mapIndex, 1);
    EXPECT_FALSE(r.wadRestored);

    // A remembered map that is not listed: first map, then the recorded wad.
    r = store.readAutoRecords("Udir", true, "b.wad", maps, files);
    EXPECT_EQ(r.mapIndex, 0);
    EXPECT_TRUE(r.wadRestored);
    EXPECT_EQ(r.mainWad, "b.wad");
    EXPECT_EQ(r.wadIndex, 1);

    // Nothing remembered for the wad: first map, and the selection stands.
    r = store.readAutoRecords("Udir", true, "c.wad", maps, files);
    EXPECT_EQ(r.mapIndex, 0);
    EXPECT_FALSE(r.wadRestored);

    // "Remember last map" off: the map list is left alone, the wad restored.
    r = store.readAutoRecords("Udir", false, "a.wad", maps, files);
    EXPECT_FALSE(r.mapIndex.has_value());
    EXPECT_TRUE(r.wadRestored);
    EXPECT_EQ(r.wadIndex, 1);

    // No wad selected: every line matches, the whole last line is no map.
    r = store.readAutoRecords("Udir", true, "", maps, files);
    EXPECT_EQ(r.mapIndex, 0);
    EXPECT_TRUE(r.wadRestored);
    EXPECT_EQ(r.mainWad, "b.wad");

    // The recorded wad is gone from the game: Launch is to be disabled.
    r = store.readAutoRecords("Udir", false, "", maps, {"A.WAD"});
    EXPECT_EQ(r.mainWad, "b.wad");
    EXPECT_EQ(r.wadIndex, -1);

    // An empty map list selects nothing.
    EXPECT_FALSE(store.readAutoRecords("Udir", true, "c.wad", {}, files).mapIndex.has_value());
}

TEST_F(GameInfo, MapRecordsOfEachKindAndTheirRestore) {
    EXPECT_TRUE(store.writeMapRecord(kManual, "MAP07"));
    EXPECT_TRUE(store.writeMapRecord(kDoom2, "MAP11"));
    EXPECT_TRUE(store.writeMapRecord(kShareware, "E1M4"));
    EXPECT_TRUE(store.writeMapRecord(kZip, "MAP02"));
    EXPECT_TRUE(store.writeMapRecord(kUdir, "MAP12"));
    EXPECT_EQ(readRecord("Pwads/my mod.krvm"), "MAP07\r\n");
    EXPECT_EQ(readRecord("Iwads/doom2.krvm"), "MAP11\r\n");
    EXPECT_EQ(readRecord("Iwads/shareware doom.krvm"), "E1M4\r\n");
    EXPECT_EQ(readRecord("Zips/castle.krvm"), "MAP02\r\n");
    EXPECT_EQ(readRecord("Gwads/udir.krvm"), "Level.wad MAP12\r\n");

    EXPECT_EQ(store.restoreMap(kDoom2, {"map10", "map11"}), 1);
    EXPECT_EQ(store.restoreMap(kUdir, {"MAP11", "MAP12"}), 1);
    EXPECT_EQ(store.restoreMap(kManual, {"MAP01", "MAP02"}), 0); // not listed
    EXPECT_EQ(store.restoreMap({SelectedKind::Zip, "Nothing", ""}, {"MAP01"}), 0);
    EXPECT_FALSE(store.restoreMap(kManual, {}).has_value());
}

TEST_F(GameInfo, SaveRecordsOfEachKind) {
    const SelectedGame udirOtherWad{SelectedKind::AutoLoading, "Udir", "Other.WAD"};
    for (const SelectedGame& game : {kManual, kDoom2, kShareware, kZip, kUdir, udirOtherWad})
        EXPECT_TRUE(store.writeSaveRecord(game, '3')) << game.name;
    for (const char* rel :
         {"Save/my mod.krvs", "Save/doom2.krvs", "Save/shareware doom.krvs", "Save/Zip/castle.krvs",
          "Save/Gwads/udir/level.krvs", "Save/Gwads/udir/other.krvs"})
        EXPECT_EQ(readRecord(rel), "3\r\n") << rel;

    EXPECT_FALSE(store.writeSaveRecord(kManual, 'x'));
    EXPECT_EQ(store.readSaveRecord(kManual), '3');

    const Maps saved{"1 -  Hangar", "3 -  Castle gate", "5 -  Exit"};
    EXPECT_EQ(store.restoreSavedGame(kManual, saved), 1);
    EXPECT_FALSE(store.restoreSavedGame(kManual, {"1 -  Hangar"}).has_value());
    EXPECT_TRUE(store.deleteSaveRecord(kManual));
    EXPECT_FALSE(store.restoreSavedGame(kManual, saved).has_value());
}

TEST_F(GameInfo, ChoosingAMapForgetsTheSavedGameOnlyWithBothPreferences) {
    store.writeSaveRecord(kManual, '2');
    EXPECT_FALSE(store.recordMapChoice(kManual, "MAP04", false, true));
    EXPECT_FALSE(fs::exists(record("Pwads")));

    EXPECT_FALSE(store.recordMapChoice(kManual, "MAP04", true, false));
    EXPECT_EQ(readRecord("Pwads/my mod.krvm"), "MAP04\r\n");
    EXPECT_EQ(store.readSaveRecord(kManual), '2');

    EXPECT_TRUE(store.recordMapChoice(kManual, "MAP05", true, true));
    EXPECT_FALSE(store.readSaveRecord(kManual).has_value());

    // An auto-loading game's map choice also remembers its wad.
    store.writeSaveRecord(kUdir, '1');
    EXPECT_TRUE(store.recordMapChoice(kUdir, "MAP06", true, true));
    EXPECT_EQ(readRecord("Gwads/udir.krvg"), "Level.wad\r\n");
    EXPECT_FALSE(fs::exists(record("Save/Gwads/udir/level.krvs")));
}

TEST_F(GameInfo, ClearingRecordsWhenAPreferenceIsSwitchedOff) {
    store.clearMapRecords(); // nothing there yet
    store.clearSaveRecords();
    for (const SelectedGame& game : {kManual, kDoom2, kZip, kUdir}) {
        store.writeMapRecord(game, "MAP01");
        store.writeSaveRecord(game, '1');
    }
    store.writeAutoRecords("Udir", "Level.wad", "MAP01", false);
    putRecord("Gwads/OTHER.KRVM", "x.wad MAP01\r\n");
    writeFile(root / "UserSG/my mod/savegame/KorvathSav1.krvsg", "saved");

    store.clearMapRecords();
    for (const char* gone : {"Iwads", "Pwads", "Zips", "Gwads/udir.krvm", "Gwads/OTHER.KRVM"})
        EXPECT_FALSE(fs::exists(record(gone))) << gone;
    EXPECT_TRUE(fs::exists(record("Gwads/udir.krvg")));
    EXPECT_EQ(store.readSaveRecord(kZip), '1');

    store.clearSaveRecords();
    EXPECT_FALSE(fs::exists(record("Save")));
    EXPECT_TRUE(fs::exists(root / "UserSG/my mod/savegame/KorvathSav1.krvsg"));
}

TEST_F(GameInfo, ClearingRemovesALinkNotWhatItPointsTo) {
    writeFile(root / "Elsewhere/keep.krvs", "1\r\n");
    fs::create_directories(record(""));
    fs::create_directory_symlink(root / "Elsewhere", record("Save"));
    store.clearSaveRecords();
    EXPECT_FALSE(fs::exists(fs::symlink_status(record("Save"))));
    EXPECT_TRUE(fs::exists(root / "Elsewhere/keep.krvs"));
}

TEST_F(GameInfo, UnusableRecordsMeanNothingRemembered) {
    const Maps maps{"MAP01", "MAP02"};
    putRecord("Pwads/my mod.krvm", "");
    putRecord("Iwads/doom2.krvm", std::string("MAP02\0\0junk", 11));
    putRecord("Zips/castle.krvm", std::string(5000, 'M') + "\r\n");
    putRecord("Save/my mod.krvs", std::string("2\0\x01\r\n", 5));
    putRecord("Save/doom2.krvs", "x\r\n");
    putRecord("Gwads/udir.krvg", std::string("b.wad\0", 6));
    EXPECT_EQ(store.restoreMap(kManual, maps), 0);
    EXPECT_EQ(store.restoreMap(kDoom2, maps), 0);
    EXPECT_EQ(store.restoreMap(kZip, maps), 0);
    EXPECT_FALSE(store.readSaveRecord(kManual).has_value());
    EXPECT_FALSE(store.readSaveRecord(kDoom2).has_value());
    EXPECT_EQ(store.readWadRecord("Udir"), "");

    // A record far larger than any record is not read.
    putRecord("Gwads/udir.krvm", "Level.wad MAP02\r\n" + std::string(2 << 20, 'x'));
    EXPECT_EQ(store.restoreMap(kUdir, maps), 0);
}

TEST_F(GameInfo, FoldersWhereRecordsBelongAreLeftAlone) {
    // A folder named like a record, and a file named like a record folder.
    fs::create_directories(record("Pwads/my mod.krvm"));
    putRecord("Zips", "not a folder");
    EXPECT_FALSE(store.writeMapRecord(kManual, "MAP01"));
    EXPECT_FALSE(store.writeMapRecord(kZip, "MAP01"));
    EXPECT_EQ(store.restoreMap(kManual, {"MAP01", "MAP02"}), 0);
    EXPECT_EQ(store.readMapRecord(kZip), "");
    EXPECT_TRUE(fs::is_directory(record("Pwads/my mod.krvm")));
    EXPECT_EQ(readRecord("Zips"), "not a folder");
}

TEST_F(GameInfo, NamesThatCannotKeyARecordWriteNothing) {
    for (const char* name : {"", "..", "../../Outside", "a\\b", "line\nbreak"}) {
        const SelectedGame game{SelectedKind::ManualLoading, name, ""};
        EXPECT_EQ(store.mapRecordPath(game), "") << name;
        EXPECT_FALSE(store.writeMapRecord(game, "MAP01")) << name;
        EXPECT_FALSE(store.writeSaveRecord(game, '1')) << name;
        EXPECT_FALSE(store.deleteSaveRecord(game)) << name;
    }
    EXPECT_FALSE(fs::exists(root / "Outside.krvm"));
    EXPECT_FALSE(store.writeMapRecord(kManual, "MAP\r\n01"));
    EXPECT_FALSE(fs::exists(record("")));
}

} // namespace
} // namespace krv
