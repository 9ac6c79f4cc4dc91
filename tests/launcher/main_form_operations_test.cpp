// The games menu and the game files menu on a generated library: uninstall,
// rename, the two conversions and deleting a file of a user directory.
#include "main_form_fixture.h"

#include "support/wad_builder.h"

#include <QAction>
#include <QListWidget>
#include <QPushButton>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

using krv::test::WadBuilder;

namespace {

struct Games : Window {
    fs::path desktop;
    Games() {
        root.installTools();
        const std::string wad = WadBuilder().mapLevels(2).build();
        writeFile(root / "KRVGames/Castle/Pwads/castle.wad", wad);
        writeFile(root / "KRVGames/Castle/Pwads/castle.deh", "patch");
        writeFile(root / "KRVGames/Hell/Gwads/hell.wad", wad);
        writeFile(root / "KRVGames/Hell/Gwads/bonus.wad", wad);
        desktop = root / "Desktop";
        platform.specialFolders[SpecialFolder::Desktop] = desktop.string();
        Settings s;
        s.gamesListView = LibraryPanel::InstalledGames;
        writeFile(root.configFile(), configText(s));
    }
    void select(const std::string& name) {
        const auto all = entries(form->library().PwadList);
        const auto it = std::find(all.begin(), all.end(), name);
        ASSERT_NE(it, all.end()) << name;
        form->library().PwadList->setCurrentRow(static_cast<int>(it - all.begin()));
    }
    void selectFile(const std::string& name) {
        const auto all = entries(form->library().PwadShowlist);
        const auto it = std::find(all.begin(), all.end(), name);
        ASSERT_NE(it, all.end()) << name;
        form->library().PwadShowlist->setCurrentRow(static_cast<int>(it - all.begin()));
    }
    void answer(int result) { platform.messageAnswers.push_back(result); }
};

} // namespace

TEST(GameMenus, UninstallRemovesTheGameWithWhatBelongsToItButKeepsSavedGames) {
    Games w;
    writeFile(w.root / "Md2/castle/model.md2", "m");
    writeFile(w.root / "KRVAnFiles/CASTLE_map01.gwa", "n");
    writeFile(w.root / "gwa/castle.gwa", "n");
    writeFile(w.root / "gwa/other.gwa", "n");
    writeFile(w.root / "KRVLaunch/GameInfo/Pwads/castle.krvm", "MAP02\r\n");
    writeFile(w.root / "UserSG/Castle/savegame/KorvathSav0.krvsg", "s");
    writeFile(w.desktop / "Korvath Shortcuts/Castle.desktop", "x");
    w.load();
    ASSERT_EQ(w.form->library().PwadShowlist->currentItem()->text(), "castle.wad");
    w.answer(msg::kResultNo);
    w.form->library().mcDeleteFolder->trigger();
    EXPECT_TRUE(fs::exists(w.root / "KRVGames/Castle"));

    w.answer(msg::kResultYes);
    w.form->library().mcDeleteFolder->trigger();
    EXPECT_EQ(w.platform.messages.back().title, " Remove selected game from list ");
    EXPECT_FALSE(fs::exists(w.root / "KRVGames/Castle"));
    EXPECT_FALSE(fs::exists(w.root / "Md2/castle"));
    EXPECT_FALSE(fs::exists(w.root / "KRVAnFiles/CASTLE_map01.gwa"));
    EXPECT_FALSE(fs::exists(w.root / "gwa/castle.gwa"));
    EXPECT_TRUE(fs::exists(w.root / "gwa/other.gwa"));
    EXPECT_FALSE(fs::exists(w.root / "KRVLaunch/GameInfo/Pwads/castle.krvm"));
    EXPECT_FALSE(fs::exists(w.desktop / "Korvath Shortcuts/Castle.desktop"));
    EXPECT_TRUE(fs::exists(w.root / "UserSG/Castle/savegame/KorvathSav0.krvsg"));
    EXPECT_EQ(entries(w.form->library().PwadList), (std::vector<std::string>{"HELL"}));
}

TEST(GameMenus, AGameInUseIsNotRemoved) {
    Games w;
    w.load();
    const int fd = ::open((w.root / "KRVGames/Castle/Pwads/castle.wad").c_str(), O_RDWR);
    ::flock(fd, LOCK_EX);
    w.answer(msg::kResultYes);
    w.form->library().mcDeleteFolder->trigger();
    ::close(fd);
    EXPECT_EQ(w.platform.messages.back().title, " Access error");
    EXPECT_TRUE(fs::exists(w.root / "KRVGames/Castle/Pwads/castle.wad"));
}

TEST(GameMenus, RenameRefusesDuplicatesAndIllegalNamesAndForgetsTheRecords) {
    Games w;
    writeFile(w.root / "KRVLaunch/GameInfo/Pwads/castle.krvm", "MAP02\r\n");
    w.load();
    w.platform.nameAnswers.push_back({"hell", false});
    w.form->library().mcRenameFolder->trigger();
    EXPECT_EQ(w.platform.namePrompts.back().windowCaption, " Rename Game");
    EXPECT_EQ(w.platform.namePrompts.back().initialText, "Castle");
    EXPECT_EQ(w.platform.messages.back().title, " Duplicate name error");
    // A quote would split the inspection tool's command line; a line break
    // the records: both are refused like a path.
    for (const char* name : {"../Castle2", "Say \"hi\"", "two\r\nlines"}) {
        const std::size_t shown = w.platform.messages.size();
        w.platform.nameAnswers.push_back({name, false});
        w.form->library().mcRenameFolder->trigger();
        ASSERT_EQ(w.platform.messages.size(), shown + 1) << name;
        EXPECT_EQ(w.platform.messages.back().title, " Renaming error") << name;
        EXPECT_TRUE(fs::exists(w.root / "KRVGames/Castle")) << name;
    }

    w.platform.nameAnswers.push_back({"Fortress", false});
    w.form->library().mcRenameFolder->trigger();
    EXPECT_TRUE(fs::exists(w.root / "KRVGames/Fortress/Pwads/castle.wad"));
    EXPECT_FALSE(fs::exists(w.root / "KRVLaunch/GameInfo/Pwads/castle.krvm"));
    EXPECT_EQ(w.form->library().PwadList->currentItem()->text(), "FORTRESS");
}

TEST(GameMenus, ConversionsMoveTheFilesBetweenPwadsAndGwads) {
    Games w;
    writeFile(w.root / "KRVLaunch/GameInfo/Pwads/castle.krvm", "MAP02\r\n");
    w.load();
    w.form->library().mcGwadConvert->trigger();
    EXPECT_TRUE(fs::exists(w.root / "KRVGames/Castle/Gwads/castle.wad"));
    EXPECT_TRUE(fs::exists(w.root / "KRVGames/Castle/Gwads/castle.deh"));
    EXPECT_FALSE(fs::exists(w.root / "KRVGames/Castle/Pwads"));
    EXPECT_FALSE(fs::exists(w.root / "KRVLaunch/GameInfo/Pwads/castle.krvm"));
    EXPECT_TRUE(w.platform.messages.empty()); // no question for this way

    // Back again: two wads ask nothing; the auto-loading records go.
    w.form->library().mcUdirConvert->trigger();
    EXPECT_TRUE(fs::exists(w.root / "KRVGames/Castle/Pwads/castle.wad"));
    EXPECT_FALSE(fs::exists(w.root / "KRVGames/Castle/Gwads"));
    EXPECT_FALSE(fs::exists(w.root / "KRVLaunch/GameInfo/Gwads/castle.krvg"));
    EXPECT_TRUE(w.platform.messages.empty());
}

TEST(GameMenus, AUserDirectoryOfManyWadsAsksBeforeBecomingManual) {
    Games w;
    for (const char* wad : {"c.wad", "d.wad"})
        writeFile(w.root / "KRVGames/Hell/Gwads" / wad, WadBuilder().mapLevels(1).build());
    w.load();
    w.select("HELL");
    w.answer(msg::kResultNo);
    w.form->library().mcUdirConvert->trigger();
    EXPECT_EQ(w.platform.messages.back().title, " User Directory Conversion");
    EXPECT_TRUE(fs::exists(w.root / "KRVGames/Hell/Gwads/hell.wad"));
}

TEST(GameMenus, DeletingAFileOfAUserDirectoryKeepsTheGame) {
    Games w;
    writeFile(w.root / "KRVLaunch/GameInfo/Save/Gwads/hell/bonus.krvs", "1\r\n");
    w.load();
    w.select("HELL");
    w.selectFile("bonus.wad");
    w.answer(msg::kResultYes);
    w.form->library().mcDeleteFile->trigger();
    EXPECT_EQ(w.platform.messages.back().text,
              "Are you certain you wish to delete BONUS.WAD?       ");
    EXPECT_FALSE(fs::exists(w.root / "KRVGames/Hell/Gwads/bonus.wad"));
    EXPECT_FALSE(fs::exists(w.root / "KRVLaunch/GameInfo/Save/Gwads/hell/bonus.krvs"));
    EXPECT_FALSE(fs::exists(w.desktop / "Korvath Shortcuts/Hell - bonus.desktop"));

    w.selectFile("hell.wad");
    w.answer(msg::kResultYes);
    w.form->library().mcDeleteFile->trigger();
    EXPECT_TRUE(fs::is_directory(w.root / "KRVGames/Hell/Gwads"));
    EXPECT_EQ(entries(w.form->library().PwadList), (std::vector<std::string>{"CASTLE", "HELL"}));
}

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
        w.form->options().ButPurge[1]->click();
        EXPECT_EQ(fs::exists(w.root / "gwa/castle.gwa"), answer == msg::kResultNo);
    }
    EXPECT_EQ(w.platform.messages.back().title, " Delete all saved nodes");
    EXPECT_TRUE(fs::is_directory(w.root / "gwa"));
    EXPECT_TRUE(fs::is_directory(w.root / "KRVAnFiles"));

    writeFile(w.root / "KRVAnFiles/castle.nodes", "n");
    w.answer(msg::kResultNo);
    w.form->options().ButPurge[0]->click();
    EXPECT_TRUE(fs::exists(w.root / "UserSG/Castle"));
    w.answer(msg::kResultYes);
    w.form->options().ButPurge[0]->click();
    EXPECT_EQ(w.platform.messages.back().title, " Purge all savegames ");
    EXPECT_TRUE(fs::is_directory(w.root / "UserSG"));
    EXPECT_FALSE(fs::exists(w.root / "UserSG/Castle"));
    EXPECT_FALSE(fs::exists(w.root / "KRVGames/Castle/savegame"));
    EXPECT_FALSE(fs::exists(w.root / "KRVAnFiles"));
    EXPECT_FALSE(fs::exists(w.root / "KRVLaunch/GameInfo/Save"));
    EXPECT_TRUE(fs::exists(w.root / "KRVLaunch/GameInfo/Pwads/castle.krvm"));
    EXPECT_EQ(w.form->inspect().SaveGameList->count(), 0);
}

TEST(GameMenus, AFailedUninstallKeepsTheShortcuts) {
    // A game folder that is a link out of the games folder is refused.
    Games w;
    writeFile(w.root / "Outside/Pwads/away.wad", WadBuilder().mapLevels(1).build());
    fs::create_directory_symlink(w.root / "Outside", w.root / "KRVGames/Away");
    writeFile(w.desktop / "Korvath Shortcuts/Away.desktop", "x");
    w.load();
    w.select("AWAY");
    w.answer(msg::kResultYes);
    w.form->library().mcDeleteFolder->trigger();
    EXPECT_EQ(w.platform.messages.back().title, " Access error");
    EXPECT_TRUE(fs::exists(w.root / "Outside/Pwads/away.wad"));
    EXPECT_TRUE(fs::exists(w.desktop / "Korvath Shortcuts/Away.desktop"));
}
