// The settings shown by the main window's controls, both ways: after the
// settings are read the controls are set from them, and before they are
// written or a command line is composed the controls are taken back. Each
// panel carries its own controls; the window carries its preferences.

#include "launcher/mainwindow/main_form.h"

#include <QCheckBox>

#include <utility>
#include <vector>

namespace krv {

// The launcher preferences, each with the setting it shows.
static std::vector<std::pair<bool Settings::*, QCheckBox*>> preferenceBoxes(MainForm& f) {
    return {
        {&Settings::rememberLastMap, f.chkLaunchPrefs[0]},
        {&Settings::rememberLastSavegame, f.chkLaunchPrefs[1]},
        {&Settings::shortcutCreation, f.chkLaunchPrefs[2]},
        {&Settings::tipOfTheDay, f.chkLaunchPrefs[5]},
        {&Settings::wadFilesOnly, f.chkLaunchPrefs[4]},
        {&Settings::disableTooltips, f.chkLaunchPrefs[3]},
    };
}

void MainForm::settingsToControls() {
    const Settings& s = state_.settings;
    options_.settingsToControls(s);
    for (const auto& [setting, box] : preferenceBoxes(*this))
        box->setChecked(s.*setting);
    library_->settingsToControls(s);
    inspect_->settingsToControls(s);
    launch_->settingsToControls(s);
    if (corpseFadeUnavailable_)
        options_.showCorpseFadeUnavailable();
}

void MainForm::controlsToSettings() {
    Settings& s = state_.settings;
    options_.controlsToSettings(s);
    for (const auto& [setting, box] : preferenceBoxes(*this))
        s.*setting = box->isChecked();
    library_->controlsToSettings(s);
    inspect_->controlsToSettings(s);
    launch_->controlsToSettings(s);
}

} // namespace krv
