#include "support/zip_builder.h"

#include <stdexcept>
#include <sys/stat.h>
#include <zip.h>
#include <zlib.h>

namespace krv::test {

namespace {

void fail(zip_t* archive, const std::string& what) {
    const std::string message = what + ": " + zip_strerror(archive);
    zip_discard(archive);
    throw std::runtime_error(message);
}

// Adds `data` (which must outlive zip_close) as member `name`; its index.
zip_uint64_t addData(zip_t* archive, const std::string& name, const std::string& data) {
    zip_source_t* source = zip_source_buffer(archive, data.data(), data.size(), 0);
    const zip_int64_t index =
        source ? zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8) : -1;
    if (index < 0) {
        zip_source_free(source);
        fail(archive, "cannot add " + name);
    }
    return static_cast<zip_uint64_t>(index);
}

void putLe(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// Raw deflate, as zip members carry it.
std::string deflateRaw(const std::string& data) {
    z_stream stream{};
    if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2 failed");
    std::string out(deflateBound(&stream, data.size()), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int status = deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    if (status != Z_STREAM_END)
        throw std::runtime_error("deflate failed");
    return out;
}

// The fields the local and the central header share, from "version needed"
// to the extra-field length.
std::string commonHeader(const RawMember& member, const std::string& packed) {
    const auto crc =
        static_cast<std::uint32_t>(::crc32(0, reinterpret_cast<const Bytef*>(member.data.data()),
                                           static_cast<uInt>(member.data.size())));
    std::string out;
    putLe(out, 20, 2);                       // version needed
    putLe(out, 0, 2);                        // flags
    putLe(out, member.deflate ? 8 : 0, 2);   // method
    putLe(out, 0, 2);                        // time
    putLe(out, (45 << 9) | (1 << 5) | 1, 2); // date: 1 January 2025
    putLe(out, member.crc.value_or(crc), 4);
    putLe(out, static_cast<std::uint32_t>(packed.size()), 4);
    putLe(out, member.size.value_or(static_cast<std::uint32_t>(member.data.size())), 4);
    putLe(out, static_cast<std::uint32_t>(member.name.size()), 2);
    putLe(out, 0, 2); // extra field length
    return out;
}

} // namespace

ZipBuilder& ZipBuilder::file(std::string name, std::string data, bool deflate) {
    entries_.push_back(
        {deflate ? Kind::File : Kind::StoredFile, std::move(name), std::move(data), {}});
    return *this;
}

ZipBuilder& ZipBuilder::folder(std::string name) {
    entries_.push_back({Kind::Folder, std::move(name), {}, {}});
    return *this;
}

ZipBuilder& ZipBuilder::symlink(std::string name, std::string target) {
    entries_.push_back({Kind::Symlink, std::move(name), std::move(target), {}});
    return *this;
}

ZipBuilder& ZipBuilder::encrypted(std::string name, std::string data, std::string password,
                                  bool aes) {
    entries_.push_back(
        {aes ? Kind::Aes : Kind::Pkware, std::move(name), std::move(data), std::move(password)});
    return *this;
}

void ZipBuilder::write(const std::filesystem::path& archivePath) const {
    if (archivePath.has_parent_path())
        std::filesystem::create_directories(archivePath.parent_path());
    int error = 0;
    zip_t* archive = zip_open(archivePath.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (archive == nullptr)
        throw std::runtime_error("cannot create " + archivePath.string());
    for (const Entry& entry : entries_) {
        if (entry.kind == Kind::Folder) {
            if (zip_dir_add(archive, entry.name.c_str(), ZIP_FL_ENC_UTF_8) < 0)
                fail(archive, "cannot add folder " + entry.name);
            continue;
        }
        const zip_uint64_t index = addData(archive, entry.name, entry.data);
        int status = 0;
        switch (entry.kind) {
        case Kind::StoredFile:
            status = zip_set_file_compression(archive, index, ZIP_CM_STORE, 0);
            break;
        case Kind::Symlink:
            status = zip_file_set_external_attributes(archive, index, 0, ZIP_OPSYS_UNIX,
                                                      (S_IFLNK | 0777u) << 16);
            break;
        case Kind::Aes:
        case Kind::Pkware:
            status = zip_file_set_encryption(
                archive, index, entry.kind == Kind::Aes ? ZIP_EM_AES_256 : ZIP_EM_TRAD_PKWARE,
                entry.password.c_str());
            break;
        default:
            break;
        }
        if (status != 0)
            fail(archive, "cannot set up " + entry.name);
    }
    if (zip_close(archive) != 0)
        fail(archive, "cannot write " + archivePath.string());
}

std::string rawZip(const std::vector<RawMember>& members) {
    std::string body;
    std::string directory;
    std::vector<std::uint32_t> offsets;
    for (const RawMember& member : members) {
        const std::string packed = member.deflate ? deflateRaw(member.data) : member.data;
        const std::string common = commonHeader(member, packed);
        const auto offset = member.sharesDataOf ? offsets.at(*member.sharesDataOf)
                                                : static_cast<std::uint32_t>(body.size());
        offsets.push_back(offset);
        if (!member.sharesDataOf) {
            const std::string& localName = member.localName ? *member.localName : member.name;
            RawMember local = member;
            local.name = localName;
            putLe(body, 0x04034b50, 4);
            body += commonHeader(local, packed) + localName + packed;
        }
        putLe(directory, 0x02014b50, 4);
        putLe(directory, (3 << 8) | 20, 2); // made on Unix
        directory += common;
        putLe(directory, 0, 2);                       // comment length
        putLe(directory, 0, 2);                       // disk
        putLe(directory, 0, 2);                       // internal attributes
        putLe(directory, (S_IFREG | 0644u) << 16, 4); // external attributes
        putLe(directory, offset, 4);
        directory += member.name;
    }
    const auto count = static_cast<std::uint32_t>(members.size());
    std::string end;
    putLe(end, 0x06054b50, 4);
    putLe(end, 0, 4); // disk numbers
    putLe(end, count, 2);
    putLe(end, count, 2);
    putLe(end, static_cast<std::uint32_t>(directory.size()), 4);
    putLe(end, static_cast<std::uint32_t>(body.size()), 4);
    putLe(end, 0, 2); // comment length
    return body + directory + end;
}

} // namespace krv::test
