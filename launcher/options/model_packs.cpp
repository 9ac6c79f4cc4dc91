#include "launcher/options/model_packs.h"

#include "launcher/inspect/iwad_registry.h"
#include "launcher/library/scripted_maps.h"

#include "common/ci_path.h"
#include "common/strings.h"

namespace krv {

namespace {

std::string md2(const InstallPaths& paths, const char* relative) {
    return paths.modelFolder + ci::nativeSeparators(relative);
}

// The file name of a path written with either separator, without extension.
std::string_view baseNameOf(std::string_view path) {
    const std::string_view name = fileNameOfPath(path);
    return name.substr(0, name.rfind('.'));
}

// Enables an option that its packs allow; one left unchecked then carries no
// stale setting into a launch.
void offerOrWithhold(bool usable, BoxState& box, bool& setting) {
    box.enabled = usable;
    if (usable && !box.checked)
        setting = false;
}

} // namespace

bool basePackInstalled(const InstallPaths& paths) {
    return ci::isFile(md2(paths, "HudWeapons/SuperShotgun/db-shells.md2"));
}

bool braskenPackInstalled(const InstallPaths& paths) {
    return ci::isFile(md2(paths, "Brasken/Gore/Gore6.dmd"));
}

bool quilspackInstalled(const InstallPaths& paths) {
    return ci::isFile(md2(paths, "Quilspack/AK47/AK47.md2")) &&
           ci::isFile(md2(paths, "Quilspack/quilspack.wad"));
}

bool coreEffectsFilesInstalled(const InstallPaths& paths) {
    return ci::isFolder(md2(paths, "CoreEffects")) &&
           ci::isFile(paths.baseDefsFolder + "CoreEffects.ded");
}

ModelPackState detectModelPacks(const InstallPaths& paths) {
    ModelPackState packs;
    packs.pack1 = basePackInstalled(paths);
    packs.quilspack = quilspackInstalled(paths);
    retestRefreshMarkers(paths, packs);
    return packs;
}

void retestRefreshMarkers(const InstallPaths& paths, ModelPackState& packs) {
    packs.pack2 = braskenPackInstalled(paths);
    packs.coreEffectsFiles = coreEffectsFilesInstalled(paths);
}

PackFrameView packFrameView(const ModelPackState& packs) {
    if (!packs.pack1)
        return {true, std::nullopt};
    if (packs.pack2 && packs.quilspack)
        return {false, " All model packs installed "};
    if (packs.pack2)
        return {false, " Model packs 1 and 2 installed "};
    if (packs.quilspack)
        return {false, " Model pack 1 and Quilspack installed "};
    return {false, " Model pack 1 installed "};
}

bool isMakersAddOn(std::string_view mainWad) {
    return iequals(baseNameOf(mainWad), "xrtlev");
}

ChosenGameFacts chosenGameFacts(const InstallPaths& paths, std::string_view mainWad) {
    ChosenGameFacts facts;
    facts.makersAddOn = isMakersAddOn(mainWad);
    facts.rocketMap = isRocketMap(mainWad);
    facts.zombieModelMap = isZombieModelMap(mainWad);
    facts.braskenGore3 = ci::isFile(md2(paths, "Brasken/Gore/Gore3.dmd"));
    return facts;
}

void applyModelAvailability(const ModelPackState& packs, const ChosenGameFacts& game, Settings& s,
                            ModelControls& c) {
    BoxState& zombies = c.altModels[PistolZombies];
    BoxState& weapons = c.altModels[QuilspackWeapons];
    BoxState& altWeapons = c.altModels[QuilspackAltWeapons];
    BoxState& replacements = c.altModels[Replacements];

    // Without the core effects files the engine's own effects must serve;
    // the "FX" box shows it, so that taking the controls into the settings
    // keeps the effects on.
    if (!packs.coreEffectsFiles) {
        c.modelOpts[ModelFx] = {false, true};
        s.modelFx = true;
    }
    if (!game.makersAddOn && !s.basicDoom && !c.modelOpts[CoreEffects].enabled)
        c.modelOpts[ModelFx].enabled = true;
    if (packs.quilspack && !c.modelOpts[CoreEffects].enabled && s.coreEffects)
        weapons.enabled = true;

    // Basic Doom, the effects and the core effects use no model packs; their
    // own rules have set the model options already.
    if (s.basicDoom || s.modelFx || s.coreEffects)
        return;

    zombies.enabled = !(game.zombieModelMap && game.braskenGore3);
    offerOrWithhold(packs.pack2 && packs.pack1 && !game.makersAddOn, replacements,
                    s.braskenQuilsModels);
    const bool quilsUsable = packs.quilspack && packs.pack1 && !game.rocketMap;
    offerOrWithhold(quilsUsable, weapons, s.quilspackWeapons);
    offerOrWithhold(quilsUsable, altWeapons, s.quilspackAltWeapons);

    if (!packs.pack1) {
        zombies = {false, false};
        s.braskenPistolZombies = false;
    } else if (s.noMonsters) {
        // Zombies need monsters; the "No monsters" rule has withheld them.
        zombies.enabled = false;
    } else if (!game.zombieModelMap) {
        zombies.enabled = true;
    }

    if (packs.pack1)
        c.packFrameEnabled = true;
    else if (!packs.pack2 && !packs.quilspack)
        c.packFrameEnabled = false;

    if (!game.makersAddOn) {
        if (packs.pack1) {
            // The pistol zombies are part of the replacements.
            if (!replacements.checked)
                zombies.enabled = false;
        } else {
            c.packFrameEnabled = false;
            c.modelOpts[NoForcedModels].enabled = false;
        }
        return;
    }
    // The maker's add-on brings its own monsters and alternative weapons.
    zombies.enabled = false;
    altWeapons.enabled = false;
    if (packs.quilspack && !game.rocketMap)
        weapons.enabled = true;
}

ModelRefresh refreshModelPacks(const InstallPaths& paths, const ModelPackState& packs,
                               std::string_view mainWad, const ModelControls& current,
                               Settings& settings) {
    ModelRefresh refresh{packs, {}, current};
    retestRefreshMarkers(paths, refresh.packs);
    refresh.frame = packFrameView(refresh.packs);
    applyModelAvailability(refresh.packs, chosenGameFacts(paths, mainWad), settings,
                           refresh.controls);
    return refresh;
}

std::array<bool, 4> altModelFilesPresent(const InstallPaths& paths) {
    std::array<bool, 4> present{};
    present[PistolZombies] = ci::isFolder(md2(paths, "Monsters/Imp"));
    present[QuilspackWeapons] = ci::isFile(paths.quilspackDefsFolder + "Fullpack.ded");
    present[QuilspackAltWeapons] = ci::isFile(paths.quilspackDefsFolder + "Alternative.ded");
    present[Replacements] = ci::isFile(md2(paths, "Brasken/Gore/hang1.jpg"));
    return present;
}

} // namespace krv
