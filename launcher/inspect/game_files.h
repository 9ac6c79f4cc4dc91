#pragma once
// The files of a game folder: which ones the game files list shows (with the
// upkeep done while listing: node caches deleted, WAD backups restored),
// which WAD is the game's main WAD, and which files the engine loads.

#include "launcher/platform/platform.h"
#include "launcher/startup/install_paths.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace krv {

// The decision of the game file filter for a file name, without touching the
// disk. "Display wad files only" hides the text and patch files; a name
// unusable in a path or a command line is never shown.
bool gameFileShown(std::string_view name, bool wadFilesOnly);

// The upkeep the filter does on a file it hides: a GL-nodes cache
// ("...KRVgwa") is deleted; a WAD backup ("...KRVbak") replaces the file of
// the same name ending in "wad" and disappears. Returns the name of the
// restored WAD, or nothing when no WAD was restored.
std::optional<std::string> tidyGameFile(const std::string& folder, const std::string& name);

// The whole filter for one file of a game folder: the upkeep, then the
// decision. True when the game files list shows the file.
bool filterGameFile(const std::string& folder, const std::string& name, bool wadFilesOnly);

// Lists the files (not the subfolders) of a game folder through the filter,
// in enumeration order, and returns the names to show. A WAD restored from
// its backup is shown where the backup was, unless the folder already held
// it. A missing or vanishing folder gives what was listed so far.
std::vector<std::string> listGameFiles(const std::string& folder, bool wadFilesOnly);

// Check a WAD: 100 plus the level count of the file at `path`, or 10 when it
// is not a WAD.
using WadChecker = std::function<int(const std::string& path)>;

// Check a WAD for several files at once: their values in the order of the
// paths, or nothing when the checks were cancelled.
using WadBatchChecker =
    std::function<std::optional<std::vector<int>>(const std::vector<std::string>& paths)>;

// Checks the files one after another with `checker`.
WadBatchChecker oneAfterAnother(WadChecker checker);

// The checker that runs the inspection tool hidden, once per file, several
// at a time.
WadBatchChecker toolWadChecker(Platform& platform, const InstallPaths& paths);

// An entry of the ranking of a game's WADs.
struct WadRank {
    int value = 0;    // the Check a WAD value
    std::string path; // full path
    // The entry as the ranking list writes it: the value's digits, then the
    // path.
    std::string text() const { return std::to_string(value) + path; }
};

// Orders the ranking ascending: by value, then by path ignoring case. For
// the three-digit values of WADs this is the order of the entries' texts
// ignoring case; a non-WAD (10) sorts below every WAD whatever its path.
void sortRanking(std::vector<WadRank>& ranking);

// The main WAD among the listed names of `folder` (which ends in a
// separator): the only ".wad" name, or with two or more, the one with the
// highest Check a WAD value, the path that sorts last among equals. Checks
// the ".wad" names (in one batch) only when there are two or more. Nothing
// when no ".wad" name is listed or the checks were cancelled (the caller
// keeps its main WAD).
std::optional<std::string> mainWadAmong(const std::string& folder,
                                        const std::vector<std::string>& shownNames,
                                        const WadBatchChecker& checker);
std::optional<std::string> mainWadAmong(const std::string& folder,
                                        const std::vector<std::string>& shownNames,
                                        const WadChecker& checker);

// Lists `folder` through the filter and picks its main WAD as above.
std::optional<std::string> chooseMainWad(const std::string& folder, const WadBatchChecker& checker);
std::optional<std::string> chooseMainWad(const std::string& folder, const WadChecker& checker);

// The index of the game files list entry naming the main WAD's file,
// ignoring case; nothing when no entry does (the launch is then disabled).
std::optional<std::size_t> entryOfMainWad(const std::vector<std::string>& entries,
                                          std::string_view mainWad);

// The files the engine loads for a game, in load order.
struct LoadFile {
    std::string path;
    // The filter shows it (independent of "Display wad files only"); the
    // launch names only shown WADs.
    bool shownByFilter = true;
};

struct LoadList {
    bool inGameFolder = false; // the main WAD lies in a Pwads, Gwads or Zips folder
    std::vector<LoadFile> files;
    // The folder above Pwads or Gwads (its name only), or the full path of
    // the Zips folder.
    std::string gameFolder;
    bool zipGame = false; // the main WAD lies in the Zips work folder
};

// The load list for `mainWad`. Pwads and Zips: the main WAD, the folder's
// other WADs in enumeration order, then its ".deh" and ".ded" files in
// enumeration order. Gwads: no files (the engine loads the folder itself).
// Any other folder: not in a game folder, no files.
//
// With a checker, each other WAD is checked and those valued above 0 come
// before the rest; as every checker value is at least 10 this keeps the
// folder order, so the launch may pass no checker and spare the tool runs.
LoadList buildLoadList(const std::string& mainWad, const WadChecker& checker = {});

} // namespace krv
