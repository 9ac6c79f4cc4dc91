#include "launcher/launcher_app.h"

#include "launcher/session/window_controls.h"

#include "launcher/mainwindow/main_form.h"
#include "launcher/platform/qt_platform.h"
#include "launcher/ui/tips_form.h"

#include <QCheckBox>

namespace krv {

LauncherApp::LauncherApp(AppState& state, QtPlatform& platform, EntryRoutine& entry)
    : state_(state), platform_(platform), entry_(entry) {}

LauncherApp::~LauncherApp() = default;

void LauncherApp::loadMainWindow() {
    mainForm_ = std::make_unique<MainForm>(state_, platform_, entry_);
    platform_.setMainWindow(mainForm_.get());
    mainForm_->load();
}

void LauncherApp::showMainWindow() {
    mainForm_->show();
    mainForm_->raise();
    mainForm_->activateWindow();
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
