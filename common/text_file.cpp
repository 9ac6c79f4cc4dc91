#include "common/text_file.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace krv {

IoStatus ioStatusFromErrno(int err) {
    switch (err) {
    case 0:
        return IoStatus::Ok;
    case ENOENT:
    case ENOTDIR:
        return IoStatus::NotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return IoStatus::AccessDenied;
    case ETXTBSY:
    case EBUSY:
        return IoStatus::InUse;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return IoStatus::DiskFull;
    default:
        return IoStatus::Other;
    }
}

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const auto lf = text.find('\n');
        std::string_view line = text.substr(0, lf);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.emplace_back(line);
        if (lf == std::string_view::npos)
            break;
        text.remove_prefix(lf + 1);
    }
    return lines;
}

namespace {

// Opens a file for reading without blocking and keeps it only when it is a
// regular file; anything else (FIFO, device, socket) counts as missing.
IoStatus openRegularFile(const ci::Path& path, int& fd, struct stat& st) {
    const auto found = ci::resolve(path);
    if (!found)
        return IoStatus::NotFound;
    fd = ::open(found->c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return errno == ELOOP ? IoStatus::NotFound : ioStatusFromErrno(errno);
    if (::fstat(fd, &st) != 0) {
        const IoStatus status = ioStatusFromErrno(errno);
        ::close(fd);
        return status == IoStatus::NotFound ? IoStatus::Other : status;
    }
    if (S_ISDIR(st.st_mode)) {
        ::close(fd);
        // A folder where a file belongs is a path access error.
        return IoStatus::AccessDenied;
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return IoStatus::NotFound;
    }
    return IoStatus::Ok;
}

// Reads the next block of a file; 0 at its end, -1 on an error (errno set).
ssize_t readBlock(int fd, char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t n = ::read(fd, buffer, size);
        if (n >= 0 || errno != EINTR)
            return n;
    }
}

} // namespace

namespace {

enum class ReadEnd { Complete, Capped };

// Appends the bytes of `fd` to `out` until the end of the file or until
// `limit` bytes are held; Capped when bytes were left unread. Closes `fd`.
IoStatus readUpTo(int fd, std::string& out, std::size_t limit, ReadEnd& end) {
    end = ReadEnd::Complete;
    char buffer[65536];
    for (;;) {
        const std::size_t room = limit - out.size();
        // One byte more than the room tells a file that goes on from one
        // that ends exactly at the cap.
        const std::size_t want = std::min(sizeof buffer, room + 1);
        const ssize_t n = readBlock(fd, buffer, want);
        if (n < 0) {
            const IoStatus status = ioStatusFromErrno(errno);
            ::close(fd);
            return status == IoStatus::NotFound ? IoStatus::Other : status;
        }
        if (n == 0)
            break;
        if (static_cast<std::size_t>(n) > room) {
            out.append(buffer, room);
            end = ReadEnd::Capped;
            break;
        }
        out.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return IoStatus::Ok;
}

} // namespace

IoStatus readWholeFile(const ci::Path& path, std::string& out, std::size_t limit) {
    out.clear();
    int fd = -1;
    struct stat st {};
    if (const IoStatus opened = openRegularFile(path, fd, st); opened != IoStatus::Ok)
        return opened;
    if (st.st_size < 0 || static_cast<std::uintmax_t>(st.st_size) > limit) {
        ::close(fd);
        return IoStatus::TooLarge;
    }
    out.reserve(static_cast<std::size_t>(st.st_size));
    ReadEnd end = ReadEnd::Complete;
    const IoStatus status = readUpTo(fd, out, limit, end);
    // The file may grow while it is read; the cap still holds.
    if (status != IoStatus::Ok || end == ReadEnd::Capped) {
        out.clear();
        return status != IoStatus::Ok ? status : IoStatus::TooLarge;
    }
    return IoStatus::Ok;
}

IoStatus readFileStart(const ci::Path& path, std::string& out, std::size_t limit) {
    out.clear();
    int fd = -1;
    struct stat st {};
    if (const IoStatus opened = openRegularFile(path, fd, st); opened != IoStatus::Ok)
        return opened;
    ReadEnd end = ReadEnd::Complete;
    const IoStatus status = readUpTo(fd, out, limit, end);
    if (status != IoStatus::Ok)
        out.clear();
    return status;
}

TextLines readTextLines(const ci::Path& path, std::size_t limit) {
    TextLines result;
    std::string bytes;
    result.status = readWholeFile(path, bytes, limit);
    if (result.status == IoStatus::Ok)
        result.lines = splitLines(bytes);
    return result;
}

namespace {

// The end of the `count`-th line end in `bytes` at or after `from`, counting
// on from the `found` line ends seen before; npos while fewer are there.
std::size_t endOfLines(std::string_view bytes, std::size_t from, std::size_t& found,
                       std::size_t count) {
    while (found < count) {
        const auto lf = bytes.find('\n', from);
        if (lf == std::string_view::npos)
            return std::string_view::npos;
        ++found;
        from = lf + 1;
    }
    return from;
}

} // namespace

LeadingLines readLeadingLines(const ci::Path& path, std::size_t maxLines, std::size_t limit) {
    LeadingLines result;
    int fd = -1;
    struct stat st {};
    result.status = openRegularFile(path, fd, st);
    if (result.status != IoStatus::Ok)
        return result;
    std::string bytes;
    std::size_t found = 0;
    std::size_t end = endOfLines(bytes, 0, found, maxLines);
    char buffer[65536];
    while (end == std::string::npos) {
        // What is read holds the wanted lines' start: past the cap they are too long.
        if (bytes.size() > limit) {
            result.status = IoStatus::TooLarge;
            break;
        }
        const ssize_t n = readBlock(fd, buffer, sizeof buffer);
        if (n < 0) {
            result.status = ioStatusFromErrno(errno);
            if (result.status == IoStatus::NotFound)
                result.status = IoStatus::Other;
            break;
        }
        if (n == 0) { // the file ends within the wanted lines
            end = bytes.size();
            break;
        }
        const std::size_t scanned = bytes.size();
        bytes.append(buffer, static_cast<std::size_t>(n));
        end = endOfLines(bytes, scanned, found, maxLines);
    }
    ::close(fd);
    if (result.status != IoStatus::Ok)
        return result;
    if (end > limit) {
        result.status = IoStatus::TooLarge;
        return result;
    }
    result.more = bytes.size() > end || static_cast<std::uintmax_t>(st.st_size) > end;
    bytes.resize(end);
    result.lines = splitLines(bytes);
    result.bytes = std::move(bytes);
    return result;
}

namespace {

// Removes the temporary files "<name>.tmp-XXXXXX" that a write of this file
// interrupted by a crash or a kill left in its folder. One touched within the
// last minute may belong to a write of another running copy and is kept.
void removeStaleTemporaries(const ci::Path& folder, const std::string& name) {
    namespace fs = std::filesystem;
    const std::string prefix = name + ".tmp-";
    const auto staleBefore = fs::file_time_type::clock::now() - std::chrono::minutes(1);
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        if (entry.size() != prefix.size() + 6 || entry.compare(0, prefix.size(), prefix) != 0)
            continue;
        std::error_code fileEc;
        if (it->is_symlink(fileEc) || !it->is_regular_file(fileEc))
            continue;
        const auto modified = fs::last_write_time(it->path(), fileEc);
        if (!fileEc && modified < staleBefore)
            ::unlink(it->path().c_str());
    }
}

} // namespace

namespace {

// A temporary file beside the file it will replace.
struct Temporary {
    int fd = -1;
    std::string name;
};

IoStatus createTemporary(const ci::Path& target, Temporary& temp) {
    const ci::Path folder = target.has_parent_path() ? target.parent_path() : ci::Path(".");
    removeStaleTemporaries(folder, target.filename().string());
    temp.name = (folder / (target.filename().string() + ".tmp-XXXXXX")).string();
    temp.fd = ::mkstemp(temp.name.data());
    if (temp.fd < 0)
        return ioStatusFromErrno(errno);
    ::fchmod(temp.fd, 0644);
    return IoStatus::Ok;
}

IoStatus writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return ioStatusFromErrno(errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return IoStatus::Ok;
}

// Flushes and closes the temporary file and renames it over `target`; on
// any failure, or when `status` already is one, the temporary file goes.
IoStatus finishTemporary(Temporary& temp, IoStatus status, const ci::Path& target,
                         Durability durability = Durability::Synced) {
    if (status == IoStatus::Ok && durability == Durability::Synced && ::fsync(temp.fd) != 0)
        status = ioStatusFromErrno(errno);
    if (::close(temp.fd) != 0 && status == IoStatus::Ok)
        status = ioStatusFromErrno(errno);
    if (status == IoStatus::Ok && ::rename(temp.name.c_str(), target.c_str()) != 0)
        status = ioStatusFromErrno(errno);
    if (status != IoStatus::Ok)
        ::unlink(temp.name.c_str());
    return status == IoStatus::NotFound ? IoStatus::Other : status;
}

} // namespace

IoStatus writeWholeFile(const ci::Path& path, std::string_view bytes, Durability durability) {
    const ci::Path target = ci::resolveForWrite(path);
    Temporary temp;
    if (const IoStatus created = createTemporary(target, temp); created != IoStatus::Ok)
        return created;
    return finishTemporary(temp, writeAll(temp.fd, bytes), target, durability);
}

namespace {

// Copies what is left of `in` from its current place to `out`.
IoStatus copyRest(int in, int out) {
    char buffer[65536];
    for (;;) {
        const ssize_t n = readBlock(in, buffer, sizeof buffer);
        if (n < 0)
            return ioStatusFromErrno(errno);
        if (n == 0)
            return IoStatus::Ok;
        if (const IoStatus written =
                writeAll(out, std::string_view(buffer, static_cast<std::size_t>(n)));
            written != IoStatus::Ok)
            return written;
    }
}

} // namespace

IoStatus copyFileAtomically(const ci::Path& from, const ci::Path& to) {
    int in = -1;
    struct stat st {};
    if (const IoStatus opened = openRegularFile(from, in, st); opened != IoStatus::Ok)
        return opened;
    const ci::Path target = ci::resolveForWrite(to);
    Temporary temp;
    IoStatus status = createTemporary(target, temp);
    if (status == IoStatus::Ok)
        status = finishTemporary(temp, copyRest(in, temp.fd), target);
    ::close(in);
    return status;
}

IoStatus replaceFileHead(const ci::Path& path, std::string_view head, std::uint64_t replaced) {
    int in = -1;
    struct stat st {};
    const IoStatus opened = openRegularFile(path, in, st);
    if (opened != IoStatus::Ok && opened != IoStatus::NotFound)
        return opened;
    const ci::Path target = ci::resolveForWrite(path);
    Temporary temp;
    IoStatus status = createTemporary(target, temp);
    if (status == IoStatus::Ok) {
        status = writeAll(temp.fd, head);
        if (status == IoStatus::Ok && in >= 0 &&
            static_cast<std::uintmax_t>(st.st_size) > replaced) {
            if (::lseek(in, static_cast<off_t>(replaced), SEEK_SET) < 0)
                status = ioStatusFromErrno(errno);
            else
                status = copyRest(in, temp.fd);
        }
        status = finishTemporary(temp, status, target);
    }
    if (in >= 0)
        ::close(in);
    return status;
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string bytes;
    std::size_t total = 0;
    for (const auto& line : lines)
        total += line.size() + 2;
    bytes.reserve(total);
    for (const auto& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

IoStatus writeTextLines(const ci::Path& path, const std::vector<std::string>& lines,
                        Durability durability) {
    return writeWholeFile(path, joinLines(lines), durability);
}

} // namespace krv
