#include "launcher/session/session.h"

#include "launcher/inspect/inspect_controls.h"
#include "launcher/inspect/map_list.h"
#include "launcher/launch/launch_controls.h"
#include "launcher/library/game_operations.h"
#include "launcher/library/library_controls.h"
#include "launcher/music/music_controls.h"
#include "launcher/options/option_controls.h"
#include "launcher/session/window_controls.h"

#include "common/ci_path.h"
#include "common/strings.h"

#include <algorithm>
#include <vector>

namespace krv {

using namespace ids;

namespace {

// The launcher preferences, each with the setting it shows.
const std::vector<std::pair<bool Settings::*, ControlId>>& preferenceBoxes() {
    static const std::vector<std::pair<bool Settings::*, ControlId>> boxes = {
        {&Settings::rememberLastMap, chkLaunchPrefs[0]},
        {&Settings::rememberLastSavegame, chkLaunchPrefs[1]},
        {&Settings::shortcutCreation, chkLaunchPrefs[2]},
        {&Settings::tipOfTheDay, chkLaunchPrefs[5]},
        {&Settings::wadFilesOnly, chkLaunchPrefs[4]},
        {&Settings::disableTooltips, chkLaunchPrefs[3]},
    };
    return boxes;
}

} // namespace

Session::Session(AppState& state, Platform& platform, WindowPort& window)
    : state_(state), platform_(platform), window_(window),
      options_(state.session, state.paths, platform, SoundFrame[1]),
      music_(state.session, state.paths, state.iwads, platform),
      inspect_(state.session, state.paths, state.iwads, platform),
      library_(state.session, state.paths, state.startup, state.iwads, state.font, platform,
               inspect_, options_, *this),
      launch_(state.session, state.paths, state.startup, state.iwads, platform, *this) {
    declareWindowControls(state_.session.controls);
    state_.session.controls.checkDeclared();
    followWindowControls();
    followParts();
}

void Session::followWindowControls() {
    Controls& c = state_.session.controls;
    c.onClicked(chkMain[2], [this](bool advanced) { applyLayoutMode(advanced); });
    c.onToggled(chkLaunchPrefs[2], [this](bool on) {
        if (state_.session.advancedLayout)
            state_.session.controls.setVisible(AuxButton[2], on);
    });
    c.onClicked(chkLaunchPrefs[3], [this](bool off) {
        state_.session.settings.disableTooltips = off;
        window_.showHelpTexts(!off);
        showContinue();
    });
    c.onClicked(chkLaunchPrefs[4], [this](bool on) { state_.session.settings.wadFilesOnly = on; });
    for (int i = 0; i < 5; ++i)
        c.onClicked(OptionTabs[i], [this, i](bool) { switchTab(i); });
    c.onClicked(chkLaunchPrefs[0], [this](bool on) { library_.rememberLastMap(on); });
    c.onClicked(chkLaunchPrefs[1], [this](bool on) { library_.rememberLastSavegame(on); });
    c.onClicked(AuxButton[0], [this](bool) { library_.InstallLevel(); });
    c.onClicked(AuxButton[1], [this](bool) { OpenDocumentation(); });
    c.onClicked(AuxButton[3], [this](bool) { launch_.openLogFile("edit.out"); });
    c.onClicked(AuxButton[4], [this](bool) { launch_.openLogFile("Korvath.out"); });
    c.onClicked(AuxButton[7], [this](bool) { library_.SetZipLibraryFolder(); });
    c.onClicked(ContinueButton, [this](bool) { Continue(); });
    state_.session.saveGames.onEntriesChanged([this] { showContinue(); });
    c.onClicked(Home[0], [this](bool) { platform_.openDocument(kProductSite); });
    c.onClicked(Home[3], [this](bool) { platform_.openDocument(kDownloadsPage); });
}

// What each part follows of the others.
void Session::followParts() {
    OptionsListener options;
    options.editModeChanged = [this](bool on) { showEditMode(on); };
    options.textureRelocationChanged = [this](bool on) {
        state_.session.controls.setEnabled(AuxButton[9], on);
    };
    options.soundRulesApplied = [this] { music_.DisableMusic(); };
    options.saveGamesPurged = [this] { state_.session.saveGames.clear(); };
    options_.setListener(std::move(options));
    InspectListener inspect;
    inspect.mapChosen = [this](int row) { library_.recordMapChoice(row); };
    inspect.saveGameChosen = [this](const std::string& slot) {
        library_.recordSaveGameChoice(slot);
    };
    inspect.saveGameDeleted = [this] { library_.SelectGame(); };
    inspect_.setListener(std::move(inspect));
    LibraryListener library;
    library.gameFilesExpanded = [this](bool expanded) { window_.expandGameFiles(expanded); };
    library_.setListener(std::move(library));
}

// ---- Load ------------------------------------------------------------------

void Session::createLibraryFolders() {
    if (!ci::isFolder(state_.paths.root + "/KRVGames"))
        ci::createFolder(state_.paths.root + "/KRVGames");
    if (!ci::isFolder(state_.paths.launcherFolder + "GameInfo"))
        ci::createFolder(state_.paths.launcherFolder + "GameInfo");
}

void Session::noteDetailTextures() {
    state_.session.content.detailTexturesAvailable =
        ci::isFile(state_.paths.root + "/data/dtex/detail.wad");
}

SettingsReadResult Session::readSettingsFile(int centredTop, int centredLeft) {
    const SettingsReadResult read = readSettings(state_.paths, state_.startup.wineMode, centredTop,
                                                 centredLeft, state_.session.settings);
    corpseFadeUnavailable_ = read.corpseFadeUnavailable;
    return read;
}

void Session::prepareWindowControls() {
    state_.session.controls.setChecked(OptionTabs[0], true);
    const int view = state_.session.settings.gamesListView;
    if (view >= 0 && view < 3)
        state_.session.controls.setChecked(OptionUdir[view], true);
    launch_.SelectStartupOptions();
    launch_.GetCurrentRes();
}

void Session::cleanUpLibrary() {
    // The zip work folder only ever holds the files of the archive selected
    // in this run; what an earlier run left there is stale. The node caches
    // of the listed wads go while the game files are listed.
    removeFolderFiles(state_.paths.launcherFolder + "Zips");
}

void Session::showWineMode() {
    state_.session.controls.setVisible(WineImage, state_.startup.wineMode);
}

void Session::restoreControls() {
    settingsToControls();
    applyLayoutMode(state_.session.settings.advancedOptions);
    library_.noteListedFileFilter(state_.session.settings.wadFilesOnly);
    options_.applyOptionRules();
    music_.showManualCaption();
    switchTab(0);
}

void Session::restoreGamesList() {
    const Settings& s = state_.session.settings;
    state_.session.gameSelection.lastInstalledGame =
        s.scriptedMapsMode ? s.rememberedScriptedEntry : s.rememberedNormalEntry;
    library_.ShowView(s.gamesListView);
    options_.noteSkyboxes();
}

void Session::reportSettingsReset() {
    StartupState& startup = state_.startup;
    if (!startup.settingsReset)
        return;
    startup.settingsReset = false;
    std::string text;
    if (startup.settingsCorrupt) {
        startup.settingsCorrupt = false;
        text = "Corrupt config file detected required the launcher configurations to     \r\n"
               " be reset to the default settings, please reconfigure your settings. ";
    } else {
        text = "The latest version upgrade required the launcher configurations to     \r\n"
               " be reset to the default settings, please reconfigure your settings. ";
    }
    platform_.showMessage(text, msg::kSystemModal, " Version update " + startup.launcherVersion);
}

void Session::detectModelPacks() {
    // The model options follow the packs found; the scripted-map picture
    // the models of the maker's maps.
    options_.RefreshModelPacks();
    library_.showScriptedFilterButton();
}

void Session::storeSettings() {
    ci::removeFile(state_.paths.dataFolder + "pwad.krv");
    controlsToSettings();
    if (!state_.startup.settingsReset) {
        if (writeSettings(state_.paths, state_.startup.wineMode, state_.session.settings) !=
            IoStatus::Ok)
            platform_.showMessage("The launcher settings could not be saved to config.krv.   ",
                                  msg::kCritical, " Configuration error");
    }
}

// ---- Settings and controls ------------------------------------------------------

void Session::settingsToControls() {
    const Settings& s = state_.session.settings;
    options_.settingsToControls(s);
    for (const auto& [setting, box] : preferenceBoxes())
        state_.session.controls.setChecked(box, s.*setting);
    library_.settingsToControls(s);
    inspect_.settingsToControls(s);
    launch_.settingsToControls(s);
    if (corpseFadeUnavailable_)
        options_.showCorpseFadeUnavailable();
}

Settings Session::settingsWithControls() const {
    Settings s = state_.session.settings;
    options_.controlsToSettings(s);
    for (const auto& [setting, box] : preferenceBoxes())
        s.*setting = state_.session.controls.isChecked(box);
    library_.controlsToSettings(s);
    inspect_.controlsToSettings(s);
    launch_.controlsToSettings(s);
    return s;
}

void Session::controlsToSettings() {
    state_.session.settings = settingsWithControls();
}

// After a composition the pack options follow the packs found now.
void Session::showComposedSettings() {
    settingsToControls();
    options_.RefreshModelPacks();
}

// ---- Window-wide switches --------------------------------------------------

void Session::applyLayoutMode(bool advanced) {
    Controls& c = state_.session.controls;
    state_.session.advancedLayout = advanced;
    c.setVisible(StartFrame, !advanced);
    c.setVisible(SkillFrame, !advanced);
    for (int i = 0; i < 5; ++i)
        c.setVisible(OptionTabs[i], advanced);
    c.setEnabled(OptionTabs[0], advanced);
    if (!advanced)
        c.setChecked(OptionTabs[0], true);
    c.setVisible(ChkModelOpts[2], advanced);
    c.setVisible(ChkModelOpts[3], advanced);
    c.setVisible(chkMain[6], advanced);
    c.setVisible(FrameGlobal[0], advanced);
    library_.applyLayoutMode(advanced);
    for (int i : {4, 5, 6})
        c.setVisible(AuxButton[i], advanced);
    c.setVisible(AuxButton[2], advanced && c.isChecked(chkLaunchPrefs[2]));
    // The texture-offset log belongs to the engine's edit mode; the zip
    // folder button to the zip view, where it shares the log's place.
    c.setVisible(AuxButton[3], advanced && c.isChecked(chkMain[5]));
    c.setVisible(AuxButton[7], advanced && !c.isVisible(AuxButton[3]) &&
                                   state_.session.settings.gamesListView == kZipLibraryView);
}

// The option tabs take the Launch and shortcut buttons away; the Games tab
// gives them back when the selection can be launched.
void Session::switchTab(int tab) {
    Controls& c = state_.session.controls;
    c.setChecked(OptionTabs[tab], true);
    c.setVisible(AuxButton[8], tab == 4); // the model pack cleanup
    if (tab == 0) {
        library_.showGamesTab();
        return;
    }
    c.setEnabled(LaunchButton, false);
    c.setEnabled(AuxButton[2], false);
    if (tab == 2)
        options_.runGraphicsCheck();
    if (tab == 3)
        options_.runSoundPackCheck();
    if (tab == 4)
        options_.RefreshModelPacks();
}

// "Edit  mode" brings the texture-offset log button; the zip folder button
// shares its place in the zip view.
void Session::showEditMode(bool on) {
    Controls& c = state_.session.controls;
    const bool advanced = state_.session.advancedLayout;
    c.setVisible(AuxButton[3], advanced && on);
    c.setVisible(AuxButton[7],
                 advanced && !on && state_.session.settings.gamesListView == kZipLibraryView);
    c.setEnabled(LightText, on);
    c.setVisible(WineImage, !on && state_.startup.wineMode);
}

void Session::DevModeDblClick() {
    Controls& c = state_.session.controls;
    const bool show = c.isHidden(chkTesting);
    c.setVisible(chkTesting, show);
    c.setVisible(ExitOption[0], show);
    if (!show)
        c.setChecked(chkTesting, false);
}

void Session::Reset() {
    state_.session.launch.launchInProgress = false;
    const LaunchSelection& selection = state_.session.launchSelection;
    const std::string slot =
        selection.startKind == StartKind::LoadGame ? selection.loadSlot : std::string();
    library_.SelectGame();
    // The saved game chosen before the launch is chosen again.
    inspect_.chooseSaveGameOfSlot(slot);
    launch_.refreshScreenMode();
}

void Session::onActivated() {
    library_.onWindowActivated();
    music_.dropAutoWithoutPlaylists();
}

// Continue is offered while the selection has a saved game; its help text
// names the one it loads.
void Session::showContinue() {
    SessionModel& m = state_.session;
    const int row = newestSaveGameRow(m.saveGames.texts(), m.gameSelection.saveFolder);
    m.controls.setEnabled(ContinueButton, row >= 0);
    std::string help;
    if (row >= 0 && !m.settings.disableTooltips) {
        const std::string& entry = m.saveGames.text(row);
        help = "Continue from slot " + entry.substr(0, 1) + ": " +
               std::string(trim(entry.substr(std::min<std::size_t>(3, entry.size()))));
    }
    m.controls.setToolTip(ContinueButton, help);
}

void Session::Continue() {
    SessionModel& m = state_.session;
    const int row = newestSaveGameRow(m.saveGames.texts(), m.gameSelection.saveFolder);
    if (row < 0)
        return;
    m.saveGames.setCurrentRow(row);
    inspect_.clickSaveGame(row);
    launch_.LaunchButtonClick();
}

void Session::OpenDocumentation() {
    if (docsFolder_.empty())
        docsFolder_ = state_.paths.root + "/KRV_Docs";
    OpenFileRequest request;
    request.title = "Korvath Documentation";
    request.filter = "Korvath Documentation (*.txt *.htm)";
    request.initialFolder = docsFolder_;
    const auto chosen = platform_.openFile(request);
    if (!chosen)
        return;
    docsFolder_ = folderOfPath(*chosen);
    if (iendsWith(*chosen, ".txt") || iendsWith(*chosen, ".htm"))
        platform_.openDocument(*chosen);
}

} // namespace krv
