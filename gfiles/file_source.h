#pragma once
// Opening the files the tool reads. Only regular files are read; anything
// else (a folder, a FIFO, a device) counts as a file that can't be opened, so
// the tool never blocks on a special file.

#include "gfiles/wad_scan.h"

#include <filesystem>

namespace krv::gfiles {

// Opens a regular file for reading; -1 when that is not possible.
int openRegularFile(const std::filesystem::path& path);

// Reads up to `n` bytes at `offset`, retrying interrupted and partial reads;
// returns how many arrived.
std::size_t readFileAt(int fd, std::int64_t offset, void* dest, std::size_t n);

// A WAD file on disk. Owns the descriptor.
class FileWadSource final : public WadSource {
public:
    // `fd` from openRegularFile.
    explicit FileWadSource(int fd);
    ~FileWadSource() override;
    FileWadSource(const FileWadSource&) = delete;
    FileWadSource& operator=(const FileWadSource&) = delete;

    std::int64_t size() const override { return size_; }
    std::size_t readAt(std::int64_t offset, void* dest, std::size_t n) override;

private:
    int fd_;
    std::int64_t size_ = 0;
};

} // namespace krv::gfiles
