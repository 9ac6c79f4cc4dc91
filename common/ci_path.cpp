#include "common/ci_path.h"

#include "common/strings.h"

#include <algorithm>
#include <system_error>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace krv::ci {

namespace fs = std::filesystem;

std::string nativeSeparators(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c == '\\' || c == '/')
            c = kSep;
    return out;
}

namespace {

bool present(const Path& p) {
    std::error_code ec;
    return fs::symlink_status(p, ec).type() != fs::file_type::not_found && !ec;
}

// Looks for `name` in `folder` without regard to case; the lexically first
// candidate wins so that the answer does not depend on enumeration order.
// The entries are read as plain names: most lookups are of names a folder
// does not hold, and each of them reads the whole folder.
std::optional<std::string> matchInFolder(const Path& folder, const std::string& name) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return std::nullopt;
    std::optional<std::string> best;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view candidate = entry->d_name;
        if (candidate == "." || candidate == "..")
            continue;
        if (iequals(candidate, name) && (!best || candidate < *best))
            best = std::string(candidate);
    }
    ::closedir(dir);
    return best;
}

// Walks the components of `path`; stops at the first one that cannot be
// found. Returns the resolved prefix and the index of the first unresolved
// component.
std::pair<Path, std::size_t> walk(const Path& path, std::vector<Path>& parts) {
    for (const auto& part : path.relative_path())
        parts.push_back(part);
    Path current = path.has_root_path() ? path.root_path() : Path(".");
    const bool relative = !path.has_root_path();
    std::size_t i = 0;
    for (; i < parts.size(); ++i) {
        const std::string name = parts[i].string();
        if (name.empty())
            continue;
        // "." and ".." are never followed (a leading "." of a relative path
        // aside, which is the current folder): a name taken from a file or an
        // archive must not lead out of the folder it was meant for.
        if (name == ".." || (name == "." && !(relative && i == 0)))
            break;
        Path exact = current / parts[i];
        if (present(exact)) {
            current = std::move(exact);
            continue;
        }
        const auto match = matchInFolder(current, name);
        if (!match)
            break;
        current /= *match;
    }
    if (relative) {
        // Drop the leading "." we started from so results keep the caller's form.
        Path trimmed;
        bool first = true;
        for (const auto& part : current) {
            if (first && part == ".") {
                first = false;
                continue;
            }
            first = false;
            trimmed /= part;
        }
        current = trimmed;
    }
    return {current, i};
}

} // namespace

std::optional<Path> resolve(const Path& path) {
    if (path.empty())
        return std::nullopt;
    std::vector<Path> parts;
    auto [found, next] = walk(path, parts);
    if (next < parts.size())
        return std::nullopt;
    if (found.empty())
        found = ".";
    if (!present(found))
        return std::nullopt;
    return found;
}

Path resolveForWrite(const Path& path) {
    if (path.empty())
        return path;
    std::vector<Path> parts;
    auto [found, next] = walk(path, parts);
    for (std::size_t i = next; i < parts.size(); ++i) {
        if (parts[i] == ".." || (parts[i] == "." && (path.has_root_path() || i > 0)))
            return {};
        found /= parts[i];
    }
    return found;
}

bool exists(const Path& path) {
    return resolve(path).has_value();
}

bool isFile(const Path& path) {
    const auto p = resolve(path);
    std::error_code ec;
    return p && fs::is_regular_file(*p, ec);
}

bool isFolder(const Path& path) {
    const auto p = resolve(path);
    std::error_code ec;
    return p && fs::is_directory(*p, ec);
}

bool removeFile(const Path& path) {
    const auto p = resolve(path);
    if (!p)
        return true;
    std::error_code ec;
    if (fs::is_directory(*p, ec))
        return false;
    fs::remove(*p, ec);
    return !ec;
}

bool removeTree(const Path& path) {
    const auto p = resolve(path);
    if (!p)
        return true;
    std::error_code ec;
    fs::remove_all(*p, ec);
    return !ec;
}

bool copyFile(const Path& from, const Path& to) {
    const auto source = resolve(from);
    if (!source)
        return false;
    std::error_code ec;
    fs::copy_file(*source, resolveForWrite(to), fs::copy_options::overwrite_existing, ec);
    return !ec;
}

bool renamePath(const Path& from, const Path& to) {
    const auto source = resolve(from);
    if (!source)
        return false;
    std::error_code ec;
    fs::rename(*source, resolveForWrite(to), ec);
    return !ec;
}

bool isLink(const Path& path) {
    const auto p = resolve(path);
    std::error_code ec;
    return p && fs::symlink_status(*p, ec).type() == fs::file_type::symlink;
}

bool canWriteFolder(const Path& folder) {
    const auto p = resolve(folder);
    return p && ::faccessat(AT_FDCWD, p->c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

bool canRemoveTree(const Path& path) {
    const auto p = resolve(path);
    if (!p)
        return true;
    const Path parent = p->has_parent_path() ? p->parent_path() : Path(".");
    std::error_code ec;
    if (!canWriteFolder(parent))
        return false;
    if (fs::symlink_status(*p, ec).type() != fs::file_type::directory)
        return true;
    if (!canWriteFolder(*p) || ::access(p->c_str(), R_OK) != 0)
        return false;
    // Every folder inside must be listed and emptied; links are removed as
    // they are.
    for (fs::recursive_directory_iterator it(*p, ec), end; it != end; it.increment(ec)) {
        if (ec)
            return false;
        if (it->symlink_status(ec).type() == fs::file_type::directory &&
            (!canWriteFolder(it->path()) || ::access(it->path().c_str(), R_OK) != 0))
            return false;
    }
    return !ec;
}

bool isReadOnly(const Path& path) {
    const auto p = resolve(path);
    struct stat st {};
    if (!p || ::lstat(p->c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
           ::faccessat(AT_FDCWD, p->c_str(), W_OK, AT_EACCESS) != 0;
}

bool fileInUse(const Path& path) {
    const auto p = resolve(path);
    std::error_code ec;
    if (!p || !fs::is_regular_file(*p, ec))
        return false;
    // Opened for reading only, so a read-only file can be tested too.
    const int fd = ::open(p->c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return false;
    bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    if (!held) {
        struct flock probe {};
        probe.l_type = F_WRLCK;
        probe.l_whence = SEEK_SET;
        held = ::fcntl(fd, F_GETLK, &probe) == 0 && probe.l_type != F_UNLCK;
    }
    ::close(fd);
    return held;
}

bool createFolder(const Path& path) {
    const Path target = resolveForWrite(path);
    std::error_code ec;
    fs::create_directories(target, ec);
    return fs::is_directory(target, ec);
}

bool removeFolder(const Path& path) {
    const auto p = resolve(path);
    if (!p)
        return true;
    std::error_code ec;
    return fs::remove(*p, ec) && !ec;
}

std::vector<std::string> listFolder(const Path& folder) {
    std::vector<std::string> names;
    const auto p = resolve(folder);
    if (!p)
        return names;
    std::error_code ec;
    fs::directory_iterator it(*p, fs::directory_options::skip_permission_denied, ec);
    if (ec)
        return names;
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec)
            break;
        names.push_back(it->path().filename().string());
    }
    return names;
}

} // namespace krv::ci
