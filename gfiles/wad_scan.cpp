#include "gfiles/wad_scan.h"

#include <bit>
#include <cstdio>
#include <cstring>
#include <memory>

namespace krv::gfiles {

namespace {

// Lump names are handled as 64-bit values: the eight name bytes in file
// order, little-endian, with everything from the first NUL on cleared. Two
// names are equal exactly when their values are.
constexpr std::uint64_t nameValue(const char* s) {
    std::uint64_t v = 0;
    for (int i = 0; i < 8 && s[i] != '\0'; ++i)
        v |= static_cast<std::uint64_t>(static_cast<unsigned char>(s[i])) << (8 * i);
    return v;
}

constexpr std::uint64_t kThings = nameValue("THINGS");
constexpr std::uint64_t kLinedefs = nameValue("LINEDEFS");
constexpr std::uint64_t kSidedefs = nameValue("SIDEDEFS");
constexpr std::uint64_t kVertexes = nameValue("VERTEXES");
constexpr std::uint64_t kGlVert = nameValue("GL_VERT");
constexpr std::uint64_t kGlSegs = nameValue("GL_SEGS");
constexpr std::uint64_t kGlSsect = nameValue("GL_SSECT");
constexpr std::uint64_t kGlNodesName = nameValue("GL_NODES");
constexpr std::uint64_t kGlPrefix = nameValue("GL_");

constexpr std::uint64_t kOnes = 0x0101010101010101ull;
constexpr std::uint64_t kHighs = 0x8080808080808080ull;

std::uint64_t loadLe64(const unsigned char* p) {
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    if constexpr (std::endian::native == std::endian::big)
        v = __builtin_bswap64(v);
    return v;
}

std::int32_t loadLe32(const unsigned char* p) {
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    if constexpr (std::endian::native == std::endian::big)
        v = __builtin_bswap32(v);
    return static_cast<std::int32_t>(v);
}

// Clears the bytes from the first NUL on, so "MAP01\0XY" is "MAP01".
std::uint64_t normaliseName(std::uint64_t v) {
    // The lowest set bit of `zero` marks the first NUL byte exactly; higher
    // bits may be false alarms caused by the borrow, but they are not used.
    const std::uint64_t zero = (v - kOnes) & ~v & kHighs;
    if (zero == 0)
        return v;
    const int keepBits = std::countr_zero(zero) & ~7;
    return keepBits == 0 ? 0 : v & (~0ull >> (64 - keepBits));
}

// "THINGS" compared ignoring case. Clearing bit 5 of a byte maps exactly the
// upper- and lower-case form of a letter onto the upper-case one, and the
// last two bytes must be NUL.
bool isThings(std::uint64_t name) {
    return (name & 0xFFFFDFDFDFDFDFDFull) == kThings;
}

bool isDigit(std::uint64_t name, int index, int& digit) {
    const auto c = static_cast<unsigned char>(name >> (8 * index));
    digit = c - '0';
    return c >= '0' && c <= '9';
}

unsigned char byteAt(std::uint64_t name, int index) {
    return static_cast<unsigned char>(name >> (8 * index));
}

int nameLength(std::uint64_t name) {
    return name == 0 ? 0 : 8 - std::countl_zero(name) / 8;
}

// Recognises a map marker: ExMy (flag 2) or MAPxy (flag 1), both upper-case.
bool parseMarker(std::uint64_t name, int& number, std::uint8_t& flag) {
    const int len = nameLength(name);
    int d1 = 0;
    int d2 = 0;
    if (len == 4 && byteAt(name, 0) == 'E' && byteAt(name, 2) == 'M' && isDigit(name, 1, d1) &&
        isDigit(name, 3, d2)) {
        number = 10 * d1 + d2;
        flag = kEpisodeLevel;
        return true;
    }
    if (len == 5 && byteAt(name, 0) == 'M' && byteAt(name, 1) == 'A' && byteAt(name, 2) == 'P' &&
        isDigit(name, 3, d1) && isDigit(name, 4, d2)) {
        number = 10 * d1 + d2;
        flag = kMapLevel;
        return true;
    }
    return false;
}

struct Entry {
    std::int32_t offset = 0;
    std::uint64_t name = 0;
};

enum class ReadResult { Ok, End, Short };

// Reads the directory entry by entry, fetching it from the source in large
// blocks. End: the entry count is used up. Short: the file ended (or a read
// failed) before the entry was complete.
class DirectoryReader {
public:
    DirectoryReader(WadSource& source, std::int64_t offset, std::int64_t count)
        : source_(source), fileOffset_(offset), remaining_(count) {}

    ReadResult next(Entry& entry) {
        if (remaining_ == 0)
            return ReadResult::End;
        if (len_ - pos_ < kEntrySize && !refill())
            return ReadResult::Short;
        const unsigned char* p = buffer_ + pos_;
        entry.offset = loadLe32(p);
        entry.name = normaliseName(loadLe64(p + 8));
        pos_ += kEntrySize;
        --remaining_;
        return ReadResult::Ok;
    }

private:
    static constexpr std::size_t kEntrySize = 16;
    static constexpr std::size_t kBlockEntries = 4096;

    // Called when no whole entry is left in the buffer. Once the source has
    // come up short, it is not asked again: the rest of the directory is
    // missing.
    bool refill() {
        if (sourceEnd_)
            return false;
        const std::int64_t entriesWanted =
            remaining_ < static_cast<std::int64_t>(kBlockEntries) ? remaining_ : kBlockEntries;
        const std::size_t want = static_cast<std::size_t>(entriesWanted) * kEntrySize;
        const std::size_t got = source_.readAt(fileOffset_, buffer_, want);
        if (got < want)
            sourceEnd_ = true;
        fileOffset_ += static_cast<std::int64_t>(got);
        pos_ = 0;
        len_ = got;
        return len_ >= kEntrySize;
    }

    WadSource& source_;
    std::int64_t fileOffset_;
    std::int64_t remaining_;
    std::size_t pos_ = 0;
    std::size_t len_ = 0;
    bool sourceEnd_ = false;
    unsigned char buffer_[kBlockEntries * kEntrySize];
};

bool isGlSignature(const unsigned char sig[4]) {
    return sig[0] == 'g' && sig[1] == 'N' && sig[2] == 'd' && sig[3] >= '2' && sig[3] <= '5';
}

constexpr int kNoLevel = -1;

// The three lumps that must follow THINGS directly for a marker to be a level.
bool followedByLevelLumps(DirectoryReader& dir) {
    static constexpr std::uint64_t kLevelLumps[] = {kLinedefs, kSidedefs, kVertexes};
    for (const std::uint64_t want : kLevelLumps) {
        Entry next;
        if (dir.next(next) != ReadResult::Ok || next.name != want)
            return false;
    }
    return true;
}

} // namespace

WadScan scanWad(WadSource& source) {
    WadScan scan;
    unsigned char header[12];
    if (source.readAt(0, header, sizeof header) != sizeof header)
        return scan;
    if (std::memcmp(header, "IWAD", 4) == 0)
        scan.kind = WadKind::Iwad;
    else if (std::memcmp(header, "PWAD", 4) == 0)
        scan.kind = WadKind::Pwad;
    else
        return scan;
    const std::int32_t count = loadLe32(header + 4);
    const std::int32_t dirOffset = loadLe32(header + 8);
    // A directory that starts before the file or after its end can't be
    // reached: the file is not a WAD.
    if (dirOffset < 0 || dirOffset > source.size())
        return scan;
    scan.ok = true;
    if (count <= 0)
        return scan;

    // The reader holds a 64 KiB block of the directory; keep it off the stack.
    auto reader = std::make_unique<DirectoryReader>(source, dirOffset, count);
    DirectoryReader& dir = *reader;
    std::uint64_t previous = 0;
    std::uint64_t expectedGl = 0; // 0: no GL marker expected
    int current = kNoLevel;
    Entry entry;
    while (dir.next(entry) == ReadResult::Ok) {
        int number = 0;
        std::uint8_t flag = 0;
        if (isThings(entry.name) && parseMarker(previous, number, flag)) {
            // Map check. Every marker followed by THINGS expects its GL
            // marker, so a broken GL sequence after it fails the scan; only a
            // recorded level becomes the current level, so GL nodes that
            // follow a marker which is not a level count for no level.
            expectedGl = kGlPrefix | (previous << 24);
            current = kNoLevel;
            if (number >= 1 && number < kLevelNumbers && followedByLevelLumps(dir)) {
                if ((scan.levels[number] & flag) == 0) {
                    scan.levels[number] |= flag;
                    ++scan.levelCount;
                }
                current = number;
            }
            continue; // the previous name stays the marker's
        }
        if (expectedGl != 0 && entry.name == expectedGl) {
            expectedGl = 0;
            static constexpr std::uint64_t kGlLumps[] = {kGlVert, kGlSegs, kGlSsect, kGlNodesName};
            std::int32_t vertOffset = 0;
            bool complete = true;
            for (const std::uint64_t want : kGlLumps) {
                Entry next;
                const ReadResult r = dir.next(next);
                if (r == ReadResult::Short) {
                    scan = WadScan{};
                    return scan;
                }
                if (r == ReadResult::End || next.name != want) {
                    complete = false;
                    break;
                }
                if (want == kGlVert)
                    vertOffset = next.offset;
            }
            if (!complete)
                continue;
            unsigned char sig[4];
            if (vertOffset < 0 || source.readAt(vertOffset, sig, sizeof sig) != sizeof sig) {
                scan = WadScan{};
                return scan;
            }
            if (current != kNoLevel && isGlSignature(sig) &&
                (scan.levels[current] & kGlNodes) == 0) {
                scan.levels[current] |= kGlNodes;
                ++scan.glCount;
            }
            previous = kGlNodesName;
            continue;
        }
        previous = entry.name;
    }
    return scan;
}

std::vector<std::string> checkOutputLines(const WadScan& scan) {
    std::vector<std::string> lines;
    lines.emplace_back(scan.kind == WadKind::Iwad ? "IWAD" : "PWAD");
    lines.push_back("NUMLEVELS " + std::to_string(scan.levelCount));
    const bool allGl = scan.levelCount > 0 && scan.glCount == scan.levelCount;
    lines.push_back(allGl ? "GLNODES 1" : "GLNODES 0");
    if (scan.levelCount == 0)
        return lines;
    char text[16];
    for (int n = 0; n < kLevelNumbers; ++n) {
        if (scan.levels[n] & kEpisodeLevel) {
            std::snprintf(text, sizeof text, "E%iM%i", n / 10, n % 10);
            lines.emplace_back(text);
        }
    }
    for (int n = 0; n < kLevelNumbers; ++n) {
        if (scan.levels[n] & kMapLevel) {
            std::snprintf(text, sizeof text, "MAP%.2i", n);
            lines.emplace_back(text);
        }
    }
    return lines;
}

} // namespace krv::gfiles
