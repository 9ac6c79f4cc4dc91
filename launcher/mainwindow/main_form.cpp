#include "launcher/mainwindow/main_form.h"

#include "launcher/mainwindow/twips.h"
#include "launcher/ui/qt_text.h"

#include "common/ci_path.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

namespace krv {

MainForm::MainForm(AppState& state, Platform& platform, EntryRoutine& entry)
    : QWidget(nullptr), state_(state), platform_(platform), entry_(entry) {
    setWindowTitle(qs(state_.startup.windowCaption));
    buildControls();
    for (int i = 0; i < 3; ++i)
        connect(ExitOption[i], &QRadioButton::clicked, this, [this, i] { onExitOption(i); });
}

void MainForm::load() {
    setFixedSize(twipsToPixels(kLoadWidthTwips), twipsToPixels(kLoadHeightTwips));
    createLibraryFolders();
    readSettingsFile();
    placeWindow();
    settingsToControls();
    reportSettingsReset();
}

void MainForm::createLibraryFolders() {
    if (!ci::isFolder(state_.paths.root + "/KRVGames"))
        ci::createFolder(state_.paths.root + "/KRVGames");
    if (!ci::isFolder(state_.paths.launcherFolder + "GameInfo"))
        ci::createFolder(state_.paths.launcherFolder + "GameInfo");
}

std::pair<int, int> MainForm::centredPositionTwips() const {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    return {pixelsToTwips(centredOffset(screen.height(), height())),
            pixelsToTwips(centredOffset(screen.width(), width()))};
}

void MainForm::readSettingsFile() {
    const auto [top, left] = centredPositionTwips();
    const SettingsReadResult read =
        readSettings(state_.paths, state_.startup.wineMode, top, left, state_.settings);
    if (read.typeMismatch) {
        move(twipsToPixels(left), twipsToPixels(top));
        entry_.resetSettingsAndRestart();
    }
}

void MainForm::placeWindow() {
    const auto [centredTop, centredLeft] = centredPositionTwips();
    int top = state_.settings.windowTop;
    int left = state_.settings.windowLeft;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    if (state_.startup.wineMode || top > pixelsToTwips(screen.height()) ||
        left > pixelsToTwips(screen.width())) {
        top = centredTop;
        left = centredLeft;
    }
    move(twipsToPixels(left), twipsToPixels(top));
}

void MainForm::settingsToControls() {
    const int mode = state_.settings.launchMode;
    if (mode >= 0 && mode < 3)
        ExitOption[mode]->setChecked(true);
}

void MainForm::controlsToSettings() {
    for (int i = 0; i < 3; ++i)
        if (ExitOption[i]->isChecked())
            state_.settings.launchMode = i;
}

void MainForm::onExitOption(int index) {
    if (ExitOption[index]->isChecked())
        state_.settings.launchMode = index;
}

void MainForm::reportSettingsReset() {
    if (!state_.startup.settingsReset)
        return;
    state_.startup.settingsReset = false;
    std::string text;
    if (state_.startup.settingsCorrupt) {
        state_.startup.settingsCorrupt = false;
        text = "Corrupt config file detected required the launcher configurations to     \r\n"
               " be reset to the default settings, please reconfigure your settings. ";
    } else {
        text = "The latest version upgrade required the launcher configurations to     \r\n"
               " be reset to the default settings, please reconfigure your settings. ";
    }
    platform_.showMessage(text, msg::kSystemModal,
                          " Version update " + state_.startup.launcherVersion);
}

void MainForm::closeEvent(QCloseEvent* event) {
    unload();
    event->accept();
}

void MainForm::unload() {
    if (state_.startup.closing || unloaded_)
        return;
    unloaded_ = true;
    if (!state_.startup.wineMode && !isMinimized() && !isMaximized()) {
        state_.settings.windowTop = pixelsToTwips(pos().y());
        state_.settings.windowLeft = pixelsToTwips(pos().x());
    }
    ci::removeFile(state_.paths.dataFolder + "pwad.krv");
    controlsToSettings();
    if (!state_.startup.settingsReset) {
        if (writeSettings(state_.paths, state_.startup.wineMode, state_.settings) != IoStatus::Ok)
            platform_.showMessage("The launcher settings could not be saved to config.krv.   ",
                                  msg::kCritical, " Configuration error");
    }
    if (state_.startup.restartRequested)
        platform_.startProcess('"' + state_.paths.launcherExe() + "\" /RESTART", state_.paths.root);
}

} // namespace krv
