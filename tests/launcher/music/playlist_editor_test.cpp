#include "launcher/music/playlist_editor.h"

#include "playlist_fixture.h"

#include <gtest/gtest.h>

using namespace krv;
using krv::test::Installation;
using krv::test::writeFile;

namespace {

// A section in the editor's layout with music on every slot: each key plays
// "/m/<key>.ogg", or the file `music` gives for it.
std::vector<std::string> section(MapSet set,
                                 const std::function<std::string(std::string_view)>& music) {
    return sectionLines(
        set, sectionHeadings(HeadingStyle::Editor, set == MapSet::Doom ? "DOOM" : "DOOM II"),
        [&](std::string_view key) { return entryWithQuotedPath(key, music(key)); });
}
std::string own(std::string_view key) {
    return "/m/" + std::string(key) + ".ogg";
}

EditedPlaylist doomPlaylist() {
    EditedPlaylist p;
    p.name = "Mine";
    p.type = PlaylistType::Doom;
    p.lines = section(MapSet::Doom, own);
    p.lines.push_back("");
    return p;
}

// What a Doom playlist becomes for Doom II: the intermission music carried
// by position, each map's music under its Doom II key.
std::vector<std::string> doomAsDoom2() {
    const std::vector<std::string> doom = mapKeys(MapSet::Doom);
    const auto doom2 = mapKeys(MapSet::Doom2);
    return section(MapSet::Doom2, [&](std::string_view key) {
        const auto i = std::find(doom2.begin(), doom2.end(), key);
        if (i != doom2.end())
            return own(doom[static_cast<std::size_t>(i - doom2.begin())]);
        const auto lumps = intermissionKeys(MapSet::Doom2);
        const auto k =
            static_cast<std::size_t>(std::find(lumps.begin(), lumps.end(), key) - lumps.begin());
        return own(intermissionKeys(MapSet::Doom)[k]);
    });
}

} // namespace

TEST(PlaylistEditor, ToggleBothWaysKeepsEveryAssignment) {
    EditedPlaylist p = doomPlaylist();
    const std::vector<std::string> original = p.lines;
    ToggleMap(p);
    EXPECT_EQ(p.type, PlaylistType::Doom2);
    EXPECT_TRUE(p.unsaved);
    EXPECT_EQ(p.lines, doomAsDoom2());
    ToggleMap(p);
    EXPECT_EQ(p.type, PlaylistType::Doom);
    EXPECT_EQ(p.lines, original); // D_VICTOR and E4M6-E4M9 come back with their music

    // Saved as Doom II and reopened: nothing was set aside, the Doom-only
    // slots come back bare.
    EditedPlaylist reopened;
    reopened.type = PlaylistType::Doom2;
    reopened.lines = doomAsDoom2();
    ToggleMap(reopened);
    std::vector<std::string> bare = original;
    bare[7] = "D_VICTOR";
    for (std::size_t i = 43; i < 47; ++i)
        bare[i] = withoutMusic(bare[i]);
    EXPECT_EQ(reopened.lines, bare);

    EditedPlaylist mixed;
    mixed.type = PlaylistType::Mixed;
    mixed.lines = {"E1M1", "MAP01"};
    ToggleMap(mixed);
    EXPECT_FALSE(mixed.unsaved);
}

TEST(PlaylistEditor, CloneMakesTheMixedLayoutFromEitherGame) {
    EditedPlaylist fromDoom = doomPlaylist();
    Clone(fromDoom);
    std::vector<std::string> expected = section(MapSet::Doom, own);
    const auto doom2 = doomAsDoom2();
    expected.insert(expected.end(), doom2.begin(), doom2.end());
    EXPECT_EQ(fromDoom.lines, expected);
    EXPECT_EQ(fromDoom.type, PlaylistType::Mixed);
    EXPECT_TRUE(hasStandardLayout(fromDoom.lines, PlaylistType::Mixed));
    EXPECT_TRUE(MixedMapTypes(fromDoom.lines));

    EditedPlaylist fromDoom2;
    fromDoom2.type = PlaylistType::Doom2;
    fromDoom2.lines = section(MapSet::Doom2, own);
    fromDoom2.cloneList = {"D_VICTOR \"/old.ogg\""}; // not used for a clone
    Clone(fromDoom2);
    ASSERT_EQ(fromDoom2.lines.size(), 91u);
    EXPECT_EQ(fromDoom2.lines[3], "D_BUNNY \"/m/D_DM2TTL.ogg\"");
    EXPECT_EQ(fromDoom2.lines[7], "D_VICTOR");
    EXPECT_EQ(fromDoom2.lines[42], "E4M5 \"/m/MAP32.ogg\"");
    EXPECT_EQ(fromDoom2.lines[43], "E4M6");
    EXPECT_EQ(std::vector<std::string>(fromDoom2.lines.begin() + 47, fromDoom2.lines.end()),
              section(MapSet::Doom2, own));
}

TEST(PlaylistEditor, MapKeysAndLineEdits) {
    EXPECT_EQ(GetNewMap("e1m1", PlaylistType::Doom), "MAP01");
    EXPECT_EQ(GetNewMap("E4M5", PlaylistType::Doom), "MAP32");
    EXPECT_EQ(GetNewMap("E4M6", PlaylistType::Doom), std::nullopt);
    EXPECT_EQ(GetNewMap("MAP10", PlaylistType::Doom2), "E2M1");
    EXPECT_EQ(GetNewMap("MAP01", PlaylistType::Mixed), std::nullopt);

    EXPECT_EQ(GetMusicString("E1M1 CD 03"), " CD 03");
    EXPECT_EQ(GetMusicString("E1M1 x.it"), "");
    EXPECT_EQ(cdTrackLine("E1M1 \"/x.ogg\"", 12), "E1M1 CD 12");
    EXPECT_EQ(cdTrackLine("MAP07", 3), "MAP07 CD 03");
    EXPECT_EQ(withoutMusic(" # MAP MUSIC FOR DOOM"), " #");
    EXPECT_EQ(withoutMusic("MAP05 \"/a b.ogg\""), "MAP05");
    EXPECT_EQ(withoutMusic(""), "");
    EXPECT_TRUE(takesMusic("d_evil"));
    EXPECT_TRUE(takesMusic("MAP01"));
    EXPECT_FALSE(takesMusic(" # MAP MUSIC FOR DOOM"));
    EXPECT_FALSE(takesMusic(""));
}

TEST(PlaylistEditor, AddMusicCutsTheRootAndRefusesOtherTypes) {
    Installation inst;
    const std::string root = inst.paths.root;
    const AddedMusic inside =
        addMusicFile(inst.paths, "MAP05", root + "/OggVorbis/Tiber/d_doom.ogg");
    EXPECT_FALSE(inside.refusal);
    EXPECT_EQ(inside.line, "MAP05 \"/OggVorbis/Tiber/d_doom.ogg\"");
    EXPECT_EQ(inside.folder, root + "/OggVorbis/Tiber");
    EXPECT_EQ(addMusicFile(inst.paths, "E1M1 CD 02", "/music/A Song.MID").line,
              "E1M1 \"/music/A Song.MID\"");
    // A folder beside the root whose name begins like it is outside.
    EXPECT_EQ(addMusicFile(inst.paths, "E1M1", root + "x/a.ogg").line,
              "E1M1 \"" + root + "x/a.ogg\"");
    for (const char* bad : {"/m/a.wav", "/m/noext"})
        EXPECT_EQ(addMusicFile(inst.paths, "E1M1", bad).refusal->text,
                  " This file type is not supported.    ")
            << bad;
    // A music file whose name the quoted entry cannot hold is refused as such.
    for (const char* bad : {"/m/Rock \"Live\".ogg", "/m/a\r\nE1M2.ogg"})
        EXPECT_EQ(addMusicFile(inst.paths, "E1M1", bad).refusal->text,
                  " A playlist cannot hold this file's name: it contains a double quote or a "
                  "control character.    ")
            << bad;
    EXPECT_EQ(addMusicFile(inst.paths, "E1M1", "/m/a.wav").folder, "/m");

    EXPECT_EQ(addMusicRequest(inst.paths, "").initialFolder, inst.paths.musicFolder);
    EXPECT_EQ(addMusicRequest(inst.paths, "/m").filter,
              "All Files (*.*);;Mp3 Files (*.mp3);;Ogg Files (*.ogg);;Mid Files (*.mid)");
}

TEST(PlaylistEditor, MenusFollowTheNameAndTheFiles) {
    Installation inst;
    EXPECT_EQ(GetListPath(inst.paths, "Dunmóre - TNT", ""), inst.paths.root + "/OggVorbis/Dunmore");
    EXPECT_EQ(GetListPath(inst.paths, "k-vANE x", ""), inst.paths.root + "/OggVorbis/K-Vane");
    EXPECT_EQ(GetListPath(inst.paths, "Tib", "/before"), "/before");

    EditedPlaylist tiber;
    tiber.name = "Tiber - Doom & Doom2";
    tiber.artistFolder = GetListPath(inst.paths, tiber.name, "");
    EXPECT_FALSE(canConvert(tiber));
    EXPECT_EQ(readmeFile(tiber), std::nullopt);
    writeFile(inst.root / "OggVorbis/Tiber/ReadMe.txt", "r");
    EXPECT_TRUE(readmeFile(tiber).has_value());
    EditedPlaylist tnt;
    tnt.name = "Tiber - TNT";
    tnt.lines = {"MAP01"};
    tnt.artistFolder = tiber.artistFolder;
    EXPECT_TRUE(canConvert(tnt));
    EXPECT_EQ(readmeFile(tnt), std::nullopt);
    tnt.lines.push_back("E1M1");
    EXPECT_FALSE(canConvert(tnt));

    EXPECT_EQ(playlistHelpFile(inst.paths), std::nullopt);
    writeFile(inst.root / "KRVLaunch/Data/playlist.txt", "h");
    EXPECT_TRUE(playlistHelpFile(inst.paths).has_value());
}

TEST(PlaylistEditor, TextEditorFromEditorKrvThenNotepad) {
    Installation inst;
    EXPECT_TRUE(textEditorCommands(inst.paths, "Mine").empty());
    writePlaylist(inst.paths, "My Tunes", {"MAP01"});
    const std::string file = inst.paths.musicFolder + "My Tunes.krm";
    const std::string notepad = "notepad.exe \"" + file + "\"";
    EXPECT_EQ(textEditorCommands(inst.paths, "my tunes"), std::vector<std::string>{notepad});
    writeFile(inst.root / "KRVLaunch/Data/editor.krv", "/no/such/editor\r\n");
    EXPECT_EQ(textEditorCommands(inst.paths, "My Tunes"), std::vector<std::string>{notepad});
    writeFile(inst.root / "Tools/My Editor", "#!/bin/sh\n");
    writeFile(inst.root / "KRVLaunch/Data/editor.krv", inst.paths.root + "/Tools/My Editor\r\n");
    EXPECT_EQ(textEditorCommands(inst.paths, "My Tunes"),
              (std::vector<std::string>{
                  "\"" + inst.paths.root + "/Tools/My Editor\" \"" + file + "\"", notepad}));
}

TEST(PlaylistEditor, ClosingAsksAboutChangesBeforeTheNewLayout) {
    EditedPlaylist p;
    EXPECT_EQ(closingQuestion(p), std::nullopt);
    p.converted = true;
    EXPECT_EQ(closingQuestion(p)->title, " Save playlist to new format");
    p.unsaved = true;
    EXPECT_EQ(closingQuestion(p)->title, " Save playlist");
    EXPECT_FALSE(p.converted);
}
