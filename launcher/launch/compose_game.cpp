// The game composer: the IWAD composer's preparation and options around the
// checks for the maker's scripted maps, the selection checks of an
// auto-loading game, the known-PWAD check code and the game's files.

#include "launcher/launch/compose.h"

#include "launcher/launch/compose_messages.h"
#include "launcher/launch/compose_session.h"

#include "common/strings.h"

#include <algorithm>
#include <ctime>

namespace krv {

using compose::Composer;
using compose::Composition;
using compose::fileName;
namespace text = compose_text;

FileTime scriptedMapCutoff() {
    std::tm local{};
    local.tm_year = 2020 - 1900;
    local.tm_mon = 10 - 1;
    local.tm_mday = 8;
    local.tm_hour = 10;
    local.tm_min = 10;
    local.tm_sec = 10;
    local.tm_isdst = -1; // whatever daylight saving the date had
    return std::chrono::system_clock::from_time_t(std::mktime(&local));
}

namespace {

constexpr std::string_view kAddonWad = "Xrtlev.wad";

bool olderThanCutoff(const std::optional<FileTime>& time) {
    return time && *time < scriptedMapCutoff();
}

// The game's folder name under the games folder: the current game folder
// without its "Pwads/" or "Gwads/" ending.
std::string scriptedGameName(std::string_view currentGameFolder) {
    constexpr std::size_t kFilesFolderEnding = 6;
    if (currentGameFolder.size() <= kFilesFolderEnding)
        return {};
    std::string_view folder =
        currentGameFolder.substr(0, currentGameFolder.size() - kFilesFolderEnding);
    while (!folder.empty() && (folder.back() == '/' || folder.back() == '\\'))
        folder.remove_suffix(1);
    return fileName(folder);
}

bool scriptedMapChecks(Composition& c, const GameLaunchInput& in) {
    const std::string wad = fileName(in.mainWad);
    if (iequals(wad, kAddonWad)) {
        const std::string addon =
            compose::under(in.paths.root, "Data/KRV_addon/Xrtlev/xrtlev_addon.wad");
        const auto addonTime = c.env.fileTime(addon);
        if (!addonTime || olderThanCutoff(addonTime)) {
            c.show(text::kXrtAddonTitle, text::kXrtAddon);
            return false;
        }
    }
    const ScriptedMapStatus status =
        c.env.scriptedMapStatus(scriptedGameName(in.currentGameFolder));
    c.scripted = status == ScriptedMapStatus::Installed;
    c.out.scriptedMapSelected = c.scripted;
    if (status == ScriptedMapStatus::ListedNotInstalled) {
        c.show(text::kMapErrorTitle, text::kMapError);
        return false;
    }
    if (!c.scripted)
        return true;
    if (in.modelPacksMissing) {
        c.show(text::kModelPacksTitle, text::kModelPacks);
        return false;
    }
    const bool datedMap =
        std::any_of(in.datedMapWads.begin(), in.datedMapWads.end(),
                    [&](const std::string& dated) { return iequals(dated, wad); });
    if (datedMap && olderThanCutoff(c.env.fileTime(in.mainWad))) {
        c.show(text::kMapUpdateTitle, text::kMapUpdate);
        return false;
    }
    return true;
}

// An auto-loading game needs a chosen wad with levels.
bool selectionChecks(Composition& c, const GameLaunchInput& in) {
    if (!in.autoLoadingGame)
        return true;
    const std::string wad = in.selectedGameFile ? fileName(*in.selectedGameFile) : std::string();
    if (!in.selectedGameFile || !iendsWith(wad, ".wad")) {
        c.show(text::kLaunchError, text::kNoWadSelected);
        return false;
    }
    if (in.firstMapEntry.empty()) {
        c.show(text::kLaunchError,
               std::string(text::kNoLevelsStart) + toUpper(wad) + std::string(text::kNoLevelsEnd));
        return false;
    }
    return true;
}

// Check codes of the known-PWAD table: 1 and 2 need a Final Doom IWAD,
// 3 to 6 set engine modes, 7 plays the game as Basic Doom.
void applyCheckCode(Composition& c, const GameLaunchInput& in) {
    LaunchState& state = c.out.state;
    switch (in.checkCode) {
    case 1:
    case 2:
        c.out.selection.iwadPath =
            in.iwads.path(in.checkCode == 1 ? IwadKind::Tnt : IwadKind::Plutonia);
        c.forcedIwad = true;
        break;
    case 3:
        c.boomMode = true;
        break;
    case 4:
        state.mfoMode = true;
        break;
    case 5:
        state.stxMode = true;
        break;
    case 6:
        state.nextMapMode = true;
        break;
    case 7:
        if (!c.settings().basicDoom) {
            c.settings().basicDoom = true;
            c.out.changes.basicDoomForced = true;
        }
        break;
    default:
        break;
    }
}

bool iwadPart(Composition& c, const GameLaunchInput& in) {
    LaunchSelection& launch = c.out.selection;
    if (launch.startKind == StartKind::Normal) {
        const WarpTarget target = c.env.updateWarpTarget();
        launch.iwadPath = target.iwadPath;
        launch.warpMap = target.warpMap;
    }
    applyCheckCode(c, in);
    if (!c.env.fileExists(launch.iwadPath)) {
        if (c.forcedIwad)
            c.show(text::kFinalDoomTitle, text::kFinalDoom);
        else
            c.show(text::kMapIwadTitle,
                   std::string(text::kMapIwadStart) +
                       (launch.warpMap.size() == 2 ? "Doom2.wad" : "Doom.wad") +
                       std::string(text::kMapIwadEnd));
        return false;
    }
    c.engineCannotFindIwad = !c.env.engineFindsIwad(launch.iwadPath);
    c.appendIwad();
    return true;
}

// The files of a game that lies in a Pwads or Zips folder. An auto-loading
// game never gets here: the engine loads its Gwads folder as a user
// directory.
void appendLoadList(Composition& c, const GameLaunchInput& in) {
    const GameLaunchInput::LoadList& list = in.loadList;
    CommandLineText& line = c.line;
    const bool named = c.engineCannotFindIwad; // the engine needs the files named
    if (!in.rocketMapWad.empty() && iequals(fileName(in.mainWad), in.rocketMapWad))
        c.rocketMap = true;

    bool fileSwitch = list.zipGame || named;
    if (list.zipGame) {
        line.append("-f");
    } else {
        line.appendSwitch("-udir ", list.gameFolder);
        if (named)
            line.append("-f");
    }
    // The wads follow "-f" after one blank; each value brings its own.
    bool wadWritten = false;
    for (const auto& entry : list.files) {
        if (!iendsWith(entry.path, ".wad") || !entry.shownByFilter || !fileSwitch)
            continue;
        if (!wadWritten)
            line.append(" ");
        line.appendQuoted(list.zipGame ? entry.path : fileName(entry.path));
        wadWritten = true;
    }
    if (fileSwitch && !wadWritten)
        line.append(" "); // keeps "-f" apart from the next switch

    const auto appendFiles = [&](std::string_view ending, std::string_view switchText,
                                 bool fileNameOnly) {
        bool first = true;
        for (const auto& entry : list.files) {
            if (!iendsWith(entry.path, ending))
                continue;
            if (first)
                line.append(switchText);
            first = false;
            line.appendQuoted(fileNameOnly ? fileName(entry.path) : entry.path);
        }
    };
    if (named || list.zipGame)
        appendFiles(".deh", "-deh ", in.manualLoadingGame);
    if (named)
        appendFiles(".ded", "-d ", false);
}

void appendFilePart(Composition& c, const GameLaunchInput& in) {
    const bool libraryGame = in.mainWad.empty() || in.loadList.inGameFolder;
    if (in.autoLoadingGame) {
        c.line.appendSwitch("-udir ", in.loadList.gameFolder);
        c.line.appendSwitch("-f ", fileName(in.mainWad));
    } else if (!libraryGame) {
        c.line.appendSwitch("-f ", in.mainWad);
    }
    if (!in.mainWad.empty() && in.loadList.inGameFolder && !in.autoLoadingGame)
        appendLoadList(c, in);
    if (c.settings().developmentMode)
        c.line.append("-devmap -debug_scp -listloresfm ");
}

} // namespace

ComposeResult composeGameLaunch(const GameLaunchInput& input, ComposeEnvironment& env) {
    Composition c(input, env, Composer::Game);
    c.scriptedModelsPresent = input.scriptedModelsPresent;
    c.prepare();
    if (!scriptedMapChecks(c, input))
        return c.end();
    c.checkModelPacks();
    if (!selectionChecks(c, input))
        return c.end();
    c.startLine();
    if (!iwadPart(c, input))
        return c.end();
    appendFilePart(c, input);
    // Without a skill the engine starts the game normally.
    if (c.settings().skill == 0)
        c.out.selection.startKind = StartKind::Normal;
    compose::appendOptions(c);
    return c.finish();
}

} // namespace krv
