#include "unzip/member_layout.h"

#include <algorithm>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace krv::unzip {

namespace {

constexpr std::uint32_t kLocalSignature = 0x04034b50;
constexpr std::uint32_t kCentralSignature = 0x02014b50;
constexpr std::uint32_t kEndSignature = 0x06054b50;
constexpr std::uint32_t kZip64EndSignature = 0x06064b50;
constexpr std::uint32_t kZip64LocatorSignature = 0x07064b50;
constexpr std::size_t kLocalHeaderSize = 30;
constexpr std::size_t kCentralHeaderSize = 46;
constexpr std::size_t kEndSize = 22;
constexpr std::size_t kMaxCommentSize = 0xFFFF;
constexpr std::uint16_t kDataDescriptorFlag = 1 << 3;
constexpr std::uint32_t kZip64Marker = 0xFFFFFFFF;
// Far more than 65536 members with long names need.
constexpr std::uint64_t kMaxDirectorySize = 64 << 20;

std::uint64_t le(std::string_view bytes, std::size_t at, int width) {
    std::uint64_t value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

class ArchiveFile {
public:
    explicit ArchiveFile(const std::string& path)
        : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)) {
        struct stat st {};
        if (fd_ >= 0 && ::fstat(fd_, &st) == 0 && S_ISREG(st.st_mode))
            size_ = static_cast<std::uint64_t>(st.st_size);
    }
    ~ArchiveFile() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    ArchiveFile(const ArchiveFile&) = delete;
    ArchiveFile& operator=(const ArchiveFile&) = delete;

    std::uint64_t size() const { return size_; }

    // Exactly `length` bytes from `offset`, or nothing.
    std::optional<std::string> read(std::uint64_t offset, std::uint64_t length) const {
        if (offset > size_ || length > size_ - offset)
            return std::nullopt;
        std::string bytes(static_cast<std::size_t>(length), '\0');
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::pread(fd_, bytes.data() + done, bytes.size() - done,
                                      static_cast<off_t>(offset + done));
            if (n <= 0)
                return std::nullopt;
            done += static_cast<std::size_t>(n);
        }
        return bytes;
    }

private:
    int fd_;
    std::uint64_t size_ = 0;
};

struct Directory {
    std::uint64_t count = 0;
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
};

// The end record whose comment reaches exactly to the end of the file (the
// one nearest the end when none does), with its zip64 record when the
// classic fields overflow.
std::optional<Directory> findDirectory(const ArchiveFile& file) {
    if (file.size() < kEndSize)
        return std::nullopt;
    const std::uint64_t tailSize = std::min<std::uint64_t>(file.size(), kEndSize + kMaxCommentSize);
    const auto tail = file.read(file.size() - tailSize, tailSize);
    if (!tail)
        return std::nullopt;
    std::optional<std::size_t> found;
    for (std::size_t at = tail->size() - kEndSize + 1; at-- > 0;) {
        if (le(*tail, at, 4) != kEndSignature)
            continue;
        if (!found)
            found = at;
        if (at + kEndSize + le(*tail, at + 20, 2) == tail->size()) {
            found = at;
            break;
        }
    }
    if (!found)
        return std::nullopt;
    const std::size_t at = *found;
    Directory dir{le(*tail, at + 10, 2), le(*tail, at + 16, 4), le(*tail, at + 12, 4)};
    if (dir.count != 0xFFFF && dir.offset != kZip64Marker && dir.size != kZip64Marker)
        return dir;
    const std::uint64_t endAt = file.size() - tailSize + at;
    const auto locator = endAt >= 20 ? file.read(endAt - 20, 20) : std::nullopt;
    if (!locator || le(*locator, 0, 4) != kZip64LocatorSignature)
        return std::nullopt;
    const auto end64 = file.read(le(*locator, 8, 8), 56);
    if (!end64 || le(*end64, 0, 4) != kZip64EndSignature)
        return std::nullopt;
    return Directory{le(*end64, 32, 8), le(*end64, 48, 8), le(*end64, 40, 8)};
}

// What a central entry says of its member, zip64 values applied.
struct CentralEntry {
    std::uint16_t method;
    std::uint32_t crc;
    std::uint64_t compressedSize;
    std::uint64_t size;
    std::uint64_t localOffset;
    std::string_view name;
};

void applyZip64(std::string_view extra, CentralEntry& entry) {
    for (std::size_t at = 0; at + 4 <= extra.size();) {
        const std::uint64_t id = le(extra, at, 2);
        const std::size_t length = static_cast<std::size_t>(le(extra, at + 2, 2));
        if (at + 4 + length > extra.size())
            return;
        if (id == 0x0001) {
            std::size_t field = at + 4;
            for (std::uint64_t* value : {&entry.size, &entry.compressedSize, &entry.localOffset}) {
                if (*value != kZip64Marker)
                    continue;
                if (field + 8 > at + 4 + length)
                    return;
                *value = le(extra, field, 8);
                field += 8;
            }
            return;
        }
        at += 4 + length;
    }
}

// A member's header and data: [start, end) of the file.
struct Range {
    std::uint64_t start;
    std::uint64_t end;
};

// Reads the local header of `entry` and checks it against the entry.
std::optional<std::string> localRange(const ArchiveFile& file, const CentralEntry& entry,
                                      std::uint64_t directoryOffset, Range& range) {
    const auto header = file.read(entry.localOffset, kLocalHeaderSize);
    if (!header || le(*header, 0, 4) != kLocalSignature)
        return "a central entry points at no local header";
    const std::uint64_t nameLength = le(*header, 26, 2);
    const std::uint64_t extraLength = le(*header, 28, 2);
    const auto name = file.read(entry.localOffset + kLocalHeaderSize, nameLength);
    if (!name || *name != entry.name)
        return "the local and the central header name the member differently";
    if (le(*header, 8, 2) != entry.method)
        return "the local and the central header disagree on the method";
    const auto localFlags = static_cast<std::uint16_t>(le(*header, 6, 2));
    if ((localFlags & kDataDescriptorFlag) == 0) {
        const std::uint64_t compressed = le(*header, 18, 4);
        const std::uint64_t size = le(*header, 22, 4);
        const bool zip64 = compressed == kZip64Marker || size == kZip64Marker;
        if (le(*header, 14, 4) != entry.crc ||
            (!zip64 && (compressed != entry.compressedSize || size != entry.size)))
            return "the local and the central header disagree on the sizes";
    }
    range.start = entry.localOffset;
    const std::uint64_t dataStart = entry.localOffset + kLocalHeaderSize + nameLength + extraLength;
    if (entry.compressedSize > directoryOffset ||
        dataStart > directoryOffset - entry.compressedSize)
        return "a member's data reaches into the central directory";
    range.end = dataStart + entry.compressedSize;
    return std::nullopt;
}

} // namespace

std::optional<std::string> memberLayoutFault(const std::string& path, std::uint64_t memberCount) {
    const ArchiveFile file(path);
    const std::optional<Directory> dir = findDirectory(file);
    if (!dir)
        return "no central directory found";
    if (dir->count != memberCount)
        return "the central directory holds another number of members";
    if (dir->size > kMaxDirectorySize)
        return "the central directory is too large";
    const auto directory = file.read(dir->offset, dir->size);
    if (!directory)
        return "the central directory lies outside the archive";

    std::vector<Range> ranges;
    ranges.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(memberCount, 1 << 20)));
    std::size_t at = 0;
    for (std::uint64_t i = 0; i < dir->count; ++i) {
        if (at + kCentralHeaderSize > directory->size() ||
            le(*directory, at, 4) != kCentralSignature)
            return "the central directory is damaged";
        const auto nameLength = static_cast<std::size_t>(le(*directory, at + 28, 2));
        const auto extraLength = static_cast<std::size_t>(le(*directory, at + 30, 2));
        const auto commentLength = static_cast<std::size_t>(le(*directory, at + 32, 2));
        const std::size_t next = at + kCentralHeaderSize + nameLength + extraLength + commentLength;
        if (next > directory->size())
            return "the central directory is damaged";
        const std::string_view bytes = *directory;
        CentralEntry entry{static_cast<std::uint16_t>(le(bytes, at + 10, 2)),
                           static_cast<std::uint32_t>(le(bytes, at + 16, 4)),
                           le(bytes, at + 20, 4),
                           le(bytes, at + 24, 4),
                           le(bytes, at + 42, 4),
                           bytes.substr(at + kCentralHeaderSize, nameLength)};
        applyZip64(bytes.substr(at + kCentralHeaderSize + nameLength, extraLength), entry);
        Range range{};
        if (auto fault = localRange(file, entry, dir->offset, range))
            return fault;
        ranges.push_back(range);
        at = next;
    }
    std::sort(ranges.begin(), ranges.end(),
              [](const Range& a, const Range& b) { return a.start < b.start; });
    for (std::size_t i = 1; i < ranges.size(); ++i)
        if (ranges[i].start < ranges[i - 1].end)
            return "two members share data";
    return std::nullopt;
}

} // namespace krv::unzip
