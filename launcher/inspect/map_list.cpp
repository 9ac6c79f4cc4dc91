#include "launcher/inspect/map_list.h"

#include "common/ci_path.h"
#include "common/strings.h"
#include "common/text_file.h"

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

std::optional<std::vector<HiddenRunResult>>
runInspectionToolOnEach(Platform& platform, const InstallPaths& paths, const std::string& verb,
                        const std::vector<std::string>& files) {
    std::vector<std::string> lines;
    lines.reserve(files.size());
    for (const std::string& file : files)
        lines.push_back(toolCommandLine(verb, file));
    std::unique_ptr<Progress> progress;
    if (files.size() > kRunsWithoutProgress)
        progress = platform.showProgress(
            "Checking " + std::to_string(files.size()) + " wads of the game...", files.size());
    return platform.runHiddenAll(lines, toolFolder(paths), progress.get());
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
