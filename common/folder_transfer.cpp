#include "common/folder_transfer.h"

#include "common/safe_names.h"
#include "common/strings.h"
#include "common/text_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <vector>

#include <stdlib.h>
#include <unistd.h>

namespace krv::ci {

namespace fs = std::filesystem;

namespace {

FileChange changeFrom(IoStatus status) {
    switch (status) {
    case IoStatus::Ok:
        return FileChange::Done;
    case IoStatus::AccessDenied:
    case IoStatus::InUse:
        return FileChange::AccessDenied;
    case IoStatus::DiskFull:
        return FileChange::DiskFull;
    default:
        return FileChange::Failed;
    }
}

fs::file_type typeOf(const Path& path) {
    std::error_code ec;
    return fs::symlink_status(path, ec).type();
}

// One entry on its way: moved by a rename, or its content copied.
struct Step {
    std::string name;
    Path source;
    bool copy = false;
    Path destination; // the entry of the same name in the target, or the new one
    Path now;         // where the entry is while the transfer is under way
};

// The entries of `source` that go, in the order of their names. From a
// folder of our own every entry moves (a link to a file leaves its
// content); from behind a link, or for a copy, only files with usable names
// are copied.
FileChange planSteps(const Path& source, bool ours, const std::string& leave,
                     std::vector<Step>& steps) {
    std::vector<std::string> names = listFolder(source);
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        if (!leave.empty() && iequals(name, leave))
            continue;
        const Path entry = source / name;
        std::error_code ec;
        const bool file = fs::is_regular_file(entry, ec);
        if (!ours) {
            if (isUsableName(name) && file)
                steps.push_back({name, entry, true, {}, {}});
            continue;
        }
        if (!isUsableName(name))
            return FileChange::NameClash;
        steps.push_back({name, entry, file && typeOf(entry) == fs::file_type::symlink, {}, {}});
    }
    return FileChange::Done;
}

// Where each entry ends, and whether it may replace what is there: a file
// replaces a file or a link unless the file is read-only; folders replace
// nothing and are replaced by nothing.
FileChange checkDestinations(const Path& target, std::vector<Step>& steps) {
    for (Step& step : steps) {
        const auto found = resolve(target / step.name);
        step.destination = found ? *found : target / step.name;
        if (!found)
            continue;
        if (typeOf(*found) == fs::file_type::directory ||
            (!step.copy && typeOf(step.source) == fs::file_type::directory))
            return FileChange::NameClash;
        if (isReadOnly(*found))
            return FileChange::ReadOnly;
    }
    return FileChange::Done;
}

// True when a folder between `within` and `path` (both spelt as on disk) is
// a link: what lies behind it is not the folder the transfer means.
bool linkOnTheWay(const Path& within, const Path& path) {
    for (Path p = path.parent_path(); p.has_relative_path() && p != within; p = p.parent_path())
        if (typeOf(p) == fs::file_type::symlink)
            return true;
    return false;
}

// The highest folder of `path` (as written) that does not exist yet.
Path firstMissing(const Path& path) {
    Path missing;
    for (Path p = path; p.has_relative_path() && typeOf(p) == fs::file_type::not_found;
         p = p.parent_path())
        missing = p;
    return missing;
}

// Puts every entry back where it came from and removes what was made.
void undo(std::vector<Step>& steps, const Path& staging, const Path& made) {
    for (auto it = steps.rbegin(); it != steps.rend(); ++it) {
        if (it->now.empty())
            continue;
        if (it->copy)
            ::unlink(it->now.c_str());
        else
            ::rename(it->now.c_str(), it->source.c_str());
    }
    ::rmdir(staging.c_str());
    if (!made.empty())
        removeTree(made);
}

FileChange stage(Step& step, const Path& staging) {
    const Path into = staging / step.name;
    IoStatus status = IoStatus::Ok;
    if (step.copy)
        status = copyFileAtomically(step.source, into);
    else if (::rename(step.source.c_str(), into.c_str()) != 0) {
        // A file on another file system is copied; the original goes with
        // its folder at the end.
        const int err = errno;
        step.copy = err == EXDEV && typeOf(step.source) == fs::file_type::regular;
        status = step.copy ? copyFileAtomically(step.source, into) : ioStatusFromErrno(err);
    }
    if (status == IoStatus::Ok)
        step.now = into;
    return changeFrom(status);
}

// The entries go first into a folder of their own inside the target, so
// that a failure can put everything back; then each takes its place.
FileChange carryOut(std::vector<Step>& steps, const Path& to, const Path& made) {
    if (!createFolder(to))
        return FileChange::AccessDenied;
    const Path target = *resolve(to);
    std::string name = (target / ".krv-transfer-XXXXXX").string();
    if (!::mkdtemp(name.data()))
        return changeFrom(ioStatusFromErrno(errno));
    const Path staging(name);
    FileChange change = FileChange::Done;
    for (Step& step : steps)
        if ((change = stage(step, staging)) != FileChange::Done)
            break;
    for (Step& step : steps) {
        if (change != FileChange::Done)
            break;
        if (::rename(step.now.c_str(), step.destination.c_str()) != 0)
            change = changeFrom(ioStatusFromErrno(errno));
        else
            step.now = step.destination;
    }
    if (change != FileChange::Done) {
        undo(steps, staging, made);
        return change;
    }
    ::rmdir(staging.c_str());
    return change;
}

// The two ends of a transfer as they are on disk.
struct Ends {
    Path source;         // empty when there is nothing to bring
    bool linked = false; // `source` is a link: what it holds is copied, the link alone goes
    Path target;         // the folder the entries go into, existing or to be made
    Path made;           // the highest folder the transfer makes for `target`
};

// Finds both ends; a target reached through a link, or (for a move) a
// source reached through one, is refused.
FileChange locateEnds(const Path& within, const Path& from, const Path& to, bool move, Ends& ends) {
    const auto base = resolve(within);
    if (!base)
        return FileChange::LinkedOut;
    if (move) {
        const Confined c = confine(within, from);
        if (c.verdict == Confinement::Outside ||
            (c.verdict == Confinement::Inside && linkOnTheWay(*base, c.path)))
            return FileChange::LinkedOut;
        if (c.verdict == Confinement::Inside)
            ends.source = c.path;
    } else if (const auto found = resolve(from)) {
        ends.source = *found;
    }
    ends.linked = !ends.source.empty() && typeOf(ends.source) == fs::file_type::symlink;
    if (!ends.source.empty() && !ends.linked && typeOf(ends.source) != fs::file_type::directory)
        return FileChange::NameClash;

    const Confined target = confine(within, to);
    ends.target = target.path;
    if (target.verdict == Confinement::Outside || linkOnTheWay(*base, target.path))
        return FileChange::LinkedOut;
    if (target.verdict == Confinement::Missing) {
        ends.made = firstMissing(target.path);
        return FileChange::Done;
    }
    const fs::file_type type = typeOf(target.path);
    if (type == fs::file_type::symlink)
        return FileChange::LinkedOut;
    return type == fs::file_type::directory ? FileChange::Done : FileChange::NameClash;
}

// Every folder that changes must be writable before the first step.
bool writable(const Ends& ends, bool move) {
    if (!canWriteFolder(ends.made.empty() ? ends.target : ends.made.parent_path()))
        return false;
    return !move || ends.source.empty() ||
           (canWriteFolder(ends.source.parent_path()) &&
            (ends.linked || canWriteFolder(ends.source)));
}

} // namespace

FileChange transferFolder(const Path& within, const Path& from, const Path& to, Transfer how,
                          const std::string& leave) {
    const bool move = how == Transfer::Move;
    Ends ends;
    std::vector<Step> steps;
    FileChange change = locateEnds(within, from, to, move, ends);
    if (change == FileChange::Done && !ends.source.empty())
        change = planSteps(ends.source, move && !ends.linked, leave, steps);
    if (change == FileChange::Done && !writable(ends, move))
        change = FileChange::AccessDenied;
    if (change == FileChange::Done)
        change = checkDestinations(ends.target, steps);
    if (change == FileChange::Done)
        change = carryOut(steps, ends.target, ends.made);
    // What is left of a folder of our own is what was not to be kept (the
    // check file, links whose content was copied); a link goes alone.
    if (change == FileChange::Done && move && !ends.source.empty() && !removeTree(ends.source))
        change = FileChange::AccessDenied;
    return change;
}

} // namespace krv::ci
