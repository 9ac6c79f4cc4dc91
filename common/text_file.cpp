#include "common/text_file.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
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

IoStatus readWholeFile(const ci::Path& path, std::string& out) {
    out.clear();
    const auto found = ci::resolve(path);
    if (!found)
        return IoStatus::NotFound;
    const int fd = ::open(found->c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return ioStatusFromErrno(errno);
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        // A folder where a file belongs is a path access error.
        return IoStatus::AccessDenied;
    }
    if (st.st_size > 0)
        out.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const IoStatus status = ioStatusFromErrno(errno);
            ::close(fd);
            return status == IoStatus::NotFound ? IoStatus::Other : status;
        }
        if (n == 0)
            break;
        out.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return IoStatus::Ok;
}

TextLines readTextLines(const ci::Path& path) {
    TextLines result;
    std::string bytes;
    result.status = readWholeFile(path, bytes);
    if (result.status == IoStatus::Ok)
        result.lines = splitLines(bytes);
    return result;
}

IoStatus writeWholeFile(const ci::Path& path, std::string_view bytes) {
    const ci::Path target = ci::resolveForWrite(path);
    const ci::Path folder = target.has_parent_path() ? target.parent_path() : ci::Path(".");
    std::string tmpl = (folder / (target.filename().string() + ".tmp-XXXXXX")).string();
    const int fd = ::mkstemp(tmpl.data());
    if (fd < 0)
        return ioStatusFromErrno(errno);
    ::fchmod(fd, 0644);
    std::string_view rest = bytes;
    while (!rest.empty()) {
        const ssize_t n = ::write(fd, rest.data(), rest.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const IoStatus status = ioStatusFromErrno(errno);
            ::close(fd);
            ::unlink(tmpl.c_str());
            return status;
        }
        rest.remove_prefix(static_cast<std::size_t>(n));
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        const IoStatus status = ioStatusFromErrno(errno);
        ::unlink(tmpl.c_str());
        return status == IoStatus::Ok ? IoStatus::Other : status;
    }
    if (::rename(tmpl.c_str(), target.c_str()) != 0) {
        const IoStatus status = ioStatusFromErrno(errno);
        ::unlink(tmpl.c_str());
        return status;
    }
    return IoStatus::Ok;
}

IoStatus writeTextLines(const ci::Path& path, const std::vector<std::string>& lines) {
    std::string bytes;
    std::size_t total = 0;
    for (const auto& line : lines)
        total += line.size() + 2;
    bytes.reserve(total);
    for (const auto& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return writeWholeFile(path, bytes);
}

} // namespace krv
