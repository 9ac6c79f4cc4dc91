#include "launcher/startup/install_paths.h"

#include "common/ci_path.h"

#include <filesystem>

namespace krv {

namespace {
std::string join(const std::string& root, const char* relative) {
    return root + ci::nativeSeparators(relative);
}
} // namespace

InstallPaths InstallPaths::fromRoot(const std::string& root) {
    InstallPaths p;
    p.root = root;
    while (p.root.size() > 1 && p.root.back() == ci::kSep)
        p.root.pop_back();
    // Computed in this order; later folders never depend on earlier ones.
    p.archivesFolder = join(p.root, "/KRVArchives");
    p.dataFolder = join(p.root, "/KRVLaunch/Data/");
    p.baseDefsFolder = join(p.root, "/Defs/Base/");
    p.modelDefsFolder = join(p.root, "/Defs/Model/");
    p.addonDefsFolder = join(p.root, "/Defs/Model/Addon/");
    p.braskenDefsFolder = join(p.root, "/Defs/Model/Brasken/");
    p.quilspackDefsFolder = join(p.root, "/Defs/Model/Quilspack/");
    p.launcherFolder = join(p.root, "/KRVLaunch/");
    p.gamesFolder = join(p.root, "/KRVGames/");
    p.customDefsFolder = join(p.root, "/Defs/Custom/");
    p.musicFolder = join(p.root, "/KRVLaunch/Music/");
    p.modelFolder = join(p.root, "/Md2/");
    return p;
}

std::string InstallPaths::engineExe() const {
    return root + "/Bin/Korvath.exe";
}
std::string InstallPaths::inspectionToolExe() const {
    return root + "/Bin/KRVgFiles.exe";
}
std::string InstallPaths::unzipModule() const {
    return root + "/Bin/unzip32.dll";
}
std::string InstallPaths::soundModule() const {
    return root + "/Bin/fmodex.dll";
}
std::string InstallPaths::launcherExe() const {
    return join(root, "/bin/KRVlauncher.exe");
}
std::string InstallPaths::configFile() const {
    return launcherFolder + "config.krv";
}

std::string rootFromExecutable(const std::string& exePath) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path folder = fs::absolute(fs::path(exePath), ec).parent_path();
    const fs::path canonical = fs::weakly_canonical(folder, ec);
    if (!ec)
        folder = canonical;
    return folder.parent_path().string();
}

} // namespace krv
