#include "launcher/inspect/map_list.h"

#include "common/ci_path.h"
#include "common/strings.h"
#include "common/text_file.h"
#include "launcher/inspect/wad_check_batches.h"
#include "launcher/platform/process.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace krv {

namespace {

std::string toolCommandLine(const std::string& verb, const std::string& path) {
    return "KRVgfiles " + verb + " \"" + path + "\"";
}

std::string toolFolder(const InstallPaths& paths) {
    return paths.root + "/Bin";
}

} // namespace

HiddenRunResult runInspectionToolChecked(Platform& platform, const InstallPaths& paths,
                                         const std::string& verb, const std::string& path) {
    return platform.runHidden(toolCommandLine(verb, path), toolFolder(paths));
}

namespace {

constexpr const char* kCheckWad = "CHECKWAD";

// Shows the count of files done while the platform counts finished runs:
// `runs` runs of about equal size cover `files` files, after `before` files
// that were done already.
class FilesProgress final : public Progress {
public:
    FilesProgress(Progress& shown, std::size_t before, std::size_t files, std::size_t runs)
        : shown_(shown), before_(before), files_(files), runs_(std::max<std::size_t>(runs, 1)) {}
    bool update(std::size_t finishedRuns) override {
        return shown_.update(before_ + std::min(finishedRuns, runs_) * files_ / runs_);
    }

private:
    Progress& shown_;
    std::size_t before_;
    std::size_t files_;
    std::size_t runs_;
};

// One run of the tool per file; `before` files were done already.
std::optional<std::vector<HiddenRunResult>>
runOnEachFile(Platform& platform, const InstallPaths& paths, const std::string& verb,
              const std::vector<std::string>& files, Progress* progress, std::size_t before) {
    std::vector<std::string> lines;
    lines.reserve(files.size());
    for (const std::string& file : files)
        lines.push_back(toolCommandLine(verb, file));
    std::optional<FilesProgress> counted;
    if (progress)
        counted.emplace(*progress, before, files.size(), files.size());
    return platform.runHiddenAll(lines, toolFolder(paths), counted ? &*counted : nullptr);
}

// CHECKWAD of every file through few CHECKWADS runs, the results as if each
// file had had its own run. A run that did not start gives each of its files
// its failure; a file that a started run left without a record (it ended
// early, or the tool does not know the command) gets a CHECKWAD run of its
// own.
std::optional<std::vector<HiddenRunResult>>
checkWadsInBatches(Platform& platform, const InstallPaths& paths,
                   const std::vector<std::string>& files, Progress* progress) {
    const std::vector<WadBatch> batches = wadBatches(files, kRunsInFlight);
    std::vector<std::string> lines;
    lines.reserve(batches.size());
    for (const WadBatch& batch : batches)
        lines.push_back(wadBatchCommandLine(files, batch));
    std::optional<FilesProgress> counted;
    if (progress)
        counted.emplace(*progress, 0, files.size(), batches.size());
    const auto runs =
        platform.runHiddenAll(lines, toolFolder(paths), counted ? &*counted : nullptr);
    if (!runs || runs->size() != batches.size())
        return std::nullopt;

    std::vector<HiddenRunResult> results(files.size());
    std::vector<std::size_t> leftOver;
    for (std::size_t b = 0; b < batches.size(); ++b) {
        const HiddenRunResult& run = (*runs)[b];
        auto split = splitWadChecks(run.output, batches[b].count);
        for (std::size_t k = 0; k < split.size(); ++k) {
            const std::size_t i = batches[b].first + k;
            if (split[k])
                results[i] = std::move(*split[k]);
            else if (!run.started)
                results[i] = run;
            else
                leftOver.push_back(i);
        }
    }
    if (leftOver.empty())
        return results;
    std::vector<std::string> alone;
    for (const std::size_t i : leftOver)
        alone.push_back(files[i]);
    const auto runsAlone =
        runOnEachFile(platform, paths, kCheckWad, alone, progress, files.size() - alone.size());
    if (!runsAlone)
        return std::nullopt;
    for (std::size_t k = 0; k < leftOver.size(); ++k)
        results[leftOver[k]] = std::move((*runsAlone)[k]);
    return results;
}

} // namespace

std::optional<std::vector<HiddenRunResult>>
runInspectionToolOnEach(Platform& platform, const InstallPaths& paths, const std::string& verb,
                        const std::vector<std::string>& files) {
    std::unique_ptr<Progress> progress;
    if (files.size() > kRunsWithoutProgress)
        progress = platform.showProgress(
            "Checking " + std::to_string(files.size()) + " wads of the game...", files.size());
    if (verb == kCheckWad)
        return checkWadsInBatches(platform, paths, files, progress.get());
    return runOnEachFile(platform, paths, verb, files, progress.get(), 0);
}

std::string runInspectionTool(Platform& platform, const InstallPaths& paths,
                              const std::string& verb, const std::string& path) {
    return runInspectionToolChecked(platform, paths, verb, path).output;
}

std::string toolFailureMessage(const HiddenRunResult& run) {
    if (run.started)
        return {};
    return std::string(run.pipeFailed ? "CreatePipe failed. Error: "
                                      : "CreateProcess failed. Error: ") +
           std::to_string(run.errorNumber);
}

int saveGameRowOfSlot(const std::vector<std::string>& entries, const std::string& slot) {
    for (std::size_t i = 0; !slot.empty() && i < entries.size(); ++i)
        if (entries[i].substr(0, 1) == slot)
            return static_cast<int>(i);
    return -1;
}

int newestSaveGameRow(const std::vector<std::string>& entries, const std::string& folder) {
    int newest = -1;
    std::filesystem::file_time_type newestTime{};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const auto file =
            ci::resolve(folder + ci::kSep + "KorvathSav" + entries[i].substr(0, 1) + ".krvsg");
        std::error_code error;
        const auto written = file ? std::filesystem::last_write_time(*file, error)
                                  : std::filesystem::file_time_type{};
        if (!file || error || (newest >= 0 && written <= newestTime))
            continue;
        newest = static_cast<int>(i);
        newestTime = written;
    }
    return newest;
}

std::vector<std::string> parseSaveGameList(const std::string& output) {
    std::vector<std::string> entries;
    for (const std::string& whole : splitLines(output)) {
        const std::string line(trimRight(whole));
        // The slot digit and its separating blank, then the description.
        if (line.size() <= 2)
            continue;
        entries.push_back(line.substr(0, 1) + " - " + line.substr(1));
    }
    return entries;
}

WadCheck parseWadCheck(const std::string& output) {
    WadCheck check;
    if (output.empty())
        return check;
    check.lines = splitLines(output + "\r\n");
    // The kind, "NUMLEVELS" and "GLNODES" lines come first; each later line
    // starts with a map name of up to five characters.
    for (std::size_t i = 3; i < check.lines.size(); ++i) {
        const std::string& line = check.lines[i];
        if (!line.empty())
            check.maps.emplace_back(trim(std::string_view(line).substr(0, 5)));
    }
    return check;
}

std::map<std::string, std::string> parseMapTitles(const std::string& output) {
    std::map<std::string, std::string> titles;
    for (const std::string& line : splitLines(output)) {
        const std::size_t blank = line.find(' ');
        if (blank == 0 || blank == std::string::npos || blank > 5)
            continue;
        const std::string_view title = trim(std::string_view(line).substr(blank + 1));
        if (!title.empty())
            titles.emplace(line.substr(0, blank), std::string(title));
    }
    return titles;
}

int wadCheckScore(const std::string& output) {
    if (output.empty())
        return 10;
    // The count follows "NUMLEVELS " on the second line, at characters 17
    // and 18 of the output (the first line is "IWAD" or "PWAD" and CR LF).
    const auto digitAt = [&](std::size_t i) {
        return i < output.size() && std::isdigit(static_cast<unsigned char>(output[i]));
    };
    int count = 0;
    if (digitAt(16))
        count = output[16] - '0';
    if (digitAt(16) && digitAt(17))
        count = count * 10 + (output[17] - '0');
    return 100 + count;
}

WarpChoice warpTargetFor(const std::vector<std::string>& maps, int selected,
                         const IwadRegistry& iwads, const std::string& mainWad,
                         WarpChoice current) {
    if (maps.empty())
        return current;
    const std::string& first = maps.front();
    const std::string chosen =
        selected >= 0 && selected < static_cast<int>(maps.size()) ? maps[selected] : std::string();
    if (!first.empty() && first[0] == 'E') {
        current.iwadPath = iwads.path(IwadKind::Doom);
        if (chosen.size() >= 4)
            current.warpMap = std::string{chosen[1], ' ', chosen[3]};
    } else if (!first.empty() && first[0] == 'M') {
        current.iwadPath = iwads.path(IwadKind::Doom2);
        if (chosen.size() >= 2)
            current.warpMap = chosen.substr(chosen.size() - 2);
    } else {
        return current;
    }
    if (iequals(fileNameOfPath(mainWad), "Twzone.wad"))
        current.iwadPath = iwads.path(IwadKind::Doom2);
    return current;
}

} // namespace krv
