// Model packs: the markers on disk, the pack frame, which model options the
// packs and the chosen game allow, the removal of packs and the entries of
// custom definition files.

#include "launcher/options/model_packs.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace krv {
namespace {

namespace fs = std::filesystem;
using test::writeFile;

class ModelPacksOnDisk : public ::testing::Test {
protected:
    void put(const std::string& rel) const { writeFile(dir / rel, "x"); }
    void folder(const std::string& rel) const { fs::create_directories(dir / rel); }
    bool has(const std::string& rel) const { return fs::exists(dir / rel); }

    void installPack1() const {
        put("Md2/HudWeapons/SuperShotgun/db-shells.md2");
        for (const char* f : {"Decorations", "Flames", "Items", "Marine", "Nature", "Spheres",
                              "Splashes", "Tech", "Weapons", "Lod/Common", "Lod/Standard",
                              "Monsters/Imp", "Monsters/Soldiers2", "Monsters/SSdude"})
            put(std::string("Md2/") + f + "/model.md2");
        put("Md2/Monsters/skins.png");
        put("Defs/Model/HudWeapons.ded");
        put("Defs/Model/lod-grenade.ded");
        put("Defs/Custom/Orrin's pistol packing zombies.ded");
    }
    void installPack2() const {
        put("Md2/Brasken/Gore/Gore6.dmd");
        put("Md2/Lod/Enhanced/model.md2");
        put("Defs/Model/Brasken/HudWeapons.ded");
        put("Defs/Custom/Brasken pistol packing zombies.ded");
    }
    void installQuilspack() const {
        put("Md2/Quilspack/AK47/AK47.md2");
        put("Md2/Quilspack/quilspack.wad");
        put("Defs/Model/Quilspack/Fullpack.ded");
    }

    test::TempDir dir;
    InstallPaths paths = InstallPaths::fromRoot(dir.path().string());
};

// --- markers and the pack frame ---

using ModelPacksDetection = ModelPacksOnDisk;

TEST_F(ModelPacksDetection, AnEmptyInstallationHasNoPackAndShowsTheAdvice) {
    const ModelPackState packs = detectModelPacks(paths);
    EXPECT_FALSE(packs.pack1 || packs.pack2 || packs.quilspack || packs.coreEffectsFiles);
    const PackFrameView frame = packFrameView(packs);
    EXPECT_TRUE(frame.adviceShown);
    EXPECT_FALSE(frame.caption.has_value());
}

TEST_F(ModelPacksDetection, MarkersAreFoundWithoutRegardToCase) {
    put("md2/hudweapons/supershotgun/DB-SHELLS.MD2");
    put("md2/brasken/gore/gore6.DMD");
    put("md2/quilspack/ak47/ak47.md2");
    put("md2/quilspack/Quilspack.WAD");
    folder("md2/coreeffects");
    put("defs/base/coreeffects.DED");
    const ModelPackState packs = detectModelPacks(paths);
    EXPECT_TRUE(packs.pack1);
    EXPECT_TRUE(packs.pack2);
    EXPECT_TRUE(packs.quilspack);
    EXPECT_TRUE(packs.coreEffectsFiles);
}

TEST_F(ModelPacksDetection, QuilspackAndCoreEffectsNeedBothTheirParts) {
    put("Md2/Quilspack/AK47/AK47.md2");
    folder("Md2/CoreEffects");
    EXPECT_FALSE(quilspackInstalled(paths));
    EXPECT_FALSE(coreEffectsFilesInstalled(paths));
    put("Md2/Quilspack/quilspack.wad");
    put("Defs/Base/CoreEffects.ded");
    EXPECT_TRUE(quilspackInstalled(paths));
    EXPECT_TRUE(coreEffectsFilesInstalled(paths));
    // A file where the effects folder belongs is no folder.
    fs::remove_all(dir / "Md2/CoreEffects");
    put("Md2/CoreEffects");
    EXPECT_FALSE(coreEffectsFilesInstalled(paths));
}

TEST_F(ModelPacksDetection, ARefreshRetestsOnlyPack2AndTheCoreEffects) {
    ModelPackState packs = detectModelPacks(paths);
    installPack1();
    installPack2();
    installQuilspack();
    retestRefreshMarkers(paths, packs);
    EXPECT_FALSE(packs.pack1);
    EXPECT_FALSE(packs.quilspack);
    EXPECT_TRUE(packs.pack2);
    fs::remove(dir / "Md2/Brasken/Gore/Gore6.dmd");
    retestRefreshMarkers(paths, packs);
    EXPECT_FALSE(packs.pack2);
}

TEST(ModelPacksFrame, CaptionNamesThePacksBesidePack1) {
    auto caption = [](bool pack2, bool quilspack) {
        const PackFrameView frame = packFrameView({true, pack2, quilspack, true});
        EXPECT_FALSE(frame.adviceShown);
        return frame.caption.value_or("(none)");
    };
    EXPECT_EQ(caption(false, false), " Model pack 1 installed ");
    EXPECT_EQ(caption(true, false), " Model packs 1 and 2 installed ");
    EXPECT_EQ(caption(false, true), " Model pack 1 and Quilspack installed ");
    EXPECT_EQ(caption(true, true), " All model packs installed ");
    // Without pack 1 the other packs are of no use: the advice is shown.
    EXPECT_TRUE(packFrameView({false, true, true, true}).adviceShown);
}

// --- availability of the model options ---

ModelControls allEnabledAndChecked() {
    ModelControls c;
    for (BoxState& box : c.altModels)
        box = {true, true};
    for (BoxState& box : c.modelOpts)
        box = {true, false};
    return c;
}

Settings modelSettings() {
    Settings s;
    s.braskenQuilsModels = true;
    s.braskenPistolZombies = true;
    s.quilspackWeapons = true;
    s.quilspackAltWeapons = true;
    return s;
}

struct Availability {
    ModelControls controls = allEnabledAndChecked();
    Settings settings = modelSettings();

    Availability& run(const ModelPackState& packs, const ChosenGameFacts& game = {}) {
        applyModelAvailability(packs, game, settings, controls);
        return *this;
    }
    bool enabled(AltModel option) const { return controls.altModels[option].enabled; }
};

const ModelPackState kPack1Only{true, false, false, true};
const ModelPackState kAllPacks{true, true, true, true};

TEST(ModelPacksAvailability, OnlyPack1WithholdsTheQuilspackAndReplacementOptions) {
    Availability a;
    a.run(kPack1Only);
    EXPECT_FALSE(a.enabled(QuilspackWeapons));
    EXPECT_FALSE(a.enabled(QuilspackAltWeapons));
    EXPECT_FALSE(a.enabled(Replacements));
    EXPECT_TRUE(a.enabled(PistolZombies));
    EXPECT_TRUE(a.controls.packFrameEnabled);
    // Disabled boxes keep their settings for when the packs come.
    EXPECT_TRUE(a.settings.quilspackWeapons);
    EXPECT_TRUE(a.settings.braskenQuilsModels);
}

TEST(ModelPacksAvailability, OfferedButUncheckedOptionsLoseTheirSettings) {
    Availability a;
    a.controls.altModels[QuilspackAltWeapons].checked = false;
    a.controls.altModels[Replacements].checked = false;
    a.run(kAllPacks);
    EXPECT_TRUE(a.enabled(QuilspackWeapons));
    EXPECT_TRUE(a.enabled(QuilspackAltWeapons));
    EXPECT_TRUE(a.enabled(Replacements));
    EXPECT_TRUE(a.settings.quilspackWeapons);
    EXPECT_FALSE(a.settings.quilspackAltWeapons);
    EXPECT_FALSE(a.settings.braskenQuilsModels);
    // The pistol zombies belong to the replacements.
    EXPECT_FALSE(a.enabled(PistolZombies));
}

TEST(ModelPacksAvailability, TheRocketMapWithholdsBothQuilspackOptions) {
    Availability a;
    a.run(kAllPacks, {.rocketMap = true});
    EXPECT_FALSE(a.enabled(QuilspackWeapons));
    EXPECT_FALSE(a.enabled(QuilspackAltWeapons));
    EXPECT_TRUE(a.enabled(Replacements));
}

TEST(ModelPacksAvailability, TheMakersAddOnWithholdsZombiesAndAlternativeWeapons) {
    Availability a;
    a.run(kAllPacks, {.makersAddOn = true});
    EXPECT_FALSE(a.enabled(PistolZombies));
    EXPECT_FALSE(a.enabled(QuilspackAltWeapons));
    EXPECT_FALSE(a.enabled(Replacements));
    EXPECT_TRUE(a.enabled(QuilspackWeapons));

    // The add-on's Quilspack weapons need only the Quilspack.
    Availability b;
    b.run({false, false, true, true}, {.makersAddOn = true});
    EXPECT_TRUE(b.enabled(QuilspackWeapons));
    EXPECT_FALSE(b.enabled(QuilspackAltWeapons));
}

TEST(ModelPacksAvailability, WithoutPack1TheZombiesAreUncheckedAndTheFrameDisabled) {
    Availability a;
    a.run({false, true, true, true});
    EXPECT_FALSE(a.controls.altModels[PistolZombies].enabled);
    EXPECT_FALSE(a.controls.altModels[PistolZombies].checked);
    EXPECT_FALSE(a.settings.braskenPistolZombies);
    EXPECT_FALSE(a.enabled(Replacements));
    EXPECT_FALSE(a.enabled(QuilspackWeapons));
    EXPECT_FALSE(a.controls.packFrameEnabled);
    EXPECT_FALSE(a.controls.modelOpts[NoForcedModels].enabled);
}

TEST(ModelPacksAvailability, ZombieModelMapsWithholdTheZombiesOnlyBesideBraskenGore) {
    Availability withGore;
    withGore.run(kAllPacks, {.zombieModelMap = true, .braskenGore3 = true});
    EXPECT_FALSE(withGore.enabled(PistolZombies));

    Availability withoutGore;
    withoutGore.controls.altModels[PistolZombies].enabled = false;
    withoutGore.run(kAllPacks, {.zombieModelMap = true});
    EXPECT_TRUE(withoutGore.enabled(PistolZombies));
}

TEST(ModelPacksAvailability, NoMonstersKeepsTheZombiesWithheld) {
    Availability a;
    a.settings.noMonsters = true;
    a.controls.altModels[PistolZombies].enabled = false;
    a.run(kAllPacks);
    EXPECT_FALSE(a.enabled(PistolZombies));
    EXPECT_TRUE(a.settings.braskenPistolZombies);
}

TEST(ModelPacksAvailability, MissingCoreEffectsFilesForceTheEffectsAndStop) {
    Availability a;
    a.controls.altModels[Replacements].enabled = false;
    a.run({true, true, true, false});
    EXPECT_TRUE(a.settings.modelFx);
    EXPECT_FALSE(a.controls.modelOpts[ModelFx].enabled);
    // The box shows the forced setting, so the controls taken into the
    // settings keep it.
    EXPECT_TRUE(a.controls.modelOpts[ModelFx].checked);
    // The pack rules do not run while the effects are on.
    EXPECT_FALSE(a.enabled(Replacements));

    // With "Core Effects" unavailable the effects box is offered after all.
    Availability b;
    b.controls.modelOpts[CoreEffects].enabled = false;
    b.run({true, true, true, false});
    EXPECT_TRUE(b.controls.modelOpts[ModelFx].enabled);
}

TEST(ModelPacksAvailability, CoreEffectsOrBasicDoomLeaveThePackOptionsToTheirOwnRules) {
    Availability core;
    core.settings.coreEffects = true;
    core.controls.modelOpts[CoreEffects].enabled = false;
    core.controls.altModels[QuilspackWeapons].enabled = false;
    core.controls.altModels[QuilspackAltWeapons].enabled = false;
    core.run(kAllPacks);
    EXPECT_TRUE(core.enabled(QuilspackWeapons));
    EXPECT_FALSE(core.enabled(QuilspackAltWeapons));

    Availability basic;
    basic.settings.basicDoom = true;
    basic.controls.modelOpts[CoreEffects].enabled = false;
    basic.controls.modelOpts[ModelFx].enabled = false;
    basic.run(kPack1Only);
    EXPECT_FALSE(basic.controls.modelOpts[ModelFx].enabled);
    EXPECT_TRUE(basic.enabled(Replacements));
}

TEST(ModelPacksAvailability, ChosenGameFactsFollowTheMainWad) {
    const InstallPaths paths = InstallPaths::fromRoot("/nonexistent-krv-root");
    EXPECT_TRUE(chosenGameFacts(paths, "/games/XRT LEVELS/pwads/XRTLEV.WAD").makersAddOn);
    EXPECT_FALSE(chosenGameFacts(paths, "/games/xrtlev2.wad").makersAddOn);
    EXPECT_TRUE(chosenGameFacts(paths, "rocketr.wad").rocketMap);
    EXPECT_TRUE(chosenGameFacts(paths, "/g/Hmoon.wad").zombieModelMap);
    EXPECT_FALSE(chosenGameFacts(paths, "").braskenGore3);
}

TEST_F(ModelPacksOnDisk, RefreshAnswersFrameAndControlsFromTheDisk) {
    installPack1();
    installQuilspack();
    folder("Md2/CoreEffects");
    put("Defs/Base/CoreEffects.ded");
    const ModelPackState atStart = detectModelPacks(paths);
    installPack2(); // installed while running: seen by the refresh
    Settings s = modelSettings();
    const ModelRefresh r =
        refreshModelPacks(paths, atStart, "/g/Rocketr.wad", allEnabledAndChecked(), s);
    EXPECT_TRUE(r.packs.pack2);
    EXPECT_EQ(r.frame.caption.value_or(""), " All model packs installed ");
    EXPECT_TRUE(r.controls.altModels[Replacements].enabled);
    EXPECT_FALSE(r.controls.altModels[QuilspackWeapons].enabled);
}

TEST_F(ModelPacksOnDisk, AlternativeModelFilesAreTestedOneByOne) {
    EXPECT_EQ(altModelFilesPresent(paths), (std::array<bool, 4>{}));
    folder("md2/monsters/imp");
    put("defs/model/quilspack/alternative.ded");
    EXPECT_EQ(altModelFilesPresent(paths), (std::array<bool, 4>{true, false, true, false}));
    put("defs/model/quilspack/FULLPACK.ded");
    put("md2/brasken/gore/HANG1.jpg");
    EXPECT_EQ(altModelFilesPresent(paths), (std::array<bool, 4>{true, true, true, true}));
}

// --- removal ---

using ModelPacksRemoval = ModelPacksOnDisk;

TEST_F(ModelPacksRemoval, RemovingPack1BesidePack2KeepsTheEnhancedLod) {
    installPack1();
    installPack2();
    put("Md2/shiny.png");
    put("Defs/Custom/mine.ded");
    put("Defs/Model/Other.ded");
    ModelPackState packs = detectModelPacks(paths);
    EXPECT_TRUE(deleteModelPacks(paths, {.pack1 = true}, packs).empty());
    EXPECT_FALSE(packs.pack1);
    EXPECT_TRUE(packs.pack2);
    for (const char* gone :
         {"Md2/HudWeapons", "Md2/Decorations", "Md2/Lod/Common", "Md2/Lod/Standard", "Md2/Monsters",
          "Defs/Model/HudWeapons.ded", "Defs/Model/lod-grenade.ded",
          "Defs/Custom/Orrin's pistol packing zombies.ded"})
        EXPECT_FALSE(has(gone)) << gone;
    for (const char* kept :
         {"Md2/Lod/Enhanced/model.md2", "Md2/Brasken/Gore/Gore6.dmd", "Md2/shiny.png",
          "Defs/Custom/mine.ded", "Defs/Model/Other.ded", "Defs/Model/Brasken/HudWeapons.ded",
          "Defs/Custom/Brasken pistol packing zombies.ded"})
        EXPECT_TRUE(has(kept)) << kept;
}

TEST_F(ModelPacksRemoval, RemovingPack2BesidePack1KeepsTheStandardLod) {
    installPack1();
    installPack2();
    ModelPackState packs = detectModelPacks(paths);
    deleteModelPacks(paths, {.pack2 = true}, packs);
    EXPECT_FALSE(packs.pack2);
    EXPECT_TRUE(packs.pack1);
    EXPECT_FALSE(has("Md2/Brasken"));
    EXPECT_FALSE(has("Md2/Lod/Enhanced"));
    EXPECT_FALSE(has("Defs/Model/Brasken"));
    EXPECT_FALSE(has("Defs/Custom/Brasken pistol packing zombies.ded"));
    EXPECT_TRUE(has("Md2/Lod/Standard/model.md2"));
    EXPECT_TRUE(has("Md2/HudWeapons/SuperShotgun/db-shells.md2"));
}

TEST_F(ModelPacksRemoval, RemovingEveryPackTakesTheSharedTexturesAndLod) {
    installPack1();
    installPack2();
    installQuilspack();
    put("Md2/SHINY.png");
    put("Md2/metallic.png");
    put("Md2/Xrtlev/model.md2"); // a scripted map's models are no pack's
    ModelPackState packs = detectModelPacks(paths);
    deleteModelPacks(paths, {true, true, true}, packs);
    EXPECT_FALSE(packs.pack1 || packs.pack2 || packs.quilspack);
    for (const char* gone :
         {"Md2/Lod", "Md2/Quilspack", "Defs/Model/Quilspack", "Md2/SHINY.png", "Md2/metallic.png"})
        EXPECT_FALSE(has(gone)) << gone;
    EXPECT_TRUE(has("Md2/Xrtlev/model.md2"));
    EXPECT_FALSE(detectModelPacks(paths).pack1);
}

TEST_F(ModelPacksRemoval, SharedTexturesStayWhileAPackRemainsOrNothingWasAsked) {
    installQuilspack();
    put("Md2/shiny.png");
    ModelPackState packs = detectModelPacks(paths);
    deleteModelPacks(paths, {.pack1 = true}, packs);
    EXPECT_TRUE(has("Md2/shiny.png"));
    EXPECT_TRUE(packs.quilspack);

    fs::remove_all(dir / "Md2/Quilspack");
    deleteModelPacks(paths, {}, packs);
    EXPECT_TRUE(has("Md2/shiny.png"));
}

TEST_F(ModelPacksRemoval, MissingFoldersAndFilesOfTheSameNameAreLeftAlone) {
    ModelPackState packs;
    EXPECT_TRUE(deleteModelPacks(paths, {true, true, true}, packs).empty());
    // Only folders are removed where the packs have folders.
    put("Md2/Brasken");
    put("Md2/Quilspack");
    folder("Defs/Model/HudWeapons.ded");
    deleteModelPacks(paths, {true, true, true}, packs);
    EXPECT_TRUE(fs::is_regular_file(dir / "Md2/Brasken"));
    EXPECT_TRUE(fs::is_regular_file(dir / "Md2/Quilspack"));
    EXPECT_TRUE(fs::is_directory(dir / "Defs/Model/HudWeapons.ded"));
}

// --- custom definition files ---

using ModelPacksCustomDefs = ModelPacksOnDisk;

TEST_F(ModelPacksCustomDefs, AFileInTheCustomFolderIsListedByItsBaseName) {
    put("defs/CUSTOM/mydefs.ded");
    EXPECT_EQ(customDefinitionEntry(paths, (dir / "defs/CUSTOM/mydefs.ded").string()), "mydefs");
    const std::string other = (dir / "elsewhere/other.ded").string();
    put("elsewhere/other.ded");
    EXPECT_EQ(customDefinitionEntry(paths, other), other);
    // A subfolder of the custom folder is another folder.
    const std::string nested = (dir / "Defs/Custom/sub/deep.ded").string();
    put("Defs/Custom/sub/deep.ded");
    EXPECT_EQ(customDefinitionEntry(paths, nested), nested);
}

TEST_F(ModelPacksCustomDefs, TheQuilspacksOwnFilesAreRefused) {
    for (const char* name : {".ded", "FULLPACK.DED", "alternative.ded", "Quilspack.WAD"})
        EXPECT_FALSE(customDefinitionEntry(paths, (dir / "Defs/Custom" / name).string())) << name;
    EXPECT_TRUE(customDefinitionEntry(paths, (dir / "Defs/Custom/Fullpack2.ded").string()));
}

TEST_F(ModelPacksCustomDefs, TheCustomFolderIsCreatedOnceWhateverItsCase) {
    EXPECT_TRUE(ensureCustomDefsFolder(paths));
    EXPECT_TRUE(fs::is_directory(dir / "Defs/Custom"));
    test::TempDir other;
    fs::create_directories(other / "defs/custom");
    EXPECT_TRUE(ensureCustomDefsFolder(InstallPaths::fromRoot(other.path().string())));
    EXPECT_FALSE(fs::exists(other / "Defs"));
}

} // namespace
} // namespace krv
