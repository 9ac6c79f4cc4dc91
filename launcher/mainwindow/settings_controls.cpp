// The settings shown by the main window's controls, both ways: after the
// settings are read the controls are set from them, and before they are
// written or a command line is composed the controls are taken back. The
// option tabs carry their own boxes; the window carries the rest.

#include "launcher/mainwindow/main_form.h"
#include "launcher/ui/panel_controls.h"
#include "launcher/ui/qt_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include <algorithm>
#include <utility>
#include <vector>

namespace krv {

// The boxes outside the option tabs, each with the setting it shows.
static std::vector<std::pair<bool Settings::*, QCheckBox*>> windowBoxes(MainForm& f) {
    return {
        {&Settings::rememberLastMap, f.chkLaunchPrefs[0]},
        {&Settings::rememberLastSavegame, f.chkLaunchPrefs[1]},
        {&Settings::scriptedMapsMode, f.library().ChkCM},
        {&Settings::shortcutCreation, f.chkLaunchPrefs[2]},
        {&Settings::tipOfTheDay, f.chkLaunchPrefs[5]},
        {&Settings::wadFilesOnly, f.chkLaunchPrefs[4]},
        {&Settings::disableTooltips, f.chkLaunchPrefs[3]},
        {&Settings::selectionMemory, f.library().chkAutoSelect},
    };
}

void MainForm::settingsToControls() {
    Settings& s = state_.settings;
    options_->settingsToControls(s);
    for (const auto& [setting, box] : windowBoxes(*this))
        box->setChecked(s.*setting);
    for (QComboBox* skill : inspect_->SkillsLevel)
        skill->setCurrentIndex(std::clamp(s.skill, 0, skill->count() - 1));
    launch_->LightText->setText(QString::number(s.editLight));
    launch_->edCustom->setText(qs(s.customCommandLine));
    checkOnly(launch_->ExitOption, s.launchMode);
    checkOnly(library_->OptionUdir, s.gamesListView);
    if (corpseFadeUnavailable_)
        options_->showCorpseFadeUnavailable();
}

void MainForm::controlsToSettings() {
    Settings& s = state_.settings;
    options_->controlsToSettings(s);
    for (const auto& [setting, box] : windowBoxes(*this))
        s.*setting = box->isChecked();
    s.skill = std::max(0, inspect_->SkillsLevel[0]->currentIndex());
    s.editLight = numberOf(launch_->LightText->text());
    s.customCommandLine = launch_->edCustom->text().toStdString();
    s.launchMode = checkedIndex(launch_->ExitOption, s.launchMode);
    s.gamesListView = checkedIndex(library_->OptionUdir, s.gamesListView);
}

} // namespace krv
