#include "support/savegame_builder.h"

#include "support/lzss_writer.h"
#include "support/wad_builder.h"

namespace krv::test {

std::string saveGameStream(std::string_view description, std::uint32_t version) {
    std::string block(68, '\xAA');
    const std::string tag = "KORVATH 1.0";
    block.replace(0, tag.size(), tag);
    std::string text(description.substr(0, 26));
    text.resize(26, '\0');
    block.replace(16, 26, text);
    // A plausible game state: repeating records that compress well.
    std::string state;
    for (int i = 0; i < 200; ++i)
        state += "thing" + std::to_string(i % 7) + std::string(9, static_cast<char>(i & 0x0F));
    return le32(version) + block + state;
}

std::string packedSaveGame(std::string_view description, std::uint32_t version) {
    return lzssPack(saveGameStream(description, version));
}

} // namespace krv::test
