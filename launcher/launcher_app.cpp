#include "launcher/launcher_app.h"

#include "launcher/session/window_controls.h"

#include "launcher/mainwindow/main_form.h"
#include "launcher/platform/qt_platform.h"
#include "launcher/ui/shortcuts.h"
#include "launcher/ui/tips_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QIcon>

namespace krv {

LauncherApp::LauncherApp(AppState& state, QtPlatform& platform, EntryRoutine& entry)
    : state_(state), platform_(platform), entry_(entry) {}

LauncherApp::~LauncherApp() = default;

void LauncherApp::loadMainWindow() {
    mainForm_ = std::make_unique<MainForm>(state_, platform_, entry_);
    platform_.setMainWindow(mainForm_.get());
    mainForm_->loadForFirstPaint();
}

void LauncherApp::showMainWindow() {
    mainForm_->show();
    mainForm_->raise();
    mainForm_->activateWindow();
}

void LauncherApp::finishMainWindow() {
    mainForm_->waitForFirstPaint();
    // The icon is read once the window shows: decoding it cost the start
    // more than building the games page.
    QApplication::setWindowIcon(QIcon(QString::fromStdString(launcherIcon(state_.paths))));
    mainForm_->finishLoad();
    // Without any IWAD the launcher cannot start a game: ask for one before
    // the window is used.
    mainForm_->iwadForm().ShowIfNoIwads();
}

void LauncherApp::showTipOfTheDay() {
    TipsForm tips(state_.session.settings, state_.paths, state_.font, mainForm_.get());
    QObject::connect(&tips, &TipsForm::tipsSwitchedOff, mainForm_.get(),
                     [this] { state_.session.controls.setChecked(ids::chkLaunchPrefs[5], false); });
    tips.exec();
}

void LauncherApp::unloadAllWindows() {
    if (mainForm_)
        mainForm_->hide();
    mainForm_.reset();
}

} // namespace krv
