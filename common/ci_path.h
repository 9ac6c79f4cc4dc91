#pragma once
// Case-insensitive file-system access. The installation tree comes from
// Windows, and stored texts mix "Md2" and "md2", "Data" and "data"; every
// existence test, open, delete and listing of the programs goes through the
// resolver here, which matches a path component by component.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace krv::ci {

using Path = std::filesystem::path;

// The platform's own separator, used in every stored path text.
inline constexpr char kSep = '/';

// Turns a text that may use either separator into one with the platform's.
std::string nativeSeparators(std::string_view text);

// Finds the existing file or folder that `path` names without regard to
// case. An exact match wins over a case-insensitive one. A path with a ".."
// component, or a "." anywhere but at the start of a relative path, is
// found nowhere.
std::optional<Path> resolve(const Path& path);

// The spelling to use when writing `path`: the longest existing prefix as it
// exists on disk, the rest as written; empty for a path that resolve()
// refuses for its "." or ".." components, so that nothing is written there.
Path resolveForWrite(const Path& path);

bool exists(const Path& path);
bool isFile(const Path& path);
bool isFolder(const Path& path);

// Deletes a file (read-only ones too). True when no such file remains.
bool removeFile(const Path& path);

// Creates a folder and any missing parents. Components that exist with a
// different case are reused. True when the folder exists afterwards.
bool createFolder(const Path& path);

// Removes an empty folder. True when no such folder remains.
bool removeFolder(const Path& path);

// Deletes a file or a folder with its contents. A link is removed itself,
// never what it points to. True when nothing of it remains.
bool removeTree(const Path& path);

// Copies a file over `to` (written where resolveForWrite puts it). True
// when the copy is complete.
bool copyFile(const Path& from, const Path& to);

// Renames a file or folder to `to`. True when it took place.
bool renamePath(const Path& from, const Path& to);

// True when `path` names a symbolic link itself (a dangling one too).
bool isLink(const Path& path);

// True when the user may add and remove entries of the folder.
bool canWriteFolder(const Path& folder);

// True when the user may remove `path` with everything in it: the folder
// holding it can be written, and so can every folder inside it (links are
// not followed). A missing path can be removed.
bool canRemoveTree(const Path& path);

// True for a regular file (not a link) that is read-only: the user may not
// write it, or nobody may (the read-only mark a player sets, which holds
// for an administrator too).
bool isReadOnly(const Path& path);

// True while another program holds the regular file: an exclusive lock on
// it or a lock on any part of it fails. Read-only is not in use, nor is a
// missing file or one the user may not open.
bool fileInUse(const Path& path);

// Names of the entries of a folder in enumeration order; empty when the
// folder is missing or unreadable.
std::vector<std::string> listFolder(const Path& folder);

} // namespace krv::ci
