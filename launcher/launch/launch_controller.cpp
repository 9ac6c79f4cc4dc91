#include "launcher/launch/launch_controller.h"

#include "launcher/inspect/game_files.h"
#include "launcher/inspect/known_pwads.h"
#include "launcher/inspect/map_list.h"
#include "launcher/launch/compose.h"
#include "launcher/launch/compose_preview.h"
#include "launcher/launch/engine_start.h"
#include "launcher/launch/launch_controls.h"
#include "launcher/launch/screen_mode.h"
#include "launcher/library/scripted_maps.h"
#include "launcher/options/texture_path.h"

#include "common/ci_path.h"
#include "common/numbers.h"
#include "common/strings.h"
#include "common/text_file.h"

#include <unistd.h>

namespace krv {

using namespace ids;

namespace {

// What the composers ask of the world, answered from the disk and the
// session model as it stands; the user is asked through the platform and
// the host. Nothing in the model changes: the composition hands back what
// a launch changes.
class SessionComposeEnvironment : public DiskComposeEnvironment {
public:
    SessionComposeEnvironment(const SessionModel& model, const InstallPaths& paths,
                              const IwadRegistry& iwads, const Settings& settings,
                              Platform& platform, LaunchHost& host)
        : DiskComposeEnvironment(paths.root, processEnvironment()), model_(model), paths_(paths),
          iwads_(iwads), settings_(settings), platform_(platform), host_(host) {}

    TexturePathCheck checkTexturePath() override {
        const TexturePathAnswer answer =
            krv::checkTexturePath(paths_.root, settings_.texturePath, model_.texFormFolderText);
        return {answer.usable, answer.path, answer.shownText};
    }
    ScriptedMapStatus scriptedMapStatus(const std::string& gameName) override {
        if (!isScriptedMapName(gameName))
            return ScriptedMapStatus::NotListed;
        return scriptedMapInstalled(paths_, gameName) ? ScriptedMapStatus::Installed
                                                      : ScriptedMapStatus::ListedNotInstalled;
    }
    WarpTarget updateWarpTarget() override {
        const LaunchSelection& selection = model_.launchSelection;
        const WarpChoice choice =
            warpTargetFor(model_.maps.texts(), model_.maps.currentRow(), iwads_, model_.mainWad,
                          {selection.iwadPath, selection.warpMap});
        return {choice.iwadPath, choice.warpMap};
    }
    AutoPlaylist chooseAutoPlaylist(const std::string& iwadPath) override {
        return host_.automaticPlaylist(iwadPath);
    }
    void showMessage(const ComposeMessage& message) override {
        platform_.showMessage(message.text, message.style, message.title);
    }
    void showIwadDialog() override { host_.showIwadDialog(); }

private:
    const SessionModel& model_;
    const InstallPaths& paths_;
    const IwadRegistry& iwads_;
    const Settings& settings_;
    Platform& platform_;
    LaunchHost& host_;
};

// The line without its program part, "Bin\Korvath" and the blank after it.
std::string engineArguments(const std::string& commandLine) {
    return commandLine.size() > 12 ? commandLine.substr(12) : std::string();
}

} // namespace

LaunchController::LaunchController(SessionModel& model, const InstallPaths& paths,
                                   const StartupState& startup, const IwadRegistry& iwads,
                                   Platform& platform, LaunchHost& host)
    : model_(model), c_(model.controls), paths_(paths), startup_(startup), iwads_(iwads),
      platform_(platform), host_(host) {
    declareLaunchControls(c_);
    c_.onClicked(LaunchButton, [this](bool) { LaunchButtonClick(); });
    c_.onClicked(SelButton, [this](bool) { SelButtonClick(); });
    for (int i = 0; i < 3; ++i)
        c_.onClicked(ExitOption[i], [this, i](bool on) {
            if (on)
                model_.settings.launchMode = i;
        });
}

// ---- Command-line panel and screen mode ------------------------------------

void LaunchController::SelectStartupOptions() {
    const bool edit = model_.settings.selButtonMode == 2;
    c_.setText(FrameGlobal[0], edit ? "  KRV Edit  " : "  Command Line  ");
    c_.setVisible(FrameGlobal[1], !edit);
    c_.setVisible(FrameGlobal[2], edit);
}

void LaunchController::SelButtonClick() {
    int& mode = model_.settings.selButtonMode;
    // Wine has no edit mode: its command-line panel stays.
    if (!(startup_.wineMode && mode == 1))
        mode = mode == 2 ? 1 : 2;
    SelectStartupOptions();
}

void LaunchController::GetCurrentRes() {
    const std::string resFile = paths_.root + "/Bin/KRVres.out";
    if (const auto found = ci::resolve(resFile)) {
        std::error_code error;
        resFileTime_ = std::filesystem::last_write_time(*found, error);
    }
    const ScreenMode mode = readScreenMode(resFile);
    c_.setText(ResLabel[1], mode.resolution);
    if (mode.windowKind)
        c_.setText(ResLabel[2], *mode.windowKind);
    c_.setText(ResLabel[3], mode.refreshRate);
}

void LaunchController::refreshScreenMode() {
    const auto resolved = ci::resolve(paths_.root + "/Bin/KRVres.out");
    if (!resolved)
        return;
    std::error_code error;
    const auto changed = std::filesystem::last_write_time(*resolved, error);
    if (!error && changed != resFileTime_)
        GetCurrentRes();
}

void LaunchController::openLogFile(const char* name) {
    const std::string path = paths_.root + ci::kSep + name;
    if (ci::isFile(path))
        platform_.startProcess("notepad.exe \"" + ci::resolve(path)->string() + "\"", paths_.root);
}

// ---- Composition -------------------------------------------------------------

bool LaunchController::noLevelsListed() const {
    return model_.maps.count() == 0 || model_.maps.text(0).empty();
}

void LaunchController::LaunchButtonClick() {
    if (noLevelsListed()) {
        platform_.showMessage("The " + toLower(fileNameOfPath(model_.mainWad)) +
                                  " contains no levels.    ",
                              msg::kInformation, " Wad error");
        return;
    }
    compose();
}

void LaunchController::launchIntoShortcuts(const ShortcutRequest& request) {
    shortcutRequest_ = request;
    shortcutMode_ = true;
    compose();
    shortcutMode_ = false;
}

// A launch takes the controls into the settings, as the settings file keeps
// them, and composes from them.
void LaunchController::compose() {
    const bool iwadLaunch = model_.settings.gamesListView == kDoomGamesView;
    model_.settings = host_.settingsWithControls();
    const Settings settings = model_.settings;
    SessionComposeEnvironment env(model_, paths_, iwads_, settings, platform_, host_);
    finishComposition(iwadLaunch ? composeIwad(env, settings) : composeGame(env, settings));
}

void LaunchController::fillLaunchInput(LaunchInput& in, const Settings& settings) const {
    in.paths = paths_;
    in.settings = settings;
    in.boxes = host_.availableBoxes();
    in.iwads = iwads_;
    in.selection = model_.launchSelection;
    in.state = model_.launch;
    in.corpseText = host_.corpseFadeText();
    in.texFormFolderText = model_.texFormFolderText;
    in.quilspackFolder = model_.content.quilspackFolder;
    in.shortcutMode = shortcutMode_;
    in.scriptedMapSelected = model_.gameSelection.manualGame &&
                             scriptedMapInstalled(paths_, model_.gameSelection.manualGameName);
}

ComposeResult LaunchController::composeIwad(ComposeEnvironment& env,
                                            const Settings& settings) const {
    IwadLaunchInput in;
    fillLaunchInput(in, settings);
    in.selectedIwadPath = model_.mainWad;
    return composeIwadLaunch(in, env);
}

ComposeResult LaunchController::composeGame(ComposeEnvironment& env,
                                            const Settings& settings) const {
    GameLaunchInput in;
    fillLaunchInput(in, settings);
    const GameSelection& game = model_.gameSelection;
    in.mainWad = model_.mainWad;
    in.currentGameFolder = game.currentGameFolder;
    in.autoLoadingGame = game.autoGame;
    in.manualLoadingGame = game.manualGame;
    if (const std::string file = host_.selectedFileEntry(); !file.empty())
        in.selectedGameFile = file;
    in.firstMapEntry = model_.maps.count() == 0 ? "" : model_.maps.text(0);
    // A wad restored from an auto-loading game's record is a bare file name.
    const std::string fullMainWad = folderOfPath(model_.mainWad).empty() && !model_.mainWad.empty()
                                        ? game.currentGameFolder + model_.mainWad
                                        : model_.mainWad;
    in.checkCode = lookUpKnownPwad(paths_.dataFolder, fullMainWad);
    const LoadList loadList = buildLoadList(fullMainWad);
    in.loadList.inGameFolder = loadList.inGameFolder;
    for (const LoadFile& file : loadList.files)
        in.loadList.files.push_back({file.path, file.shownByFilter});
    in.loadList.gameFolder = loadList.gameFolder;
    in.loadList.zipGame = loadList.zipGame;
    in.modelPacksMissing = !model_.content.modelPack1;
    in.scriptedModelsPresent = model_.content.scriptedMapModels;
    in.rocketMapWad = rocketMapWad();
    in.datedMapWads = datedMapWads();
    return composeGameLaunch(in, env);
}

std::string LaunchController::previewText() const {
    if (noLevelsListed())
        return " Wad error";
    const Settings settings = host_.settingsWithControls();
    SessionComposeEnvironment world(model_, paths_, iwads_, settings, platform_, host_);
    PreviewEnvironment dry(world);
    return krv::previewText(model_.settings.gamesListView == kDoomGamesView
                                ? composeIwad(dry, settings)
                                : composeGame(dry, settings));
}

void LaunchController::finishComposition(const ComposeResult& result) {
    model_.settings = result.settings;
    model_.launch = result.state;
    model_.launchSelection = result.selection;
    model_.texFormFolderText = result.texFormFolderText;
    host_.applyAvailableBoxes(result.boxes);
    host_.showComposedSettings();
    if (result.textureLabel)
        host_.showTextureLocation(*result.textureLabel);
    if (result.launch)
        launchTail(result.commandLine);
}

// ---- Launch tail ---------------------------------------------------------------

void LaunchController::launchTail(const std::string& commandLine) {
    if (shortcutMode_) {
        createShortcuts(platform_, paths_, engineArguments(commandLine), shortcutRequest_);
        model_.launch.launchInProgress = false;
        return;
    }
    const std::string& root = paths_.root;
    if (::chdir(root.c_str()) != 0) {
        // The engine is still started in the root: the platform sets its
        // working folder itself.
    }
    writeTextLines(ci::resolveForWrite(paths_.launcherFolder + "launch.log"), {commandLine});
    const auto [top, left] = host_.windowPositionTwips();
    model_.settings.windowTop = top;
    model_.settings.windowLeft = left;
    if (model_.launch.effectiveLaunchMode == 1)
        host_.minimiseWindow();
    model_.launch.ricochetChanged = false;
    if (!platform_.startProcess(commandLine, root)) {
        // A window minimised for the launch comes back first, so that the
        // message stands over it.
        model_.launch.launchInProgress = false;
        host_.restoreWindow();
        std::string text = "Cannot execute! The command line was:\r\n" + commandLine;
        if (const std::string reason = engineStartFailure(commandLine, root); !reason.empty())
            text += "\r\n" + reason;
        platform_.showMessage(text, msg::kOk, "");
    }
    if (model_.launch.effectiveLaunchMode == 2) {
        host_.hideWindow();
        host_.unload();
        platform_.endProcess(0);
    }
}

void LaunchController::settingsToControls(const Settings& s) {
    c_.setText(LightText, std::to_string(s.editLight));
    c_.setText(edCustom, s.customCommandLine);
    if (s.launchMode >= 0 && s.launchMode < 3)
        c_.setChecked(ExitOption[s.launchMode], true);
}

void LaunchController::controlsToSettings(Settings& s) const {
    s.editLight = numberInText(c_.text(LightText));
    s.customCommandLine = c_.text(edCustom);
    for (int i = 0; i < 3; ++i)
        if (c_.isChecked(ExitOption[i]))
            s.launchMode = i;
}

} // namespace krv
