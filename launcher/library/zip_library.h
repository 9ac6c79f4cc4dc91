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

// InUse: another program holds the archive; Taken: the new name is another
// archive's; AccessDenied: the zip library folder cannot be changed;
// Failed: a name that cannot be an archive's.
enum class ArchiveChange { Done, InUse, Taken, AccessDenied, Failed };

// Renames "<folder>/<oldName>.zip" to "<newName>.zip", unless the archive is
// in use, and forgets the old archive's map and savegame records; its saved
// games stay.
ArchiveChange renameArchive(const InstallPaths& paths, const std::string& folder,
                            const std::string& oldName, const std::string& newName);

// Deletes "<folder>/<name>.zip", its check file, its records and its saved
// games, unless the archive is in use; an archive that cannot be deleted
// keeps all of them.
ArchiveChange deleteArchive(const InstallPaths& paths, const std::string& folder,
                            const std::string& name);

} // namespace krv
