// The purge buttons of the options on a generated library: saved games and
// node caches go with their records, the games themselves stay.
#include "main_form_fixture.h"

#include "support/wad_builder.h"

#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

using krv::test::WadBuilder;

namespace {

struct Games : Window {
    Games() {
        root.installTools();
        const std::string wad = WadBuilder().mapLevels(2).build();
        writeFile(root / "KRVGames/Castle/Pwads/castle.wad", wad);
        writeFile(root / "KRVGames/Castle/Pwads/castle.deh", "patch");
        writeFile(root / "KRVGames/Hell/Gwads/hell.wad", wad);
        writeFile(root / "KRVGames/Hell/Gwads/bonus.wad", wad);
        Settings s;
        s.gamesListView = LibraryController::InstalledGames;
        writeFile(root.configFile(), configText(s));
    }
    void answer(int result) { platform.messageAnswers.push_back(result); }
};

} // namespace

TEST(Purge, SavedGamesGoWithTheirRecordsAndNodesOnlyEmptyTheirFolders) {
    Games w;
    writeFile(w.root / "UserSG/Castle/savegame/KorvathSav0.krvsg", "s");
    writeFile(w.root / "KRVGames/Castle/savegame/old.krvsg", "s");
    writeFile(w.root / "KRVLaunch/GameInfo/Save/castle.krvs", "0\r\n");
    writeFile(w.root / "KRVLaunch/GameInfo/Pwads/castle.krvm", "MAP01\r\n");
    writeFile(w.root / "KRVAnFiles/castle.nodes", "n");
    writeFile(w.root / "gwa/castle.gwa", "n");
    w.load();
    for (const int answer : {msg::kResultNo, msg::kResultYes}) {
        w.answer(answer);
        named<QPushButton>(*w.form, "ButPurge", 1)->click();
        EXPECT_EQ(fs::exists(w.root / "gwa/castle.gwa"), answer == msg::kResultNo);
    }
    EXPECT_EQ(w.platform.messages.back().title, " Delete all saved nodes");
    EXPECT_TRUE(fs::is_directory(w.root / "gwa"));
    EXPECT_TRUE(fs::is_directory(w.root / "KRVAnFiles"));

    writeFile(w.root / "KRVAnFiles/castle.nodes", "n");
    w.answer(msg::kResultNo);
    named<QPushButton>(*w.form, "ButPurge", 0)->click();
    EXPECT_TRUE(fs::exists(w.root / "UserSG/Castle"));
    w.answer(msg::kResultYes);
    named<QPushButton>(*w.form, "ButPurge", 0)->click();
    EXPECT_EQ(w.platform.messages.back().title, " Purge all savegames ");
    EXPECT_TRUE(fs::is_directory(w.root / "UserSG"));
    EXPECT_FALSE(fs::exists(w.root / "UserSG/Castle"));
    EXPECT_FALSE(fs::exists(w.root / "KRVGames/Castle/savegame"));
    EXPECT_FALSE(fs::exists(w.root / "KRVAnFiles"));
    EXPECT_FALSE(fs::exists(w.root / "KRVLaunch/GameInfo/Save"));
    EXPECT_TRUE(fs::exists(w.root / "KRVLaunch/GameInfo/Pwads/castle.krvm"));
    EXPECT_EQ(w.state.session.saveGames.count(), 0);
}
