// The option tabs' behaviour: the number boxes with their step buttons,
// the rules that make options available only together with the options and
// packs they depend on, the model packs, and the Models tab's maintenance.

#include "launcher/options/options_panel.h"

#include "launcher/launch/compose_availability.h"
#include "launcher/library/game_operations.h"
#include "launcher/library/scripted_maps.h"
#include "launcher/options/option_rules.h"
#include "launcher/options/texture_path.h"
#include "launcher/ui/cleanup_confirmation.h"
#include "launcher/ui/panel_controls.h"
#include "launcher/ui/qt_font.h"
#include "launcher/ui/shortcut_form.h"
#include "launcher/ui/tex_form.h"

#include "common/ci_path.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>

#include <vector>

namespace krv {

namespace {

// Steps a number box; the value shown is the value returned.
int stepNumber(QLineEdit* box, int step, int low, int high) {
    const int value = steppedNumber(box->text().toStdString(), step, low, high);
    box->setText(QString::number(value));
    return value;
}

// The boxes a launch may use, each with the controls that follow it.
struct BoxControl {
    bool OptionBoxes::*box;
    std::vector<QWidget*> controls;
};

std::vector<BoxControl> optionBoxControls(const OptionsPanel& f) {
    return {
        {&OptionBoxes::highResPatches, {f.chkGraphics[4]}},
        {&OptionBoxes::highResTextures, {f.chkMain[1]}},
        {&OptionBoxes::detailTextures, {f.chkGraphics[2]}},
        {&OptionBoxes::skyboxes, {f.chkGraphics[3], f.SkyOpt[0], f.SkyOpt[1]}},
        {&OptionBoxes::hiResSoundPack, {f.chkSound[6]}},
        {&OptionBoxes::ignorePlaylist, {f.chkSound[10]}},
        {&OptionBoxes::forceFmodMidi, {f.chkSound[9]}},
        {&OptionBoxes::pistolZombies, {f.chkAltModels[0]}},
        {&OptionBoxes::quilspackWeapons, {f.chkAltModels[1]}},
        {&OptionBoxes::quilspackAltWeapons, {f.chkAltModels[2]}},
        {&OptionBoxes::modelReplacements, {f.chkAltModels[3]}},
        {&OptionBoxes::noForcedModels, {f.ChkModelOpts[1]}},
        {&OptionBoxes::coreEffects, {f.ChkModelOpts[3]}},
        {&OptionBoxes::extraFx, {f.chkEffects[3]}},
        {&OptionBoxes::scaler, {f.cbScaler}},
        {&OptionBoxes::grenadeLauncher, {f.ChkGL}},
    };
}

} // namespace

void OptionsPanel::connectControls() {
    connect(butRight, &QToolButton::clicked, this, [this] { stepCorpseFade(+1); });
    connect(butleft, &QToolButton::clicked, this, [this] { stepCorpseFade(-1); });
    connect(butRight2, &QToolButton::clicked, this, [this] { stepGrenadeDelay(+1); });
    connect(butLeft2, &QToolButton::clicked, this, [this] { stepGrenadeDelay(-1); });
    connect(RicoButton[1], &QToolButton::clicked, this, [this] {
        state_.settings.ricochetValue = stepNumber(Ricotext, +1, 1, 9);
        state_.launch.ricochetChanged = true;
    });
    connect(RicoButton[0], &QToolButton::clicked, this, [this] {
        state_.settings.ricochetValue = stepNumber(Ricotext, -1, 1, 9);
        state_.launch.ricochetChanged = true;
    });
    connect(chkMain[1], &QCheckBox::toggled, this, [this](bool on) {
        chkGraphics[2]->setEnabled(!on && state_.content.detailTexturesAvailable);
    });
    connect(chkMain[5], &QCheckBox::toggled, this, &OptionsPanel::applyEditMode);
    connect(chkMain[6], &QCheckBox::toggled, this, [this](bool on) {
        // The model pack refresh reads the setting.
        state_.settings.noMonsters = on;
        applyNoMonsters(on);
    });
    connect(chkAltModels[Replacements], &QCheckBox::toggled, this, [this](bool on) {
        state_.settings.braskenQuilsModels = on;
        RefreshModelPacks();
    });
    connect(ChkGL, &QCheckBox::toggled, this, [this](bool on) {
        enable({Timeout, butLeft2, butRight2}, on && ChkGL->isEnabled());
    });
    connect(chkGraphics[3], &QCheckBox::toggled, this, [this](bool on) {
        enable({SkyOpt[0], SkyOpt[1]}, on);
    });
    connect(GunSmoke, &QCheckBox::toggled, this, [this](bool on) {
        if (!chkMain[0]->isChecked() && state_.content.modelPack1)
            enable({Smoke[0], Smoke[1]}, on);
    });
    connect(chkKRVOpts[2], &QCheckBox::toggled, this, [this](bool on) {
        TexPathLabel->setVisible(on);
        emit textureRelocationChanged(on);
    });
    connect(chkSound[0], &QCheckBox::toggled, this, &OptionsPanel::applySoundRules);
    connect(chkSound[1], &QCheckBox::toggled, this, &OptionsPanel::applySoundRules);
    connect(chkSound[3], &QCheckBox::toggled, this, [this](bool on) {
        chkSound[8]->setEnabled(on);
        ChannelsLabel->setEnabled(on || !chkSound[0]->isChecked());
    });
    connect(chkSound[2], &QCheckBox::toggled, this, [this](bool on) {
        enable({Ricotext, RicoButton[0], RicoButton[1]}, on);
        state_.settings.ricochets = on;
    });
    // Only the player's change is sent to the engine; the settings put into
    // the boxes at start-up are not a change.
    connect(chkSound[2], &QCheckBox::clicked, this,
            [this] { state_.launch.ricochetChanged = true; });
    connect(chkMain[0], &QCheckBox::toggled, this, [this](bool on) {
        state_.settings.basicDoom = on;
        BasicDoom();
        RefreshModelPacks();
    });
    connect(ChkModelOpts[3], &QCheckBox::toggled, this, &OptionsPanel::applyCoreEffectsBox);
    connect(ChkModelOpts[2], &QCheckBox::toggled, this, &OptionsPanel::applyFxBox);
    // Ticked by the player, "FX" takes "Basic Doom" with it and "Core
    // Effects" away; the settings put into the boxes keep their own values.
    connect(ChkModelOpts[2], &QCheckBox::clicked, this, [this](bool on) {
        if (!on)
            return;
        chkMain[0]->setChecked(true);
        ChkModelOpts[3]->setChecked(false);
        applyFxBox(on);
    });
    connect(ButPurge[0], &QPushButton::clicked, this, &OptionsPanel::PurgeSaveGamesClick);
    connect(ButPurge[1], &QPushButton::clicked, this, &OptionsPanel::PurgeNodes);
    connect(ButPurge[2], &QPushButton::clicked, this, &OptionsPanel::CleanupModelPacks);
    connect(cbScaler, &QComboBox::currentIndexChanged, this, &OptionsPanel::showScalingCaption);
}

// "Basic Doom" plays with the original sprites: the model options, the
// model effects and the ricochets go; turned off, each comes back only where
// its packs and settings allow it.
void OptionsPanel::BasicDoom() {
    const bool on = chkMain[0]->isChecked();
    const Settings& s = state_.settings;
    const bool effects = s.modelFx;
    if (on) {
        enable({FrameModel[0],   chkAltModels[0], chkAltModels[1],  chkAltModels[2],
                chkAltModels[3], chkEffects[3],   FrameModel[1],    Smoke[0],
                Smoke[1],        GunSmoke,        ChkModelOpts[1],  ChkModelOpts[3],
                ChkModelOpts[2], chkSound[2],     chkSound[7],      RicoButton[0],
                RicoButton[1],   Ricotext,        GraphicFrames[1], cbScaler,
                TexLabel[0]},
               false);
        ChkModelOpts[3]->setChecked(false);
        enable({GraphicFrames[4], chkEffects[0], chkEffects[2]}, effects);
    } else {
        enable({GraphicFrames[4], chkEffects[0], chkEffects[2]}, true);
        const bool models = !s.coreEffects && state_.content.modelPack1;
        enableModelEffects(models);
        enable({GraphicFrames[1], cbScaler, TexLabel[0], chkEffects[3]}, models);
        enableAltModelsByPackFiles();
        FrameModel[0]->setEnabled(state_.content.modelPack1);
        ChkModelOpts[2]->setEnabled(true);
        ChkModelOpts[3]->setEnabled(true);
        if (s.coreEffects)
            DisableModels(true);
        else
            ChkModelOpts[1]->setEnabled(true);
        if (effects)
            CoreEffects();
        if (!chkSound[0]->isChecked()) {
            chkSound[2]->setEnabled(true);
            chkSound[7]->setEnabled(!effects);
            enable({Ricotext, RicoButton[0], RicoButton[1]}, chkSound[2]->isChecked());
        }
    }
    BasicDoomGrey();
}

void OptionsPanel::applyFxBox(bool on) {
    state_.settings.modelFx = on;
    if (chkMain[0]->isChecked())
        enable({GraphicFrames[4], chkEffects[0], chkEffects[2]}, on);
    BasicDoomGrey();
}

// "Core Effects" switched by the user.
void OptionsPanel::applyCoreEffectsBox(bool on) {
    state_.settings.coreEffects = on;
    if (on) {
        chkMain[0]->setChecked(false);
        chkMain[0]->setEnabled(false);
        enable({GraphicFrames[1], cbScaler, TexLabel[0], ChkModelOpts[1], chkEffects[3],
                ChkModelOpts[2]},
               false);
        ChkModelOpts[2]->setChecked(false);
        DisableModels(true);
    } else {
        enable({chkMain[0], ChkModelOpts[1], ChkModelOpts[2]}, true);
        enable({GraphicFrames[1], cbScaler, TexLabel[0], chkEffects[3]}, state_.content.modelPack1);
        // What "Core Effects" took away comes back where the packs allow it.
        DisableModels(false);
    }
    RefreshModelPacks();
}

// The core effects replace the model packs' effects and alternative models.
void OptionsPanel::DisableModels(bool on) {
    if (on) {
        enable({FrameModel[0], chkAltModels[0], chkAltModels[1], chkAltModels[2], chkAltModels[3]},
               false);
        enableModelEffects(false);
        return;
    }
    const bool pack1 = state_.content.modelPack1;
    enableModelEffects(pack1);
    enableAltModelsByPackFiles();
    FrameModel[0]->setEnabled(pack1);
    enable({ChkModelOpts[1], ChkModelOpts[2], ChkModelOpts[3]}, true);
}

// With the effects setting on: the ricochets and the model scaling need the
// core effects files; without them the model packs are out of play as well.
void OptionsPanel::CoreEffects() {
    const bool pack1 = state_.content.modelPack1;
    if (!packs_.coreEffectsFiles) {
        enable({chkSound[2], Ricotext, RicoButton[0], RicoButton[1], GraphicFrames[1], cbScaler,
                TexLabel[0], FrameModel[0], chkAltModels[0], chkAltModels[1], chkAltModels[2],
                chkAltModels[3]},
               false);
        return;
    }
    if (!chkSound[0]->isChecked()) {
        chkSound[2]->setEnabled(true);
        enable({Ricotext, RicoButton[0], RicoButton[1]}, chkSound[2]->isChecked());
    }
    const bool scaling = pack1 && !state_.settings.coreEffects;
    enable({GraphicFrames[1], cbScaler, TexLabel[0]}, scaling);
    if (!scaling)
        enableModelEffects(false);
    enableAltModelsByPackFiles();
}

void OptionsPanel::enableAltModelsByPackFiles() {
    const auto packFiles = altModelFilesPresent(state_.paths);
    for (std::size_t i = 0; i < packFiles.size(); ++i)
        chkAltModels[i]->setEnabled(packFiles[i]);
}

// The model effects frame with the gun smoke; the smoke kinds only while
// the gun smoke is on.
void OptionsPanel::enableModelEffects(bool on) {
    enable({FrameModel[1], GunSmoke}, on);
    enable({Smoke[0], Smoke[1]}, on && GunSmoke->isChecked());
}

bool OptionsPanel::texturesUsable() const {
    return checkTexturePath(state_.paths.root, state_.settings.texturePath,
                            state_.texFormFolderText)
        .usable;
}

bool OptionsPanel::scriptedMapSelected() const {
    return state_.gameSelection.manualGame &&
           scriptedMapInstalled(state_.paths, state_.gameSelection.manualGameName);
}

// The high-resolution patches and textures where their folders are usable;
// the skyboxes where they are installed, their kinds while they are on.
void OptionsPanel::enableHighResGraphics(bool detailTextures) {
    if (chkMain[1]->isChecked())
        chkGraphics[2]->setEnabled(false);
    else if (detailTextures)
        chkGraphics[2]->setEnabled(state_.content.detailTexturesAvailable);
    chkGraphics[4]->setEnabled(checkPatches(state_.paths.root, state_.settings.texturePath).usable);
    chkMain[1]->setEnabled(texturesUsable());
    chkGraphics[3]->setEnabled(state_.content.skyboxesAvailable);
    enable({SkyOpt[0], SkyOpt[1]}, chkGraphics[3]->isEnabled() && chkGraphics[3]->isChecked());
}

// The high-resolution graphics with "Basic Doom": only detail textures,
// unless the effects setting keeps the rest.
void OptionsPanel::BasicDoomGrey() {
    const bool basic = chkMain[0]->isChecked() && !state_.settings.modelFx;
    if (basic) {
        chkGraphics[2]->setEnabled(state_.content.detailTexturesAvailable);
        enable({chkGraphics[3], chkGraphics[4], chkMain[1], SkyOpt[0], SkyOpt[1]}, false);
        return;
    }
    enableHighResGraphics(false);
}

// After a selection: a scripted map of the maker uses its own graphics.
void OptionsPanel::GreyHiresFrame() {
    if (chkMain[0]->isChecked())
        return;
    if (scriptedMapSelected()) {
        enable({GraphicFrames[5], chkGraphics[2], chkGraphics[3], chkGraphics[4], chkMain[1],
                SkyOpt[0], SkyOpt[1]},
               false);
        return;
    }
    GraphicFrames[5]->setEnabled(true);
    enableHighResGraphics(true);
}

// A scripted map of the maker brings its own sprites: "Basic Doom" and the
// effects setting are unavailable (their checked states come back after).
void OptionsPanel::KillSpriteOptions() {
    for (QCheckBox* box : {chkMain[0], ChkModelOpts[1], ChkModelOpts[2], ChkModelOpts[3],
                           chkEffects[0], chkEffects[2]}) {
        const QSignalBlocker quiet(box);
        box->setEnabled(false);
    }
    GraphicFrames[4]->setEnabled(false);
}

void OptionsPanel::RestoreSpriteOptions() {
    // The base pack's flame models stand in for the sprite options.
    if (ci::isFile(state_.paths.modelDefsFolder + "FlameModels.ded")) {
        chkMain[0]->setEnabled(true);
        return;
    }
    const Settings& s = state_.settings;
    chkMain[0]->setEnabled(!s.coreEffects && !s.modelFx);
    ChkModelOpts[3]->setEnabled(true);
    if (!s.coreEffects)
        enable({ChkModelOpts[1], ChkModelOpts[2]}, true);
    if (!ChkModelOpts[3]->isChecked())
        ChkModelOpts[2]->setEnabled(true);
    enable({GraphicFrames[4], chkEffects[0], chkEffects[2]}, true);
    if (chkMain[0]->isChecked())
        BasicDoom();
    if (s.modelFx)
        CoreEffects();
}

// The option rules run once after the settings are restored, so that what
// is available matches the stored values.
void OptionsPanel::applyOptionRules() {
    chkGraphics[2]->setEnabled(!chkMain[1]->isChecked() && state_.content.detailTexturesAvailable);
    applyEditMode(chkMain[5]->isChecked());
    applyNoMonsters(chkMain[6]->isChecked());
    enable({Timeout, butLeft2, butRight2}, ChkGL->isChecked());
    if (chkGraphics[3]->isEnabled())
        enable({SkyOpt[0], SkyOpt[1]}, chkGraphics[3]->isChecked());
    TexPathLabel->setVisible(chkKRVOpts[2]->isChecked());
    emit textureRelocationChanged(chkKRVOpts[2]->isChecked());
    enable({Ricotext, RicoButton[0], RicoButton[1]}, chkSound[2]->isChecked());
    applySoundRules();
    BasicDoom();
}

void OptionsPanel::stepCorpseFade(int step) {
    const int seconds = stepNumber(Corpse, step, 0, 9);
    state_.settings.corpseFadeSeconds = seconds;
    if (seconds > 0) {
        chkKRVOpts[3]->setEnabled(!chkMain[6]->isChecked());
        chkKRVOpts[3]->setText(QStringLiteral("Resurrect corpses with fade"));
        TexLabel[1]->setText(QStringLiteral("Seconds before corpses fade"));
        Corpse->setPalette(QApplication::palette());
    } else {
        chkKRVOpts[3]->setChecked(false);
        chkKRVOpts[3]->setEnabled(false);
        TexLabel[1]->setText(QStringLiteral("No corpse fade"));
    }
}

void OptionsPanel::stepGrenadeDelay(int step) {
    const int delay = stepNumber(Timeout, step, 0, 7);
    state_.settings.grenadeTimer = delay;
    ChkGL->setText(delay > 0 ? QStringLiteral("Grenade launcher")
                             : QStringLiteral("Pipebomb launcher"));
}

void OptionsPanel::applyEditMode(bool on) {
    chkMain[4]->setEnabled(on);
    chkMain[3]->setEnabled(on);
    emit editModeChanged(on);
}

void OptionsPanel::applyNoMonsters(bool on) {
    enable({chkKRVOpts[5], chkKRVOpts[6], chkKRVOpts[7], chkKRVOpts[8], Corpse, butleft, butRight,
            GraphicFrames[3], TexLabel[1]},
           !on);
    bool ok = false;
    const int seconds = Corpse->text().toInt(&ok);
    chkKRVOpts[3]->setEnabled(!on && ok && seconds > 0);
    const bool zombies = state_.content.modelPack1 &&
                         altModelFilesPresent(state_.paths)[PistolZombies] &&
                         !state_.settings.coreEffects && !state_.settings.modelFx;
    chkAltModels[0]->setEnabled(!on && zombies);
}

// "Disable sound" and "Disable music", and the playlist controls they rule.
void OptionsPanel::applySoundRules() {
    SoundSwitches on;
    on.soundOff = chkSound[0]->isChecked();
    on.basicDoom = chkMain[0]->isChecked();
    on.sound3d = chkSound[3]->isChecked();
    on.ricochets = chkSound[2]->isChecked();
    const SoundAvailability allowed =
        soundAvailability(on, ci::isFile(state_.paths.root + "/data/pk_doom_sfx.wad"));
    for (std::size_t i = 1; i < chkSound.size(); ++i)
        chkSound[i]->setEnabled(allowed.boxes[i]);
    enable({cbChannels, ChannelsLabel}, allowed.channels);
    enable({Ricotext, RicoButton[0], RicoButton[1]}, allowed.ricochetValue);
    emit soundRulesApplied();
}

// The model packs found now and what their options may do with the chosen
// game: the pack frame's caption or the advice, and the model options.
void OptionsPanel::RefreshModelPacks() {
    ModelControls current;
    for (int i = 0; i < 4; ++i)
        current.altModels[i] = {chkAltModels[i]->isEnabled(), chkAltModels[i]->isChecked()};
    for (int i = 1; i < 4; ++i)
        current.modelOpts[i] = {ChkModelOpts[i]->isEnabled(), ChkModelOpts[i]->isChecked()};
    current.packFrameEnabled = FrameModel[0]->isEnabled();
    const ModelRefresh refresh =
        refreshModelPacks(state_.paths, packs_, state_.mainWad, current, state_.settings);
    packs_ = refresh.packs;
    state_.content.modelPack1 = packs_.pack1;
    ModFrame->setVisible(refresh.frame.adviceShown);
    if (refresh.frame.caption)
        FrameModel[0]->setTitle(QString::fromStdString(*refresh.frame.caption));
    // The states are applied as they are; the options' own handlers must
    // not run on them again.
    const auto apply = [](QCheckBox* box, const BoxState& state) {
        const QSignalBlocker quiet(box);
        box->setEnabled(state.enabled);
        box->setChecked(state.checked);
    };
    for (int i = 0; i < 4; ++i)
        apply(chkAltModels[i], refresh.controls.altModels[i]);
    for (int i = 1; i < 4; ++i)
        apply(ChkModelOpts[i], refresh.controls.modelOpts[i]);
    FrameModel[0]->setEnabled(refresh.controls.packFrameEnabled);
}

void OptionsPanel::prepareModelOptions() {
    Settings& s = state_.settings;
    ContentState& content = state_.content;
    packs_ = krv::detectModelPacks(state_.paths);
    content.modelPack1 = packs_.pack1;
    content.scriptedMapModels = hasScriptedModels(state_.paths);
    // Known before the games list restores its selection, whose rules read it.
    content.skyboxesAvailable = ci::isFolder(state_.paths.root + "/data/Skyboxes");
    const bool smokeKinds = s.gunSmoke && content.modelPack1 && !s.basicDoom;
    Smoke[0]->setEnabled(smokeKinds);
    Smoke[1]->setEnabled(smokeKinds);
    content.quilspackFolder.clear();
    if (ci::isFile(state_.paths.root + "/Md2/Quilspack/quilspack.wad"))
        content.quilspackFolder = state_.paths.root + "/md2/Quilspack";
    if (content.quilspackFolder.empty()) {
        s.quilspackWeapons = false;
        s.quilspackAltWeapons = false;
    }
    // "Extra FX" needs the base model pack and its definitions; the pack
    // detection marks them when model packs are installed.
    chkEffects[3]->setEnabled(content.extraFxAvailable && content.modelPack1);
    applyPackAvailability();
}

// Options that load files of packs the user may not have installed are
// offered only when those files exist, so that a launch never names one
// that is missing.
// (The sound pack's box follows the sound rules, which run with the option
// rules once the controls hold the settings.)
void OptionsPanel::applyPackAvailability() {
    enableAltModelsByPackFiles();
    if (state_.settings.basicDoom)
        enable({chkAltModels[0], chkAltModels[1], chkAltModels[2], chkAltModels[3]}, false);
}

void OptionsPanel::setSettingCaptions() {
    if (state_.settings.corpseFadeSeconds == 0)
        chkKRVOpts[3]->setText(QStringLiteral("No corpse fade"));
    if (state_.settings.grenadeTimer == 0)
        ChkGL->setText(QStringLiteral("Pipebomb launcher"));
}

void OptionsPanel::addCustomDefinition(QListWidget* list) {
    ensureCustomDefsFolder(state_.paths);
    const auto chosen =
        platform_.openFile({"DED Files", "DED Files (*.ded)",
                            ci::resolveForWrite(state_.paths.customDefsFolder).string()});
    if (!chosen)
        return;
    // The Quilspack's own definitions come with its options.
    const auto entry = customDefinitionEntry(state_.paths, *chosen);
    if (!entry) {
        platform_.showMessage(kQuilsDefsWarning, msg::kExclamation, kQuilsDefsWarningTitle);
        return;
    }
    list->addItem(QString::fromStdString(*entry));
    list->setCurrentRow(list->count() - 1);
}

void OptionsPanel::OpenTexForm() {
    TexForm dialog(state_, platform_, state_.texFormFolderText, window_);
    connect(&dialog, &TexForm::texturesUnavailable, this, [this] {
        chkMain[1]->setChecked(false);
        state_.settings.highResTextures = false;
    });
    dialog.exec();
}

OptionBoxes OptionsPanel::availableBoxes() const {
    OptionBoxes boxes;
    for (const BoxControl& entry : optionBoxControls(*this))
        boxes.*entry.box = entry.controls.front()->isEnabled();
    return boxes;
}

void OptionsPanel::applyAvailableBoxes(const OptionBoxes& boxes) {
    for (const BoxControl& entry : optionBoxControls(*this))
        for (QWidget* control : entry.controls)
            control->setEnabled(boxes.*entry.box);
}

void OptionsPanel::noteSkyboxes() {
    if (!state_.content.skyboxesAvailable)
        enable({chkGraphics[3], SkyOpt[0], SkyOpt[1]}, false);
}

void OptionsPanel::showCorpseFadeUnavailable() {
    QPalette red = Corpse->palette();
    red.setColor(QPalette::Text, QColor(192, 0, 0));
    Corpse->setPalette(red);
    chkKRVOpts[3]->setChecked(false);
    chkKRVOpts[3]->setEnabled(false);
}

void OptionsPanel::setGrenadeControlsEnabled(bool on) {
    ChkGL->setEnabled(on);
    enable({Timeout, butLeft2, butRight2}, on && ChkGL->isChecked());
}

void OptionsPanel::runGraphicsCheck() {
    if (chkMain[0]->isChecked() || scriptedMapSelected())
        return;
    Settings& s = state_.settings;
    const TexturePathAnswer texture =
        checkTexturePath(state_.paths.root, s.texturePath, state_.texFormFolderText);
    s.texturePath = texture.path;
    state_.texFormFolderText = texture.shownText;
    OptionBoxes boxes = availableBoxes();
    applyGraphicsAvailability(state_.paths.root, {ci::isFile, ci::isFolder}, texture.usable, boxes);
    applyAvailableBoxes(boxes);
    if (!texture.usable)
        TexPathLabel->setText(QString::fromLatin1(kTexturePathInvalid));
}

void OptionsPanel::runSoundPackCheck() {
    if (!chkMain[0]->isChecked() && !chkSound[0]->isChecked() &&
        ci::isFile(state_.paths.root + "/data/pk_doom_sfx.wad"))
        chkSound[6]->setEnabled(true);
}

void OptionsPanel::showScalingCaption(int level) {
    const char* caption = "";
    if (level == 0)
        caption = "No scaling - best quality";
    else if (level == 1)
        caption = "Minimum scaling";
    else if (level == 4)
        caption = "Maximum scaling";
    TexLabel[0]->setText(QString::fromLatin1(caption));
}

void OptionsPanel::CleanupModelPacks() {
    ShortcutForm dialog(ShortcutForm::Mode::Cleanup, {}, !state_.settings.disableTooltips, window_);
    applyLauncherFont(&dialog, state_.font);
    dialog.exec();
    if (dialog.cancelled() || !dialog.chkModDel->isChecked())
        return;
    CleanupModelPacksConfirmed();
}

void OptionsPanel::CleanupModelPacksConfirmed() {
    if (!cleanupConfirmationRemoved(state_.paths.dataFolder) && !platform_.confirmCleanup())
        return;
    deleteModelPacks(state_.paths, {true, true, true}, packs_);
    RefreshModelPacks();
    platform_.showMessage(
        "Important: Close down the launcher before re-installing any model packs.    ",
        msg::kInformation, " Cleanup Completed");
}

void OptionsPanel::PurgeSaveGamesClick() {
    const int answer = platform_.showMessage(
        "  This is a quick method of removing all previously saved games.        \r\n\r\n"
        "                          Do you wish to continue?",
        msg::kYesNoQuestion, " Purge all savegames ");
    if (answer != msg::kResultYes)
        return;
    PurgeSaveGames();
    emit saveGamesPurged();
}

void OptionsPanel::PurgeSaveGames() {
    purgeSaveGames(state_.paths);
}

void OptionsPanel::PurgeNodes() {
    const int answer =
        platform_.showMessage("This is a quick method of removing all nodes that have      \r\n"
                              "    previously been built with maps you have played.       \r\n\r\n"
                              "                  Do you wish to continue?",
                              msg::kYesNoQuestion, " Delete all saved nodes");
    if (answer == msg::kResultYes)
        purgeNodes(state_.paths);
}

} // namespace krv
