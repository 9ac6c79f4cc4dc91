#pragma once
// Saved games as the engine writes them: a version word, a 68-byte header
// block with the description at offset 16 (26 bytes), then the game state;
// the whole stream packed for LZSS.dll.

#include <cstdint>
#include <string>
#include <string_view>

namespace krv::test {

inline constexpr std::uint32_t kSaveVersion = 0xF3D35302u;

// The decompressed stream. A description shorter than 26 bytes is ended by
// NUL; the header bytes around it are not zero, so a reader that ignores the
// 26-byte limit shows more.
std::string saveGameStream(std::string_view description, std::uint32_t version = kSaveVersion);

// The stream packed with lzssPack, as a saved-game file holds it.
std::string packedSaveGame(std::string_view description, std::uint32_t version = kSaveVersion);

} // namespace krv::test
