#pragma once
// The zip library's files: its folder and "archives.krv", the install
// folder "pwads.krv", copying extracted files into a game, and renaming or
// deleting an archive with what belongs to it.

#include "launcher/startup/install_paths.h"

#include <optional>
#include <string>
#include <vector>

namespace krv {

// The text of the folder browser for the zip library folder: a label and
// the current folder above the instruction while the folder is short.
std::string zipFolderBrowseText(const std::string& folder);

// The zip library folder after the browser: the chosen folder, or the
// current one when cancelled; the default KRVArchives when that does not
// exist. Written to "archives.krv" either way.
std::string settleZipLibraryFolder(const InstallPaths& paths,
                                   const std::optional<std::string>& chosen,
                                   const std::string& current);

// The folder the install dialog starts in: the one of "pwads.krv" while it
// exists, else the zip library folder.
std::string lastInstallFolder(const InstallPaths& paths);
void writeLastInstallFolder(const InstallPaths& paths, const std::string& folder);

// The archives of the zip library folder by base name, sorted without
// regard to case. An archive whose name is unusable (".zip", "...zip", a
// quote or a control byte in it) is left out: its base name would stand
// for the folder itself or break a command line.
std::vector<std::string> zipArchiveNames(const std::string& folder);

// True while another program holds the file open exclusively.
bool fileInUse(const std::string& path);

// Copies every file (not the folders) of `from` into `to`, overwriting.
// Each written file must lie inside `within` (the games folder), so a game
// folder that is a link out of it receives nothing.
void copyFolderFiles(const std::string& from, const std::string& to, const std::string& within);

enum class ArchiveChange { Done, InUse, Failed };

// Renames "<folder>/<oldName>.zip" to "<newName>.zip" and forgets the old
// archive's map and savegame records; its saved games stay.
ArchiveChange renameArchive(const InstallPaths& paths, const std::string& folder,
                            const std::string& oldName, const std::string& newName);

// Deletes "<folder>/<name>.zip", its check file, its records and its saved
// games, unless the archive is in use.
ArchiveChange deleteArchive(const InstallPaths& paths, const std::string& folder,
                            const std::string& name);

} // namespace krv
