#include "support/wad_builder.h"

namespace krv::test {

std::string le32(std::uint32_t value) {
    std::string out(4, '\0');
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return out;
}

WadBuilder::WadBuilder(std::string_view identification) : identification_(identification) {
    identification_.resize(4, '\0');
}

WadBuilder& WadBuilder::lump(std::string_view name, std::string_view data) {
    entries_.push_back({std::string(name), std::string(data), std::nullopt});
    return *this;
}

WadBuilder& WadBuilder::lumps(std::initializer_list<std::string_view> names) {
    for (const auto name : names)
        lump(name);
    return *this;
}

WadBuilder& WadBuilder::lumpAt(std::string_view name, std::int32_t dataOffset) {
    entries_.push_back({std::string(name), {}, dataOffset});
    return *this;
}

WadBuilder& WadBuilder::level(std::string_view marker) {
    lump(marker);
    for (const char* name : {"THINGS", "LINEDEFS", "SIDEDEFS", "VERTEXES", "SEGS", "SSECTORS",
                             "NODES", "SECTORS", "REJECT", "BLOCKMAP"})
        lump(name, std::string(10, 'x'));
    return *this;
}

WadBuilder& WadBuilder::glNodes(std::string_view marker, std::string_view signature) {
    lump("GL_" + std::string(marker));
    lump("GL_VERT", std::string(signature) + std::string(8, '\0'));
    lump("GL_SEGS", std::string(10, 's'));
    lump("GL_SSECT", std::string(10, 's'));
    lump("GL_NODES", std::string(10, 'n'));
    return *this;
}

WadBuilder& WadBuilder::levelWithGl(std::string_view marker, std::string_view signature) {
    level(marker);
    return glNodes(marker, signature);
}

WadBuilder& WadBuilder::entryCount(std::int32_t count) {
    count_ = count;
    return *this;
}

WadBuilder& WadBuilder::directoryOffset(std::int32_t offset) {
    directoryOffset_ = offset;
    return *this;
}

WadBuilder& WadBuilder::mapLevels(int count) {
    for (int n = 1; n <= count; ++n)
        level((n < 10 ? "MAP0" : "MAP") + std::to_string(n));
    return *this;
}

std::string WadBuilder::build() const {
    std::string body;
    std::string directory;
    directory.reserve(entries_.size() * 16);
    for (const auto& e : entries_) {
        const std::int32_t offset =
            e.dataOffset.value_or(static_cast<std::int32_t>(12 + body.size()));
        body += e.data;
        directory += le32(static_cast<std::uint32_t>(offset));
        directory += le32(static_cast<std::uint32_t>(e.data.size()));
        std::string name = e.name.substr(0, 8);
        name.resize(8, '\0');
        directory += name;
    }
    const auto count = count_.value_or(static_cast<std::int32_t>(entries_.size()));
    const auto dirOffset = directoryOffset_.value_or(static_cast<std::int32_t>(12 + body.size()));
    return identification_ + le32(static_cast<std::uint32_t>(count)) +
           le32(static_cast<std::uint32_t>(dirOffset)) + body + directory;
}

} // namespace krv::test
