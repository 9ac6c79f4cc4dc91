#include "unzip/output_folder.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace krv::unzip {

TempFile::TempFile(TempFile&& other) noexcept
    : folder_(other.folder_), fd_(other.fd_), name_(std::move(other.name_)) {
    other.fd_ = -1;
    other.name_.clear();
}

TempFile::~TempFile() {
    discard();
}

void TempFile::discard() {
    const int saved = errno;
    if (fd_ >= 0)
        ::close(fd_);
    if (!name_.empty())
        ::unlinkat(folder_, name_.c_str(), 0);
    fd_ = -1;
    name_.clear();
    errno = saved;
}

bool TempFile::write(const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t done = ::write(fd_, data, size);
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            return false;
        data += done;
        size -= static_cast<std::size_t>(done);
    }
    return true;
}

bool TempFile::commit(const std::string& name, std::time_t mtime) {
    const timespec times[2] = {{0, UTIME_NOW}, {mtime, 0}};
    ::futimens(fd_, times); // a missing time stamp is no reason to lose the file
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 || ::renameat(folder_, name_.c_str(), folder_, name.c_str()) != 0) {
        discard();
        return false;
    }
    name_.clear();
    return true;
}

std::optional<OutputFolder> OutputFolder::open(const std::string& path) {
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    return OutputFolder(fd, std::random_device{}());
}

OutputFolder::~OutputFolder() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool OutputFolder::has(const std::string& name) const {
    struct stat st;
    return ::fstatat(fd_, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
}

void OutputFolder::remove(const std::string& name) const {
    ::unlinkat(fd_, name.c_str(), 0);
}

std::optional<TempFile> OutputFolder::createTemp() {
    // A random name; a member may carry the same name by intent, but O_EXCL
    // turns a clash into another try, never into writing through it.
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = ".krvunzip-" + std::to_string(::getpid()) + "-" +
                           std::to_string(random_() & 0xFFFFFFFFFFFFULL) + ".tmp";
        const int fd =
            ::openat(fd_, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd >= 0)
            return TempFile(fd_, fd, std::move(name));
        if (errno != EEXIST)
            return std::nullopt;
    }
    return std::nullopt;
}

} // namespace krv::unzip
