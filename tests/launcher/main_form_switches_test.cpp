// The main window's load order, its two layouts and its window-wide
// switches, offscreen.
#include "main_form_fixture.h"

#include "launcher/launch/launch_controls.h"
#include "launcher/session/window_controls.h"
#include "launcher/ui/help_texts.h"
#include "support/demo_library.h"
#include "support/wad_builder.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace {

const std::vector<std::string> kLoadOrder = {
    "window size",      "launcher font",         "library folders",        "detail textures",
    "settings",         "model options",         "window controls",        "iwad detection",
    "library clean-up", "window position",       "controls from settings", "playlists",
    "games list",       "settings reset report", "setting captions",       "model packs"};

// What a load step found when it started.
struct Seen {
    std::string step;
    bool gamesFolder;
    int launchMode;
    bool iwadKnown;
    bool staleZipGone;
    int height;
    int titles;
};

const Seen& seenAt(const std::vector<Seen>& seen, const std::string& step) {
    for (const Seen& s : seen)
        if (s.step == step)
            return s;
    throw std::runtime_error("step not run: " + step);
}

} // namespace

TEST(MainFormLoad, RunsItsStepsInOrderEachAfterWhatItNeeds) {
    Window w;
    Settings s;
    s.launchMode = 2;
    writeFile(w.root.configFile(), configText(s));
    writeFile(w.root / "Iwads/Doom2.wad", "IWAD");
    writeFile(w.root / "KRVLaunch/Zips/stale.wad", "PWAD");
    std::vector<Seen> seen;
    MainForm& form = w.create();
    form.setLoadStepWatcher([&](const std::string& step) {
        seen.push_back({step, fs::is_directory(w.root / "KRVGames"),
                        w.state.session.settings.launchMode, !w.state.iwads.slotPaths[0].empty(),
                        !fs::exists(w.root / "KRVLaunch/Zips/stale.wad"), form.height(),
                        w.state.session.games.count()});
    });
    w.load();

    std::vector<std::string> order;
    for (const Seen& step : seen)
        order.push_back(step.step);
    EXPECT_EQ(order, kLoadOrder);
    EXPECT_FALSE(seenAt(seen, "library folders").gamesFolder);
    EXPECT_TRUE(seenAt(seen, "detail textures").gamesFolder);
    EXPECT_EQ(seenAt(seen, "settings").launchMode, 1); // still the default
    EXPECT_EQ(seenAt(seen, "model options").launchMode, 2);
    EXPECT_FALSE(seenAt(seen, "iwad detection").iwadKnown);
    EXPECT_TRUE(seenAt(seen, "library clean-up").iwadKnown);
    EXPECT_FALSE(seenAt(seen, "library clean-up").staleZipGone);
    EXPECT_TRUE(seenAt(seen, "window position").staleZipGone);
    EXPECT_EQ(seenAt(seen, "launcher font").height, 7710 / 15);
    EXPECT_EQ(seenAt(seen, "playlists").height, layoutSize(form, 6900).height()); // default layout
    EXPECT_EQ(seenAt(seen, "games list").titles, 0);
    EXPECT_EQ(seenAt(seen, "settings reset report").titles, 1);
    EXPECT_TRUE(fs::is_directory(w.root / "KRVLaunch/Zips")); // emptied, not removed
}

namespace {

std::string joined(const std::vector<std::string>& texts) {
    std::string out;
    for (const std::string& text : texts)
        out += text + "|";
    return out;
}

// What the loaded window holds and shows: every named control's state in
// the model and on the screen, every list with its chosen and hidden rows,
// the settings and the launch selection, with the root's path taken out.
std::string windowState(const Window& w) {
    std::ostringstream out;
    const SessionModel& m = w.state.session;
    for (const ControlId& id : m.controls.all()) {
        const ControlState& c = m.controls.state(id);
        out << id.objectName() << ' ' << c.enabled << c.hidden << c.checked << ' ' << c.text << ' '
            << c.index << ' ' << joined(c.entries) << '\n';
    }
    for (const QWidget* control : w.form->findChildren<QWidget*>()) {
        if (control->objectName().isEmpty())
            continue;
        out << control->objectName().toStdString() << ' ' << control->isEnabled()
            << control->isVisibleTo(w.form.get());
        if (const auto* button = qobject_cast<const QAbstractButton*>(control))
            out << button->isChecked();
        out << '\n';
    }
    for (const ListState* list : {&m.games, &m.gameFiles, &m.playlists, &m.maps, &m.saveGames}) {
        out << joined(list->texts()) << ' ' << list->currentRow() << ' ' << list->selectedRow();
        for (int row = 0; row < list->count(); ++row)
            out << list->isHidden(row);
        out << '\n';
    }
    out << joined(settingsLines(m.settings, false)) << '\n'
        << m.mainWad << ' ' << m.launchSelection.warpMap << ' ' << m.launchSelection.loadSlot << ' '
        << m.launchSelection.iwadPath << '\n'
        << w.form->width() << 'x' << w.form->height() << '\n';
    std::string text = out.str();
    for (std::size_t at; (at = text.find(w.root.root())) != std::string::npos;)
        text.replace(at, w.root.root().size(), "ROOT");
    return text;
}

// Notes that a window it watches has painted.
struct PaintSeen : QObject {
    bool seen = false;
    bool eventFilter(QObject*, QEvent* event) override {
        seen = seen || event->type() == QEvent::Paint;
        return false;
    }
};

// The demo's library loaded with `s`, in one go as the tests load the
// window, or as the launcher does: the steps the first paint needs, the
// window shown and painted, then the rest.
std::string loadedDemo(const Settings& s, bool paintFirst) {
    Window w;
    w.root.installTools();
    krv::test::writeDemoLibrary(w.root.root());
    writeFile(w.root / "Iwads/Doom2.wad", krv::test::WadBuilder("IWAD").mapLevels(3).build());
    writeFile(w.root.configFile(), configText(s));
    writeFile(w.root / "KRVLaunch/Music/Rock.krm", "");
    MainForm& form = w.create();
    std::vector<std::string> order;
    form.setLoadStepWatcher([&order](const std::string& step) { order.push_back(step); });
    PaintSeen painted;
    form.installEventFilter(&painted);
    std::vector<std::string> expected = kLoadOrder;
    if (paintFirst) {
        form.loadForFirstPaint();
        form.show();
        form.waitForFirstPaint();
        if (painted.seen)
            order.push_back("painted");
        form.finishLoad();
        form.buildOptionPages(); // as the load above does
        expected.insert(std::find(expected.begin(), expected.end(), "playlists"), "painted");
    } else {
        w.load();
    }
    EXPECT_EQ(order, expected);
    return windowState(w);
}

} // namespace

// The launcher shows its window before the steps that only fill it; the
// window ends up the same as after the load in one go, in either layout
// and with each view of the games list remembered.
TEST(MainFormLoad, PaintingFirstEndsWithTheSameWindow) {
    std::vector<Settings> cases(5);
    cases[0].gamesListView = LibraryController::InstalledGames;
    cases[0].rememberedNormalEntry = cases[0].lastGamesListEntry = "CASTLE SIEGE";
    cases[0].rememberLastSavegame = true;
    cases[1] = cases[0];
    cases[1].advancedOptions = true;
    cases[1].selButtonMode = 2;
    cases[2].lastCommercialTitle = "DOOM II";
    cases[2].advancedOptions = true;
    cases[3].gamesListView = LibraryController::ZipLibrary;
    cases[3].advancedOptions = true; // the zip library's layout
    cases[4].gamesListView = LibraryController::InstalledGames;
    cases[4].scriptedMapsMode = true;
    // What each case's window shows once loaded, lest two empty windows match.
    const char* shown[] = {"Castle gate", "Castle gate", "Entryway start", "EPISODE3|SPEEDMAPS|",
                           "Rock"};
    for (std::size_t i = 0; i < cases.size(); ++i) {
        Settings& s = cases[i];
        s.tipOfTheDay = false;
        const std::string oneGo = loadedDemo(s, false);
        EXPECT_NE(oneGo.find(shown[i]), std::string::npos) << i;
        EXPECT_EQ(loadedDemo(s, true), oneGo);
    }
}

TEST(MainFormLoad, FillsTheDoomGamesViewAndSelectsTheRememberedTitle) {
    Window w;
    Settings s;
    s.lastCommercialTitle = "DOOM II";
    writeFile(w.root.configFile(), configText(s));
    for (const char* iwad : {"Doom.wad", "Doom2.wad", "Tnt.wad"})
        writeFile(w.root / "Iwads" / iwad, "IWAD");
    w.load();
    MainForm& f = *w.form;
    EXPECT_EQ(named<QLabel>(f, "Auto", 0)->text(), "COMMERCIAL DOOM LIST");
    const auto* games = named<QAbstractItemView>(f, "PwadList");
    const auto titles = entries(games);
    ASSERT_EQ(titles.size(), 3u);
    EXPECT_EQ(titles[2], "TNT - FINAL DOOM");
    EXPECT_EQ(krv::test::currentText(games), "DOOM II");
    const auto* files = named<QAbstractItemView>(f, "PwadShowlist");
    EXPECT_EQ(entries(files), std::vector<std::string>{"Doom2.wad"});
    w.state.session.games.setCurrentRow(2);
    EXPECT_EQ(w.state.session.settings.lastCommercialTitle, "TNT - FINAL DOOM");
    EXPECT_EQ(entries(files), std::vector<std::string>{"Tnt.wad"});
}

// The launch panel reads and opens these itself; the window's load and its
// log buttons are what reach it.
TEST(MainFormLoad, ShowsTheScreenModeAndTheStoredPanelAndItsLogButtonsOpenTheLogs) {
    Window w;
    writeFile(w.root / "Bin/KRVres.out", "W 1280 x 1024 * 75 Hz\r\n");
    writeFile(w.root / "korvath.OUT", "log");
    Settings s;
    s.advancedOptions = true;
    s.selButtonMode = 2;
    writeFile(w.root.configFile(), configText(s));
    w.load();
    MainForm& f = *w.form;
    EXPECT_EQ(named<QLabel>(f, "ResLabel", 1)->text(), "1280 x 1024 ");
    EXPECT_EQ(named<QGroupBox>(f, "FrameGlobal", 0)->title(), "  KRV Edit  ");
    named<QToolButton>(f, "AuxButton", 3)->click(); // "edit.out" does not exist
    named<QToolButton>(f, "AuxButton", 4)->click();
    ASSERT_EQ(w.platform.starts.size(), 1u);
    EXPECT_EQ(w.platform.starts[0].commandLine,
              "notepad.exe \"" + (w.root / "korvath.OUT").string() + "\"");
}

TEST(MainFormLoad, MarksWhatTheInstallationOffers) {
    Window w;
    writeFile(w.root / "Data/dtex/detail.wad", "PWAD");
    writeFile(w.root / "md2/quilspack/QUILSPACK.WAD", "PWAD");
    Settings s;
    s.quilspackWeapons = true;
    writeFile(w.root.configFile(), configText(s));
    w.load();
    EXPECT_TRUE(w.state.session.content.detailTexturesAvailable);
    EXPECT_EQ(w.state.session.content.quilspackFolder, w.root.root() + "/md2/Quilspack");
    EXPECT_TRUE(named<QCheckBox>(*w.form, "chkAltModels", 1)->isChecked());
    EXPECT_FALSE(w.state.session.content.skyboxesAvailable);
    EXPECT_FALSE(named<QCheckBox>(*w.form, "chkGraphics", 3)->isEnabled());
    // Pack options are offered only with their files.
    EXPECT_FALSE(named<QCheckBox>(*w.form, "chkAltModels", 3)->isEnabled());
    EXPECT_FALSE(named<QCheckBox>(*w.form, "chkSound", 6)->isEnabled());
}

TEST(MainFormLoad, OffersThePackOptionsWhoseFilesExist) {
    Window w;
    writeFile(w.root / "Md2/HudWeapons/SuperShotgun/db-shells.md2", "the base pack");
    writeFile(w.root / "Md2/Brasken/Gore/hang1.jpg", "x");
    writeFile(w.root / "Defs/Model/Quilspack/fullpack.ded", "x");
    fs::create_directories(w.root / "Md2/Monsters/Imp");
    writeFile(w.root / "Data/pk_doom_sfx.wad", "PWAD");
    // The packs themselves, for the refresh; without the core effects files
    // the forced effects keep the packs out.
    writeFile(w.root / "Md2/Brasken/Gore/Gore6.dmd", "x");
    writeFile(w.root / "Md2/Quilspack/AK47/AK47.md2", "x");
    writeFile(w.root / "Md2/Quilspack/quilspack.wad", "x");
    fs::create_directories(w.root / "Md2/CoreEffects");
    writeFile(w.root / "Defs/Base/CoreEffects.ded", "x");
    w.load();
    EXPECT_TRUE(named<QCheckBox>(*w.form, "chkAltModels", 3)->isEnabled());
    EXPECT_TRUE(named<QCheckBox>(*w.form, "chkAltModels", 1)->isEnabled());
    // The refresh at start-up offers both Quilspack options with the pack
    // itself, the alternative definitions or not.
    EXPECT_TRUE(named<QCheckBox>(*w.form, "chkAltModels", 2)->isEnabled());
    EXPECT_TRUE(
        named<QCheckBox>(*w.form, "chkAltModels", 0)->isEnabled()); // with the base model pack
    EXPECT_TRUE(named<QCheckBox>(*w.form, "chkSound", 6)->isEnabled());
}

TEST(MainFormLoad, WithoutTheQuilspackItsWeaponOptionsAreTurnedOff) {
    Window w;
    Settings s;
    s.quilspackWeapons = true;
    s.quilspackAltWeapons = true;
    s.corpseFadeSeconds = 0;
    s.grenadeTimer = 0;
    writeFile(w.root.configFile(), configText(s));
    w.load();
    EXPECT_TRUE(w.state.session.content.quilspackFolder.empty());
    EXPECT_FALSE(named<QCheckBox>(*w.form, "chkAltModels", 1)->isChecked());
    EXPECT_FALSE(named<QCheckBox>(*w.form, "chkAltModels", 2)->isChecked());
    EXPECT_EQ(named<QCheckBox>(*w.form, "chkKRVOpts", 3)->text(), "No corpse fade");
    EXPECT_FALSE(named<QCheckBox>(*w.form, "chkKRVOpts", 3)->isEnabled());
    EXPECT_EQ(named<QCheckBox>(*w.form, "ChkGL")->text(), "Pipebomb launcher");
}

TEST(MainFormLoad, StoredBoxesRunNoneOfTheirClickEffects) {
    Window w;
    Settings s;
    s.modelFx = true;
    s.basicDoom = false;
    s.ricochets = true;
    writeFile(w.root.configFile(), configText(s));
    w.load();
    Controls& c = w.state.session.controls;
    EXPECT_TRUE(c.isChecked(ids::ChkModelOpts[2]));
    EXPECT_FALSE(c.isChecked(ids::chkMain[0]));
    EXPECT_FALSE(w.state.session.settings.basicDoom);
    EXPECT_FALSE(w.state.session.launch.ricochetChanged);
    // The player's tick of "FX" does take "Basic Doom" with it (offered
    // here whatever the packs say).
    c.setEnabled(ids::ChkModelOpts[2], true);
    c.click(ids::ChkModelOpts[2]);
    c.click(ids::ChkModelOpts[2]);
    EXPECT_TRUE(c.isChecked(ids::chkMain[0]));
    EXPECT_FALSE(c.isChecked(ids::ChkModelOpts[3]));
}

TEST(MainFormLoad, SkyboxesAreOfferedAtOnceAndGreyedBoxesKeepTheirSettings) {
    Window w;
    fs::create_directories(w.root / "data/Skyboxes");
    Settings s;
    s.detailTextures = true;
    writeFile(w.root.configFile(), configText(s));
    w.load();
    Controls& c = w.state.session.controls;
    EXPECT_TRUE(c.isEnabled(ids::chkGraphics[3]));
    // Without detail textures their box is greyed; whatever it shows, the
    // setting stays as the player left it.
    ASSERT_FALSE(c.isEnabled(ids::chkGraphics[2]));
    c.setChecked(ids::chkGraphics[2], false);
    w.form->session().controlsToSettings();
    EXPECT_TRUE(w.state.session.settings.detailTextures);
}

TEST(MainFormSettings, EveryControlKeepsItsSettingThroughALoadAndAnUnload) {
    Window w;
    writeFile(w.root / "KRVLaunch/music/auto-playlist.krv", "x\r\n");
    writeFile(w.root / "KRVLaunch/music/Mine.krm", "x\r\n"); // playlists to choose from
    // Every switch away from its default, and values off the lists' entries.
    Settings s;
    const std::vector<bool Settings::*> switches = {&Settings::highResPatches,
                                                    &Settings::modelFx,
                                                    &Settings::noForcedModels,
                                                    &Settings::grenadeLauncher,
                                                    &Settings::developmentMode,
                                                    &Settings::disableSound,
                                                    &Settings::disableMusic,
                                                    &Settings::ricochets,
                                                    &Settings::disableMouse,
                                                    &Settings::monsterRespawn,
                                                    &Settings::noSameTypeInfighting,
                                                    &Settings::noLostSoulInfighting,
                                                    &Settings::rememberLastMap,
                                                    &Settings::rememberLastSavegame,
                                                    &Settings::braskenQuilsModels,
                                                    &Settings::braskenPistolZombies,
                                                    &Settings::highResTextures,
                                                    &Settings::noMonsters,
                                                    &Settings::verbose,
                                                    &Settings::skyboxes,
                                                    &Settings::gunSmoke,
                                                    &Settings::allowHiResRelocation,
                                                    &Settings::hiResSoundPack,
                                                    &Settings::playlistAuto,
                                                    &Settings::forceFmodMidi,
                                                    &Settings::ignorePlaylistIfCustomMusic,
                                                    &Settings::corpseFade,
                                                    &Settings::detailTextures,
                                                    &Settings::effectsSpare1,
                                                    &Settings::fastMonsters,
                                                    &Settings::basicDoom,
                                                    &Settings::scriptedMapsMode,
                                                    &Settings::advancedOptions,
                                                    &Settings::editMode,
                                                    &Settings::light,
                                                    &Settings::noObjects,
                                                    &Settings::disableJoystick,
                                                    &Settings::shortcutCreation,
                                                    &Settings::tipOfTheDay,
                                                    &Settings::wadFilesOnly,
                                                    &Settings::disableTooltips,
                                                    &Settings::dynamicLighting,
                                                    &Settings::extraFx,
                                                    &Settings::soundSpare7,
                                                    &Settings::selectionMemory,
                                                    &Settings::splashEffects,
                                                    &Settings::sound3d,
                                                    &Settings::soundSpare8};
    for (bool Settings::*on : switches)
        s.*on = !(s.*on);
    // "Auto" and "Manual" exclude each other, as "Core Effects" excludes
    // "Basic Doom" and "FX": "Auto", "Basic Doom" and "FX" are on.
    // The spare sound boxes store on only while both are available, which
    // "Basic Doom" prevents.
    s.soundSpare7 = s.soundSpare8 = false;
    s.audioChannels = 32;
    s.textureScaling = 3;
    s.skill = 4;
    s.editLight = 150;
    s.customCommandLine = "-nosound -file \"my maps.wad\"";
    s.corpseFadeSeconds = 5;
    s.ricochetValue = 7;
    s.grenadeTimer = 6;
    s.skyboxKind = 1;
    s.smokeKind = 1;
    s.launchMode = 0;
    s.gamesListView = 0;
    s.windowTop = 1500;
    s.windowLeft = 3000;
    const std::string written = configText(s);
    writeFile(w.root.configFile(), written);
    w.load();
    // What the window writes comes from its controls: the same settings held
    // otherwise in memory are not what reaches the file.
    // Greyed here, the first two boxes keep the setting held; the scripted
    // maps filter and its selection memory have no box: the session holds
    // them.
    const std::vector<bool Settings::*> heldOnly = {
        &Settings::highResPatches, &Settings::detailTextures, &Settings::scriptedMapsMode,
        &Settings::selectionMemory};
    Settings& held = w.state.session.settings;
    for (bool Settings::*on : switches)
        if (std::find(heldOnly.begin(), heldOnly.end(), on) == heldOnly.end())
            held.*on = !(held.*on);
    held.audioChannels = held.textureScaling = held.skill = held.editLight = -1;
    held.corpseFadeSeconds = held.ricochetValue = held.grenadeTimer = held.skyboxKind = -1;
    held.smokeKind = held.launchMode = held.gamesListView = -1;
    held.customCommandLine = "not from the controls";
    w.form->close();
    const auto read = w.config();
    const auto expected = krv::splitLines(written);
    ASSERT_EQ(read.size(), expected.size());
    for (std::size_t i = 0; i < read.size(); ++i)
        EXPECT_EQ(read[i], expected[i]) << "line " << i + 1;
}

TEST(MainFormSettings, NumberBoxesWithoutANumberGiveZero) {
    Window w;
    w.load();
    w.state.session.controls.setText(ids::Corpse, "");
    w.state.session.controls.setText(ids::LightText, "9.9");
    w.state.session.controls.setText(ids::Ricotext, "lots");
    w.form->close();
    EXPECT_EQ(w.config().at(73), "0");
    EXPECT_EQ(w.config().at(21), "9");
    EXPECT_EQ(w.config().at(74), "0");
}

namespace {

// Where a control's top stands in the window.
int windowY(const MainForm& form, const char* control) {
    return named(form, control)->mapTo(&form, QPoint()).y();
}

} // namespace

TEST(MainFormLayout, TheDefaultLayoutHidesTheAdvancedControlsAndShortensTheWindow) {
    Window w;
    Settings s;
    s.gamesListView = LibraryController::ZipLibrary;
    s.shortcutCreation = true;
    writeFile(w.root.configFile(), configText(s));
    w.load();
    QApplication::processEvents();
    MainForm& f = *w.form;
    EXPECT_EQ(f.height(), layoutSize(f, 6900).height());
    EXPECT_FALSE(f.advancedLayout());
    // The advanced layout's own controls are built when it first shows.
    for (const char* advancedOnly : {"OptionTabs_0", "FrameGlobal_0", "edCustom"})
        EXPECT_EQ(f.findChild<QWidget*>(advancedOnly), nullptr) << advancedOnly;
    EXPECT_TRUE(named(f, "PwadList")->isVisible()); // the Games page
    EXPECT_TRUE(named(f, "StartFrame")->isVisible());
    EXPECT_TRUE(named(f, "SkillFrame")->isVisible());
    EXPECT_FALSE(named(f, "OptionUdir", 2)->isVisible());
    EXPECT_TRUE(named<QRadioButton>(f, "OptionUdir", 1)->isChecked()); // the zip view gave way
    EXPECT_EQ(w.state.session.settings.gamesListView, LibraryController::DoomGames);
    for (int i : {2, 3, 4, 5, 6, 7})
        EXPECT_FALSE(named(f, "AuxButton", i)->isVisible()) << i;
    EXPECT_FALSE(named<QCheckBox>(f, "ChkModelOpts", 2)->isVisible());
    EXPECT_FALSE(named<QCheckBox>(f, "chkMain", 6)->isVisible());
    EXPECT_EQ(windowY(f, "ChkFrame"), windowY(f, "KRVFrame")); // in the command-line frame's place
}

// Each option page is built when its tab first shows it: it shows the
// model's state and its help text then. A page that needs more room than the
// window has (a large launcher font) grows the window rather than being
// squeezed; the simple window keeps its size.
TEST(MainFormLayout, EachOptionPageIsBuiltWhenItsTabFirstShowsIt) {
    Window w;
    Settings s;
    s.forceFmodMidi = true;
    writeFile(w.root.configFile(), configText(s));
    w.state.font = parseFontLine("DejaVu Sans,13");
    MainForm& f = w.create();
    f.load();
    f.show();
    QApplication::processEvents();
    const auto control = [&f](const char* name, int index) {
        return f.findChild<QWidget*>(QString::fromStdString(ControlId{name, index}.objectName()));
    };
    const QSize simple = f.size();

    named<QCheckBox>(f, "chkMain", 2)->click();
    QApplication::processEvents();
    EXPECT_EQ(control("chkSound", 9), nullptr);
    EXPECT_EQ(control("chkKRVOpts", 3), nullptr);

    named<QPushButton>(f, "OptionTabs", 3)->click();
    QApplication::processEvents();
    auto* sound3d = qobject_cast<QCheckBox*>(control("chkSound", 9));
    ASSERT_NE(sound3d, nullptr);
    EXPECT_TRUE(sound3d->isVisible());
    EXPECT_TRUE(sound3d->isChecked());
    EXPECT_FALSE(sound3d->toolTip().isEmpty());
    EXPECT_EQ(control("chkKRVOpts", 3), nullptr);

    named<QPushButton>(f, "OptionTabs", 1)->click();
    QApplication::processEvents();
    QWidget* page = control("chkKRVOpts", 3)->parentWidget()->parentWidget();
    EXPECT_GE(page->height(), page->minimumSizeHint().height());
    EXPECT_GE(page->width(), page->minimumSizeHint().width());

    named<QCheckBox>(f, "chkMain", 2)->click();
    QApplication::processEvents();
    EXPECT_EQ(f.size(), simple);
}

// A screen reader toggles check boxes and radio buttons through their
// accessible Toggle action, which does not click them: the model and its
// rules take the change all the same, and once.
TEST(MainFormLayout, AScreenReadersToggleActionWorksAsAClick) {
    Window w;
    w.load();
    MainForm& f = *w.form;
    const auto toggle = [&f](const char* name, int index) {
        QAccessibleInterface* button = QAccessible::queryAccessibleInterface(named(f, name, index));
        button->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QApplication::processEvents();
    };
    toggle("chkMain", 2);
    EXPECT_TRUE(f.advancedLayout());
    toggle("OptionUdir", 0);
    EXPECT_EQ(w.state.session.settings.gamesListView, LibraryController::InstalledGames);
    EXPECT_EQ(named<QLabel>(f, "Auto", 0)->text(), "INSTALLED GAMES LIST");
    toggle("chkMain", 2);
    EXPECT_FALSE(f.advancedLayout());
    named<QCheckBox>(f, "chkMain", 2)->click(); // a press still switches once
    EXPECT_TRUE(f.advancedLayout());
}

TEST(MainFormLayout, AdvancedOptionsSwitchBetweenTheLayouts) {
    Window w;
    Settings s;
    s.shortcutCreation = true;
    writeFile(w.root.configFile(), configText(s));
    w.load();
    MainForm& f = *w.form;
    named<QCheckBox>(f, "chkMain", 2)->click();
    QApplication::processEvents();
    EXPECT_TRUE(f.advancedLayout());
    const int advancedHeight = f.height();
    EXPECT_EQ(advancedHeight, layoutSize(f, 7710).height());
    for (int tab = 0; tab < 5; ++tab)
        EXPECT_TRUE(named(f, "OptionTabs", tab)->isVisible()) << tab;
    EXPECT_TRUE(named(f, "OptionTabs", 0)->isEnabled());
    EXPECT_FALSE(named(f, "StartFrame")->isVisible());
    EXPECT_TRUE(named(f, "FrameGlobal", 0)->isVisible());
    EXPECT_TRUE(named(f, "OptionUdir", 2)->isVisible());
    for (int i : {2, 4, 5, 6})
        EXPECT_TRUE(named(f, "AuxButton", i)->isVisible()) << i;
    EXPECT_FALSE(named(f, "AuxButton", 3)->isVisible()); // the edit log: edit mode only
    EXPECT_FALSE(named(f, "AuxButton", 7)->isVisible()); // the zip folder: zip view only
    w.state.session.controls.setChecked(ids::chkMain[5], true);
    EXPECT_TRUE(named(f, "AuxButton", 3)->isVisible());
    w.state.session.controls.setChecked(ids::chkMain[5], false);
    named<QRadioButton>(f, "OptionUdir", 2)->click();
    EXPECT_TRUE(named(f, "AuxButton", 7)->isVisible());
    named<QRadioButton>(f, "OptionUdir", 1)->click();
    EXPECT_LT(windowY(f, "ChkFrame"), windowY(f, "KRVFrame")); // back above the frames
    named<QCheckBox>(f, "chkLaunchPrefs", 2)->click();
    EXPECT_FALSE(named(f, "AuxButton", 2)->isVisible());

    named<QPushButton>(f, "OptionTabs", 3)->click();
    EXPECT_TRUE(named(f, "chkSound", 0)->isVisible()); // the Sound page
    named<QCheckBox>(f, "chkMain", 2)->click();
    QApplication::processEvents();
    EXPECT_EQ(f.height(), layoutSize(f, 6900).height());
    EXPECT_LT(f.height(), advancedHeight);
    EXPECT_TRUE(named(f, "PwadList")->isVisible()); // the Games page
    f.close();
    EXPECT_EQ(w.config().at(46), "0");
}

// The tabs, the command-line frames and the option pages are built after the
// window; Tab still moves through them where they stand on the screen.
TEST(MainFormLayout, ControlsBuiltLaterTakeTheirPlaceInTheKeyboardOrder) {
    Window w;
    MainForm& f = w.create();
    f.load();
    f.show();
    const auto nextByTab = [](QWidget* from) {
        QWidget* next = from->nextInFocusChain();
        while (next->focusPolicy() == Qt::NoFocus || !next->isVisible())
            next = next->nextInFocusChain();
        return next;
    };
    QWidget* firstOfGames = nextByTab(named(f, "Home", 3));
    named<QCheckBox>(f, "chkMain", 2)->click();
    EXPECT_EQ(nextByTab(named(f, "Home", 3)), named(f, "OptionTabs", 0));
    EXPECT_EQ(nextByTab(named(f, "OptionTabs", 4)), firstOfGames);
    EXPECT_EQ(nextByTab(named(f, "chkLaunchPrefs", 5)), named(f, "edCustom"));
    EXPECT_EQ(nextByTab(named(f, "SelButton")), named(f, "SkillsLevel", 1)); // the moved box
    named<QPushButton>(f, "OptionTabs", 3)->click();
    QWidget* firstOfSound = nextByTab(named(f, "OptionTabs", 4));
    EXPECT_TRUE(named(f, "chkSound", 0)->parentWidget()->isAncestorOf(firstOfSound) ||
                named(f, "chkSound", 0) == firstOfSound)
        << firstOfSound->objectName().toStdString();
}

// The advanced layout hides the skill frame: its box moves into the
// command-line panel and stays in step with the start box.
TEST(MainFormLayout, TheSkillCanBeChosenInEitherLayout) {
    Window w;
    w.load();
    MainForm& f = *w.form;
    EXPECT_NE(named<QGroupBox>(f, "StartFrame")->title(),
              named<QGroupBox>(f, "SkillFrame")->title());
    named<QCheckBox>(f, "chkMain", 2)->click();
    auto* skill = named<QComboBox>(f, "SkillsLevel", 1);
    EXPECT_TRUE(named(f, "FrameGlobal", 0)->isAncestorOf(skill));
    EXPECT_TRUE(skill->isVisible());
    skill->setCurrentIndex(4);
    emit skill->activated(4);
    EXPECT_EQ(named<QComboBox>(f, "SkillsLevel", 0)->currentIndex(), 4);
    EXPECT_EQ(w.state.session.settings.skill, 4);
    named<QPushButton>(f, "SelButton")->click(); // the edit panel keeps it too
    EXPECT_TRUE(skill->isVisible());
    named<QCheckBox>(f, "chkMain", 2)->click();
    EXPECT_TRUE(named(f, "SkillFrame")->isAncestorOf(skill));
    EXPECT_TRUE(skill->isVisible());
    named<QCheckBox>(f, "chkMain", 2)->click();
    EXPECT_TRUE(named(f, "FrameGlobal", 0)->isAncestorOf(skill));
}

TEST(MainFormSwitches, TheToolButtonsOpenTheDialogsTheirCaptionsName) {
    Window w;
    writeFile(w.root / "Iwads/Doom2.wad", "IWAD");
    Settings s;
    s.advancedOptions = true;
    s.allowHiResRelocation = true; // enables the texture location button
    writeFile(w.root.configFile(), configText(s));
    w.load();
    MainForm& f = *w.form;
    const struct {
        int index;
        const char* caption;
        const char* dialog;
    } buttons[] = {{5, "Iwads", "Iwad Locations"},
                   {6, "Font", "Font"},
                   {9, "Textures", "Custom Hi-Res Textures and Patches Location"}};
    for (const auto& button : buttons) {
        SCOPED_TRACE(button.index);
        auto* tool = named<QToolButton>(f, "AuxButton", button.index);
        EXPECT_EQ(tool->text(), button.caption);
        QString opened;
        QTimer::singleShot(0, [&opened] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                opened = modal->windowTitle();
                modal->close();
            }
        });
        tool->click();
        EXPECT_EQ(opened, button.dialog);
    }
    EXPECT_TRUE(named(f, "AuxButton", 5)->toolTip().contains("iwad", Qt::CaseInsensitive));
}

TEST(MainFormSwitches, DevModeDoubleClickShowsAndHidesTheDevelopmentSwitches) {
    Window w;
    Settings s;
    s.advancedOptions = true;
    writeFile(w.root.configFile(), configText(s));
    w.load();
    MainForm& f = *w.form;
    named<QPushButton>(f, "OptionTabs", 1)->click();
    EXPECT_FALSE(named<QCheckBox>(f, "chkTesting")->isVisible());
    EXPECT_FALSE(named(f, "ExitOption", 0)->isVisible());
    QTest::mouseDClick(named(f, "DevMode"), Qt::LeftButton);
    EXPECT_TRUE(named<QCheckBox>(f, "chkTesting")->isVisible());
    EXPECT_TRUE(named(f, "ExitOption", 0)->isVisible());
    named<QCheckBox>(f, "chkTesting")->click();
    named<QRadioButton>(f, "ExitOption", 0)->click();
    EXPECT_EQ(w.state.session.settings.launchMode, 0);
    QTest::mouseDClick(named(f, "DevMode"), Qt::LeftButton);
    EXPECT_FALSE(named<QCheckBox>(f, "chkTesting")->isVisible());
    EXPECT_FALSE(named<QCheckBox>(f, "chkTesting")->isChecked());
}

TEST(MainFormSwitches, EnterLaunchesOnlyWhileLaunchIsEnabled) {
    Window w;
    writeFile(w.root / "Iwads/Doom2.wad", "IWAD");
    w.platform.hiddenRunner = [](const std::string&, const std::string&) {
        return HiddenRunResult{true, 0, "IWAD\r\nNUMLEVELS 1\r\nGLNODES 0\r\nMAP01\r\n"};
    };
    w.load();
    MainForm& f = *w.form;
    int launches = 0;
    w.state.session.controls.onClicked(ids::LaunchButton, [&launches](bool) { ++launches; });
    named<QCheckBox>(f, "chkMain", 2)->click(); // the extra parameters' box
    QWidget* custom = named(f, "edCustom");
    custom->setFocus();
    QTest::keyClick(custom, Qt::Key_Return);
    EXPECT_EQ(launches, 1);
    w.state.session.controls.setEnabled(ids::LaunchButton, false);
    QTest::keyClick(named(f, "PwadList"), Qt::Key_Enter);
    QTest::keyClick(&f, Qt::Key_Return);
    EXPECT_EQ(launches, 1);
}

TEST(MainFormSwitches, TheWebButtonsOpenTheSiteAndTheDownloads) {
    Window w;
    w.load();
    named<QToolButton>(*w.form, "Home", 0)->click();
    named<QToolButton>(*w.form, "Home", 3)->click();
    EXPECT_EQ(w.platform.openedDocuments, (std::vector<std::string>{kProductSite, kDownloadsPage}));
}

TEST(MainFormSwitches, ReturningFromALaunchRefreshesOnlyWhileOneIsInProgress) {
    Window w;
    w.load();
    w.state.session.launch.launchInProgress = true;
    w.form->showMinimized();
    EXPECT_TRUE(w.state.session.launch.launchInProgress);
    w.form->showNormal();
    EXPECT_FALSE(w.state.session.launch.launchInProgress);
}

TEST(MainFormSwitches, ActivationSelectsTheFirstTitleAndDropsAMissingAutoPlaylist) {
    Window w;
    Settings s;
    s.playlistAuto = true;
    writeFile(w.root.configFile(), configText(s));
    writeFile(w.root / "Iwads/Doom2.wad", "IWAD");
    w.load();
    w.state.session.games.setCurrentRow(-1);
    w.state.session.settings.lastCommercialTitle.clear();
    QApplication::setActiveWindow(w.form.get());
    ASSERT_TRUE(w.form->isActiveWindow());
    EXPECT_EQ(named<QAbstractItemView>(*w.form, "PwadList")->currentIndex().row(), 0);
    EXPECT_FALSE(named<QCheckBox>(*w.form, "chkSound", 4)->isChecked());
}

TEST(MainFormTheme, DoubleClicksCycleThroughThePicturesAndABrokenOneShowsTheCaption) {
    Window w;
    const fs::path themes = w.root / "KRVLaunch/Themes";
    fs::create_directories(themes);
    QImage picture(40, 8, QImage::Format_RGB32);
    picture.fill(Qt::darkRed);
    ASSERT_TRUE(picture.save(QString::fromStdString((themes / "default.jpg").string())));
    ASSERT_TRUE(picture.save(QString::fromStdString((themes / "b.bmp").string())));
    writeFile(themes / "c.jpg", "not a picture at all");
    Settings s;
    s.titlePicture = 1;
    writeFile(w.root.configFile(), configText(s));
    w.load();
    MainForm& f = *w.form;
    auto* title = named<QLabel>(f, "TitlePic");
    EXPECT_EQ(w.state.session.settings.titlePicture, 1);
    EXPECT_FALSE(title->pixmap().isNull());

    QTest::mouseDClick(title, Qt::LeftButton);
    EXPECT_EQ(w.state.session.settings.titlePicture, 2);
    EXPECT_TRUE(title->pixmap().isNull()); // the broken picture
    EXPECT_EQ(title->text(), QString::fromStdString(w.state.startup.windowCaption));

    QTest::mouseDClick(title, Qt::LeftButton);
    EXPECT_EQ(w.state.session.settings.titlePicture, 0);
    EXPECT_FALSE(title->pixmap().isNull());
    f.close();
    EXPECT_EQ(w.config().at(2), "0");
}

TEST(MainFormTheme, AHugePictureIsRefusedWithoutExhaustingMemory) {
    Window w;
    // A bitmap header claiming 60000 x 60000 pixels, with almost no data.
    std::string bmp = "BM";
    const auto put32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bmp += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    put32(54 + 64);                            // file size
    put32(0);                                  // reserved
    put32(54);                                 // pixel data offset
    put32(40);                                 // header size
    put32(60000);                              // width
    put32(60000);                              // height
    bmp += std::string("\x01\x00\x18\x00", 4); // one plane, 24 bits
    for (int i = 0; i < 6; ++i)
        put32(0);
    bmp += std::string(64, '\x7f');
    writeFile(w.root / "KRVLaunch/Themes/default.jpg", bmp); // misnamed, as users do
    w.load();
    const auto* title = named<QLabel>(*w.form, "TitlePic");
    EXPECT_TRUE(title->pixmap().isNull());
    EXPECT_EQ(title->text(), QString::fromStdString(w.state.startup.windowCaption));
}

TEST(MainFormHelp, EveryHelpTextReachesItsControlAndTheOptionRemovesThemAll) {
    Window w;
    w.load();
    MainForm& f = *w.form;
    named<QCheckBox>(f, "chkMain", 2)->click(); // builds the advanced layout's controls
    std::size_t entries = 0;
    for (const auto* table : mainWindowHelpTables())
        for (const HelpText& help : *table) {
            ++entries;
            QWidget* target = f.helpTarget(help.control, help.index);
            ASSERT_NE(target, nullptr) << help.control << " " << help.index;
            EXPECT_FALSE(target->toolTip().isEmpty()) << help.control << " " << help.index;
        }
    EXPECT_EQ(mainWindowHelpTexts().size(), 85u);
    EXPECT_EQ(named(f, "chkLaunchPrefs", 3)->toolTip(),
              "Removes all the tooltip text from the launcher.\n"
              "Hint - this is what you are currently viewing.");
    EXPECT_EQ(named(f, "MapList")->toolTip(), "  Select map for startup.  ");

    // The command-line preview's text says what the line is, in whole lines.
    EXPECT_EQ(named(f, "PreviewLine")->toolTip(), "The engine's command line, as\n"
                                                  "Launch would start it with the\n"
                                                  "current selection and options.");

    named<QCheckBox>(f, "chkLaunchPrefs", 3)->click(); // off
    for (const auto* table : mainWindowHelpTables())
        for (const HelpText& help : *table)
            EXPECT_TRUE(f.helpTarget(help.control, help.index)->toolTip().isEmpty())
                << help.control;
    named<QCheckBox>(f, "chkLaunchPrefs", 3)->click(); // on again
    EXPECT_EQ(named(f, "edCustom")->toolTip().count(QLatin1Char('\n')), 2);
    f.close();

    Window quiet;
    Settings s;
    s.disableTooltips = true;
    writeFile(quiet.root.configFile(), configText(s));
    quiet.load();
    EXPECT_TRUE(named<QPushButton>(*quiet.form, "LaunchButton")->toolTip().isEmpty());
    named<QCheckBox>(*quiet.form, "chkMain", 2)->click(); // built now, and quiet too
    EXPECT_TRUE(named(*quiet.form, "edCustom")->toolTip().isEmpty());
}
