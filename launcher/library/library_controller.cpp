// The games list's three views, the selection of a game and of a game file,
// the task menus and the scripted-map filter. The library's records and the
// game files' choice are read in library_controller_records.cpp.

#include "launcher/library/library_controller.h"

#include "launcher/inspect/game_files.h"
#include "launcher/inspect/inspect_controls.h"
#include "launcher/launch/launch_controls.h"
#include "launcher/library/game_info.h"
#include "launcher/library/games_list_rules.h"
#include "launcher/library/library_controls.h"
#include "launcher/library/library_layout.h"
#include "launcher/library/scripted_maps.h"
#include "launcher/library/unzip_module.h"
#include "launcher/library/zip_library.h"
#include "launcher/options/option_controls.h"
#include "launcher/session/window_controls.h"

#include "common/ci_path.h"
#include "common/strings.h"

#include <utility>

namespace krv {

using namespace ids;

namespace {

constexpr const char* kScriptedHeader = "KORVATH SCRIPTED MAP";
constexpr const char* kInstalledHeader = "INSTALLED GAMES LIST";
// The view shown, in dark red.
constexpr CaptionColour kShownView{192, 0, 0};

bool endsWithWad(const std::string& name) {
    return iendsWith(name, ".wad");
}

} // namespace

LibraryController::LibraryController(SessionModel& model, InstallPaths& paths,
                                     const StartupState& startup, const IwadRegistry& iwads,
                                     const FontSetting& font, Platform& platform,
                                     InspectController& inspect, OptionsController& options,
                                     LibraryHost& host)
    : model_(model), c_(model.controls), games_(model.games), files_(model.gameFiles),
      paths_(paths), startup_(startup), iwads_(iwads), font_(font), platform_(platform),
      inspect_(inspect), options_(options), host_(host) {
    declareLibraryControls(c_);
    followLists();
}

void LibraryController::followLists() {
    games_.onCurrentRowChanged([this](int row) {
        if (row >= 0)
            SelectGame();
    });
    files_.onSelectionChanged([this] {
        if (!fillingGameFiles_)
            SelectFile();
    });
    for (int i = 0; i < 3; ++i)
        c_.onClicked(OptionUdir[i], [this, i](bool) { ShowView(i); });
    c_.onClicked(ImageCM, [this](bool) { ToggleScriptedFilter(); });
    c_.onTextChanged(GamesFilter, [this](const std::string&) { filterGamesList(); });
}

void LibraryController::rememberLastMap(bool on) {
    model_.settings.rememberLastMap = on;
    if (!on)
        GameInfoStore(paths_).clearMapRecords();
}

void LibraryController::rememberLastSavegame(bool on) {
    model_.settings.rememberLastSavegame = on;
    if (!on)
        GameInfoStore(paths_).clearSaveRecords();
}

void LibraryController::setLaunchable(bool on) {
    c_.setEnabled(LaunchButton, on);
}

void LibraryController::expandGameFiles(bool expanded) {
    if (listener_.gameFilesExpanded)
        listener_.gameFilesExpanded(expanded);
}

// ---- Views --------------------------------------------------------------------

// Hides the entries that do not contain the filter text, ignoring case.
void LibraryController::hideFilteredGames() {
    const std::string wanted(trim(c_.text(GamesFilter)));
    for (int row = 0; row < games_.count(); ++row) {
        const std::string& entry = games_.text(row);
        games_.setHidden(row, !wanted.empty() && !containsIgnoringCase(entry, wanted) &&
                                  !readmeMatches(entry, wanted));
    }
}

void LibraryController::ShowView(int view) {
    if (view < InstalledGames || view > ZipLibrary)
        view = DoomGames;
    const bool wasScripted = c_.text(Auto[0]) == kScriptedHeader;
    model_.gameSelection.clearMarks();
    model_.saveGames.clear();
    if (wasScripted)
        options_.RestoreSpriteOptions();
    for (int i = 0; i < 3; ++i)
        c_.setColour(OptionUdir[i], i == view ? std::optional(kShownView) : std::nullopt);
    files_.clear();
    model_.maps.clear();
    model_.mainWad.clear();
    const bool tips = !model_.settings.disableTooltips;
    c_.setToolTip(PwadList, tips ? " Right click on selected game for tasks menu. " : "");
    model_.settings.gamesListView = view;
    c_.setChecked(OptionUdir[view], true);

    std::string wanted;
    {
        const ListState::Quiet quiet(games_); // the selection below runs SelectGame once
        if (view == InstalledGames) {
            c_.setVisible(AuxButton[7], false);
            c_.setVisible(ImageCM, model_.content.scriptedMapModels && model_.advancedLayout);
            FillInstalledGames();
            setLaunchable(true);
            c_.setText(Auto[0], kInstalledHeader);
            wanted = model_.gameSelection.lastInstalledGame;
        } else if (view == DoomGames) {
            c_.setVisible(ImageCM, false);
            c_.setVisible(AuxButton[7], false);
            if (tips)
                c_.setToolTip(PwadList, "");
            setLaunchable(true);
            c_.setEnabled(AuxButton[2], true);
            c_.setText(Auto[0], "COMMERCIAL DOOM LIST");
            forgetReadmes();
            games_.fill(doomGamesTitles(iwads_, font_.isSet()));
            wanted = model_.settings.lastCommercialTitle;
        } else {
            c_.setVisible(ImageCM, false);
            c_.setVisible(AuxButton[7], !c_.isVisible(AuxButton[3]) && model_.advancedLayout);
            c_.setToolTip(PwadList,
                          tips ? " Right click on selected zip file for tasks menu. " : "");
            setLaunchable(true);
            c_.setEnabled(AuxButton[2], false);
            const bool custom = ci::isFile(paths_.dataFolder + "archives.krv") &&
                                ci::isFolder(paths_.archivesFolder);
            c_.setText(Auto[0], custom ? "CUSTOM ZIP LIBRARY" : "ZIP LIBRARY");
            FillZipLibrary(paths_.archivesFolder);
            wanted = model_.settings.lastArchive;
        }
        hideFilteredGames();
    }
    int row = -1;
    for (int i = 0; i < games_.count() && row < 0; ++i)
        if (!games_.isHidden(i) && iequals(games_.text(i), wanted))
            row = i;
    if (row < 0)
        row = games_.firstShownRow();
    {
        const ListState::Quiet quiet(games_);
        games_.setCurrentRow(row);
    }
    if (row >= 0)
        SelectGame();
    else
        model_.gameSelection.selectionMade = false;
    if (files_.count() == 0) {
        setLaunchable(false);
        c_.setEnabled(AuxButton[2], false);
    }
}

void LibraryController::filterGamesList() {
    hideFilteredGames();
    const int current = games_.currentRow();
    if (current >= 0 && !games_.isHidden(current))
        return;
    const int row = games_.firstShownRow();
    {
        const ListState::Quiet quiet(games_); // the selection below runs SelectGame once
        games_.setCurrentRow(row);
    }
    if (row >= 0) {
        SelectGame();
        return;
    }
    // Nothing matches: nothing is selected, so nothing can be launched.
    model_.gameSelection.selectionMade = false;
    files_.clear();
    model_.maps.clear();
    model_.saveGames.clear();
    setLaunchable(false);
}

void LibraryController::FillInstalledGames() {
    GamesListing games = listGamesFolder(paths_, model_.settings.scriptedMapsMode);
    forgetReadmes();
    // A screenful is looked into, shown and painted before the rest are: a
    // folder of thousands of games shows at once, and the few folders that
    // hold no game leave the list a moment later.
    const std::size_t screenful = keepGames(games, 0, kGamesScreenful);
    showInstalledGames(games.names);
    if (screenful == games.names.size())
        return;
    platform_.paintWindows();
    const std::size_t listed = games.names.size();
    keepGames(games, screenful, listed);
    if (games.names.size() != listed)
        showInstalledGames(games.names);
}

void LibraryController::showInstalledGames(const std::vector<std::string>& names) {
    std::vector<std::string> entries;
    entries.reserve(names.size());
    for (const std::string& name : names)
        entries.push_back(font_.isSet() ? name : toUpper(name));
    games_.fill(std::move(entries));
    hideFilteredGames();
}

void LibraryController::FillZipLibrary(const std::string& folder) {
    if (!ci::isFolder(folder))
        ci::createFolder(folder);
    std::vector<std::string> entries;
    for (const std::string& name : zipArchiveNames(folder))
        entries.push_back(zipLibraryEntry(name, font_.isSet()));
    forgetReadmes();
    games_.fill(std::move(entries));
}

bool LibraryController::showsDoomGamesView() const {
    return model_.settings.gamesListView == DoomGames;
}

void LibraryController::refillDoomGamesView() {
    if (showsDoomGamesView())
        ShowView(DoomGames);
}

void LibraryController::clearDoomGamesView() {
    games_.clear();
    files_.clear();
    model_.maps.clear();
}

void LibraryController::selectFirstDoomGame() {
    if (showsDoomGamesView() && games_.count() > 0 && games_.currentRow() < 0)
        games_.setCurrentRow(0);
}

void LibraryController::onWindowActivated() {
    if (model_.settings.lastCommercialTitle.empty() && games_.count() > 0 &&
        games_.currentRow() < 0)
        games_.setCurrentRow(0);
}

// ---- The window's switches ------------------------------------------------------

// The zip library belongs to the advanced layout; leaving it shows the Doom
// games.
void LibraryController::applyLayoutMode(bool advanced) {
    c_.setVisible(OptionUdir[ZipLibrary], advanced);
    if (!advanced && model_.settings.gamesListView == ZipLibrary) {
        c_.setChecked(OptionUdir[DoomGames], true);
        ShowView(DoomGames);
    }
    showScriptedFilterButton();
}

// The scripted-map picture shows where the models of the maker's maps are
// installed.
void LibraryController::showScriptedFilterButton() {
    c_.setVisible(ImageCM, model_.advancedLayout && model_.content.scriptedMapModels &&
                               model_.settings.gamesListView == InstalledGames);
}

void LibraryController::showGamesTab() {
    const bool wadFilesOnly = c_.isChecked(chkLaunchPrefs[4]);
    if (wadFilesOnly != wadFilesOnlyListed_) {
        wadFilesOnlyListed_ = wadFilesOnly;
        SelectGame();
    }
    const bool launchable = files_.count() > 0 && model_.maps.count() > 0;
    setLaunchable(launchable);
    c_.setEnabled(AuxButton[2], launchable && c_.isChecked(chkLaunchPrefs[2]) &&
                                    model_.settings.gamesListView != ZipLibrary);
}

// ---- Selection ----------------------------------------------------------------

void LibraryController::SelectGame() {
    fillingGameFiles_ = true;
    files_.clear();
    fillingGameFiles_ = false;
    model_.maps.clear();
    model_.saveGames.clearSelection();
    LaunchSelection& selection = model_.launchSelection;
    selection.loadSlot.clear();
    if (selection.startKind == StartKind::LoadGame)
        selection.startKind = StartKind::Normal;
    model_.gameSelection.clearMarks();
    if (games_.currentRow() < 0)
        return;
    const std::string entry = games_.currentText();
    model_.settings.lastGamesListEntry = entry;
    switch (model_.settings.gamesListView) {
    case DoomGames:
        selectDoomGame(entry);
        break;
    case ZipLibrary:
        selectZip(entry);
        break;
    default:
        selectInstalledGame(entry);
        break;
    }
    restoreStartKind();
}

// After a selection the start kind follows the skill selector again, unless
// a saved game was restored.
void LibraryController::restoreStartKind() {
    LaunchSelection& selection = model_.launchSelection;
    if (selection.startKind == StartKind::LoadGame)
        return;
    if (c_.currentIndex(SkillsLevel[0]) == 0) {
        selection.startKind = StartKind::Normal;
        model_.maps.clearSelection();
    } else if (model_.maps.currentRow() >= 0) {
        selection.startKind = StartKind::Warp;
    }
}

void LibraryController::selectDoomGame(const std::string& title) {
    expandGameFiles(false);
    model_.settings.lastCommercialTitle = title;
    model_.gameSelection.commercial = true;
    const auto kind = iwadKindOfTitle(title);
    if (!kind || !iwads_.isRegistered(*kind))
        return;
    const std::string iwad = iwads_.path(*kind);
    model_.gameSelection.currentGameFolder = folderOfPath(iwad) + ci::kSep;
    showSaveGames(commercialSaveName(title));
    addGameFiles({std::string(fileNameOfPath(iwad))});
    model_.mainWad = iwad;
    // The file's selection lists the IWAD's maps before it brings back a
    // remembered saved game (found by its slot, as for any game), so that
    // Launch finds the levels it checks for and can load the saved game.
    selectFileEntry(0, true);
    if (!model_.gameSelection.savedGameRestored)
        options_.GreyHiresFrame();
}

void LibraryController::selectZip(const std::string& entry) {
    expandGameFiles(true);
    const std::string zips = paths_.launcherFolder + "Zips";
    if (!ci::isFolder(zips))
        ci::createFolder(zips);
    if (!iequals(entry, model_.settings.lastArchive))
        removeFolderFiles(zips);
    const std::string archive = paths_.archivesFolder + ci::kSep + entry + ".zip";
    if (!ci::isFile(archive))
        return;
    ExtractZip(ci::resolve(archive)->string(), zips);
    model_.settings.lastArchive = entry;
    model_.gameSelection.zip = true;
    model_.gameSelection.currentGameFolder = zips + ci::kSep;
    std::vector<std::string> files;
    for (const std::string& name : ci::listFolder(zips))
        if (ci::isFile(zips + ci::kSep + name))
            files.push_back(name);
    addGameFiles(files);
    chooseMainWad(model_.gameSelection.currentGameFolder);
    showSaveGames(entry);
    options_.GreyHiresFrame();
}

void LibraryController::selectInstalledGame(const std::string& entry) {
    const std::string game = installedGameFolderName(entry);
    const GameFolderKind kind = installedGameKind(game);
    GameSelection& selection = model_.gameSelection;
    std::string folder;
    if (kind == GameFolderKind::Auto) {
        expandGameFiles(true);
        c_.setText(Auto[0], kInstalledHeader);
        showConversionEntries(true);
        selection.autoGame = true;
        selection.autoGameName = game;
        folder = paths_.gamesFolder + game + "/Gwads";
    } else if (kind == GameFolderKind::Manual) {
        expandGameFiles(false);
        const bool scripted = scriptedMapInstalled(paths_, game);
        c_.setText(Auto[0], scripted ? kScriptedHeader : kInstalledHeader);
        showConversionEntries(!scripted);
        selection.manualGame = true;
        selection.manualGameName = game;
        folder = paths_.gamesFolder + game + "/Pwads";
    } else {
        return; // the folder vanished since the list was filled
    }
    selection.lastInstalledGame = entry;
    model_.mainWad.clear();
    const std::vector<std::string> files = listGameFiles(folder, model_.settings.wadFilesOnly);
    addGameFiles(files);
    if (kind == GameFolderKind::Manual && files.size() >= 5)
        expandGameFiles(true);
    showSaveGames(game);
    selection.currentGameFolder = folder + ci::kSep;
    if (kind == GameFolderKind::Auto) {
        ReadAutoRecords(game);
        // Nothing remembered yet: the first wad is chosen, so that the game
        // shows its maps and can be launched at once.
        if (selectedFileEntry().empty())
            for (int row = 0; row < files_.count(); ++row)
                if (endsWithWad(files_.text(row))) {
                    selectFileEntry(row, true);
                    break;
                }
    } else {
        chooseMainWad(selection.currentGameFolder);
    }
}

// Menu entries of the games menu: renaming always, the conversions only in
// development mode, and none of them for a scripted map.
void LibraryController::showConversionEntries(bool renamable) {
    c_.setVisible(mcRenameFolder, renamable);
    const bool conversions = renamable && c_.isChecked(chkTesting);
    c_.setVisible(mcUdirConvert, conversions);
    c_.setVisible(mcGwadConvert, conversions);
    c_.setVisible(Sep3, conversions);
}

void LibraryController::showSaveGames(const std::string& saveName) {
    model_.gameSelection.saveFolder = paths_.root + "/UserSG/" + saveName + "/savegame";
    if (ci::isFolder(model_.gameSelection.saveFolder))
        inspect_.FillSaveGameList(ci::resolve(model_.gameSelection.saveFolder)->string());
    else
        model_.saveGames.clear();
}

void LibraryController::addGameFiles(const std::vector<std::string>& names) {
    fillingGameFiles_ = true;
    for (const std::string& name : names)
        files_.add(name);
    fillingGameFiles_ = false;
}

// Selects a game file entry; `run` runs the file's selection as a click.
void LibraryController::selectFileEntry(int row, bool run) {
    fillingGameFiles_ = !run;
    files_.setCurrentRow(row);
    fillingGameFiles_ = false;
}

void LibraryController::SelectFile() {
    GameSelection& selection = model_.gameSelection;
    std::string entry;
    selection.selectedFile.clear();
    if (const int row = files_.selectedRow(); row >= 0) {
        entry = files_.text(row);
        selection.selectedFile = selection.currentGameFolder + entry;
    }
    if (selection.selectedFile.empty())
        return;
    model_.mainWad =
        endsWithWad(entry) ? selection.currentGameFolder + entry : selection.currentGameFolder;
    options_.setGrenadeControlsEnabled(!isNoGrenadeMap(entry));
    if (model_.settings.gamesListView == InstalledGames) {
        if (scriptedMapInstalled(paths_, selection.manualGameName))
            options_.KillSpriteOptions();
        else
            options_.RestoreSpriteOptions();
        options_.GreyHiresFrame();
    }
    setLaunchable(true);
    c_.setEnabled(AuxButton[2],
                  model_.settings.gamesListView != ZipLibrary && c_.isChecked(chkLaunchPrefs[2]));
    model_.maps.clear();
    if (endsWithWad(entry))
        inspect_.fillMapList(model_.mainWad);
    const std::vector<std::string>& check = model_.wadCheckLines;
    if (check.size() <= 3 || check[3].empty()) {
        model_.maps.clear();
        setLaunchable(false);
    }
    inspect_.updateWarpTarget();
    if (model_.settings.rememberLastSavegame && restoreRememberedSaveGame())
        return;
    if (model_.settings.rememberLastMap) {
        if (selection.autoGame)
            ReadAutoRecords(selection.autoGameName);
        else
            ReadMapRecord();
    }
}

// Selects the saved game whose slot the game's record names; true when one
// was restored.
bool LibraryController::restoreRememberedSaveGame() {
    const std::string slot = rememberedSaveSlot();
    if (slot.empty())
        return false;
    if (model_.saveGames.count() == 0)
        showSaveGames(saveNameOfSelection());
    if (!inspect_.chooseSaveGameOfSlot(slot))
        return false;
    model_.gameSelection.savedGameRestored = true;
    model_.maps.clearSelection();
    return true;
}

void LibraryController::openGameFile(int row) {
    if (row < 0 || row >= files_.count())
        return;
    const std::string& name = files_.text(row);
    const std::string path = model_.gameSelection.currentGameFolder + name;
    if (opensInTextEditor(name))
        platform_.startProcess("notepad.exe \"" + path + "\"", paths_.root);
    else
        platform_.openDocument(path);
}

// ---- Task menus and the scripted-map filter -----------------------------------

void LibraryController::pressGameFile(int row, bool leftButton) {
    selectedFileClicked_ = leftButton && row >= 0 && files_.isSelected(row);
}

// A click on the file already selected changes no selection, yet runs the
// file's selection again, as any click on the list does.
void LibraryController::clickGameFile() {
    if (std::exchange(selectedFileClicked_, false))
        SelectFile();
}

bool LibraryController::releaseGameFile(bool rightButton) {
    const GameSelection& selection = model_.gameSelection;
    if (selection.autoGameName.empty() || model_.settings.gamesListView != InstalledGames ||
        !selection.autoGame)
        return false;
    if (rightButton && files_.currentRow() >= 0)
        return true;
    if (endsWithWad(selection.selectedFile))
        WriteAutoRecords(selection.autoGameName);
    return false;
}

LibraryController::Menu LibraryController::gamesMenu() {
    if (games_.currentRow() < 0 || showsDoomGamesView())
        return Menu::None;
    const std::string rootName(fileNameOfPath(paths_.root));
    if (iequals(games_.currentText(), rootName))
        return Menu::None;
    if (model_.settings.gamesListView == ZipLibrary) {
        c_.setEnabled(mcUdirUnZip, true);
        c_.setEnabled(mcZipReadme, readmeOfSelection().has_value());
        return Menu::Zips;
    }
    c_.setEnabled(mcShowReadme, readmeOfSelection().has_value());
    c_.setEnabled(mcRenameFolder, true);
    c_.setEnabled(mcUdirConvert, model_.gameSelection.autoGame);
    c_.setEnabled(mcGwadConvert, !model_.gameSelection.autoGame);
    return Menu::Games;
}

bool LibraryController::scriptedFilterReachable() const {
    return model_.content.scriptedMapModels && model_.advancedLayout &&
           model_.settings.gamesListView == InstalledGames;
}

void LibraryController::ToggleScriptedFilter() {
    if (model_.settings.gamesListView != InstalledGames)
        return;
    Settings& s = model_.settings;
    // Each filter state keeps its own remembered entry.
    (s.scriptedMapsMode ? s.rememberedScriptedEntry : s.rememberedNormalEntry) =
        model_.gameSelection.lastInstalledGame;
    s.scriptedMapsMode = !s.scriptedMapsMode;
    s.selectionMemory = s.scriptedMapsMode;
    model_.gameSelection.lastInstalledGame =
        s.scriptedMapsMode ? s.rememberedScriptedEntry : s.rememberedNormalEntry;
    ShowView(InstalledGames);
}

// ---- Zip extraction -----------------------------------------------------------

bool LibraryController::ExtractZip(const std::string& archive, const std::string& folder) {
    const ZipExtraction result = krv::ExtractZip(
        paths_.root, archive, folder, [this](const std::string&) -> std::optional<std::string> {
            NamePrompt prompt;
            prompt.frameCaption = kZipPasswordPrompt;
            prompt.windowCaption = " Zip password";
            prompt.buttonCaption = "OK";
            const NamePromptResult answer = platform_.askName(prompt);
            if (answer.cancelled || answer.name.empty())
                return std::nullopt;
            return answer.name;
        });
    if (!result.ok && c_.isWindowShown())
        platform_.showMessage("This file does not appear to be a valid zip file.    ",
                              msg::kCritical, " File error");
    return result.ok;
}

// The view buttons follow the settings; the scripted-map filter and the
// selection memory are settings of their own.
void LibraryController::settingsToControls(const Settings& s) {
    if (s.gamesListView >= 0 && s.gamesListView < 3)
        c_.setChecked(OptionUdir[s.gamesListView], true);
}

void LibraryController::controlsToSettings(Settings& s) const {
    for (int i = 0; i < 3; ++i)
        if (c_.isChecked(OptionUdir[i]))
            s.gamesListView = i;
}

} // namespace krv
