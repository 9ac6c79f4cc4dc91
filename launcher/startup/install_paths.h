#pragma once
// Every folder of the installation, derived once from the installation root
// (the parent of the folder that holds the launcher executable). Folder texts
// that other code appends names to end with the separator.

#include <string>

namespace krv {

struct InstallPaths {
    std::string root;              // no trailing separator
    std::string archivesFolder;    // zip library; replaced by "archives.krv"
    std::string dataFolder;        // KRVLaunch/Data/
    std::string baseDefsFolder;    // Defs/Base/
    std::string modelDefsFolder;   // Defs/Model/
    std::string addonDefsFolder;   // Defs/Model/Addon/
    std::string braskenDefsFolder; // Defs/Model/Brasken/
    std::string quilspackDefsFolder;
    std::string launcherFolder; // KRVLaunch/
    std::string gamesFolder;    // KRVGames/
    std::string customDefsFolder;
    std::string musicFolder; // KRVLaunch/Music/
    std::string modelFolder; // Md2/

    static InstallPaths fromRoot(const std::string& root);

    // The files checked at start, in their order.
    std::string engineExe() const;
    std::string inspectionToolExe() const;
    std::string unzipModule() const;
    std::string soundModule() const;
    // The launcher itself, as the restart names it.
    std::string launcherExe() const;
    std::string configFile() const;
};

// The installation root for a launcher executable at `exePath`: the parent of
// the executable's folder, made absolute.
std::string rootFromExecutable(const std::string& exePath);

} // namespace krv
