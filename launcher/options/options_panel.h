#pragma once
// The option tabs: Options, Graphics, the Sound tab's options and Models.
// The panel owns their controls and the rules that make an option
// available only together with the options and packs it depends on; the
// Models tab adds the model pack frame and the maintenance buttons.

#include "launcher/launch/compose_types.h"
#include "launcher/options/model_packs.h"
#include "launcher/platform/platform.h"
#include "launcher/startup/app_state.h"

#include <QObject>

#include <array>

class QCheckBox;
class QComboBox;
class QFrame;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QToolButton;
class QWidget;

namespace krv {

class OptionsPanel : public QObject {
    Q_OBJECT
public:
    // `window` parents the tab pages and the dialogs the panel opens.
    OptionsPanel(AppState& state, Platform& platform, QWidget* window);

    // The Sound tab shows the music playlists beside its options.
    void placePlaylistFrame(QWidget* frame);

    // Load steps: the model packs and the options that need them, before
    // the controls hold the settings; the rules once they do; the captions
    // that follow the settings; the skybox options without skyboxes.
    void prepareModelOptions();
    void applyOptionRules();
    void setSettingCaptions();
    void noteSkyboxes();
    // The settings into the tabs' controls and back.
    void settingsToControls(const Settings& s);
    void controlsToSettings(Settings& s);
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
    void showScalingCaption(int level);
    // The Graphics and Sound tabs check what is installed when chosen.
    void runGraphicsCheck();
    void runSoundPackCheck();

    // Which of the boxes a launch may use are available, both ways.
    OptionBoxes availableBoxes() const;
    void applyAvailableBoxes(const OptionBoxes& boxes);

    // The custom location of the high-resolution textures.
    void OpenTexForm();
    // Asks for a definition file ("DED Files") and adds its entry to `list`,
    // selected; the Quilspack's own files are refused with a warning.
    void addCustomDefinition(QListWidget* list);
    // The Models tab's maintenance.
    void CleanupModelPacks();
    void CleanupModelPacksConfirmed();
    void PurgeSaveGamesClick();
    void PurgeSaveGames();
    void PurgeNodes();

    // The pages of the tab strip.
    QFrame* optionsTab;
    QFrame* graphicsTab;
    QFrame* soundTab;
    QFrame* modelsTab;

    // Options tab
    std::array<QCheckBox*, 8> chkMain{};
    std::array<QCheckBox*, 9> chkKRVOpts{};
    QCheckBox* ChkGL;
    QLineEdit* Timeout;
    QToolButton* butLeft2;
    QToolButton* butRight2;
    QLineEdit* Corpse;
    QToolButton* butleft;
    QToolButton* butRight;
    QCheckBox* chkTesting;

    // Graphics tab
    std::array<QGroupBox*, 6> GraphicFrames{}; // 1, 3, 4 and 5 are used
    std::array<QCheckBox*, 5> chkGraphics{};
    std::array<QRadioButton*, 2> SkyOpt{};
    std::array<QCheckBox*, 4> chkEffects{};
    QCheckBox* GunSmoke;
    std::array<QRadioButton*, 2> Smoke{};
    QComboBox* cbScaler;
    std::array<QLabel*, 2> TexLabel{}; // 0 scaling caption, 1 corpse fade caption
    QLabel* TexPathLabel;

    // Sound tab
    std::array<QCheckBox*, 11> chkSound{};
    QLineEdit* Ricotext;
    std::array<QToolButton*, 2> RicoButton{};
    QComboBox* cbChannels;
    QLabel* ChannelsLabel;

    // Models tab
    std::array<QGroupBox*, 2> FrameModel{}; // 0 model packs, 1 model effects
    std::array<QCheckBox*, 4> chkAltModels{};
    std::array<QCheckBox*, 4> ChkModelOpts{}; // 1 to 3 are used
    QGroupBox* ModelOptsFrame;                // holds ChkModelOpts; never greyed as a whole
    QGroupBox* ModelDelFrame;
    QGroupBox* ModFrame; // advice while the base model pack is missing
    std::array<QLabel*, 3> ModLabel{};
    std::array<QPushButton*, 3> ButPurge{};

signals:
    // "Edit  mode" switched: the window shows its log button and the edit
    // light box follows.
    void editModeChanged(bool on);
    // "Allow hi-res relocation" switched: the texture location button follows.
    void textureRelocationChanged(bool on);
    // The sound rules ran: the playlists follow them.
    void soundRulesApplied();
    // Every saved game is gone.
    void saveGamesPurged();

private:
    void buildOptionsTab();
    void buildGraphicsTab();
    void buildSoundTab();
    void buildModelsTab();
    void connectControls();
    void applyPackAvailability();
    void stepCorpseFade(int step);
    void stepGrenadeDelay(int step);
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

    AppState& state_;
    Platform& platform_;
    QWidget* window_;
    QGridLayout* soundGrid_ = nullptr;
    ModelPackState packs_; // the model packs found
};

} // namespace krv
