#include "launcher/music/playlist_actions.h"
#include "launcher/music/playlist_builtin.h"

#include "playlist_fixture.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace krv;
using krv::test::Installation;
using krv::test::readFile;
using krv::test::writeFile;
namespace fs = std::filesystem;

namespace {

// Map lines "key music-of-key" for a range of keys.
std::vector<std::string> mapLines(MapSet set) {
    std::vector<std::string> lines;
    for (const std::string& key : mapKeys(set))
        lines.push_back(key + " \"/m/" + key + ".ogg\"");
    return lines;
}

std::vector<std::string> editorSection(MapSet set, const std::vector<std::string>& maps) {
    std::vector<std::string> lines = sectionHeadLines(
        set, sectionHeadings(HeadingStyle::Editor, set == MapSet::Doom ? "DOOM" : "DOOM II"),
        bareEntry);
    lines.insert(lines.end(), maps.begin(), maps.end());
    return lines;
}

} // namespace

// ---- New ----

TEST(PlaylistNew, NameChecks) {
    Installation inst;
    EXPECT_EQ(newPlaylistPrompt().initialText, "MyDoomMusic");
    EXPECT_EQ(newPlaylistPrompt().windowCaption, " Create New Playlist");
    EXPECT_EQ(checkNewPlaylistName(inst.paths, "").step, NewPlaylistStep::Cancelled);

    const NewPlaylistCheck typed = checkNewPlaylistName(inst.paths, "My Doom & Co.KRM");
    EXPECT_EQ(typed.step, NewPlaylistStep::Ready);
    EXPECT_EQ(typed.name, "My Doom & Co");

    writePlaylist(inst.paths, "My Doom & Co", {"MAP01"});
    const NewPlaylistCheck again = checkNewPlaylistName(inst.paths, "MY DOOM & CO");
    EXPECT_EQ(again.step, NewPlaylistStep::AskOverwrite);
    EXPECT_EQ(again.message, (PlaylistMessage{" Music list creation",
                                              "MY DOOM & CO already exists do you wish to "
                                              "overwrite it?    ",
                                              msg::kYesNoQuestion}));

    // The message names what is wrong.
    const std::string forbidden = " A playlist name cannot contain any of  \\ / : * ? \" < > |    ";
    for (const char* name : {"../../Bin/x", "sub/dir", "a:b", "What?", "x\"y"}) {
        const NewPlaylistCheck check = checkNewPlaylistName(inst.paths, name);
        EXPECT_EQ(check.step, NewPlaylistStep::Refused) << name;
        EXPECT_EQ(check.message.text, forbidden) << name;
    }
    EXPECT_EQ(checkNewPlaylistName(inst.paths, std::string(300, 'a')).message.text,
              " This playlist name is too long, please use a shorter one.    ");
    EXPECT_EQ(checkNewPlaylistName(inst.paths, std::string(251, 'a')).step, NewPlaylistStep::Ready);
    for (const char* name : {".krm", " . "})
        EXPECT_EQ(checkNewPlaylistName(inst.paths, name).message.text,
                  " A playlist name needs more than dots and blanks.    ")
            << name;
}

TEST(PlaylistNew, TemplateFollowsTheDoomIwad) {
    IwadRegistry iwads;
    const PlaylistLines doom2 = newPlaylistTemplate(iwads);
    EXPECT_EQ(doom2.type, PlaylistType::Doom2);
    ASSERT_EQ(doom2.lines.size(), 44u);
    EXPECT_EQ(doom2.lines[1], " # INTERMISSION MUSIC FOR DOOM II");
    EXPECT_EQ(doom2.lines[11], "MAP01");

    iwads.paths[static_cast<int>(IwadKind::Doom)] = "/w/DOOM.WAD";
    const PlaylistLines doom = newPlaylistTemplate(iwads);
    EXPECT_EQ(doom.type, PlaylistType::Doom);
    ASSERT_EQ(doom.lines.size(), 48u);
    EXPECT_EQ(doom.lines[9], " # MAP MUSIC FOR DOOM");
    EXPECT_EQ(doom.lines[38], "E4M1");
    EXPECT_EQ(doom.lines[47], "");
}

// ---- Open ----

TEST(PlaylistOpen, StandardPlaylistsOpenUnchanged) {
    Installation inst;
    const auto builtIn = builtInPlaylistLines(MusicPack::Tiber, "Tiber - Doom & Doom2");
    const OpenedPlaylist mixed = inst.open(builtIn);
    EXPECT_EQ(mixed.step, OpenStep::Ready);
    EXPECT_EQ(mixed.playlist.type, PlaylistType::Mixed);
    EXPECT_FALSE(mixed.converted);
    EXPECT_EQ(mixed.playlist.lines, builtIn);

    IwadRegistry iwads;
    const OpenedPlaylist doom2 = inst.open(newPlaylistTemplate(iwads).lines);
    EXPECT_EQ(doom2.step, OpenStep::Ready);
    EXPECT_EQ(doom2.playlist.type, PlaylistType::Doom2);
}

TEST(PlaylistOpen, OldDoom2LayoutIsRebuiltWithMissingMapsBare) {
    Installation inst;
    std::vector<std::string> old = mapLines(MapSet::Doom2);
    old.erase(old.begin() + 4); // MAP05
    const OpenedPlaylist opened = inst.open(old, PlaylistType::Doom);
    EXPECT_EQ(opened.step, OpenStep::Ready);
    EXPECT_TRUE(opened.converted);
    EXPECT_EQ(opened.playlist.type, PlaylistType::Doom2);
    const auto& lines = opened.playlist.lines;
    ASSERT_EQ(lines.size(), 44u);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 3, lines.begin() + 7),
              (std::vector<std::string>{"D_DM2TTL", "D_DM2INT", "D_READ_M", "D_EVIL"}));
    EXPECT_EQ(lines[9], " # MAP MUSIC FOR DOOM II");
    EXPECT_EQ(lines[11 + 3], "MAP04 \"/m/MAP04.ogg\"");
    EXPECT_EQ(lines[11 + 4], "MAP05");
    EXPECT_EQ(lines[42], "MAP32 \"/m/MAP32.ogg\"");
    EXPECT_EQ(lines[43], "");
    EXPECT_TRUE(hasStandardLayout(lines, PlaylistType::Doom2));
}

TEST(PlaylistOpen, RepairKeepsEachIntermissionWithItsOwnLump) {
    Installation inst;
    // Current layout (D_BUNNY) but the map lines are short of E1M5.
    std::vector<std::string> maps = mapLines(MapSet::Doom);
    maps.erase(maps.begin() + 4);
    std::vector<std::string> lines = {"D_BUNNY \"/b.ogg\"", "D_INTRO \"/intro.ogg\"",
                                      "D_INTROA \"/introa.ogg\"", "D_intro \"/later.ogg\""};
    lines.insert(lines.end(), maps.begin(), maps.end());
    OpenedPlaylist opened = inst.open(lines);
    EXPECT_EQ(opened.step, OpenStep::AskRepair);
    EXPECT_EQ(nonStandardQuestion().title, " Non Standard Format");
    EXPECT_EQ(readFile(inst.root / "KRVLaunch/Music/Test.krm").find("E1M5"), std::string::npos);

    repairOpenedPlaylist(opened);
    EXPECT_TRUE(opened.converted);
    const auto& out = opened.playlist.lines;
    ASSERT_EQ(out.size(), 48u);
    EXPECT_EQ(out[3], "D_BUNNY \"/b.ogg\"");
    EXPECT_EQ(out[4], "D_intro \"/later.ogg\""); // the last line of a lump wins
    EXPECT_EQ(out[5], "D_INTROA \"/introa.ogg\"");
    EXPECT_EQ(out[6], "D_INTER");
    EXPECT_EQ(out[11 + 4], "E1M5");
    EXPECT_EQ(out[11 + 5], "E1M6 \"/m/E1M6.ogg\"");
}

TEST(PlaylistOpen, AShortCurrentLayoutFileFailsTheCheckWithoutHarm) {
    Installation inst;
    EXPECT_EQ(inst.open({"D_BUNNY", "E1M1"}).step, OpenStep::AskRepair);
    EXPECT_EQ(inst.open({"D_DM2TTL", "MAP01", "E1M1"}).step, OpenStep::AskRepair);
    EXPECT_FALSE(hasStandardLayout({}, PlaylistType::Mixed));
}

TEST(PlaylistOpen, MapsOutOfOrderKeepTheirMusic) {
    Installation inst;
    std::vector<std::string> old = mapLines(MapSet::Doom);
    std::swap(old[1], old[2]); // E1M3 before E1M2
    old.push_back("E9M9 \"/extra.ogg\"");
    const OpenedPlaylist opened = inst.open(old);
    const auto& lines = opened.playlist.lines;
    EXPECT_EQ(opened.playlist.type, PlaylistType::Doom);
    const auto maps = mapKeys(MapSet::Doom);
    for (std::size_t i = 0; i < maps.size(); ++i)
        EXPECT_EQ(lines[11 + i], maps[i] + " \"/m/" + maps[i] + ".ogg\"");
    ASSERT_EQ(lines.size(), 49u); // the unknown key stays after the expected ones
    EXPECT_EQ(lines[47], "E9M9 \"/extra.ogg\"");
}

TEST(PlaylistOpen, OldMixedLayoutStartingWithDoom2MapsGetsBothSections) {
    Installation inst;
    std::vector<std::string> old = mapLines(MapSet::Doom2);
    const auto doom = mapLines(MapSet::Doom);
    old.insert(old.end(), doom.begin(), doom.end());
    old.insert(old.begin(), "D_EVIL \"/evil.ogg\"");
    const OpenedPlaylist opened = inst.open(old);
    EXPECT_EQ(opened.playlist.type, PlaylistType::Mixed);
    const auto& lines = opened.playlist.lines;
    ASSERT_EQ(lines.size(), 91u);
    EXPECT_EQ(lines, [&] {
        auto expected = editorSection(MapSet::Doom, doom);
        auto doom2 = editorSection(MapSet::Doom2, mapLines(MapSet::Doom2));
        doom2[6] = "D_EVIL \"/evil.ogg\"";
        expected.insert(expected.end(), doom2.begin(), doom2.end());
        expected.push_back("");
        return expected;
    }());
    EXPECT_TRUE(hasStandardLayout(lines, PlaylistType::Mixed));
}

TEST(PlaylistOpen, MissingFilesAndLongFiles) {
    Installation inst;
    EXPECT_EQ(openPlaylist(inst.paths, "nothing", PlaylistType::Doom).step, OpenStep::NotFound);
    std::vector<std::string> many = builtInPlaylistLines(MusicPack::KVane, "K-Vane - Doom2");
    many.resize(400, "");
    const OpenedPlaylist opened = inst.open(many);
    EXPECT_EQ(opened.step, OpenStep::Ready);
    EXPECT_TRUE(opened.truncated);
    EXPECT_EQ(opened.playlist.lines.size(), 301u);
}

TEST(PlaylistOpen, WithoutMapLinesTheTypeStaysAsItWas) {
    Installation inst;
    const OpenedPlaylist opened = inst.open({"just text"}, PlaylistType::Doom);
    EXPECT_EQ(opened.playlist.type, PlaylistType::Doom);
    EXPECT_EQ(opened.playlist.lines.size(), 48u);
    EXPECT_EQ(opened.playlist.lines[11], "E1M1");
}

// ---- Delete ----

TEST(PlaylistDelete, DeletesTheFileAndSelectsTheLastRemainingEntry) {
    Installation inst;
    EXPECT_EQ(deleteQuestion("Tiber - TNT").text,
              "Are you certain you wish to delete TIBER - TNT   ");
    writePlaylist(inst.paths, "Alpha", {""});
    writePlaylist(inst.paths, "Beta", {""});
    writePlaylist(inst.paths, "Gamma", {""});

    DeleteResult result = deletePlaylist(inst.paths, "GAMMA");
    EXPECT_TRUE(result.deleted);
    EXPECT_EQ(result.listing.names, (std::vector<std::string>{"Alpha", "Beta"}));
    EXPECT_EQ(result.listing.selected, 1);

    EXPECT_FALSE(deletePlaylist(inst.paths, "../Music/Alpha").deleted);
    deletePlaylist(inst.paths, "Alpha");
    result = deletePlaylist(inst.paths, "Beta");
    EXPECT_TRUE(result.listing.names.empty());
    EXPECT_EQ(result.listing.selected, -1);
    EXPECT_EQ(playlistControls(result.listing),
              (PlaylistControls{false, false, false, false, true}));
}
