// The exported functions of LZSS.dll: a packed file opened by name and read
// through the streaming decoder.

#include "gfiles/lzss/lzss.h"
#include "gfiles/lzss/lzss_decoder.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class FdSource final : public krv::lzss::ByteSource {
public:
    explicit FdSource(int fd) : fd_(fd) {}
    std::size_t read(unsigned char* dest, std::size_t n) override {
        for (;;) {
            const ssize_t r = ::read(fd_, dest, n);
            if (r >= 0)
                return static_cast<std::size_t>(r);
            if (errno != EINTR)
                return 0;
        }
    }

private:
    int fd_;
};

// Reads exactly `n` bytes unless the file ends first.
std::size_t readFully(krv::lzss::ByteSource& source, unsigned char* dest, std::size_t n) {
    std::size_t got = 0;
    while (got < n) {
        const std::size_t r = source.read(dest + got, n - got);
        if (r == 0)
            break;
        got += r;
    }
    return got;
}

} // namespace

struct LzssFile {
    LzssFile(int fd, bool packed) : fd(fd), source(fd), decoder(source, packed) {}
    ~LzssFile() { ::close(fd); }
    LzssFile(const LzssFile&) = delete;
    LzssFile& operator=(const LzssFile&) = delete;

    int fd;
    FdSource source;
    krv::lzss::Decoder decoder;
};

extern "C" {

LzssFile* lzssOpen(const char* name, const char* mode) {
    if (name == nullptr || mode == nullptr || mode[0] != 'r')
        return nullptr;
    // Non-blocking so that a FIFO in place of a saved game can't stall the
    // caller; only regular files are read.
    const int fd = ::open(name, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return nullptr;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    FdSource probe(fd);
    unsigned char magic[4];
    bool packed = false;
    if (readFully(probe, magic, 4) != 4 || std::memcmp(magic, "slh", 3) != 0 ||
        (magic[3] != '!' && magic[3] != '.')) {
        ::close(fd);
        return nullptr;
    }
    packed = magic[3] == '!';
    auto* file = new (std::nothrow) LzssFile(fd, packed);
    if (file == nullptr)
        ::close(fd);
    return file;
}

std::uint32_t lzssReadLong(LzssFile* file) {
    if (file == nullptr)
        return 0;
    unsigned char b[4] = {0, 0, 0, 0};
    std::size_t got = 0;
    while (got < 4) {
        const std::size_t r = file->decoder.read(b + got, 4 - got);
        if (r == 0)
            break;
        got += r;
    }
    return static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
           (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
}

std::int32_t lzssRead(void* dest, std::int32_t count, LzssFile* file) {
    if (file == nullptr || dest == nullptr || count <= 0)
        return 0;
    auto* out = static_cast<unsigned char*>(dest);
    std::size_t got = 0;
    const auto want = static_cast<std::size_t>(count);
    while (got < want) {
        const std::size_t r = file->decoder.read(out + got, want - got);
        if (r == 0)
            break;
        got += r;
    }
    return static_cast<std::int32_t>(got);
}

int lzssClose(LzssFile* file) {
    delete file;
    return 0;
}

} // extern "C"
