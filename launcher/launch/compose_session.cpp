#include "launcher/launch/compose_session.h"
#include "launcher/launch/compose_availability.h"
#include "launcher/options/texture_path.h"

#include "launcher/launch/compose_messages.h"
#include "launcher/platform/platform.h"

#include "common/ci_path.h"
#include "common/strings.h"

namespace krv::compose {

namespace text = compose_text;

namespace {

constexpr std::string_view kHudWeaponsVersion10 = "# hweapons version 10 - Do not edit this line";

// The first field of a definition file: its first line up to a comma.
std::string firstField(const std::string& line) {
    return line.substr(0, line.find(','));
}

} // namespace

std::string fileName(std::string_view path) {
    return std::string(fileNameOfPath(path));
}

std::string baseName(std::string_view path) {
    const std::string name = fileName(path);
    return name.substr(0, name.rfind('.'));
}

std::string under(std::string_view folder, std::string_view relative) {
    if (folder.empty())
        return {}; // names no place at all rather than one relative to the current folder
    std::string path(folder);
    if (path.back() != '/' && path.back() != '\\')
        path += ci::kSep;
    return path + ci::nativeSeparators(relative);
}

Composition::Composition(const LaunchInput& input, ComposeEnvironment& environment, Composer which)
    : in(input), env(environment), composer(which) {
    out.settings = in.settings;
    out.boxes = in.boxes;
    out.texFormFolderText = in.texFormFolderText;
    out.selection = in.selection;
    out.state = in.state;
    out.scriptedMapSelected = in.scriptedMapSelected;
    scripted = in.scriptedMapSelected;
}

void Composition::show(std::string_view title, std::string_view body) {
    ComposeMessage message{std::string(title), std::string(body), msg::kInformation};
    env.showMessage(message);
    out.messages.push_back(std::move(message));
}

void Composition::prepare() {
    Settings& s = settings();
    if (!in.shortcutMode)
        out.state.effectiveLaunchMode = s.launchMode;
    if (game()) {
        out.state.mfoMode = false;
        out.state.stxMode = false;
        out.state.nextMapMode = false;
    }
    runAvailabilityChecks();
    forceEffectsWithoutCoreFiles();
    if (s.ricochets && !s.basicDoom)
        out.state.ricochetChanged = true;
    if (!out.boxes.highResTextures && s.highResTextures) {
        s.highResTextures = false;
        out.changes.highResTexturesOff = true;
    }
}

// The model pack detection's first rule: without the core effects files the
// engine's own effects must serve, so the effects setting is switched on
// whatever the "FX" box said.
void Composition::forceEffectsWithoutCoreFiles() {
    const bool coreFiles = env.folderExists(in.paths.modelFolder + "CoreEffects") &&
                           env.fileExists(in.paths.baseDefsFolder + "CoreEffects.ded");
    if (coreFiles || settings().modelFx)
        return;
    settings().modelFx = true;
    out.changes.effectsForced = true;
}

// The graphics and sound pack checks only ever make boxes available, except
// for the high resolution textures, which follow the texture folder check.
void Composition::runAvailabilityChecks() {
    const Settings& s = settings();
    if (!s.basicDoom && !scripted)
        runGraphicsCheck();
    if (!s.basicDoom && !s.disableSound &&
        env.fileExists(under(in.paths.root, "data/pk_doom_sfx.wad")))
        out.boxes.hiResSoundPack = true;
}

void Composition::runGraphicsCheck() {
    const TexturePathCheck texture = env.checkTexturePath();
    settings().texturePath = texture.texturePath;
    out.texFormFolderText = texture.shownText;
    const PathProbes probe{[this](const std::string& file) { return env.fileExists(file); },
                           [this](const std::string& folder) { return env.folderExists(folder); }};
    applyGraphicsAvailability(in.paths.root, probe, texture.usable, out.boxes);
    if (!texture.usable)
        out.textureLabel = std::string(kTexturePathInvalid);
}

// Base and Brasken HUD weapon definitions of different versions cannot be
// used together; the replacements are then dropped.
bool Composition::modelsCompatible() {
    Settings& s = settings();
    if (s.basicDoom || s.coreEffects || !s.braskenQuilsModels)
        return true;
    const std::string base = in.paths.modelDefsFolder + "hudweapons.ded";
    const std::string brasken = in.paths.braskenDefsFolder + "hudweapons.ded";
    if (!env.fileExists(base) || !env.fileExists(brasken))
        return true;
    const auto isVersion10 = [&](const std::string& path) {
        return iequals(firstField(env.firstLine(path).value_or("")), kHudWeaponsVersion10);
    };
    if (isVersion10(base) == isVersion10(brasken))
        return true;
    s.braskenQuilsModels = false;
    return false;
}

void Composition::checkModelPacks() {
    if (!modelsCompatible()) {
        show(text::kLaunchError,
             game() ? text::kModelsIncompatibleGame : text::kModelsIncompatibleIwad);
        out.changes.modelReplacementsOff = true;
    }
    Settings& s = settings();
    if ((s.quilspackWeapons || s.quilspackAltWeapons) && !s.coreEffects &&
        !env.fileExists(under(in.quilspackFolder, "quilspack.wad"))) {
        show(text::kLaunchError, text::kQuilspackMissing);
        s.quilspackWeapons = false;
        s.quilspackAltWeapons = false;
        out.changes.quilspackOff = true;
    }
}

void Composition::appendIwad() {
    const std::string& iwad = out.selection.iwadPath;
    if (engineCannotFindIwad)
        line.appendSwitch(" -iwad ", iwad);
    else
        line.append(" -" + baseName(iwad) + " ");
    out.state.launchInProgress = true;
}

void Composition::restoreForcedBasicDoom() {
    if (out.changes.basicDoomForced)
        settings().basicDoom = false;
}

ComposeResult Composition::end() {
    restoreForcedBasicDoom();
    // A composition that launches nothing leaves an earlier launch's flag as it was.
    out.state.launchInProgress = in.state.launchInProgress;
    out.launch = false;
    out.commandLine.clear();
    return std::move(out);
}

ComposeResult Composition::finish() {
    if (const auto& refused = line.refusedValue()) {
        show(text::kLaunchError,
             std::string(text::kQuoteInNameStart) + *refused + std::string(text::kQuoteInNameEnd));
        return end();
    }
    if (!quotesBalanced(settings().customCommandLine)) {
        show(text::kLaunchError, text::kUnbalancedCustomText);
        return end();
    }
    restoreForcedBasicDoom();
    out.launch = true;
    out.commandLine = line.text();
    return std::move(out);
}

} // namespace krv::compose
