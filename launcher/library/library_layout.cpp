#include "launcher/library/library_layout.h"

#include "launcher/library/scripted_maps.h"

#include "common/ci_path.h"
#include "common/strings.h"

#include <algorithm>
#include <array>
#include <filesystem>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace krv {

namespace {

struct CommercialTitle {
    const char* title;
    const char* saveName;
};

// The titles of the Doom games view and the UserSG folders of their saves.
constexpr std::array<CommercialTitle, 5> kCommercialTitles = {{
    {"Shareware Doom", "doom1"},
    {"Doom/Ultimate Doom", "doom"},
    {"Doom II", "doom2"},
    {"TNT - Final Doom", "tnt"},
    {"The Plutonia Experiment", "plutonia"},
}};

const CommercialTitle* findTitle(std::string_view title) {
    for (const CommercialTitle& row : kCommercialTitles)
        if (iequals(row.title, title))
            return &row;
    return nullptr;
}

std::string gameFolder(const InstallPaths& paths, std::string_view name) {
    return paths.gamesFolder + std::string(name);
}

// Orders names ignoring case; names equal but for case by their bytes, so
// the first of such a group is the spelling the resolver picks.
bool caseInsensitiveLess(const std::string& a, const std::string& b) {
    const int order = icompare(a, b);
    return order != 0 ? order < 0 : a < b;
}

} // namespace

namespace {

// The kind of the game in the folder `name`, opened relative to the folder
// `at` (AT_FDCWD for a full path): one listing of it answers both
// questions, as the library view asks them for every game after every
// change. The listing's entry types spare a look-up per entry; only links
// and entries of unknown type are looked up, and links are followed.
GameKind kindOfFolder(int at, const char* name) {
    const int fd = ::openat(at, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return GameKind::None;
    DIR* listing = ::fdopendir(fd);
    if (!listing) {
        ::close(fd);
        return GameKind::None;
    }
    bool gwads = false;
    bool pwads = false;
    while (const dirent* entry = ::readdir(listing)) {
        const bool isG = iequals(entry->d_name, "Gwads");
        if (!isG && !iequals(entry->d_name, "Pwads"))
            continue;
        bool folder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat target {};
            folder = ::fstatat(fd, entry->d_name, &target, 0) == 0 && S_ISDIR(target.st_mode);
        }
        if (folder)
            (isG ? gwads : pwads) = true;
    }
    ::closedir(listing); // closes `fd`
    // Gwads decides: a game with both folders is auto-loading.
    if (gwads)
        return GameKind::Auto;
    return pwads ? GameKind::Manual : GameKind::None;
}

} // namespace

GameKind gameKind(const InstallPaths& paths, std::string_view name) {
    if (!isUsableName(name))
        return GameKind::None;
    const auto folder = ci::resolve(gameFolder(paths, name));
    return folder ? kindOfFolder(AT_FDCWD, folder->c_str()) : GameKind::None;
}

std::string gameFilesFolder(const InstallPaths& paths, std::string_view name) {
    const GameKind kind = gameKind(paths, name);
    if (kind == GameKind::None)
        return {};
    const char* sub = kind == GameKind::Auto ? "/Gwads" : "/Pwads";
    // The folder may vanish between the test and the look-up.
    const auto found = ci::resolve(gameFolder(paths, name) + sub);
    return found ? found->string() : std::string();
}

GamesListing listGamesFolder(const InstallPaths& paths, bool scriptedOnly) {
    const auto games = ci::resolve(paths.gamesFolder);
    if (!games)
        return {};
    GamesListing listing{games->string(), ci::listFolder(*games)};
    std::vector<std::string>& names = listing.names;
    std::erase_if(names, [scriptedOnly](const std::string& name) {
        return !isUsableName(name) || (scriptedOnly && !isScriptedMapName(name));
    });
    std::sort(names.begin(), names.end(), caseInsensitiveLess);
    names.erase(
        std::unique(names.begin(), names.end(),
                    [](const std::string& a, const std::string& b) { return iequals(a, b); }),
        names.end());
    return listing;
}

std::size_t keepGames(GamesListing& listing, std::size_t from, std::size_t to) {
    std::vector<std::string>& names = listing.names;
    to = std::min(to, names.size());
    // Each game is opened relative to the games folder, which is opened once
    // rather than looked up along the whole path for every game.
    const int gamesFd = ::open(listing.folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const auto isGame = [gamesFd](const std::string& name) {
        return gamesFd >= 0 && kindOfFolder(gamesFd, name.c_str()) != GameKind::None;
    };
    const auto end = std::remove_if(names.begin() + static_cast<std::ptrdiff_t>(from),
                                    names.begin() + static_cast<std::ptrdiff_t>(to),
                                    [&isGame](const std::string& name) { return !isGame(name); });
    if (gamesFd >= 0)
        ::close(gamesFd);
    const std::size_t kept = static_cast<std::size_t>(end - names.begin());
    names.erase(end, names.begin() + static_cast<std::ptrdiff_t>(to));
    return kept;
}

std::vector<std::string> installedGames(const InstallPaths& paths, InstalledGamesView view) {
    GamesListing games = listGamesFolder(paths, view.scriptedOnly);
    keepGames(games, 0, games.names.size());
    if (!view.customFont)
        for (std::string& name : games.names)
            name = toUpper(name);
    return std::move(games.names);
}

std::string commercialSaveName(std::string_view title) {
    const CommercialTitle* row = findTitle(title);
    return row ? row->saveName : std::string();
}

std::string commercialRecordKey(std::string_view title) {
    const CommercialTitle* row = findTitle(title);
    // The shareware title keeps its records under its own name.
    if (row == nullptr || row == &kCommercialTitles.front())
        return toLower(title);
    return row->saveName;
}

std::string saveGameFolder(const InstallPaths& paths, std::string_view saveName) {
    if (!isUsableName(saveName))
        return {};
    return paths.root + "/UserSG/" + std::string(saveName) + "/savegame";
}

std::string commercialSaveGameFolder(const InstallPaths& paths, std::string_view title) {
    return saveGameFolder(paths, commercialSaveName(title));
}

} // namespace krv
