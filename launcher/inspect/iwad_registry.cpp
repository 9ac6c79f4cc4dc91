#include "launcher/inspect/iwad_registry.h"

#include "launcher/inspect/store_iwads.h"

#include "common/ci_path.h"
#include "common/strings.h"
#include "common/text_file.h"

#include <algorithm>
#include <cstdlib>

namespace krv {

namespace {

constexpr std::array<IwadKindInfo, kIwadKindCount> kKinds{{
    {IwadKind::Shareware, "Doom1.wad", "Shareware Doom", "SHAREWARE DOOM", nullptr},
    {IwadKind::Doom, "Doom.wad", "Doom/Ultimate Doom", "DOOM/ULTIMATE DOOM", "freedoom1.wad"},
    {IwadKind::Doom2, "Doom2.wad", "Doom II", "DOOM II", "freedoom2.wad"},
    {IwadKind::Plutonia, "Plutonia.wad", "The Plutonia Experiment", "THE PLUTONIA EXPERIMENT",
     nullptr},
    {IwadKind::Tnt, "Tnt.wad", "TNT - Final Doom", "TNT - FINAL DOOM", nullptr},
}};

// The four full games, in the order each search folder is looked at.
constexpr std::array<IwadKind, 4> kSearchOrder{IwadKind::Doom2, IwadKind::Doom, IwadKind::Tnt,
                                               IwadKind::Plutonia};

constexpr const char* kIwadsCfg = "iwads.cfg";

// Folder texts from the environment or a file may use either separator and
// may end in one.
std::string folderText(std::string_view text) {
    std::string folder = ci::nativeSeparators(text);
    while (folder.size() > 1 && folder.back() == ci::kSep)
        folder.pop_back();
    return folder;
}

std::string join(const std::string& folder, std::string_view name) {
    std::string path = folder;
    if (path.empty() || path.back() != ci::kSep)
        path += ci::kSep;
    path += name;
    return path;
}

// The spelling on disk of an existing file; nothing for a missing file or
// anything that is not a file (a folder named like an IWAD, for one).
std::optional<std::string> existingFile(const std::string& path) {
    if (path.empty() || !ci::isFile(path))
        return std::nullopt;
    const auto found = ci::resolve(path);
    return found ? std::optional<std::string>(found->string()) : std::nullopt;
}

// A variable's value when it names an existing folder.
std::string existingEnvFolder(const EnvironmentLookup& env, const char* name) {
    if (!env)
        return {};
    const auto value = env(name);
    if (!value || value->empty())
        return {};
    const std::string folder = folderText(*value);
    return ci::isFolder(folder) ? folder : std::string();
}

// A line of "iwads.cfg" can only be a path when it holds no control bytes
// and is no longer than the longest path the system accepts; binary junk and
// embedded NULs are not paths.
constexpr std::size_t kLongestPath = 4096;

bool plausiblePathLine(std::string_view line) {
    if (line.empty() || line.size() > kLongestPath)
        return false;
    for (const char c : line)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return false;
    return true;
}

} // namespace

const std::array<IwadKindInfo, kIwadKindCount>& iwadKinds() {
    return kKinds;
}

const IwadKindInfo& iwadKindInfo(IwadKind kind) {
    return kKinds[static_cast<std::size_t>(kind)];
}

std::string_view fileNameOfPath(std::string_view path) {
    const auto sep = path.find_last_of("/\\");
    return sep == std::string_view::npos ? path : path.substr(sep + 1);
}

std::string baseNameOfPath(std::string_view path) {
    const std::string_view name = fileNameOfPath(path);
    return std::string(name.substr(0, name.rfind('.')));
}

std::string folderOfPath(std::string_view path) {
    const std::string native = ci::nativeSeparators(path);
    const auto sep = native.find_last_of(ci::kSep);
    if (sep == std::string::npos)
        return {};
    if (sep == 0)
        return native.substr(0, 1);
    return native.substr(0, sep);
}

std::optional<IwadKind> iwadKindOfPath(std::string_view path) {
    const std::string_view name = fileNameOfPath(path);
    for (const auto& info : kKinds)
        if (iequals(name, info.fileName) || (info.standIn && iequals(name, info.standIn)))
            return info.kind;
    return std::nullopt;
}

std::optional<IwadKind> iwadKindOfTitle(std::string_view title) {
    for (const auto& info : kKinds)
        if (iequals(title, info.title))
            return info.kind;
    return std::nullopt;
}

EnvironmentLookup processEnvironment() {
    return [](const std::string& name) -> std::optional<std::string> {
        const char* value = std::getenv(name.c_str());
        if (!value)
            return std::nullopt;
        return std::string(value);
    };
}

bool IwadRegistry::registerPath(const std::string& path) {
    const auto kind = iwadKindOfPath(path);
    if (!kind || isRegistered(*kind))
        return false;
    paths[static_cast<int>(*kind)] = path;
    StoredFiles.push_back(path);
    return true;
}

bool IwadRegistry::CheckIwad(const std::string& path) {
    if (path.empty())
        return false;
    const auto kind = iwadKindOfPath(path);
    if (!kind || !ci::isFile(path))
        return false;
    paths[static_cast<int>(*kind)] = path;
    return true;
}

std::optional<std::string> IwadRegistry::pathForFileName(std::string_view fileName) const {
    const auto kind = iwadKindOfPath(fileName);
    if (!kind)
        return std::nullopt;
    return path(*kind);
}

void IwadRegistry::clear() {
    paths = {};
    slotPaths = {};
}

std::vector<std::string> IwadRegistry::fillSlotsFromBuffer() {
    std::vector<std::string> copied;
    for (std::size_t i = 0; i < StoredFiles.size() && i < slotPaths.size(); ++i) {
        slotPaths[i] = StoredFiles[i];
        copied.push_back(StoredFiles[i]);
    }
    StoredFiles.clear();
    return copied;
}

std::string iwadEnvironmentFolder(const EnvironmentLookup& env) {
    std::string folder = existingEnvFolder(env, "$DOOMWADDIR");
    if (folder.empty())
        folder = existingEnvFolder(env, "DOOMWADDIR");
    return folder;
}

void searchIwads(IwadRegistry& registry, const std::string& root, const EnvironmentLookup& env) {
    const std::string envFolder = iwadEnvironmentFolder(env);
    const std::string data = join(root, "Data");
    const std::string iwads = join(root, "Iwads");

    auto tryRegister = [&registry](const std::string& folder, IwadKind kind) {
        if (folder.empty())
            return;
        if (const auto file = existingFile(join(folder, iwadKindInfo(kind).fileName)))
            registry.registerPath(*file);
    };

    for (const std::string& folder : {envFolder, root, data, iwads})
        for (const IwadKind kind : kSearchOrder)
            tryRegister(folder, kind);
    for (const std::string& folder : {envFolder, iwads, data, root})
        tryRegister(folder, IwadKind::Shareware);
}

namespace {

// The folders of a colon-separated list; empty entries are skipped.
std::vector<std::string> splitFolderList(std::string_view list) {
    std::vector<std::string> folders;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t colon = std::min(list.find(':', start), list.size());
        if (colon > start)
            folders.push_back(folderText(list.substr(start, colon - start)));
        start = colon + 1;
    }
    return folders;
}

std::string envValue(const EnvironmentLookup& env, const char* name) {
    const auto value = env ? env(name) : std::nullopt;
    return value ? *value : std::string();
}

} // namespace

std::vector<std::string> linuxIwadFolders(const EnvironmentLookup& env) {
    std::vector<std::string> candidates = splitFolderList(envValue(env, "DOOMWADPATH"));
    std::string dataHome = envValue(env, "XDG_DATA_HOME");
    if (dataHome.empty()) {
        const std::string home = envValue(env, "HOME");
        if (!home.empty())
            dataHome = join(folderText(home), ".local/share");
    }
    if (!dataHome.empty())
        candidates.push_back(join(folderText(dataHome), "games/doom"));
    std::string dataDirs = envValue(env, "XDG_DATA_DIRS");
    if (dataDirs.empty())
        dataDirs = "/usr/local/share:/usr/share";
    for (const std::string& dir : splitFolderList(dataDirs))
        candidates.push_back(join(dir, "games/doom"));

    std::vector<std::string> folders;
    for (const std::string& folder : candidates)
        if (ci::isFolder(folder))
            folders.push_back(folder);
    return folders;
}

namespace {

void registerFirstNamed(IwadRegistry& registry, const std::vector<std::string>& folders,
                        IwadKind kind, const char* name, const IwadFileCheck& accept) {
    for (const std::string& folder : folders) {
        if (registry.isRegistered(kind))
            return;
        const auto file = existingFile(join(folder, name));
        if (file && (!accept || accept(*file, kind)))
            registry.registerPath(*file);
    }
}

} // namespace

void registerCommercialIwadsIn(IwadRegistry& registry, const std::vector<std::string>& folders,
                               const IwadFileCheck& accept) {
    for (const IwadKind kind : kSearchOrder)
        registerFirstNamed(registry, folders, kind, iwadKindInfo(kind).fileName, accept);
    registerFirstNamed(registry, folders, IwadKind::Shareware,
                       iwadKindInfo(IwadKind::Shareware).fileName, accept);
}

void searchLinuxIwadPlaces(IwadRegistry& registry, const EnvironmentLookup& env) {
    const std::vector<std::string> folders = linuxIwadFolders(env);
    registerCommercialIwadsIn(registry, folders);
    searchStoreIwads(registry, envValue(env, "HOME"));
    for (const IwadKind kind : {IwadKind::Doom2, IwadKind::Doom})
        registerFirstNamed(registry, folders, kind, iwadKindInfo(kind).standIn, {});
}

bool isFreedoomStandIn(std::string_view path) {
    const std::string_view name = fileNameOfPath(path);
    return std::any_of(kKinds.begin(), kKinds.end(), [&](const IwadKindInfo& info) {
        return info.standIn && iequals(name, info.standIn);
    });
}

bool engineFindsIwad(std::string_view iwadPath, const std::string& root,
                     const EnvironmentLookup& env) {
    const std::string_view name = fileNameOfPath(iwadPath);
    if (name.empty())
        return false;
    const std::string places[] = {existingEnvFolder(env, "DOOMWADDIR"),
                                  existingEnvFolder(env, "$DOOMWADDIR"), root, join(root, "Data"),
                                  join(root, "Iwads")};
    for (const std::string& folder : places)
        if (!folder.empty() && ci::isFile(join(folder, name)))
            return true;
    return false;
}

std::string iwadLocationTest(std::string_view iwadPath, const std::string& root,
                             const EnvironmentLookup& env) {
    return engineFindsIwad(iwadPath, root, env) ? "False" : "True";
}

std::string iwadsCfgPath(const std::string& dataFolder) {
    return join(dataFolder, kIwadsCfg);
}

int readIwadsCfg(IwadRegistry& registry, const std::string& dataFolder, const std::string& root) {
    registry.addDialogFolder = root;
    const std::string cfg = iwadsCfgPath(dataFolder);
    if (!ci::isFile(cfg))
        return 0;
    TextLines read = readTextLines(cfg);
    // The file holds the four slots; anything after them is not a slot.
    if (read.lines.size() > static_cast<std::size_t>(kIwadSlotCount))
        read.lines.resize(kIwadSlotCount);

    int existing = 0;
    for (std::size_t i = 0; i < read.lines.size(); ++i) {
        const std::string& line = read.lines[i];
        if (!plausiblePathLine(line))
            continue;
        const std::string path = ci::nativeSeparators(line);
        if (i == 0) {
            const std::string folder = folderOfPath(path);
            if (!folder.empty() && ci::isFolder(folder))
                registry.addDialogFolder = ci::resolve(folder)->string();
        }
        if (const auto file = existingFile(path)) {
            ++existing;
            registry.registerPath(*file);
        }
    }
    if (existing == 0)
        ci::removeFile(cfg);
    return existing;
}

bool writeIwadsCfg(const IwadRegistry& registry, const std::string& dataFolder) {
    const std::vector<std::string> lines(registry.slotPaths.begin(), registry.slotPaths.end());
    return writeTextLines(iwadsCfgPath(dataFolder), lines) == IoStatus::Ok;
}

void deleteIwadsCfg(const std::string& dataFolder) {
    const std::string cfg = iwadsCfgPath(dataFolder);
    if (ci::isFile(cfg))
        ci::removeFile(cfg);
}

void removeIwadNodeCache(const std::string& iwadPath) {
    const std::string_view name = fileNameOfPath(iwadPath);
    const auto dot = name.rfind('.');
    if (dot == std::string_view::npos || !iequals(name.substr(dot), ".wad"))
        return;
    const std::string cache = iwadPath.substr(0, iwadPath.size() - (name.size() - dot)) + ".KRVgwa";
    if (ci::isFile(cache))
        ci::removeFile(cache);
}

bool registerIwadsAtStartup(IwadRegistry& registry, const std::string& root,
                            const std::string& dataFolder, const EnvironmentLookup& env) {
    registry.clear();
    registry.StoredFiles.clear();
    searchIwads(registry, root, env);
    readIwadsCfg(registry, dataFolder, root);
    searchLinuxIwadPlaces(registry, env);
    const bool nothingFound = registry.StoredFiles.empty();
    const StoreFolders stores(envValue(env, "HOME"));
    for (const std::string& path : registry.fillSlotsFromBuffer())
        if (!stores.holds(path))
            removeIwadNodeCache(path);
    return nothingFound;
}

bool searchIwadsFromDialog(IwadRegistry& registry, const std::string& root,
                           const std::string& dataFolder, const EnvironmentLookup& env) {
    registry.clear();
    deleteIwadsCfg(dataFolder);
    registry.StoredFiles.clear();
    searchIwads(registry, root, env);
    searchLinuxIwadPlaces(registry, env);
    registry.fillSlotsFromBuffer();

    const StoreFolders stores(envValue(env, "HOME"));
    const auto& slots = registry.slotPaths;
    const bool fromStore = std::any_of(slots.begin(), slots.end(), [&](const std::string& path) {
        return !path.empty() && stores.holds(path);
    });
    return fromStore && std::none_of(slots.begin(), slots.end(), isFreedoomStandIn);
}

std::vector<std::string> doomGamesTitles(const IwadRegistry& registry, bool customFont) {
    std::vector<std::string> titles;
    for (const auto& info : kKinds)
        if (registry.isRegistered(info.kind))
            titles.emplace_back(customFont ? info.title : info.capitalTitle);
    return titles;
}

} // namespace krv
