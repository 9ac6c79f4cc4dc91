#pragma once
// The optional model packs under the installation root: the base pack
// (pack 1), the Brasken pack (pack 2) and the Quilspack. This finds which are
// installed, answers which model options can work with them and the chosen
// game, removes packs on request, and turns a chosen custom definition file
// into its list entry. Everything here is plain data over the installation's
// folders; the main window applies the answers to its controls.

#include "launcher/startup/install_paths.h"
#include "launcher/startup/settings.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace krv {

// Which packs are installed. Pack 1 and the Quilspack are tested once at
// start-up (a pack installed while the launcher runs needs a restart); pack 2
// and the core effects files are tested again at every refresh. The removal
// marks the packs it removed as absent.
struct ModelPackState {
    bool pack1 = false;            // the base model pack
    bool pack2 = false;            // the Brasken pack
    bool quilspack = false;        // Quils's weapon pack
    bool coreEffectsFiles = false; // "Md2/CoreEffects" and "Defs/Base/CoreEffects.ded"
};

bool basePackInstalled(const InstallPaths& paths);
bool braskenPackInstalled(const InstallPaths& paths);
bool quilspackInstalled(const InstallPaths& paths);
bool coreEffectsFilesInstalled(const InstallPaths& paths);

// Every marker tested, as at start-up.
ModelPackState detectModelPacks(const InstallPaths& paths);
// The markers a refresh tests again: pack 2 and the core effects files.
void retestRefreshMarkers(const InstallPaths& paths, ModelPackState& packs);

// The pack frame of the Models tab: without pack 1 the advice to get the
// packs is shown and the caption stays as it is.
struct PackFrameView {
    bool adviceShown = false;
    std::optional<std::string> caption; // nothing: leave the caption as it is
};
PackFrameView packFrameView(const ModelPackState& packs);

// The model option controls the refresh reads and changes.
struct BoxState {
    bool enabled = true;
    bool checked = false;
};
enum AltModel {
    PistolZombies = 0,
    QuilspackWeapons = 1,
    QuilspackAltWeapons = 2,
    Replacements = 3
};
enum ModelOpt { NoForcedModels = 1, ModelFx = 2, CoreEffects = 3 };
struct ModelControls {
    std::array<BoxState, 4> altModels; // chkAltModels, indexed by AltModel
    std::array<BoxState, 4> modelOpts; // ChkModelOpts, indexed by ModelOpt (0 unused)
    bool packFrameEnabled = true;      // FrameModel 0
};

// What the availability rules know of the chosen game and of pack 2's gore.
struct ChosenGameFacts {
    bool makersAddOn = false;    // the main WAD is the engine maker's add-on
    bool rocketMap = false;      // needs its own weapons; the Quilspack can't serve
    bool zombieModelMap = false; // brings its own zombie models
    bool braskenGore3 = false;   // "Md2/Brasken/Gore/Gore3.dmd" exists
};
ChosenGameFacts chosenGameFacts(const InstallPaths& paths, std::string_view mainWad);

// True when the base name of `mainWad` is the maker's add-on "xrtlev".
bool isMakersAddOn(std::string_view mainWad);

// Applies the availability rules to `controls`: enables and disables the
// model options that can or cannot work with the packs and the game, and
// clears the settings of options it leaves enabled but unchecked, or
// unchecks. Missing core effects files force the effects setting on and tick
// the "FX" box.
void applyModelAvailability(const ModelPackState& packs, const ChosenGameFacts& game,
                            Settings& settings, ModelControls& controls);

struct ModelRefresh {
    ModelPackState packs;
    PackFrameView frame;
    ModelControls controls;
};

// The refresh run at start-up, after a launch, after the cleanup and by the
// option handlers: re-tests the refresh markers, then answers the pack frame
// and the controls' new states for the game whose main WAD is `mainWad`
// (empty when none is chosen).
ModelRefresh refreshModelPacks(const InstallPaths& paths, const ModelPackState& packs,
                               std::string_view mainWad, const ModelControls& current,
                               Settings& settings);

// The alternative model options whose own pack files exist, indexed by
// AltModel; the option rules of the tabs enable only these.
std::array<bool, 4> altModelFilesPresent(const InstallPaths& paths);

// The packs the cleanup dialog asked to remove.
struct ModelPackRemoval {
    bool pack1 = false;
    bool pack2 = false;
    bool quilspack = false;
    bool any() const { return pack1 || pack2 || quilspack; }
};

// Removes the folders and definition files of the requested packs (each only
// when it exists) and marks those packs absent in `packs`. Returns what could
// not be removed (a file in use, say); the rest is removed regardless. The
// caller refreshes afterwards.
std::vector<std::string> deleteModelPacks(const InstallPaths& paths,
                                          const ModelPackRemoval& removal, ModelPackState& packs);

// Custom definition files.
inline constexpr const char* kCustomDefsDialogTitle = "DED Files";
inline constexpr const char* kCustomDefsFilter = "DED Files (*.ded)";
inline constexpr const char* kQuilsDefsWarningTitle = " Configuration warning";
inline constexpr const char* kQuilsDefsWarning =
    "It is not necessary to add any Quil's model defs to Global Deds, to use    \r\n"
    "  the Quil's models just enable the required option under the Misc tab.   ";

// Creates "Defs/Custom" when it is missing; true when it exists afterwards.
bool ensureCustomDefsFolder(const InstallPaths& paths);

// The definitions list entry for a chosen file: its base name when it lies
// directly in "Defs/Custom", else its full path. Nothing for the Quilspack's
// own definition files, which the Quilspack options load themselves.
std::optional<std::string> customDefinitionEntry(const InstallPaths& paths,
                                                 std::string_view chosenPath);

} // namespace krv
