#include "launcher/inspect/store_iwads.h"

#include "launcher/inspect/json_reader.h"
#include "launcher/inspect/vdf_reader.h"

#include "common/ci_path.h"
#include "common/safe_names.h"
#include "common/strings.h"
#include "common/text_file.h"
#include "gfiles/file_source.h"
#include "gfiles/wad_scan.h"

#include <algorithm>
#include <array>
#include <filesystem>

namespace krv {

namespace {

namespace fs = std::filesystem;

// Where Steam installs itself: its own package, the links older
// installations keep, Flatpak's and Snap's sandboxes.
constexpr std::array<const char*, 5> kSteamRoots{
    ".local/share/Steam",
    ".steam/steam",
    ".steam/root",
    ".var/app/com.valvesoftware.Steam/.local/share/Steam",
    "snap/steam/common/.local/share/Steam",
};

// Steam keeps its list of libraries in either place, depending on its age.
constexpr std::array<const char*, 2> kLibraryLists{
    "steamapps/libraryfolders.vdf",
    "config/libraryfolders.vdf",
};

// The folders of a Steam library's "steamapps/common" in which the Doom
// products keep their IWADs, as the public source ports' Steam searches
// name them: the DOS games, the 2019 Unity ports, the 2024 re-release (whose
// "base" holds the other games too), the Master Levels, Doom 3 BFG Edition
// and Doom Eternal.
constexpr std::array<const char*, 15> kSteamIwadFolders{
    "Ultimate Doom/base",
    "Ultimate Doom/base/doom2",
    "Ultimate Doom/base/tnt",
    "Ultimate Doom/base/plutonia",
    "Ultimate Doom/rerelease",
    "Ultimate Doom/rerelease/DOOM_Data/StreamingAssets",
    "Doom 2/base",
    "Doom 2/masterbase",
    "Doom 2/masterbase/doom2",
    "Doom 2/finaldoombase",
    "Doom 2/rerelease/DOOM II_Data/StreamingAssets",
    "Final Doom/base",
    "Master Levels of Doom/doom2",
    "DOOM 3 BFG Edition/base/wads",
    "DOOMEternal/base/classicwads",
};

// Heroic's lists of the GOG games it installed, native and Flatpak.
constexpr std::array<const char*, 2> kHeroicLists{
    ".config/heroic/gog_store/installed.json",
    ".var/app/com.heroicgameslauncher.hgl/config/heroic/gog_store/installed.json",
};

// The folders of a GOG install that hold IWADs: Ultimate Doom and DOOM +
// DOOM II at the top, Doom II in "doom2", Final Doom in "TNT" and
// "Plutonia", Doom 3 BFG Edition in "base/wads", the Unity ports in their
// data folders and DOOM + DOOM II's DOS games under "dosdoom/base".
constexpr std::array<const char*, 11> kGogIwadFolders{
    ".",
    "doom2",
    "TNT",
    "Plutonia",
    "base/wads",
    "DOOM_Data/StreamingAssets",
    "DOOM II_Data/StreamingAssets",
    "dosdoom/base",
    "dosdoom/base/doom2",
    "dosdoom/base/tnt",
    "dosdoom/base/plutonia",
};

// Lists of libraries and games are a few kilobytes; anything beyond this is
// not such a list.
constexpr std::size_t kStoreListLimit = 1 << 20;

// Wine prefixes and GOG games are looked at up to this many per folder, so
// that a huge folder cannot stall the start.
constexpr std::size_t kMostEntries = 256;

// A folder text without "." components and without a separator at its end.
std::string folderPath(const fs::path& path) {
    std::string text = path.lexically_normal().string();
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return text;
}

std::string under(const std::string& folder, std::string_view rel) {
    return folderPath(fs::path(folder) / rel);
}

// The spelling on disk of an existing folder; empty for anything else.
std::string existingFolder(const std::string& path) {
    if (!ci::isFolder(path))
        return {};
    const auto found = ci::resolve(path);
    return found ? found->string() : std::string();
}

std::string canonicalOf(const std::string& path) {
    std::error_code ec;
    const fs::path canonical = fs::canonical(path, ec);
    return ec ? std::string() : canonical.string();
}

// The names in a folder, to test many names against one listing instead of
// letting each missing one list the folder again.
class FolderNames {
public:
    explicit FolderNames(const std::string& folder) {
        for (const std::string& name : ci::listFolder(folder))
            names_.push_back(toLower(name));
    }
    // True when the first component of `rel` is in the folder, in any case.
    bool holdsStartOf(std::string_view rel) const {
        const std::string first = toLower(rel.substr(0, rel.find('/')));
        return std::find(names_.begin(), names_.end(), first) != names_.end();
    }

private:
    std::vector<std::string> names_;
};

// Adds each existing folder once, however it is reached.
class FolderSet {
public:
    void add(const std::string& path) {
        const std::string folder = existingFolder(folderPath(path));
        if (folder.empty())
            return;
        const std::string identity = canonicalOf(folder);
        if (identity.empty() ||
            std::find(identities_.begin(), identities_.end(), identity) != identities_.end())
            return;
        identities_.push_back(identity);
        folders_.push_back(folder);
    }
    std::vector<std::string> take() { return std::move(folders_); }

private:
    std::vector<std::string> identities_;
    std::vector<std::string> folders_;
};

// A folder text read from another program's file: an absolute path that
// can stand in a path. It is only ever read from.
bool plausibleFolderText(const std::string& text) {
    return !text.empty() && text.front() == '/' && !hasControlByte(text);
}

// The library folders a "libraryfolders.vdf" lists: the "path" of each
// numbered block, or the value of each numbered key in the older layout.
std::vector<std::string> librariesListedIn(const std::string& file) {
    std::string text;
    if (readWholeFile(file, text, kStoreListLimit) != IoStatus::Ok)
        return {};
    const auto entries = parseVdf(text);
    if (!entries)
        return {};
    std::vector<std::string> paths;
    for (const VdfEntry& top : *entries) {
        if (!top.isBlock || !iequals(top.key, "libraryfolders"))
            continue;
        for (const VdfEntry& library : top.children) {
            const std::string* path = library.isBlock ? library.valueOf("path") : &library.value;
            const bool numbered =
                !library.key.empty() && std::all_of(library.key.begin(), library.key.end(),
                                                    [](char c) { return c >= '0' && c <= '9'; });
            if (numbered && path && plausibleFolderText(*path))
                paths.push_back(*path);
        }
    }
    return paths;
}

// The "install_path" of each game in a Heroic "installed.json".
std::vector<std::string> installPathsListedIn(const std::string& file) {
    std::string text;
    if (readWholeFile(file, text, kStoreListLimit) != IoStatus::Ok)
        return {};
    const auto document = parseJson(text);
    const JsonValue* installed = document ? document->member("installed") : nullptr;
    if (!installed || installed->type != JsonValue::Type::Array)
        return {};
    std::vector<std::string> paths;
    for (const JsonValue& game : installed->items) {
        const JsonValue* path = game.member("install_path");
        if (path && path->type == JsonValue::Type::String && plausibleFolderText(path->text))
            paths.push_back(path->text);
    }
    return paths;
}

// The entries of a folder that are folders, in name order, at most
// kMostEntries of them.
std::vector<std::string> subfolders(const std::string& folder) {
    std::vector<std::string> names = ci::listFolder(folder);
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return icompare(a, b) < 0; });
    if (names.size() > kMostEntries)
        names.resize(kMostEntries);
    std::vector<std::string> folders;
    for (const std::string& name : names)
        if (name != "." && name != ".." && ci::isFolder(under(folder, name)))
            folders.push_back(under(folder, name));
    return folders;
}

// Every "drive_c/GOG Games/<game>" of the Wine prefixes ~/.wine and
// ~/Games/* (Lutris' default place for prefixes).
std::vector<std::string> wineGogGames(const std::string& home, const FolderNames& inHome) {
    std::vector<std::string> prefixes;
    if (inHome.holdsStartOf(".wine"))
        prefixes.push_back(under(home, ".wine"));
    if (inHome.holdsStartOf("Games"))
        for (const std::string& prefix : subfolders(under(home, "Games")))
            prefixes.push_back(prefix);
    std::vector<std::string> installs;
    for (const std::string& prefix : prefixes) {
        const std::string gogGames = under(prefix, "drive_c/GOG Games");
        if (!ci::isFolder(gogGames))
            continue;
        for (const std::string& game : subfolders(gogGames))
            installs.push_back(game);
    }
    return installs;
}

bool onlyMapsOf(const gfiles::WadScan& scan, std::uint8_t flag) {
    for (const std::uint8_t level : scan.levels)
        if (level & ~flag & (gfiles::kMapLevel | gfiles::kEpisodeLevel))
            return false;
    return true;
}

bool hasEpisodes(const gfiles::WadScan& scan, int first, int last) {
    for (int episode = first; episode <= last; ++episode)
        for (int map = 1; map <= 9; ++map)
            if (!(scan.levels[10 * episode + map] & gfiles::kEpisodeLevel))
                return false;
    return true;
}

bool levelsConfirm(const gfiles::WadScan& scan, IwadKind kind) {
    switch (kind) {
    case IwadKind::Shareware:
        // The first episode and nothing of a later one.
        return onlyMapsOf(scan, gfiles::kEpisodeLevel) && hasEpisodes(scan, 1, 1) &&
               std::none_of(scan.levels.begin() + 20, scan.levels.end(),
                            [](std::uint8_t level) { return level & gfiles::kEpisodeLevel; });
    case IwadKind::Doom:
        return onlyMapsOf(scan, gfiles::kEpisodeLevel) && hasEpisodes(scan, 1, 3);
    case IwadKind::Doom2:
    case IwadKind::Plutonia:
    case IwadKind::Tnt:
        for (int map = 1; map <= 32; ++map)
            if (!(scan.levels[map] & gfiles::kMapLevel))
                return false;
        return onlyMapsOf(scan, gfiles::kMapLevel);
    }
    return false;
}

} // namespace

std::vector<std::string> steamRoots(const std::string& home) {
    if (home.empty())
        return {};
    const FolderNames inHome(home);
    FolderSet roots;
    for (const char* root : kSteamRoots)
        if (inHome.holdsStartOf(root))
            roots.add(under(home, root));
    return roots.take();
}

std::vector<std::string> steamLibraries(const std::string& home) {
    FolderSet libraries;
    for (const std::string& root : steamRoots(home)) {
        libraries.add(root);
        for (const char* list : kLibraryLists) {
            const std::string file = under(root, list);
            if (ci::isFile(file))
                for (const std::string& library : librariesListedIn(file))
                    libraries.add(library);
        }
    }
    return libraries.take();
}

std::vector<std::string> gogInstallFolders(const std::string& home) {
    if (home.empty())
        return {};
    const FolderNames inHome(home);
    FolderSet installs;
    for (const char* list : kHeroicLists) {
        const std::string file = under(home, list);
        if (inHome.holdsStartOf(list) && ci::isFile(file))
            for (const std::string& install : installPathsListedIn(file))
                installs.add(install);
    }
    for (const std::string& install : wineGogGames(home, inHome))
        installs.add(install);
    return installs.take();
}

std::vector<std::string> storeIwadFolders(const std::string& home) {
    FolderSet folders;
    for (const std::string& library : steamLibraries(home)) {
        // A library holds many games: its list is read once, and only the
        // Doom products' folders in it are looked into.
        const std::string common = under(library, "steamapps/common");
        const FolderNames games(common);
        for (const char* folder : kSteamIwadFolders)
            if (games.holdsStartOf(folder))
                folders.add(under(common, folder));
    }
    for (const std::string& install : gogInstallFolders(home)) {
        const FolderNames inInstall(install);
        for (const char* folder : kGogIwadFolders)
            if (std::string_view(folder) == "." || inInstall.holdsStartOf(folder))
                folders.add(under(install, folder));
    }
    return folders.take();
}

bool wadContentConfirms(const std::string& path, IwadKind kind) {
    const auto found = ci::resolve(path);
    if (!found)
        return false;
    const int fd = gfiles::openRegularFile(*found);
    if (fd < 0)
        return false;
    gfiles::FileWadSource source(fd);
    const gfiles::WadScan scan = gfiles::scanWad(source);
    return scan.ok && scan.kind == gfiles::WadKind::Iwad && levelsConfirm(scan, kind);
}

void searchStoreIwads(IwadRegistry& registry, const std::string& home) {
    const bool allRegistered =
        std::all_of(iwadKinds().begin(), iwadKinds().end(),
                    [&](const IwadKindInfo& info) { return registry.isRegistered(info.kind); });
    if (allRegistered)
        return;
    registerCommercialIwadsIn(registry, storeIwadFolders(home), wadContentConfirms);
}

StoreFolders::StoreFolders(const std::string& home) {
    for (const std::string& folder : storeIwadFolders(home))
        canonical_.push_back(canonicalOf(folder));
}

bool StoreFolders::holds(const std::string& path) const {
    if (canonical_.empty())
        return false;
    const std::string folder = canonicalOf(folderOfPath(path));
    return !folder.empty() &&
           std::find(canonical_.begin(), canonical_.end(), folder) != canonical_.end();
}

} // namespace krv
