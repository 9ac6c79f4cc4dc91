#include "gfiles/file_source.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace krv::gfiles {

int openRegularFile(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

std::size_t readFileAt(int fd, std::int64_t offset, void* dest, std::size_t n) {
    auto* out = static_cast<unsigned char*>(dest);
    std::size_t got = 0;
    while (got < n) {
        const ssize_t r = ::pread(fd, out + got, n - got, static_cast<off_t>(offset) + got);
        if (r > 0) {
            got += static_cast<std::size_t>(r);
            continue;
        }
        if (r < 0 && errno == EINTR)
            continue;
        break;
    }
    return got;
}

FileWadSource::FileWadSource(int fd) : fd_(fd) {
    struct stat st {};
    if (::fstat(fd_, &st) == 0)
        size_ = st.st_size;
}

FileWadSource::~FileWadSource() {
    if (fd_ >= 0)
        ::close(fd_);
}

std::size_t FileWadSource::readAt(std::int64_t offset, void* dest, std::size_t n) {
    if (offset < 0)
        return 0;
    return readFileAt(fd_, offset, dest, n);
}

} // namespace krv::gfiles
