// The games list on a generated library, with the real inspection tool:
// the three views, the selection of games, files, maps and saved games, the
// records that bring them back, and a launch of an installed game.
#include "main_form_fixture.h"

#include "support/savegame_builder.h"
#include "support/wad_builder.h"
#include "support/zip_builder.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using krv::test::packedSaveGame;
using krv::test::WadBuilder;
using krv::test::ZipBuilder;

namespace {

std::string maps(int count) {
    return WadBuilder().mapLevels(count).build();
}

int rowOf(const QListWidget* list, const std::string& text) {
    const auto all = entries(list);
    const auto it = std::find(all.begin(), all.end(), text);
    return it == all.end() ? -1 : static_cast<int>(it - all.begin());
}

// A library of a manual game of two wads with saved games, an auto-loading
// game, a folder that is no game and a file named like a game.
struct Library : Window {
    explicit Library(int view = LibraryController::InstalledGames, bool advanced = false) {
        root.installTools();
        const fs::path games = root / "KRVGames";
        writeFile(games / "Castle/Pwads/small.wad", maps(2));
        writeFile(games / "Castle/Pwads/castle.wad", maps(6));
        writeFile(games / "Castle/Pwads/readme.txt", "text");
        writeFile(games / "Castle/Pwads/castle.KRVgwa", "nodes");
        writeFile(games / "Castle/Pwads/old.KRVbak", maps(1));
        writeFile(games / "Hell/Gwads/hell.wad", maps(3));
        writeFile(games / "Hell/Gwads/bonus.wad", maps(1));
        fs::create_directories(games / "Empty/Maps");
        writeFile(games / "Stray", "not a folder");
        const fs::path saves = root / "UserSG/Castle/savegame";
        writeFile(saves / "KorvathSav0.krvsg", packedSaveGame("Castle gate"));
        writeFile(saves / "KorvathSav3.krvsg", packedSaveGame("Keep, west wing"));
        writeFile(saves / "KorvathSav5.krvsg", packedSaveGame(""));
        Settings s;
        s.gamesListView = view;
        s.advancedOptions = advanced;
        s.launchMode = 0;
        writeFile(root.configFile(), configText(s));
    }
    void selectGame(const std::string& name) {
        const int row = rowOf(form->library().PwadList, name);
        ASSERT_GE(row, 0) << name;
        form->library().PwadList->setCurrentRow(row);
    }
    void clickMap(int row) {
        QListWidget* list = form->inspect().MapList;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    }
    void clickSaveGame(int row) {
        QListWidget* list = form->inspect().SaveGameList;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    }
};

} // namespace

TEST(GamesView, InstalledGamesListsOnlyGamesAndChoosesTheWadWithMostLevels) {
    Library w;
    w.load();
    MainForm& f = *w.form;
    EXPECT_EQ(f.library().Auto[0]->text(), "INSTALLED GAMES LIST");
    EXPECT_EQ(entries(f.library().PwadList), (std::vector<std::string>{"CASTLE", "HELL"}));
    // The first game is chosen: its files as the filter shows them.
    EXPECT_EQ(f.library().PwadList->currentItem()->text(), "CASTLE");
    auto files = entries(f.library().PwadShowlist);
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files,
              (std::vector<std::string>{"castle.wad", "old.wad", "readme.txt", "small.wad"}));
    EXPECT_FALSE(fs::exists(w.root / "KRVGames/Castle/Pwads/castle.KRVgwa"));
    EXPECT_FALSE(fs::exists(w.root / "KRVGames/Castle/Pwads/old.KRVbak"));
    EXPECT_EQ(f.library().PwadShowlist->currentItem()->text(), "castle.wad");
    EXPECT_EQ(f.inspect().MapList->count(), 6);
    EXPECT_TRUE(named<QPushButton>(f, "LaunchButton")->isEnabled());
    // Only described slots, whole descriptions.
    EXPECT_EQ(entries(f.inspect().SaveGameList),
              (std::vector<std::string>{"0 -  Castle gate", "3 -  Keep, west wing"}));
}

TEST(GamesView, StartKindsFollowTheClicksAndTheSkill) {
    Library w;
    w.load();
    MainForm& f = *w.form;
    LaunchSelection& sel = w.state.launchSelection;
    EXPECT_EQ(sel.startKind, StartKind::Normal);
    EXPECT_LT(f.inspect().MapList->currentRow() >= 0 &&
                  f.inspect().MapList->currentItem()->isSelected(),
              1);

    w.clickMap(4); // with " Start game from New" shown: the last skill returns
    EXPECT_EQ(f.inspect().SkillsLevel[0]->currentIndex(), 2);
    EXPECT_EQ(f.inspect().SkillsLevel[1]->currentIndex(), 2);
    EXPECT_EQ(sel.startKind, StartKind::Warp);
    EXPECT_EQ(sel.warpMap, "05");
    EXPECT_EQ(f.inspect().MapList->currentRow(), 4);

    w.clickSaveGame(1);
    EXPECT_EQ(sel.startKind, StartKind::LoadGame);
    EXPECT_EQ(sel.loadSlot, "3");
    EXPECT_EQ(fs::path(sel.savedGamePath).filename(), "KorvathSav3.krvsg");
    EXPECT_TRUE(f.inspect().MapList->selectedItems().isEmpty());
    f.inspect().SkillsLevel[1]->setCurrentIndex(4);
    emit f.inspect().SkillsLevel[1]->activated(4);
    EXPECT_EQ(sel.startKind, StartKind::LoadGame); // a saved game stays chosen
    EXPECT_EQ(f.inspect().SkillsLevel[0]->currentIndex(), 4);

    emit f.inspect().SkillsLevel[0]->activated(0);
    EXPECT_EQ(sel.startKind, StartKind::Normal);
    EXPECT_TRUE(f.inspect().MapList->selectedItems().isEmpty());
    EXPECT_TRUE(f.inspect().SaveGameList->selectedItems().isEmpty());
    EXPECT_EQ(w.state.settings.lastSkill, 4);
}

TEST(GamesView, RememberedMapsAndSavedGamesComeBackWithTheirGame) {
    Library w;
    w.load();
    MainForm& f = *w.form;
    w.clickMap(3);
    w.selectGame("HELL");
    w.selectGame("CASTLE");
    EXPECT_EQ(f.inspect().MapList->currentItem()->text(), "MAP04");

    f.chkLaunchPrefs[1]->click(); // remember the last savegame
    w.clickSaveGame(1);
    w.selectGame("HELL");
    w.selectGame("CASTLE");
    ASSERT_NE(f.inspect().SaveGameList->currentItem(), nullptr);
    EXPECT_EQ(f.inspect().SaveGameList->currentItem()->text(), "3 -  Keep, west wing");
    EXPECT_EQ(w.state.launchSelection.startKind, StartKind::LoadGame);

    // Switching the preferences off forgets every record.
    f.chkLaunchPrefs[1]->click();
    f.chkLaunchPrefs[0]->click();
    EXPECT_FALSE(fs::exists(w.root / "KRVLaunch/GameInfo/Save"));
    EXPECT_FALSE(fs::exists(w.root / "KRVLaunch/GameInfo/Pwads"));
}

TEST(GamesView, AnAutoLoadingGameRestoresItsWadAndMap) {
    Library w;
    w.load();
    MainForm& f = *w.form;
    w.selectGame("HELL");
    ASSERT_NE(f.library().PwadShowlist->currentItem(), nullptr); // the first wad at first
    const int hell = rowOf(f.library().PwadShowlist, "hell.wad");
    f.library().PwadShowlist->setCurrentRow(hell);
    QTest::mouseClick(
        f.library().PwadShowlist->viewport(), Qt::LeftButton, {},
        f.library().PwadShowlist->visualItemRect(f.library().PwadShowlist->item(hell)).center());
    EXPECT_EQ(f.inspect().MapList->count(), 3);
    w.clickMap(2);
    w.selectGame("CASTLE");
    w.selectGame("HELL");
    EXPECT_EQ(f.library().PwadShowlist->currentItem()->text(), "hell.wad");
    EXPECT_EQ(f.inspect().MapList->currentItem()->text(), "MAP03");
}

TEST(GamesView, DeletingASavedGameAsksAndRefreshesTheList) {
    Library w;
    w.load();
    MainForm& f = *w.form;
    w.clickSaveGame(0);
    w.platform.messageAnswers.push_back(msg::kResultNo);
    f.inspect().mcDelSaveGame->trigger();
    EXPECT_TRUE(fs::exists(w.root / "UserSG/Castle/savegame/KorvathSav0.krvsg"));
    w.platform.messageAnswers.push_back(msg::kResultYes);
    f.inspect().mcDelSaveGame->trigger();
    ASSERT_EQ(w.platform.messages.size(), 2u);
    EXPECT_EQ(w.platform.messages[1].title, " Delete selected savegame");
    EXPECT_EQ(w.platform.messages[1].text,
              "Are you certain you wish to delete this savegame?     ");
    EXPECT_FALSE(fs::exists(w.root / "UserSG/Castle/savegame/KorvathSav0.krvsg"));
    EXPECT_EQ(entries(f.inspect().SaveGameList),
              (std::vector<std::string>{"3 -  Keep, west wing"}));
    EXPECT_EQ(f.inspect().MapList->currentRow(), 0);
}

TEST(GamesView, TheZipLibraryExtractsTheChosenArchiveIntoTheWorkFolder) {
    Library w(LibraryController::ZipLibrary, true);
    ZipBuilder()
        .file("maps/speed.wad", maps(3))
        .file("speed.txt", "x")
        .write(w.root / "KRVArchives/Speed.zip");
    ZipBuilder().file("other.wad", maps(1)).write(w.root / "KRVArchives/Other.zip");
    writeFile(w.root / "KRVLaunch/Zips/stale.wad", "old");
    w.load();
    MainForm& f = *w.form;
    EXPECT_EQ(f.library().Auto[0]->text(), "ZIP LIBRARY");
    EXPECT_EQ(entries(f.library().PwadList), (std::vector<std::string>{"OTHER", "SPEED"}));
    w.selectGame("SPEED");
    EXPECT_FALSE(fs::exists(w.root / "KRVLaunch/Zips/other.wad")); // emptied first
    EXPECT_TRUE(fs::exists(w.root / "KRVLaunch/Zips/speed.wad"));
    EXPECT_EQ(f.library().PwadShowlist->currentItem()->text(), "speed.wad");
    EXPECT_EQ(f.inspect().MapList->count(), 3);
    EXPECT_EQ(w.state.settings.lastArchive, "SPEED");
}

TEST(GamesView, TheDoomGamesViewListsTheIwadsMapsAndSavedGames) {
    Library w(LibraryController::DoomGames);
    writeFile(w.root / "Iwads/Doom2.wad", WadBuilder("IWAD").level("MAP01").level("MAP02").build());
    writeFile(w.root / "UserSG/doom2/savegame/KorvathSav2.krvsg", packedSaveGame("Entryway"));
    w.load();
    MainForm& f = *w.form;
    EXPECT_EQ(entries(f.library().PwadShowlist), (std::vector<std::string>{"Doom2.wad"}));
    EXPECT_EQ(f.inspect().MapList->count(), 2);
    EXPECT_EQ(entries(f.inspect().SaveGameList), (std::vector<std::string>{"2 -  Entryway"}));
}

TEST(GamesView, AnInstalledGameLaunchesWithItsWadsAndTheChosenMap) {
    for (const bool iwadElsewhere : {false, true}) {
        Library w;
        const std::string iwad = WadBuilder("IWAD").level("MAP01").build();
        if (iwadElsewhere) {
            // The engine cannot find it by itself: the wads are named.
            writeFile(w.root / "My IWADs/Doom2.wad", iwad);
            writeFile(w.root / "KRVLaunch/Data/iwads.cfg",
                      (w.root / "My IWADs/Doom2.wad").string() + "\r\n");
        } else {
            writeFile(w.root / "Iwads/Doom2.wad", iwad);
        }
        w.load();
        w.clickMap(4);
        named<QPushButton>(*w.form, "LaunchButton")->click();
        for (const auto& m : w.platform.messages)
            ADD_FAILURE() << m.title << ": " << m.text;
        ASSERT_EQ(w.platform.starts.size(), 1u);
        const std::string line = w.platform.starts[0].commandLine;
        EXPECT_NE(line.find("-udir \"Castle\""), std::string::npos) << line;
        EXPECT_NE(line.find("-sk 2 "), std::string::npos) << line;
        EXPECT_NE(line.find("-wp 05 "), std::string::npos) << line;
        // The main WAD leads the other wads.
        const auto castle = line.find("\"castle.wad\"");
        const auto small = line.find("\"small.wad\"");
        if (iwadElsewhere) {
            ASSERT_NE(castle, std::string::npos) << line;
            EXPECT_LT(castle, small) << line;
        } else {
            EXPECT_EQ(castle, std::string::npos) << line;
        }
    }
}

TEST(GamesView, TheScriptedMapFilterListsOnlyTheMakersMaps) {
    Library w(LibraryController::InstalledGames, true);
    writeFile(w.root / "KRVGames/Ashen Gate/Pwads/Ashgate.wad", maps(1));
    fs::create_directories(w.root / "Md2/Ashgate");
    fs::create_directories(w.root / "Data/custom.hires/Ashgate");
    w.load();
    MainForm& f = *w.form;
    EXPECT_TRUE(f.library().ImageCM->isVisible());
    w.selectGame("CASTLE");
    f.library().ImageCM->click();
    EXPECT_TRUE(w.state.settings.scriptedMapsMode);
    EXPECT_EQ(entries(f.library().PwadList), (std::vector<std::string>{"ASHEN GATE"}));
    EXPECT_EQ(f.library().Auto[0]->text(), "KORVATH SCRIPTED MAP");
    f.library().ImageCM->click();
    EXPECT_EQ(entries(f.library().PwadList),
              (std::vector<std::string>{"ASHEN GATE", "CASTLE", "HELL"}));
    EXPECT_EQ(f.library().PwadList->currentItem()->text(), "CASTLE"); // the unfiltered entry again
    // The header toggles as the picture does: one click, one toggle.
    QTest::mouseClick(f.library().Auto[0], Qt::LeftButton);
    EXPECT_TRUE(w.state.settings.scriptedMapsMode);
    EXPECT_EQ(entries(f.library().PwadList), (std::vector<std::string>{"ASHEN GATE"}));
}

// The maker's scripted maps bring their own graphics.
TEST(GamesView, AnInstalledScriptedMapTakesTheHighResolutionGraphicsAway) {
    Library w(LibraryController::InstalledGames, true);
    writeFile(w.root / "KRVGames/Ashen Gate/Pwads/Ashgate.wad", maps(1));
    fs::create_directories(w.root / "Md2/Ashgate");
    fs::create_directories(w.root / "Data/custom.hires/Ashgate");
    fs::create_directories(w.root / "Data/Patches");
    w.load();
    Controls& c = w.state.controls;
    w.selectGame("ASHEN GATE");
    EXPECT_FALSE(c.isEnabled(ids::GraphicFrames[5]));
    EXPECT_FALSE(c.isEnabled(ids::chkGraphics[4]));
    w.selectGame("CASTLE");
    EXPECT_TRUE(c.isEnabled(ids::GraphicFrames[5]));
    EXPECT_TRUE(c.isEnabled(ids::chkGraphics[4]));
}

// A click on the file already selected runs the file's selection again.
TEST(GamesView, TickingShortcutCreationThenClickingTheSelectedFileEnablesTheShortcut) {
    Library w(LibraryController::InstalledGames, true);
    w.load();
    MainForm& f = *w.form;
    f.chkLaunchPrefs[2]->click();
    ASSERT_TRUE(f.AuxButton[2]->isVisible());
    EXPECT_FALSE(f.AuxButton[2]->isEnabled());
    QListWidgetItem* selected = f.library().PwadShowlist->currentItem();
    ASSERT_TRUE(selected && selected->isSelected());
    QTest::mouseClick(f.library().PwadShowlist->viewport(), Qt::LeftButton, {},
                      f.library().PwadShowlist->visualItemRect(selected).center());
    EXPECT_TRUE(f.AuxButton[2]->isEnabled());
}

TEST(GamesView, DocumentationAndGameFilesOpenWithTheirPrograms) {
    Library w;
    w.load();
    MainForm& f = *w.form;
    w.platform.openFileAnswers.push_back(w.root.root() + "/KRV_Docs/guide.htm");
    f.AuxButton[1]->click();
    ASSERT_EQ(w.platform.openFileRequests.size(), 1u);
    EXPECT_EQ(w.platform.openFileRequests[0].title, "Korvath Documentation");
    EXPECT_EQ(f.AuxButton[1]->text(), "Docs");
    EXPECT_EQ(w.platform.openFileRequests[0].initialFolder, w.root.root() + "/KRV_Docs");
    EXPECT_EQ(w.platform.openedDocuments.back(), w.root.root() + "/KRV_Docs/guide.htm");

    const int readme = rowOf(f.library().PwadShowlist, "readme.txt");
    emit f.library().PwadShowlist->itemDoubleClicked(f.library().PwadShowlist->item(readme));
    EXPECT_EQ(fs::path(w.platform.openedDocuments.back()).filename(), "readme.txt");
}

// Switching from another view lists the registered titles alone.
TEST(GamesView, TheDoomGamesViewReplacesTheEntriesOfTheViewBefore) {
    Library w;
    writeFile(w.root / "Iwads/Doom2.wad", WadBuilder("IWAD").level("MAP01").build());
    w.load();
    ASSERT_GT(w.form->library().PwadList->count(), 0);
    w.form->library().OptionUdir[LibraryController::DoomGames]->click();
    EXPECT_EQ(entries(w.form->library().PwadList), (std::vector<std::string>{"DOOM II"}));
    EXPECT_EQ(w.form->inspect().MapList->count(), 1);
}

// The titles a WAD's UMAPINFO or MAPINFO gives its maps follow the map
// names, read with one more tool run per selection; the entries' texts stay
// the map names, a long title does not widen the list and markup in a title
// is shown, not rendered.
TEST(GamesView, MapEntriesShowTheTitlesTheWadNames) {
    Library w;
    const QString longTitle = QStringLiteral("Twin Towers Of A Title Far Longer Than The List");
    writeFile(w.root / "KRVGames/Umap/Pwads/umap.wad",
              WadBuilder()
                  .level("MAP01")
                  .level("MAP02")
                  .lump("UMAPINFO", "map MAP01 { levelname = \"<b>Keep</b>\" }\n"
                                    "map MAP02 { levelname = \"" +
                                        longTitle.toStdString() + "\" }")
                  .build());
    writeFile(w.root / "KRVGames/Zinfo/Pwads/zinfo.wad",
              WadBuilder().level("E1M1").lump("MAPINFO", "map E1M1 \"Hangar Deck\"\n").build());
    w.load();
    QListWidget* maps = w.form->inspect().MapList;
    const auto titles = [maps] {
        std::vector<std::string> all;
        for (int i = 0; i < maps->count(); ++i)
            all.push_back(
                maps->item(i)->data(InspectPanel::kMapTitleRole).toString().toStdString());
        return all;
    };
    const auto titleRuns = [&w] {
        return std::count_if(
            w.platform.hiddenRuns.begin(), w.platform.hiddenRuns.end(),
            [](const auto& run) { return run.commandLine.rfind("KRVgfiles MAPTITLES ", 0) == 0; });
    };
    const auto runsBefore = titleRuns();

    w.selectGame("UMAP");
    EXPECT_EQ(entries(maps), (std::vector<std::string>{"MAP01", "MAP02"}));
    EXPECT_EQ(titles(), (std::vector<std::string>{"<b>Keep</b>", longTitle.toStdString()}));
    // The tooltip shows the WAD's text as it stands, markup and all.
    EXPECT_EQ(maps->item(0)->toolTip(), "<qt>&lt;b&gt;Keep&lt;/b&gt;</qt>");
    EXPECT_EQ(maps->item(1)->toolTip(), "<qt>" + longTitle + "</qt>");
    EXPECT_LT(maps->sizeHintForColumn(0), maps->fontMetrics().horizontalAdvance(longTitle));
    EXPECT_EQ(titleRuns(), runsBefore + 1);
    // The engine's copy of the map check is the map check's output.
    EXPECT_EQ(krv::readTextLines(w.root / "KRVLaunch/Data/pwad.krv").lines.at(0), "PWAD");

    w.selectGame("ZINFO");
    EXPECT_EQ(entries(maps), (std::vector<std::string>{"E1M1"}));
    EXPECT_EQ(titles(), (std::vector<std::string>{"Hangar Deck"}));
    EXPECT_EQ(titleRuns(), runsBefore + 2);
    w.clickMap(0);
    EXPECT_EQ(w.state.launchSelection.warpMap, "1 1");
}

// The filter narrows a large library to the names holding its text, in any
// case; the selection follows what is shown, and Escape brings all back.
TEST(GamesFilter, NarrowsALargeLibraryAndTheSelectionFollows) {
    Library w;
    for (int i = 0; i < 2000; ++i)
        fs::create_directories(w.root / ("KRVGames/Level " + std::to_string(i)) / "Pwads");
    w.load();
    MainForm& f = *w.form;
    const auto shown = [&f] {
        std::vector<std::string> names;
        for (int i = 0; i < f.library().PwadList->count(); ++i)
            if (!f.library().PwadList->item(i)->isHidden())
                names.push_back(f.library().PwadList->item(i)->text().toStdString());
        return names;
    };
    ASSERT_EQ(shown().size(), 2002u);
    QTest::keyClicks(f.library().GamesFilter, "vel 199");
    EXPECT_EQ(shown().size(), 11u); // 199 and 1990 to 1999
    EXPECT_TRUE(f.library().PwadList->currentItem() &&
                !f.library().PwadList->currentItem()->isHidden());

    f.library().GamesFilter->setText("cAsT");
    EXPECT_EQ(shown(), (std::vector<std::string>{"CASTLE"}));
    EXPECT_EQ(f.library().PwadList->currentItem()->text(), "CASTLE");
    EXPECT_EQ(f.inspect().MapList->count(), 6);

    f.library().GamesFilter->setText("no such game");
    EXPECT_TRUE(shown().empty());
    EXPECT_FALSE(named<QPushButton>(f, "LaunchButton")->isEnabled());
    EXPECT_EQ(f.inspect().MapList->count(), 0);

    f.library().GamesFilter->setFocus();
    QTest::keyClick(f.library().GamesFilter, Qt::Key_Escape);
    EXPECT_TRUE(f.library().GamesFilter->text().isEmpty());
    EXPECT_EQ(shown().size(), 2002u);
}
