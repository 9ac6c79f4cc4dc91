#include "launcher/library/games_list_rules.h"

#include "launcher/inspect/iwad_registry.h"

#include "common/strings.h"

#include <cctype>
#include <filesystem>

namespace krv {

namespace {

// A regular file ending in ".wad" or ".zip", whatever the case.
bool isInstallableLevel(const std::string& path) {
    std::error_code ec;
    return (iendsWith(path, ".wad") || iendsWith(path, ".zip")) &&
           std::filesystem::is_regular_file(path, ec);
}

} // namespace

DroppedFiles sortDroppedFiles(const std::vector<std::string>& files) {
    DroppedFiles sorted;
    for (const std::string& file : files) {
        if (isInstallableLevel(file))
            sorted.levels.push_back(file);
        else
            sorted.refused +=
                std::string(sorted.refused.empty() ? "" : ", ") + std::string(fileNameOfPath(file));
    }
    return sorted;
}

std::string zipLibraryEntry(std::string name, bool launcherFont) {
    if (!launcherFont)
        return toUpper(name);
    if (!name.empty())
        name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    return name;
}

bool opensInTextEditor(const std::string& name) {
    return iequals(name, "sndinfo") || iequals(name, "dd_defns") || iequals(name, "scp_zoff") ||
           iequals(name, "scp_defn");
}

bool holdsMoreThanGameFiles(const std::vector<std::string>& files) {
    std::size_t lastWad = 0;
    for (std::size_t i = 0; i < files.size(); ++i)
        if (iendsWith(files[i], ".wad"))
            lastWad = i + 1;
    return lastWad > 3;
}

} // namespace krv
