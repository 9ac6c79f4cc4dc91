#pragma once
// The maps of a game file, as the inspection tool lists them, and the warp
// target that follows from the chosen map.

#include "launcher/inspect/iwad_registry.h"
#include "launcher/platform/platform.h"
#include "launcher/startup/install_paths.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace krv {

// Runs "KRVgfiles <verb> "<path>"" hidden from the installation's Bin folder.
HiddenRunResult runInspectionToolChecked(Platform& platform, const InstallPaths& paths,
                                         const std::string& verb, const std::string& path);
// ... and returns only what it printed; empty when it could not run.
std::string runInspectionTool(Platform& platform, const InstallPaths& paths,
                              const std::string& verb, const std::string& path);

// Runs "KRVgfiles <verb> "<file>"" for each file, several at a time, and
// returns the results in the order of the files. CHECKWAD runs go in
// batches, many files to one run of CHECKWADS, with the results a run of
// each file alone gives. More files than a handful show their progress;
// nothing when the user cancelled.
std::optional<std::vector<HiddenRunResult>>
runInspectionToolOnEach(Platform& platform, const InstallPaths& paths, const std::string& verb,
                        const std::vector<std::string>& files);

// The message for a tool that could not be run; empty when it ran.
std::string toolFailureMessage(const HiddenRunResult& run);

// The savegame list entries of GETSAVEHDRS output: "3 -  Castle gate" for
// slot 3 described "Castle gate"; slots without a description are left out.
std::vector<std::string> parseSaveGameList(const std::string& output);
// The row of the entry of `slot` among such entries; -1 for none.
int saveGameRowOfSlot(const std::vector<std::string>& entries, const std::string& slot);
// The row of the entry whose saved game file in `folder` was written last;
// -1 when no entry has its file. Of equal times the first entry wins.
int newestSaveGameRow(const std::vector<std::string>& entries, const std::string& folder);

struct WadCheck {
    std::vector<std::string> lines; // every output line, then one empty line
    std::vector<std::string> maps;  // "E1M1" ... then "MAP01" ...
};

// Reads the CHECKWAD output; nothing at all for an empty output.
WadCheck parseWadCheck(const std::string& output);

// The map titles of MAPTITLES output ("MAP01 Entryway" a line), by map name.
std::map<std::string, std::string> parseMapTitles(const std::string& output);

// 100 plus the level count the output names, or 10 for an empty output.
int wadCheckScore(const std::string& output);

// The warp target of the map at `selected` (-1: none) and the IWAD its kind
// of maps needs. A map list of neither kind leaves both as they were.
struct WarpChoice {
    std::string iwadPath;
    std::string warpMap;
};
WarpChoice warpTargetFor(const std::vector<std::string>& maps, int selected,
                         const IwadRegistry& iwads, const std::string& mainWad, WarpChoice current);

} // namespace krv
