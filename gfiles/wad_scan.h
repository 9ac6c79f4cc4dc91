#pragma once
// The WAD directory scan of the inspection tool: whether a file is an IWAD or
// a PWAD, which levels it holds (ExMy and MAPxy markers) and whether every
// level carries GL nodes of version 2 or later. Only the header, the
// directory and four bytes per GL node set are read.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace krv::gfiles {

// Random access to the bytes of a WAD file (a file on disk, or memory in the
// tests and the fuzz harness).
class WadSource {
public:
    virtual ~WadSource() = default;
    // Size of the file in bytes.
    virtual std::int64_t size() const = 0;
    // Reads up to `n` bytes at `offset` (never negative); returns how many
    // arrived, fewer only at the end of the file or on an error.
    virtual std::size_t readAt(std::int64_t offset, void* dest, std::size_t n) = 0;
};

enum class WadKind { Iwad, Pwad };

// Flag values of the level table.
inline constexpr std::uint8_t kMapLevel = 1;     // a MAPxy level
inline constexpr std::uint8_t kEpisodeLevel = 2; // an ExMy level, number 10 * x + y
inline constexpr std::uint8_t kGlNodes = 4;      // GL nodes of version 2 or later

inline constexpr int kLevelNumbers = 100;

struct WadScan {
    // False when the file is not a WAD or the GL check failed.
    bool ok = false;
    WadKind kind = WadKind::Pwad;
    int levelCount = 0;
    int glCount = 0;
    std::array<std::uint8_t, kLevelNumbers> levels{};
};

WadScan scanWad(WadSource& source);

// The lines the tool prints for a successful scan, without line ends: the
// kind, NUMLEVELS, GLNODES, then the ExMy levels and the MAPxy levels.
std::vector<std::string> checkOutputLines(const WadScan& scan);

} // namespace krv::gfiles
