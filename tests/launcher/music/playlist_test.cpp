#include "launcher/music/playlist_auto.h"
#include "launcher/music/playlist_builtin.h"
#include "launcher/music/playlist_format.h"

#include "common/ci_path.h"
#include "playlist_fixture.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace krv;
using krv::test::Installation;
using krv::test::readFile;
using krv::test::writeFile;
namespace fs = std::filesystem;

namespace {

// An entry whose music path is given with Windows separators; stored
// texts use the platform's own.
std::string ref(std::string_view key, std::string_view windowsPath) {
    return std::string(key) + " " + ci::nativeSeparators(windowsPath);
}

const SlotEntry bare = bareEntry;

} // namespace

// ---- Format ----

TEST(PlaylistFormat, SectionsHaveTheCanonicalLayout) {
    const auto doom =
        sectionLines(MapSet::Doom, sectionHeadings(HeadingStyle::Editor, "DOOM"), bare);
    const auto doom2 =
        sectionLines(MapSet::Doom2, sectionHeadings(HeadingStyle::BuiltIn, "DOOM II"), bare);
    ASSERT_EQ(doom.size(), 47u);
    ASSERT_EQ(doom2.size(), 44u);
    EXPECT_EQ(doom[1], " # INTERMISSION MUSIC FOR DOOM");
    EXPECT_EQ(doom[3], "D_BUNNY");
    EXPECT_EQ(doom[7], "D_VICTOR");
    EXPECT_EQ(doom[9], " # MAP MUSIC FOR DOOM");
    EXPECT_EQ(doom[11], "E1M1");
    EXPECT_EQ(doom[38], "E4M1");
    EXPECT_EQ(doom[46], "E4M9");
    EXPECT_EQ(doom2[1], " # -  INTERMISSION MUSIC FOR DOOM II");
    EXPECT_EQ(doom2[6], "D_EVIL");
    EXPECT_EQ(doom2[7], "");
    EXPECT_EQ(doom2[8], "");
    EXPECT_EQ(doom2[9], " # -  MAP MUSIC FOR DOOM II");
    EXPECT_EQ(doom2[42], "MAP32");
    EXPECT_EQ(doom2[43], "");
    // Mixed: the landmarks the layout check looks at.
    EXPECT_EQ(doom[42], "E4M5");
    EXPECT_EQ(doom2[81 - 47], "MAP24");
}

TEST(PlaylistFormat, EntriesAndLineClasses) {
    EXPECT_EQ(entryWithPath("MAP01", "/OggVorbis/x.ogg"), "MAP01 /OggVorbis/x.ogg");
    EXPECT_EQ(entryWithQuotedPath("MAP05", "/a b/d_doom.ogg"), "MAP05 \"/a b/d_doom.ogg\"");
    EXPECT_EQ(entryWithCdTrack("MAP07", 3), "MAP07 CD 03");
    EXPECT_EQ(entryWithCdTrack("E1M1", 12), "E1M1 CD 12");
    EXPECT_EQ(entryKey("D_INTROA \"x.ogg\""), "D_INTROA");
    EXPECT_EQ(entryKey("E1M1"), "E1M1");
    EXPECT_TRUE(isIntermissionLine("d_read_m x"));
    EXPECT_FALSE(isIntermissionLine(" # -  INTERMISSION MUSIC FOR DOOM"));
    EXPECT_TRUE(marksCurrentLayout("d_bunny"));
    EXPECT_FALSE(marksCurrentLayout("D_INTRO"));
    EXPECT_TRUE(isDoomMapLine("e4m9"));
    EXPECT_TRUE(isDoom2MapLine("map32"));
    EXPECT_TRUE(isAcceptedMusicType("OGG"));
    EXPECT_TRUE(isAcceptedMusicType("s3m"));
    EXPECT_FALSE(isAcceptedMusicType("wav"));
    EXPECT_EQ(mapKeys(MapSet::Doom2).front(), "MAP01");
    EXPECT_EQ(mapKeys(MapSet::Doom).size(), 36u);
}

TEST(PlaylistFormat, NamesThatLeaveTheMusicFolderAreRefused) {
    Installation inst;
    for (const char* name : {"", "..", "../escape", "a/b", "a\\b", "x\"y", "bad\r\nname"})
        EXPECT_FALSE(isSafePlaylistName(name)) << name;
    for (const char* name : {"Dunmóre - TNT", "Tiber - Doom & Doom2", "My.Music", "What?"})
        EXPECT_TRUE(isSafePlaylistName(name)) << name;

    EXPECT_EQ(writePlaylist(inst.paths, "../escape", {"MAP01"}), IoStatus::AccessDenied);
    EXPECT_FALSE(fs::exists(inst.root / "KRVLaunch/escape.krm"));
    writeFile(inst.root / "KRVLaunch/keep.krm", "x");
    EXPECT_FALSE(deletePlaylistFile(inst.paths, "../keep"));
    EXPECT_TRUE(fs::exists(inst.root / "KRVLaunch/keep.krm"));
    EXPECT_EQ(readPlaylist(inst.paths, "../keep").status, IoStatus::NotFound);
}

TEST(PlaylistFormat, WritesCrLfIntoANewMusicFolderAndReadsAtMost301Lines) {
    Installation inst;
    ASSERT_FALSE(fs::exists(inst.root / "KRVLaunch/Music"));
    ASSERT_EQ(writePlaylist(inst.paths, "Dunmóre & Co", {"", "MAP01 \"/a.ogg\""}), IoStatus::Ok);
    EXPECT_EQ(readFile(inst.music("Dunmóre & Co.krm")), "\r\nMAP01 \"/a.ogg\"\r\n");
    EXPECT_TRUE(playlistExists(inst.paths, "DUNMóRE & co"));

    std::vector<std::string> many(400, "E1M1");
    ASSERT_EQ(writePlaylist(inst.paths, "long", many), IoStatus::Ok);
    const PlaylistText text = readPlaylist(inst.paths, "LONG");
    EXPECT_EQ(text.lines.size(), kPlaylistOpenLines);
    EXPECT_TRUE(text.truncated);
}

TEST(PlaylistFormat, LastMusicFolderIsForgottenWhenTheFolderIsGone) {
    Installation inst;
    EXPECT_EQ(readLastMusicFolder(inst.paths), "");
    const std::string folder = (inst.root / "Tunes").string();
    fs::create_directories(folder);
    ASSERT_EQ(writeLastMusicFolder(inst.paths, folder), IoStatus::Ok);
    EXPECT_EQ(readFile(inst.music("music.krv")), folder + "\r\n");
    EXPECT_EQ(readLastMusicFolder(inst.paths), folder);
    fs::remove(folder);
    EXPECT_EQ(readLastMusicFolder(inst.paths), "");
}

// ---- Built-in playlists ----

TEST(PlaylistBuiltIn, KVaneDoom2IsTheFullExampleAndIsRewrittenAtEveryStart) {
    Installation inst;
    inst.artist("K-Vane");
    writeBuiltInPlaylists(inst.paths, inst.iwads);
    const auto lines = inst.playlist("K-Vane - Doom2");
    ASSERT_EQ(lines.size(), 44u);
    const std::vector<std::string> head = {"",
                                           " # -  INTERMISSION MUSIC FOR DOOM II",
                                           "",
                                           ref("D_DM2TTL", "\\OggVorbis\\K-Vane\\d_dm2ttl.ogg"),
                                           ref("D_DM2INT", "\\OggVorbis\\K-Vane\\d_dm2int.ogg"),
                                           ref("D_READ_M", "\\OggVorbis\\K-Vane\\d_read_m.ogg"),
                                           ref("D_EVIL", "\\OggVorbis\\K-Vane\\d_evil.ogg"),
                                           "",
                                           "",
                                           " # -  MAP MUSIC FOR DOOM II",
                                           ""};
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 11), head);
    EXPECT_EQ(lines[11], ref("MAP01", "\\OggVorbis\\K-Vane\\d_runnin.ogg"));
    EXPECT_EQ(lines[11 + 17], ref("MAP18", "\\OggVorbis\\K-Vane\\d_romero.ogg"));
    EXPECT_EQ(lines[42], ref("MAP32", "\\OggVorbis\\K-Vane\\d_ultima.ogg"));
    EXPECT_EQ(lines[43], "");
    EXPECT_EQ(readFile(inst.music("K-Vane - Doom2.krm")).substr(0, 4), "\r\n #");

    writePlaylist(inst.paths, "K-Vane - Doom2", {"MAP01 \"/mine.ogg\""});
    writeBuiltInPlaylists(inst.paths, inst.iwads);
    EXPECT_EQ(inst.playlist("K-Vane - Doom2"), lines);
}

TEST(PlaylistBuiltIn, TiberPlutoniaAndTntNeedTheirIwadAndMusic) {
    Installation inst;
    inst.artist("Tiber", {"d_ampie", "d_e1m2"});
    writeBuiltInPlaylists(inst.paths, inst.iwads);
    EXPECT_TRUE(fs::exists(inst.music("Tiber - Doom & Doom2.krm")));
    EXPECT_FALSE(fs::exists(inst.music("Tiber - Plutonia.krm")));
    EXPECT_FALSE(fs::exists(inst.music("Tiber - TNT.krm")));

    // Located later: the Plutonia playlist comes at the next start; TNT still
    // lacks its music file.
    inst.registerIwad(IwadKind::Plutonia, "PLUTONIA.WAD");
    inst.registerIwad(IwadKind::Tnt, "tnt.wad");
    writeBuiltInPlaylists(inst.paths, inst.iwads);
    const auto plutonia = inst.playlist("Tiber - Plutonia");
    ASSERT_EQ(plutonia.size(), 44u);
    EXPECT_EQ(plutonia[1], " # -  INTERMISSION MUSIC FOR PLUTONIA");
    EXPECT_EQ(plutonia[6], ref("D_EVIL", "\\OggVorbis\\Tiber\\d_e1m8.ogg"));
    EXPECT_EQ(plutonia[11 + 10], ref("MAP11", "\\OggVorbis\\Tiber\\d_bunny.ogg"));
    EXPECT_EQ(plutonia[42], ref("MAP32", "\\OggVorbis\\Tiber\\d_e2m8.ogg"));
    EXPECT_FALSE(fs::exists(inst.music("Tiber - TNT.krm")));

    inst.artist("Tiber", {"tnt_doom"});
    writeBuiltInPlaylists(inst.paths, inst.iwads);
    const auto tnt = inst.playlist("Tiber - TNT");
    ASSERT_EQ(tnt.size(), 44u);
    EXPECT_EQ(tnt[9], " # -  MAP MUSIC FOR TNT");
    EXPECT_EQ(tnt[4], ref("D_DM2INT", "\\OggVorbis\\Tiber\\tnt_evil.ogg"));
    EXPECT_EQ(tnt[11 + 2], ref("MAP03", "\\OggVorbis\\Tiber\\d_messag.ogg"));
    EXPECT_EQ(tnt[11 + 18], ref("MAP19", "\\OggVorbis\\Tiber\\d_countd.ogg"));
}

TEST(PlaylistBuiltIn, DoomAndDoom2IsBothSectionsWithTheTablesMusic) {
    Installation inst;
    inst.artist("moldwin"); // the folder test ignores case
    writeBuiltInPlaylists(inst.paths, inst.iwads);
    const auto lines = inst.playlist("Moldwin - Doom & Doom2");
    ASSERT_EQ(lines.size(), 91u);
    EXPECT_EQ(lines[1], " # -  INTERMISSION MUSIC FOR DOOM");
    EXPECT_EQ(lines[6], ref("D_INTER", "\\OggVorbis\\Moldwin\\d_e2m3.ogg"));
    EXPECT_EQ(lines[11 + 13], ref("E2M5", "\\OggVorbis\\Moldwin\\d_e1m7.ogg"));
    EXPECT_EQ(lines[38], ref("E4M1", "\\OggVorbis\\Moldwin\\d_e1m8.ogg"));
    EXPECT_EQ(lines[46], ref("E4M9", "\\OggVorbis\\Moldwin\\d_e1m9.ogg"));
    EXPECT_EQ(lines[47 + 1], " # -  INTERMISSION MUSIC FOR DOOM II");
    EXPECT_EQ(lines[81], ref("MAP24", "\\OggVorbis\\Moldwin\\d_the_da.ogg"));
    EXPECT_EQ(lines[90], "");
}

TEST(PlaylistBuiltIn, UserCopiesStayUntilDeletedAndAPackGoneTakesItsPlaylists) {
    Installation inst;
    inst.artist("Tiber", {"tnt_doom"});
    inst.registerIwad(IwadKind::Tnt, "TNT.WAD");
    writePlaylist(inst.paths, "tiber - tnt", {"MAP01 \"/mine.ogg\""});
    writePlaylist(inst.paths, "Mine", {"MAP01"});
    writeBuiltInPlaylists(inst.paths, inst.iwads);
    EXPECT_EQ(inst.playlist("tiber - tnt"), std::vector<std::string>{"MAP01 \"/mine.ogg\""});

    ci::removeFile(inst.music("tiber - tnt.krm"));
    writeBuiltInPlaylists(inst.paths, inst.iwads);
    EXPECT_EQ(inst.playlist("Tiber - TNT").size(), 44u);

    fs::remove_all(inst.root / "OggVorbis/Tiber");
    writeBuiltInPlaylists(inst.paths, inst.iwads);
    EXPECT_FALSE(fs::exists(inst.music("Tiber - TNT.krm")));
    EXPECT_FALSE(fs::exists(inst.music("Tiber - Doom & Doom2.krm")));
    EXPECT_TRUE(fs::exists(inst.music("Mine.krm")));
}

TEST(PlaylistBuiltIn, DunmoreFixesLeftoversOnlyWhenItWritesItsPlaylist) {
    Installation inst;
    inst.artist("Dunmore");
    writeFile(inst.root / "OggVorbis/Dunmore/tnt_stalks2.ogg", "stalks");
    writeFile(inst.root / "OggVorbis/Dunmore/tnt_stlks2.ogg", "old");
    writeFile(inst.music("Dunmóre.krm"), "old playlist");
    writeBuiltInPlaylists(inst.paths, inst.iwads);

    const auto tnt = inst.playlist("Dunmóre - TNT");
    ASSERT_EQ(tnt.size(), 44u);
    EXPECT_EQ(tnt[11 + 2], ref("MAP03", "\\OggVorbis\\Dunmore\\d_countd.ogg"));
    EXPECT_EQ(tnt[11 + 18], ref("MAP19", "\\OggVorbis\\Dunmore\\d_shawn2.ogg"));
    EXPECT_EQ(tnt[11 + 10], ref("MAP11", "\\OggVorbis\\Dunmore\\tnt_stlks2.ogg"));
    EXPECT_EQ(readFile(inst.root / "OggVorbis/Dunmore/tnt_stlks2.ogg"), "stalks");
    EXPECT_FALSE(fs::exists(inst.root / "OggVorbis/Dunmore/tnt_stalks2.ogg"));
    EXPECT_EQ(readFile(inst.music("Dunmóre.old")), "old playlist");
    EXPECT_FALSE(fs::exists(inst.music("Dunmóre.krm")));

    // With the playlist already there, neither fix-up runs.
    writeFile(inst.root / "OggVorbis/Dunmore/tnt_stalks2.ogg", "again");
    writeFile(inst.music("Dunmóre.krm"), "again");
    writeBuiltInPlaylists(inst.paths, inst.iwads);
    EXPECT_TRUE(fs::exists(inst.root / "OggVorbis/Dunmore/tnt_stalks2.ogg"));
    EXPECT_TRUE(fs::exists(inst.music("Dunmóre.krm")));
}

// ---- The list and the selection ----

TEST(PlaylistList, ListsPlaylistFilesSortedAndSelectsTheCurrentOne) {
    Installation inst;
    PlaylistListing empty = listPlaylists(inst.paths, "x");
    EXPECT_TRUE(fs::is_directory(inst.root / "KRVLaunch/Music"));
    EXPECT_TRUE(empty.names.empty());
    EXPECT_EQ(empty.selected, -1);
    EXPECT_EQ(playlistControls(empty), (PlaylistControls{false, false, false, false, true}));

    writeFile(inst.music("tiber - TNT.KRM"), "");
    writeFile(inst.music("Alpha.krm"), "");
    writeFile(inst.music("notes.txt"), "");
    writeFile(inst.music("auto-playlist.krv"), "");
    fs::create_directories(inst.music("folder.krm"));
    const PlaylistListing listing = listPlaylists(inst.paths, "TIBER - tnt");
    EXPECT_EQ(listing.names, (std::vector<std::string>{"Alpha", "tiber - TNT"}));
    EXPECT_EQ(listing.selected, 1);
    EXPECT_EQ(playlistControls(listing), (PlaylistControls{true, true, true, true, false}));
}

TEST(PlaylistSelection, ModesExcludeEachOtherAndANewEntryClearsManual) {
    Settings s;
    s.manualPlaylist = "Alpha";
    s.playlistManual = true;
    selectPlaylist(s, "Alpha");
    EXPECT_TRUE(s.playlistManual);
    selectPlaylist(s, "Beta");
    EXPECT_FALSE(s.playlistManual);
    EXPECT_EQ(s.manualPlaylist, "Beta");

    setManualMode(s, true);
    setAutoMode(s, true);
    EXPECT_TRUE(s.playlistAuto);
    EXPECT_FALSE(s.playlistManual);
    setManualMode(s, true);
    EXPECT_FALSE(s.playlistAuto);
    setManualMode(s, false);
    EXPECT_FALSE(s.playlistManual);
    EXPECT_EQ(noAutoPlaylistMessage().title, " No auto playlist detected ");
}

// ---- Automatic playlists ----

TEST(PlaylistAuto, FirstAssignmentWritesTheDefaultsAroundTheName) {
    Installation inst;
    EXPECT_FALSE(autoPlaylistExists(inst.paths));
    const auto shown = assignAutoPlaylist(inst.paths, AutoGame::Doom2, "Tiber - Doom & Doom2");
    ASSERT_TRUE(shown.has_value());
    EXPECT_EQ(shown->title, " Auto playlist selection for DOOM II");
    EXPECT_EQ(shown->text,
              "     Tiber - Doom & Doom2  has been added to your auto selection.         \r\n");
    EXPECT_EQ(readFile(inst.music("auto-playlist.krv")),
              "IMPORTANT: Do not manually edit or change the order of this list\r\n"
              "Doom/Ultimate Doom Placeholder\r\n"
              "Tiber - Doom & Doom2\r\n"
              "Plutonia - Placeholder\r\n"
              "TNT - Placeholder\r\n");
}

TEST(PlaylistAuto, AShortFileIsCompletedAndUnsafeNamesAreNotStored) {
    Installation inst;
    writeFile(inst.music("auto-playlist.krv"), "warning\r\nMy Doom\r\n");
    ASSERT_TRUE(assignAutoPlaylist(inst.paths, AutoGame::Tnt, "Dunmóre - TNT").has_value());
    const auto lines = splitLines(readFile(inst.music("auto-playlist.krv")));
    EXPECT_EQ(lines, (std::vector<std::string>{"warning", "My Doom", "Doom II - Placeholder",
                                               "Plutonia - Placeholder", "Dunmóre - TNT"}));
    EXPECT_FALSE(assignAutoPlaylist(inst.paths, AutoGame::Doom, "two\r\nlines").has_value());
    EXPECT_EQ(splitLines(readFile(inst.music("auto-playlist.krv"))), lines);
}

// An assignment rewrites its own line and copies every other byte, however
// many lines follow and however long the file; a file it cannot read stays.
TEST(PlaylistAuto, AnAssignmentChangesOnlyItsLineOfAFileOfAnyLength) {
    Installation inst;
    const fs::path file = inst.music("auto-playlist.krv");
    const std::string head = "IMPORTANT\r\nMy Doom\r\n";
    const std::string seventh = "Plutonia - Placeholder\nTNT - Placeholder\r\nkept 6\r\nkept 7";
    writeFile(file, head + "Doom II - Placeholder\r\n" + seventh);
    ASSERT_TRUE(assignAutoPlaylist(inst.paths, AutoGame::Doom2, "What?").has_value());
    EXPECT_EQ(readFile(file), head + "What?\r\n" + seventh);

    std::string big = "IMPORTANT\r\nMy Doom\nDoom II - Placeholder\r\nPlutonia\r\nTNT\r\n";
    while (big.size() <= kSmallFileLimit)
        big += "a line the launcher does not know, kept as it is\r\n";
    writeFile(file, big);
    const auto shown = assignAutoPlaylist(inst.paths, AutoGame::Tnt, "Dunmóre - TNT");
    ASSERT_TRUE(shown.has_value());
    EXPECT_EQ(shown->style, msg::kOk | msg::kSystemModal);
    std::string expected = big;
    expected.replace(expected.find("TNT\r\n"), 3, "Dunmóre - TNT");
    EXPECT_EQ(readFile(file), expected);
    EXPECT_EQ(chooseAutoPlaylist(inst.paths, "/w/tnt.wad", {"Dunmóre - TNT"}),
              (AutoPlaylistChoice{"Dunmóre - TNT", true}));

    // Its first lines past the cap: it cannot be read, and is not replaced.
    const std::string unreadable = std::string(kSmallFileLimit + 1, 'x') + "\r\n";
    writeFile(file, unreadable);
    const auto refused = assignAutoPlaylist(inst.paths, AutoGame::Doom, "Mine");
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(refused->style, msg::kCritical);
    EXPECT_EQ(readFile(file), unreadable);
}

TEST(PlaylistAuto, ChoiceFollowsTheIwadsBaseName) {
    Installation inst;
    const std::vector<std::string> listed = {"Alpha", "Tiber - Doom & Doom2", "Dunmóre - TNT"};
    EXPECT_EQ(chooseAutoPlaylist(inst.paths, "/w/DOOM2.WAD", listed), AutoPlaylistChoice{});
    writeFile(inst.music("auto-playlist.krv"),
              "w\r\nalpha\r\nTIBER - DOOM & DOOM2\r\nPlutonia - Placeholder\r\nDunmóre - TNT\r\n");
    EXPECT_EQ(chooseAutoPlaylist(inst.paths, "/w/doom1.wad", listed),
              (AutoPlaylistChoice{"alpha", true}));
    EXPECT_EQ(chooseAutoPlaylist(inst.paths, "/w/Doom.wad", listed).name, "alpha");
    EXPECT_EQ(chooseAutoPlaylist(inst.paths, "/w/DOOM2.WAD", listed),
              (AutoPlaylistChoice{"TIBER - DOOM & DOOM2", true}));
    EXPECT_EQ(chooseAutoPlaylist(inst.paths, "/w/plutonia.wad", listed),
              (AutoPlaylistChoice{"Plutonia - Placeholder", false}));
    EXPECT_EQ(chooseAutoPlaylist(inst.paths, "/w/Tnt.wad", listed).found, true);
    // No stale choice for an IWAD of no game.
    EXPECT_EQ(chooseAutoPlaylist(inst.paths, "/w/heretic.wad", listed), AutoPlaylistChoice{});
}

TEST(PlaylistAuto, SubmenuEntriesNeedTheIwadFile) {
    Installation inst;
    inst.registerIwad(IwadKind::Doom2, "doom2.wad");
    inst.iwads.paths[static_cast<int>(IwadKind::Tnt)] = (inst.root / "gone/tnt.wad").string();
    EXPECT_EQ(autoSelectEntriesEnabled(inst.iwads),
              (std::array<bool, 4>{false, true, false, false}));
    EXPECT_STREQ(autoGames()[0].menuCaption, "Doom/Ultimate Doom");
}

TEST(PlaylistControls, SoundOrMusicOffTakesThePlaylistsAndAutoTakesTheList) {
    EXPECT_EQ(musicAvailability(false, false, false), (MusicAvailability{true, true}));
    EXPECT_EQ(musicAvailability(false, false, true), (MusicAvailability{true, false}));
    EXPECT_EQ(musicAvailability(true, false, false), (MusicAvailability{false, false}));
    EXPECT_EQ(musicAvailability(false, true, false), (MusicAvailability{false, false}));
}
