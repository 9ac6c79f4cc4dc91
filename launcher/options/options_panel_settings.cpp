// The option tabs' settings, both ways: after the settings are read the
// boxes are set from them, and before they are written or a command line is
// composed the boxes are taken back.

#include "launcher/options/options_panel.h"
#include "launcher/ui/panel_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include <algorithm>
#include <vector>

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

} // namespace

// In the order the boxes are set: a box's handlers may read the boxes set
// before it.
static std::vector<SwitchBox> switchBoxes(OptionsPanel& p) {
    return {
        {&Settings::highResPatches, p.chkGraphics[4], Storing::WhileEnabled},
        {&Settings::quilspackAltWeapons, p.chkAltModels[2]},
        {&Settings::modelFx, p.ChkModelOpts[2]},
        {&Settings::quilspackWeapons, p.chkAltModels[1]},
        {&Settings::coreEffects, p.ChkModelOpts[3]},
        {&Settings::noForcedModels, p.ChkModelOpts[1]},
        {&Settings::grenadeLauncher, p.ChkGL},
        {&Settings::developmentMode, p.chkTesting},
        {&Settings::disableSound, p.chkSound[0]},
        {&Settings::disableMusic, p.chkSound[1]},
        {&Settings::ricochets, p.chkSound[2]},
        {&Settings::disableMouse, p.chkKRVOpts[0]},
        {&Settings::monsterRespawn, p.chkKRVOpts[8]},
        {&Settings::noSameTypeInfighting, p.chkKRVOpts[6]},
        {&Settings::noLostSoulInfighting, p.chkKRVOpts[7]},
        {&Settings::braskenQuilsModels, p.chkAltModels[3]},
        {&Settings::braskenPistolZombies, p.chkAltModels[0]},
        {&Settings::highResTextures, p.chkMain[1]},
        {&Settings::noMonsters, p.chkMain[6]},
        {&Settings::verbose, p.chkMain[7]},
        {&Settings::skyboxes, p.chkGraphics[3]},
        {&Settings::gunSmoke, p.GunSmoke},
        {&Settings::allowHiResRelocation, p.chkKRVOpts[2]},
        {&Settings::hiResSoundPack, p.chkSound[6]},
        {&Settings::playlistAuto, p.chkSound[4]},
        {&Settings::forceFmodMidi, p.chkSound[9]},
        {&Settings::ignorePlaylistIfCustomMusic, p.chkSound[10]},
        {&Settings::corpseFade, p.chkKRVOpts[3]},
        {&Settings::detailTextures, p.chkGraphics[2], Storing::WhileEnabled},
        {&Settings::effectsSpare1, p.chkEffects[1], Storing::WhileEnabled},
        {&Settings::fastMonsters, p.chkKRVOpts[5]},
        {&Settings::basicDoom, p.chkMain[0]},
        {&Settings::advancedOptions, p.chkMain[2]},
        {&Settings::editMode, p.chkMain[5]},
        {&Settings::light, p.chkMain[3]},
        {&Settings::noObjects, p.chkMain[4]},
        {&Settings::disableJoystick, p.chkKRVOpts[1]},
        {&Settings::dynamicLighting, p.chkEffects[0]},
        {&Settings::extraFx, p.chkEffects[3]},
        {&Settings::playlistManual, p.chkSound[5]},
        {&Settings::soundSpare7, p.chkSound[7], Storing::SpareSound},
        {&Settings::splashEffects, p.chkEffects[2]},
        {&Settings::sound3d, p.chkSound[3]},
        {&Settings::soundSpare8, p.chkSound[8], Storing::SpareSound},
    };
}

void OptionsPanel::settingsToControls(const Settings& s) {
    for (const SwitchBox& entry : switchBoxes(*this))
        entry.box->setChecked(s.*entry.setting);
    showNumber(cbChannels, s.audioChannels);
    cbScaler->setCurrentIndex(std::clamp(s.textureScaling, 0, cbScaler->count() - 1));
    showScalingCaption(cbScaler->currentIndex());
    Corpse->setText(QString::number(s.corpseFadeSeconds));
    Ricotext->setText(QString::number(s.ricochetValue));
    Timeout->setText(QString::number(s.grenadeTimer));
    checkOnly(SkyOpt, s.skyboxKind);
    checkOnly(Smoke, s.smokeKind);
}

void OptionsPanel::controlsToSettings(Settings& s) {
    const auto spareOn = [this](int i) {
        return chkSound[i]->isEnabled() && chkSound[i]->isChecked();
    };
    for (const SwitchBox& entry : switchBoxes(*this)) {
        if (entry.storing == Storing::WhileEnabled && !entry.box->isEnabled())
            continue;
        s.*entry.setting = entry.storing == Storing::SpareSound ? spareOn(7) && spareOn(8)
                                                                : entry.box->isChecked();
    }
    s.audioChannels = numberOf(cbChannels->currentText());
    s.textureScaling = numberOf(cbScaler->currentText());
    s.corpseFadeSeconds = numberOf(Corpse->text());
    s.ricochetValue = numberOf(Ricotext->text());
    s.grenadeTimer = numberOf(Timeout->text());
    s.skyboxKind = checkedIndex(SkyOpt, s.skyboxKind);
    s.smokeKind = checkedIndex(Smoke, s.smokeKind);
}

} // namespace krv
