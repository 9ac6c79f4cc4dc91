#include "launcher/inspect/game_files.h"

#include "common/ci_path.h"
#include "common/safe_names.h"
#include "common/strings.h"
#include "launcher/inspect/iwad_registry.h"
#include "launcher/inspect/map_list.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <system_error>

namespace krv {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kNodeCacheEnding = "KRVgwa";
constexpr std::string_view kBackupEnding = "KRVbak";

// Lump files the engine reads from a game folder; they have no extension.
constexpr std::array<std::string_view, 4> kLumpFiles = {"dd_defns", "scp_defn", "scp_zoff",
                                                        "sndinfo"};
// Text and patch files. "html" has no dot: the endings are the last four
// characters.
constexpr std::array<std::string_view, 8> kTextEndings = {".txt", ".htm", "html", ".doc",
                                                          ".deh", ".bex", ".ded", ".lmp"};

bool isWadName(std::string_view name) {
    return iendsWith(name, ".wad");
}

// The IWADs and the model pack's WAD never count as game files.
bool isHiddenWad(std::string_view name) {
    if (iequals(name, "quilspack.wad"))
        return true;
    const auto& kinds = iwadKinds();
    return std::any_of(kinds.begin(), kinds.end(),
                       [&](const IwadKindInfo& kind) { return iequals(name, kind.fileName); });
}

// True when `match(text, name)` holds for one of the texts.
template <typename Texts>
bool anyMatches(const Texts& texts, bool (*match)(std::string_view, std::string_view),
                std::string_view name) {
    return std::any_of(std::begin(texts), std::end(texts),
                       [&](std::string_view text) { return match(name, text); });
}

bool containsIgnoringCase(const std::vector<std::string>& names, std::string_view name) {
    return anyMatches(names, iequals, name);
}

ci::Path folderPath(const std::string& folder) {
    return ci::Path(ci::nativeSeparators(folder));
}

std::string withTrailingSeparator(const std::string& folder) {
    if (folder.empty() || folder.back() == '/' || folder.back() == '\\')
        return folder;
    return folder + ci::kSep;
}

// The names of the files of a folder (subfolders left out) in enumeration
// order. The folder is found without regard to case; the entry types come
// with the listing, so no file is looked at twice.
std::vector<std::string> fileNamesIn(const std::string& folder) {
    std::vector<std::string> names;
    const auto dir = ci::resolve(folderPath(folder));
    if (!dir)
        return names;
    std::error_code ec;
    fs::directory_iterator it(*dir, fs::directory_options::skip_permission_denied, ec);
    for (const fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->is_regular_file(typeError))
            names.push_back(it->path().filename().string());
    }
    return names;
}

// Puts the backup in place of its WAD in one step, so that a failure leaves
// the backup where it was and never a half-copied WAD.
std::optional<std::string> restoreBackup(const ci::Path& folder, const std::string& name) {
    const auto backup = ci::resolve(folder / name);
    std::error_code ec;
    if (!backup || !fs::is_regular_file(*backup, ec))
        return std::nullopt;
    const std::string wadName = name.substr(0, name.size() - kBackupEnding.size()) + "wad";
    const ci::Path wad = ci::resolveForWrite(folder / wadName);
    fs::rename(*backup, wad, ec);
    if (ec)
        return std::nullopt;
    return wad.filename().string();
}

} // namespace

bool gameFileShown(std::string_view name, bool wadFilesOnly) {
    // A name that cannot stand in a path or a command line is never offered.
    if (!isUsableName(name) || isHiddenWad(name))
        return false;
    if (anyMatches(kLumpFiles, iequals, name) || isWadName(name))
        return true;
    return anyMatches(kTextEndings, iendsWith, name) && !wadFilesOnly;
}

std::optional<std::string> tidyGameFile(const std::string& folder, const std::string& name) {
    if (!isUsableName(name))
        return std::nullopt;
    const ci::Path dir = folderPath(folder);
    if (iendsWith(name, kNodeCacheEnding))
        ci::removeFileInside(dir, dir / name);
    else if (iendsWith(name, kBackupEnding))
        return restoreBackup(dir, name);
    return std::nullopt;
}

bool filterGameFile(const std::string& folder, const std::string& name, bool wadFilesOnly) {
    if (gameFileShown(name, wadFilesOnly))
        return true;
    tidyGameFile(folder, name);
    return false;
}

std::vector<std::string> listGameFiles(const std::string& folder, bool wadFilesOnly) {
    const std::vector<std::string> names = fileNamesIn(folder);
    std::vector<std::string> shown;
    for (const std::string& name : names) {
        if (gameFileShown(name, wadFilesOnly)) {
            shown.push_back(name);
            continue;
        }
        const auto restored = tidyGameFile(folder, name);
        if (restored && gameFileShown(*restored, wadFilesOnly) &&
            !containsIgnoringCase(names, *restored) && !containsIgnoringCase(shown, *restored))
            shown.push_back(*restored);
    }
    return shown;
}

WadBatchChecker oneAfterAnother(WadChecker checker) {
    return [checker = std::move(checker)](const std::vector<std::string>& paths) {
        std::vector<int> values;
        values.reserve(paths.size());
        for (const std::string& path : paths)
            values.push_back(checker(path));
        return std::optional(std::move(values));
    };
}

WadBatchChecker toolWadChecker(Platform& platform, const InstallPaths& paths) {
    return [&platform,
            paths](const std::vector<std::string>& files) -> std::optional<std::vector<int>> {
        const auto runs = runInspectionToolOnEach(platform, paths, "CHECKWAD", files);
        if (!runs)
            return std::nullopt;
        std::vector<int> values;
        values.reserve(runs->size());
        for (const HiddenRunResult& run : *runs)
            values.push_back(wadCheckScore(run.output));
        return values;
    };
}

void sortRanking(std::vector<WadRank>& ranking) {
    std::stable_sort(ranking.begin(), ranking.end(), [](const WadRank& a, const WadRank& b) {
        if (a.value != b.value)
            return a.value < b.value;
        return icompare(a.path, b.path) < 0;
    });
}

std::optional<std::string> mainWadAmong(const std::string& folder,
                                        const std::vector<std::string>& shownNames,
                                        const WadBatchChecker& checker) {
    const std::string prefix = withTrailingSeparator(folder);
    std::vector<std::string> wads;
    for (const std::string& name : shownNames)
        if (isWadName(name) && gameFileShown(name, false))
            wads.push_back(prefix + name);
    if (wads.empty())
        return std::nullopt;
    if (wads.size() == 1 || !checker)
        return wads.back();

    const auto values = checker(wads);
    if (!values || values->size() != wads.size())
        return std::nullopt;
    std::vector<WadRank> ranking;
    ranking.reserve(wads.size());
    for (std::size_t i = 0; i < wads.size(); ++i)
        ranking.push_back({(*values)[i], std::move(wads[i])});
    sortRanking(ranking);
    return std::move(ranking.back().path);
}

std::optional<std::string> mainWadAmong(const std::string& folder,
                                        const std::vector<std::string>& shownNames,
                                        const WadChecker& checker) {
    return mainWadAmong(folder, shownNames, checker ? oneAfterAnother(checker) : WadBatchChecker());
}

std::optional<std::string> chooseMainWad(const std::string& folder,
                                         const WadBatchChecker& checker) {
    return mainWadAmong(folder, listGameFiles(folder, false), checker);
}

std::optional<std::string> chooseMainWad(const std::string& folder, const WadChecker& checker) {
    return mainWadAmong(folder, listGameFiles(folder, false), checker);
}

std::optional<std::size_t> entryOfMainWad(const std::vector<std::string>& entries,
                                          std::string_view mainWad) {
    const std::string_view name = fileNameOfPath(mainWad);
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (iequals(entries[i], name))
            return i;
    return std::nullopt;
}

LoadList buildLoadList(const std::string& mainWad, const WadChecker& checker) {
    LoadList list;
    const std::string folder = folderOfPath(mainWad);
    const std::string_view folderName = fileNameOfPath(folder);
    const bool zips = iequals(folderName, "Zips");
    const bool pwads = iequals(folderName, "Pwads");
    if (!zips && !pwads && !iequals(folderName, "Gwads"))
        return list;

    list.inGameFolder = true;
    list.zipGame = zips;
    list.gameFolder = zips ? folder : std::string(fileNameOfPath(folderOfPath(folder)));
    if (!zips && !pwads)
        return list; // an auto-loading game: the engine loads its folder itself

    const std::string prefix = withTrailingSeparator(folder);
    const std::string_view mainName = fileNameOfPath(mainWad);
    const std::vector<std::string> names = fileNamesIn(folder);
    const auto entry = [&](const std::string& path) {
        return LoadFile{path, gameFileShown(fileNameOfPath(path), false)};
    };

    list.files.push_back(entry(mainWad));
    std::vector<LoadFile> unvalued; // other WADs whose check gave 0 or less
    for (const std::string& name : names) {
        if (!isWadName(name) || iequals(name, mainName))
            continue;
        LoadFile file = entry(prefix + name);
        if (!checker || checker(file.path) > 0)
            list.files.push_back(std::move(file));
        else
            unvalued.push_back(std::move(file));
    }
    list.files.insert(list.files.end(), unvalued.begin(), unvalued.end());
    for (const std::string& name : names)
        if (iendsWith(name, ".deh") || iendsWith(name, ".ded"))
            list.files.push_back(entry(prefix + name));
    return list;
}

} // namespace krv
