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

struct SwitchBox {
    bool Settings::*setting;
    QCheckBox* box;
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
        {&Settings::highResPatches, f.chkGraphics[4]},
        {&Settings::quilspackAltWeapons, f.chkAltModels[2]},
        {&Settings::modelFx, f.ChkModelOpts[2]},
        {&Settings::quilspackWeapons, f.chkAltModels[1]},
        {&Settings::coreEffects, f.ChkModelOpts[3]},
        {&Settings::noForcedModels, f.ChkModelOpts[1]},
        {&Settings::grenadeLauncher, f.ChkGL},
        {&Settings::developmentMode, f.chkTesting},
        {&Settings::disableSound, f.chkSound[0]},
        {&Settings::disableMusic, f.chkSound[1]},
        {&Settings::ricochets, f.chkSound[2]},
        {&Settings::disableMouse, f.chkKRVOpts[0]},
        {&Settings::monsterRespawn, f.chkKRVOpts[8]},
        {&Settings::noSameTypeInfighting, f.chkKRVOpts[6]},
        {&Settings::noLostSoulInfighting, f.chkKRVOpts[7]},
        {&Settings::rememberLastMap, f.chkLaunchPrefs[0]},
        {&Settings::rememberLastSavegame, f.chkLaunchPrefs[1]},
        {&Settings::braskenQuilsModels, f.chkAltModels[3]},
        {&Settings::braskenPistolZombies, f.chkAltModels[0]},
        {&Settings::highResTextures, f.chkMain[1]},
        {&Settings::noMonsters, f.chkMain[6]},
        {&Settings::verbose, f.chkMain[7]},
        {&Settings::skyboxes, f.chkGraphics[3]},
        {&Settings::gunSmoke, f.GunSmoke},
        {&Settings::allowHiResRelocation, f.chkKRVOpts[2]},
        {&Settings::hiResSoundPack, f.chkSound[6]},
        {&Settings::playlistAuto, f.chkSound[4]},
        {&Settings::forceFmodMidi, f.chkSound[9]},
        {&Settings::ignorePlaylistIfCustomMusic, f.chkSound[10]},
        {&Settings::corpseFade, f.chkKRVOpts[3]},
        {&Settings::detailTextures, f.chkGraphics[2]},
        {&Settings::effectsSpare1, f.chkEffects[1]},
        {&Settings::fastMonsters, f.chkKRVOpts[5]},
        {&Settings::basicDoom, f.chkMain[0]},
        {&Settings::scriptedMapsMode, f.ChkCM},
        {&Settings::advancedOptions, f.chkMain[2]},
        {&Settings::editMode, f.chkMain[5]},
        {&Settings::light, f.chkMain[3]},
        {&Settings::noObjects, f.chkMain[4]},
        {&Settings::disableJoystick, f.chkKRVOpts[1]},
        {&Settings::shortcutCreation, f.chkLaunchPrefs[2]},
        {&Settings::tipOfTheDay, f.chkLaunchPrefs[5]},
        {&Settings::wadFilesOnly, f.chkLaunchPrefs[4]},
        {&Settings::disableTooltips, f.chkLaunchPrefs[3]},
        {&Settings::dynamicLighting, f.chkEffects[0]},
        {&Settings::extraFx, f.chkEffects[3]},
        {&Settings::playlistManual, f.chkSound[5]},
        {&Settings::soundSpare7, f.chkSound[7]},
        {&Settings::selectionMemory, f.chkAutoSelect},
        {&Settings::splashEffects, f.chkEffects[2]},
        {&Settings::sound3d, f.chkSound[3]},
        {&Settings::soundSpare8, f.chkSound[8]},
    };
}

void MainForm::settingsToControls() {
    Settings& s = state_.settings;
    for (const SwitchBox& entry : switchBoxes(*this))
        entry.box->setChecked(s.*entry.setting);
    showNumber(cbChannels, s.audioChannels);
    cbScaler->setCurrentIndex(std::clamp(s.textureScaling, 0, cbScaler->count() - 1));
    showScalingCaption(cbScaler->currentIndex());
    for (QComboBox* skill : SkillsLevel)
        skill->setCurrentIndex(std::clamp(s.skill, 0, skill->count() - 1));
    Corpse->setText(QString::number(s.corpseFadeSeconds));
    Ricotext->setText(QString::number(s.ricochetValue));
    Timeout->setText(QString::number(s.grenadeTimer));
    LightText->setText(QString::number(s.editLight));
    edCustom->setText(qs(s.customCommandLine));
    checkOnly(SkyOpt, s.skyboxKind);
    checkOnly(Smoke, s.smokeKind);
    checkOnly(ExitOption, s.launchMode);
    checkOnly(OptionUdir, s.gamesListView);
    if (corpseFadeUnavailable_) {
        QPalette red = Corpse->palette();
        red.setColor(QPalette::Text, QColor(192, 0, 0));
        Corpse->setPalette(red);
        chkKRVOpts[3]->setChecked(false);
        chkKRVOpts[3]->setEnabled(false);
    }
}

void MainForm::controlsToSettings() {
    Settings& s = state_.settings;
    for (const SwitchBox& entry : switchBoxes(*this))
        s.*entry.setting = entry.box->isChecked();
    s.audioChannels = numberOf(cbChannels->currentText());
    s.textureScaling = numberOf(cbScaler->currentText());
    s.skill = std::max(0, SkillsLevel[0]->currentIndex());
    s.corpseFadeSeconds = numberOf(Corpse->text());
    s.ricochetValue = numberOf(Ricotext->text());
    s.grenadeTimer = numberOf(Timeout->text());
    s.editLight = numberOf(LightText->text());
    s.customCommandLine = edCustom->text().toStdString();
    s.skyboxKind = checkedIndex(SkyOpt, s.skyboxKind);
    s.smokeKind = checkedIndex(Smoke, s.smokeKind);
    s.launchMode = checkedIndex(ExitOption, s.launchMode);
    s.gamesListView = checkedIndex(OptionUdir, s.gamesListView);
}

void MainForm::showScalingCaption(int level) {
    const char* caption = "";
    if (level == 0)
        caption = "No scaling - best quality";
    else if (level == 1)
        caption = "Minimum scaling";
    else if (level == 4)
        caption = "Maximum scaling";
    TexLabel[0]->setText(QString::fromLatin1(caption));
}

} // namespace krv
