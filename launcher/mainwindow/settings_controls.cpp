// The settings shown by the main window's controls, both ways: after the
// settings are read the controls are set from them, and before they are
// written or a command line is composed the controls are taken back.

#include "launcher/mainwindow/main_form.h"
#include "launcher/ui/qt_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <cmath>
#include <cstdlib>

namespace krv {

namespace {

// Most boxes store their state whatever it is; some keep their setting
// while they are unavailable, the spare sound boxes store on only while both
// are available and checked.
enum class Storing { Always, WhileEnabled, SpareSound };

struct SwitchBox {
    bool Settings::*setting;
    QCheckBox* box;
    Storing storing = Storing::Always;
};

// The number a text box holds, read the way the settings file is: blanks
// around it allowed, a fraction dropped toward minus infinity; a box that
// holds no number gives 0.
int numberOf(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return 0;
    return static_cast<int>(std::clamp(std::floor(value), -32768.0, 32767.0));
}

template <std::size_t N> void checkOnly(const std::array<QRadioButton*, N>& buttons, int index) {
    if (index >= 0 && index < static_cast<int>(N))
        buttons[static_cast<std::size_t>(index)]->setChecked(true);
}

template <std::size_t N> int checkedIndex(const std::array<QRadioButton*, N>& buttons, int keep) {
    for (std::size_t i = 0; i < N; ++i)
        if (buttons[i]->isChecked())
            return static_cast<int>(i);
    return keep;
}

// Shows `value` in a list of numbers, adding it when the list lacks it.
void showNumber(QComboBox* box, int value) {
    const QString text = QString::number(value);
    int index = box->findText(text);
    if (index < 0) {
        box->addItem(text);
        index = box->count() - 1;
    }
    box->setCurrentIndex(index);
}

} // namespace

static std::vector<SwitchBox> switchBoxes(MainForm& f) {
    return {
        {&Settings::highResPatches, f.options().chkGraphics[4], Storing::WhileEnabled},
        {&Settings::quilspackAltWeapons, f.options().chkAltModels[2]},
        {&Settings::modelFx, f.options().ChkModelOpts[2]},
        {&Settings::quilspackWeapons, f.options().chkAltModels[1]},
        {&Settings::coreEffects, f.options().ChkModelOpts[3]},
        {&Settings::noForcedModels, f.options().ChkModelOpts[1]},
        {&Settings::grenadeLauncher, f.options().ChkGL},
        {&Settings::developmentMode, f.options().chkTesting},
        {&Settings::disableSound, f.options().chkSound[0]},
        {&Settings::disableMusic, f.options().chkSound[1]},
        {&Settings::ricochets, f.options().chkSound[2]},
        {&Settings::disableMouse, f.options().chkKRVOpts[0]},
        {&Settings::monsterRespawn, f.options().chkKRVOpts[8]},
        {&Settings::noSameTypeInfighting, f.options().chkKRVOpts[6]},
        {&Settings::noLostSoulInfighting, f.options().chkKRVOpts[7]},
        {&Settings::rememberLastMap, f.chkLaunchPrefs[0]},
        {&Settings::rememberLastSavegame, f.chkLaunchPrefs[1]},
        {&Settings::braskenQuilsModels, f.options().chkAltModels[3]},
        {&Settings::braskenPistolZombies, f.options().chkAltModels[0]},
        {&Settings::highResTextures, f.options().chkMain[1]},
        {&Settings::noMonsters, f.options().chkMain[6]},
        {&Settings::verbose, f.options().chkMain[7]},
        {&Settings::skyboxes, f.options().chkGraphics[3]},
        {&Settings::gunSmoke, f.options().GunSmoke},
        {&Settings::allowHiResRelocation, f.options().chkKRVOpts[2]},
        {&Settings::hiResSoundPack, f.options().chkSound[6]},
        {&Settings::playlistAuto, f.options().chkSound[4]},
        {&Settings::forceFmodMidi, f.options().chkSound[9]},
        {&Settings::ignorePlaylistIfCustomMusic, f.options().chkSound[10]},
        {&Settings::corpseFade, f.options().chkKRVOpts[3]},
        {&Settings::detailTextures, f.options().chkGraphics[2], Storing::WhileEnabled},
        {&Settings::effectsSpare1, f.options().chkEffects[1], Storing::WhileEnabled},
        {&Settings::fastMonsters, f.options().chkKRVOpts[5]},
        {&Settings::basicDoom, f.options().chkMain[0]},
        {&Settings::scriptedMapsMode, f.library().ChkCM},
        {&Settings::advancedOptions, f.options().chkMain[2]},
        {&Settings::editMode, f.options().chkMain[5]},
        {&Settings::light, f.options().chkMain[3]},
        {&Settings::noObjects, f.options().chkMain[4]},
        {&Settings::disableJoystick, f.options().chkKRVOpts[1]},
        {&Settings::shortcutCreation, f.chkLaunchPrefs[2]},
        {&Settings::tipOfTheDay, f.chkLaunchPrefs[5]},
        {&Settings::wadFilesOnly, f.chkLaunchPrefs[4]},
        {&Settings::disableTooltips, f.chkLaunchPrefs[3]},
        {&Settings::dynamicLighting, f.options().chkEffects[0]},
        {&Settings::extraFx, f.options().chkEffects[3]},
        {&Settings::playlistManual, f.options().chkSound[5]},
        {&Settings::soundSpare7, f.options().chkSound[7], Storing::SpareSound},
        {&Settings::selectionMemory, f.library().chkAutoSelect},
        {&Settings::splashEffects, f.options().chkEffects[2]},
        {&Settings::sound3d, f.options().chkSound[3]},
        {&Settings::soundSpare8, f.options().chkSound[8], Storing::SpareSound},
    };
}

void MainForm::settingsToControls() {
    Settings& s = state_.settings;
    for (const SwitchBox& entry : switchBoxes(*this))
        entry.box->setChecked(s.*entry.setting);
    showNumber(options_->cbChannels, s.audioChannels);
    options_->cbScaler->setCurrentIndex(
        std::clamp(s.textureScaling, 0, options_->cbScaler->count() - 1));
    options_->showScalingCaption(options_->cbScaler->currentIndex());
    for (QComboBox* skill : inspect_->SkillsLevel)
        skill->setCurrentIndex(std::clamp(s.skill, 0, skill->count() - 1));
    options_->Corpse->setText(QString::number(s.corpseFadeSeconds));
    options_->Ricotext->setText(QString::number(s.ricochetValue));
    options_->Timeout->setText(QString::number(s.grenadeTimer));
    launch_->LightText->setText(QString::number(s.editLight));
    launch_->edCustom->setText(qs(s.customCommandLine));
    checkOnly(options_->SkyOpt, s.skyboxKind);
    checkOnly(options_->Smoke, s.smokeKind);
    checkOnly(launch_->ExitOption, s.launchMode);
    checkOnly(library_->OptionUdir, s.gamesListView);
    if (corpseFadeUnavailable_)
        options_->showCorpseFadeUnavailable();
}

void MainForm::controlsToSettings() {
    Settings& s = state_.settings;
    const auto spareOn = [this](int i) {
        return options_->chkSound[i]->isEnabled() && options_->chkSound[i]->isChecked();
    };
    for (const SwitchBox& entry : switchBoxes(*this)) {
        if (entry.storing == Storing::WhileEnabled && !entry.box->isEnabled())
            continue;
        s.*entry.setting = entry.storing == Storing::SpareSound ? spareOn(7) && spareOn(8)
                                                                : entry.box->isChecked();
    }
    s.audioChannels = numberOf(options_->cbChannels->currentText());
    s.textureScaling = numberOf(options_->cbScaler->currentText());
    s.skill = std::max(0, inspect_->SkillsLevel[0]->currentIndex());
    s.corpseFadeSeconds = numberOf(options_->Corpse->text());
    s.ricochetValue = numberOf(options_->Ricotext->text());
    s.grenadeTimer = numberOf(options_->Timeout->text());
    s.editLight = numberOf(launch_->LightText->text());
    s.customCommandLine = launch_->edCustom->text().toStdString();
    s.skyboxKind = checkedIndex(options_->SkyOpt, s.skyboxKind);
    s.smokeKind = checkedIndex(options_->Smoke, s.smokeKind);
    s.launchMode = checkedIndex(launch_->ExitOption, s.launchMode);
    s.gamesListView = checkedIndex(library_->OptionUdir, s.gamesListView);
}

} // namespace krv
