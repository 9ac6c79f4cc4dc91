#include "launcher/options/options_controller.h"

#include "launcher/launch/compose_availability.h"
#include "launcher/library/game_operations.h"
#include "launcher/library/scripted_maps.h"
#include "launcher/options/option_controls.h"
#include "launcher/options/option_rules.h"
#include "launcher/options/texture_path.h"
#include "launcher/ui/cleanup_confirmation.h"

#include "common/ci_path.h"
#include "common/numbers.h"
#include "common/strings.h"

#include <algorithm>
#include <charconv>
#include <vector>

namespace krv {

using namespace ids;

namespace {

// The colour of a number the settings file could not hold.
constexpr CaptionColour kUnavailableNumber{192, 0, 0};

// The boxes a launch may use, each with the controls that follow it.
struct BoxControl {
    bool OptionBoxes::*box;
    std::vector<ControlId> controls;
};

const std::vector<BoxControl>& optionBoxControls() {
    static const std::vector<BoxControl> boxes = {
        {&OptionBoxes::highResPatches, {chkGraphics[4]}},
        {&OptionBoxes::highResTextures, {chkMain[1]}},
        {&OptionBoxes::detailTextures, {chkGraphics[2]}},
        {&OptionBoxes::skyboxes, {chkGraphics[3], SkyOpt[0], SkyOpt[1]}},
        {&OptionBoxes::hiResSoundPack, {chkSound[6]}},
        {&OptionBoxes::ignorePlaylist, {chkSound[10]}},
        {&OptionBoxes::forceFmodMidi, {chkSound[9]}},
        {&OptionBoxes::pistolZombies, {chkAltModels[0]}},
        {&OptionBoxes::quilspackWeapons, {chkAltModels[1]}},
        {&OptionBoxes::quilspackAltWeapons, {chkAltModels[2]}},
        {&OptionBoxes::modelReplacements, {chkAltModels[3]}},
        {&OptionBoxes::noForcedModels, {ChkModelOpts[1]}},
        {&OptionBoxes::coreEffects, {ChkModelOpts[3]}},
        {&OptionBoxes::extraFx, {chkEffects[3]}},
        {&OptionBoxes::scaler, {cbScaler}},
        {&OptionBoxes::grenadeLauncher, {ChkGL}},
    };
    return boxes;
}

// Most boxes store their state whatever it is; some keep their setting
// while they are unavailable, the spare sound boxes store on only while both
// are available and checked.
enum class Storing { Always, WhileEnabled, SpareSound };

struct SwitchBox {
    bool Settings::*setting;
    ControlId box;
    Storing storing = Storing::Always;
};

// In the order the boxes are set: a box's reactions may read the boxes set
// before it.
const std::vector<SwitchBox>& switchBoxes() {
    static const std::vector<SwitchBox> boxes = {
        {&Settings::highResPatches, chkGraphics[4], Storing::WhileEnabled},
        {&Settings::quilspackAltWeapons, chkAltModels[2]},
        {&Settings::modelFx, ChkModelOpts[2]},
        {&Settings::quilspackWeapons, chkAltModels[1]},
        {&Settings::coreEffects, ChkModelOpts[3]},
        {&Settings::noForcedModels, ChkModelOpts[1]},
        {&Settings::grenadeLauncher, ChkGL},
        {&Settings::developmentMode, chkTesting},
        {&Settings::disableSound, chkSound[0]},
        {&Settings::disableMusic, chkSound[1]},
        {&Settings::ricochets, chkSound[2]},
        {&Settings::disableMouse, chkKRVOpts[0]},
        {&Settings::monsterRespawn, chkKRVOpts[8]},
        {&Settings::noSameTypeInfighting, chkKRVOpts[6]},
        {&Settings::noLostSoulInfighting, chkKRVOpts[7]},
        {&Settings::braskenQuilsModels, chkAltModels[3]},
        {&Settings::braskenPistolZombies, chkAltModels[0]},
        {&Settings::highResTextures, chkMain[1]},
        {&Settings::noMonsters, chkMain[6]},
        {&Settings::verbose, chkMain[7]},
        {&Settings::skyboxes, chkGraphics[3]},
        {&Settings::gunSmoke, GunSmoke},
        {&Settings::allowHiResRelocation, chkKRVOpts[2]},
        {&Settings::hiResSoundPack, chkSound[6]},
        {&Settings::playlistAuto, chkSound[4]},
        {&Settings::forceFmodMidi, chkSound[9]},
        {&Settings::ignorePlaylistIfCustomMusic, chkSound[10]},
        {&Settings::corpseFade, chkKRVOpts[3]},
        {&Settings::detailTextures, chkGraphics[2], Storing::WhileEnabled},
        {&Settings::effectsSpare1, chkEffects[1], Storing::WhileEnabled},
        {&Settings::fastMonsters, chkKRVOpts[5]},
        {&Settings::basicDoom, chkMain[0]},
        {&Settings::advancedOptions, chkMain[2]},
        {&Settings::editMode, chkMain[5]},
        {&Settings::light, chkMain[3]},
        {&Settings::noObjects, chkMain[4]},
        {&Settings::disableJoystick, chkKRVOpts[1]},
        {&Settings::dynamicLighting, chkEffects[0]},
        {&Settings::extraFx, chkEffects[3]},
        {&Settings::playlistManual, chkSound[5]},
        {&Settings::soundSpare7, chkSound[7], Storing::SpareSound},
        {&Settings::splashEffects, chkEffects[2]},
        {&Settings::sound3d, chkSound[3]},
        {&Settings::soundSpare8, chkSound[8], Storing::SpareSound},
    };
    return boxes;
}

// A whole number standing alone between blanks; nothing for any other text.
std::optional<int> wholeNumberIn(std::string_view text) {
    std::string_view digits = trim(text);
    if (digits.size() > 1 && digits.front() == '+')
        digits.remove_prefix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return value;
}

// Shows `value` in a combo box of numbers, adding it where it is missing.
void showNumber(Controls& c, ControlId box, int value) {
    std::vector<std::string> entries = c.state(box).entries;
    const std::string text = std::to_string(value);
    auto found = std::find(entries.begin(), entries.end(), text);
    if (found == entries.end()) {
        entries.push_back(text);
        c.setEntries(box, entries);
        found = entries.end() - 1;
    }
    c.setCurrentIndex(box, static_cast<int>(found - entries.begin()));
}

// Checks the button of a stored index; an index out of range checks none.
void checkOnly(Controls& c, ControlArray buttons, int count, int index) {
    if (index >= 0 && index < count)
        c.setChecked(buttons[index], true);
}

// The index of the checked button; `keep` while none is checked.
int checkedIndex(const Controls& c, ControlArray buttons, int count, int keep) {
    for (int i = 0; i < count; ++i)
        if (c.isChecked(buttons[i]))
            return i;
    return keep;
}

} // namespace

OptionsController::OptionsController(SessionModel& model, const InstallPaths& paths,
                                     Platform& platform, ControlId musicFrame)
    : model_(model), c_(model.controls), paths_(paths), platform_(platform) {
    declareOptionControls(c_, musicFrame);
    connectRules();
}

int OptionsController::stepNumber(ControlId box, int step, int low, int high) {
    const int value = steppedNumber(c_.text(box), step, low, high);
    c_.setText(box, std::to_string(value));
    return value;
}

void OptionsController::connectRules() {
    c_.onClicked(butRight, [this](bool) { stepCorpseFade(+1); });
    c_.onClicked(butleft, [this](bool) { stepCorpseFade(-1); });
    c_.onClicked(butRight2, [this](bool) { stepGrenadeDelay(+1); });
    c_.onClicked(butLeft2, [this](bool) { stepGrenadeDelay(-1); });
    c_.onClicked(RicoButton[1], [this](bool) {
        model_.settings.ricochetValue = stepNumber(Ricotext, +1, 1, 9);
        model_.launch.ricochetChanged = true;
    });
    c_.onClicked(RicoButton[0], [this](bool) {
        model_.settings.ricochetValue = stepNumber(Ricotext, -1, 1, 9);
        model_.launch.ricochetChanged = true;
    });
    c_.onToggled(chkMain[1], [this](bool on) {
        c_.setEnabled(chkGraphics[2], !on && model_.content.detailTexturesAvailable);
    });
    c_.onToggled(chkMain[5], [this](bool on) { applyEditMode(on); });
    c_.onToggled(chkMain[6], [this](bool on) {
        // The model pack refresh reads the setting.
        model_.settings.noMonsters = on;
        applyNoMonsters(on);
    });
    c_.onToggled(chkAltModels[Replacements], [this](bool on) {
        model_.settings.braskenQuilsModels = on;
        RefreshModelPacks();
    });
    c_.onToggled(ChkGL, [this](bool on) {
        c_.setEnabled({Timeout, butLeft2, butRight2}, on && c_.isEnabled(ChkGL));
    });
    c_.onToggled(chkGraphics[3], [this](bool on) { c_.setEnabled({SkyOpt[0], SkyOpt[1]}, on); });
    c_.onToggled(GunSmoke, [this](bool on) {
        if (!c_.isChecked(chkMain[0]) && model_.content.modelPack1)
            c_.setEnabled({Smoke[0], Smoke[1]}, on);
    });
    c_.onToggled(chkKRVOpts[2], [this](bool on) {
        c_.setVisible(TexPathLabel, on);
        if (listener_.textureRelocationChanged)
            listener_.textureRelocationChanged(on);
    });
    c_.onToggled(chkSound[0], [this](bool) { applySoundRules(); });
    c_.onToggled(chkSound[1], [this](bool) { applySoundRules(); });
    c_.onToggled(chkSound[3], [this](bool on) {
        c_.setEnabled(chkSound[8], on);
        c_.setEnabled(ChannelsLabel, on || !c_.isChecked(chkSound[0]));
    });
    c_.onToggled(chkSound[2], [this](bool on) {
        c_.setEnabled({Ricotext, RicoButton[0], RicoButton[1]}, on);
        model_.settings.ricochets = on;
    });
    // Only the player's change is sent to the engine; the settings put into
    // the boxes at start-up are not a change.
    c_.onClicked(chkSound[2], [this](bool) { model_.launch.ricochetChanged = true; });
    c_.onToggled(chkMain[0], [this](bool on) {
        model_.settings.basicDoom = on;
        BasicDoom();
        RefreshModelPacks();
    });
    c_.onToggled(ChkModelOpts[3], [this](bool on) { applyCoreEffectsBox(on); });
    c_.onToggled(ChkModelOpts[2], [this](bool on) { applyFxBox(on); });
    // Ticked by the player, "FX" takes "Basic Doom" with it and "Core
    // Effects" away; the settings put into the boxes keep their own values.
    c_.onClicked(ChkModelOpts[2], [this](bool on) {
        if (!on)
            return;
        c_.setChecked(chkMain[0], true);
        c_.setChecked(ChkModelOpts[3], false);
        applyFxBox(on);
    });
    c_.onClicked(ButPurge[0], [this](bool) { PurgeSaveGamesClick(); });
    c_.onClicked(ButPurge[1], [this](bool) { PurgeNodes(); });
    c_.onIndexChanged(cbScaler, [this](int level) { showScalingCaption(level); });
}

// "Basic Doom" plays with the original sprites: the model options, the
// model effects and the ricochets go; turned off, each comes back only where
// its packs and settings allow it.
void OptionsController::BasicDoom() {
    const bool on = c_.isChecked(chkMain[0]);
    const Settings& s = model_.settings;
    const bool effects = s.modelFx;
    if (on) {
        c_.setEnabled({FrameModel[0],   chkAltModels[0], chkAltModels[1],  chkAltModels[2],
                       chkAltModels[3], chkEffects[3],   FrameModel[1],    Smoke[0],
                       Smoke[1],        GunSmoke,        ChkModelOpts[1],  ChkModelOpts[3],
                       ChkModelOpts[2], chkSound[2],     chkSound[7],      RicoButton[0],
                       RicoButton[1],   Ricotext,        GraphicFrames[1], cbScaler,
                       TexLabel[0]},
                      false);
        c_.setChecked(ChkModelOpts[3], false);
        c_.setEnabled({GraphicFrames[4], chkEffects[0], chkEffects[2]}, effects);
    } else {
        c_.setEnabled({GraphicFrames[4], chkEffects[0], chkEffects[2]}, true);
        const bool models = !s.coreEffects && model_.content.modelPack1;
        enableModelEffects(models);
        c_.setEnabled({GraphicFrames[1], cbScaler, TexLabel[0], chkEffects[3]}, models);
        enableAltModelsByPackFiles();
        c_.setEnabled(FrameModel[0], model_.content.modelPack1);
        c_.setEnabled(ChkModelOpts[2], true);
        c_.setEnabled(ChkModelOpts[3], true);
        if (s.coreEffects)
            DisableModels(true);
        else
            c_.setEnabled(ChkModelOpts[1], true);
        if (effects)
            CoreEffects();
        if (!c_.isChecked(chkSound[0])) {
            c_.setEnabled(chkSound[2], true);
            c_.setEnabled(chkSound[7], !effects);
            c_.setEnabled({Ricotext, RicoButton[0], RicoButton[1]}, c_.isChecked(chkSound[2]));
        }
    }
    BasicDoomGrey();
}

void OptionsController::applyFxBox(bool on) {
    model_.settings.modelFx = on;
    if (c_.isChecked(chkMain[0]))
        c_.setEnabled({GraphicFrames[4], chkEffects[0], chkEffects[2]}, on);
    BasicDoomGrey();
}

// "Core Effects" switched by the user.
void OptionsController::applyCoreEffectsBox(bool on) {
    model_.settings.coreEffects = on;
    if (on) {
        c_.setChecked(chkMain[0], false);
        c_.setEnabled(chkMain[0], false);
        c_.setEnabled({GraphicFrames[1], cbScaler, TexLabel[0], ChkModelOpts[1], chkEffects[3],
                       ChkModelOpts[2]},
                      false);
        c_.setChecked(ChkModelOpts[2], false);
        DisableModels(true);
    } else {
        c_.setEnabled({chkMain[0], ChkModelOpts[1], ChkModelOpts[2]}, true);
        c_.setEnabled({GraphicFrames[1], cbScaler, TexLabel[0], chkEffects[3]},
                      model_.content.modelPack1);
        // What "Core Effects" took away comes back where the packs allow it.
        DisableModels(false);
    }
    RefreshModelPacks();
}

// The core effects replace the model packs' effects and alternative models.
void OptionsController::DisableModels(bool on) {
    if (on) {
        c_.setEnabled(
            {FrameModel[0], chkAltModels[0], chkAltModels[1], chkAltModels[2], chkAltModels[3]},
            false);
        enableModelEffects(false);
        return;
    }
    const bool pack1 = model_.content.modelPack1;
    enableModelEffects(pack1);
    enableAltModelsByPackFiles();
    c_.setEnabled(FrameModel[0], pack1);
    c_.setEnabled({ChkModelOpts[1], ChkModelOpts[2], ChkModelOpts[3]}, true);
}

// With the effects setting on: the ricochets and the model scaling need the
// core effects files; without them the model packs are out of play as well.
void OptionsController::CoreEffects() {
    const bool pack1 = model_.content.modelPack1;
    if (!packs_.coreEffectsFiles) {
        c_.setEnabled({chkSound[2], Ricotext, RicoButton[0], RicoButton[1], GraphicFrames[1],
                       cbScaler, TexLabel[0], FrameModel[0], chkAltModels[0], chkAltModels[1],
                       chkAltModels[2], chkAltModels[3]},
                      false);
        return;
    }
    if (!c_.isChecked(chkSound[0])) {
        c_.setEnabled(chkSound[2], true);
        c_.setEnabled({Ricotext, RicoButton[0], RicoButton[1]}, c_.isChecked(chkSound[2]));
    }
    const bool scaling = pack1 && !model_.settings.coreEffects;
    c_.setEnabled({GraphicFrames[1], cbScaler, TexLabel[0]}, scaling);
    if (!scaling)
        enableModelEffects(false);
    enableAltModelsByPackFiles();
}

void OptionsController::enableAltModelsByPackFiles() {
    const auto packFiles = altModelFilesPresent(paths_);
    for (std::size_t i = 0; i < packFiles.size(); ++i)
        c_.setEnabled(chkAltModels[static_cast<int>(i)], packFiles[i]);
}

// The model effects frame with the gun smoke; the smoke kinds only while
// the gun smoke is on.
void OptionsController::enableModelEffects(bool on) {
    c_.setEnabled({FrameModel[1], GunSmoke}, on);
    c_.setEnabled({Smoke[0], Smoke[1]}, on && c_.isChecked(GunSmoke));
}

bool OptionsController::texturesUsable() const {
    return checkTexturePath(paths_.root, model_.settings.texturePath, model_.texFormFolderText)
        .usable;
}

bool OptionsController::scriptedMapSelected() const {
    return model_.gameSelection.manualGame &&
           scriptedMapInstalled(paths_, model_.gameSelection.manualGameName);
}

// The high-resolution patches and textures where their folders are usable;
// the skyboxes where they are installed, their kinds while they are on.
void OptionsController::enableHighResGraphics(bool detailTextures) {
    if (c_.isChecked(chkMain[1]))
        c_.setEnabled(chkGraphics[2], false);
    else if (detailTextures)
        c_.setEnabled(chkGraphics[2], model_.content.detailTexturesAvailable);
    c_.setEnabled(chkGraphics[4], checkPatches(paths_.root, model_.settings.texturePath).usable);
    c_.setEnabled(chkMain[1], texturesUsable());
    c_.setEnabled(chkGraphics[3], model_.content.skyboxesAvailable);
    c_.setEnabled({SkyOpt[0], SkyOpt[1]},
                  c_.isEnabled(chkGraphics[3]) && c_.isChecked(chkGraphics[3]));
}

// The high-resolution graphics with "Basic Doom": only detail textures,
// unless the effects setting keeps the rest.
void OptionsController::BasicDoomGrey() {
    const bool basic = c_.isChecked(chkMain[0]) && !model_.settings.modelFx;
    if (basic) {
        c_.setEnabled(chkGraphics[2], model_.content.detailTexturesAvailable);
        c_.setEnabled({chkGraphics[3], chkGraphics[4], chkMain[1], SkyOpt[0], SkyOpt[1]}, false);
        return;
    }
    enableHighResGraphics(false);
}

// After a selection: a scripted map of the maker uses its own graphics.
void OptionsController::GreyHiresFrame() {
    if (c_.isChecked(chkMain[0]))
        return;
    if (scriptedMapSelected()) {
        c_.setEnabled({GraphicFrames[5], chkGraphics[2], chkGraphics[3], chkGraphics[4], chkMain[1],
                       SkyOpt[0], SkyOpt[1]},
                      false);
        return;
    }
    c_.setEnabled(GraphicFrames[5], true);
    enableHighResGraphics(true);
}

// A scripted map of the maker brings its own sprites: "Basic Doom" and the
// effects setting are unavailable (their checked states come back after).
void OptionsController::KillSpriteOptions() {
    for (ControlId box : {chkMain[0], ChkModelOpts[1], ChkModelOpts[2], ChkModelOpts[3],
                          chkEffects[0], chkEffects[2]}) {
        const Controls::Quiet quiet(c_, box);
        c_.setEnabled(box, false);
    }
    c_.setEnabled(GraphicFrames[4], false);
}

void OptionsController::RestoreSpriteOptions() {
    // The base pack's flame models stand in for the sprite options.
    if (ci::isFile(paths_.modelDefsFolder + "FlameModels.ded")) {
        c_.setEnabled(chkMain[0], true);
        return;
    }
    const Settings& s = model_.settings;
    c_.setEnabled(chkMain[0], !s.coreEffects && !s.modelFx);
    c_.setEnabled(ChkModelOpts[3], true);
    if (!s.coreEffects)
        c_.setEnabled({ChkModelOpts[1], ChkModelOpts[2]}, true);
    if (!c_.isChecked(ChkModelOpts[3]))
        c_.setEnabled(ChkModelOpts[2], true);
    c_.setEnabled({GraphicFrames[4], chkEffects[0], chkEffects[2]}, true);
    if (c_.isChecked(chkMain[0]))
        BasicDoom();
    if (s.modelFx)
        CoreEffects();
}

// The option rules run once after the settings are restored, so that what
// is available matches the stored values.
void OptionsController::applyOptionRules() {
    c_.setEnabled(chkGraphics[2],
                  !c_.isChecked(chkMain[1]) && model_.content.detailTexturesAvailable);
    applyEditMode(c_.isChecked(chkMain[5]));
    applyNoMonsters(c_.isChecked(chkMain[6]));
    c_.setEnabled({Timeout, butLeft2, butRight2}, c_.isChecked(ChkGL));
    if (c_.isEnabled(chkGraphics[3]))
        c_.setEnabled({SkyOpt[0], SkyOpt[1]}, c_.isChecked(chkGraphics[3]));
    c_.setVisible(TexPathLabel, c_.isChecked(chkKRVOpts[2]));
    if (listener_.textureRelocationChanged)
        listener_.textureRelocationChanged(c_.isChecked(chkKRVOpts[2]));
    c_.setEnabled({Ricotext, RicoButton[0], RicoButton[1]}, c_.isChecked(chkSound[2]));
    applySoundRules();
    BasicDoom();
}

void OptionsController::stepCorpseFade(int step) {
    const int seconds = stepNumber(Corpse, step, 0, 9);
    model_.settings.corpseFadeSeconds = seconds;
    if (seconds > 0) {
        c_.setEnabled(chkKRVOpts[3], !c_.isChecked(chkMain[6]));
        c_.setText(chkKRVOpts[3], "Resurrect corpses with fade");
        c_.setText(TexLabel[1], "Seconds before corpses fade");
        c_.setColour(Corpse, std::nullopt);
    } else {
        c_.setChecked(chkKRVOpts[3], false);
        c_.setEnabled(chkKRVOpts[3], false);
        c_.setText(TexLabel[1], "No corpse fade");
    }
}

void OptionsController::stepGrenadeDelay(int step) {
    const int delay = stepNumber(Timeout, step, 0, 7);
    model_.settings.grenadeTimer = delay;
    c_.setText(ChkGL, delay > 0 ? "Grenade launcher" : "Pipebomb launcher");
}

void OptionsController::applyEditMode(bool on) {
    c_.setEnabled(chkMain[4], on);
    c_.setEnabled(chkMain[3], on);
    if (listener_.editModeChanged)
        listener_.editModeChanged(on);
}

void OptionsController::applyNoMonsters(bool on) {
    c_.setEnabled({chkKRVOpts[5], chkKRVOpts[6], chkKRVOpts[7], chkKRVOpts[8], Corpse, butleft,
                   butRight, GraphicFrames[3], TexLabel[1]},
                  !on);
    const std::optional<int> seconds = wholeNumberIn(c_.text(Corpse));
    c_.setEnabled(chkKRVOpts[3], !on && seconds && *seconds > 0);
    const bool zombies = model_.content.modelPack1 && altModelFilesPresent(paths_)[PistolZombies] &&
                         !model_.settings.coreEffects && !model_.settings.modelFx;
    c_.setEnabled(chkAltModels[0], !on && zombies);
}

// "Disable sound" and "Disable music", and the playlist controls they rule.
void OptionsController::applySoundRules() {
    SoundSwitches on;
    on.soundOff = c_.isChecked(chkSound[0]);
    on.basicDoom = c_.isChecked(chkMain[0]);
    on.sound3d = c_.isChecked(chkSound[3]);
    on.ricochets = c_.isChecked(chkSound[2]);
    const SoundAvailability allowed =
        soundAvailability(on, ci::isFile(paths_.root + "/data/pk_doom_sfx.wad"));
    for (int i = 1; i < 11; ++i)
        c_.setEnabled(chkSound[i], allowed.boxes[static_cast<std::size_t>(i)]);
    c_.setEnabled({cbChannels, ChannelsLabel}, allowed.channels);
    c_.setEnabled({Ricotext, RicoButton[0], RicoButton[1]}, allowed.ricochetValue);
    if (listener_.soundRulesApplied)
        listener_.soundRulesApplied();
}

// The model packs found now and what their options may do with the chosen
// game: the pack frame's caption or the advice, and the model options.
void OptionsController::RefreshModelPacks() {
    ModelControls current;
    for (int i = 0; i < 4; ++i)
        current.altModels[static_cast<std::size_t>(i)] = {c_.isEnabled(chkAltModels[i]),
                                                          c_.isChecked(chkAltModels[i])};
    for (int i = 1; i < 4; ++i)
        current.modelOpts[static_cast<std::size_t>(i)] = {c_.isEnabled(ChkModelOpts[i]),
                                                          c_.isChecked(ChkModelOpts[i])};
    current.packFrameEnabled = c_.isEnabled(FrameModel[0]);
    const ModelRefresh refresh =
        refreshModelPacks(paths_, packs_, model_.mainWad, current, model_.settings);
    packs_ = refresh.packs;
    model_.content.modelPack1 = packs_.pack1;
    c_.setVisible(ModFrame, refresh.frame.adviceShown);
    if (refresh.frame.caption)
        c_.setText(FrameModel[0], *refresh.frame.caption);
    // The states are applied as they are; the options' own reactions must
    // not run on them again.
    const auto apply = [this](ControlId box, const BoxState& state) {
        const Controls::Quiet quiet(c_, box);
        c_.setEnabled(box, state.enabled);
        c_.setChecked(box, state.checked);
    };
    for (int i = 0; i < 4; ++i)
        apply(chkAltModels[i], refresh.controls.altModels[static_cast<std::size_t>(i)]);
    for (int i = 1; i < 4; ++i)
        apply(ChkModelOpts[i], refresh.controls.modelOpts[static_cast<std::size_t>(i)]);
    c_.setEnabled(FrameModel[0], refresh.controls.packFrameEnabled);
}

void OptionsController::prepareModelOptions() {
    Settings& s = model_.settings;
    ContentState& content = model_.content;
    packs_ = krv::detectModelPacks(paths_);
    content.modelPack1 = packs_.pack1;
    content.scriptedMapModels = hasScriptedModels(paths_);
    // Known before the games list restores its selection, whose rules read it.
    content.skyboxesAvailable = ci::isFolder(paths_.root + "/data/Skyboxes");
    const bool smokeKinds = s.gunSmoke && content.modelPack1 && !s.basicDoom;
    c_.setEnabled(Smoke[0], smokeKinds);
    c_.setEnabled(Smoke[1], smokeKinds);
    content.quilspackFolder.clear();
    if (ci::isFile(paths_.root + "/Md2/Quilspack/quilspack.wad"))
        content.quilspackFolder = paths_.root + "/md2/Quilspack";
    if (content.quilspackFolder.empty()) {
        s.quilspackWeapons = false;
        s.quilspackAltWeapons = false;
    }
    // "Extra FX" needs the base model pack and its definitions; the pack
    // detection marks them when model packs are installed.
    c_.setEnabled(chkEffects[3], content.extraFxAvailable && content.modelPack1);
    applyPackAvailability();
}

// Options that load files of packs the user may not have installed are
// offered only when those files exist, so that a launch never names one
// that is missing.
// (The sound pack's box follows the sound rules, which run with the option
// rules once the controls hold the settings.)
void OptionsController::applyPackAvailability() {
    enableAltModelsByPackFiles();
    if (model_.settings.basicDoom)
        c_.setEnabled({chkAltModels[0], chkAltModels[1], chkAltModels[2], chkAltModels[3]}, false);
}

void OptionsController::setSettingCaptions() {
    if (model_.settings.corpseFadeSeconds == 0)
        c_.setText(chkKRVOpts[3], "No corpse fade");
    if (model_.settings.grenadeTimer == 0)
        c_.setText(ChkGL, "Pipebomb launcher");
}

std::optional<std::string> OptionsController::chooseCustomDefinition() {
    ensureCustomDefsFolder(paths_);
    const auto chosen = platform_.openFile(
        {"DED Files", "DED Files (*.ded)", ci::resolveForWrite(paths_.customDefsFolder).string()});
    if (!chosen)
        return std::nullopt;
    // The Quilspack's own definitions come with its options.
    auto entry = customDefinitionEntry(paths_, *chosen);
    if (!entry)
        platform_.showMessage(kQuilsDefsWarning, msg::kExclamation, kQuilsDefsWarningTitle);
    return entry;
}

void OptionsController::texturesUnavailable() {
    c_.setChecked(chkMain[1], false);
    model_.settings.highResTextures = false;
}

OptionBoxes OptionsController::availableBoxes() const {
    OptionBoxes boxes;
    for (const BoxControl& entry : optionBoxControls())
        boxes.*entry.box = c_.isEnabled(entry.controls.front());
    return boxes;
}

void OptionsController::applyAvailableBoxes(const OptionBoxes& boxes) {
    for (const BoxControl& entry : optionBoxControls())
        for (ControlId control : entry.controls)
            c_.setEnabled(control, boxes.*entry.box);
}

void OptionsController::showTextureLocation(const std::string& text) {
    c_.setText(TexPathLabel, text);
}

void OptionsController::noteSkyboxes() {
    if (!model_.content.skyboxesAvailable)
        c_.setEnabled({chkGraphics[3], SkyOpt[0], SkyOpt[1]}, false);
}

void OptionsController::showCorpseFadeUnavailable() {
    c_.setColour(Corpse, kUnavailableNumber);
    c_.setChecked(chkKRVOpts[3], false);
    c_.setEnabled(chkKRVOpts[3], false);
}

void OptionsController::setGrenadeControlsEnabled(bool on) {
    c_.setEnabled(ChkGL, on);
    c_.setEnabled({Timeout, butLeft2, butRight2}, on && c_.isChecked(ChkGL));
}

void OptionsController::runGraphicsCheck() {
    if (c_.isChecked(chkMain[0]) || scriptedMapSelected())
        return;
    Settings& s = model_.settings;
    const TexturePathAnswer texture =
        checkTexturePath(paths_.root, s.texturePath, model_.texFormFolderText);
    s.texturePath = texture.path;
    model_.texFormFolderText = texture.shownText;
    OptionBoxes boxes = availableBoxes();
    applyGraphicsAvailability(paths_.root, {ci::isFile, ci::isFolder}, texture.usable, boxes);
    applyAvailableBoxes(boxes);
    if (!texture.usable)
        c_.setText(TexPathLabel, kTexturePathInvalid);
}

void OptionsController::runSoundPackCheck() {
    if (!c_.isChecked(chkMain[0]) && !c_.isChecked(chkSound[0]) &&
        ci::isFile(paths_.root + "/data/pk_doom_sfx.wad"))
        c_.setEnabled(chkSound[6], true);
}

void OptionsController::showScalingCaption(int level) {
    const char* caption = "";
    if (level == 0)
        caption = "No scaling - best quality";
    else if (level == 1)
        caption = "Minimum scaling";
    else if (level == 4)
        caption = "Maximum scaling";
    c_.setText(TexLabel[0], caption);
}

void OptionsController::CleanupModelPacksConfirmed() {
    if (!cleanupConfirmationRemoved(paths_.dataFolder) && !platform_.confirmCleanup())
        return;
    deleteModelPacks(paths_, {true, true, true}, packs_);
    RefreshModelPacks();
    platform_.showMessage(
        "Important: Close down the launcher before re-installing any model packs.    ",
        msg::kInformation, " Cleanup Completed");
}

void OptionsController::PurgeSaveGamesClick() {
    const int answer = platform_.showMessage(
        "  This is a quick method of removing all previously saved games.        \r\n\r\n"
        "                          Do you wish to continue?",
        msg::kYesNoQuestion, " Purge all savegames ");
    if (answer != msg::kResultYes)
        return;
    PurgeSaveGames();
    if (listener_.saveGamesPurged)
        listener_.saveGamesPurged();
}

void OptionsController::PurgeSaveGames() {
    purgeSaveGames(paths_);
}

void OptionsController::PurgeNodes() {
    const int answer =
        platform_.showMessage("This is a quick method of removing all nodes that have      \r\n"
                              "    previously been built with maps you have played.       \r\n\r\n"
                              "                  Do you wish to continue?",
                              msg::kYesNoQuestion, " Delete all saved nodes");
    if (answer == msg::kResultYes)
        purgeNodes(paths_);
}

// The settings into the boxes, in the order their reactions need.
void OptionsController::settingsToControls(const Settings& s) {
    for (const SwitchBox& entry : switchBoxes())
        c_.setChecked(entry.box, s.*entry.setting);
    showNumber(c_, cbChannels, s.audioChannels);
    c_.setCurrentIndex(
        cbScaler,
        std::clamp(s.textureScaling, 0, static_cast<int>(c_.state(cbScaler).entries.size()) - 1));
    showScalingCaption(c_.currentIndex(cbScaler));
    c_.setText(Corpse, std::to_string(s.corpseFadeSeconds));
    c_.setText(Ricotext, std::to_string(s.ricochetValue));
    c_.setText(Timeout, std::to_string(s.grenadeTimer));
    checkOnly(c_, SkyOpt, 2, s.skyboxKind);
    checkOnly(c_, Smoke, 2, s.smokeKind);
}

void OptionsController::controlsToSettings(Settings& s) const {
    const auto spareOn = [this](int i) {
        return c_.isEnabled(chkSound[i]) && c_.isChecked(chkSound[i]);
    };
    for (const SwitchBox& entry : switchBoxes()) {
        if (entry.storing == Storing::WhileEnabled && !c_.isEnabled(entry.box))
            continue;
        s.*entry.setting = entry.storing == Storing::SpareSound ? spareOn(7) && spareOn(8)
                                                                : c_.isChecked(entry.box);
    }
    s.audioChannels = numberInText(c_.currentText(cbChannels));
    s.textureScaling = numberInText(c_.currentText(cbScaler));
    s.corpseFadeSeconds = numberInText(c_.text(Corpse));
    s.ricochetValue = numberInText(c_.text(Ricotext));
    s.grenadeTimer = numberInText(c_.text(Timeout));
    s.skyboxKind = checkedIndex(c_, SkyOpt, 2, s.skyboxKind);
    s.smokeKind = checkedIndex(c_, Smoke, 2, s.smokeKind);
}

} // namespace krv
