// The games list on a generated library, with the real inspection tool:
// the three views, the selection of games, files, maps and saved games, the
// records that bring them back, and a launch of an installed game.
#include "main_form_fixture.h"

#include "launcher/library/library_controls.h"
#include "launcher/ui/list_binder.h"
#include "support/savegame_builder.h"
#include "support/wad_builder.h"
#include "support/zip_builder.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using krv::test::clickRow;
using krv::test::currentText;
using krv::test::doubleClickRow;
using krv::test::packedSaveGame;
using krv::test::WadBuilder;
using krv::test::ZipBuilder;

namespace {

std::string maps(int count) {
    return WadBuilder().mapLevels(count).build();
}

int rowOf(const ListState& list, const std::string& text) {
    const auto all = list.texts();
    const auto it = std::find(all.begin(), all.end(), text);
    return it == all.end() ? -1 : static_cast<int>(it - all.begin());
}

QAbstractItemView* view(const MainForm& f, std::string_view name) {
    return named<QAbstractItemView>(f, name);
}

// Whether the view has a selected entry.
bool hasSelection(const QAbstractItemView* list) {
    return list->selectionModel()->hasSelection();
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
        const int row = rowOf(state.session.games, name);
        ASSERT_GE(row, 0) << name;
        state.session.games.setCurrentRow(row);
    }
    void clickMap(int row) { clickRow(view(*form, "MapList"), row); }
    void clickSaveGame(int row) { clickRow(view(*form, "SaveGameList"), row); }
};

} // namespace

TEST(GamesView, InstalledGamesListsOnlyGamesAndChoosesTheWadWithMostLevels) {
    Library w;
    w.load();
    MainForm& f = *w.form;
    EXPECT_EQ(named<QLabel>(f, "Auto", 0)->text(), "INSTALLED GAMES LIST");
    EXPECT_EQ(entries(view(f, "PwadList")), (std::vector<std::string>{"CASTLE", "HELL"}));
    // The first game is chosen: its files as the filter shows them.
    EXPECT_EQ(currentText(view(f, "PwadList")), "CASTLE");
    auto files = entries(view(f, "PwadShowlist"));
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files,
              (std::vector<std::string>{"castle.wad", "old.wad", "readme.txt", "small.wad"}));
    EXPECT_FALSE(fs::exists(w.root / "KRVGames/Castle/Pwads/castle.KRVgwa"));
    EXPECT_FALSE(fs::exists(w.root / "KRVGames/Castle/Pwads/old.KRVbak"));
    EXPECT_EQ(currentText(view(f, "PwadShowlist")), "castle.wad");
    EXPECT_EQ(entries(view(f, "MapList")).size(), 6u);
    EXPECT_TRUE(named<QPushButton>(f, "LaunchButton")->isEnabled());
    // Only described slots, whole descriptions.
    EXPECT_EQ(entries(view(f, "SaveGameList")),
              (std::vector<std::string>{"0 -  Castle gate", "3 -  Keep, west wing"}));
}

TEST(GamesView, StartKindsFollowTheClicksAndTheSkill) {
    Library w;
    w.load();
    MainForm& f = *w.form;
    LaunchSelection& sel = w.state.session.launchSelection;
    QAbstractItemView* maps = view(f, "MapList");
    auto* startMode = named<QComboBox>(f, "SkillsLevel", 0);
    auto* skill = named<QComboBox>(f, "SkillsLevel", 1);
    EXPECT_EQ(sel.startKind, StartKind::Normal);
    EXPECT_FALSE(maps->selectionModel()->isSelected(maps->currentIndex()));

    w.clickMap(4); // with " Start game from New" shown: the last skill returns
    EXPECT_EQ(startMode->currentIndex(), 2);
    EXPECT_EQ(skill->currentIndex(), 2);
    EXPECT_EQ(sel.startKind, StartKind::Warp);
    EXPECT_EQ(sel.warpMap, "05");
    EXPECT_EQ(maps->currentIndex().row(), 4);

    w.clickSaveGame(1);
    EXPECT_EQ(sel.startKind, StartKind::LoadGame);
    EXPECT_EQ(sel.loadSlot, "3");
    EXPECT_EQ(fs::path(sel.savedGamePath).filename(), "KorvathSav3.krvsg");
    EXPECT_FALSE(hasSelection(maps));
    skill->setCurrentIndex(4);
    emit skill->activated(4);
    EXPECT_EQ(sel.startKind, StartKind::LoadGame); // a saved game stays chosen
    EXPECT_EQ(startMode->currentIndex(), 4);

    emit startMode->activated(0);
    EXPECT_EQ(sel.startKind, StartKind::Normal);
    EXPECT_FALSE(hasSelection(maps));
    EXPECT_FALSE(hasSelection(view(f, "SaveGameList")));
    EXPECT_EQ(w.state.session.settings.lastSkill, 4);
}

TEST(GamesView, RememberedMapsAndSavedGamesComeBackWithTheirGame) {
    Library w;
    w.load();
    MainForm& f = *w.form;
    w.clickMap(3);
    w.selectGame("HELL");
    w.selectGame("CASTLE");
    EXPECT_EQ(currentText(view(f, "MapList")), "MAP04");

    auto* rememberMap = named<QCheckBox>(f, "chkLaunchPrefs", 0);
    auto* rememberSavegame = named<QCheckBox>(f, "chkLaunchPrefs", 1);
    rememberSavegame->click();
    w.clickSaveGame(1);
    w.selectGame("HELL");
    w.selectGame("CASTLE");
    ASSERT_TRUE(view(f, "SaveGameList")->currentIndex().isValid());
    EXPECT_EQ(currentText(view(f, "SaveGameList")), "3 -  Keep, west wing");
    EXPECT_EQ(w.state.session.launchSelection.startKind, StartKind::LoadGame);

    // Switching the preferences off forgets every record.
    rememberSavegame->click();
    rememberMap->click();
    EXPECT_FALSE(fs::exists(w.root / "KRVLaunch/GameInfo/Save"));
    EXPECT_FALSE(fs::exists(w.root / "KRVLaunch/GameInfo/Pwads"));
}

TEST(GamesView, AnAutoLoadingGameRestoresItsWadAndMap) {
    Library w;
    w.load();
    MainForm& f = *w.form;
    QAbstractItemView* files = view(f, "PwadShowlist");
    w.selectGame("HELL");
    ASSERT_TRUE(files->currentIndex().isValid()); // the first wad at first
    const int hell = rowOf(w.state.session.gameFiles, "hell.wad");
    w.state.session.gameFiles.setCurrentRow(hell);
    clickRow(files, hell);
    EXPECT_EQ(entries(view(f, "MapList")).size(), 3u);
    w.clickMap(2);
    w.selectGame("CASTLE");
    w.selectGame("HELL");
    EXPECT_EQ(currentText(files), "hell.wad");
    EXPECT_EQ(currentText(view(f, "MapList")), "MAP03");
}

TEST(GamesView, DeletingASavedGameAsksAndRefreshesTheList) {
    Library w;
    w.load();
    MainForm& f = *w.form;
    auto* deleteSaveGame = named<QAction>(f, "mcDelSaveGame");
    w.clickSaveGame(0);
    w.platform.messageAnswers.push_back(msg::kResultNo);
    deleteSaveGame->trigger();
    EXPECT_TRUE(fs::exists(w.root / "UserSG/Castle/savegame/KorvathSav0.krvsg"));
    w.platform.messageAnswers.push_back(msg::kResultYes);
    deleteSaveGame->trigger();
    ASSERT_EQ(w.platform.messages.size(), 2u);
    EXPECT_EQ(w.platform.messages[1].title, " Delete selected savegame");
    EXPECT_EQ(w.platform.messages[1].text,
              "Are you certain you wish to delete this savegame?     ");
    EXPECT_FALSE(fs::exists(w.root / "UserSG/Castle/savegame/KorvathSav0.krvsg"));
    EXPECT_EQ(entries(view(f, "SaveGameList")), (std::vector<std::string>{"3 -  Keep, west wing"}));
    EXPECT_EQ(view(f, "MapList")->currentIndex().row(), 0);
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
    EXPECT_EQ(named<QLabel>(f, "Auto", 0)->text(), "ZIP LIBRARY");
    EXPECT_EQ(entries(view(f, "PwadList")), (std::vector<std::string>{"OTHER", "SPEED"}));
    w.selectGame("SPEED");
    EXPECT_FALSE(fs::exists(w.root / "KRVLaunch/Zips/other.wad")); // emptied first
    EXPECT_TRUE(fs::exists(w.root / "KRVLaunch/Zips/speed.wad"));
    EXPECT_EQ(currentText(view(f, "PwadShowlist")), "speed.wad");
    EXPECT_EQ(entries(view(f, "MapList")).size(), 3u);
    EXPECT_EQ(w.state.session.settings.lastArchive, "SPEED");
}

TEST(GamesView, TheDoomGamesViewListsTheIwadsMapsAndSavedGames) {
    Library w(LibraryController::DoomGames);
    writeFile(w.root / "Iwads/Doom2.wad", WadBuilder("IWAD").level("MAP01").level("MAP02").build());
    writeFile(w.root / "UserSG/doom2/savegame/KorvathSav2.krvsg", packedSaveGame("Entryway"));
    w.load();
    MainForm& f = *w.form;
    EXPECT_EQ(entries(view(f, "PwadShowlist")), (std::vector<std::string>{"Doom2.wad"}));
    EXPECT_EQ(entries(view(f, "MapList")).size(), 2u);
    EXPECT_EQ(entries(view(f, "SaveGameList")), (std::vector<std::string>{"2 -  Entryway"}));
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
    auto* scripted = named<QToolButton>(f, "ImageCM");
    auto* header = named<QLabel>(f, "Auto", 0);
    EXPECT_TRUE(scripted->isVisible());
    w.selectGame("CASTLE");
    scripted->click();
    EXPECT_TRUE(w.state.session.settings.scriptedMapsMode);
    EXPECT_EQ(entries(view(f, "PwadList")), (std::vector<std::string>{"ASHEN GATE"}));
    EXPECT_EQ(header->text(), "KORVATH SCRIPTED MAP");
    scripted->click();
    EXPECT_EQ(entries(view(f, "PwadList")),
              (std::vector<std::string>{"ASHEN GATE", "CASTLE", "HELL"}));
    EXPECT_EQ(currentText(view(f, "PwadList")), "CASTLE"); // the unfiltered entry again
    // The header toggles as the picture does: one click, one toggle.
    QTest::mouseClick(header, Qt::LeftButton);
    EXPECT_TRUE(w.state.session.settings.scriptedMapsMode);
    EXPECT_EQ(entries(view(f, "PwadList")), (std::vector<std::string>{"ASHEN GATE"}));
}

// The maker's scripted maps bring their own graphics.
TEST(GamesView, AnInstalledScriptedMapTakesTheHighResolutionGraphicsAway) {
    Library w(LibraryController::InstalledGames, true);
    writeFile(w.root / "KRVGames/Ashen Gate/Pwads/Ashgate.wad", maps(1));
    fs::create_directories(w.root / "Md2/Ashgate");
    fs::create_directories(w.root / "Data/custom.hires/Ashgate");
    fs::create_directories(w.root / "Data/Patches");
    w.load();
    Controls& c = w.state.session.controls;
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
    auto* shortcut = named<QToolButton>(f, "AuxButton", 2);
    named<QCheckBox>(f, "chkLaunchPrefs", 2)->click();
    ASSERT_TRUE(shortcut->isVisible());
    EXPECT_FALSE(shortcut->isEnabled());
    QAbstractItemView* files = view(f, "PwadShowlist");
    const QModelIndex selected = files->currentIndex();
    ASSERT_TRUE(selected.isValid() && files->selectionModel()->isSelected(selected));
    clickRow(files, selected.row());
    EXPECT_TRUE(shortcut->isEnabled());
}

TEST(GamesView, DocumentationAndGameFilesOpenWithTheirPrograms) {
    Library w;
    w.load();
    MainForm& f = *w.form;
    auto* docs = named<QToolButton>(f, "AuxButton", 1);
    w.platform.openFileAnswers.push_back(w.root.root() + "/KRV_Docs/guide.htm");
    docs->click();
    ASSERT_EQ(w.platform.openFileRequests.size(), 1u);
    EXPECT_EQ(w.platform.openFileRequests[0].title, "Korvath Documentation");
    EXPECT_EQ(docs->text(), "Docs");
    EXPECT_EQ(w.platform.openFileRequests[0].initialFolder, w.root.root() + "/KRV_Docs");
    EXPECT_EQ(w.platform.openedDocuments.back(), w.root.root() + "/KRV_Docs/guide.htm");

    doubleClickRow(view(f, "PwadShowlist"), rowOf(w.state.session.gameFiles, "readme.txt"));
    EXPECT_EQ(fs::path(w.platform.openedDocuments.back()).filename(), "readme.txt");
}

// Switching from another view lists the registered titles alone.
TEST(GamesView, TheDoomGamesViewReplacesTheEntriesOfTheViewBefore) {
    Library w;
    writeFile(w.root / "Iwads/Doom2.wad", WadBuilder("IWAD").level("MAP01").build());
    w.load();
    MainForm& f = *w.form;
    ASSERT_FALSE(entries(view(f, "PwadList")).empty());
    named<QRadioButton>(f, "OptionUdir", LibraryController::DoomGames)->click();
    EXPECT_EQ(entries(view(f, "PwadList")), (std::vector<std::string>{"DOOM II"}));
    EXPECT_EQ(entries(view(f, "MapList")).size(), 1u);
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
    QAbstractItemView* maps = view(*w.form, "MapList");
    const auto entryData = [maps](int row, int role) {
        return maps->model()->index(row, 0).data(role).toString();
    };
    const auto titles = [maps, &entryData] {
        std::vector<std::string> all;
        for (int i = 0; i < maps->model()->rowCount(); ++i)
            all.push_back(entryData(i, ListStateModel::kTitleRole).toStdString());
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
    EXPECT_EQ(entryData(0, Qt::ToolTipRole), "<qt>&lt;b&gt;Keep&lt;/b&gt;</qt>");
    EXPECT_EQ(entryData(1, Qt::ToolTipRole), "<qt>" + longTitle + "</qt>");
    EXPECT_LT(maps->sizeHintForColumn(0), maps->fontMetrics().horizontalAdvance(longTitle));
    EXPECT_EQ(titleRuns(), runsBefore + 1);
    // The engine's copy of the map check is the map check's output.
    EXPECT_EQ(krv::readTextLines(w.root / "KRVLaunch/Data/pwad.krv").lines.at(0), "PWAD");

    w.selectGame("ZINFO");
    EXPECT_EQ(entries(maps), (std::vector<std::string>{"E1M1"}));
    EXPECT_EQ(titles(), (std::vector<std::string>{"Hangar Deck"}));
    EXPECT_EQ(titleRuns(), runsBefore + 2);
    w.clickMap(0);
    EXPECT_EQ(w.state.session.launchSelection.warpMap, "1 1");
}

// The filter narrows a large library to the names holding its text, in any
// case; the selection follows what is shown, and Escape brings all back.
TEST(GamesFilter, NarrowsALargeLibraryAndTheSelectionFollows) {
    Library w;
    for (int i = 0; i < 2000; ++i)
        fs::create_directories(w.root / ("KRVGames/Level " + std::to_string(i)) / "Pwads");
    w.load();
    MainForm& f = *w.form;
    // The games list shows only the entries the filter lets through.
    QAbstractItemView* games = view(f, "PwadList");
    auto* filter = named<QLineEdit>(f, "GamesFilter");
    const auto shown = [games] { return entries(games); };
    ASSERT_EQ(shown().size(), 2002u);
    QTest::keyClicks(filter, "vel 199");
    EXPECT_EQ(shown().size(), 11u); // 199 and 1990 to 1999
    EXPECT_TRUE(games->currentIndex().isValid());

    w.state.session.controls.setText(ids::GamesFilter, "cAsT");
    EXPECT_EQ(shown(), (std::vector<std::string>{"CASTLE"}));
    EXPECT_EQ(currentText(games), "CASTLE");
    EXPECT_EQ(entries(view(f, "MapList")).size(), 6u);

    w.state.session.controls.setText(ids::GamesFilter, "no such game");
    EXPECT_TRUE(shown().empty());
    EXPECT_FALSE(named<QPushButton>(f, "LaunchButton")->isEnabled());
    EXPECT_TRUE(entries(view(f, "MapList")).empty());

    filter->setFocus();
    QTest::keyClick(filter, Qt::Key_Escape);
    EXPECT_TRUE(filter->text().isEmpty());
    EXPECT_EQ(shown().size(), 2002u);
}
