// libFuzzer harness of the WAD directory scan: any bytes as a WAD file.
// Checks that the scan never reads outside the file and that its counts stay
// within what a level table can hold.

#include "gfiles/wad_scan.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

class MemorySource final : public krv::gfiles::WadSource {
public:
    MemorySource(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::int64_t size() const override { return static_cast<std::int64_t>(size_); }
    std::size_t readAt(std::int64_t offset, void* dest, std::size_t n) override {
        if (offset < 0)
            __builtin_trap(); // the scan must never ask for a negative offset
        if (static_cast<std::uint64_t>(offset) >= size_)
            return 0;
        const std::size_t take = std::min(n, size_ - static_cast<std::size_t>(offset));
        std::memcpy(dest, data_ + offset, take);
        return take;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MemorySource source(data, size);
    const krv::gfiles::WadScan scan = krv::gfiles::scanWad(source);
    if (!scan.ok)
        return 0;
    int levels = 0;
    int gl = 0;
    for (const std::uint8_t flags : scan.levels) {
        levels +=
            (flags & krv::gfiles::kMapLevel ? 1 : 0) + (flags & krv::gfiles::kEpisodeLevel ? 1 : 0);
        gl += flags & krv::gfiles::kGlNodes ? 1 : 0;
        // GL nodes count only for numbers that hold a level.
        if ((flags & krv::gfiles::kGlNodes) &&
            !(flags & (krv::gfiles::kMapLevel | krv::gfiles::kEpisodeLevel)))
            __builtin_trap();
    }
    if (levels != scan.levelCount || gl != scan.glCount || scan.glCount > scan.levelCount ||
        (scan.levels[0] & 3) != 0)
        __builtin_trap();
    const auto lines = krv::gfiles::checkOutputLines(scan);
    if (lines.size() != 3 + static_cast<std::size_t>(scan.levelCount))
        __builtin_trap();
    return 0;
}
