#include "launcher/library/zip_library.h"

#include "launcher/library/game_info.h"

#include "common/ci_path.h"
#include "common/safe_names.h"
#include "common/strings.h"
#include "common/text_file.h"

#include <algorithm>

namespace krv {

namespace {

constexpr const char* kBrowseInstruction = "Select the new location of your zipped wad files ...";

std::string firstLineOf(const std::string& file) {
    const TextLines text = readTextLines(file);
    return text.lines.empty() ? std::string() : text.lines.front();
}

std::string archivePath(const std::string& folder, const std::string& name) {
    return folder + ci::kSep + name + ".zip";
}

// The archive's records are found the way the games list keys them.
void forgetArchiveRecords(const InstallPaths& paths, const std::string& name) {
    const GameInfoStore store(paths);
    const SelectedGame zip{SelectedKind::Zip, name, {}};
    for (const std::string& record : {store.mapRecordPath(zip), store.saveRecordPath(zip)})
        if (!record.empty())
            ci::removeFileInside(store.folder(), record);
}

} // namespace

std::string zipFolderBrowseText(const std::string& folder) {
    const std::size_t n = folder.size();
    if (n >= 50)
        return kBrowseInstruction;
    const char* label = n <= 30 ? "Current Location: " : n <= 40 ? "Location: " : "";
    return label + folder + "\r\n" + kBrowseInstruction;
}

std::string settleZipLibraryFolder(const InstallPaths& paths,
                                   const std::optional<std::string>& chosen,
                                   const std::string& current) {
    std::string folder = chosen ? *chosen : current;
    if (!ci::isFolder(folder))
        folder = paths.root + ci::kSep + "KRVArchives";
    writeTextLines(ci::resolveForWrite(paths.dataFolder + "archives.krv"), {folder});
    return folder;
}

std::string lastInstallFolder(const InstallPaths& paths) {
    const std::string file = paths.dataFolder + "pwads.krv";
    std::string folder = ci::isFile(file) ? firstLineOf(file) : std::string();
    if (!folder.empty() && !ci::isFolder(folder))
        folder.clear();
    return folder.empty() ? paths.archivesFolder : folder;
}

void writeLastInstallFolder(const InstallPaths& paths, const std::string& folder) {
    writeTextLines(ci::resolveForWrite(paths.dataFolder + "pwads.krv"), {folder});
}

std::vector<std::string> zipArchiveNames(const std::string& folder) {
    std::vector<std::string> names;
    for (const std::string& name : ci::listFolder(folder))
        if (iendsWith(name, ".zip") && isUsableName(name) && ci::isFile(folder + ci::kSep + name))
            names.push_back(name.substr(0, name.size() - 4));
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return icompare(a, b) < 0; });
    return names;
}

ArchiveChange renameArchive(const InstallPaths& paths, const std::string& folder,
                            const std::string& oldName, const std::string& newName) {
    if (!isUsableName(oldName) || !isUsableName(newName))
        return ArchiveChange::Failed;
    const std::string from = archivePath(folder, oldName);
    const std::string to = archivePath(folder, newName);
    // Tested before the rename, so that a refusal leaves the archive as it was.
    if (ci::fileInUse(from))
        return ArchiveChange::InUse;
    if (!iequals(oldName, newName) && ci::exists(to))
        return ArchiveChange::Taken;
    if (ci::renameInside(folder, from, to))
        return ci::exists(from) ? ArchiveChange::AccessDenied : ArchiveChange::Failed;
    forgetArchiveRecords(paths, oldName);
    return ArchiveChange::Done;
}

ArchiveChange deleteArchive(const InstallPaths& paths, const std::string& folder,
                            const std::string& name) {
    // An empty, "." or ".." name would make the saved games folder below
    // UserSG itself or the installation root.
    if (!isUsableName(name))
        return ArchiveChange::Failed;
    const std::string archive = archivePath(folder, name);
    if (ci::fileInUse(archive))
        return ArchiveChange::InUse;
    if (!ci::removeFileInside(folder, archive))
        return ArchiveChange::AccessDenied;
    const std::string checks = paths.launcherFolder + "Zips/Checks";
    ci::removeFileInside(checks, checks + ci::kSep + name + ".krvchk");
    forgetArchiveRecords(paths, name);
    const std::string saves = paths.root + "/UserSG";
    ci::removeTreeInside(saves, saves + ci::kSep + name);
    return ArchiveChange::Done;
}

} // namespace krv
