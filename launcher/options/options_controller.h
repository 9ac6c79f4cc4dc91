#pragma once
// The option tabs' behaviour on the session model: the rules that make an
// option available only together with the options and packs it depends on,
// the number boxes and their steps, the settings carried into the boxes and
// back, and the Models tab's maintenance. No widget is read or changed here;
// the option panels draw what the model says.

#include "launcher/launch/compose_types.h"
#include "launcher/options/model_packs.h"
#include "launcher/platform/platform.h"
#include "launcher/session/session_model.h"
#include "launcher/startup/install_paths.h"

#include <functional>
#include <optional>
#include <string>

namespace krv {

// What the other parts of the window follow of the option tabs.
struct OptionsListener {
    // "Edit  mode" switched: the window shows its log button and the edit
    // light box follows.
    std::function<void(bool)> editModeChanged;
    // "Allow hi-res relocation" switched: the texture location button follows.
    std::function<void(bool)> textureRelocationChanged;
    // The sound rules ran: the playlists follow them.
    std::function<void()> soundRulesApplied;
    // Every saved game is gone.
    std::function<void()> saveGamesPurged;
};

class OptionsController {
public:
    // Declares the tabs' controls in the model; `musicFrame` holds the
    // playlist modes of the Sound tab.
    OptionsController(SessionModel& model, const InstallPaths& paths, Platform& platform,
                      ControlId musicFrame);
    void setListener(OptionsListener listener) { listener_ = std::move(listener); }

    // Load steps: the model packs and the options that need them, before
    // the controls hold the settings; the rules once they do; the captions
    // that follow the settings; the skybox options without skyboxes.
    void prepareModelOptions();
    void applyOptionRules();
    void setSettingCaptions();
    void noteSkyboxes();
    // The settings into the tabs' boxes; and the settings the boxes hold,
    // taken into `s` by each box's storing rule.
    void settingsToControls(const Settings& s);
    void controlsToSettings(Settings& s) const;
    // The corpse-fade seconds the settings file could not hold.
    void showCorpseFadeUnavailable();

    // "Basic Doom" and what it takes away.
    void BasicDoom();
    void BasicDoomGrey();
    // "Core Effects" replaces the model packs' effects; the effects setting
    // without the core effects files leaves the engine's own.
    void DisableModels(bool on);
    void CoreEffects();
    // After a selection: a scripted map of the maker uses its own graphics
    // and sprites.
    void GreyHiresFrame();
    void KillSpriteOptions();
    void RestoreSpriteOptions();
    // A map that has no grenades takes the grenade launcher away.
    void setGrenadeControlsEnabled(bool on);
    void RefreshModelPacks();
    // The Graphics and Sound tabs check what is installed when chosen.
    void runGraphicsCheck();
    void runSoundPackCheck();
    // The high-resolution textures are no longer usable.
    void texturesUnavailable();

    // Which of the boxes a launch may use are available, both ways.
    OptionBoxes availableBoxes() const;
    void applyAvailableBoxes(const OptionBoxes& boxes);
    // Where the high-resolution textures are, as the Graphics tab shows it.
    void showTextureLocation(const std::string& text);

    // Asks for a definition file ("DED Files") and answers its entry; the
    // Quilspack's own files are refused with a warning.
    std::optional<std::string> chooseCustomDefinition();
    // The Models tab's maintenance.
    void CleanupModelPacksConfirmed();
    void PurgeSaveGamesClick();
    void PurgeSaveGames();
    void PurgeNodes();

private:
    void connectRules();
    void applyPackAvailability();
    void stepCorpseFade(int step);
    void stepGrenadeDelay(int step);
    int stepNumber(ControlId box, int step, int low, int high);
    void applyEditMode(bool on);
    void applyNoMonsters(bool on);
    void applySoundRules();
    void applyCoreEffectsBox(bool on);
    void applyFxBox(bool on);
    void enableAltModelsByPackFiles();
    void enableModelEffects(bool on);
    void enableHighResGraphics(bool detailTextures);
    bool texturesUsable() const;
    bool scriptedMapSelected() const;
    void showScalingCaption(int level);

    SessionModel& model_;
    Controls& c_;
    const InstallPaths& paths_;
    Platform& platform_;
    OptionsListener listener_;
    ModelPackState packs_; // the model packs found
};

} // namespace krv
