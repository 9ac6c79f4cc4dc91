#include "common/ci_path.h"

#include "common/strings.h"

#include <algorithm>
#include <system_error>

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
std::optional<std::string> matchInFolder(const Path& folder, const std::string& name) {
    std::error_code ec;
    fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
    if (ec)
        return std::nullopt;
    std::optional<std::string> best;
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec)
            break;
        std::string candidate = it->path().filename().string();
        if (iequals(candidate, name) && (!best || candidate < *best))
            best = std::move(candidate);
    }
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
