#pragma once
// Builds WAD files in memory for the tests and the benchmark: lumps in
// order, whole levels and GL node sets, and header fields that can be set to
// anything, broken values included.

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace krv::test {

class WadBuilder {
public:
    explicit WadBuilder(std::string_view identification = "PWAD");

    // A lump. The name is written as its first eight bytes, padded with NUL;
    // it may hold any bytes, NUL included.
    WadBuilder& lump(std::string_view name, std::string_view data = {});
    // Empty lumps, one per name.
    WadBuilder& lumps(std::initializer_list<std::string_view> names);
    // A directory entry whose data offset is given instead of computed.
    WadBuilder& lumpAt(std::string_view name, std::int32_t dataOffset);
    // A map: the marker, then THINGS, LINEDEFS, SIDEDEFS, VERTEXES, SEGS,
    // SSECTORS, NODES, SECTORS, REJECT and BLOCKMAP.
    WadBuilder& level(std::string_view marker);
    // GL nodes for a map: "GL_" + marker, GL_VERT (its data begins with the
    // signature), GL_SEGS, GL_SSECT and GL_NODES.
    WadBuilder& glNodes(std::string_view marker, std::string_view signature = "gNd2");
    // Maps MAP01 to MAPnn, `count` of them.
    WadBuilder& mapLevels(int count);
    // Both of the above.
    WadBuilder& levelWithGl(std::string_view marker, std::string_view signature = "gNd2");

    // Header fields written instead of the true ones.
    WadBuilder& entryCount(std::int32_t count);
    WadBuilder& directoryOffset(std::int32_t offset);

    std::size_t lumpCount() const { return entries_.size(); }

    // Header, lump data, directory. The directory is last, so cutting the
    // result short cuts the directory.
    std::string build() const;

private:
    struct Entry {
        std::string name;
        std::string data;
        std::optional<std::int32_t> dataOffset;
    };
    std::string identification_;
    std::vector<Entry> entries_;
    std::optional<std::int32_t> count_;
    std::optional<std::int32_t> directoryOffset_;
};

// Little-endian 32-bit value as four bytes.
std::string le32(std::uint32_t value);

} // namespace krv::test
