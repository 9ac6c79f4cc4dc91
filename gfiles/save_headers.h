#pragma once
// The descriptions of the ten saved-game slots of a folder, read from the
// compressed saved games through the LZSS module.

#include "gfiles/lzss_module.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace krv::gfiles {

inline constexpr int kSaveSlots = 10;
inline constexpr std::size_t kSaveHeaderSize = 68;
inline constexpr std::size_t kDescriptionOffset = 16;
inline constexpr std::size_t kDescriptionSize = 26;

// Saved-game versions 0xF3D35300 to 0xF3D3530F are understood.
inline constexpr bool isKnownSaveVersion(std::uint32_t version) {
    return (version & 0xFFFFFFF0u) == 0xF3D35300u;
}

// "KorvathSav0.krvsg" to "KorvathSav9.krvsg".
std::string slotFileName(int slot);

// One entry per slot; empty when the slot has no usable saved game.
using SaveDescriptions = std::array<std::string, kSaveSlots>;

// Reads the slot files of `folder`, found without regard to case.
SaveDescriptions readSaveDescriptions(const LzssModule& lzss, const std::filesystem::path& folder);

} // namespace krv::gfiles
