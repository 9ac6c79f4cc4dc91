#pragma once
// Zip archives for the tests: well-formed ones written with libzip, and
// byte-level ones for what libzip will not write (names that climb out of
// the folder, sizes and CRCs that lie).

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace krv::test {

class ZipBuilder {
public:
    // A regular file, deflated or stored.
    ZipBuilder& file(std::string name, std::string data, bool deflate = true);
    // A folder entry ("name/").
    ZipBuilder& folder(std::string name);
    // A Unix symbolic link pointing at `target`.
    ZipBuilder& symlink(std::string name, std::string target);
    // A file encrypted with `password`: WinZip AES-256, or traditional
    // PKWARE encryption when `aes` is false.
    ZipBuilder& encrypted(std::string name, std::string data, std::string password,
                          bool aes = true);
    // Writes the archive, creating its folder; throws when libzip fails.
    void write(const std::filesystem::path& archive) const;

private:
    enum class Kind { File, StoredFile, Folder, Symlink, Aes, Pkware };
    struct Entry {
        Kind kind;
        std::string name;
        std::string data;
        std::string password;
    };
    std::vector<Entry> entries_;
};

// One member of a byte-level archive. The declared CRC and size default to
// the data's own; both go into the local and the central header.
struct RawMember {
    RawMember(std::string memberName, std::string memberData, bool deflated = false,
              std::optional<std::uint32_t> declaredCrc = {},
              std::optional<std::uint32_t> declaredSize = {})
        : name(std::move(memberName)), data(std::move(memberData)), deflate(deflated),
          crc(declaredCrc), size(declaredSize) {}

    std::string name;
    std::string data;
    bool deflate = false;
    std::optional<std::uint32_t> crc;
    std::optional<std::uint32_t> size;
    // The central entry points at the local header of this earlier member;
    // the member then has no local header or data of its own.
    std::optional<std::size_t> sharesDataOf;
    // The name in the local header, when it differs from the central one.
    std::optional<std::string> localName;
};

// The bytes of an archive holding `members` in this order, made on Unix as
// regular files with mode 644.
std::string rawZip(const std::vector<RawMember>& members);

} // namespace krv::test
