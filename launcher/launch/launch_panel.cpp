#include "launcher/launch/launch_panel.h"

#include "launcher/inspect/game_files.h"
#include "launcher/inspect/known_pwads.h"
#include "launcher/launch/compose.h"
#include "launcher/launch/compose_preview.h"
#include "launcher/launch/engine_start.h"
#include "launcher/launch/screen_mode.h"
#include "launcher/library/scripted_maps.h"
#include "launcher/options/texture_path.h"
#include "launcher/ui/panel_controls.h"
#include "launcher/ui/qt_text.h"
#include "launcher/ui/twips.h"

#include "common/ci_path.h"
#include "common/strings.h"
#include "common/text_file.h"

#include <QButtonGroup>
#include <QClipboard>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <unistd.h>

namespace krv {

namespace {

// What the composers ask of the world, answered from the disk, the
// platform's dialogs and the window's other parts.
class PanelComposeEnvironment : public DiskComposeEnvironment {
public:
    PanelComposeEnvironment(LaunchHost& host, AppState& state, Platform& platform)
        : DiskComposeEnvironment(state.paths.root, processEnvironment()), host_(host),
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
        host_.updateWarpTarget();
        return {state_.launchSelection.iwadPath, state_.launchSelection.warpMap};
    }
    AutoPlaylist chooseAutoPlaylist(const std::string& iwadPath) override {
        return host_.automaticPlaylist(iwadPath);
    }
    void showMessage(const ComposeMessage& message) override {
        platform_.showMessage(message.text, message.style, message.title);
    }
    void showIwadDialog() override { host_.showIwadDialog(); }

private:
    LaunchHost& host_;
    AppState& state_;
    Platform& platform_;
};

// The line without its program part, "Bin\Korvath" and the blank after it.
std::string engineArguments(const std::string& commandLine) {
    return commandLine.size() > 12 ? commandLine.substr(12) : std::string();
}

} // namespace

LaunchPanel::LaunchPanel(AppState& state, Platform& platform, LaunchHost& host, QWidget* window)
    : QObject(window), state_(state), platform_(platform), host_(host), window_(window) {
    LaunchButton = new QPushButton(QStringLiteral("Launch"), window);
    QFont bold = LaunchButton->font();
    bold.setBold(true);
    LaunchButton->setFont(bold);
    LaunchButton->setMinimumHeight(LaunchButton->sizeHint().height() + 8);
    buildCommandLinePanel();
    buildLaunchModeFrame();
    buildPreviewRow();
    connect(LaunchButton, &QPushButton::clicked, this, &LaunchPanel::LaunchButtonClick);
    connect(SelButton, &QPushButton::clicked, this, &LaunchPanel::SelButtonClick);
    for (int i = 0; i < 3; ++i)
        connect(ExitOption[i], &QRadioButton::clicked, this, [this, i] {
            if (ExitOption[i]->isChecked())
                state_.settings.launchMode = i;
        });
}

void LaunchPanel::buildCommandLinePanel() {
    FrameGlobal[0] = new QGroupBox(QStringLiteral("  Command Line  "), window_);
    auto* global = new QVBoxLayout(FrameGlobal[0]);
    global->setContentsMargins(6, 2, 6, 2);
    global->setSpacing(2);
    SelButton = new QPushButton(QStringLiteral("Switch"), FrameGlobal[0]);
    for (int i : {1, 2}) {
        FrameGlobal[i] = new QGroupBox(FrameGlobal[0]);
        FrameGlobal[i]->setFlat(true);
        FrameGlobal[i]->setStyleSheet(QStringLiteral("QGroupBox { border: none; margin: 0; }"));
    }
    edCustom = new QLineEdit(FrameGlobal[1]);
    edCustom->setPlaceholderText(QStringLiteral("Extra engine parameters"));
    auto* commandRow = new QHBoxLayout(FrameGlobal[1]);
    commandRow->setContentsMargins(0, 0, 0, 0);
    commandRow->addWidget(edCustom);
    editRow_ = new QHBoxLayout(FrameGlobal[2]);
    editRow_->setContentsMargins(0, 0, 0, 0);
    LightText = numberBox("200", FrameGlobal[2], 3);
    editRow_->addWidget(LightText);
    FrameGlobal[2]->hide();
    auto* panels = new QHBoxLayout;
    panels->addWidget(FrameGlobal[1], 1);
    panels->addWidget(FrameGlobal[2], 1);
    panels->addWidget(SelButton);
    global->addLayout(panels);
    // The row the skill selector joins in the advanced layout.
    SkillCaption = new QLabel(QStringLiteral("Skill:"), FrameGlobal[0]);
    skillRow_ = new QHBoxLayout;
    skillRow_->addWidget(SkillCaption);
    skillRow_->addStretch();
    global->addLayout(skillRow_);
}

void LaunchPanel::buildLaunchModeFrame() {
    KRVFrame = new QGroupBox(QStringLiteral(" Launch Mode "), window_);
    auto* modes = new QGridLayout(KRVFrame);
    modes->setContentsMargins(6, 2, 6, 2);
    modes->setVerticalSpacing(0);
    const char* captions[] = {"Normal", "Minimised", "Exit"};
    auto* group = new QButtonGroup(KRVFrame);
    for (int i = 0; i < 3; ++i) {
        ExitOption[i] = new QRadioButton(QString::fromLatin1(captions[i]), KRVFrame);
        group->addButton(ExitOption[i], i);
        modes->addWidget(ExitOption[i], 0, i);
    }
    ExitOption[0]->hide(); // a development switch, shown with the testing option
    // Double-clicking the caption shows the development switches.
    DevMode = new QLabel(QStringLiteral("Screen:"), KRVFrame);
    ResLabel[1] = new QLabel(QStringLiteral("Default Resolution"), KRVFrame);
    ResLabel[2] = new QLabel(KRVFrame);
    ResLabel[3] = new QLabel(KRVFrame);
    auto* screen = new QHBoxLayout;
    screen->setSpacing(6);
    screen->addWidget(DevMode);
    screen->addWidget(ResLabel[1]);
    screen->addWidget(ResLabel[3]);
    screen->addStretch();
    modes->addLayout(screen, 1, 0, 1, 3);
    modes->addWidget(ResLabel[2], 2, 0, 1, 3);
}

void LaunchPanel::buildPreviewRow() {
    PreviewRow = new QWidget(window_);
    auto* row = new QHBoxLayout(PreviewRow);
    row->setContentsMargins(2, 0, 2, 0);
    PreviewLine = new QLineEdit(PreviewRow);
    PreviewLine->setReadOnly(true);
    PreviewLine->setAccessibleName(QStringLiteral("Command line preview"));
    CopyCommand = new QPushButton(QStringLiteral("Copy"), PreviewRow);
    CopyCommand->setAccessibleName(QStringLiteral("Copy the command line"));
    row->addWidget(PreviewLine, 1);
    row->addWidget(CopyCommand);
    connect(CopyCommand, &QPushButton::clicked, this,
            [this] { QGuiApplication::clipboard()->setText(PreviewLine->text()); });
    connect(edCustom, &QLineEdit::textChanged, this, &LaunchPanel::schedulePreview);
}

void LaunchPanel::placeEditBoxes(std::initializer_list<QWidget*> boxes) {
    int at = 0;
    for (QWidget* box : boxes) {
        box->setParent(FrameGlobal[2]);
        editRow_->insertWidget(at++, box);
    }
}

void LaunchPanel::placeSkillBox(QWidget* box) {
    if (skillRow_->indexOf(box) < 0)
        skillRow_->insertWidget(1, box);
    box->show();
}

// ---- Command-line panel and screen mode ------------------------------------

void LaunchPanel::SelectStartupOptions() {
    const bool edit = state_.settings.selButtonMode == 2;
    FrameGlobal[0]->setTitle(edit ? QStringLiteral("  KRV Edit  ")
                                  : QStringLiteral("  Command Line  "));
    FrameGlobal[1]->setVisible(!edit);
    FrameGlobal[2]->setVisible(edit);
}

void LaunchPanel::SelButtonClick() {
    int& mode = state_.settings.selButtonMode;
    // Wine has no edit mode: its command-line panel stays.
    if (!(state_.startup.wineMode && mode == 1))
        mode = mode == 2 ? 1 : 2;
    SelectStartupOptions();
}

void LaunchPanel::GetCurrentRes() {
    const std::string resFile = state_.paths.root + "/Bin/KRVres.out";
    if (const auto found = ci::resolve(resFile)) {
        std::error_code error;
        resFileTime_ = std::filesystem::last_write_time(*found, error);
    }
    const ScreenMode mode = readScreenMode(resFile);
    ResLabel[1]->setText(qs(mode.resolution));
    if (mode.windowKind)
        ResLabel[2]->setText(qs(*mode.windowKind));
    ResLabel[3]->setText(qs(mode.refreshRate));
}

void LaunchPanel::refreshScreenMode() {
    const auto resolved = ci::resolve(state_.paths.root + "/Bin/KRVres.out");
    if (!resolved)
        return;
    std::error_code error;
    const auto changed = std::filesystem::last_write_time(*resolved, error);
    if (!error && changed != resFileTime_)
        GetCurrentRes();
}

void LaunchPanel::openLogFile(const char* name) {
    const std::string path = state_.paths.root + ci::kSep + name;
    if (ci::isFile(path))
        platform_.startProcess("notepad.exe \"" + ci::resolve(path)->string() + "\"",
                               state_.paths.root);
}

// ---- Composition -------------------------------------------------------------

bool LaunchPanel::noLevelsListed() const {
    const std::vector<std::string> maps = host_.mapEntries();
    return maps.empty() || maps.front().empty();
}

void LaunchPanel::LaunchButtonClick() {
    if (noLevelsListed()) {
        platform_.showMessage("The " + toLower(fileNameOfPath(state_.mainWad)) +
                                  " contains no levels.    ",
                              msg::kInformation, " Wad error");
        return;
    }
    if (state_.settings.gamesListView == kDoomGamesView)
        ComposeIwadLaunch();
    else
        ComposeGameLaunch();
}

void LaunchPanel::launchIntoShortcuts(const ShortcutRequest& request) {
    shortcutRequest_ = request;
    shortcutMode_ = true;
    if (state_.settings.gamesListView == kDoomGamesView)
        ComposeIwadLaunch();
    else
        ComposeGameLaunch();
    shortcutMode_ = false;
}

void LaunchPanel::fillLaunchInput(LaunchInput& in) {
    host_.controlsToSettings();
    in.paths = state_.paths;
    in.settings = state_.settings;
    in.boxes = host_.availableBoxes();
    in.iwads = state_.iwads;
    in.selection = state_.launchSelection;
    in.state = state_.launch;
    in.corpseText = host_.corpseFadeText();
    in.texFormFolderText = state_.texFormFolderText;
    in.quilspackFolder = state_.content.quilspackFolder;
    in.shortcutMode = shortcutMode_;
    in.scriptedMapSelected =
        state_.gameSelection.manualGame &&
        scriptedMapInstalled(state_.paths, state_.gameSelection.manualGameName);
}

void LaunchPanel::ComposeIwadLaunch() {
    PanelComposeEnvironment env(host_, state_, platform_);
    finishComposition(composeIwad(env));
}

void LaunchPanel::ComposeGameLaunch() {
    PanelComposeEnvironment env(host_, state_, platform_);
    finishComposition(composeGame(env));
}

ComposeResult LaunchPanel::composeIwad(ComposeEnvironment& env) {
    IwadLaunchInput in;
    fillLaunchInput(in);
    in.selectedIwadPath = state_.mainWad;
    return composeIwadLaunch(in, env);
}

ComposeResult LaunchPanel::composeGame(ComposeEnvironment& env) {
    GameLaunchInput in;
    fillLaunchInput(in);
    in.mainWad = state_.mainWad;
    in.currentGameFolder = state_.gameSelection.currentGameFolder;
    in.autoLoadingGame = state_.gameSelection.autoGame;
    in.manualLoadingGame = state_.gameSelection.manualGame;
    if (const std::string file = host_.selectedFileEntry(); !file.empty())
        in.selectedGameFile = file;
    const std::vector<std::string> maps = host_.mapEntries();
    in.firstMapEntry = maps.empty() ? "" : maps.front();
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
    return composeGameLaunch(in, env);
}

void LaunchPanel::schedulePreview() {
    if (previewPending_)
        return;
    previewPending_ = true;
    QTimer::singleShot(0, this, [this] {
        previewPending_ = false;
        updatePreview();
    });
}

void LaunchPanel::updatePreview() {
    PreviewLine->setText(qs(dryRunText()));
    PreviewLine->setCursorPosition(0);
}

std::string LaunchPanel::dryRunText() {
    if (noLevelsListed())
        return " Wad error";
    // Filling the input and the look-ups write into the state as a launch
    // would; the dry run puts it back.
    const Settings settings = state_.settings;
    const LaunchSelection selection = state_.launchSelection;
    const std::string textureText = state_.texFormFolderText;
    PanelComposeEnvironment world(host_, state_, platform_);
    PreviewEnvironment dry(world);
    const ComposeResult result =
        state_.settings.gamesListView == kDoomGamesView ? composeIwad(dry) : composeGame(dry);
    state_.settings = settings;
    state_.launchSelection = selection;
    state_.texFormFolderText = textureText;
    return previewText(result);
}

void LaunchPanel::finishComposition(const ComposeResult& result) {
    state_.settings = result.settings;
    state_.launch = result.state;
    state_.launchSelection = result.selection;
    state_.texFormFolderText = result.texFormFolderText;
    host_.applyAvailableBoxes(result.boxes);
    host_.settingsToControls();
    if (result.textureLabel)
        host_.showTextureLocation(*result.textureLabel);
    if (result.launch)
        launchTail(result.commandLine);
}

// ---- Launch tail ---------------------------------------------------------------

void LaunchPanel::launchTail(const std::string& commandLine) {
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
    const int dpi = window_->logicalDpiY();
    state_.settings.windowTop = pixelsToTwips(window_->pos().y(), dpi);
    state_.settings.windowLeft = pixelsToTwips(window_->pos().x(), dpi);
    if (state_.launch.effectiveLaunchMode == 1)
        window_->showMinimized();
    state_.launch.ricochetChanged = false;
    if (!platform_.startProcess(commandLine, root)) {
        // A window minimised for the launch comes back first, so that the
        // message stands over it.
        state_.launch.launchInProgress = false;
        window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
        window_->show();
        std::string text = "Cannot execute! The command line was:\r\n" + commandLine;
        if (const std::string reason = engineStartFailure(commandLine, root); !reason.empty())
            text += "\r\n" + reason;
        platform_.showMessage(text, msg::kOk, "");
    }
    if (state_.launch.effectiveLaunchMode == 2) {
        window_->hide();
        host_.unload();
        platform_.endProcess(0);
    }
}

void LaunchPanel::settingsToControls(const Settings& s) {
    LightText->setText(QString::number(s.editLight));
    edCustom->setText(qs(s.customCommandLine));
    checkOnly(ExitOption, s.launchMode);
}

void LaunchPanel::controlsToSettings(Settings& s) const {
    s.editLight = numberOf(LightText->text());
    s.customCommandLine = edCustom->text().toStdString();
    s.launchMode = checkedIndex(ExitOption, s.launchMode);
}

} // namespace krv
