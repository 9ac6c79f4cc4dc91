#include "launcher/startup/settings.h"

#include "common/numbers.h"

#include <array>
#include <variant>

namespace krv {

namespace {

enum class Kind { Text, Int16, Int32, Switch };

using Field = std::variant<std::string Settings::*, int Settings::*, bool Settings::*>;

struct Line {
    Kind kind;
    Field field;
};

// The layout of "config.krv": entry i describes line i + 1.
const std::array<Line, kSettingsLines> kLines = {{
    {Kind::Text, &Settings::launcherVersion},
    {Kind::Int16, &Settings::lastSkill},
    {Kind::Int16, &Settings::titlePicture},
    {Kind::Int32, &Settings::tipNumber},
    {Kind::Int16, &Settings::audioChannels}, // 5
    {Kind::Int16, &Settings::textureScaling},
    {Kind::Switch, &Settings::highResPatches},
    {Kind::Switch, &Settings::quilspackAltWeapons},
    {Kind::Switch, &Settings::modelFx},
    {Kind::Switch, &Settings::quilspackWeapons}, // 10
    {Kind::Switch, &Settings::coreEffects},
    {Kind::Switch, &Settings::noForcedModels},
    {Kind::Switch, &Settings::grenadeLauncher},
    {Kind::Switch, &Settings::developmentMode},
    {Kind::Switch, &Settings::disableSound}, // 15
    {Kind::Switch, &Settings::disableMusic},
    {Kind::Switch, &Settings::ricochets},
    {Kind::Switch, &Settings::disableMouse},
    {Kind::Switch, &Settings::monsterRespawn},
    {Kind::Switch, &Settings::noSameTypeInfighting}, // 20
    {Kind::Switch, &Settings::noLostSoulInfighting},
    {Kind::Int16, &Settings::editLight},
    {Kind::Text, &Settings::customCommandLine},
    {Kind::Switch, &Settings::rememberLastMap},
    {Kind::Switch, &Settings::rememberLastSavegame}, // 25
    {Kind::Switch, &Settings::braskenQuilsModels},
    {Kind::Switch, &Settings::braskenPistolZombies},
    {Kind::Switch, &Settings::highResTextures},
    {Kind::Switch, &Settings::noMonsters},
    {Kind::Switch, &Settings::verbose}, // 30
    {Kind::Switch, &Settings::skyboxes},
    {Kind::Switch, &Settings::gunSmoke},
    {Kind::Int16, &Settings::skyboxKind},
    {Kind::Int16, &Settings::smokeKind},
    {Kind::Switch, &Settings::allowHiResRelocation}, // 35
    {Kind::Switch, &Settings::hiResSoundPack},
    {Kind::Switch, &Settings::playlistAuto},
    {Kind::Switch, &Settings::forceFmodMidi},
    {Kind::Switch, &Settings::ignorePlaylistIfCustomMusic},
    {Kind::Switch, &Settings::corpseFade}, // 40
    {Kind::Switch, &Settings::detailTextures},
    {Kind::Switch, &Settings::effectsSpare1},
    {Kind::Switch, &Settings::fastMonsters},
    {Kind::Switch, &Settings::basicDoom},
    {Kind::Switch, &Settings::scriptedMapsMode}, // 45
    {Kind::Switch, &Settings::noMonsters},       // again; the later line wins
    {Kind::Switch, &Settings::advancedOptions},
    {Kind::Switch, &Settings::editMode},
    {Kind::Switch, &Settings::light},
    {Kind::Switch, &Settings::noObjects}, // 50
    {Kind::Switch, &Settings::disableJoystick},
    {Kind::Int16, &Settings::skill},
    {Kind::Int16, &Settings::launchMode},
    {Kind::Text, &Settings::rememberedNormalEntry},
    {Kind::Text, &Settings::rememberedScriptedEntry}, // 55
    {Kind::Text, &Settings::lastGamesListEntry},
    {Kind::Text, &Settings::lastCommercialTitle},
    {Kind::Text, &Settings::lastArchive},
    {Kind::Text, &Settings::reserved59},
    {Kind::Int16, &Settings::gamesListView}, // 60
    {Kind::Switch, &Settings::shortcutCreation},
    {Kind::Switch, &Settings::tipOfTheDay},
    {Kind::Switch, &Settings::wadFilesOnly},
    {Kind::Switch, &Settings::disableTooltips},
    {Kind::Switch, &Settings::dynamicLighting}, // 65
    {Kind::Switch, &Settings::extraFx},
    {Kind::Switch, &Settings::playlistManual},
    {Kind::Switch, &Settings::soundSpare7},
    {Kind::Switch, &Settings::selectionMemory},
    {Kind::Int16, &Settings::reserved70}, // 70
    {Kind::Int16, &Settings::lastLaunchMode},
    {Kind::Int16, &Settings::selButtonMode},
    {Kind::Text, &Settings::manualPlaylist},
    {Kind::Int16, &Settings::corpseFadeSeconds},
    {Kind::Int16, &Settings::ricochetValue}, // 75
    {Kind::Int16, &Settings::grenadeTimer},
    {Kind::Switch, &Settings::splashEffects},
    {Kind::Switch, &Settings::sound3d},
    {Kind::Switch, &Settings::soundSpare8},
    {Kind::Switch, &Settings::musicFrameLayout}, // 80
    {Kind::Text, &Settings::reserved81},
    {Kind::Int32, &Settings::windowTop},
    {Kind::Int32, &Settings::windowLeft},
}};

enum class LineOutcome { Stored, TypeMismatch, OtherError };

LineOutcome storeLine(const Line& line, const std::string& text, Settings& s) {
    if (line.kind == Kind::Text) {
        s.*std::get<std::string Settings::*>(line.field) = text;
        return LineOutcome::Stored;
    }
    const auto width = line.kind == Kind::Int32 ? NumberWidth::Bits32 : NumberWidth::Bits16;
    const NumberResult number = parseWholeNumber(text, width);
    if (number.status == NumberStatus::TypeMismatch)
        return LineOutcome::TypeMismatch;
    if (number.status == NumberStatus::Overflow)
        return LineOutcome::OtherError;
    if (line.kind == Kind::Switch)
        s.*std::get<bool Settings::*>(line.field) = number.value != 0;
    else
        s.*std::get<int Settings::*>(line.field) = number.value;
    return LineOutcome::Stored;
}

std::string lineText(const Line& line, const Settings& s) {
    switch (line.kind) {
    case Kind::Text:
        return s.*std::get<std::string Settings::*>(line.field);
    case Kind::Switch:
        return s.*std::get<bool Settings::*>(line.field) ? "1" : "0";
    default:
        return std::to_string(s.*std::get<int Settings::*>(line.field));
    }
}

// Reads a one-line file of the data folder; nothing when it is missing.
std::optional<std::string> readOneLineFile(const std::string& path) {
    const TextLines file = readTextLines(path);
    if (file.status != IoStatus::Ok)
        return std::nullopt;
    return file.lines.empty() ? std::string() : file.lines.front();
}

} // namespace

SettingsReadResult readSettings(InstallPaths& paths, bool wineMode, std::int32_t centredTop,
                                std::int32_t centredLeft, Settings& settings) {
    settings = Settings{};
    settings.windowTop = centredTop;
    settings.windowLeft = centredLeft;
    if (const auto texPath = readOneLineFile(paths.dataFolder + "texpath.krv"))
        settings.texturePath = *texPath;
    if (const auto archives = readOneLineFile(paths.dataFolder + "archives.krv"))
        paths.archivesFolder = *archives;

    SettingsReadResult result;
    // Any read problem other than a non-number (a short file, an unreadable
    // file, a number too large) keeps the lines read so far and the
    // defaults for the rest.
    const TextLines file = readTextLines(paths.configFile());
    if (file.status == IoStatus::Ok) {
        const int wanted = wineMode ? kSettingsLinesWine : kSettingsLines;
        const int available = static_cast<int>(file.lines.size());
        for (int i = 0; i < wanted && i < available; ++i) {
            const LineOutcome outcome = storeLine(kLines[i], file.lines[i], settings);
            if (outcome == LineOutcome::TypeMismatch) {
                result.typeMismatch = true;
                break;
            }
            if (outcome == LineOutcome::OtherError)
                break;
            result.linesRead = i + 1;
        }
    }

    if (settings.corpseFadeSeconds == 0) {
        settings.corpseFade = false;
        result.corpseFadeUnavailable = true;
    }
    if (settings.grenadeTimer < 0)
        settings.grenadeTimer = 0;
    if (settings.grenadeTimer > 7)
        settings.grenadeTimer = 7;
    return result;
}

std::vector<std::string> settingsLines(const Settings& settings, bool wineMode) {
    const int count = wineMode ? kSettingsLinesWine : kSettingsLines;
    std::vector<std::string> lines;
    lines.reserve(count);
    for (int i = 0; i < count; ++i)
        lines.push_back(lineText(kLines[i], settings));
    return lines;
}

IoStatus writeSettings(const InstallPaths& paths, bool wineMode, Settings& settings) {
    if (settings.selectionMemory)
        settings.rememberedScriptedEntry = settings.lastGamesListEntry;
    else
        settings.rememberedNormalEntry = settings.lastGamesListEntry;
    return writeTextLines(paths.configFile(), settingsLines(settings, wineMode));
}

} // namespace krv
