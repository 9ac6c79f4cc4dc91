// The launch from the main window: the Launch button, the composers fed from
// the window's state, the launch tail that starts the engine, the refresh
// when the player comes back, and the two engine log buttons.

#include "launcher/mainwindow/main_form.h"

#include "launcher/inspect/game_files.h"
#include "launcher/inspect/known_pwads.h"
#include "launcher/inspect/map_list.h"
#include "launcher/launch/compose.h"
#include "launcher/launch/screen_mode.h"
#include "launcher/library/scripted_maps.h"
#include "launcher/music/music_panel.h"
#include "launcher/options/texture_path.h"
#include "launcher/ui/qt_text.h"

#include "common/ci_path.h"
#include "common/strings.h"
#include "common/text_file.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <filesystem>
#include <unistd.h>

namespace krv {

namespace {} // namespace

// What the composers ask of the world, answered from the disk, the window's
// lists and the platform's dialogs.
class MainFormComposeEnvironment : public DiskComposeEnvironment {
public:
    MainFormComposeEnvironment(MainForm& form, AppState& state, Platform& platform)
        : DiskComposeEnvironment(state.paths.root, processEnvironment()), form_(form),
          state_(state), platform_(platform) {}

    TexturePathCheck checkTexturePath() override {
        const TexturePathAnswer answer = krv::checkTexturePath(
            state_.paths.root, state_.settings.texturePath, state_.texFormFolderText);
        state_.texFormFolderText = answer.shownText;
        return {answer.usable, answer.path, answer.shownText};
    }
    ScriptedMapStatus scriptedMapStatus(const std::string& gameName) override {
        if (!isScriptedMapName(gameName))
            return ScriptedMapStatus::NotListed;
        return scriptedMapInstalled(state_.paths, gameName) ? ScriptedMapStatus::Installed
                                                            : ScriptedMapStatus::ListedNotInstalled;
    }
    WarpTarget updateWarpTarget() override {
        form_.updateWarpTarget();
        return {state_.launchSelection.iwadPath, state_.launchSelection.warpMap};
    }
    AutoPlaylist chooseAutoPlaylist(const std::string& iwadPath) override {
        return form_.music().automaticPlaylist(iwadPath);
    }
    void showMessage(const ComposeMessage& message) override {
        platform_.showMessage(message.text, message.style, message.title);
    }
    void showIwadDialog() override { form_.iwadForm().ShowModal(); }

private:
    MainForm& form_;
    AppState& state_;
    Platform& platform_;
};

void MainForm::LaunchButtonClick() {
    if (MapList->count() == 0 || MapList->item(0)->text().isEmpty()) {
        platform_.showMessage("The " + toLower(fileNameOfPath(state_.mainWad)) +
                                  " contains no levels.    ",
                              msg::kInformation, " Wad error");
        return;
    }
    if (state_.settings.gamesListView == DoomGames)
        ComposeIwadLaunch();
    else
        ComposeGameLaunch();
}

void MainForm::fillLaunchInput(LaunchInput& in) {
    controlsToSettings();
    in.paths = state_.paths;
    in.settings = state_.settings;
    in.boxes = options_->availableBoxes();
    in.iwads = state_.iwads;
    in.selection = state_.launchSelection;
    in.state = state_.launch;
    in.corpseText = options_->Corpse->text().toStdString();
    in.texFormFolderText = state_.texFormFolderText;
    in.quilspackFolder = state_.content.quilspackFolder;
    in.shortcutMode = shortcutMode_;
    in.scriptedMapSelected =
        state_.gameSelection.manualGame &&
        scriptedMapInstalled(state_.paths, state_.gameSelection.manualGameName);
}

void MainForm::ComposeIwadLaunch() {
    IwadLaunchInput in;
    fillLaunchInput(in);
    in.selectedIwadPath = state_.mainWad;
    MainFormComposeEnvironment env(*this, state_, platform_);
    finishComposition(composeIwadLaunch(in, env));
}

void MainForm::ComposeGameLaunch() {
    GameLaunchInput in;
    fillLaunchInput(in);
    in.mainWad = state_.mainWad;
    in.currentGameFolder = state_.gameSelection.currentGameFolder;
    in.autoLoadingGame = state_.gameSelection.autoGame;
    in.manualLoadingGame = state_.gameSelection.manualGame;
    if (const std::string file = selectedFileEntry(); !file.empty())
        in.selectedGameFile = file;
    in.firstMapEntry = MapList->count() > 0 ? MapList->item(0)->text().toStdString() : "";
    // A wad restored from an auto-loading game's record is a bare file name.
    const std::string fullMainWad = folderOfPath(state_.mainWad).empty() && !state_.mainWad.empty()
                                        ? state_.gameSelection.currentGameFolder + state_.mainWad
                                        : state_.mainWad;
    in.checkCode = lookUpKnownPwad(state_.paths.dataFolder, fullMainWad);
    const LoadList loadList = buildLoadList(fullMainWad);
    in.loadList.inGameFolder = loadList.inGameFolder;
    for (const LoadFile& file : loadList.files)
        in.loadList.files.push_back({file.path, file.shownByFilter});
    in.loadList.gameFolder = loadList.gameFolder;
    in.loadList.zipGame = loadList.zipGame;
    in.modelPacksMissing = !state_.content.modelPack1;
    in.scriptedModelsPresent = state_.content.scriptedMapModels;
    in.rocketMapWad = rocketMapWad();
    in.datedMapWads = datedMapWads();
    MainFormComposeEnvironment env(*this, state_, platform_);
    finishComposition(composeGameLaunch(in, env));
}

void MainForm::finishComposition(const ComposeResult& result) {
    state_.settings = result.settings;
    state_.launch = result.state;
    state_.launchSelection = result.selection;
    state_.texFormFolderText = result.texFormFolderText;
    options_->applyAvailableBoxes(result.boxes);
    settingsToControls();
    options_->RefreshModelPacks();
    if (result.textureLabel)
        options_->TexPathLabel->setText(qs(*result.textureLabel));
    if (result.launch)
        launchTail(result.commandLine);
}

// The line without its program part, "Bin\Korvath" and the blank after it.
static std::string engineArguments(const std::string& commandLine) {
    return commandLine.size() > 12 ? commandLine.substr(12) : std::string();
}

void MainForm::launchTail(const std::string& commandLine) {
    if (shortcutMode_) {
        createShortcuts(platform_, state_.paths, engineArguments(commandLine), shortcutRequest_);
        state_.launch.launchInProgress = false;
        return;
    }
    const std::string& root = state_.paths.root;
    if (::chdir(root.c_str()) != 0) {
        // The engine is still started in the root: the platform sets its
        // working folder itself.
    }
    writeTextLines(ci::resolveForWrite(state_.paths.launcherFolder + "launch.log"), {commandLine});
    state_.settings.windowTop = toTwips(pos().y());
    state_.settings.windowLeft = toTwips(pos().x());
    if (state_.launch.effectiveLaunchMode == 1)
        showMinimized();
    state_.launch.ricochetChanged = false;
    if (!platform_.startProcess(commandLine, root)) {
        platform_.showMessage("Cannot execute! The command line was:\r\n" + commandLine, msg::kOk,
                              "");
        state_.launch.launchInProgress = false;
        show();
    }
    if (state_.launch.effectiveLaunchMode == 2) {
        hide();
        unload();
        platform_.endProcess(0);
    }
}

// ---- Warp target ----------------------------------------------------------------

void MainForm::updateWarpTarget() {
    std::vector<std::string> maps;
    for (int i = 0; i < MapList->count(); ++i)
        maps.push_back(MapList->item(i)->text().toStdString());
    LaunchSelection& selection = state_.launchSelection;
    const WarpChoice choice =
        warpTargetFor(maps, MapList->currentRow(), state_.iwads, state_.mainWad,
                      {selection.iwadPath, selection.warpMap});
    selection.iwadPath = choice.iwadPath;
    selection.warpMap = choice.warpMap;
}

// ---- Return from a launch -----------------------------------------------------

void MainForm::Reset() {
    state_.launch.launchInProgress = false;
    const std::string slot = state_.launchSelection.startKind == StartKind::LoadGame
                                 ? state_.launchSelection.loadSlot
                                 : std::string();
    SelectGame();
    // The saved game chosen before the launch is chosen again.
    for (int i = 0; !slot.empty() && i < SaveGameList->count(); ++i) {
        if (SaveGameList->item(i)->text().toStdString().substr(0, 1) == slot) {
            SaveGameList->setCurrentRow(i);
            chooseSaveGame(i);
            break;
        }
    }
    const std::string resFile = state_.paths.root + "/Bin/KRVres.out";
    const auto resolved = ci::resolve(resFile);
    if (!resolved)
        return;
    std::error_code error;
    const auto changed = std::filesystem::last_write_time(*resolved, error);
    if (!error && changed != resFileTime_) {
        resFileTime_ = changed;
        GetCurrentRes();
    }
}

void MainForm::openLogFile(const char* name) {
    const std::string path = state_.paths.root + ci::kSep + name;
    if (ci::isFile(path))
        platform_.startProcess("notepad.exe \"" + ci::resolve(path)->string() + "\"",
                               state_.paths.root);
}

} // namespace krv
